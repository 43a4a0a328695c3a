#pragma once
// A small MQTT 3.1 / 3.1.1 client: connect, subscribe, publish with QoS 0,
// receive with QoS 0, 1 and 2, keep-alive pings. It runs over its own TCP
// socket, its own TLS socket, or any byte-stream device the owner supplies
// (for example a WebSocket device). Everything happens in the thread the
// client lives in; no call blocks.

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>

#include <QAbstractSocket>

#include "mqttpacket.h"

class MqttTopicName
{
public:
    MqttTopicName(const QString &name = QString()) : m_name(name) {}
    MqttTopicName(const char *name) : m_name(QString::fromUtf8(name)) {}
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    // Not empty, at most 65535 UTF-8 bytes, no U+0000, no wildcard.
    bool isValid() const { return Mqtt::isValidTopicName(m_name); }
    bool operator==(const MqttTopicName &o) const { return m_name == o.m_name; }
    bool operator!=(const MqttTopicName &o) const { return m_name != o.m_name; }

private:
    QString m_name;
};

class MqttTopicFilter
{
public:
    MqttTopicFilter(const QString &filter = QString()) : m_filter(filter) {}
    MqttTopicFilter(const char *filter) : m_filter(QString::fromUtf8(filter)) {}
    QString filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    // "+" stands alone in its level; "#" stands alone in the last level.
    bool isValid() const { return Mqtt::isValidTopicFilter(m_filter); }
    bool operator==(const MqttTopicFilter &o) const { return m_filter == o.m_filter; }
    bool operator!=(const MqttTopicFilter &o) const { return m_filter != o.m_filter; }

private:
    QString m_filter;
};

Q_DECLARE_METATYPE(MqttTopicName)
Q_DECLARE_METATYPE(MqttTopicFilter)

// One subscription of a client, owned by the client. Subscribing to the same
// filter again gives the same object (at a different QoS it is asked for
// again).
class MqttSubscription : public QObject
{
    Q_OBJECT
public:
    enum SubscriptionState { Unsubscribed = 0, SubscriptionPending, Subscribed, Error };
    Q_ENUM(SubscriptionState)

    MqttTopicFilter topic() const { return m_topic; }
    // The QoS asked for; after the broker's answer, the QoS it granted.
    quint8 qos() const { return m_qos; }
    SubscriptionState state() const { return m_state; }

signals:
    void stateChanged(MqttSubscription::SubscriptionState state);

private:
    friend class MqttClient;
    MqttSubscription(const MqttTopicFilter &topic, quint8 qos, QObject *parent);
    void setState(SubscriptionState s);

    MqttTopicFilter m_topic;
    quint8 m_qos = 0;
    quint8 m_requestedQos = 0;
    SubscriptionState m_state = Unsubscribed;
    quint16 m_packetId = 0; // of the latest SUBSCRIBE not yet acknowledged
};

class MqttClient : public QObject
{
    Q_OBJECT
public:
    enum TransportType { IODevice = 0, AbstractSocket, SecureSocket };
    Q_ENUM(TransportType)
    enum ClientState { Disconnected = 0, Connecting, Connected };
    Q_ENUM(ClientState)
    // 1 to 5 are the broker's CONNACK return codes.
    enum ClientError {
        NoError = 0,
        InvalidProtocolVersion = 1,
        IdRejected = 2,
        ServerUnavailable = 3,
        BadUsernameOrPassword = 4,
        NotAuthorized = 5,
        TransportInvalid = 256,
        ProtocolViolation = 257,
        UnknownError = 258,
    };
    Q_ENUM(ClientError)
    enum ProtocolVersion { MQTT_3_1 = 3, MQTT_3_1_1 = 4 };
    Q_ENUM(ProtocolVersion)

    // Incoming packets handled in one turn of the event loop at most; the
    // rest follow in the next turns, so a flood never holds the loop.
    static constexpr int MaxPacketsPerTurn = 64;
    static constexpr int MaxMsPerTurn = 20;
    // Bytes our own TCP or TLS socket holds unread at most.
    static constexpr qint64 SocketReadBuffer = 1024 * 1024;

    explicit MqttClient(QObject *parent = nullptr);
    ~MqttClient() override;

    QString hostname() const { return m_hostname; }
    void setHostname(const QString &hostname) { m_hostname = hostname; }
    quint16 port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }
    QString clientId() const { return m_clientId; }
    void setClientId(const QString &id) { m_clientId = id; }
    QString username() const { return m_username; }
    void setUsername(const QString &name) { m_username = name; }
    QString password() const { return m_password; }
    void setPassword(const QString &password) { m_password = password; }
    ProtocolVersion protocolVersion() const { return m_protocolVersion; }
    void setProtocolVersion(ProtocolVersion version) { m_protocolVersion = version; }
    // Seconds between pings while connected; 0 switches pings off.
    quint16 keepAlive() const { return m_keepAlive; }
    void setKeepAlive(quint16 seconds) { m_keepAlive = seconds; }
    // How long to wait for the broker's CONNACK after the transport is up.
    int connectTimeout() const { return m_connectTimeoutMs; }
    void setConnectTimeout(int ms) { m_connectTimeoutMs = ms; }

    // An owner-supplied byte stream (type IODevice); the client neither owns
    // nor closes it. Without one the client makes its own socket.
    void setTransport(QIODevice *device, TransportType type);
    QIODevice *transport() const { return m_transport; }
    TransportType transportType() const { return m_transportType; }

    ClientState state() const { return m_state; }
    ClientError error() const { return m_error; }
    // Text of the last transport or protocol failure, for logs.
    QString errorString() const { return m_errorString; }

    void connectToHost();
    void connectToHostEncrypted(const QSslConfiguration &conf);
    void disconnectFromHost();

    // Null when not connected or when the filter is not valid. The same
    // filter at the same QoS again gives the existing subscription; at a
    // different QoS a new SUBSCRIBE goes out for it.
    MqttSubscription *subscribe(const MqttTopicFilter &topic, quint8 qos = 0);
    // 0 when the message was handed to the transport, -1 when it was not
    // (not connected, invalid topic, QoS other than 0, too large).
    qint32 publish(const MqttTopicName &topic, const QByteArray &message = QByteArray(), quint8 qos = 0,
                   bool retain = false);

signals:
    void stateChanged(MqttClient::ClientState state);
    void errorChanged(MqttClient::ClientError error);
    void messageReceived(const QByteArray &message, const MqttTopicName &topic);
    void connected();
    void disconnected();

private slots:
    void onTransportReady();
    void onTransportReadyRead();
    void processIncoming();
    void onTransportClosed();
    void onSocketError(QAbstractSocket::SocketError error);
    void onSslErrors();
    void onPingTimer();
    void onConnectTimeout();

private:
    // Graceful: DISCONNECT, then close; Abort: drop the link at once;
    // AlreadyClosed: the link is gone (or is not ours to close), only detach.
    enum CloseMode { Graceful, Abort, AlreadyClosed };
    void startConnect(bool encrypted, const QSslConfiguration &conf);
    void setState(ClientState s);
    void setError(ClientError e, const QString &text);
    bool send(const QByteArray &bytes);
    void handlePacket(const Mqtt::Packet &p);
    void fail(ClientError e, const QString &text, CloseMode mode = Abort);
    void failQueued(ClientError e, const QString &text);
    void closeTransport(CloseMode mode);
    void scheduleProcessing();
    void detachTransport();
    quint16 nextPacketId();

    QString m_hostname;
    quint16 m_port = 1883;
    QString m_clientId;
    QString m_username;
    QString m_password;
    ProtocolVersion m_protocolVersion = MQTT_3_1_1;
    quint16 m_keepAlive = 60;
    int m_connectTimeoutMs = 10000;

    QPointer<QIODevice> m_transport;
    TransportType m_transportType = AbstractSocket;
    bool m_ownTransport = false;

    ClientState m_state = Disconnected;
    ClientError m_error = NoError;
    QString m_errorString;
    quint64 m_session = 0; // bumped whenever a connection ends

    Mqtt::PacketDecoder m_decoder;
    QTimer m_pingTimer;
    QTimer m_connectTimer;
    bool m_pingPending = false;
    bool m_processingQueued = false;
    quint16 m_lastPacketId = 0;
    QHash<QString, MqttSubscription *> m_subscriptions;
    QHash<quint16, MqttSubscription *> m_pendingSubscribes; // SUBSCRIBE packet id -> its subscription
    QSet<quint16> m_qos2Pending; // QoS 2 messages delivered, PUBREL not yet seen
};

