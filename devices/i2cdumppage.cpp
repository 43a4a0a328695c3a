// The "i2cdump" page: an I2C bridge board on the shared serial port. Scan
// the bus, pick a device, read and write its registers through two small
// dialogs, and stream register dumps into the grid.
#include "mainwindow.h"
#include "pagedialog.h"
#include "ui_mainwindow.h"
#include "ui_i2cdump_readreg.h"
#include "ui_i2cdump_writereg.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "i2c/i2cframes.h"
#include "i2c/kalvest_i2c_tools.h"
#include "receivedisplay.h"
#include "rxformat.h"
#include "threadserial.h"
#include "uiprompt.h"

#include <QDialog>
#include <QRegularExpression>

namespace {
DevicePort i2cPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->i2cdumpportNameComboBox, w->ui->i2cdumpbaudRateComboBox,
                          w->ui->i2cdumpopencompushButton, &MainWindow::readi2cdumpCom, &MainWindow::I2Cdump_portLost,
                          &MainWindow::i2cdumpsetsetComboBoxEnabled);
}

QString hex2(int v, bool upper)
{
    const QString s = QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0'));
    return upper ? s.toUpper() : s;
}

void fillRegisterList(QComboBox *box)
{
    for (int v = 0; v < 256; ++v)
        box->addItem(QLatin1String("0x") + hex2(v, true));
}

// Lines of the log.
constexpr int kLogLines = 100;
// Bytes per log line of a long reply: 680 "0x.., " tokens and the
// "Reg addr 0x..: " in front stay within a display line (4096
// characters), so a line is cut between tokens and even the longest reply
// (65535 bytes, 97 lines) fits whole in the log's 100 lines.
constexpr int kBytesPerLogLine = 680;
static_assert(15 + 6 * kBytesPerLogLine <= RxFormat::kMaxLineChars, "a log line must fit a display line");
static_assert((65535 + kBytesPerLogLine - 1) / kBytesPerLogLine + 2 <= kLogLines, "the longest reply must fit");

QString hexBytes(const QByteArray &payload)
{
    QString out;
    out.reserve(payload.size() * 6 + payload.size() / kBytesPerLogLine);
    for (qsizetype i = 0; i < payload.size(); ++i) {
        if (i > 0 && i % kBytesPerLogLine == 0)
            out += QLatin1Char('\n');
        out += QLatin1String("0x") + hex2(quint8(payload[i]), false) + QLatin1String(", ");
    }
    return out;
}
} // namespace

void MainWindow::I2Cdump_Init_Start()
{
    i2cTools = new kalvest_i2c_tools(this);
    connect(ui->i2cdumpreadpushButton, &QAbstractButton::pressed, this, &MainWindow::slotI2Cdump_read_ui);
    connect(ui->i2cdumpwritepushButton, &QAbstractButton::pressed, this, &MainWindow::slotI2Cdump_write_ui);
    ui->gridLayout_i2cdump->addWidget(i2cTools);
    // The log (read-only, at most 100 lines) is written at most once per
    // display interval, with only the lines its cap keeps.
    ReceiveDisplay::Options logOptions;
    logOptions.encoding = "GBK";
    logOptions.maxBlocks = kLogLines;
    logOptions.maxLineChars = RxFormat::kMaxLineChars;
    i2cLog = new ReceiveDisplay(ui->i2cdump_StrTextBrowser, nullptr, logOptions, this);

    connect(ui->i2cdumpopencompushButton, &QAbstractButton::pressed, this, &MainWindow::I2CdumpOpen_triggered);
    connect(ui->i2cdump_stop_pushButton, &QAbstractButton::pressed, this, &MainWindow::I2Cdump_Stop);
    connect(ui->i2cdumpsancfpushButton, &QAbstractButton::pressed, this, &MainWindow::I2CdumpactionScanf_triggered);
    connect(ui->i2cdump_Clear_pushButton, &QAbstractButton::pressed, this, &MainWindow::I2CdumpactionClear_triggered);
    connect(i2cTools, &kalvest_i2c_tools::Channge_Addr, this, &MainWindow::I2Cdump_Setaddr);
    connect(i2cTools, &kalvest_i2c_tools::Get_Addr, this, &MainWindow::I2Cdump_printscanf);
    connect(i2cTools, &kalvest_i2c_tools::Get_Data, this, &MainWindow::I2Cdump_printread);

    ui->i2cdumpopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->i2cdump_stop_pushButton->setText(QStringLiteral("Start"));
    i2cStreamRunning = false;
    ui->i2cdump_stop_pushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    I2Cdump_enableRequests(false, true);
}

void MainWindow::I2Cdump_enableRequests(bool on, bool withStartStop)
{
    if (withStartStop)
        ui->i2cdump_stop_pushButton->setEnabled(on);
    ui->i2cdumpwritepushButton->setEnabled(on);
    ui->i2cdumpreadpushButton->setEnabled(on);
    ui->i2cdumpsancfpushButton->setEnabled(on);
}

void MainWindow::I2CdumpOpen_triggered()
{
    if (serialOpen) {
        closeDevicePort(i2cPort(this));
        i2cOwnsPort = false;
        I2Cdump_enableRequests(false, true);
        return;
    }
    // A frame cut short when the port closed or its device vanished must
    // not swallow the first frame of the new session.
    i2cTools->clearReceive();
    if (!toggleDevicePort(i2cPort(this)))
        return;
    i2cOwnsPort = true;
    // Every request is offered again; Start/Stop keeps its text.
    I2Cdump_enableRequests(true, true);
}

void MainWindow::I2Cdump_portLost(const QString &reason)
{
    if (!devicePortLost(i2cPort(this), reason))
        return;
    i2cOwnsPort = false;
    I2Cdump_enableRequests(false, true);
}

void MainWindow::readi2cdumpCom(QByteArray data) { i2cTools->Set_Data(data); }

bool MainWindow::I2Cdump_streamRunning() const
{
    return i2cStreamRunning;
}

void MainWindow::I2Cdump_sendRequest(const QByteArray &request)
{
    // Only to a port this page opened: another page's device never gets
    // bridge frames.
    if (!serialOpen || !i2cOwnsPort || !serialThread || !serialThread->port || request.isEmpty())
        return;
    serialThread->port->write(request);
}

void MainWindow::I2Cdump_Stop()
{
    QPushButton *button = ui->i2cdump_stop_pushButton;
    if (I2Cdump_streamRunning()) {
        I2Cdump_enableRequests(true, false);
        i2cStreamRunning = false;
        button->setText(tr("Start"));
        button->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
        I2Cdump_sendRequest(I2cFrames::stopRequest());
    } else {
        I2Cdump_enableRequests(false, false);
        i2cStreamRunning = true;
        button->setText(tr("Stop"));
        button->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
        I2Cdump_sendRequest(I2cFrames::startRequest());
    }
}

void MainWindow::I2CdumpactionScanf_triggered() { I2Cdump_sendRequest(I2cFrames::scanRequest()); }

void MainWindow::I2Cdump_Setaddr(int address) { I2Cdump_sendRequest(I2cFrames::selectRequest(quint8(address))); }

void MainWindow::slotI2Cdump_read_ui()
{
    if (!openPageDialog(i2cReadDialog, i2cReadUi, i2cReadDialogOpen, &MainWindow::slotI2Cdump_read_ui_dialogclose,
                        &Ui::I2CDump_ReadREG::I2CDump_ReadREGCancel))
        return;
    i2cReadDialog->setStyleSheet(QStringLiteral("background-color: white grey"));
    fillRegisterList(i2cReadUi->reg_comboBox);
    fillRegisterList(i2cReadUi->length_comboBox);
    connect(i2cReadUi->read_pushButton, &QPushButton::pressed, this, &MainWindow::I2Cdump_Read);
}

void MainWindow::slotI2Cdump_write_ui()
{
    if (!openPageDialog(i2cWriteDialog, i2cWriteUi, i2cWriteDialogOpen, &MainWindow::slotI2Cdump_write_ui_dialogclose,
                        &Ui::I2CDump_WriteREG::I2CDump_WriteREGCancel))
        return;
    i2cWriteDialog->setStyleSheet(QStringLiteral("background-color: white grey"));
    fillRegisterList(i2cWriteUi->reg_comboBox);
    connect(i2cWriteUi->send_pushButton, &QPushButton::pressed, this, &MainWindow::I2Cdump_Send);
}

void MainWindow::slotI2Cdump_read_ui_dialogclose()
{
    i2cReadDialogOpen = false;
    i2cReadDialog = nullptr;
    delete i2cReadUi;
    i2cReadUi = nullptr;
}

void MainWindow::slotI2Cdump_write_ui_dialogclose()
{
    i2cWriteDialogOpen = false;
    i2cWriteDialog = nullptr;
    delete i2cWriteUi;
    i2cWriteUi = nullptr;
}

void MainWindow::I2Cdump_Read()
{
    if (!i2cReadUi)
        return;
    const int reg = i2cReadUi->reg_comboBox->currentIndex();
    const int count = i2cReadUi->length_comboBox->currentIndex();
    i2cLastReadRegister = reg;
    I2Cdump_sendRequest(I2cFrames::readRequest(quint8(reg), quint8(count)));
}

void MainWindow::I2Cdump_Send()
{
    if (!i2cWriteUi)
        return;
    const int reg = i2cWriteUi->reg_comboBox->currentIndex();
    const QString text = i2cWriteUi->lineEdit->text();
    static const QRegularExpression format(QStringLiteral("^0x[0-9a-fA-F]{2}(,0x[0-9a-fA-F]{2})*$"));
    if (!format.match(text).hasMatch()) {
        UiPrompt::warning(nullptr, tr("Warning"),
                          tr("Invalid input format. Please enter the correct format (e.g., 0x01,0x34,0xab)"));
        return;
    }
    QByteArray data;
    for (const QString &token : text.split(QLatin1Char(',')))
        data.append(char(token.mid(2).toInt(nullptr, 16)));
    if (data.size() > I2cFrames::kMaxWriteData) {
        UiPrompt::warning(nullptr, tr("Warning"),
                          tr("At most %1 bytes can be written at once.").arg(I2cFrames::kMaxWriteData));
        return;
    }
    I2Cdump_sendRequest(I2cFrames::writeRequest(quint8(reg), data));
}

void MainWindow::I2Cdump_log(QString text)
{
    // The text is ASCII: its Latin-1 bytes read the same in GBK.
    i2cLog->appendDecoded(text.toLatin1(), text, false);
}

void MainWindow::I2Cdump_printscanf(QByteArray payload)
{
    I2Cdump_log(QStringLiteral("Searching for I2C devices on the bus:\n") + hexBytes(payload) + QLatin1Char('\n'));
}

void MainWindow::I2Cdump_printread(QByteArray payload)
{
    // The register of the open dialog, or of the last read sent once it
    // was closed.
    const int reg = i2cReadUi ? i2cReadUi->reg_comboBox->currentIndex() : i2cLastReadRegister;
    I2Cdump_log(QStringLiteral("Reg addr 0x%1: ").arg(hex2(reg, false)) + hexBytes(payload) + QLatin1Char('\n'));
}

void MainWindow::I2CdumpactionClear_triggered() { i2cLog->clear(); }
