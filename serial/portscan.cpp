#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "portlister.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSettings>
#include <QTimer>

namespace {

// The port lists of the eleven serial pages, in the order new ports are
// added; the first is the reference list.
QList<QComboBox *> portCombos(const Ui::MainWindow *ui)
{
    return {ui->portNameComboBox,       ui->GPSportNameComboBox,     ui->GSMportNameComboBox,
            ui->ENVportNameComboBox,    ui->OSCportNameComboBox,     ui->SpectraportNameComboBox,
            ui->i2cdumpportNameComboBox, ui->TOFportNameComboBox,    ui->ModbusportNameComboBox,
            ui->CIEportNameComboBox,    ui->imuportNameComboBox};
}

// Every page's serial port settings and serial open button. The TCP
// controls of the GPS and Modbus pages are not among them.
QList<QWidget *> portSettings(const Ui::MainWindow *ui)
{
    return {ui->portNameComboBox,        ui->baudRateComboBox,        ui->dataBitsComboBox,
            ui->parityComboBox,          ui->stopBitsComboBox,        ui->opencompushButton,
            ui->GPSportNameComboBox,     ui->GPSbaudRateComboBox,     ui->GPSopencompushButton,
            ui->GSMportNameComboBox,     ui->GSMbaudRateComboBox,     ui->GSMopencompushButton,
            ui->ENVportNameComboBox,     ui->ENVbaudRateComboBox,     ui->ENVopencompushButton,
            ui->OSCportNameComboBox,     ui->OSCbaudRateComboBox,     ui->OSCopencompushButton,
            ui->SpectraportNameComboBox, ui->SpectrabaudRateComboBox, ui->SpectraopencompushButton,
            ui->i2cdumpportNameComboBox, ui->i2cdumpbaudRateComboBox, ui->i2cdumpopencompushButton,
            ui->TOFportNameComboBox,     ui->TOFbaudRateComboBox,     ui->TOFopencompushButton,
            ui->ModbusportNameComboBox,  ui->ModbusbaudRateComboBox,  ui->ModbusdataBitsComboBox,
            ui->ModbusparityComboBox,    ui->ModbusstopBitsComboBox,  ui->ModbusopencompushButton,
            ui->CIEportNameComboBox,     ui->CIEbaudRateComboBox,     ui->CIEopencompushButton,
            ui->imuportNameComboBox,     ui->imubaudRateComboBox,     ui->imuopencompushButton};
}

// Switches the whole port-settings set except the calling page's own open
// button (its "Close" while the port is open), plus the page's own mode
// radio buttons where it has them.
void lockPortSettings(const Ui::MainWindow *ui, QWidget *ownOpenButton, bool on, QWidget *modeA = nullptr,
                      QWidget *modeB = nullptr)
{
    for (QWidget *widget : portSettings(ui)) {
        if (widget != ownOpenButton)
            widget->setEnabled(on);
    }
    for (QWidget *widget : {modeA, modeB}) {
        if (widget)
            widget->setEnabled(on);
    }
}

} // namespace

QStringList MainWindow::getFilteredSerialPorts()
{
    return SerialPortLister::filterPortNames(SerialPortLister::availablePortNames());
}

void MainWindow::stop_SerialSacn_new()
{
    if (portScanTimer && portScanTimer->isActive())
        portScanTimer->stop();
}

void MainWindow::SerialSacn_new()
{
    const QString scan = settings ? settings->value(QStringLiteral("Auto_Serial_Scan")).toString() : QString();
    if (scan.isEmpty() || scan == QLatin1String("true"))
        SerialSacn();
}

void MainWindow::SerialSacn()
{
    const QList<QComboBox *> boxes = portCombos(ui);
    QComboBox *reference = boxes.first();

    const QStringList names = getFilteredSerialPorts();
    for (const QString &name : names) {
        if (reference->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            for (QComboBox *box : boxes)
                box->addItem(name);
        }
    }
    for (int i = 0; i < reference->count();) {
        const QString text = reference->itemText(i);
        if (names.contains(text)) {
            ++i;
            continue;
        }
        for (QComboBox *box : boxes) {
            const int at = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (at >= 0)
                box->removeItem(at);
        }
    }
}

bool MainWindow::testUart(const QString &)
{
    return false;
}

void MainWindow::COMsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->opencompushButton, on);
}

void MainWindow::GPSsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->GPSopencompushButton, on, ui->GPSportMode_01, ui->GPSportMode_02);
}

void MainWindow::GSMsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->GSMopencompushButton, on);
}

void MainWindow::ENVsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->ENVopencompushButton, on);
}

void MainWindow::OSCsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->OSCopencompushButton, on);
}

void MainWindow::SpectrasetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->SpectraopencompushButton, on);
}

void MainWindow::i2cdumpsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->i2cdumpopencompushButton, on);
}

void MainWindow::TOFsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->TOFopencompushButton, on);
}

void MainWindow::ModbussetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->ModbusopencompushButton, on, ui->ModbusportMode_1, ui->ModbusportMode_2);
}

void MainWindow::CIEsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->CIEopencompushButton, on);
}

void MainWindow::imusetsetComboBoxEnabled(bool on)
{
    lockPortSettings(ui, ui->imuopencompushButton, on);
}
