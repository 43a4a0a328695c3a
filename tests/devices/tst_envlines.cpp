// test-links: codecs
// The environment sensor's line reader: labels, units and conversions,
// failed and non-finite numbers, lines split anywhere, several lines in
// one chunk (the newest wins), the unfinished tail kept, NULs and the cap.

#include <QRandomGenerator>
#include <QtTest>

#include "env/envlines.h"

using namespace EnvLines;
Q_DECLARE_METATYPE(QList<EnvLines::Value>)

namespace {
QString show(const QList<Value> &values)
{
    QStringList out;
    for (const Value &v : values)
        out << QStringLiteral("%1=%2").arg(int(v.reading)).arg(v.value, 0, 'g', 17);
    return out.join(' ');
}
} // namespace

class TestEnvLines : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void anyChunkingGivesTheSameReadings();
    void unfinishedTailWaitsAndGarbageIsCapped();
};

void TestEnvLines::lines_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    const int H = int(Reading::Humidity), T = int(Reading::Temperature), B = int(Reading::Barometer),
              U = int(Reading::Ultraviolet), C = int(Reading::Co2), V = int(Reading::Tvoc);
    auto r = [](int kind, double v) { return QStringLiteral("%1=%2").arg(kind).arg(v, 0, 'g', 17); };
    QTest::newRow("humidity") << QByteArray("Humidity:45.5%\r\n") << r(H, 45.5);
    QTest::newRow("temperature") << QByteArray("Temperature:-3.25C\r\n") << r(T, -3.25);
    QTest::newRow("barometer") << QByteArray("Barometer:101325Pa\r\n") << r(B, 101325);
    QTest::newRow("uv") << QByteArray("Ultraviolet:712\r\n") << r(U, 712);
    QTest::newRow("co2") << QByteArray("CO2:812ppm\r\n") << r(C, 812);
    QTest::newRow("tvoc") << QByteArray("TVOC:35ppb\r\n") << r(V, 35);
    QTest::newRow("all six, newest last")
        << QByteArray("Humidity:45%\r\nHumidity:46%\r\nTemperature:21.5C\r\nBarometer:1013Pa\r\n"
                      "Ultraviolet:3\r\nCO2:400ppm\r\nTVOC:12ppb\r\n")
        << QStringList{r(H, 45), r(H, 46), r(T, 21.5), r(B, 1013), r(U, 3), r(C, 400), r(V, 12)}.join(' ');
    QTest::newRow("integer field with a fraction reads 0") << QByteArray("Barometer:1013.5Pa\r\n") << r(B, 0);
    QTest::newRow("not a number reads 0") << QByteArray("Humidity:wet%\r\n") << r(H, 0);
    QTest::newRow("nan reads 0") << QByteArray("Humidity:nan%\r\n") << r(H, 0);
    QTest::newRow("inf reads 0") << QByteArray("Temperature:inf C\r\n") << r(T, 0);
    QTest::newRow("overflow reads 0") << QByteArray("Temperature:1e999C\r\n") << r(T, 0);
    QTest::newRow("exponent reads 0") << QByteArray("Humidity:4.5e1%\r\n") << r(H, 0);
    QTest::newRow("group separator reads 0") << QByteArray("Temperature:1,250.5C\r\n") << r(T, 0);
    QTest::newRow("blanks around the number") << QByteArray("Temperature: 21.5 C\r\n") << r(T, 21.5);
    QTest::newRow("decimal point independent of locale") << QByteArray("Humidity:4807.038%\r\n") << r(H, 4807.038);
    QTest::newRow("unit missing: the rest of the line") << QByteArray("CO2:500\r\n") << r(C, 500);
    QTest::newRow("no label") << QByteArray("hello\r\n") << QString();
    QTest::newRow("NUL before a line does not hide it")
        << QByteArray("\0junk\r\nTVOC:7ppb\r\n", 18) << r(V, 7);
}

void TestEnvLines::lines()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    Parser p;
    QCOMPARE(show(p.feed(input)), expected);
    QVERIFY(p.buffered().isEmpty());
}

void TestEnvLines::anyChunkingGivesTheSameReadings()
{
    QByteArray stream;
    for (int i = 0; i < 200; ++i)
        stream += QStringLiteral("Humidity:%1%\r\nTemperature:%2C\r\nCO2:%3ppm\r\nnoise\r\n")
                      .arg(40 + i % 30)
                      .arg(-10 + i * 0.25)
                      .arg(400 + i)
                      .toLatin1();
    Parser whole;
    const QString expected = show(whole.feed(stream));
    QVERIFY(!expected.isEmpty());
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 200; ++round) {
        Parser p;
        QList<Value> got;
        for (int at = 0; at < stream.size();) {
            const int n = 1 + int(rng->bounded(round < 20 ? 3 : 97));
            got += p.feed(stream.mid(at, n));
            at += n;
        }
        QCOMPARE(show(got), expected);
    }
}

void TestEnvLines::unfinishedTailWaitsAndGarbageIsCapped()
{
    Parser p;
    QVERIFY(p.feed("Humidity:45%\r\nTempera").size() == 1);
    QCOMPARE(p.buffered(), QByteArray("Tempera"));
    QCOMPARE(show(p.feed("ture:22C\r")), QString());
    QCOMPARE(show(p.feed("\n")), QStringLiteral("%1=22").arg(int(Reading::Temperature)));

    Parser g;
    const QByteArray garbage(1 << 20, 'x');
    QVERIFY(g.feed(garbage).isEmpty());
    QVERIFY(g.buffered().size() <= kMaxBuffered);
    // After the garbage the next whole line is read.
    QCOMPARE(show(g.feed("\r\nTVOC:9ppb\r\n")), QStringLiteral("%1=9").arg(int(Reading::Tvoc)));
}

QTEST_GUILESS_MAIN(TestEnvLines)
#include "tst_envlines.moc"
