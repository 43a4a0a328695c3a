// The "Oscilloscope" page: "$0:…;$1:…;$2:…;$3:…;" frames from the shared
// serial port drawn as four scrolling traces in the wave view.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "osc/mwaveview.h"
#include "osc/oscframes.h"

#include <QTimer>

namespace {
DevicePort oscPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->OSCportNameComboBox, w->ui->OSCbaudRateComboBox, w->ui->OSCopencompushButton,
                          &MainWindow::readOSCCom, &MainWindow::OSC_portLost, &MainWindow::OSCsetsetComboBoxEnabled);
}
// Points kept per channel; the oldest go first.
constexpr int kMaxPoints = 20000;
// Under a flood the view is redrawn at most this often.
constexpr int kViewIntervalMs = 30;
} // namespace

void MainWindow::Oscilloscope_Init_Start()
{
    oscParser = std::make_shared<OscFrames::Parser>();
    oscViewTimer = new QTimer(this);
    oscViewTimer->setSingleShot(true);
    oscViewTimer->setInterval(kViewIntervalMs);
    connect(oscViewTimer, &QTimer::timeout, this, [this] {
        if (oscViewPending)
            OSC_updateView();
    });
    connect(ui->OSCopencompushButton, &QAbstractButton::pressed, this, &MainWindow::OscilloscopeOpen_triggered);
    ui->OSCopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::OscilloscopeOpen_triggered()
{
    if (!serialOpen)
        oscParser = std::make_shared<OscFrames::Parser>(); // a new session starts with an empty buffer
    toggleDevicePort(oscPort(this));
}

void MainWindow::OSC_portLost(const QString &reason) { devicePortLost(oscPort(this), reason); }

void MainWindow::readOSCCom(QByteArray data)
{
    const QList<OscFrames::Frame> frames = oscParser->feed(data);
    if (frames.isEmpty())
        return;
    for (const OscFrames::Frame &f : frames)
        Oscilloscope_Setting_Value(f.data(), false);
    OSC_scheduleView();
}

void MainWindow::Oscilloscope_Setting_Value(const double *value, bool show)
{
    oscX += 1;
    for (int ch = 0; ch < 4; ++ch) {
        QList<QPointF> &points = oscChannelData[ch];
        points.append(QPointF(oscX, value[ch]));
        if (points.size() > kMaxPoints)
            points.removeFirst();
    }
    if (show)
        OSC_scheduleView();
}

void MainWindow::OSC_scheduleView()
{
    // The first update after a quiet spell is drawn at once; the rest of a
    // flood is gathered into one update per interval.
    if (oscViewTimer->isActive()) {
        oscViewPending = true;
        return;
    }
    OSC_updateView();
}

void MainWindow::OSC_updateView()
{
    oscViewPending = false;
    if (oscWaveView) {
        for (int ch = 0; ch < 4; ++ch)
            oscWaveView->setChannelData(ch, oscChannelData[ch]);
    }
    oscViewTimer->start();
}

namespace {
// A dial turned a little up, or wrapped round from its top, zooms out;
// any other move zooms in.
bool dialZoomsOut(int position, int &last)
{
    const int delta = position - last;
    last = position;
    return (delta >= 1 && delta <= 4) || delta <= -6;
}
} // namespace

void MainWindow::dial_X_sliderMoved(int position)
{
    const bool out = dialZoomsOut(position, oscDialX);
    if (oscWaveView)
        out ? oscWaveView->zoomOutX() : oscWaveView->zoomInX();
}

void MainWindow::dial_Y_sliderMoved(int position)
{
    const bool out = dialZoomsOut(position, oscDialY);
    if (oscWaveView)
        out ? oscWaveView->zoomOutY() : oscWaveView->zoomInY();
}

static void showOscChannel(MWaveView *view, int n, int state)
{
    if (!view)
        return;
    if (state == 0)
        view->hideChannel(n);
    else
        view->showChannel(n);
}

void MainWindow::on_checkBox_0_stateChanged(int state) { showOscChannel(oscWaveView, 0, state); }
void MainWindow::on_checkBox_1_stateChanged(int state) { showOscChannel(oscWaveView, 1, state); }
void MainWindow::on_checkBox_2_stateChanged(int state) { showOscChannel(oscWaveView, 2, state); }
void MainWindow::on_checkBox_3_stateChanged(int state) { showOscChannel(oscWaveView, 3, state); }
