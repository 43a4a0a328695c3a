#pragma once
// What the "UDP Debug" and "TCP Debug" pages share: the receive display
// (stamps, hex text, caps and coalesced updates through ReceiveDisplay, text
// decoded per peer), the send counter, the send button's keep-send cycle,
// the hex and keep-send switches, clearing, import into the send box and
// export of the text view. Each page holds one of these.
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

#include <memory>

#include "peerdecoder.h"

class QAbstractSocket;
class QCheckBox;
class QHostAddress;
class QLCDNumber;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTimer;
class QWidget;
class ReceiveDisplay;

struct NetTerminalWidgets {
    QPlainTextEdit *textView = nullptr;
    QPlainTextEdit *hexView = nullptr;
    QCheckBox *hexSwitch = nullptr;
    QCheckBox *timeSwitch = nullptr;
    QPlainTextEdit *sendBox = nullptr;
    QCheckBox *sendAsHex = nullptr;
    QCheckBox *keepSend = nullptr;
    QSpinBox *interval = nullptr;
    QPushButton *sendButton = nullptr;
    QLCDNumber *sendCounter = nullptr;
    QLCDNumber *recvCounter = nullptr;
    QStatusBar *statusBar = nullptr;
};

class NetTerminal
{
    Q_DECLARE_TR_FUNCTIONS(NetTerminal)

public:
    NetTerminal(QWidget *window, const NetTerminalWidgets &widgets);
    ~NetTerminal();
    NetTerminal(const NetTerminal &) = delete;
    NetTerminal &operator=(const NetTerminal &) = delete;

    const NetTerminalWidgets &widgets() const { return m_w; }
    ReceiveDisplay *display() const { return m_display; }
    void status(const QString &text) const;

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
    // Adds to the send counter (the number shown stops at 99999).
    void countSent(qint64 bytes);
    // Bytes sent since the counters were last cleared, not capped.
    qint64 sentTotal() const { return m_sent->total; }
    // A stream socket's send counts what the socket hands to the system
    // (its bytesWritten), so bytes that wait unsent are not counted.
    void countWritesOf(QAbstractSocket *socket);
    // Queues `bytes` on a stream socket unless more than kMaxUnsentBytes
    // would then wait there unsent (a peer that does not read): then
    // nothing is queued and false is returned. A send larger than the
    // bound still goes when nothing waits. Nothing queued is ever dropped.
    static constexpr qint64 kMaxUnsentBytes = 1024 * 1024;
    static bool queueSend(QAbstractSocket *socket, const QByteArray &bytes);
    // Says that `who` does not read (unless the status says so already).
    void peerNotReading(const QString &who);
    enum class Press { Paused, NoData, SendOnce, Started };
    // The send button: pauses a running keep-send (its text becomes
    // `idleText`), refuses an empty send box, asks for one send, or starts
    // the keep-send timer.
    Press sendPressed(QTimer *timer, int interval, const QString &idleText);
    // Makes the page ready to send (started) or not (stopped).
    void setSendEnabled(bool on);

    // Switches and buttons.
    void hexSwitchChanged();
    void keepSendChanged();
    void clearReceive();
    void clearCounters();
    void clearSendBox();
    void importFile();
    void exportFile();

private:
    QWidget *m_window;
    NetTerminalWidgets m_w;
    ReceiveDisplay *m_display;
    PeerDecoder m_decoder;
    // Shared with the sockets' bytesWritten connections, which may outlive
    // this object while a closed socket sends what it still holds.
    struct SentCount {
        qint64 total = 0;
    };
    std::shared_ptr<SentCount> m_sent = std::make_shared<SentCount>();
    QList<QPointer<QObject>> m_watched;
};
