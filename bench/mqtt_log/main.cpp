// One 17 MB message into the MQTT page's log view on screen: the time
// until it is shown and the worst lateness of a 10 ms timer meanwhile
// (how long the window stood still at most).
#include "benchsupport.h"
#include "mqtt/mqttlogview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>

namespace {

constexpr qsizetype kBytes = 17 * 1000 * 1000;

QByteArray payloadOf(const char *kind)
{
    QByteArray data;
    data.reserve(kBytes + 64);
    const QByteArray kindName(kind);
    for (int i = 0; data.size() < kBytes; ++i) {
        if (kindName == "lines") {
            data += QByteArray(99, char('a' + i % 26));
            data += '\n';
        } else if (kindName == "no_linefeeds") {
            data += QByteArray(100, char('a' + i % 26));
        } else {
            data += QString(33, QChar(0x4e00 + i % 2000)).toUtf8();
            data += '\n';
        }
    }
    return data;
}

void runCase(const char *kind)
{
    QTextEdit view;
    view.resize(900, 700);
    view.show();
    MqttLogView log(&view, MqttLogView::Options());
    const QByteArray payload = payloadOf(kind);

    QElapsedTimer clock;
    qint64 last = -1;
    qint64 worst = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (last >= 0)
            worst = qMax(worst, now - last - 10);
        last = now;
    });
    QEventLoop loop;
    qint64 shownMs = -1;
    bool appended = false;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (appended && shownMs < 0 && log.pendingLines() == 0)
            shownMs = clock.elapsed();
        if (shownMs >= 0 && clock.elapsed() > shownMs + 300)
            loop.quit();
    });
    clock.start();
    tick.start(10);
    done.start(5);
    QTimer::singleShot(50, [&] {
        log.append(QTime::currentTime(), QStringLiteral("bench/big"), payload);
        appended = true;
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("case=%s bytes=%lld shown_ms=%lld worst_lateness_ms=%lld blocks=%d end_ms=%lld pending=%d\n", kind,
                qint64(payload.size()), shownMs - 50, worst, view.document()->blockCount(), clock.elapsed(), log.pendingLines());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    for (const char *kind : {"lines", "no_linefeeds", "chinese"})
        runCase(kind);
    return 0;
}
