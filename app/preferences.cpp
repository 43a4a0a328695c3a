// The Preferences dialog: page switches, port scan and map choice. OK
// writes them and restarts the program, whose start-up applies them.
#include "mainwindow.h"
#include "ui_config.h"
#include "ui_mainwindow.h"

#include "appinfo.h"
#include "desktophooks.h"
#include "pagetable.h"
#include "uiprompt.h"

#include <QCoreApplication>
#include <QDialog>
#include <QIcon>
#include <QSettings>

namespace {
bool isOnText(const QString &value)
{
    return value.isEmpty() || value == QLatin1String("true");
}

QIcon switchIcon(bool on)
{
    return QIcon(on ? QStringLiteral(":images/on.png") : QStringLiteral(":images/off.png"));
}

// The on/off button of the switchable page at `index` of the page table.
QPushButton *switchButton(Ui::Config *form, int index)
{
    return form->*PageTable::pages().at(index).preferencesSwitch;
}
} // namespace

void MainWindow::togglePageSwitch(int index)
{
    if (!configDialog) {
        configUi = nullptr; // its form went with the dialog
        return;
    }
    if (!configUi || index < 0 || index >= pageCount)
        return;
    const bool on = pageSwitches[index] == 0;
    pageSwitches[index] = on ? 1 : 0;
    switchButton(configUi, index)->setIcon(switchIcon(on));
}

void MainWindow::togglePageSwitch(const char *key)
{
    togglePageSwitch(PageTable::indexOf(key));
}

void MainWindow::slotActionConfig()
{
    // One Preferences dialog at a time: the switches and OK act on one form.
    if (configDialog) {
        configDialog->show();
        configDialog->raise();
        configDialog->activateWindow();
        return;
    }

    for (int i = 0; i < pageCount; ++i)
        pageSwitches[i] = 0;

    QDialog *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    Ui::Config *form = new Ui::Config;
    configUi = form;
    form->setupUi(dialog);
    configDialog = dialog;
    // The form object goes with its dialog. The main window itself is not
    // touched here: the dialog may be going because the window is. Every use
    // of configUi checks configDialog first.
    connect(dialog, &QObject::destroyed, [form] { delete form; });
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);

    connect(form->ConfigCancel_Button, &QPushButton::pressed, dialog, &QDialog::close);
    connect(form->ConfigOK_Button, &QPushButton::pressed, this, &MainWindow::slotActConfigOK);
    QList<QPushButton *> buttons;
    for (int i = 0; i < pageCount; ++i) {
        buttons.append(switchButton(form, i));
        connect(buttons.last(), &QPushButton::pressed, this, [this, i] { togglePageSwitch(i); });
    }

    dialog->show();

    dialog->setStyleSheet(QStringLiteral("background-color: white grey"));
    for (QPushButton *button : buttons)
        button->setStyleSheet(QStringLiteral("border:none"));

    settings = new QSettings(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat, this);

    for (int i = 0; i < pageCount; ++i) {
        const bool on = isOnText(settings->value(pageKeys.at(i)).toString());
        pageSwitches[i] = on ? 1 : 0;
        buttons.at(i)->setIcon(switchIcon(on));
    }
    form->serial_checkBox->setChecked(isOnText(settings->value(QStringLiteral("Auto_Serial_Scan")).toString()));
    const QString map = settings->value(QStringLiteral("Map_Type")).toString();
    form->comboBox->setCurrentIndex((map.isEmpty() || map == QLatin1String("0")) ? 0 : 1);
}

void MainWindow::slotActConfigOK()
{
    if (!configDialog) {
        configUi = nullptr; // its form went with the dialog
        return;
    }
    if (!configUi)
        return;
    // A settings object keeps the first error it met (even one from reading
    // at its creation), so a retry after a failure starts with a fresh one.
    if (!settings || settings->status() != QSettings::NoError)
        settings = new QSettings(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat, this);

    for (int i = 0; i < pageCount; ++i)
        settings->setValue(pageKeys.at(i), pageSwitches[i] == 1 ? QStringLiteral("true") : QStringLiteral("false"));
    settings->setValue(QStringLiteral("Auto_Serial_Scan"), configUi->serial_checkBox->isChecked());
    settings->setValue(QStringLiteral("Map_Type"), configUi->comboBox->currentIndex());

    // The new instance reads the file at once, so it must be on disk now.
    settings->sync();
    if (settings->status() != QSettings::NoError) {
        UiPrompt::warning(configDialog, tr("Message"),
                          tr("The settings could not be saved to %1. The program was not restarted.")
                              .arg(QLatin1String(AppInfo::kSettingsFile)));
        return;
    }

    // Pages with unsaved work may refuse; then nothing restarts.
    if (!confirmClose())
        return;

    if (!DesktopHooks::startDetached(QCoreApplication::applicationFilePath(), QStringList())) {
        UiPrompt::warning(configDialog, tr("Message"),
                          tr("The program could not be restarted. The settings are saved and take effect at the "
                             "next start."));
        return;
    }

    closeConfirmed = true;
    close();
    closeConfirmed = false;
}

void MainWindow::Config_COM_ON_OFF_triggered() { togglePageSwitch("COM"); }
void MainWindow::Config_UDP_ON_OFF_triggered() { togglePageSwitch("UDP"); }
void MainWindow::Config_TCP_ON_OFF_triggered() { togglePageSwitch("TCP"); }
void MainWindow::Config_GPS_ON_OFF_triggered() { togglePageSwitch("GPS"); }
void MainWindow::Config_GSM_ON_OFF_triggered() { togglePageSwitch("GSM"); }
void MainWindow::Config_UNICODE_ON_OFF_triggered() { togglePageSwitch("UNICODE"); }
void MainWindow::Config_Envir_ON_OFF_triggered() { togglePageSwitch("Environment"); }
void MainWindow::Config_Crypty_ON_OFF_triggered() { togglePageSwitch("Crypty"); }
void MainWindow::Config_Oscilloscope_ON_OFF_triggered() { togglePageSwitch("Oscilloscope"); }
void MainWindow::Config_MQTT_ON_OFF_triggered() { togglePageSwitch("MQTT"); }
void MainWindow::Config_BLE_ON_OFF_triggered() { togglePageSwitch("Ble"); }
void MainWindow::Config_Spectra_ON_OFF_triggered() { togglePageSwitch("Spectra"); }
void MainWindow::Config_Convert_ON_OFF_triggered() { togglePageSwitch("Convert"); }
void MainWindow::Config_I2CDUMP_ON_OFF_triggered() { togglePageSwitch("i2cdump"); }
void MainWindow::Config_TOF_ON_OFF_triggered() { togglePageSwitch("TOF"); }
void MainWindow::Config_MODBUS_ON_OFF_triggered() { togglePageSwitch("Modbus"); }
void MainWindow::Config_HEXTOOLS_ON_OFF_triggered() { togglePageSwitch("Hex"); }
void MainWindow::Config_CIE_ON_OFF_triggered() { togglePageSwitch("CIE"); }
void MainWindow::Config_IMU_ON_OFF_triggered() { togglePageSwitch("IMU"); }
