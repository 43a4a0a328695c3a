#include "scripteddevice.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace TestSupport {

ScriptedDevice::ScriptedDevice(QObject *parent) : QObject(parent)
{
    int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
        ::close(fd);
        return;
    }
    char name[128] = {};
    if (::ptsname_r(fd, name, sizeof name) != 0) {
        ::close(fd);
        return;
    }
    // Hold the terminal side open ourselves (never read): the controlling
    // side then reads nothing but what the program writes, also while the
    // program has the port closed, and no line settings leak between opens.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        ::close(fd);
        return;
    }
    // Raw from the start: no echo, no line editing, no CR/LF translation,
    // also for bytes the device sends before the program sets the port up.
    struct termios t;
    if (::tcgetattr(m_slave, &t) == 0) {
        ::cfmakeraw(&t);
        ::tcsetattr(m_slave, TCSANOW, &t);
    }
    m_master = fd;
    m_path = QString::fromLocal8Bit(name);
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readAvailable(); });
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, [this] { flush(); });
    // A device held back by its rate reads again a little later.
    m_rateTimer = new QTimer(this);
    m_rateTimer->setSingleShot(true);
    m_rateTimer->setInterval(10);
    connect(m_rateTimer, &QTimer::timeout, this, [this] {
        if (m_notifier)
            m_notifier->setEnabled(true);
        readAvailable();
    });
}

ScriptedDevice::~ScriptedDevice() { vanish(); }

bool ScriptedDevice::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    m_pending += bytes;
    flush();
    return m_master >= 0;
}

void ScriptedDevice::flush()
{
    while (m_master >= 0 && !m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), size_t(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // full (EAGAIN): the rest goes when the program has read
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(m_master >= 0 && !m_pending.isEmpty());
}

void ScriptedDevice::writeLater(int ms, const QByteArray &bytes)
{
    QTimer::singleShot(ms, this, [this, bytes] { write(bytes); });
}

void ScriptedDevice::setReadRate(qint64 bytesPerSecond)
{
    m_readRate = bytesPerSecond;
    m_rateClock.start();
    m_rateRead = 0;
    m_rateTimer->stop();
    if (m_notifier) {
        m_notifier->setEnabled(bytesPerSecond != 0);
        if (bytesPerSecond != 0)
            readAvailable();
    }
}

void ScriptedDevice::readAvailable()
{
    char buf[4096];
    for (;;) {
        if (m_master < 0)
            return;
        qint64 want = qint64(sizeof buf);
        if (m_readRate >= 0) {
            const qint64 earned = m_readRate * (m_rateClock.nsecsElapsed() / 1000) / 1000000;
            m_rateRead = qMax(m_rateRead, earned - qMax<qint64>(1, m_readRate / 50));
            want = qMin(want, earned - m_rateRead);
            if (want <= 0) {
                // Nothing more for now: no notice until the device reads again.
                if (m_notifier)
                    m_notifier->setEnabled(false);
                if (m_readRate > 0)
                    m_rateTimer->start();
                return;
            }
        }
        const ssize_t n = ::read(m_master, buf, size_t(want));
        if (n > 0) {
            const QByteArray piece(buf, int(n));
            m_rateRead += n;
            m_received += piece;
            emit bytesReceived(piece);
            if (m_responder)
                m_responder(piece, m_received);
            if (m_master < 0)
                return; // the responder made the device vanish
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return; // EAGAIN: all read
    }
}

bool ScriptedDevice::waitForReceived(int count, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (m_received.size() < count && t.elapsed() < timeoutMs)
        QTest::qWait(5);
    return m_received.size() >= count;
}

bool ScriptedDevice::waitForText(const QByteArray &needle, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!m_received.contains(needle) && t.elapsed() < timeoutMs)
        QTest::qWait(5);
    return m_received.contains(needle);
}

bool ScriptedDevice::lineSettings(struct termios *out) const
{
    return m_slave >= 0 && ::tcgetattr(m_slave, out) == 0;
}

int ScriptedDevice::baudRate() const
{
    struct termios t;
    if (!lineSettings(&t))
        return 0;
    switch (::cfgetospeed(&t)) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    case B460800: return 460800;
    case B921600: return 921600;
    default: return 0;
    }
}

void ScriptedDevice::vanish()
{
    if (m_rateTimer)
        m_rateTimer->stop();
    delete m_notifier;
    m_notifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_pending.clear();
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    if (m_slave >= 0) {
        ::close(m_slave);
        m_slave = -1;
    }
}

} // namespace TestSupport
