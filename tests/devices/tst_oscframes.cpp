// test-links: codecs
// The oscilloscope frame cutter: the four values, missing tags, values
// without ';', non-finite numbers, junk before "$0:", frames taken only
// with their own CR LF, several frames per chunk, any chunking, the cap.

#include <QRandomGenerator>
#include <QtTest>

#include "osc/oscframes.h"

using OscFrames::Frame;

namespace {
QString show(const QList<Frame> &frames)
{
    QStringList out;
    for (const Frame &f : frames)
        out << QStringLiteral("%1/%2/%3/%4").arg(f[0]).arg(f[1]).arg(f[2]).arg(f[3]);
    return out.join(' ');
}
} // namespace

class TestOscFrames : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void randomChunkingKeepsEveryFrame();
    void tailWaitsAndGarbageIsCapped();
};

void TestOscFrames::frames_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("four channels") << QByteArray("$0:1.5;$1:-2;$2:3;$3:4;\r\n") << "1.5/-2/3/4";
    QTest::newRow("two channels") << QByteArray("$0:1;$1:2;\r\n") << "1/2/0/0";
    QTest::newRow("gap stops the rest") << QByteArray("$0:1;$2:5;$3:6;\r\n") << "1/0/0/0";
    QTest::newRow("last value without ';'") << QByteArray("$0:1;$1:2;$2:3;$3:4.25\r\n") << "1/2/3/4.25";
    QTest::newRow("not a number") << QByteArray("$0:x;$1:2;$2:3;$3:4;\r\n") << "0/2/3/4";
    QTest::newRow("nan and inf read 0") << QByteArray("$0:nan;$1:inf;$2:-inf;$3:1e999;\r\n") << "0/0/0/0";
    QTest::newRow("junk before") << QByteArray("garbage\r\n\x01\x02$0:7;$1:8;$2:9;$3:10;\r\n") << "7/8/9/10";
    QTest::newRow("three frames in one chunk")
        << QByteArray("$0:1;$1:1;$2:1;$3:1;\r\n$0:2;$1:2;$2:2;$3:2;\r\n$0:3;$1:3;$2:3;$3:3;\r\n")
        << "1/1/1/1 2/2/2/2 3/3/3/3";
    QTest::newRow("a cut frame is dropped, the next is whole")
        << QByteArray("$0:1;$1:$0:5;$1:6;$2:7;$3:8;\r\n") << "5/6/7/8";
    QTest::newRow("no line end yet") << QByteArray("$0:1;$1:2;$2:3;$3:4;") << "";
}

void TestOscFrames::frames()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    OscFrames::Parser p;
    QCOMPARE(show(p.feed(input)), expected);
}

void TestOscFrames::randomChunkingKeepsEveryFrame()
{
    QByteArray stream("junk $1:9;\r\n");
    QList<Frame> sent;
    auto *rng = QRandomGenerator::global();
    for (int i = 0; i < 1000; ++i) {
        const Frame f{double(i), -i * 0.5, rng->bounded(1000) / 8.0, -1e6 + i};
        sent.append(f);
        stream += QStringLiteral("$0:%1;$1:%2;$2:%3;$3:%4;\r\n").arg(f[0]).arg(f[1]).arg(f[2]).arg(f[3], 0, 'g', 17).toLatin1();
    }
    for (int round = 0; round < 50; ++round) {
        OscFrames::Parser p;
        QList<Frame> got;
        for (int at = 0; at < stream.size();) {
            const int n = 1 + int(rng->bounded(round < 10 ? 4 : 300));
            got += p.feed(stream.mid(at, n));
            at += n;
        }
        QCOMPARE(got.size(), 1000);
        QCOMPARE(show(got), show(sent));
    }
}

void TestOscFrames::tailWaitsAndGarbageIsCapped()
{
    OscFrames::Parser p;
    QVERIFY(p.feed("$0:1;$1:2;$2:3;$3:4;\r").isEmpty());
    QCOMPARE(show(p.feed("\n$0")), QStringLiteral("1/2/3/4"));
    QCOMPARE(p.buffered(), QByteArray("$0"));
    QCOMPARE(show(p.feed(":5;$1:6;$2:7;$3:8;\r\n")), QStringLiteral("5/6/7/8"));

    OscFrames::Parser g;
    QVERIFY(g.feed(QByteArray(1 << 20, 'x')).isEmpty());
    QVERIFY(g.buffered().size() <= 2);
    QVERIFY(g.feed("$0:" + QByteArray(1 << 20, '1')).isEmpty()); // a start without an end
    QVERIFY(g.buffered().size() <= OscFrames::kMaxBuffered);
}

QTEST_GUILESS_MAIN(TestOscFrames)
#include "tst_oscframes.moc"
