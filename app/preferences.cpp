#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::slotActionConfig()
{
}

void MainWindow::slotActConfigOK()
{
}

