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
const char *const kPortCombos[] = {
    "portNameComboBox",     "GPSportNameComboBox",     "GSMportNameComboBox",    "ENVportNameComboBox",
    "OSCportNameComboBox",  "SpectraportNameComboBox", "i2cdumpportNameComboBox", "TOFportNameComboBox",
    "ModbusportNameComboBox", "CIEportNameComboBox",   "imuportNameComboBox",
};

// Every page's serial port settings and serial open button. The TCP
// controls of the GPS and Modbus pages are not among them.
const char *const kPortSettings[] = {
    "portNameComboBox",        "baudRateComboBox",        "dataBitsComboBox",        "parityComboBox",
    "stopBitsComboBox",        "opencompushButton",       "GPSportNameComboBox",     "GPSbaudRateComboBox",
    "GPSopencompushButton",    "GSMportNameComboBox",     "GSMbaudRateComboBox",     "GSMopencompushButton",
    "ENVportNameComboBox",     "ENVbaudRateComboBox",     "ENVopencompushButton",    "OSCportNameComboBox",
    "OSCbaudRateComboBox",     "OSCopencompushButton",    "SpectraportNameComboBox", "SpectrabaudRateComboBox",
    "SpectraopencompushButton", "i2cdumpportNameComboBox", "i2cdumpbaudRateComboBox", "i2cdumpopencompushButton",
    "TOFportNameComboBox",     "TOFbaudRateComboBox",     "TOFopencompushButton",    "ModbusportNameComboBox",
    "ModbusbaudRateComboBox",  "ModbusdataBitsComboBox",  "ModbusparityComboBox",    "ModbusstopBitsComboBox",
    "ModbusopencompushButton", "CIEportNameComboBox",     "CIEbaudRateComboBox",     "CIEopencompushButton",
    "imuportNameComboBox",     "imubaudRateComboBox",     "imuopencompushButton",
};

QList<QComboBox *> portCombos(MainWindow *w)
{
    QList<QComboBox *> out;
    for (const char *name : kPortCombos) {
        if (QComboBox *box = w->findChild<QComboBox *>(QLatin1String(name)))
            out.append(box);
    }
    return out;
}

// Switches the whole port-settings set except the calling page's own open
// button (its "Close" while the port is open), plus the page's own mode
// radio buttons where it has them.
void lockPortSettings(MainWindow *w, const char *ownOpenButton, bool on, const char *modeA = nullptr,
                      const char *modeB = nullptr)
{
    for (const char *name : kPortSettings) {
        if (qstrcmp(name, ownOpenButton) == 0)
            continue;
        if (QWidget *widget = w->findChild<QWidget *>(QLatin1String(name)))
            widget->setEnabled(on);
    }
    for (const char *name : {modeA, modeB}) {
        if (!name)
            continue;
        if (QWidget *widget = w->findChild<QWidget *>(QLatin1String(name)))
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
    const QList<QComboBox *> boxes = portCombos(this);
    QComboBox *reference = findChild<QComboBox *>(QLatin1String(kPortCombos[0]));
    if (!reference)
        return;

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
    lockPortSettings(this, "opencompushButton", on);
}

void MainWindow::GPSsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "GPSopencompushButton", on, "GPSportMode_01", "GPSportMode_02");
}

void MainWindow::GSMsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "GSMopencompushButton", on);
}

void MainWindow::ENVsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "ENVopencompushButton", on);
}

void MainWindow::OSCsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "OSCopencompushButton", on);
}

void MainWindow::SpectrasetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "SpectraopencompushButton", on);
}

void MainWindow::i2cdumpsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "i2cdumpopencompushButton", on);
}

void MainWindow::TOFsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "TOFopencompushButton", on);
}

void MainWindow::ModbussetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "ModbusopencompushButton", on, "ModbusportMode_1", "ModbusportMode_2");
}

void MainWindow::CIEsetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "CIEopencompushButton", on);
}

void MainWindow::imusetsetComboBoxEnabled(bool on)
{
    lockPortSettings(this, "imuopencompushButton", on);
}
