// The "Oscilloscope" page and its wave view against a scripted device on a
// pty: frames to points, the X window, the point cap, every frame of a
// chunked stream kept, channel boxes and the fit, a fit after a single
// frame, pausing, OpenGL only with a usable context, a vanished device.

#include <QCheckBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStatusBar>
#include <QtTest>

#include "devicewindowfixture.h"
#include "glsupport.h"
#include "osc/mwaveview.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

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
    // OpenGL drawing only where the display has a working context.
    QCOMPARE(view->channel(0)->useOpenGL(), GlSupport::usable());
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
    QTRY_COMPARE(view->channel(1)->count(), 80);
    QCOMPARE(view->axisX()->min(), 30.0);
    QCOMPARE(view->axisX()->max(), 80.0);

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        QByteArray wave;
        for (int i = 81; i <= 300; ++i)
            wave += frame(20 * std::sin(i / 8.0), 15 * std::cos(i / 11.0), (i % 40) - 20, i % 20 < 10 ? 10 : -10);
        f.device->write(wave);
        QTRY_COMPARE(view->channel(0)->count(), 300);
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
    QTRY_COMPARE(w->oscWaveView->channel(3)->count(), 1000);
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
    QTRY_COMPARE(view->channel(0)->count(), 101);
    QVERIFY(view->axisX()->max() > view->axisX()->min());
    QCOMPARE(view->axisX()->max(), 101.0);

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

VELM_TEST_MAIN(TestOscPage)
#include "tst_oscpage.moc"
