#pragma once
// One GATT service of the connected peripheral, as the model sees it.
//
// The model talks to services only through this interface: QtGattService
// wraps a real QLowEnergyService, and tests put their own service in its
// place (a QLowEnergyService cannot exist without a connected controller).

#include <QBluetoothUuid>
#include <QByteArray>
#include <QList>
#include <QLowEnergyCharacteristic>
#include <QLowEnergyService>
#include <QObject>
#include <QString>


// What the model keeps of one characteristic.
struct GattCharacteristic {
    QBluetoothUuid uuid;
    QString name;               // the stack's name; empty for unknown UUIDs
    QByteArray userDescription; // value of descriptor 0x2901, if any
    QLowEnergyCharacteristic::PropertyTypes properties;

    static GattCharacteristic fromStack(const QLowEnergyCharacteristic &characteristic);
};

class GattService : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual QBluetoothUuid uuid() const = 0;
    virtual QString name() const = 0;
    virtual QLowEnergyService::ServiceState state() const = 0;
    // Starts the full discovery of characteristics and descriptors; the end
    // shows as stateChanged.
    virtual void discoverDetails() = 0;
    virtual QList<GattCharacteristic> characteristics() const = 0;
    // Each returns false when the characteristic (or its client
    // configuration descriptor) is unknown or invalid; nothing is sent then.
    virtual bool readValue(const QBluetoothUuid &characteristic) = 0;
    virtual bool writeValue(const QBluetoothUuid &characteristic, const QByteArray &value) = 0;
    virtual bool writeClientConfiguration(const QBluetoothUuid &characteristic, const QByteArray &value) = 0;

signals:
    void stateChanged(QLowEnergyService::ServiceState state);
    void valueRead(const QBluetoothUuid &characteristic, const QByteArray &value);
    void valueChanged(const QBluetoothUuid &characteristic, const QByteArray &value);
};

// The real service: owns the QLowEnergyService it is given.
class QtGattService : public GattService
{
    Q_OBJECT
public:
    explicit QtGattService(QLowEnergyService *service, QObject *parent = nullptr);

    QLowEnergyService *service() const { return m_service; }

    QBluetoothUuid uuid() const override;
    QString name() const override;
    QLowEnergyService::ServiceState state() const override;
    void discoverDetails() override;
    QList<GattCharacteristic> characteristics() const override;
    bool readValue(const QBluetoothUuid &characteristic) override;
    bool writeValue(const QBluetoothUuid &characteristic, const QByteArray &value) override;
    bool writeClientConfiguration(const QBluetoothUuid &characteristic, const QByteArray &value) override;

private:
    QLowEnergyService *m_service;
};
