#include "gsmpagefixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include "ui_mainwindow.h"

namespace TestSupport {

void press(QAbstractButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

bool GsmPageFixture::start()
{
    if (!f.start(QStringLiteral("GSM")))
        return false;
    modem = std::make_unique<GsmModem>(f.device.get());
    return true;
}

void GsmPageFixture::stop()
{
    f.stop();
    modem.reset();
}

void GsmPageFixture::openPort()
{
    f.makeWindow();
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(f.w->ui->GSMportNameComboBox->currentText(), f.device->portPath());
    press(f.w->ui->GSMopencompushButton);
    QVERIFY(f.w->serialOpen);
    QCOMPARE(f.w->ui->statusBar->currentMessage(), QStringLiteral("Initialization completed"));
    modem->clearCommands();
    f.device->clearReceived();
}

} // namespace TestSupport
