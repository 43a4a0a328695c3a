// The Preferences dialog: what it shows from the settings file, what OK
// writes, the restart, and the paths where saving or restarting fails.
#include "testsupport.h"

#include "desktophooks.h"
#include "mainwindow.h"
#include "ui_config.h"
#include "ui_mainwindow.h"

#include <QDialog>
#include <QPointer>
#include <QSettings>

namespace {
const QStringList kKeys = {"COM", "UDP", "TCP", "GPS", "GSM", "UNICODE", "Environment", "Crypty", "Oscilloscope",
                           "MQTT", "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"};

QList<QPushButton *> switchButtons(Ui::Config *f)
{
    return {f->Config_COM_ON_OFF,     f->Config_UDP_ON_OFF,      f->Config_TCP_ON_OFF,
            f->Config_GPS_ON_OFF,     f->Config_GSM_ON_OFF,      f->Config_UNICODE_ON_OFF,
            f->Config_Envir_ON_OFF,   f->Config_Crypty_ON_OFF,   f->Config_Oscilloscope_ON_OFF,
            f->Config_MQTT_ON_OFF,    f->Config_Ble_ON_OFF,      f->Config_Spectra_ON_OFF,
            f->Config_Convert_ON_OFF, f->Config_I2CDUMP_ON_OFF,  f->Config_TOF_ON_OFF,
            f->Config_MODBUS_ON_OFF,  f->Config_HEXTOOLS_ON_OFF, f->Config_CIE_ON_OFF,
            f->Config_IMU_ON_OFF};
}

QImage iconImage(const QIcon &icon) { return icon.pixmap(QSize(80, 30)).toImage().convertToFormat(QImage::Format_ARGB32); }

// "on", "off" or "?" for a switch button's picture.
QString pictureOf(QPushButton *b)
{
    static const QImage on = iconImage(QIcon(":/images/on.png"));
    static const QImage off = iconImage(QIcon(":/images/off.png"));
    const QImage shown = iconImage(b->icon());
    if (shown == on)
        return "on";
    if (shown == off)
        return "off";
    return "?";
}

// Presses (and releases, if it is still there) a push button with the mouse.
void press(QAbstractButton *button)
{
    QPointer<QAbstractButton> b(button);
    QTest::mousePress(b, Qt::LeftButton);
    if (b)
        QTest::mouseRelease(b, Qt::LeftButton);
    QCoreApplication::processEvents();
}

QString stored(const QString &key)
{
    QSettings s("velm_config.ini", QSettings::IniFormat);
    return s.value(key).toString();
}

struct Start {
    QString program;
    QStringList arguments;
};

// Records restarts instead of starting a program.
class StartRecorder
{
public:
    explicit StartRecorder(bool succeed = true)
    {
        DesktopHooks::setStarter([this, succeed](const QString &p, const QStringList &a) {
            starts.append({p, a});
            return succeed;
        });
    }
    ~StartRecorder() { DesktopHooks::setStarter({}); }
    QList<Start> starts;
};

int configDialogCount(MainWindow &w)
{
    int n = 0;
    for (QDialog *d : w.findChildren<QDialog *>())
        if (d->objectName() == "Config" && !d->testAttribute(Qt::WA_WState_Hidden))
            ++n;
    return n;
}
} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void switchPicturesAreBlueOnAndGreyOff();
    void noFileShowsEverythingOnAndOkWritesAndRestarts();
    void pressingFlipsThePictureAndOkWritesTheChoices();
    void storedValuesAreShownExactly();
    void cancelWritesNothingAndReopeningShowsTheFile();
    void secondRequestRaisesTheOpenDialog();
    void unsavableSettingsAreReportedAndNothingRestarts();
    void failedRestartIsReportedAndTheWindowStays();
    void aPageThatRefusesToCloseStopsTheRestart();
};

void TestPreferences::noFileShowsEverythingOnAndOkWritesAndRestarts()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    QVERIFY(w.configDialog);
    QVERIFY(w.configDialog->isVisible());
    QVERIFY(!(w.configDialog->windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(w.configDialog->windowTitle(), QString("Config"));
    Ui::Config *f = w.configUi;
    QVERIFY(f);
    const QList<QPushButton *> buttons = switchButtons(f);
    for (int i = 0; i < buttons.size(); ++i) {
        QCOMPARE(pictureOf(buttons[i]), QString("on"));
        QCOMPARE(w.pageSwitches[i], 1);
    }
    QVERIFY(f->serial_checkBox->isChecked());
    QCOMPARE(f->comboBox->currentText(), QString("OpenStreet Map"));

    press(f->ConfigOK_Button);

    QVERIFY(QFile::exists(dir.file("velm_config.ini")));
    for (const QString &k : kKeys)
        QCOMPARE(stored(k), QString("true"));
    QCOMPARE(stored("Auto_Serial_Scan"), QString("true"));
    QCOMPARE(stored("Map_Type"), QString("0"));
    QVERIFY(stored("MORE").isEmpty());
    QCOMPARE(recorder.starts.size(), 1);
    QCOMPARE(recorder.starts[0].program, QCoreApplication::applicationFilePath());
    QVERIFY(recorder.starts[0].arguments.isEmpty());
    QVERIFY(!w.isVisible());
    QVERIFY(prompts.requests().isEmpty());
}

void TestPreferences::pressingFlipsThePictureAndOkWritesTheChoices()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    Ui::Config *f = w.configUi;
    QVERIFY(f);

    // The picture changes on the press itself, before any release.
    QTest::mousePress(f->Config_COM_ON_OFF, Qt::LeftButton);
    QCOMPARE(pictureOf(f->Config_COM_ON_OFF), QString("off"));
    QTest::mouseRelease(f->Config_COM_ON_OFF, Qt::LeftButton);
    QCOMPARE(w.pageSwitches[0], 0);

    // Twice returns to the first state.
    press(f->Config_GPS_ON_OFF);
    press(f->Config_GPS_ON_OFF);
    QCOMPARE(pictureOf(f->Config_GPS_ON_OFF), QString("on"));

    // Row 11: the button is Config_Ble_ON_OFF, the slot Config_BLE_ON_OFF_triggered.
    press(f->Config_Ble_ON_OFF);
    QCOMPARE(pictureOf(f->Config_Ble_ON_OFF), QString("off"));
    press(f->Config_IMU_ON_OFF);

    f->serial_checkBox->setChecked(false);
    f->comboBox->setCurrentIndex(1);
    for (const QString &k : kKeys) // nothing written before OK
        QVERIFY(stored(k).isEmpty());

    press(f->ConfigOK_Button);
    QCOMPARE(recorder.starts.size(), 1);
    for (int i = 0; i < kKeys.size(); ++i) {
        const bool off = kKeys[i] == "COM" || kKeys[i] == "Ble" || kKeys[i] == "IMU";
        QCOMPARE(stored(kKeys[i]), QString(off ? "false" : "true"));
    }
    QCOMPARE(stored("Auto_Serial_Scan"), QString("false"));
    QCOMPARE(stored("Map_Type"), QString("1"));
}

void TestPreferences::storedValuesAreShownExactly()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    {
        QSettings s("velm_config.ini", QSettings::IniFormat);
        s.setValue("COM", "");      // empty: on
        s.setValue("UDP", "True");  // not exactly "true": off
        s.setValue("TCP", "1");     // off
        s.setValue("GPS", "false"); // off
        s.setValue("Auto_Serial_Scan", "yes");
        s.setValue("Map_Type", "2");
        s.sync();
    }
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    Ui::Config *f = w.configUi;
    QCOMPARE(pictureOf(f->Config_COM_ON_OFF), QString("on"));
    QCOMPARE(pictureOf(f->Config_UDP_ON_OFF), QString("off"));
    QCOMPARE(pictureOf(f->Config_TCP_ON_OFF), QString("off"));
    QCOMPARE(pictureOf(f->Config_GPS_ON_OFF), QString("off"));
    QCOMPARE(pictureOf(f->Config_GSM_ON_OFF), QString("on"));
    QVERIFY(!f->serial_checkBox->isChecked());
    QCOMPARE(f->comboBox->currentText(), QString("Baidu Map"));

    press(f->ConfigOK_Button);
    QCOMPARE(stored("COM"), QString("true"));
    QCOMPARE(stored("UDP"), QString("false"));
    QCOMPARE(stored("TCP"), QString("false"));
    QCOMPARE(stored("Auto_Serial_Scan"), QString("false"));
    QCOMPARE(stored("Map_Type"), QString("1"));
}

void TestPreferences::cancelWritesNothingAndReopeningShowsTheFile()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    press(w.configUi->Config_TCP_ON_OFF);
    w.configUi->comboBox->setCurrentIndex(1);
    QPointer<QDialog> first = w.configDialog;
    press(w.configUi->ConfigCancel_Button);
    QTRY_VERIFY(!first); // delete-on-close
    QVERIFY(!w.configDialog);
    // The toggle and OK slots of a closed dialog do nothing.
    w.Config_TCP_ON_OFF_triggered();
    w.slotActConfigOK();
    QVERIFY(!w.configUi);
    QVERIFY(recorder.starts.isEmpty());
    QVERIFY(w.isVisible());
    QCoreApplication::processEvents();
    for (const QString &k : kKeys + QStringList{"Auto_Serial_Scan", "Map_Type"})
        QVERIFY(stored(k).isEmpty());

    w.ui->actionConfig->trigger();
    QVERIFY(w.configUi);
    QCOMPARE(pictureOf(w.configUi->Config_TCP_ON_OFF), QString("on"));
    QCOMPARE(w.pageSwitches[2], 1);
    QCOMPARE(w.configUi->comboBox->currentIndex(), 0);
}

void TestPreferences::secondRequestRaisesTheOpenDialog()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    QPointer<QDialog> first = w.configDialog;
    Ui::Config *form = w.configUi;
    press(form->Config_UDP_ON_OFF); // an unsaved change that a second opening must not reset
    w.ui->actionConfig->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(w.configDialog.data(), first.data());
    QCOMPARE(w.configUi, form);
    QCOMPARE(configDialogCount(w), 1);
    QCOMPARE(w.pageSwitches[1], 0);
    QCOMPARE(pictureOf(form->Config_UDP_ON_OFF), QString("off"));
}

void TestPreferences::unsavableSettingsAreReportedAndNothingRestarts()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    // Tests run as root, for whom a read-only directory is still writable.
    // A directory standing where the settings file belongs cannot be
    // replaced by a file, not even by root, so saving really fails.
    QVERIFY(QDir(dir.path()).mkdir("velm_config.ini"));
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    QPointer<QDialog> dialog = w.configDialog;
    press(w.configUi->Config_GSM_ON_OFF);
    press(w.configUi->ConfigOK_Button);

    QVERIFY(recorder.starts.isEmpty());
    QVERIFY(w.isVisible());
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].kind, UiPrompt::Kind::Warning);
    QVERIFY(prompts.requests()[0].text.contains("could not be saved"));
    QVERIFY(QFileInfo(dir.file("velm_config.ini")).isDir());

    // Once the obstacle is gone, a second OK saves and restarts.
    QVERIFY(QDir(dir.path()).rmdir("velm_config.ini"));
    press(w.configUi->ConfigOK_Button);
    QCOMPARE(recorder.starts.size(), 1);
    QCOMPARE(stored("GSM"), QString("false"));
    QCOMPARE(prompts.requests().size(), 1);
}

void TestPreferences::failedRestartIsReportedAndTheWindowStays()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder(false);
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    QPointer<QDialog> dialog = w.configDialog;
    press(w.configUi->ConfigOK_Button);
    QCOMPARE(recorder.starts.size(), 1);
    QVERIFY(w.isVisible());
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(prompts.requests().size(), 1);
    QVERIFY(prompts.requests()[0].text.contains("could not be restarted"));
    QCOMPARE(stored("COM"), QString("true")); // saved all the same
}

void TestPreferences::aPageThatRefusesToCloseStopsTheRestart()
{
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    StartRecorder recorder;
    MainWindow w;
    w.show();
    int asked = 0;
    bool allow = false;
    QObject owner;
    w.addCloseGuard(&owner, [&] {
        ++asked;
        return allow;
    });
    int ended = 0;
    w.addCloseHook(&owner, [&] { ++ended; });
    w.ui->actionConfig->trigger();
    press(w.configUi->ConfigOK_Button);
    QCOMPARE(asked, 1);
    QVERIFY(recorder.starts.isEmpty());
    QVERIFY(w.isVisible());
    // A refused close ends nothing, whichever way it was asked for.
    QVERIFY(!w.close());
    QCOMPARE(ended, 0);

    // Agreeing restarts and closes, and the page is asked only once.
    allow = true;
    press(w.configUi->ConfigOK_Button);
    QCOMPARE(asked, 3);
    QCOMPARE(recorder.starts.size(), 1);
    QVERIFY(!w.isVisible());
    QCOMPARE(ended, 1);
}

void TestPreferences::switchPicturesAreBlueOnAndGreyOff()
{
    const QImage on(QStringLiteral(":/images/on.png"));
    const QImage off(QStringLiteral(":/images/off.png"));
    QCOMPARE(on.size(), QSize(80, 30));
    QCOMPARE(off.size(), QSize(80, 30));
    // The switch's body, left of the knob on "ON", right of it on "OFF".
    const QColor onBody = on.pixelColor(6, 15);
    QVERIFY2(onBody.blue() > 180 && onBody.blue() > onBody.green() + 40 && onBody.blue() > onBody.red() + 80,
             qPrintable(onBody.name()));
    const QColor offBody = off.pixelColor(73, 15);
    QVERIFY2(qAbs(offBody.red() - offBody.blue()) < 16 && qAbs(offBody.green() - offBody.blue()) < 16,
             qPrintable(offBody.name()));
    // The knob (white) is on the right when on, on the left when off.
    QCOMPARE(on.pixelColor(65, 15), QColor(Qt::white));
    QCOMPARE(off.pixelColor(15, 15), QColor(Qt::white));
}

VELM_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
