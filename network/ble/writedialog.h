#pragma once
// The small modal dialog that asks for the data of one characteristic write.

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;

class WriteDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WriteDialog(QWidget *parent = nullptr);
    ~WriteDialog() override;

    QString getData() const;
    bool isHexMode() const;

private slots:
    // Accepts, unless hex data does not read as hex bytes (then says so and
    // stays open).
    void onOkClicked();

private:
    QLineEdit *dataEdit;
    QComboBox *modeCombo;
};
