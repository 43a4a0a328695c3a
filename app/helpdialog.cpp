// The Help window: the receive formats of the device pages, read-only.
#include "mainwindow.h"
#include "ui_help.h"
#include "ui_mainwindow.h"

#include <QDialog>

void MainWindow::on_actionHelp_triggered()
{
    if (helpDialogOpen)
        return;

    helpDialog = new QDialog(this);
    helpDialog->setAttribute(Qt::WA_DeleteOnClose);
    helpUi = new Ui::Help;
    helpUi->setupUi(helpDialog);

    connect(helpUi->helpdialogCancel, SIGNAL(pressed()), helpDialog, SLOT(close()));
    connect(helpDialog, SIGNAL(destroyed()), this, SLOT(slothelpdialogclose()));

    helpDialogOpen = true;
    helpDialog->setWindowFlags(helpDialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    helpDialog->show();
}

void MainWindow::slothelpdialogclose()
{
    helpDialogOpen = false;
    helpDialog = nullptr;
    delete helpUi;
    helpUi = nullptr;
}
