#pragma once
// Sends a file to a port line by line with a pause between lines, driven by
// a timer so the window keeps running meanwhile.
//
// A line ends after a line feed (or at the end of the file). The carriage
// return of a CR LF is left out, so CR LF goes out as LF; every other byte
// of the file (lone carriage returns, NUL, 0x1A, anything) goes out as it
// is, in order. The file is read in binary pieces, never whole, and what
// waits unwritten on the port stays within the terminal's send bound
// (sendqueue.h): a long line is handed over piece by
// piece as the port takes it, and the pause follows the line's end.
//
// A send is over when the port has written the file's last byte to the
// system, not when the last piece was handed to it. Until then it is busy
// and tells how much of the file the port has written out: at the start,
// about once a second after that, and at once when a port that wrote
// nothing for a while (reported as a stall, and not told over while it
// lasts) writes again. However a send ends, it says that it ended.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <deque>

class SerialFileSender : public QObject
{
    Q_OBJECT

public:
    explicit SerialFileSender(QObject *parent = nullptr);

    // Opens `path` and starts writing its lines to `port`, `gapMs` apart.
    // A send already running is stopped first. Returns false when the file
    // is not a regular file or does not open; nothing is sent then.
    bool start(const QString &path, QIODevice *port, int gapMs);
    void stop();
    // From start until the port has written the whole file, or the send
    // failed or was stopped.
    bool isBusy() const { return m_running; }
    // The port has written nothing for the stall time while bytes wait.
    bool isStalled() const { return m_stalled; }
    // Bytes of the file that the port has written out (what still waits
    // in its buffer not counted; of a closed port, what it had written as
    // it closed), and the file's size.
    qint64 bytesGone() const;
    qint64 fileSize() const { return m_size; }

    // Bytes read from the file at a time.
    static constexpr qint64 kReadPiece = 64 * 1024;
    // A send whose port has written nothing for this long while bytes
    // wait to go says so (stalled); the first byte written after that
    // brings resumed. Any byte counts, the file's or one queued ahead of
    // it. A slow line needs longer: the system passes its buffer (some
    // KiB) on to the port in bursts, so the time kStallBytes take at the
    // port's baud rate, where it has one, counts instead when that is
    // longer.
    static constexpr int kStallMs = 1000;
    static constexpr qint64 kStallBytes = 8 * 1024;
    // How often a running send tells how far it got: often enough to
    // follow, seldom enough that the window does not repaint for every
    // piece.
    static constexpr int kProgressMs = 1000;
    // The stall time of `port`.
    static qint64 stallMs(const QIODevice *port);

signals:
    // ok: the port has written every byte of the file. Otherwise `error`
    // says why not.
    void finished(bool ok, const QString &error);
    // How much of the file the port has written out (bytesGone): from
    // start, then every kProgressMs, and when a stall ends; never while a
    // stall lasts.
    void progress(qint64 gone, qint64 size);
    void stalled(qint64 gone, qint64 size);
    // A send that was busy is not any more, however it ended: finished
    // (which follows), or stop.
    void ended();

private slots:
    void sendNext();
    void watch();

private:
    void finish(bool ok, const QString &error);
    void tellProgress();

    bool m_running = false;
    QFile m_file;
    QPointer<QIODevice> m_port;
    QMetaObject::Connection m_written;
    QTimer m_timer;
    int m_gapMs = 0;
    bool m_atEnd = false;     // the whole file has been read
    bool m_allHanded = false; // ...and handed to the port
    // Read from the file, not yet handed to the port.
    QByteArray m_pending;

    // Progress. The port writes what it was given in order; each piece of
    // the file has its place in that stream (sendqueue.h), behind whatever
    // waited there before. A piece may be shorter than the file bytes it
    // came from (CR LF goes out as LF).
    struct Handed {
        qint64 end;      // stream position after the piece
        qint64 sent;     // bytes given to the port
        qint64 fromFile; // file bytes they stand for
    };
    std::deque<Handed> m_handed; // not yet written whole
    qint64 m_gone = 0;           // file bytes of the pieces written whole
    qint64 m_lastWritten = 0;    // stream position last seen written
    qint64 m_size = 0;
    QTimer m_watch;
    QElapsedTimer m_sinceWrite;
    QElapsedTimer m_sinceProgress;
    bool m_stalled = false;
};
