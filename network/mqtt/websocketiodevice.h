#pragma once
// A WebSocket connection as a sequential byte-stream device: every write is
// sent as one binary message, every binary message received is appended to
// the read buffer. Text messages are not read. Its owner listens to
// socket()'s disconnected and error signals; a reader that knows only the
// QIODevice sees the end of the stream as readChannelFinished().
//
// What a peer can make it hold is bounded: a message larger than
// maxMessageSize() is refused, and so is a message that arrives while more
// than maxWaiting() bytes still wait unread; either closes the connection
// ("too much data") and limitProblem() says which limit was passed. The
// size of a message is checked frame by frame as it arrives, not once it
// is whole. When the stream carries MQTT (setMqttStream), the fixed header
// of each packet says how far the packet goes: a message that runs on past
// its packets into bytes that start no packet is refused at once.

#include <QByteArray>
#include <QIODevice>
#include <QSslConfiguration>
#include <QUrl>
#include <QWebSocket>

class WebSocketIODevice : public QIODevice
{
    Q_OBJECT
public:
    explicit WebSocketIODevice(QObject *parent = nullptr);
    ~WebSocketIODevice() override;

    void setUrl(const QUrl &url) { this->url = url; }
    void setProtocol(const QByteArray &protocol) { this->protocol = protocol; }
    // Stored only; applied at open() when useSsl is true.
    void setSslConfiguration(const QSslConfiguration &conf) { sslConfiguration = conf; }
    QWebSocket *socket() { return &m_socket; }

    // By default a message may be 255 MiB large, and 16 MiB may wait unread
    // before another message is taken. (The socket keeps a message being
    // received in one buffer; growing that buffer past 256 MiB would copy
    // all of it, for a moment twice the memory.)
    static constexpr qint64 DefaultMaxMessage = 255 * 1024 * 1024;
    void setLimits(qint64 maxMessageSize, qint64 maxWaiting);
    // Off by default: any bytes may come.
    void setMqttStream(bool on) { m_mqttStream = on; }
    qint64 maxMessageSize() const { return m_maxMessage; }
    qint64 maxWaiting() const { return m_maxWaiting; }
    // Why the connection was closed for too much data; empty otherwise.
    QString limitProblem() const { return m_limitProblem; }

    bool isSequential() const override;
    bool open(QIODevice::OpenMode mode) override;
    void close() override;
    qint64 bytesAvailable() const override;

signals:
    void socketConnected();

public slots:
    void handleBinaryMessage(const QByteArray &msg);
    void onSocketConnected();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QWebSocket m_socket;

public:
    bool useSsl = false;

private:
    void refuse(const QString &why);
    void onSocketStateChanged(QAbstractSocket::SocketState state);
    void onFrame(const QByteArray &frame, bool isLastFrame);
    bool followMqttPackets(const QByteArray &bytes);

    QByteArray protocol;
    QByteArray buffer;
    qsizetype m_readPos = 0; // bytes of buffer already read
    qint64 m_maxMessage;
    qint64 m_maxWaiting;
    QString m_limitProblem;
    qint64 m_messageSoFar = 0; // bytes of the message now arriving
    // Where the stream stands in its MQTT packets: bytes of the fixed
    // header read (0 at a packet's start), the remaining length read so
    // far, and the bytes of the packet still to come after its header.
    bool m_mqttStream = false;
    int m_headerRead = 0;
    qint64 m_lengthRead = 0;
    qint64 m_packetLeft = 0;
    QSslConfiguration sslConfiguration;
    QUrl url;
};
