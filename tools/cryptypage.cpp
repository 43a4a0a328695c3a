#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "crypty/cryptylogic.h"
#include "longtextlayout.h"
#include "uiprompt.h"

// The "Crypty" page: one DES / triple DES block typed as hex digits, and
// Base64 of a text. The checks and conversions live in CryptyLogic; these
// slots only read the fields and show the outcome.

void MainWindow::Crypty_Init_Start()
{
    // The cipher buttons act when pressed down, not on release.
    connect(ui->DespushButton_Encryption, &QPushButton::pressed, this, &MainWindow::DesEncryption_triggered);
    connect(ui->DespushButton_Decryption, &QPushButton::pressed, this, &MainWindow::DesDecryption_triggered);
    connect(ui->DEScomboBox, &QComboBox::currentIndexChanged, this, &MainWindow::DEScomboBox_triggered);
    connect(ui->DeslineEdit_Data, &QLineEdit::textEdited, this, &MainWindow::DeslineEdit_Data_triggered);
    connect(ui->DeslineEdit_KEY, &QLineEdit::textEdited, this, &MainWindow::DeslineEdit_KEY_triggered);
    ui->DeslineEdit_Data->setMaxLength(CryptyLogic::DataDigits);
    ui->DeslineEdit_KEY->setMaxLength(CryptyLogic::keyDigitsForMode(0));
    connect(ui->base64_encode_pushButton, &QPushButton::clicked, this, &MainWindow::base64_encode);
    connect(ui->base64_decode_pushButton, &QPushButton::clicked, this, &MainWindow::base64_decode);
}

namespace {

bool runDesAction(MainWindow *window, Ui::MainWindow *ui, bool encrypt)
{
    const CryptyLogic::DesOutcome outcome = CryptyLogic::runDes(
        ui->DEScomboBox->currentIndex(), ui->DeslineEdit_KEY->text(), ui->DeslineEdit_Data->text(), encrypt);
    if (!outcome.ok) {
        UiPrompt::warning(window, QCoreApplication::translate("MainWindow", CryptyLogic::WarningTitle),
                          QCoreApplication::translate("MainWindow", outcome.warning));
        return false;
    }
    ui->DeslineEdit_Result->setText(outcome.result);
    return true;
}

} // namespace

bool MainWindow::DesEncryption_triggered()
{
    return runDesAction(this, ui, true);
}

bool MainWindow::DesDecryption_triggered()
{
    return runDesAction(this, ui, false);
}

void MainWindow::DEScomboBox_triggered()
{
    const int keyDigits = CryptyLogic::keyDigitsForMode(ui->DEScomboBox->currentIndex());
    if (keyDigits < 0)
        return;
    // A longer text already in a field is cut by the line edit itself.
    ui->DeslineEdit_KEY->setMaxLength(keyDigits);
    ui->DeslineEdit_Data->setMaxLength(CryptyLogic::DataDigits);
}

void MainWindow::DeslineEdit_Data_triggered()
{
    ui->DeslineEdit_Datalen->setText(QString::number(ui->DeslineEdit_Data->text().size()));
}

void MainWindow::DeslineEdit_KEY_triggered()
{
    ui->DeslineEdit_KEYLEN->setText(QString::number(ui->DeslineEdit_KEY->text().size()));
}

void MainWindow::base64_encode()
{
    const LongTextLayout::BusyCursor busy(ui->base64_source_textBrowser->document()->characterCount());
    const QString result = CryptyLogic::base64Encode(ui->base64_source_textBrowser->toPlainText());
    LongTextLayout::prepare(ui->base64_to_textBrowser, result);
    ui->base64_to_textBrowser->setPlainText(result);
}

void MainWindow::base64_decode()
{
    const LongTextLayout::BusyCursor busy(ui->base64_source_textBrowser->document()->characterCount());
    const QString result = CryptyLogic::base64Decode(ui->base64_source_textBrowser->toPlainText());
    LongTextLayout::prepare(ui->base64_to_textBrowser, result);
    ui->base64_to_textBrowser->setPlainText(result);
}
