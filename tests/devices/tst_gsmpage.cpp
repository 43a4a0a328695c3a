// The "GSM Debug" page against a scripted modem on a pseudo-terminal: the
// status query at open, signal icons, unsolicited results (also during an
// exchange), switches, errors, calls, redial, busy handling and closing.
#include "gsmpagefixture.h"
#include "testsupport.h"

#include "gsm/gsmsession.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTimer>
#include <memory>

using TestSupport::GsmModem;

namespace {

using TestSupport::press;

bool shows(const QAbstractButton *button, const char *icon)
{
    const QSize size(64, 32);
    return button->icon().pixmap(size).toImage() == QIcon(QLatin1String(icon)).pixmap(size).toImage();
}

} // namespace

class TestGsmPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openQueriesStatusAndShowsSignal_data();
    void openQueriesStatusAndShowsSignal();
    void unsolicitedResults();
    void announcementDuringExchangeIsReported();
    void switchesFollowTheModem();
    void refusalsAreSaid_data();
    void refusalsAreSaid();
    void toneResultIsAwaited();
    void vanishedModemIsSaidInWords();
    void errorResultEndsAtOnce();
    void callKeypadAndCallEnd();
    void ringCutThenCallDials();
    void redialStopsAfterThreeAttempts();
    void secondCommandWaitsAndHangupIsDeferred();
    void closeDuringExchange();
    void windowCloseDuringRedial();
    void numberBoxStaysOneLine();

private:
    void openPort() { gsm.openPort(); }
    QString status() const { return f.w->ui->statusBar->currentMessage(); }
    Ui::MainWindow *ui() const { return f.w->ui; }

    TestSupport::GsmPageFixture gsm;
    TestSupport::DeviceWindowFixture &f = gsm.f;
    std::unique_ptr<GsmModem> &modem = gsm.modem;
};

void TestGsmPage::init()
{
    if (!gsm.start())
        QSKIP("no pseudo-terminal");
}

void TestGsmPage::cleanup()
{
    gsm.stop();
}

void TestGsmPage::openQueriesStatusAndShowsSignal_data()
{
    QTest::addColumn<int>("rssi");
    QTest::addColumn<QString>("icon");
    QTest::newRow("5") << 5 << ":/images/sig75.png";
    QTest::newRow("99 not known") << 99 << ":/images/sig0.png";
}

void TestGsmPage::openQueriesStatusAndShowsSignal()
{
    QFETCH(int, rssi);
    QFETCH(QString, icon);
    modem->rssi = rssi;
    modem->clip = 1;
    modem->calm = 0;
    modem->cmgf = 1;
    f.makeWindow();
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(ui()->GSMportNameComboBox->currentText(), f.device->portPath());
    QVERIFY(!ui()->GSMbodianhuapushButton->isEnabled());
    press(ui()->GSMopencompushButton);

    QCOMPARE(f.device->received(), QByteArray("AT+CLIP?\r\nAT+CALM?\r\nAT+CMGF?\r\nAT+CSQ\r\n"));
    QCOMPARE(f.device->baudRate(), 9600);
    QCOMPARE(status(), QStringLiteral("Initialization completed"));
    QCOMPARE(ui()->GSMCheckSigneltext->pixmap().toImage(), QPixmap(icon).toImage());
    QVERIFY(shows(ui()->GSMLaidianKaiguanpushButton, ":/images/on.png"));
    QVERIFY(shows(ui()->GSMLaidianYingKaiguanpushButton, ":/images/on.png"));
    QVERIFY(shows(ui()->GSMDuanXinWenBenKaiguanpushButton, ":/images/on.png"));
    QVERIFY(ui()->GSMbodianhuapushButton->isEnabled());
    QVERIFY(ui()->GSMopencompushButton->isEnabled());
}

void TestGsmPage::unsolicitedResults()
{
    OPEN_PORT();
    f.device->write("\r\nRING\r\n");
    f.device->writeLater(50, "\r\n+CLIP: \"10086\",129,\"\",0,\"\",0\r\n");
    QTRY_COMPARE(status(), QStringLiteral("Have a new call:10086"));
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));

    f.device->write("\r\n+CMTI: \"SM\",3\r\n");
    QTRY_COMPARE(status(), QStringLiteral("Have new SMS, SMS box:: 3"));
    f.device->write("\r\nBUSY\r\n");
    QTRY_COMPARE(status(), QStringLiteral("busy"));
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Call"));
    QVERIFY(!f.w->gsm->call.incomingCall);
    // Modem text is shown as it stands.
    f.device->write("\r\n+CMTI: \"SM\",<b>9\r\n");
    QTRY_COMPARE(status(), QStringLiteral("Have new SMS, SMS box:: "));
}

void TestGsmPage::announcementDuringExchangeIsReported()
{
    OPEN_PORT();
    modem->script("AT+CSQ", {{300, "\r\n+CSQ: 20,0\r\n\r\nOK\r\n"}});
    f.device->writeLater(100, "\r\n+CMTI: \"SM\",3\r\n");
    press(ui()->GSMTestSignalpushButton);
    QCOMPARE(ui()->GSMCheckSigneltext->pixmap().toImage(), QPixmap(":/images/sig75.png").toImage());
    QCOMPARE(status(), QStringLiteral("Have new SMS, SMS box:: 3"));
}

void TestGsmPage::switchesFollowTheModem()
{
    OPEN_PORT();
    QCOMPARE(f.w->gsm->clipOn, 0);
    modem->script("AT+CLIP=1", {{0, "\r\nO"}, {30, "K\r\n"}});
    press(ui()->GSMLaidianKaiguanpushButton);
    QCOMPARE(f.w->gsm->clipOn, 1);
    QVERIFY(shows(ui()->GSMLaidianKaiguanpushButton, ":/images/on.png"));

    // Turning the ring tone off without an answer warns and keeps it on.
    QCOMPARE(f.w->gsm->ringToneOn, 1);
    modem->silence("AT+CALM=1");
    press(ui()->GSMLaidianYingKaiguanpushButton);
    QCOMPARE(f.w->gsm->ringToneOn, 1);
    QCOMPARE(f.prompts->texts(), QStringList{"No response"});
    // Refused by the modem: no change, and the refusal is said.
    modem->script("AT+CALM=1", {{0, "\r\nERROR\r\n"}});
    press(ui()->GSMLaidianYingKaiguanpushButton);
    QCOMPARE(f.w->gsm->ringToneOn, 1);
    QCOMPARE(f.prompts->requests().size(), 2);
    modem->script("AT+CALM=1", {{0, "\r\nOK\r\n"}});
    press(ui()->GSMLaidianYingKaiguanpushButton);
    QCOMPARE(f.w->gsm->ringToneOn, 0);
    QVERIFY(shows(ui()->GSMLaidianYingKaiguanpushButton, ":/images/off.png"));
}

void TestGsmPage::refusalsAreSaid_data()
{
    // The switch pressed, the setting the modem had at open, and its error.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("calm");
    QTest::addColumn<int>("cmgf");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("error");
    QTest::newRow("ring tone off") << "GSMLaidianYingKaiguanpushButton" << 0 << 0 << QByteArray("AT+CALM=1")
                                   << QByteArray("ERROR");
    QTest::newRow("ring tone on") << "GSMLaidianYingKaiguanpushButton" << 1 << 0 << QByteArray("AT+CALM=0")
                                  << QByteArray("+CME ERROR: 3");
    QTest::newRow("text mode off") << "GSMDuanXinWenBenKaiguanpushButton" << 0 << 1 << QByteArray("AT+CMGF=0")
                                   << QByteArray("ERROR");
    QTest::newRow("text mode on") << "GSMDuanXinWenBenKaiguanpushButton" << 0 << 0 << QByteArray("AT+CMGF=1")
                                  << QByteArray("+CMS ERROR: 302");
}

void TestGsmPage::refusalsAreSaid()
{
    QFETCH(QString, button);
    QFETCH(int, calm);
    QFETCH(int, cmgf);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, error);
    modem->calm = calm;
    modem->cmgf = cmgf;
    OPEN_PORT();
    const int ringTone = f.w->gsm->ringToneOn;
    const int textMode = f.w->gsm->smsTextMode;
    modem->script(command, {{0, "\r\n" + error + "\r\n"}});
    QElapsedTimer t;
    t.start();
    press(f.w->findChild<QPushButton *>(button));
    QVERIFY(t.elapsed() < 800);
    QCOMPARE(modem->commands(), QList<QByteArray>{command});
    QCOMPARE(f.prompts->texts(),
             QStringList{QStringLiteral("The modem refused %1: %2").arg(QLatin1String(command), QLatin1String(error))});
    QCOMPARE(f.prompts->requests().at(0).kind, UiPrompt::Kind::Warning);
    QCOMPARE(f.w->gsm->ringToneOn, ringTone);
    QCOMPARE(f.w->gsm->smsTextMode, textMode);
}

void TestGsmPage::toneResultIsAwaited()
{
    // The tone's OK comes late; the next command must not take it for its
    // own (this modem never answers caller-number presentation).
    OPEN_PORT();
    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10086"));
    press(ui()->GSMbodianhuapushButton);
    QVERIFY(f.w->gsm->call.callActive);
    modem->script("AT+VTS=5", {{300, "\r\nOK\r\n"}});
    modem->silence("AT+CLIP=1");
    press(ui()->GSMANJIANpushButton_5);
    press(ui()->GSMLaidianKaiguanpushButton);
    QCOMPARE(modem->commands().mid(1), (QList<QByteArray>{"AT+VTS=5", "AT+CLIP=1"}));
    QCOMPARE(f.w->gsm->clipOn, 0);
    QVERIFY(shows(ui()->GSMLaidianKaiguanpushButton, ":/images/off.png"));
}

void TestGsmPage::vanishedModemIsSaidInWords()
{
    OPEN_PORT();
    f.device->vanish();
    QTRY_VERIFY_WITH_TIMEOUT(!f.w->serialOpen, 2000);
    QCOMPARE(status(), QStringLiteral("Serial port lost, closed: the device was removed or closed"));
    QVERIFY(!ui()->GSMTestSignalpushButton->isEnabled());
}

void TestGsmPage::errorResultEndsAtOnce()
{
    OPEN_PORT();
    modem->script("AT+CSQ", {{10, "\r\n+CMS ERROR: 321\r\n"}});
    QElapsedTimer t;
    t.start();
    press(ui()->GSMTestSignalpushButton);
    // The wait would last 11 x 100 ms without the error.
    QVERIFY(t.elapsed() < 800);
    QCOMPARE(f.prompts->texts(), QStringList{"Error"});
    QCOMPARE(f.prompts->requests().at(0).kind, UiPrompt::Kind::Critical);
}

void TestGsmPage::callKeypadAndCallEnd()
{
    OPEN_PORT();
    // Keys without a call only extend the number.
    press(ui()->GSMANJIANpushButton_1);
    press(ui()->GSMANJIANpushButton_0);
    QCOMPARE(ui()->GSMtextBrowser_1->toPlainText(), QStringLiteral("10"));
    QVERIFY(modem->commands().isEmpty());
    // An empty number is refused before anything is written.
    press(ui()->GSMANJIANpushButton_Clean);
    QCOMPARE(status(), QStringLiteral("Already cleared"));
    press(ui()->GSMbodianhuapushButton);
    QCOMPARE(f.prompts->texts(), QStringList{"Error number"});
    QVERIFY(modem->commands().isEmpty());

    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10086"));
    press(ui()->GSMbodianhuapushButton);
    QCOMPARE(modem->commands(), QList<QByteArray>{"ATD10086;"});
    QCOMPARE(status(), QStringLiteral("Calling..."));
    press(ui()->GSMANJIANpushButton_11);
    QTRY_COMPARE(modem->commands().last(), QByteArray("AT+VTS=#"));

    f.device->write("\r\nNO CARRIER\r\n");
    QTRY_COMPARE(status(), QStringLiteral("call ended"));
    QVERIFY(!f.w->gsm->call.callActive);
    press(ui()->GSMANJIANpushButton_5);
    QTest::qWait(50);
    QCOMPARE(modem->count("AT+VTS"), 1);

    // The modem's own end of the call, 200 ms after the echo.
    modem->script("ATD10086#5;", {{200, "\r\nNO CARRIER\r\n"}});
    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10086#5"));
    press(ui()->GSMbodianhuapushButton);
    QTRY_COMPARE(status(), QStringLiteral("call ended"));
    QVERIFY(!f.w->gsm->call.callActive);
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Call"));
}

void TestGsmPage::ringCutThenCallDials()
{
    OPEN_PORT();
    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10086"));
    f.device->write("\r\nRING\r\n");
    QTRY_COMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));
    press(ui()->GSMguadianhuapushButton);
    QCOMPARE(status(), QStringLiteral("call ended"));
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Call"));
    press(ui()->GSMbodianhuapushButton);
    QCOMPARE(modem->commands(), (QList<QByteArray>{"ATH", "ATD10086;"}));
    // The next RING is a new call again; the dial button answers it.
    f.device->write("\r\nRING\r\n");
    QTRY_COMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Answer call"));
    press(ui()->GSMbodianhuapushButton);
    QCOMPARE(modem->commands().last(), QByteArray("ATA"));
    QCOMPARE(ui()->GSMbodianhuapushButton->text(), QStringLiteral("Call"));
    QVERIFY(f.w->gsm->call.callActive);
}

void TestGsmPage::redialStopsAfterThreeAttempts()
{
    OPEN_PORT();
    modem->dialResult = "\r\nNO CARRIER\r\n";
    modem->dialResultDelayMs = 100;
    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10010"));
    ui()->GSM_AutoRedial->setChecked(true);
    press(ui()->GSMbodianhuapushButton);
    QCOMPARE(modem->count("ATD10010;"), 3);
    QCOMPARE(status(), QStringLiteral("Stop"));
    QVERIFY(!ui()->GSM_AutoRedial->isChecked());
    QCOMPARE(f.prompts->texts(), QStringList{"For academic research only. Prohibiting telephone harassment!"});
    QCOMPARE(f.prompts->requests().at(0).title, QStringLiteral("Error: "));
    QTest::qWait(300);
    QCOMPARE(modem->count("ATD"), 3);
}

void TestGsmPage::secondCommandWaitsAndHangupIsDeferred()
{
    OPEN_PORT();
    modem->script("AT+CLIP=1", {{300, "\r\nOK\r\n"}});
    QTimer::singleShot(50, f.w.get(), [this] { press(ui()->GSMTestSignalpushButton); });
    QTimer::singleShot(100, f.w.get(), [this] { press(ui()->GSMguadianhuapushButton); });
    press(ui()->GSMLaidianKaiguanpushButton);
    QCOMPARE(modem->commands(), (QList<QByteArray>{"AT+CLIP=1", "ATH"}));
    QCOMPARE(f.w->gsm->clipOn, 1);
    QCOMPARE(f.device->received().count("ATH"), 1);
}

void TestGsmPage::closeDuringExchange()
{
    OPEN_PORT();
    modem->silence("AT+CLIP=1");
    QTimer::singleShot(100, f.w.get(), [this] { press(ui()->GSMopencompushButton); });
    QElapsedTimer t;
    t.start();
    press(ui()->GSMLaidianKaiguanpushButton);
    QVERIFY(t.elapsed() < 1000);
    QVERIFY(!f.w->serialOpen);
    QCOMPARE(status(), QStringLiteral("Serial closed"));
    QVERIFY(!ui()->GSMLaidianKaiguanpushButton->isEnabled());
    QCOMPARE(f.w->gsm->clipOn, 0);
    // Opened again, the page works as before.
    modem->script("AT+CLIP=1", {{0, "\r\nOK\r\n"}});
    press(ui()->GSMopencompushButton);
    QCOMPARE(status(), QStringLiteral("Initialization completed"));
    press(ui()->GSMLaidianKaiguanpushButton);
    QCOMPARE(f.w->gsm->clipOn, 1);
}

void TestGsmPage::windowCloseDuringRedial()
{
    OPEN_PORT();
    ui()->GSMtextBrowser_1->setPlainText(QStringLiteral("10086"));
    ui()->GSM_AutoRedial->setChecked(true);
    QElapsedTimer sinceClose;
    QTimer::singleShot(300, f.w.get(), [&] {
        sinceClose.start();
        f.w->close();
    });
    press(ui()->GSMbodianhuapushButton);
    QVERIFY(sinceClose.isValid());
    QVERIFY(sinceClose.elapsed() < 1000);
    QCOMPARE(modem->count("ATD"), 1);
    QVERIFY(!f.w->gsm->busy);
}

void TestGsmPage::numberBoxStaysOneLine()
{
    OPEN_PORT();
    QTextEdit *box = ui()->GSMtextBrowser_1;
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("100"));
    QTest::keyClick(box, Qt::Key_Return);
    box->insertPlainText(QStringLiteral("8\n6"));
    QCOMPARE(box->toPlainText(), QStringLiteral("10086"));
    QCOMPARE(box->document()->blockCount(), 1);
}

VELM_TEST_MAIN(TestGsmPage)
#include "tst_gsmpage.moc"
