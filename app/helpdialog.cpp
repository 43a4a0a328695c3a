// The Help window: the receive formats of the device pages, read-only.
#include "mainwindow.h"
#include "ui_help.h"
#include "ui_mainwindow.h"

#include <QDialog>

void MainWindow::on_actionHelp_triggered()
{
    if (helpDialogOpen)
        return;

    helpDialog = newPageDialog(helpDialogOpen, &MainWindow::slothelpdialogclose);
    helpUi = new Ui::Help;
    helpUi->setupUi(helpDialog);
    connect(helpUi->helpdialogCancel, &QPushButton::pressed, helpDialog, &QDialog::close);
    helpDialog->show();
}

void MainWindow::slothelpdialogclose()
{
    helpDialogOpen = false;
    helpDialog = nullptr;
    delete helpUi;
    helpUi = nullptr;
}
