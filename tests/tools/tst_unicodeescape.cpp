// test-links: codecs
// Text <-> four-digit UTF-16 escapes of the "Unicode" page, without a window.

#include "coresupport.h"

#include "unicode/unicodeescape.h"

#include <QRandomGenerator>

using namespace UnicodeEscape;

class TestUnicodeEscape : public QObject
{
    Q_OBJECT

private slots:
    void toEscapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("escapes");
        QTest::newRow("Ab prefixed") << QString("Ab") << true << QString("\\U0041\\U0062");
        QTest::newRow("Ab plain") << QString("Ab") << false << QString("00410062");
        QTest::newRow("tab") << QString("\t") << true << QString("\\U0009");
        QTest::newRow("U+00FF") << QString(QChar(0x00FF)) << true << QString("\\U00FF");
        QTest::newRow("U+0100") << QString(QChar(0x0100)) << true << QString("\\U0100");
        QTest::newRow("U+4E2D") << QString(QChar(0x4E2D)) << true << QString("\\U4E2D");
        QTest::newRow("U+ABCD upper") << QString(QChar(0xABCD)) << false << QString("ABCD");
        QTest::newRow("U+1F600") << QString::fromUtf8("😀") << true << QString("\\UD83D\\UDE00");
        QTest::newRow("U+0000") << QString(QChar(0)) << false << QString("0000");
        QTest::newRow("empty") << QString() << true << QString();
    }

    void toEscapes()
    {
        QFETCH(QString, text);
        QFETCH(bool, prefix);
        QFETCH(QString, escapes);
        QCOMPARE(textToEscapes(text, prefix), escapes);
    }

    void toText_data()
    {
        QTest::addColumn<QString>("escapes");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<QString>("text");
        const QString zhong_wen = QString(QChar(0x4E2D)) + QChar(0x6587);
        QTest::newRow("upper prefix") << QString("\\U4E2D\\U6587") << true << zhong_wen;
        QTest::newRow("lower prefix") << QString("\\u4e2d\\u6587") << true << zhong_wen;
        QTest::newRow("mixed prefixes") << QString("\\u4E2D\\U6587") << true << zhong_wen;
        QTest::newRow("no prefix") << QString("4E2D6587") << false << zhong_wen;
        QTest::newRow("no prefix, box checked") << QString("4E2D6587") << true << zhong_wen;
        QTest::newRow("surrogates") << QString("\\UD83D\\UDE00") << true << QString::fromUtf8("😀");
        QTest::newRow("trailing digits dropped") << QString("004100") << false << QString("A");
        QTest::newRow("too short") << QString("004") << false << QString();
        QTest::newRow("empty") << QString() << true << QString();
        QTest::newRow("not hex") << QString("zz12") + "0041" << false << QString(QChar(0)) + "A";
        // With the box unchecked the prefix characters take part in the groups:
        // "\U00" is no number (0) and "41" is dropped as a short final group.
        QTest::newRow("prefixes counted") << QString("\\U0041") << false << QString(QChar(0));
        QTest::newRow("markup stays text") << textToEscapes("<b>x</b>", true) << true << QString("<b>x</b>");
    }

    void toText()
    {
        QFETCH(QString, escapes);
        QFETCH(bool, prefix);
        QFETCH(QString, text);
        QCOMPARE(escapesToText(escapes, prefix), text);
    }

    void longInputConvertedWhole()
    {
        // Far more than 100 units: all of them come back.
        QString text;
        for (int i = 0; i < 5000; ++i)
            text += QChar(0x4E00 + i % 500);
        QCOMPARE(escapesToText(textToEscapes(text, true), true), text);
        QCOMPARE(escapesToText(textToEscapes(text, false), false), text);
    }

    void randomRoundTrip()
    {
        // 1000 random UTF-16 code units, lone surrogates included.
        QRandomGenerator rng(0x0C0DE);
        QString text;
        for (int i = 0; i < 1000; ++i)
            text += QChar(char16_t(rng.bounded(0x10000)));
        for (bool prefix : {true, false}) {
            const QString escapes = textToEscapes(text, prefix);
            QCOMPARE(escapes.size(), qsizetype(1000 * (prefix ? 6 : 4)));
            QCOMPARE(escapesToText(escapes, prefix), text);
        }
        // And in short random strings, one at a time.
        for (int n = 0; n < 200; ++n) {
            QString t;
            const int len = rng.bounded(101);
            for (int i = 0; i < len; ++i)
                t += QChar(char16_t(rng.bounded(0x10000)));
            const bool prefix = rng.bounded(2);
            QCOMPARE(escapesToText(textToEscapes(t, prefix), prefix), t);
        }
    }
};

VELM_CORE_TEST_MAIN(TestUnicodeEscape)
#include "tst_unicodeescape.moc"
