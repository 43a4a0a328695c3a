#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::Serial_Init_Start()
{
}

void MainWindow::initSendTimers()
{
}

