#include "benchsupport.h"

#include <ctime>

#include "pagetable.h"
#include "portlister.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace Bench {

void prepareEnvironment()
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-logging --log-level=3 --disable-gpu");
}

void useScratchSettings(const QStringList &pages)
{
    static QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    for (int i = 0; i < PageTable::switchableCount(); ++i) {
        const QString k = QLatin1String(PageTable::pages().at(i).key);
        s.setValue(k, pages.contains(k) ? QStringLiteral("true") : QStringLiteral("false"));
    }
}

int openPortPty()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        return -1;
    }
    const QString slave = QString::fromLocal8Bit(ptsname(master));
    SerialPortLister::setLister([slave] { return QStringList{slave}; });
    return master;
}

int openRelayPty(QString *readEnd)
{
    static QTemporaryDir dir;
    // Ended before the process exits, so no socat is left behind.
    static struct Relay {
        QProcess process;
        ~Relay()
        {
            process.terminate();
            process.waitForFinished(2000);
        }
    } relay;
    QProcess &socat = relay.process;
    const QString a = dir.filePath(QStringLiteral("ptyA"));
    const QString b = dir.filePath(QStringLiteral("ptyB"));
    socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    socat.start(QStringLiteral("socat"), {QStringLiteral("pty,raw,echo=0,link=") + a,
                                          QStringLiteral("pty,raw,echo=0,link=") + b});
    if (!socat.waitForStarted(3000)) {
        std::fprintf(stderr, "socat did not start\n");
        return -1;
    }
    for (int i = 0; i < 300 && !(QFileInfo::exists(a) && QFileInfo::exists(b)); ++i)
        QThread::msleep(10);
    const int fd = ::open(QFile::encodeName(b).constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        std::fprintf(stderr, "no relay\n");
        return -1;
    }
    termios raw{};
    tcgetattr(fd, &raw);
    cfmakeraw(&raw);
    tcsetattr(fd, TCSANOW, &raw);
    SerialPortLister::setLister([a] { return QStringList{a}; });
    *readEnd = a;
    return fd;
}

bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(qMin<qint64>(size, 4096)));
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

double loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const double load = f.readAll().split(' ').value(0).toDouble(&ok);
    return ok ? load : -1;
}

qint64 threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

} // namespace Bench
