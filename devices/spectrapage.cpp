// The "Spectra" page: a spectral sensor module's channel lines ("F3:500"
// and CR LF) on the shared serial port drive the bar charts or the
// spectrum curve; the received lines can be shown in a log.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "spectra/kalvest_spectroscopy.h"
#include "spectra/spectralines.h"

namespace {
DevicePort spectraPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->SpectraportNameComboBox, w->ui->SpectrabaudRateComboBox,
                          w->ui->SpectraopencompushButton, &MainWindow::readSpectraCom, &MainWindow::Spectra_portLost,
                          &MainWindow::SpectrasetsetComboBoxEnabled);
}
// Paragraphs the log keeps; the oldest go first.
constexpr int kLogBlocks = 10000;
} // namespace

void MainWindow::Spectra_Init_Start()
{
    spectraWidget = new kalvest_spectroscopy(this);
    ui->gridLayout_spectra->addWidget(spectraWidget);
    spectraRxText = std::make_shared<SpectraLines::Decoder>();
    spectraRxBuffer = std::make_shared<SpectraLines::LogLines>();

    connect(ui->SpectraopencompushButton, &QAbstractButton::pressed, this, &MainWindow::SpectraOpen_triggered);
    connect(ui->SpectraportChartComboBox, &QComboBox::currentIndexChanged, this, &MainWindow::onSpectraportChartComboBoxChanged);
    connect(ui->SpectraYPEcomboBox, &QComboBox::currentIndexChanged, this, &MainWindow::onSpectraTYPEComboBoxChanged);
    connect(ui->SpectracheckBox, &QCheckBox::stateChanged, this, &MainWindow::onSpectracheckBoxChanged);
    connect(ui->Spectra_pushButton_Clear_Log, &QAbstractButton::pressed, this, &MainWindow::Spectra_pushButton_Clear_Log_triggered);

    ui->SpectraopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    ui->SpectraportChartComboBox->clear();
    ui->SpectraportChartComboBox->addItem(tr("Bar Chart"));
    ui->Spectra_textEdit->setReadOnly(true);
    ui->Spectra_textEdit->setMaximumBlockCount(kLogBlocks);
    ui->Spectra_textEdit->hide();
}

void MainWindow::SpectraOpen_triggered()
{
    if (serialOpen) {
        spectraRxBuffer->clear();
        closeDevicePort(spectraPort(this));
        return;
    }
    spectraRxText->clear();
    if (toggleDevicePort(spectraPort(this)))
        spectraRxBuffer->clear();
}

void MainWindow::Spectra_portLost(const QString &reason)
{
    if (devicePortLost(spectraPort(this), reason))
        spectraRxBuffer->clear();
}

void MainWindow::readSpectraCom(QByteArray data)
{
    // The log is filled whether it is shown or not; one append per chunk.
    const QStringList lines = spectraRxBuffer->feed(data);
    if (!lines.isEmpty())
        ui->Spectra_textEdit->appendPlainText(lines.join(QLatin1Char('\n')));
    const QString complete = spectraRxText->feed(data);
    if (!complete.isEmpty())
        extractValuesFromQString(complete);
}

void MainWindow::extractValuesFromQString(QString dataString)
{
    const QList<SpectraLines::Reading> readings = SpectraLines::parseLines(dataString);
    if (readings.isEmpty())
        return;
    const quint8 type = SpectraLines::typeCode(ui->SpectraYPEcomboBox->currentText());
    const quint8 mode = quint8(ui->SpectraportChartComboBox->currentIndex());
    for (const SpectraLines::Reading &r : readings)
        spectraWidget->update_data_barset(quint8(r.index), r.value / 1000.0, type, mode);
}

void MainWindow::onSpectraTYPEComboBoxChanged(int index)
{
    const QString model = ui->SpectraYPEcomboBox->currentText();
    if (model == QLatin1String("AS7265X")) {
        ui->SpectraportChartComboBox->clear();
        ui->SpectraportChartComboBox->addItem(tr("Bar Chart"));
        ui->SpectraportChartComboBox->addItem(tr("Line Chart"));
    } else if (model == QLatin1String("AS7341") || model == QLatin1String("AS7343")) {
        ui->SpectraportChartComboBox->clear();
        ui->SpectraportChartComboBox->addItem(tr("Bar Chart"));
    }
    spectraWidget->set_chart_page(index);
}

void MainWindow::onSpectraportChartComboBoxChanged(int index)
{
    if (ui->SpectraYPEcomboBox->currentIndex() == 2)
        spectraWidget->set_chart_page(index + 2);
}

void MainWindow::onSpectracheckBoxChanged(int state)
{
    if (state == Qt::Checked)
        ui->Spectra_textEdit->show();
    else if (state == Qt::Unchecked)
        ui->Spectra_textEdit->hide();
}

void MainWindow::Spectra_pushButton_Clear_Log_triggered()
{
    ui->Spectra_textEdit->clear();
    spectraRxBuffer->clear();
}
