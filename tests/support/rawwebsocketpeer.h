#pragma once
// A WebSocket server written by hand, so it can send what a well-behaved
// one never would: one frame announced larger than any limit, a message in
// endless fragments, or messages faster than anyone reads them. It sends
// while the client takes the bytes (at most 4 MiB wait in its socket), up
// to `total` payload bytes.
//
// As an MQTT broker it first answers the client's CONNECT with a CONNACK
// (accepted) and only then sends; the message may begin with bytes of the
// test's choice (a fixed header, say) in place of the usual pattern.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class RawWebSocketPeer : public QObject
{
    Q_OBJECT
public:
    enum Mode { OneFrame, Fragments, SmallMessages };
    RawWebSocketPeer(Mode mode, qint64 total, QObject *parent = nullptr);

    // Answer CONNECT with CONNACK before sending; the message starts with
    // `head` (counted in `total`).
    void actAsBroker(const QByteArray &head);

    QUrl url() const;
    quint16 port() const { return server.serverPort(); }
    // Payload byte i of the stream (outside the head).
    static char byteAt(qint64 i) { return char(i % 251); }
    // The frame header of a server frame (unmasked) with this first byte.
    static QByteArray frameHeader(quint8 first, qint64 length);
    // The start of an MQTT PUBLISH (QoS 0, topic "t") whose fixed header
    // announces this remaining length.
    static QByteArray publishHead(qint64 remainingLength);
    // A remaining length near `about` whose packet ends where the pattern
    // has a 0 byte: a packet type no broker sends.
    static qint64 lengthEndingAtZero(qint64 about);

    QTcpServer server;
    QPointer<QTcpSocket> socket;
    qint64 sent = 0;
    bool listening = false;

private:
    void onRead();
    QByteArray payload(qint64 n) const;
    void pump();

    Mode m_mode;
    qint64 m_total;
    QByteArray m_request;
    bool m_handshaken = false;
    bool m_broker = false;
    bool m_acked = false;
    QByteArray m_head;
};
