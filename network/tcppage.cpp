// "TCP Debug": a raw TCP terminal, as client of one server or as server for
// any number of clients. What it shares with "UDP Debug" is in NetTerminal.
#include "mainwindow.h"
#include "serverclients.h"
#include "ui_mainwindow.h"

#include "netsend.h"
#include "netterminal.h"
#include "uiprompt.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// Bytes a socket takes from the system between two reads of the page: a
// fast peer is held back by the system rather than piling up in the
// window, and one read stays small enough to show without a stall (512 KiB
// measured best, see bench/net_ingest).
constexpr qint64 kReadChunkBytes = 512 * 1024;

bool clientRole(Ui::MainWindow *ui)
{
    // Item 0 is "TCP Server", item 1 "TCP Client" (whatever the language).
    return ui->TCP_comboBox->currentIndex() == 1;
}

} // namespace

void MainWindow::TCP_Init_Start()
{
    connect(ui->TCPreadtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_TCP_triggered()));
    connect(ui->TCPsavetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_TCP_triggered()));
    connect(ui->TCPopencompushButton, SIGNAL(pressed()), this, SLOT(TCPopencompushButton_triggered()));
    connect(ui->TCPcleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_TCP_clicked()));
    connect(ui->TCPsendmsgBtn, SIGNAL(pressed()), this, SLOT(TCPsendmsgBtn_clicked()));
    connect(ui->TCPdelayspinBox, SIGNAL(valueChanged(int)), this, SLOT(TCPdelayspinBox_valueChanged(int)));
    connect(ui->TCPcleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_TCP_triggered()));
    connect(ui->TCPcleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_TCP_triggered()));
    connect(ui->TCPobocheckBox, SIGNAL(stateChanged(int)), this, SLOT(TCP_obocheckBox_clicked()));
    connect(ui->TCP_HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(TCPHideHex_pushButton_clicked()));

    // Views and switches, send box and its controls, counters, status.
    const TerminalWidgets w{ui->TCP_StrTextBrowser, ui->TCP_HexTextBrowser, ui->TCP_HEXcheckBox,
                            ui->TCP_showtime_checkBox, ui->TCPsendMsgtextEdit, ui->TCPsendAsHexcheckBox,
                            ui->TCPobocheckBox, ui->TCPdelayspinBox, ui->TCPsendmsgBtn, ui->TCPsendbyteslcdNumber,
                            ui->TCPrecvbyteslcdNumber, ui->statusBar};
    tcpTerminal = std::make_shared<NetTerminal>(this, w);
    tcpTerminal->watch(tcpServer);

    const int width = int(1.3 * (ui->TCP_showtime_checkBox->sizeHint().width()
                                 + ui->TCP_HEXcheckBox->sizeHint().width()));
    ui->groupBox_9->setMaximumWidth(width);
    ui->groupBox_8->setMaximumWidth(width);
}

void MainWindow::TCPopencompushButton_triggered()
{
    if (!tcpTerminal)
        return;
    if (!tcpOpen) {
        const bool started = clientRole(ui) ? TCP_Client_WorkOpen() : TCP_Server_WorkOpen();
        if (started) {
            ui->TCPopencompushButton->setText(tr("Stop"));
            tcpOpen = true;
        }
        return;
    }
    if (clientRole(ui))
        TCP_ClientDisconnect();
    else
        TCP_Server_WorkClose();
    ui->TCPopencompushButton->setText(tr("Start"));
    tcpOpen = false;
}

// Address and role fields are locked while the page is started.
static void lockTcpFields(Ui::MainWindow *ui, bool started)
{
    ui->TCPclientPortlineEdit->setEnabled(!started);
    ui->TCPclientIPlineEdit->setEnabled(!started);
    ui->TCPServerPortlineEdit->setEnabled(!started);
    ui->TCPServerIPcomboBox->setEnabled(!started);
    ui->TCP_comboBox->setEnabled(!started);
}

bool MainWindow::TCP_Client_WorkOpen()
{
    tcpHost = ui->TCPclientIPlineEdit->text();
    tcpPort = ui->TCPclientPortlineEdit->text();
    if (tcpHost.isEmpty() || tcpPort.isEmpty()) {
        UiPrompt::warning(nullptr, tr("warning:"), tr("IP or Port is empty!"), QMessageBox::Cancel);
        return false;
    }
    quint16 port = 0;
    if (!UiPrompt::portOrWarning(nullptr, tcpPort, &port, QMessageBox::Cancel))
        return false;
    // A keep-send tick reaches only the role that is started.
    disconnect(tcpSendTimer, SIGNAL(timeout()), this, SLOT(TCP_Server_WorkSendMessage()));
    connect(tcpSendTimer, SIGNAL(timeout()), this, SLOT(TCP_Client_WorkSendMessage()), Qt::UniqueConnection);

    QTcpSocket *socket = new QTcpSocket(this);
    socket->setReadBufferSize(kReadChunkBytes);
    tcpClientSocket = socket;
    tcpTerminal->watch(socket);
    tcpTerminal->countWritesOf(socket);
    connect(socket, SIGNAL(errorOccurred(QAbstractSocket::SocketError)), this,
            SLOT(displayError(QAbstractSocket::SocketError)));
    connect(socket, SIGNAL(readyRead()), this, SLOT(TCP_Client_ReadMessage()));
    tcpTerminal->setSendEnabled(true);
    lockTcpFields(ui, true);
    ui->statusBar->showMessage(tr("Connected to TCP server"));
    socket->connectToHost(tcpHost, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    // Some addresses fail inside connectToHost (a multicast or broadcast
    // address, a link-local one without its interface): the error has then
    // stopped the page already, and the start did not go through.
    return tcpClientSocket == socket;
}

void MainWindow::TCP_ClientDisconnect()
{
    if (QTcpSocket *socket = tcpClientSocket) {
        tcpClientSocket = nullptr;
        tcpTerminal->retire(socket);
    }
    ui->statusBar->showMessage(tr("Disconnected TCP server"));
    tcpTerminal->setSendEnabled(false);
    lockTcpFields(ui, false);
}

void MainWindow::displayError(QAbstractSocket::SocketError error)
{
    QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender());
    // A late error of a socket from an earlier start changes nothing.
    if (!socket || socket != tcpClientSocket)
        return;
    // What arrived before the error is still shown.
    if (socket->bytesAvailable() > 0)
        tcpTerminal->show(NetTerminal::peerOf(socket), socket->readAll());
    // The reason, unless the server simply closed the connection.
    const QString reason = error == QAbstractSocket::RemoteHostClosedError ? QString() : socket->errorString();
    tcpClientSocket = nullptr;
    tcpTerminal->retire(socket);
    tcpOpen = false;
    if (reason.isEmpty())
        ui->statusBar->showMessage(tr("No server found"));
    else
        ui->statusBar->showMessage(tr("No server found: %1").arg(reason));
    tcpTerminal->setSendEnabled(false);
    lockTcpFields(ui, false);
    ui->TCPopencompushButton->setText(QStringLiteral("Start"));
}

void MainWindow::TCP_Client_ReadMessage()
{
    QTcpSocket *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || socket != tcpClientSocket)
        return;
    const QByteArray bytes = socket->readAll();
    ui->statusBar->showMessage(QStringLiteral("TCP receive ")
                               + tr("from:%1:%2").arg(NetSend::addressText(socket->peerAddress()))
                                     .arg(socket->peerPort()));
    tcpTerminal->show(NetTerminal::peerOf(socket), bytes);
}

void MainWindow::TCP_Client_WorkSendMessage()
{
    // Nothing without a started client (a keep-send tick after Stop, after
    // an error or in the other role).
    QTcpSocket *socket = tcpClientSocket;
    if (!tcpOpen || !socket || !clientRole(ui))
        return;
    const QByteArray bytes = tcpTerminal->bytesToSend();
    if (bytes.isEmpty())
        return;
    // The counter counts what the socket writes (countWritesOf).
    tcpTerminal->send(socket, bytes, tr("The server"));
}

bool MainWindow::TCP_Server_WorkOpen()
{
    tcpHost = ui->TCPServerIPcomboBox->currentText();
    tcpPort = ui->TCPServerPortlineEdit->text();
    if (tcpPort.isEmpty()) {
        UiPrompt::warning(nullptr, tr("warning:"), tr("Port is empty!"), QMessageBox::Cancel);
        return false;
    }
    quint16 port = 0;
    if (!UiPrompt::portOrWarning(nullptr, tcpPort, &port, QMessageBox::Cancel))
        return false;
    if (!tcpServer->listen(QHostAddress::Any, port)) {
        ui->statusBar->showMessage(tr("Server failed to start: %1").arg(tcpServer->errorString()));
        return false;
    }
    disconnect(tcpSendTimer, SIGNAL(timeout()), this, SLOT(TCP_Client_WorkSendMessage()));
    connect(tcpSendTimer, SIGNAL(timeout()), this, SLOT(TCP_Server_WorkSendMessage()), Qt::UniqueConnection);
    connect(tcpServer, SIGNAL(newConnection()), this, SLOT(TCP_updateserver()), Qt::UniqueConnection);
    tcpTerminal->setSendEnabled(true);
    lockTcpFields(ui, true);
    ui->statusBar->showMessage(tr("Server has started"));
    return true;
}

void MainWindow::TCP_Server_WorkClose()
{
    const QList<QTcpSocket *> clients = tcpServerClients;
    tcpServerClients.clear();
    for (QTcpSocket *socket : clients) {
        if (socket->bytesAvailable() > 0)
            tcpTerminal->show(NetTerminal::peerOf(socket), socket->readAll());
        tcpTerminal->retire(socket);
    }
    tcpServer->close();
    ui->statusBar->showMessage(tr("Server has stopped"));
    tcpTerminal->setSendEnabled(false);
    lockTcpFields(ui, false);
    ui->TCP_Client_IP_comboBox->clear();
}

void MainWindow::TCP_updateserver()
{
    QString address;
    while (QTcpSocket *socket = ServerClients::next(tcpServer, &address)) {
        ui->statusBar->showMessage(tr("new client: ") + tr("%1 joined").arg(address));
        ui->TCP_Client_IP_comboBox->addItem(address);
        if (address.isEmpty()) {
            tcpTerminal->retire(socket);
            continue;
        }
        socket->setReadBufferSize(kReadChunkBytes);
        tcpServerClients.append(socket);
        tcpTerminal->watch(socket);
        tcpTerminal->countWritesOf(socket);
        connect(socket, SIGNAL(disconnected()), this, SLOT(TCP_updateSendStatus()));
        connect(socket, SIGNAL(readyRead()), this, SLOT(TCP_Server_ReadMessage()));
    }
}

void MainWindow::TCP_updateSendStatus()
{
    QTcpSocket *socket = ServerClients::find(tcpServerClients, sender());
    if (!socket)
        return;
    // What the client sent just before it left is still shown.
    if (socket->bytesAvailable() > 0)
        tcpTerminal->show(NetTerminal::peerOf(socket), socket->readAll());
    const QString address = NetSend::addressText(socket->peerAddress());
    ui->statusBar->showMessage(tr("client: ") + tr("%1 left").arg(address));
    const int item = ui->TCP_Client_IP_comboBox->findText(address, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (item >= 0)
        ui->TCP_Client_IP_comboBox->removeItem(item);
    tcpServerClients.removeAll(socket);
    tcpTerminal->retire(socket);
}

void MainWindow::TCP_Server_ReadMessage()
{
    QTcpSocket *socket = ServerClients::find(tcpServerClients, sender());
    if (!socket)
        return;
    tcpTerminal->show(NetTerminal::peerOf(socket), socket->readAll());
    ui->statusBar->showMessage(tr("TCP receive ")
                               + tr("from:%1:%2").arg(NetSend::addressText(socket->peerAddress()))
                                     .arg(socket->peerPort()));
}

void MainWindow::TCP_Server_WorkSendMessage()
{
    if (!tcpOpen || clientRole(ui) || tcpServerClients.isEmpty())
        return;
    const QByteArray bytes = tcpTerminal->bytesToSend();
    if (bytes.isEmpty())
        return;
    const QString target = ui->TCP_Client_IP_comboBox->currentText();
    // Each client is sent what it has room for; one that does not read
    // holds no other back. The counter counts what the sockets write.
    QTcpSocket *refused = nullptr;
    for (QTcpSocket *socket : std::as_const(tcpServerClients)) {
        if (NetSend::addressText(socket->peerAddress()) != target)
            continue;
        if (!tcpTerminal->queueSend(socket, bytes) && !refused)
            refused = socket;
    }
    if (refused)
        tcpTerminal->notSent(refused, bytes.size(), tr("The client %1:%2").arg(target).arg(refused->peerPort()));
}

void MainWindow::TCPsendmsgBtn_clicked()
{
    if (!tcpTerminal)
        return;
    if (tcpTerminal->sendPressed(tcpSendTimer, tcpSendInterval, tr("send")) == TerminalPanel::Press::SendOnce) {
        if (clientRole(ui))
            TCP_Client_WorkSendMessage();
        else
            TCP_Server_WorkSendMessage();
    }
}

void MainWindow::TCP_obocheckBox_clicked()
{
    tcpTerminal->keepSendChanged();
}

void MainWindow::TCPdelayspinBox_valueChanged(int value)
{
    tcpSendInterval = value;
}

void MainWindow::TCPHideHex_pushButton_clicked()
{
    tcpTerminal->hexSwitchChanged();
}

void MainWindow::actionCleanData_TCP_triggered()
{
    tcpTerminal->clearReceive();
}

void MainWindow::actionClearBytes_TCP_triggered()
{
    tcpTerminal->clearCounters();
}

void MainWindow::cleanSendData_TCP_clicked()
{
    tcpTerminal->clearSendBox();
}

void MainWindow::actionLoadfile_TCP_triggered()
{
    tcpTerminal->importFile();
}

void MainWindow::actionSave_TCP_triggered()
{
    tcpTerminal->exportFile();
}
