// The "Spectra" page against a scripted sensor module on a pty: a line of
// each model reaches its chart (and the curve), names outside a model
// change nothing, a line split over reads is decoded once, the model and
// chart combos switch pages, the log shows trimmed lines and keeps at most
// 10000 of them, and a vanished module closes the page.

#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextBlock>
#include <QtTest>

#include "devicewindowfixture.h"
#include "spectra/kalvest_spectroscopy.h"
#include "spectra/kalvest_spectroscopy_spline.h"
#include "spectra/kalvest_spectroscopy_squarediagram.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

class TestSpectraPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { f.stop(); }
    void linesReachTheModelsCharts();
    void splitLinesAndTheLog();
    void vanishedModuleClosesThePage();

private:
    void open();
    double bar(int type, int index) const { return f.w->spectraWidget->chart(type)->barSet(index)->at(0); }
    DeviceWindowFixture f;
};

void TestSpectraPage::init()
{
    QVERIFY(f.start(QStringLiteral("Spectra")));
    f.makeWindow();
    QVERIFY(f.w->spectraWidget);
}

void TestSpectraPage::open()
{
    Ui::MainWindow *ui = f.w->ui;
    QCOMPARE(ui->SpectraportNameComboBox->currentText(), f.device->portPath());
    ui->SpectrabaudRateComboBox->setCurrentText(QStringLiteral("57600"));
    QTest::mousePress(ui->SpectraopencompushButton, Qt::LeftButton);
    QCOMPARE(ui->SpectraopencompushButton->text(), QStringLiteral("Close"));
    QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Serial opened"));
    QCOMPARE(f.device->baudRate(), 57600);
    QVERIFY(!ui->SpectrabaudRateComboBox->isEnabled());
}

void TestSpectraPage::linesReachTheModelsCharts()
{
    Ui::MainWindow *ui = f.w->ui;
    kalvest_spectroscopy *charts = f.w->spectraWidget;
    QCOMPARE(ui->SpectraportChartComboBox->count(), 1);
    QVERIFY(ui->Spectra_textEdit->isHidden());
    open();

    // AS7341, bar chart.
    f.device->write("F3:500\r\nF12:250\r\n");
    QTRY_COMPARE(bar(0, 2), 0.5);
    QCOMPARE(bar(1, 11), 0.0); // F12 is past the AS7341's nine bars, and not another model's
    QCOMPARE(bar(2, 11), 0.0);

    // AS7343: the chart combo keeps one item, bar page 1.
    ui->SpectraYPEcomboBox->setCurrentIndex(1);
    QCOMPARE(ui->SpectraportChartComboBox->count(), 1);
    QCOMPARE(charts->chartPage(), 1);
    f.device->write("FY:250\r\n");
    QTRY_COMPARE(bar(1, 11), 0.25);

    // AS7265X: bars, then the curve.
    ui->SpectraYPEcomboBox->setCurrentIndex(2);
    QCOMPARE(ui->SpectraportChartComboBox->count(), 2);
    QCOMPARE(charts->chartPage(), 2);
    f.device->write("NIR:1000\r\nF18:300\r\n");
    QTRY_COMPARE(bar(2, 17), 0.3);
    QCOMPARE(bar(2, 8), 1.0);
    ui->SpectraportChartComboBox->setCurrentIndex(1);
    QCOMPARE(charts->chartPage(), 3);
    f.device->write("F1:500\r\n");
    QTRY_COMPARE(charts->curve()->pointValues().at(1), 0.5); // 410 nm
    QCOMPARE(charts->curve()->pointWavelengths().at(1), 410.0);
    QCOMPARE(bar(2, 0), 0.0);
    ui->SpectraportChartComboBox->setCurrentIndex(0);
    QCOMPARE(charts->chartPage(), 2);

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        const int values[] = {120, 260, 410, 580, 720, 860, 930, 990, 870, 700, 540, 420, 330, 260, 200, 150, 110, 80};
        QByteArray all;
        for (int i = 0; i < 18; ++i)
            all += "F" + QByteArray::number(i + 1) + ":" + QByteArray::number(values[i]) + "\r\n";
        f.device->write(all);
        QTRY_COMPARE(bar(2, 17), 0.08);
        ui->SpectracheckBox->setChecked(true);
        f.w->resize(1280, 900);
        QTest::qWait(300);
        const QString dir = qEnvironmentVariable("VELM_ARTIFACT_DIR");
        f.w->grab().save(dir + QStringLiteral("/spectra_page_bars.png"));
        ui->SpectraportChartComboBox->setCurrentIndex(1);
        f.device->write(all);
        QTRY_COMPARE(charts->curve()->pointValues().at(18), 0.08);
        QTest::qWait(300);
        f.w->grab().save(dir + QStringLiteral("/spectra_page_curve.png"));
    }

    // Back to AS7341: one chart item, bar page 0.
    ui->SpectraYPEcomboBox->setCurrentIndex(0);
    QCOMPARE(ui->SpectraportChartComboBox->count(), 1);
    QCOMPARE(charts->chartPage(), 0);
}

void TestSpectraPage::splitLinesAndTheLog()
{
    Ui::MainWindow *ui = f.w->ui;
    open();
    f.device->write("F1:1");
    QTest::qWait(40);
    f.device->write("00");
    QTest::qWait(40);
    f.device->write("0\r\n  f1:7 \r\nF2:1:2\r\nF3:abc\r\n\r\nF4:20");
    QTRY_COMPARE(bar(0, 0), 1.0);
    QTest::qWait(40);
    QCOMPARE(bar(0, 3), 0.0); // not ended yet
    f.device->write("0\r\n");
    QTRY_COMPARE(bar(0, 3), 0.2);
    for (int i : {1, 2})
        QCOMPARE(bar(0, i), 0.0);
    // Every line logged once, trimmed, also the rejected ones.
    QCOMPARE(ui->Spectra_textEdit->toPlainText(),
             QStringLiteral("F1:1000\nf1:7\nF2:1:2\nF3:abc\nF4:200"));
    QTest::mouseClick(ui->SpectracheckBox, Qt::LeftButton);
    QVERIFY(ui->Spectra_textEdit->isVisible());
    QTest::mousePress(ui->Spectra_pushButton_Clear_Log, Qt::LeftButton);
    QCOMPARE(ui->Spectra_textEdit->toPlainText(), QString());

    // The log keeps the newest 10000 lines.
    QByteArray lines;
    for (int i = 0; i < 12000; ++i)
        lines += "F" + QByteArray::number(i % 9 + 1) + ":" + QByteArray::number(i) + "\r\n";
    f.device->write(lines);
    QTRY_COMPARE_WITH_TIMEOUT(ui->Spectra_textEdit->document()->lastBlock().text(), QStringLiteral("F3:11999"), 10000);
    QCOMPARE(ui->Spectra_textEdit->document()->blockCount(), 10000);
    QCOMPARE(ui->Spectra_textEdit->document()->firstBlock().text(), QStringLiteral("F3:2000"));
    QCOMPARE(bar(0, 2), 11.999);
}

void TestSpectraPage::vanishedModuleClosesThePage()
{
    open();
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(f.w->ui->SpectraopencompushButton->text(), QStringLiteral("Open"), 3000);
    QVERIFY(!f.w->serialOpen);
    QVERIFY(f.w->ui->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
    QVERIFY(f.w->ui->SpectrabaudRateComboBox->isEnabled());
}

VELM_TEST_MAIN(TestSpectraPage)
#include "tst_spectrapage.moc"
