#include "characteristicwidget.h"

#include "blelogic.h"
#include "writedialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {
QPushButton *makeButton(const QString &text, QWidget *parent, QHBoxLayout *row)
{
    auto *button = new QPushButton(text, parent);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    row->addWidget(button, 0, Qt::AlignLeft);
    return button;
}

QLineEdit *makeValueEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}
} // namespace

CharacteristicWidget::CharacteristicWidget(QWidget *parent) : QWidget(parent)
{
    mainLayout = new QVBoxLayout(this);
    mainLayout->setContentsMargins(0, 0, 0, 0);
}

CharacteristicWidget::~CharacteristicWidget() = default;

void CharacteristicWidget::addCharacteristic(const QString &name, const QString &uuid, const QString &permission)
{
    if (addedUuids.contains(uuid))
        return;
    addedUuids.insert(uuid);

    auto *box = new QGroupBox(this);
    auto *form = new QFormLayout(box);
    auto *nameEdit = new QLineEdit(name, box);
    nameEdit->setReadOnly(true);
    form->addRow(tr("Characteristic Name:"), nameEdit);
    QString bare = uuid;
    bare.remove(QLatin1Char('{')).remove(QLatin1Char('}'));
    auto *uuidEdit = new QLineEdit(bare, box);
    uuidEdit->setReadOnly(true);
    form->addRow(tr("Characteristic UUID:"), uuidEdit);
    auto *permissionLabel = new QLabel(permission, box);
    permissionLabel->setTextFormat(Qt::PlainText);
    form->addRow(tr("Characteristic Permission:"), permissionLabel);
    form->setLabelAlignment(Qt::AlignLeft);

    auto *outer = new QHBoxLayout;
    auto *buttons = new QHBoxLayout;
    outer->addLayout(buttons);
    form->addRow(outer);

    if (permission.contains(QLatin1String("Read"))) {
        QPushButton *read = makeButton(tr("Read"), box, buttons);
        connect(read, &QPushButton::clicked, this, [this, uuid] { emit readCharacteristicRequested(uuid); });
        if (!valueEdits.contains(uuid)) {
            QLineEdit *edit = makeValueEdit(box);
            form->addRow(QStringLiteral("Read Value:"), edit);
            valueEdits.insert(uuid, edit);
        }
    }
    if (permission.contains(QLatin1String("Notify"))) {
        QPushButton *notify = makeButton(tr("Notify"), box, buttons);
        notify->setObjectName(QStringLiteral("notifyButton_%1").arg(uuid));
        connect(notify, &QPushButton::clicked, this, [this, uuid] { onNotifyButtonClicked(uuid); });
        if (!valueEdits.contains(uuid)) {
            QLineEdit *edit = makeValueEdit(box);
            form->addRow(QStringLiteral("Notify Value:"), edit);
            valueEdits.insert(uuid, edit);
        }
    }
    if (permission.contains(QLatin1String("Write"))) {
        QPushButton *write = makeButton(tr("W"), box, buttons);
        connect(write, &QPushButton::clicked, this, [this, uuid] {
            QPointer<CharacteristicWidget> self(this);
            WriteDialog dialog;
            const int result = dialog.exec();
            // The panel may have gone with its connection meanwhile.
            if (self && result == QDialog::Accepted)
                emit writeCharacteristicRequested(uuid, dialog.getData(), dialog.isHexMode());
        });
    }
    for (int i = 0; i < 3; ++i)
        buttons->addSpacerItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Fixed));

    auto *mode = new QComboBox(box);
    mode->addItem(QStringLiteral("ASCII"));
    mode->addItem(QStringLiteral("Hexadecimal"));
    mode->setCurrentIndex(0);
    mode->setObjectName(QStringLiteral("displayModeComboBox_temp_%1").arg(uuid));
    connect(mode, &QComboBox::currentIndexChanged, this, [this, uuid](int index) { onDisplayModeChanged(uuid, index); });
    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(mode);
    modeRow->addStretch();
    form->addRow(QStringLiteral("Display Mode:"), modeRow);

    mainLayout->addWidget(box);
    notifyStates.insert(uuid, false);
}

void CharacteristicWidget::setCharacteristicValue(const QString &uuid, const QByteArray &value)
{
    auto *mode = findChild<QComboBox *>(QStringLiteral("displayModeComboBox_temp_%1").arg(uuid));
    if (!mode)
        return;
    QLineEdit *edit = valueEdits.value(uuid);
    if (!edit)
        return;
    values.insert(uuid, value);
    if (mode->currentIndex() == 0)
        edit->setText(QString::fromUtf8(value));
    else if (mode->currentIndex() == 1)
        edit->setText(BleLogic::hexText(value));
}

QString CharacteristicWidget::hexToText(const QString &text)
{
    return BleLogic::hexToText(text);
}

void CharacteristicWidget::onDisplayModeChanged(const QString &uuid, int index)
{
    if (!valueEdits.contains(uuid) || (index != 0 && index != 1))
        return;
    // The value kept as received is shown again in the new mode, so no byte
    // is lost on the way through the other display.
    setCharacteristicValue(uuid, values.value(uuid));
}

void CharacteristicWidget::onNotifyButtonClicked(const QString &uuid)
{
    const bool wasOn = notifyStates.value(uuid, false);
    notifyStates.insert(uuid, !wasOn);
    if (auto *button = findChild<QPushButton *>(QStringLiteral("notifyButton_%1").arg(uuid))) {
        if (wasOn) {
            button->setText(tr("Notify"));
            button->setStyleSheet(QString());
        } else {
            button->setText(QStringLiteral("Subscribed"));
            button->setStyleSheet(QStringLiteral("background-color: green; color: white;"));
        }
    }
    emit notifyCharacteristicRequested(uuid, !wasOn);
}
