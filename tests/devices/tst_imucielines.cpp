// The IMU and CIE line readers: the attitude pattern and its Euler angles
// (checked against a conversion written here from the rotation matrix),
// lines split across chunks, the tail kept, the caps, numbers beyond single
// precision, normalising in double precision; the CIE keys, order, case,
// trailing comma, failure values (also group separators and exponents), and
// CR and LF in different chunks.

#include <QRandomGenerator>
#include <QtTest>
#include <cmath>
#include <limits>

#include "cie/cielines.h"
#include "imu/imulines.h"

class TestImuCieLines : public QObject
{
    Q_OBJECT

private slots:
    void imuPattern_data();
    void imuPattern();
    void imuBeyondSinglePrecisionFails_data();
    void imuBeyondSinglePrecisionFails();
    void imuNormalisedInDoublePrecision_data();
    void imuNormalisedInDoublePrecision();
    void eulerAgreesWithTheRotationMatrix();
    void imuChunks();
    void cieLine_data();
    void cieLine();
    void cieChunks();
};

void TestImuCieLines::imuPattern_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("matches");
    QTest::addColumn<QString>("values");
    QTest::newRow("example") << QByteArray("W: 0.7071, X: 0.0000, Y: 0.7071, Z: 0.0000\r\n") << true
                             << "0.7071 0 0.7071 0";
    QTest::newRow("no blanks, negatives") << QByteArray("W:1,X:-0.5,Y:2.,Z:-3.25\r\n") << true << "1 -0.5 2 -3.25";
    QTest::newRow("text around") << QByteArray("imu> W:1 , X:0 , Y:0 , Z:0 ok\r\n") << true << "1 0 0 0";
    QTest::newRow("exponent") << QByteArray("W:1.5e3,X:0,Y:0,Z:0\r\n") << false << "";
    QTest::newRow("plus sign") << QByteArray("W:+1,X:0,Y:0,Z:0\r\n") << false << "";
    QTest::newRow("leading point") << QByteArray("W:.5,X:0,Y:0,Z:0\r\n") << false << "";
    QTest::newRow("two lines: the first") << QByteArray("W:1,X:0,Y:0,Z:0\r\nW:0,X:1,Y:0,Z:0\r\n") << true
                                          << "1 0 0 0";
}

void TestImuCieLines::imuBeyondSinglePrecisionFails_data()
{
    QTest::addColumn<QByteArray>("w");
    QTest::addColumn<bool>("converted");
    QTest::newRow("largest float") << QByteArray::number(double(std::numeric_limits<float>::max()), 'f', 0) << true;
    QTest::newRow("4e38") << QByteArray("4") + QByteArray(38, '0') << false;
    QTest::newRow("1e308 written out") << QByteArray("1") + QByteArray(308, '0') << false;
    QTest::newRow("beyond double") << QByteArray("1") + QByteArray(400, '0') << false;
}

void TestImuCieLines::imuBeyondSinglePrecisionFails()
{
    QFETCH(QByteArray, w);
    QFETCH(bool, converted);
    const auto q = ImuLines::parse("W:" + w + ",X:0.5,Y:0,Z:0\r\n");
    QVERIFY(q);
    QCOMPARE(q->converted, converted);
    QCOMPARE(q->w == 0, !converted); // a failed number reads 0
    const ImuLines::Euler e = ImuLines::toEuler(*q);
    QVERIFY(std::isfinite(e.pitch) && std::isfinite(e.yaw) && std::isfinite(e.roll));
}

void TestImuCieLines::imuNormalisedInDoublePrecision_data()
{
    QTest::addColumn<double>("scale");
    for (double s : {1e-6, 1e-12, 1e-300, 1.0, 3e38, 1e300})
        QTest::newRow(qPrintable(QString::number(s))) << s;
}

void TestImuCieLines::imuNormalisedInDoublePrecision()
{
    // The same direction at any scale: no snapping to zero or identity for
    // tiny components, no overflow for huge ones.
    QFETCH(double, scale);
    const auto u = ImuLines::normalised({0.5 * scale, 0, 0.5 * scale, 0, true});
    QVERIFY(u);
    QVERIFY(qAbs(u->w - M_SQRT1_2) < 1e-12 && qAbs(u->y - M_SQRT1_2) < 1e-12 && u->x == 0 && u->z == 0);
    const ImuLines::Euler e = ImuLines::toEuler({0.5 * scale, 0, 0.5 * scale, 0, true});
    QCOMPARE(QString::number(e.yaw, 'f', 2), QStringLiteral("90.00"));
    QVERIFY(!ImuLines::normalised({0, 0, 0, 0, true}));
    QVERIFY(!ImuLines::normalised({std::numeric_limits<double>::infinity(), 0, 0, 0, true}));
    QVERIFY(!ImuLines::normalised({std::nan(""), 1, 0, 0, true}));
}

void TestImuCieLines::imuPattern()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, matches);
    QFETCH(QString, values);
    const auto q = ImuLines::parse(text);
    QCOMPARE(bool(q), matches);
    if (q) {
        QVERIFY(q->converted);
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(q->w).arg(q->x).arg(q->y).arg(q->z), values);
    }
}

void TestImuCieLines::eulerAgreesWithTheRotationMatrix()
{
    const ImuLines::Euler e = ImuLines::toEuler({0.7071, 0, 0.7071, 0, true});
    QCOMPARE(QString::number(e.pitch, 'f', 2), QStringLiteral("0.00"));
    QCOMPARE(QString::number(e.yaw, 'f', 2), QStringLiteral("90.00"));
    QCOMPARE(QString::number(e.roll, 'f', 2), QStringLiteral("0.00"));
    auto *rng = QRandomGenerator::global();
    int checked = 0;
    while (checked < 1000) {
        double w = rng->generateDouble() * 2 - 1, x = rng->generateDouble() * 2 - 1;
        double y = rng->generateDouble() * 2 - 1, z = rng->generateDouble() * 2 - 1;
        const double n = std::sqrt(w * w + x * x + y * y + z * z);
        if (n < 0.1)
            continue;
        w /= n, x /= n, y /= n, z /= n;
        // R = Ry(yaw) Rx(pitch) Rz(roll) from the unit quaternion.
        const double m02 = 2 * (x * z + w * y), m12 = 2 * (y * z - w * x), m22 = 1 - 2 * (x * x + y * y);
        const double m10 = 2 * (x * y + w * z), m11 = 1 - 2 * (x * x + z * z);
        if (std::abs(m12) > 0.99)
            continue; // near gimbal lock yaw and roll are not unique
        const double deg = 180 / M_PI;
        const double pitch = std::asin(-m12) * deg, yaw = std::atan2(m02, m22) * deg,
                     roll = std::atan2(m10, m11) * deg;
        const ImuLines::Euler got = ImuLines::toEuler({w * 3, x * 3, y * 3, z * 3, true}); // scale must not matter
        auto angleDiff = [](double a, double b) { return std::abs(std::remainder(a - b, 360.0)); };
        QVERIFY2(angleDiff(got.pitch, pitch) < 0.05 && angleDiff(got.yaw, yaw) < 0.05 && angleDiff(got.roll, roll) < 0.05,
                 qPrintable(QStringLiteral("%1 %2 %3 %4").arg(w).arg(x).arg(y).arg(z)));
        ++checked;
    }
}

void TestImuCieLines::imuChunks()
{
    ImuLines::Parser p;
    QVERIFY(!p.feed("W:0.7071,X:0,"));
    QVERIFY(!p.feed("Y:0.7071,Z:0\r"));
    const auto q = p.feed("\nW:1,X");
    QVERIFY(q);
    QCOMPARE(q->y, 0.7071);
    QCOMPARE(p.buffered(), QByteArray("W:1,X")); // the next line's start waits
    QVERIFY(p.feed(":0,Y:0,Z:0\r\n")->w == 1);
    QVERIFY(!p.feed(QByteArray(1 << 20, 'x')));
    QVERIFY(p.buffered().size() <= ImuLines::kMaxBuffered);
}

void TestImuCieLines::cieLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("reading");
    QTest::newRow("example") << "CIEX:0.3127;CIEY:0.3290;LUX:250.5;CCT:6504\r\n" << "0.3127 0.329 250.5 6504";
    QTest::newRow("any order, any case, blanks") << " cct : 3000 ; ciey:0.41;Lux:12;CieX:0.44 ,\r\n"
                                                 << "0.44 0.41 12 3000";
    QTest::newRow("three pieces ignored") << "CIEX:0.3:1;CIEY:0.5\r\n" << "0 0.5 0 0";
    QTest::newRow("later key wins") << "CIEX:0.1;CIEX:0.2;CIEY:0.3\r\n" << "0.2 0.3 0 0";
    QTest::newRow("failed values") << "CIEX:a;CIEY:b;LUX:c;CCT:d\r\n" << "0 -1 0 -1"; // Lux -0.0
    QTest::newRow("non-finite values fail") << "CIEX:inf;CIEY:nan;LUX:1e999;CCT:-inf\r\n" << "0 -1 0 -1";
    QTest::newRow("group separators fail") << "CIEX:0,312;CIEY:0,329;LUX:1,250.5;CCT:6,504\r\n" << "0 -1 0 -1";
    QTest::newRow("exponents fail") << "CIEX:3.127e-1;CIEY:0.3;LUX:2E2;CCT:6504\r\n" << "0 0.3 0 6504";
    QTest::newRow("plain forms") << "CIEX:.5;CIEY:5.;LUX:+7;CCT:0012\r\n" << "0.5 5 7 12";
    QTest::newRow("no known key") << "hello\r\n" << "0 0 0 0";
}

void TestImuCieLines::cieLine()
{
    QFETCH(QString, line);
    QFETCH(QString, reading);
    const CieLines::Reading r = CieLines::parseLine(line);
    QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(r.x).arg(r.y).arg(r.lux).arg(r.cct), reading);
    if (line.startsWith(QLatin1String("CIEX:a")) || line.startsWith(QLatin1String("CIEX:inf"))
        || line.startsWith(QLatin1String("CIEX:0,")) || line.startsWith(QLatin1String("CIEX:3.127e")))
        QVERIFY(std::signbit(r.lux));
}

void TestImuCieLines::cieChunks()
{
    CieLines::Parser p;
    QVERIFY(p.feed("CIEX:0.31").isEmpty());
    QVERIFY(p.feed(";CIEY:0.33;LUX:1").isEmpty());
    QVERIFY(p.feed("0;CCT:5000\r").isEmpty());
    QList<CieLines::Reading> got = p.feed("\nCIEX:0.5;CIEY:0.4\r\nCIEX:0.6;CIEY:0.3\r\n");
    QCOMPARE(got.size(), 3);
    QCOMPARE(got[0].lux, 10.0);
    QCOMPARE(got[0].cct, 5000.0);
    QCOMPARE(got[2].x, 0.6);
    QVERIFY(p.feed(QByteArray(1 << 20, 'y')).isEmpty());
    QVERIFY(p.buffered().size() <= CieLines::kMaxBuffered);
}

QTEST_GUILESS_MAIN(TestImuCieLines)
#include "tst_imucielines.moc"
