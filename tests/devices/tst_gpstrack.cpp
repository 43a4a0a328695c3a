// test-links: codecs
// Track file lines, their replay as map segments, and the script text the
// map page gets: only numbers we formatted, strings JSON-escaped.

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

#include "gps/gpstrack.h"

class TestGpsTrack : public QObject
{
    Q_OBJECT

private slots:
    void parseLine_data();
    void parseLine();
    void savedLineReadsBack();
    void replay_data();
    void replay();
    void scriptText();
};

void TestGpsTrack::parseLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    // The number texts as written, for the labels.
    QTest::addColumn<QString>("latText");
    QTest::addColumn<QString>("lonText");
    QTest::newRow("saved line") << "Latitude:48.1173000,Longitude:11.5166667\r\n" << true << 48.1173 << 11.5166667
                                << "48.1173000" << "11.5166667";
    QTest::newRow("south west") << "Latitude:-33.8688000,Longitude:-151.2093000\n" << true << -33.8688 << -151.2093
                                << "-33.8688000" << "-151.2093000";
    QTest::newRow("trailing zeros kept") << "Latitude:22.540000,Longitude:113.950000" << true << 22.54 << 113.95
                                         << "22.540000" << "113.950000";
    QTest::newRow("blanks and sign") << "Latitude: +1.50 ,Longitude:\t2\r\n" << true << 1.5 << 2.0 << "+1.50" << "2";
    QTest::newRow("text before") << "x Latitude:1.5,Longitude:2.5" << true << 1.5 << 2.5 << "1.5" << "2.5";
    QTest::newRow("script") << "Latitude:1);alert(1);(,Longitude:2" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("script in longitude") << "Latitude:1,Longitude:2);alert(1)" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("no latitude") << "Longitude:2" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("no longitude") << "Latitude:1" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("empty") << "Latitude:,Longitude:" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("out of range") << "Latitude:90.5,Longitude:2" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("nan") << "Latitude:nan,Longitude:2" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("decimal comma") << "Latitude:48,1,Longitude:2" << false << 0.0 << 0.0 << "" << "";
    QTest::newRow("exponent") << "Latitude:1e1,Longitude:2" << false << 0.0 << 0.0 << "" << "";
}

void TestGpsTrack::parseLine()
{
    QFETCH(QString, line);
    QFETCH(bool, ok);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, latText);
    QFETCH(QString, lonText);
    double a = 0, b = 0;
    QString ta, tb;
    QCOMPARE(GpsTrack::parseLine(line, &a, &b, &ta, &tb), ok);
    if (ok) {
        QCOMPARE(a, lat);
        QCOMPARE(b, lon);
        QCOMPARE(ta, latText);
        QCOMPARE(tb, lonText);
    }
}

void TestGpsTrack::savedLineReadsBack()
{
    QTemporaryDir dir;
    GpsTrack::setPathForTesting(dir.filePath(QStringLiteral("track.txt")));
    QString error;
    QVERIFY(GpsTrack::append(GpsTrack::coordinateText(-0.5), GpsTrack::coordinateText(-179.25), &error));
    QVERIFY(GpsTrack::append(GpsTrack::coordinateText(12.3456789), GpsTrack::coordinateText(0), &error));
    QFile f(GpsTrack::path());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    QCOMPARE(all, QByteArray("Latitude:-0.5000000,Longitude:-179.2500000\r\n"
                             "Latitude:12.3456789,Longitude:0.0000000\r\n"));
    double a = 0, b = 0;
    QVERIFY(GpsTrack::parseLine(QString::fromLatin1(all.split('\n').first()), &a, &b));
    QCOMPARE(a, -0.5);
    QCOMPARE(b, -179.25);
    // A directory where the file should be: the failure is reported.
    GpsTrack::setPathForTesting(dir.path());
    QVERIFY(!GpsTrack::append(QStringLiteral("1"), QStringLiteral("2"), &error));
    QVERIFY(!error.isEmpty());
    GpsTrack::setPathForTesting(QString());
}

void TestGpsTrack::replay_data()
{
    QTest::addColumn<QList<QPointF>>("points"); // x = lat, y = lon
    QTest::addColumn<QStringList>("segments");
    const QPointF p1(1, 10), p2(2, 20), p3(3, 30);
    QTest::newRow("P1 P2 P2 P3") << QList<QPointF>{p1, p2, p2, p3}
                                 << QStringList{"1.0000000,10.0000000>2.0000000,20.0000000",
                                                "2.0000000,20.0000000>3.0000000,30.0000000"};
    QTest::newRow("one position") << QList<QPointF>{p1} << QStringList{};
    QTest::newRow("first repeat still drawn") << QList<QPointF>{p1, p1, p2}
                                              << QStringList{"1.0000000,10.0000000>1.0000000,10.0000000",
                                                             "1.0000000,10.0000000>2.0000000,20.0000000"};
}

void TestGpsTrack::replay()
{
    QFETCH(QList<QPointF>, points);
    QFETCH(QStringList, segments);
    GpsTrack::Replay r;
    QStringList got;
    for (const QPointF &p : points) {
        GpsTrack::Replay::Segment s;
        if (r.add(p.x(), p.y(), &s))
            got << s.lat2 + ',' + s.lon2 + '>' + s.lat3 + ',' + s.lon3;
    }
    QCOMPARE(got, segments);
}

void TestGpsTrack::scriptText()
{
    QCOMPARE(GpsMapScript::call("Set_Latit", -33.8688), QStringLiteral("Set_Latit(-33.8688000)"));
    QCOMPARE(GpsMapScript::call("Set_Location"), QStringLiteral("Set_Location()"));
    const QString nasty = QStringLiteral("a'\"\\\n") + QChar(0x2028) + QStringLiteral("</script>);alert(1)//");
    const QString literal = GpsMapScript::stringLiteral(nasty);
    QVERIFY(literal.startsWith('"') && literal.endsWith('"'));
    QVERIFY(!literal.contains('\n') && !literal.contains(QChar(0x2028)));
    // It reads back as the same string.
    const QJsonDocument back = QJsonDocument::fromJson(('[' + literal + ']').toUtf8());
    QCOMPARE(back.array().at(0).toString(), nasty);
}

QTEST_GUILESS_MAIN(TestGpsTrack)
#include "tst_gpstrack.moc"
