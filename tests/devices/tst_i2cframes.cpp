// test-links: codecs
// The I2C bridge frames: the six requests byte for byte, the write size
// limit, and the receive cutter (several frames per chunk, a frame over
// several chunks, bad checksums, a later frame inside an unfinished one,
// noise dropped, the buffer cap, any chunking of a valid stream).

#include <QRandomGenerator>
#include <QtTest>

#include "i2c/i2cframes.h"

using namespace I2cFrames;

namespace {
QString show(const QList<Frame> &frames)
{
    QStringList out;
    for (const Frame &f : frames)
        out << QString::number(f.command) + QLatin1Char(':') + QString::fromLatin1(f.payload.toHex());
    return out.join(' ');
}
} // namespace

class TestI2cFrames : public QObject
{
    Q_OBJECT

private slots:
    void requests_data();
    void requests();
    void oversizedWriteIsRefused();
    void cutter_data();
    void cutter();
    void frameOverThreeChunksAndAnyChunking();
    void noiseIsDroppedAndTheBufferCapped();
};

void TestI2cFrames::requests_data()
{
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("stop") << stopRequest() << QByteArray::fromHex("4B56000001FFFF");
    QTest::newRow("scan") << scanRequest() << QByteArray::fromHex("4B56010001FFFF");
    QTest::newRow("start") << startRequest() << QByteArray::fromHex("4B56020001FFFF");
    QTest::newRow("select 0x3C") << selectRequest(0x3C) << QByteArray::fromHex("4B560300013C3C");
    QTest::newRow("write 0x20") << writeRequest(0x20, QByteArray::fromHex("0134AB"))
                                << QByteArray::fromHex("4B5604000420" "0134AB" "00");
    QTest::newRow("read 4 from 0x10") << readRequest(0x10, 4) << QByteArray::fromHex("4B560500021004" "14");
    QTest::newRow("read 0 from 0xFF") << readRequest(0xFF, 0) << QByteArray::fromHex("4B56050002FF00" "FF");
}

void TestI2cFrames::requests()
{
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, bytes);
    QCOMPARE(request.toHex(' '), bytes.toHex(' '));
}

void TestI2cFrames::oversizedWriteIsRefused()
{
    const QByteArray most = writeRequest(0x01, QByteArray(kMaxWriteData, '\x02'));
    QCOMPARE(most.size(), 512);
    QCOMPARE(quint8(most[3]) * 256 + quint8(most[4]), kMaxWriteData + 1);
    QVERIFY(writeRequest(0x01, QByteArray(kMaxWriteData + 1, '\x02')).isEmpty());
}

void TestI2cFrames::cutter_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QByteArray>("left");
    QTest::newRow("two frames in one chunk")
        << QByteArray::fromHex("4B560100023C68A4" "4B5605000212ABBD") << "1:3c68 5:12ab" << QByteArray();
    QTest::newRow("empty frame") << QByteArray::fromHex("4B5602000000") << "2:" << QByteArray();
    QTest::newRow("bad checksum, then a valid frame")
        << QByteArray::fromHex("4B560100023C6800" "4B560500010707") << "5:07" << QByteArray();
    QTest::newRow("noise before and between")
        << QByteArray::fromHex("00FF4B00" "4B560500010707" "1234" "4B560100013C3C") << "5:07 1:3c" << QByteArray();
    QTest::newRow("magic inside a payload is data")
        << QByteArray::fromHex("4B560500024B56A1") << "5:4b56" << QByteArray();
    QTest::newRow("later frame inside an unfinished one wins")
        << QByteArray::fromHex("4B56050010" "4B560500010909") << "5:09" << QByteArray();
    QTest::newRow("unknown command is cut and returned")
        << QByteArray::fromHex("4B56770001AAAA") << "119:aa" << QByteArray();
    QTest::newRow("unfinished frame waits") << QByteArray::fromHex("4B5602000301") << ""
                                            << QByteArray::fromHex("4B5602000301");
    QTest::newRow("trailing K kept") << QByteArray::fromHex("12344B") << "" << QByteArray::fromHex("4B");
}

void TestI2cFrames::cutter()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QFETCH(QByteArray, left);
    Parser p;
    QCOMPARE(show(p.feed(input)), expected);
    QCOMPARE(p.buffered().toHex(), left.toHex());
}

void TestI2cFrames::frameOverThreeChunksAndAnyChunking()
{
    const QByteArray dump = frame(Start, QByteArray(300, '\x11'));
    Parser p;
    QVERIFY(p.feed(dump.left(3)).isEmpty());
    QVERIFY(p.feed(dump.mid(3, 200)).isEmpty());
    const QList<Frame> got = p.feed(dump.mid(203));
    QCOMPARE(got.size(), 1);
    QCOMPARE(got[0].payload, QByteArray(300, '\x11'));

    QByteArray stream;
    QList<Frame> sent;
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 300; ++i) {
        QByteArray payload(int(rng->bounded(40)), Qt::Uninitialized);
        for (char &c : payload)
            c = char(rng->bounded(256));
        sent.append({quint8(i % 6), payload});
        stream += QByteArray::fromHex("00EE") + frame(quint8(i % 6), payload);
    }
    const QString expected = show(sent);
    for (int round = 0; round < 100; ++round) {
        Parser q;
        QList<Frame> out;
        for (int at = 0; at < stream.size();) {
            const int n = 1 + int(rng->bounded(round < 10 ? 3 : 120));
            out += q.feed(stream.mid(at, n));
            at += n;
        }
        QCOMPARE(show(out), expected);
    }
}

void TestI2cFrames::noiseIsDroppedAndTheBufferCapped()
{
    auto *rng = QRandomGenerator::global();
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char &c : noise)
        c = char(rng->bounded(256));
    QByteArray clean = noise;
    clean.replace("KV", "K.");
    Parser p;
    for (int at = 0; at < clean.size(); at += 4096)
        p.feed(clean.mid(at, 4096));
    QVERIFY(p.buffered().size() <= 1);

    Parser q;
    for (int at = 0; at < noise.size(); at += 4096) {
        q.feed(noise.mid(at, 4096));
        QVERIFY(q.buffered().size() <= kMaxFrame);
        QVERIFY(q.buffered().isEmpty() || q.buffered().startsWith('K'));
    }
}

QTEST_GUILESS_MAIN(TestI2cFrames)
#include "tst_i2cframes.moc"
