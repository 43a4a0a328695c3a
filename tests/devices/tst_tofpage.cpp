// The "TOF" page against a scripted ranging module on a pty: the views
// start as the combos read, a frame of each model reaches the grid (and the
// surface) in that model's zone order, frames of other sizes change
// nothing, the arrangement and range combos reach both views, a chunk of
// several frames reaches the views once, with what its newest frames left,
// and a vanished module closes the page.

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPainter>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QSurfaceDataProxy>
#include <QStatusBar>
#include <QtTest>

#include "devicewindowfixture.h"
#include "tof/kalvest_tof.h"
#include "tof/kalvest_tof_data.h"
#include "tof/kalvest_tof_surface.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

class TestTofPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { f.stop(); }
    void viewsStartAsTheCombosRead();
    void framesOfEachModelReachTheGrid();
    void aChunkOfFramesReachesTheViewsOnce();
    void vanishedModuleClosesThePage();

private:
    void open();
    static QByteArray frame(int n, int first, int step = 1)
    {
        QByteArray t;
        for (int i = 0; i < n; ++i)
            t += QByteArray::number(first + i * step) + ",";
        return t + "\r\n"; // a trailing comma, as the modules send it
    }
    QString zone(int index) const { return f.w->tofWidget->dataView->label(index)->text(); }
    DeviceWindowFixture f;
};

void TestTofPage::init()
{
    QVERIFY(f.start(QStringLiteral("TOF")));
    f.makeWindow();
    QVERIFY(f.w->tofWidget);
}

void TestTofPage::open()
{
    Ui::MainWindow *ui = f.w->ui;
    QCOMPARE(ui->TOFportNameComboBox->currentText(), f.device->portPath());
    QTest::mousePress(ui->TOFopencompushButton, Qt::LeftButton);
    QCOMPARE(ui->TOFopencompushButton->text(), QStringLiteral("Close"));
    QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Serial opened"));
    QCOMPARE(f.device->baudRate(), 115200);
}

void TestTofPage::viewsStartAsTheCombosRead()
{
    Ui::MainWindow *ui = f.w->ui;
    kalvest_tof *tof = f.w->tofWidget;
    QVERIFY(ui->TOF_StrTextBrowser->isHidden());
    QVERIFY(ui->TOF_Clear_pushButton->isHidden());
    QCOMPARE(ui->TOFArrangementcomboBox->currentText(), QStringLiteral("4x4"));
    QCOMPARE(ui->TOFRangeComboBox->currentText(), QStringLiteral("2000"));
    QCOMPARE(tof->dataView->zoneCount(), 16);
    QCOMPARE(tof->dataView->maxDistance, 2000);
    QCOMPARE(tof->surfaceView->maxDistance, 2000);
    QCOMPARE(tof->surfaceView->data().size(), 4);

    // TMF8829 offers four arrangements and leaves both views at 8 x 8.
    ui->TOFTYPEcomboBox->setCurrentIndex(2);
    QCOMPARE(ui->TOFArrangementcomboBox->count(), 4);
    QCOMPARE(tof->dataView->zoneCount(), 64);
    QCOMPARE(tof->surfaceView->zones.size(), 64);
    ui->TOFArrangementcomboBox->setCurrentText(QStringLiteral("48x32"));
    QCOMPARE(tof->dataView->columnCount(), 48);
    QCOMPARE(tof->surfaceView->data().at(0)->size(), 48);
    ui->TOFRangeComboBox->setCurrentText(QStringLiteral("12000"));
    QCOMPARE(tof->dataView->maxDistance, 12000);
    QCOMPARE(tof->surfaceView->maxDistance, 12000);
    ui->TOFChartComboBox->setCurrentIndex(1);
    QCOMPARE(tof->page(), 1);
    ui->TOFChartComboBox->setCurrentIndex(0);
    QCOMPARE(tof->page(), 0);
}

void TestTofPage::framesOfEachModelReachTheGrid()
{
    Ui::MainWindow *ui = f.w->ui;
    kalvest_tof *tof = f.w->tofWidget;
    open();

    // VL53LMZ 4x4: each row mirrored.
    f.device->write(frame(16, 1));
    QTRY_COMPARE(zone(15), QStringLiteral("13"));
    QCOMPARE(zone(0), QStringLiteral("4"));
    QCOMPARE(tof->dataView->label(0)->palette().color(QPalette::Window), tof->dataView->get_color(4));
    // 15 and 17 values change nothing; the frame after them still arrives.
    f.device->write(frame(15, 500) + frame(17, 600) + frame(16, 101));
    QTRY_COMPARE(zone(0), QStringLiteral("104"));
    QCOMPARE(zone(3), QStringLiteral("101"));

    // TMF8828 8x8 in its fixed zone order, split over two writes.
    ui->TOFTYPEcomboBox->setCurrentIndex(1);
    QCOMPARE(ui->TOFArrangementcomboBox->currentText(), QStringLiteral("8x8"));
    const QByteArray f8828 = frame(64, 0);
    f.device->write(f8828.left(100));
    QTest::qWait(30);
    f.device->write(f8828.mid(100));
    QTRY_COMPARE(zone(63), QStringLiteral("25"));
    const QStringList row7{"0", "8", "16", "24", "1", "9", "17", "25"};
    const QStringList row0{"38", "46", "54", "62", "39", "47", "55", "63"};
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(zone(56 + c), row7.at(c));
        QCOMPARE(zone(c), row0.at(c));
    }
    // The surface: zone k at column k mod 8, row k div 8.
    QCOMPARE(tof->surfaceView->data().at(7)->at(3).y(), 24.0f);
    QCOMPARE(tof->surfaceView->data().at(0)->at(7).y(), 63.0f);

    // TMF8829 48x32: even rows first, then odd rows.
    ui->TOFTYPEcomboBox->setCurrentIndex(2);
    ui->TOFArrangementcomboBox->setCurrentText(QStringLiteral("48x32"));
    ui->TOFRangeComboBox->setCurrentText(QStringLiteral("5000"));
    f.device->write(frame(1536, 3, 4));
    QTRY_COMPARE_WITH_TIMEOUT(zone(1535), QStringLiteral("6143"), 5000);
    QCOMPARE(zone(48), QStringLiteral("3075"));   // delivered 768th: row 1, column 0
    QCOMPARE(zone(1487), QStringLiteral("3071")); // delivered 767th: row 30, column 47
    QCOMPARE(tof->dataView->label(1535)->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(tof->surfaceView->data().at(31)->at(47).y(), 5000.0f); // capped
    QCOMPARE(tof->surfaceView->data().at(0)->at(1).y(), 7.0f);

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        const QString dir = qEnvironmentVariable("VELM_ARTIFACT_DIR");
        ui->TOFArrangementcomboBox->setCurrentText(QStringLiteral("8x8"));
        QByteArray scene;
        for (int k = 0; k < 64; ++k) {
            const int r = k / 8, c = k % 8;
            scene += QByteArray::number(600 + 500 * std::abs(r - 3.5) + 300 * std::abs(c - 3.5)) + ",";
        }
        f.device->write(scene + "\r\n");
        QTRY_VERIFY(zone(0) != QStringLiteral("0"));
        f.w->resize(1280, 900);
        QTest::qWait(300);
        f.w->grab().save(dir + QStringLiteral("/tof_page_grid.png"));
        ui->TOFChartComboBox->setCurrentIndex(1);
        QTest::qWait(800);
        // The 3D graph is a window of its own: its picture goes over the
        // widgets' one at the place of its container.
        QImage shot = f.w->grab().toImage();
        if (Q3DSurface *graph = tof->surfaceView->surfaceGraph()) {
            QWidget *box = tof->surfaceView->graphContainer();
            QPainter(&shot).drawImage(box->mapTo(f.w.get(), QPoint(0, 0)), graph->renderToImage(0, box->size()));
        }
        shot.save(dir + QStringLiteral("/tof_page_surface.png"));
    }
}

void TestTofPage::aChunkOfFramesReachesTheViewsOnce()
{
    Ui::MainWindow *ui = f.w->ui;
    kalvest_tof *tof = f.w->tofWidget;
    ui->TOFArrangementcomboBox->setCurrentText(QStringLiteral("8x8")); // VL53LMZ
    QSignalSpy resets(tof->surfaceView->surfaceSeries()->dataProxy(), &QSurfaceDataProxy::arrayReset);
    // Three 8 x 8 frames and a frame of a size no module sends: only the
    // newest 8 x 8 frame shows, and the surface is reset once.
    f.w->readTOFCom(frame(64, 1000) + frame(64, 2000) + frame(64, 3000) + frame(20, 9000));
    QCOMPARE(resets.size(), 1);
    QCOMPARE(zone(0), QStringLiteral("3007")); // rows mirrored
    QCOMPARE(zone(63), QStringLiteral("3056"));
    QCOMPARE(tof->surfaceView->data().at(7)->at(0).y(), 2000.0f); // zone 56: 3063, capped at the range
    // An 8 x 8 frame and then a 4 x 4 one: zones 0 to 15 from the newer,
    // the rest from the older, as if both had been shown in turn.
    f.w->readTOFCom(frame(64, 100) + frame(16, 1));
    QCOMPARE(resets.size(), 2);
    QCOMPARE(zone(0), QStringLiteral("4"));
    QCOMPARE(zone(15), QStringLiteral("13"));
    QCOMPARE(zone(16), QStringLiteral("123")); // row 2 of the 8 x 8 frame, mirrored
    QCOMPARE(zone(63), QStringLiteral("156"));
    QCOMPARE(tof->dataView->label(0)->palette().color(QPalette::Window), tof->dataView->get_color(4));
    // A chunk without a whole frame leaves the views alone.
    f.w->readTOFCom("1,2,3,");
    f.w->readTOFCom(frame(20, 9000));
    QCOMPARE(resets.size(), 2);
    QCOMPARE(zone(0), QStringLiteral("4"));
}

void TestTofPage::vanishedModuleClosesThePage()
{
    open();
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(f.w->ui->TOFopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(!f.w->serialOpen);
    QVERIFY(f.w->ui->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
    QVERIFY(f.w->ui->TOFbaudRateComboBox->isEnabled());
}

VELM_TEST_MAIN(TestTofPage)
#include "tst_tofpage.moc"
