// Sends time-of-flight frames through a pseudo-terminal into the real "TOF"
// page and measures, per frame, the time from writing the frame until the
// view has painted it: the grid (page "2D") and the 3D surface (page "3D").
// 50 frames per case; in each, every zone changes value and colour. Prints
// the median per zone count.
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
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtDataVisualization/Q3DSurface>

#include <algorithm>
#include <functional>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
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

    // Median time from writing a frame to the page until `page` (0 grid,
    // 1 surface) has painted it; -1 when the surface is missing.
    auto measure = [&](int zones, int page) -> double {
        ui->TOFChartComboBox->setCurrentIndex(page);
        settle(600);
        Q3DSurface *graph = tof->surfaceView->surfaceGraph();
        if (page == 1 && !graph)
            return -1;
        // The grid is painted once its last label is; the surface when its
        // window has handled the update request that renders it.
        QLabel *lastLabel = tof->dataView->label(zones - 1);
        watch.target = page == 0 ? static_cast<QObject *>(lastLabel) : static_cast<QObject *>(graph);
        watch.type = page == 0 ? QEvent::Paint : QEvent::UpdateRequest;
        QList<double> times;
        for (int f = 0; f < 50 + 2; ++f) {
            const QByteArray data = frame(zones, f + 2 * page);
            const QString last = lastLabel->text();
            watch.decoded = [lastLabel, last] { return lastLabel->text() != last; };
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
    w.TOFOpen_triggered();
    ::close(master);
    return 0;
}
