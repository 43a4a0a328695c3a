// The GSM exchange engine on a pseudo-terminal played by a scripted modem:
// read counts with a fake clock, and replies split over reads. (Routing,
// errors, busy, closing and abort are tested through the page.)
#include "testsupport.h"

#include "gsm/gsmexchange.h"
#include "gsm/gsmreply.h"
#include "gsmmodem.h"
#include "scripteddevice.h"

#include <QElapsedTimer>
#include <QSerialPort>

using Outcome = GsmExchange::Outcome;
using Verdict = GsmExchange::Verdict;
using TestSupport::GsmModem;

namespace {

// A program-side port on the device's pty, feeding the engine.
struct Link {
    TestSupport::ScriptedDevice device;
    GsmModem modem{&device};
    QSerialPort port;
    GsmExchange exchange;
    QByteArray forwarded;

    bool open()
    {
        port.setPortName(device.portPath());
        if (!device.ok() || !port.open(QIODevice::ReadWrite))
            return false;
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this] { exchange.feed(port.readAll()); });
        exchange.setPort(&port);
        exchange.setForward([this](const QByteArray &data) { forwarded += data; });
        return true;
    }
};

GsmExchange::Request okRequest(const QByteArray &command, int count, int stepMs)
{
    GsmExchange::Request r;
    r.command = command + "\r\n";
    r.count = count;
    r.stepMs = stepMs;
    r.test = [](const GsmAnswer &answer) {
        return answer.final() == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
    };
    return r;
}

} // namespace

class TestGsmExchange : public QObject
{
    Q_OBJECT

private slots:
    void readCountsWithFakeClock_data();
    void readCountsWithFakeClock();
    void replySplitOverReads();
};

void TestGsmExchange::readCountsWithFakeClock_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("stepMs");
    QTest::newRow("no wait") << 0 << 0;
    QTest::newRow("switch on") << 200 << 10;
    QTest::newRow("status query") << 10 << 500;
    QTest::newRow("501 reads") << 500 << 10;
}

void TestGsmExchange::readCountsWithFakeClock()
{
    QFETCH(int, count);
    QFETCH(int, stepMs);
    Link link;
    QVERIFY(link.open());
    link.modem.silence("AT+CLIP=1");
    qint64 fakeClock = 0;
    int waits = 0;
    link.exchange.setWait([&](int ms) {
        fakeClock += ms;
        ++waits;
    });
    QElapsedTimer real;
    real.start();
    const GsmExchange::Result result = link.exchange.run(okRequest("AT+CLIP=1", count, stepMs));
    QVERIFY(real.elapsed() < 1000);
    QCOMPARE(result.outcome, Outcome::TimedOut);
    QCOMPARE(result.reads, count + 1);
    QCOMPARE(waits, count + 1);
    QCOMPARE(fakeClock, qint64(count + 1) * stepMs);
    QVERIFY(link.device.waitForText("AT+CLIP=1\r\n"));
}

void TestGsmExchange::replySplitOverReads()
{
    // "\r\nO" and "K\r\n" in two reads are one OK; a value line read before
    // the OK keeps its value.
    Link link;
    QVERIFY(link.open());
    link.modem.echo = false;
    link.modem.script("AT+CLIP=1", {{0, "\r\nO"}, {30, "K\r\n"}});
    GsmExchange::Result result = link.exchange.run(okRequest("AT+CLIP=1", 200, 10));
    QCOMPARE(result.outcome, Outcome::Matched);
    QVERIFY(result.reads > 1);

    link.modem.script("AT+CSQ", {{0, "\r\n+CSQ: 18,0\r\n"}, {40, "\r\nOK\r\n"}});
    GsmExchange::Request r = okRequest("AT+CSQ", 10, 10);
    int rssi = -1;
    r.shape.ownPrefixes = {"+CSQ:"};
    r.test = [&](const GsmAnswer &answer) {
        return GsmReply::signalValue(answer.text(), &rssi) ? Verdict::Done : Verdict::Wait;
    };
    result = link.exchange.run(r);
    QCOMPARE(result.outcome, Outcome::Matched);
    QCOMPARE(rssi, 18);
}







VELM_TEST_MAIN(TestGsmExchange)
#include "tst_gsmexchange.moc"
