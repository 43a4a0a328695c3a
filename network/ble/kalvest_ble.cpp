#include "kalvest_ble.h"
#include "ui_kalvest_ble.h"

#include "blelogic.h"
#include "characteristicwidget.h"
#include "eventwait.h"
#include "openbuttonstyle.h"
#include "uiprompt.h"

#include <QGroupBox>
#include <QIcon>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const char kDeviceStyle[] = "QPushButton {   border: 2px solid #1E88E5;   border-radius: 5px;   padding: 8px;"
                            "   background-color: #42A5F5;   color: white;   font-weight: bold;}"
                            "QPushButton:pressed {   background-color: #1E88E5;}";
const char kTitleStyle[] = "QPushButton { background: transparent; border: none; color: blue; font-size: 13px;"
                           " font-weight: bold; text-align: left; }"
                           "QPushButton:hover { color: #007acc; }"
                           "QPushButton:pressed { color: #005f99; }";
const char kServiceBoxStyle[] = "QGroupBox { background-color: white; } QGroupBox::title { font-size: 13px;"
                                " font-weight: bold; color: black; }";
} // namespace

kalvest_ble::kalvest_ble(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_ble), device(this)
{
    ui->setupUi(this);
    deviceLayout = new QVBoxLayout(ui->groupBox);
    deviceLayout->setAlignment(Qt::AlignTop);
    ui->groupBox->setLayout(deviceLayout);

    connect(ui->scanButton, &QPushButton::clicked, this, &kalvest_ble::onScanButtonClicked);
    connect(&device, &Device::devicesUpdated, this, &kalvest_ble::devicesUpdated);
    connect(&device, &Device::connected, this, &kalvest_ble::onServiceScanDone);
    connect(&device, &Device::disconnected, this, &kalvest_ble::onServiceDisconnected);
    connect(&device, &Device::characteristicValueRead, this, &kalvest_ble::onCharacteristicValueRead);
    connect(&device, &Device::characteristicValueChanged, this, &kalvest_ble::onCharacteristicValueRead);
    connect(&device, &Device::serviceScanFinished, this, &kalvest_ble::onServiceListDone);
    connect(&device, &Device::discoveryFailed, this, &kalvest_ble::onDiscoveryFailed);
    connect(&device, &Device::connectionError, this, &kalvest_ble::showStatus);

    ui->scanButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    setStyleSheet(QStringLiteral("background-color: white grey"));
}

kalvest_ble::~kalvest_ble()
{
    delete ui;
}

void kalvest_ble::setScanState(ScanState state)
{
    scanState = state;
    switch (state) {
    case ScanState::Idle:
        ui->scanButton->setText(QStringLiteral("Scan"));
        ui->scanButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
        break;
    case ScanState::Scanning:
        ui->scanButton->setText(QStringLiteral("Stop"));
        ui->scanButton->setStyleSheet(QLatin1String(OpenButtonStyle::kOpen));
        break;
    case ScanState::Connected:
        ui->scanButton->setText(QStringLiteral("Disconnect"));
        ui->scanButton->setStyleSheet(QLatin1String(OpenButtonStyle::kDisconnect));
        break;
    }
}

void kalvest_ble::showStatus(const QString &text)
{
    if (text.isEmpty())
        return;
    if (auto *main = qobject_cast<QMainWindow *>(window()))
        main->statusBar()->showMessage(text);
}

void kalvest_ble::Sleep(int msec)
{
    waitProcessingEvents(msec);
}

// ---- Scanning and peripherals ----

void kalvest_ble::clearDeviceButtons()
{
    for (QPushButton *button : std::as_const(deviceButtons)) {
        ui->groupBox->layout()->removeWidget(button);
        delete button;
    }
    deviceButtons.clear();
    deviceTexts.clear();
}

void kalvest_ble::onScanButtonClicked()
{
    if (scanState == ScanState::Idle) {
        clearDeviceButtons();
        // The state is set before the start: a start that fails at once
        // reports it while the button already shows "Stop".
        setScanState(ScanState::Scanning);
        device.startDeviceDiscovery();
        return;
    }
    const bool connected = scanState == ScanState::Connected;
    setScanState(ScanState::Idle);
    device.stopDeviceDiscovery();
    ui->groupBox_device->setEnabled(true);
    if (connected)
        device.disconnectFromDevice();
}

void kalvest_ble::onDiscoveryFailed(const QString &reason)
{
    if (scanState == ScanState::Scanning) {
        setScanState(ScanState::Idle);
        ui->groupBox_device->setEnabled(true);
    }
    showStatus(reason);
}

void kalvest_ble::devicesUpdated()
{
    const QList<DeviceInfo *> devices = device.getDevices().value<QList<DeviceInfo *>>();
    for (DeviceInfo *info : devices) {
        const QString address = info->getAddress();
        if (deviceButtons.contains(address))
            continue;
        const QString text = BleLogic::deviceButtonText(info->getName(), address);
        auto *button = new QPushButton(BleLogic::literalButtonText(text), ui->groupBox);
        deviceTexts.insert(button, text);
        button->setIcon(QIcon(QStringLiteral(":/images/ble.png")));
        button->setIconSize(QSize(32, 32));
        button->setStyleSheet(QLatin1String(kDeviceStyle));
        connect(button, &QPushButton::clicked, this, &kalvest_ble::onDeviceButtonClicked);
        deviceButtons.insert(address, button);
        deviceLayout->addWidget(button);
    }
}

void kalvest_ble::onDeviceButtonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    if (!button)
        return;
    // The address is kept with the button, not read back from its text (a
    // name may hold parentheses of its own).
    const QString address = deviceButtons.key(button);
    if (address.isEmpty())
        return;
    const QList<DeviceInfo *> devices = device.getDevices().value<QList<DeviceInfo *>>();
    bool known = false;
    for (DeviceInfo *info : devices)
        known = known || info->getAddress() == address;
    if (!known)
        return;

    ui->label_device->setText(QString(deviceTexts.value(button)).remove(QLatin1Char('\n')));
    QPalette palette = ui->label_device->palette();
    palette.setColor(QPalette::WindowText, Qt::darkBlue);
    ui->label_device->setPalette(palette);
    QFont font = ui->label_device->font();
    font.setWeight(QFont::Bold);
    ui->label_device->setFont(font);
    // Connected state first: a controller that fails at once reports it
    // through disconnected(), which then finds the page in this state.
    setScanState(ScanState::Connected);
    ui->groupBox_device->setEnabled(false);

    device.stopDeviceDiscovery();
    device.scanServices(address);
}

void kalvest_ble::onServiceDisconnected()
{
    if (scanState == ScanState::Connected) {
        setScanState(ScanState::Idle);
        device.stopDeviceDiscovery();
        ui->groupBox_device->setEnabled(true);
        device.disconnectFromDevice();
    }
    ui->scanButton->setEnabled(true);
}

// ---- Services ----

void kalvest_ble::onServiceScanDone()
{
    // The earlier connection's layout goes now; its widgets go once control
    // is back in the event loop (one of their buttons may be mid-click, with
    // a write dialog open).
    delete ui->groupBox_ServiceUUID->layout();
    const QList<QWidget *> old = ui->groupBox_ServiceUUID->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : old) {
        child->hide();
        child->setParent(nullptr);
        child->deleteLater();
    }
    serviceWidgets.clear();
    characteristicServices.clear();
    titlePanels.clear();

    serviceLayout = new QVBoxLayout(ui->groupBox_ServiceUUID);
    serviceLayout->setAlignment(Qt::AlignTop);
    const QList<ServiceInfo *> services = device.getServices().value<QList<ServiceInfo *>>();
    for (ServiceInfo *service : services)
        addServiceBox(service);
}

void kalvest_ble::onServiceListDone()
{
    if (!serviceLayout)
        return;
    const QList<ServiceInfo *> services = device.getServices().value<QList<ServiceInfo *>>();
    for (ServiceInfo *service : services)
        addServiceBox(service);
}

void kalvest_ble::addServiceBox(ServiceInfo *service)
{
    const QString uuid = service->getUuid();
    if (serviceWidgets.contains(uuid))
        return;

    auto *box = new QGroupBox(ui->groupBox_ServiceUUID);
    auto *title = new QPushButton(BleLogic::literalButtonText(QStringLiteral("Service name: ") + service->getName()
                                                              + QStringLiteral("\nService UUID: ") + uuid),
                                  ui->groupBox_ServiceUUID);
    title->setFlat(true);
    title->setStyleSheet(QLatin1String(kTitleStyle));
    serviceLayout->addWidget(title);
    titlePanels.insert(title, box);
    connect(title, &QPushButton::clicked, this, &kalvest_ble::onTitleButtonClicked);

    auto *boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    box->setStyleSheet(QLatin1String(kServiceBoxStyle));
    serviceLayout->addWidget(box);
    auto *panel = new CharacteristicWidget(box);
    boxLayout->addWidget(panel);
    serviceWidgets.insert(uuid, panel);

    // The panel exists before the details are asked for, so no answer can
    // arrive without a panel to take it.
    connect(&device, &Device::characteristics_GetDone, this, &kalvest_ble::onCharacteristicsGetDone,
            Qt::UniqueConnection);
    device.connectToService(uuid);
}

void kalvest_ble::onTitleButtonClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    QGroupBox *box = button ? titlePanels.value(button) : nullptr;
    if (box)
        box->setVisible(!box->isVisible());
}

void kalvest_ble::onCharacteristicsGetDone(const QString &serviceUuid,
                                           const QList<CharacteristicInfo *> &characteristics)
{
    CharacteristicWidget *panel = serviceWidgets.value(serviceUuid);
    if (!panel)
        return;
    for (CharacteristicInfo *c : characteristics) {
        if (c->getServiceUuid() != serviceUuid)
            continue;
        characteristicServices.insert(c->getUuid(), serviceUuid);
        const QString permission = c->getPermission();
        panel->addCharacteristic(c->getName(), c->getUuid(), permission);
        if (permission.contains(QLatin1String("Read")))
            connect(panel, &CharacteristicWidget::readCharacteristicRequested, this,
                    &kalvest_ble::onReadCharacteristicRequested, Qt::UniqueConnection);
        if (permission.contains(QLatin1String("Notify")))
            connect(panel, &CharacteristicWidget::notifyCharacteristicRequested, this,
                    &kalvest_ble::onNotifyCharacteristicRequested, Qt::UniqueConnection);
        if (permission.contains(QLatin1String("Write")))
            connect(panel, &CharacteristicWidget::writeCharacteristicRequested, this,
                    &kalvest_ble::onWriteCharacteristicRequested, Qt::UniqueConnection);
    }
}

// ---- Values ----

void kalvest_ble::onCharacteristicValueRead(const QString &characteristicUuid, const QByteArray &characteristicValue)
{
    const QString serviceUuid = characteristicServices.value(characteristicUuid);
    if (CharacteristicWidget *panel = serviceWidgets.value(serviceUuid))
        panel->setCharacteristicValue(characteristicUuid, characteristicValue);
}

void kalvest_ble::onReadCharacteristicRequested(const QString &uuid)
{
    const QString serviceUuid = characteristicServices.value(uuid);
    if (!serviceUuid.isEmpty())
        device.readCharacteristic(serviceUuid, uuid);
}

void kalvest_ble::onNotifyCharacteristicRequested(const QString &uuid, bool subscribe)
{
    const QString serviceUuid = characteristicServices.value(uuid);
    if (serviceUuid.isEmpty())
        return;
    if (subscribe)
        device.subscribeToNotify(serviceUuid, uuid);
    else
        device.unsubscribeNotify(serviceUuid, uuid);
}

void kalvest_ble::onWriteCharacteristicRequested(const QString &uuid, const QString &data, bool hex)
{
    QByteArray bytes;
    if (!BleLogic::writeBytes(data, hex, &bytes)) {
        // The write dialog refuses such data already; nothing is written.
        UiPrompt::warning(this, tr("Write Data"), tr("The data are not hex bytes."));
        return;
    }
    const QString serviceUuid = characteristicServices.value(uuid);
    if (!serviceUuid.isEmpty())
        device.writeCharacteristic(serviceUuid, uuid, bytes);
}
