// The "Ble" page: the characteristic panel and write dialog offscreen, the
// page with the model fed through the discovery agent's signals and with
// services put in through the model's seam, the real no-adapter paths in the
// main window, the Chinese catalogue, and a peripheral where one exists.
#include "testsupport.h"

#include <QBluetoothLocalDevice>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTranslator>

#include "ble/characteristicwidget.h"
#include "ble/kalvest_ble.h"
#include "ble/writedialog.h"
#include "fakegattservice.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

namespace {
using P = QLowEnergyCharacteristic;
const QString kHeart = QStringLiteral("{0000180d-0000-1000-8000-00805f9b34fb}");
const QString kBattery = QStringLiteral("{0000180f-0000-1000-8000-00805f9b34fb}");
const QBluetoothUuid kA(QStringLiteral("{00002a37-0000-1000-8000-00805f9b34fb}"));
const QBluetoothUuid kB(QStringLiteral("{8f1e0001-4a2b-4c3d-9e8f-0123456789ab}"));
const QBluetoothUuid kW(QStringLiteral("{8f1e0002-4a2b-4c3d-9e8f-0123456789ab}"));
const QBluetoothUuid kLevel(quint16(0x2a19));

bool hasAdapter()
{
    return !QBluetoothLocalDevice::allDevices().isEmpty();
}

QPushButton *buttonWithText(QWidget *in, const QString &text)
{
    for (QPushButton *b : in->findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QStringList titles(QWidget *page)
{
    QStringList out;
    for (QPushButton *b : page->findChildren<QPushButton *>()) {
        if (b->text().startsWith(QLatin1String("Service name: ")))
            out << b->text();
    }
    return out;
}

// Label texts of one characteristic box, top to bottom.
QStringList rowLabels(QGroupBox *box)
{
    QStringList out;
    auto *form = qobject_cast<QFormLayout *>(box->layout());
    for (int row = 0; row < form->rowCount(); ++row) {
        if (QLayoutItem *item = form->itemAt(row, QFormLayout::LabelRole))
            out << qobject_cast<QLabel *>(item->widget())->text();
    }
    return out;
}

QList<QGroupBox *> boxes(CharacteristicWidget *panel)
{
    return panel->findChildren<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
}

// Fills the write dialog as soon as it is up and presses OK; a dialog that
// is still open afterwards (refused data) is closed.
void answerWriteDialog(const QString &text, bool hex)
{
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, text, hex] {
        auto *dialog = qobject_cast<WriteDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        dialog->findChild<QLineEdit *>()->setText(text);
        dialog->findChild<QComboBox *>()->setCurrentIndex(hex ? 1 : 0);
        dialog->findChild<QPushButton *>()->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start(10);
}

// A page whose model has "connected" to a peripheral with two services.
struct ConnectedPage {
    kalvest_ble page;
    Device *device = nullptr;
    FakeGattService *heart = nullptr, *battery = nullptr;

    bool connect()
    {
        device = page.findChild<Device *>();
        if (!device || !QMetaObject::invokeMethod(device, "deviceConnected"))
            return false;
        // The stack reports the services after connected().
        heart = new FakeGattService(kHeart, "Heart Rate",
                                    {{kA, "Heart Rate Measurement", {}, P::Notify},
                                     {kB, {}, "Mode", P::Read | P::Notify},
                                     {kW, {}, {}, P::WriteNoResponse}});
        battery = new FakeGattService(kBattery, "Battery Service", {{kLevel, "Battery Level", {}, P::Read}});
        device->addService(heart);
        device->addService(battery);
        return QMetaObject::invokeMethod(device, "serviceScanDone");
    }
    CharacteristicWidget *panel(int i) { return page.findChildren<CharacteristicWidget *>().value(i); }
};
} // namespace

class TestBlePage : public QObject
{
    Q_OBJECT
private slots:
    void panelBoxes();
    void valueDisplay();
    void notifyToggle();
    void servicesReportedAfterConnected();
    void notificationsPerCharacteristic();
    void writeDialog_data();
    void writeDialog();
    void deviceButtons();
    void namesShownLiterally();
    void noAdapterInMainWindow();
    void chineseCatalogue();
    void realPeripheral();
};

void TestBlePage::panelBoxes()
{
    CharacteristicWidget panel;
    panel.addCharacteristic("Both", "{a}", "(  Read Notify )");
    panel.addCharacteristic("Both again", "{a}", "(  Read )");
    panel.addCharacteristic("Write only", "{w}", "(  WriteNoResp )");
    panel.addCharacteristic("Neither", "{n}", "(  Indicate )");
    const QList<QGroupBox *> list = boxes(&panel);
    QCOMPARE(list.size(), 3);

    const QStringList common = {"Characteristic Name:", "Characteristic UUID:", "Characteristic Permission:"};
    QCOMPARE(rowLabels(list[0]), common + QStringList({"Read Value:", "Display Mode:"}));
    QCOMPARE(rowLabels(list[1]), common + QStringList({"Display Mode:"}));
    QCOMPARE(rowLabels(list[2]), common + QStringList({"Display Mode:"}));
    auto buttonTexts = [](QGroupBox *box) {
        QStringList out;
        for (QPushButton *b : box->findChildren<QPushButton *>())
            out << b->text();
        return out;
    };
    QCOMPARE(buttonTexts(list[0]), QStringList({"Read", "Notify"}));
    QCOMPARE(buttonTexts(list[1]), QStringList({"W"}));
    QVERIFY(buttonTexts(list[2]).isEmpty());
    QCOMPARE(list[0]->findChildren<QLineEdit *>().at(1)->text(), QStringLiteral("a")); // UUID without braces

    QSignalSpy reads(&panel, &CharacteristicWidget::readCharacteristicRequested);
    buttonWithText(list[0], "Read")->click();
    QCOMPARE(reads.count(), 1);
    QCOMPARE(reads.at(0).at(0).toString(), QStringLiteral("{a}"));
}

void TestBlePage::valueDisplay()
{
    CharacteristicWidget panel;
    panel.addCharacteristic("Both", "{a}", "(  Read Notify )");
    panel.addCharacteristic("Write only", "{w}", "(  Write )");
    QLineEdit *value = boxes(&panel)[0]->findChildren<QLineEdit *>().last();
    auto *mode = panel.findChild<QComboBox *>("displayModeComboBox_temp_{a}");
    QVERIFY(mode);

    panel.setCharacteristicValue("{a}", "AB");
    QCOMPARE(value->text(), QStringLiteral("AB"));
    mode->setCurrentIndex(1);
    QCOMPARE(value->text(), QStringLiteral("0x41, 0x42"));
    mode->setCurrentIndex(0);
    QCOMPARE(value->text(), QStringLiteral("AB"));

    // Raw bytes stay raw in hex, whatever their UTF-8 reading shows.
    panel.setCharacteristicValue("{a}", QByteArray("\xc3\xa9<b>", 5));
    QCOMPARE(value->text(), QStringLiteral("\u00e9<b>"));
    mode->setCurrentIndex(1);
    QCOMPARE(value->text(), QStringLiteral("0xc3, 0xa9, 0x3c, 0x62, 0x3e"));
    panel.setCharacteristicValue("{a}", QByteArray("\x0a\xc8", 2));
    QCOMPARE(value->text(), QStringLiteral("0x0a, 0xc8"));
    panel.setCharacteristicValue("{a}", QByteArray());
    QCOMPARE(value->text(), QString());

    // No value field, or no box: dropped.
    panel.setCharacteristicValue("{w}", "x");
    panel.setCharacteristicValue("{missing}", "x");
    QCOMPARE(boxes(&panel)[1]->findChildren<QLineEdit *>().size(), 2);
}

void TestBlePage::notifyToggle()
{
    CharacteristicWidget panel;
    panel.addCharacteristic("N", "{n}", "(  Notify )");
    QSignalSpy spy(&panel, &CharacteristicWidget::notifyCharacteristicRequested);
    auto *button = panel.findChild<QPushButton *>("notifyButton_{n}");
    QVERIFY(button);
    button->click();
    QCOMPARE(button->text(), QStringLiteral("Subscribed"));
    QCOMPARE(button->styleSheet(), QStringLiteral("background-color: green; color: white;"));
    button->click();
    QCOMPARE(button->text(), QStringLiteral("Notify"));
    QVERIFY(button->styleSheet().isEmpty());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0), QVariantList({QStringLiteral("{n}"), true}));
    QCOMPARE(spy.at(1), QVariantList({QStringLiteral("{n}"), false}));
}

void TestBlePage::servicesReportedAfterConnected()
{
    ConnectedPage c;
    QVERIFY(c.connect());
    QCOMPARE(titles(&c.page),
             QStringList({"Service name: Heart Rate\nService UUID: " + kHeart,
                          "Service name: Battery Service\nService UUID: " + kBattery}));
    // Each panel gets its service's characteristics once the details arrive.
    QTRY_COMPARE(boxes(c.panel(0)).size(), 3);
    QTRY_COMPARE(boxes(c.panel(1)).size(), 1);
    QCOMPARE(boxes(c.panel(0))[1]->findChild<QLineEdit *>()->text(), QStringLiteral("Mode"));

    // A title folds and unfolds its box.
    c.page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.page));
    QWidget *box = c.panel(1)->parentWidget();
    buttonWithText(&c.page, titles(&c.page)[1])->click();
    QVERIFY(!box->isVisible());
    buttonWithText(&c.page, titles(&c.page)[1])->click();
    QVERIFY(box->isVisible());

    // A reading routed to the right panel.
    buttonWithText(c.panel(1), "Read")->click();
    QCOMPARE(c.battery->reads, QList<QBluetoothUuid>({kLevel}));
    c.battery->answerRead(kLevel, QByteArray("\x5a", 1));
    QCOMPARE(boxes(c.panel(1))[0]->findChildren<QLineEdit *>().last()->text(), QStringLiteral("Z"));

    // A new connection rebuilds the panel from the model's services.
    QMetaObject::invokeMethod(c.device, "deviceConnected");
    QCOMPARE(titles(&c.page).size(), 2);
    QCOMPARE(c.page.findChildren<CharacteristicWidget *>().size(), 2);
}

void TestBlePage::notificationsPerCharacteristic()
{
    ConnectedPage c;
    QVERIFY(c.connect());
    QTRY_COMPARE(boxes(c.panel(0)).size(), 3);
    QSignalSpy changed(c.device, &Device::characteristicValueChanged);
    CharacteristicWidget *panel = c.panel(0);
    const QString a = BleLogic::uuidText(kA), b = BleLogic::uuidText(kB);
    auto shown = [&](int box) { return boxes(panel)[box]->findChildren<QLineEdit *>().last()->text(); };

    panel->findChild<QPushButton *>("notifyButton_" + a)->click();
    panel->findChild<QPushButton *>("notifyButton_" + b)->click();
    QCOMPARE(c.heart->configWrites.size(), 2);
    c.heart->notify(kA, "1");
    c.heart->notify(kB, "2");
    QCOMPARE(changed.count(), 2); // each change once
    QCOMPARE(shown(0), QStringLiteral("1"));
    QCOMPARE(shown(1), QStringLiteral("2"));

    panel->findChild<QPushButton *>("notifyButton_" + a)->click(); // A off
    QCOMPARE(c.heart->configWrites.last(), qMakePair(kA, QByteArray("\x00\x00", 2)));
    c.heart->notify(kA, "3");
    c.heart->notify(kB, "4");
    QCOMPARE(shown(0), QStringLiteral("1"));
    QCOMPARE(shown(1), QStringLiteral("4"));
    QCOMPARE(changed.count(), 3);
}

void TestBlePage::writeDialog_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QByteArray>("written"); // empty: nothing written
    QTest::addColumn<int>("messages");
    QTest::newRow("panel's hex text") << "0x41, 0x42" << true << QByteArray("AB") << 0;
    QTest::newRow("blank-separated hex") << "41 42" << true << QByteArray("AB") << 0;
    QTest::newRow("odd digits") << "414" << true << QByteArray() << 1;
    QTest::newRow("not hex") << "zz" << true << QByteArray() << 1;
    QTest::newRow("ascii") << QString::fromUtf8("A\xc3\xa9") << false << QByteArray("A\xc3\xa9") << 0;
}

void TestBlePage::writeDialog()
{
    QFETCH(QString, text);
    QFETCH(bool, hex);
    QFETCH(QByteArray, written);
    QFETCH(int, messages);
    TestSupport::PromptRecorder prompts;
    ConnectedPage c;
    QVERIFY(c.connect());
    QTRY_COMPARE(boxes(c.panel(0)).size(), 3);
    answerWriteDialog(text, hex);
    buttonWithText(boxes(c.panel(0))[2], "W")->click();
    QCOMPARE(prompts.requests().size(), messages);
    if (written.isEmpty()) {
        QVERIFY(c.heart->valueWrites.isEmpty());
    } else {
        QCOMPARE(c.heart->valueWrites.size(), 1);
        QCOMPARE(c.heart->valueWrites.at(0), qMakePair(kW, written));
    }
}

void TestBlePage::deviceButtons()
{
    kalvest_ble page;
    Device *device = page.findChild<Device *>();
    auto *label = page.findChild<QLabel *>("label_device");
    auto *scan = page.findChild<QPushButton *>("scanButton");
    auto *group = page.findChild<QGroupBox *>("groupBox_device");
    auto found = [device](const QString &address, const QString &name) {
        QBluetoothDeviceInfo info(QBluetoothAddress(address), name, 0);
        info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
        emit device->agent()->deviceDiscovered(info);
    };
    found("11:22:33:44:55:01", "Sensor (v2)");
    found("11:22:33:44:55:02", "<b>Scale</b>");
    found("11:22:33:44:55:01", "Sensor (v3)"); // a second sighting adds no button
    QPushButton *sensor = buttonWithText(&page, "Sensor (v2)\n(11:22:33:44:55:01)");
    QVERIFY(sensor);
    QVERIFY(buttonWithText(&page, "<b>Scale</b>\n(11:22:33:44:55:02)"));
    QCOMPARE(page.findChild<QGroupBox *>("groupBox")->findChildren<QPushButton *>().size(), 2);
    QCOMPARE(sensor->iconSize(), QSize(32, 32));
    QVERIFY(!sensor->icon().isNull());

    // A name with parentheses can be chosen.
    QSignalSpy gone(device, &Device::disconnected);
    sensor->click();
    QCOMPARE(label->text(), QStringLiteral("Sensor (v2)(11:22:33:44:55:01)"));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::darkBlue));
    QCOMPARE(label->font().weight(), QFont::Bold);
    QCOMPARE(device->findChildren<QLowEnergyController *>().size(), 1);
    if (hasAdapter())
        return;
    // Without an adapter the connection fails at once; the page ends
    // consistent: back to "Scan", peripherals choosable again.
    QVERIFY(gone.count() >= 1);
    QCOMPARE(scan->text(), QStringLiteral("Scan"));
    QVERIFY(scan->styleSheet().contains("#4CAF50"));
    QVERIFY(group->isEnabled());
    QVERIFY(scan->isEnabled());
}

void TestBlePage::namesShownLiterally()
{
    // A '&' in a device or service name is text, never a keyboard shortcut.
    kalvest_ble page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    Device *device = page.findChild<Device *>();
    QBluetoothDeviceInfo info(QBluetoothAddress("11:22:33:44:55:07"), "R&D Sensor", 0);
    info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    emit device->agent()->deviceDiscovered(info);
    QList<QPushButton *> buttons = page.findChild<QGroupBox *>("groupBox")->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 1);
    QPushButton *button = buttons.first();
    QVERIFY(QKeySequence::mnemonic(button->text()).isEmpty());
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(&page, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(button->text().replace("&&", "&"), QStringLiteral("R&D Sensor\n(11:22:33:44:55:07)"));

    button->click();
    QCOMPARE(page.findChild<QLabel *>("label_device")->text(), QStringLiteral("R&D Sensor(11:22:33:44:55:07)"));

    ConnectedPage connected;
    QVERIFY(connected.connect());
    connected.device->addService(new FakeGattService(QStringLiteral("{0000181a-0000-1000-8000-00805f9b34fb}"),
                                                     "R&D Service", {}));
    QVERIFY(QMetaObject::invokeMethod(connected.device, "serviceScanDone"));
    for (QPushButton *title : connected.page.findChildren<QPushButton *>()) {
        if (title->text().contains("R&&D Service"))
            QVERIFY(QKeySequence::mnemonic(title->text()).isEmpty());
    }
    QVERIFY(titles(&connected.page).join("|").contains("Service name: R&&D Service"));
}

void TestBlePage::noAdapterInMainWindow()
{
    if (hasAdapter())
        QSKIP("a Bluetooth adapter is present; this checks the machine without one");
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    {
        QSettings s("velm_config.ini", QSettings::IniFormat);
        for (const char *key : {"COM", "UDP", "TCP", "GPS", "GSM", "UNICODE", "Environment", "Crypty",
                                "Oscilloscope", "MQTT", "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex",
                                "CIE", "IMU"})
            s.setValue(key, "false");
        s.setValue("Ble", "true");
    }
    MainWindow w;
    w.ui->tabWidget->setCurrentWidget(w.ui->ble);
    w.resize(1100, 700);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *page = w.ui->ble->findChild<kalvest_ble *>();
    QVERIFY(page);
    auto *scan = page->findChild<QPushButton *>("scanButton");

    // The text the stack gives when there is no adapter.
    QBluetoothDeviceDiscoveryAgent probe;
    probe.start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
    QVERIFY(!probe.errorString().isEmpty());

    QTest::mouseClick(scan, Qt::LeftButton);
    QCOMPARE(scan->text(), QStringLiteral("Scan"));
    QVERIFY(scan->styleSheet().contains("#4CAF50"));
    QCOMPARE(w.statusBar()->currentMessage(), probe.errorString());
    QVERIFY(prompts.requests().isEmpty());

    // Give the page something to show for the picture.
    Device *device = page->findChild<Device *>();
    QBluetoothDeviceInfo info(QBluetoothAddress("11:22:33:44:55:01"), "Thermo Sensor", 0);
    info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    emit device->agent()->deviceDiscovered(info);
    QMetaObject::invokeMethod(device, "deviceConnected");
    device->addService(new FakeGattService(kHeart, "Heart Rate",
                                           {{kA, "Heart Rate Measurement", {}, P::Notify},
                                            {kB, {}, "Mode", P::Read | P::Write}}));
    QMetaObject::invokeMethod(device, "serviceScanDone");
    QTRY_COMPARE(page->findChildren<QGroupBox *>().size(), 6); // form boxes, service box, two characteristics
    device->characteristicRead(kB, "AB");
    QApplication::processEvents();
    const QPixmap shot = w.grab();
    const QString artifacts = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    if (!artifacts.isEmpty()) {
        QDir().mkpath(artifacts);
        QVERIFY(shot.save(QDir(artifacts).filePath("ble_page.png")));
    }
}

void TestBlePage::chineseCatalogue()
{
    QTranslator zh;
    QVERIFY(zh.load(":/transSimpleChinese.qm"));
    QApplication::installTranslator(&zh);
    kalvest_ble page;
    CharacteristicWidget panel;
    panel.addCharacteristic("N", "{n}", "(  Read Notify Write )");
    WriteDialog dialog;
    QApplication::removeTranslator(&zh);

    QCOMPARE(page.findChild<QGroupBox *>("groupBox")->title(), QString::fromUtf8("设备："));
    QCOMPARE(page.findChild<QPushButton *>("scanButton")->text(), QStringLiteral("Scan")); // the page's state
    QCOMPARE(rowLabels(boxes(&panel)[0]).mid(0, 3),
             QStringList({QString::fromUtf8("特征名称："), QString::fromUtf8("特征 UUID："),
                          QString::fromUtf8("特征权限：")}));
    QVERIFY(buttonWithText(&panel, QString::fromUtf8("读取")));
    QVERIFY(buttonWithText(&panel, QString::fromUtf8("通知")));
    QVERIFY(buttonWithText(&panel, QString::fromUtf8("写")));
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("写入数据"));
    QVERIFY(buttonWithText(&dialog, QString::fromUtf8("确定")));
}

void TestBlePage::realPeripheral()
{
    if (!hasAdapter())
        QSKIP("no local Bluetooth adapter: a peripheral cannot be reached on this machine");
    kalvest_ble page;
    page.show();
    auto *scan = page.findChild<QPushButton *>("scanButton");
    QTest::mouseClick(scan, Qt::LeftButton);
    QCOMPARE(scan->text(), QStringLiteral("Stop"));
    auto *devices = page.findChild<QGroupBox *>("groupBox");
    if (!QTest::qWaitFor([&] { return !devices->findChildren<QPushButton *>().isEmpty(); }, 30000))
        QSKIP("no Bluetooth LE peripheral in range");
    devices->findChildren<QPushButton *>().first()->click();
    QCOMPARE(scan->text(), QStringLiteral("Disconnect"));
    QTRY_VERIFY_WITH_TIMEOUT(!titles(&page).isEmpty() || scan->text() == QLatin1String("Scan"), 30000);
    QVERIFY2(!titles(&page).isEmpty(), "the peripheral connected and reported its services");
    QTest::mouseClick(scan, Qt::LeftButton);
    QCOMPARE(scan->text(), QStringLiteral("Scan"));
}

VELM_TEST_MAIN(TestBlePage)
#include "tst_blepage.moc"
