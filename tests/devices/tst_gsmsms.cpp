// test-links: codecs
// SMS and data-link helpers of the GSM page without a window: UCS2 text,
// the "+CMGR" reader, the message limit and the checks of typed input.
#include "coresupport.h"

#include "gsm/gsmsms.h"

class TestGsmSms : public QObject
{
    Q_OBJECT

private slots:
    void ucs2Vectors_data();
    void ucs2Vectors();
    void ucs2Decoding();
    void readMessages_data();
    void readMessages();
    void garbledRepliesHoldNoMessage_data();
    void garbledRepliesHoldNoMessage();
    void messageLimit();
    void typedInput();
};

void TestGsmSms::ucs2Vectors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("hex");
    QTest::newRow("A LF B") << QStringLiteral("A\nB") << QByteArray("0041000a0042");
    QTest::newRow("y diaeresis") << QString(QChar(0x00ff)) << QByteArray("00ff");
    QTest::newRow("cyrillic") << QString(QChar(0x0416)) << QByteArray("0416");
    QTest::newRow("chinese") << QStringLiteral("中文") << QByteArray("4e2d6587");
    QTest::newRow("emoji is two units") << QString::fromUtf8("\xF0\x9F\x98\x80") << QByteArray("d83dde00");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestGsmSms::ucs2Vectors()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, hex);
    QCOMPARE(GsmSms::QStringtoUNicode(text), hex);
    QCOMPARE(GsmSms::UNicodetoQString(hex), text);
    QCOMPARE(GsmSms::UNicodetoQString(hex.toUpper()), text);
}

void TestGsmSms::ucs2Decoding()
{
    QCOMPARE(GsmSms::UNicodetoQString("00410042"), QStringLiteral("AB"));
    QCOMPARE(GsmSms::UNicodetoQString("004100"), QStringLiteral("A")); // partial group dropped
    QCOMPARE(GsmSms::UNicodetoQString("004"), QString());
    QCOMPARE(GsmSms::UNicodetoQString("zzzz"), QString(QChar(0)));
    // No length limit: 1000 digits are 250 units.
    QByteArray digits;
    QString expected;
    for (int i = 0; i < 250; ++i) {
        const ushort unit = ushort(0x4e00 + i);
        digits += QByteArray::number(unit, 16).rightJustified(4, '0');
        expected += QChar(unit);
    }
    QCOMPARE(digits.size(), 1000);
    QCOMPARE(GsmSms::UNicodetoQString(digits), expected);
}

void TestGsmSms::readMessages_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("text");
    QTest::newRow("received, UCS2")
        << QByteArray("AT+CMGR=3\r\r\n+CMGR: \"REC READ\",\"002B0038003600310030003000380036\",\"\","
                      "\"24/12/09,10:15:02+32\"\r\n00480069002C4E2D6587\r\n\r\nOK\r\n")
        << QStringLiteral("+8610086") << QStringLiteral("24/12/09,10:15:02+32") << QStringLiteral("Hi,中文");
    QTest::newRow("stored") << QByteArray("\r\n+CMGR: \"STO UNSENT\",\"0031\",\"\"\r\n00410042\r\n\r\nOK\r\n")
                            << QStringLiteral("1") << QString() << QStringLiteral("AB");
    QTest::newRow("non-ASCII sender") << QByteArray("\r\n+CMGR: \"REC UNREAD\",\"4E2D6587\",,\"t\"\r\n0041\r\nOK\r\n")
                                      << QStringLiteral("中文") << QStringLiteral("t") << QStringLiteral("A");
    QTest::newRow("plain text shown as it is")
        << QByteArray("\r\n+CMGR: \"REC READ\",\"+8610086\",\"\",\"t\"\r\n<b>Hello</b>\r\nline 2\r\n\r\nOK\r\n")
        << QStringLiteral("+8610086") << QStringLiteral("t") << QStringLiteral("<b>Hello</b>\nline 2");
}

void TestGsmSms::readMessages()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, sender);
    QFETCH(QString, time);
    QFETCH(QString, text);
    GsmSms::Message m;
    QVERIFY(GsmSms::parseMessage(reply, &m));
    QCOMPARE(m.sender, sender);
    QCOMPARE(m.time, time);
    QCOMPARE(m.text, text);
}

void TestGsmSms::garbledRepliesHoldNoMessage_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("no OK yet") << QByteArray("\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"t\"\r\n0041\r\n");
    QTest::newRow("OK only") << QByteArray("\r\nOK\r\n");
    QTest::newRow("other status") << QByteArray("\r\n+CMGR: \"XYZ\",\"0031\"\r\n0041\r\nOK\r\n");
    QTest::newRow("received without time") << QByteArray("\r\n+CMGR: \"REC READ\",\"0031\"\r\n0041\r\nOK\r\n");
    QTest::newRow("header cut") << QByteArray("\r\n+CMGR: \"REC REA\r\nOK\r\n").left(14);
    QTest::newRow("no fields") << QByteArray("+CMGR: \"\r\nOK\r\n");
    QTest::newRow("marker without its quote") << QByteArray("\r\n+CMGR: x\"STO UNSENT\",\"0031\",\"\"\r\n0041\r\n\r\nOK\r\n");
}

void TestGsmSms::garbledRepliesHoldNoMessage()
{
    QFETCH(QByteArray, reply);
    GsmSms::Message m;
    QVERIFY(!GsmSms::parseMessage(reply, &m));
}

void TestGsmSms::messageLimit()
{
    // Pasting 200 characters into an empty box keeps the first 70.
    const QString pasted = QString(200, QLatin1Char('x'));
    int cursor = 200;
    QCOMPARE(GsmSms::limitText(pasted, &cursor), pasted.left(70));
    QCOMPARE(cursor, 70);

    // 69 letters and an emoji: the whole pair goes, no half of it stays.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    cursor = 71;
    QCOMPARE(GsmSms::limitText(QString(69, QLatin1Char('a')) + emoji, &cursor), QString(69, QLatin1Char('a')));
    QCOMPARE(cursor, 69);

    // Typing in the middle of a full box removes what was just typed.
    const QString full = QString(35, QLatin1Char('a')) + QStringLiteral("XY") + QString(35, QLatin1Char('b'));
    cursor = 37;
    QCOMPARE(GsmSms::limitText(full, &cursor), QString(35, QLatin1Char('a')) + QString(35, QLatin1Char('b')));
    QCOMPARE(cursor, 35);

    cursor = 5;
    QCOMPARE(GsmSms::limitText(QStringLiteral("short"), &cursor), QStringLiteral("short"));
}

void TestGsmSms::typedInput()
{
    for (const char *good : {"1", "12", "255"})
        QVERIFY2(GsmSms::validIndex(QLatin1String(good)), good);
    for (const char *bad : {"", "1,4;", "1234", " 1", "a", "١"})
        QVERIFY2(!GsmSms::validIndex(QString::fromUtf8(bad)), bad);
    for (const char *good : {"127.0.0.1", "modem-test.example", "localhost"})
        QVERIFY2(GsmSms::validHost(QLatin1String(good)), good);
    for (const char *bad : {"", "a\",\"b", "host name", "h;x"})
        QVERIFY2(!GsmSms::validHost(QLatin1String(bad)), bad);
    for (const char *good : {"1", "1000", "65535"})
        QVERIFY2(GsmSms::validPort(QLatin1String(good)), good);
    for (const char *bad : {"", "0", "65536", "80a", "-1", "999999"})
        QVERIFY2(!GsmSms::validPort(QLatin1String(bad)), bad);

    QCOMPARE(GsmSms::linkData("ab\n"), QByteArray("ab\r\n"));
    QCOMPARE(GsmSms::linkData("a\nb"), QByteArray("a\nb"));
    QCOMPARE(GsmSms::linkData("a\x1a" "b\x1b"), QByteArray("ab"));
}

VELM_CORE_TEST_MAIN(TestGsmSms)
#include "tst_gsmsms.moc"
