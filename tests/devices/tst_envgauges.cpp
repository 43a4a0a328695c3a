// The Environment page's gauges: the dial's guarded ranges, scale labels,
// clamping and readout; the thermometer's limits, marks, colour bands and
// column; the ring's colour bands, refusals and signal; the UV bands. The
// pictures are checked on offscreen grabs.

#include <QSignalSpy>
#include <QtTest>

#include "env/cthermometer.h"
#include "env/dashboard.h"
#include "env/progressbarpercent.h"
#include "env/ultraviolet.h"
#include "testsupport.h"

class TestEnvGauges : public QObject
{
    Q_OBJECT

private slots:
    void dialRangesFollowSetterOrder();
    void dialClampsAndFormats();
    void thermometerLimitsMarksAndColours_data();
    void thermometerLimitsMarksAndColours();
    void thermometerColumnTopOnThePicture();
    void ringBandsRefusalsAndSignal_data();
    void ringBandsRefusalsAndSignal();
    void ringPaintsTheUsedArcClockwise();
    void poloFillsFromTheBottom();
    void ultravioletBands_data();
    void ultravioletBands();
};

void TestEnvGauges::dialRangesFollowSetterOrder()
{
    DashBoard dial;
    QCOMPARE(dial.minValue(), 400); // above the default maximum 100
    QCOMPARE(dial.maxValue(), 100);
    dial.setMinValue(400); // refused against the maximum, stays 400
    dial.setMaxValue(15000);
    QCOMPARE(dial.minValue(), 400);
    QCOMPARE(dial.maxValue(), 15000);
    QStringList expected;
    for (int v = 400; v <= 15000; v += 1460)
        expected << QString::number(v);
    QCOMPARE(dial.scaleLabels(), expected);
    QCOMPARE(expected.first(), QStringLiteral("400"));
    QCOMPARE(expected.last(), QStringLiteral("15000"));

    DashBoard baro;
    baro.setMinValue(0);
    baro.setMaxValue(1100);
    QCOMPARE(baro.scaleLabels().join(','), QStringLiteral("0,110,220,330,440,550,660,770,880,990,1100"));
    baro.setMaxValue(0);  // not above the minimum: refused
    baro.setMinValue(1100); // not below the maximum: refused
    QCOMPARE(baro.minValue(), 0);
    QCOMPARE(baro.maxValue(), 1100);
    baro.setScaleMajor(0); // no division by zero
    QCOMPARE(baro.scaleMajor(), 10);
}

void TestEnvGauges::dialClampsAndFormats()
{
    DashBoard dial;
    dial.setMinValue(0);
    dial.setMaxValue(1100);
    dial.setValue(2000.5);
    QCOMPARE(dial.value(), 1100.0);
    QCOMPARE(dial.needleAngle(), 240.0); // the whole scale: 360 - 60 - 60
    dial.setValue(-5);
    QCOMPARE(dial.value(), 0.0);
    QCOMPARE(dial.needleAngle(), 0.0);
    dial.setPrecision(4);
    QCOMPARE(dial.precision(), 0);
    dial.setPrecision(2);
    dial.setValue(1013);
    QCOMPARE(dial.readoutText(), QStringLiteral("1013.00 Pa"));
    dial.setValue(550);
    QCOMPARE(dial.needleAngle(), 120.0);
}

void TestEnvGauges::thermometerLimitsMarksAndColours_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("colour");
    const QColor blue(100, 184, 255), green(24, 189, 155), red(250, 100, 100);
    QTest::newRow("0") << 0.0 << blue;
    QTest::newRow("-12") << -12.0 << blue;
    QTest::newRow("10") << 10.0 << red;
    QTest::newRow("15") << 15.0 << red;
    QTest::newRow("15.1") << 15.1 << green;
    QTest::newRow("20") << 20.0 << green;
    QTest::newRow("25") << 25.0 << red;
    QTest::newRow("30") << 30.0 << red;
}

void TestEnvGauges::thermometerLimitsMarksAndColours()
{
    QFETCH(double, value);
    QFETCH(QColor, colour);
    CThermometer t;
    t.setMaxValue(80);
    t.setMinValue(-35);
    QCOMPARE(t.minValue(), -30);
    t.setMaxValue(75);
    QCOMPARE(t.maxValue(), 70);
    t.setMaxValue(80);
    const QList<int> marks = t.markValues();
    QCOMPARE(marks.size(), 12);
    QCOMPARE(marks.first(), -30);
    QCOMPARE(marks.last(), 80);
    t.setValue(value);
    QCOMPARE(t.mercuryColor(), colour);
    t.setMinorTicks(0); // refused, keeps 2
    QCOMPARE(t.minorTicks(), 2);
}

void TestEnvGauges::thermometerColumnTopOnThePicture()
{
    CThermometer t;
    t.setMaxValue(80);
    t.setMinValue(-30);
    t.resize(120, 400);
    t.setValue(20);
    const QImage img = t.grab().toImage();
    // Tube 24 wide at the middle, from 25 down to 400 + 40 - 25 - 108.
    const QRectF tube = t.tubeRect();
    QCOMPARE(tube, QRectF(48, 25, 24, 307));
    const double top = tube.bottom() - 307.0 * (20 + 30 + 5) / (110 + 10);
    const int x = int(tube.center().x());
    QCOMPARE(QColor(img.pixel(x, int(top + 1.5))), QColor(24, 189, 155));
    QCOMPARE(QColor(img.pixel(x, int(top - 1.5))), QColor(100, 100, 100));
    // Limits that leave no mark draw no scale (and no division by zero).
    CThermometer flat;
    flat.setMaxValue(0);
    flat.setMinValue(20);
    flat.resize(100, 300);
    QVERIFY(flat.markValues().isEmpty());
    QVERIFY(!flat.grab().isNull());
}

void TestEnvGauges::ringBandsRefusalsAndSignal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("emitted");
    QTest::newRow("45") << 45.0 << QColor(240, 189, 24) << 45;
    QTest::newRow("45.5") << 45.5 << QColor(24, 189, 155) << 45;
    QTest::newRow("74.9") << 74.9 << QColor(24, 189, 155) << 74;
    QTest::newRow("75") << 75.0 << QColor(100, 184, 255) << 75;
}

void TestEnvGauges::ringBandsRefusalsAndSignal()
{
    QFETCH(double, value);
    QFETCH(QColor, colour);
    QFETCH(int, emitted);
    ProgressBarPercent ring;
    QSignalSpy spy(&ring, &ProgressBarPercent::valueChanged);
    ring.setValue(value);
    QCOMPARE(ring.usedColor(), colour);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), emitted);
    ring.setValue(value); // the same value again: nothing
    ring.setValue(120);   // outside 0..100: ignored, not clamped
    ring.setValue(-1);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(ring.value(), value);
    ring.setRange(50, 50); // empty range refused
    QCOMPARE(ring.minValue(), 0);
}

void TestEnvGauges::ringPaintsTheUsedArcClockwise()
{
    ProgressBarPercent ring;
    ring.resize(200, 200);
    ring.setValue(50);
    QCOMPARE(ring.text(), QStringLiteral("50%"));
    const QImage img = ring.grab().toImage();
    const QColor used(24, 189, 155);
    // Ring radius 94: from 3 o'clock clockwise through 6 to 9 o'clock.
    QCOMPARE(QColor(img.pixel(100, 194)), used); // 6 o'clock
    QVERIFY(QColor(img.pixel(100, 6)) != used);  // 12 o'clock
    QCOMPARE(QColor(img.pixel(34, 166)), used);  // between 6 and 9 o'clock
    QVERIFY(QColor(img.pixel(166, 34)) != used); // between 12 and 3 o'clock
    ring.setValue(55.5);
    QCOMPARE(ring.text(), QStringLiteral("55.5%"));
}

void TestEnvGauges::poloFillsFromTheBottom()
{
    ProgressBarPercent ring;
    ring.resize(200, 200);
    ring.setPercentStyle(ProgressBarPercent::PercentStyle_Polo);
    ring.setShowPercent(false);
    ring.setValue(25);
    QCOMPARE(ring.text(), QStringLiteral("25"));
    const QImage img = ring.grab().toImage();
    // Fill radius 89: the lowest quarter of its height is 44.5 px.
    const QColor used(240, 189, 24);
    QCOMPARE(QColor(img.pixel(100, 100 + 89 - 40)), used);
    QCOMPARE(QColor(img.pixel(100, 100 + 89 - 49)), QColor(70, 70, 70));
}

void TestEnvGauges::ultravioletBands_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("0") << 0.0 << QColor(253, 216, 53);
    QTest::newRow("400") << 400.0 << QColor(253, 216, 53);
    QTest::newRow("401") << 401.0 << QColor(243, 156, 18);
    QTest::newRow("700") << 700.0 << QColor(211, 84, 0);
    QTest::newRow("900") << 900.0 << QColor(255, 0, 0);
    QTest::newRow("1078") << 1078.0 << QColor(74, 35, 90);
}

void TestEnvGauges::ultravioletBands()
{
    QFETCH(double, value);
    QFETCH(QColor, colour);
    Ultraviolet uv;
    QSignalSpy spy(&uv, &Ultraviolet::valueChanged);
    uv.setValue(value);
    uv.setValue(value); // an equal value is handled like any other
    QCOMPARE(uv.color(), colour);
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), int(value));
    uv.resize(200, 200);
    const QImage img = uv.grab().toImage();
    QCOMPARE(QColor(img.pixel(100, 150)), colour); // inside the disc, below the number
}

VELM_TEST_MAIN(TestEnvGauges)
#include "tst_envgauges.moc"
