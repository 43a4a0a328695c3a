#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::Unicode_Init_Start()
{
}

