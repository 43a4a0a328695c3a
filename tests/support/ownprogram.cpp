#include "ownprogram.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryFile>
#include <QtTest>

namespace TestSupport {

namespace {

// The sources the build came from: CTest names them, as it does for the
// sanitized launcher (tests/sanitize/run-test.sh); a test started by hand
// falls back to the tree it was built from.
QString sourceDir()
{
    const QString fromCTest = qEnvironmentVariable("VELM_SOURCE_DIR");
    return fromCTest.isEmpty() ? QStringLiteral(VELM_TEST_SOURCE_DIR) : fromCTest;
}

} // namespace

OwnProgram::OwnProgram(const QString &name, const QByteArray &endLine) : m_name(name), m_endLine(endLine) {}

OwnProgram::~OwnProgram()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(2000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

bool OwnProgram::start(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setProcessEnvironment(environment);
    m_process.start(program, arguments);
    m_started = m_process.waitForStarted(10000);
    if (m_started)
        return true;
    m_verdict = QStringLiteral("%1 did not start: %2").arg(program, m_process.errorString());
    return false;
}

QByteArray OwnProgram::output()
{
    m_output += m_process.readAll();
    return m_output;
}

bool OwnProgram::waitForOutput(const QByteArray &text, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!output().contains(text)) {
        if (m_process.state() == QProcess::NotRunning || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(int(qBound(qint64(1), deadline.remainingTime(), qint64(100))));
    }
    return true;
}

bool OwnProgram::finish(int ms)
{
    if (!m_started) {
        say(m_verdict.isEmpty() ? QStringLiteral("was never started") : m_verdict);
        return false;
    }
    m_process.closeWriteChannel();
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(ms)) {
        m_process.kill();
        m_process.waitForFinished(2000);
        output();
        m_verdict = QStringLiteral("did not end within %1 ms; killed").arg(ms);
        say(QString::fromLocal8Bit(m_output));
        say(m_verdict);
        return false;
    }
    output();
    // As a shell reports it to the filter for a test: 128 + N for signal N.
    const int code = m_process.exitStatus() == QProcess::CrashExit ? 128 + m_process.exitCode() : m_process.exitCode();
    return judge(code);
}

bool OwnProgram::judge(int code)
{
    QTemporaryFile kept(QDir::tempPath() + QStringLiteral("/velm-child.XXXXXX"));
    if (!kept.open() || kept.write(m_output) != m_output.size() || !kept.flush()) {
        m_verdict = QStringLiteral("its output could not be kept for the leak filter");
        say(m_verdict);
        return false;
    }
    const QString source = sourceDir();
    QStringList arguments{source + QStringLiteral("/tests/sanitize/leakfilter.py"), kept.fileName(),
                          QString::number(code), source};
    if (!m_endLine.isEmpty())
        arguments << QStringLiteral("--end-line") << QString::fromLatin1(m_endLine);
    QProcess filter;
    filter.setProcessChannelMode(QProcess::MergedChannels);
    filter.start(QStringLiteral("python3"), arguments);
    const bool ran = filter.waitForFinished(60000) && filter.exitStatus() == QProcess::NormalExit;
    m_verdict = QString::fromLocal8Bit(filter.readAll()).trimmed();
    if (!ran)
        m_verdict = QStringLiteral("the leak filter did not run: %1 %2").arg(filter.errorString(), m_verdict);
    const bool passed = ran && filter.exitCode() == 0;
    if (!passed)
        say(QString::fromLocal8Bit(m_output));
    say(m_verdict);
    return passed;
}

void OwnProgram::say(const QString &text) const
{
    // Each line marked as the child's: the test's own leak filter never
    // takes a line of it (its totals, a leak's header) for one of the test.
    for (const QString &line : text.split(QLatin1Char('\n')))
        qInfo().noquote() << m_name + QStringLiteral("| ") + line;
}

} // namespace TestSupport
