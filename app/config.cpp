// Page switches: which tabs stay, read once at start-up.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appinfo.h"

#include <QSettings>

int MainWindow::Config()
{
    connect(ui->actionConfig, SIGNAL(triggered()), this, SLOT(slotActionConfig()), Qt::UniqueConnection);

    settings = new QSettings(QLatin1String(AppInfo::kSettingsFile), QSettings::IniFormat, this);

    pageKeys = QStringList{QStringLiteral("COM"),     QStringLiteral("UDP"),         QStringLiteral("TCP"),
                           QStringLiteral("GPS"),     QStringLiteral("GSM"),         QStringLiteral("UNICODE"),
                           QStringLiteral("Environment"), QStringLiteral("Crypty"), QStringLiteral("Oscilloscope"),
                           QStringLiteral("MQTT"),    QStringLiteral("Ble"),         QStringLiteral("Spectra"),
                           QStringLiteral("Convert"), QStringLiteral("i2cdump"),     QStringLiteral("TOF"),
                           QStringLiteral("Modbus"),  QStringLiteral("Hex"),         QStringLiteral("CIE"),
                           QStringLiteral("IMU"),     QStringLiteral("MORE")};

    QStringList kept;
    for (int p = 0; p < pageCount; ++p) {
        const QString value = settings->value(pageKeys.at(p)).toString();
        kept.append((value.isEmpty() || value == QLatin1String("true")) ? pageKeys.at(p) : QStringLiteral("NULL"));
    }

    int t = 0;
    for (int p = 0; p < pageCount; ++p) {
        if (kept.at(p) == pageKeys.at(p))
            ++t;
        else
            ui->tabWidget->removeTab(t);
    }
    return t;
}
