// test-links: codecs
// The bounded send and the count of what a device took, over a loopback
// TCP connection whose reader stops and starts again: the bound holds,
// a refused send queues nothing, nothing is lost or reordered, a send
// larger than the bound goes when nothing waits, and only bytes queued as
// counted are counted, also when uncounted ones come between them; every
// send has its place in the stream, and how far the device has written
// it is what has left its buffer.

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

#include "sendqueue.h"

class TestSendQueue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boundHoldsAndNothingIsLost();
    void largeSendGoesOnlyWhenNothingWaits();
    void countsWhatWasQueuedCounted_data();
    void countsWhatWasQueuedCounted();
    void positionsFollowWhatTheDeviceWrote();

private:
    // The receiving end reads again and everything sent arrives.
    QByteArray drain(qint64 expected);

    std::unique_ptr<QTcpServer> m_server;
    std::unique_ptr<QTcpSocket> m_out;
    QTcpSocket *m_in = nullptr;
};

void TestSendQueue::init()
{
    m_server = std::make_unique<QTcpServer>();
    QVERIFY(m_server->listen(QHostAddress::LocalHost));
    m_out = std::make_unique<QTcpSocket>();
    // Small system buffers, so the program's own queue fills soon.
    m_out->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 16 * 1024);
    m_out->connectToHost(QHostAddress::LocalHost, m_server->serverPort());
    QVERIFY(m_out->waitForConnected(3000));
    QTRY_VERIFY(m_server->hasPendingConnections());
    m_in = m_server->nextPendingConnection();
    QVERIFY(m_in);
    m_in->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 16 * 1024);
    // The receiver reads next to nothing until drain().
    m_in->setReadBufferSize(16);
}

void TestSendQueue::cleanup()
{
    m_out.reset();
    m_server.reset();
    m_in = nullptr;
}

QByteArray TestSendQueue::drain(qint64 expected)
{
    m_in->setReadBufferSize(0);
    QByteArray got = m_in->readAll();
    QElapsedTimer t;
    t.start();
    while (got.size() < expected && t.elapsed() < 20000) {
        QTest::qWait(5);
        got += m_in->readAll();
    }
    return got;
}

void TestSendQueue::boundHoldsAndNothingIsLost()
{
    QByteArray sent;
    int refused = 0;
    for (int i = 0; i < 400 && refused < 20; ++i) {
        const QByteArray chunk = QByteArray::number(i).rightJustified(8, '0').repeated(4096); // 32 KiB
        if (SendQueue::queue(m_out.get(), chunk)) {
            sent += chunk;
        } else {
            ++refused;
            const qint64 waiting = m_out->bytesToWrite();
            QVERIFY(waiting > 0);
            QVERIFY(waiting + chunk.size() > SendQueue::kMaxUnsentBytes);
            QVERIFY(!SendQueue::queue(m_out.get(), chunk));
            QCOMPARE(m_out->bytesToWrite(), waiting);
        }
        QVERIFY(m_out->bytesToWrite() <= SendQueue::kMaxUnsentBytes);
        QTest::qWait(1);
    }
    QVERIFY2(refused > 0, "the receiver never held the sender back");
    const QByteArray got = drain(sent.size());
    QCOMPARE(got.size(), sent.size());
    QVERIFY(got == sent);
}

void TestSendQueue::largeSendGoesOnlyWhenNothingWaits()
{
    const QByteArray big(16 * 1024 * 1024, 'b');
    QVERIFY(SendQueue::queue(m_out.get(), big));
    QTest::qWait(50);
    QVERIFY(m_out->bytesToWrite() > 0);
    QVERIFY(!SendQueue::queue(m_out.get(), QByteArray("x")));
    // An empty send always goes and queues nothing.
    const qint64 waiting = m_out->bytesToWrite();
    QVERIFY(SendQueue::queue(m_out.get(), QByteArray()));
    QCOMPARE(m_out->bytesToWrite(), waiting);
    QCOMPARE(drain(big.size()).size(), big.size());
    QTRY_COMPARE(m_out->bytesToWrite(), qint64(0));
    QVERIFY(SendQueue::queue(m_out.get(), QByteArray("x")));
}

void TestSendQueue::countsWhatWasQueuedCounted_data()
{
    // Sizes of sends in order; a negative size is queued uncounted.
    QTest::addColumn<QList<int>>("sends");
    QTest::newRow("counted only") << QList<int>{1000, 70000, 1};
    QTest::newRow("uncounted between") << QList<int>{100000, -200000, 50000};
    QTest::newRow("uncounted first and last") << QList<int>{-300000, 5, 300000, -7};
    QTest::newRow("many small") << QList<int>{3, -3, 3, -3, 3, -3, 3, -3};
    QTest::newRow("uncounted only") << QList<int>{-500000, -1};
}

void TestSendQueue::countsWhatWasQueuedCounted()
{
    QFETCH(QList<int>, sends);
    qint64 counted = 0;
    SendQueue::countTaken(m_out.get(), [&counted](qint64 bytes) { counted += bytes; });
    // A second bookkeeping for the same device is refused (no double count).
    SendQueue::countTaken(m_out.get(), [&counted](qint64 bytes) { counted += 1000000 * bytes; });
    qint64 expected = 0;
    qint64 total = 0;
    for (const int size : sends) {
        const QByteArray bytes(qAbs(size), size < 0 ? 'u' : 'c');
        QVERIFY(SendQueue::queue(m_out.get(), bytes, size > 0));
        if (size > 0)
            expected += size;
        total += bytes.size();
    }
    // Counted is never more than what the device took of counted sends.
    QVERIFY(counted <= expected);
    QCOMPARE(drain(total).size(), total);
    QTRY_COMPARE(m_out->bytesToWrite(), qint64(0));
    QTRY_COMPARE(counted, expected);
}

void TestSendQueue::positionsFollowWhatTheDeviceWrote()
{
    QCOMPARE(SendQueue::writtenPosition(m_out.get()), qint64(0));
    // Each send ends where the stream has reached with it, counted or not,
    // until the reader, taking next to nothing, holds the sender back.
    qint64 given = 0;
    int refused = 0;
    for (int i = 0; refused < 20 && i < 1000; ++i) {
        const QByteArray chunk(64 * 1024, char('a' + i % 26));
        qint64 end = -1;
        if (SendQueue::queue(m_out.get(), chunk, i % 2 == 0, &end)) {
            given += chunk.size();
            QCOMPARE(end, given);
            refused = 0;
        } else {
            ++refused;
        }
        QTest::qWait(1);
    }
    QVERIFY2(refused > 0, "the receiver never held the sender back");
    qint64 end = -1;
    QVERIFY(SendQueue::queue(m_out.get(), QByteArray(), true, &end));
    QCOMPARE(end, given);
    // The socket has written until the system's buffers are full; its
    // position is what has left its own buffer, also before it reports
    // the write.
    qint64 at = -1;
    QElapsedTimer still;
    still.start();
    while (still.elapsed() < 300) {
        QTest::qWait(20);
        if (SendQueue::writtenPosition(m_out.get()) != at) {
            at = SendQueue::writtenPosition(m_out.get());
            still.restart();
        }
    }
    QVERIFY(m_out->bytesToWrite() > 0);
    QCOMPARE(at, given - m_out->bytesToWrite());
    // The reader takes it all: the position reaches the end of the last
    // send, and the reader has every byte.
    QCOMPARE(drain(given).size(), given);
    QTRY_COMPARE(SendQueue::writtenPosition(m_out.get()), given);
}

QTEST_GUILESS_MAIN(TestSendQueue)
#include "tst_sendqueue.moc"
