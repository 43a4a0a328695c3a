#include "gattservice.h"

#include "blelogic.h"

#include <QLowEnergyDescriptor>

GattCharacteristic GattCharacteristic::fromStack(const QLowEnergyCharacteristic &c)
{
    QByteArray description;
    const QList<QLowEnergyDescriptor> descriptors = c.descriptors();
    for (const QLowEnergyDescriptor &d : descriptors) {
        if (d.uuid() == QBluetoothUuid(QBluetoothUuid::DescriptorType::CharacteristicUserDescription)) {
            description = d.value();
            break;
        }
    }
    return GattCharacteristic{c.uuid(), c.name(), description, c.properties()};
}

QtGattService::QtGattService(QLowEnergyService *service, QObject *parent) : GattService(parent), m_service(service)
{
    m_service->setParent(this);
    connect(m_service, &QLowEnergyService::stateChanged, this, &GattService::stateChanged);
    connect(m_service, &QLowEnergyService::characteristicRead, this,
            [this](const QLowEnergyCharacteristic &c, const QByteArray &value) { emit valueRead(c.uuid(), value); });
    connect(m_service, &QLowEnergyService::characteristicChanged, this,
            [this](const QLowEnergyCharacteristic &c, const QByteArray &value) { emit valueChanged(c.uuid(), value); });
}

QBluetoothUuid QtGattService::uuid() const
{
    return m_service->serviceUuid();
}

QString QtGattService::name() const
{
    return m_service->serviceName();
}

QLowEnergyService::ServiceState QtGattService::state() const
{
    return m_service->state();
}

void QtGattService::discoverDetails()
{
    m_service->discoverDetails(QLowEnergyService::FullDiscovery);
}

QList<GattCharacteristic> QtGattService::characteristics() const
{
    QList<GattCharacteristic> out;
    const QList<QLowEnergyCharacteristic> list = m_service->characteristics();
    for (const QLowEnergyCharacteristic &c : list)
        out.append(GattCharacteristic::fromStack(c));
    return out;
}

bool QtGattService::readValue(const QBluetoothUuid &characteristic)
{
    const QList<QLowEnergyCharacteristic> list = m_service->characteristics();
    for (const QLowEnergyCharacteristic &c : list) {
        if (c.uuid() == characteristic) {
            if (!c.isValid())
                return false;
            m_service->readCharacteristic(c);
            return true;
        }
    }
    return false;
}

bool QtGattService::writeValue(const QBluetoothUuid &characteristic, const QByteArray &value)
{
    const QLowEnergyCharacteristic c = m_service->characteristic(characteristic);
    if (!c.isValid())
        return false;
    m_service->writeCharacteristic(c, value, BleLogic::writeModeFor(c.properties()));
    return true;
}

bool QtGattService::writeClientConfiguration(const QBluetoothUuid &characteristic, const QByteArray &value)
{
    const QLowEnergyCharacteristic c = m_service->characteristic(characteristic);
    if (!c.isValid())
        return false;
    const QLowEnergyDescriptor d = c.clientCharacteristicConfiguration();
    if (!d.isValid())
        return false;
    m_service->writeDescriptor(d, value);
    return true;
}
