// The spectral sensor's line decoding without a window (channel table,
// rejected lines, lines split across reads, the raw log's line cutting) and
// the chart widget's routing and wavelength colours.

#include <QBarSet>
#include <QtTest>

#include "spectra/kalvest_spectroscopy.h"
#include "spectra/kalvest_spectroscopy_spline.h"
#include "spectra/kalvest_spectroscopy_squarediagram.h"
#include "spectra/spectralines.h"
#include "testsupport.h"

using SpectraLines::Reading;

class TestSpectraLines : public QObject
{
    Q_OBJECT

private slots:
    void channelTable_data();
    void channelTable();
    void lines_data();
    void lines();
    void decoderKeepsTheUnfinishedLine();
    void logLinesAreTrimmedAndCut();
    void routing();
    void wavelengthColours_data();
    void wavelengthColours();
};

void TestSpectraLines::channelTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    const QList<QPair<const char *, int>> rows{{"F1", 0},  {"F8", 7},   {"F9", 8},   {"NIR", 8},  {"FXL", 9},
                                              {"F11", 10}, {"FY", 11},  {"F13", 12}, {"F18", 17}, {"F19", -1},
                                              {"f1", -1},  {" F1", -1}, {"", -1}};
    for (const auto &r : rows)
        QTest::newRow(r.first) << QString::fromLatin1(r.first) << r.second;
}

void TestSpectraLines::channelTable()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QCOMPARE(SpectraLines::channelIndex(name), index);
}

void TestSpectraLines::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Reading>>("readings");
    QTest::newRow("one") << "F3:500\r\n" << QList<Reading>{{2, 500}};
    QTest::newRow("two") << "NIR:1000\r\nF9:7\r\n" << QList<Reading>{{8, 1000}, {8, 7}};
    QTest::newRow("empty lines dropped") << "\r\n\r\nFY:3\r\n" << QList<Reading>{{11, 3}};
    QTest::newRow("two colons") << "F1:2:3\r\nF2:4\r\n" << QList<Reading>{{1, 4}};
    QTest::newRow("no colon") << "F1 100\r\n" << QList<Reading>{};
    QTest::newRow("letters") << "F1:abc\r\nF2:1e3\r\nF3:12.5\r\n" << QList<Reading>{};
    QTest::newRow("lower case name") << "f1:100\r\n" << QList<Reading>{};
    QTest::newRow("overflow") << "F1:99999999999\r\n" << QList<Reading>{};
    QTest::newRow("negative") << "F4:-20\r\n" << QList<Reading>{{3, -20}};
    QTest::newRow("bad line between good") << "F1:1\r\nXX:5\r\nF18:9\r\n" << QList<Reading>{{0, 1}, {17, 9}};
}

void TestSpectraLines::lines()
{
    QFETCH(QString, text);
    QFETCH(QList<Reading>, readings);
    QCOMPARE(SpectraLines::parseLines(text), readings);
}

void TestSpectraLines::decoderKeepsTheUnfinishedLine()
{
    SpectraLines::Decoder d;
    QCOMPARE(d.feed("F1:1"), QString());
    QCOMPARE(d.feed("00"), QString());
    QCOMPARE(SpectraLines::parseLines(d.feed("0\r\nF2:")), (QList<Reading>{{0, 1000}}));
    // A CR LF split between reads.
    QCOMPARE(d.feed("5\r"), QString());
    QCOMPARE(SpectraLines::parseLines(d.feed("\n")), (QList<Reading>{{1, 5}}));
    QVERIFY(d.buffered().isEmpty());
    // Garbage without a line end is capped.
    d.feed(QByteArray(SpectraLines::kMaxBuffered + 100, 'x'));
    QCOMPARE(d.buffered().size(), SpectraLines::kMaxBuffered);
}

void TestSpectraLines::logLinesAreTrimmedAndCut()
{
    SpectraLines::LogLines log;
    QCOMPARE(log.feed("  F1:5 \r\n\r\n  \nbad"), (QStringList{QStringLiteral("F1:5")}));
    QCOMPARE(log.feed("line\r\n"), (QStringList{QStringLiteral("badline")}));
    // A character split between reads is whole.
    QCOMPARE(log.feed("\xc3"), QStringList());
    QCOMPARE(log.feed("\xa9\n"), (QStringList{QStringLiteral("é")}));
    // A run without a line feed is cut into lines of at most 4096 bytes,
    // never inside a character, and nothing is lost.
    QByteArray run = QByteArray(4095, 'a') + "\xc3\xa9" + QByteArray(5000, 'b');
    const QStringList cut = log.feed(run);
    QCOMPARE(cut.size(), 2);
    QCOMPARE(cut.at(0), QString(4095, QLatin1Char('a')));
    QCOMPARE(cut.at(1), QStringLiteral("é") + QString(4094, QLatin1Char('b')));
    QCOMPARE(log.buffered().size(), 906);
    QCOMPARE(log.feed("\n"), QStringList{QString(906, QLatin1Char('b'))});
}

void TestSpectraLines::routing()
{
    kalvest_spectroscopy w;
    QCOMPARE(w.chart(2)->barSet(8)->label(), QStringLiteral("(610nm)"));
    QCOMPARE(w.chart(2)->barSet(8)->color(), QColor(255, 150, 0));
    // Unknown type or mode, or an index past the model's bars: nothing.
    w.update_data_barset(9, 0.5, 0, 0);
    w.update_data_barset(2, 0.5, 255, 0);
    w.update_data_barset(2, 0.5, 0, 7);
    QCOMPARE(w.chart(0)->barSet(2)->at(0), 0.0);
    QCOMPARE(w.curve()->pointValues(), QList<double>(19, 0.0));
    // The curve: index + 1, whatever the type; 255 wraps to the anchor.
    w.update_data_barset(17, 0.75, 0, 1);
    QCOMPARE(w.curve()->pointValues().at(18), 0.75);
    w.update_data_barset(255, 0.1, 2, 1);
    QCOMPARE(w.curve()->pointValues().at(0), 0.1);
}

void TestSpectraLines::wavelengthColours_data()
{
    QTest::addColumn<double>("nm");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("380") << 380.0 << QColor(150, 0, 255);
    QTest::newRow("410") << 410.0 << QColor(115, 0, 255);
    QTest::newRow("440") << 440.0 << QColor(0, 0, 255);
    QTest::newRow("485") << 485.0 << QColor(0, 162, 255);
    QTest::newRow("500") << 500.0 << QColor(0, 217, 217);
    QTest::newRow("510") << 510.0 << QColor(0, 255, 0);
    QTest::newRow("585") << 585.0 << QColor(255, 239, 0);
    QTest::newRow("645") << 645.0 << QColor(255, 50, 50);
    QTest::newRow("750") << 750.0 << QColor(128, 0, 0);
    QTest::newRow("940") << 940.0 << QColor(160, 160, 160);
    QTest::newRow("379") << 379.0 << QColor(128, 128, 128);
    QTest::newRow("941") << 941.0 << QColor(128, 128, 128);
}

void TestSpectraLines::wavelengthColours()
{
    QFETCH(double, nm);
    QFETCH(QColor, colour);
    QCOMPARE(kalvest_spectroscopy_spline::wavelengthColor(nm), colour);
}

VELM_TEST_MAIN(TestSpectraLines)
#include "tst_spectralines.moc"
