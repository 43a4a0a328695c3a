#include "websocketiodevice.h"

#include <QWebSocketHandshakeOptions>
#include <cstring>

WebSocketIODevice::WebSocketIODevice(QObject *parent)
    : QIODevice(parent), m_socket(QString(), QWebSocketProtocol::Version13, nullptr)
{
    connect(&m_socket, &QWebSocket::connected, this, &WebSocketIODevice::onSocketConnected);
    connect(&m_socket, &QWebSocket::binaryMessageReceived, this, &WebSocketIODevice::handleBinaryMessage);
    // The end of the stream, for a reader such as the MQTT client that
    // knows the device only as a QIODevice.
    connect(&m_socket, &QWebSocket::disconnected, this, &QIODevice::readChannelFinished);
}

WebSocketIODevice::~WebSocketIODevice() = default;

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
    return buffer.size() + QIODevice::bytesAvailable();
}

void WebSocketIODevice::handleBinaryMessage(const QByteArray &msg)
{
    buffer.append(msg);
    emit readyRead();
}

void WebSocketIODevice::onSocketConnected()
{
    emit socketConnected();
}

qint64 WebSocketIODevice::readData(char *data, qint64 maxSize)
{
    const qint64 n = qMin(maxSize, qint64(buffer.size()));
    if (n > 0) {
        std::memcpy(data, buffer.constData(), size_t(n));
        buffer.remove(0, n);
    }
    return n;
}

qint64 WebSocketIODevice::writeData(const char *data, qint64 size)
{
    return m_socket.sendBinaryMessage(QByteArray(data, size));
}
