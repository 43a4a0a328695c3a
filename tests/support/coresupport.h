#pragma once
// The tests' helpers that need Qt Core alone: a scratch working directory,
// pseudo-terminal pairs from socat, the environment every test program
// wants, and a test main for tests that link only velm_codecs
// ("// test-links: codecs", tests/CMakeLists.txt). testsupport.h adds the
// widget part.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace TestSupport {

// Makes a fresh temporary directory the working directory for the scope.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// A socat pseudo-terminal pair; a() is handed to the program, b() is the
// peer's end. Both links live in a temporary directory.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    bool ok() const { return m_ok; }
    QString a() const { return m_a; }
    QString b() const { return m_b; }
    void kill();

private:
    QTemporaryDir m_dir;
    QProcess m_socat;
    QString m_a, m_b;
    bool m_ok = false;
};

// Environment every test program wants before its QApplication exists.
void prepareEnvironment();

// The lines of a receive view's text or of a saved log, with every
// "[hh:mm:ss.zzz]" stamp written "[T]"; the last entry is what follows the
// last line feed.
QStringList linesWithStamps(const QString &text);

// A hex view's line ("0x41,0x0d,0x0a,") as the characters of its bytes; a
// "[T]" it starts with (linesWithStamps) stays.
QString bytesOfHexLine(const QString &line);
// A hex view's text as the lines of text its bytes make, carriage returns
// and line feeds left out: what the text view beside it shows
// (linesWithStamps) for the same bytes.
QStringList textOfHexLines(const QString &hexViewText);

// Received bytes and whether "Time" was ticked when they arrived.
struct StampedChunk {
    bool stamped;
    QByteArray bytes;
};
// The "Time" switch sequence the receive views are tried with: seven
// lines, each to arrive as a read of its own, "Time" switched on, off, off,
// on, on, off, on before them; and what the text view and a saved log then
// hold (as linesWithStamps gives them): no line glued onto another, and
// the last line feed kept.
QList<StampedChunk> timeSwitchSequence();
QStringList timeSwitchSequenceLines();

// This process's environment for a child on the offscreen platform with no
// display to reach: Qt's offscreen platform would make OpenGL contexts
// through GLX on an X display it finds (the web engine has one made at
// start), and so load whatever OpenGL driver the machine has.
QProcessEnvironment offscreenEnvironment();

// True in a build with AddressSanitizer (./test.sh --sanitize).
bool addressSanitizer();

// Resident memory of this process in KiB (-1 when it cannot be read).
long residentKb();
// False in a build with AddressSanitizer: its shadow memory, redzones and
// quarantine are resident as well, so a bound on the program's own resident
// memory cannot be checked there (the rest of such a test still runs).
bool residentMemoryIsTheProgramsOwn();
// The most resident memory of this process in KiB since it started or
// since resetPeakResident(): it also sees a peak too short for sampling
// to catch (a buffer copied as it grows). -1 when it cannot be read.
long peakResidentKb();
// Starts the peak again from the memory resident now; false where the
// system does not allow it.
bool resetPeakResident();

// How much the resident memory grows from its construction on: sampled
// every 5 ms, and read from the peak where the system keeps one, so that a
// moment too short for sampling (a buffer copied as it grows) counts too.
class ResidentGrowth
{
public:
    ResidentGrowth();
    // The most growth so far, in KiB.
    long mostKb();

private:
    QTimer m_sample;
    bool m_peakKnown;
    long m_before;
    long m_most;
};

} // namespace TestSupport

// Like QTEST_GUILESS_MAIN, with the same environment as VELM_TEST_MAIN.
#define VELM_CORE_TEST_MAIN(TestObject)                                                                                \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        TestSupport::prepareEnvironment();                                                                             \
        QCoreApplication app(argc, argv);                                                                              \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }
