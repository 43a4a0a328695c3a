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
DevicePort ciePort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->CIEportNameComboBox, w->ui->CIEbaudRateComboBox, w->ui->CIEopencompushButton,
                          &MainWindow::readCIECom, &MainWindow::CIE_portLost, &MainWindow::CIEsetsetComboBoxEnabled);
}
} // namespace

void MainWindow::CIE_Init_Start()
{
    cieWidget = new kalvest_cie_widget(this);
    ui->gridLayout_cie->addWidget(cieWidget);
    cieParser = std::make_shared<CieLines::Parser>();
    connect(ui->CIEopencompushButton, &QAbstractButton::pressed, this, &MainWindow::CIEOpen_triggered);
    connect(ui->CIE_Clear_pushButton, &QAbstractButton::pressed, this, &MainWindow::CIEactionClear_triggered);
    ui->CIEopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->CIE_StrTextBrowser->setReadOnly(true);
    ui->CIE_StrTextBrowser->hide();
    ui->CIE_Clear_pushButton->hide();
}

void MainWindow::CIEOpen_triggered()
{
    if (!serialOpen)
        cieParser->clear();
    toggleDevicePort(ciePort(this));
}

void MainWindow::CIE_portLost(const QString &reason) { devicePortLost(ciePort(this), reason); }

void MainWindow::readCIECom(QByteArray data)
{
    for (const CieLines::Reading &r : cieParser->feed(data))
        cieWidget->plot()->setPoint(r.x, r.y, r.lux, r.cct);
}

void MainWindow::CIEactionClear_triggered() { ui->CIE_StrTextBrowser->clear(); }
