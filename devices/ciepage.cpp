// The "CIE" page: a colour sensor's chromaticity, illuminance and colour
// temperature from the shared serial port, marked on the CIE 1931 diagram.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "cie/cielines.h"
#include "cie/kalvest_cie_widget.h"
#include "cie/kalvest_cieplot.h"
#include "deviceport.h"
#include "openbuttonstyle.h"

namespace {
DevicePort ciePort(Ui::MainWindow *ui)
{
    return {ui->CIEportNameComboBox, ui->CIEbaudRateComboBox, ui->CIEopencompushButton,
            SLOT(readCIECom(QByteArray)), SLOT(CIE_portLost(QString)), &MainWindow::CIEsetsetComboBoxEnabled};
}
} // namespace

void MainWindow::CIE_Init_Start()
{
    cieWidget = new kalvest_cie_widget(this);
    ui->gridLayout_cie->addWidget(cieWidget);
    cieParser = std::make_shared<CieLines::Parser>();
    connect(ui->CIEopencompushButton, SIGNAL(pressed()), this, SLOT(CIEOpen_triggered()));
    connect(ui->CIE_Clear_pushButton, SIGNAL(pressed()), this, SLOT(CIEactionClear_triggered()));
    ui->CIEopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->CIE_StrTextBrowser->setReadOnly(true);
    ui->CIE_StrTextBrowser->hide();
    ui->CIE_Clear_pushButton->hide();
}

void MainWindow::CIEOpen_triggered()
{
    if (!serialOpen)
        cieParser->clear();
    toggleDevicePort(ciePort(ui));
}

void MainWindow::CIE_portLost(const QString &reason) { devicePortLost(ciePort(ui), reason); }

void MainWindow::readCIECom(QByteArray data)
{
    for (const CieLines::Reading &r : cieParser->feed(data))
        cieWidget->plot()->setPoint(r.x, r.y, r.lux, r.cct);
}

void MainWindow::CIEactionClear_triggered() { ui->CIE_StrTextBrowser->clear(); }
