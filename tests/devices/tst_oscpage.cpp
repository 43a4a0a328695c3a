// The "Oscilloscope" page and its wave view against a scripted device on a
// pty: frames to points, the X window, the point cap, every frame of a
// chunked stream kept, channel boxes and the fit, a fit after a single
// frame, pausing, OpenGL only with a usable context, a vanished device.
// The series hold only what the X range shows (decimated to the plot's
// pixel columns when that is more), the fit still covers every point, and
// a view that is not on screen is brought up to date when it is shown.

#include <QCheckBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QtTest>

#include <QChart>
#include <QMutex>
#include <QSet>

#include "devicewindowfixture.h"
#include "glsupport.h"
#include "osc/mwaveview.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

// Qt's object hooks (the table debuggers such as GammaRay fill in): every
// QObject made and destroyed while they are set is seen.
QT_BEGIN_NAMESPACE
extern quintptr Q_CORE_EXPORT qtHookData[];
QT_END_NAMESPACE

namespace {
constexpr int kAddQObjectHook = 3;
constexpr int kRemoveQObjectHook = 4;
QMutex liveLock;
QSet<QObject *> liveObjects;
void objectAdded(QObject *o)
{
    QMutexLocker lock(&liveLock);
    liveObjects.insert(o);
}
void objectRemoved(QObject *o)
{
    QMutexLocker lock(&liveLock);
    liveObjects.remove(o);
}
} // namespace

class TestOscPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void framesBecomePointsAndTheWindowScrolls();
    void chunkedStreamKeepsEveryFrame();
    void pointCapDropsTheOldest();
    void channelBoxesAndFit();
    void pauseHoldsTheView();
    void vanishedDeviceClosesThePage();
    void visiblePointsOfARange_data();
    void visiblePointsOfARange();
    void decimationKeepsEveryColumnsExtremes();
    void seriesFollowTheXRange();
    void hiddenViewCatchesUpWhenShown();
    void waveViewLeavesNoChartBehind();

private:
    void open();
    QByteArray frame(double a, double b, double c, double d) const
    {
        return QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n").arg(a).arg(b).arg(c).arg(d).toLatin1();
    }
    DeviceWindowFixture f;
};

void TestOscPage::init()
{
    QVERIFY(f.start(QStringLiteral("Oscilloscope")));
    f.makeWindow();
    QVERIFY(f.w->oscWaveView);
}

void TestOscPage::cleanup() { f.stop(); }

void TestOscPage::open()
{
    Ui::MainWindow *ui = f.w->ui;
    QCOMPARE(ui->OSCportNameComboBox->currentText(), f.device->portPath());
    QTest::mousePress(ui->OSCopencompushButton, Qt::LeftButton);
    QCOMPARE(ui->OSCopencompushButton->text(), QStringLiteral("Close"));
    QCOMPARE(f.device->baudRate(), 115200);
}

void TestOscPage::framesBecomePointsAndTheWindowScrolls()
{
    open();
    MainWindow *w = f.w.get();
    MWaveView *view = w->oscWaveView;
    // OpenGL drawing only where the display has a working context drawn
    // by graphics hardware (a software rasterizer draws slower than plain
    // drawing).
    QCOMPARE(view->channel(0)->useOpenGL(), GlSupport::accelerated());
    f.device->write(frame(1.5, -2, 3, 4));
    QTRY_COMPARE(w->oscChannelData[3].size(), 1);
    for (int ch = 0; ch < 4; ++ch)
        QCOMPARE(w->oscChannelData[ch].last(), QPointF(1, QList<double>{1.5, -2, 3, 4}[ch]));
    f.device->write("$0:9;$1:8;\r\n");
    QTRY_COMPARE(w->oscChannelData[0].size(), 2);
    QCOMPARE(w->oscChannelData[2].last(), QPointF(2, 0));
    QCOMPARE(w->oscChannelData[3].last(), QPointF(2, 0));
    QByteArray more;
    for (int i = 3; i <= 20; ++i)
        more += frame(i, i, i, i);
    f.device->write(more);
    QTRY_COMPARE(view->channel(0)->count(), 20);
    QCOMPARE(view->axisX()->min(), 0.0);
    QCOMPARE(view->axisX()->max(), 50.0);
    more.clear();
    for (int i = 21; i <= 80; ++i)
        more += frame(i, -i, i, -i);
    f.device->write(more);
    QTRY_COMPARE(view->channelData(1).size(), 80);
    QCOMPARE(view->axisX()->min(), 30.0);
    QCOMPARE(view->axisX()->max(), 80.0);
    // The series holds the points from x = 30 to 80 and the one before.
    QTRY_COMPARE(view->channel(1)->points(), w->oscChannelData[1].mid(28));

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        QByteArray wave;
        for (int i = 81; i <= 300; ++i)
            wave += frame(20 * std::sin(i / 8.0), 15 * std::cos(i / 11.0), (i % 40) - 20, i % 20 < 10 ? 10 : -10);
        f.device->write(wave);
        QTRY_COMPARE(view->channelData(0).size(), 300);
        view->fitToData();
        w->resize(1280, 800);
        QTest::qWait(200);
        w->grab().save(qEnvironmentVariable("VELM_ARTIFACT_DIR") + QStringLiteral("/oscilloscope_page.png"));
    }
}

void TestOscPage::chunkedStreamKeepsEveryFrame()
{
    open();
    MainWindow *w = f.w.get();
    QByteArray stream("\x07junk$2:5;\r\n");
    QList<double> sent;
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 1000; ++i) {
        const double v = rng->bounded(100000) / 100.0 - 500;
        sent << v;
        stream += frame(v, v + 1, v + 2, v + 3);
    }
    for (int at = 0; at < stream.size();) {
        const int n = 1 + int(rng->bounded(200));
        f.device->write(stream.mid(at, n));
        at += n;
        if (rng->bounded(4) == 0)
            QTest::qWait(1); // let some writes arrive as separate reads
    }
    QTRY_COMPARE_WITH_TIMEOUT(w->oscChannelData[0].size(), 1000, 5000);
    for (int ch = 0; ch < 4; ++ch) {
        QCOMPARE(w->oscChannelData[ch].size(), 1000);
        for (int i = 0; i < 1000; ++i)
            QCOMPARE(w->oscChannelData[ch].at(i).y(), sent.at(i) + ch);
    }
    QTRY_COMPARE(w->oscWaveView->channelData(3), w->oscChannelData[3]);
    QTRY_COMPARE(w->oscWaveView->channel(3)->points().last(), QPointF(1000, sent.last() + 3));
}

void TestOscPage::pointCapDropsTheOldest()
{
    MainWindow *w = f.w.get();
    const double v[4] = {1, 2, 3, 4};
    for (int i = 0; i < 20001; ++i)
        w->Oscilloscope_Setting_Value(v, false);
    QCOMPARE(w->oscChannelData[0].size(), 20000);
    QCOMPARE(w->oscChannelData[0].first().x(), 2.0);
    QCOMPARE(w->oscChannelData[0].last().x(), 20001.0);
}

void TestOscPage::channelBoxesAndFit()
{
    MainWindow *w = f.w.get();
    MWaveView *view = w->oscWaveView;
    // A fit with no points leaves the axes.
    view->fitToData();
    QCOMPARE(view->axisY()->min(), -25.0);
    QCOMPARE(view->axisY()->max(), 25.0);

    // One frame, then a fit: the X window never collapses.
    const double first[4] = {5, 5, 5, 5};
    w->Oscilloscope_Setting_Value(first);
    view->fitToData();
    QVERIFY(view->axisX()->max() > view->axisX()->min());
    QVERIFY(view->axisY()->max() > view->axisY()->min());
    QVERIFY(view->xWindow() > 0);
    for (int i = 0; i < 100; ++i) {
        const double v[4] = {double(i), -1, 100, 7};
        w->Oscilloscope_Setting_Value(v);
    }
    QTRY_COMPARE(view->channelData(0).size(), 101);
    QVERIFY(view->axisX()->max() > view->axisX()->min());
    QCOMPARE(view->axisX()->max(), 101.0);
    // The fit left an X window of 1: the series shows x = 100 and 101 and
    // the point before.
    QTRY_COMPARE(view->channel(0)->points(), w->oscChannelData[0].mid(98));

    // Channel 2 (at 100) hidden: the fit leaves it out.
    w->ui->checkBox_2->setChecked(false);
    QVERIFY(!view->channel(2)->isVisible());
    view->fitToData();
    QCOMPARE(view->axisY()->max(), 99.0);
    QCOMPARE(view->axisY()->min(), -1.0);
    w->ui->checkBox_2->setChecked(true);
    QVERIFY(view->channel(2)->isVisible());
    view->fitToData();
    QCOMPARE(view->axisY()->max(), 100.0);
}

void TestOscPage::pauseHoldsTheView()
{
    MainWindow *w = f.w.get();
    MWaveView *view = w->oscWaveView;
    const double v[4] = {1, 2, 3, 4};
    w->Oscilloscope_Setting_Value(v);
    QTRY_COMPARE(view->channel(0)->count(), 1);
    view->slots_pauseGraph();
    for (int i = 0; i < 5; ++i)
        w->Oscilloscope_Setting_Value(v);
    QTest::qWait(80);
    QCOMPARE(view->channel(0)->count(), 1);
    QCOMPARE(w->oscChannelData[0].size(), 6); // frames still kept while paused
    view->slots_startGraph();
    w->Oscilloscope_Setting_Value(v);
    QTRY_COMPARE(view->channel(0)->count(), 7);
}

void TestOscPage::vanishedDeviceClosesThePage()
{
    open();
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(f.w->ui->OSCopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(!f.w->serialOpen);
    QVERIFY(f.w->ui->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
}

void TestOscPage::visiblePointsOfARange_data()
{
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<QList<QPointF>>("expected");
    QList<QPointF> ten;
    for (int x = 1; x <= 10; ++x)
        ten << QPointF(x, x * x);
    const QList<QPointF> gap{{1, 1}, {2, 2}, {8, 8}, {9, 9}};
    const QList<QPointF> unsorted{{3, 1}, {1, 2}, {2, 3}};
    QTest::newRow("inside, with a neighbour on each side") << ten << true << 4.0 << 6.0 << ten.mid(2, 5);
    QTest::newRow("between points") << ten << true << 4.5 << 6.5 << ten.mid(3, 4);
    QTest::newRow("before the data") << ten << true << -5.0 << 2.0 << ten.mid(0, 3);
    QTest::newRow("after the newest point") << ten << true << 9.0 << 50.0 << ten.mid(7);
    QTest::newRow("all of it") << ten << true << 0.0 << 11.0 << ten;
    QTest::newRow("only the neighbours: the line crosses") << gap << true << 4.0 << 6.0 << gap.mid(1, 2);
    QTest::newRow("far left") << ten << true << -9.0 << -1.0 << ten.mid(0, 1);
    QTest::newRow("far right") << ten << true << 20.0 << 30.0 << ten.mid(9);
    QTest::newRow("empty") << QList<QPointF>() << true << 0.0 << 10.0 << QList<QPointF>();
    QTest::newRow("not sorted: whole") << unsorted << false << 1.5 << 2.5 << unsorted;
}

void TestOscPage::visiblePointsOfARange()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(bool, sorted);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(QList<QPointF>, expected);
    QCOMPARE(MWaveView::visiblePoints(points, sorted, left, right, 1000), expected);
}

void TestOscPage::decimationKeepsEveryColumnsExtremes()
{
    // 10000 points over 100 columns: each column keeps its lowest and
    // highest point, in x order, whatever lies between.
    QList<QPointF> points;
    for (int i = 0; i < 10000; ++i)
        points << QPointF(i, std::sin(i / 37.0) * 10 + (i % 3));
    points[4321].setY(1e6);  // spikes
    points[4322].setY(-1e6);
    points[9000].setY(-500);
    const QList<QPointF> shown = MWaveView::visiblePoints(points, true, 0, 10000, 100);
    QVERIFY(shown.size() <= 2 * 100);
    for (int c = 0; c < 100; ++c) {
        const QList<QPointF> column = points.mid(c * 100, 100);
        const QPointF low = *std::min_element(column.cbegin(), column.cend(),
                                              [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        const QPointF high = *std::max_element(column.cbegin(), column.cend(),
                                               [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
        QVERIFY2(shown.contains(low) && shown.contains(high), qPrintable(QString::number(c)));
    }
    QVERIFY(shown.contains(QPointF(4321, 1e6)) && shown.contains(QPointF(4322, -1e6)));
    QVERIFY(shown.contains(QPointF(9000, -500)));
    for (int i = 1; i < shown.size(); ++i)
        QVERIFY(shown.at(i - 1).x() < shown.at(i).x());
    // A narrower range of the same points: neighbours outside it stay.
    const QList<QPointF> part = MWaveView::visiblePoints(points, true, 2000.5, 5999.5, 100);
    QCOMPARE(part.first(), points.at(2000));
    QCOMPARE(part.last(), points.at(6000));
    QVERIFY(part.size() <= 2 * 100 + 2);
    QVERIFY(part.contains(QPointF(4321, 1e6)));
}

void TestOscPage::seriesFollowTheXRange()
{
    MainWindow *w = f.w.get();
    MWaveView *view = w->oscWaveView;
    // Full buffers: 20000 points a channel, a spike on channel 1.
    for (int i = 1; i <= 20000; ++i) {
        const double v[4] = {std::sin(i / 50.0), i == 7777 ? 900.0 : 1.0, double(i % 10), -double(i)};
        w->Oscilloscope_Setting_Value(v, i == 20000);
    }
    QCOMPARE(w->oscChannelData[1].size(), 20000);
    QCOMPARE(view->channelData(1), w->oscChannelData[1]);
    // Following the newest: x from 19950 to 20000 and the point before.
    QCOMPARE(view->axisX()->min(), 19950.0);
    for (int ch = 0; ch < 4; ++ch)
        QTRY_COMPARE(view->channel(ch)->points(), w->oscChannelData[ch].mid(20000 - 52));

    // Fit: every point counts for the axes, the series get at most two
    // points per pixel column of the plot, spike included.
    view->fitToData();
    QTest::qWait(100); // the new axis labels settle the plot's width
    QCOMPARE(view->axisX()->min(), 1.0);
    QCOMPARE(view->axisX()->max(), 20000.0);
    QCOMPARE(view->axisY()->min(), -20000.0);
    QCOMPARE(view->axisY()->max(), 900.0);
    const int columns = qCeil(view->chart()->plotArea().width() * view->devicePixelRatioF());
    QVERIFY(columns > 10);
    for (int ch = 0; ch < 4; ++ch) {
        const QList<QPointF> shown = view->channel(ch)->points();
        QVERIFY2(shown.size() > 10 && shown.size() <= 2 * columns, qPrintable(QString::number(shown.size())));
        // Each shown point is one of the data, in order.
        const QList<QPointF> &all = w->oscChannelData[ch];
        for (int i = 1; i < shown.size(); ++i)
            QVERIFY(shown.at(i - 1).x() < shown.at(i).x());
        for (const QPointF &p : shown)
            QCOMPARE(all.at(int(p.x()) - 1), p);
    }
    // The rising channel keeps its ends.
    QCOMPARE(view->channel(3)->points().first(), QPointF(1, -1));
    QCOMPARE(view->channel(3)->points().last(), QPointF(20000, -20000));
    QVERIFY(view->channel(1)->points().contains(QPointF(7777, 900)));

    // Dragging (the chart scrolls) and zooming move the range: the series
    // follow it with a point beyond each edge.
    view->chart()->zoomIn(QRectF(view->chart()->plotArea().center(), QSizeF(20, 20)));
    view->chart()->scroll(-30, 0);
    const double left = view->axisX()->min(), right = view->axisX()->max();
    QVERIFY(left > 1 && right < 20000);
    const QList<QPointF> shown = view->channel(2)->points();
    const QList<QPointF> &all = w->oscChannelData[2];
    const int first = int(std::ceil(left)) - 1; // index of x = ceil(left)
    QCOMPARE(shown.first(), all.at(first - 1));
    QCOMPARE(shown.last(), all.at(int(std::floor(right)))); // x = floor(right) + 1
    QCOMPARE(shown, all.mid(first - 1, shown.size()));

    // The next frame follows the newest again, over the fitted window.
    const double v[4] = {0, 0, 0, 0};
    w->Oscilloscope_Setting_Value(v);
    QTRY_COMPARE(view->axisX()->max(), 20001.0);
    QTRY_COMPARE(view->channel(3)->points().last(), QPointF(20001, 0));
    QVERIFY(view->channel(3)->count() <= 2 * columns + 2);
}

void TestOscPage::hiddenViewCatchesUpWhenShown()
{
    MainWindow *w = f.w.get();
    MWaveView *view = w->oscWaveView;
    QTabWidget *tabs = w->ui->tabWidget;
    QWidget *other = nullptr;
    for (int i = 0; i < tabs->count(); ++i) {
        if (!tabs->widget(i)->isAncestorOf(view))
            other = tabs->widget(i);
    }
    QVERIFY(other);
    const double first[4] = {1, 2, 3, 4};
    w->Oscilloscope_Setting_Value(first);
    QTRY_COMPARE(view->channel(0)->count(), 1);

    tabs->setCurrentWidget(other);
    QVERIFY(!view->isVisible());
    for (int i = 0; i < 99; ++i) {
        const double v[4] = {double(i), 0, 0, 0};
        w->Oscilloscope_Setting_Value(v);
    }
    QTest::qWait(100);
    QCOMPARE(w->oscChannelData[0].size(), 100);
    // Nothing drawn while hidden.
    QCOMPARE(view->channel(0)->count(), 1);
    QCOMPARE(view->axisX()->max(), 50.0);

    tabs->setCurrentIndex(tabs->indexOf(other) == 0 ? 1 : 0);
    QVERIFY(view->isVisible());
    QCOMPARE(view->axisX()->min(), 50.0);
    QCOMPARE(view->axisX()->max(), 100.0);
    QTRY_COMPARE(view->channel(0)->points(), w->oscChannelData[0].mid(48));
    QTRY_COMPARE(view->channel(3)->points(), w->oscChannelData[3].mid(48));
    view->fitToData();
    QCOMPARE(view->axisX()->min(), 1.0);
    QCOMPARE(view->axisY()->max(), 98.0);
}

void TestOscPage::waveViewLeavesNoChartBehind()
{
    // Every object made from here on is tracked until it is destroyed.
    const quintptr addBefore = qtHookData[kAddQObjectHook];
    const quintptr removeBefore = qtHookData[kRemoveQObjectHook];
    qtHookData[kAddQObjectHook] = reinterpret_cast<quintptr>(&objectAdded);
    qtHookData[kRemoveQObjectHook] = reinterpret_cast<quintptr>(&objectRemoved);
    {
        MWaveView view;
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.chart());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qtHookData[kAddQObjectHook] = addBefore;
    qtHookData[kRemoveQObjectHook] = removeBefore;
    // Every chart the view made went with it.
    int charts = 0;
    QMutexLocker lock(&liveLock);
    for (QObject *o : qAsConst(liveObjects))
        charts += qobject_cast<QChart *>(o) != nullptr;
    liveObjects.clear();
    QCOMPARE(charts, 0);
}

VELM_TEST_MAIN(TestOscPage)
#include "tst_oscpage.moc"
