// test-links: codecs
// The time-of-flight frames without a window: value counts, the three
// models' zone orders (the TMF8828 table as the module's data sheet gives
// it, the TMF8829 row interleave, the VL53LMZ row mirror), the frame cutter
// and the combo texts.

#include <QtTest>

#include "coresupport.h"
#include "tof/tofframes.h"

class TestTofFrames : public QObject
{
    Q_OBJECT

private slots:
    void valueCounts_data();
    void valueCounts();
    void vl53lmzMirrorsRows();
    void tmf8828Table();
    void tmf8829Interleave_data();
    void tmf8829Interleave();
    void tmf8829FrameClearsOnlyItsZones();
    void cutterAndCaps();
    void comboTexts();

private:
    static QByteArray frame(int n, int first = 0, const char *tail = "")
    {
        QByteArray t;
        for (int i = 0; i < n; ++i)
            t += QByteArray::number(first + i) + (i + 1 < n ? "," : "");
        return t + tail;
    }
};

void TestTofFrames::valueCounts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    for (int n : {16, 64, 256, 1024, 1536})
        QTest::newRow(qPrintable(QString::number(n))) << frame(n) << n;
    for (int n : {0, 1, 15, 63, 65, 255, 1025, 1537, 2048})
        QTest::newRow(qPrintable(QString::number(n))) << frame(n) << -1;
    QTest::newRow("trailing comma") << frame(64, 0, ",") << 64;
    QTest::newRow("empty fields dropped") << QByteArray(",,") + frame(16) + ",,," << 16;
}

void TestTofFrames::valueCounts()
{
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QList<int> values{42};
    QCOMPARE(TofFrames::parseFrame(text, &values), count > 0);
    if (count < 0) {
        QCOMPARE(values, QList<int>{42});
        return;
    }
    QCOMPARE(values.size(), count);
    QCOMPARE(values.last(), count - 1);
}

void TestTofFrames::vl53lmzMirrorsRows()
{
    // 16 values 1..16: rows read 4 3 2 1 / 8 7 6 5 / ...
    QList<int> values;
    QVERIFY(TofFrames::parseFrame(frame(16, 1), &values));
    QList<int> pixels(TofFrames::kZones, -1);
    TofFrames::arrange(TofFrames::VL53LMZ, values, pixels);
    QCOMPARE(pixels.mid(0, 16), (QList<int>{4, 3, 2, 1, 8, 7, 6, 5, 12, 11, 10, 9, 16, 15, 14, 13}));
    QCOMPARE(pixels.at(16), -1);

    // 256 values: all stored in arrival order, only the first 64 mirrored
    // as 8 rows of 8.
    QVERIFY(TofFrames::parseFrame(frame(256), &values));
    TofFrames::arrange(TofFrames::VL53LMZ, values, pixels);
    QCOMPARE(pixels.mid(0, 8), (QList<int>{7, 6, 5, 4, 3, 2, 1, 0}));
    QCOMPARE(pixels.mid(56, 8), (QList<int>{63, 62, 61, 60, 59, 58, 57, 56}));
    QCOMPARE(pixels.mid(64, 4), (QList<int>{64, 65, 66, 67}));
    QCOMPARE(pixels.at(255), 255);
    QCOMPARE(pixels.at(256), -1);

    // Non-numbers read 0.
    QVERIFY(TofFrames::parseFrame("x,nan,inf,99999999999," + frame(12), &values));
    QCOMPARE(values.mid(0, 5), (QList<int>{0, 0, 0, 0, 0}));
}

void TestTofFrames::tmf8828Table()
{
    static const int table[8][8] = {
        {38, 46, 54, 62, 39, 47, 55, 63}, {6, 14, 22, 30, 7, 15, 23, 31}, {36, 44, 52, 60, 37, 45, 53, 61},
        {4, 12, 20, 28, 5, 13, 21, 29},   {34, 42, 50, 58, 35, 43, 51, 59}, {2, 10, 18, 26, 3, 11, 19, 27},
        {32, 40, 48, 56, 33, 41, 49, 57}, {0, 8, 16, 24, 1, 9, 17, 25},
    };
    QList<int> values;
    QVERIFY(TofFrames::parseFrame(frame(64), &values));
    QList<int> pixels(TofFrames::kZones, -1);
    TofFrames::arrange(TofFrames::TMF8828, values, pixels);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c)
            QCOMPARE(pixels.at(r * 8 + c), table[r][c]);
    }
    QCOMPARE(pixels.at(64), -1);

    // 16 values: display entries whose source is 16 or more become 0 (the
    // values are shifted by 100 so a 0 cannot come from the frame).
    QVERIFY(TofFrames::parseFrame(frame(16, 100), &values));
    TofFrames::arrange(TofFrames::TMF8828, values, pixels);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c)
            QCOMPARE(pixels.at(r * 8 + c), table[r][c] < 16 ? 100 + table[r][c] : 0);
    }
}

void TestTofFrames::tmf8829Interleave_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("delivery");
    QTest::addColumn<int>("display");
    QTest::newRow("1024 first") << 1024 << 0 << 0;
    QTest::newRow("1024 row 2") << 1024 << 32 << 64;
    QTest::newRow("1024 second half") << 1024 << 512 << 32;
    QTest::newRow("1024 last") << 1024 << 1023 << 1023;
    QTest::newRow("1536 last even row") << 1536 << 767 << 1487;
    QTest::newRow("1536 second half") << 1536 << 768 << 48;
    QTest::newRow("1536 last") << 1536 << 1535 << 1535;
    QTest::newRow("256 as sent") << 256 << 200 << 200;
    QTest::newRow("64 as sent") << 64 << 63 << 63;
}

void TestTofFrames::tmf8829Interleave()
{
    QFETCH(int, n);
    QFETCH(int, delivery);
    QFETCH(int, display);
    QList<int> values;
    QVERIFY(TofFrames::parseFrame(frame(n, 1), &values));
    QList<int> pixels(TofFrames::kZones, -1);
    TofFrames::arrange(TofFrames::TMF8829, values, pixels);
    QCOMPARE(pixels.at(display), delivery + 1);
    // Every delivered value lands exactly once.
    QList<int> sorted = pixels.mid(0, n);
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(sorted, values);
}

void TestTofFrames::tmf8829FrameClearsOnlyItsZones()
{
    QList<int> pixels(TofFrames::kZones, 7);
    QList<int> values;
    QVERIFY(TofFrames::parseFrame(frame(16, 1), &values));
    TofFrames::arrange(TofFrames::TMF8829, values, pixels);
    QCOMPARE(pixels.at(15), 16);
    QCOMPARE(pixels.at(16), 7);
    // An unknown model writes nothing.
    QVERIFY(TofFrames::parseFrame(frame(64, 1000), &values));
    TofFrames::arrange(-1, values, pixels);
    QCOMPARE(pixels.at(0), 1);
}

void TestTofFrames::cutterAndCaps()
{
    TofFrames::Cutter cut;
    QCOMPARE(cut.feed("1,2\r"), QList<QByteArray>());
    QCOMPARE(cut.feed("\n3,4\r\n5"), (QList<QByteArray>{"1,2", "3,4"}));
    cut.feed(QByteArray(TofFrames::kMaxBuffered + 10, '9'));
    QCOMPARE(cut.buffered().size(), TofFrames::kMaxBuffered);
}

void TestTofFrames::comboTexts()
{
    QCOMPARE(TofFrames::modeForText("48x32"), 4);
    QCOMPARE(TofFrames::modeForText("4X4"), 1);
    QCOMPARE(TofFrames::gridForMode(9).cols, 8);
    for (const char *range : {"0", "-3", "far", ""})
        QCOMPARE(TofFrames::maxDistanceForText(range), 4000);
}

VELM_CORE_TEST_MAIN(TestTofFrames)
#include "tst_tofframes.moc"
