// The WebSocket byte-stream device against an in-process WebSocket server
// on the loopback interface.

#include <QSignalSpy>
#include <QSslCertificate>
#include <QTcpServer>
#include <QWebSocketServer>

#include "mqtt/mqttpacket.h"
#include "mqtt/websocketiodevice.h"
#include "rawwebsocketpeer.h"
#include "testsupport.h"

namespace {

// A server that keeps the one connection it gets and records what arrives.
class Server : public QObject
{
    Q_OBJECT
public:
    Server() : server(QStringLiteral("velm-test"), QWebSocketServer::NonSecureMode)
    {
        server.setSupportedSubprotocols({QStringLiteral("mqttv3.1"), QStringLiteral("other")});
        connect(&server, &QWebSocketServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            offered = peer->request().rawHeader("Sec-WebSocket-Protocol");
            connect(peer, &QWebSocket::binaryMessageReceived, this,
                    [this](const QByteArray &m) { binary.append(m); });
            connect(peer, &QWebSocket::textMessageReceived, this, [this](const QString &m) { text.append(m); });
            connect(peer, &QWebSocket::disconnected, this, [this] {
                closeCode = int(peer->closeCode());
                closeReason = peer->closeReason();
                closed = true;
            });
        });
        listening = server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const { return QUrl(QStringLiteral("ws://127.0.0.1:%1/mqtt").arg(server.serverPort())); }

    QWebSocketServer server;
    QPointer<QWebSocket> peer;
    QByteArray offered;
    QList<QByteArray> binary;
    QStringList text;
    bool listening = false;
    bool closed = false;
    int closeCode = -1;
    QString closeReason = QStringLiteral("<none>");
};

using RawPeer = RawWebSocketPeer;

} // namespace

class TestWebSocketIODevice : public QObject
{
    Q_OBJECT

private slots:
    void handshakeOffersOneSubprotocol();
    void framingBothWays();
    void textMessagesAreDropped();
    void closeSendsNormalClosure();
    void sslConfigurationOnlyWithUseSsl();
    void openWithoutPeerStillOpens();
    void largeMessageWithinTheLimit_data();
    void largeMessageWithinTheLimit();
    void whatAPeerSendsIsBounded_data();
    void whatAPeerSendsIsBounded();
};

void TestWebSocketIODevice::handshakeOffersOneSubprotocol()
{
    Server server;
    QVERIFY(server.listening);
    WebSocketIODevice device;
    QVERIFY(device.isSequential());
    QVERIFY(!device.isOpen());
    QSignalSpy connected(&device, &WebSocketIODevice::socketConnected);
    device.setUrl(server.url());
    device.setProtocol("mqttv3.1");
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(device.isOpen()); // open at once, before the handshake
    QCOMPARE(connected.size(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 5000);
    QVERIFY(server.peer);
    QCOMPARE(server.offered, QByteArray("mqttv3.1"));
    QCOMPARE(device.socket()->subprotocol(), QStringLiteral("mqttv3.1"));
    QCOMPARE(server.peer->subprotocol(), QStringLiteral("mqttv3.1"));
    QCOMPARE(device.socket()->version(), QWebSocketProtocol::Version13);
}

void TestWebSocketIODevice::framingBothWays()
{
    Server server;
    QVERIFY(server.listening);
    WebSocketIODevice device;
    device.setUrl(server.url());
    device.setProtocol("mqttv3.1");
    QSignalSpy connected(&device, &WebSocketIODevice::socketConnected);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 5000);

    // One write, one binary message of exactly that size.
    QByteArray big(70000, Qt::Uninitialized);
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i % 251);
    QCOMPARE(device.write("\x10\x00", 2), qint64(2));
    QCOMPARE(device.write(big), qint64(big.size()));
    QTRY_COMPARE_WITH_TIMEOUT(server.binary.size(), 2, 5000);
    QCOMPARE(server.binary.at(0), QByteArray("\x10\x00", 2));
    QVERIFY(server.binary.at(1) == big);

    // Two messages before a read come out as one stream.
    QSignalSpy readyRead(&device, &QIODevice::readyRead);
    server.peer->sendBinaryMessage("abc");
    server.peer->sendBinaryMessage(QByteArray("de\0f", 4));
    QTRY_COMPARE_WITH_TIMEOUT(readyRead.size(), 2, 5000);
    QCOMPARE(device.bytesAvailable(), qint64(7));
    char buf[16];
    QCOMPARE(device.read(buf, 2), qint64(2));
    QCOMPARE(QByteArray(buf, 2), QByteArray("ab"));
    // Asking for more than is there gives what is there.
    QCOMPARE(device.read(buf, sizeof buf), qint64(5));
    QCOMPARE(QByteArray(buf, 5), QByteArray("cde\0f", 5));
    // Empty: 0, not an error.
    QCOMPARE(device.read(buf, sizeof buf), qint64(0));
    QCOMPARE(device.bytesAvailable(), qint64(0));
}

void TestWebSocketIODevice::textMessagesAreDropped()
{
    Server server;
    QVERIFY(server.listening);
    WebSocketIODevice device;
    device.setUrl(server.url());
    QSignalSpy connected(&device, &WebSocketIODevice::socketConnected);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 5000);
    QSignalSpy readyRead(&device, &QIODevice::readyRead);
    server.peer->sendTextMessage(QStringLiteral("ignored"));
    server.peer->sendBinaryMessage("kept");
    QTRY_COMPARE_WITH_TIMEOUT(readyRead.size(), 1, 5000);
    QTest::qWait(100);
    QCOMPARE(readyRead.size(), 1);
    QCOMPARE(device.readAll(), QByteArray("kept"));
}

void TestWebSocketIODevice::closeSendsNormalClosure()
{
    Server server;
    QVERIFY(server.listening);
    WebSocketIODevice device;
    device.setUrl(server.url());
    QSignalSpy connected(&device, &WebSocketIODevice::socketConnected);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(connected.size(), 1, 5000);
    device.close();
    QVERIFY(!device.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(server.closed, 5000);
    QCOMPARE(server.closeCode, 1000);
    QCOMPARE(server.closeReason, QString());
}

void TestWebSocketIODevice::sslConfigurationOnlyWithUseSsl()
{
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setPeerVerifyDepth(7);
    conf.setProtocol(QSsl::TlsV1_3OrLater);
    for (const bool use : {false, true}) {
        Server server;
        WebSocketIODevice device;
        device.setSslConfiguration(conf);
        device.useSsl = use;
        device.setUrl(server.url());
        QVERIFY(device.open(QIODevice::ReadWrite));
        QCOMPARE(device.socket()->sslConfiguration().peerVerifyDepth() == 7, use);
        QCOMPARE(device.socket()->sslConfiguration().protocol() == QSsl::TlsV1_3OrLater, use);
        device.socket()->abort();
    }
}

void TestWebSocketIODevice::openWithoutPeerStillOpens()
{
    // Nothing listens there: the device opens, the failure comes from the
    // socket's own signals.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    WebSocketIODevice device;
    device.setUrl(QUrl(QStringLiteral("ws://127.0.0.1:%1/").arg(port)));
    QSignalSpy errors(device.socket(), SIGNAL(error(QAbstractSocket::SocketError)));
    QSignalSpy connected(&device, &WebSocketIODevice::socketConnected);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_VERIFY_WITH_TIMEOUT(errors.size() >= 1, 5000);
    QCOMPARE(errors.at(0).at(0).value<QAbstractSocket::SocketError>(), QAbstractSocket::ConnectionRefusedError);
    QCOMPARE(connected.size(), 0);
    QVERIFY(device.isOpen());
    char c;
    QCOMPARE(device.read(&c, 1), qint64(0));
}

void TestWebSocketIODevice::largeMessageWithinTheLimit_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("one frame") << int(RawPeer::OneFrame);
    QTest::newRow("fragments") << int(RawPeer::Fragments);
}

void TestWebSocketIODevice::largeMessageWithinTheLimit()
{
    // 20 MiB, read as it comes: arrives whole and unchanged.
    QFETCH(int, mode);
    const qint64 total = 20 * 1024 * 1024;
    RawPeer peer(RawPeer::Mode(mode), total);
    QVERIFY(peer.listening);
    WebSocketIODevice device;
    device.setUrl(peer.url());
    device.setProtocol("mqttv3.1");
    QByteArray got;
    connect(&device, &QIODevice::readyRead, &device, [&] { got += device.read(64 * 1024); });
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_VERIFY_WITH_TIMEOUT(got.size() + device.bytesAvailable() >= total, 20000);
    got += device.readAll();
    QCOMPARE(got.size(), total);
    for (qint64 i = 0; i < total; i += 4093)
        QCOMPARE(got.at(i), RawPeer::byteAt(i));
    QVERIFY(device.limitProblem().isEmpty());
    QCOMPARE(device.socket()->state(), QAbstractSocket::ConnectedState);
}

void TestWebSocketIODevice::whatAPeerSendsIsBounded_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("reading");
    QTest::addColumn<bool>("realCap");
    QTest::addColumn<bool>("mqtt");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<qint64>("refusedBy"); // bytes the peer got out at most (0: not checked)
    QTest::addColumn<QString>("problem");
    // 300 MB against a stand-in limit of 8 MiB per message and 4 MiB unread,
    // and against the real limit.
    QTest::newRow("one frame of 300 MB") << int(RawPeer::OneFrame) << true << false << false << QByteArray()
                                         << qint64(0) << QStringLiteral("larger than");
    QTest::newRow("300 MB in fragments") << int(RawPeer::Fragments) << true << false << false << QByteArray()
                                         << qint64(0) << QStringLiteral("larger than");
    QTest::newRow("small messages nobody reads") << int(RawPeer::SmallMessages) << false << false << false
                                                 << QByteArray() << qint64(0) << QStringLiteral("waited unread");
    QTest::newRow("one frame of 300 MB, real limit") << int(RawPeer::OneFrame) << true << true << false << QByteArray()
                                                     << qint64(0) << QStringLiteral("larger than");
    QTest::newRow("300 MB in fragments, real limit") << int(RawPeer::Fragments) << true << true << false
                                                     << QByteArray() << qint64(0) << QStringLiteral("larger than");
    // Carrying MQTT: the fixed headers say how long the message may go on.
    QTest::newRow("MQTT: no packet at all") << int(RawPeer::Fragments) << true << true << true << QByteArray()
                                            << qint64(8 * 1024 * 1024) << QStringLiteral("no MQTT");
    const qint64 length = RawPeer::lengthEndingAtZero(100 * 1000 * 1000);
    QTest::newRow("MQTT: a PUBLISH of 100 MB, then no packet")
        << int(RawPeer::Fragments) << true << true << true << RawPeer::publishHead(length)
        << qint64(length + 8 * 1024 * 1024) << QStringLiteral("no MQTT");
    QTest::newRow("MQTT: a PUBLISH as large as MQTT allows, and more")
        << int(RawPeer::Fragments) << true << true << true << RawPeer::publishHead(Mqtt::MaxRemainingLength)
        << qint64(0) << QStringLiteral("larger than");
}

void TestWebSocketIODevice::whatAPeerSendsIsBounded()
{
    QFETCH(int, mode);
    QFETCH(bool, reading);
    QFETCH(bool, realCap);
    QFETCH(bool, mqtt);
    QFETCH(QByteArray, head);
    QFETCH(qint64, refusedBy);
    QFETCH(QString, problem);
    const qint64 total = 300 * 1000 * 1000;
    RawPeer peer(RawPeer::Mode(mode), total);
    QVERIFY(peer.listening);
    if (!head.isEmpty())
        peer.actAsBroker(head);
    WebSocketIODevice device;
    if (!realCap)
        device.setLimits(8 * 1024 * 1024, 4 * 1024 * 1024);
    device.setMqttStream(mqtt);
    QVERIFY(device.maxMessageSize() < total);
    device.setUrl(peer.url());
    device.setProtocol("mqttv3.1");
    if (reading)
        connect(&device, &QIODevice::readyRead, &device, [&] { device.readAll(); });
    // As a broker the peer waits for a first message (the CONNECT).
    connect(&device, &WebSocketIODevice::socketConnected, &device, [&] { device.write("\x10\x00", 2); });
    QSignalSpy disconnected(device.socket(), &QWebSocket::disconnected);
    TestSupport::ResidentGrowth growth;
    qint64 mostWaiting = 0;
    QTimer sample;
    connect(&sample, &QTimer::timeout, &sample, [&] { mostWaiting = qMax(mostWaiting, device.bytesAvailable()); });
    sample.start(5);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 60000);
    sample.stop();
    const long grew = growth.mostKb();
    qInfo("peer sent %lld bytes; resident memory grew by at most %ld KiB", peer.sent, grew);
    QVERIFY2(device.limitProblem().contains(problem), qPrintable(device.limitProblem()));
    QCOMPARE(device.socket()->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    QVERIFY(peer.sent < total);
    if (refusedBy > 0)
        QVERIFY2(peer.sent <= refusedBy, qPrintable(QString::number(peer.sent)));
    // The message is refused once it is larger than the limit: what it
    // leaves in memory is the limit and a frame, and a little slack.
    const long bound = realCap ? long(device.maxMessageSize() / 1024) + 20 * 1024 : 64 * 1024;
    if (TestSupport::residentMemoryIsTheProgramsOwn())
        QVERIFY2(grew < bound, qPrintable(QString::number(grew)));
    QVERIFY(mostWaiting <= device.maxWaiting() + 1000);
    QCOMPARE(device.bytesAvailable(), qint64(0));
}

VELM_TEST_MAIN(TestWebSocketIODevice)
#include "tst_websocketiodevice.moc"
