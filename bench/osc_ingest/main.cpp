// Sends oscilloscope frames through a pseudo-terminal into the real
// "Oscilloscope" page, once paced at what 115200 baud carries and once as
// fast as the terminal takes them, and reports frames per second, frames
// lost (sent but not counted by the page) and the worst lateness of a 10 ms
// timer meanwhile. The same two runs follow once the channels hold their
// full 20000 points and the view has been fitted to them (so it shows every
// point). Each line says whether the traces were drawn with OpenGL. With
// --opengl the traces are drawn with OpenGL whenever the display has it,
// also where the page would not choose it (a software rasterizer); run.sh
// runs the page's own choice, OpenGL forced, and a display without OpenGL.
#include "benchsupport.h"
#include "mainwindow.h"
#include "osc/mwaveview.h"
#include "portlister.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray frames(int first, int count)
{
    QByteArray data;
    for (int i = first; i < first + count; ++i)
        data += QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n")
                    .arg(i % 1000 / 10.0)
                    .arg(-(i % 777))
                    .arg((i * 7) % 500 / 4.0)
                    .arg(i % 2 ? 12.5 : -12.5)
                    .toLatin1();
    return data;
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("Oscilloscope")});

    const int master = Bench::openPortPty();
    if (master < 0)
        return 1;

    MainWindow w;
    w.resize(1200, 900);
    w.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        app.processEvents(QEventLoop::AllEvents, 50);

    if (app.arguments().contains(QStringLiteral("--opengl")))
        w.oscWaveView->setUseOpenGL(true);
    w.OscilloscopeOpen_triggered();
    if (!w.serialOpen) {
        std::fprintf(stderr, "port did not open\n");
        return 1;
    }

    // One frame first, so the chart's first drawing (and its OpenGL set-up)
    // is not counted as a stall of the stream.
    {
        const QByteArray warm = frames(0, 1);
        Bench::writeAll(master, warm.constData(), warm.size());
        settle.restart();
        while (settle.elapsed() < 500)
            app.processEvents(QEventLoop::AllEvents, 50);
    }

    struct Case {
        const char *name;
        int frames;
        bool paced;
    };
    const Case cases[] = {{"paced", 1500, true}, {"full", 200000, false}, {"fit_paced", 1500, true},
                          {"fit_full", 200000, false}};
    const bool openGl = w.oscWaveView->channel(0)->useOpenGL();
    int sentSoFar = 0;
    for (const Case &c : cases) {
        if (qstrncmp(c.name, "fit_", 4) == 0) {
            // Full buffers (the full run left 20000 points per channel),
            // then the fit of the right mouse button.
            w.oscWaveView->fitToData();
            settle.restart();
            while (settle.elapsed() < 300)
                app.processEvents(QEventLoop::AllEvents, 50);
        }
        const QByteArray data = frames(sentSoFar, c.frames);
        const double startCount = w.oscX;
        // 115200 baud, 8N1: 11520 bytes a second, written every 10 ms.
        const qint64 perTick = c.paced ? 115 : data.size();

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
            const auto start = std::chrono::steady_clock::now();
            qint64 at = 0;
            int tick = 0;
            while (at < data.size()) {
                const qint64 n = qMin<qint64>(perTick, data.size() - at);
                if (!Bench::writeAll(master, data.constData() + at, n))
                    break;
                at += n;
                if (c.paced)
                    std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * ++tick));
            }
            done = true;
        });
        while (w.oscX - startCount < c.frames && clock.elapsed() < 120000)
            app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        const qint64 elapsedMs = qMax<qint64>(1, clock.elapsed());
        // Whatever still arrives late counts as received, not lost.
        QElapsedTimer drain;
        drain.start();
        while (drain.elapsed() < 300)
            app.processEvents(QEventLoop::AllEvents, 20);
        probe.stop();
        writer.join();
        const int counted = int(w.oscX - startCount);
        std::printf("opengl=%s case=%s points=%lld frames_per_s=%lld lost=%d worst_lateness_ms=%lld\n",
                    openGl ? "yes" : "no", c.name, static_cast<long long>(w.oscChannelData[0].size()),
                    static_cast<long long>(counted * 1000LL / elapsedMs), c.frames - counted,
                    static_cast<long long>(worstLateness));
        std::fflush(stdout);
        sentSoFar += c.frames;
    }
    w.OscilloscopeOpen_triggered();
    ::close(master);
    return 0;
}
