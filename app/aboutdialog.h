#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
namespace Ui {
class AboutDialog;
}
class QEvent;
QT_END_NAMESPACE

// The About box: one object for the whole run, shown again on each "About".
// "Close" only hides it.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

    Ui::AboutDialog *ui = nullptr;

private slots:
    void on_closeBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;
};
