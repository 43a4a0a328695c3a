#include "netterminal.h"

#include "netsend.h"
#include "receivedisplay.h"

#include <QAbstractSocket>
#include <QCheckBox>
#include <QHostAddress>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>

namespace {
// How long a closing socket may take to send what is still queued.
constexpr int kCloseGraceMs = 3000;
} // namespace

namespace {
// The network pages' receive display; it limits both views to 10000
// blocks and makes them read-only with selectable text.
ReceiveDisplay *netDisplay(QWidget *window, const TerminalWidgets &w)
{
    ReceiveDisplay::Options options;
    options.hexFormat = QStringLiteral("0x%1, ");
    options.hexUpperCase = true;
    options.hexBreakAfterLineFeed = false;
    options.countCarriageReturns = false;
    // Sixteen bytes per hex line: the block cap then holds the hex view to
    // about a megabyte of text, and lines break between tokens.
    options.hexMaxLineChars = 16 * 6;
    options.encoding = "GBK";
    auto *display = new ReceiveDisplay(w.textView, w.hexView, options, window);
    display->setCounter(w.recvCounter);
    w.hexView->hide();
    return display;
}
} // namespace

NetTerminal::NetTerminal(QWidget *window, const TerminalWidgets &widgets)
    : TerminalPanel(window, widgets, netDisplay(window, widgets), Options()), m_decoder("GBK", "UTF-8")
{
}

NetTerminal::~NetTerminal()
{
    for (const QPointer<QObject> &sender : std::as_const(m_watched)) {
        if (sender)
            QObject::disconnect(sender, nullptr, m_window, nullptr);
    }
}

PeerDecoder::Peer NetTerminal::peerOf(const QObject *socket)
{
    return PeerDecoder::Peer(reinterpret_cast<quintptr>(socket));
}

PeerDecoder::Peer NetTerminal::peerOf(const QHostAddress &address, quint16 port)
{
    bool v4 = false;
    const quint32 ip4 = address.toIPv4Address(&v4);
    if (v4)
        return (PeerDecoder::Peer(ip4) << 16) | port;
    return PeerDecoder::Peer(qHash(address, port)) | (PeerDecoder::Peer(1) << 63);
}

void NetTerminal::show(PeerDecoder::Peer peer, const QByteArray &bytes)
{
    const bool stamped = m_w.timeSwitch->isChecked();
    m_display->appendDecoded(bytes, m_decoder.decode(peer, bytes, stamped), stamped);
}

void NetTerminal::endPeer(PeerDecoder::Peer peer)
{
    const QString rest = m_decoder.finish(peer);
    if (!rest.isEmpty())
        m_display->appendDecoded(QByteArray(), rest, false);
}

void NetTerminal::endAllPeers()
{
    const QString rest = m_decoder.finishAll();
    if (!rest.isEmpty())
        m_display->appendDecoded(QByteArray(), rest, false);
}

void NetTerminal::watch(QObject *sender)
{
    m_watched.removeAll(QPointer<QObject>());
    m_watched.append(sender);
}

void NetTerminal::retire(QAbstractSocket *socket)
{
    if (!socket)
        return;
    QObject::disconnect(socket, nullptr, m_window, nullptr);
    endPeer(peerOf(socket));
    QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseGraceMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

QByteArray NetTerminal::bytesToSend() const
{
    return NetSend::prepare(m_w.sendBox->toPlainText(), m_w.sendAsHex->isChecked());
}
