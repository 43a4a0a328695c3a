#include "coresupport.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "appinfo.h"
#include "convert/currencyconverter.h"

namespace TestSupport {

ScratchDir::ScratchDir() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
ScratchDir::~ScratchDir() { QDir::setCurrent(m_previous); }

PtyPair::PtyPair()
{
    m_a = m_dir.filePath(QStringLiteral("ptyA"));
    m_b = m_dir.filePath(QStringLiteral("ptyB"));
    m_socat.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_socat.start(QStringLiteral("socat"),
                  {QStringLiteral("pty,raw,echo=0,link=") + m_a,
                   QStringLiteral("pty,raw,echo=0,link=") + m_b});
    if (!m_socat.waitForStarted(3000))
        return;
    for (int i = 0; i < 200; ++i) {
        if (QFileInfo::exists(m_a) && QFileInfo::exists(m_b)) {
            m_ok = true;
            return;
        }
        QThread::msleep(10);
    }
}

PtyPair::~PtyPair() { kill(); }

void PtyPair::kill()
{
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.terminate();
        if (!m_socat.waitForFinished(2000)) {
            m_socat.kill();
            m_socat.waitForFinished(2000);
        }
    }
}

void prepareEnvironment()
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            "--disable-logging --log-level=3 --disable-gpu --disable-background-networking "
            "--disable-component-update --disable-sync --no-first-run");
    // Tests never reach outside the machine: the "More" tab shows a blank page.
    AppInfo::overrideHomePageForTests(QStringLiteral("about:blank"));
    // The converter page's rate worker asks a closed loopback port instead of the feed.
    CurrencyConverter::setFeedBaseForTesting(QStringLiteral("http://127.0.0.1:1"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program: no shared OpenGL context at start (the web engine
    // sets one up when it is first loaded).
}

QProcessEnvironment offscreenEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

namespace {

long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key(field);
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

bool addressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

QStringList linesWithStamps(const QString &text)
{
    static const QRegularExpression stamp(QStringLiteral("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\]"));
    return QString(text).replace(stamp, QStringLiteral("[T]")).split(QLatin1Char('\n'));
}

QString bytesOfHexLine(const QString &line)
{
    QString out = line.startsWith(QLatin1String("[T]")) ? QStringLiteral("[T]") : QString();
    static const QRegularExpression token(QStringLiteral("0x([0-9a-fA-F]{2}),"));
    for (auto it = token.globalMatch(line); it.hasNext();)
        out += QChar(it.next().captured(1).toInt(nullptr, 16));
    return out;
}

QStringList textOfHexLines(const QString &hexViewText)
{
    QStringList out;
    for (const QString &line : linesWithStamps(hexViewText)) {
        QString text = bytesOfHexLine(line);
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
        out.append(text);
    }
    return out;
}

QList<StampedChunk> timeSwitchSequence()
{
    QList<StampedChunk> out;
    const bool stamps[] = {true, false, false, true, true, false, true};
    for (int i = 0; i < 7; ++i)
        out.append({stamps[i], "L" + QByteArray::number(i) + "\r\n"});
    return out;
}

QStringList timeSwitchSequenceLines()
{
    return {"[T]L0", "L1", "L2", "[T]L3", "[T]L4", "L5", "[T]L6", ""};
}

bool residentMemoryIsTheProgramsOwn()
{
    return !addressSanitizer();
}

long residentKb()
{
    return statusKb("VmRSS:");
}

long peakResidentKb()
{
    return statusKb("VmHWM:");
}

bool resetPeakResident()
{
    // "5" resets the peak resident size (Linux 4.0 and later).
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1 && f.flush();
}

ResidentGrowth::ResidentGrowth()
    : m_peakKnown(resetPeakResident()), m_before(residentKb()), m_most(m_before)
{
    QObject::connect(&m_sample, &QTimer::timeout, &m_sample, [this] { m_most = qMax(m_most, residentKb()); });
    m_sample.start(5);
}

long ResidentGrowth::mostKb()
{
    m_most = qMax(m_most, m_peakKnown ? peakResidentKb() : residentKb());
    return m_most - m_before;
}

} // namespace TestSupport
