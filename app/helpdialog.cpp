#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::on_actionHelp_triggered()
{
}

void MainWindow::slothelpdialogclose()
{
}

