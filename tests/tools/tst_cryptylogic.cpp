// test-links: codecs
// The "Crypty" page's checks, hex helpers and Base64 conversions, without a
// window. Base64 is compared with coreutils' base64.

#include "coresupport.h"

#include "crypty/cryptylogic.h"

#include <QProcess>
#include <QRandomGenerator>

using namespace CryptyLogic;

namespace {

QByteArray runBase64(const QStringList &args, const QByteArray &input)
{
    QProcess p;
    p.start("base64", args);
    if (!p.waitForStarted(10000))
        return "<no base64>";
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return "<base64 failed>";
    return p.readAllStandardOutput();
}

QString warningOf(int mode, const QString &key, const QString &data)
{
    const DesOutcome o = runDes(mode, key, data, true);
    return o.ok ? QStringLiteral("<ok %1>").arg(o.result) : QString::fromLatin1(o.warning);
}

} // namespace

class TestCryptyLogic : public QObject
{
    Q_OBJECT

private slots:
    void hexHelpers()
    {
        unsigned char out[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        QVERIFY(hexCharsToNibbles("09afAF", out, 6));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 6), QByteArray("\x00\x09\x0a\x0f\x0a\x0f", 6));
        // Stops at the first non-digit; what was converted stays.
        unsigned char part[4] = {0xEE, 0xEE, 0xEE, 0xEE};
        QVERIFY(!hexCharsToNibbles("1G23", part, 4));
        QCOMPARE(int(part[0]), 1);
        QCOMPARE(int(part[1]), 0xEE);
        QVERIFY(hexCharsToNibbles("zz", part, 0));
        QVERIFY(!hexCharsToNibbles("g", part, 1));
        QVERIFY(!hexCharsToNibbles(" ", part, 1));

        char text[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
        const unsigned char bytes[2] = {0x0A, 0xF5};
        QVERIFY(bytesToHexChars(text, bytes, 4));
        QCOMPARE(QByteArray(text, 6), QByteArray("0AF5xx"));
        char untouched[2] = {'x', 'x'};
        QVERIFY(bytesToHexChars(untouched, bytes, 1));
        QCOMPARE(QByteArray(untouched, 2), QByteArray("xx"));
    }

    void keyDigitsByMode()
    {
        QCOMPARE(keyDigitsForMode(0), 16);
        QCOMPARE(keyDigitsForMode(1), 32);
        QCOMPARE(keyDigitsForMode(2), 48);
        QCOMPARE(keyDigitsForMode(3), -1);
        QCOMPARE(keyDigitsForMode(-1), -1);
    }

    void warnings_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("expected");
        const QString key16 = "133457799BBCDFF1", data = "0123456789ABCDEF";
        const QString err = "Error for Data", digits = "Please enter '0' - '9', 'A' - 'F'";
        QTest::newRow("empty key") << 0 << QString() << data << err;
        QTest::newRow("empty data") << 0 << key16 << QString() << err;
        QTest::newRow("both empty") << 2 << QString() << QString() << err;
        // An empty field wins over bad characters in the other one.
        QTest::newRow("empty key, bad data") << 0 << QString() << "0123456789ABCDEG" << err;
        QTest::newRow("short data") << 0 << key16 << data.left(15) << err;
        QTest::newRow("long data") << 0 << key16 << data + "0" << err;
        QTest::newRow("16-digit key in 2DES") << 1 << key16 << data << err;
        QTest::newRow("32-digit key in DES") << 0 << key16 + key16 << data << err;
        QTest::newRow("32-digit key in 3DES") << 2 << key16 + key16 << data << err;
        QTest::newRow("unknown mode") << 3 << key16 << data << err;
        QTest::newRow("no mode") << -1 << key16 << data << err;
        // The length check comes before the digit check.
        QTest::newRow("bad digits, wrong length") << 0 << "G33457799BBCDFF" << data << err;
        QTest::newRow("key letter G") << 0 << "133457799BBCDFG1" << data << digits;
        QTest::newRow("key blank") << 1 << key16 + " 33457799BBCDFF1" << data << digits;
        QTest::newRow("data letter G") << 0 << key16 << "G123456789ABCDEF" << digits;
        QTest::newRow("data blank at end") << 2 << key16 + key16 + key16 << "0123456789ABCDE " << digits;
        QTest::newRow("key and data bad") << 0 << "x33457799BBCDFF1" << "y123456789ABCDEF" << digits;
        QTest::newRow("key non-Latin-1") << 0 << QString::fromUtf8("中33457799BBCDFF1") << data << digits;
        // An emoji is two UTF-16 units, so 15 digits + emoji is 17 units.
        QTest::newRow("emoji length") << 0 << key16 << data.left(15) + QString::fromUtf8("😀") << err;
        QTest::newRow("emoji digits") << 0 << key16 << data.left(14) + QString::fromUtf8("😀") << digits;
    }

    void warnings()
    {
        QFETCH(int, mode);
        QFETCH(QString, key);
        QFETCH(QString, data);
        QFETCH(QString, expected);
        QCOMPARE(warningOf(mode, key, data), expected);
        const DesOutcome o = runDes(mode, key, data, false);
        QVERIFY(!o.ok);
        QVERIFY(o.result.isEmpty());
    }

    void encipherAndDecipher()
    {
        DesOutcome o = runDes(0, "133457799BBCDFF1", "0123456789ABCDEF", true);
        QVERIFY(o.ok);
        QCOMPARE(o.result, QString("85E813540F0AB405"));
        QVERIFY(o.warning == nullptr);
        // Lower case is accepted and gives the same block; output is upper case.
        o = runDes(0, "133457799bbcdff1", "0123456789abcdef", true);
        QCOMPARE(o.result, QString("85E813540F0AB405"));
        o = runDes(0, "133457799BBCDFF1", "85e813540f0ab405", false);
        QVERIFY(o.ok);
        QCOMPARE(o.result, QString("0123456789ABCDEF"));

        const QString k1 = "0123456789ABCDEF", k2 = "23456789ABCDEF01", k3 = "456789ABCDEF0123";
        o = runDes(2, k1 + k2 + k3, "5468652071756663", true);
        QCOMPARE(o.result, QString("A826FD8CE53B855F"));
        o = runDes(2, k1 + k2 + k3, "A826FD8CE53B855F", false);
        QCOMPARE(o.result, QString("5468652071756663"));
        o = runDes(1, k1 + k2, "0123456789ABCDEF", true);
        QCOMPARE(o.result, QString("A6BB373E196B375E"));
        o = runDes(1, k1 + k2, "A6BB373E196B375E", false);
        QCOMPARE(o.result, QString("0123456789ABCDEF"));
    }

    void equalKeyPartsMatchSingleDes()
    {
        QRandomGenerator rng(77);
        for (int n = 0; n < 50; ++n) {
            QString key, data;
            for (int i = 0; i < 16; ++i) {
                key += QString::number(rng.bounded(16), 16);
                data += QString::number(rng.bounded(16), 16);
            }
            for (bool enc : {true, false}) {
                const DesOutcome single = runDes(0, key, data, enc);
                QVERIFY(single.ok);
                QCOMPARE(single.result.size(), 16);
                QCOMPARE(single.result, single.result.toUpper());
                QCOMPARE(runDes(1, key + key, data, enc).result, single.result);
                QCOMPARE(runDes(2, key + key + key, data, enc).result, single.result);
            }
            const DesOutcome c = runDes(2, key + key.toUpper() + key, data, true);
            QCOMPARE(runDes(2, key + key + key, c.result, false).result, data.toUpper());
        }
    }

    void base64Encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("ascii") << QString("Hello, World! +/=?");
        QTest::newRow("one") << QString("a");
        QTest::newRow("two") << QString("ab");
        QTest::newRow("chinese") << QString::fromUtf8("中文测试，加密与编码");
        QTest::newRow("emoji") << QString::fromUtf8("😀🎉 ok 👍🏽");
        QTest::newRow("long with lines") << QString::fromUtf8("line one\nline two 中\n").repeated(40);
    }

    void base64Encode()
    {
        QFETCH(QString, text);
        const QByteArray coreutils = runBase64({"-w0"}, text.toUtf8());
        QCOMPARE(CryptyLogic::base64Encode(text), QString::fromLatin1(coreutils));
        // And back.
        QCOMPARE(CryptyLogic::base64Decode(CryptyLogic::base64Encode(text)), text);
    }

    void base64DecodeLikeCoreutils_data()
    {
        QTest::addColumn<QString>("encoded");
        QTest::newRow("ascii") << QString("SGVsbG8sIFdvcmxkIQ==");
        QTest::newRow("chinese") << QString("5Lit5paH5rWL6K+V");
        QTest::newRow("emoji") << QString("8J+YgPCfjok=");
        QTest::newRow("no padding needed") << QString("YWJj");
        QTest::newRow("wrapped lines") << QString("5Lit5paH5rWL\n6K+V\n");
    }

    void base64DecodeLikeCoreutils()
    {
        QFETCH(QString, encoded);
        const QByteArray coreutils = runBase64({"-d"}, encoded.toLatin1());
        QVERIFY(!coreutils.startsWith("<"));
        QCOMPARE(CryptyLogic::base64Decode(encoded), QString::fromUtf8(coreutils));
    }

    void base64DecodeLenient()
    {
        QCOMPARE(CryptyLogic::base64Decode(QString()), QString());
        QCOMPARE(CryptyLogic::base64Decode(" SGVs bG8=\r\n"), QString("Hello"));
        // Nothing decodable: no error, just an empty (or partial) text.
        QCOMPARE(CryptyLogic::base64Decode("!!!"), QString());
    }
};

VELM_CORE_TEST_MAIN(TestCryptyLogic)
#include "tst_cryptylogic.moc"
