// The Help window: the receive formats of the device pages, read-only.
#include "mainwindow.h"
#include "pagedialog.h"
#include "ui_help.h"
#include "ui_mainwindow.h"

#include <QDialog>

void MainWindow::on_actionHelp_triggered()
{
    openPageDialog(helpDialog, helpUi, helpDialogOpen, &MainWindow::slothelpdialogclose, &Ui::Help::helpdialogCancel);
}

void MainWindow::slothelpdialogclose()
{
    helpDialogOpen = false;
    helpDialog = nullptr;
    delete helpUi;
    helpUi = nullptr;
}
