// SMS and the GPRS link of the "GSM Debug" page against the scripted modem:
// text mode, read, delete, delete all, send, the message limit, and the
// link's bring-up, data both ways and take-down.
#include "gsmpagefixture.h"
#include "testsupport.h"
#include "rxformat.h"

#include "eventwait.h"
#include "gsm/gsmsession.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextCodec>
#include <memory>

using TestSupport::GsmModem;

namespace {

using TestSupport::press;

} // namespace

class TestGsmSmsPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textModeSwitchSelectsUcs2();
    void readShowsMessageOrRawReply();
    void badIndexesAreRefusedBeforeWriting();
    void deleteAllWaitsForEachResult();
    void returnOnDeleteAllAnswersNo();
    void deleteAllSaysWhatTheModemRefused();
    void messageTextThatReadsLikeAResult_data();
    void messageTextThatReadsLikeAResult();
    void callDuringReadIsReported();
    void newMessageWithTheSendResultIsReported_data();
    void newMessageWithTheSendResultIsReported();
    void latePromptIsCancelled_data();
    void latePromptIsCancelled();
    void sendWritesTextAfterPrompt();
    void sendWithoutConfirmationFails();
    void messageBoxKeeps70Units();
    void linkBringUpDataAndTakeDown();
    void linkRefusedOrBadServer();
    void linkDataThatReadsLikeResults();
    void linkTextSplitAnywhereShowsWhole();

private:
    void openPort() { gsm.openPort(); }
    void connectLink();
    QString status() const { return f.w->ui->statusBar->currentMessage(); }
    Ui::MainWindow *ui() const { return f.w->ui; }

    TestSupport::GsmPageFixture gsm;
    TestSupport::DeviceWindowFixture &f = gsm.f;
    std::unique_ptr<GsmModem> &modem = gsm.modem;
};

void TestGsmSmsPage::init()
{
    if (!gsm.start())
        QSKIP("no pseudo-terminal");
    modem->echo = false;
}

void TestGsmSmsPage::cleanup()
{
    gsm.stop();
}

void TestGsmSmsPage::connectLink()
{
    press(ui()->GSMTCPopencompushButton);
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("connection succeeded"));
    QCOMPARE(f.w->gsmTcpOpen, 1);
}

void TestGsmSmsPage::textModeSwitchSelectsUcs2()
{
    OPEN_PORT();
    QCOMPARE(f.w->gsm->smsTextMode, 0);
    press(ui()->GSMDuanXinWenBenKaiguanpushButton);
    QCOMPARE(modem->commands(), (QList<QByteArray>{"AT+CMGF=1", "AT+CSCS=\"UCS2\""}));
    QCOMPARE(f.w->gsm->smsTextMode, 1);
    QVERIFY(f.w->gsm->call.ucs2);
    // With UCS2 taken, a caller number in UCS2 shows as digits.
    f.device->write("\r\nRING\r\n");
    f.device->writeLater(50, "\r\n+CLIP: \"00310030003000380036\",129,\"\",0\r\n");
    QTRY_COMPARE(status(), QStringLiteral("Have a new call:10086"));

    modem->silence("AT+CMGF=0");
    press(ui()->GSMDuanXinWenBenKaiguanpushButton);
    QCOMPARE(f.w->gsm->smsTextMode, 1);
    QCOMPARE(f.prompts->texts(), QStringList{"No response"});
}

void TestGsmSmsPage::readShowsMessageOrRawReply()
{
    OPEN_PORT();
    modem->messages.insert(3, "\r\n+CMGR: \"REC READ\",\"002B0038003600310030003000380036\",\"\","
                              "\"24/12/09,10:15:02+32\"\r\n0048006900204E2D6587\r\n\r\nOK\r\n");
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("3"), true});
    press(ui()->GSMReadTextpushButton);
    QCOMPARE(ui()->GSMReadtextBrowser->toPlainText(),
             QStringLiteral("Sender:+8610086\nTime:24/12/09,10:15:02+32\nHi 中文"));
    QCOMPARE(f.prompts->requests().at(0).kind, UiPrompt::Kind::TextInput);

    // A reply without a message is shown as the modem sent it.
    modem->messages.insert(4, "\r\n+CMGR: <i>garbled\r\n\r\nOK\r\n");
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("4"), true});
    press(ui()->GSMReadTextpushButton);
    QVERIFY(ui()->GSMReadtextBrowser->toPlainText().contains(QStringLiteral("+CMGR: <i>garbled")));

    // An error result ends the read at once with the box.
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("9"), true});
    QElapsedTimer t;
    t.start();
    press(ui()->GSMReadTextpushButton);
    QVERIFY(t.elapsed() < 800);
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("Error"));
}

void TestGsmSmsPage::badIndexesAreRefusedBeforeWriting()
{
    OPEN_PORT();
    for (const char *index : {"", "1,4;"}) {
        f.prompts->clear();
        f.prompts->queue({QMessageBox::Ok, QLatin1String(index), true});
        press(ui()->GSMReadTextpushButton);
        QCOMPARE(f.prompts->texts().last(), QStringLiteral("Error message box number"));
        f.prompts->queue({QMessageBox::Ok, QLatin1String(index), true});
        press(ui()->GSMDelTextpushButton);
        QCOMPARE(f.prompts->texts().last(), QStringLiteral("Error message box number"));
    }
    // Cancelled: nothing either.
    f.prompts->queue({QMessageBox::Cancel, QString(), false});
    press(ui()->GSMDelTextpushButton);
    QTest::qWait(50);
    QVERIFY(f.device->received().isEmpty());

    modem->messages.insert(2, "x");
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("2"), true});
    press(ui()->GSMDelTextpushButton);
    QCOMPARE(modem->commands(), QList<QByteArray>{"AT+CMGD=2,0"});
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("Successfully deleted"));
}

void TestGsmSmsPage::deleteAllWaitsForEachResult()
{
    OPEN_PORT();
    modem->script("AT+CMGF=1", {{200, "\r\nOK\r\n"}});
    modem->cmgf = 1; // the scripted answer does not switch it
    f.prompts->queue({QMessageBox::Yes, QString(), true});
    press(ui()->GSMDelALLTextpushButton);
    const QStringList talk = modem->talk().mid(modem->talk().indexOf(QStringLiteral("> AT+CMGF=1")));
    QCOMPARE(talk, (QStringList{"> AT+CMGF=1", "< |OK|", "> AT+CMGDA=DEL ALL", "< |OK|", "> AT+CMGF=0",
                                "< |OK|"}));
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("Successfully deleted"));
    QCOMPARE(f.w->gsm->smsTextMode, 0);

    // Refused by the modem: no success box.
    modem->script("AT+CMGDA=DEL ALL", {{0, "\r\nERROR\r\n"}});
    f.prompts->clear();
    f.prompts->queue({QMessageBox::Yes, QString(), true});
    press(ui()->GSMDelALLTextpushButton);
    QVERIFY(!f.prompts->texts().contains(QStringLiteral("Successfully deleted")));
    // Not confirmed: nothing is written.
    modem->clearCommands();
    f.prompts->queue({QMessageBox::No, QString(), true});
    press(ui()->GSMDelALLTextpushButton);
    QTest::qWait(50);
    QVERIFY(modem->commands().isEmpty());
}

void TestGsmSmsPage::returnOnDeleteAllAnswersNo()
{
    OPEN_PORT();
    f.prompts->queueReturn();
    press(ui()->GSMDelALLTextpushButton);
    QCOMPARE(f.prompts->requests().size(), 1);
    QCOMPARE(f.prompts->requests().at(0).kind, UiPrompt::Kind::Question);
    QCOMPARE(f.prompts->requests().at(0).defaultButton, QMessageBox::No);
    QTest::qWait(50);
    QVERIFY(modem->commands().isEmpty());

    // The real box, answered with the Return key.
    f.prompts.reset();
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        defaultButton = box->standardButton(box->defaultButton());
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start(20);
    press(ui()->GSMDelALLTextpushButton);
    f.prompts = std::make_unique<TestSupport::PromptRecorder>();
    QCOMPARE(defaultButton, QMessageBox::No);
    QTest::qWait(50);
    QVERIFY(modem->commands().isEmpty());
    QVERIFY(f.device->received().isEmpty());
}

void TestGsmSmsPage::deleteAllSaysWhatTheModemRefused()
{
    OPEN_PORT();
    // Text mode refused: nothing is deleted, and the user is told why.
    modem->script("AT+CMGF=1", {{0, "\r\n+CME ERROR: 4\r\n"}});
    f.prompts->queue({QMessageBox::Yes, QString(), true});
    press(ui()->GSMDelALLTextpushButton);
    QCOMPARE(modem->commands(), QList<QByteArray>{"AT+CMGF=1"});
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("The modem refused AT+CMGF=1: +CME ERROR: 4"));
    // Deleting refused (the modem stays in PDU mode for it).
    modem->unscript("AT+CMGF=1");
    modem->script("AT+CMGDA=DEL ALL", {{0, "\r\n+CMS ERROR: 500\r\n"}});
    modem->clearCommands();
    f.prompts->clear();
    f.prompts->queue({QMessageBox::Yes, QString(), true});
    press(ui()->GSMDelALLTextpushButton);
    QCOMPARE(modem->commands(), (QList<QByteArray>{"AT+CMGF=1", "AT+CMGDA=DEL ALL", "AT+CMGF=0"}));
    QCOMPARE(f.prompts->texts().mid(1), QStringList{"The modem refused AT+CMGDA=DEL ALL: +CMS ERROR: 500"});
}

void TestGsmSmsPage::messageTextThatReadsLikeAResult_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("split"); // the final OK in a later read
    QTest::addColumn<bool>("echo");
    QTest::newRow("OK, one read") << QByteArray("OK") << false << false;
    QTest::newRow("OK, final later") << QByteArray("OK") << true << true;
    QTest::newRow("ERROR, one read") << QByteArray("ERROR") << false << true;
    QTest::newRow("ERROR, final later") << QByteArray("ERROR") << true << false;
    QTest::newRow("+CMS ERROR, one read") << QByteArray("+CMS ERROR: 500") << false << false;
}

void TestGsmSmsPage::messageTextThatReadsLikeAResult()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, split);
    QFETCH(bool, echo);
    OPEN_PORT();
    modem->echo = echo;
    const QByteArray header = "\r\n+CMGR: \"REC READ\",\"+8610086\",\"\",\"24/12/09,10:15:02+32\"\r\n";
    if (split)
        modem->script("AT+CMGR=5", {{0, header + text + "\r\n"}, {250, "\r\nOK\r\n"}});
    else
        modem->messages.insert(5, header + text + "\r\n\r\nOK\r\n");
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("5"), true});
    press(ui()->GSMReadTextpushButton);
    QCOMPARE(ui()->GSMReadtextBrowser->toPlainText(),
             QStringLiteral("Sender:+8610086\nTime:24/12/09,10:15:02+32\n") + QString::fromLatin1(text));
    QCOMPARE(f.prompts->requests().size(), 1);
}

void TestGsmSmsPage::callDuringReadIsReported()
{
    OPEN_PORT();
    modem->echo = true;
    modem->script("AT+CMGR=3", {{0, "\r\nRING\r\n"},
                                {60, "\r\n+CLIP: \"10086\",129,\"\",0\r\n"},
                                {200, "\r\n+CMGR: \"REC READ\",\"+8610086\",\"\",\"t\"\r\nhi\r\n\r\nOK\r\n"}});
    f.prompts->queue({QMessageBox::Ok, QStringLiteral("3"), true});
    press(ui()->GSMReadTextpushButton);
    QCOMPARE(ui()->GSMReadtextBrowser->toPlainText(), QStringLiteral("Sender:+8610086\nTime:t\nhi"));
    QCOMPARE(status(), QStringLiteral("Have a new call:10086"));
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));
    QVERIFY(f.w->gsm->call.incomingCall);
}

void TestGsmSmsPage::newMessageWithTheSendResultIsReported_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("after the result") << QByteArray("\r\n+CMGS: 12\r\n\r\nOK\r\n\r\n+CMTI: \"SM\",4\r\n");
    QTest::newRow("before the result") << QByteArray("\r\n+CMTI: \"SM\",4\r\n\r\n+CMGS: 12\r\n\r\nOK\r\n");
    QTest::newRow("between") << QByteArray("\r\n+CMGS: 12\r\n\r\n+CMTI: \"SM\",4\r\n\r\nOK\r\n");
}

void TestGsmSmsPage::newMessageWithTheSendResultIsReported()
{
    QFETCH(QByteArray, answer);
    OPEN_PORT();
    modem->sentAnswer = answer;
    QSignalSpy shown(ui()->statusBar, &QStatusBar::messageChanged);
    ui()->GSMNUMtextEdit->setPlainText(QStringLiteral("10086"));
    ui()->GSMtextBrowser->setPlainText(QStringLiteral("hi"));
    press(ui()->GSMSendpushButton);
    QTest::qWait(100);
    QStringList messages;
    for (const QList<QVariant> &args : shown)
        messages << args.at(0).toString();
    QVERIFY2(messages.contains(QStringLiteral("Have new SMS, SMS box:: 4")), qPrintable(messages.join('|')));
    QVERIFY(messages.contains(QStringLiteral("SMS sent successfully")));
}

void TestGsmSmsPage::latePromptIsCancelled_data()
{
    QTest::addColumn<bool>("link");
    QTest::newRow("SMS") << false;
    QTest::newRow("GPRS data") << true;
}

void TestGsmSmsPage::latePromptIsCancelled()
{
    QFETCH(bool, link);
    OPEN_PORT();
    if (link)
        connectLink();
    // The prompt comes after the page gave up on it.
    modem->promptDelayMs = 1500;
    f.device->clearReceived();
    ui()->GSMNUMtextEdit->setPlainText(QStringLiteral("10086"));
    ui()->GSMtextBrowser->setPlainText(QStringLiteral("hi"));
    ui()->GSMTcpsendBrowser->setPlainText(QStringLiteral("hi"));
    press(link ? ui()->GSMTCPsendmsgBtn : ui()->GSMSendpushButton);
    QVERIFY(f.device->waitForText("\x1b"));
    QVERIFY(f.device->received().endsWith("\x1b"));
    QTRY_COMPARE(modem->cancelled, 1);
    QVERIFY(modem->bodies.isEmpty());
    // The modem takes the next command as a command again.
    QTest::qWait(500);
    modem->promptDelayMs = 0;
    modem->clearCommands();
    press(link ? ui()->GSMTCPsendmsgBtn : ui()->GSMSendpushButton);
    QCOMPARE(modem->bodies.size(), 1);
}

void TestGsmSmsPage::sendWritesTextAfterPrompt()
{
    OPEN_PORT();
    ui()->GSMNUMtextEdit->setPlainText(QStringLiteral("10086"));
    ui()->GSMtextBrowser->setPlainText(QStringLiteral("A\nB"));
    press(ui()->GSMSendpushButton);
    QCOMPARE(modem->commands(),
             (QList<QByteArray>{"AT+CSMP=17,167,2,25", "AT+CSCS=\"UCS2\"", "AT+CMGS=\"00310030003000380036\""}));
    QVERIFY(f.device->received().endsWith("0041000a0042\x1a"));
    QCOMPARE(modem->bodies, QList<QByteArray>{"0041000a0042"});
    QCOMPARE(status(), QStringLiteral("SMS sent successfully"));

    // No prompt: the text is never written.
    modem->silence("AT+CMGS=\"00310030003000380036\"");
    f.device->clearReceived();
    press(ui()->GSMSendpushButton);
    QCOMPARE(status(), QStringLiteral("SMS sent failed"));
    QVERIFY(!f.device->received().contains("0041000a0042"));
    // An error instead of the prompt ends the send as failed.
    modem->script("AT+CMGS=\"00310030003000380036\"", {{0, "\r\n+CMS ERROR: 500\r\n"}});
    ui()->statusBar->clearMessage();
    press(ui()->GSMSendpushButton);
    QCOMPARE(status(), QStringLiteral("SMS sent failed"));
    QCOMPARE(modem->bodies.size(), 1);
}

void TestGsmSmsPage::sendWithoutConfirmationFails()
{
    OPEN_PORT();
    modem->sentAnswer.clear();
    // The minute-long wait for the network, shortened.
    int waits = 0;
    f.w->gsm->exchange.setWait([&waits](int) {
        ++waits;
        waitProcessingEvents(1);
    });
    ui()->GSMNUMtextEdit->setPlainText(QStringLiteral("10086"));
    ui()->GSMtextBrowser->setPlainText(QStringLiteral("hi"));
    press(ui()->GSMSendpushButton);
    QCOMPARE(status(), QStringLiteral("SMS sent failed"));
    QCOMPARE(modem->bodies, QList<QByteArray>{"00680069"});
    QVERIFY(waits >= 600);
}

void TestGsmSmsPage::messageBoxKeeps70Units()
{
    OPEN_PORT();
    QTextEdit *box = ui()->GSMtextBrowser;
    box->clear();
    box->insertPlainText(QString(200, QLatin1Char('x')));
    QCOMPARE(box->toPlainText(), QString(70, QLatin1Char('x')));
    box->clear();
    box->insertPlainText(QString(69, QLatin1Char('a')));
    box->insertPlainText(QString::fromUtf8("\xF0\x9F\x98\x80"));
    QCOMPARE(box->toPlainText(), QString(69, QLatin1Char('a')));

    // The number box (a table in the form) stays one line and keeps what
    // was typed.
    QTextEdit *number = ui()->GSMNUMtextEdit;
    number->setFocus();
    number->moveCursor(QTextCursor::End);
    QTest::keyClicks(number, QStringLiteral("55"));
    QTest::keyClick(number, Qt::Key_Return);
    number->insertPlainText(QStringLiteral("6\n7"));
    QVERIFY2(number->toPlainText().endsWith(QStringLiteral("5567")), qPrintable(number->toPlainText()));
    QVERIFY(!number->toPlainText().contains(QLatin1Char('\n')));
}

void TestGsmSmsPage::linkBringUpDataAndTakeDown()
{
    OPEN_PORT();
    modem->connectAnswer.clear();
    modem->script("AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"", {{0, "\r\nOK\r\n\r\nCONNECT"}, {150, " OK\r\nhi\n"}});
    press(ui()->GSMTCPopencompushButton);
    QCOMPARE(modem->commands(), (QList<QByteArray>{"AT+CGCLASS=\"B\"", "AT+CGDCONT=1,\"IP\",\"CMNET\"", "AT+CGATT=1",
                                                   "AT+CIPCSGP=1,\"CMNET\"", "AT+CLPORT=\"TCP\",\"2222\"",
                                                   "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\""}));
    QCOMPARE(f.prompts->texts(), QStringList{"connection succeeded"});
    QCOMPARE(f.w->gsmTcpOpen, 1);
    QCOMPARE(ui()->GSMTCPopencompushButton->text(), QStringLiteral("Disconnect"));
    QVERIFY(!ui()->gsm_groupBox_call->isEnabled());

    // What the server sends shows in the page (GBK), also what came with
    // the connection's result; warnings do not.
    f.device->write(QTextCodec::codecForName("GBK")->fromUnicode(QStringLiteral("hello 你好")));
    QTRY_COMPARE(ui()->GSMTCPReadSBrowser->toPlainText(), QStringLiteral("hi\nhello 你好"));
    f.device->write("WARNNING: low power");
    QTest::qWait(50);
    f.device->write("!");
    QTRY_COMPARE(ui()->GSMTCPReadSBrowser->toPlainText(), QStringLiteral("hi\nhello 你好!"));

    // No prompt: the data are never written.
    modem->silence("AT+CIPSEND");
    ui()->GSMTcpsendBrowser->setPlainText(QStringLiteral("ping\n"));
    press(ui()->GSMTCPsendmsgBtn);
    QVERIFY(!f.device->received().contains("ping"));
    QCOMPARE(f.prompts->texts().last(), QStringLiteral("Error"));
    modem->unscript("AT+CIPSEND");
    modem->clearCommands();
    press(ui()->GSMTCPsendmsgBtn);
    QCOMPARE(modem->bodies, QList<QByteArray>{"ping\r\n"});
    QVERIFY(f.device->received().endsWith("ping\r\n\x1a"));

    press(ui()->GSMTCPopencompushButton);
    QCOMPARE(modem->commands().mid(1), (QList<QByteArray>{"AT+CIPCLOSE=1", "AT+CIPSHUT"}));
    QCOMPARE(f.w->gsmTcpOpen, 0);
    QCOMPARE(ui()->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
    QVERIFY(ui()->gsm_groupBox_call->isEnabled());
    // Input goes to the reader of unsolicited results again.
    f.device->write("\r\n+CMTI: \"SM\",5\r\n");
    QTRY_COMPARE(status(), QStringLiteral("Have new SMS, SMS box:: 5"));
}

void TestGsmSmsPage::linkRefusedOrBadServer()
{
    OPEN_PORT();
    modem->script("AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"", {{0, "\r\nERROR\r\n"}});
    press(ui()->GSMTCPopencompushButton);
    QCOMPARE(f.prompts->texts(), QStringList{"Error"});
    QCOMPARE(f.w->gsmTcpOpen, 0);
    QCOMPARE(ui()->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
    QVERIFY(ui()->gsm_groupBox_serial->isEnabled());

    for (const auto &server : {std::pair<const char *, const char *>{"", "1000"}, {"127.0.0.1", "0"},
                               {"a\",\"b", "1000"}, {"127.0.0.1", "70000"}}) {
        modem->clearCommands();
        ui()->GSMTCPclientIPlineEdit->setText(QLatin1String(server.first));
        ui()->GSMTCPclientPortlineEdit->setText(QLatin1String(server.second));
        press(ui()->GSMTCPopencompushButton);
        QCOMPARE(f.prompts->texts().last(), QStringLiteral("Please fill in the full server IP and PORT"));
        QTest::qWait(20);
        QVERIFY(modem->commands().isEmpty());
        QCOMPARE(ui()->GSMTCPopencompushButton->text(), QStringLiteral("Connect"));
    }
}

void TestGsmSmsPage::linkTextSplitAnywhereShowsWhole()
{
    // GBK characters, a lone lead byte and an invalid byte, each cut
    // between two reads at every position: the view shows what the whole
    // stream shows, no byte after a cut is lost.
    OPEN_PORT();
    modem->connectAnswer.clear();
    modem->script("AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"", {{0, "\r\nOK\r\n\r\nCONNECT OK\r\n"}});
    connectLink();
    QTextEdit *view = ui()->GSMTCPReadSBrowser;
    const QByteArray stream = QByteArray::fromHex("c4e3bac3" "81" "0a" "d6d0" "ff" "42");
    RxFormat::GbkStreamDecoder whole;
    const QString expected = whole.decode(stream);
    for (int cut = 1; cut < stream.size(); ++cut) {
        view->clear();
        f.device->write(stream.left(cut));
        QTest::qWait(60); // a read of its own
        f.device->write(stream.mid(cut));
        QTRY_COMPARE_WITH_TIMEOUT(view->toPlainText().size(), expected.size(), 2000);
        QCOMPARE(view->toPlainText(), expected);
    }
}

void TestGsmSmsPage::linkDataThatReadsLikeResults()
{
    OPEN_PORT();
    modem->echo = true;
    modem->connectAnswer.clear();
    modem->script("AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"", {{0, "\r\nOK\r\n\r\nCONNECT OK\r\nhi\r\nOK\r\n"}});
    connectLink();
    QTextEdit *view = ui()->GSMTCPReadSBrowser;
    QTRY_COMPARE(view->toPlainText(), QStringLiteral("hi\nOK\n"));

    // The modem echoes the data; the server's lines come with the result.
    modem->sendAnswer = QByteArray("\r\nSEND OK\r\nOK\r\nERROR\r\nz\0z\r\n", 27);
    view->clear();
    ui()->GSMTcpsendBrowser->setPlainText(QStringLiteral("ERROR\n"));
    press(ui()->GSMTCPsendmsgBtn);
    QCOMPARE(modem->bodies, QList<QByteArray>{"ERROR\r\n"});
    QTRY_COMPARE(view->toPlainText(), QString::fromUtf8("OK\nERROR\nz\u2400z\n"));
    QCOMPARE(f.prompts->texts(), QStringList{"connection succeeded"});
    // Zero bytes between exchanges are data too.
    f.device->write(QByteArray("a\0b", 3));
    QTRY_COMPARE(view->toPlainText(), QString::fromUtf8("OK\nERROR\nz\u2400z\na\u2400b"));
    QVERIFY(!view->toPlainText().contains(QStringLiteral("SEND OK")));
}

VELM_TEST_MAIN(TestGsmSmsPage)
#include "tst_gsmsmspage.moc"
