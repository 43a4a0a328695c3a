// The "Crypty" and "Unicode" pages on a real main window: the real buttons
// are pressed and the fields read back.

#include "testsupport.h"

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QTabWidget>

using TestSupport::PromptRecorder;
using TestSupport::ScratchDir;

class TestCryptyWindow : public QObject
{
    Q_OBJECT

    ScratchDir *m_scratch = nullptr;
    MainWindow *m_window = nullptr;
    Ui::MainWindow *ui = nullptr;

    void showTab(const QString &text)
    {
        for (int i = 0; i < ui->tabWidget->count(); ++i)
            if (ui->tabWidget->tabText(i) == text)
                ui->tabWidget->setCurrentIndex(i);
        QCOMPARE(ui->tabWidget->tabText(ui->tabWidget->currentIndex()), text);
    }

    // Types into a line edit as the user does (textEdited fires).
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // Presses a button down and checks the effect before releasing it.
    template <typename Check>
    static void pressThenRelease(QAbstractButton *button, Check check)
    {
        QTest::mousePress(button, Qt::LeftButton);
        check();
        QTest::mouseRelease(button, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        m_scratch = new ScratchDir;
        m_window = new MainWindow;
        ui = m_window->ui;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase()
    {
        delete m_window;
        delete m_scratch;
    }

    void desFieldsStartLimited()
    {
        QCOMPARE(ui->DeslineEdit_Data->maxLength(), 16);
        QCOMPARE(ui->DeslineEdit_KEY->maxLength(), 16);
        QCOMPARE(ui->DEScomboBox->currentIndex(), 0);
    }

    void encipherAndDecipherOnPress()
    {
        showTab("Crypty");
        PromptRecorder prompts;
        ui->DEScomboBox->setCurrentIndex(0);
        retype(ui->DeslineEdit_KEY, "133457799bbcdff1");
        retype(ui->DeslineEdit_Data, "0123456789abcdef");
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QString("16"));
        QCOMPARE(ui->DeslineEdit_Datalen->text(), QString("16"));
        pressThenRelease(ui->DespushButton_Encryption,
                         [&] { QCOMPARE(ui->DeslineEdit_Result->text(), QString("85E813540F0AB405")); });
        retype(ui->DeslineEdit_Data, ui->DeslineEdit_Result->text());
        pressThenRelease(ui->DespushButton_Decryption,
                         [&] { QCOMPARE(ui->DeslineEdit_Result->text(), QString("0123456789ABCDEF")); });
        QVERIFY(prompts.requests().isEmpty());

        // Three-key triple DES, SP 800-67 keys, first block.
        ui->DEScomboBox->setCurrentIndex(2);
        retype(ui->DeslineEdit_KEY, "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123");
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QString("48"));
        retype(ui->DeslineEdit_Data, "5468652071756663");
        pressThenRelease(ui->DespushButton_Encryption,
                         [&] { QCOMPARE(ui->DeslineEdit_Result->text(), QString("A826FD8CE53B855F")); });
        QVERIFY(prompts.requests().isEmpty());
    }

    void warningsInOrder()
    {
        showTab("Crypty");
        PromptRecorder prompts;
        ui->DEScomboBox->setCurrentIndex(0);
        retype(ui->DeslineEdit_KEY, "133457799BBCDFF1");
        retype(ui->DeslineEdit_Data, "0123456789ABCDEF");
        QVERIFY(QMetaObject::invokeMethod(m_window, "DesEncryption_triggered"));
        const QString result = ui->DeslineEdit_Result->text();
        QCOMPARE(result, QString("85E813540F0AB405"));

        struct Case {
            int mode;
            QString key, data, message;
        };
        const QString err = "Error for Data", digits = "Please enter '0' - '9', 'A' - 'F'";
        const QList<Case> cases = {
            {0, "", "0123456789ABCDEF", err},
            {0, "133457799BBCDFF1", "", err},
            {0, "133457799BBCDFF1", "0123456789ABCDE", err},
            {1, "133457799BBCDFF1", "0123456789ABCDEF", err},
            {0, "133457799BBCDFG1", "012345678 ABCDEF", digits},
            {0, "133457799BBCDFF1", "0123456789ABCDEz", digits},
        };
        for (const Case &c : cases) {
            prompts.clear();
            ui->DEScomboBox->setCurrentIndex(c.mode);
            ui->DeslineEdit_KEY->setText(c.key);
            ui->DeslineEdit_Data->setText(c.data);
            bool wrote = true;
            QVERIFY(QMetaObject::invokeMethod(m_window, "DesDecryption_triggered", Q_RETURN_ARG(bool, wrote)));
            QVERIFY(!wrote);
            QCOMPARE(prompts.requests().size(), 1);
            const UiPrompt::Request &r = prompts.requests().first();
            QCOMPARE(int(r.kind), int(UiPrompt::Kind::Warning));
            QCOMPARE(r.title, QString("warning:"));
            QCOMPARE(r.text, c.message);
            QCOMPARE(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(ui->DeslineEdit_Result->text(), result);
        }
        // Through the real button too.
        prompts.clear();
        ui->DeslineEdit_Data->clear();
        QTest::mouseClick(ui->DespushButton_Encryption, Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList{err});
    }

    void modeSetsKeyLimit()
    {
        showTab("Crypty");
        ui->DEScomboBox->setCurrentIndex(1);
        QCOMPARE(ui->DeslineEdit_KEY->maxLength(), 32);
        ui->DEScomboBox->setCurrentIndex(2);
        QCOMPARE(ui->DeslineEdit_KEY->maxLength(), 48);
        QCOMPARE(ui->DeslineEdit_Data->maxLength(), 16);
        const QString key48 = "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123";
        retype(ui->DeslineEdit_KEY, key48 + "99");
        QCOMPARE(ui->DeslineEdit_KEY->text(), key48);
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QString("48"));
        // Back to DES: the key is cut, the length display waits for an edit.
        ui->DEScomboBox->setCurrentIndex(0);
        QCOMPARE(ui->DeslineEdit_KEY->maxLength(), 16);
        QCOMPARE(ui->DeslineEdit_KEY->text(), key48.left(16));
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QString("48"));
        QTest::keyClick(ui->DeslineEdit_KEY, Qt::Key_Backspace);
        QCOMPARE(ui->DeslineEdit_KEYLEN->text(), QString("15"));
    }

    void base64Buttons()
    {
        showTab("Crypty");
        ui->base64_source_textBrowser->setPlainText(QString::fromUtf8("中文 😀"));
        QTest::mouseClick(ui->base64_encode_pushButton, Qt::LeftButton);
        QCOMPARE(ui->base64_to_textBrowser->toPlainText(), QString("5Lit5paHIPCfmIA="));
        ui->base64_source_textBrowser->setPlainText("PGI+eDwv\nYj4=");
        QTest::mouseClick(ui->base64_decode_pushButton, Qt::LeftButton);
        QCOMPARE(ui->base64_to_textBrowser->toPlainText(), QString("<b>x</b>"));
        ui->base64_source_textBrowser->clear();
        QTest::mouseClick(ui->base64_encode_pushButton, Qt::LeftButton);
        QCOMPARE(ui->base64_to_textBrowser->toPlainText(), QString());
    }

    void unicodeButtons()
    {
        showTab("Unicode");
        ui->UnicodecheckBox->setChecked(true);
        ui->UnicodetextEdit->setPlainText("Ab");
        pressThenRelease(ui->StoUpushButton,
                         [&] { QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString("\\U0041\\U0062")); });
        ui->UnicodecheckBox->setChecked(false);
        QTest::mouseClick(ui->StoUpushButton, Qt::LeftButton);
        QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString("00410062"));

        ui->UnicodecheckBox->setChecked(true);
        ui->UnicodetextEdit->setPlainText(QString::fromUtf8("😀"));
        QTest::mouseClick(ui->StoUpushButton, Qt::LeftButton);
        QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString("\\UD83D\\UDE00"));
        ui->UnicodetextEdit->setPlainText(ui->UnicodetextBrowser->toPlainText());
        pressThenRelease(ui->UtoSpushButton,
                         [&] { QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString::fromUtf8("😀")); });

        // Decoded markup shows literally.
        ui->UnicodetextEdit->setPlainText("<b>x</b>");
        QTest::mouseClick(ui->StoUpushButton, Qt::LeftButton);
        ui->UnicodetextEdit->setPlainText(ui->UnicodetextBrowser->toPlainText());
        QTest::mouseClick(ui->UtoSpushButton, Qt::LeftButton);
        QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString("<b>x</b>"));

        // Lower-case prefixes and digits decode too.
        ui->UnicodetextEdit->setPlainText("\\u4e2d\\u6587");
        QTest::mouseClick(ui->UtoSpushButton, Qt::LeftButton);
        QCOMPARE(ui->UnicodetextBrowser->toPlainText(), QString(QChar(0x4E2D)) + QChar(0x6587));
    }
};

VELM_TEST_MAIN(TestCryptyWindow)
#include "tst_cryptywindow.moc"
