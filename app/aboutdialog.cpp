#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// A line that gives a web address is never broken (the layout would break
// it inside the address, after "https://"); the others still wrap.
void keepAddressesWhole(QTextDocument *doc)
{
    // The box is narrow: its margin goes so the longest such line fits.
    doc->setDocumentMargin(0);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (!block.text().contains(QLatin1String("://")))
            continue;
        QTextBlockFormat format = block.blockFormat();
        format.setNonBreakableLines(true);
        QTextCursor(block).setBlockFormat(format);
    }
}
} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent), ui(new Ui::AboutDialog)
{
    // setupUi connects closeBtn's clicked() to on_closeBtn_clicked by name.
    ui->setupUi(this);
    keepAddressesWhole(ui->textBrowser->document());
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

void AboutDialog::on_closeBtn_clicked()
{
    // No delete-on-close: the same box is shown again on the next "About".
    close();
}

void AboutDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
    {
        ui->retranslateUi(this);
        keepAddressesWhole(ui->textBrowser->document());
    }
}
