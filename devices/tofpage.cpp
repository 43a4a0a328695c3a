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

#include <algorithm>

namespace {
DevicePort tofPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->TOFportNameComboBox, w->ui->TOFbaudRateComboBox, w->ui->TOFopencompushButton,
                          &MainWindow::readTOFCom, &MainWindow::TOF_portLost, &MainWindow::TOFsetsetComboBoxEnabled);
}

// Puts one frame into `pixels` in display order and notes in `shown` what
// each zone it covers would show (grows `shown` as needed). False for a
// frame without an allowed number of values.
bool decodeFrame(const QByteArray &frame, int model, QList<int> &pixels, QList<int> &shown)
{
    QList<int> values;
    if (!TofFrames::parseFrame(frame, &values))
        return false;
    TofFrames::arrange(model, values, pixels);
    const int n = int(values.size());
    if (shown.size() < n)
        shown.resize(n);
    std::copy(pixels.begin(), pixels.begin() + n, shown.begin());
    return true;
}

// Hands the grid and the surface the distances of zones 0 .. shown.size() - 1.
void showZones(kalvest_tof *tof, const QList<int> &shown)
{
    kalvest_tof_data *grid = tof->dataView;
    for (int i = 0; i < shown.size(); ++i)
        grid->set_value(i, shown.at(i));
    QList<double> distances(shown.begin(), shown.end());
    kalvest_tof_surface *surface = tof->surfaceView;
    surface->update_surface(surface->zones, distances);
}
} // namespace

void MainWindow::TOF_Init_Start()
{
    tofWidget = new kalvest_tof(this);
    ui->gridLayout_tof->addWidget(tofWidget);
    tofRxText = std::make_shared<TofFrames::Cutter>();

    connect(ui->TOFopencompushButton, &QAbstractButton::pressed, this, &MainWindow::TOFOpen_triggered);
    connect(ui->TOF_Clear_pushButton, &QAbstractButton::pressed, this, &MainWindow::TOFactionClear_triggered);
    connect(ui->TOFChartComboBox, &QComboBox::currentIndexChanged, this, &MainWindow::onTOFChartComboBoxChanged);
    connect(ui->TOFTYPEcomboBox, &QComboBox::currentIndexChanged, this, &MainWindow::onTOFTYPEComboBoxChanged);
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
    toggleDevicePort(tofPort(this));
}

void MainWindow::TOF_portLost(const QString &reason) { devicePortLost(tofPort(this), reason); }

void MainWindow::readTOFCom(QByteArray data)
{
    // A chunk may hold many frames, but only what the newest leaves is
    // seen: every frame is put into display order, and the views are
    // updated once, each zone with the value of the newest frame that
    // covers it (as if every frame had been shown in turn).
    const int model = ui->TOFTYPEcomboBox->currentIndex();
    QList<int> shown;
    bool any = false;
    for (const QByteArray &frame : tofRxText->feed(data))
        any = decodeFrame(frame, model, tofPixels, shown) || any;
    if (any)
        showZones(tofWidget, shown);
}

void MainWindow::TOFprocessFrame(QByteArray frameData)
{
    QList<int> shown;
    if (decodeFrame(frameData, ui->TOFTYPEcomboBox->currentIndex(), tofPixels, shown))
        showZones(tofWidget, shown);
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
