#pragma once
// Drives tst_netpages_peer.py, a loopback TCP/UDP peer in its own process,
// while the test's event loop keeps running.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

class NetPeer
{
public:
    NetPeer();
    ~NetPeer();
    bool ok() const { return m_ok; }

    void command(const QString &line);
    // Waits for the next event line starting with `prefix` (after those
    // already taken) and returns its words; empty when the time is up.
    QStringList waitFor(const QString &prefix, int timeoutMs = 3000);
    // Commands that answer with one event; return its third word (a port)
    // or -1.
    int listen(const QString &id, const QString &host = QStringLiteral("127.0.0.1"), int port = 0);
    int udp(const QString &id, const QString &host = QStringLiteral("127.0.0.1"), int port = 0);
    bool connectTo(const QString &id, int port, const QString &source = QString());
    // Stops reading a connection (a peer that does not read).
    bool hold(const QString &id);
    // Reads it again, into the file `path`; drainedBytes is the total so far.
    void drain(const QString &id, const QString &path);
    qint64 drainedBytes(const QString &id);
    void send(const QString &id, const QByteArray &bytes);
    void sendTo(const QString &id, int port, const QByteArray &bytes);

    // Everything received so far on a TCP connection, the datagrams of a
    // UDP socket, and whether a connection has seen EOF.
    QByteArray received(const QString &id);
    QList<QByteArray> datagrams(const QString &id);
    bool sawEof(const QString &id);
    // Waits until `id` received at least `size` bytes.
    QByteArray receivedAtLeast(const QString &id, int size, int timeoutMs = 3000);
    QStringList lines();

private:
    void pump();
    QProcess m_process;
    QStringList m_lines;
    int m_taken = 0;
    QByteArray m_partial;
    bool m_ok = false;
};
