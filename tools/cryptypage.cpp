#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::Crypty_Init_Start()
{
}

