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
// ("too much data") and limitProblem() says which limit was passed.

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

    // By default a message may be as large as the largest MQTT packet, and
    // 16 MiB may wait unread before another message is taken.
    void setLimits(qint64 maxMessageSize, qint64 maxWaiting);
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

    QByteArray protocol;
    QByteArray buffer;
    qsizetype m_readPos = 0; // bytes of buffer already read
    qint64 m_maxMessage;
    qint64 m_maxWaiting;
    QString m_limitProblem;
    QSslConfiguration sslConfiguration;
    QUrl url;
};
