#pragma once
// The "Ble" page: a scan button, one button per discovered peripheral and a
// scrolling panel with one foldable box per GATT service of the connected
// peripheral. It owns the model (Device) and routes values to the panels.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "device.h"

class CharacteristicWidget;
class QGroupBox;
class QPushButton;
class QVBoxLayout;

namespace Ui {
class kalvest_ble;
}

class kalvest_ble : public QWidget
{
    Q_OBJECT
public:
    explicit kalvest_ble(QWidget *parent = nullptr);
    ~kalvest_ble() override;

private slots:
    void onScanButtonClicked();
    void onDeviceButtonClicked();
    void clearDeviceButtons();
    void devicesUpdated();
    void onServiceScanDone();
    void Sleep(int msec);
    void onReadCharacteristicRequested(const QString &uuid);
    void onCharacteristicsGetDone(const QString &serviceUuid, const QList<CharacteristicInfo *> &characteristics);
    void onCharacteristicValueRead(const QString &characteristicUuid, const QByteArray &characteristicValue);
    void onNotifyCharacteristicRequested(const QString &uuid, bool subscribe);
    void onWriteCharacteristicRequested(const QString &uuid, const QString &data, bool hex);
    void onServiceDisconnected();
    void onTitleButtonClicked();
    void onServiceListDone();
    void onDiscoveryFailed(const QString &reason);
    void showStatus(const QString &text);

private:
    // Idle shows "Scan", Scanning "Stop", Connected "Disconnect".
    enum class ScanState { Idle, Scanning, Connected };
    void setScanState(ScanState state);
    void addServiceBox(ServiceInfo *service);

    Ui::kalvest_ble *ui;
    ScanState scanState = ScanState::Idle;
    QMap<QString, QPushButton *> deviceButtons;
    QMap<QPushButton *, QString> deviceTexts; // name and address, as shown
    QVBoxLayout *deviceLayout;
    Device device;
    QMap<QString, CharacteristicWidget *> serviceWidgets;
    QMap<QString, QString> characteristicServices;
    QMap<QPushButton *, QGroupBox *> titlePanels;
    QPointer<QVBoxLayout> serviceLayout; // the current connection's panel
};
