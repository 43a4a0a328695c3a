#include "rawwebsocketpeer.h"

#include <QCryptographicHash>

RawWebSocketPeer::RawWebSocketPeer(Mode mode, qint64 total, QObject *parent)
    : QObject(parent), m_mode(mode), m_total(total)
{
    connect(&server, &QTcpServer::newConnection, this, [this] {
        socket = server.nextPendingConnection();
        connect(socket, &QTcpSocket::readyRead, this, &RawWebSocketPeer::onRead);
        connect(socket, &QTcpSocket::bytesWritten, this, &RawWebSocketPeer::pump);
    });
    listening = server.listen(QHostAddress::LocalHost, 0);
}

void RawWebSocketPeer::actAsBroker(const QByteArray &head)
{
    m_broker = true;
    m_head = head;
}

QUrl RawWebSocketPeer::url() const
{
    return QUrl(QStringLiteral("ws://127.0.0.1:%1/mqtt").arg(server.serverPort()));
}

void RawWebSocketPeer::onRead()
{
    m_request += socket->readAll();
    if (!m_handshaken) {
        const qsizetype end = m_request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        QByteArray key;
        for (const QByteArray &line : m_request.left(end).split('\n')) {
            if (line.toLower().startsWith("sec-websocket-key:"))
                key = line.mid(18).trimmed();
        }
        const QByteArray accept =
            QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11", QCryptographicHash::Sha1).toBase64();
        socket->write("HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                      "Sec-WebSocket-Protocol: mqttv3.1\r\nSec-WebSocket-Accept: "
                      + accept + "\r\n\r\n");
        m_handshaken = true;
        m_request.remove(0, end + 4);
    }
    // What the client sends after the handshake is its CONNECT (and maybe
    // more); whatever it is, the first bytes of it get the CONNACK.
    if (m_broker && !m_acked && !m_request.isEmpty()) {
        socket->write(frameHeader(0x82, 4) + QByteArray("\x20\x02\x00\x00", 4));
        m_acked = true;
    }
    m_request.clear();
    pump();
}

QByteArray RawWebSocketPeer::frameHeader(quint8 first, qint64 length)
{
    QByteArray h(1, char(first));
    if (length < 126) {
        h += char(length);
    } else if (length < 65536) {
        h += char(126);
        h += char(length >> 8);
        h += char(length & 0xff);
    } else {
        h += char(127);
        for (int shift = 56; shift >= 0; shift -= 8)
            h += char((length >> shift) & 0xff);
    }
    return h;
}

QByteArray RawWebSocketPeer::publishHead(qint64 remainingLength)
{
    QByteArray h(1, char(0x30));
    qint64 left = remainingLength;
    do {
        char b = char(left % 128);
        left /= 128;
        if (left > 0)
            b = char(b | 0x80);
        h += b;
    } while (left > 0);
    return h + QByteArray("\x00\x01t", 3);
}

qint64 RawWebSocketPeer::lengthEndingAtZero(qint64 about)
{
    qint64 r = about;
    while ((publishHead(r).size() - 3 + r) % 251 != 0)
        ++r;
    return r;
}

QByteArray RawWebSocketPeer::payload(qint64 n) const
{
    QByteArray p(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i) {
        const qint64 at = sent + i;
        p[i] = at < m_head.size() ? m_head.at(at) : byteAt(at);
    }
    return p;
}

void RawWebSocketPeer::pump()
{
    constexpr qint64 piece = 1024 * 1024;
    while (m_handshaken && (!m_broker || m_acked) && socket && socket->state() == QAbstractSocket::ConnectedState
           && sent < m_total && socket->bytesToWrite() < 4 * piece) {
        const qint64 n = qMin(piece, m_total - sent);
        QByteArray out;
        if (m_mode == OneFrame) {
            if (sent == 0)
                out = frameHeader(0x82, m_total);
        } else if (m_mode == Fragments) {
            const bool last = sent + n == m_total;
            out = frameHeader(quint8((last ? 0x80 : 0x00) | (sent == 0 ? 0x02 : 0x00)), n);
        } else {
            const qint64 small = qMin<qint64>(1000, n);
            for (qint64 at = 0; at < n; at += small)
                out += frameHeader(0x82, qMin(small, n - at)) + payload(qMin(small, n - at));
            socket->write(out);
            sent += n;
            continue;
        }
        out += payload(n);
        socket->write(out);
        sent += n;
    }
}
