// Per-peer text decoding of the network pages, without a window.
#include "testsupport.h"

#include "peerdecoder.h"

class TestPeerDecoder : public QObject
{
    Q_OBJECT

private slots:
    void eachPeerKeepsItsOwnState();
    void stampedTextUsesItsOwnEncoding();
};

void TestPeerDecoder::eachPeerKeepsItsOwnState()
{
    PeerDecoder d("GBK", "UTF-8");
    int a = 0, b = 0;
    // "中" in GBK is D6 D0; two peers each send half, interleaved.
    QCOMPARE(d.decode(&a, QByteArray::fromHex("d6"), false), QString());
    QCOMPARE(d.decode(&b, QByteArray::fromHex("ce"), false), QString());
    QCOMPARE(d.decode(&a, QByteArray::fromHex("d041"), false), QString::fromUtf8("中A"));
    QCOMPARE(d.decode(&b, QByteArray::fromHex("c4"), false), QString::fromUtf8("文"));
    // A forgotten peer starts afresh: its half character is gone.
    QCOMPARE(d.decode(&a, QByteArray::fromHex("d6"), false), QString());
    d.forget(&a);
    QCOMPARE(d.decode(&a, QByteArray("x"), false), QStringLiteral("x"));
}

void TestPeerDecoder::stampedTextUsesItsOwnEncoding()
{
    PeerDecoder d("GBK", "UTF-8");
    int a = 0;
    QCOMPARE(d.decode(&a, QByteArray::fromHex("e4b8"), true), QString());
    QCOMPARE(d.decode(&a, QByteArray::fromHex("ad"), true), QString::fromUtf8("中"));
    QCOMPARE(d.decode(&a, QByteArray::fromHex("d6d0"), false), QString::fromUtf8("中"));
}

VELM_TEST_MAIN(TestPeerDecoder)
#include "tst_peerdecoder.moc"
