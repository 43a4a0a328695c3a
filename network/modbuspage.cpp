// The "Modbus" page: a Modbus master for one request at a time, RTU over the
// shared serial port or TCP over a client connection. The frames come from
// the page's codec; the exchange (write, reply window, attempts) runs in
// modbus/modbusexchange; both logs go through the shared receive display.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "modbus/kalvest_modbusclient.h"
#include "modbus/modbuscodec.h"
#include "modbus/modbusexchange.h"
#include "modbus/modbusvaluetext.h"
#include "deviceport.h"
#include "openbuttonstyle.h"
#include "receivedisplay.h"
#include "threadserial.h"
#include "uiprompt.h"

#include <QRadioButton>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Bytes a channel may hold unread between exchanges (a late reply lands in
// the next reply window; a babbling peer cannot fill memory).
constexpr qint64 kChannelBufferBytes = 64 * 1024;

// Reply-window poll steps, by exchange and transport.
constexpr int kReadPollSerialMs = 20;
constexpr int kReadPollTcpMs = 100;
constexpr int kWritePollSerialMs = 100;
constexpr int kWritePollTcpMs = 20;

int functionCodeOf(int index)
{
    static const int codes[] = {1, 2, 3, 4, 5, 6, 15, 16, 22};
    return index >= 0 && index < int(std::size(codes)) ? codes[index] : 1;
}

// The serial side on the shared port holder: the page's own line
// settings, no reader (the page reads the port inside its reply window).
DevicePort modbusPort(Ui::MainWindow *ui)
{
    DevicePort port;
    port.portName = ui->ModbusportNameComboBox;
    port.baudRate = ui->ModbusbaudRateComboBox;
    port.dataBits = ui->ModbusdataBitsComboBox;
    port.parity = ui->ModbusparityComboBox;
    port.stopBits = ui->ModbusstopBitsComboBox;
    port.openButton = ui->ModbusopencompushButton;
    port.lost = &MainWindow::Modbus_portLost;
    port.lock = &MainWindow::ModbussetsetComboBoxEnabled;
    return port;
}

QList<QWidget *> serialWidgets(Ui::MainWindow *ui)
{
    return {ui->label_64,
            ui->label_65,
            ui->label_82,
            ui->label_83,
            ui->label_84,
            ui->ModbusopencompushButton,
            ui->ModbusbaudRateComboBox,
            ui->ModbusportNameComboBox,
            ui->ModbusdataBitsComboBox,
            ui->ModbusparityComboBox,
            ui->ModbusstopBitsComboBox};
}

QList<QWidget *> tcpWidgets(Ui::MainWindow *ui)
{
    return {ui->ModbusTCPopencompushButton, ui->ModbusTCPclientIPlineEdit, ui->ModbusTCPclientPortlineEdit,
            ui->label_90, ui->label_91};
}

// The channel of the selected transport as it is now: the page's socket
// while connected or connecting, or the serial port only when this page
// opened it. Null when there is none.
QIODevice *modbusChannel(MainWindow *w, bool tcp)
{
    if (tcp) {
        QTcpSocket *socket = w->modbusTcpSocket;
        return socket && socket->state() != QAbstractSocket::UnconnectedState ? socket : nullptr;
    }
    ThreadSerial *holder = w->modbusSerialHolder;
    if (!w->serialOpen || !holder || holder != w->serialThread || !holder->port || !holder->port->isOpen())
        return nullptr;
    return holder->port;
}

void setShown(const QList<QWidget *> &widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

void MainWindow::Modbus_Init_Start()
{
    connect(ui->Modbus_function_comboBox, &QComboBox::currentIndexChanged, this, &MainWindow::Modbus_function_comboBoxIndexChanged);
    connect(ui->ModbusopencompushButton, &QAbstractButton::pressed, this, &MainWindow::ModbusOpen_triggered);
    connect(ui->ModbusTCPopencompushButton, &QAbstractButton::pressed, this, &MainWindow::ModbusTCPopencompushButton_triggered);
    connect(ui->ModbusportMode_2, &QAbstractButton::pressed, this, &MainWindow::ModbusPortModeChanged);
    connect(ui->ModbusportMode_1, &QAbstractButton::pressed, this, &MainWindow::ModbusPortModeChanged);
    connect(ui->Modbus_pushButton, &QAbstractButton::clicked, this, &MainWindow::Modbus_Read_write_Button);
    connect(ui->Modbus_revice_cleandatapushButton, &QAbstractButton::pressed, this, &MainWindow::actionModbus_revice_CleanData_triggered);
    connect(ui->Modbus_send_cleandatapushButton, &QAbstractButton::pressed, this, &MainWindow::actionModbus_send_CleanData_triggered);

    ui->ModbusportMode_1->setChecked(true);
    ui->ModbusportMode_2->setChecked(false);
    setShown(serialWidgets(ui), true);
    setShown(tcpWidgets(ui), false);

    // Both logs: "0x%1," per byte without the last separator, a stamp per
    // frame, read-only, capped.
    ReceiveDisplay::Options options;
    options.hexFormat = QStringLiteral("0x%1,");
    options.hexDropLast = true;
    // Long replies break between entries: 200 entries of five characters
    // to a line.
    options.hexMaxLineChars = 200 * 5;
    modbusRequestLog = new ReceiveDisplay(nullptr, ui->Modbus_sendMsgtextEdit, options, this);
    modbusReplyLog = new ReceiveDisplay(nullptr, ui->Modbus_HexTextBrowser, options, this);
    ui->Modbus_lineEdit->setReadOnly(true);

    ui->ModbusopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->ModbusTCPopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    modbusTcpConnected = 0;
    modbusClient = new Kalvest_ModbusClient(this);

    modbusExchange = new ModbusExchange(modbusClient, this);
    connect(modbusExchange, &ModbusExchange::requestSent, this,
            [this](const QByteArray &frame) { modbusRequestLog->append(frame, true); });
    connect(modbusExchange, &ModbusExchange::replyReceived, this,
            [this](const QByteArray &reply, const QVariant &) { modbusReplyLog->append(reply, true); });
    connect(modbusExchange, &ModbusExchange::requestFailed, this, [this](const QString &reason) {
        ui->statusBar->showMessage(tr("The request could not be sent: %1").arg(reason));
    });
    // A running exchange ends when the window really closes (not when
    // another page refuses the close).
    addCloseHook(modbusExchange, [this] { modbusExchange->stop(); });
}

void MainWindow::ModbusPortModeChanged()
{
    auto *button = qobject_cast<QRadioButton *>(sender());
    if (button != ui->ModbusportMode_1 && button != ui->ModbusportMode_2)
        return;
    const bool com = button == ui->ModbusportMode_1;
    ui->ModbusportMode_1->setChecked(com);
    ui->ModbusportMode_2->setChecked(!com);
    setShown(serialWidgets(ui), com);
    setShown(tcpWidgets(ui), !com);
}

void MainWindow::ModbusOpen_triggered()
{
    // An exchange ends before its port goes.
    if (serialOpen)
        modbusExchange->stop();
    if (toggleDevicePort(modbusPort(ui))) {
        serialThread->port->setReadBufferSize(kChannelBufferBytes);
        modbusSerialHolder = serialThread;
    } else {
        modbusSerialHolder = nullptr;
    }
}

void MainWindow::Modbus_portLost(const QString &reason)
{
    if (sender() == serialThread)
        modbusExchange->stop();
    devicePortLost(modbusPort(ui), reason);
}

namespace {
// The exchange ends before its socket goes; the old socket is cut off from
// the page so none of its late signals reaches a newer session. A graceful
// end sends what is queued first.
void endModbusTcp(MainWindow *w, bool graceful)
{
    w->modbusExchange->stop();
    if (QTcpSocket *socket = w->modbusTcpSocket) {
        w->modbusTcpSocket = nullptr;
        QObject::disconnect(socket, nullptr, w, nullptr);
        if (graceful)
            socket->disconnectFromHost();
        else
            socket->close();
        socket->deleteLater();
    }
}
} // namespace

void MainWindow::ModbusTCPopencompushButton_triggered()
{
    if (modbusTcpConnected == 0) {
        const QString ip = ui->ModbusTCPclientIPlineEdit->text();
        const QString portText = ui->ModbusTCPclientPortlineEdit->text();
        if (ip.isEmpty() || portText.isEmpty()) {
            UiPrompt::warning(nullptr, tr("warning:"), tr("IP or Port is empty!"), QMessageBox::Cancel);
            return;
        }
        quint16 port = 0;
        if (!UiPrompt::portOrWarning(nullptr, portText, &port, QMessageBox::Cancel))
            return;
        auto *socket = new QTcpSocket(this);
        modbusTcpSocket = socket;
        socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        socket->setReadBufferSize(kChannelBufferBytes);
        ui->ModbusportMode_1->setEnabled(false);
        ui->ModbusportMode_2->setEnabled(false);
        ui->ModbusTCPclientIPlineEdit->setEnabled(false);
        ui->ModbusTCPclientPortlineEdit->setEnabled(false);
        // Said at once, before the connection is confirmed; a failure
        // follows as "No server found".
        ui->statusBar->showMessage(tr("Connected to TCP server"));
        ui->ModbusTCPopencompushButton->setText(QStringLiteral("Disconnect"));
        ui->ModbusTCPopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kOpen));
        modbusTcpConnected = 1;
        connect(socket, &QAbstractSocket::errorOccurred, this,
                [this](QAbstractSocket::SocketError error) { Modbus_displayError(int(error)); });
        socket->connectToHost(ip, quint16(port), QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
        return;
    }

    endModbusTcp(this, true);
    ui->statusBar->showMessage(tr("Disconnected TCP server"));
    ui->ModbusTCPopencompushButton->setText(QStringLiteral("Connect"));
    ui->ModbusTCPopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->ModbusportMode_1->setEnabled(true);
    ui->ModbusportMode_2->setEnabled(true);
    ui->ModbusTCPclientIPlineEdit->setEnabled(true);
    ui->ModbusTCPclientPortlineEdit->setEnabled(true);
    modbusTcpConnected = 0;
}

void MainWindow::Modbus_displayError(int socketError)
{
    // A time-out is no reason to give the connection up.
    if (socketError == QAbstractSocket::SocketTimeoutError)
        return;
    endModbusTcp(this, false);
    modbusTcpConnected = 0;
    ui->statusBar->showMessage(tr("No server found"));
    ui->ModbusportMode_1->setEnabled(true);
    ui->ModbusportMode_2->setEnabled(true);
    ui->ModbusTCPclientIPlineEdit->setEnabled(true);
    ui->ModbusTCPclientPortlineEdit->setEnabled(true);
    ui->ModbusTCPopencompushButton->setText(QStringLiteral("Connect"));
    ui->ModbusTCPopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::Modbus_function_comboBoxIndexChanged(int index)
{
    const bool read = index < 4;
    ui->Modbus_lineEdit->setReadOnly(read);
    ui->Modbus_pushButton->setText(read ? QStringLiteral("Read") : QStringLiteral("Write"));
}

void MainWindow::Modbus_Read_write_Button()
{
    // One exchange at a time: presses during a running one are ignored.
    if (modbusExchange->isRunning())
        return;
    const bool tcp = !ui->ModbusportMode_1->isChecked() && ui->ModbusportMode_2->isChecked();
    if (!serialOpen && !modbusTcpConnected)
        return;

    const int slave = ui->ModbusspinBox->value();
    const int start = ui->Modbus_address_spinBox->value();
    const int quantity = ui->Modbus_quantity_spinBox->value();
    const int function = functionCodeOf(ui->Modbus_function_comboBox->currentIndex());
    // The first four functions read, the others write.
    const bool read = ui->Modbus_function_comboBox->currentIndex() < 4;
    const QString text = ui->Modbus_lineEdit->text();

    QByteArray values;
    if (text.isEmpty()) {
        if (!read)
            return;
    } else {
        if (!Modbus_isValidHexInput(text)) {
            UiPrompt::warning(nullptr, QStringLiteral("输入错误"),
                              QStringLiteral("请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12"),
                              QMessageBox::Ok);
            return;
        }
        values = Modbus_convertHexStringToByteArray(text.toLatin1());
    }

    if (read)
        Modbus_onReadButtonClicked(slave, function, start, quantity, tcp);
    else
        Modbus_onWriteButtonClicked(slave, function, start, quantity, values, tcp);
}

bool MainWindow::Modbus_isValidHexInput(const QString &text)
{
    return ModbusValueText::isValid(text);
}

QByteArray MainWindow::Modbus_convertHexStringToByteArray(const QByteArray &text)
{
    return ModbusValueText::toBytes(text);
}

void MainWindow::Modbus_onReadButtonClicked(int slaveAddress, int functionCode, int startAddress, int quantity,
                                            bool tcp)
{
    ModbusExchange::Request request;
    request.slaveAddress = slaveAddress;
    request.functionCode = functionCode;
    request.startAddress = startAddress;
    request.quantity = quantity;
    request.tcp = tcp;
    request.pollMs = tcp ? kReadPollTcpMs : kReadPollSerialMs;
    modbusExchange->run(request, [this, tcp] { return modbusChannel(this, tcp); });
}

void MainWindow::Modbus_onWriteButtonClicked(int slaveAddress, int functionCode, int startAddress, int quantity,
                                             QByteArray values, bool tcp)
{
    if ((functionCode == 15 || functionCode == 16 || functionCode == 22)
        && values.size() > ModbusCodec::kMaxDataBytes) {
        ui->statusBar->showMessage(
            tr("Too many values: one request carries at most %1 bytes").arg(ModbusCodec::kMaxDataBytes));
        return;
    }
    ModbusExchange::Request request;
    request.slaveAddress = slaveAddress;
    request.functionCode = functionCode;
    request.startAddress = startAddress;
    request.quantity = quantity;
    request.tcp = tcp;
    request.values = values;
    request.pollMs = tcp ? kWritePollTcpMs : kWritePollSerialMs;
    modbusExchange->run(request, [this, tcp] { return modbusChannel(this, tcp); });
}

void MainWindow::actionModbus_revice_CleanData_triggered()
{
    modbusReplyLog->clear();
    ui->statusBar->showMessage(tr("Receive has been cleared"));
}

void MainWindow::actionModbus_send_CleanData_triggered()
{
    modbusRequestLog->clear();
    ui->statusBar->showMessage(tr("Send has been cleared"));
}
