// GPS satellites: GSV sentences to records, the worker's handshake and
// backlog bound, the charts' drawing rules, and the "GPS Signal" dialog fed
// by a scripted receiver (overlapping GPS and BeiDou numbers, closing with a
// record on its way, reopening, a screenshot with a pixel check), and the
// window going while the dialog and the other helper windows are open.

#include "testenv.h"
#include "devicewindowfixture.h"
#include "helperwindows.h"
#include "testsupport.h"
#include "webguard.h"

#include "gps/callout.h"
#include "gps/gpspagestate.h"
#include "gps/gpssatellites.h"
#include "gps/gpssignal.h"
#include "gps/gpssignalcharts.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QChartView>
#include <QDialog>
#include <QPolarChart>
#include <QScatterSeries>

namespace {

using TestSupport::withChecksum;

QString entryText(const nmea_slmsg &e)
{
    return QStringLiteral("%1/%2/%3/%4/%5").arg(e.prn).arg(e.elevation).arg(e.azimuth).arg(e.snr).arg(e.system);
}

// A recorded multi-constellation stream (GPS, GLONASS, Galileo, BeiDou, QZSS).
QList<QByteArray> recordedStream()
{
    QList<QByteArray> s;
    for (const char *body : {
             "GPGSV,3,1,10,02,63,100,44,05,40,120,38,07,28,300,40,09,15,045,31",
             "GPGSV,3,2,10,13,70,210,47,15,33,260,42,18,10,160,28,20,52,020,45",
             "GPGSV,3,3,10,29,25,330,36,30,05,190,",
             "GLGSV,2,1,06,65,44,070,39,66,61,340,43,72,18,110,30,73,36,250,41",
             "GLGSV,2,2,06,80,22,180,33,81,55,300,",
             "GAGSV,2,1,05,03,41,095,40,05,66,175,44,13,23,315,35,15,12,035,29",
             "GAGSV,2,2,05,26,49,225,42",
             "GBGSV,2,1,07,06,58,035,43,09,48,205,40,16,62,120,45,19,33,290,38",
             "GBGSV,2,2,07,27,20,150,32,35,71,060,46,39,14,340,27",
             "GQGSV,1,1,02,193,75,150,41,195,38,200,36",
         })
        s.append(withChecksum(body));
    return s;
}

int pixelsOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += QColor(image.pixel(x, y)) == colour;
    return n;
}

} // namespace

class TestGpsSignal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::keepWebOnLoopback(); }
    void gsvRecord_data();
    void gsvRecord();
    void workerHandshake();
    void chartRules();
    void everyNumberOfEverySystem();
    void everNewNumbersStayBounded();
    void dialogKeepsSystemsApart();
    void closingWithARecordOnItsWay();
    void screenshotOfRecordedStream();
    void windowGoesWithTheDialogOpen();
    void cleanup();

private:
    GpsSignalCharts *openDialog();
    TestSupport::DeviceWindowFixture f;
};

void TestGpsSignal::cleanup()
{
    f.stop();
}

void TestGpsSignal::gsvRecord_data()
{
    QTest::addColumn<QByteArray>("sentence");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("example") << withChecksum("GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00")
                             << QStringList{"3/3/111/0/1", "4/15/270/0/1", "6/1/10/0/1", "13/6/292/0/1"};
    QTest::newRow("two satellites") << withChecksum("GPGSV,3,3,10,22,42,067,42,24,14,311,43")
                                    << QStringList{"22/42/67/42/1", "24/14/311/43/1", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("signal id is no satellite") << withChecksum("GPGSV,3,3,09,22,42,067,42,1")
                                               << QStringList{"22/42/67/42/1", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("empty ratio") << withChecksum("BDGSV,1,1,01,05,30,200,")
                                 << QStringList{"5/30/200/0/2", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("GB") << withChecksum("GBGSV,1,1,01,201,30,200,33")
                        << QStringList{"201/30/200/33/2", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("GL") << withChecksum("GLGSV,1,1,01,65,44,070,39")
                        << QStringList{"65/44/70/39/3", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("GA") << withChecksum("GAGSV,1,1,01,03,41,095,40")
                        << QStringList{"3/41/95/40/4", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("GQ above 255") << withChecksum("GQGSV,1,1,01,256,75,150,41")
                                  << QStringList{"256/75/150/41/5", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
    QTest::newRow("GN has no system") << withChecksum("GNGSV,1,1,01,05,40,120,38")
                                      << QStringList{"5/40/120/38/0", "0/0/0/0/0", "0/0/0/0/0", "0/0/0/0/0"};
}

void TestGpsSignal::gsvRecord()
{
    QFETCH(QByteArray, sentence);
    QFETCH(QStringList, entries);
    const GpsSatelliteRecord r = GpsSatellites::fromGsv(sentence);
    QStringList got;
    for (const nmea_slmsg &e : r.entries)
        got << entryText(e);
    QCOMPARE(got, entries);
}

void TestGpsSignal::workerHandshake()
{
    GPS_Signal worker;
    QList<GpsSatelliteRecord> records;
    connect(&worker, &GPS_Signal::ReturnResult, this, [&](const GpsSatelliteRecord &r) { records.append(r); });
    worker.start();
    const QByteArray a = withChecksum("GPGSV,2,1,05,01,10,100,30,02,20,200,31,03,30,300,32,04,40,040,33");
    const QByteArray b = withChecksum("GPGSV,2,2,05,05,50,050,34");
    const QByteArray c = withChecksum("BDGSV,1,1,01,06,60,060,35");

    // One sentence waits for the next one.
    worker.Get_Data(a);
    QTest::qWait(3 * GPS_Signal::kPollMs);
    QCOMPARE(records.size(), 0);
    worker.Get_Data(b);
    QTRY_COMPARE(records.size(), 1);
    QCOMPARE(records[0].entries[3].prn, 4);
    QVERIFY(worker.busy());

    // Nothing more until the record is acknowledged.
    worker.Get_Data(c);
    QTest::qWait(3 * GPS_Signal::kPollMs);
    QCOMPARE(records.size(), 1);
    worker.Wait_Data(false);
    QTRY_COMPARE(records.size(), 2);
    QCOMPARE(records[1].entries[0].prn, 5);

    // A backlog while busy is thrown away at the next poll.
    QVERIFY(worker.busy());
    for (int i = 0; i < 60; ++i)
        worker.Get_Data(c);
    QTRY_VERIFY(worker.queued() <= GPS_Signal::kMaxQueued);
    QCOMPARE(records.size(), 2);

    worker.stop();
    QVERIFY(worker.wait(2000));
}

void TestGpsSignal::chartRules()
{
    GpsSignalCharts charts;
    QCOMPARE(charts.barLabels(1), QStringList());
    QCOMPARE(charts.barValues(1), QList<qreal>());
    charts.draw({1, 10, 100, 30, 1});
    charts.draw({2, 20, 200, 40, 1});
    charts.draw({3, 30, 300, 45, 1});
    QCOMPARE(charts.barLabels(1), (QStringList{"GP1", "GP2", "GP3"}));
    // Below 5: the bar goes, later ones move left, the set keeps its length.
    charts.draw({1, 10, 100, 3, 1});
    QCOMPARE(charts.barLabels(1), (QStringList{"GP2", "GP3"}));
    QCOMPARE(charts.barValues(1), (QList<qreal>{40, 45, 0}));
    QVERIFY(!charts.plotted(1, 1));
    // Exactly 5 keeps the bar and leaves the sky; 6 comes back.
    charts.draw({2, 20, 200, 5, 1});
    QCOMPARE(charts.barLabels(1), (QStringList{"GP2", "GP3"}));
    QVERIFY(!charts.plotted(1, 2));
    QVERIFY(!charts.skyChart()->series().contains(charts.skySeries(1, 2)));
    charts.draw({2, 21, 201, 6, 1});
    QVERIFY(charts.plotted(1, 2));
    QCOMPARE(charts.skySeries(1, 2)->points(), (QList<QPointF>{{201, 69}}));
    // A plotted satellite keeps its first point.
    charts.draw({2, 50, 10, 30, 1});
    QCOMPARE(charts.skySeries(1, 2)->points(), (QList<QPointF>{{201, 69}}));

    // The balloon of a hovered point.
    charts.draw({12, 35, 200, 30, 1});
    emit charts.skySeries(1, 12)->hovered(QPointF(200, 55), true);
    QVERIFY(charts.callout() && charts.callout()->isVisible());
    QCOMPARE(charts.callout()->text(), QStringLiteral("PRN number: 12 \nElevation: 35 \nAzimuth: 200 "));
    emit charts.skySeries(1, 12)->hovered(QPointF(200, 55), false);
    QVERIFY(!charts.callout()->isVisible());
}

void TestGpsSignal::everyNumberOfEverySystem()
{
    GpsSignalCharts charts;
    charts.resize(900, 560);
    charts.show();
    // As many satellites as a system keeps, numbers above 98 among them.
    QList<int> numbers;
    for (int prn = 0; prn < GpsSignalCharts::kMaxSatellites - 2; ++prn)
        numbers << prn;
    numbers << 195 << 256;
    for (int system = 1; system <= 5; ++system)
        for (int prn : numbers)
            charts.draw({prn, prn % 91, (prn * 7) % 360, 6 + prn % 40, quint8(system)});
    for (int system = 1; system <= 5; ++system) {
        QCOMPARE(charts.barLabels(system).size(), numbers.size());
        QCOMPARE(charts.barLabels(system).first(),
                 QLatin1String(GpsSignalCharts::kSystems[system - 1].prefix) + QLatin1Char('0'));
        QVERIFY(charts.plotted(system, 256) && charts.plotted(system, 0)); // 256 is not 0
        QVERIFY(charts.skySeries(system, 256) != charts.skySeries(system, 0));
    }
    QCOMPARE(charts.skyChart()->series().size(), 5 * numbers.size());
    charts.grab(); // paints everything once
}

void TestGpsSignal::everNewNumbersStayBounded()
{
    constexpr int kMax = GpsSignalCharts::kMaxSatellites;
    GpsSignalCharts charts;
    // Satellite 7 of each system keeps being reported among 10 000 numbers
    // never seen before, some of them too weak for a bar or a point.
    for (int n = 0; n < 10000; ++n) {
        const quint8 system = quint8(1 + n % 5);
        charts.draw({1000 + n, 40, n % 360, n % 7 == 0 ? 3 : 30, system});
        if (n % 50 == 0) {
            for (quint8 s = 1; s <= 5; ++s)
                charts.draw({7, 60, 90, 35, s});
        }
    }
    int points = 0;
    for (int system = 1; system <= 5; ++system) {
        const QString what = QString::number(system);
        QCOMPARE(charts.tracked(system), kMax);
        QVERIFY2(charts.barLabels(system).size() <= kMax, qPrintable(what));
        QVERIFY2(charts.barValues(system).size() <= kMax, qPrintable(what));
        // The newest and the one still reported stay; the oldest went.
        const int newest = 1000 + 9995 + system - 1;
        QVERIFY2(charts.skySeries(system, newest), qPrintable(what));
        QVERIFY2(charts.plotted(system, 7), qPrintable(what));
        QVERIFY2(charts.barLabels(system).contains(QLatin1String(GpsSignalCharts::kSystems[system - 1].prefix)
                                                   + QLatin1Char('7')),
                 qPrintable(what));
        QVERIFY2(!charts.skySeries(system, 1000 + system - 1), qPrintable(what));
        for (int prn = 1000; prn < 11000; ++prn)
            points += charts.plotted(system, prn) ? 1 : 0;
        // Bars and labels still belong together.
        const QList<qreal> values = charts.barValues(system);
        for (int i = 0; i < charts.barLabels(system).size(); ++i)
            QVERIFY2(values.at(i) >= 5, qPrintable(what));
    }
    QVERIFY(charts.skyChart()->series().size() <= 5 * kMax);
    QCOMPARE(charts.skyChart()->series().size(), points + 5);
}

GpsSignalCharts *TestGpsSignal::openDialog()
{
    emit f.w->ui->GPSsignal->pressed();
    if (!f.w->gpsSignalDialogOpen || !f.w->gps->signalCharts)
        return nullptr;
    return f.w->gps->signalCharts;
}

void TestGpsSignal::dialogKeepsSystemsApart()
{
    QVERIFY(f.start(QStringLiteral("GPS")));
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    GpsSignalCharts *charts = openDialog();
    QVERIFY(charts);
    QDialog *dialog = f.w->gps->signalDialog;
    QCOMPARE(dialog->windowTitle(), QStringLiteral("GPS Signal"));
    // No sentence yet: no bars.
    for (int s = 1; s <= 5; ++s) {
        QCOMPARE(charts->barLabels(s), QStringList());
        QCOMPARE(charts->barValues(s), QList<qreal>());
    }
    // "Signal" again while open: the same dialog.
    emit f.w->ui->GPSsignal->pressed();
    QCOMPARE(f.w->findChildren<GpsSignalCharts *>().size(), 1);

    emit f.w->ui->GPSopencompushButton->pressed();
    QVERIFY(f.w->serialOpen);
    // Each sentence is released by the next one; the last is a filler.
    for (const QByteArray &s : {withChecksum("GPGSV,1,1,01,05,40,120,38"), withChecksum("BDGSV,1,1,01,05,30,200,"),
                                withChecksum("BDGSV,1,1,01,05,30,200,35"), withChecksum("GLGSV,1,1,00")}) {
        f.device->write(s);
        QTest::qWait(2 * GPS_Signal::kPollMs);
    }
    QTRY_VERIFY(charts->plotted(2, 5));
    QVERIFY(charts->plotted(1, 5));
    QCOMPARE(charts->skySeries(1, 5)->color(), GpsSignalCharts::kSystems[0].colour);
    QCOMPARE(charts->skySeries(2, 5)->color(), GpsSignalCharts::kSystems[1].colour);
    QCOMPARE(charts->skySeries(1, 5)->points(), (QList<QPointF>{{120, 50}}));
    QCOMPARE(charts->skySeries(2, 5)->points(), (QList<QPointF>{{200, 60}}));
    QCOMPARE(charts->barLabels(1), QStringList{"GP5"});
    QCOMPARE(charts->barLabels(2), QStringList{"GB5"});
    QCOMPARE(charts->barValues(2).first(), 35.0);

    // The close button ends the opening and its worker.
    QPointer<GPS_Signal> worker = f.w->gps->signalWorker;
    QVERIFY(worker);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("GPSsignalCancel")), Qt::LeftButton);
    QTRY_VERIFY(!f.w->gpsSignalDialogOpen);
    QTRY_VERIFY(worker.isNull());
}

void TestGpsSignal::closingWithARecordOnItsWay()
{
    QVERIFY(f.start(QStringLiteral("GPS")));
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    GpsSignalCharts *charts = openDialog();
    QVERIFY(charts);
    QPointer<GPS_Signal> worker = f.w->gps->signalWorker;
    emit f.w->GPS_Signal_Data_Over(withChecksum("GPGSV,1,1,01,05,40,120,38"));
    emit f.w->GPS_Signal_Data_Over(withChecksum("GPGSV,1,1,01,06,40,120,38"));
    // Wait, without turning the event loop, until the record has been sent.
    QElapsedTimer t;
    t.start();
    while (!worker->busy() && t.elapsed() < 3000)
        QThread::msleep(5);
    QVERIFY(worker->busy());
    delete f.w->gps->signalDialog.data(); // the record is still queued
    QVERIFY(!f.w->gpsSignalDialogOpen);
    QVERIFY(worker->isFinished());
    QTRY_VERIFY(worker.isNull());
    QVERIFY(!f.w->gpsSignalBusy);

    // Opening again works with a new worker.
    charts = openDialog();
    QVERIFY(charts);
    emit f.w->GPS_Signal_Data_Over(withChecksum("GAGSV,1,1,01,07,40,120,38"));
    emit f.w->GPS_Signal_Data_Over(withChecksum("GAGSV,1,1,00"));
    QTRY_VERIFY(charts->plotted(4, 7));
    QVERIFY(!charts->plotted(1, 5));
}

void TestGpsSignal::screenshotOfRecordedStream()
{
    QVERIFY(f.start(QStringLiteral("GPS")));
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    GpsSignalCharts *charts = openDialog();
    QVERIFY(charts);
    QDialog *dialog = f.w->gps->signalDialog;
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    emit f.w->ui->GPSopencompushButton->pressed();
    QVERIFY(f.w->serialOpen);
    int at = 0;
    for (const QByteArray &s : recordedStream())
        f.device->writeLater(at += 2 * GPS_Signal::kPollMs, s);
    f.device->writeLater(at += 2 * GPS_Signal::kPollMs, withChecksum("GPGSV,1,1,00"));
    QTRY_VERIFY_WITH_TIMEOUT(charts->plotted(5, 195), 10000);
    for (int s = 1; s <= 5; ++s)
        QVERIFY2(!charts->barLabels(s).isEmpty(), qPrintable(QString::number(s)));
    QCOMPARE(charts->barLabels(1).size(), 9); // GPS 30 has no ratio
    QTest::qWait(100);

    const QImage sky = charts->skyView()->grab().toImage();
    for (int s = 0; s < 5; ++s) {
        const int n = pixelsOf(sky, GpsSignalCharts::kSystems[s].colour);
        QVERIFY2(n > 20, qPrintable(QStringLiteral("system %1: %2 pixels").arg(s + 1).arg(n)));
    }
    const QString dir = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    if (!dir.isEmpty())
        QVERIFY(dialog->grab().save(dir + QStringLiteral("/gps-signal-dialog.png")));
}

void TestGpsSignal::windowGoesWithTheDialogOpen()
{
    // The two pages with helper windows of their own, a record on its way
    // to the open "GPS Signal" charts, and a client on the position server.
    QVERIFY(f.start(QStringList{QStringLiteral("GPS"), QStringLiteral("i2cdump")}));
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    TestSupport::HelperWindowsWatch watch;
    QString why;
    QVERIFY2(watch.openAll(f.w.get(), &why), qPrintable(why));
    for (const QByteArray &s : recordedStream())
        emit f.w->GPS_Signal_Data_Over(s);
    QCOMPARE(f.prompts->texts(), QStringList());

    watch.destroy(f.w);
    // Each went while the window's slots could still run on a whole window.
    QVERIFY2(watch.allEndedInTime(&why), qPrintable(why));
}

VELM_TEST_MAIN(TestGpsSignal)
#include "tst_gpssignal.moc"
