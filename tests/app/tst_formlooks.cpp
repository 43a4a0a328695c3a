// What the window looks like at its default size: texts shown whole, and
// buttons that cannot be pressed drawn so that they look it.
#include "testsupport.h"

#include "mainwindow.h"
#include "openbuttonstyle.h"
#include "translations.h"

#include "ui_mainwindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>

namespace {
// The colour a button's face is drawn in, away from its text and its edge.
QRgb faceColour(QPushButton *button)
{
    const QImage image = button->grab().toImage();
    return image.pixel(image.width() / 10 + 2, image.height() / 2);
}

bool greenOrRed(const QString &styleSheet)
{
    return styleSheet.contains(QLatin1String("#4CAF50")) || styleSheet.contains(QLatin1String("#FF4A19"))
        || styleSheet.contains(QLatin1String("#FF5722"));
}

QString rgbText(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}
} // namespace

class TestFormLooks : public QObject
{
    Q_OBJECT

private slots:
    void gpsCheckBoxesShowTheirWholeText_data();
    void gpsCheckBoxesShowTheirWholeText();
    void disabledStyledButtonsLookDisabled_data();
    void disabledStyledButtonsLookDisabled();
    void everyGreenOrRedButtonOfTheWindowHasADisabledLook();
};

void TestFormLooks::gpsCheckBoxesShowTheirWholeText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("en_US") << "en_US";
    QTest::newRow("zh_CN") << "zh_CN";
}

void TestFormLooks::gpsCheckBoxesShowTheirWholeText()
{
    QFETCH(QString, locale);
    TestSupport::ScratchDir dir;
    const InstalledTranslators t = installTranslators(qApp, QLocale(locale));
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(915, 750)); // the default size
    w.ui->tabWidget->setCurrentWidget(w.ui->gps);
    QTRY_VERIFY(w.ui->GPS_on_off_checkBox->isVisible());

    QGroupBox *group = w.ui->groupBox_10;
    QVERIFY(group->width() >= 200); // the group's minimum stays
    QVERIFY(group->minimumWidth() >= 200);
    const auto checkBoxesWhole = [&](const char *mode) {
        const QRect inside = group->contentsRect();
        for (QCheckBox *box : {w.ui->GPS_on_off_checkBox, w.ui->GPSSavecheckBox}) {
            const QString what = QLatin1String(mode) + QStringLiteral(", ") + box->text()
                + QStringLiteral(": width %1, needs %2, group %3")
                      .arg(box->width())
                      .arg(box->sizeHint().width())
                      .arg(group->width());
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(what));
            QVERIFY2(inside.contains(box->geometry()), qPrintable(what));
        }
    };
    checkBoxesWhole("serial");
    if (QTest::currentTestFailed())
        return;
    // The TCP source shows other widgets in the group.
    QTest::mouseClick(w.ui->GPSportMode_02, Qt::LeftButton);
    QTRY_VERIFY(w.ui->GPSTCPServerPortlineEdit->isVisible());
    QCoreApplication::processEvents();
    checkBoxesWhole("TCP");
    if (QTest::currentTestFailed())
        return;
    // Resizing the window leaves the group's width as it is.
    const int width = group->width();
    w.resize(1280, 1000);
    QTRY_COMPARE(w.size(), QSize(1280, 1000));
    QCOMPARE(group->width(), width);
}

void TestFormLooks::disabledStyledButtonsLookDisabled_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("green") << QString::fromLatin1(OpenButtonStyle::kClosed);
    QTest::newRow("red") << QString::fromLatin1(OpenButtonStyle::kOpen);
    QTest::newRow("disconnect") << QString::fromLatin1(OpenButtonStyle::kDisconnect);
}

void TestFormLooks::disabledStyledButtonsLookDisabled()
{
    QFETCH(QString, style);
    QPushButton button(QStringLiteral("Start"));
    button.resize(120, 30);
    button.setStyleSheet(style);
    const QRgb enabled = faceColour(&button);
    button.setEnabled(false);
    const QRgb disabled = faceColour(&button);
    QVERIFY2(enabled != disabled, qPrintable(rgbText(enabled)));
    // Grey, not a paler shade of the same colour.
    QVERIFY2(qAbs(qRed(disabled) - qGreen(disabled)) < 16 && qAbs(qGreen(disabled) - qBlue(disabled)) < 16,
             qPrintable(rgbText(disabled)));
}

void TestFormLooks::everyGreenOrRedButtonOfTheWindowHasADisabledLook()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // i2cdump's Start waits for an open port, drawn green.
    QVERIFY(!w.ui->i2cdump_stop_pushButton->isEnabled());
    QVERIFY(greenOrRed(w.ui->i2cdump_stop_pushButton->styleSheet()));

    int styled = 0;
    for (QPushButton *button : w.findChildren<QPushButton *>()) {
        if (!greenOrRed(button->styleSheet()))
            continue;
        ++styled;
        const bool wasEnabled = button->isEnabled();
        button->setEnabled(true);
        const QRgb enabled = faceColour(button);
        button->setEnabled(false);
        const QRgb disabled = faceColour(button);
        button->setEnabled(wasEnabled);
        QVERIFY2(enabled != disabled, qPrintable(button->objectName() + QLatin1Char(' ') + rgbText(enabled)));
    }
    QVERIFY2(styled >= 12, qPrintable(QString::number(styled)));
}

VELM_TEST_MAIN(TestFormLooks)
#include "tst_formlooks.moc"
