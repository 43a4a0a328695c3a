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

namespace {
// Converts the input box's text and shows the result, as rich text or as
// plain text (decoded text is never taken for markup).
template<typename Convert>
void convertUnicodeBox(Ui::MainWindow *ui, Convert convert, bool plain)
{
    const LongTextLayout::BusyCursor busy(ui->UnicodetextEdit->document()->characterCount());
    const QString result = convert(ui->UnicodetextEdit->toPlainText(), ui->UnicodecheckBox->isChecked());
    LongTextLayout::prepare(ui->UnicodetextBrowser, result);
    if (plain)
        ui->UnicodetextBrowser->setPlainText(result);
    else
        ui->UnicodetextBrowser->setText(result);
}
} // namespace

void MainWindow::actionStoUpushButton_triggered() { convertUnicodeBox(ui, UnicodeEscape::textToEscapes, false); }

void MainWindow::actionUtoSpushButton_triggered() { convertUnicodeBox(ui, UnicodeEscape::escapesToText, true); }
