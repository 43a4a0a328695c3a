#pragma once
// What the terminal pages ("Serial Debug", "UDP Debug", "TCP Debug") share
// around their receive display: the send counter, the bounded send to a
// port or socket, the send button's keep-send cycle, the hex and keep-send
// switches, clearing, import into the send box and export of the text
// view. Each page holds one; the network pages' NetTerminal adds their
// per-peer decoding and sockets.

#include <QCoreApplication>
#include <QByteArray>
#include <QString>

#include <memory>

#include "sendqueue.h"

class QCheckBox;
class QIODevice;
class QLCDNumber;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTimer;
class QWidget;
class ReceiveDisplay;

struct TerminalWidgets {
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

class TerminalPanel
{
    Q_DECLARE_TR_FUNCTIONS(TerminalPanel)

public:
    struct Options {
        // An imported line ends at its first NUL byte (the serial page's
        // send box never holds one).
        bool importStopsAtNul = false;
    };
    // `display` shows what the page receives; its views are the widgets'
    // text and hex views.
    TerminalPanel(QWidget *window, const TerminalWidgets &widgets, ReceiveDisplay *display,
                  const Options &options);
    virtual ~TerminalPanel();
    TerminalPanel(const TerminalPanel &) = delete;
    TerminalPanel &operator=(const TerminalPanel &) = delete;

    const TerminalWidgets &widgets() const { return m_w; }
    ReceiveDisplay *display() const { return m_display; }
    void status(const QString &text) const;

    // The send counter is kept here and nowhere else; the number display
    // only shows it (stopping at 99999). countSent adds to it directly
    // (datagrams, which leave whole or not at all).
    void countSent(qint64 bytes);
    // Bytes sent since the counters were last cleared, not capped.
    qint64 sentTotal() const { return m_sent->total; }

    // Sending to a port or socket: queueSend hands `bytes` to `device`
    // unless more than kMaxUnsentBytes would then wait there unwritten (a
    // device or peer that does not read); then nothing is queued and false
    // is returned (sendqueue.h).
    static constexpr qint64 kMaxUnsentBytes = SendQueue::kMaxUnsentBytes;
    bool queueSend(QIODevice *device, const QByteArray &bytes);
    // From now on the send counter counts, of what queueSend gives
    // `device`, the bytes the device has taken (its bytesWritten), so bytes
    // that wait unwritten are not counted. Bytes queued uncounted
    // (SendQueue::queue, a file sent line by line) are not counted either.
    void countWritesOf(QIODevice *device);
    // Says that `who` does not read (unless the status says so already).
    void peerNotReading(const QString &who);
    // queueSend, and when the bytes do not go, notSent.
    bool send(QIODevice *device, const QByteArray &bytes, const QString &who);
    // Says why `size` bytes did not go to `device`: `who` does not read
    // (the bound is reached), or the device refused the write (its error in
    // words).
    void notSent(const QIODevice *device, qint64 size, const QString &who);

    enum class Press { Paused, NoData, SendOnce, Started };
    // The send button: pauses a running keep-send (the timer running is
    // what "running" means), refuses an empty send box, asks for one send,
    // or starts the keep-send timer.
    Press sendPressed(QTimer *timer, int interval, const QString &idleText);
    // Ends keep-send: the button says `idleText` again.
    void stopKeepSend(QTimer *timer, const QString &idleText);
    // Makes the page ready to send (started) or not (stopped); the interval
    // box waits for "Keep Send" either way.
    void setSendEnabled(bool on);

    // Switches and buttons.
    void hexSwitchChanged();
    void keepSendChanged();
    void clearReceive();
    void clearCounters();
    void clearSendBox();
    void importFile();
    void exportFile();

protected:
    // Shared with counting connections that may outlive this object.
    struct SentCount {
        qint64 total = 0;
    };
    static void showCount(QLCDNumber *counter, qint64 total);

    QWidget *m_window;
    TerminalWidgets m_w;
    ReceiveDisplay *m_display;
    std::shared_ptr<SentCount> m_sent = std::make_shared<SentCount>();

private:
    Options m_options;
};
