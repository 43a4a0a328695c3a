// The "TOF" page: a multi-zone time-of-flight sensor's frames (a line of
// comma-separated distances) on the shared serial port, put into display
// order by sensor model and shown as a coloured grid or a 3D surface.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "tof/kalvest_tof.h"
#include "tof/kalvest_tof_data.h"
#include "tof/kalvest_tof_surface.h"
#include "tof/tofframes.h"

namespace {
DevicePort tofPort(Ui::MainWindow *ui)
{
    return {ui->TOFportNameComboBox, ui->TOFbaudRateComboBox, ui->TOFopencompushButton,
            SLOT(readTOFCom(QByteArray)), SLOT(TOF_portLost(QString)), &MainWindow::TOFsetsetComboBoxEnabled};
}
} // namespace

void MainWindow::TOF_Init_Start()
{
    tofWidget = new kalvest_tof(this);
    ui->gridLayout_tof->addWidget(tofWidget);
    tofRxText = std::make_shared<TofFrames::Cutter>();

    connect(ui->TOFopencompushButton, SIGNAL(pressed()), this, SLOT(TOFOpen_triggered()));
    connect(ui->TOF_Clear_pushButton, SIGNAL(pressed()), this, SLOT(TOFactionClear_triggered()));
    connect(ui->TOFChartComboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(onTOFChartComboBoxChanged(int)));
    connect(ui->TOFTYPEcomboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(onTOFTYPEComboBoxChanged(int)));
    connect(ui->TOFArrangementcomboBox, &QComboBox::currentIndexChanged, this, &MainWindow::TOFchangeArrangement);
    connect(ui->TOFRangeComboBox, &QComboBox::currentIndexChanged, this, &MainWindow::TOFchangeArrangement);

    ui->TOFopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
    tofPixels = QList<int>(TofFrames::kZones, 0);
    ui->TOF_StrTextBrowser->setReadOnly(true);
    ui->TOF_StrTextBrowser->hide();
    ui->TOF_Clear_pushButton->hide();
    // Both views start as the combos read.
    TOFchangeArrangement();
}

void MainWindow::TOFOpen_triggered()
{
    if (!serialOpen)
        tofRxText->clear();
    toggleDevicePort(tofPort(ui));
}

void MainWindow::TOF_portLost(const QString &reason) { devicePortLost(tofPort(ui), reason); }

void MainWindow::readTOFCom(QByteArray data)
{
    for (const QByteArray &frame : tofRxText->feed(data))
        TOFprocessFrame(frame);
}

void MainWindow::TOFprocessFrame(QByteArray frameData)
{
    QList<int> values;
    if (!TofFrames::parseFrame(frameData, &values))
        return;
    TofFrames::arrange(ui->TOFTYPEcomboBox->currentIndex(), values, tofPixels);
    const int n = int(values.size());
    kalvest_tof_data *grid = tofWidget->dataView;
    for (int i = 0; i < n; ++i)
        grid->set_value(i, tofPixels.at(i));
    QList<double> distances;
    distances.reserve(n);
    for (int i = 0; i < n; ++i)
        distances.append(tofPixels.at(i));
    kalvest_tof_surface *surface = tofWidget->surfaceView;
    surface->update_surface(surface->zones, distances);
}

void MainWindow::TOFmirrorPixels(QList<int> &pixels, int numRows, int numCols)
{
    TofFrames::mirrorRows(pixels, numRows, numCols);
}

void MainWindow::TOF_rearrange_image(const int *image_data, int *new_image_data)
{
    TofFrames::rearrange8828(image_data, new_image_data);
}

int MainWindow::TOF_get8829CorrectedIndex(int deliveryIndex, int cols)
{
    return TofFrames::corrected8829Index(deliveryIndex, cols);
}

void MainWindow::onTOFTYPEComboBoxChanged(int index)
{
    ui->TOFArrangementcomboBox->clear();
    for (const QString &text : TofFrames::arrangementsFor(index))
        ui->TOFArrangementcomboBox->addItem(text);
}

void MainWindow::TOFchangeArrangement()
{
    const int mode = TofFrames::modeForText(ui->TOFArrangementcomboBox->currentText());
    const int range = TofFrames::maxDistanceForText(ui->TOFRangeComboBox->currentText());
    tofWidget->surfaceView->set_mode(mode);
    tofWidget->dataView->set_mode(mode);
    tofWidget->dataView->maxDistance = range;
    tofWidget->surfaceView->set_max_distance(range);
}

void MainWindow::onTOFChartComboBoxChanged(int index) { tofWidget->set_page(index); }

void MainWindow::TOFactionClear_triggered() { ui->TOF_StrTextBrowser->clear(); }
