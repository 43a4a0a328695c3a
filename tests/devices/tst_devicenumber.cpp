// test-links: codecs
// Numbers from devices: plain decimal notation only. Group separators,
// exponents, words, hexadecimal, a second point or sign, and values beyond
// a double fail; blanks around and a leading '+' or '.' are fine. The text
// and byte forms agree.

#include <QtTest>

#include "devicenumber.h"

class TestDeviceNumber : public QObject
{
    Q_OBJECT

private slots:
    void plainDecimal_data();
    void plainDecimal();
};

void TestDeviceNumber::plainDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "6504" << true << 6504.0;
    QTest::newRow("fraction") << "0.3127" << true << 0.3127;
    QTest::newRow("negative") << "-3.25" << true << -3.25;
    QTest::newRow("plus") << "+7" << true << 7.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("trailing point") << "5." << true << 5.0;
    QTest::newRow("leading zeros") << "0012" << true << 12.0;
    QTest::newRow("blanks around") << " \t21.5 \r" << true << 21.5;
    QTest::newRow("1e308 written out") << QStringLiteral("1") + QString(308, QLatin1Char('0')) << true << 1e308;
    QTest::newRow("group separator") << "0,312" << false << 0.0;
    QTest::newRow("thousands") << "1,250.5" << false << 0.0;
    QTest::newRow("exponent") << "3.1e-1" << false << 0.0;
    QTest::newRow("upper exponent") << "2E2" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("two signs") << "--1" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("unit after") << "45.5%" << false << 0.0;
    QTest::newRow("other digits") << QStringLiteral("\u0663") << false << 0.0;
    QTest::newRow("beyond double") << QStringLiteral("1") + QString(309, QLatin1Char('0')) << false << 0.0;
}

void TestDeviceNumber::plainDecimal()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool gotOk = !ok;
    QCOMPARE(DeviceNumber::plainDecimal(QStringView(text), &gotOk), value);
    QCOMPARE(gotOk, ok);
    gotOk = !ok;
    const QByteArray bytes = text.toUtf8();
    QCOMPARE(DeviceNumber::plainDecimal(QByteArrayView(bytes), &gotOk), value);
    QCOMPARE(gotOk, ok);
}

QTEST_GUILESS_MAIN(TestDeviceNumber)
#include "tst_devicenumber.moc"
