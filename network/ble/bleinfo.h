#pragma once
// The three small records of the Bluetooth LE model: one discovered
// peripheral, one GATT service and one characteristic.

#include <QBluetoothDeviceInfo>
#include <QLowEnergyCharacteristic>
#include <QObject>
#include <QString>

#include "gattservice.h"

class DeviceInfo : public QObject
{
    Q_OBJECT
public:
    DeviceInfo() = default;
    explicit DeviceInfo(const QBluetoothDeviceInfo &device);

    QBluetoothDeviceInfo getDevice() const { return device; }
    QString getName() const { return device.name(); }
    QString getAddress() const { return device.address().toString(); }
    void setDevice(const QBluetoothDeviceInfo &info);

signals:
    void deviceChanged();

private:
    QBluetoothDeviceInfo device;
};

class ServiceInfo : public QObject
{
    Q_OBJECT
public:
    // Takes the service: destroying the ServiceInfo destroys it.
    explicit ServiceInfo(GattService *service);

    GattService *getService() const { return service; }
    QString getName() const;
    QString getUuid() const;

private:
    GattService *service;
};

class CharacteristicInfo : public QObject
{
    Q_OBJECT
public:
    CharacteristicInfo(const QString &serviceUuid, const QLowEnergyCharacteristic &characteristic);
    CharacteristicInfo(const QString &serviceUuid, const GattCharacteristic &characteristic);

    QString getUuid() const;
    QString getName() const;
    QString getPermission() const;
    QString getServiceUuid() const { return serviceUuid; }
    QLowEnergyCharacteristic::PropertyTypes getProperties() const { return characteristic.properties; }

signals:
    void characteristicChanged();

private:
    GattCharacteristic characteristic;
    QString serviceUuid;
};
