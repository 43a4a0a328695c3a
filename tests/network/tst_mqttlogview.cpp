// The MQTT page's message log on a text view of its own: line ends and
// frame marks in received text, display lines of bounded length, the
// block cap (also within one message), updates in bounded pieces, clearing.

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "mqtt/mqttlogview.h"
#include "testsupport.h"

namespace {

QStringList blocks(const QTextEdit &view)
{
    QStringList out;
    for (QTextBlock b = view.document()->firstBlock(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

QString line(const QString &topic, const QString &payload)
{
    return QStringLiteral("Time:12:34\t\tTopic:") + topic + QStringLiteral("\t\treceive:") + payload;
}

} // namespace

class TestMqttLogView : public QObject
{
    Q_OBJECT

private slots:
    void displayText_data();
    void displayText();
    void longRunsAreCut();
    void capKeepsTheNewestLines();
    void oneMessageLongerThanTheCap();
    void updatesComeInBoundedPieces();
    void clearDropsWhatWaits();
    void largeMessagesArePreparedInSlices_data();
    void largeMessagesArePreparedInSlices();
    void messageFillingTheCapOverManyUpdates();
};

void TestMqttLogView::displayText_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("plain") << "a b\tc" << "a b\tc";
    QTest::newRow("crlf") << "a\r\nb" << "a\nb";
    QTest::newRow("cr") << "a\rb\r" << "a\nb\n";
    QTest::newRow("cr cr lf") << "a\r\r\nb" << "a\n\nb";
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << "a\nb";
    QTest::newRow("frame marks") << QStringLiteral("a\ufdd0b\ufdd1") << QStringLiteral("a\ufffdb\ufffd");
    QTest::newRow("markup") << "<b>x</b>&amp;" << "<b>x</b>&amp;";
}

void TestMqttLogView::displayText()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(MqttLogView::displayText(in), out);

    // In the view, one block per line feed of the shown text.
    QTextEdit view;
    MqttLogView log(&view, MqttLogView::Options());
    log.append(QTime(12, 34), QStringLiteral("t"), in.toUtf8());
    log.flush();
    QCOMPARE(view.document()->blockCount(), int(out.count(QLatin1Char('\n'))) + 1);
    QCOMPARE(view.toPlainText(), line(QStringLiteral("t"), out));
}

void TestMqttLogView::longRunsAreCut()
{
    QTextEdit view;
    MqttLogView::Options o;
    o.maxLineChars = 100;
    MqttLogView log(&view, o);
    const QString topic(150, QLatin1Char('t'));
    const QString payload = QString(250, QLatin1Char('p')) + QLatin1Char('\n') + QString(30, QLatin1Char('q'));
    log.append(QTime(12, 34), topic, payload.toUtf8());
    log.append(QTime(12, 35), QStringLiteral("s"), "x");
    log.flush();
    const QStringList shown = blocks(view);
    for (const QString &b : shown)
        QVERIFY2(b.size() <= 100, qPrintable(QString::number(b.size())));
    QCOMPARE(shown.last(), QStringLiteral("Time:12:35\t\tTopic:s\t\treceive:x"));
    // Joined again, the first message is whole: only line feeds were added.
    QCOMPARE(QStringList(shown.mid(0, shown.size() - 1)).join(QString()),
             line(topic, QString(payload).remove(QLatin1Char('\n'))));
}

void TestMqttLogView::capKeepsTheNewestLines()
{
    // Written a few at a time, and all at once after a burst: the same
    // newest lines in order.
    for (const bool burst : {false, true}) {
        QTextEdit view;
        MqttLogView::Options o;
        o.maxBlocks = 50;
        MqttLogView log(&view, o);
        for (int i = 0; i < 200; ++i) {
            log.append(QTime(12, 34), QStringLiteral("t"), QByteArray::number(i));
            if (!burst && i % 7 == 0)
                log.flush();
        }
        log.flush();
        QStringList expected;
        for (int i = 150; i < 200; ++i)
            expected << line(QStringLiteral("t"), QString::number(i));
        QCOMPARE(blocks(view), expected);
    }
}

void TestMqttLogView::oneMessageLongerThanTheCap()
{
    QTextEdit view;
    MqttLogView::Options o;
    o.maxBlocks = 10;
    o.maxLineChars = 50;
    MqttLogView log(&view, o);
    log.append(QTime(12, 34), QStringLiteral("a"), "before");
    log.flush();
    QString payload;
    for (int i = 0; payload.size() < 2000; ++i)
        payload += QString::number(i % 10);
    log.append(QTime(12, 34), QStringLiteral("b"), payload.toUtf8());
    log.flush();
    const QStringList shown = blocks(view);
    QCOMPARE(shown.size(), 10);
    QVERIFY(line(QStringLiteral("b"), payload).endsWith(shown.join(QString())));
    QVERIFY(shown.join(QString()).endsWith(payload.right(400)));
}

void TestMqttLogView::updatesComeInBoundedPieces()
{
    QTextEdit view;
    MqttLogView::Options o;
    o.maxCharsPerWrite = 1000;
    o.maxLinesPerWrite = 8;
    o.coalesceMs = 0;
    MqttLogView log(&view, o);
    const QString big(20000, QLatin1Char('z'));
    log.append(QTime(12, 34), QStringLiteral("big"), big.toUtf8());
    for (int i = 0; i < 20; ++i)
        log.append(QTime(12, 34), QStringLiteral("s"), QByteArray::number(i));
    // One turn of the event loop writes one piece.
    QCoreApplication::processEvents();
    QVERIFY(!view.document()->isEmpty());
    QVERIFY2(view.document()->characterCount() <= 1000 + 1, qPrintable(QString::number(view.document()->characterCount())));
    QCOMPARE(log.pendingLines(), 21);
    QTRY_COMPARE(log.pendingLines(), 0);
    const QStringList shown = blocks(view);
    QCOMPARE(shown.size(), int(big.size() / o.maxLineChars) + 1 + 20);
    QCOMPARE(shown.last(), line(QStringLiteral("s"), QStringLiteral("19")));
    QCOMPARE(QStringList(shown.mid(0, shown.size() - 20)).join(QString()), line(QStringLiteral("big"), big));
}

void TestMqttLogView::clearDropsWhatWaits()
{
    QTextEdit view;
    MqttLogView log(&view, MqttLogView::Options());
    log.append(QTime(12, 34), QStringLiteral("t"), "shown");
    log.flush();
    log.append(QTime(12, 34), QStringLiteral("t"), "waiting");
    log.clear();
    QCOMPARE(log.pendingLines(), 0);
    QTest::qWait(100);
    QVERIFY(view.document()->isEmpty());
    log.append(QTime(12, 34), QStringLiteral("t"), "after");
    log.flush();
    QCOMPARE(blocks(view), QStringList{line(QStringLiteral("t"), QStringLiteral("after"))});
}

void TestMqttLogView::largeMessagesArePreparedInSlices_data()
{
    QTest::addColumn<int>("maxBlocks");
    QTest::newRow("all kept") << 100000;
    QTest::newRow("cap cuts inside the message") << 40;
}

void TestMqttLogView::largeMessagesArePreparedInSlices()
{
    // Slices of 100 bytes cut through multi-byte characters, CR LF pairs,
    // invalid bytes and long runs: the log shows exactly what one whole
    // preparation shows, and the message after the large one follows it.
    QFETCH(int, maxBlocks);
    QByteArray payload;
    for (int i = 0; payload.size() < 20000; ++i) {
        payload += QString(i % 7 + 1, QChar(0x4e2d + i % 50)).toUtf8();
        payload += QByteArray(i % 130, 'a' + i % 26);
        payload += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\r" : "\xff\xc3";
        payload += "\xf0\x9f\x98\x80"; // four bytes, a surrogate pair
    }
    auto run = [&](qsizetype slice, QStringList *shown) {
        QTextEdit view;
        MqttLogView::Options o;
        o.maxBlocks = maxBlocks;
        o.maxLineChars = 60;
        o.prepareBytesPerTurn = slice;
        MqttLogView log(&view, o);
        log.append(QTime(12, 34), QStringLiteral("big"), payload);
        log.append(QTime(12, 34), QStringLiteral("s"), "after");
        if (slice < payload.size()) {
            QCOMPARE(log.pendingLines(), 2);
            QCoreApplication::processEvents();
            QVERIFY(view.document()->isEmpty()); // one slice, nothing whole yet
        }
        QTRY_COMPARE(log.pendingLines(), 0);
        *shown = blocks(view);
    };
    QStringList whole, sliced;
    run(1 << 20, &whole);
    run(100, &sliced);
    QCOMPARE(sliced, whole);
    QCOMPARE(whole.last(), line(QStringLiteral("s"), QStringLiteral("after")));
    if (maxBlocks < 1000)
        QCOMPARE(whole.size(), maxBlocks);
}

void TestMqttLogView::messageFillingTheCapOverManyUpdates()
{
    // A message of at least the cap's lines, written over several updates:
    // each update goes on where the last one stopped, and it is shown.
    QTextEdit view;
    MqttLogView::Options o;
    o.maxBlocks = 50;
    o.maxCharsPerWrite = 40;
    o.coalesceMs = 0;
    MqttLogView log(&view, o);
    QByteArray payload;
    for (int i = 0; i < 200; ++i)
        payload += QByteArray::number(i) + '\n';
    log.append(QTime(12, 34), QStringLiteral("t"), payload);
    QTRY_COMPARE_WITH_TIMEOUT(log.pendingLines(), 0, 2000);
    const QStringList shown = blocks(view);
    QCOMPARE(shown.size(), 50);
    QCOMPARE(shown.first(), QStringLiteral("151"));
    QCOMPARE(shown.at(48), QStringLiteral("199"));
}

VELM_TEST_MAIN(TestMqttLogView)
#include "tst_mqttlogview.moc"
