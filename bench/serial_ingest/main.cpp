// Pushes 20 MiB (5 MiB of random bytes in the `random` case) through a
// pseudo-terminal into the "Serial Debug" page at full speed and reports,
// per case, the median over several rounds (5 unless SERIAL_INGEST_ROUNDS
// says otherwise) of the throughput, of the window thread's CPU time
// (`cpu_ms`) and of the worst lateness of a 10 ms timer during the flood
// (the window's own event loop runs meanwhile), the largest resident
// memory seen after a round (the port closed and the window left idle for
// 300 ms), what the views hold (blocks and characters of both), and the
// blocks a hidden hex view holds once it is shown.
//
// The data goes through a socat relay of two pseudo-terminals unless
// SERIAL_INGEST_PTY=direct. In every round the same data also goes
// through the same pseudo-terminals to `cat` (the port's end in raw mode,
// read into a pipe the benchmark drains), right before the page's turn:
// `cat_mbps` is its median and `ratio` the median of the rounds' page/cat
// ratios, so the load of the machine at the time weighs on both alike.
#include "benchsupport.h"
#include "mainwindow.h"
#include "portlister.h"
#include "receivedisplay.h"
#include "threadserial.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

constexpr qint64 kTotal = 20 * 1024 * 1024;
constexpr qint64 kRandomTotal = 5 * 1024 * 1024;

QByteArray randomBytes()
{
    std::mt19937 gen(27);
    QByteArray data(kRandomTotal, Qt::Uninitialized);
    for (char &c : data)
        c = char(gen() & 0xFF);
    return data;
}

QByteArray pattern(bool lineFeeds)
{
    QByteArray data;
    data.reserve(kTotal);
    const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;:-_+=()";
    int i = 0;
    while (data.size() < kTotal) {
        if (lineFeeds && i % 64 == 63)
            data.append('\n');
        else
            data.append(alphabet[i % (sizeof(alphabet) - 1)]);
        ++i;
    }
    return data;
}

struct Case {
    const char *name;
    bool lineFeeds;
    bool stamps;
    bool hexShown;
    bool random;
};


// MB/s of `cat` reading `data` from the terminal side `slave` while it is
// written into `master`; 0 when cat could not run or not all arrived.
double catMbps(int master, const QString &slave, const QByteArray &data)
{
    const QByteArray path = slave.toLocal8Bit();
    const int tty = ::open(path.constData(), O_RDWR | O_NOCTTY);
    if (tty < 0)
        return 0;
    termios raw{};
    tcgetattr(tty, &raw);
    cfmakeraw(&raw);
    tcsetattr(tty, TCSANOW, &raw);
    int out[2];
    if (::pipe(out) != 0) {
        ::close(tty);
        return 0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, tty, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char catName[] = "cat";
    char *argv[] = {catName, nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, "cat", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(tty);
    if (spawned != 0) {
        ::close(out[0]);
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    std::thread writer([&] { Bench::writeAll(master, data); });
    qint64 got = 0;
    static char buf[1 << 16];
    while (got < data.size()) {
        const ssize_t n = ::read(out[0], buf, sizeof(buf));
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            break;
        }
        got += n;
    }
    const qint64 elapsedMs = qMax<qint64>(1, clock.elapsed());
    writer.join();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    ::close(out[0]);
    if (got < data.size())
        return 0;
    return double(got) / (1024.0 * 1024.0) / (double(elapsedMs) / 1000.0);
}

template <typename T>
T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("COM")});

    // Through a socat relay between two pseudo-terminals (as a device
    // behind a USB adapter is usually tried), or SERIAL_INGEST_PTY=direct:
    // one pseudo-terminal written by the benchmark itself.
    const bool direct = qEnvironmentVariable("SERIAL_INGEST_PTY") == QLatin1String("direct");
    QString slave;
    const int master = direct ? Bench::openPortPty() : Bench::openRelayPty(&slave);
    if (master < 0)
        return 1;
    if (direct)
        slave = QString::fromLocal8Bit(ptsname(master));
    std::printf("pty=%s\n", direct ? "direct" : "socat");

    MainWindow w;
    w.resize(1200, 900);
    w.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        app.processEvents(QEventLoop::AllEvents, 50);

    std::fprintf(stderr, "rss_mb_before=%ld\n", Bench::residentKb() / 1024);
    const Case cases[] = {
        {"linefeeds", true, false, false, false},
        {"no_linefeeds", false, false, false, false},
        {"random", false, false, false, true},
        {"stamps", true, true, false, false},
        {"hex_view", true, false, true, false},
    };
    const int roundCount = qEnvironmentVariableIsSet("SERIAL_INGEST_ROUNDS")
                               ? qMax(1, qEnvironmentVariableIntValue("SERIAL_INGEST_ROUNDS"))
                               : 5;

    // SERIAL_INGEST_CASES=name,name runs only those cases (for profiling).
    const QStringList only = qEnvironmentVariable("SERIAL_INGEST_CASES").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const Case &c : cases) {
        if (!only.isEmpty() && !only.contains(QLatin1String(c.name)))
            continue;
        QList<double> speeds;
        QList<double> catSpeeds;
        QList<double> ratios;
        QList<qint64> lateness;
        QList<qint64> cpuMs;
        long rssMb = 0;
        int blocks = 0;
        int chars = 0;
        int hexShownBlocks = 0;
        for (int round = 0; round < roundCount; ++round) {
            // SERIAL_INGEST_CAT=0 leaves cat out (for profiling the page).
            if (qEnvironmentVariable("SERIAL_INGEST_CAT") != QLatin1String("0")) {
                const QByteArray data = c.random ? randomBytes() : pattern(c.lineFeeds);
                catSpeeds << catMbps(master, slave, data);
            } else {
                catSpeeds << 0.0;
            }
            w.ui->showtime_checkBox->setChecked(c.stamps);
            w.ui->HEXcheckBox->setChecked(c.hexShown);
            w.actionCleanData_triggered();
            w.actionOpen_triggered();
            if (!w.serialOpen) {
                std::fprintf(stderr, "port did not open\n");
                return 1;
            }
            qint64 received = 0;
            QObject::connect(w.serialThread, &ThreadSerial::Serial_read_Data, &w,
                             [&received](const QByteArray &d) { received += d.size(); });

            // Made per round and freed before the memory is read: the
            // program's resident memory, not the benchmark's own buffer.
            QByteArray data = c.random ? randomBytes() : pattern(c.lineFeeds);
            qint64 worstLateness = 0;
            QElapsedTimer probeClock;
            QTimer probe;
            probe.setTimerType(Qt::PreciseTimer);
            probe.setInterval(10);
            qint64 lastTick = 0;
            QObject::connect(&probe, &QTimer::timeout, [&] {
                const qint64 now = probeClock.elapsed();
                worstLateness = qMax(worstLateness, now - lastTick - 10);
                lastTick = now;
            });

            std::atomic<bool> writerDone{false};
            QElapsedTimer clock;
            clock.start();
            const qint64 cpuStart = Bench::threadCpuMs();
            probeClock.start();
            probe.start();
            std::thread writer([&] {
                Bench::writeAll(master, data);
                writerDone = true;
            });
            // The window's own event loop, as the program runs it: it waits
            // in poll while there is nothing to do.
            QEventLoop flood;
            const qint64 total = data.size();
            const QMetaObject::Connection done =
                QObject::connect(w.serialThread, &ThreadSerial::Serial_read_Data, &flood,
                                 [&received, &flood, total] {
                                     if (received >= total)
                                         flood.quit();
                                 });
            QTimer::singleShot(120000, &flood, &QEventLoop::quit);
            if (received < total)
                flood.exec();
            QObject::disconnect(done);
            w.comRxDisplay->endStream();
            const qint64 elapsedMs = clock.elapsed();
            cpuMs << Bench::threadCpuMs() - cpuStart;
            probe.stop();
            writer.join();
            const qint64 sent = data.size();
            data = QByteArray();

            const QTextDocument *text = w.ui->COM_StrTextBrowser->document();
            const QTextDocument *hex = w.ui->COM_HexTextBrowser->document();
            if (received < sent)
                std::fprintf(stderr, "case %s: only %lld of %lld bytes arrived\n", c.name,
                             static_cast<long long>(received), static_cast<long long>(sent));
            speeds << double(received) / (1024.0 * 1024.0) / (double(elapsedMs) / 1000.0);
            ratios << (catSpeeds.last() > 0 ? speeds.last() / catSpeeds.last() : 0.0);
            lateness << worstLateness;
            blocks = text->blockCount() + hex->blockCount();
            hexShownBlocks = hex->blockCount();
            chars = text->characterCount() + hex->characterCount();
            w.actionOpen_triggered();
            settle.restart();
            while (settle.elapsed() < 300)
                app.processEvents(QEventLoop::AllEvents, 50);
            // Once the stream is over and the window has settled.
            rssMb = qMax(rssMb, Bench::residentKb() / 1024);
            // What a hidden hex view shows once it is shown.
            if (!c.hexShown) {
                w.ui->HEXcheckBox->setChecked(true);
                hexShownBlocks = w.ui->COM_HexTextBrowser->document()->blockCount();
                w.ui->HEXcheckBox->setChecked(false);
            }
        }
        qint64 worst = 0;
        for (qint64 l : lateness)
            worst = qMax(worst, l);
        std::printf("case=%s mbps=%.2f cat_mbps=%.2f ratio=%.2f cpu_ms=%lld worst_lateness_ms=%lld max_lateness_ms=%lld "
                    "rss_mb=%ld blocks=%d chars=%d hex_blocks_shown=%d load=%.1f\n",
                    c.name, median(speeds), median(catSpeeds), median(ratios),
                    static_cast<long long>(median(cpuMs)), static_cast<long long>(median(lateness)),
                    static_cast<long long>(worst), rssMb, blocks, chars, hexShownBlocks, Bench::loadAverage());
        std::fflush(stdout);
    }
    // At the end the hex view has been shown and holds its 10000 lines too.
    std::printf("rss_mb_at_end=%ld\n", Bench::residentKb() / 1024);
    ::close(master);
    return 0;
}
