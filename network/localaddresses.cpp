#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QNetworkInterface>
#include <QTcpServer>
#include <QUdpSocket>

// Lists the machine's addresses in the three server address lists (UDP, TCP
// and the GPS page's TCP server) and creates the sockets and servers those
// pages use from now on.
void MainWindow::getLocalIP()
{
    localAddresses = QNetworkInterface::allAddresses();
    for (const QHostAddress &address : std::as_const(localAddresses)) {
        const QString text = address.toString();
        ui->UDPServerIPcomboBox->addItem(text);
        ui->TCPServerIPcomboBox->addItem(text);
        ui->GPSTCPServerIPcomboBox->addItem(text);
    }

    udpSendSocket = new QUdpSocket(this);
    udpRecvSocket = new QUdpSocket(this);
    tcpServer = new QTcpServer(this);
    gpsTcpServer = new QTcpServer(this);
    gpsTcpClients.clear();
}
