// Sends 200 000 spectral channel lines through a pseudo-terminal into the
// real "Spectra" page (log hidden, as it is by default) and reports the
// log's block count, whether its last block is the newest line, the lines
// per second, and resident memory after each 50 000 lines.
#include "benchsupport.h"
#include "mainwindow.h"
#include "portlister.h"
#include "spectra/kalvest_spectroscopy.h"
#include "spectra/kalvest_spectroscopy_squarediagram.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QBarSet>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray line(int i) { return "F" + QByteArray::number(i % 9 + 1) + ":" + QByteArray::number(i % 1000) + "\r\n"; }

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("Spectra")});
    const int master = Bench::openPortPty();
    if (master < 0)
        return 1;

    MainWindow w;
    w.resize(1280, 900);
    w.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        app.processEvents(QEventLoop::AllEvents, 50);
    w.SpectraOpen_triggered();
    if (!w.serialOpen) {
        std::fprintf(stderr, "port did not open\n");
        return 1;
    }
    QPlainTextEdit *log = w.ui->Spectra_textEdit;

    constexpr int kLines = 200000;
    constexpr int kStep = 50000;
    std::printf("lines=0 rss_kb=%ld\n", Bench::residentKb());
    QElapsedTimer clock;
    clock.start();
    for (int done = 0; done < kLines; done += kStep) {
        QByteArray data;
        for (int i = done; i < done + kStep; ++i)
            data += line(i);
        std::atomic<bool> ok{true};
        std::thread writer([&] { ok = Bench::writeAll(master, data); });
        const QString newest = QString::fromLatin1(line(done + kStep - 1)).trimmed();
        QElapsedTimer wait;
        wait.start();
        while (log->document()->lastBlock().text() != newest && wait.elapsed() < 120000)
            app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        writer.join();
        if (!ok)
            return 1;
        std::printf("lines=%d rss_kb=%ld blocks=%d\n", done + kStep, Bench::residentKb(), log->document()->blockCount());
        std::fflush(stdout);
    }
    const qint64 ms = qMax<qint64>(1, clock.elapsed());
    const QString newest = QString::fromLatin1(line(kLines - 1)).trimmed();
    std::printf("total_lines=%d lines_per_s=%lld blocks=%d newest_last=%s last_bar=%.3f\n", kLines,
                static_cast<long long>(kLines * 1000LL / ms), log->document()->blockCount(),
                log->document()->lastBlock().text() == newest ? "yes" : "no",
                w.spectraWidget->chart(0)->barSet((kLines - 1) % 9)->at(0));
    w.SpectraOpen_triggered();
    ::close(master);
    return 0;
}
