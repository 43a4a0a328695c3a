// Start-up pieces and the main window's page life cycle.
#include "testenv.h"
#include "testsupport.h"

#include "mainwindow.h"
#include "translations.h"
#include "eventwait.h"

#include "ui_mainwindow.h"

#include "appinfo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTimer>
#include <ctime>
#include <memory>

namespace {
const QStringList kAllTabs = {"Serial Debug", "UDP Debug", "TCP Debug", "GPS Debug", "GSM Debug", "Unicode",
                              "Environment", "Crypty", "Oscilloscope", "MQTT", "Ble", "Spectra", "Convert",
                              "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU", "More"};
const QStringList kKeys = {"COM", "UDP", "TCP", "GPS", "GSM", "UNICODE", "Environment", "Crypty", "Oscilloscope",
                           "MQTT", "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"};

QStringList tabTexts(MainWindow &w)
{
    QStringList out;
    for (int i = 0; i < w.ui->tabWidget->count(); ++i)
        out << w.ui->tabWidget->tabText(i);
    return out;
}

// The pages whose initialisation runs, in dispatch order, for a set of tabs.
QStringList expectedInitialised(const QStringList &tabs)
{
    QStringList out;
    for (const QString &t : tabs)
        if (t != "More")
            out << t;
    return out;
}

using TestSupport::processCpuSeconds;

// Helper processes of the web engine started by this process.
int webEngineChildren()
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(tasks.filePath(task + QStringLiteral("/children")));
        if (!children.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &pid : children.readAll().split(' ')) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(QString::fromLatin1(pid.trimmed())));
            if (!pid.trimmed().isEmpty() && cmdline.open(QIODevice::ReadOnly)
                && cmdline.readAll().contains("QtWebEngineProcess"))
                ++count;
        }
    }
    return count;
}

void writeSwitches(const QMap<QString, QString> &values)
{
    QSettings s("velm_config.ini", QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        s.setValue(it.key(), it.value());
    s.sync();
}
} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void translatorsFollowTheLocale_data();
    void translatorsFollowTheLocale();
    void toolkitTextsFollowTheLocale_data();
    void toolkitTextsFollowTheLocale();
    void waitKeepsEventsRunningWithoutSpinning();
    void waitWithNothingToWaitReturnsAtOnce();
    void waitEndsOnceTheApplicationQuits();
    void noSettingsFileKeepsEveryPage();
    void switchedOffPagesAreRemovedAndNotInitialised();
    void allPagesOffLeavesOnlyMore();
    void onlyEmptyOrExactTrueKeepsAPage();
    void configReturnsTheRemainingCount();
    void titleAndRetranslation();
    void aboutShowsOneCentredBox();
};

void TestShell::translatorsFollowTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("localeCatalogue");
    QTest::newRow("zh_CN") << "zh_CN" << true << true;
    QTest::newRow("zh_TW") << "zh_TW" << true << false;
    QTest::newRow("de_DE") << "de_DE" << false << false;
    QTest::newRow("en_US") << "en_US" << false << true;
}

void TestShell::translatorsFollowTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(bool, chinese);
    QFETCH(bool, localeCatalogue);
    {
        const InstalledTranslators t = installTranslators(qApp, QLocale(locale));
        QCOMPARE(bool(t.localeCatalogue), localeCatalogue);
        QCOMPARE(bool(t.fixedLanguage), locale != "de_DE");
        auto tr = [](const char *s) { return QCoreApplication::translate("MainWindow", s); };
        if (chinese) {
            QCOMPARE(tr("Exit"), QString("退出"));
            QCOMPARE(tr("About"), QString("关于"));
            QCOMPARE(tr("Preferences"), QString("配置"));
            QCOMPARE(tr("Check Update"), QString("检测更新"));
            QCOMPARE(tr("Help"), QString("使用帮助"));
            QCOMPARE(tr("None"), QString("无"));
            QCOMPARE(tr("Odd"), QString("奇"));
            QCOMPARE(tr("Even"), QString("偶"));
        } else {
            QCOMPARE(tr("Exit"), QString("Exit"));
            QCOMPARE(tr("None"), QString("None"));
        }
        // Tabs are found by their English text; menus keep their titles.
        for (const QString &tab : kAllTabs)
            QCOMPARE(tr(tab.toUtf8().constData()), tab);
        QCOMPARE(tr("Edit(&E)"), QString("Edit(&E)"));
        QCOMPARE(tr("About(&A)"), QString("About(&A)"));

        // The whole form in that language: tab texts stay English.
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        for (int i = 0; i < ui.tabWidget->count(); ++i)
            QCOMPARE(ui.tabWidget->tabText(i), kAllTabs.at(i));
        QCOMPARE(ui.menu->title(), QString("Edit(&E)"));
        QCOMPARE(ui.actionExit->text(), chinese ? QString("退出") : QString("Exit"));
    }
    // Leaving the scope removed the translators again.
    QCOMPARE(QCoreApplication::translate("MainWindow", "Exit"), QString("Exit"));
}

void TestShell::toolkitTextsFollowTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("buttons"); // OK, Cancel, Yes, No
    QTest::addColumn<QStringList>("menu"); // Copy, Select All
    const QStringList chineseButtons{"确定", "取消", "是(&Y)", "否(&N)"};
    const QStringList chineseMenu{"复制(&C)", "全选"};
    const QStringList englishButtons{"OK", "Cancel", "&Yes", "&No"};
    const QStringList englishMenu{"&Copy", "Select All"};
    QTest::newRow("zh_CN") << "zh_CN" << chineseButtons << chineseMenu;
    QTest::newRow("zh_TW") << "zh_TW" << chineseButtons << chineseMenu;
    QTest::newRow("en_US") << "en_US" << englishButtons << englishMenu;
    QTest::newRow("de_DE") << "de_DE" << englishButtons << englishMenu;
}

// The toolkit's own texts around the program's: message-box buttons and the
// text views' right-click menu speak the window's language.
void TestShell::toolkitTextsFollowTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, menu);
    TestSupport::ScratchDir dir;
    {
        const InstalledTranslators t = installTranslators(qApp, QLocale(locale));
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QMessageBox box(QMessageBox::Information, w.windowTitle(), QStringLiteral("x"),
                        QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
        QStringList shownButtons;
        for (QMessageBox::StandardButton b : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No})
            shownButtons << box.button(b)->text();
        QCOMPARE(shownButtons, buttons);

        // The receive view is read-only, the send box editable: both menus
        // carry Copy and Select All.
        for (QPlainTextEdit *view : {w.ui->COM_StrTextBrowser, w.ui->sendMsgtextEdit}) {
            view->setPlainText(QStringLiteral("text"));
            view->selectAll();
            std::unique_ptr<QMenu> popup(view->createStandardContextMenu());
            QStringList texts;
            for (QAction *a : popup->actions())
                texts << a->text().section(QLatin1Char('\t'), 0, 0); // without the shortcut
            for (const QString &entry : menu)
                QVERIFY2(texts.contains(entry), qPrintable(view->objectName() + ": " + texts.join(QLatin1Char('|'))));
        }
    }
    // Leaving the scope removed the toolkit's catalogues too.
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("OK"));
}

void TestShell::waitKeepsEventsRunningWithoutSpinning()
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);

    QElapsedTimer clock;
    clock.start();
    waitProcessingEvents(50);
    const qint64 short_ms = clock.elapsed();
    QVERIFY2(short_ms >= 50, qPrintable(QString::number(short_ms)));
    QVERIFY(ticks >= 1);

    clock.restart();
    const double cpuMid = processCpuSeconds();
    waitProcessingEvents(600);
    const double wall = clock.elapsed() / 1000.0;
    const double cpu = processCpuSeconds() - cpuMid;
    QVERIFY(wall >= 0.6);
    // A few percent of one core at most: the wait sleeps in the event loop.
    QVERIFY2(cpu < 0.1 * wall, qPrintable(QString("cpu %1 s over %2 s").arg(cpu).arg(wall)));
    QVERIFY(ticks >= 30);
}

void TestShell::waitWithNothingToWaitReturnsAtOnce()
{
    QElapsedTimer clock;
    clock.start();
    waitProcessingEvents(0);
    waitProcessingEvents(-5);
    QVERIFY(clock.elapsed() < 20);
}

void TestShell::waitEndsOnceTheApplicationQuits()
{
    // After quit no event loop runs any more: a wait that went on would
    // only spin the processor until its deadline.
    qint64 waited = -1;
    double cpu = -1;
    QTimer::singleShot(0, qApp, [&] {
        QCoreApplication::quit();
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = processCpuSeconds();
        waitProcessingEvents(1500);
        waited = clock.elapsed();
        cpu = processCpuSeconds() - cpuStart;
    });
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, qApp, &QCoreApplication::quit);
    safety.start(10000);
    QCoreApplication::exec();
    QVERIFY(waited >= 0);
    QVERIFY2(waited < 200, qPrintable(QString::number(waited)));
    QVERIFY2(cpu < 0.2, qPrintable(QString::number(cpu)));
}

void TestShell::noSettingsFileKeepsEveryPage()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    QCOMPARE(tabTexts(w), kAllTabs);
    QCOMPARE(w.ui->tabWidget->tabPosition(), QTabWidget::West);
    QCOMPARE(w.ui->tabWidget->currentIndex(), 0);
    QCOMPARE(w.initialisedPages(), expectedInitialised(kAllTabs));
    // The "More" tab gets its web view, and the web engine its helper
    // processes, only when the tab is first shown.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(300);
    QVERIFY(!w.moreWebView);
    QCOMPARE(webEngineChildren(), 0);
    w.ui->tabWidget->setCurrentWidget(w.ui->tab_2);
    QVERIFY(w.moreWebView);
    QCOMPARE(w.moreWebView->parentWidget(), w.ui->tab_2);
    QCOMPARE(w.moreWebView->metaObject()->className(), "QWebEngineView");
    QTRY_COMPARE_WITH_TIMEOUT(w.moreWebView->property("url").toUrl(), QUrl::fromUserInput(AppInfo::homePage()), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(webEngineChildren() > 0, 10000);
    QWidget *view = w.moreWebView;
    w.ui->tabWidget->setCurrentIndex(0);
    w.ui->tabWidget->setCurrentWidget(w.ui->tab_2);
    QCOMPARE(w.moreWebView, view);
    // The Hex tab received its page widget; the converter's comes when its
    // tab is first shown.
    QCOMPARE(w.ui->hextools->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    QCOMPARE(w.ui->Convert->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 0);
    w.ui->tabWidget->setCurrentWidget(w.ui->Convert);
    QCOMPARE(w.ui->Convert->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

void TestShell::switchedOffPagesAreRemovedAndNotInitialised()
{
    TestSupport::ScratchDir dir;
    writeSwitches({{"COM", "false"}, {"TCP", "false"}});
    MainWindow w;
    QStringList expected = kAllTabs;
    expected.removeAll("Serial Debug");
    expected.removeAll("TCP Debug");
    QCOMPARE(tabTexts(w), expected);
    QCOMPARE(w.ui->tabWidget->tabText(0), QString("UDP Debug"));
    QCOMPARE(w.ui->tabWidget->count() - 1, 17);
    QCOMPARE(w.initialisedPages(), expectedInitialised(expected));
    QVERIFY(!w.initialisedPages().contains("Serial Debug"));
    QVERIFY(!w.initialisedPages().contains("TCP Debug"));
    // Removed pages are still built, just out of the tab bar.
    QVERIFY(w.ui->serial);
    QCOMPARE(w.ui->tabWidget->indexOf(w.ui->serial), -1);
}

void TestShell::allPagesOffLeavesOnlyMore()
{
    TestSupport::ScratchDir dir;
    QMap<QString, QString> all;
    for (const QString &k : kKeys)
        all[k] = "false";
    all["MORE"] = "false"; // never read
    writeSwitches(all);
    MainWindow w;
    QCOMPARE(tabTexts(w), QStringList{"More"});
    QVERIFY(w.initialisedPages().isEmpty());
}

void TestShell::onlyEmptyOrExactTrueKeepsAPage()
{
    TestSupport::ScratchDir dir;
    writeSwitches({{"COM", ""}, {"UDP", "true"}, {"TCP", "True"}, {"GPS", "1"}, {"GSM", "yes"}, {"Hex", "TRUE"}});
    MainWindow w;
    const QStringList tabs = tabTexts(w);
    QVERIFY(tabs.contains("Serial Debug"));
    QVERIFY(tabs.contains("UDP Debug"));
    QVERIFY(!tabs.contains("TCP Debug"));
    QVERIFY(!tabs.contains("GPS Debug"));
    QVERIFY(!tabs.contains("GSM Debug"));
    QVERIFY(!tabs.contains("Hex"));
    QCOMPARE(tabs.size(), 16);
}

void TestShell::configReturnsTheRemainingCount()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    QCOMPARE(w.ui->tabWidget->count(), 20);
    // A second pass over a file that now switches the first page off removes
    // exactly that tab and counts the rest.
    writeSwitches({{"COM", "false"}});
    QCOMPARE(w.Config(), 18);
    QCOMPARE(w.ui->tabWidget->tabText(0), QString("UDP Debug"));
    QCOMPARE(w.pageKeys.size(), 20);
    QCOMPARE(w.pageKeys.last(), QString("MORE"));
}

void TestShell::titleAndRetranslation()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    QVERIFY2(w.windowTitle().startsWith("Kalvest -- VELM Ver 3.4.2  "), qPrintable(w.windowTitle()));
    QCOMPARE(w.styleSheet(), QString("background-color: white grey"));
    QCOMPARE(w.minimumSize(), QSize(915, 750));

    // The window's own wait lets timers run and lasts at least its count.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QElapsedTimer clock;
    clock.start();
    w.msleep(50);
    QVERIFY(clock.elapsed() >= 50);
    QVERIFY(ticks >= 1);
    clock.restart();
    w.msleep(0);
    w.msleep(-5);
    QVERIFY(clock.elapsed() < 20);

    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &change);
    QCOMPARE(w.windowTitle(), QString("Kalvest -- VELM"));
    QCOMPARE(w.ui->actionExit->text(), QString("Exit"));
}

void TestShell::aboutShowsOneCentredBox()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ui->actionAbout->trigger();
    w.ui->actionAbout->trigger();
    int visible = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<AboutDialog *>(top) && top->isVisible())
            ++visible;
    QCOMPARE(visible, 1);
    QVERIFY(w.aboutDialog.isVisible());
    QVERIFY(!w.aboutDialog.isModal());
    QVERIFY(!(w.aboutDialog.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(w.aboutDialog.x(), w.x() + (w.width() - w.aboutDialog.width()) / 2);
    QCOMPARE(w.aboutDialog.y(), w.y() + (w.height() - w.aboutDialog.height()) / 2);
}

VELM_TEST_MAIN(TestShell)
#include "tst_shell.moc"
