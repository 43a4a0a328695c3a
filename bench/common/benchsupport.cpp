#include "benchsupport.h"

#include "pagetable.h"
#include "portlister.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>

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

} // namespace Bench
