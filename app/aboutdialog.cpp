#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QEvent>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent), ui(new Ui::AboutDialog)
{
    // setupUi connects closeBtn's clicked() to on_closeBtn_clicked by name.
    ui->setupUi(this);
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
        ui->retranslateUi(this);
}
