// Page not part of this build yet: its initialisation is called and does nothing.
#include "mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::Oscilloscope_Init_Start()
{
}

void MainWindow::on_checkBox_0_stateChanged(int)
{
}

void MainWindow::on_checkBox_1_stateChanged(int)
{
}

void MainWindow::on_checkBox_2_stateChanged(int)
{
}

void MainWindow::on_checkBox_3_stateChanged(int)
{
}

