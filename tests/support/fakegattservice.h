#pragma once
// A GATT service for tests of the Bluetooth LE model and page: stands in
// where a QLowEnergyService would be (one cannot exist without a connected
// controller). It records what the model asks of it and lets the test send
// values the way a peripheral would.

#include <QList>
#include <QPair>
#include <QTimer>

#include "ble/blelogic.h"
#include "ble/gattservice.h"

class FakeGattService : public GattService
{
public:
    FakeGattService(const QString &uuid, const QString &name, const QList<GattCharacteristic> &characteristics)
        : m_uuid(uuid), m_name(name), m_characteristics(characteristics)
    {
    }

    QBluetoothUuid uuid() const override { return m_uuid; }
    QString name() const override { return m_name; }
    QLowEnergyService::ServiceState state() const override { return m_state; }
    // Details arrive later through the event loop, as from a real stack.
    void discoverDetails() override
    {
        setState(QLowEnergyService::RemoteServiceDiscovering);
        QTimer::singleShot(1, this, [this] { setState(QLowEnergyService::RemoteServiceDiscovered); });
    }
    QList<GattCharacteristic> characteristics() const override
    {
        return m_state == QLowEnergyService::RemoteServiceDiscovered ? m_characteristics
                                                                      : QList<GattCharacteristic>();
    }
    bool readValue(const QBluetoothUuid &c) override
    {
        if (!find(c))
            return false;
        reads.append(c);
        return true;
    }
    bool writeValue(const QBluetoothUuid &c, const QByteArray &value) override
    {
        if (!find(c))
            return false;
        valueWrites.append({c, value});
        return true;
    }
    // Only characteristics that notify or indicate have the descriptor.
    bool writeClientConfiguration(const QBluetoothUuid &c, const QByteArray &value) override
    {
        const GattCharacteristic *ch = find(c);
        if (!ch || !(ch->properties & (QLowEnergyCharacteristic::Notify | QLowEnergyCharacteristic::Indicate)))
            return false;
        configWrites.append({c, value});
        return true;
    }

    void setState(QLowEnergyService::ServiceState state)
    {
        m_state = state;
        emit stateChanged(state);
    }
    void notify(const QBluetoothUuid &c, const QByteArray &value) { emit valueChanged(c, value); }
    void answerRead(const QBluetoothUuid &c, const QByteArray &value) { emit valueRead(c, value); }

    QList<QBluetoothUuid> reads;
    QList<QPair<QBluetoothUuid, QByteArray>> valueWrites;
    QList<QPair<QBluetoothUuid, QByteArray>> configWrites;

private:
    const GattCharacteristic *find(const QBluetoothUuid &c) const
    {
        for (const GattCharacteristic &ch : m_characteristics) {
            if (ch.uuid == c)
                return &ch;
        }
        return nullptr;
    }

    QBluetoothUuid m_uuid;
    QString m_name;
    QList<GattCharacteristic> m_characteristics;
    QLowEnergyService::ServiceState m_state = QLowEnergyService::RemoteService;
};
