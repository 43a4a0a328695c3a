// The "GPS Debug" page against a scripted receiver on a pseudo-terminal:
// open, labels, close and a vanishing receiver; the track file's spacing
// with an injected clock; the OpenStreetMap page under a real web engine
// (marker, track replay, nothing of a track line run as script); the Baidu
// page's choice, its failure alert and the route text.

#include "testenv.h"
#include "devicewindowfixture.h"
#include "testsupport.h"
#include "webguard.h"

#include "gps/gpsmapbridge.h"
#include "gps/gpspagestate.h"
#include "gps/gpstrack.h"
#include "mainwindow.h"
#include "webview.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QWebEngineView>

namespace {

using TestSupport::withChecksum;

// A fix south and west of the origin: 33°52.128' S, 151°12.504' W.
QByteArray fixSentences(const QByteArray &time = "092750.000")
{
    return withChecksum("GNGGA," + time + ",3352.1280,S,15112.5040,W,1,10,1.0,26.6,M,-34.1,M,,")
           + withChecksum("GNRMC," + time + ",A,3352.1280,S,15112.5040,W,0.02,31.66,280511,,,A")
           + withChecksum("GNGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38")
           + withChecksum("GNVTG,31.66,T,,M,0.02,N,0.04,K,A");
}
constexpr double kFixLat = -(33 + 52.128 / 60);
constexpr double kFixLon = -(151 + 12.504 / 60);

// Runs a script in the page and waits for its result.
QVariant js(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &v) {
        result = v;
        done = true;
    });
    for (int i = 0; i < 1000 && !done; ++i)
        QTest::qWait(10);
    return done ? result : QVariant(QStringLiteral("<no answer>"));
}

} // namespace

class TestGpsPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openReadCloseAndVanish();
    void trackFileSpacedTenSecondsApart();
    void positionlessFixHoldsNothingBack();
    void heldMapCallsStayWhole();
    void mapUnavailableSaysWhy();
    void openStreetMapMarkerAndReplay();
    void baiduPageAndRouteText();

private:
    void press(QAbstractButton *b) { emit b->pressed(); }
    QString status() const { return f.w->ui->statusBar->currentMessage(); }
    GpsMapBridge *map() const { return f.w->gps->map; }
    bool openPort();

    TestSupport::DeviceWindowFixture f;
    qint64 clock = 0;
};

void TestGpsPage::initTestCase()
{
    TestSupport::keepWebOnLoopback();
}

void TestGpsPage::init()
{
    QVERIFY(f.start(QStringLiteral("GPS")));
    GpsTrack::setPathForTesting(f.dir->file(QStringLiteral("GPS_Date.txt")));
    clock = 1000000;
    GpsTrack::setClockForTesting([this] { return clock; });
}

void TestGpsPage::cleanup()
{
    f.stop();
    GpsTrack::setClockForTesting({});
    GpsTrack::setPathForTesting(QString());
}

bool TestGpsPage::openPort()
{
    if (f.w->ui->GPSportNameComboBox->currentText() != f.device->portPath())
        return false;
    press(f.w->ui->GPSopencompushButton);
    return f.w->serialOpen && status() == QLatin1String("Serial opened");
}

void TestGpsPage::openReadCloseAndVanish()
{
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    Ui::MainWindow *ui = f.w->ui;
    QCOMPARE(ui->Weidufangxiang->text(), QString());
    QCOMPARE(ui->Weidu->text(), QStringLiteral("Null"));
    QVERIFY(openPort());
    QCOMPARE(ui->GPSopencompushButton->text(), QStringLiteral("Close"));
    QVERIFY(!f.w->portScanTimer->isActive());
    QCOMPARE(f.device->baudRate(), 115200);

    // A sentence cut in two writes, then the rest of the fix.
    const QByteArray stream = fixSentences();
    f.device->write(stream.left(30));
    f.device->writeLater(50, stream.mid(30));
    QTRY_COMPARE(ui->Haibagaodu->text(), QStringLiteral("26.6 m"));
    QTRY_COMPARE(ui->Dimiansudu->text(), QStringLiteral("0.04 km/h"));
    QCOMPARE(ui->GPS_UTC->text(), QStringLiteral("9:27:50"));
    QCOMPARE(ui->Dingweizhuangtai->text(), QStringLiteral("Yes"));
    QCOMPARE(ui->Weidu->text(), QStringLiteral("33.8688000"));
    QCOMPARE(ui->Weidufangxiang->text(), QStringLiteral("S"));
    QCOMPARE(ui->Jingdu->text(), QStringLiteral("151.2084000"));
    QCOMPARE(ui->Jingdufangxiang->text(), QStringLiteral("W"));
    QCOMPARE(ui->Weizhiyinzi->text(), QStringLiteral("1.72"));
    QCOMPARE(ui->Shuipingyinzi->text(), QStringLiteral("1.03"));
    QCOMPARE(ui->Cuizhiyinzi->text(), QStringLiteral("1.38"));
    QTRY_VERIFY(ui->GPStextBrowser->toPlainText().contains(QLatin1String("$GNVTG,31.66")));
    QTRY_VERIFY(status().startsWith(QLatin1String("Successfully read ")));

    // Clearing the view keeps the labels.
    press(ui->GPScleandatapushButton);
    QCOMPARE(ui->GPStextBrowser->toPlainText(), QString());
    QCOMPARE(status(), QStringLiteral("Receive has been cleared"));
    QCOMPARE(ui->Weidu->text(), QStringLiteral("33.8688000"));

    // Close releases the port (it opens again) and the scan resumes.
    press(ui->GPSopencompushButton);
    QCOMPARE(status(), QStringLiteral("Serial closed"));
    QCOMPARE(ui->GPSopencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(!f.w->serialOpen);
    QVERIFY(f.w->serialThread == nullptr);
    QVERIFY(f.w->portScanTimer->isActive());
    f.device->write(withChecksum("GNGGA,1,,,,,0,00,,7,M,,M,,"));
    QTest::qWait(100);
    QCOMPARE(ui->Haibagaodu->text(), QStringLiteral("26.6 m")); // closed: nothing read
    QVERIFY(openPort());
    f.device->write(withChecksum("GNGGA,1,,,,,0,00,,8,M,,M,,"));
    QTRY_COMPARE(ui->Haibagaodu->text(), QStringLiteral("8 m"));

    // The receiver goes away: the page closes its port and says so.
    f.device->vanish();
    QTRY_VERIFY(!f.w->serialOpen);
    QVERIFY(status().startsWith(QLatin1String("Serial port lost, closed: ")));
    QCOMPARE(ui->GPSopencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(ui->GPSportNameComboBox->isEnabled());
    QVERIFY(f.w->portScanTimer->isActive());
}

void TestGpsPage::trackFileSpacedTenSecondsApart()
{
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    f.w->ui->GPSSavecheckBox->setChecked(true);
    QVERIFY(openPort());
    QFile track(GpsTrack::path());
    const auto lines = [&track] {
        track.close();
        if (!track.open(QIODevice::ReadOnly))
            return QList<QByteArray>();
        QList<QByteArray> l = track.readAll().split('\n');
        l.removeLast(); // after the last line end
        return l;
    };
    const QByteArray line = "Latitude:-33.8688000,Longitude:-151.2084000\r";

    struct Step
    {
        qint64 advanceMs;
        int expectedLines;
    };
    // The first fix is saved; later ones only more than 10 s after the last save.
    const Step steps[] = {{0, 1}, {5000, 1}, {5000, 1}, {1, 2}, {9999, 2}, {2, 3}};
    int n = 0;
    for (const Step &s : steps) {
        clock += s.advanceMs;
        f.device->write(fixSentences(QByteArray::number(100000 + n++)));
        QTRY_COMPARE(f.w->ui->GPS_UTC->text(), QStringLiteral("10:0:%1").arg(n - 1));
        QTest::qWait(20);
        QCOMPARE(lines().size(), s.expectedLines);
    }
    for (const QByteArray &l : lines())
        QCOMPARE(l, line);

    // A track file that cannot be written: the status says so.
    QSignalSpy messages(f.w->ui->statusBar, &QStatusBar::messageChanged);
    GpsTrack::setPathForTesting(f.dir->path());
    clock += 20000;
    f.device->write(fixSentences("110000"));
    QTRY_VERIFY(std::any_of(messages.cbegin(), messages.cend(), [](const QList<QVariant> &m) {
        return m.at(0).toString() == QLatin1String("Unable to save GPS data.");
    }));
    // It stays in view while data keeps coming and nothing is saved...
    for (int i = 1; i <= 3; ++i) {
        clock += 3000; // within the 10 s: no new attempt
        f.device->write(fixSentences("11000" + QByteArray::number(i)));
        QTRY_COMPARE(f.w->ui->GPS_UTC->text(), QStringLiteral("11:0:%1").arg(i));
        QTRY_VERIFY(f.w->ui->GPStextBrowser->toPlainText().contains(QStringLiteral("$GNGGA,11000%1").arg(i)));
        QTest::qWait(60); // more than one display update
        QCOMPARE(status(), QStringLiteral("Unable to save GPS data."));
    }
    QCOMPARE(lines().size(), 3);
    // ...until a save succeeds.
    GpsTrack::setPathForTesting(f.dir->file(QStringLiteral("GPS_Date.txt")));
    clock += 2000;
    f.device->write(fixSentences("110100"));
    QTRY_COMPARE(lines().size(), 4);
    QTRY_VERIFY(status().startsWith(QLatin1String("Successfully read ")));
}

void TestGpsPage::positionlessFixHoldsNothingBack()
{
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    f.w->ui->GPSSavecheckBox->setChecked(true);
    QVERIFY(openPort());
    // What the page has to show when it tells the map to move.
    QList<GpsPosition> mapped;
    QObject watcher; // the connection ends with this test
    connect(f.w.get(), &MainWindow::GPS_Signal_Map, &watcher, [&] { mapped.append(f.w->gps->position); });

    // The receiver still reports a fix but has no position (a void RMC)...
    f.device->write(withChecksum("GNGGA,120000,,,,,1,04,2.0,10,M,,M,,")
                    + withChecksum("GNRMC,120000,V,,,,,,,280511,,,N"));
    QTRY_COMPARE(f.w->ui->GPS_UTC->text(), QStringLiteral("12:0:0"));
    QCOMPARE(f.w->ui->Dingweizhuangtai->text(), QStringLiteral("Yes"));
    QTest::qWait(20);
    QVERIFY(mapped.isEmpty());
    // ...and one second later has one: it is saved and mapped at once.
    clock += 1000;
    f.device->write(fixSentences("120001"));
    QTRY_COMPARE(f.w->ui->GPS_UTC->text(), QStringLiteral("12:0:1"));
    QTRY_COMPARE(mapped.size(), 1);
    QVERIFY(mapped.first().valid);
    QCOMPARE(mapped.first().latitude, kFixLat);
    QFile track(GpsTrack::path());
    QVERIFY(track.open(QIODevice::ReadOnly));
    QCOMPARE(track.readAll(), QByteArray("Latitude:-33.8688000,Longitude:-151.2084000\r\n"));
}

void TestGpsPage::heldMapCallsStayWhole()
{
    // No window: every call is held. Groups as the page makes them: a
    // position with the marker move, a replay segment, a route search.
    GpsMapBridge bridge(nullptr, nullptr, nullptr, QUrl());
    const QStringList position = {"Set_Longit(2.0000000)", "Set_Latit(1.0000000)", "Set_Location()"};
    const QStringList segment = {"Set_Latit2(1.0000000)", "Set_Longit2(2.0000000)", "Set_Latit3(3.0000000)",
                                 "Set_Longit3(4.0000000)", "saveway()"};
    const QStringList route = {"searchdriving(\"x\")"};
    int made = 0;
    for (int i = 0; made <= GpsMapBridge::kMaxHeldCalls + 7; ++i) {
        const QStringList &g = i % 3 == 0 ? position : i % 3 == 1 ? segment : route;
        bridge.run(g);
        made += g.size();
    }
    bridge.run(segment); // the newest goes in last
    const QStringList held = bridge.heldCalls();
    QVERIFY(held.size() <= GpsMapBridge::kMaxHeldCalls);
    QVERIFY(held.size() > GpsMapBridge::kMaxHeldCalls - segment.size());
    // Read back as whole groups, ending with the newest.
    int at = 0;
    QStringList last;
    while (at < held.size()) {
        bool matched = false;
        for (const QStringList *g : {&position, &segment, &route}) {
            if (held.mid(at, g->size()) == *g) {
                at += g->size();
                last = *g;
                matched = true;
                break;
            }
        }
        if (!matched)
            QFAIL(qPrintable(QStringLiteral("a group split at call %1: %2").arg(at).arg(held.at(at))));
    }
    QCOMPARE(last, segment);
}

void TestGpsPage::mapUnavailableSaysWhy()
{
    // The web engine's module is missing: the page says there is no map
    // and why, and holds no calls for a map that will not come.
    WebView::setModulePathForTesting(f.dir->file(QStringLiteral("no-such-module.so")));
    f.makeWindow();
    WebView::setModulePathForTesting(QString());
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(!map()->view());
    QVERIFY(f.w->ui->gps->findChildren<QWebEngineView *>().isEmpty());
    auto *placeholder = f.w->findChild<QLabel *>(QStringLiteral("gpsMapPlaceholder"));
    QVERIFY(placeholder);
    QVERIFY(placeholder->isVisible());
    QVERIFY2(placeholder->text().startsWith(QLatin1String("Map not available: the web engine could not be loaded")),
             qPrintable(placeholder->text()));
    QVERIFY(placeholder->text().contains(QLatin1String("no-such-module.so")));
    QCOMPARE(map()->unavailable().isEmpty(), false);

    // Positions still reach the labels and the track file.
    f.w->ui->GPSSavecheckBox->setChecked(true);
    QVERIFY(openPort());
    f.device->write(fixSentences());
    QTRY_COMPARE(f.w->ui->Weidu->text(), QStringLiteral("33.8688000"));
    QTRY_VERIFY(QFile::exists(GpsTrack::path()));
    QTest::qWait(20);
    QVERIFY(map()->heldCalls().isEmpty());
}

void TestGpsPage::openStreetMapMarkerAndReplay()
{
    f.makeWindow();
    QVERIFY(!QTest::currentTestFailed());
    Ui::MainWindow *ui = f.w->ui;
    QVERIFY(ui->GPSpushButtonsearchdriving->isHidden());
    QVERIFY(map()->view());
    QCOMPARE(map()->mapPage(), QUrl(QStringLiteral("qrc:/html/images/openstreetmap.html")));
    QTRY_VERIFY_WITH_TIMEOUT(map()->loaded(), 30000);
    QWebEnginePage *page = qobject_cast<QWebEngineView *>(map()->view())->page();
    // Leaflet came from the resources and built the map.
    QCOMPARE(js(page, QStringLiteral("typeof L.version + ':' + (marker !== null)")).toString(),
             QStringLiteral("string:true"));
    // Without the internet the IP location fails, and says so through the hook.
    QTRY_VERIFY_WITH_TIMEOUT(f.prompts->texts().contains(QStringLiteral("IP location failed!")), 20000);
    QCOMPARE(f.prompts->requests().constLast().title, QStringLiteral("Message"));
    QVERIFY(TestSupport::keepWebOnLoopback() > 0); // the page did try to go out

    // A fix moves the marker; with tracking on the view is centred on it.
    ui->GPS_on_off_checkBox->setChecked(true);
    QVERIFY(openPort());
    f.device->write(fixSentences());
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("33.8688000"));
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(js(page, "marker.getLatLng().lat").toDouble() - kFixLat) < 1e-7, 10000);
    QVERIFY(qAbs(js(page, "marker.getLatLng().lng").toDouble() - kFixLon) < 1e-7);
    QVERIFY(qAbs(js(page, "map.getCenter().lat").toDouble() - kFixLat) < 1e-6);

    // Replay: P1, P2, P2, P3 draws P1-P2 and P2-P3; lines that are not
    // positions are skipped and run nothing.
    const QString file = f.dir->file(QStringLiteral("replay.txt"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("Latitude:10.5,Longitude:20.25\r\n"
              "Latitude:1);alert(1);(,Longitude:2\r\n"
              "Latitude:-11.125,Longitude:-21.5\r\n"
              "garbage\r\n"
              "Latitude:-11.125,Longitude:-21.5\r\n"
              "Latitude:3,Longitude:4);alert(2);(\r\n"
              "Latitude:12,Longitude:-170\n");
    out.close();
    f.prompts->clear();
    f.prompts->queueFile(file);
    press(ui->GPStrochoidpushButton);
    QCOMPARE(status(), QStringLiteral("Success for read the data in the file"));
    const QString segments = js(page, QStringLiteral(
        "var s = []; map.eachLayer(function (l) { if (l instanceof L.Polyline && l.options.color === 'red') "
        "s.push(l.getLatLngs().map(function (p) { return p.lat + ',' + p.lng; }).join(' ')); }); s.join(' | ')")).toString();
    QCOMPARE(segments, QStringLiteral("10.5,20.25 -11.125,-21.5 | -11.125,-21.5 12,-170"));
    // The prompt recorder saw the file chooser and no alert.
    QCOMPARE(f.prompts->requests().size(), 1);
    QCOMPARE(f.prompts->requests().first().kind, UiPrompt::Kind::FileOpen);

    // A file that cannot be read.
    f.prompts->queueFile(f.dir->path());
    press(ui->GPStrochoidpushButton);
    QCOMPARE(status(), QStringLiteral("Open failed: Failed to open this file, this may be due to insufficient permissions."));
}

void TestGpsPage::baiduPageAndRouteText()
{
    {
        QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
        s.setValue(QStringLiteral("Map_Type"), QStringLiteral("1"));
    }
    // The view is made when the page is first shown, not before.
    f.w = std::make_unique<MainWindow>();
    QVERIFY(!map()->view());
    QVERIFY(f.w->ui->gps->findChildren<QWebEngineView *>().isEmpty());
    f.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
    QVERIFY(map()->view());
    QCOMPARE(f.w->ui->gps->findChildren<QWebEngineView *>().size(), 1);
    QCOMPARE(map()->mapPage(), QUrl(QStringLiteral("qrc:/html/images/BaiduMap.html")));
    QVERIFY(!f.w->ui->GPSpushButtonsearchdriving->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(map()->loaded(), 30000);
    // The vendor's script cannot load here: the page's own alert reaches the user.
    QTRY_VERIFY_WITH_TIMEOUT(f.prompts->texts().contains(QStringLiteral("地图加载失败，请检查网络！")), 20000);

    // The route text arrives as one string, whatever it holds.
    QWebEnginePage *page = qobject_cast<QWebEngineView *>(map()->view())->page();
    js(page, QStringLiteral("window.searchdriving = function (a) { window.route = a; };"));
    const QString text = QStringLiteral("北京'); alert('x'); (' \"); alert(\"y\"); (\" \\ \n end");
    f.prompts->clear();
    f.prompts->queue(UiPrompt::Answer{QMessageBox::Ok, text, true});
    press(f.w->ui->GPSpushButtonsearchdriving);
    QCOMPARE(js(page, QStringLiteral("window.route")).toString(), text);
    QCOMPARE(f.prompts->requests().size(), 1); // the input dialog, no alert
    QCOMPARE(f.prompts->requests().first().title, QStringLiteral("终点"));
    // Cancel sends nothing.
    js(page, QStringLiteral("window.route = 'unchanged';"));
    f.prompts->queue(UiPrompt::Answer{QMessageBox::Cancel, QString(), false});
    press(f.w->ui->GPSpushButtonsearchdriving);
    QCOMPARE(js(page, QStringLiteral("window.route")).toString(), QStringLiteral("unchanged"));
}

VELM_TEST_MAIN(TestGpsPage)
#include "tst_gpspage.moc"
