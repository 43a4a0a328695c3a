// The WebSocket byte-stream device against an in-process WebSocket server
// on the loopback interface.

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QTcpServer>
#include <QWebSocketServer>

#include "mqtt/websocketiodevice.h"
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

// A WebSocket server written by hand, so it can send what a well-behaved
// one never would: one frame announced larger than any limit, a message in
// endless fragments, or messages faster than anyone reads them. It sends
// while the client takes the bytes (at most 4 MiB wait in its socket), up
// to `total` payload bytes.
class RawPeer : public QObject
{
    Q_OBJECT
public:
    enum Mode { OneFrame, Fragments, SmallMessages };
    RawPeer(Mode mode, qint64 total) : m_mode(mode), m_total(total)
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, &RawPeer::onRead);
            connect(socket, &QTcpSocket::bytesWritten, this, &RawPeer::pump);
        });
        listening = server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const { return QUrl(QStringLiteral("ws://127.0.0.1:%1/mqtt").arg(server.serverPort())); }
    // Payload byte i of the stream.
    static char byteAt(qint64 i) { return char(i % 251); }

    QTcpServer server;
    QPointer<QTcpSocket> socket;
    qint64 sent = 0;
    bool listening = false;

private:
    void onRead()
    {
        m_request += socket->readAll();
        if (m_handshaken || !m_request.contains("\r\n\r\n"))
            return;
        QByteArray key;
        for (const QByteArray &line : m_request.split('\n')) {
            if (line.toLower().startsWith("sec-websocket-key:"))
                key = line.mid(18).trimmed();
        }
        const QByteArray accept =
            QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1).toBase64();
        socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                      "Sec-WebSocket-Protocol: mqttv3.1\r\nSec-WebSocket-Accept: "
                      + accept + "\r\n\r\n");
        m_handshaken = true;
        pump();
    }
    static QByteArray header(quint8 first, qint64 length)
    {
        QByteArray h(1, char(first));
        if (length < 126) {
            h += char(length);
        } else if (length < 65536) {
            h += char(126);
            h += char(length >> 8);
            h += char(length & 0xff);
        } else {
            h += char(127);
            for (int shift = 56; shift >= 0; shift -= 8)
                h += char((length >> shift) & 0xff);
        }
        return h;
    }
    QByteArray payload(qint64 n) const
    {
        QByteArray p(n, Qt::Uninitialized);
        for (qint64 i = 0; i < n; ++i)
            p[i] = byteAt(sent + i);
        return p;
    }
    void pump()
    {
        constexpr qint64 piece = 1024 * 1024;
        while (m_handshaken && socket && socket->state() == QAbstractSocket::ConnectedState && sent < m_total
               && socket->bytesToWrite() < 4 * piece) {
            const qint64 n = qMin(piece, m_total - sent);
            QByteArray out;
            if (m_mode == OneFrame) {
                if (sent == 0)
                    out = header(0x82, m_total);
            } else if (m_mode == Fragments) {
                const bool last = sent + n == m_total;
                out = header(quint8((last ? 0x80 : 0x00) | (sent == 0 ? 0x02 : 0x00)), n);
            } else {
                const qint64 small = qMin<qint64>(1000, n);
                for (qint64 at = 0; at < n; at += small)
                    out += header(0x82, qMin(small, n - at)) + payload(qMin(small, n - at));
                socket->write(out);
                sent += n;
                continue;
            }
            out += payload(n);
            socket->write(out);
            sent += n;
        }
    }

    Mode m_mode;
    qint64 m_total;
    QByteArray m_request;
    bool m_handshaken = false;
};

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
    QTest::addColumn<QString>("problem");
    // 300 MB against a limit of 8 MiB per message and 4 MiB unread.
    QTest::newRow("one frame of 300 MB") << int(RawPeer::OneFrame) << true << QStringLiteral("larger than");
    QTest::newRow("300 MB in fragments") << int(RawPeer::Fragments) << true << QStringLiteral("larger than");
    QTest::newRow("small messages nobody reads") << int(RawPeer::SmallMessages) << false
                                                 << QStringLiteral("waited unread");
}

void TestWebSocketIODevice::whatAPeerSendsIsBounded()
{
    QFETCH(int, mode);
    QFETCH(bool, reading);
    QFETCH(QString, problem);
    const qint64 total = 300 * 1000 * 1000;
    RawPeer peer(RawPeer::Mode(mode), total);
    QVERIFY(peer.listening);
    WebSocketIODevice device;
    device.setLimits(8 * 1024 * 1024, 4 * 1024 * 1024);
    device.setUrl(peer.url());
    device.setProtocol("mqttv3.1");
    if (reading)
        connect(&device, &QIODevice::readyRead, &device, [&] { device.readAll(); });
    QSignalSpy disconnected(device.socket(), &QWebSocket::disconnected);
    const long before = TestSupport::residentKb();
    long most = before;
    qint64 mostWaiting = 0;
    QTimer sample;
    connect(&sample, &QTimer::timeout, &sample, [&] {
        most = qMax(most, TestSupport::residentKb());
        mostWaiting = qMax(mostWaiting, device.bytesAvailable());
    });
    sample.start(5);
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(disconnected.size(), 1, 20000);
    sample.stop();
    qInfo("peer sent %lld bytes; resident memory grew by at most %ld KiB", peer.sent, most - before);
    QVERIFY2(device.limitProblem().contains(problem), qPrintable(device.limitProblem()));
    QCOMPARE(device.socket()->closeCode(), QWebSocketProtocol::CloseCodeTooMuchData);
    QVERIFY(peer.sent < total);
    QVERIFY2(most - before < 64 * 1024, qPrintable(QString::number(most - before)));
    QVERIFY(mostWaiting <= device.maxWaiting() + 1000);
    QCOMPARE(device.bytesAvailable(), qint64(0));
}

VELM_TEST_MAIN(TestWebSocketIODevice)
#include "tst_websocketiodevice.moc"
