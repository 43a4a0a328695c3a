// test-links: codecs
// Readers of modem replies and the unsolicited-result reader, without a
// window or a port.
#include "coresupport.h"

#include "gsm/gsmanswer.h"
#include "gsm/gsmcallstate.h"
#include "gsm/gsmreply.h"

using GsmReply::Final;
using Event = GsmCallState::Event;

Q_DECLARE_METATYPE(GsmReply::Final)

class TestGsmReply : public QObject
{
    Q_OBJECT

private slots:
    void finalResults_data();
    void finalResults();
    void signalValues_data();
    void signalValues();
    void signalIcons();
    void settings_data();
    void settings();
    void ucs2Numbers_data();
    void ucs2Numbers();
    void callState_data();
    void callState();
    void callEndKeepsLaterLines();
    void buffersAreCapped();
    void answerAndOthers_data();
    void answerAndOthers();
};

void TestGsmReply::finalResults_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<Final>("result");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("ok") << QByteArray("AT\r\r\nOK\r\n") << Final::Ok << QByteArray("OK");
    QTest::newRow("ok split") << QByteArray("\r\nO") << Final::None << QByteArray();
    QTest::newRow("error") << QByteArray("\r\nERROR\r\n") << Final::Error << QByteArray("ERROR");
    QTest::newRow("cme") << QByteArray("\r\n+CME ERROR: 10\r\n") << Final::Error << QByteArray("+CME ERROR: 10");
    QTest::newRow("cms") << QByteArray("\r\n+CMS ERROR: 321\r\n") << Final::Error << QByteArray("+CMS ERROR: 321");
    QTest::newRow("cms unfinished") << QByteArray("\r\n+CMS ERROR: 3") << Final::None << QByteArray();
    QTest::newRow("ok inside a word") << QByteArray("\r\nCONNECT OK\r\n") << Final::None << QByteArray();
    QTest::newRow("first wins") << QByteArray("\r\nERROR\r\n\r\nOK\r\n") << Final::Error << QByteArray("ERROR");
    QTest::newRow("zero bytes are dropped on append") << QByteArray("\r\nO\0K\r\n", 7) << Final::Ok << QByteArray("OK");
}

void TestGsmReply::finalResults()
{
    QFETCH(QByteArray, reply);
    QFETCH(Final, result);
    QFETCH(QByteArray, line);
    QByteArray buffer;
    GsmReply::appendCapped(&buffer, reply);
    QByteArray got;
    QCOMPARE(GsmReply::finalResult(buffer, &got), result);
    if (result != Final::None)
        QCOMPARE(got, line);
}

void TestGsmReply::signalValues_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("rssi"); // -1: no value yet
    QTest::newRow("two digits") << QByteArray("AT+CSQ\r\r\n+CSQ: 18,0\r\n\r\nOK\r\n") << 18;
    QTest::newRow("one digit") << QByteArray("\r\n+CSQ: 5,0\r\n\r\nOK\r\n") << 5;
    QTest::newRow("unknown") << QByteArray("\r\n+CSQ: 99,99\r\n\r\nOK\r\n") << 99;
    QTest::newRow("no OK yet") << QByteArray("\r\n+CSQ: 18,0\r\n") << -1;
    QTest::newRow("OK without value line") << QByteArray("\r\nOK\r\n") << -1;
    QTest::newRow("value missing") << QByteArray("\r\n+CSQ: ,0\r\n\r\nOK\r\n") << -1;
    QTest::newRow("overflow") << QByteArray("\r\n+CSQ: 99999999999999,0\r\n\r\nOK\r\n") << -1;
}

void TestGsmReply::signalValues()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, rssi);
    int got = -1;
    QCOMPARE(GsmReply::signalValue(reply, &got), rssi >= 0);
    if (rssi >= 0)
        QCOMPARE(got, rssi);
}

void TestGsmReply::signalIcons()
{
    const struct {
        int rssi;
        const char *icon;
    } rows[] = {{0, ":/images/sig25.png"},   {1, ":/images/sig50.png"},   {2, ":/images/sig75.png"},
                {30, ":/images/sig75.png"},  {31, ":/images/sig100.png"}, {98, ":/images/sig100.png"},
                {99, ":/images/sig0.png"},   {100, ""},                   {-1, ""}};
    for (const auto &row : rows)
        QCOMPARE(GsmReply::signalIcon(row.rssi), QString::fromLatin1(row.icon));
}

void TestGsmReply::settings_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("clip");
    QTest::addColumn<int>("ringTone");
    QTest::addColumn<int>("smsMode");
    QTest::newRow("clip on") << QByteArray("\r\n+CLIP: 1,1\r\n\r\nOK\r\n") << 1 << -1 << -1;
    QTest::newRow("clip off, provisioned") << QByteArray("\r\n+CLIP: 0,1\r\n") << 0 << -1 << -1;
    QTest::newRow("calm 0 rings") << QByteArray("\r\n+CALM: 0\r\n\r\nOK\r\n") << -1 << 1 << -1;
    QTest::newRow("calm 1 silent") << QByteArray("\r\n+CALM: 1\r\n\r\nOK\r\n") << -1 << 0 << -1;
    QTest::newRow("cmgf text") << QByteArray("\r\n+CMGF: 1\r\n\r\nOK\r\n") << -1 << -1 << 1;
    QTest::newRow("cmgf pdu") << QByteArray("\r\n+CMGF: 0\r\n") << -1 << -1 << 0;
    QTest::newRow("cmgf no digit") << QByteArray("\r\n+CMGF: x\r\n") << -1 << -1 << -1;
}

void TestGsmReply::settings()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, clip);
    QFETCH(int, ringTone);
    QFETCH(int, smsMode);
    QCOMPARE(GsmReply::clipSetting(reply), clip);
    QCOMPARE(GsmReply::ringToneSetting(reply), ringTone);
    QCOMPARE(GsmReply::smsModeSetting(reply), smsMode);
}


void TestGsmReply::ucs2Numbers_data()
{
    QTest::addColumn<QByteArray>("number");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits") << QByteArray("00310030003000380036") << QStringLiteral("10086");
    QTest::newRow("plus star hash") << QByteArray("002B002A0023") << QStringLiteral("+*#");
    QTest::newRow("plain number") << QByteArray("10086") << QStringLiteral("10086");
    QTest::newRow("letter group") << QByteArray("00410031") << QStringLiteral("00410031");
    QTest::newRow("not hex") << QByteArray("003G") << QStringLiteral("003G");
}

void TestGsmReply::ucs2Numbers()
{
    QFETCH(QByteArray, number);
    QFETCH(QString, shown);
    QCOMPARE(GsmReply::decodeUcs2Number(number), shown);
}

void TestGsmReply::callState_data()
{
    // Chunks separated by "|"; events as kind letters with their text:
    // E call ended, B busy, C calling, I incoming, N caller number, M message.
    QTest::addColumn<QByteArray>("chunks");
    QTest::addColumn<bool>("ucs2");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("ring then clip") << QByteArray("\r\nRING\r\n|\r\n+CLIP: \"10086\",129,\"\",0,\"\",0\r\n") << false
                                    << QStringList{"I", "N10086"};
    QTest::newRow("ring and clip in one chunk: number with the next")
        << QByteArray("\r\nRING\r\n\r\n+CLIP: \"10086\",161,\"\",0\r\n|\r\nRING\r\n") << false
        << QStringList{"I", "N10086"};
    QTest::newRow("ucs2 number") << QByteArray("RING\r\n|+CLIP: \"00310030003000380036\",129,,\r\n") << true
                                 << QStringList{"I", "N10086"};
    QTest::newRow("withheld number") << QByteArray("RING\r\n|+CLIP: ,128,,\r\n") << false << QStringList{"I"};
    QTest::newRow("new message") << QByteArray("\r\n+CMTI: \"SM\",3\r\n") << false << QStringList{"M3"};
    QTest::newRow("message index split") << QByteArray("\r\n+CMTI: \"SM\",1|2\r\n") << false << QStringList{"M12"};
    QTest::newRow("other storage waits") << QByteArray("\r\n+CMTI: \"ME\",3\r\n") << false << QStringList{};
    QTest::newRow("no carrier") << QByteArray("\r\nNO CARRIER\r\n") << false << QStringList{"E"};
    QTest::newRow("busy") << QByteArray("\r\nBUSY\r\n") << false << QStringList{"B"};
    QTest::newRow("colp") << QByteArray("\r\n+COLP: \"10086\",129\r\n") << false << QStringList{"C"};
    QTest::newRow("ring reported once") << QByteArray("RING\r\n|RING\r\n|RING\r\n") << false << QStringList{"I"};
    QTest::newRow("ring after a call end is new") << QByteArray("RING\r\n|NO CARRIER\r\n|RING\r\n") << false
                                                  << QStringList{"I", "E", "I"};
}

void TestGsmReply::callState()
{
    QFETCH(QByteArray, chunks);
    QFETCH(bool, ucs2);
    QFETCH(QStringList, events);
    GsmCallState state;
    state.ucs2 = ucs2;
    QStringList got;
    for (const QByteArray &chunk : chunks.split('|')) {
        for (const Event &e : state.feed(chunk))
            got << QString(QLatin1String("EBCINM").at(int(e.kind))) + e.text;
    }
    QCOMPARE(got, events);
}

void TestGsmReply::callEndKeepsLaterLines()
{
    GsmCallState state;
    state.callActive = true;
    state.ringing = true;
    state.incomingCall = true;
    const QList<Event> events = state.feed("\r\nNO CARRIER\r\n\r\n+CMTI: \"SM\",7\r\n");
    QCOMPARE(events.size(), 2);
    QCOMPARE(events.at(0).kind, Event::CallEnded);
    QCOMPARE(events.at(1).kind, Event::NewMessage);
    QCOMPARE(events.at(1).text, QStringLiteral("7"));
    QVERIFY(!state.callActive && !state.ringing && !state.incomingCall && !state.clipPending);

    // A hang-up forgets the "RING" still in the buffer: the next chunk is
    // not a new call.
    state.feed("RING\r\n");
    state.endCall();
    QVERIFY(state.feed("\r\nOK\r\n").isEmpty());
}

void TestGsmReply::buffersAreCapped()
{
    GsmCallState state;
    const QByteArray noise(4096, 'x');
    for (int i = 0; i < 40; ++i)
        state.feed(noise);
    QCOMPARE(state.buffer.size(), GsmReply::kBufferCap);
}

void TestGsmReply::answerAndOthers_data()
{
    // The input is cut at every "|" into reads; the answer ends at its
    // final result (or the line given), and "passed" is what went on to the
    // other readers, in order.
    QTest::addColumn<QByteArray>("reads");
    QTest::addColumn<QByteArray>("endLine");   // empty: the final result ends
    QTest::addColumn<bool>("message");         // a "+CMGR:" reply
    QTest::addColumn<QByteArray>("passed");
    QTest::addColumn<QByteArray>("text");      // first message line
    const QByteArray header = "\r\n+CMGR: \"REC READ\",\"+8610086\",\"\",\"t\"\r\n";
    QTest::newRow("message OK in one read") << QByteArray(header + "OK\r\n\r\nOK\r\n") << QByteArray() << true
                                            << QByteArray() << QByteArray("OK");
    QTest::newRow("message OK, final later") << QByteArray(header + "OK\r\n|\r\nOK\r\n") << QByteArray() << true
                                             << QByteArray() << QByteArray("OK");
    QTest::newRow("message ERROR, split") << QByteArray(header + "ERR|OR\r|\n|\r\nOK\r\n") << QByteArray() << true
                                          << QByteArray() << QByteArray("ERROR");
    QTest::newRow("message +CMS ERROR") << QByteArray(header + "+CMS ERROR: 500\r\nOK\r\n") << QByteArray() << true
                                        << QByteArray() << QByteArray("+CMS ERROR: 500");
    QTest::newRow("ring and clip before the message")
        << QByteArray("AT+CMGR=1\r\r\nRING\r\n|\r\n+CLIP: \"10086\",129\r\n|" + header + "hi\r\n\r\nOK\r\n")
        << QByteArray() << true << QByteArray("RING\r\n+CLIP: \"10086\",129\r\n") << QByteArray("hi");
    QTest::newRow("cmti after the result, same read")
        << QByteArray("\r\n+CMGS: 12\r\n\r\nOK\r\n\r\n+CMTI: \"SM\",3\r\n") << QByteArray() << false
        << QByteArray("\r\n+CMTI: \"SM\",3\r\n") << QByteArray();
    QTest::newRow("cmti before the result") << QByteArray("\r\n+CMTI: \"SM\",3\r\n\r\n+CMGS: 12\r\n\r\nOK\r\n")
                                            << QByteArray() << false << QByteArray("+CMTI: \"SM\",3\r\n")
                                            << QByteArray();
    QTest::newRow("data after CONNECT OK, same read")
        << QByteArray("\r\nOK\r\n\r\nCONNECT OK\r\nhi\r\nOK\r\n") << QByteArray("CONNECT OK") << false
        << QByteArray("hi\r\nOK\r\n") << QByteArray();
    QTest::newRow("CR LF split after CONNECT OK, zero bytes kept")
        << QByteArray("\r\nCONNECT OK\r|\nOK\0\r\n", 20) << QByteArray("CONNECT OK") << false
        << QByteArray("OK\0\r\n", 5) << QByteArray();
    QTest::newRow("line cut between reads goes on whole") << QByteArray("\r\nRI|NG\r\n\r\nOK\r\n") << QByteArray()
                                                          << false << QByteArray("RING\r\n") << QByteArray();
}

void TestGsmReply::answerAndOthers()
{
    QFETCH(QByteArray, reads);
    QFETCH(QByteArray, endLine);
    QFETCH(bool, message);
    QFETCH(QByteArray, passed);
    QFETCH(QByteArray, text);
    GsmAnswer::Shape shape;
    shape.echo = "AT+CMGR=1";
    shape.ownPrefixes = {"+CMGS:"};
    shape.results = {"CONNECT OK"};
    if (message)
        shape.messageHeader = "+CMGR:";
    GsmAnswer answer(shape);
    QByteArray got;
    const auto ends = [&] {
        if (!endLine.isEmpty())
            return answer.hasLineStarting(endLine);
        return answer.final() != Final::None;
    };
    for (const QByteArray &read : reads.split('|'))
        answer.feed(read, [&](const QByteArray &b) { got += b; }, ends);
    QVERIFY(answer.ended());
    QCOMPARE(got, passed);
    if (endLine.isEmpty())
        QCOMPARE(answer.final(), Final::Ok);
    QCOMPARE(answer.hasMessage(), message);
    if (message) {
        QVERIFY(answer.messageComplete());
        QCOMPARE(answer.messageLines().value(0), text);
    }
}

VELM_CORE_TEST_MAIN(TestGsmReply)
#include "tst_gsmreply.moc"
