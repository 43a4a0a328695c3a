// test-links: codecs
// The calculator's geodesy against independent tools: forward UTM on all 23
// ellipsoids against PROJ's cs2cs, WGS-84 zones, bands and coordinates
// against GeographicLib's GeoConvert, the inverse from those reference
// coordinates, distances against GeodSolve on a sphere, worked examples and
// zone texts the inverse refuses.

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

#include "gps/geodesy.h"

namespace {

struct Point
{
    double lat, lon;
};

QList<Point> randomPoints(quint32 seed, int n)
{
    QRandomGenerator rng(seed);
    QList<Point> p;
    for (int i = 0; i < n; ++i)
        p.append({-80.0 + rng.generateDouble() * 164.0, -180.0 + rng.generateDouble() * 360.0});
    return p;
}

// Runs a tool with `input` on stdin; its output lines.
QList<QByteArray> run(const QString &program, const QStringList &args, const QByteArray &input)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000))
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return p.readAllStandardOutput().trimmed().split('\n');
}

QList<double> numbers(const QByteArray &line)
{
    QList<double> out;
    for (const QByteArray &t : line.simplified().split(' ')) {
        bool ok = false;
        const double v = t.toDouble(&ok);
        if (ok)
            out.append(v);
    }
    return out;
}

// Distance from the central meridian of the zone the position lies in.
double offCentre(const Point &p)
{
    const double l = Geodesy::normaliseLongitude(p.lon);
    return l - (Geodesy::zoneOf(p.lat, p.lon) * 6 - 183);
}

// Position error in metres between two latitude/longitude pairs.
double metresApart(double lat1, double lon1, double lat2, double lon2)
{
    const double dy = (lat1 - lat2) * 111320.0;
    const double dx = (lon1 - lon2) * 111320.0 * std::cos(lat1 * M_PI / 180);
    return std::hypot(dx, dy);
}

} // namespace

class TestGeodesy : public QObject
{
    Q_OBJECT

private slots:
    void forwardAndInverseAgainstProj();
    void wgs84AgainstGeoConvert();
    void distanceAgainstGeodSolve();
    void workedExamples_data();
    void workedExamples();
    void zoneTextsTheInverseRefuses_data();
    void zoneTextsTheInverseRefuses();
};

void TestGeodesy::forwardAndInverseAgainstProj()
{
    double worstNear = 0, worstAll = 0, worstInverseNear = 0, worstInverseAll = 0;
    for (int e = 1; e <= Geodesy::kEllipsoidCount; ++e) {
        const Geodesy::Ellipsoid &el = Geodesy::ellipsoid(e);
        const QList<Point> points = randomPoints(1000 + e, 200);
        // The projection depends only on the latitude and the distance from
        // the central meridian: PROJ gets every point moved into zone 31
        // (central meridian 3°), one run per hemisphere.
        for (const bool south : {false, true}) {
            QList<Point> chosen;
            QByteArray input;
            for (const Point &p : points) {
                if ((p.lat < 0) != south)
                    continue;
                chosen.append(p);
                input += QByteArray::number(3 + offCentre(p), 'f', 12) + ' ' + QByteArray::number(p.lat, 'f', 12) + '\n';
            }
            const QString ell = QStringLiteral("+a=%1 +es=%2").arg(el.a, 0, 'f', 0).arg(el.e2, 0, 'g', 12);
            QStringList args = {QStringLiteral("-f"), QStringLiteral("%.6f")};
            args += (QStringLiteral("+proj=longlat ") + ell + QStringLiteral(" +no_defs +to +proj=utm +zone=31 ") + ell
                     + (south ? QStringLiteral(" +south") : QString()) + QStringLiteral(" +no_defs"))
                        .split(' ');
            const QList<QByteArray> out = run(QStringLiteral("cs2cs"), args, input);
            QCOMPARE(out.size(), chosen.size());
            for (int i = 0; i < chosen.size(); ++i) {
                const Point &p = chosen[i];
                const QList<double> ref = numbers(out[i]);
                QVERIFY2(ref.size() >= 2, out[i].constData());
                const Geodesy::Utm u = Geodesy::toUtm(e, p.lat, p.lon);
                const double d = std::hypot(u.easting - ref[0], u.northing - ref[1]);
                double lat = 0, lon = 0;
                QString error;
                QVERIFY(Geodesy::fromUtm(e, ref[0], ref[1], u.zone, &lat, &lon, &error));
                const double back = metresApart(lat, Geodesy::normaliseLongitude(lon), p.lat,
                                                Geodesy::normaliseLongitude(p.lon));
                worstAll = std::max(worstAll, d);
                worstInverseAll = std::max(worstInverseAll, back);
                if (std::fabs(offCentre(p)) <= 2) {
                    worstNear = std::max(worstNear, d);
                    worstInverseNear = std::max(worstInverseNear, back);
                    QVERIFY2(d <= 0.002, qPrintable(QStringLiteral("%1: %2, %3 off by %4 m")
                                                        .arg(QLatin1String(el.name)).arg(p.lat).arg(p.lon).arg(d)));
                    QVERIFY2(back <= 0.001, qPrintable(QStringLiteral("inverse %1: %2, %3 off by %4 m")
                                                           .arg(QLatin1String(el.name)).arg(p.lat).arg(p.lon).arg(back)));
                }
            }
        }
    }
    qInfo("forward: worst %.6f m within 2 degrees of the central meridian, %.6f m anywhere in the zones",
          worstNear, worstAll);
    qInfo("inverse: worst %.6f m within 2 degrees of the central meridian, %.6f m anywhere in the zones",
          worstInverseNear, worstInverseAll);
}

void TestGeodesy::wgs84AgainstGeoConvert()
{
    const QList<Point> points = randomPoints(77, 500);
    QByteArray input;
    for (const Point &p : points)
        input += QByteArray::number(p.lat, 'f', 12) + ' ' + QByteArray::number(p.lon, 'f', 12) + '\n';
    const QList<QByteArray> utm = run(QStringLiteral("GeoConvert"), {QStringLiteral("-u"), QStringLiteral("-p"), QStringLiteral("6")}, input);
    const QList<QByteArray> mgrs = run(QStringLiteral("GeoConvert"), {QStringLiteral("-m"), QStringLiteral("-p"), QStringLiteral("0")}, input);
    QCOMPARE(utm.size(), points.size());
    QCOMPARE(mgrs.size(), points.size());
    for (int i = 0; i < points.size(); ++i) {
        const Point &p = points[i];
        const Geodesy::Utm u = Geodesy::toUtm(23, p.lat, p.lon);
        const QList<QByteArray> parts = utm[i].simplified().split(' ');
        QCOMPARE(parts.size(), 3);
        const QByteArray zoneHemisphere = parts[0]; // e.g. "32n"
        const int zone = u.zone.left(u.zone.size() - 1).toInt();
        QCOMPARE(zoneHemisphere.left(zoneHemisphere.size() - 1).toInt(), zone);
        QCOMPARE(zoneHemisphere.right(1), QByteArray(p.lat < 0 ? "s" : "n"));
        // The MGRS reference starts with the zone (two digits) and the band letter.
        const QByteArray m = mgrs[i].trimmed();
        QCOMPARE(m.left(2).toInt(), zone);
        QCOMPARE(QChar::fromLatin1(m.at(2)), u.zone.back());
        if (std::fabs(offCentre(p)) <= 2) {
            QVERIFY(std::fabs(u.easting - parts[1].toDouble()) <= 0.002);
            QVERIFY(std::fabs(u.northing - parts[2].toDouble()) <= 0.002);
        }
    }
}

void TestGeodesy::distanceAgainstGeodSolve()
{
    QRandomGenerator rng(4242);
    QList<std::array<double, 4>> pairs;
    QByteArray input;
    for (int i = 0; i < 2000; ++i) {
        const std::array<double, 4> q = {-90 + rng.generateDouble() * 180, -180 + rng.generateDouble() * 360,
                                         -90 + rng.generateDouble() * 180, -180 + rng.generateDouble() * 360};
        pairs.append(q);
        for (double v : q)
            input += QByteArray::number(v, 'f', 12) + ' ';
        input += '\n';
    }
    const QList<QByteArray> out = run(QStringLiteral("GeodSolve"),
                                      {QStringLiteral("-i"), QStringLiteral("-e"), QStringLiteral("6378137"),
                                       QStringLiteral("0"), QStringLiteral("-p"), QStringLiteral("9")},
                                      input);
    QCOMPARE(out.size(), pairs.size());
    double worst = 0;
    for (int i = 0; i < pairs.size(); ++i) {
        const QList<double> ref = numbers(out[i]);
        QCOMPARE(ref.size(), 3);
        const auto &q = pairs[i];
        const double ours = Geodesy::distanceKm(q[0], q[1], q[2], q[3]) * 1000;
        const double rel = std::fabs(ours - ref[2]) / ref[2];
        worst = std::max(worst, rel);
        QVERIFY2(rel <= 1e-9, qPrintable(QStringLiteral("pair %1: %2 m, GeodSolve %3 m").arg(i).arg(ours, 0, 'f', 6).arg(ref[2], 0, 'f', 6)));
    }
    qInfo("distance: worst relative difference %.3g", worst);
}

void TestGeodesy::workedExamples_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("easting");  // 8 decimals, or empty: not checked
    QTest::addColumn<QString>("northing"); // likewise
    QTest::newRow("equator, 3 E") << 0.0 << 3.0 << "31N" << "500000.00000000" << "0.00000000";
    QTest::newRow("Norway exception") << 60.0 << 5.0 << "32V" << "" << "";
    QTest::newRow("Svalbard exception") << 78.0 << 10.0 << "33X" << "" << "";
    QTest::newRow("longitude 180") << 10.0 << 180.0 << "1P" << "" << "";
    QTest::newRow("below -180 with floor") << 10.0 << -190.0 << "59P" << "" << "";
    QTest::newRow("84 is still X") << 84.0 << 0.0 << "31X" << "" << "";
    QTest::newRow("outside the bands") << -80.5 << 0.0 << "31Z" << "" << "";
}

void TestGeodesy::workedExamples()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, zone);
    QFETCH(QString, easting);
    QFETCH(QString, northing);
    const Geodesy::Utm u = Geodesy::toUtm(23, lat, lon);
    QCOMPARE(u.zone, zone);
    if (!easting.isEmpty()) {
        QCOMPARE(QString::number(u.easting, 'f', 8), easting);
        QCOMPARE(QString::number(u.northing, 'f', 8), northing);
    }
    // South of the equator: band H, false northing added.
    const Geodesy::Utm s = Geodesy::toUtm(23, -33.9, 18.4);
    QCOMPARE(s.zone, QStringLiteral("34H"));
    QVERIFY(s.northing > 6000000);
    // "M" and below are the southern hemisphere, "N" and above the northern.
    double la = 0, lo = 0;
    QString error;
    QVERIFY(Geodesy::fromUtm(23, s.easting, s.northing, QStringLiteral("34m"), &la, &lo, &error));
    QVERIFY(std::fabs(la - -33.9) < 1e-6 && std::fabs(lo - 18.4) < 1e-6);
    QVERIFY(Geodesy::fromUtm(23, s.easting, s.northing, QStringLiteral("34N"), &la, &lo, &error));
    QVERIFY(la > 0);
    // The distance example: 111.319 km.
    QCOMPARE(QString::number(Geodesy::distanceKm(0, 0, 0, 1), 'g', 6), QStringLiteral("111.319"));
}

void TestGeodesy::zoneTextsTheInverseRefuses_data()
{
    QTest::addColumn<QString>("zone");
    for (const char *z : {"", "N", "31", "31I", "31O", "31Y", "31B", "31A", "0N", "61N", "31NN", "31 N", "x31N", "١٢N"})
        QTest::newRow(*z ? z : "empty") << QString::fromUtf8(z);
}

void TestGeodesy::zoneTextsTheInverseRefuses()
{
    QFETCH(QString, zone);
    double lat = 12345, lon = 54321;
    QString error;
    QVERIFY(!Geodesy::fromUtm(23, 500000, 0, zone, &lat, &lon, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(lat, 12345.0);
    QCOMPARE(lon, 54321.0);
}

QTEST_GUILESS_MAIN(TestGeodesy)
#include "tst_geodesy.moc"
