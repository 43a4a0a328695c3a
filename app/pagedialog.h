#pragma once
// MainWindow::openPageDialog: the helper windows of pages (Help, the
// i2cdump register windows) open and close the same way.

#include "mainwindow.h"

#include <QDialog>
#include <QPushButton>

template<typename Form, typename FormLayout>
bool MainWindow::openPageDialog(QDialog *&dialog, Form *&form, bool &open, void (MainWindow::*closed)(),
                                QPushButton *FormLayout::*cancel)
{
    if (open)
        return false;
    dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(dialog, &QObject::destroyed, this, closed);
    open = true;
    form = new Form;
    form->setupUi(dialog);
    connect(form->*cancel, &QPushButton::pressed, dialog, &QDialog::close);
    dialog->show();
    return true;
}
