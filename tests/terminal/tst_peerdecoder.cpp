// test-links: codecs
// Per-peer text decoding of the network pages, without a window.
#include "coresupport.h"

#include "peerdecoder.h"

#include <QRandomGenerator>
#include <QStringEncoder>

class TestPeerDecoder : public QObject
{
    Q_OBJECT

private slots:
    void eachPeerKeepsItsOwnState();
    void stampedTextUsesItsOwnEncoding();
    void everySplitShowsTheWholeText_data();
    void everySplitShowsTheWholeText();
    void aSwitchOfEncodingReadsHeldBytesAgain();
    void onlyPeersHoldingBytesKeepAState();
};

void TestPeerDecoder::eachPeerKeepsItsOwnState()
{
    PeerDecoder d("GBK", "UTF-8");
    const PeerDecoder::Peer a = 1, b = 2;
    // "中" in GBK is D6 D0; two peers each send half, interleaved.
    QCOMPARE(d.decode(a, QByteArray::fromHex("d6"), false), QString());
    QCOMPARE(d.decode(b, QByteArray::fromHex("ce"), false), QString());
    QCOMPARE(d.decode(a, QByteArray::fromHex("d041"), false), QString::fromUtf8("中A"));
    QCOMPARE(d.decode(b, QByteArray::fromHex("c4"), false), QString::fromUtf8("文"));
    // A forgotten peer starts afresh: its half character is gone.
    QCOMPARE(d.decode(a, QByteArray::fromHex("d6"), false), QString());
    d.forget(a);
    QCOMPARE(d.decode(a, QByteArray("x"), false), QStringLiteral("x"));
    // A peer whose stream ends shows what it held back.
    QCOMPARE(d.decode(b, QByteArray::fromHex("41d6"), false), QStringLiteral("A"));
    QCOMPARE(d.finish(b), QString(QChar::ReplacementCharacter));
    QCOMPARE(d.finish(b), QString());
}

void TestPeerDecoder::stampedTextUsesItsOwnEncoding()
{
    PeerDecoder d("GBK", "UTF-8");
    const PeerDecoder::Peer a = 1;
    QCOMPARE(d.decode(a, QByteArray::fromHex("e4b8"), true), QString());
    QCOMPARE(d.decode(a, QByteArray::fromHex("ad"), true), QString::fromUtf8("中"));
    QCOMPARE(d.decode(a, QByteArray::fromHex("d6d0"), false), QString::fromUtf8("中"));
}

void TestPeerDecoder::everySplitShowsTheWholeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("stamped");
    QStringEncoder gbk("GBK");
    const QByteArray gbkText = gbk.encode(QString::fromUtf8("中文 text，混合\n€ 行"));
    QByteArray random(48, Qt::Uninitialized);
    QRandomGenerator generator(31);
    for (char &c : random)
        c = char(generator.bounded(256));
    for (bool stamped : {false, true}) {
        const char *time = stamped ? "Time on" : "Time off";
        QTest::addRow("E4 B8 41 42, %s", time) << QByteArray::fromHex("e4b84142") << stamped;
        QTest::addRow("GBK text, %s", time) << gbkText << stamped;
        QTest::addRow("UTF-8 text, %s", time) << QString::fromUtf8("中文 😀 é\n").toUtf8() << stamped;
        QTest::addRow("random bytes, %s", time) << random << stamped;
    }
}

void TestPeerDecoder::everySplitShowsTheWholeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, stamped);
    const auto decodeIn = [&](const QList<int> &cuts) {
        PeerDecoder d("GBK", "UTF-8");
        QString out;
        int from = 0;
        for (int cut : cuts + QList<int>{int(bytes.size())}) {
            out += d.decode(7, bytes.mid(from, cut - from), stamped);
            from = cut;
        }
        return out + d.finish(7);
    };
    const QString whole = decodeIn({});
    // Nothing of the stream goes missing: every byte is in a character or
    // is a replacement character of its own.
    QVERIFY(!whole.isEmpty());
    for (int a = 0; a <= bytes.size(); ++a) {
        for (int b = a; b <= bytes.size(); ++b)
            QCOMPARE(decodeIn({a, b}), whole);
    }
    QList<int> each;
    for (int i = 1; i < bytes.size(); ++i)
        each << i;
    QCOMPARE(decodeIn(each), whole);
}

void TestPeerDecoder::aSwitchOfEncodingReadsHeldBytesAgain()
{
    PeerDecoder d("GBK", "UTF-8");
    // UTF-8 holds E4 B8; "Time" goes off: GBK reads E4 B8 as one character
    // and the A that follows is kept.
    QCOMPARE(d.decode(1, QByteArray::fromHex("e4b8"), true), QString());
    QCOMPARE(d.decode(1, QByteArray::fromHex("41"), false), QString::fromUtf8("涓A"));
    // GBK holds D6; "Time" goes on: UTF-8 reads D6 41 as a broken sequence
    // and the A.
    QCOMPARE(d.decode(1, QByteArray::fromHex("d6"), false), QString());
    QCOMPARE(d.decode(1, QByteArray::fromHex("41"), true), QString(QChar::ReplacementCharacter) + QLatin1Char('A'));
}

void TestPeerDecoder::onlyPeersHoldingBytesKeepAState()
{
    PeerDecoder d("GBK", "UTF-8");
    // Datagrams from ever new senders, each ending inside a character: the
    // states held stay within their bound.
    for (PeerDecoder::Peer p = 0; p < PeerDecoder::kMaxPeers + 1000; ++p)
        d.decode(p, QByteArray::fromHex("41d6"), false);
    QCOMPARE(d.peersHoldingBytes(), PeerDecoder::kMaxPeers);
    // A peer that completes its character keeps none.
    d.decode(PeerDecoder::kMaxPeers + 999, QByteArray::fromHex("d0"), false);
    QCOMPARE(d.peersHoldingBytes(), PeerDecoder::kMaxPeers - 1);
    QCOMPARE(d.finishAll().size(), qsizetype(PeerDecoder::kMaxPeers - 1));
    QCOMPARE(d.peersHoldingBytes(), size_t(0));
}

VELM_CORE_TEST_MAIN(TestPeerDecoder)
#include "tst_peerdecoder.moc"
