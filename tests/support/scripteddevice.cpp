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

void ScriptedDevice::readAvailable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) {
            const QByteArray piece(buf, int(n));
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
