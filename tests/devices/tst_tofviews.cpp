// The TOF page's two views: the colour scale, the label grid (sizes, fonts,
// what a zone looks like on screen under the page's white style sheet,
// restyling only what changed, the grid painting each zone in its cell,
// values for a grid not on screen waiting until it is) and the surface's
// zones, data and axes; on a display without OpenGL the surface shows its
// placeholder.

#include <QLabel>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QValue3DAxis>
#include <QtTest>

#include "glsupport.h"
#include "ownprogram.h"
#include "testsupport.h"
#include "tof/kalvest_tof.h"
#include "tof/kalvest_tof_data.h"
#include "tof/kalvest_tof_surface.h"

class TestTofViews : public QObject
{
    Q_OBJECT

private slots:
    void colourScale_data();
    void colourScale();
    void gridModes_data();
    void gridModes();
    void zoneLooksAndRestyling();
    void gridPaintsEachZoneInItsCell();
    void hiddenGridCatchesUpWhenShown();
    void surfaceZonesAndData();
    void surfaceGraphOrPlaceholder();
    void offscreenShowsThePlaceholder();
};

void TestTofViews::colourScale_data()
{
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("distance");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0 white") << 4000 << 0 << QColor(255, 255, 255);
    QTest::newRow("1000") << 4000 << 1000 << QColor(0, 0, 127);
    QTest::newRow("2000") << 4000 << 2000 << QColor(0, 0, 255);
    QTest::newRow("3000") << 4000 << 3000 << QColor(127, 0, 127);
    QTest::newRow("4000") << 4000 << 4000 << QColor(255, 0, 0);
    QTest::newRow("5000") << 4000 << 5000 << QColor(255, 0, 0);
    QTest::newRow("negative") << 4000 << -5 << QColor(0, 0, 0);
    QTest::newRow("4001 midpoint") << 4001 << 2000 << QColor(0, 0, 255);
    QTest::newRow("4001 past midpoint") << 4001 << 2001 << QColor(0, 0, 254);
    QTest::newRow("max 1") << 1 << 1 << QColor(255, 0, 0);
}

void TestTofViews::colourScale()
{
    QFETCH(int, max);
    QFETCH(int, distance);
    QFETCH(QColor, colour);
    kalvest_tof_data grid;
    grid.maxDistance = max;
    QCOMPARE(grid.get_color(distance), colour);
}

void TestTofViews::gridModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("points");
    QTest::newRow("4x4") << 0 << 4 << 4 << 12;
    QTest::newRow("8x8") << 1 << 8 << 8 << 10;
    QTest::newRow("16x16") << 2 << 16 << 16 << 6;
    QTest::newRow("32x32") << 3 << 32 << 32 << 1;
    QTest::newRow("48x32") << 4 << 32 << 48 << 1;
    QTest::newRow("other") << 9 << 8 << 8 << 10;
}

void TestTofViews::gridModes()
{
    QFETCH(int, mode);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, points);
    kalvest_tof_data grid;
    grid.set_mode(mode);
    QCOMPARE(grid.zoneCount(), rows * cols);
    QCOMPARE(grid.findChildren<QLabel *>().size(), rows * cols); // the old labels are gone
    QLabel *last = grid.label(rows * cols - 1);
    QCOMPARE(last->text(), QStringLiteral("0"));
    QCOMPARE(last->font().pointSize(), points);
    QCOMPARE(last->font().weight(), QFont::Bold);
    QCOMPARE(last->alignment(), Qt::AlignCenter);
    QVERIFY(!grid.label(0)->hasZoneColor());
}

void TestTofViews::zoneLooksAndRestyling()
{
    kalvest_tof view; // its white style sheet covers the grid
    view.resize(600, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    kalvest_tof_data *grid = view.dataView;
    QCOMPARE(grid->zoneCount(), 16);
    grid->set_value(5, 1000);
    grid->set_value(6, 3000);
    grid->set_value(16, 1); // past the labels: nothing
    grid->set_value(-1, 1);
    TofZoneLabel *zone = grid->label(5);
    QCOMPARE(zone->text(), QStringLiteral("1000"));
    QCOMPARE(zone->palette().color(QPalette::Window), QColor(0, 0, 127));
    QCOMPARE(zone->palette().color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(zone->font().pointSize(), 12);
    QCOMPARE(zone->font().weight(), QFont::Bold);
    QTest::qWait(50);
    // On screen: the zone colour fills the label and the text is white.
    const QImage shot = zone->grab().toImage();
    QCOMPARE(QColor(shot.pixel(1, 1)), QColor(0, 0, 127));
    bool white = false;
    for (int y = 0; y < shot.height() && !white; ++y) {
        for (int x = 0; x < shot.width() && !white; ++x)
            white = QColor(shot.pixel(x, y)) == QColor(Qt::white);
    }
    QVERIFY(white);
    QCOMPARE(QColor(grid->label(6)->grab().toImage().pixel(1, 1)), QColor(127, 0, 127));

    // The same value, font and colour again: nothing restyled.
    QVERIFY(!zone->setZone(1000, QColor(0, 0, 127), 12));
    QVERIFY(zone->setZone(1001, QColor(0, 0, 127), 12));
    QCOMPARE(zone->text(), QStringLiteral("1001"));
}

void TestTofViews::gridPaintsEachZoneInItsCell()
{
    kalvest_tof view;
    view.resize(600, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    kalvest_tof_data *grid = view.dataView;
    grid->set_value(5, 1000);  // row 1, column 1 of 4 x 4
    grid->set_value(14, 3000); // row 3, column 2
    // As the page shows it, under its white style sheet.
    const QImage shot = view.grab(QRect(grid->mapTo(&view, QPoint(0, 0)), grid->size())).toImage();
    // Where each zone colour lies, and whether white text is drawn on it.
    auto cellOf = [&shot](const QColor &colour, bool *whiteInside) {
        QRect box;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (QColor(shot.pixel(x, y)) == colour)
                    box |= QRect(x, y, 1, 1);
        *whiteInside = false;
        for (int y = box.top(); y <= box.bottom() && !*whiteInside; ++y)
            for (int x = box.left(); x <= box.right() && !*whiteInside; ++x)
                *whiteInside = QColor(shot.pixel(x, y)) == QColor(Qt::white);
        return box;
    };
    const int w = shot.width(), h = shot.height();
    bool white = false;
    const QRect five = cellOf(QColor(0, 0, 127), &white);
    QVERIFY(white);
    QVERIFY2(five.width() > w / 6 && five.height() > h / 6, "the colour fills the cell");
    QVERIFY(five.center().x() > w / 4 && five.center().x() < w / 2);
    QVERIFY(five.center().y() > h / 4 && five.center().y() < h / 2);
    const QRect fourteen = cellOf(QColor(127, 0, 127), &white);
    QVERIFY(white);
    QVERIFY(fourteen.center().x() > w / 2 && fourteen.center().x() < 3 * w / 4);
    QVERIFY(fourteen.center().y() > 3 * h / 4);
    // The zones not yet set stay white (away from their dark "0").
    QCOMPARE(QColor(shot.pixel(w / 16, h / 16)), QColor(Qt::white));
}

void TestTofViews::hiddenGridCatchesUpWhenShown()
{
    kalvest_tof view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    kalvest_tof_data *grid = view.dataView;
    view.set_page(1); // the surface is on screen
    grid->set_value(3, 700);
    grid->set_value(3, 800);
    grid->set_value(4, 900);
    QCOMPARE(grid->label(3)->text(), QStringLiteral("0"));
    view.set_page(0);
    QCOMPARE(grid->label(3)->text(), QStringLiteral("800")); // the newest
    QCOMPARE(grid->label(4)->palette().color(QPalette::Window), grid->get_color(900));
    // A rebuild drops what waited: the new grid starts at "0".
    view.set_page(1);
    grid->set_value(2, 500);
    grid->set_mode(1);
    view.set_page(0);
    QCOMPARE(grid->label(2)->text(), QStringLiteral("0"));
    QVERIFY(!grid->label(2)->hasZoneColor());
}

void TestTofViews::surfaceZonesAndData()
{
    kalvest_tof_surface surface;
    QCOMPARE(surface.maxDistance, 4000);
    QCOMPARE(surface.data().size(), 8);
    QCOMPARE(surface.data().at(3)->at(5).position(), QVector3D(5, 3000, 3));
    // Before any rebuild, distance k lands at column k div 8, row k mod 8.
    QList<double> d;
    for (int k = 0; k < 64; ++k)
        d << 100 + k;
    surface.update_surface(surface.zones, d);
    QCOMPARE(surface.data().at(2)->at(1).position(), QVector3D(1, 100 + 10, 2));
    // Heights are capped at the maximum distance, with no lower bound.
    surface.set_max_distance(500);
    surface.update_surface({QPoint(0, 0), QPoint(1, 0), QPoint(9, 0), QPoint(0, -1)}, {900, -20, 1, 1});
    QCOMPARE(surface.data().at(0)->at(0).position().y(), 500.0f);
    QCOMPARE(surface.data().at(0)->at(1).position().y(), -20.0f);

    surface.set_mode(1);
    surface.set_max_distance(4000);
    QCOMPARE(surface.data().at(0)->at(0).position().y(), 3000.0f);
    surface.update_surface(surface.zones, d.mid(0, 16)); // 16 distances: zones 0..15 only
    QCOMPARE(surface.data().at(1)->at(2).position(), QVector3D(2, 100 + 10, 1));
    QCOMPARE(surface.data().at(1)->at(7).position().y(), 100 + 15.0f);
    QCOMPARE(surface.data().at(2)->at(0).position().y(), 3000.0f);

    surface.set_mode(4);
    QCOMPARE(surface.zones.size(), 1536);
    QCOMPARE(surface.zones.at(48), QPoint(0, 1));
    QCOMPARE(surface.data().size(), 32);
    QCOMPARE(surface.data().at(31)->size(), 48);
}

void TestTofViews::surfaceGraphOrPlaceholder()
{
    kalvest_tof_surface surface;
    surface.resize(600, 450);
    surface.show();
    QVERIFY(QTest::qWaitForWindowExposed(&surface));
    if (!GlSupport::usable()) {
        QVERIFY(!surface.surfaceGraph());
        QVERIFY(surface.placeholder() && surface.placeholder()->isVisible());
        return;
    }
    QVERIFY(!surface.placeholder());
    Q3DSurface *graph = surface.surfaceGraph();
    QVERIFY(graph);
    QCOMPARE(graph->axisX()->title(), QStringLiteral("X轴"));
    QCOMPARE(graph->axisY()->title(), QStringLiteral("Y轴"));
    QCOMPARE(graph->axisZ()->title(), QStringLiteral("Z轴"));
    QCOMPARE(graph->axisY()->max(), 8000.0f);
    QCOMPARE(graph->axisX()->max(), 7.0f);
    QCOMPARE(graph->axisX()->labelFormat(), QString());
    QVERIFY(graph->seriesList().contains(surface.surfaceSeries()));

    surface.set_mode(4);
    graph = surface.surfaceGraph();
    QCOMPARE(graph->axisY()->max(), 12000.0f);
    surface.set_max_distance(5000);
    QCOMPARE(graph->axisY()->max(), 5000.0f);
    QCOMPARE(graph->axisX()->max(), 47.0f);
    QCOMPARE(graph->axisZ()->max(), 31.0f);
    QVERIFY(graph->seriesList().contains(surface.surfaceSeries()));
    QCOMPARE(surface.surfaceSeries()->dataProxy()->rowCount(), 32);
    QCOMPARE(surface.surfaceSeries()->dataProxy()->columnCount(), 48);
    surface.update_surface(surface.zones, QList<double>(1536, 1234));
    QCOMPARE(surface.surfaceSeries()->dataProxy()->itemAt(31, 47)->y(), 1234.0f);
    QTest::qWait(100); // the rebuilt graph renders without trouble
}

void TestTofViews::offscreenShowsThePlaceholder()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        kalvest_tof view;
        view.show();
        view.set_page(1);
        QVERIFY(!view.surfaceView->surfaceGraph());
        QVERIFY(view.surfaceView->placeholder()->isVisible());
        QVERIFY(!view.surfaceView->placeholder()->text().isEmpty());
        return;
    }
    // Run this very check again in a process on the offscreen platform,
    // judged as this test is.
    TestSupport::OwnProgram child(QStringLiteral("offscreen run"));
    QVERIFY(child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("offscreenShowsThePlaceholder")},
                        TestSupport::offscreenEnvironment()));
    QVERIFY2(child.finish(60000), qPrintable(child.verdict()));
    QVERIFY(child.output().contains("PASS   : TestTofViews::offscreenShowsThePlaceholder()"));
}

VELM_TEST_MAIN(TestTofViews)
#include "tst_tofviews.moc"
