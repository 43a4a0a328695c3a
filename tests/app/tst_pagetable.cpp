// The page table against the forms, the settings file and the window: each
// entry's key round-trips through velm_config.ini to its own tab and switch,
// its widgets exist on its own tab page, and every named switch and lock
// slot reaches exactly one entry. The walks go over the table, so a new
// entry is checked without being listed here.
#include "devicewindowfixture.h"
#include "testsupport.h"

#include "desktophooks.h"
#include "deviceport.h"
#include "mainwindow.h"
#include "pagetable.h"
#include "portlister.h"
#include "ui_config.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QDialog>
#include <QMetaMethod>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>

namespace {

const QList<PageEntry> &pages() { return PageTable::pages(); }

void press(QAbstractButton *button)
{
    QPointer<QAbstractButton> b(button);
    QTest::mousePress(b, Qt::LeftButton);
    if (b)
        QTest::mouseRelease(b, Qt::LeftButton);
    QCoreApplication::processEvents();
}

QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Every widget a port lock can switch: the port settings of every serial
// page and their mode buttons.
QList<QWidget *> lockableWidgets(const Ui::MainWindow *ui)
{
    QList<QWidget *> out;
    for (const PageEntry &page : pages()) {
        out += PageTable::portSettings(ui, page);
        for (QRadioButton *Ui_MainWindow::*mode : {page.port.modeSerial, page.port.modeTcp}) {
            if (mode)
                out << ui->*mode;
        }
    }
    return out;
}

QList<bool> enabledStates(const QList<QWidget *> &widgets)
{
    QList<bool> out;
    for (QWidget *widget : widgets)
        out << widget->isEnabled();
    return out;
}

// Restarts are recorded, never run.
struct NoRestart
{
    NoRestart()
    {
        DesktopHooks::setStarter([this](const QString &, const QStringList &) {
            ++starts;
            return true;
        });
    }
    ~NoRestart() { DesktopHooks::setStarter({}); }
    int starts = 0;
};

} // namespace

class TestPageTable : public QObject
{
    Q_OBJECT

private slots:
    void formsHoldEveryPageInTableOrder();
    void keysRoundTripThroughTheSettingsFile_data();
    void keysRoundTripThroughTheSettingsFile();
    void switchSlotsAndButtonsFlipTheirOwnPage();
    void scanAndLocksReachEverySerialPage();
    void aPageWithoutALockOfItsOwnGetsTheTablesLock();
};

void TestPageTable::formsHoldEveryPageInTableOrder()
{
    QMainWindow window;
    Ui::MainWindow ui;
    ui.setupUi(&window);
    QDialog dialog;
    Ui::Config config;
    config.setupUi(&dialog);

    const int switchable = PageTable::switchableCount();
    QVERIFY(switchable > 0);
    QCOMPARE(ui.tabWidget->count(), int(pages().size()));
    QSet<QString> keys;
    QSet<QWidget *> seen;
    for (int i = 0; i < pages().size(); ++i) {
        const PageEntry &page = pages().at(i);
        const QString key = QLatin1String(page.key);
        QVERIFY2(!key.isEmpty() && !keys.contains(key), page.key);
        keys << key;
        QCOMPARE(PageTable::indexOf(page.key), i);
        QCOMPARE(PageTable::find(page.key), &page);

        // Its tab, at its position: the settings keys follow the tab order.
        QWidget *tab = ui.*page.tab;
        QVERIFY2(tab, page.key);
        QCOMPARE(ui.tabWidget->widget(i), tab);
        QCOMPARE(PageTable::forTab(&ui, tab), &page);

        // The switchable pages come first, each with a button of its own.
        QCOMPARE(page.preferencesSwitch != nullptr, i < switchable);
        if (page.preferencesSwitch) {
            QPushButton *button = config.*page.preferencesSwitch;
            QVERIFY2(button && config.groupBox_2->isAncestorOf(button), page.key);
            QVERIFY2(!seen.contains(button), page.key);
            seen << button;
        }

        // Port settings live on the page's own tab.
        if (!page.hasPort())
            continue;
        QVERIFY2(page.port.baudRate && page.port.open, page.key);
        QCOMPARE(PageTable::forOpenButton(&ui, ui.*page.port.open), &page);
        QList<QWidget *> own = PageTable::portSettings(&ui, page);
        for (QRadioButton *Ui_MainWindow::*mode : {page.port.modeSerial, page.port.modeTcp}) {
            if (mode)
                own << ui.*mode;
        }
        for (QWidget *widget : own) {
            QVERIFY2(widget && tab->isAncestorOf(widget), page.key);
            QVERIFY2(!seen.contains(widget), qPrintable(widget->objectName()));
            seen << widget;
        }
    }
    QVERIFY(!PageTable::find("nosuchpage"));
    QCOMPARE(PageTable::indexOf("nosuchpage"), -1);
}

void TestPageTable::keysRoundTripThroughTheSettingsFile_data()
{
    // Round b switches off the pages whose position + 1 has bit b set: every
    // page is off in some round, and no two pages in the same rounds, so a
    // key tied to another page's tab or switch shows.
    QTest::addColumn<int>("bit");
    for (int bit = 0; (1 << bit) <= PageTable::switchableCount(); ++bit)
        QTest::addRow("bit %d", bit) << bit;
}

void TestPageTable::keysRoundTripThroughTheSettingsFile()
{
    QFETCH(int, bit);
    const int switchable = PageTable::switchableCount();
    auto off = [bit](int i) { return (((i + 1) >> bit) & 1) != 0; };

    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    NoRestart restarts;
    {
        // Written through the Preferences switches...
        MainWindow w;
        w.show();
        w.ui->actionConfig->trigger();
        QVERIFY(w.configUi);
        for (int i = 0; i < switchable; ++i) {
            if (off(i))
                press(w.configUi->*pages().at(i).preferencesSwitch);
        }
        press(w.configUi->ConfigOK_Button);
        QCOMPARE(restarts.starts, 1);
    }
    {
        QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
        for (int i = 0; i < switchable; ++i)
            QCOMPARE(s.value(QLatin1String(pages().at(i).key)).toString(),
                     QString::fromLatin1(off(i) ? "false" : "true"));
        QVERIFY(!s.contains(QLatin1String(pages().last().key)));
    }

    // ...read back by the next start: those tabs are gone and their pages
    // not initialised, the others keep their order...
    MainWindow w;
    QStringList initialised;
    int last = -1;
    for (int i = 0; i < pages().size(); ++i) {
        const PageEntry &page = pages().at(i);
        const int at = w.ui->tabWidget->indexOf(w.ui->*page.tab);
        const bool kept = i >= switchable || !off(i);
        QCOMPARE(at >= 0, kept);
        if (!kept)
            continue;
        QVERIFY(at > last);
        last = at;
        if (page.init)
            initialised << w.ui->tabWidget->tabText(at);
    }
    QCOMPARE(w.initialisedPages(), initialised);

    // ...and by Preferences.
    w.ui->actionConfig->trigger();
    QVERIFY(w.configUi);
    for (int i = 0; i < switchable; ++i)
        QCOMPARE(w.pageSwitches.at(i), off(i) ? 0 : 1);
    w.configDialog->close();
    QVERIFY(prompts.requests().isEmpty());
}

void TestPageTable::switchSlotsAndButtonsFlipTheirOwnPage()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    w.ui->actionConfig->trigger();
    QVERIFY(w.configUi);

    const QRegularExpression slotName(QStringLiteral("^Config_(\\w+)_ON_OFF_triggered$"));
    const QMetaObject *meta = w.metaObject();
    QSet<int> reached;
    for (int m = meta->methodOffset(); m < meta->methodCount(); ++m) {
        const QMetaMethod method = meta->method(m);
        const QRegularExpressionMatch match = slotName.match(QString::fromLatin1(method.name()));
        if (!match.hasMatch())
            continue;
        const QList<int> before = w.pageSwitches;
        QVERIFY(method.invoke(&w));
        QList<int> flipped;
        for (int i = 0; i < before.size(); ++i) {
            if (w.pageSwitches.at(i) != before.at(i))
                flipped << i;
        }
        QCOMPARE(flipped.size(), 1);
        const int i = flipped.first();
        QVERIFY2(!reached.contains(i), method.name().constData());
        reached << i;
        // The slot carries its button's name, and pressing the button flips
        // the same page back.
        QPushButton *button = w.configUi->*pages().at(i).preferencesSwitch;
        QCOMPARE(button->objectName().toLower(), QStringLiteral("config_%1_on_off").arg(match.captured(1).toLower()));
        press(button);
        QCOMPARE(w.pageSwitches, before);
    }
    QCOMPARE(int(reached.size()), PageTable::switchableCount());
}

void TestPageTable::scanAndLocksReachEverySerialPage()
{
    TestSupport::ScratchDir dir;
    SerialPortLister::setLister([] { return QStringList{QStringLiteral("A"), QStringLiteral("B")}; });
    auto restoreLister = qScopeGuard([] { SerialPortLister::setLister({}); });
    MainWindow w;
    const Ui::MainWindow *ui = w.ui;

    QList<const PageEntry *> portPages;
    for (const PageEntry &page : pages()) {
        if (page.hasPort())
            portPages << &page;
    }
    QVERIFY(!portPages.isEmpty());
    // The first scan filled every port list.
    for (const PageEntry *page : portPages)
        QCOMPARE(items(ui->*page->port.name), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));

    // Each named lock keeps exactly one open button, its own page's, and
    // switches that page's mode buttons only.
    const QList<QWidget *> lockable = lockableWidgets(ui);
    QVERIFY(!enabledStates(lockable).contains(false));
    const QRegularExpression lockName(QStringLiteral("^(\\w+)setsetComboBoxEnabled$"));
    const QMetaObject *meta = w.metaObject();
    QSet<const PageEntry *> holders;
    for (int m = meta->methodOffset(); m < meta->methodCount(); ++m) {
        const QMetaMethod method = meta->method(m);
        const QRegularExpressionMatch match = lockName.match(QString::fromLatin1(method.name()));
        if (!match.hasMatch())
            continue;
        QVERIFY(method.invoke(&w, Q_ARG(bool, false)));
        const PageEntry *holder = nullptr;
        for (const PageEntry *page : portPages) {
            for (QWidget *widget : PageTable::portSettings(ui, *page)) {
                if (!widget->isEnabled())
                    continue;
                QVERIFY2(!holder && widget == ui->*page->port.open, qPrintable(widget->objectName()));
                holder = page;
            }
        }
        QVERIFY2(holder, method.name().constData());
        QVERIFY(!holders.contains(holder));
        holders << holder;
        // The serial terminal's widgets carry no page prefix.
        const QString prefix = match.captured(1) == QLatin1String("COM") ? QString() : match.captured(1);
        QCOMPARE((ui->*holder->port.open)->objectName(), prefix + QStringLiteral("opencompushButton"));
        for (const PageEntry *page : portPages) {
            for (QRadioButton *Ui_MainWindow::*mode : {page->port.modeSerial, page->port.modeTcp}) {
                if (mode)
                    QCOMPARE((ui->*mode)->isEnabled(), page != holder);
            }
        }
        QVERIFY(method.invoke(&w, Q_ARG(bool, true)));
        QVERIFY(!enabledStates(lockable).contains(false));
    }
    QCOMPARE(holders.size(), portPages.size());
}

void TestPageTable::aPageWithoutALockOfItsOwnGetsTheTablesLock()
{
    // A page that names no lock of its own (as a newly added page does) is
    // locked by the table exactly like a page with its named lock.
    TestSupport::DeviceWindowFixture fixture;
    if (!fixture.start(QStringList{}))
        QSKIP("no pseudo-terminal");
    auto stop = qScopeGuard([&] { fixture.stop(); });
    fixture.makeWindow();
    MainWindow *w = fixture.w.get();
    Ui::MainWindow *ui = w->ui;
    const QList<QWidget *> lockable = lockableWidgets(ui);

    w->GPSsetsetComboBoxEnabled(false);
    const QList<bool> named = enabledStates(lockable);
    w->GPSsetsetComboBoxEnabled(true);
    QVERIFY(named.contains(false));

    DevicePort port;
    port.portName = ui->GPSportNameComboBox;
    port.baudRate = ui->GPSbaudRateComboBox;
    port.openButton = ui->GPSopencompushButton;
    QCOMPARE(port.portName->currentText(), fixture.device->portPath());
    QVERIFY(w->toggleDevicePort(port));
    QVERIFY(w->serialOpen);
    QCOMPARE(enabledStates(lockable), named);
    QVERIFY(!w->toggleDevicePort(port));
    QVERIFY(!w->serialOpen);
    QVERIFY(!enabledStates(lockable).contains(false));
}

VELM_TEST_MAIN(TestPageTable)
#include "tst_pagetable.moc"
