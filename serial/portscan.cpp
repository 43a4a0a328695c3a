#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::stop_SerialSacn_new()
{
}

void MainWindow::SerialSacn_new()
{
}

void MainWindow::SerialSacn()
{
}

