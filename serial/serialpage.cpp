#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "filesender.h"
#include "openbuttonstyle.h"
#include "receivedisplay.h"
#include "rxformat.h"
#include "terminalpanel.h"
#include "threadserial.h"
#include "uiprompt.h"

#include <QLabel>
#include <QTimer>

namespace {

const char *const kClosedStyle = OpenButtonStyle::kClosed;
const char *const kOpenStyle = OpenButtonStyle::kOpen;

// Pause between the lines of a file sent to the port.
constexpr int kSendFileGapMs = 5;

} // namespace

void MainWindow::initSendTimers()
{
    // Nothing is sent before a port or socket is open.
    const QList<QWidget *> sending = {ui->delayspinBox,       ui->sendmsgBtn,         ui->sendfileBtn,
                                      ui->sendMsgtextEdit,    ui->UDPdelayspinBox,    ui->UDPsendmsgBtn,
                                      ui->UDPsendMsgtextEdit, ui->TCPdelayspinBox,    ui->TCPsendmsgBtn,
                                      ui->TCPsendMsgtextEdit, ui->com_checkBox_DTR,   ui->com_checkBox_RTS};
    for (QWidget *widget : sending)
        widget->setEnabled(false);

    comSendInterval = 200;
    udpSendInterval = 200;
    tcpSendInterval = 200;
    comSendTimer = new QTimer(this);
    udpSendTimer = new QTimer(this);
    tcpSendTimer = new QTimer(this);
}

void MainWindow::Serial_Init_Start()
{
    connect(ui->opencompushButton, SIGNAL(pressed()), this, SLOT(actionOpen_triggered()));
    connect(ui->sendmsgBtn, SIGNAL(pressed()), this, SLOT(sendmsgBtn_clicked()));
    connect(ui->sendfileBtn, SIGNAL(pressed()), this, SLOT(actionSendfile_triggered()));
    connect(ui->obocheckBox, SIGNAL(stateChanged(int)), this, SLOT(obocheckBox_clicked()));
    connect(ui->delayspinBox, SIGNAL(valueChanged(int)), this, SLOT(delayspinBox_valueChanged(int)));
    connect(ui->cleanbytespushButton, SIGNAL(pressed()), this, SLOT(actionClearBytes_triggered()));
    connect(ui->cleandatapushButton, SIGNAL(pressed()), this, SLOT(actionCleanData_triggered()));
    connect(ui->savetxtpushButton, SIGNAL(pressed()), this, SLOT(actionSave_triggered()));
    connect(ui->readtxtpushButton, SIGNAL(pressed()), this, SLOT(actionLoadfile_triggered()));
    connect(ui->cleansendpushButton, SIGNAL(pressed()), this, SLOT(cleanSendData_clicked()));
    connect(ui->com_expandpushButton, SIGNAL(pressed()), this, SLOT(slotCom_expand()));
    connect(ui->HEXcheckBox, SIGNAL(stateChanged(int)), this, SLOT(COMHideHex_pushButton_clicked()));

    // The display helper limits both views to 10000 blocks and makes them
    // read-only with selectable text.
    ReceiveDisplay::Options options;
    options.hexFormat = QStringLiteral("0x%1,");
    options.encoding = "UTF-8";
    comRxDisplay = new ReceiveDisplay(ui->COM_StrTextBrowser, ui->COM_HexTextBrowser, options, this);
    // Counter and status follow the views' updates, so a fast stream does
    // not repaint the window for every chunk.
    comRxDisplay->setCounter(ui->recvbyteslcdNumber);
    connect(comRxDisplay, &ReceiveDisplay::shown, this, [this](int bytes) {
        // A file send the device holds up stays said while it lasts: a
        // device that talks but does not listen must not hide it.
        if (comFileSender && comFileSender->isStalled())
            return;
        ui->statusBar->showMessage(tr("Successfully read %1 byte data").arg(bytes));
    });
    // Views and switches, send box and its controls, counters, status.
    const TerminalWidgets w{ui->COM_StrTextBrowser, ui->COM_HexTextBrowser, ui->HEXcheckBox, ui->showtime_checkBox,
                            ui->sendMsgtextEdit, ui->sendAsHexcheckBox, ui->obocheckBox, ui->delayspinBox,
                            ui->sendmsgBtn, ui->sendbyteslcdNumber, ui->recvbyteslcdNumber, ui->statusBar};
    TerminalPanel::Options panelOptions;
    panelOptions.importStopsAtNul = true;
    comPanel = std::make_shared<TerminalPanel>(this, w, comRxDisplay, panelOptions);
    comFileSender = new SerialFileSender(this);
    connect(comFileSender, SIGNAL(finished(bool, QString)), this, SLOT(COM_sendFileFinished(bool, QString)));
    // The message line, which every page shares, gets a send's one-off
    // texts only; its running count has a place of its own beside it, in
    // view on every page while the send runs.
    comFileProgress = new QLabel(ui->statusBar);
    comFileProgress->setObjectName(QStringLiteral("comFileProgress"));
    comFileProgress->hide();
    ui->statusBar->addPermanentWidget(comFileProgress);
    connect(comFileSender, &SerialFileSender::stalled, this, [this](qint64 gone, qint64 size) {
        comFileStallText = tr("The device is not taking data; %1 of %2 bytes of the file have gone").arg(gone).arg(size);
        ui->statusBar->showMessage(comFileStallText);
    });
    connect(comFileSender, &SerialFileSender::progress, this, &MainWindow::COM_showFileProgress);
    connect(comFileSender, &SerialFileSender::ended, this, [this] {
        comFileProgress->hide();
        comFileStallText.clear();
    });

    ui->com_expandpushButton->setEnabled(false);
    ui->COM_HexTextBrowser->hide();
    ui->opencompushButton->setStyleSheet(QLatin1String(kClosedStyle));
    ui->com_checkBox_DTR->hide();
    ui->com_checkBox_RTS->hide();
}

void MainWindow::actionOpen_triggered()
{
    if (serialOpen) {
        // Close, whichever page opened the port.
        if (comExpandOpen) {
            if (comExpandDialog)
                comExpandDialog->close();
            comExpandOpen = false;
        }
        ui->com_expandpushButton->setEnabled(false);
        ThreadSerial *holder = serialThread;
        const QString fileStopped = COM_stopFileSend();
        if (holder) {
            holder->running = false;
            serialOpen = false;
            if (holder->port)
                holder->port->close();
            holder->exit(0);
        }
        serialOpen = false;
        disconnect(comDtrConnection);
        disconnect(comRtsConnection);
        ui->com_checkBox_DTR->setChecked(false);
        ui->com_checkBox_RTS->setChecked(false);
        if (holder) {
            disconnect(holder, SIGNAL(Serial_read_Data(QByteArray)), this, SLOT(readCom(QByteArray)));
            disconnect(holder, SIGNAL(portLost(QString)), this, SLOT(COM_portLost(QString)));
            // The holder's thread body is empty, so this wait is short; a
            // running thread object must never be destroyed.
            holder->wait();
            holder->deleteLater();
        }
        disconnect(comSendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()));
        serialThread = nullptr;
        if (comRxDisplay)
            comRxDisplay->endStream();

        ui->sendmsgBtn->setEnabled(false);
        ui->sendfileBtn->setEnabled(false);
        COMsetsetComboBoxEnabled(true);
        ui->sendMsgtextEdit->setEnabled(false);
        ui->com_checkBox_DTR->setEnabled(false);
        ui->com_checkBox_RTS->setEnabled(false);
        ui->statusBar->showMessage(fileStopped.isEmpty() ? tr("Serial closed")
                                                         : tr("Serial closed; %1").arg(fileStopped));
        ui->opencompushButton->setText(tr("Open"));
        if (portScanTimer)
            portScanTimer->start(500);
        ui->opencompushButton->setStyleSheet(QLatin1String(kClosedStyle));
        return;
    }

    const QString name = ui->portNameComboBox->currentText();
    if (name.isEmpty())
        return;

    ThreadSerial *holder = new ThreadSerial();
    serialThread = holder;
    holder->portName = name;
    holder->baudRate = ui->baudRateComboBox->currentText().trimmed().toInt();
    holder->dataBits = ui->dataBitsComboBox->currentText().trimmed().toInt();
    holder->parityIndex = ui->parityComboBox->currentIndex();
    holder->stopBitsIndex = ui->stopBitsComboBox->currentIndex();
    holder->open(true);

    if (holder->opened) {
        connect(comSendTimer, SIGNAL(timeout()), this, SLOT(sendMsg()), Qt::UniqueConnection);
        connect(holder, SIGNAL(Serial_read_Data(QByteArray)), this, SLOT(readCom(QByteArray)),
                Qt::UniqueConnection);
        connect(holder, SIGNAL(portLost(QString)), this, SLOT(COM_portLost(QString)), Qt::UniqueConnection);
        ui->statusBar->showMessage(tr("Serial opened"));
        ui->opencompushButton->setText(tr("Close"));
        ui->sendMsgtextEdit->setEnabled(true);
        ui->sendMsgtextEdit->setFocus();
        COMsetsetComboBoxEnabled(false);
        ui->sendmsgBtn->setEnabled(true);
        ui->sendfileBtn->setEnabled(true);
        serialOpen = true;
        stop_SerialSacn_new();
        holder->start(QThread::InheritPriority);
        ui->com_expandpushButton->setEnabled(true);
        ui->opencompushButton->setStyleSheet(QLatin1String(kOpenStyle));
        // Send and the command list count what the port takes.
        comPanel->countWritesOf(holder->port);
        // The two line boxes are hidden and have no effect on the port.
        comDtrConnection = connect(ui->com_checkBox_DTR, &QCheckBox::stateChanged, this, [](int) {});
        comRtsConnection = connect(ui->com_checkBox_RTS, &QCheckBox::stateChanged, this, [](int) {});
    } else {
        disconnect(comDtrConnection);
        disconnect(comRtsConnection);
        ui->com_checkBox_DTR->setChecked(false);
        ui->com_checkBox_RTS->setChecked(false);
        ui->statusBar->showMessage(tr("Serial failed to open, The serial does not exist or already used."));
        serialThread = nullptr;
        holder->deleteLater();
        ui->com_expandpushButton->setEnabled(false);
    }
}

void MainWindow::COM_portLost(const QString &reason)
{
    if (!serialOpen || sender() != serialThread)
        return;
    const QString fileStopped = COM_stopFileSend();
    actionOpen_triggered();
    ui->statusBar->showMessage(fileStopped.isEmpty() ? tr("Serial port lost, closed: %1").arg(reason)
                                                     : tr("Serial port lost, closed: %1; %2").arg(reason, fileStopped));
}

void MainWindow::readCom(QByteArray data)
{
    if (data.isEmpty())
        return;
    comRxDisplay->append(data, ui->showtime_checkBox->isChecked());
}

// Stops a file on its way out; says how far it got, or nothing when no
// file was going out.
QString MainWindow::COM_stopFileSend()
{
    if (!comFileSender || !comFileSender->isBusy())
        return QString();
    const qint64 gone = comFileSender->bytesGone();
    const qint64 size = comFileSender->fileSize();
    comFileSender->stop();
    return tr("the file send was stopped after %1 of %2 bytes").arg(gone).arg(size);
}

// True (and says so) while a file is going out: nothing else may start
// writing to the port then, so no other bytes interleave with the file's.
bool MainWindow::COM_refuseWhileSendingFile()
{
    if (!comFileSender || !comFileSender->isBusy())
        return false;
    ui->statusBar->showMessage(tr("A file is being sent; wait until it is done"));
    return true;
}

void MainWindow::sendMsg()
{
    if (COM_refuseWhileSendingFile())
        return;
    QByteArray bytes;
    if (ui->sendAsHexcheckBox->isChecked()) {
        if (!RxFormat::parseHexSend(ui->sendMsgtextEdit->toPlainText(), &bytes)) {
            ui->statusBar->showMessage(tr("The input data format is wrong!"));
            comPanel->stopKeepSend(comSendTimer, tr("Send"));
            return;
        }
    } else {
        bytes = RxFormat::textToCrlf(ui->sendMsgtextEdit->toPlainText());
    }
    if (!serialThread || !serialThread->port || !serialThread->port->isOpen()) {
        ui->statusBar->showMessage(tr("Serial port not open, nothing sent"));
        return;
    }
    // A device that does not read gets nothing more until it has taken
    // what waits; a keep-send tick then sends nothing.
    if (COM_send(bytes))
        ui->statusBar->showMessage(tr("Send Success"));
}

bool MainWindow::COM_send(const QByteArray &bytes)
{
    return comPanel->send(serialThread->port, bytes, tr("The device"));
}

void MainWindow::sendmsgBtn_clicked()
{
    // A file going out keeps the port: a send or a keep-send start waits.
    if (!comSendTimer->isActive() && !ui->sendMsgtextEdit->toPlainText().isEmpty() && COM_refuseWhileSendingFile())
        return;
    if (comPanel->sendPressed(comSendTimer, comSendInterval, tr("Send")) == TerminalPanel::Press::SendOnce)
        sendMsg();
}

void MainWindow::obocheckBox_clicked() { comPanel->keepSendChanged(); }

void MainWindow::delayspinBox_valueChanged(int value)
{
    comSendInterval = value;
}

void MainWindow::COMHideHex_pushButton_clicked() { comPanel->hexSwitchChanged(); }

void MainWindow::actionCleanData_triggered() { comPanel->clearReceive(); }

void MainWindow::actionClearBytes_triggered() { comPanel->clearCounters(); }

void MainWindow::cleanSendData_clicked() { comPanel->clearSendBox(); }

void MainWindow::actionLoadfile_triggered() { comPanel->importFile(); }

void MainWindow::actionSendfile_triggered()
{
    if (COM_refuseWhileSendingFile())
        return;
    const QString path = UiPrompt::openFileName(this, tr("Read file"), QString(), QStringLiteral("(*)"));
    if (path.isEmpty())
        return;
    if (!serialThread || !serialThread->port || !serialThread->port->isOpen())
        return;
    if (!comFileSender->start(path, serialThread->port, kSendFileGapMs)) {
        ui->statusBar->showMessage(
            tr("Open failed: Failed to open this file, this may be due to insufficient permissions."));
        return;
    }
    // Nothing said before stands over the send; its count says it runs.
    ui->statusBar->clearMessage();
}

void MainWindow::COM_showFileProgress(qint64 gone, qint64 size)
{
    const auto said = [this, size](qint64 n) {
        return tr("Sending the file: %1 of %2 bytes have gone").arg(n).arg(size);
    };
    if (comFileProgress->isHidden()) {
        // As wide as the largest count the send can show, so the message
        // line beside it keeps its room while the count grows.
        comFileProgress->setText(said(size));
        comFileProgress->setMinimumWidth(comFileProgress->sizeHint().width());
        comFileProgress->show();
    }
    comFileProgress->setText(said(gone));
    // The send goes on after a stall: the stall's text goes, unless
    // something has been said over it since.
    if (!comFileStallText.isEmpty()) {
        if (ui->statusBar->currentMessage() == comFileStallText)
            ui->statusBar->clearMessage();
        comFileStallText.clear();
    }
}

void MainWindow::COM_sendFileFinished(bool ok, const QString &error)
{
    if (ok)
        ui->statusBar->showMessage(tr("Success for send the data in the file"));
    else
        ui->statusBar->showMessage(tr("Send file failed: %1").arg(error));
}

void MainWindow::actionSave_triggered() { comPanel->exportFile(); }
