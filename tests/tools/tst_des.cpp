// test-links: codecs
// DES / triple DES engine: published known answers, algebraic properties,
// and random agreement with OpenSSL (ECB and CBC) for every mode.

#include "coresupport.h"

#include "crypty/des.h"

#include <QProcess>
#include <QRandomGenerator>
#include <cstring>

namespace {

using Op = void (*)(unsigned char *, unsigned char *, const unsigned char *);

struct Mode {
    const char *name;
    int keyBytes;
    Op encrypt;
    Op decrypt;
    const char *opensslEcb;
    const char *opensslCbc;
};

const Mode kModes[] = {
    {"DES", 8, desEncrypt, desDecrypt, "-des-ecb", "-des-cbc"},
    {"2DES", 16, tripleDesEncrypt2Key, tripleDesDecrypt2Key, "-des-ede", "-des-ede-cbc"},
    {"3DES", 24, tripleDesEncrypt, tripleDesDecrypt, "-des-ede3", "-des-ede3-cbc"},
};

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

unsigned char *u(QByteArray &b)
{
    return reinterpret_cast<unsigned char *>(b.data());
}

const unsigned char *cu(const QByteArray &b)
{
    return reinterpret_cast<const unsigned char *>(b.constData());
}

// Runs each block through the engine in ECB (iv null) or chained CBC.
QByteArray engine(Op op, const QByteArray &key, const QByteArray &input, QByteArray *iv)
{
    QByteArray out = input;
    for (int i = 0; i + 8 <= out.size(); i += 8)
        op(iv ? u(*iv) : nullptr, u(out) + i, cu(key));
    return out;
}

QByteArray randomBytes(QRandomGenerator &rng, int n)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i)
        b[i] = char(rng.bounded(256));
    return b;
}

} // namespace

class TestDes : public QObject
{
    Q_OBJECT

    // OpenSSL's answer, or a failed check when it complained.
    bool openssl(const char *cipher, const QByteArray &key, const QByteArray &iv, const QByteArray &input,
                 bool decrypt, QByteArray *output)
    {
        QStringList args{"enc", QString::fromLatin1(cipher), "-nopad", "-K", QString::fromLatin1(key.toHex())};
        if (!iv.isEmpty())
            args << "-iv" << QString::fromLatin1(iv.toHex());
        if (decrypt)
            args << "-d";
        args << "-provider" << "legacy" << "-provider" << "default";
        QProcess p;
        p.start("openssl", args);
        if (!p.waitForStarted(10000)) {
            qWarning() << "openssl did not start";
            return false;
        }
        p.write(input);
        p.closeWriteChannel();
        if (!p.waitForFinished(30000)) {
            p.kill();
            qWarning() << "openssl hung";
            return false;
        }
        const QByteArray err = p.readAllStandardError();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !err.isEmpty()) {
            qWarning() << "openssl" << args << "failed:" << err;
            return false;
        }
        *output = p.readAllStandardOutput();
        return true;
    }

private slots:
    void knownAnswers_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("cipher");
        // FIPS 46 worked example and classic single-DES answers.
        QTest::newRow("fips46 example") << 0 << hex("133457799BBCDFF1") << hex("0123456789ABCDEF")
                                        << hex("85E813540F0AB405");
        QTest::newRow("now is t") << 0 << hex("0123456789ABCDEF") << hex("4E6F772069732074")
                                  << hex("3FA40E8A984D4815");
        QTest::newRow("zero key") << 0 << hex("0000000000000000") << hex("0000000000000000")
                                  << hex("8CA64DE9C1B123A7");
        QTest::newRow("ones key") << 0 << hex("FFFFFFFFFFFFFFFF") << hex("FFFFFFFFFFFFFFFF")
                                  << hex("7359B2163E4EDC58");
        // FIPS 81 / SP 800-17 variable-plaintext answer.
        QTest::newRow("sp800-17 vpt1") << 0 << hex("0101010101010101") << hex("8000000000000000")
                                       << hex("95F8A5E5DD31D900");
        // SP 800-67 TDEA example, keying option 1 ("The qufck brown fox jump").
        QTest::newRow("sp800-67 option 1")
            << 2 << hex("0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123")
            << hex("54686520717566636B2062726F776E20666F78206A756D70")
            << hex("A826FD8CE53B855FCCE21C8112256FE668D5C05DD9B6B900");
        // Keying option 2 (k3 = k1) with the SP 800-67 keys 1 and 2.
        QTest::newRow("option 2") << 1 << hex("0123456789ABCDEF23456789ABCDEF01") << hex("0123456789ABCDEF")
                                  << hex("A6BB373E196B375E");
    }

    void knownAnswers()
    {
        QFETCH(int, mode);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, cipher);
        const Mode &m = kModes[mode];
        QCOMPARE(engine(m.encrypt, key, plain, nullptr).toHex().toUpper(), cipher.toHex().toUpper());
        QCOMPARE(engine(m.decrypt, key, cipher, nullptr).toHex().toUpper(), plain.toHex().toUpper());
    }

    void roundTripAndEquivalences()
    {
        QRandomGenerator rng(0xDE5);
        for (int n = 0; n < 200; ++n) {
            const QByteArray k1 = randomBytes(rng, 8), k2 = randomBytes(rng, 8), k3 = randomBytes(rng, 8);
            const QByteArray block = randomBytes(rng, 8);
            for (const Mode &m : kModes) {
                const QByteArray key = (k1 + k2 + k3).left(m.keyBytes);
                const QByteArray c = engine(m.encrypt, key, block, nullptr);
                QCOMPARE(engine(m.decrypt, key, c, nullptr), block);
            }
            const QByteArray single = engine(desEncrypt, k1, block, nullptr);
            QCOMPARE(engine(tripleDesEncrypt2Key, k1 + k1, block, nullptr), single);
            QCOMPARE(engine(tripleDesEncrypt, k1 + k1 + k1, block, nullptr), single);
            QCOMPARE(engine(tripleDesEncrypt, k1 + k2 + k1, block, nullptr),
                     engine(tripleDesEncrypt2Key, k1 + k2, block, nullptr));
            QCOMPARE(engine(tripleDesDecrypt, k1 + k2 + k1, block, nullptr),
                     engine(tripleDesDecrypt2Key, k1 + k2, block, nullptr));
        }
    }

    void complementProperty()
    {
        // E(~K, ~P) = ~E(K, P).
        QRandomGenerator rng(0xC0);
        for (int n = 0; n < 200; ++n) {
            const QByteArray key = randomBytes(rng, 8), block = randomBytes(rng, 8);
            QByteArray notKey = key, notBlock = block;
            for (int i = 0; i < 8; ++i) {
                notKey[i] = char(~key[i]);
                notBlock[i] = char(~block[i]);
            }
            QByteArray c = engine(desEncrypt, key, block, nullptr);
            for (char &ch : c)
                ch = char(~ch);
            QCOMPARE(engine(desEncrypt, notKey, notBlock, nullptr), c);
        }
    }

    void parityBitsIgnored()
    {
        QRandomGenerator rng(0xA1);
        for (int n = 0; n < 100; ++n) {
            const QByteArray block = randomBytes(rng, 8);
            for (const Mode &m : kModes) {
                const QByteArray key = randomBytes(rng, m.keyBytes);
                QByteArray flipped = key;
                for (int i = 0; i < m.keyBytes; ++i)
                    flipped[i] = char(flipped[i] ^ 1);
                QCOMPARE(engine(m.encrypt, flipped, block, nullptr), engine(m.encrypt, key, block, nullptr));
                QCOMPARE(engine(m.decrypt, flipped, block, nullptr), engine(m.decrypt, key, block, nullptr));
            }
            // A non-parity bit does change the result.
            QByteArray key = randomBytes(rng, 8), other = key;
            other[0] = char(other[0] ^ 2);
            QVERIFY(engine(desEncrypt, key, block, nullptr) != engine(desEncrypt, other, block, nullptr));
        }
    }

    void chainingVector()
    {
        QRandomGenerator rng(0x1F);
        for (const Mode &m : kModes) {
            const QByteArray key = randomBytes(rng, m.keyBytes), block = randomBytes(rng, 8);
            const QByteArray plainEcb = engine(m.encrypt, key, block, nullptr);
            QByteArray iv(8, '\0');
            QCOMPARE(engine(m.encrypt, key, block, &iv), plainEcb);
            QCOMPARE(iv, plainEcb); // the vector now holds the ciphertext
            QByteArray iv2(8, '\0');
            QCOMPARE(engine(m.decrypt, key, plainEcb, &iv2), block);
            QCOMPARE(iv2, plainEcb); // the incoming ciphertext
            // The key is never changed.
            QByteArray keyCopy = key;
            QByteArray b = block;
            m.encrypt(u(iv), u(b), cu(keyCopy));
            QCOMPARE(keyCopy, key);
        }
    }

    void nullKeyLeavesBlock()
    {
        for (const Mode &m : kModes) {
            unsigned char block[8] = {1, 2, 3, 4, 5, 6, 7, 8};
            unsigned char iv[8] = {9, 9, 9, 9, 9, 9, 9, 9};
            m.encrypt(iv, block, nullptr);
            m.decrypt(iv, block, nullptr);
            const unsigned char expectBlock[8] = {1, 2, 3, 4, 5, 6, 7, 8};
            QVERIFY(std::memcmp(block, expectBlock, 8) == 0);
            QVERIFY(std::memcmp(iv, "\x09\x09\x09\x09\x09\x09\x09\x09", 8) == 0);
        }
    }

    void blockFunctionsInPlace()
    {
        const QByteArray key = hex("133457799BBCDFF1");
        desKeySchedule(cu(key));
        QByteArray b = hex("0123456789ABCDEF");
        desEncryptBlock(cu(b), u(b));
        QCOMPARE(b, hex("85E813540F0AB405"));
        desDecryptBlock(cu(b), u(b));
        QCOMPARE(b, hex("0123456789ABCDEF"));
    }

    void rotateAndPermute()
    {
        unsigned char a[28];
        for (int i = 0; i < 28; ++i)
            a[i] = static_cast<unsigned char>(i);
        desRotateLeft(a, 28, 2);
        QCOMPARE(int(a[0]), 2);
        QCOMPARE(int(a[25]), 27);
        QCOMPARE(int(a[26]), 0);
        QCOMPARE(int(a[27]), 1);
        // Source and destination may be the same array.
        unsigned char p[4] = {10, 20, 30, 40};
        const unsigned char reverse[4] = {4, 3, 2, 1};
        desPermute(p, p, reverse, 4);
        QCOMPARE(int(p[0]), 40);
        QCOMPARE(int(p[3]), 10);
    }

    // 300 random (key, block) cases per mode and direction, in batches of
    // 15 blocks under one key (ECB blocks are independent).
    void randomAgainstOpensslEcb()
    {
        QRandomGenerator rng(0x5EED0001);
        for (const Mode &m : kModes) {
            for (bool decrypt : {false, true}) {
                int cases = 0;
                for (int k = 0; k < 20; ++k) {
                    const QByteArray key = randomBytes(rng, m.keyBytes);
                    const QByteArray input = randomBytes(rng, 15 * 8);
                    QByteArray expected;
                    QVERIFY(openssl(m.opensslEcb, key, QByteArray(), input, decrypt, &expected));
                    const QByteArray got = engine(decrypt ? m.decrypt : m.encrypt, key, input, nullptr);
                    if (got != expected)
                        QFAIL(qPrintable(QStringLiteral("%1 %2 key %3: %4 != %5")
                                             .arg(m.name, decrypt ? "decrypt" : "encrypt",
                                                  QString::fromLatin1(key.toHex()),
                                                  QString::fromLatin1(got.toHex()),
                                                  QString::fromLatin1(expected.toHex()))));
                    cases += 15;
                }
                QCOMPARE(cases, 300);
            }
        }
    }

    // Three-block chained runs with a random vector against OpenSSL's CBC.
    void chainedAgainstOpensslCbc()
    {
        QRandomGenerator rng(0x5EED0002);
        for (const Mode &m : kModes) {
            for (bool decrypt : {false, true}) {
                for (int n = 0; n < 10; ++n) {
                    const QByteArray key = randomBytes(rng, m.keyBytes);
                    const QByteArray ivStart = randomBytes(rng, 8);
                    const QByteArray input = randomBytes(rng, 24);
                    QByteArray expected;
                    QVERIFY(openssl(m.opensslCbc, key, ivStart, input, decrypt, &expected));
                    QByteArray iv = ivStart;
                    const QByteArray got = engine(decrypt ? m.decrypt : m.encrypt, key, input, &iv);
                    QCOMPARE(got.toHex(), expected.toHex());
                    // The vector carries the last ciphertext block.
                    QCOMPARE(iv, (decrypt ? input : got).right(8));
                }
            }
        }
    }
};

VELM_CORE_TEST_MAIN(TestDes)
#include "tst_des.moc"
