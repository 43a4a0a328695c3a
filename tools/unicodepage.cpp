#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "unicode/unicodeescape.h"

// The "Unicode" page: text to four-digit UTF-16 escapes and back. The
// conversions live in UnicodeEscape; the check box chooses the "\U" prefix
// and is read at each conversion.

void MainWindow::Unicode_Init_Start()
{
    // Both buttons act when pressed down, not on release.
    connect(ui->StoUpushButton, &QPushButton::pressed, this, &MainWindow::actionStoUpushButton_triggered);
    connect(ui->UtoSpushButton, &QPushButton::pressed, this, &MainWindow::actionUtoSpushButton_triggered);
}

void MainWindow::actionStoUpushButton_triggered()
{
    ui->UnicodetextBrowser->setText(
        UnicodeEscape::textToEscapes(ui->UnicodetextEdit->toPlainText(), ui->UnicodecheckBox->isChecked()));
}

void MainWindow::actionUtoSpushButton_triggered()
{
    // Decoded text is shown as plain text, so it is never taken for markup.
    ui->UnicodetextBrowser->setPlainText(
        UnicodeEscape::escapesToText(ui->UnicodetextEdit->toPlainText(), ui->UnicodecheckBox->isChecked()));
}
