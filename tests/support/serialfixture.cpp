#include "serialfixture.h"

#include "portlister.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSettings>

namespace TestSupport {

QStringList SerialWindowFixture::ports;

bool SerialWindowFixture::startSerialFixture()
{
    dir = std::make_unique<ScratchDir>();
    pty = std::make_unique<PtyPair>();
    if (!pty->ok())
        return false;
    prompts = std::make_unique<PromptRecorder>();
    ports = QStringList{pty->a()};
    SerialPortLister::setLister([] { return ports; });
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    for (const char *key : {"UDP", "TCP", "GPS", "GSM", "UNICODE", "Environment", "Crypty", "Oscilloscope", "MQTT",
                            "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"})
        s.setValue(QLatin1String(key), QStringLiteral("false"));
    s.sync();
    return true;
}

void SerialWindowFixture::stopSerialFixture()
{
    peer.reset();
    w.reset();
    prompts.reset();
    pty.reset();
    dir.reset();
    SerialPortLister::setLister({});
}

void SerialWindowFixture::makeWindow()
{
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->ui->portNameComboBox->currentText(), pty->a());
    peer = std::make_unique<QSerialPort>(pty->b());
    QVERIFY(peer->open(QIODevice::ReadWrite));
}

QByteArray SerialWindowFixture::peerRead(int expected, int timeoutMs)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (got.size() < expected && t.elapsed() < timeoutMs) {
        QTest::qWait(10);
        got += peer->readAll();
    }
    return got;
}

} // namespace TestSupport
