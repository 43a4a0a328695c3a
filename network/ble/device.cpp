#include "device.h"

#include "blelogic.h"

#include <QMetaEnum>

namespace {
constexpr int kDiscoveryTimeoutMs = 25000;
} // namespace

Device::Device(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<QList<DeviceInfo *>>();
    qRegisterMetaType<QList<ServiceInfo *>>();
    qRegisterMetaType<QList<CharacteristicInfo *>>();

    discoveryAgent = new QBluetoothDeviceDiscoveryAgent(this);
    discoveryAgent->setLowEnergyDiscoveryTimeout(kDiscoveryTimeoutMs);
    connect(discoveryAgent, &QBluetoothDeviceDiscoveryAgent::deviceDiscovered, this, &Device::addDevice);
    connect(discoveryAgent, &QBluetoothDeviceDiscoveryAgent::errorOccurred, this, &Device::deviceScanError);
    connect(discoveryAgent, &QBluetoothDeviceDiscoveryAgent::finished, this, &Device::deviceScanFinished);
    connect(discoveryAgent, &QBluetoothDeviceDiscoveryAgent::canceled, this, &Device::deviceScanFinished);

    // Guards the discovery as well: a stack that never reports the end of
    // its time-out still leaves the scanning state.
    discoveryTimer.setSingleShot(true);
    discoveryTimer.setInterval(kDiscoveryTimeoutMs);
    connect(&discoveryTimer, &QTimer::timeout, this, &Device::discoveryTimedOut);

    setUpdate(QStringLiteral("Search"));
}

Device::~Device()
{
    qDeleteAll(deviceList);
    qDeleteAll(serviceList);
    qDeleteAll(characteristicList);
}

QVariant Device::getDevices() const
{
    return QVariant::fromValue(deviceList);
}

QVariant Device::getServices() const
{
    return QVariant::fromValue(serviceList);
}

void Device::setDiscoveryTimeout(int milliseconds)
{
    discoveryAgent->setLowEnergyDiscoveryTimeout(milliseconds);
    discoveryTimer.setInterval(milliseconds);
}

void Device::setUpdate(const QString &text)
{
    updateText = text;
    emit updateChanged();
}

GattService *Device::findService(const QString &uuid) const
{
    for (ServiceInfo *info : serviceList) {
        if (info->getUuid() == uuid)
            return info->getService();
    }
    return nullptr;
}

void Device::clearCharacteristics()
{
    qDeleteAll(characteristicList);
    characteristicList.clear();
    emit characteristicsUpdated();
}

void Device::clearServices()
{
    for (const QMetaObject::Connection &c : std::as_const(notifyConnections))
        disconnect(c);
    notifyConnections.clear();
    notifySubscriptions.clear();
    qDeleteAll(serviceList);
    serviceList.clear();
    emit servicesUpdated();
}

// ---- Discovery ----

void Device::startDeviceDiscovery()
{
    qDeleteAll(deviceList);
    deviceList.clear();
    emit devicesUpdated();

    discoveryAgent->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    if (discoveryAgent->isActive()) {
        discoveryStarted();
    } else if (discoveryAgent->error() == QBluetoothDeviceDiscoveryAgent::NoError) {
        // Refused without saying why (no usable adapter).
        setUpdate(tr("The Bluetooth discovery did not start."));
        emit discoveryFailed(updateText);
    }
    // An agent that failed has reported it through errorOccurred already.
}

void Device::discoveryStarted()
{
    setUpdate(QStringLiteral("Stop"));
    scanning = true;
    emit stateChanged();
    discoveryTimer.start();
}

void Device::discoveryTimedOut()
{
    if (discoveryAgent->isActive())
        discoveryAgent->stop(); // its canceled report ends the scan
    else if (scanning)
        deviceScanFinished();
}

void Device::stopDeviceDiscovery()
{
    if (discoveryAgent->isActive())
        discoveryAgent->stop();
}

void Device::addDevice(const QBluetoothDeviceInfo &info)
{
    if (!(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration))
        return;
    auto *entry = new DeviceInfo(info);
    const QString address = entry->getAddress();
    bool replaced = false;
    for (qsizetype i = 0; i < deviceList.size(); ++i) {
        if (deviceList.at(i)->getAddress() == address) {
            DeviceInfo *old = deviceList.at(i);
            deviceList[i] = entry;
            delete old;
            replaced = true;
            break;
        }
    }
    if (!replaced)
        deviceList.append(entry);
    emit devicesUpdated();
}

void Device::deviceScanFinished()
{
    discoveryTimer.stop();
    scanning = false;
    emit stateChanged();
    if (!deviceList.isEmpty())
        setUpdate(QStringLiteral("Done! Scan Again!"));
    else
        setUpdate(QStringLiteral("No Low Energy devices found..."));
}

void Device::deviceScanError(QBluetoothDeviceDiscoveryAgent::Error error)
{
    if (error == QBluetoothDeviceDiscoveryAgent::PoweredOffError) {
        setUpdate(tr("The Bluetooth adaptor is powered off, power it on before doing discovery."));
    } else if (error == QBluetoothDeviceDiscoveryAgent::InputOutputError) {
        setUpdate(tr("Writing or reading from the device resulted in an error."));
    } else {
        static const QMetaEnum errorEnum = discoveryAgent->metaObject()->enumerator(
            discoveryAgent->metaObject()->indexOfEnumerator("Error"));
        setUpdate(tr("Error: %1").arg(QLatin1String(errorEnum.valueToKey(int(error)))));
    }
    discoveryTimer.stop();
    scanning = false;
    emit stateChanged();
    const QString stackText = discoveryAgent->errorString();
    emit discoveryFailed(stackText.isEmpty() ? updateText : stackText);
}

// ---- Connecting ----

void Device::scanServices(const QString &address)
{
    for (DeviceInfo *info : std::as_const(deviceList)) {
        if (info->getAddress() == address) {
            currentDevice.setDevice(info->getDevice());
            break;
        }
    }
    if (!currentDevice.getDevice().isValid())
        return;

    clearCharacteristics();
    clearServices();
    setUpdate(QStringLiteral("Back\n(Connecting to device...)"));

    if (controller && previousAddress != currentDevice.getAddress()) {
        // No late signal of the old controller reaches the model.
        controller->disconnect(this);
        controller->disconnectFromDevice();
        controller->deleteLater();
        controller = nullptr;
    }
    if (!controller) {
        controller = QLowEnergyController::createCentral(currentDevice.getDevice(), this);
        connect(controller, &QLowEnergyController::connected, this, &Device::deviceConnected);
        connect(controller, &QLowEnergyController::errorOccurred, this, &Device::errorReceived);
        connect(controller, &QLowEnergyController::disconnected, this, &Device::deviceDisconnected);
        connect(controller, &QLowEnergyController::serviceDiscovered, this, &Device::addLowEnergyService);
        connect(controller, &QLowEnergyController::discoveryFinished, this, &Device::serviceScanDone);
    }
    controller->setRemoteAddressType(QLowEnergyController::PublicAddress);
    previousAddress = currentDevice.getAddress();
    controller->connectToDevice();
}

void Device::disconnectFromDevice()
{
    if (!controller || controller->state() == QLowEnergyController::UnconnectedState)
        emit disconnected();
    else
        controller->disconnectFromDevice();
}

void Device::errorReceived(QLowEnergyController::Error)
{
    auto *source = qobject_cast<QLowEnergyController *>(sender());
    emit connectionError(source ? source->errorString() : QString());
    emit disconnected();
}

void Device::deviceDisconnected()
{
    emit disconnected();
}

// ---- Services ----

void Device::deviceConnected()
{
    setUpdate(QStringLiteral("Back\n(Discovering services...)"));
    if (controller)
        controller->discoverServices();
    emit connected();
}

void Device::addLowEnergyService(const QBluetoothUuid &uuid)
{
    if (!controller)
        return;
    QLowEnergyService *service = controller->createServiceObject(uuid);
    if (!service)
        return;
    addService(new QtGattService(service));
}

void Device::addService(GattService *service)
{
    serviceList.append(new ServiceInfo(service));
    connect(service, &GattService::valueRead, this, &Device::characteristicRead);
    emit servicesUpdated();
}

void Device::serviceScanDone()
{
    setUpdate(QStringLiteral("Back\n(Service scan done!)"));
    if (serviceList.isEmpty())
        emit servicesUpdated();
    emit serviceScanFinished();
}

void Device::connectToService(const QString &uuid)
{
    GattService *service = findService(uuid);
    if (!service)
        return;
    clearCharacteristics();

    if (service->state() == QLowEnergyService::RemoteService) {
        connect(service, &GattService::stateChanged, this, &Device::serviceDetailsDiscovered,
                Qt::UniqueConnection);
        service->discoverDetails();
        setUpdate(QStringLiteral("Back\n(Discovering details...)"));
        return;
    }
    const QList<GattCharacteristic> list = service->characteristics();
    for (const GattCharacteristic &c : list)
        characteristicList.append(new CharacteristicInfo(uuid, c));
    QTimer::singleShot(0, this, [this] { emit characteristicsUpdated(); });
}

void Device::serviceDetailsDiscovered(QLowEnergyService::ServiceState newState)
{
    if (newState == QLowEnergyService::RemoteServiceDiscovering)
        return;
    if (newState != QLowEnergyService::RemoteServiceDiscovered) {
        QMetaObject::invokeMethod(this, "characteristicsUpdated", Qt::QueuedConnection);
        return;
    }
    auto *service = qobject_cast<GattService *>(sender());
    if (!service)
        return;
    const QString serviceUuid = BleLogic::uuidText(service->uuid());
    const QList<GattCharacteristic> list = service->characteristics();
    for (const GattCharacteristic &c : list)
        characteristicList.append(new CharacteristicInfo(serviceUuid, c));
    emit characteristics_GetDone(serviceUuid, characteristicList);
}

// ---- Read, write, notify ----

void Device::readCharacteristic(const QString &serviceUuid, const QString &characteristicUuid)
{
    if (serviceUuid.isEmpty())
        return;
    if (GattService *service = findService(serviceUuid))
        service->readValue(QBluetoothUuid(characteristicUuid));
}

void Device::writeCharacteristic(const QString &serviceUuid, const QString &characteristicUuid,
                                 const QByteArray &value)
{
    if (serviceUuid.isEmpty())
        return;
    if (GattService *service = findService(serviceUuid))
        service->writeValue(QBluetoothUuid(characteristicUuid), value);
}

void Device::subscribeToNotify(const QString &serviceUuid, const QString &characteristicUuid)
{
    if (serviceUuid.isEmpty())
        return;
    GattService *service = findService(serviceUuid);
    if (!service)
        return;
    const QBluetoothUuid uuid(characteristicUuid);
    if (!service->writeClientConfiguration(uuid, QByteArray::fromHex("0100")))
        return;
    notifySubscriptions[service].insert(BleLogic::uuidText(uuid));
    if (!notifyConnections.contains(service)) {
        notifyConnections.insert(
            service, connect(service, &GattService::valueChanged, this,
                             [this, service](const QBluetoothUuid &c, const QByteArray &value) {
                                 if (notifySubscriptions.value(service).contains(BleLogic::uuidText(c)))
                                     characteristicNotify(c, value);
                             }));
    }
}

void Device::unsubscribeNotify(const QString &serviceUuid, const QString &characteristicUuid)
{
    GattService *service = findService(serviceUuid);
    if (!service)
        return;
    const QBluetoothUuid uuid(characteristicUuid);
    auto it = notifySubscriptions.find(service);
    if (it == notifySubscriptions.end() || !it->remove(BleLogic::uuidText(uuid)))
        return;
    service->writeClientConfiguration(uuid, QByteArray::fromHex("0000"));
    if (it->isEmpty()) {
        notifySubscriptions.erase(it);
        disconnect(notifyConnections.take(service));
    }
}

void Device::characteristicRead(const QBluetoothUuid &characteristic, const QByteArray &value)
{
    emit characteristicValueRead(BleLogic::uuidText(characteristic), value);
}

void Device::characteristicNotify(const QBluetoothUuid &characteristic, const QByteArray &value)
{
    emit characteristicValueChanged(BleLogic::uuidText(characteristic), value);
}
