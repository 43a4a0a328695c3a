#pragma once
// A minimal HTTP/1.1 server on 127.0.0.1 for the rate-feed tests: answers
// every GET with one configured response, or never answers at all.

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

class FeedServer : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Respond, Hang };

    FeedServer();
    bool listen();
    QString base() const; // "http://127.0.0.1:<port>"

    void respond(int status, const QByteArray &body, int delayMs = 0);
    void hang() { m_mode = Mode::Hang; }

    int requestCount() const { return m_paths.size(); }
    QList<QByteArray> paths() const { return m_paths; }

private:
    void onConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket);

    QTcpServer m_server;
    Mode m_mode = Mode::Respond;
    int m_status = 200;
    QByteArray m_body;
    int m_delayMs = 0;
    QList<QByteArray> m_paths;
};
