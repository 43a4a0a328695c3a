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
// A port that takes nothing for a while is reported, and so is its
// coming back, with how much of the file it has written out.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QIODevice>
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
    bool isBusy() const { return m_file.isOpen(); }
    // Bytes of the file that the port has written out (what still waits
    // in its buffer not counted), and the file's size.
    qint64 bytesGone();
    qint64 fileSize() const { return m_size; }

    // Bytes read from the file at a time.
    static constexpr qint64 kReadPiece = 64 * 1024;
    // A send whose port has written nothing for this long while bytes
    // wait to go says so (stalled); the first byte written after that
    // brings resumed. A slow line needs longer: the system passes its
    // buffer (some KiB) on to the port in bursts, so the time kStallBytes
    // take at the port's baud rate, where it has one, counts instead
    // when that is longer.
    static constexpr int kStallMs = 1000;
    static constexpr qint64 kStallBytes = 8 * 1024;
    // The stall time of `port`.
    static qint64 stallMs(const QIODevice *port);

signals:
    // ok: every line was handed to the port. Otherwise `error` says why.
    void finished(bool ok, const QString &error);
    void stalled(qint64 gone, qint64 size);
    void resumed(qint64 gone, qint64 size);

private slots:
    void sendNext();
    void watch();

private:
    void finish(bool ok, const QString &error);

    QFile m_file;
    QPointer<QIODevice> m_port;
    QTimer m_timer;
    int m_gapMs = 0;
    bool m_atEnd = false; // the whole file has been read
    // Read from the file, not yet handed to the port.
    QByteArray m_pending;

    // Progress. The port writes what it was given in order, the file's
    // pieces after whatever waited there before; a piece may be shorter
    // than the file bytes it came from (CR LF goes out as LF). What of
    // the pieces is still in the port's buffer tells how much it wrote
    // (its bytesWritten signal may lag behind by the last write).
    struct Handed {
        qint64 sent;      // bytes given to the port
        qint64 fromFile;  // file bytes they stand for
    };
    qint64 written();
    std::deque<Handed> m_handed; // not yet written whole
    qint64 m_handedBytes = 0;    // given to the port in all
    qint64 m_settled = 0;        // of those, written in pieces popped
    qint64 m_gone = 0;           // file bytes of the pieces popped
    qint64 m_lastWritten = 0;
    qint64 m_size = 0;
    QTimer m_watch;
    QElapsedTimer m_sinceWrite;
    bool m_stalled = false;
};
