#include "mqttclient.h"

#include <QElapsedTimer>
#include <QSslError>
#include <QSslSocket>
#include <QTcpSocket>

namespace {

void registerTypes()
{
    static const bool done = [] {
        qRegisterMetaType<MqttTopicName>("MqttTopicName");
        qRegisterMetaType<MqttTopicFilter>("MqttTopicFilter");
        qRegisterMetaType<MqttClient::ClientState>("MqttClient::ClientState");
        qRegisterMetaType<MqttClient::ClientError>("MqttClient::ClientError");
        qRegisterMetaType<MqttSubscription::SubscriptionState>("MqttSubscription::SubscriptionState");
        return true;
    }();
    Q_UNUSED(done);
}

// How long a graceful close may wait for the DISCONNECT to leave.
constexpr int CloseGraceMs = 3000;
// Bytes taken from the transport at a time.
constexpr qint64 ReadChunk = 1024 * 1024;

} // namespace

// ---- MqttSubscription ----

MqttSubscription::MqttSubscription(const MqttTopicFilter &topic, quint8 qos, QObject *parent)
    : QObject(parent), m_topic(topic), m_qos(qos)
{
}

void MqttSubscription::setState(SubscriptionState s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

// ---- MqttClient ----

MqttClient::MqttClient(QObject *parent) : QObject(parent)
{
    registerTypes();
    m_pingTimer.setTimerType(Qt::CoarseTimer);
    connect(&m_pingTimer, &QTimer::timeout, this, &MqttClient::onPingTimer);
    m_connectTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, &MqttClient::onConnectTimeout);
}

MqttClient::~MqttClient()
{
    detachTransport();
}

void MqttClient::setTransport(QIODevice *device, TransportType type)
{
    if (m_state != Disconnected) {
        qWarning("MqttClient: the transport cannot change while a connection is up");
        return;
    }
    if (m_ownTransport && m_transport)
        m_transport->deleteLater();
    m_ownTransport = false;
    m_transport = device;
    m_transportType = device ? type : AbstractSocket;
}

void MqttClient::connectToHost()
{
    startConnect(false, QSslConfiguration());
}

void MqttClient::connectToHostEncrypted(const QSslConfiguration &conf)
{
    startConnect(true, conf);
}

void MqttClient::startConnect(bool encrypted, const QSslConfiguration &conf)
{
    if (m_state != Disconnected)
        return;
    ++m_session;
    m_decoder.reset();
    m_pingPending = false;
    m_qos2Pending.clear();
    setError(NoError, QString());
    setState(Connecting);

    if (m_protocolVersion != MQTT_3_1 && m_protocolVersion != MQTT_3_1_1) {
        failQueued(InvalidProtocolVersion, tr("Protocol version %1 is not supported").arg(int(m_protocolVersion)));
        return;
    }

    if (m_transport && !m_ownTransport) {
        if (encrypted) {
            failQueued(TransportInvalid, tr("TLS cannot be added to a device transport"));
            return;
        }
        QIODevice *dev = m_transport;
        connect(dev, &QIODevice::readyRead, this, &MqttClient::onTransportReadyRead);
        connect(dev, &QIODevice::aboutToClose, this, &MqttClient::onTransportClosed);
        connect(dev, &QIODevice::readChannelFinished, this, &MqttClient::onTransportClosed);
        connect(dev, &QObject::destroyed, this, &MqttClient::onTransportClosed);
        if (!dev->isOpen() && !dev->open(QIODevice::ReadWrite)) {
            failQueued(TransportInvalid, tr("The transport device could not be opened: %1").arg(dev->errorString()));
            return;
        }
        m_connectTimer.start(m_connectTimeoutMs);
        const quint64 session = m_session;
        QTimer::singleShot(0, this, [this, session] {
            if (session == m_session && m_state == Connecting)
                onTransportReady();
        });
        return;
    }

    // Our own socket; an earlier one goes away first.
    if (m_ownTransport && m_transport) {
        detachTransport();
        m_transport->deleteLater();
    }
    m_transport = nullptr;
    m_ownTransport = false;
    if (m_hostname.isEmpty() || m_port == 0) {
        failQueued(TransportInvalid, m_hostname.isEmpty() ? tr("No broker host name") : tr("No broker port"));
        return;
    }
    QAbstractSocket *socket = nullptr;
    if (encrypted) {
        auto *ssl = new QSslSocket(this);
        ssl->setSslConfiguration(conf);
        connect(ssl, &QSslSocket::encrypted, this, &MqttClient::onTransportReady);
        connect(ssl, &QSslSocket::sslErrors, this, &MqttClient::onSslErrors);
        socket = ssl;
        m_transportType = SecureSocket;
    } else {
        socket = new QTcpSocket(this);
        connect(socket, &QAbstractSocket::connected, this, &MqttClient::onTransportReady);
        m_transportType = AbstractSocket;
    }
    // The socket holds a bounded part of a flood: it stops reading once
    // that is full (the broker then waits) and reads on as the packets are
    // handled.
    socket->setReadBufferSize(SocketReadBuffer);
    m_transport = socket;
    m_ownTransport = true;
    connect(socket, &QIODevice::readyRead, this, &MqttClient::onTransportReadyRead);
    connect(socket, &QAbstractSocket::disconnected, this, &MqttClient::onTransportClosed);
    connect(socket, &QAbstractSocket::errorOccurred, this, &MqttClient::onSocketError);
    m_connectTimer.start(m_connectTimeoutMs);
    if (encrypted)
        static_cast<QSslSocket *>(socket)->connectToHostEncrypted(m_hostname, m_port);
    else
        socket->connectToHost(m_hostname, m_port);
}

void MqttClient::disconnectFromHost()
{
    switch (m_state) {
    case Disconnected:
        return;
    case Connecting:
        // An owner's device is left open for its owner to deal with.
        closeTransport(m_ownTransport ? Abort : AlreadyClosed);
        break;
    case Connected:
        closeTransport(Graceful);
        break;
    }
    setState(Disconnected);
    emit disconnected();
}

MqttSubscription *MqttClient::subscribe(const MqttTopicFilter &topic, quint8 qos)
{
    if (m_state != Connected || !topic.isValid() || qos > 2)
        return nullptr;
    MqttSubscription *sub = m_subscriptions.value(topic.filter());
    if (sub && sub->m_requestedQos == qos
        && (sub->state() == MqttSubscription::Subscribed || sub->state() == MqttSubscription::SubscriptionPending))
        return sub;
    const quint16 id = nextPacketId();
    if (id == 0)
        return nullptr;
    if (!sub) {
        sub = new MqttSubscription(topic, qos, this);
        m_subscriptions.insert(topic.filter(), sub);
    }
    sub->m_qos = qos;
    sub->m_requestedQos = qos;
    sub->m_packetId = id;
    m_pendingSubscribes.insert(id, sub);
    sub->setState(MqttSubscription::SubscriptionPending);
    QPointer<MqttSubscription> guard(sub);
    if (!send(Mqtt::encodeSubscribe(id, topic.filter(), qos)))
        return nullptr;
    return guard;
}

qint32 MqttClient::publish(const MqttTopicName &topic, const QByteArray &message, quint8 qos, bool retain)
{
    if (m_state != Connected || !topic.isValid() || qos != 0)
        return -1;
    const QByteArray bytes = Mqtt::encodePublish(topic.name(), message, qos, retain);
    if (bytes.isEmpty())
        return -1;
    return send(bytes) ? 0 : -1;
}

void MqttClient::onTransportReady()
{
    if (m_state != Connecting || !m_transport)
        return;
    Mqtt::ConnectOptions o;
    o.protocolVersion = int(m_protocolVersion);
    o.clientId = m_clientId;
    o.username = m_username;
    o.password = m_password;
    o.keepAlive = m_keepAlive;
    const QString problem = Mqtt::connectFieldProblem(o);
    if (!problem.isEmpty()) {
        fail(ProtocolViolation, problem);
        return;
    }
    if (!send(Mqtt::encodeConnect(o)))
        return;
    if (m_transport && m_transport->bytesAvailable() > 0)
        onTransportReadyRead();
}

void MqttClient::onTransportReadyRead()
{
    // Already behind: the queued turn reads the new bytes too.
    if (m_processingQueued)
        return;
    processIncoming();
}

void MqttClient::processIncoming()
{
    if (m_state == Disconnected || !m_transport)
        return;
    const quint64 session = m_session;
    QPointer<MqttClient> self(this);
    QElapsedTimer turn;
    turn.start();
    int handled = 0;
    for (;;) {
        Mqtt::Packet p;
        const Mqtt::PacketDecoder::Result r = m_decoder.next(p);
        if (r == Mqtt::PacketDecoder::Malformed) {
            fail(ProtocolViolation, tr("Malformed data from the broker: %1").arg(m_decoder.errorString()));
            return;
        }
        if (r == Mqtt::PacketDecoder::NeedMore) {
            // Bytes are taken from the transport only when no whole packet
            // waits, so the decoder holds at most one partial packet plus
            // what one read brought.
            if (!m_transport)
                return;
            const QByteArray chunk = m_transport->read(ReadChunk);
            if (chunk.isEmpty())
                return;
            m_decoder.feed(chunk);
            if (turn.elapsed() >= MaxMsPerTurn) {
                scheduleProcessing();
                return;
            }
            continue;
        }
        handlePacket(p);
        if (!self || session != m_session)
            return;
        if (++handled >= MaxPacketsPerTurn || turn.elapsed() >= MaxMsPerTurn) {
            scheduleProcessing();
            return;
        }
    }
}

void MqttClient::scheduleProcessing()
{
    if (m_processingQueued)
        return;
    m_processingQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_processingQueued = false;
        processIncoming();
    });
}

void MqttClient::handlePacket(const Mqtt::Packet &p)
{
    QString why;
    if (m_state == Connecting) {
        Mqtt::ConnackData ack;
        if (p.type != Mqtt::Connack) {
            fail(ProtocolViolation, tr("The broker sent packet type %1 before CONNACK").arg(p.type));
            return;
        }
        if (!Mqtt::parseConnack(p, ack, &why)) {
            fail(ProtocolViolation, why);
            return;
        }
        if (ack.returnCode != 0) {
            const ClientError e = ack.returnCode <= 5 ? ClientError(ack.returnCode) : ProtocolViolation;
            fail(e, tr("The broker refused the connection (return code %1)").arg(ack.returnCode));
            return;
        }
        m_connectTimer.stop();
        if (m_keepAlive > 0)
            m_pingTimer.start(int(m_keepAlive) * 1000);
        setState(Connected);
        emit connected();
        return;
    }

    switch (p.type) {
    case Mqtt::Publish: {
        Mqtt::PublishData pub;
        if (!Mqtt::parsePublish(p, pub, &why)) {
            fail(ProtocolViolation, why);
            return;
        }
        if (pub.qos == 1) {
            if (!send(Mqtt::encodeIdOnly(Mqtt::Puback, pub.packetId)))
                return;
        } else if (pub.qos == 2) {
            if (!send(Mqtt::encodeIdOnly(Mqtt::Pubrec, pub.packetId)))
                return;
            // A repeated QoS 2 message whose PUBREL has not come yet was
            // already delivered once.
            if (m_qos2Pending.contains(pub.packetId))
                return;
            m_qos2Pending.insert(pub.packetId);
        }
        emit messageReceived(pub.payload, MqttTopicName(pub.topic));
        return;
    }
    case Mqtt::Pubrel: {
        quint16 id = 0;
        if (!Mqtt::parsePacketId(p, id, &why)) {
            fail(ProtocolViolation, why);
            return;
        }
        m_qos2Pending.remove(id);
        send(Mqtt::encodeIdOnly(Mqtt::Pubcomp, id));
        return;
    }
    case Mqtt::Suback: {
        Mqtt::SubackData ack;
        if (!Mqtt::parseSuback(p, ack, &why)) {
            fail(ProtocolViolation, why);
            return;
        }
        MqttSubscription *sub = m_pendingSubscribes.take(ack.packetId);
        if (!sub || ack.returnCodes.size() != 1) {
            fail(ProtocolViolation, tr("SUBACK for no request of ours (id %1)").arg(ack.packetId));
            return;
        }
        // The answer to an earlier SUBSCRIBE of a filter asked for again:
        // the latest request decides.
        if (sub->m_packetId != ack.packetId)
            return;
        sub->m_packetId = 0;
        if (ack.returnCodes.first() == 0x80) {
            sub->setState(MqttSubscription::Error);
        } else {
            sub->m_qos = ack.returnCodes.first();
            sub->setState(MqttSubscription::Subscribed);
        }
        return;
    }
    case Mqtt::Pingresp:
        if (!Mqtt::parseEmpty(p, &why)) {
            fail(ProtocolViolation, why);
            return;
        }
        m_pingPending = false;
        return;
    default:
        fail(ProtocolViolation, tr("Unexpected packet type %1 from the broker").arg(p.type));
        return;
    }
}

void MqttClient::onTransportClosed()
{
    if (m_state == Disconnected)
        return;
    fail(TransportInvalid, tr("The connection to the broker was closed"), AlreadyClosed);
}

void MqttClient::onSocketError(QAbstractSocket::SocketError)
{
    if (m_state == Disconnected || !m_transport)
        return;
    QString text = m_transport->errorString();
    if (!m_errorString.isEmpty()) // TLS errors recorded just before
        text = m_errorString + QStringLiteral("; ") + text;
    fail(TransportInvalid, text);
}

void MqttClient::onSslErrors()
{
    auto *ssl = qobject_cast<QSslSocket *>(m_transport.data());
    if (!ssl)
        return;
    QStringList texts;
    for (const QSslError &e : ssl->sslHandshakeErrors())
        texts << e.errorString();
    // Not ignored: the handshake fails and the socket reports the error.
    m_errorString = texts.join(QStringLiteral("; "));
}

void MqttClient::onPingTimer()
{
    if (m_state != Connected)
        return;
    if (m_pingPending) {
        fail(TransportInvalid, tr("The broker did not answer the keep-alive ping"));
        return;
    }
    if (send(Mqtt::encodePingreq()))
        m_pingPending = true;
}

void MqttClient::onConnectTimeout()
{
    if (m_state == Connecting)
        fail(TransportInvalid, tr("No answer from the broker within %1 ms").arg(m_connectTimeoutMs));
}

void MqttClient::setState(ClientState s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

void MqttClient::setError(ClientError e, const QString &text)
{
    m_errorString = text;
    if (m_error == e)
        return;
    m_error = e;
    emit errorChanged(e);
}

bool MqttClient::send(const QByteArray &bytes)
{
    if (!m_transport)
        return false;
    const qint64 n = m_transport->write(bytes);
    if (n != bytes.size()) {
        // A partial packet would corrupt the stream for good.
        fail(TransportInvalid, tr("Writing to the broker failed: %1").arg(m_transport->errorString()));
        return false;
    }
    return true;
}

void MqttClient::fail(ClientError e, const QString &text, CloseMode mode)
{
    if (m_state == Disconnected)
        return;
    closeTransport(mode);
    setError(e, text);
    setState(Disconnected);
    emit disconnected();
}

void MqttClient::failQueued(ClientError e, const QString &text)
{
    const quint64 session = m_session;
    QTimer::singleShot(0, this, [this, session, e, text] {
        if (session == m_session)
            fail(e, text, AlreadyClosed);
    });
}

void MqttClient::closeTransport(CloseMode mode)
{
    ++m_session;
    m_pingTimer.stop();
    m_connectTimer.stop();
    m_pingPending = false;
    m_decoder.reset();
    m_qos2Pending.clear();
    m_pendingSubscribes.clear();
    const QList<MqttSubscription *> subs = m_subscriptions.values();
    m_subscriptions.clear();
    for (MqttSubscription *s : subs) {
        s->setState(MqttSubscription::Unsubscribed);
        s->deleteLater();
    }

    QIODevice *dev = m_transport;
    if (!dev)
        return;
    detachTransport();
    if (mode == Graceful && m_state == Connected)
        dev->write(Mqtt::encodeDisconnect());
    if (!m_ownTransport) {
        // The owner's device: after DISCONNECT the broker closes the link
        // itself; after a failure the link is unusable and is closed here.
        if (mode == Abort)
            dev->close();
        return;
    }
    auto *socket = static_cast<QAbstractSocket *>(dev);
    m_transport = nullptr;
    m_ownTransport = false;
    if (mode == Graceful && socket->state() == QAbstractSocket::ConnectedState) {
        // The socket outlives the client if need be, so deleting the client
        // right after disconnecting does not cut the DISCONNECT off.
        socket->setParent(nullptr);
        connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(CloseGraceMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->disconnectFromHost();
    } else {
        socket->abort();
        socket->deleteLater();
    }
}

void MqttClient::detachTransport()
{
    if (m_transport)
        disconnect(m_transport, nullptr, this, nullptr);
}

quint16 MqttClient::nextPacketId()
{
    for (int tries = 0; tries < 65535; ++tries) {
        m_lastPacketId = m_lastPacketId == 65535 ? 1 : m_lastPacketId + 1;
        if (!m_pendingSubscribes.contains(m_lastPacketId))
            return m_lastPacketId;
    }
    return 0;
}
