// test-links: codecs
// How a test judges a program of ours that it starts (OwnProgram): by the
// sanitized run's leak filter, with the sample child's clean end, leaks
// with and without a frame of ours, failures and a crash.

#include "coresupport.h"
#include "ownprogram.h"

using TestSupport::OwnProgram;

class TestOwnProgram : public QObject
{
    Q_OBJECT

private slots:
    void cleanEndPasses();
    void inputIsClosedAtTheEnd();
    void leakWithAFrameOfOursFails();
    void thirdPartyLeakPasses();
    void thirdPartyLeakOfAFailedChildFails();
    void failingExitFails();
    void crashFails();
    void programThatDoesNotStartFails();

private:
    static QString sample() { return QCoreApplication::applicationDirPath() + QStringLiteral("/velm_leak_sample"); }
    // Runs the sample in `mode` to its end; its verdict in *verdict.
    static bool run(const QString &mode, QString *verdict, QByteArray *output = nullptr)
    {
        OwnProgram child(QStringLiteral("sample ") + mode, "END");
        if (!child.start(sample(), {mode}))
            return false;
        const bool passed = child.finish(30000);
        *verdict = child.verdict();
        if (output)
            *output = child.output();
        return passed;
    }
};

void TestOwnProgram::cleanEndPasses()
{
    QString verdict;
    QByteArray output;
    QVERIFY(run(QStringLiteral("clean"), &verdict, &output));
    QCOMPARE(output, QByteArray("END\n"));
    QCOMPARE(verdict, QStringLiteral("leak filter: exit code 0, no sanitizer report: passed"));
}

void TestOwnProgram::inputIsClosedAtTheEnd()
{
    OwnProgram child(QStringLiteral("sample read"), "END");
    QVERIFY(child.start(sample(), {QStringLiteral("read")}));
    QVERIFY(!child.waitForOutput("END", 300)); // it waits for its input
    QVERIFY2(child.finish(30000), qPrintable(child.verdict()));
    QVERIFY(child.output().contains("END"));
}

void TestOwnProgram::leakWithAFrameOfOursFails()
{
    if (!TestSupport::addressSanitizer())
        QSKIP("leaks are found in the sanitized build (./test.sh --sanitize)");
    QString verdict;
    QVERIFY(!run(QStringLiteral("leak-ours"), &verdict));
    QVERIFY2(verdict.contains(QLatin1String("leak filter: 1 leak(s) with a frame of ours: failed")),
             qPrintable(verdict));
    QVERIFY2(verdict.contains(QLatin1String("Direct leak of 64 byte(s)")), qPrintable(verdict));
    QVERIFY2(verdict.contains(QLatin1String("tests/sanitize/leak-sample.c:")), qPrintable(verdict));
}

void TestOwnProgram::thirdPartyLeakPasses()
{
    if (!TestSupport::addressSanitizer())
        QSKIP("leaks are found in the sanitized build (./test.sh --sanitize)");
    QString verdict;
    QByteArray output;
    QVERIFY2(run(QStringLiteral("leak-theirs"), &verdict, &output), qPrintable(verdict));
    // The child did leak: the filter passed it for what it found.
    QVERIFY(output.contains("ERROR: LeakSanitizer: detected memory leaks"));
    QCOMPARE(verdict, QStringLiteral("leak filter: 1 third-party leak(s) of 128 byte(s) ignored\nleak filter: passed"));
}

void TestOwnProgram::thirdPartyLeakOfAFailedChildFails()
{
    QString verdict;
    QVERIFY(!run(QStringLiteral("leak-theirs-fail"), &verdict));
    const QString expected =
        TestSupport::addressSanitizer()
            ? QStringLiteral("leak filter: exit code 1 with leaks, and the program did not finish and pass: failed")
            : QStringLiteral("leak filter: exit code 1 without a leak report: failed");
    QCOMPARE(verdict, expected);
}

void TestOwnProgram::failingExitFails()
{
    QString verdict;
    QVERIFY(!run(QStringLiteral("fail"), &verdict));
    QCOMPARE(verdict, QStringLiteral("leak filter: exit code 3 without a leak report: failed"));
}

void TestOwnProgram::crashFails()
{
    QString verdict;
    QVERIFY(!run(QStringLiteral("abort"), &verdict));
    QCOMPARE(verdict, QStringLiteral("leak filter: signal 6 without a leak report: failed"));
}

void TestOwnProgram::programThatDoesNotStartFails()
{
    OwnProgram child(QStringLiteral("missing"));
    QVERIFY(!child.start(sample() + QStringLiteral("-missing"), {}));
    QVERIFY(!child.finish(1000));
    QVERIFY(child.verdict().contains(QLatin1String("did not start")));
}

VELM_CORE_TEST_MAIN(TestOwnProgram)
#include "tst_ownprogram.moc"
