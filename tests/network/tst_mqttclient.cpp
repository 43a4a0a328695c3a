// The MQTT client against real brokers (mosquitto over TCP and TLS, aedes
// over ws and wss through the WebSocket device) and against small in-test
// TCP peers that misbehave on purpose.

#include <QProcess>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUuid>
#include <QWebSocketServer>
#include <unistd.h>

#include "mqttbroker.h"
#include "mqtt/mqttclient.h"
#include "mqtt/websocketiodevice.h"
#include "testsupport.h"

namespace {

using TestSupport::env;
using TestSupport::uniqueTopic;

// Client ids unique to this process, so parallel runs never kick each other.
QString cid(const QString &name)
{
    return name + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
}

// Runs a mosquitto command-line tool to its end (bounded) and gives its output.
QByteArray runTool(const QString &tool, const QStringList &args, int *exitCode = nullptr, int timeoutMs = 15000)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    if (!p.waitForStarted(5000))
        return QByteArray("<did not start>");
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
    }
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

// A TCP peer that plays a broker badly: it records what the client sends
// and answers as the test tells it.
class FakePeer : public QObject
{
    Q_OBJECT
public:
    enum Mode { AnswerConnack, Silent };
    explicit FakePeer(Mode mode = AnswerConnack, QByteArray connack = QByteArray::fromHex("20020000"))
        : m_mode(mode), m_connack(connack)
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, this, [this] {
                received += socket->readAll();
                if (m_mode == AnswerConnack && !m_answered && !received.isEmpty() && quint8(received.at(0)) == 0x10) {
                    m_answered = true;
                    socket->write(m_connack);
                }
            });
        });
        listening = server.listen(QHostAddress::LocalHost, 0);
    }
    quint16 port() const { return server.serverPort(); }
    void send(const QByteArray &bytes)
    {
        if (socket) {
            socket->write(bytes);
            socket->flush();
        }
    }
    bool peerClosed() const { return socket && socket->state() == QAbstractSocket::UnconnectedState; }

    QTcpServer server;
    QPointer<QTcpSocket> socket;
    QByteArray received;
    bool listening = false;

private:
    Mode m_mode;
    QByteArray m_connack;
    bool m_answered = false;
};

// A broker over WebSocket that answers CONNECT with CONNACK and nothing
// else, so the test can end the link in the ways a real one ends.
class WsPeer : public QObject
{
    Q_OBJECT
public:
    WsPeer() : server(QStringLiteral("velm-test"), QWebSocketServer::NonSecureMode)
    {
        server.setSupportedSubprotocols({QStringLiteral("mqttv3.1")});
        connect(&server, &QWebSocketServer::newConnection, this, [this] {
            peer = server.nextPendingConnection();
            connect(peer, &QWebSocket::binaryMessageReceived, this, [this](const QByteArray &m) {
                if (m.startsWith(char(0x10)))
                    peer->sendBinaryMessage(QByteArray::fromHex("20020000"));
            });
        });
        listening = server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url() const { return QUrl(QStringLiteral("ws://127.0.0.1:%1/mqtt").arg(server.serverPort())); }

    QWebSocketServer server;
    QPointer<QWebSocket> peer;
    bool listening = false;
};

// Receives the client's signals by their signature strings, as a page does.
class StringSlotReceiver : public QObject
{
    Q_OBJECT
public:
    QList<QPair<QByteArray, QString>> messages;
    QList<int> states;
public slots:
    void onMessage(const QByteArray &message, const MqttTopicName &topic) { messages.append({message, topic.name()}); }
    void onState(MqttClient::ClientState state) { states.append(int(state)); }
};

} // namespace

class TestMqttClient : public QObject
{
    Q_OBJECT

private slots:
    void connectPacketOnTheWire_data();
    void connectPacketOnTheWire();
    void mosquittoVersionsAndTransports_data();
    void mosquittoVersionsAndTransports();
    void tlsWithoutTheTestCaFails();
    void webSocketBrokers_data();
    void webSocketBrokers();
    void credentials();
    void failingBeforeAnyIo();
    void subscribeAndReceive();
    void subscribeRules();
    void largePublishAndBadTopic();
    void keepAliveKeepsIdleConnection();
    void ignoredPingEndsConnection();
    void connackTimeout();
    void refusedConnackInPieces();
    void unexpectedPacketsCloseTheConnection_data();
    void unexpectedPacketsCloseTheConnection();
    void incomingQosAcknowledgements();
    void disconnectSendsDisconnect();
    void brokerKilled();
    void stalledLargestPacket();
    void floodIsHandedOverInTurns();
    void floodStaysWithinTheSocketBuffer();
    void largeMessageOverTls();
    void webSocketLossEndsTheConnection_data();
    void webSocketLossEndsTheConnection();
    void resubscribeAtAnotherQos();
};

void TestMqttClient::connectPacketOnTheWire_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QByteArray>("expected");
    // client id "velm-1", user "u", password "p", keep-alive 30, clean session
    QTest::newRow("3.1") << 3
                         << QByteArray::fromHex("101a" "0006" "4d5149736470" "03" "c2" "001e" "0006" "76656c6d2d31"
                                                "0001" "75" "0001" "70");
    QTest::newRow("3.1.1") << 4
                           << QByteArray::fromHex("1018" "0004" "4d515454" "04" "c2" "001e" "0006" "76656c6d2d31"
                                                  "0001" "75" "0001" "70");
}

void TestMqttClient::connectPacketOnTheWire()
{
    QFETCH(int, version);
    QFETCH(QByteArray, expected);
    FakePeer peer(FakePeer::Silent);
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.setClientId(QStringLiteral("velm-1"));
    client.setUsername(QStringLiteral("u"));
    client.setPassword(QStringLiteral("p"));
    client.setKeepAlive(30);
    client.setProtocolVersion(MqttClient::ProtocolVersion(version));
    client.connectToHost();
    QCOMPARE(client.state(), MqttClient::Connecting);
    QTRY_COMPARE_WITH_TIMEOUT(peer.received.size(), expected.size(), 5000);
    QCOMPARE(peer.received.toHex(), expected.toHex());
    QCOMPARE(client.state(), MqttClient::Connecting);
}

void TestMqttClient::mosquittoVersionsAndTransports_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<int>("version");
    QTest::newRow("tcp 3.1") << false << 3;
    QTest::newRow("tcp 3.1.1") << false << 4;
    QTest::newRow("tls 3.1") << true << 3;
    QTest::newRow("tls 3.1.1") << true << 4;
}

void TestMqttClient::mosquittoVersionsAndTransports()
{
    QFETCH(bool, tls);
    QFETCH(int, version);
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_PORT");
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_TLS_PORT");
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_CA");
    MqttClient client;
    QSignalSpy states(&client, &MqttClient::stateChanged);
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env(tls ? "VELM_MQTT_TLS_PORT" : "VELM_MQTT_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-v%1-%2").arg(version).arg(tls)));
    client.setProtocolVersion(MqttClient::ProtocolVersion(version));
    if (tls)
        client.connectToHostEncrypted(TestSupport::brokerCaConfiguration());
    else
        client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);
    QCOMPARE(client.error(), MqttClient::NoError);
    QCOMPARE(client.transportType(), tls ? MqttClient::SecureSocket : MqttClient::AbstractSocket);

    // Round trip through the broker on the same connection.
    const QString topic = uniqueTopic(QStringLiteral("velm/rt/"));
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    MqttSubscription *sub = client.subscribe(topic);
    QVERIFY(sub);
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(client.publish(topic, "ping"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 5000);
    QCOMPARE(messages.at(0).at(0).toByteArray(), QByteArray("ping"));

    client.disconnectFromHost();
    QCOMPARE(client.state(), MqttClient::Disconnected);
    QCOMPARE(client.error(), MqttClient::NoError);
    QList<int> seen;
    for (const auto &args : states)
        seen << args.at(0).toInt();
    QCOMPARE(seen, QList<int>({MqttClient::Connecting, MqttClient::Connected, MqttClient::Disconnected}));
}

void TestMqttClient::tlsWithoutTheTestCaFails()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_TLS_PORT");
    MqttClient client;
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_TLS_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-untrusted")));
    client.connectToHostEncrypted(QSslConfiguration::defaultConfiguration());
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 10000);
    QCOMPARE(client.error(), MqttClient::TransportInvalid);
    QVERIFY2(!client.errorString().isEmpty(), "a TLS failure says why");
}

void TestMqttClient::webSocketBrokers_data()
{
    QTest::addColumn<bool>("secure");
    QTest::addColumn<int>("version");
    QTest::newRow("ws 3.1") << false << 3;
    QTest::newRow("ws 3.1.1") << false << 4;
    QTest::newRow("wss 3.1") << true << 3;
    QTest::newRow("wss 3.1.1") << true << 4;
}

void TestMqttClient::webSocketBrokers()
{
    QFETCH(bool, secure);
    QFETCH(int, version);
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_WS_PORT");
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_WSS_PORT");
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_CA");
    QObject owner;
    auto *device = new WebSocketIODevice(&owner);
    if (secure) {
        device->setSslConfiguration(TestSupport::brokerCaConfiguration());
        device->useSsl = true;
    }
    const QString port = env(secure ? "VELM_MQTT_WSS_PORT" : "VELM_MQTT_WS_PORT");
    device->setUrl(QUrl(QStringLiteral("%1://127.0.0.1:%2/mqtt").arg(secure ? "wss" : "ws", port)));
    device->setProtocol("mqttv3.1");

    MqttClient client;
    QObject::connect(device, &WebSocketIODevice::socketConnected, &client, [&] {
        client.setProtocolVersion(MqttClient::ProtocolVersion(version));
        client.setTransport(device, MqttClient::IODevice);
        client.setClientId(cid(QStringLiteral("velm-ws-%1-%2").arg(version).arg(secure)));
        client.connectToHost();
    });
    QVERIFY(device->open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);
    QCOMPARE(device->socket()->subprotocol(), QStringLiteral("mqttv3.1"));

    const QString topic = uniqueTopic(QStringLiteral("velm/ws/"));
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    MqttSubscription *sub = client.subscribe(topic);
    QVERIFY(sub);
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    const QByteArray payload(5000, 'w');
    QCOMPARE(client.publish(topic, payload), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 5000);
    QCOMPARE(messages.at(0).at(0).toByteArray(), payload);
    QCOMPARE(messages.at(0).at(1).value<MqttTopicName>().name(), topic);

    // The broker closes the link after DISCONNECT; the client does not close
    // its owner's device.
    client.disconnectFromHost();
    QCOMPARE(client.state(), MqttClient::Disconnected);
    QVERIFY(device->isOpen());
    QTRY_COMPARE_WITH_TIMEOUT(device->socket()->state(), QAbstractSocket::UnconnectedState, 5000);
}

void TestMqttClient::credentials()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_AUTH_PORT");
    for (const bool good : {false, true}) {
        MqttClient client;
        QSignalSpy states(&client, &MqttClient::stateChanged);
        QSignalSpy errors(&client, &MqttClient::errorChanged);
        client.setHostname(env("VELM_MQTT_HOST"));
        client.setPort(quint16(env("VELM_MQTT_AUTH_PORT").toUInt()));
        client.setClientId(cid(QStringLiteral("velm-auth")));
        client.setUsername(env("VELM_MQTT_AUTH_USER"));
        client.setPassword(good ? env("VELM_MQTT_AUTH_PASSWORD") : QStringLiteral("wrong"));
        client.connectToHost();
        if (good) {
            QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);
            client.disconnectFromHost();
            continue;
        }
        QTRY_COMPARE_WITH_TIMEOUT(states.size(), 2, 10000);
        QCOMPARE(client.state(), MqttClient::Disconnected);
        // mosquitto answers a wrong password with "not authorized" (5).
        QCOMPARE(client.error(), MqttClient::NotAuthorized);
        QVERIFY(client.errorString().contains(QLatin1String("5")));
        // The error is known before the state turns Disconnected.
        QCOMPARE(errors.size(), 1);
    }
}

void TestMqttClient::failingBeforeAnyIo()
{
    struct Case
    {
        QString host;
        quint16 port;
        int version;
        MqttClient::ClientError error;
    };
    const QList<Case> cases = {
        {QStringLiteral("127.0.0.1"), 0, 4, MqttClient::TransportInvalid},
        {QString(), 1883, 4, MqttClient::TransportInvalid},
        {QStringLiteral("127.0.0.1"), 1883, 5, MqttClient::InvalidProtocolVersion},
    };
    for (const Case &c : cases) {
        MqttClient client;
        StringSlotReceiver receiver;
        QVERIFY(QObject::connect(&client, SIGNAL(stateChanged(MqttClient::ClientState)), &receiver,
                                 SLOT(onState(MqttClient::ClientState))));
        client.setHostname(c.host);
        client.setPort(c.port);
        client.setProtocolVersion(MqttClient::ProtocolVersion(c.version));
        client.connectToHost();
        // Connecting at once, Disconnected only later from the event loop.
        QCOMPARE(receiver.states, QList<int>({MqttClient::Connecting}));
        QCOMPARE(client.state(), MqttClient::Connecting);
        QTRY_COMPARE_WITH_TIMEOUT(receiver.states.size(), 2, 2000);
        QCOMPARE(receiver.states.last(), int(MqttClient::Disconnected));
        QCOMPARE(client.error(), c.error);
        // Disconnecting a disconnected client changes nothing.
        client.disconnectFromHost();
        QCOMPARE(receiver.states.size(), 2);
    }
}

void TestMqttClient::subscribeAndReceive()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_PORT");
    MqttClient client;
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-sub")));
    StringSlotReceiver receiver;
    QVERIFY(QObject::connect(&client, SIGNAL(messageReceived(QByteArray,MqttTopicName)), &receiver,
                             SLOT(onMessage(QByteArray,MqttTopicName))));
    QSignalSpy spy(&client, SIGNAL(messageReceived(QByteArray,MqttTopicName)));
    QVERIFY(spy.isValid());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);

    const QString base = uniqueTopic(QStringLiteral("velm/s"));
    MqttSubscription *sub = client.subscribe(base + QStringLiteral("/+"), 2);
    QVERIFY(sub);
    QCOMPARE(sub->topic().filter(), base + QStringLiteral("/+"));
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(sub->qos(), quint8(2));

    const QStringList common = {"-h", env("VELM_MQTT_HOST"), "-p", env("VELM_MQTT_PORT")};
    int rc = -1;
    runTool("mosquitto_pub", common + QStringList{"-t", base + "/x", "-m", "hello"}, &rc);
    QCOMPARE(rc, 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.messages.size(), 1, 5000);
    QCOMPARE(receiver.messages.at(0).first, QByteArray("hello"));
    QCOMPARE(receiver.messages.at(0).second, base + QStringLiteral("/x"));

    // QoS 1 and 2 arrive once each; a level deeper does not match "+".
    runTool("mosquitto_pub", common + QStringList{"-t", base + "/y", "-q", "1", "-m", "one"}, &rc);
    QCOMPARE(rc, 0);
    runTool("mosquitto_pub", common + QStringList{"-t", base + "/y/z", "-m", "deeper"}, &rc);
    runTool("mosquitto_pub", common + QStringList{"-t", base + "/z", "-q", "2", "-m", "two \xc3\xbc"}, &rc);
    QCOMPARE(rc, 0);
    QTRY_COMPARE_WITH_TIMEOUT(receiver.messages.size(), 3, 5000);
    QTest::qWait(300);
    QCOMPARE(receiver.messages.size(), 3);
    QCOMPARE(receiver.messages.at(1), qMakePair(QByteArray("one"), base + QStringLiteral("/y")));
    QCOMPARE(receiver.messages.at(2), qMakePair(QByteArray("two \xc3\xbc"), base + QStringLiteral("/z")));
    QCOMPARE(spy.size(), 3);
    QCOMPARE(client.state(), MqttClient::Connected);
}

void TestMqttClient::subscribeRules()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_PORT");
    MqttClient client;
    QVERIFY2(!client.subscribe(QStringLiteral("s/+")), "not connected: no subscription");
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-rules")));
    client.connectToHost();
    QVERIFY2(!client.subscribe(QStringLiteral("s/+")), "still connecting: no subscription");
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);

    MqttSubscription *a = client.subscribe(QStringLiteral("s/+"));
    QVERIFY(a);
    MqttSubscription *b = client.subscribe(QStringLiteral("s/+"));
    QCOMPARE(b, a);
    QTRY_COMPARE_WITH_TIMEOUT(a->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(client.subscribe(QStringLiteral("s/+")), a);
    QVERIFY(client.subscribe(QStringLiteral("s/#")) != a);

    for (const QString &bad : {QString(), QStringLiteral("a/#/b"), QStringLiteral("a+"), QStringLiteral("#x"),
                               QStringLiteral("a/b#"), QString(QStringLiteral("a")) + QChar(0)})
        QVERIFY2(!client.subscribe(bad), qPrintable(bad));
    QVERIFY(!client.subscribe(QStringLiteral("ok"), 3));
    QCOMPARE(client.state(), MqttClient::Connected);

    QPointer<MqttSubscription> guard(a);
    client.disconnectFromHost();
    QCOMPARE(a->state(), MqttSubscription::Unsubscribed);
    QTRY_VERIFY(guard.isNull());
}

void TestMqttClient::largePublishAndBadTopic()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_PORT");
    MqttClient client;
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-big")));
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);

    QByteArray payload(300 * 1024, Qt::Uninitialized);
    quint32 x = 12345;
    for (char &c : payload) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    // Retained, so mosquitto_sub gets it whenever it subscribes; our own
    // subscription seeing it first shows that the broker has it whole.
    const QString topic = uniqueTopic(QStringLiteral("velm/big/"));
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    MqttSubscription *sub = client.subscribe(topic);
    QVERIFY(sub);
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(client.publish(topic, payload, 0, true), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 10000);
    QVERIFY(messages.at(0).at(0).toByteArray() == payload);

    int rc = -1;
    const QByteArray got = runTool("mosquitto_sub", {"-h", env("VELM_MQTT_HOST"), "-p", env("VELM_MQTT_PORT"), "-t",
                                                     topic, "-C", "1", "-N", "-W", "10"},
                                   &rc);
    QCOMPARE(rc, 0);
    QCOMPARE(got.size(), payload.size());
    QVERIFY(got == payload);
    QCOMPARE(client.publish(topic, QByteArray(), 0, true), 0); // clear the retained message

    // Wildcards and an empty name are not topics to publish to; the
    // connection stays and goes on working.
    QCOMPARE(client.publish(QStringLiteral("a/#"), "x"), -1);
    QCOMPARE(client.publish(QStringLiteral("a/+/b"), "x"), -1);
    QCOMPARE(client.publish(QString(), "x"), -1);
    QCOMPARE(client.publish(topic, "x", 1), -1);
    QCOMPARE(client.state(), MqttClient::Connected);
    QCOMPARE(client.publish(topic, "after"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 3, 5000);
    QCOMPARE(messages.at(2).at(0).toByteArray(), QByteArray("after"));

    client.disconnectFromHost();
    QCOMPARE(client.publish(topic, "x"), -1);
}

void TestMqttClient::keepAliveKeepsIdleConnection()
{
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_PORT");
    MqttClient client;
    QSignalSpy states(&client, &MqttClient::stateChanged);
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-keepalive")));
    client.setKeepAlive(2);
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);
    // mosquitto drops a client silent for 1.5 keep-alive intervals (3 s), so
    // staying up 8 s takes pings that are answered.
    QTest::qWait(8000);
    QCOMPARE(client.state(), MqttClient::Connected);
    QCOMPARE(states.size(), 2);
    const QString topic = uniqueTopic(QStringLiteral("velm/ka/"));
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    QVERIFY(client.subscribe(topic));
    QTRY_COMPARE_WITH_TIMEOUT(client.subscribe(topic)->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(client.publish(topic, "still here"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 5000);
}

void TestMqttClient::ignoredPingEndsConnection()
{
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.setKeepAlive(1);
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    QElapsedTimer t;
    t.start();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 4000);
    QVERIFY2(t.elapsed() >= 1500, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(client.error(), MqttClient::TransportInvalid);
    QVERIFY(peer.received.contains(QByteArray::fromHex("c000")));
    QTRY_VERIFY_WITH_TIMEOUT(peer.peerClosed(), 3000);
}

void TestMqttClient::connackTimeout()
{
    FakePeer peer(FakePeer::Silent);
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.setConnectTimeout(600);
    QElapsedTimer t;
    t.start();
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 3000);
    QVERIFY(t.elapsed() >= 550);
    QCOMPARE(client.error(), MqttClient::TransportInvalid);
    QVERIFY(!peer.received.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(peer.peerClosed(), 3000);
}

void TestMqttClient::refusedConnackInPieces()
{
    FakePeer peer(FakePeer::Silent);
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.connectToHost();
    QTRY_VERIFY_WITH_TIMEOUT(!peer.received.isEmpty(), 5000);
    const QByteArray connack = QByteArray::fromHex("20020002");
    for (int i = 0; i < 3; ++i) {
        peer.send(connack.mid(i, 1));
        QTest::qWait(50);
        QCOMPARE(client.state(), MqttClient::Connecting);
    }
    peer.send(connack.mid(3));
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 3000);
    QCOMPARE(client.error(), MqttClient::IdRejected);
}

void TestMqttClient::unexpectedPacketsCloseTheConnection_data()
{
    QTest::addColumn<QByteArray>("connack");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("PUBACK for nothing") << QByteArray::fromHex("20020000") << QByteArray::fromHex("40020001");
    QTest::newRow("SUBSCRIBE from broker") << QByteArray::fromHex("20020000")
                                           << QByteArray::fromHex("820600010001" "6100");
    QTest::newRow("second CONNACK") << QByteArray::fromHex("20020000") << QByteArray::fromHex("20020000");
    QTest::newRow("SUBACK for no request") << QByteArray::fromHex("20020000") << QByteArray::fromHex("9003000900");
    QTest::newRow("remaining length too long") << QByteArray::fromHex("20020000")
                                               << QByteArray::fromHex("30ffffffff01");
    QTest::newRow("PUBLISH with wildcard") << QByteArray::fromHex("20020000") << QByteArray::fromHex("30030001" "23");
    QTest::newRow("type 0") << QByteArray::fromHex("20020000") << QByteArray::fromHex("0000");
    QTest::newRow("PUBLISH before CONNACK") << QByteArray::fromHex("300300016120020000") << QByteArray();
    QTest::newRow("CONNACK malformed") << QByteArray::fromHex("2003000000") << QByteArray();
}

void TestMqttClient::unexpectedPacketsCloseTheConnection()
{
    QFETCH(QByteArray, connack);
    QFETCH(QByteArray, after);
    FakePeer peer(FakePeer::AnswerConnack, connack);
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    client.connectToHost();
    if (!after.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
        peer.send(after);
    }
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 5000);
    QCOMPARE(client.error(), MqttClient::ProtocolViolation);
    QVERIFY(!client.errorString().isEmpty());
    QCOMPARE(messages.size(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(peer.peerClosed(), 3000);
}

void TestMqttClient::incomingQosAcknowledgements()
{
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    const int connectSize = peer.received.size();

    // QoS 1 id 7 -> PUBACK 7; QoS 2 id 5 twice (the second with DUP) ->
    // PUBREC 5 twice, one delivery; PUBREL 5 -> PUBCOMP 5; then the same id
    // is a new message again.
    peer.send(QByteArray::fromHex("3206" "0001" "71" "0007" "41"));
    peer.send(QByteArray::fromHex("3406" "0001" "72" "0005" "42"));
    peer.send(QByteArray::fromHex("3c06" "0001" "72" "0005" "42"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received.size(), connectSize + 12, 5000);
    QCOMPARE(peer.received.mid(connectSize).toHex(), QByteArray("40020007" "50020005" "50020005"));
    QCOMPARE(messages.size(), 2);
    peer.send(QByteArray::fromHex("62020005"));
    QTRY_COMPARE_WITH_TIMEOUT(peer.received.size(), connectSize + 16, 5000);
    QCOMPARE(peer.received.mid(connectSize + 12).toHex(), QByteArray("70020005"));
    peer.send(QByteArray::fromHex("3406" "0001" "72" "0005" "43"));
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 3, 5000);
    QCOMPARE(messages.at(0).at(0).toByteArray(), QByteArray("A"));
    QCOMPARE(messages.at(1).at(0).toByteArray(), QByteArray("B"));
    QCOMPARE(messages.at(2).at(0).toByteArray(), QByteArray("C"));
    QCOMPARE(messages.at(1).at(1).value<MqttTopicName>().name(), QStringLiteral("r"));
    QCOMPARE(client.state(), MqttClient::Connected);
}

void TestMqttClient::disconnectSendsDisconnect()
{
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    client.disconnectFromHost();
    QCOMPARE(client.state(), MqttClient::Disconnected);
    QCOMPARE(client.error(), MqttClient::NoError);
    QTRY_VERIFY_WITH_TIMEOUT(peer.peerClosed(), 3000);
    QVERIFY(peer.received.endsWith(QByteArray::fromHex("e000")));

    // The same client connects again.
    FakePeer second;
    client.setPort(second.port());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
}

void TestMqttClient::brokerKilled()
{
    const QString mosquitto = QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {"/usr/sbin", "/usr/bin"});
    if (mosquitto.isEmpty())
        QSKIP("mosquitto is not installed");
    QTemporaryDir dir;
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    QFile conf(dir.filePath(QStringLiteral("mosquitto.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n").arg(port).toUtf8());
    if (geteuid() == 0)
        conf.write("user root\n");
    conf.close();
    QProcess broker;
    broker.setProcessChannelMode(QProcess::MergedChannels);
    broker.start(mosquitto, {"-c", conf.fileName()});
    QVERIFY(broker.waitForStarted(5000));

    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(port);
    client.setClientId(cid(QStringLiteral("velm-killed")));
    // The broker may need a moment before it listens.
    QElapsedTimer t;
    t.start();
    while (client.state() != MqttClient::Connected && t.elapsed() < 10000) {
        if (client.state() == MqttClient::Disconnected)
            client.connectToHost();
        QTest::qWait(100);
    }
    QCOMPARE(client.state(), MqttClient::Connected);
    broker.kill();
    QVERIFY(broker.waitForFinished(5000));
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 5000);
    QCOMPARE(client.error(), MqttClient::TransportInvalid);
}

void TestMqttClient::stalledLargestPacket()
{
    // A peer that claims the largest packet and stalls after a few bytes is
    // not refused for the claim; the unanswered keep-alive ends it.
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient stalled;
    stalled.setHostname(QStringLiteral("127.0.0.1"));
    stalled.setPort(peer.port());
    stalled.setKeepAlive(1);
    stalled.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), MqttClient::Connected, 5000);
    peer.send(QByteArray::fromHex("30ffffff7f") + QByteArray(4096, 'x'));
    QTest::qWait(200);
    QCOMPARE(stalled.state(), MqttClient::Connected);
    QTRY_COMPARE_WITH_TIMEOUT(stalled.state(), MqttClient::Disconnected, 5000);
    QCOMPARE(stalled.error(), MqttClient::TransportInvalid);
}

void TestMqttClient::floodIsHandedOverInTurns()
{
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);

    // A zero timer counts the event loop's turns; every message notes the
    // turn it came in.
    int turn = 0;
    QTimer ticker;
    ticker.setInterval(0);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++turn; });
    QList<int> turnOf;
    QList<QByteArray> payloads;
    QObject::connect(&client, &MqttClient::messageReceived, [&](const QByteArray &m, const MqttTopicName &) {
        turnOf.append(turn);
        payloads.append(m);
    });
    const int count = 5000;
    QByteArray flood;
    for (int i = 0; i < count; ++i)
        flood += Mqtt::encodePublish(QStringLiteral("f"), QByteArray::number(i), 0, false);
    ticker.start();
    peer.send(flood);
    QTRY_COMPARE_WITH_TIMEOUT(payloads.size(), count, 10000);
    ticker.stop();
    for (int i = 0; i < count; ++i)
        QCOMPARE(payloads.at(i), QByteArray::number(i));
    int most = 0;
    for (int i = 0; i < count;) {
        int j = i;
        while (j < count && turnOf.at(j) == turnOf.at(i))
            ++j;
        most = qMax(most, j - i);
        i = j;
    }
    QVERIFY2(most <= MqttClient::MaxPacketsPerTurn, qPrintable(QString::number(most)));
    QCOMPARE(client.state(), MqttClient::Connected);
}

void TestMqttClient::floodStaysWithinTheSocketBuffer()
{
    // 24 MB of messages at once, far more than the client handles in a
    // turn: the socket never holds more than its bound, and every message
    // arrives, in order.
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    QList<QByteArray> payloads;
    QObject::connect(&client, &MqttClient::messageReceived,
                     [&](const QByteArray &m, const MqttTopicName &) { payloads.append(m.left(8)); });
    qint64 most = 0;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { most = qMax(most, client.transport()->bytesAvailable()); });
    sample.start(0);
    const int count = 12000;
    QByteArray flood;
    for (int i = 0; i < count; ++i)
        flood += Mqtt::encodePublish(QStringLiteral("f"), QByteArray::number(i).leftJustified(2000, '.'), 0, false);
    peer.send(flood);
    QTRY_COMPARE_WITH_TIMEOUT(payloads.size(), count, 30000);
    sample.stop();
    for (int i = 0; i < count; ++i)
        QCOMPARE(payloads.at(i), QByteArray::number(i).leftJustified(8, '.'));
    QVERIFY2(most <= MqttClient::SocketReadBuffer, qPrintable(QString::number(most)));
    QVERIFY(most > 0);
    QCOMPARE(client.state(), MqttClient::Connected);
}

void TestMqttClient::largeMessageOverTls()
{
    // Several times the socket's bound, through TLS: read on to the end.
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_TLS_PORT");
    VELM_REQUIRE_BROKER_ENV("VELM_MQTT_CA");
    MqttClient client;
    client.setHostname(env("VELM_MQTT_HOST"));
    client.setPort(quint16(env("VELM_MQTT_TLS_PORT").toUInt()));
    client.setClientId(cid(QStringLiteral("velm-tls-big")));
    client.connectToHostEncrypted(TestSupport::brokerCaConfiguration());
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 10000);
    const QString topic = uniqueTopic(QStringLiteral("velm/tlsbig/"));
    QSignalSpy messages(&client, &MqttClient::messageReceived);
    MqttSubscription *sub = client.subscribe(topic);
    QVERIFY(sub);
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    QByteArray payload(5 * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i % 253);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(client.publish(topic, payload), 0);
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 3, 20000);
    for (int i = 0; i < 3; ++i)
        QVERIFY(messages.at(i).at(0).toByteArray() == payload);
    QCOMPARE(client.state(), MqttClient::Connected);
}

void TestMqttClient::webSocketLossEndsTheConnection_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("peer closes") << QStringLiteral("close");
    QTest::newRow("peer aborts") << QStringLiteral("abort");
    QTest::newRow("peer deleted") << QStringLiteral("delete");
    QTest::newRow("owner closes the device") << QStringLiteral("device");
}

void TestMqttClient::webSocketLossEndsTheConnection()
{
    QFETCH(QString, how);
    WsPeer broker;
    QVERIFY(broker.listening);
    WebSocketIODevice device;
    device.setUrl(broker.url());
    device.setProtocol("mqttv3.1");
    MqttClient client;
    client.setKeepAlive(60); // far longer than the test waits
    QObject::connect(&device, &WebSocketIODevice::socketConnected, &client, [&] {
        client.setTransport(&device, MqttClient::IODevice);
        client.connectToHost();
    });
    QVERIFY(device.open(QIODevice::ReadWrite));
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    QVERIFY(broker.peer);

    QSignalSpy states(&client, &MqttClient::stateChanged);
    if (how == QLatin1String("close"))
        broker.peer->close();
    else if (how == QLatin1String("abort"))
        broker.peer->abort();
    else if (how == QLatin1String("delete"))
        delete broker.peer;
    else
        device.close();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Disconnected, 1000);
    QCOMPARE(states.size(), 1);
    QCOMPARE(client.error(), MqttClient::TransportInvalid);
}

void TestMqttClient::resubscribeAtAnotherQos()
{
    FakePeer peer;
    QVERIFY(peer.listening);
    MqttClient client;
    client.setHostname(QStringLiteral("127.0.0.1"));
    client.setPort(peer.port());
    client.connectToHost();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), MqttClient::Connected, 5000);
    const int start = peer.received.size();

    // SUBSCRIBE id 1 "s" QoS 0; the same again sends nothing; QoS 1 sends
    // SUBSCRIBE id 2 for the same subscription object.
    MqttSubscription *sub = client.subscribe(QStringLiteral("s"), 0);
    QVERIFY(sub);
    QCOMPARE(client.subscribe(QStringLiteral("s"), 0), sub);
    QCOMPARE(client.subscribe(QStringLiteral("s"), 1), sub);
    QCOMPARE(sub->state(), MqttSubscription::SubscriptionPending);
    QTRY_COMPARE_WITH_TIMEOUT(peer.received.size(), start + 16, 5000);
    QCOMPARE(peer.received.mid(start).toHex(), QByteArray("82060001000173" "00" "82060002000173" "01"));

    // The answer to the first request leaves the second one pending; the
    // answer to the second decides.
    peer.send(QByteArray::fromHex("9003000100"));
    QTest::qWait(100);
    QCOMPARE(sub->state(), MqttSubscription::SubscriptionPending);
    peer.send(QByteArray::fromHex("9003000201"));
    QTRY_COMPARE_WITH_TIMEOUT(sub->state(), MqttSubscription::Subscribed, 5000);
    QCOMPARE(sub->qos(), quint8(1));
    QCOMPARE(client.subscribe(QStringLiteral("s"), 1), sub);
    QCOMPARE(client.subscribe(QStringLiteral("s"), 2), sub);
    QTRY_COMPARE_WITH_TIMEOUT(peer.received.size(), start + 24, 5000);
    QCOMPARE(peer.received.mid(start + 16).toHex(), QByteArray("82060003000173" "02"));
    QCOMPARE(client.state(), MqttClient::Connected);
}

VELM_TEST_MAIN(TestMqttClient)
#include "tst_mqttclient.moc"
