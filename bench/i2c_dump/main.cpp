// Sends the I2C bridge's largest replies (payload 65535 bytes) through a
// pseudo-terminal into the real "i2cdump" page: 12 register dumps, 12 read
// results and 12 scan results, each case written as fast as the terminal
// takes it. Reports per case the time until the page shows the last reply,
// whether it shows it correctly, and the worst lateness of a 10 ms timer
// meanwhile.
#include "benchsupport.h"
#include "i2c/kalvest_i2c_tools.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kReplies = 12;
constexpr int kPayload = 65535;

QByteArray reply(quint8 command, const QByteArray &payload)
{
    QByteArray f("KV");
    f.append(char(command)).append(char(payload.size() >> 8)).append(char(payload.size() & 0xFF)).append(payload);
    quint8 sum = 0;
    for (char c : payload)
        sum += quint8(c);
    return f.append(char(sum));
}

// Reply r of a case: every byte differs from the same byte of reply r - 1.
QByteArray payload(int r)
{
    QByteArray p(kPayload, Qt::Uninitialized);
    for (int i = 0; i < kPayload; ++i)
        p[i] = char((i * 7 + r * 13) & 0xFF);
    return p;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

QString hexToken(quint8 b) { return QStringLiteral("0x%1, ").arg(b, 2, 16, QLatin1Char('0')); }

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("i2cdump")});
    const int master = Bench::openPortPty();
    if (master < 0)
        return 1;

    MainWindow w;
    w.resize(1280, 960);
    w.show();
    settle(500);
    w.I2CdumpOpen_triggered();
    if (!w.serialOpen) {
        std::fprintf(stderr, "port did not open\n");
        return 1;
    }
    QPlainTextEdit *log = w.ui->i2cdump_StrTextBrowser;

    struct Case {
        const char *name;
        quint8 command;
    };
    const Case cases[] = {{"dump", 0x02}, {"read", 0x05}, {"scan", 0x01}};
    for (const Case &c : cases) {
        QByteArray data;
        for (int r = 0; r < kReplies; ++r)
            data += reply(c.command, payload(r));
        const QByteArray last = payload(kReplies - 1);
        // What the page shows once the last reply is on screen: the grid
        // holds its first 256 bytes, the log ends with its last bytes.
        const QString lastCell = QStringLiteral("%1").arg(quint8(last[255]), 2, 16, QLatin1Char('0')).toUpper();
        QString logTail;
        for (int i = kPayload - 8; i < kPayload; ++i)
            logTail += hexToken(quint8(last[i]));
        auto shown = [&] {
            if (c.command == 0x02)
                return w.i2cTools->cell(255)->text() == lastCell;
            const QTextBlock end = log->document()->lastBlock().previous();
            return end.isValid() && end.text().endsWith(logTail);
        };
        // Every byte of the newest reply on screen, in order.
        auto correct = [&] {
            if (c.command == 0x02) {
                for (int k = 0; k < 256; ++k) {
                    if (w.i2cTools->cell(k)->text()
                        != QStringLiteral("%1").arg(quint8(last[k]), 2, 16, QLatin1Char('0')).toUpper())
                        return false;
                }
                return true;
            }
            QString expected;
            for (int i = 0; i < kPayload; ++i)
                expected += hexToken(quint8(last[i]));
            QString text = log->toPlainText();
            text.remove(QLatin1Char('\n'));
            return text.endsWith(expected);
        };

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

        QElapsedTimer clock;
        clock.start();
        probeClock.start();
        probe.start();
        std::atomic<bool> done{false};
        std::thread writer([&] {
            Bench::writeAll(master, data.constData(), data.size());
            done = true;
        });
        while (!(done && shown()) && clock.elapsed() < 60000)
            app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        const qint64 shownMs = clock.elapsed();
        settle(300);
        probe.stop();
        writer.join();
        std::printf("case=%s replies=%d payload=%d shown_ms=%lld correct=%s worst_lateness_ms=%lld\n", c.name,
                    kReplies, kPayload, static_cast<long long>(shownMs), correct() ? "yes" : "no",
                    static_cast<long long>(worstLateness));
        std::fflush(stdout);
        settle(200);
    }
    w.I2CdumpOpen_triggered();
    ::close(master);
    return 0;
}
