// "UDP Debug": receives datagrams on a local port and sends the send box as
// one datagram to a remote address. What it shares with "TCP Debug" is in
// NetTerminal.
#include "mainwindow.h"
#include "portnumber.h"
#include "ui_mainwindow.h"

#include "netsend.h"
#include "netterminal.h"

#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace {
// Receive buffer the page asks the system for, so a short stall of the
// window loses no datagram (the system may grant less).
constexpr int kReceiveBufferBytes = 4 * 1024 * 1024;
// Datagrams read per readyRead; the rest wait for the next round of the
// event loop, so a flood never starves the window.
constexpr int kDatagramsPerRead = 256;
} // namespace

void MainWindow::UDP_Init_Start()
{
    connect(ui->UDPopencompushButton, SIGNAL(pressed()), this, SLOT(UDPopencompushButton_triggered()));
    connect(ui->UDPsendmsgBtn, SIGNAL(pressed()), this, SLOT(UDPsendmsgBtn_clicked()));
    connect(ui->UDPcleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_UDP_triggered()));
    connect(ui->UDPcleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_UDP_triggered()));
    connect(ui->UDPcleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_UDP_clicked()));
    connect(ui->UDPdelayspinBox, SIGNAL(valueChanged(int)), this, SLOT(UDPdelayspinBox_valueChanged(int)));
    connect(ui->UDPsavetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_UDP_triggered()));
    connect(ui->UDPreadtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_UDP_triggered()));
    connect(ui->UDPobocheckBox, SIGNAL(stateChanged(int)), this, SLOT(UDP_obocheckBox_clicked()));
    connect(ui->UDP_HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(UDPHideHex_pushButton_clicked()));
    // The keep-send timer is made with the other send timers at start-up.
    connect(udpSendTimer, SIGNAL(timeout()), this, SLOT(UDP_sendMsg()), Qt::UniqueConnection);

    // Views and switches, send box and its controls, counters, status.
    const TerminalWidgets w{ui->UDP_StrTextBrowser, ui->UDP_HexTextBrowser, ui->UDP_HEXcheckBox,
                            ui->UDP_showtime_checkBox, ui->UDPsendMsgtextEdit, ui->UDPsendAsHexcheckBox,
                            ui->UDPobocheckBox, ui->UDPdelayspinBox, ui->UDPsendmsgBtn, ui->UDPsendbyteslcdNumber,
                            ui->UDPrecvbyteslcdNumber, ui->statusBar};
    udpTerminal = std::make_shared<NetTerminal>(this, w);

    ui->groupBox_2->setMaximumWidth(
        int(1.3 * (ui->UDP_showtime_checkBox->sizeHint().width() + ui->UDP_HEXcheckBox->sizeHint().width())));
}

void MainWindow::UDPopencompushButton_triggered()
{
    if (!udpTerminal)
        return;
    if (!udpOpen) {
        if (UDP_WorkOpen()) {
            ui->UDPopencompushButton->setText(tr("Stop"));
            udpOpen = true;
        }
        return;
    }
    if (udpRecvSocket)
        UDP_WorkClose();
    ui->UDPopencompushButton->setText(tr("Start"));
    udpOpen = false;
}

// Address fields are locked while the page is started.
static void lockUdpFields(Ui::MainWindow *ui, bool started)
{
    ui->UDPServerIPcomboBox->setEnabled(!started);
    ui->UDPSenderPortlineEdit->setEnabled(!started);
    ui->UDPFarIPlineEdit->setEnabled(!started);
    ui->UDPFarPortlineEdit->setEnabled(!started);
}

bool MainWindow::UDP_WorkOpen()
{
    const QString localPort = ui->UDPSenderPortlineEdit->text();
    quint16 port = 0;
    if (!PortNumber::parse(localPort, &port)) {
        ui->statusBar->showMessage(
            tr("UDP failed to start: %1").arg(PortNumber::notAPort(localPort)));
        return false;
    }
    // The socket made at start-up, or one left by an earlier start, goes.
    if (udpRecvSocket) {
        disconnect(udpRecvSocket, nullptr, this, nullptr);
        udpRecvSocket->close();
        udpRecvSocket->deleteLater();
        udpRecvSocket = nullptr;
    }
    QUdpSocket *socket = new QUdpSocket(this);
    if (!socket->bind(QHostAddress::Any, port, QAbstractSocket::DontShareAddress)) {
        ui->statusBar->showMessage(tr("UDP failed to start: %1").arg(socket->errorString()));
        socket->deleteLater();
        return false;
    }
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kReceiveBufferBytes);
    udpRecvSocket = socket;
    udpTerminal->watch(socket);
    connect(socket, SIGNAL(readyRead()), this, SLOT(readUDP()));
    udpTerminal->setSendEnabled(true);
    lockUdpFields(ui, true);

    // The remote end is read once here; the fields stay locked until Stop.
    const QString remoteIp = ui->UDPFarIPlineEdit->text().trimmed();
    const QString remotePort = ui->UDPFarPortlineEdit->text();
    udpRemoteAddress = QHostAddress();
    udpRemotePort = 0;
    QHostAddress address;
    quint16 farPort = 0;
    if (address.setAddress(remoteIp) && PortNumber::parse(remotePort, &farPort)) {
        udpRemoteAddress = address;
        udpRemotePort = farPort;
        ui->statusBar->showMessage(tr("UDP starts listening"));
    } else {
        ui->statusBar->showMessage(tr("UDP starts listening; the remote address %1:%2 is not valid, nothing will be sent")
                                       .arg(remoteIp, remotePort));
    }
    return true;
}

void MainWindow::UDP_WorkClose()
{
    if (QUdpSocket *socket = udpRecvSocket) {
        // What already arrived is still shown (a bounded amount under a
        // flood that goes on).
        for (int round = 0; round < 64 && socket->hasPendingDatagrams(); ++round)
            readUDP();
        disconnect(socket, nullptr, this, nullptr);
        udpTerminal->endAllPeers();
        socket->close();
        socket->deleteLater();
        udpRecvSocket = nullptr;
    }
    udpTerminal->setSendEnabled(false);
    lockUdpFields(ui, false);
    ui->statusBar->showMessage(tr("UDP stop listening"));
}

void MainWindow::UDP_sendMsg()
{
    // Nothing leaves while the page is stopped, whatever timer still runs.
    if (!udpOpen || !udpRecvSocket || !udpTerminal)
        return;
    const QByteArray bytes = udpTerminal->bytesToSend();
    if (bytes.isEmpty())
        return;
    if (udpRemoteAddress.isNull() || udpRemotePort == 0) {
        ui->statusBar->showMessage(tr("The remote address %1:%2 is not valid, nothing was sent")
                                       .arg(ui->UDPFarIPlineEdit->text(), ui->UDPFarPortlineEdit->text()));
        return;
    }
    const qint64 sent = udpSendSocket->writeDatagram(bytes, udpRemoteAddress, udpRemotePort);
    if (sent < 0)
        ui->statusBar->showMessage(tr("UDP send failed: %1").arg(udpSendSocket->errorString()));
    else
        udpTerminal->countSent(sent);
}

void MainWindow::readUDP()
{
    QUdpSocket *socket = udpRecvSocket;
    if (!socket || !udpTerminal)
        return;
    QString from;
    for (int i = 0; i < kDatagramsPerRead && socket->hasPendingDatagrams(); ++i) {
        const QNetworkDatagram datagram = socket->receiveDatagram();
        if (!datagram.isValid())
            break;
        from = tr("from:%1:%2").arg(NetSend::addressText(datagram.senderAddress())).arg(datagram.senderPort());
        udpTerminal->show(NetTerminal::peerOf(datagram.senderAddress(), quint16(datagram.senderPort())),
                          datagram.data());
    }
    if (!from.isEmpty())
        ui->statusBar->showMessage(tr("UDP receive ") + from);
}

void MainWindow::UDPsendmsgBtn_clicked()
{
    if (!udpTerminal)
        return;
    if (udpTerminal->sendPressed(udpSendTimer, udpSendInterval, tr("Send")) == TerminalPanel::Press::SendOnce)
        UDP_sendMsg();
}

void MainWindow::UDP_obocheckBox_clicked()
{
    udpTerminal->keepSendChanged();
}

void MainWindow::UDPdelayspinBox_valueChanged(int value)
{
    udpSendInterval = value;
}

void MainWindow::UDPHideHex_pushButton_clicked()
{
    udpTerminal->hexSwitchChanged();
}

void MainWindow::actionCleanData_UDP_triggered()
{
    udpTerminal->clearReceive();
}

void MainWindow::actionClearBytes_UDP_triggered()
{
    udpTerminal->clearCounters();
}

void MainWindow::cleanSendData_UDP_clicked()
{
    udpTerminal->clearSendBox();
}

void MainWindow::actionLoadfile_UDP_triggered()
{
    udpTerminal->importFile();
}

void MainWindow::actionSave_UDP_triggered()
{
    udpTerminal->exportFile();
}
