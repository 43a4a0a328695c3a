// The command list ("Advanced") of the Serial Debug page over a socat pty:
// escapes, sending, saving, and the one-dialog rule.
#include "serialfixture.h"
#include "testsupport.h"

#include "commandlist.h"
#include "mainwindow.h"
#include "portlister.h"
#include "threadserial.h"
#include "ui_com_expand.h"
#include "ui_mainwindow.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLCDNumber>
#include <QPointer>
#include <QSerialPort>
#include <QSettings>

namespace {

void press(QAbstractButton *button)
{
    QPointer<QAbstractButton> b(button);
    QTest::mousePress(b, Qt::LeftButton);
    if (b)
        QTest::mouseRelease(b, Qt::LeftButton);
}

int commandDialogs(MainWindow &w)
{
    int n = 0;
    for (QDialog *d : w.findChildren<QDialog *>())
        if (d->objectName() == "COM_Expand" && d->isVisible())
            ++n;
    return n;
}
} // namespace

class TestCommandList : public QObject, public TestSupport::SerialWindowFixture
{
    Q_OBJECT

private slots:
    void escapes_data();
    void escapes();
    void init();
    void cleanup();
    void advancedOpensOneDialogAndSends();
    void namesAndCommandsSurviveSaveAndReopen();
    void emptyNameFallsBackToTheFormText();
    void sendWithoutPortTouchesNothing();
    void closingThePortClosesTheDialogAndANewOneIsUnharmed();

private:
    void makeWindowAndOpen();
    QString status() const { return w->ui->statusBar->currentMessage(); }

};

void TestCommandList::escapes_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("AT CR LF") << QByteArray("AT\\r\\n") << QByteArray::fromHex("41540d0a");
    QTest::newRow("doubled backslash before n") << QByteArray("\\\\n") << QByteArray::fromHex("5c0a");
    QTest::newRow("four backslashes") << QByteArray("\\\\\\\\") << QByteArray("\\\\");
    QTest::newRow("doubled backslash before ?") << QByteArray("\\\\?") << QByteArray("?");
    QTest::newRow("doubled backslash before quote") << QByteArray("\\\\\"") << QByteArray("\"");
    QTest::newRow("all control letters") << QByteArray("\\t\\a\\b\\f\\v") << QByteArray("\t\a\b\f\v");
    QTest::newRow("punctuation") << QByteArray("\\?\\'\\\"") << QByteArray("?'\"");
    QTest::newRow("hex escape is not one") << QByteArray("\\x41") << QByteArray("\\x41");
    QTest::newRow("unknown escape stays") << QByteArray("\\q\\0") << QByteArray("\\q\\0");
    QTest::newRow("trailing backslash") << QByteArray("AT\\") << QByteArray("AT\\");
    QTest::newRow("utf-8") << QString::fromUtf8("你好\\r").toUtf8() << QByteArray("\xe4\xbd\xa0\xe5\xa5\xbd\r");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestCommandList::escapes()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, sent);
    QCOMPARE(CommandList::resolveEscapes(typed), sent);
}

void TestCommandList::init()
{
    if (QByteArray(QTest::currentTestFunction()) == "escapes")
        return;
    if (!startSerialFixture())
        QSKIP("socat could not make a pseudo-terminal pair");
}

void TestCommandList::cleanup()
{
    stopSerialFixture();
}

void TestCommandList::makeWindowAndOpen()
{
    makeWindow();
    if (QTest::currentTestFailed())
        return;
    press(w->ui->opencompushButton);
    QVERIFY(w->serialOpen);
    QVERIFY(w->ui->com_expandpushButton->isEnabled());
}


void TestCommandList::advancedOpensOneDialogAndSends()
{
    makeWindowAndOpen();
    QVERIFY(!w->comExpandOpen);
    press(w->ui->com_expandpushButton);
    QVERIFY(w->comExpandOpen);
    QPointer<QDialog> dialog = w->comExpandDialog;
    QVERIFY(dialog && dialog->isVisible());
    Ui::COM_Expand *f = w->comExpandUi;
    QVERIFY(f);
    QCOMPARE(f->com_pushButton->text(), QString("command1"));
    QCOMPARE(f->com_pushButton_12->text(), QString("command12"));

    press(w->ui->com_expandpushButton);
    QCOMPARE(w->comExpandDialog, dialog.data());
    QCOMPARE(w->comExpandUi, f);
    QCOMPARE(commandDialogs(*w), 1);

    const int before = w->ui->sendbyteslcdNumber->intValue();
    QTest::keyClicks(f->com_qlineedit, "AT\\r\\n");
    QCOMPARE(f->com_qlineedit->text(), QString("AT\\r\\n"));
    QTest::mousePress(f->com_pushButton, Qt::LeftButton); // sent on the press
    QCOMPARE(peerRead(4), QByteArray::fromHex("41540d0a"));
    QTest::mouseRelease(f->com_pushButton, Qt::LeftButton);
    QCOMPARE(status(), QString("Send Success"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), before + 4);

    f->com_qlineedit_12->setText("\\\\n");
    press(f->com_pushButton_12);
    QCOMPARE(peerRead(2), QByteArray::fromHex("5c0a"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), before + 6);

    f->com_qlineedit_5->setText(QString::fromUtf8("温度?"));
    press(f->com_pushButton_5);
    QCOMPARE(peerRead(7), QString::fromUtf8("温度?").toUtf8());

    // An empty command writes nothing and leaves the counter alone.
    press(f->com_pushButton_7);
    QCOMPARE(status(), QString("Send Success"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), before + 13);
    QVERIFY(peerRead(1, 200).isEmpty());

    // The counter stops at 99999; it is the page's one count, so the Send
    // button brings it near the cap.
    const int fill = 99990 - w->ui->sendbyteslcdNumber->intValue();
    w->ui->sendMsgtextEdit->setPlainText(QString(fill, QLatin1Char('f')));
    press(w->ui->sendmsgBtn);
    QCOMPARE(peerRead(fill, 5000).size(), fill);
    QTRY_COMPARE(w->ui->sendbyteslcdNumber->intValue(), 99990);
    f->com_qlineedit_2->setText("0123456789ABCDEFGHIJ");
    press(f->com_pushButton_2);
    QCOMPARE(peerRead(20).size(), 20);
    QTRY_COMPARE(w->ui->sendbyteslcdNumber->intValue(), 99999);
}

void TestCommandList::namesAndCommandsSurviveSaveAndReopen()
{
    makeWindowAndOpen();
    press(w->ui->com_expandpushButton);
    Ui::COM_Expand *f = w->comExpandUi;
    const QString name1 = QString::fromUtf8("复位, \"hard\" reset");
    const QString name12 = QString::fromUtf8("a,b;c='d'");
    prompts->queue(UiPrompt::Answer{QMessageBox::Ok, name1, true});
    press(f->com_set_pushButton);
    QCOMPARE(prompts->requests().size(), 1);
    QCOMPARE(prompts->requests()[0].kind, UiPrompt::Kind::TextInput);
    QCOMPARE(prompts->requests()[0].title, QString("command"));
    QCOMPARE(f->com_pushButton->text(), name1);
    prompts->queue(UiPrompt::Answer{QMessageBox::Ok, name12, true});
    press(f->com_set_pushButton_12);
    // Cancel changes nothing.
    prompts->queue(UiPrompt::Answer{QMessageBox::Cancel, QString("ignored"), false});
    press(f->com_set_pushButton_3);
    QCOMPARE(f->com_pushButton_3->text(), QString("command3"));

    const QString cmd1 = QString::fromUtf8("AT+CMGS=\"13800138000\",145\\r\\n");
    const QString cmd12 = QString::fromUtf8("中文, \"quoted\" \\\\ back\\slash; ini=[x]");
    f->com_qlineedit->setText(cmd1);
    f->com_qlineedit_12->setText(cmd12);
    press(f->save_pushButton);
    QVERIFY(w->comExpandDialog->isVisible()); // the dialog stays open

    // Closed unsaved edits are lost; the saved ones come back.
    f->com_qlineedit_2->setText("not saved");
    QPointer<QDialog> dialog = w->comExpandDialog;
    dialog->close();
    QTRY_VERIFY(!dialog);
    QVERIFY(!w->comExpandOpen);
    QVERIFY(!w->comExpandUi);

    press(w->ui->com_expandpushButton);
    f = w->comExpandUi;
    QVERIFY(f);
    QCOMPARE(f->com_pushButton->text(), name1);
    QCOMPARE(f->com_pushButton_12->text(), name12);
    QCOMPARE(f->com_qlineedit->text(), cmd1);
    QCOMPARE(f->com_qlineedit_12->text(), cmd12);
    QVERIFY(f->com_qlineedit_2->text().isEmpty());

    // And they are in the file for the next run.
    w.reset();
    QSettings s("velm_config.ini", QSettings::IniFormat);
    QCOMPARE(s.value("COMMAND1_NAME").toString(), name1);
    QCOMPARE(s.value("COMMAND12_NAME").toString(), name12);
    QCOMPARE(s.value("COMMAND1").toString(), cmd1);
    QCOMPARE(s.value("COMMAND12").toString(), cmd12);
    QCOMPARE(s.value("COMMAND3_NAME").toString(), QString("command3"));
}

void TestCommandList::emptyNameFallsBackToTheFormText()
{
    makeWindowAndOpen();
    press(w->ui->com_expandpushButton);
    prompts->queue(UiPrompt::Answer{QMessageBox::Ok, QString(), true});
    press(w->comExpandUi->com_set_pushButton);
    QVERIFY(w->comExpandUi->com_pushButton->text().isEmpty());
    press(w->comExpandUi->save_pushButton);
    QPointer<QDialog> dialog = w->comExpandDialog;
    dialog->close();
    QTRY_VERIFY(!dialog);
    press(w->ui->com_expandpushButton);
    QCOMPARE(w->comExpandUi->com_pushButton->text(), QString("command1"));
}

void TestCommandList::sendWithoutPortTouchesNothing()
{
    w = std::make_unique<MainWindow>();
    w->show();
    peer = std::make_unique<QSerialPort>(pty->b());
    QVERIFY(peer->open(QIODevice::ReadWrite));
    QVERIFY(!w->serialOpen);
    QVERIFY(!w->serialThread);
    // Reached directly: the page only offers the button while a port is open.
    w->slotCom_expand();
    QVERIFY(w->comExpandUi);
    w->comExpandUi->com_qlineedit->setText("AT\\r\\n");
    const int before = w->ui->sendbyteslcdNumber->intValue();
    press(w->comExpandUi->com_pushButton);
    QCOMPARE(status(), QString("Serial port not open, nothing sent"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), before);
    QVERIFY(peerRead(1, 200).isEmpty());
}

void TestCommandList::closingThePortClosesTheDialogAndANewOneIsUnharmed()
{
    makeWindowAndOpen();
    press(w->ui->com_expandpushButton);
    QPointer<QDialog> old = w->comExpandDialog;
    press(w->ui->opencompushButton); // close: the page closes the dialog
    QVERIFY(!w->serialOpen);
    QVERIFY(!w->comExpandOpen);
    QVERIFY(!old || !old->isVisible());
    // Open again and ask for the list before the old dialog is gone.
    press(w->ui->opencompushButton);
    QVERIFY(w->serialOpen);
    press(w->ui->com_expandpushButton);
    QPointer<QDialog> fresh = w->comExpandDialog;
    QVERIFY(fresh && fresh != old);
    QTRY_VERIFY(!old);
    QVERIFY(w->comExpandOpen);
    QCOMPARE(w->comExpandDialog, fresh.data());
    QVERIFY(w->comExpandUi);
    w->comExpandUi->com_qlineedit->setText("OK\\n");
    press(w->comExpandUi->com_pushButton);
    QCOMPARE(peerRead(3), QByteArray("OK\n"));
}

VELM_TEST_MAIN(TestCommandList)
#include "tst_commandlist.moc"
