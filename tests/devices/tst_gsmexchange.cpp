// The GSM exchange engine on a pseudo-terminal played by a scripted modem:
// read counts with a fake clock, replies split over reads, routing of input
// that the exchange does not consume, busy, closed port and abort.
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
    r.test = [](const QByteArray &reply) {
        return GsmReply::finalResult(reply) == GsmReply::Final::Ok ? Verdict::Done : Verdict::Wait;
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
    void errorResultsEndAtOnce_data();
    void errorResultsEndAtOnce();
    void unconsumedInputIsForwarded();
    void secondExchangeWhileBusyWritesNothing();
    void closedPortEndsTheWait();
    void abortEndsAnUnboundedExchange();
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
    r.test = [&](const QByteArray &reply) { return GsmReply::signalValue(reply, &rssi) ? Verdict::Done : Verdict::Wait; };
    result = link.exchange.run(r);
    QCOMPARE(result.outcome, Outcome::Matched);
    QCOMPARE(rssi, 18);
}

void TestGsmExchange::errorResultsEndAtOnce_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("error") << QByteArray("\r\nERROR\r\n");
    QTest::newRow("equipment error") << QByteArray("\r\n+CME ERROR: 30\r\n");
    QTest::newRow("message error") << QByteArray("\r\n+CMS ERROR: 321\r\n");
}

void TestGsmExchange::errorResultsEndAtOnce()
{
    QFETCH(QByteArray, answer);
    Link link;
    QVERIFY(link.open());
    link.modem.script("AT+CMGR=1", {{20, answer}});
    int waits = 0;
    link.exchange.setWait([&](int ms) {
        ++waits;
        QTest::qWait(ms);
    });
    const GsmExchange::Result result = link.exchange.run(okRequest("AT+CMGR=1", 200, 10));
    QCOMPARE(result.outcome, Outcome::Error);
    QCOMPARE(result.errorLine, answer.trimmed());
    QVERIFY2(waits < 100, "the error ended the wait long before the count ran out");
    QVERIFY(link.forwarded.isEmpty());
}

void TestGsmExchange::unconsumedInputIsForwarded()
{
    Link link;
    QVERIFY(link.open());
    // An announcement during the exchange and text after its OK go to the
    // reader once the exchange ends; the echo and the OK do not.
    link.modem.script("AT+CLIP=1", {{10, "\r\n+CMTI: \"SM\",3\r\n"}, {40, "\r\nOK\r\n\r\nRI"}});
    const GsmExchange::Result result = link.exchange.run(okRequest("AT+CLIP=1", 200, 10));
    QCOMPARE(result.outcome, Outcome::Matched);
    QCOMPARE(link.forwarded, QByteArray("\r\n+CMTI: \"SM\",3\r\nRI"));

    // Outside an exchange input goes straight on.
    link.forwarded.clear();
    link.device.write("NG\r\n");
    QTRY_COMPARE(link.forwarded, QByteArray("NG\r\n"));
}

void TestGsmExchange::secondExchangeWhileBusyWritesNothing()
{
    Link link;
    QVERIFY(link.open());
    link.modem.script("AT+CLIP=1", {{100, "\r\nOK\r\n"}});
    GsmExchange::Result inner;
    QTimer::singleShot(30, &link.exchange, [&] { inner = link.exchange.run(okRequest("AT+CSQ", 10, 10)); });
    QCOMPARE(link.exchange.run(okRequest("AT+CLIP=1", 200, 10)).outcome, Outcome::Matched);
    QCOMPARE(inner.outcome, Outcome::Busy);
    QTest::qWait(50);
    QCOMPARE(link.modem.commands(), QList<QByteArray>{"AT+CLIP=1"});
}

void TestGsmExchange::closedPortEndsTheWait()
{
    Link link;
    QVERIFY(link.open());
    link.modem.silence("AT+CLIP=1");
    QTimer::singleShot(50, &link.port, [&] { link.port.close(); });
    QElapsedTimer t;
    t.start();
    QCOMPARE(link.exchange.run(okRequest("AT+CLIP=1", 200, 10)).outcome, Outcome::PortClosed);
    QVERIFY(t.elapsed() < 1000);
    // Without a port nothing is written and nothing waits.
    QCOMPARE(link.exchange.run(okRequest("AT", 200, 10)).outcome, Outcome::PortClosed);
}

void TestGsmExchange::abortEndsAnUnboundedExchange()
{
    Link link;
    QVERIFY(link.open());
    link.modem.silence("ATD1;");
    GsmExchange::Request r = okRequest("ATD1;", -1, 100);
    r.test = [](const QByteArray &) { return Verdict::Wait; };
    QTimer::singleShot(250, &link.exchange, [&] { link.exchange.abort(); });
    QElapsedTimer t;
    t.start();
    QCOMPARE(link.exchange.run(r).outcome, Outcome::Aborted);
    QVERIFY(t.elapsed() < 1000);
    QVERIFY(!link.exchange.busy());
}

VELM_TEST_MAIN(TestGsmExchange)
#include "tst_gsmexchange.moc"
