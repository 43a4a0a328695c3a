#pragma once
// A scripted serial device for end-to-end tests. It owns a pseudo-terminal
// the way a real device owns its end of a cable: the program opens
// portPath() (the terminal side) through its port list, and the test plays
// the device on the controlling side: it writes what the device would send,
// records what the program wrote, may answer each write through a
// responder, and can vanish (the device is unplugged).
//
// Everything runs in the test's own thread, on its event loop (QTest::qWait
// or QTRY_* keep it turning).

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class QSocketNotifier;
class QTimer;
struct termios;

namespace TestSupport {

class ScriptedDevice : public QObject
{
    Q_OBJECT

public:
    // Called with each piece the program wrote; `all` is everything received
    // so far. The responder may call write() to answer.
    using Responder = std::function<void(const QByteArray &piece, const QByteArray &all)>;

    explicit ScriptedDevice(QObject *parent = nullptr);
    ~ScriptedDevice() override;

    bool ok() const { return m_master >= 0; }
    // The terminal side's path, e.g. "/dev/pts/7", to offer in the port list.
    QString portPath() const { return m_path; }

    // Sends bytes to the program (what the device says). False when the
    // device is gone or the write failed.
    bool write(const QByteArray &bytes);
    // Sends `bytes` after `ms` milliseconds (on the event loop).
    void writeLater(int ms, const QByteArray &bytes);

    void setResponder(Responder responder) { m_responder = std::move(responder); }

    // How fast the device takes what the program writes, as a slow line or
    // a busy device does: at most `bytesPerSecond` (never more than a
    // fiftieth of a second's worth at once, however long it waited); 0
    // takes nothing, so the system's buffer fills and the program's writes
    // wait; negative (the start) takes everything at once.
    void setReadRate(qint64 bytesPerSecond);

    // Everything the program wrote so far, and clearing it.
    QByteArray received() const { return m_received; }
    void clearReceived() { m_received.clear(); }
    // Keeps the event loop turning until `count` bytes arrived in total or
    // `timeoutMs` passed; true when they arrived.
    bool waitForReceived(int count, int timeoutMs = 2000);
    // Same, until `needle` appears in what was received.
    bool waitForText(const QByteArray &needle, int timeoutMs = 2000);

    // The terminal side's current line settings (as the program set them).
    bool lineSettings(struct termios *out) const;
    // Baud rate of the terminal side as a number (e.g. 115200), 0 if unknown.
    int baudRate() const;

    // The device disappears: the controlling side closes, so the program's
    // reads and writes on the port fail from now on.
    void vanish();

signals:
    void bytesReceived(const QByteArray &piece);

private:
    void readAvailable();
    void flush();

    int m_master = -1; // the device's side
    int m_slave = -1;  // the terminal side, held open but never read
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    qint64 m_readRate = -1;
    QElapsedTimer m_rateClock; // since the rate was set
    qint64 m_rateRead = 0;     // taken since then, or counted as taken
    QTimer *m_rateTimer = nullptr;
    QByteArray m_pending; // written by the test, not yet taken by the terminal
    QByteArray m_received;
    Responder m_responder;
};

} // namespace TestSupport
