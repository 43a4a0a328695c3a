#include "deviceport.h"

#include "mainwindow.h"
#include "openbuttonstyle.h"
#include "pagetable.h"
#include "threadserial.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

DevicePort DevicePort::of(MainWindow *window, QComboBox *portName, QComboBox *baudRate, QPushButton *openButton,
                          void (MainWindow::*read)(QByteArray), void (MainWindow::*lost)(const QString &),
                          void (MainWindow::*lock)(bool))
{
    DevicePort port{portName, baudRate, openButton};
    port.read = [window, read](const QByteArray &data) { (window->*read)(data); };
    port.lost = lost;
    port.lock = lock;
    return port;
}

void MainWindow::lockDevicePort(const DevicePort &page, bool on)
{
    if (page.lock)
        (this->*page.lock)(on);
    else
        lockPortSettings(PageTable::forOpenButton(ui, page.openButton), on);
}

bool MainWindow::toggleDevicePort(const DevicePort &page)
{
    if (serialOpen) {
        closeDevicePort(page);
        return false;
    }
    const QString name = page.portName->currentText();
    if (name.isEmpty())
        return false;

    auto *holder = new ThreadSerial();
    serialThread = holder;
    holder->portName = name;
    holder->baudRate = page.baudRate->currentText().trimmed().toInt();
    holder->dataBits = page.dataBits ? page.dataBits->currentText().trimmed().toInt() : 8;
    holder->parityIndex = page.parity ? page.parity->currentIndex() : 0;
    holder->stopBitsIndex = page.stopBits ? page.stopBits->currentIndex() : 0;
    holder->open(bool(page.read));
    if (!holder->opened) {
        ui->statusBar->showMessage(tr("Serial failed to open, The serial does not exist or already used."));
        serialThread = nullptr;
        holder->deleteLater();
        return false;
    }
    if (page.read)
        connect(holder, &ThreadSerial::Serial_read_Data, page.reader ? page.reader : this, page.read);
    if (page.lost)
        connect(holder, &ThreadSerial::portLost, this, page.lost);
    ui->statusBar->showMessage(tr("Serial opened"));
    page.openButton->setText(tr("Close"));
    lockDevicePort(page, false);
    serialOpen = true;
    stop_SerialSacn_new();
    holder->start(QThread::InheritPriority);
    page.openButton->setStyleSheet(QLatin1String(OpenButtonStyle::kOpen));
    return true;
}

void MainWindow::closeDevicePort(const DevicePort &page)
{
    ThreadSerial *holder = serialThread;
    serialThread = nullptr;
    serialOpen = false;
    if (holder) {
        holder->running = false;
        disconnect(holder, &ThreadSerial::Serial_read_Data, page.reader ? page.reader : this, nullptr);
        disconnect(holder, &ThreadSerial::portLost, this, nullptr);
        if (holder->port)
            holder->port->close();
        holder->exit(0);
        // The holder's thread body is empty, so this wait is short; a running
        // thread object is never destroyed.
        holder->wait();
        holder->deleteLater();
    }
    lockDevicePort(page, true);
    ui->statusBar->showMessage(tr("Serial closed"));
    page.openButton->setText(tr("Open"));
    if (portScanTimer)
        portScanTimer->start(500);
    page.openButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

bool MainWindow::devicePortLost(const DevicePort &page, const QString &reason)
{
    if (!serialOpen || sender() != serialThread)
        return false;
    closeDevicePort(page);
    ui->statusBar->showMessage(tr("Serial port lost, closed: %1").arg(reason));
    return true;
}
