#pragma once
// The "UDP Debug" and "TCP Debug" pages' terminal: the shared panel
// (terminal/terminalpanel.h) with a receive display that decodes text per
// peer (stamps, hex text, caps and coalesced updates through
// ReceiveDisplay), and the bookkeeping of the pages' sockets. Each page
// holds one of these.
//
// The window's slots are connected to sockets; when the window goes, this
// object (destroyed with the window's members, before its child objects)
// disconnects every socket it was told about, so a socket that closes
// while it is being deleted never reaches a half-destroyed window.

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QString>

#include "peerdecoder.h"
#include "terminalpanel.h"

class QAbstractSocket;
class QHostAddress;
class QWidget;

class NetTerminal : public TerminalPanel
{
    Q_DECLARE_TR_FUNCTIONS(NetTerminal)

public:
    NetTerminal(QWidget *window, const TerminalWidgets &widgets);
    ~NetTerminal() override;

    // Receiving: one chunk (a TCP read or a datagram) of `peer`, stamped
    // when "Time" is checked. A peer is a connected socket or the sender of
    // a datagram; each has its own decoder state.
    static PeerDecoder::Peer peerOf(const QObject *socket);
    static PeerDecoder::Peer peerOf(const QHostAddress &address, quint16 port);
    void show(PeerDecoder::Peer peer, const QByteArray &bytes);
    // A peer's stream has ended: the start of a character it left unfinished
    // shows as U+FFFD. endAllPeers does that for every peer.
    void endPeer(PeerDecoder::Peer peer);
    void endAllPeers();

    // Sockets whose signals reach the window.
    void watch(QObject *sender);
    // Disconnects a socket from the window, ends its stream, closes it
    // (what is still queued goes out first, for at most three seconds) and
    // deletes it later.
    void retire(QAbstractSocket *socket);

    // Sending.
    QByteArray bytesToSend() const;
    // A stream socket's sends go through the panel's queueSend, which
    // bounds what waits; countWritesOf counts what the socket hands on.

private:
    PeerDecoder m_decoder;
    QList<QPointer<QObject>> m_watched;
};
