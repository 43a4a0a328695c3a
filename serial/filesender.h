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

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QTimer>

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

    // Bytes read from the file at a time.
    static constexpr qint64 kReadPiece = 64 * 1024;

signals:
    // ok: every line was handed to the port. Otherwise `error` says why.
    void finished(bool ok, const QString &error);

private slots:
    void sendNext();

private:
    void finish(bool ok, const QString &error);

    QFile m_file;
    QPointer<QIODevice> m_port;
    QTimer m_timer;
    int m_gapMs = 0;
    bool m_atEnd = false; // the whole file has been read
    // Read from the file, not yet handed to the port.
    QByteArray m_pending;
};
