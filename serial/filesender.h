#pragma once
// Sends a file to a port line by line with a pause between lines, driven by
// a timer so the window keeps running meanwhile.

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

    // Opens `path` (text mode, so CR LF is read as LF) and starts writing its
    // lines to `port`, `gapMs` apart. A send already running is stopped
    // first. Returns false when the file is not a regular file or does not
    // open; nothing is sent then.
    bool start(const QString &path, QIODevice *port, int gapMs);
    void stop();
    bool isBusy() const { return m_file.isOpen(); }

signals:
    // ok: every line was handed to the port. Otherwise `error` says why.
    void finished(bool ok, const QString &error);

private slots:
    void sendNextLine();

private:
    void finish(bool ok, const QString &error);

    QFile m_file;
    QPointer<QIODevice> m_port;
    QTimer m_timer;
};
