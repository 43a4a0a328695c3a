#pragma once
// The panel of one GATT service on the "Ble" page: one box per
// characteristic with its name, UUID and permission text, Read / Notify /
// Write buttons as the permissions allow, and the last value in ASCII or
// hexadecimal. It knows nothing of Bluetooth: clicks leave as signals
// carrying the characteristic's UUID text, values come in as bytes.

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QWidget>

class QLineEdit;
class QVBoxLayout;

class CharacteristicWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CharacteristicWidget(QWidget *parent = nullptr);
    ~CharacteristicWidget() override;

    void addCharacteristic(const QString &name, const QString &uuid, const QString &permission);
    // Shows a value (read result or notification) in the current mode:
    // ASCII is its UTF-8 reading, hexadecimal the bytes themselves.
    void setCharacteristicValue(const QString &uuid, const QByteArray &value);
    static QString hexToText(const QString &text);

signals:
    void readCharacteristicRequested(const QString &uuid);
    void notifyCharacteristicRequested(const QString &uuid, bool subscribe);
    void writeCharacteristicRequested(const QString &uuid, const QString &data, bool hex);

private slots:
    void onDisplayModeChanged(const QString &uuid, int index);
    void onNotifyButtonClicked(const QString &uuid);

private:
    QSet<QString> addedUuids;
    QVBoxLayout *mainLayout;
    QMap<QString, QLineEdit *> valueEdits;
    QMap<QString, bool> notifyStates;
    QMap<QString, QByteArray> values; // last value per UUID, as received
};
