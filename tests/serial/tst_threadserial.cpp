// The serial port holder on a socat pseudo-terminal pair.
#include "testsupport.h"

#include "threadserial.h"

#include <QSerialPort>
#include <QSignalSpy>

class TestThreadSerial : public QObject
{
    Q_OBJECT

private slots:
    void settingsMapping();
    void openDeliversChunksAndPtyDtrIsNoFailure();
    void withoutHookNothingIsEmitted();
    void missingPortFailsToOpen();
    void vanishedPeerIsReportedOnce();
    void scatteredReadErrorsKeepThePort_data();
    void scatteredReadErrorsKeepThePort();
};

void TestThreadSerial::settingsMapping()
{
    QCOMPARE(ThreadSerial::parityFromIndex(0), QSerialPort::NoParity);
    QCOMPARE(ThreadSerial::parityFromIndex(1), QSerialPort::OddParity);
    QCOMPARE(ThreadSerial::parityFromIndex(2), QSerialPort::EvenParity);
    QCOMPARE(ThreadSerial::parityFromIndex(3), QSerialPort::MarkParity);
    QCOMPARE(ThreadSerial::parityFromIndex(4), QSerialPort::SpaceParity);
    QCOMPARE(ThreadSerial::parityFromIndex(5), QSerialPort::NoParity);
    QCOMPARE(ThreadSerial::parityFromIndex(-1), QSerialPort::NoParity);
    QCOMPARE(ThreadSerial::stopBitsFromIndex(0), QSerialPort::OneStop);
    QCOMPARE(ThreadSerial::stopBitsFromIndex(1), QSerialPort::OneAndHalfStop);
    QCOMPARE(ThreadSerial::stopBitsFromIndex(2), QSerialPort::TwoStop);
    QCOMPARE(ThreadSerial::stopBitsFromIndex(3), QSerialPort::OneStop);
    ThreadSerial fresh;
    QVERIFY(fresh.running);
    QVERIFY(fresh.portName.isEmpty());
    QVERIFY(!fresh.port);
}

void TestThreadSerial::openDeliversChunksAndPtyDtrIsNoFailure()
{
    TestSupport::PtyPair pty;
    QVERIFY(pty.ok());
    ThreadSerial holder;
    holder.portName = pty.a();
    holder.baudRate = 115200;
    holder.dataBits = 8;
    holder.paused = true;
    holder.open(true);
    QVERIFY(holder.opened); // the pty cannot drive DTR; the port is open anyway
    QVERIFY(!holder.paused);
    QVERIFY(holder.port->isOpen());
    QCOMPARE(holder.port->parity(), QSerialPort::NoParity);
    holder.start();

    QSerialPort peer(pty.b());
    QVERIFY(peer.open(QIODevice::ReadWrite));
    QSignalSpy spy(&holder, &ThreadSerial::Serial_read_Data);
    peer.write("hello");
    QByteArray got;
    QTRY_VERIFY((got = [&] {
                    QByteArray all;
                    for (const auto &args : spy)
                        all += args.first().toByteArray();
                    return all;
                }()) == "hello");
    for (const auto &args : spy)
        QVERIFY(!args.first().toByteArray().isEmpty());

    holder.port->write("back");
    QByteArray echoed;
    QTRY_COMPARE((echoed += peer.readAll()), QByteArray("back"));
}

void TestThreadSerial::withoutHookNothingIsEmitted()
{
    TestSupport::PtyPair pty;
    QVERIFY(pty.ok());
    ThreadSerial holder;
    holder.portName = pty.a();
    holder.parityIndex = 3;
    holder.open(false);
    QVERIFY(holder.opened);
    QSerialPort peer(pty.b());
    QVERIFY(peer.open(QIODevice::ReadWrite));
    QSignalSpy spy(&holder, &ThreadSerial::Serial_read_Data);
    peer.write("poll");
    QByteArray got;
    QTRY_COMPARE((got += holder.port->readAll()), QByteArray("poll"));
    QCOMPARE(spy.size(), 0);
}

void TestThreadSerial::missingPortFailsToOpen()
{
    ThreadSerial holder;
    holder.portName = QStringLiteral("/nonexistent/ttyNOPE");
    holder.open(true);
    QVERIFY(!holder.opened);
    QVERIFY(holder.port);
    QVERIFY(!holder.port->isOpen());
}

void TestThreadSerial::vanishedPeerIsReportedOnce()
{
    TestSupport::PtyPair pty;
    QVERIFY(pty.ok());
    ThreadSerial holder;
    holder.portName = pty.a();
    holder.open(true);
    QVERIFY(holder.opened);
    QSignalSpy lost(&holder, &ThreadSerial::portLost);
    pty.kill();
    QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, 1000);
    // The reason is said in words a user understands, not the last errno.
    QCOMPARE(lost.at(0).at(0).toString(), QStringLiteral("the device was removed or closed"));
    QVERIFY(!holder.port->isOpen());
    QTest::qWait(300);
    QCOMPARE(lost.size(), 1);
}

void TestThreadSerial::scatteredReadErrorsKeepThePort_data()
{
    QTest::addColumn<bool>("hook");
    QTest::newRow("holder reads") << true;
    QTest::newRow("page reads") << false;
}

void TestThreadSerial::scatteredReadErrorsKeepThePort()
{
    // Only read errors in a row, with no data between them, mean the
    // device is gone; single ones over a session do not.
    QFETCH(bool, hook);
    TestSupport::PtyPair pty;
    QVERIFY(pty.ok());
    ThreadSerial holder;
    holder.portName = pty.a();
    holder.baudRate = 115200;
    holder.dataBits = 8;
    holder.open(hook);
    QVERIFY(holder.opened);
    QSerialPort peer(pty.b());
    QVERIFY(peer.open(QIODevice::ReadWrite));
    QSignalSpy lost(&holder, &ThreadSerial::portLost);
    QSignalSpy read(&holder, &ThreadSerial::Serial_read_Data);
    QByteArray got;
    for (int round = 0; round < 4; ++round) {
        emit holder.port->errorOccurred(QSerialPort::ReadError);
        peer.write("x");
        if (hook)
            QTRY_COMPARE(read.size(), round + 1);
        else
            QTRY_VERIFY2((got += holder.port->readAll()) == QByteArray(round + 1, 'x'), got.constData());
    }
    QTest::qWait(50);
    QCOMPARE(lost.size(), 0);
    QVERIFY(holder.port->isOpen());
    // Three in a row still do.
    for (int i = 0; i < 3; ++i)
        emit holder.port->errorOccurred(QSerialPort::ReadError);
    QTRY_COMPARE(lost.size(), 1);
}

VELM_TEST_MAIN(TestThreadSerial)
#include "tst_threadserial.moc"
