// The Bluetooth LE model fed through the real discovery agent's signals,
// the real controller on a machine without an adapter, and services put in
// through the model's seam.
#include "testsupport.h"

#include <QBluetoothLocalDevice>
#include <QSignalSpy>

#include "ble/device.h"
#include "fakegattservice.h"

namespace {
QBluetoothDeviceInfo leDevice(const QString &address, const QString &name,
                              QBluetoothDeviceInfo::CoreConfigurations core =
                                  QBluetoothDeviceInfo::LowEnergyCoreConfiguration)
{
    QBluetoothDeviceInfo info(QBluetoothAddress(address), name, 0);
    info.setCoreConfigurations(core);
    return info;
}

QStringList names(const Device &d)
{
    QStringList out;
    for (DeviceInfo *info : d.getDevices().value<QList<DeviceInfo *>>())
        out << info->getName() + QLatin1Char('@') + info->getAddress();
    return out;
}

bool hasAdapter()
{
    return !QBluetoothLocalDevice::allDevices().isEmpty();
}

using P = QLowEnergyCharacteristic;
const QString kService = QStringLiteral("{0000180d-0000-1000-8000-00805f9b34fb}");
const QBluetoothUuid kA(QStringLiteral("{00002a37-0000-1000-8000-00805f9b34fb}"));
const QBluetoothUuid kB(QStringLiteral("{8f1e0001-4a2b-4c3d-9e8f-0123456789ab}"));
} // namespace

class TestBleModel : public QObject
{
    Q_OBJECT
private slots:
    void discoveryResults();
    void scanErrors_data();
    void scanErrors();
    void scanEnds();
    void discoveryTimeOut();
    void realStartWithoutAdapter();
    void controllerKeptPerAddress();
    void servicesAndCharacteristics();
    void readWriteAndNotify();
};

void TestBleModel::discoveryResults()
{
    Device d;
    QSignalSpy updates(&d, &Device::devicesUpdated);
    QBluetoothDeviceDiscoveryAgent *agent = d.agent();
    emit agent->deviceDiscovered(leDevice("11:22:33:44:55:01", "Thermo"));
    emit agent->deviceDiscovered(leDevice("11:22:33:44:55:02", "Classic", QBluetoothDeviceInfo::BaseRateCoreConfiguration));
    emit agent->deviceDiscovered(leDevice("11:22:33:44:55:03", "Dual",
                                          QBluetoothDeviceInfo::BaseRateAndLowEnergyCoreConfiguration));
    emit agent->deviceDiscovered(leDevice("11:22:33:44:55:01", "Thermo v2"));
    // The classic device is ignored; the second sighting takes the first's place.
    QCOMPARE(names(d), QStringList({"Thermo v2@11:22:33:44:55:01", "Dual@11:22:33:44:55:03"}));
    QCOMPARE(updates.count(), 3);
    // A new discovery starts from an empty list.
    d.startDeviceDiscovery();
    QVERIFY(names(d).isEmpty());
    QCOMPARE(updates.count(), 4);
}

void TestBleModel::scanErrors_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");
    QTest::newRow("powered off") << int(QBluetoothDeviceDiscoveryAgent::PoweredOffError)
                                 << "The Bluetooth adaptor is powered off, power it on before doing discovery.";
    QTest::newRow("input/output") << int(QBluetoothDeviceDiscoveryAgent::InputOutputError)
                                  << "Writing or reading from the device resulted in an error.";
    QTest::newRow("adapter") << int(QBluetoothDeviceDiscoveryAgent::InvalidBluetoothAdapterError)
                             << "Error: InvalidBluetoothAdapterError";
    QTest::newRow("unsupported") << int(QBluetoothDeviceDiscoveryAgent::UnsupportedDiscoveryMethod)
                                 << "Error: UnsupportedDiscoveryMethod";
    // A value the enumeration can hold (its range reaches 127) that names
    // no error.
    QTest::newRow("unknown code") << 99 << "Error: ";
}

void TestBleModel::scanErrors()
{
    QFETCH(int, error);
    QFETCH(QString, text);
    if (text == QLatin1String("Error: "))
        QVERIFY(!QMetaEnum::fromType<QBluetoothDeviceDiscoveryAgent::Error>().valueToKey(error));
    Device d;
    QCOMPARE(d.getUpdate(), QStringLiteral("Search"));
    QVERIFY(QMetaObject::invokeMethod(&d, "discoveryStarted"));
    QVERIFY(d.isScanning());
    QSignalSpy failed(&d, &Device::discoveryFailed);
    emit d.agent()->errorOccurred(QBluetoothDeviceDiscoveryAgent::Error(error));
    QCOMPARE(d.getUpdate(), text);
    QVERIFY(!d.isScanning());
    QCOMPARE(failed.count(), 1);
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
}

void TestBleModel::scanEnds()
{
    Device d;
    QSignalSpy state(&d, &Device::stateChanged);
    QVERIFY(QMetaObject::invokeMethod(&d, "discoveryStarted"));
    QCOMPARE(d.getUpdate(), QStringLiteral("Stop"));
    emit d.agent()->finished();
    QCOMPARE(d.getUpdate(), QStringLiteral("No Low Energy devices found..."));
    QVERIFY(!d.isScanning());
    QVERIFY(QMetaObject::invokeMethod(&d, "discoveryStarted"));
    emit d.agent()->deviceDiscovered(leDevice("11:22:33:44:55:01", "Thermo"));
    emit d.agent()->canceled();
    QCOMPARE(d.getUpdate(), QStringLiteral("Done! Scan Again!"));
    QCOMPARE(state.count(), 4);
}

void TestBleModel::discoveryTimeOut()
{
    Device d;
    QCOMPARE(d.agent()->lowEnergyDiscoveryTimeout(), 25000);
    d.setDiscoveryTimeout(300);
    QCOMPARE(d.agent()->lowEnergyDiscoveryTimeout(), 300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(&d, "discoveryStarted"));
    emit d.agent()->deviceDiscovered(leDevice("11:22:33:44:55:01", "Thermo"));
    QTRY_VERIFY_WITH_TIMEOUT(!d.isScanning(), 5000);
    QVERIFY(clock.elapsed() >= 250);
    QCOMPARE(d.getUpdate(), QStringLiteral("Done! Scan Again!"));
}

void TestBleModel::realStartWithoutAdapter()
{
    if (hasAdapter())
        QSKIP("a Bluetooth adapter is present; this checks the machine without one");
    Device d;
    QSignalSpy failed(&d, &Device::discoveryFailed);
    d.startDeviceDiscovery();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toString(), d.agent()->errorString());
    QVERIFY(!failed.at(0).at(0).toString().isEmpty());
    QVERIFY(!d.isScanning());
    QVERIFY(!d.agent()->isActive());
}

void TestBleModel::controllerKeptPerAddress()
{
    if (hasAdapter())
        QSKIP("a Bluetooth adapter is present; this checks the machine without one");
    Device d;
    QSignalSpy errors(&d, &Device::connectionError);
    QSignalSpy gone(&d, &Device::disconnected);
    d.disconnectFromDevice(); // before any connection
    QCOMPARE(gone.count(), 1);

    d.scanServices(QStringLiteral("11:22:33:44:55:01")); // nothing chosen yet, unknown address
    QCOMPARE(d.findChildren<QLowEnergyController *>().size(), 0);
    QCOMPARE(d.getUpdate(), QStringLiteral("Search"));

    emit d.agent()->deviceDiscovered(leDevice("11:22:33:44:55:01", "Thermo"));
    emit d.agent()->deviceDiscovered(leDevice("11:22:33:44:55:02", "Scale"));
    d.scanServices(QStringLiteral("11:22:33:44:55:01"));
    // Without an adapter the controller fails at once and says why.
    QCOMPARE(errors.count(), 1);
    QVERIFY(!errors.at(0).at(0).toString().isEmpty());
    QCOMPARE(gone.count(), 2);
    QCOMPARE(d.getUpdate(), QStringLiteral("Back\n(Connecting to device...)"));
    const QList<QLowEnergyController *> first = d.findChildren<QLowEnergyController *>();
    QCOMPARE(first.size(), 1);

    d.scanServices(QStringLiteral("11:22:33:44:55:01"));
    QCOMPARE(d.findChildren<QLowEnergyController *>(), first);

    QPointer<QLowEnergyController> old = first.first();
    d.scanServices(QStringLiteral("11:22:33:44:55:02"));
    QTRY_VERIFY(old.isNull());
    QCOMPARE(d.findChildren<QLowEnergyController *>().size(), 1);
    QCOMPARE(d.findChildren<QLowEnergyController *>().first()->remoteAddress().toString(),
             QStringLiteral("11:22:33:44:55:02"));
}

void TestBleModel::servicesAndCharacteristics()
{
    // Names, rows and routing are the page test's; here the model's paths
    // for details already known and for a failed detail discovery.
    Device d;
    auto *heart = new FakeGattService(kService, "Heart Rate", {{kA, {}, {}, P::Notify}, {kB, {}, {}, P::Read}});
    const QString otherUuid = QStringLiteral("{0000180f-0000-1000-8000-00805f9b34fb}");
    auto *battery = new FakeGattService(otherUuid, "Battery Service", {});
    QSignalSpy services(&d, &Device::servicesUpdated);
    d.addService(heart);
    d.addService(battery);
    QCOMPARE(services.count(), 2);

    QSignalSpy done(&d, &Device::characteristics_GetDone);
    QSignalSpy updated(&d, &Device::characteristicsUpdated);
    d.connectToService(kService);
    QCOMPARE(d.getUpdate(), QStringLiteral("Back\n(Discovering details...)"));
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(1).value<QList<CharacteristicInfo *>>().size(), 2);

    updated.clear();
    d.connectToService(kService);
    QCOMPARE(updated.count(), 1); // the list was emptied
    QTRY_COMPARE(updated.count(), 2);
    QCOMPARE(done.count(), 1);

    d.connectToService(otherUuid);
    updated.clear();
    battery->setState(QLowEnergyService::InvalidService);
    QTRY_COMPARE(updated.count(), 1);
    QCOMPARE(done.count(), 1);
}

void TestBleModel::readWriteAndNotify()
{
    Device d;
    auto *heart = new FakeGattService(kService, "Heart Rate",
                                      {{kA, {}, {}, P::Notify}, {kB, {}, {}, P::Read | P::Write}});
    d.addService(heart);
    QSignalSpy read(&d, &Device::characteristicValueRead);
    QSignalSpy changed(&d, &Device::characteristicValueChanged);
    const QString b = BleLogic::uuidText(kB);

    d.readCharacteristic(kService, b);
    d.readCharacteristic(QString(), b);          // no service named
    d.readCharacteristic(QStringLiteral("{0000180f-0000-1000-8000-00805f9b34fb}"), b); // unknown service
    QCOMPARE(heart->reads, QList<QBluetoothUuid>({kB}));
    heart->answerRead(kB, QByteArray("\xc8\x00", 2));
    QCOMPARE(read.count(), 1);
    QCOMPARE(read.at(0).at(0).toString(), b);
    QCOMPARE(read.at(0).at(1).toByteArray(), QByteArray("\xc8\x00", 2));

    d.writeCharacteristic(kService, b, "AB");
    QCOMPARE(heart->valueWrites.size(), 1);
    QCOMPARE(heart->valueWrites.at(0).second, QByteArray("AB"));

    // A characteristic without a client configuration descriptor cannot be
    // subscribed: nothing of it is forwarded.
    d.subscribeToNotify(kService, b);
    QVERIFY(heart->configWrites.isEmpty());
    heart->notify(kB, "x");
    QCOMPARE(changed.count(), 0);
}

VELM_TEST_MAIN(TestBleModel)
#include "tst_blemodel.moc"
