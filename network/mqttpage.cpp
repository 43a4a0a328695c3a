// The "MQTT" page: connect to a broker over TCP, TLS, WebSocket or secure
// WebSocket, subscribe, publish, and log every received message.
#include "mainwindow.h"
#include "openbuttonstyle.h"
#include "uiprompt.h"
#include "ui_mainwindow.h"

#include "appinfo.h"
#include "mqtt/mqttclient.h"
#include "mqtt/mqttlogview.h"
#include "mqtt/mqttpacket.h"
#include "mqtt/websocketiodevice.h"

#include <QCursor>
#include <QIntValidator>
#include <QMenu>
#include <QSettings>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <iterator>

namespace {

const QLatin1String kSchemes[] = {QLatin1String("mqtt://"), QLatin1String("mqtts://"), QLatin1String("ws://"),
                                  QLatin1String("wss://")};

// How long a closed WebSocket device may wait for its closing handshake
// before it is deleted anyway.
constexpr int kDeviceCloseGraceMs = 3000;

// A copy of the default TLS configuration that does not verify the broker;
// the process-wide default is left as it is.
QSslConfiguration unverifiedTls()
{
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setPeerVerifyMode(QSslSocket::VerifyNone);
    return conf;
}

// Subscribe, Publish and the client's messages reach the page from the
// client's connect call until the next reset.
void wireSession(MainWindow *w, MqttClient *client)
{
    QObject::connect(w->ui->mqtt_subscribed_pushButton, SIGNAL(pressed()), w, SLOT(Kalvest_Mqtt_on_sub_clicked()),
                     Qt::UniqueConnection);
    QObject::connect(w->ui->mqtt_publish_pushButton, SIGNAL(pressed()), w, SLOT(Kalvest_Mqtt_on_pub_clicked()),
                     Qt::UniqueConnection);
    QObject::connect(client, SIGNAL(messageReceived(QByteArray, MqttTopicName)), w,
                     SLOT(Kalvest_Mqtt_onMessage(QByteArray, MqttTopicName)));
}

} // namespace

void MainWindow::Mqtt_Init_Start()
{
    ui->mqtt_port_lineEdit->setValidator(new QIntValidator(1, 65535, ui->mqtt_port_lineEdit));
    ui->mqtt_textEdit->setReadOnly(true);
    mqttLog = new MqttLogView(ui->mqtt_textEdit, MqttLogView::Options(), this);

    QSettings store(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat);
    const int protocol = store.value(QStringLiteral("MQTT_PROTOCOL")).toInt();
    ui->mqtt_protocol_combox->setCurrentIndex(protocol >= 0 && protocol < ui->mqtt_protocol_combox->count() ? protocol
                                                                                                               : 0);
    ui->mqtt_username_lineEdit->setText(store.value(QStringLiteral("MQTT_USERNAME")).toString());
    ui->mqtt_password_lineEdit->setText(store.value(QStringLiteral("MQTT_PASSWORD")).toString());
    ui->mqtt_host_lineEdit->setText(store.value(QStringLiteral("MQTT_HOST")).toString());
    ui->mqtt_port_lineEdit->setText(store.value(QStringLiteral("MQTT_PORT")).toString());
    ui->mqtt_clientid_lineEdit->setText(store.value(QStringLiteral("MQTT_CLIENTID")).toString());
    ui->mqtt_subscribe_lineEdit->setText(store.value(QStringLiteral("MQTT_SUBTOPIC")).toString());
    ui->mqtt_publish_lineEdit->setText(store.value(QStringLiteral("MQTT_PUBTOPIC")).toString());

    ui->mqtt_textEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->mqtt_textEdit, SIGNAL(customContextMenuRequested(QPoint)), this, SLOT(MQTT_slot_textmenu(QPoint)));
    connect(ui->mqtt_opencompushButton, SIGNAL(pressed()), this, SLOT(actionMQTT_Open_triggered()));
    connect(ui->mqtt_save_pushButton, SIGNAL(pressed()), this, SLOT(actionMQTT_Save_triggered()));
    ui->mqtt_opencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::actionMQTT_Open_triggered()
{
    MQTT_Connect();
}

void MainWindow::MQTT_Connect()
{
    if (mqttConnected) {
        mqttReset(true);
        return;
    }
    // A port text that is not a port is refused here, on every scheme,
    // before anything is tried.
    quint16 port = 0;
    if (!UiPrompt::portOrWarning(this, ui->mqtt_port_lineEdit->text(), &port))
        return;
    // Fields CONNECT cannot carry are refused before anything starts.
    Mqtt::ConnectOptions fields;
    fields.clientId = ui->mqtt_clientid_lineEdit->text();
    fields.username = ui->mqtt_username_lineEdit->text();
    fields.password = ui->mqtt_password_lineEdit->text();
    const QString problem = Mqtt::connectFieldProblem(fields);
    if (!problem.isEmpty()) {
        ui->statusBar->showMessage(problem);
        return;
    }
    ui->mqtt_opencompushButton->setText(tr("Disconnect"));
    ui->mqtt_opencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kOpen));
    ui->statusBar->showMessage(tr("MQTT Connected"));
    // Set first: a scheme's steps may fail at once and reset the page.
    mqttConnected = true;

    // The combo lists the schemes in the order of kSchemes.
    const int schemeIndex = ui->mqtt_protocol_combox->currentIndex();
    if (schemeIndex < 0 || schemeIndex >= int(std::size(kSchemes))) {
        mqttReset(false); // no scheme chosen: nothing to connect
        return;
    }
    const QLatin1String scheme = kSchemes[schemeIndex];
    if (schemeIndex <= 1) {
        auto *client = new MqttClient(this);
        mqttClient = client;
        client->setHostname(ui->mqtt_host_lineEdit->text());
        client->setPort(port);
        client->setClientId(ui->mqtt_clientid_lineEdit->text());
        client->setUsername(ui->mqtt_username_lineEdit->text());
        client->setPassword(ui->mqtt_password_lineEdit->text());
        connect(client, SIGNAL(stateChanged(MqttClient::ClientState)), this,
                SLOT(MQTT_Get_Status(MqttClient::ClientState)));
        if (schemeIndex == 1)
            client->connectToHostEncrypted(unverifiedTls());
        else
            client->connectToHost();
        if (client != mqttClient)
            return;
        wireSession(this, client);
        return;
    }
    const bool secure = schemeIndex == 3;
    mqttClient = new MqttClient(this);
    // Host text "broker/a/b": host "broker", path "a/b".
    const QStringList parts = ui->mqtt_host_lineEdit->text().split(QLatin1Char('/'));
    const QString path = QStringList(parts.mid(1)).join(QLatin1Char('/'));
    const QUrl url(scheme + parts.first() + QLatin1Char(':') + QString::number(port) + QLatin1Char('/') + path,
                   QUrl::TolerantMode);

    auto *device = new WebSocketIODevice(this);
    mqttWebSocketDevice = device;
    if (secure) {
        device->setSslConfiguration(unverifiedTls());
        device->useSsl = true;
    }
    device->setUrl(url);
    device->setProtocol("mqttv3.1");
    device->setMqttStream(true);
    connect(device->socket(), SIGNAL(disconnected()), this, SLOT(onWebSocketDisconnected()));
    // (The WebSocket's error signal is "error" in this Qt version.)
    connect(device->socket(), SIGNAL(error(QAbstractSocket::SocketError)), this,
            SLOT(onWebSocketError(QAbstractSocket::SocketError)));
    connect(device, &WebSocketIODevice::socketConnected, this, [this, device] { mqttWebSocketReady(device); });
    device->open(QIODevice::ReadWrite);
}

// The WebSocket handshake is done: the client runs over the device.
void MainWindow::mqttWebSocketReady(WebSocketIODevice *device)
{
    MqttClient *client = mqttClient;
    if (!mqttConnected || device != mqttWebSocketDevice || !client || client->state() != MqttClient::Disconnected)
        return;
    client->setProtocolVersion(MqttClient::MQTT_3_1);
    client->setTransport(device, MqttClient::IODevice);
    client->setClientId(ui->mqtt_clientid_lineEdit->text());
    client->setUsername(ui->mqtt_username_lineEdit->text());
    client->setPassword(ui->mqtt_password_lineEdit->text());
    connect(client, SIGNAL(stateChanged(MqttClient::ClientState)), this, SLOT(MQTT_Get_Status(MqttClient::ClientState)));
    client->connectToHost();
    if (client != mqttClient)
        return;
    wireSession(this, client);
}

void MainWindow::mqttReset(bool disconnectClient)
{
    MqttClient *client = mqttClient;
    WebSocketIODevice *device = mqttWebSocketDevice;
    const QString limitProblem = device ? device->limitProblem() : QString();
    mqttClient = nullptr;
    mqttWebSocketDevice = nullptr;
    mqttConnected = false;
    disconnect(ui->mqtt_subscribed_pushButton, SIGNAL(pressed()), this, SLOT(Kalvest_Mqtt_on_sub_clicked()));
    disconnect(ui->mqtt_publish_pushButton, SIGNAL(pressed()), this, SLOT(Kalvest_Mqtt_on_pub_clicked()));
    if (client) {
        disconnect(client, nullptr, this, nullptr);
        if (disconnectClient)
            client->disconnectFromHost();
        client->deleteLater();
    }
    if (device) {
        disconnect(device, nullptr, this, nullptr);
        disconnect(device->socket(), nullptr, this, nullptr);
        // Deleted once the closing handshake is over (or has taken too long).
        QWebSocket *socket = device->socket();
        if (socket->state() == QAbstractSocket::UnconnectedState) {
            device->deleteLater();
        } else {
            connect(socket, &QWebSocket::disconnected, device, &QObject::deleteLater);
            QTimer::singleShot(kDeviceCloseGraceMs, device, &QObject::deleteLater);
        }
        if (device->isOpen())
            device->close();
    }
    ui->mqtt_opencompushButton->setText(tr("Connect"));
    // Whichever signal of the ending link comes first (the client's state,
    // the socket's disconnected or error) lands here; when the link was
    // closed by us for what the broker sent, that reason is shown.
    if (limitProblem.isEmpty())
        ui->statusBar->showMessage(tr("MQTT was disconnected."));
    else
        ui->statusBar->showMessage(tr("MQTT was disconnected: %1.").arg(limitProblem));
    ui->mqtt_opencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::MQTT_Get_Status(MqttClient::ClientState state)
{
    if (state != MqttClient::Disconnected || sender() != mqttClient)
        return;
    mqttReset(true);
}

void MainWindow::onWebSocketDisconnected()
{
    if (!mqttWebSocketDevice || sender() != mqttWebSocketDevice->socket())
        return;
    mqttReset(false);
}

void MainWindow::onWebSocketError(QAbstractSocket::SocketError error)
{
    Q_UNUSED(error);
    if (!mqttWebSocketDevice || sender() != mqttWebSocketDevice->socket())
        return;
    mqttReset(false);
}

void MainWindow::Kalvest_Mqtt_onMessage(const QByteArray &message, const MqttTopicName &topic)
{
    if (sender() != mqttClient || !mqttLog)
        return;
    mqttLog->append(QTime::currentTime(), topic.name(), message);
}

void MainWindow::Kalvest_Mqtt_on_sub_clicked()
{
    if (!mqttClient || mqttClient->state() != MqttClient::Connected) {
        ui->statusBar->showMessage(tr("MQTT was not connected."));
        return;
    }
    QString filter = ui->mqtt_subscribe_lineEdit->text();
    filter.remove(QLatin1Char(' '));
    if (MqttSubscription *sub = mqttClient->subscribe(MqttTopicFilter(filter), 0))
        ui->statusBar->showMessage(tr("Topic:%1 was subcribed success.").arg(sub->topic().filter()));
}

void MainWindow::Kalvest_Mqtt_on_pub_clicked()
{
    if (!mqttClient)
        return;
    mqttClient->publish(MqttTopicName(ui->mqtt_publish_lineEdit->text()),
                        ui->mqtt_pub_textEdit->toPlainText().toUtf8(), 0, false);
}

void MainWindow::MQTT_slot_textmenu(const QPoint &pos)
{
    Q_UNUSED(pos);
    auto *menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *clear = menu->addAction(QStringLiteral("Clear"));
    connect(clear, SIGNAL(triggered(bool)), this, SLOT(MQTT_Sub_Edit_Clear()));
    menu->popup(QCursor::pos());
}

void MainWindow::MQTT_Sub_Edit_Clear()
{
    if (mqttLog)
        mqttLog->clear();
    else
        ui->mqtt_textEdit->clear();
}

void MainWindow::actionMQTT_Save_triggered()
{
    QSettings store(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat);
    store.setValue(QStringLiteral("MQTT_PROTOCOL"), ui->mqtt_protocol_combox->currentIndex());
    store.setValue(QStringLiteral("MQTT_USERNAME"), ui->mqtt_username_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_PASSWORD"), ui->mqtt_password_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_HOST"), ui->mqtt_host_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_PORT"), ui->mqtt_port_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_CLIENTID"), ui->mqtt_clientid_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_SUBTOPIC"), ui->mqtt_subscribe_lineEdit->text());
    store.setValue(QStringLiteral("MQTT_PUBTOPIC"), ui->mqtt_publish_lineEdit->text());
    store.sync();
    if (store.status() != QSettings::NoError)
        ui->statusBar->showMessage(
            tr("The MQTT settings could not be saved to %1.").arg(QLatin1String(AppInfo::kSettingsFile)));
}
