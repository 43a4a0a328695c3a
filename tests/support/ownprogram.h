#pragma once
// A program of ours that a test starts as a child (the test executable
// again on another platform, a test peer built here) gets the treatment the
// test itself gets: when it ends, its output and exit status go to the
// sanitized run's leak filter (tests/sanitize/leakfilter.py), whose rules
// then judge it as they judge a test. In the sanitized build a report with
// a frame of ours fails, third-party leaks are counted and pass; in either
// build a crash, a failed test function or any other failing exit fails.
// The verdict goes into the test's output.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace TestSupport {

class OwnProgram
{
public:
    // `name` stands before the verdict in the test's output. A Qt Test
    // program shows that it finished and passed by its totals line; any
    // other program names `endLine`, the line it writes on its own clean end.
    explicit OwnProgram(const QString &name, const QByteArray &endLine = QByteArray());
    // Ends a program still running without judging it (the test stopped
    // early, and failed for that already).
    ~OwnProgram();
    OwnProgram(const OwnProgram &) = delete;
    OwnProgram &operator=(const OwnProgram &) = delete;

    // Starts `program` with standard output and error merged; the sanitizer
    // settings reach it through the environment.
    bool start(const QString &program, const QStringList &arguments,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    // All it has written so far.
    QByteArray output();
    // Waits until its output holds `text`; false after `ms` or at its end.
    bool waitForOutput(const QByteArray &text, int ms);
    // Closes its input, waits up to `ms` for its end and judges it: true
    // when it passed. On failure its whole output goes into the test's
    // output before the verdict.
    bool finish(int ms);
    // The filter's words about it (or why it could not be judged).
    QString verdict() const { return m_verdict; }

private:
    bool judge(int code);
    void say(const QString &text) const;

    QString m_name;
    QByteArray m_endLine;
    QProcess m_process;
    QByteArray m_output;
    QString m_verdict;
    bool m_started = false;
};

} // namespace TestSupport
