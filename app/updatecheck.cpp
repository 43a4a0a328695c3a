#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::slotActionCheck_Update()
{
}

void MainWindow::slotActionCheck_Updateclose()
{
}

