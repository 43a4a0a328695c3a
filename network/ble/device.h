#pragma once
// The model behind the "Ble" page: discovers Bluetooth LE peripherals,
// connects to one as a GATT client, lists its services and characteristics
// and reads, writes and subscribes to characteristic values.
//
// UUIDs travel as braced lower-case text, addresses as
// QBluetoothAddress::toString() text. Values travel as the raw bytes.

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothUuid>
#include <QByteArray>
#include <QList>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QMap>
#include <QMetaObject>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVariant>

#include "bleinfo.h"

class Device : public QObject
{
    Q_OBJECT
public:
    explicit Device(QObject *parent = nullptr);
    ~Device() override;

    QVariant getDevices() const; // QList<DeviceInfo*>
    QVariant getServices() const; // QList<ServiceInfo*>
    QString getUpdate() const { return updateText; }
    bool isScanning() const { return scanning; }

    // ---- Seams for tests (the stack cannot be faked otherwise) ----
    QBluetoothDeviceDiscoveryAgent *agent() const { return discoveryAgent; }
    // Both the agent's time-out and the model's own guard of a discovery.
    void setDiscoveryTimeout(int milliseconds);
    // Appends one service of the connected peripheral (the controller's
    // services arrive here too) and takes it.
    void addService(GattService *service);

signals:
    void connected();
    void devicesUpdated();
    void servicesUpdated();
    void characteristicsUpdated();
    void characteristics_GetDone(const QString &serviceUuid, const QList<CharacteristicInfo *> &characteristics);
    void updateChanged();
    void stateChanged();
    void disconnected();
    void randomAddressChanged();
    void characteristicValueRead(const QString &characteristicUuid, const QByteArray &value);
    void characteristicValueChanged(const QString &characteristicUuid, const QByteArray &value);
    // The controller's service scan has ended (services may have arrived
    // after connected()).
    void serviceScanFinished();
    // A discovery could not start or broke off; the reason for the user.
    void discoveryFailed(const QString &reason);
    // The controller reported an error (disconnected() follows).
    void connectionError(const QString &reason);

public slots:
    void startDeviceDiscovery();
    void stopDeviceDiscovery();
    void scanServices(const QString &address);
    void connectToService(const QString &uuid);
    void disconnectFromDevice();
    void readCharacteristic(const QString &serviceUuid, const QString &characteristicUuid);
    void characteristicRead(const QBluetoothUuid &characteristic, const QByteArray &value);
    void unsubscribeNotify(const QString &serviceUuid, const QString &characteristicUuid);
    void characteristicNotify(const QBluetoothUuid &characteristic, const QByteArray &value);
    void subscribeToNotify(const QString &serviceUuid, const QString &characteristicUuid);
    void writeCharacteristic(const QString &serviceUuid, const QString &characteristicUuid, const QByteArray &value);

private slots:
    void addDevice(const QBluetoothDeviceInfo &info);
    void deviceScanFinished();
    void deviceScanError(QBluetoothDeviceDiscoveryAgent::Error error);
    void addLowEnergyService(const QBluetoothUuid &uuid);
    void deviceConnected();
    void errorReceived(QLowEnergyController::Error error);
    void serviceScanDone();
    void deviceDisconnected();
    void serviceDetailsDiscovered(QLowEnergyService::ServiceState newState);
    void discoveryStarted();
    void discoveryTimedOut();

private:
    void setUpdate(const QString &text);
    GattService *findService(const QString &uuid) const;
    void clearCharacteristics();
    void clearServices();

    QList<ServiceInfo *> serviceList;
    QBluetoothDeviceDiscoveryAgent *discoveryAgent = nullptr;
    DeviceInfo currentDevice;
    QList<DeviceInfo *> deviceList;
    QList<CharacteristicInfo *> characteristicList;
    QString previousAddress;
    QString updateText;
    QLowEnergyController *controller = nullptr;
    bool scanning = false;
    // One forwarding connection per service, and per service the
    // characteristics whose notifications the user has switched on.
    QMap<GattService *, QMetaObject::Connection> notifyConnections;
    QMap<GattService *, QSet<QString>> notifySubscriptions;
    QTimer discoveryTimer;
};

Q_DECLARE_METATYPE(QList<DeviceInfo *>)
Q_DECLARE_METATYPE(QList<ServiceInfo *>)
Q_DECLARE_METATYPE(QList<CharacteristicInfo *>)
