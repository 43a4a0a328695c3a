#include "tst_netpages_peer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

NetPeer::NetPeer()
{
    const QString script = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("tst_netpages_peer.py"));
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral("python3"), {QStringLiteral("-u"), script});
    m_ok = m_process.waitForStarted(5000);
}

NetPeer::~NetPeer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write("quit\n");
        if (!m_process.waitForFinished(2000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

void NetPeer::pump()
{
    m_partial += m_process.readAllStandardOutput();
    int nl;
    while ((nl = m_partial.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_partial.left(nl));
        m_partial.remove(0, nl + 1);
    }
}

QStringList NetPeer::lines()
{
    pump();
    return m_lines;
}

void NetPeer::command(const QString &line)
{
    m_process.write(line.toUtf8() + '\n');
    m_process.waitForBytesWritten(1000);
}

QStringList NetPeer::waitFor(const QString &prefix, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        pump();
        for (int i = m_taken; i < m_lines.size(); ++i) {
            if (m_lines[i].startsWith(prefix)) {
                m_taken = i + 1;
                return m_lines[i].split(QLatin1Char(' '));
            }
        }
        if (t.elapsed() > timeoutMs)
            return {};
        QTest::qWait(5);
    }
}

int NetPeer::listen(const QString &id, const QString &host, int port)
{
    command(QStringLiteral("listen %1 %2 %3").arg(id, host).arg(port));
    const QStringList w = waitFor(QStringLiteral("listening %1 ").arg(id));
    return w.size() == 3 ? w[2].toInt() : -1;
}

int NetPeer::udp(const QString &id, const QString &host, int port)
{
    command(QStringLiteral("udp %1 %2 %3").arg(id, host).arg(port));
    const QStringList w = waitFor(QStringLiteral("bound %1 ").arg(id));
    return w.size() == 3 ? w[2].toInt() : -1;
}

bool NetPeer::connectTo(const QString &id, int port, const QString &source)
{
    command(QStringLiteral("connect %1 127.0.0.1 %2 %3").arg(id).arg(port).arg(source));
    return !waitFor(QStringLiteral("connected %1").arg(id)).isEmpty();
}

bool NetPeer::hold(const QString &id)
{
    command(QStringLiteral("hold %1").arg(id));
    return !waitFor(QStringLiteral("held %1").arg(id)).isEmpty();
}

void NetPeer::drain(const QString &id, const QString &path)
{
    command(QStringLiteral("drain %1 %2").arg(id, path));
}

qint64 NetPeer::drainedBytes(const QString &id)
{
    const QString prefix = QStringLiteral("drained %1 ").arg(id);
    const QStringList all = lines();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->startsWith(prefix))
            return it->mid(prefix.size()).toLongLong();
    }
    return 0;
}

void NetPeer::send(const QString &id, const QByteArray &bytes)
{
    command(QStringLiteral("send %1 %2").arg(id, QString::fromLatin1(bytes.toHex())));
}

void NetPeer::sendTo(const QString &id, int port, const QByteArray &bytes)
{
    command(QStringLiteral("sendto %1 127.0.0.1 %2 %3")
                .arg(id)
                .arg(port)
                .arg(bytes.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(bytes.toHex())));
}

QByteArray NetPeer::received(const QString &id)
{
    pump();
    QByteArray out;
    const QString prefix = QStringLiteral("data %1 ").arg(id);
    for (const QString &line : std::as_const(m_lines)) {
        if (line.startsWith(prefix))
            out += QByteArray::fromHex(line.mid(prefix.size()).toLatin1());
    }
    return out;
}

QList<QByteArray> NetPeer::datagrams(const QString &id)
{
    pump();
    QList<QByteArray> out;
    const QString prefix = QStringLiteral("dgram %1 ").arg(id);
    for (const QString &line : std::as_const(m_lines)) {
        if (line.startsWith(prefix)) {
            const QString hex = line.split(QLatin1Char(' ')).value(4);
            out << (hex == QLatin1String("-") ? QByteArray("") : QByteArray::fromHex(hex.toLatin1()));
        }
    }
    return out;
}

bool NetPeer::sawEof(const QString &id)
{
    return lines().contains(QStringLiteral("eof %1").arg(id));
}

QByteArray NetPeer::receivedAtLeast(const QString &id, int size, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    QByteArray got = received(id);
    while (got.size() < size && t.elapsed() < timeoutMs) {
        QTest::qWait(5);
        got = received(id);
    }
    return got;
}
