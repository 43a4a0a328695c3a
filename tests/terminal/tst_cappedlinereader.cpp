// test-links: codecs
// The capped line reader the device pages share: CR LF and LF line ends, a
// line end split between chunks, NULs, a chunk larger than the cap that
// keeps every complete line, the cap on the unfinished tail, clear(), and
// random chunkings that give what the whole stream gives.

#include <QRandomGenerator>
#include <QtTest>

#include "cappedlinereader.h"

using LineEnd = CappedLineReader::LineEnd;
Q_DECLARE_METATYPE(CappedLineReader::LineEnd)

class TestCappedLineReader : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void randomChunkingsGiveTheWholeStreamsLines();
    void clearForgetsTheTail();
};

void TestCappedLineReader::lines_data()
{
    QTest::addColumn<LineEnd>("end");
    QTest::addColumn<int>("cap");
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("expected");
    QTest::addColumn<QByteArray>("tail");
    using L = QList<QByteArray>;
    const int big = int(CappedLineReader::kDefaultCap);

    QTest::newRow("crlf: two lines") << LineEnd::CrLf << big << L{"a\r\nb\r\n"} << L{"a", "b"} << QByteArray();
    QTest::newRow("crlf: empty lines") << LineEnd::CrLf << big << L{"\r\n\r\nx"} << L{"", ""} << QByteArray("x");
    QTest::newRow("crlf: a lone LF is part of the line")
        << LineEnd::CrLf << big << L{"a\nb\r\n\nc"} << L{"a\nb"} << QByteArray("\nc");
    QTest::newRow("crlf: a lone CR is part of the line")
        << LineEnd::CrLf << big << L{"a\rb\r\r\n"} << L{"a\rb\r"} << QByteArray();
    QTest::newRow("crlf: CR and LF in different chunks")
        << LineEnd::CrLf << big << L{"abc\r", "\ndef\r", "\r", "\n"} << L{"abc", "def\r"} << QByteArray();
    QTest::newRow("crlf: LF first in a chunk after a line end")
        << LineEnd::CrLf << big << L{"a\r\n", "\nb\r\n"} << L{"a", "\nb"} << QByteArray();
    QTest::newRow("lf: CR stays on the line")
        << LineEnd::Lf << big << L{"a\nb\r\n\n", "c"} << L{"a", "b\r", ""} << QByteArray("c");
    QTest::newRow("NUL is an ordinary byte")
        << LineEnd::CrLf << big << L{QByteArray("\0x\r\ny\0", 6), QByteArray("\r\n")}
        << L{QByteArray("\0x", 2), QByteArray("y\0", 2)} << QByteArray();
    QTest::newRow("chunk larger than the cap keeps every line")
        << LineEnd::CrLf << 8 << L{"line-one\r\nline-two\r\nline-three\r\ntail"}
        << L{"line-one", "line-two", "line-three"} << QByteArray("tail");
    QTest::newRow("unfinished tail keeps its newest bytes")
        << LineEnd::Lf << 8 << L{"0123456789abc"} << L{} << QByteArray("56789abc");
    QTest::newRow("a line longer than the cap across chunks loses its head")
        << LineEnd::CrLf << 8 << L{"x\r\n0123456789", "AB\r\nok\r\n"} << L{"x", "23456789AB", "ok"} << QByteArray();
    QTest::newRow("cap keeps a trailing CR for its LF")
        << LineEnd::CrLf << 4 << L{"abcdef\r", "\n"} << L{"def"} << QByteArray();
    QTest::newRow("empty chunks change nothing")
        << LineEnd::CrLf << big << L{"", "a", "", "\r\n", ""} << L{"a"} << QByteArray();
}

void TestCappedLineReader::lines()
{
    QFETCH(LineEnd, end);
    QFETCH(int, cap);
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, expected);
    QFETCH(QByteArray, tail);
    CappedLineReader reader(end, cap);
    QList<QByteArray> got;
    for (const QByteArray &c : chunks) {
        got += reader.feed(c);
        QVERIFY(reader.buffered().size() <= cap);
    }
    QCOMPARE(got, expected);
    QCOMPARE(reader.buffered(), tail);
}

void TestCappedLineReader::randomChunkingsGiveTheWholeStreamsLines()
{
    auto *rng = QRandomGenerator::global();
    // Lines of every kind: empty, lone CR and LF inside, NULs, a few long
    // ones, and an unfinished tail; all shorter than the cap.
    const char alphabet[] = {'a', 'b', '\r', '\n', '\0', ',', '$', '\r', '\n'};
    QByteArray stream;
    for (int i = 0; i < 3000; ++i) {
        const int length = i % 500 == 0 ? 20000 : int(rng->bounded(40));
        for (int k = 0; k < length; ++k)
            stream.append(alphabet[rng->bounded(int(sizeof alphabet))]);
        stream.append(i % 3 ? "\r\n" : "\n");
    }
    stream.append("unfinished");
    for (LineEnd end : {LineEnd::CrLf, LineEnd::Lf}) {
        CappedLineReader whole(end);
        const QList<QByteArray> expected = whole.feed(stream);
        QVERIFY(expected.size() >= 3000);
        QVERIFY(whole.buffered().endsWith("unfinished"));
        for (int round = 0; round < 60; ++round) {
            CappedLineReader reader(end);
            QList<QByteArray> got;
            for (qsizetype at = 0; at < stream.size();) {
                const qsizetype n = 1 + rng->bounded(round < 20 ? 5 : 9000);
                got += reader.feed(stream.mid(at, n));
                at += n;
            }
            QCOMPARE(got.size(), expected.size());
            QVERIFY(got == expected);
            QCOMPARE(reader.buffered(), whole.buffered());
        }
    }
}

void TestCappedLineReader::clearForgetsTheTail()
{
    CappedLineReader reader;
    QVERIFY(reader.feed("Humidity:4").isEmpty());
    reader.clear();
    QVERIFY(reader.buffered().isEmpty());
    QCOMPARE(reader.feed("5%\r\n"), QList<QByteArray>{"5%"});
    // A CR left at the end before clear() does not pair with a later LF.
    QVERIFY(reader.feed("a\r").isEmpty());
    reader.clear();
    QCOMPARE(reader.feed("\nb\r\n"), QList<QByteArray>{"\nb"});
}

QTEST_GUILESS_MAIN(TestCappedLineReader)
#include "tst_cappedlinereader.moc"
