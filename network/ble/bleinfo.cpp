#include "bleinfo.h"

#include "blelogic.h"

DeviceInfo::DeviceInfo(const QBluetoothDeviceInfo &info) : device(info) {}

void DeviceInfo::setDevice(const QBluetoothDeviceInfo &info)
{
    device = info;
    emit deviceChanged();
}

ServiceInfo::ServiceInfo(GattService *s) : service(s)
{
    if (service)
        service->setParent(this);
}

QString ServiceInfo::getName() const
{
    return service ? service->name() : QString();
}

QString ServiceInfo::getUuid() const
{
    return service ? BleLogic::uuidText(service->uuid()) : QString();
}

CharacteristicInfo::CharacteristicInfo(const QString &service, const QLowEnergyCharacteristic &c)
    : characteristic(GattCharacteristic::fromStack(c)), serviceUuid(service)
{
}

CharacteristicInfo::CharacteristicInfo(const QString &service, const GattCharacteristic &c)
    : characteristic(c), serviceUuid(service)
{
}

QString CharacteristicInfo::getUuid() const
{
    return BleLogic::uuidText(characteristic.uuid);
}

QString CharacteristicInfo::getName() const
{
    return BleLogic::characteristicName(characteristic.name, characteristic.userDescription);
}

QString CharacteristicInfo::getPermission() const
{
    return BleLogic::permissionText(characteristic.properties);
}
