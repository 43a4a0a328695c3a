#include "websocketiodevice.h"

#include <QTimer>
#include <QWebSocketHandshakeOptions>
#include <cstring>

namespace {
// Unread bytes that may wait before a new message is refused.
constexpr qint64 kDefaultMaxWaiting = 16 * 1024 * 1024;
// A peer that does not answer our closing handshake is cut off after this.
constexpr int kCloseGraceMs = 2000;
} // namespace

WebSocketIODevice::WebSocketIODevice(QObject *parent)
    : QIODevice(parent), m_socket(QString(), QWebSocketProtocol::Version13, nullptr),
      m_maxMessage(DefaultMaxMessage), m_maxWaiting(kDefaultMaxWaiting)
{
    setLimits(m_maxMessage, m_maxWaiting);
    connect(&m_socket, &QWebSocket::connected, this, &WebSocketIODevice::onSocketConnected);
    // Each frame is looked at as it comes; the message is taken when whole
    // (the socket has kept it meanwhile, so it is not copied).
    connect(&m_socket, &QWebSocket::binaryFrameReceived, this, &WebSocketIODevice::onFrame);
    connect(&m_socket, &QWebSocket::binaryMessageReceived, this, &WebSocketIODevice::handleBinaryMessage);
    connect(&m_socket, &QWebSocket::stateChanged, this, &WebSocketIODevice::onSocketStateChanged);
    // The end of the stream, for a reader such as the MQTT client that
    // knows the device only as a QIODevice.
    connect(&m_socket, &QWebSocket::disconnected, this, &QIODevice::readChannelFinished);
}

WebSocketIODevice::~WebSocketIODevice() = default;

void WebSocketIODevice::setLimits(qint64 maxMessageSize, qint64 maxWaiting)
{
    m_maxMessage = maxMessageSize;
    m_maxWaiting = maxWaiting;
    // Checked by the socket as frames come in: a frame or message over the
    // limit is refused from its header on, before its bytes are kept.
    m_socket.setMaxAllowedIncomingFrameSize(quint64(maxMessageSize));
    m_socket.setMaxAllowedIncomingMessageSize(quint64(maxMessageSize));
}

bool WebSocketIODevice::isSequential() const
{
    return true;
}

bool WebSocketIODevice::open(QIODevice::OpenMode mode)
{
    QWebSocketHandshakeOptions options;
    options.setSubprotocols({QString::fromUtf8(protocol)});
    if (useSsl)
        m_socket.setSslConfiguration(sslConfiguration);
    m_limitProblem.clear();
    m_messageSoFar = 0;
    m_headerRead = 0;
    m_lengthRead = 0;
    m_packetLeft = 0;
    m_socket.open(url, options);
    return QIODevice::open(mode);
}

void WebSocketIODevice::close()
{
    // A connection gets the closing handshake; a handshake still under way
    // has none to send and is dropped.
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.close(QWebSocketProtocol::CloseCodeNormal, QString());
    else
        m_socket.abort();
    QIODevice::close();
}

qint64 WebSocketIODevice::bytesAvailable() const
{
    return buffer.size() - m_readPos + QIODevice::bytesAvailable();
}

void WebSocketIODevice::handleBinaryMessage(const QByteArray &msg)
{
    if (!m_limitProblem.isEmpty())
        return;
    if (buffer.size() - m_readPos > m_maxWaiting) {
        refuse(tr("more than %1 bytes from the broker waited unread").arg(m_maxWaiting));
        return;
    }
    // Read bytes are dropped once they are at least half the buffer, so
    // each byte is moved a bounded number of times.
    if (m_readPos > 0 && m_readPos >= buffer.size() / 2) {
        buffer.remove(0, m_readPos);
        m_readPos = 0;
    }
    buffer.append(msg);
    emit readyRead();
}

void WebSocketIODevice::onFrame(const QByteArray &frame, bool isLastFrame)
{
    if (!m_limitProblem.isEmpty())
        return;
    // The socket refuses a frame or message over the limit before keeping
    // it; this is the same limit, for a socket that does not.
    m_messageSoFar += frame.size();
    if (m_messageSoFar > m_maxMessage) {
        refuse(tr("the broker sent a message larger than %1 bytes").arg(m_maxMessage));
        return;
    }
    if (m_mqttStream && !followMqttPackets(frame)) {
        refuse(tr("the broker sent data that is no MQTT packet"));
        return;
    }
    if (isLastFrame)
        m_messageSoFar = 0;
}

// Walks the fixed headers of the packets in these bytes (the bodies are
// only counted). False at a byte that cannot start or continue a header:
// a reserved packet type (0 or 15) or a remaining length of more than four
// bytes.
bool WebSocketIODevice::followMqttPackets(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const qint64 n = bytes.size();
    qint64 i = 0;
    while (i < n) {
        if (m_packetLeft > 0) {
            const qint64 step = qMin(m_packetLeft, n - i);
            m_packetLeft -= step;
            i += step;
            continue;
        }
        const uchar b = p[i++];
        if (m_headerRead == 0) {
            const int type = b >> 4;
            if (type == 0 || type == 15)
                return false;
            m_headerRead = 1;
            m_lengthRead = 0;
            continue;
        }
        m_lengthRead |= qint64(b & 0x7f) << (7 * (m_headerRead - 1));
        ++m_headerRead;
        if (b & 0x80) {
            if (m_headerRead == 5)
                return false;
            continue;
        }
        m_packetLeft = m_lengthRead;
        m_headerRead = 0;
    }
    return true;
}

void WebSocketIODevice::onSocketConnected()
{
    emit socketConnected();
}

void WebSocketIODevice::onSocketStateChanged(QAbstractSocket::SocketState state)
{
    // The socket refuses an oversized frame or message by closing with
    // "too much data"; the peer that sent it is not waited for.
    if (state == QAbstractSocket::ClosingState && m_limitProblem.isEmpty()
        && m_socket.closeCode() == QWebSocketProtocol::CloseCodeTooMuchData)
        refuse(tr("the broker sent a message larger than %1 bytes").arg(m_maxMessage));
}

void WebSocketIODevice::refuse(const QString &why)
{
    m_limitProblem = why;
    buffer.clear();
    m_readPos = 0;
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        m_socket.close(QWebSocketProtocol::CloseCodeTooMuchData, why);
    // Whatever the peer still sends is not read: the link goes after a
    // short wait for its answer to the closing handshake.
    QTimer::singleShot(kCloseGraceMs, this, [this] {
        if (m_socket.state() != QAbstractSocket::UnconnectedState)
            m_socket.abort();
    });
}

qint64 WebSocketIODevice::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(maxSize, qint64(buffer.size() - m_readPos));
    if (n > 0) {
        std::memcpy(data, buffer.constData() + m_readPos, size_t(n));
        m_readPos += n;
        // Read bytes are dropped in one go, not one read at a time.
        if (m_readPos == buffer.size()) {
            buffer.clear();
            m_readPos = 0;
        }
    }
    return n;
}

qint64 WebSocketIODevice::writeData(const char *data, qint64 size)
{
    return m_socket.sendBinaryMessage(QByteArray(data, size));
}
