// Sends time-of-flight frames through a pseudo-terminal into the real "TOF"
// page and measures, per frame, the time from writing the frame until the
// view has painted it: the grid (page "2D") and the 3D surface (page "3D").
// 50 frames per case; in each, every zone changes value and colour. Prints
// the median per zone count. Then floods the page with 400 1536-zone frames
// as fast as the terminal takes them, the grid and then the surface on
// screen, and prints the worst lateness of a 10 ms timer meanwhile, with
// the system's load average before and after (a busy machine makes every
// figure worse).
#include "glsupport.h"
#include "benchsupport.h"
#include "mainwindow.h"
#include "portlister.h"
#include "tof/kalvest_tof.h"
#include "tof/kalvest_tof_data.h"
#include "tof/kalvest_tof_surface.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtDataVisualization/Q3DSurface>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {

// Notes when a watched object gets the event that paints it.
class PaintWatch : public QObject
{
public:
    QObject *target = nullptr;
    QEvent::Type type = QEvent::Paint;
    std::function<bool()> decoded; // the frame has reached the views
    bool seen = false;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == target && e->type() == type && decoded && decoded())
            seen = true;
        return false;
    }
};

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(qMin<qint64>(left, 4096)));
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
                continue;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

double median(QList<double> v)
{
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v.at(v.size() / 2) : (v.at(v.size() / 2 - 1) + v.at(v.size() / 2)) / 2;
}

// Writes from a thread of its own: waits for the terminal instead of
// turning the event loop.
bool writeAllFromThread(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(qMin<qint64>(left, 65536)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QByteArray loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return "?";
    return f.readAll().split(' ').mid(0, 3).join(',');
}

// Frame f: even frames near the dark end of the scale, odd ones near the
// red end, so every zone changes value and colour.
QByteArray frame(int zones, int f)
{
    QByteArray t;
    for (int k = 0; k < zones; ++k)
        t += QByteArray::number((f % 2 ? 3500 : 300) + (k * 7 + f) % 97) + ",";
    return t + "\r\n";
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("TOF")});
    const int master = Bench::openPortPty();
    if (master < 0)
        return 1;

    MainWindow w;
    w.resize(1280, 960);
    w.show();
    settle(500);
    Ui::MainWindow *ui = w.ui;
    ui->TOFRangeComboBox->setCurrentText(QStringLiteral("4000"));
    w.TOFOpen_triggered();
    if (!w.serialOpen) {
        std::fprintf(stderr, "port did not open\n");
        return 1;
    }
    if (!GlSupport::usable())
        std::fprintf(stderr, "no usable OpenGL: the surface figures are missing\n");

    PaintWatch watch;
    app.installEventFilter(&watch);
    kalvest_tof *tof = w.tofWidget;

    // What the view of `page` shows for the last of `zones` zones: the
    // grid's label text, or the surface's height there. (A view that is
    // not on screen catches up when it is shown.)
    auto lastZoneShown = [tof](int page, int zones) -> QString {
        if (page == 0)
            return tof->dataView->label(zones - 1)->text();
        const QPoint at = tof->surfaceView->zones.value(zones - 1);
        const QSurfaceDataArray &data = tof->surfaceView->data();
        if (at.y() < 0 || at.y() >= data.size() || at.x() < 0 || at.x() >= data.at(at.y())->size())
            return QString();
        return QString::number(data.at(at.y())->at(at.x()).y());
    };

    // Median time from writing a frame to the page until `page` (0 grid,
    // 1 surface) has painted it; -1 when the surface is missing.
    auto measure = [&](int zones, int page) -> double {
        ui->TOFChartComboBox->setCurrentIndex(page);
        settle(600);
        Q3DSurface *graph = tof->surfaceView->surfaceGraph();
        if (page == 1 && !graph)
            return -1;
        // The grid is painted when it gets its paint event; the surface
        // when its window has handled the update request that renders it.
        watch.target = page == 0 ? static_cast<QObject *>(tof->dataView) : static_cast<QObject *>(graph);
        watch.type = page == 0 ? QEvent::Paint : QEvent::UpdateRequest;
        QList<double> times;
        for (int f = 0; f < 50 + 2; ++f) {
            const QByteArray data = frame(zones, f + 2 * page);
            const QString last = lastZoneShown(page, zones);
            watch.decoded = [&lastZoneShown, page, zones, last] { return lastZoneShown(page, zones) != last; };
            watch.seen = false;
            QElapsedTimer clock;
            clock.start();
            if (!writeAll(master, data))
                return -1;
            while (!watch.seen && clock.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (f >= 2) // the first two warm the caches
                times.append(clock.nsecsElapsed() / 1e6);
            settle(30);
        }
        return median(times);
    };

    struct Case {
        int zones;
        int model;
        const char *arrangement;
    };
    const Case cases[] = {{64, 0, "8x8"}, {1536, 2, "48x32"}};
    for (const Case &c : cases) {
        ui->TOFTYPEcomboBox->setCurrentIndex(c.model);
        ui->TOFArrangementcomboBox->setCurrentText(QLatin1String(c.arrangement));
        const double grid = measure(c.zones, 0);
        const double surface = measure(c.zones, 1);
        std::printf("zones=%d grid_ms=%.2f surface_ms=%.2f\n", c.zones, grid, surface);
        std::fflush(stdout);
    }

    // How late a 10 ms timer fires, worst case, while `run` turns the event
    // loop.
    auto worstLatenessDuring = [](const std::function<void()> &run) {
        qint64 worst = 0;
        QElapsedTimer probeClock;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        probe.setInterval(10);
        qint64 lastTick = 0;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const qint64 now = probeClock.elapsed();
            worst = qMax(worst, now - lastTick - 10);
            lastTick = now;
        });
        probeClock.start();
        probe.start();
        run();
        probe.stop();
        return worst;
    };

    // For comparison: the same timer while the page waits for data, as busy
    // as the machine is.
    {
        const QByteArray before = loadAverage();
        const qint64 idle = worstLatenessDuring([] { settle(5000); });
        std::printf("idle seconds=5 worst_lateness_ms=%lld load=%s..%s\n", static_cast<long long>(idle),
                    before.constData(), loadAverage().constData());
        std::fflush(stdout);
    }

    // The flood: 1536-zone frames (TMF8829, 48x32) as fast as the terminal
    // takes them, the grid or the surface on screen; done when the last
    // frame (every zone 1234) shows.
    auto flood = [&](int page) {
        ui->TOFChartComboBox->setCurrentIndex(page);
        settle(600);
        const int zones = 1536, count = 400;
        QByteArray data;
        for (int f = 0; f < count; ++f)
            data += frame(zones, f);
        QByteArray last;
        for (int k = 0; k < zones; ++k)
            last += "1234,";
        data += last + "\r\n";
        const QByteArray before = loadAverage();
        QElapsedTimer clock;
        qint64 elapsedMs = 0;
        std::thread writer;
        const qint64 worstLateness = worstLatenessDuring([&] {
            clock.start();
            writer = std::thread([&] { writeAllFromThread(master, data); });
            while (lastZoneShown(page, zones) != QLatin1String("1234") && clock.elapsed() < 120000)
                QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
            elapsedMs = clock.elapsed();
            settle(300); // what is painted after the last frame counts too
        });
        writer.join();
        std::printf("flood page=%s zones=%d frames=%d mb=%.1f seconds=%.2f complete=%d worst_lateness_ms=%lld "
                    "load=%s..%s\n",
                    page ? "3D" : "2D", zones, count + 1, data.size() / 1e6, elapsedMs / 1000.0,
                    lastZoneShown(page, zones) == QLatin1String("1234") ? 1 : 0, static_cast<long long>(worstLateness),
                    before.constData(), loadAverage().constData());
        std::fflush(stdout);
        // Back to a state the next flood can see change.
        writeAllFromThread(master, frame(zones, 0));
        settle(300);
    };
    flood(0);
    if (tof->surfaceView->surfaceGraph())
        flood(1);
    w.TOFOpen_triggered();
    ::close(master);
    return 0;
}
