// Text helpers of the terminal pages and the receive display, without a
// main window.
#include "testsupport.h"

#include "receivedisplay.h"
#include "rxformat.h"

#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextCodec>

using namespace RxFormat;

class TestRxFormat : public QObject
{
    Q_OBJECT

private slots:
    void hexTextPerByteWithBreakAfterLineFeed();
    void cutLongRunsCarriesTheColumn();
    void cutLongRunsNeverSplitsASurrogatePair();
    void stampFormat();
    void countersStopAt99999();
    void hexSendParsing_data();
    void hexSendParsing();
    void textSendEndsLinesWithCrlfOnce();
    void utf8StreamDecodingIgnoresChunkBoundaries_data();
    void utf8StreamDecodingIgnoresChunkBoundaries();
    void utf8LongReadsDecodeAsSingleBytes_data();
    void utf8LongReadsDecodeAsSingleBytes();
    void gbkStreamDecodingIgnoresChunkBoundaries_data();
    void gbkStreamDecodingIgnoresChunkBoundaries();
    void gbkDecodesAsTheSystemConverter();

    void plainChunksShowTextAndHex();
    void decodingKeepsStateAcrossChunks();
    void heldBackBytesShowWhenTheStreamEnds();
    void gbkDecodingKeepsStateAcrossChunks();
    void stampedChunksAreBlocksOfTheirOwnAndNeverMarkup();
    void blockCapHoldsForManyChunks();
    void longRunsAreCutIntoDisplayLines();
    void updatesAreCoalesced();
    void hiddenViewsAreWrittenWhenShown();
    void largeUpdatesAreWrittenOverSeveralTurns();
    void viewsFollowTheEndUnlessTextIsSelected();
    void manyNewCharactersAllArrive();
    void counterDisplayHeldAt99999();
    void hexLinesEndBetweenTokens_data();
    void hexLinesEndBetweenTokens();
    void receivedTextJoinsCutLines_data();
    void receivedTextJoinsCutLines();
    void timeSwitchNeverGluesLines_data();
    void timeSwitchNeverGluesLines();
    void hiddenHexViewKeepsAsManyLinesAsTheText_data();
    void hiddenHexViewKeepsAsManyLinesAsTheText();
};

void TestRxFormat::hexTextPerByteWithBreakAfterLineFeed()
{
    HexFormatter serial(QStringLiteral("0x%1,"));
    QCOMPARE(serial.format(QByteArray::fromHex("41420d0a")), QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
    QCOMPARE(serial.format(QByteArray::fromHex("00ff0a0a")), QStringLiteral("0x00,0xff,0x0a,\n0x0a,\n"));
    HexFormatter net(QStringLiteral("0x%1, "));
    QCOMPARE(net.format(QByteArray::fromHex("410a")), QStringLiteral("0x41, 0x0a, \n"));
    QCOMPARE(serial.format(QByteArray()), QString());
}

void TestRxFormat::cutLongRunsCarriesTheColumn()
{
    int column = 0;
    const QString out = cutLongRuns(QString(10000, QLatin1Char('a')), &column, 4096);
    const QStringList lines = out.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0].size(), 4096);
    QCOMPARE(lines[1].size(), 4096);
    QCOMPARE(lines[2].size(), 10000 - 8192);
    QCOMPARE(column, 10000 - 8192);

    // A run that continues over several calls is cut where the total passes
    // the limit.
    column = 4000;
    QCOMPARE(cutLongRuns(QString(100, QLatin1Char('b')), &column, 4096),
             QString(96, QLatin1Char('b')) + QLatin1Char('\n') + QString(4, QLatin1Char('b')));
    QCOMPARE(column, 4);

    // A line feed starts a new run; text without long runs is unchanged.
    column = 4090;
    QCOMPARE(cutLongRuns(QStringLiteral("abc\ndef"), &column, 4096), QStringLiteral("abc\ndef"));
    QCOMPARE(column, 3);
}

void TestRxFormat::cutLongRunsNeverSplitsASurrogatePair()
{
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // two UTF-16 units
    int column = 3;
    const QString out = cutLongRuns(clef + clef, &column, 4);
    // Units: [hi lo] [hi lo]; the cut may only fall before a high surrogate.
    for (int i = 0; i < out.size(); ++i) {
        if (out.at(i) == QLatin1Char('\n')) {
            QVERIFY(i + 1 < out.size());
            QVERIFY(!out.at(i + 1).isLowSurrogate());
        }
    }
    QCOMPARE(QString(out).remove(QLatin1Char('\n')), clef + clef);
}

void TestRxFormat::stampFormat()
{
    QCOMPARE(stamp(QTime(1, 2, 3, 4)), QStringLiteral("[01:02:03.004]"));
    QCOMPARE(stamp(QTime(23, 59, 59, 999)), QStringLiteral("[23:59:59.999]"));
}

void TestRxFormat::countersStopAt99999()
{
    QCOMPARE(cappedCount(0, 4), qint64(4));
    QCOMPARE(cappedCount(99995, 4), qint64(99999));
    QCOMPARE(cappedCount(99995, 5), qint64(99999));
    QCOMPARE(cappedCount(99999, 1), qint64(99999));
    QCOMPARE(cappedCount(5, std::numeric_limits<qint64>::max()), qint64(99999));
}

void TestRxFormat::hexSendParsing_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("blanks and commas") << "01 02,03" << true << QByteArray::fromHex("010203");
    QTest::newRow("0x prefix") << "0x0A, 0x0b" << true << QByteArray::fromHex("0a0b");
    QTest::newRow("surrounding blanks") << "  ff ,, 7  " << true << QByteArray::fromHex("ff07");
    QTest::newRow("low byte of a longer piece") << "123" << true << QByteArray::fromHex("23");
    QTest::newRow("1FF") << "1FF" << true << QByteArray::fromHex("ff");
    QTest::newRow("0102") << "0102" << true << QByteArray::fromHex("02");
    QTest::newRow("eight digits fit") << "FFFFFFFF" << true << QByteArray::fromHex("ff");
    QTest::newRow("only blanks") << "  , " << true << QByteArray();
    QTest::newRow("GG") << "GG" << false << QByteArray();
    QTest::newRow("capital X") << "0X0A" << false << QByteArray();
    QTest::newRow("0x alone") << "0x" << false << QByteArray();
    QTest::newRow("nine digits") << "FFFFFFFFF" << false << QByteArray();
    QTest::newRow("bad after good") << "01 02 zz" << false << QByteArray();
    QTest::newRow("line break is no separator") << "01\n02" << false << QByteArray();
    QTest::newRow("tab is no separator") << "01\t02" << false << QByteArray();
    QTest::newRow("line break before a separator") << "01\n 02" << false << QByteArray();
    QTest::newRow("line break before a comma") << "0x01\n,02" << false << QByteArray();
    QTest::newRow("minus sign") << "-1" << false << QByteArray();
    QTest::newRow("plus sign") << "+1" << false << QByteArray();
}

void TestRxFormat::hexSendParsing()
{
    QFETCH(QString, input);
    QFETCH(bool, ok);
    QFETCH(QByteArray, bytes);
    QByteArray out("stale");
    QCOMPARE(parseHexSend(input, &out), ok);
    QCOMPARE(out, bytes);
}

void TestRxFormat::textSendEndsLinesWithCrlfOnce()
{
    QCOMPARE(textToCrlf(QStringLiteral("a\n")), QByteArray("a\r\n"));
    QCOMPARE(textToCrlf(QStringLiteral("a\r\nb")), QByteArray("a\r\nb"));
    QCOMPARE(textToCrlf(QStringLiteral("\n\n")), QByteArray("\r\n\r\n"));
    QCOMPARE(textToCrlf(QString::fromUtf8("é")), QByteArray("\xc3\xa9"));
}

void TestRxFormat::utf8StreamDecodingIgnoresChunkBoundaries_data()
{
    const QString r(QChar(0xFFFD));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc\n") << QStringLiteral("abc\n");
    QTest::newRow("two, three and four bytes") << QByteArray("\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80")
                                               << QString::fromUtf8("é中😀");
    QTest::newRow("truncated lead before line feed") << QByteArray("A\xe4\n") << QStringLiteral("A") + r + "\n";
    QTest::newRow("truncated lead before a whole character")
        << QByteArray("A\xe4\xe4\xb8\xad") << QStringLiteral("A") + r + QString::fromUtf8("中");
    QTest::newRow("two of three bytes, then ascii") << QByteArray("\xe4\xb8x") << r + r + "x";
    QTest::newRow("latin-1 lines") << QByteArray("caf\xe9\ncaf\xe9\n")
                                   << QStringLiteral("caf") + r + "\ncaf" + r + "\n";
    QTest::newRow("stray continuation bytes") << QByteArray("\x80\xbf" "a") << r + r + "a";
    QTest::newRow("overlong two bytes") << QByteArray("\xc0\xaf\xc1\x81") << r + r + r + r;
    QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf") << r + r + r;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << r + r + r;
    QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << r + r + r + r;
    QTest::newRow("F5 and FF") << QByteArray("\xf5\xff") << r + r;
    QTest::newRow("highest and lowest of each length")
        << QByteArray("\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf")
        << QString::fromUtf8("\x7f\xc2\x80\xdf\xbf\xe0\xa0\x80\xef\xbf\xbf\xf0\x90\x80\x80\xf4\x8f\xbf\xbf");
    QTest::newRow("truncated four-byte at the end") << QByteArray("ok\xf0\x9f\x98") << QStringLiteral("ok") + r + r + r;
    QTest::newRow("replacement character itself") << QByteArray("\xef\xbf\xbd") << r;
}

namespace {
// Decodes `bytes` in reads cut at `cuts`, then ends the stream.
template <typename Decoder>
QString decodeInPieces(const QByteArray &bytes, const QList<int> &cuts, int maxHeld)
{
    Decoder decoder;
    QString out;
    int from = 0;
    for (int cut : cuts + QList<int>{int(bytes.size())}) {
        out += decoder.decode(bytes.mid(from, cut - from));
        if (decoder.pendingBytes() > maxHeld)
            return QStringLiteral("held back too many bytes");
        from = cut;
    }
    return out + decoder.finish();
}

// Every way of cutting the stream into up to three reads, and byte by byte.
template <typename Decoder>
void checkEveryCut(const QByteArray &bytes, const QString &text, int maxHeld)
{
    QCOMPARE(decodeInPieces<Decoder>(bytes, {}, maxHeld), text);
    for (int a = 0; a <= bytes.size(); ++a) {
        for (int b = a; b <= bytes.size(); ++b)
            QCOMPARE(decodeInPieces<Decoder>(bytes, {a, b}, maxHeld), text);
    }
    QList<int> each;
    for (int i = 1; i < bytes.size(); ++i)
        each << i;
    QCOMPARE(decodeInPieces<Decoder>(bytes, each, maxHeld), text);
}
} // namespace

void TestRxFormat::utf8StreamDecodingIgnoresChunkBoundaries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    checkEveryCut<Utf8StreamDecoder>(bytes, text, 3);
}

void TestRxFormat::utf8LongReadsDecodeAsSingleBytes_data()
{
    // Long reads take quicker paths than the last bytes of a read: a read
    // of many kilobytes must decode exactly as the same bytes fed one at a
    // time, where every byte is the last one.
    QTest::addColumn<QByteArray>("bytes");
    quint32 seed = 11;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    QByteArray random;
    for (int i = 0; i < 64 * 1024; ++i)
        random += char(next() & 0xFF);
    QTest::newRow("random bytes") << random;
    // Only bytes that start or continue sequences, so that leads meet
    // every kind of second byte.
    QByteArray high;
    for (int i = 0; i < 64 * 1024; ++i)
        high += char(0x80 | (next() & 0x7F));
    QTest::newRow("bytes at or above 0x80") << high;
    const QByteArray mixed = QString::fromUtf8("abc é ü ß 中文 😀 \u00ff\u07ff\u0800\uffff").toUtf8();
    QByteArray text;
    for (int i = 0; i < 3000; ++i) {
        text += mixed.mid(int(next() % mixed.size()), int(next() % 12));
        if (next() % 7 == 0)
            text += char(0x80 + next() % 0x80); // a stray byte now and then
    }
    QTest::newRow("text cut anywhere, stray bytes") << text;
    QTest::newRow("ascii runs") << QByteArray(40000, 'x') + "\xc3\xa9" + QByteArray(17, 'y') + "\xe4\xb8";
}

void TestRxFormat::utf8LongReadsDecodeAsSingleBytes()
{
    QFETCH(QByteArray, bytes);
    Utf8StreamDecoder whole;
    QString inOne = whole.decode(bytes);
    inOne += whole.finish();
    Utf8StreamDecoder single;
    QString byByte;
    for (char b : bytes)
        byByte += single.decode(&b, 1);
    byByte += single.finish();
    QCOMPARE(inOne.size(), byByte.size());
    QCOMPARE(inOne, byByte);
    // In reads of a port's size, too.
    Utf8StreamDecoder reads;
    QString inReads;
    for (qsizetype at = 0; at < bytes.size(); at += 4095)
        inReads += reads.decode(bytes.constData() + at, qMin<qsizetype>(4095, bytes.size() - at));
    inReads += reads.finish();
    QCOMPARE(inReads, byByte);
}

void TestRxFormat::gbkStreamDecodingIgnoresChunkBoundaries_data()
{
    const QString r(QChar(0xFFFD));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("abc\n") << QStringLiteral("abc\n");
    QTest::newRow("two characters") << QByteArray("\xd6\xd0\xce\xc4") << QString::fromUtf8("中文");
    QTest::newRow("lead then ascii") << QByteArray("\xe4\xb8\x41\x42") << QString::fromUtf8("涓AB");
    QTest::newRow("trail ranges") << QByteArray("\x81\x40\x81\x7e\x81\x80\xfe\xfe")
                                  << QString::fromUtf8("丂亊亐") + QChar(0xE4C5);
    QTest::newRow("lead before a byte that is no trail") << QByteArray("\x81\x20\x81\x7f\xd6\xd0")
                                                         << r + " " + r + "\x7f" + QString::fromUtf8("中");
    const QString euro = QString::fromUtf8("€");
    QTest::newRow("0x80 and 0xFF stand alone") << QByteArray("\x80\xff\x80") << euro + QChar(0xF8F5) + euro;
    QTest::newRow("lead before a lead") << QByteArray("\xd6\xd6\xd0") << QString::fromUtf8("种") + r;
    QTest::newRow("lead at the end") << QByteArray("ok\xd6") << QStringLiteral("ok") + r;
    QTest::newRow("four bytes of GB18030 are not GBK") << QByteArray("\x81\x30\x81\x30")
                                                        << r + "0" + r + "0";
}

void TestRxFormat::gbkStreamDecodingIgnoresChunkBoundaries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    checkEveryCut<GbkStreamDecoder>(bytes, text, 1);
}

void TestRxFormat::gbkDecodesAsTheSystemConverter()
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        QSKIP("no GBK converter in this Qt build");
    // Every character of the unified ideographs that GBK has, with ASCII
    // and full-width punctuation between them.
    QString text;
    for (char16_t c = 0x4E00; c <= 0x9FA5; ++c) {
        text += QChar(c);
        if (c % 97 == 0)
            text += QString::fromUtf8("a。，\n");
    }
    const QByteArray bytes = encoder.encode(text);
    QVERIFY(!encoder.hasError());
    GbkStreamDecoder decoder;
    QCOMPARE(decoder.decode(bytes), text);
    QCOMPARE(decoder.finish(), QString());
    QCOMPARE(QStringDecoder("GBK").decode(bytes), text);
}

namespace {
struct Views {
    QPlainTextEdit text;
    QPlainTextEdit hex;
    ReceiveDisplay display;
    explicit Views(const ReceiveDisplay::Options &o = ReceiveDisplay::Options()) : display(&text, &hex, o) {}
    void show()
    {
        text.show();
        hex.show();
    }
};
} // namespace

void TestRxFormat::plainChunksShowTextAndHex()
{
    Views v;
    v.display.append(QByteArray::fromHex("41420d0a"), false);
    v.display.flush();
    QCOMPARE(v.text.toPlainText(), QStringLiteral("AB\n"));
    QCOMPARE(v.text.blockCount(), 2);
    QCOMPARE(v.hex.toPlainText(), QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
    QVERIFY(v.text.isReadOnly());
    QVERIFY(!v.text.document()->isUndoRedoEnabled());
    QCOMPARE(v.text.maximumBlockCount(), 10000);

    v.display.append("CD", false);
    v.display.flush();
    QCOMPARE(v.text.toPlainText(), QStringLiteral("AB\nCD"));

    v.display.clear();
    QCOMPARE(v.text.toPlainText(), QString());
    QCOMPARE(v.hex.toPlainText(), QString());
}

void TestRxFormat::decodingKeepsStateAcrossChunks()
{
    Views v;
    v.display.append("x\xe4\xb8", false); // 中 = E4 B8 AD
    v.display.append("\xad" "y", false);
    v.display.flush();
    QCOMPARE(v.text.toPlainText(), QString::fromUtf8("x中y"));
    QCOMPARE(v.hex.toPlainText(), QStringLiteral("0x78,0xe4,0xb8,0xad,0x79,"));
}

void TestRxFormat::heldBackBytesShowWhenTheStreamEnds()
{
    Views v;
    // A Latin-1 device, read in pieces that end right after the 0xE9.
    for (int i = 0; i < 100; ++i) {
        v.display.append("caf\xe9", false);
        v.display.append("\n", false);
    }
    v.display.append("x\xe4\xb8", false);
    v.show();
    v.display.flush();
    QCOMPARE(v.text.blockCount(), 101);
    QCOMPARE(v.text.document()->findBlockByNumber(99).text(), QStringLiteral("caf") + QChar(0xFFFD));
    QCOMPARE(v.text.document()->lastBlock().text(), QStringLiteral("x"));
    v.display.endStream();
    QCOMPARE(v.text.document()->lastBlock().text(), QStringLiteral("x") + QChar(0xFFFD) + QChar(0xFFFD));
    // A new stream starts clean.
    v.display.append("\xad", false);
    v.display.flush();
    QVERIFY(v.text.toPlainText().endsWith(QString(3, QChar(0xFFFD))));
}

void TestRxFormat::gbkDecodingKeepsStateAcrossChunks()
{
    if (!QTextCodec::codecForName("GBK"))
        QSKIP("no GBK codec in this Qt build");
    ReceiveDisplay::Options o;
    o.encoding = "GBK";
    o.hexFormat = QStringLiteral("0x%1, ");
    Views v(o);
    v.display.append("a\xd6", false); // 中 = D6 D0 in GBK
    v.display.append("\xd0" "b", false);
    v.display.flush();
    QCOMPARE(v.text.toPlainText(), QString::fromUtf8("a中b"));
    QCOMPARE(v.hex.toPlainText(), QStringLiteral("0x61, 0xd6, 0xd0, 0x62, "));
}

void TestRxFormat::stampedChunksAreBlocksOfTheirOwnAndNeverMarkup()
{
    Views v;
    v.display.append("first", true);
    v.display.append("<b>x</b>&amp;\r\n", true);
    v.display.append("line1\nline2", true);
    v.display.flush();
    const QRegularExpression stampAtStart(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]"));
    // The third chunk's second line is a block of its own, without a stamp.
    QCOMPARE(v.text.blockCount(), 4);
    QStringList blocks;
    for (QTextBlock b = v.text.document()->begin(); b.isValid(); b = b.next())
        blocks << b.text();
    for (int i = 0; i < 3; ++i)
        QVERIFY2(stampAtStart.match(blocks[i]).hasMatch(), qPrintable(blocks[i]));
    QCOMPARE(blocks[0].mid(14), QStringLiteral("first"));
    QCOMPARE(blocks[1].mid(14), QStringLiteral("<b>x</b>&amp;"));
    QCOMPARE(blocks[2].mid(14), QStringLiteral("line1"));
    QCOMPARE(blocks[3], QStringLiteral("line2"));
    // The stamp is green, the data black.
    const QTextBlock first = v.text.document()->begin();
    QCOMPARE(first.begin().fragment().charFormat().foreground().color(), QColor(QStringLiteral("green")));
    QCOMPARE(first.begin().fragment().text().size(), 14);
    QCOMPARE(v.hex.blockCount(), 4);
    QCOMPARE(v.hex.document()->findBlockByNumber(1).text().mid(14),
             QStringLiteral("0x3c,0x62,0x3e,0x78,0x3c,0x2f,0x62,0x3e,0x26,0x61,0x6d,0x70,0x3b,0x0d,0x0a,"));
    QVERIFY(stampAtStart.match(v.hex.document()->begin().text()).hasMatch());
    QVERIFY(v.text.toPlainText().contains(QStringLiteral("line1\nline2")));
}

void TestRxFormat::blockCapHoldsForManyChunks()
{
    Views v;
    for (int i = 0; i < 20000; ++i) {
        v.display.append(QByteArray::number(i) + "\r\n", i % 2 == 0);
        if (i % 500 == 0)
            v.display.flush();
    }
    v.display.flush();
    QVERIFY(v.text.blockCount() <= 10000);
    QVERIFY(v.hex.blockCount() <= 10000);
    QVERIFY(v.text.blockCount() > 9000);
    // The newest data is kept.
    QVERIFY(v.text.toPlainText().contains(QStringLiteral("19999")));

    // One update far larger than the cap keeps exactly the newest blocks.
    Views big;
    big.display.append("old\n", false);
    big.display.flush();
    QByteArray lines;
    for (int i = 0; i < 25000; ++i)
        lines += QByteArray::number(i) + "\n";
    big.display.append(lines, false);
    big.display.append("tail", true);
    big.display.flush();
    const int count = big.text.blockCount();
    QVERIFY2(count >= 9999 && count <= 10000, qPrintable(QString::number(count)));
    QVERIFY(big.text.document()->lastBlock().text().endsWith(QLatin1String("tail")));
    // The numbers before the stamped tail run without a gap up to 24999.
    for (int i = 0; i < count - 1; ++i)
        QCOMPARE(big.text.document()->findBlockByNumber(i).text(), QString::number(24999 - (count - 2) + i));
    QVERIFY(big.hex.blockCount() <= 10000);
    QVERIFY(big.hex.blockCount() >= 9999);
}

void TestRxFormat::longRunsAreCutIntoDisplayLines()
{
    const int line = RxFormat::kDisplayLineChars;
    QVERIFY(line <= 4096);
    Views v;
    const QByteArray run(3000, 'z');
    for (int i = 0; i < 10; ++i)
        v.display.append(run, false);
    v.display.flush();
    int total = 0;
    for (QTextBlock b = v.text.document()->begin(); b.isValid(); b = b.next()) {
        QVERIFY(b.text().size() <= line);
        total += b.text().size();
    }
    QCOMPARE(total, 30000);
    QCOMPARE(v.text.blockCount(), (30000 + line - 1) / line);
    for (QTextBlock b = v.hex.document()->begin(); b.isValid(); b = b.next())
        QVERIFY(b.text().size() <= line);

    // Stamped: the stamp counts towards the line.
    Views s;
    const int size = line + 100;
    s.display.append(QByteArray(size, 'q'), true);
    s.display.flush();
    QCOMPARE(s.text.blockCount(), 2);
    QCOMPARE(s.text.document()->begin().text().size(), line);
    QCOMPARE(s.text.document()->lastBlock().text().size(), size + 14 - line);
}

void TestRxFormat::updatesAreCoalesced()
{
    Views v;
    v.show();
    QLCDNumber counter;
    v.display.setCounter(&counter);
    QSignalSpy shown(&v.display, &ReceiveDisplay::shown);
    v.display.append("abc", false);
    v.display.append("defg", false);
    QCOMPARE(v.text.toPlainText(), QString());
    QCOMPARE(counter.intValue(), 0);
    QVERIFY(v.display.hasPending());
    QTRY_COMPARE_WITH_TIMEOUT(v.text.toPlainText(), QStringLiteral("abcdefg"), 1000);
    QVERIFY(!v.display.hasPending());
    // One update for both chunks, reporting the newest chunk's size.
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().first().toInt(), 4);
    QCOMPARE(counter.intValue(), 7);
    // Clearing the views keeps the count of bytes already received.
    v.display.append("hij", false);
    v.display.clear();
    QCOMPARE(counter.intValue(), 10);
    QCOMPARE(v.text.toPlainText(), QString());
}

void TestRxFormat::counterDisplayHeldAt99999()
{
    QLCDNumber lcd;
    ReceiveDisplay::addToCounter(&lcd, 4);
    QCOMPARE(lcd.intValue(), 4);
    ReceiveDisplay::addToCounter(&lcd, 99990);
    QCOMPARE(lcd.intValue(), 99994);
    ReceiveDisplay::addToCounter(&lcd, 10);
    QCOMPARE(lcd.intValue(), 99999);
    ReceiveDisplay::addToCounter(&lcd, 1);
    QCOMPARE(lcd.intValue(), 99999);
}

VELM_TEST_MAIN(TestRxFormat)
namespace {
// 30000 numbered lines, fed in 4 KiB reads as a port delivers them.
void feedNumberedLines(ReceiveDisplay &display)
{
    QByteArray lines;
    for (int i = 0; i < 30000; ++i)
        lines += QByteArray::number(i) + "\n";
    for (int at = 0; at < lines.size(); at += 4096)
        display.append(lines.mid(at, 4096), false);
}

// The newest 10000 blocks: 9999 numbers without a gap up to 29999, then the
// empty block after the last line feed.
void checkNewestLines(const QPlainTextEdit &text)
{
    QCOMPARE(text.blockCount(), 10000);
    for (int i = 0; i < 9999; ++i)
        QCOMPARE(text.document()->findBlockByNumber(i).text(), QString::number(20001 + i));
    QCOMPARE(text.document()->lastBlock().text(), QString());
}
} // namespace

void TestRxFormat::hiddenViewsAreWrittenWhenShown()
{
    // Views that are not on screen take a flood without being written...
    Views v;
    feedNumberedLines(v.display);
    QTest::qWait(300);
    QVERIFY(v.display.hasPending());
    QCOMPARE(v.text.blockCount(), 1);
    QCOMPARE(v.hex.blockCount(), 1);
    // ...and hold exactly the newest blocks once shown, before they are
    // painted, with the cursor at the end.
    v.text.show();
    checkNewestLines(v.text);
    QCOMPARE(v.text.textCursor().position(), v.text.document()->characterCount() - 1);
    v.hex.show();
    QCOMPARE(v.hex.blockCount(), 10000);
    QCOMPARE(v.hex.document()->findBlockByNumber(0).text(), QStringLiteral("0x32,0x30,0x30,0x30,0x31,0x0a,"));
    QCOMPARE(v.hex.document()->findBlockByNumber(9998).text(), QStringLiteral("0x32,0x39,0x39,0x39,0x39,0x0a,"));
    QVERIFY(!v.display.hasPending());

    // A hex view hidden during a mixed stream (long runs, line feeds,
    // stamped chunks, hidden half-way through) shows the same as one that
    // was on screen all along. A small cap and short lines make the hidden
    // view drop most of what it keeps.
    ReceiveDisplay::Options small;
    small.maxBlocks = 300;
    small.maxLineChars = 100;
    Views shown(small);
    shown.show();
    Views hidden(small);
    hidden.show();
    quint32 seed = 27;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int i = 0; i < 3000; ++i) {
        QByteArray chunk;
        // Long runs alternate with short pieces that hold line feeds.
        const int kind = i % 2 == 0 ? 0 : 1 + int(next() % 3);
        const int size = 1 + next() % (kind == 0 ? 3000 : 40);
        for (int j = 0; j < size; ++j)
            chunk += kind == 1 && next() % 8 == 0 ? '\n' : char('a' + next() % 26);
        const bool stamped = next() % 5 == 0;
        shown.display.append(chunk, stamped);
        hidden.display.append(chunk, stamped);
        if (i == 100)
            hidden.hex.hide();
        if (i % 50 == 0)
            QCoreApplication::processEvents();
    }
    shown.display.flush();
    hidden.display.flush();
    hidden.hex.show();
    const QRegularExpression stampText(QStringLiteral("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]"));
    QString expected = shown.hex.toPlainText();
    QString got = hidden.hex.toPlainText();
    expected.replace(stampText, QStringLiteral("[stamp]"));
    got.replace(stampText, QStringLiteral("[stamp]"));
    QCOMPARE(hidden.hex.blockCount(), shown.hex.blockCount());
    QCOMPARE(got, expected);
}

namespace {
QString withoutStamps(QString text)
{
    static const QRegularExpression stamp(QStringLiteral("\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]"));
    return text.replace(stamp, QStringLiteral("[stamp]"));
}
} // namespace

void TestRxFormat::largeUpdatesAreWrittenOverSeveralTurns()
{
    // A large update is spread over turns of the event loop and ends up
    // exactly as one written at once: long runs, line feeds, stamps.
    ReceiveDisplay::Options o;
    o.maxBlocks = 1000000;
    Views sliced(o);
    Views whole(o);
    sliced.show();
    whole.show();
    qint64 firstTurnText = -1;
    connect(&sliced.display, &ReceiveDisplay::shown, this, [&] {
        if (firstTurnText < 0)
            firstTurnText = sliced.text.document()->characterCount();
    });
    quint32 seed = 5;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    qint64 total = 0;
    while (total < 1200000) {
        QByteArray chunk;
        const int size = 1 + int(next() % 20000);
        for (int j = 0; j < size; ++j)
            chunk += next() % 50 == 0 ? '\n' : char('a' + next() % 26);
        const bool stamped = next() % 4 == 0;
        sliced.display.append(chunk, stamped);
        whole.display.append(chunk, stamped);
        total += chunk.size();
    }
    whole.display.flush();
    QTRY_VERIFY_WITH_TIMEOUT(!sliced.display.hasPending(), 60000);
    QVERIFY(firstTurnText > 1);
    QVERIFY2(firstTurnText < whole.text.document()->characterCount() / 2, qPrintable(QString::number(firstTurnText)));
    QCOMPARE(sliced.text.blockCount(), whole.text.blockCount());
    QCOMPARE(withoutStamps(sliced.text.toPlainText()), withoutStamps(whole.text.toPlainText()));
    QCOMPARE(withoutStamps(sliced.hex.toPlainText()), withoutStamps(whole.hex.toPlainText()));
}

void TestRxFormat::viewsFollowTheEndUnlessTextIsSelected()
{
    Views v;
    v.text.resize(400, 200);
    v.hex.resize(400, 200);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v.text));
    // The bottom of the view shows the last line (the empty block after
    // the last line feed, or the line before it).
    const auto lastLineShown = [](QPlainTextEdit &edit) {
        const QTextCursor bottom = edit.cursorForPosition(QPoint(2, edit.viewport()->height() - 3));
        return edit.verticalScrollBar()->value() > 0 && bottom.blockNumber() >= edit.document()->blockCount() - 2;
    };
    QByteArray lines;
    for (int i = 0; i < 500; ++i)
        lines += "line " + QByteArray::number(i) + '\n';
    // Several updates, in turns of the event loop and written at once.
    for (int round = 0; round < 3; ++round) {
        v.display.append(lines, false);
        QTRY_VERIFY(!v.display.hasPending());
        QVERIFY(lastLineShown(v.text));
        QVERIFY(lastLineShown(v.hex));
    }
    v.display.append(lines, false);
    v.display.flush();
    QVERIFY(lastLineShown(v.text));

    // The user clicks into the text: the cursor moves away from the end,
    // and what arrives next brings the view back there.
    v.text.moveCursor(QTextCursor::Start);
    v.text.verticalScrollBar()->setValue(0);
    v.display.append(lines, false);
    QTRY_VERIFY(!v.display.hasPending());
    QVERIFY(lastLineShown(v.text));
    QVERIFY(v.text.textCursor().atEnd());

    // A selection stays where it is, and so does the view.
    QTextCursor select(v.text.document()->findBlockByNumber(10));
    select.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    v.text.setTextCursor(select);
    v.text.verticalScrollBar()->setValue(5);
    const QString selected = v.text.textCursor().selectedText();
    v.display.append(lines, false);
    QTRY_VERIFY(!v.display.hasPending());
    QCOMPARE(v.text.textCursor().selectedText(), selected);
    QCOMPARE(v.text.verticalScrollBar()->value(), 5);
    QVERIFY(lastLineShown(v.hex));
}

void TestRxFormat::manyNewCharactersAllArrive()
{
    // Every CJK unified ideograph once, in reads of 3000 bytes, then a line:
    // characters the window has not drawn yet hold nothing back for good.
    QString text;
    for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
        text += QChar(c);
    const QByteArray bytes = text.toUtf8() + "\nend";
    Views v;
    v.show();
    for (qsizetype at = 0; at < bytes.size(); at += 3000)
        v.display.append(bytes.mid(at, 3000), false);
    QTRY_VERIFY_WITH_TIMEOUT(!v.display.hasPending(), 30000);
    const QStringList lines = v.text.toPlainText().split(QLatin1Char('\n'));
    for (const QString &line : lines)
        QVERIFY(line.size() <= RxFormat::kDisplayLineChars);
    QCOMPARE(lines.last(), QStringLiteral("end"));
    QCOMPARE(lines.join(QString()), text + QStringLiteral("end"));
}

namespace {
// Chunks of 1 to `largest` bytes, the same for every run.
QList<QByteArray> chunksOf(const QByteArray &data, int largest, quint32 seed)
{
    QList<QByteArray> chunks;
    QRandomGenerator gen(seed);
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype n = qMin<qsizetype>(data.size() - at, 1 + gen.bounded(largest));
        chunks << data.mid(at, n);
        at += n;
    }
    return chunks;
}

QByteArray randomData(int size, quint32 seed)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator gen(seed);
    for (char &c : data)
        c = char(gen.bounded(256));
    return data;
}
} // namespace

void TestRxFormat::hexLinesEndBetweenTokens_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<bool>("breakAfterLineFeed");
    QTest::addColumn<int>("hexMaxLineChars");
    QTest::addColumn<bool>("stamped");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("largestChunk");
    // The serial page's hex view, shown and hidden, with and without stamps.
    QTest::newRow("0x%1, 1024, shown") << "0x%1," << false << true << 0 << false << true << 700;
    QTest::newRow("0x%1, 1024, hidden") << "0x%1," << false << true << 0 << false << false << 700;
    QTest::newRow("0x%1, 1024, stamped") << "0x%1," << false << true << 0 << true << true << 3000;
    QTest::newRow("0x%1, 1024, stamped, hidden") << "0x%1," << false << true << 0 << true << false << 3000;
    QTest::newRow("0x%1, 1024, single bytes") << "0x%1," << false << true << 0 << false << true << 1;
    // The network pages' hex view.
    QTest::newRow("0x%1 , 96, shown") << "0x%1, " << true << false << 96 << false << true << 500;
    QTest::newRow("0x%1 , 96, stamped, hidden") << "0x%1, " << true << false << 96 << true << false << 500;
    // A line length that is no multiple of the token.
    QTest::newRow("0x%1 , 100, shown") << "0x%1, " << false << true << 100 << false << true << 64;
    QTest::newRow("0x%1 , 100, hidden") << "0x%1, " << false << true << 100 << false << false << 64;
}

void TestRxFormat::hexLinesEndBetweenTokens()
{
    QFETCH(QString, format);
    QFETCH(bool, upper);
    QFETCH(bool, breakAfterLineFeed);
    QFETCH(int, hexMaxLineChars);
    QFETCH(bool, stamped);
    QFETCH(bool, shown);
    QFETCH(int, largestChunk);
    ReceiveDisplay::Options o;
    o.hexFormat = format;
    o.hexUpperCase = upper;
    o.hexBreakAfterLineFeed = breakAfterLineFeed;
    o.hexMaxLineChars = hexMaxLineChars;
    Views v(o);
    if (shown)
        v.show();
    const QByteArray data = randomData(60000, 7);
    for (const QByteArray &chunk : chunksOf(data, largestChunk, 11))
        v.display.append(chunk, stamped);
    if (!shown)
        v.show();
    v.display.flush();

    const HexFormatter formatter(format, upper, breakAfterLineFeed);
    const int width = int(formatter.format(QByteArray(1, 'A')).size());
    const int maxLine = hexMaxLineChars > 0 ? hexMaxLineChars : o.maxLineChars;
    const QString digits = upper ? QStringLiteral("[0-9A-F]{2}") : QStringLiteral("[0-9a-f]{2}");
    const qsizetype arg = format.indexOf(QLatin1String("%1"));
    const QString token = QRegularExpression::escape(format.left(arg)) + digits
                          + QRegularExpression::escape(format.mid(arg + 2));
    const QRegularExpression line(QStringLiteral("^(\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\])?((?:%1)*)$").arg(token));
    QString joined;
    int blocks = 0;
    for (QTextBlock b = v.hex.document()->begin(); b.isValid(); b = b.next(), ++blocks) {
        const QRegularExpressionMatch m = line.match(b.text());
        QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("line %1: %2").arg(blocks).arg(b.text().right(40))));
        QVERIFY2(m.captured(2).size() <= qMax(width, maxLine), qPrintable(QString::number(m.captured(2).size())));
        joined += m.captured(2);
    }
    QVERIFY(blocks >= 60000 * width / maxLine);
    // Joined, the lines give the hex text of every byte (the views hold all
    // of it: far fewer lines than the cap).
    QString all = formatter.format(data);
    all.remove(QLatin1Char('\n'));
    QCOMPARE(joined.size(), all.size());
    QCOMPARE(joined, all);
}

void TestRxFormat::receivedTextJoinsCutLines_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("largestChunk");
    QTest::addColumn<bool>("shownWhileArriving");
    QTest::newRow("300 KiB line") << QByteArray(300 * 1024, 'q') << 4096 << true;
    QTest::newRow("300 KiB line, hidden") << QByteArray(300 * 1024, 'q') << 4096 << false;
    QByteArray mixed;
    for (int i = 0; i < 200; ++i)
        mixed += QByteArray(i * 37, char('a' + i % 26)) + (i % 3 ? "\n" : "");
    QTest::newRow("runs and lines") << mixed << 999 << true;
    // Characters the document would take for block ends of its own, and
    // those its plain text would change, come back as they arrived.
    QByteArray special = QByteArray(1500, 'x') + "\xe2\x80\xa9" + QByteArray(1500, 'y') + "\xe2\x80\xa8z\xc2\xa0"
                         + "\xef\xb7\x90\xef\xb7\x91\n\n" + QByteArray(2100, 'w');
    QTest::newRow("separators") << special << 7 << true;
    QByteArray multi;
    for (int i = 0; i < 3000; ++i)
        multi += "\xe4\xb8\xad\xf0\x9d\x84\x9e"; // two characters, one outside the BMP
    QTest::newRow("multi-byte characters") << multi << 13 << true;
    // Characters whose second UTF-16 unit is the one the display marks its
    // cuts with (U+1F3FF, a skin-tone modifier; U+10FFFF) stay whole.
    QByteArray lowUnit;
    for (int i = 0; i < 2000; ++i)
        lowUnit += (i % 7 ? "\xf0\x9f\x8f\xbf" : "\xf4\x8f\xbf\xbf\n");
    QTest::newRow("characters ending in the cut's unit") << lowUnit << 11 << true;
    QTest::newRow("characters ending in the cut's unit, hidden") << lowUnit << 11 << false;
}

void TestRxFormat::receivedTextJoinsCutLines()
{
    QFETCH(QByteArray, data);
    QFETCH(int, largestChunk);
    QFETCH(bool, shownWhileArriving);
    Views v;
    if (shownWhileArriving)
        v.show();
    for (const QByteArray &chunk : chunksOf(data, largestChunk, 5)) {
        v.display.append(chunk, false);
        // Some updates while the stream goes on.
        if (chunk.size() % 5 == 0)
            QCoreApplication::processEvents();
    }
    v.show();
    v.display.flush();
    // Long runs are cut on screen (a surrogate pair stays whole)...
    for (QTextBlock b = v.text.document()->begin(); b.isValid(); b = b.next()) {
        const QString line = b.text();
        QVERIFY(line.size() <= RxFormat::kDisplayLineChars + 1);
        QVERIFY2(line.isEmpty() || (!line.back().isHighSurrogate() && !line.front().isLowSurrogate()),
                 qPrintable(QStringLiteral("block %1 splits a character").arg(b.blockNumber())));
    }
    // ...and come back whole.
    const QString expected = QString::fromUtf8(data);
    const QString text = v.display.receivedText();
    QCOMPARE(text.size(), expected.size());
    QCOMPARE(text, expected);
}

using Chunk = TestSupport::StampedChunk;
using TestSupport::bytesOfHexLine;
Q_DECLARE_METATYPE(QList<Chunk>)

void TestRxFormat::timeSwitchNeverGluesLines_data()
{
    QTest::addColumn<QList<Chunk>>("chunks");
    // The lines of the text view and of the saved text; the last entry is
    // what follows the last line feed.
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("on off off on on off on")
        << TestSupport::timeSwitchSequence() << TestSupport::timeSwitchSequenceLines();
    // What the device did not end goes on when the next chunk is not
    // stamped, and a stamped chunk always starts a line.
    QTest::newRow("unended chunks")
        << QList<Chunk>{{true, "ab"}, {false, "cd\n"}, {false, "ef"}, {true, "gh"}, {true, "ij\n"}, {false, "kl"}}
        << QStringList{"[T]abcd", "ef", "[T]gh", "[T]ij", "kl"};
    QTest::newRow("line feeds inside stamped chunks")
        << QList<Chunk>{{true, "a\nb\n"}, {false, "c\n"}, {true, "\n"}, {false, "d"}}
        << QStringList{"[T]a", "b", "c", "[T]", "d"};
}

void TestRxFormat::timeSwitchNeverGluesLines()
{
    QFETCH(QList<Chunk>, chunks);
    QFETCH(QStringList, lines);
    // The hex view on screen, and hidden until the end (written from the
    // bytes it kept).
    for (const bool hexShown : {true, false}) {
        Views v;
        v.text.show();
        if (hexShown)
            v.hex.show();
        for (const Chunk &c : chunks) {
            v.display.append(c.bytes, c.stamped);
            QCoreApplication::processEvents();
        }
        v.hex.show();
        v.display.flush();
        QCOMPARE(TestSupport::linesWithStamps(v.text.toPlainText()), lines);
        QCOMPARE(TestSupport::linesWithStamps(v.display.receivedText()), lines);
        // Hex line i holds the bytes of text line i (with its CR, and the
        // line feed that ended it, if one did).
        const QStringList hex = TestSupport::linesWithStamps(v.hex.toPlainText());
        QCOMPARE(hex.size(), lines.size());
        for (int i = 0; i < hex.size(); ++i) {
            QString got = bytesOfHexLine(hex[i]);
            const qsizetype lineFeed = got.indexOf(QLatin1Char('\n'));
            QVERIFY2(lineFeed < 0 || lineFeed == got.size() - 1, qPrintable(hex[i]));
            got.remove(QLatin1Char('\r'));
            got.remove(QLatin1Char('\n'));
            QCOMPARE(got, lines[i]);
        }
    }
}

void TestRxFormat::hiddenHexViewKeepsAsManyLinesAsTheText_data()
{
    QTest::addColumn<int>("maxBlocks");
    QTest::addColumn<int>("chunks");
    QTest::addColumn<int>("linesPerChunk");
    // Which chunks arrive with "Time" ticked: every one, none, every other.
    QTest::addColumn<int>("stampEvery");
    QTest::newRow("stamped lines, cap 100") << 100 << 300 << 1 << 1;
    QTest::newRow("stamped lines, the pages' cap") << 10000 << 12000 << 1 << 1;
    QTest::newRow("lines without stamps, cap 100") << 100 << 300 << 1 << 0;
    QTest::newRow("every other line stamped, cap 100") << 100 << 300 << 1 << 2;
    QTest::newRow("three lines a stamped chunk, cap 100") << 100 << 120 << 3 << 1;
}

void TestRxFormat::hiddenHexViewKeepsAsManyLinesAsTheText()
{
    QFETCH(int, maxBlocks);
    QFETCH(int, chunks);
    QFETCH(int, linesPerChunk);
    QFETCH(int, stampEvery);
    ReceiveDisplay::Options options;
    options.maxBlocks = maxBlocks;
    Views v(options);
    v.text.show();
    int line = 0;
    for (int i = 0; i < chunks; ++i) {
        QByteArray bytes;
        for (int j = 0; j < linesPerChunk; ++j)
            bytes += "L" + QByteArray::number(line++) + "\r\n";
        v.display.append(bytes, stampEvery > 0 && i % stampEvery == 0);
    }
    v.display.flush();
    v.hex.show();
    // Both hold the newest lines the cap lets them, the same ones: hex
    // line i is the bytes of text line i.
    const QStringList text = TestSupport::linesWithStamps(v.text.toPlainText());
    QCOMPARE(v.text.blockCount(), maxBlocks);
    QCOMPARE(v.hex.blockCount(), v.text.blockCount());
    QVERIFY(text.at(text.size() - 2).endsWith(QStringLiteral("L%1").arg(line - 1)));
    QCOMPARE(TestSupport::textOfHexLines(v.hex.toPlainText()), text);
}

#include "tst_rxformat.moc"
