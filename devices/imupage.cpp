// Page not part of this build yet: its initialisation is called and does nothing.
#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::IMU_Init_Start()
{
}

