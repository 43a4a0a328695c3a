// The "Environment" page: an environment sensor board's labelled lines on
// the shared serial port drive six gauges; the raw text shows in a view.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "env/cthermometer.h"
#include "env/dashboard.h"
#include "env/envlines.h"
#include "env/progressbarpercent.h"
#include "env/ultraviolet.h"
#include "receivedisplay.h"

namespace {
DevicePort envPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->ENVportNameComboBox, w->ui->ENVbaudRateComboBox, w->ui->ENVopencompushButton,
                          &MainWindow::readENVCom, &MainWindow::ENV_portLost, &MainWindow::ENVsetsetComboBoxEnabled);
}

// The port closed or was lost: an unfinished line and a character cut in
// two belong to the old session, not to the first bytes of the next one.
void endSession(MainWindow *w)
{
    w->envParser->clear();
    w->envRxDisplay->endStream();
}

// A dial in its grid cell, resting at its minimum; empty units keep the
// dial's own ("Pa").
DashBoard *newEnvDial(QGridLayout *layout, int min, int max, const QString &units, const QString &title)
{
    auto *dial = new DashBoard;
    layout->addWidget(dial, 0, 0);
    // Minimum before maximum, value last: the dial refuses a limit that
    // crosses the other one.
    dial->setMinValue(min);
    dial->setMaxValue(max);
    dial->setValue(min);
    if (!units.isEmpty())
        dial->setUnits(units);
    if (!title.isEmpty())
        dial->setTitle(title);
    return dial;
}
} // namespace

void MainWindow::ENVironment_Init_Start()
{
    envParser = std::make_shared<EnvLines::Parser>();
    ReceiveDisplay::Options options;
    options.encoding = "GBK";
    options.maxBlocks = 100;
    envRxDisplay = new ReceiveDisplay(ui->ENV_StrTextBrowser, nullptr, options, this);

    connect(ui->ENVopencompushButton, &QAbstractButton::pressed, this, &MainWindow::ENVactionOpen_triggered);
    connect(ui->EVN_Clear_pushButton, &QAbstractButton::pressed, this, &MainWindow::ENVactionClear_triggered);

    for (int i = 0; i < 3; ++i) {
        ui->env_gridLayout->setRowStretch(i, 1);
        ui->gridLayout_27->setColumnStretch(i, 1);
    }

    envUvGauge = new Ultraviolet;
    ui->ultraviolet_gridLayout->addWidget(envUvGauge, 0, 0);
    envUvGauge->setValue(0);

    envHumidityGauge = new ProgressBarPercent;
    ui->humidity_gridLayout->addWidget(envHumidityGauge, 0, 0);
    envHumidityGauge->setPercentStyle(ProgressBarPercent::PercentStyle_Arc_Polo);
    envHumidityGauge->setNullPosition(0);

    envThermometer = new CThermometer;
    ui->temperature_gridLayout->addWidget(envThermometer, 0, 0);
    envThermometer->setValue(0);
    envThermometer->setMinorTicks(2);
    envThermometer->setMaxValue(80);
    envThermometer->setMinValue(-30);

    // The dial's own title is English; the page gives it in the window's language.
    envBarometerGauge = newEnvDial(ui->barometer_gridLayout, 0, 1100, QString(), tr("Barometer"));
    envCo2Gauge = newEnvDial(ui->CO2_gridLayout, 400, 15000, QStringLiteral("ppm"), QStringLiteral("CO₂"));
    envTvocGauge = newEnvDial(ui->TVOC_gridLayout, 0, 5000, QStringLiteral("ppb"), QStringLiteral("TVOC"));

    ui->ENVopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->ENV_StrTextBrowser->setReadOnly(true);
}

void MainWindow::ENVactionOpen_triggered()
{
    const bool closing = serialOpen;
    toggleDevicePort(envPort(this));
    if (closing)
        endSession(this);
}

void MainWindow::ENV_portLost(const QString &reason)
{
    if (devicePortLost(envPort(this), reason))
        endSession(this);
}

void MainWindow::readENVCom(QByteArray data)
{
    for (const EnvLines::Value &v : envParser->feed(data)) {
        // The dials show whole numbers; the other gauges the value as read.
        DashBoard *dial = nullptr;
        switch (v.reading) {
        case EnvLines::Reading::Humidity: envHumidityGauge->setValue(v.value); break;
        case EnvLines::Reading::Temperature: envThermometer->setValue(v.value); break;
        case EnvLines::Reading::Ultraviolet: envUvGauge->setValue(v.value); break;
        case EnvLines::Reading::Barometer: dial = envBarometerGauge; break;
        case EnvLines::Reading::Co2: dial = envCo2Gauge; break;
        case EnvLines::Reading::Tvoc: dial = envTvocGauge; break;
        }
        if (dial)
            dial->setValue(int(v.value));
    }
    envRxDisplay->append(data, false);
}

void MainWindow::ENVactionClear_triggered() { envRxDisplay->clear(); }
