// The "IMU" page: attitude quaternions from the shared serial port shown
// as numbers and as a turning cuboid.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "deviceport.h"
#include "openbuttonstyle.h"
#include "imu/imulines.h"
#include "imu/kalvest_3d_imu.h"

namespace {
DevicePort imuPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->imuportNameComboBox, w->ui->imubaudRateComboBox, w->ui->imuopencompushButton,
                          &MainWindow::readimuCom, &MainWindow::IMU_portLost, &MainWindow::imusetsetComboBoxEnabled);
}
} // namespace

void MainWindow::IMU_Init_Start()
{
    imuView = new kalvest_3d_imu(this);
    ui->gridLayout_IMU->addWidget(imuView, 0, 1);
    imuParser = std::make_shared<ImuLines::Parser>();
    connect(ui->imuopencompushButton, &QAbstractButton::pressed, this, &MainWindow::IMUOpen_triggered);
    ui->imuopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::IMUOpen_triggered()
{
    if (!serialOpen)
        imuParser->clear();
    if (toggleDevicePort(imuPort(this)))
        imuLabelToggle = 0;
}

void MainWindow::IMU_portLost(const QString &reason) { devicePortLost(imuPort(this), reason); }

void MainWindow::readimuCom(QByteArray data)
{
    if (const std::optional<ImuLines::Quaternion> q = imuParser->feed(data))
        imu_processData(*q);
}

void MainWindow::imu_processData(const ImuLines::Quaternion &q)
{
    // An attitude without a direction (all zeros) shows nothing. One with
    // a number that failed shows its labels, but the view keeps its attitude.
    if (q.converted && !ImuLines::normalised(q))
        return;
    if (imuLabelToggle == 0) {
        imuLabelToggle = 1;
        const ImuLines::Euler e = ImuLines::toEuler(q);
        auto two = [](double v) { return QString::number(v, 'f', 2); };
        ui->label_imu_x->setText(two(e.pitch));
        ui->label_imu_y->setText(two(e.yaw));
        ui->label_imu_z->setText(two(e.roll));
        ui->label_imu_euler_w->setText(two(q.w));
        ui->label_imu_euler_x->setText(two(q.x));
        ui->label_imu_euler_y->setText(two(q.y));
        ui->label_imu_euler_z->setText(two(q.z));
    } else {
        imuLabelToggle = 0;
    }
    if (q.converted)
        imuView->setQuaternion(q.w, q.x, q.y, q.z);
}
