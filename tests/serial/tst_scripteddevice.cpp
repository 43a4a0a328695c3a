// The scripted device the device-page tests talk to: a port opened on its
// terminal side sees what it writes, it sees what the port writes, its
// responder answers, it reports the line settings the port set, and a port
// whose device vanished fails instead of hanging; set to a rate, it takes
// no more than that rate allows, and everything in the end.

#include <QSerialPort>
#include <QtTest>
#include <termios.h>

#include "scripteddevice.h"
#include "testsupport.h"

using TestSupport::ScriptedDevice;

class TestScriptedDevice : public QObject
{
    Q_OBJECT

private slots:
    void exchangesBytesBothWays();
    void reportsLineSettings();
    void vanishingFailsThePort();
    void readsNoFasterThanItsRate();
};

static QByteArray readFor(QSerialPort &port, int expected, int ms = 2000)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    // The event loop keeps turning: the device writes from it.
    while (got.size() < expected && t.elapsed() < ms) {
        QTest::qWait(5);
        got += port.readAll();
    }
    return got;
}

void TestScriptedDevice::exchangesBytesBothWays()
{
    ScriptedDevice dev;
    QVERIFY(dev.ok());
    dev.setResponder([&dev](const QByteArray &, const QByteArray &all) {
        if (all.endsWith("\r\n"))
            dev.write("OK:" + all);
    });
    QSerialPort port(dev.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    // Large enough to need several writes through the pty's buffer.
    QByteArray big(200000, 'x');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i * 7);
    QVERIFY(dev.write(big));
    QCOMPARE(readFor(port, big.size()), big);

    port.write("AT\r\n");
    QVERIFY(port.waitForBytesWritten(1000));
    QVERIFY(dev.waitForReceived(4));
    QCOMPARE(dev.received(), QByteArray("AT\r\n"));
    QCOMPARE(readFor(port, 7), QByteArray("OK:AT\r\n"));
}

void TestScriptedDevice::reportsLineSettings()
{
    ScriptedDevice dev;
    QVERIFY(dev.ok());
    QSerialPort port(dev.portPath());
    port.setBaudRate(9600);
    port.setDataBits(QSerialPort::Data7);
    port.setParity(QSerialPort::EvenParity);
    port.setStopBits(QSerialPort::TwoStop);
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(dev.baudRate(), 9600);
    struct termios t;
    QVERIFY(dev.lineSettings(&t));
    // A pseudo-terminal keeps the speed and the stop bits; Linux forces its
    // character size to 8 bits and drops parity whatever the port asks.
    QVERIFY(t.c_cflag & CSTOPB);
    QVERIFY(!(t.c_iflag & (ICRNL | IXON)));
    QVERIFY(!(t.c_lflag & (ICANON | ECHO)));
}

void TestScriptedDevice::vanishingFailsThePort()
{
    ScriptedDevice dev;
    QVERIFY(dev.ok());
    QSerialPort port(dev.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    QSignalSpy errors(&port, &QSerialPort::errorOccurred);
    dev.vanish();
    QVERIFY(!dev.write("late"));
    QTRY_VERIFY_WITH_TIMEOUT(port.error() != QSerialPort::NoError, 2000);
}

void TestScriptedDevice::readsNoFasterThanItsRate()
{
    ScriptedDevice dev;
    QVERIFY(dev.ok());
    QSerialPort port(dev.portPath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    dev.setReadRate(0);
    QByteArray sent(100000, '\0');
    for (int i = 0; i < sent.size(); ++i)
        sent[i] = char(i * 13);
    port.write(sent);
    QTest::qWait(300);
    QCOMPARE(dev.received().size(), 0);
    // The pty is full: the port holds the rest.
    QVERIFY(port.bytesToWrite() > 0);

    constexpr qint64 rate = 50000;
    QElapsedTimer t;
    t.start();
    dev.setReadRate(rate);
    while (dev.received().size() < sent.size() && t.elapsed() < 20000) {
        QTest::qWait(20);
        // Never more than the time since allows, and a fiftieth of a second.
        const qint64 most = rate * t.elapsed() / 1000 + rate / 50;
        QVERIFY2(dev.received().size() <= most, qPrintable(QString::number(dev.received().size())));
    }
    QVERIFY(dev.received() == sent);
}

VELM_TEST_MAIN(TestScriptedDevice)
#include "tst_scripteddevice.moc"
