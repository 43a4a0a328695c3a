#pragma once
// A WebSocket connection as a sequential byte-stream device: every write is
// sent as one binary message, every binary message received is appended to
// the read buffer. Text messages are not read. Its owner listens to
// socket()'s disconnected and error signals; a reader that knows only the
// QIODevice sees the end of the stream as readChannelFinished().

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
    QByteArray protocol;
    QByteArray buffer;
    QSslConfiguration sslConfiguration;
    QUrl url;
};
