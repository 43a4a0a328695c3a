// The "Environment" page against a scripted sensor board on a pty: open and
// close on the shared port, the six lines reaching their gauges, a line
// split across writes read once and whole, non-finite numbers never
// reaching a gauge, the raw view, a vanished board closing the page, and a
// port opened again (after a close or a vanished board) starting clean.

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include "devicewindowfixture.h"
#include "env/cthermometer.h"
#include "env/dashboard.h"
#include "env/progressbarpercent.h"
#include "env/ultraviolet.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

class TestEnvPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readingsReachTheirGauges();
    void splitLineIsReadOnceAndBadNumbersNeverArrive();
    void vanishedBoardClosesThePage();
    void reopenStartsClean();

private:
    void open();
    DeviceWindowFixture f;
};

void TestEnvPage::init()
{
    QVERIFY(f.start(QStringLiteral("Environment")));
    f.makeWindow();
}

void TestEnvPage::cleanup() { f.stop(); }

void TestEnvPage::open()
{
    Ui::MainWindow *ui = f.w->ui;
    QCOMPARE(ui->ENVportNameComboBox->currentText(), f.device->portPath());
    ui->ENVbaudRateComboBox->setCurrentText(QStringLiteral("9600"));
    QTest::mousePress(ui->ENVopencompushButton, Qt::LeftButton);
    QTest::mouseRelease(ui->ENVopencompushButton, Qt::LeftButton);
    QCOMPARE(ui->ENVopencompushButton->text(), QStringLiteral("Close"));
    QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Serial opened"));
    QCOMPARE(f.device->baudRate(), 9600);
    QVERIFY(!ui->ENVbaudRateComboBox->isEnabled());
}

void TestEnvPage::readingsReachTheirGauges()
{
    open();
    MainWindow *w = f.w.get();
    f.device->write("Humidity:55.5%\r\nTemperature:21.5C\r\nBarometer:1013Pa\r\n"
                    "Ultraviolet:712\r\nCO2:812ppm\r\nTVOC:35ppb\r\n");
    QTRY_COMPARE(w->envTvocGauge->value(), 35.0);
    QCOMPARE(w->envHumidityGauge->value(), 55.5);
    QCOMPARE(w->envThermometer->value(), 21.5);
    QCOMPARE(w->envBarometerGauge->value(), 1013.0);
    QCOMPARE(w->envUvGauge->value(), 712.0);
    QCOMPARE(w->envCo2Gauge->value(), 812.0);
    // The dial clamps what is above its scale.
    f.device->write("Barometer:101325Pa\r\n");
    QTRY_COMPARE(w->envBarometerGauge->value(), 1100.0);
    QTRY_VERIFY(w->ui->ENV_StrTextBrowser->toPlainText().contains(QStringLiteral("Barometer:101325Pa")));

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        w->ui->tabWidget->setCurrentWidget(w->ui->tabWidget->widget(0));
        w->resize(1280, 900);
        QTest::qWait(200);
        w->grab().save(qEnvironmentVariable("VELM_ARTIFACT_DIR") + QStringLiteral("/environment_page.png"));
    }

    // Close: the port goes back and the scan resumes.
    QTest::mousePress(w->ui->ENVopencompushButton, Qt::LeftButton);
    QCOMPARE(w->ui->ENVopencompushButton->text(), QStringLiteral("Open"));
    QCOMPARE(w->ui->statusBar->currentMessage(), QStringLiteral("Serial closed"));
    QVERIFY(w->ui->ENVbaudRateComboBox->isEnabled());
    QVERIFY(!w->serialOpen);
}

void TestEnvPage::splitLineIsReadOnceAndBadNumbersNeverArrive()
{
    open();
    MainWindow *w = f.w.get();
    QSignalSpy ring(w->envHumidityGauge, &ProgressBarPercent::valueChanged);
    f.device->write("Humidity:6");
    QTest::qWait(60);
    f.device->write("4.5%\r");
    QTest::qWait(60);
    QCOMPARE(ring.size(), 0);
    f.device->write("\nTemperature:nan");
    QTRY_COMPARE(ring.size(), 1);
    QCOMPARE(ring.at(0).at(0).toInt(), 64);
    QCOMPARE(w->envHumidityGauge->value(), 64.5);
    f.device->write("C\r\nCO2:900ppm\r\n");
    QTRY_COMPARE(w->envCo2Gauge->value(), 900.0);
    f.device->write("Temperature:inf C\r\nCO2:1e999ppm\r\nTVOC:12ppb\r\n");
    QTRY_COMPARE(w->envTvocGauge->value(), 12.0);
    QCOMPARE(w->envThermometer->value(), 0.0); // "nan" and "inf" read 0
    QCOMPARE(w->envCo2Gauge->value(), 400.0);  // 0, clamped to the dial's minimum
    QVERIFY(std::isfinite(w->envThermometer->value()));
}

void TestEnvPage::vanishedBoardClosesThePage()
{
    open();
    MainWindow *w = f.w.get();
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(w->ui->ENVopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(!w->serialOpen);
    QVERIFY(w->ui->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
    QVERIFY(w->ui->ENVbaudRateComboBox->isEnabled());
}

void TestEnvPage::reopenStartsClean()
{
    open();
    MainWindow *w = f.w.get();
    Ui::MainWindow *ui = w->ui;
    // A line cut by the close, ending in the first byte of a GBK character.
    f.device->write("Humidity:4\xC4");
    QTRY_VERIFY(ui->ENV_StrTextBrowser->toPlainText().startsWith(QStringLiteral("Humidity:4")));
    QTest::mousePress(ui->ENVopencompushButton, Qt::LeftButton);
    QCOMPARE(ui->ENVopencompushButton->text(), QStringLiteral("Open"));
    open();
    // Neither the cut line nor the lone byte joins what the board sends now:
    // the stream that ended shows its unfinished character as U+FFFD.
    f.device->write("Humidity:55%\r\n");
    QTRY_COMPARE(w->envHumidityGauge->value(), 55.0);
    QTRY_VERIFY2(ui->ENV_StrTextBrowser->toPlainText().startsWith(QStringLiteral("Humidity:4\uFFFDHumidity:55%")),
                 qPrintable(ui->ENV_StrTextBrowser->toPlainText().left(40)));

    // The same after the board vanished in the middle of a line.
    f.device->write("Temperature:2");
    QTRY_VERIFY(ui->ENV_StrTextBrowser->toPlainText().contains(QStringLiteral("Temperature:2")));
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(ui->ENVopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(f.replaceDevice());
    QTRY_COMPARE_WITH_TIMEOUT(ui->ENVportNameComboBox->currentText(), f.device->portPath(), 3000);
    open();
    f.device->write("Temperature:21.5C\r\n");
    QTRY_COMPARE(w->envThermometer->value(), 21.5);
}

VELM_TEST_MAIN(TestEnvPage)
#include "tst_envpage.moc"
