#pragma once

#include <QDialog>

// The About box: one object for the whole run, shown again on each "About".
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
};
