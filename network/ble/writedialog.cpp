#include "writedialog.h"

#include "blelogic.h"
#include "uiprompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

WriteDialog::WriteDialog(QWidget *parent) : QDialog(parent)
{
    auto *layout = new QFormLayout(this);
    dataEdit = new QLineEdit(this);
    modeCombo = new QComboBox(this);
    modeCombo->addItem(QStringLiteral("ASCII"));
    modeCombo->addItem(QStringLiteral("Hex"));
    modeCombo->setCurrentIndex(0);
    layout->addRow(tr("Data:"), dataEdit);
    layout->addRow(tr("Send Mode:"), modeCombo);
    auto *ok = new QPushButton(tr("OK"), this);
    layout->addRow(ok);
    connect(ok, &QPushButton::clicked, this, &WriteDialog::onOkClicked);
    setWindowTitle(tr("Write Data"));
}

WriteDialog::~WriteDialog() = default;

QString WriteDialog::getData() const
{
    return dataEdit->text();
}

bool WriteDialog::isHexMode() const
{
    return modeCombo->currentIndex() == 1; // "ASCII", then "Hex"
}

void WriteDialog::onOkClicked()
{
    QByteArray bytes;
    if (!BleLogic::writeBytes(getData(), isHexMode(), &bytes)) {
        UiPrompt::warning(this, tr("Write Data"),
                          tr("The data are not hex bytes. Write each byte as two hex digits, optionally "
                             "with 0x, separated by blanks or commas, for example 0x41, 0x42 or 41 42."));
        return;
    }
    accept();
}
