#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "longtextlayout.h"
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
    const LongTextLayout::BusyCursor busy(ui->UnicodetextEdit->document()->characterCount());
    const QString result =
        UnicodeEscape::textToEscapes(ui->UnicodetextEdit->toPlainText(), ui->UnicodecheckBox->isChecked());
    LongTextLayout::prepare(ui->UnicodetextBrowser, result);
    ui->UnicodetextBrowser->setText(result);
}

void MainWindow::actionUtoSpushButton_triggered()
{
    const LongTextLayout::BusyCursor busy(ui->UnicodetextEdit->document()->characterCount());
    // Decoded text is shown as plain text, so it is never taken for markup.
    const QString result =
        UnicodeEscape::escapesToText(ui->UnicodetextEdit->toPlainText(), ui->UnicodecheckBox->isChecked());
    LongTextLayout::prepare(ui->UnicodetextBrowser, result);
    ui->UnicodetextBrowser->setPlainText(result);
}
