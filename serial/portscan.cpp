#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "pagetable.h"
#include "portlister.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

namespace {

// The port lists of the serial pages in the page table's order, the order
// new ports are added in; the first is the reference list.
QList<QComboBox *> portCombos(const Ui::MainWindow *ui)
{
    QList<QComboBox *> boxes;
    for (const PageEntry &page : PageTable::pages()) {
        if (page.hasPort())
            boxes.append(ui->*page.port.name);
    }
    return boxes;
}

} // namespace

// Switches every serial page's port settings and serial open button except
// the holder's own open button (its "Close" while the port is open), plus
// the holder's own mode buttons. The TCP controls of the pages are not
// among them.
void MainWindow::lockPortSettings(const PageEntry *holder, bool on)
{
    QWidget *ownOpenButton = holder && holder->hasPort() ? ui->*holder->port.open : nullptr;
    for (const PageEntry &page : PageTable::pages()) {
        for (QWidget *widget : PageTable::portSettings(ui, page)) {
            if (widget != ownOpenButton)
                widget->setEnabled(on);
        }
    }
    if (!holder)
        return;
    for (QRadioButton *Ui_MainWindow::*mode : {holder->port.modeSerial, holder->port.modeTcp}) {
        if (mode)
            (ui->*mode)->setEnabled(on);
    }
}

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

// Each serial page's lock, called by its open and close path.
void MainWindow::COMsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("COM"), on); }
void MainWindow::GPSsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("GPS"), on); }
void MainWindow::GSMsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("GSM"), on); }
void MainWindow::ENVsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("Environment"), on); }
void MainWindow::OSCsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("Oscilloscope"), on); }
void MainWindow::SpectrasetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("Spectra"), on); }
void MainWindow::i2cdumpsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("i2cdump"), on); }
void MainWindow::TOFsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("TOF"), on); }
void MainWindow::ModbussetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("Modbus"), on); }
void MainWindow::CIEsetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("CIE"), on); }
void MainWindow::imusetsetComboBoxEnabled(bool on) { lockPortSettings(PageTable::find("IMU"), on); }
