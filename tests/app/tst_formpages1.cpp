// The main window's frame and the widget trees of the "Serial Debug",
// "UDP Debug", "TCP Debug", "MQTT", "GPS Debug" and "GSM Debug" pages, their
// retranslation and their catalogues; the local address lists.
#include "testsupport.h"

#include "appinfo.h"
#include "formcheck.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QMenuBar>
#include <QNetworkInterface>
#include <QSettings>
#include <QSpacerItem>
#include <QStatusBar>
#include <QTcpServer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTranslator>
#include <QUdpSocket>

using FormCheck::Cell;
using FormCheck::WidgetSpec;

namespace {

const QStringList kTabs = {"Serial Debug", "UDP Debug", "TCP Debug", "GPS Debug", "GSM Debug", "Unicode",
                           "Environment", "Crypty", "Oscilloscope", "MQTT", "Ble", "Spectra", "Convert",
                           "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU", "More"};
const QStringList kBaud17 = {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "76800", "115200",
                             "128000", "230400", "256000", "460800", "512000", "921600 ", "1000000", "2000000"};
const QStringList kBaud11 = {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "76800", "115200",
                             "128000", "256000"};
const QStringList kParity = {"None", "Odd", "Even", "Mark", "Space"};
const QStringList kDataBits = {"5", "6", "7", "8"};
const QStringList kStopBits = {"1", "1.5", "2"};
const QStringList kSchemes = {"mqtt://", "mqtts://", "ws://", "wss://"};
const QString kHexTip = QStringLiteral("<html><head/><body><p>以十六进制方式发送数据（默认为字符方式）</p></body></html>");
const QString kSentTip = QStringLiteral("已发送的字符");
const QString kRecvTip = QStringLiteral("已接收字节数");
const QString kMqttHost = QStringLiteral("192.168.1.10");

// Texts of these pages that the program compares or converts, values, and
// texts already in their final language: no catalogue changes them.
QStringList keepEnglish()
{
    QStringList k = kBaud17 + kDataBits + kStopBits + kSchemes + kTabs;
    k << "Mark" << "Space" << "DTR" << "RTS" << "Hex" << kHexTip << kSentTip << kRecvTip << "1000" << "127.0.0.1"
      << "TCP Server" << "TCP Client" << "Null" << "COM" << "TCP" << "*" << "#" << kMqttHost;
    for (int d = 0; d <= 9; ++d)
        k << QString::number(d);
    return k;
}

WidgetSpec spec(const QString &name, const QString &cls, const QString &layout, Cell cell, const QString &text = QString(),
                const QVariantMap &props = {})
{
    WidgetSpec s;
    s.name = name;
    s.className = cls;
    s.layout = layout;
    s.cell = cell;
    s.text = text;
    s.properties = props;
    return s;
}

WidgetSpec combo(const QString &name, const QString &layout, Cell cell, const QStringList &items, int index)
{
    WidgetSpec s = spec(name, "QComboBox", layout, cell);
    s.items = items;
    s.currentIndex = index;
    return s;
}

// Box-layout placements have no cell; the position is checked separately.
WidgetSpec inBox(const QString &name, const QString &cls, const QString &layout, const QString &text = QString())
{
    return spec(name, cls, layout, Cell{}, text);
}

QVariantMap unchecked() { return {{"checked", false}}; }
QVariantMap checked() { return {{"checked", true}}; }

// A main window that retranslates its form on a language change, as the
// program's main window does.
class FormWindow : public QMainWindow
{
public:
    FormWindow() { ui.setupUi(this); }
    Ui::MainWindow ui;

protected:
    void changeEvent(QEvent *e) override
    {
        QMainWindow::changeEvent(e);
        if (e->type() == QEvent::LanguageChange)
            ui.retranslateUi(this);
    }
};

struct Translated {
    QString context, source;
    bool disambiguationNull;
    int n;
};

// Sits in front of the real catalogues and notes every lookup.
class RecordingTranslator : public QTranslator
{
public:
    QList<Translated> seen;
    QString translate(const char *context, const char *source, const char *disambiguation, int n) const override
    {
        if (qstrcmp(context, "MainWindow") != 0)
            return QString();
        const_cast<RecordingTranslator *>(this)->seen.append(
            {QString::fromUtf8(context), QString::fromUtf8(source), disambiguation == nullptr, n});
        return QString();
    }
    bool isEmpty() const override { return false; }
};

void checkPolicy(QWidget *w, QSizePolicy::Policy h, QSizePolicy::Policy v, int hs = 0, int vs = 0)
{
    QVERIFY(w);
    const QSizePolicy p = w->sizePolicy();
    QVERIFY2(p.horizontalPolicy() == h && p.verticalPolicy() == v && p.horizontalStretch() == hs
                 && p.verticalStretch() == vs,
             qPrintable(w->objectName() + QStringLiteral(" size policy")));
}

QSpacerItem *spacerAt(QGridLayout *g, int row, int column)
{
    QLayoutItem *item = g ? g->itemAtPosition(row, column) : nullptr;
    return item ? item->spacerItem() : nullptr;
}

void checkSpacer(QSpacerItem *s, int w, int h, QSizePolicy::Policy hp, QSizePolicy::Policy vp)
{
    QVERIFY(s);
    QCOMPARE(s->sizeHint(), QSize(w, h));
    QCOMPARE(s->sizePolicy().horizontalPolicy(), hp);
    QCOMPARE(s->sizePolicy().verticalPolicy(), vp);
}

int spacerCount(QLayout *l)
{
    int n = 0;
    for (int i = 0; i < l->count(); ++i)
        if (l->itemAt(i)->spacerItem())
            ++n;
    return n;
}

// The form's own widgets of a page (not the internal parts of scroll areas,
// spin boxes and the like).
QList<QWidget *> pageWidgets(QWidget *page)
{
    QList<QWidget *> out;
    for (QWidget *w : page->findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            out << w;
    return out;
}

// Spacing 6 and margins 11 on every layout of a page, nested layouts only
// spacing 6; exceptions name their own values.
void checkLayouts(QWidget *page, const QMap<QString, QPair<int, QMargins>> &exceptions = {})
{
    const QList<QWidget *> own = pageWidgets(page) << page;
    QList<QLayout *> layouts;
    for (QLayout *l : page->findChildren<QLayout *>())
        if (own.contains(l->parentWidget()))
            layouts << l;
    QVERIFY(!layouts.isEmpty());
    for (QLayout *l : layouts) {
        const QString n = l->objectName();
        QVERIFY2(!n.isEmpty(), qPrintable(QStringLiteral("unnamed layout in ") + (l->parentWidget() ? l->parentWidget()->objectName() + "/" + l->parentWidget()->metaObject()->className() : QString())));
        if (exceptions.contains(n)) {
            QCOMPARE(l->spacing(), exceptions[n].first);
            QCOMPARE(l->contentsMargins(), exceptions[n].second);
            continue;
        }
        QVERIFY2(l->spacing() == 6, qPrintable(n + " spacing"));
        if (l->parentWidget() && l->parentWidget()->layout() == l)
            QVERIFY2(l->contentsMargins() == QMargins(11, 11, 11, 11), qPrintable(n + " margins"));
        else
            QVERIFY2(l->contentsMargins() == QMargins(0, 0, 0, 0), qPrintable(n + " nested margins"));
    }
}

bool failed() { return QTest::currentTestFailed(); }



} // namespace

class TestFormPages1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void frame();
    void windowKeepsItsObjectName();
    void serialPage();
    void udpPage();
    void tcpPage();
    void mqttPage();
    void gpsPage();
    void gsmPage();
    void defaultsAtTheEndOfTheBuild();
    void retranslationOrderAndUntranslatedTexts();
    void languageChangeResetsDefaults();
    void chineseCatalogue();
    void englishCatalogue();
    void localAddressesAndSockets();
    void screenshots();
};

void TestFormPages1::initTestCase()
{
    // The "More" tab must not reach out of the machine.
    AppInfo::overrideHomePageForTests(QStringLiteral("about:blank"));
}

void TestFormPages1::frame()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);

    QCOMPARE(w.objectName(), QString("MainWindow"));
    QCOMPARE(w.size(), QSize(915, 750));
    QCOMPARE(w.minimumSize(), QSize(915, 750));
    QCOMPARE(w.font().family(), QString("Times New Roman"));
    QCOMPARE(w.font().pointSize(), 9);
    QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w.contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.styleSheet(), QString("QDialog{background:rgb(229, 255, 239)}") + QString(10, QLatin1Char('\n')));
    QCOMPARE(w.iconSize(), QSize(16, 16));
    QCOMPARE(w.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QVERIFY(w.isAnimated());
    QCOMPARE(w.windowTitle(), QString("Kalvest -- VELM"));

    // Tab widget in row 1 of the central grid, twenty pages on the left side.
    QCOMPARE(w.centralWidget(), ui.centralWidget);
    int r, c, rs, cs;
    ui.gridLayout_8->getItemPosition(ui.gridLayout_8->indexOf(ui.tabWidget), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({1, 0, 1, 1}));
    QCOMPARE(ui.gridLayout_8->spacing(), 6);
    QCOMPARE(ui.gridLayout_8->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(ui.tabWidget->tabPosition(), QTabWidget::West);
    QCOMPARE(ui.tabWidget->layoutDirection(), Qt::LeftToRight);
    checkPolicy(ui.tabWidget, QSizePolicy::Expanding, QSizePolicy::Expanding);
    QCOMPARE(ui.tabWidget->currentIndex(), 0);
    QCOMPARE(ui.tabWidget->count(), 20);
    const QList<QWidget *> pages = {ui.serial, ui.udp,  ui.tcp,     ui.gps,   ui.gsm,      ui.Unicode, ui.environment,
                                    ui.Crypty, ui.Oscilloscope, ui.Mqtt, ui.ble, ui.spectra, ui.Convert, ui.i2cdump,
                                    ui.TOF,    ui.Modbus, ui.hextools, ui.CIE, ui.tab_3, ui.tab_2};
    const QStringList tops = {"gridLayout_4",  "gridLayout_3",  "gridLayout_12", "gridLayout_16", "gridLayout_25",
                              "gridLayout_23", "gridLayout_28", "gridLayout_41", "gridLayout_31", "gridLayout_33",
                              "gridLayout_36", "gridLayout_39", "gridLayout_40", "gridLayout_42", "gridLayout_32",
                              "gridLayout_46", "gridLayout_47", "gridLayout_48", "gridLayout_50", "gridLayout_26"};
    for (int i = 0; i < 20; ++i) {
        QCOMPARE(ui.tabWidget->tabText(i), kTabs.at(i));
        QCOMPARE(ui.tabWidget->widget(i), pages.at(i));
        QVERIFY(pages.at(i)->layout());
        QCOMPARE(pages.at(i)->layout()->objectName(), tops.at(i));
        QCOMPARE(pages.at(i)->layout()->spacing(), 6);
        QCOMPARE(pages.at(i)->layout()->contentsMargins(), QMargins(11, 11, 11, 11));
    }
    // The "More" page's inner grid: no left and top margin.
    QCOMPARE(ui.web_gridLayout->contentsMargins().left(), 0);
    QCOMPARE(ui.web_gridLayout->contentsMargins().top(), 0);

    QVERIFY(w.statusBar() == ui.statusBar);
    QCOMPARE(w.menuBar(), ui.menuBar);
    QCOMPARE(ui.menuBar->geometry(), QRect(0, 0, 915, 25));
    QCOMPARE(ui.menuBar->actions(), QList<QAction *>({ui.menu->menuAction(), ui.menu_2->menuAction()}));
    QCOMPARE(ui.menu->title(), QString("Edit(&E)"));
    QCOMPARE(ui.menu_2->title(), QString("About(&A)"));
    // Entries in order, no separators.
    QCOMPARE(ui.menu->actions(), QList<QAction *>({ui.actionConfig, ui.actionExit}));
    QCOMPARE(ui.menu_2->actions(), QList<QAction *>({ui.actionCheck_Update, ui.actionHelp, ui.actionAbout}));
    QCOMPARE(ui.actionExit->text(), QString("Exit"));
    QCOMPARE(ui.actionExit->statusTip(), QString("Exit"));
    QCOMPARE(ui.actionAbout->text(), QString("About"));
    QCOMPARE(ui.actionAbout->statusTip(), QString("About"));
    QVERIFY(ui.actionAbout->isEnabled());
    QCOMPARE(ui.actionConfig->text(), QString("Preferences"));
    QCOMPARE(ui.actionCheck_Update->text(), QString("Check Update"));
    QCOMPARE(ui.actionHelp->text(), QString("Help"));
    for (QAction *a : {ui.actionExit, ui.actionAbout, ui.actionConfig, ui.actionCheck_Update, ui.actionHelp}) {
        QVERIFY(a->icon().isNull());
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->isCheckable());
    }
}

void TestFormPages1::windowKeepsItsObjectName()
{
    QMainWindow w;
    w.setObjectName("velmWindow");
    Ui::MainWindow ui;
    ui.setupUi(&w);
    QCOMPARE(w.objectName(), QString("velmWindow"));
}

void TestFormPages1::serialPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g4 = "gridLayout_4", g2 = "gridLayout_2", g34 = "gridLayout_34", g = "gridLayout";
    const QList<WidgetSpec> specs = {
        spec("groupBox_4", "QGroupBox", g4, {3, 0, 1, 2}, "Send Data",
             {{"flat", true}, {"maximumSize", QSize(16777215, 200)}, {"styleSheet", ""}}),
        spec("obocheckBox", "QCheckBox", g2, {1, 2, 1, 1}, "Keep Send", unchecked()),
        spec("sendAsHexcheckBox", "QCheckBox", g2, {1, 1, 1, 1}, "Hex to Send", {{"checked", false}, {"toolTip", kHexTip}}),
        spec("sendfileBtn", "QPushButton", g2, {1, 7, 1, 1}, "Send File"),
        spec("sendmsgBtn", "QPushButton", g2, {1, 0, 1, 1}, "Send",
             {{"minimumSize", QSize(0, 23)}, {"maximumSize", QSize(100, 23)}, {"autoDefault", false}, {"default", false}}),
        spec("delayspinBox", "QSpinBox", g2, {1, 3, 1, 1}, {}, {{"minimum", 10}, {"maximum", 5000}, {"value", 200}}),
        spec("cleansendpushButton", "QPushButton", g2, {1, 5, 1, 1}, "Clear Sendbox"),
        spec("label_6", "QLabel", g2, {1, 4, 1, 1}, "Interval(MS)"),
        spec("sendMsgtextEdit", "QPlainTextEdit", g2, {0, 0, 1, 8}, ""),
        spec("label_9", "QLabel", g4, {0, 0, 1, 1}, "Receive Data"),
        spec("groupBox", "QGroupBox", g4, {0, 2, 2, 1}, "Serial Setting", {{"styleSheet", ""}}),
        spec("opencompushButton", "QPushButton", g34, {10, 0, 1, 2}, "Open"),
        spec("com_checkBox_DTR", "QCheckBox", g34, {15, 1, 1, 1}, "DTR", checked()),
        spec("com_expandpushButton", "QPushButton", g34, {14, 0, 1, 2}, "Advanced"),
        spec("savetxtpushButton", "QPushButton", g34, {12, 0, 1, 2}, "Export"),
        spec("label_2", "QLabel", g34, {2, 0, 1, 2}, "Baudrate"),
        spec("label_5", "QLabel", g34, {8, 0, 1, 2}, "Stop Bits"),
        spec("HEXcheckBox", "QCheckBox", g34, {16, 1, 1, 1}, "Hex", unchecked()),
        combo("parityComboBox", g34, {7, 0, 1, 2}, kParity, 0),
        combo("stopBitsComboBox", g34, {9, 0, 1, 2}, kStopBits, 0),
        spec("portNameComboBox", "QComboBox", g34, {1, 0, 1, 2}, {}, {{"count", 0}}),
        spec("com_checkBox_RTS", "QCheckBox", g34, {15, 0, 1, 1}, "RTS", checked()),
        spec("showtime_checkBox", "QCheckBox", g34, {16, 0, 1, 1}, "Time", unchecked()),
        spec("label", "QLabel", g34, {0, 0, 1, 2}, "Serial No."),
        combo("baudRateComboBox", g34, {3, 0, 1, 2}, kBaud17, 8),
        spec("label_4", "QLabel", g34, {6, 0, 1, 2}, "Parity"),
        spec("cleandatapushButton", "QPushButton", g34, {13, 0, 1, 2}, "Clear Receive"),
        combo("dataBitsComboBox", g34, {5, 0, 1, 2}, kDataBits, 3),
        spec("readtxtpushButton", "QPushButton", g34, {11, 0, 1, 2}, "Import"),
        spec("label_3", "QLabel", g34, {4, 0, 1, 2}, "Data Bits"),
        spec("groupBox_3", "QGroupBox", g4, {3, 2, 1, 1}, "Counter"),
        spec("label_7", "QLabel", g, {0, 0, 1, 1}, "send"),
        spec("sendbyteslcdNumber", "QLCDNumber", g, {1, 0, 1, 1}, {},
             {{"toolTip", kSentTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"digitCount", 5}}),
        spec("label_8", "QLabel", g, {2, 0, 1, 1}, "receive"),
        spec("recvbyteslcdNumber", "QLCDNumber", g, {3, 0, 1, 1}, {},
             {{"toolTip", kRecvTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"digitCount", 5},
              {"intValue", 0}, {"styleSheet", ""}}),
        spec("cleanbytespushButton", "QPushButton", g, {4, 0, 1, 1}, "Clear Count"),
        spec("COM_StrTextBrowser", "QPlainTextEdit", g4, {1, 0, 1, 1}, "", {{"readOnly", false}}),
        spec("COM_HexTextBrowser", "QPlainTextEdit", g4, {1, 1, 1, 1}, "", {{"readOnly", false}}),
    };
    FormCheck::checkWidgets(ui.serial, specs);
    if (failed())
        return;
    for (QLabel *l : {ui.label_6, ui.label_2, ui.label_5, ui.label, ui.label_4, ui.label_3})
        checkPolicy(l, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.groupBox, QSizePolicy::Preferred, QSizePolicy::Expanding);
    checkPolicy(ui.recvbyteslcdNumber, QSizePolicy::Preferred, QSizePolicy::Minimum);
    QVERIFY(ui.opencompushButton->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(ui.opencompushButton->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!ui.sendmsgBtn->icon().isNull());
    // No widget of the page has its own font or style sheet beyond the three empty ones.
    for (QWidget *child : pageWidgets(ui.serial)) {
        QVERIFY2(!child->testAttribute(Qt::WA_SetFont), qPrintable(child->objectName()));
        QVERIFY2(child->styleSheet().isEmpty(), qPrintable(child->objectName()));
    }
    // One stretch between "Clear Sendbox" and "Send File".
    checkSpacer(spacerAt(ui.gridLayout_2, 1, 6), 40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    QCOMPARE(spacerCount(ui.gridLayout_2) + spacerCount(ui.gridLayout_34) + spacerCount(ui.gridLayout)
                 + spacerCount(ui.gridLayout_4),
             1);
    checkLayouts(ui.serial);
    // The interval cannot leave 10..5000.
    ui.delayspinBox->setValue(1);
    QCOMPARE(ui.delayspinBox->value(), 10);
    ui.delayspinBox->setValue(99999);
    QCOMPARE(ui.delayspinBox->value(), 5000);
    // "921600 " reads as 921600 once its blank is trimmed.
    bool ok = false;
    QCOMPARE(ui.baudRateComboBox->itemText(14).trimmed().toInt(&ok), 921600);
    QVERIFY(ok);
    // As built, everything is visible and enabled.
    for (QWidget *child : pageWidgets(ui.serial)) {
        QVERIFY2(!child->isHidden(), qPrintable(child->objectName()));
        QVERIFY2(child->isEnabled(), qPrintable(child->objectName()));
    }
}

void TestFormPages1::udpPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g3 = "gridLayout_3", g5 = "gridLayout_5", g7 = "gridLayout_7", g6 = "gridLayout_6";
    const QList<WidgetSpec> specs = {
        spec("UDP_HexTextBrowser", "QPlainTextEdit", g3, {2, 1, 1, 1}, ""),
        spec("groupBox_5", "QGroupBox", g3, {4, 0, 1, 2}, "Send Data",
             {{"flat", true}, {"maximumSize", QSize(16777215, 160)}, {"styleSheet", ""}}),
        spec("label_11", "QLabel", g5, {1, 4, 1, 1}, "Interval(MS)"),
        spec("UDPobocheckBox", "QCheckBox", g5, {1, 2, 1, 1}, "Keep Send", unchecked()),
        spec("UDPsendmsgBtn", "QPushButton", g5, {1, 0, 1, 1}, "Send",
             {{"minimumSize", QSize(0, 23)}, {"maximumSize", QSize(100, 23)}, {"autoDefault", false}, {"default", false}}),
        spec("UDPcleansendpushButton", "QPushButton", g5, {1, 5, 1, 1}, "Clear Sendbox"),
        spec("UDPsendAsHexcheckBox", "QCheckBox", g5, {1, 1, 1, 1}, "Hex to Send", {{"checked", false}, {"toolTip", kHexTip}}),
        spec("UDPdelayspinBox", "QSpinBox", g5, {1, 3, 1, 1}, {}, {{"minimum", 10}, {"maximum", 5000}, {"value", 200}}),
        spec("UDPsendMsgtextEdit", "QPlainTextEdit", g5, {0, 0, 1, 7}, ""),
        spec("UDP_StrTextBrowser", "QPlainTextEdit", g3, {2, 0, 1, 1}, ""),
        spec("groupBox_6", "QGroupBox", g3, {4, 2, 1, 1}, "Counter", {{"maximumSize", QSize(16777215, 160)}}),
        spec("label_12", "QLabel", g7, {0, 0, 1, 1}, "send"),
        spec("UDPsendbyteslcdNumber", "QLCDNumber", g7, {1, 0, 1, 1}, {},
             {{"toolTip", kSentTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"digitCount", 5}}),
        spec("label_13", "QLabel", g7, {2, 0, 1, 1}, "receive"),
        spec("UDPrecvbyteslcdNumber", "QLCDNumber", g7, {3, 0, 1, 1}, {},
             {{"toolTip", kRecvTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"intValue", 0},
              {"styleSheet", ""}}),
        spec("UDPcleanbytespushButton", "QPushButton", g7, {4, 0, 1, 1}, "Clear Count"),
        spec("label_10", "QLabel", g3, {1, 0, 1, 1}, "Receive Data"),
        spec("groupBox_2", "QGroupBox", g3, {0, 2, 3, 1}, "UDP Setting", {{"styleSheet", ""}}),
        spec("UDPreadtxtpushButton", "QPushButton", g6, {9, 0, 1, 2}, "Import"),
        spec("UDPopencompushButton", "QPushButton", g6, {8, 0, 1, 2}, "Start"),
        spec("UDPFarPortlineEdit", "QLineEdit", g6, {7, 0, 1, 2}, "1000"),
        spec("UDPsavetxtpushButton", "QPushButton", g6, {10, 0, 1, 2}, "Export"),
        spec("UDP_HEXcheckBox", "QCheckBox", g6, {12, 1, 1, 1}, "Hex", unchecked()),
        spec("UDPFarIPlineEdit", "QLineEdit", g6, {5, 0, 1, 2}, "127.0.0.1"),
        spec("UDPSenderPortlineEdit", "QLineEdit", g6, {3, 0, 1, 2}, "1000"),
        spec("label_18", "QLabel", g6, {4, 0, 1, 2}, "Remote IP:"),
        spec("label_26", "QLabel", g6, {2, 0, 1, 2}, "Local Port:"),
        spec("label_27", "QLabel", g6, {6, 0, 1, 2}, "Remote Port:"),
        spec("UDPServerIPcomboBox", "QComboBox", g6, {1, 0, 1, 2}, {}, {{"editable", false}, {"count", 0}}),
        spec("UDPcleandatapushButton", "QPushButton", g6, {11, 0, 1, 2}, "Clear Receive"),
        spec("UDP_showtime_checkBox", "QCheckBox", g6, {12, 0, 1, 1}, "Time", unchecked()),
        spec("label_17", "QLabel", g6, {0, 0, 1, 1}, "Local IP:"),
    };
    FormCheck::checkWidgets(ui.udp, specs);
    if (failed())
        return;
    checkPolicy(ui.label_11, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.label_10, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.groupBox_6, QSizePolicy::Preferred, QSizePolicy::Preferred);
    checkPolicy(ui.groupBox_2, QSizePolicy::Fixed, QSizePolicy::Preferred);
    checkPolicy(ui.UDPrecvbyteslcdNumber, QSizePolicy::Preferred, QSizePolicy::Minimum);
    QCOMPARE(ui.groupBox_2->alignment(), Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    QVERIFY(ui.UDPopencompushButton->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(ui.UDPopencompushButton->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!ui.UDPsendmsgBtn->icon().isNull());
    checkSpacer(spacerAt(ui.gridLayout_5, 1, 6), 40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    QCOMPARE(spacerCount(ui.gridLayout_5) + spacerCount(ui.gridLayout_6) + spacerCount(ui.gridLayout_7)
                 + spacerCount(ui.gridLayout_3),
             1);
    // No "Send File" on this page; rows 0 (left) and 3 stay empty.
    QVERIFY(!ui.gridLayout_3->itemAtPosition(0, 0));
    QVERIFY(!ui.gridLayout_3->itemAtPosition(3, 0));
    checkLayouts(ui.udp);
    for (QWidget *child : pageWidgets(ui.udp)) {
        QVERIFY2(!child->isHidden() && child->isEnabled(), qPrintable(child->objectName()));
        QVERIFY2(!child->testAttribute(Qt::WA_SetFont), qPrintable(child->objectName()));
    }
    for (QLineEdit *e : ui.udp->findChildren<QLineEdit *>()) {
        QVERIFY(!e->isReadOnly());
        QCOMPARE(e->maxLength(), 32767);
    }
}

void TestFormPages1::tcpPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g12 = "gridLayout_12", g9 = "gridLayout_9", g10 = "gridLayout_10", g11 = "gridLayout_11";
    const QList<WidgetSpec> specs = {
        spec("label_15", "QLabel", g12, {0, 0, 1, 1}, "Receive Data", {{"maximumSize", QSize(16777215, 15)}}),
        spec("TCP_StrTextBrowser", "QPlainTextEdit", g12, {1, 0, 1, 1}, ""),
        spec("TCP_HexTextBrowser", "QPlainTextEdit", g12, {1, 1, 1, 1}, ""),
        spec("groupBox_7", "QGroupBox", g12, {2, 0, 1, 2}, "Send Data",
             {{"flat", true}, {"maximumSize", QSize(16777215, 200)}, {"styleSheet", ""}}),
        spec("TCPcleansendpushButton", "QPushButton", g9, {3, 5, 1, 1}, "Clear Sendbox"),
        spec("TCPdelayspinBox", "QSpinBox", g9, {3, 3, 1, 1}, {}, {{"minimum", 10}, {"maximum", 5000}, {"value", 200}}),
        spec("label_14", "QLabel", g9, {3, 4, 1, 1}, "Interval(MS)"),
        spec("TCPsendmsgBtn", "QPushButton", g9, {3, 0, 1, 1}, "Send",
             {{"minimumSize", QSize(0, 23)}, {"maximumSize", QSize(100, 23)}, {"autoDefault", false}, {"default", false}}),
        spec("TCPsendAsHexcheckBox", "QCheckBox", g9, {3, 1, 1, 1}, "Hex to Send", {{"checked", false}, {"toolTip", kHexTip}}),
        spec("TCPobocheckBox", "QCheckBox", g9, {3, 2, 1, 1}, "Keep Send", unchecked()),
        spec("TCP_Client_IP_comboBox", "QComboBox", g9, {2, 0, 1, 6}, {}, {{"count", 0}}),
        spec("TCPsendMsgtextEdit", "QPlainTextEdit", g9, {1, 0, 1, 7}, ""),
        spec("groupBox_8", "QGroupBox", g12, {2, 2, 1, 1}, "Counter"),
        spec("label_16", "QLabel", g10, {0, 0, 1, 1}, "send"),
        spec("TCPsendbyteslcdNumber", "QLCDNumber", g10, {1, 0, 1, 1}, {},
             {{"toolTip", kSentTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"digitCount", 5}}),
        spec("label_19", "QLabel", g10, {2, 0, 1, 1}, "receive"),
        spec("TCPrecvbyteslcdNumber", "QLCDNumber", g10, {3, 0, 1, 1}, {},
             {{"toolTip", kRecvTip}, {"frameShape", "StyledPanel"}, {"segmentStyle", "Flat"}, {"intValue", 0},
              {"styleSheet", ""}}),
        spec("TCPcleanbytespushButton", "QPushButton", g10, {4, 0, 1, 1}, "Clear Count"),
        spec("groupBox_9", "QGroupBox", g12, {0, 2, 2, 1}, "TCP Setting", {{"styleSheet", ""}}),
        spec("TCPclientIPlineEdit", "QLineEdit", g11, {7, 0, 1, 2}, "127.0.0.1"),
        spec("label_21", "QLabel", g11, {6, 0, 1, 2}, "Remote IP:"),
        combo("TCP_comboBox", g11, {1, 0, 1, 2}, {"TCP Server", "TCP Client"}, 0),
        spec("TCP_showtime_checkBox", "QCheckBox", g11, {14, 0, 1, 1}, "Time", unchecked()),
        spec("label_28", "QLabel", g11, {4, 0, 1, 2}, "Local Port:"),
        spec("TCPServerIPcomboBox", "QComboBox", g11, {3, 0, 1, 2}, {}, {{"editable", false}, {"count", 0}}),
        spec("TCPsavetxtpushButton", "QPushButton", g11, {12, 0, 1, 2}, "Export"),
        spec("TCPreadtxtpushButton", "QPushButton", g11, {11, 0, 1, 2}, "Import"),
        spec("TCP_HEXcheckBox", "QCheckBox", g11, {14, 1, 1, 1}, "Hex", unchecked()),
        spec("TCPServerPortlineEdit", "QLineEdit", g11, {5, 0, 1, 2}, "1000"),
        spec("label_29", "QLabel", g11, {8, 0, 1, 2}, "Remote Port:"),
        spec("TCPopencompushButton", "QPushButton", g11, {10, 0, 1, 2}, "Start"),
        spec("TCPclientPortlineEdit", "QLineEdit", g11, {9, 0, 1, 2}, "1000"),
        spec("TCPcleandatapushButton", "QPushButton", g11, {13, 0, 1, 2}, "Clear Receive"),
        spec("label_20", "QLabel", g11, {2, 0, 1, 2}, "Local IP:"),
        spec("label_22", "QLabel", g11, {0, 0, 1, 1}, "Mode:"),
    };
    FormCheck::checkWidgets(ui.tcp, specs);
    if (failed())
        return;
    checkPolicy(ui.label_15, QSizePolicy::Preferred, QSizePolicy::Preferred);
    checkPolicy(ui.groupBox_7, QSizePolicy::Preferred, QSizePolicy::Preferred);
    checkPolicy(ui.label_14, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.groupBox_8, QSizePolicy::Preferred, QSizePolicy::Preferred);
    checkPolicy(ui.TCPsendbyteslcdNumber, QSizePolicy::Minimum, QSizePolicy::Minimum);
    checkPolicy(ui.TCPrecvbyteslcdNumber, QSizePolicy::Preferred, QSizePolicy::Minimum);
    checkPolicy(ui.groupBox_9, QSizePolicy::Fixed, QSizePolicy::Preferred);
    checkPolicy(ui.TCPclientPortlineEdit, QSizePolicy::Expanding, QSizePolicy::Fixed);
    QCOMPARE(ui.groupBox_9->alignment(), Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    QCOMPARE(ui.TCPopencompushButton->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(ui.TCPopencompushButton->testAttribute(Qt::WA_SetCursor));
    checkSpacer(spacerAt(ui.gridLayout_9, 3, 6), 40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    checkSpacer(spacerAt(ui.gridLayout_9, 2, 6), 173, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    QCOMPARE(spacerCount(ui.gridLayout_9) + spacerCount(ui.gridLayout_10) + spacerCount(ui.gridLayout_11)
                 + spacerCount(ui.gridLayout_12),
             2);
    QVERIFY(!ui.gridLayout_9->itemAtPosition(0, 0)); // row 0 of "Send Data" stays empty
    checkLayouts(ui.tcp);
    for (QWidget *child : pageWidgets(ui.tcp))
        QVERIFY2(!child->isHidden() && child->isEnabled(), qPrintable(child->objectName()));
}

void TestFormPages1::mqttPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g = "gridLayout_33";
    const QList<WidgetSpec> specs = {
        spec("label_68", "QLabel", g, {0, 0, 1, 1}, "Protocol"),
        spec("label_69", "QLabel", g, {0, 1, 1, 1}, "Host"),
        spec("label_70", "QLabel", g, {0, 4, 1, 1}, "Port"),
        combo("mqtt_protocol_combox", g, {1, 0, 1, 1}, kSchemes, 0),
        spec("mqtt_port_lineEdit", "QLineEdit", g, {1, 4, 1, 2}, ""),
        spec("label_71", "QLabel", g, {2, 0, 1, 1}, "Username"),
        spec("label_72", "QLabel", g, {2, 2, 1, 1}, "Password"),
        spec("label_73", "QLabel", g, {2, 4, 1, 1}, "Client ID"),
        spec("mqtt_username_lineEdit", "QLineEdit", g, {3, 0, 1, 2}, ""),
        spec("mqtt_password_lineEdit", "QLineEdit", g, {3, 2, 1, 2}, "", {{"echoMode", "Normal"}}),
        spec("mqtt_clientid_lineEdit", "QLineEdit", g, {3, 4, 1, 2}, ""),
        spec("label_74", "QLabel", g, {5, 0, 1, 1}, "Subscribe Topic"),
        spec("mqtt_subscribe_lineEdit", "QLineEdit", g, {5, 1, 1, 1}, ""),
        spec("label_75", "QLabel", g, {5, 2, 1, 1}, "Publish Topic"),
        spec("mqtt_publish_lineEdit", "QLineEdit", g, {5, 3, 1, 1}, ""),
        inBox("mqtt_opencompushButton", "QPushButton", "horizontalLayout_2", "Connect"),
        inBox("mqtt_subscribed_pushButton", "QPushButton", "horizontalLayout_2", "Subscribe"),
        inBox("mqtt_publish_pushButton", "QPushButton", "horizontalLayout_2", "Publish"),
        spec("mqtt_save_pushButton", "QPushButton", g, {5, 4, 1, 2}, "Save"),
        spec("mqtt_host_lineEdit", "QLineEdit", g, {1, 1, 1, 3}, kMqttHost),
        inBox("mqtt_textEdit", "QTextEdit", "horizontalLayout_3", ""),
        inBox("mqtt_pub_textEdit", "QTextEdit", "horizontalLayout_3", ""),
    };
    FormCheck::checkWidgets(ui.Mqtt, specs);
    if (failed())
        return;
    // The host default is a private IPv4 address in dotted-decimal form.
    const QHostAddress host(ui.mqtt_host_lineEdit->text());
    QCOMPARE(host.protocol(), QAbstractSocket::IPv4Protocol);
    const quint32 v = host.toIPv4Address();
    QVERIFY((v >> 24) == 10 || (v >> 20) == 0xAC1 || (v >> 16) == 0xC0A8); // 10/8, 172.16/12, 192.168/16
    // Row layouts and their positions.
    int r, c, rs, cs;
    ui.gridLayout_33->getItemPosition(ui.gridLayout_33->indexOf(ui.horizontalLayout_2), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({7, 0, 1, 6}));
    ui.gridLayout_33->getItemPosition(ui.gridLayout_33->indexOf(ui.horizontalLayout_3), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({6, 0, 1, 6}));
    QCOMPARE(ui.horizontalLayout_2->count(), 5);
    QCOMPARE(ui.horizontalLayout_2->itemAt(0)->widget(), ui.mqtt_opencompushButton);
    checkSpacer(ui.horizontalLayout_2->itemAt(1)->spacerItem(), 40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    QCOMPARE(ui.horizontalLayout_2->itemAt(2)->widget(), ui.mqtt_subscribed_pushButton);
    checkSpacer(ui.horizontalLayout_2->itemAt(3)->spacerItem(), 40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    QCOMPARE(ui.horizontalLayout_2->itemAt(4)->widget(), ui.mqtt_publish_pushButton);
    QCOMPARE(ui.horizontalLayout_3->count(), 3);
    QCOMPARE(ui.horizontalLayout_3->itemAt(0)->widget(), ui.mqtt_textEdit);
    checkSpacer(ui.horizontalLayout_3->itemAt(1)->spacerItem(), 20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    QCOMPARE(ui.horizontalLayout_3->itemAt(2)->widget(), ui.mqtt_pub_textEdit);
    QCOMPARE(spacerCount(ui.gridLayout_33), 0);
    for (QLabel *l : {ui.label_68, ui.label_69, ui.label_70, ui.label_71, ui.label_72, ui.label_73})
        checkPolicy(l, QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (QWidget *child : pageWidgets(ui.Mqtt)) {
        QCOMPARE(child->parentWidget(), ui.Mqtt);
        QVERIFY2(child->styleSheet().isEmpty() && !child->testAttribute(Qt::WA_SetFont), qPrintable(child->objectName()));
    }
    for (QLineEdit *e : ui.Mqtt->findChildren<QLineEdit *>()) {
        QVERIFY(!e->isReadOnly());
        QCOMPARE(e->echoMode(), QLineEdit::Normal);
        QVERIFY(!e->validator());
    }
    QVERIFY(!ui.mqtt_textEdit->isReadOnly()); // the page makes it read-only, not the form
    QCOMPARE(ui.mqtt_opencompushButton->cursor().shape(), Qt::ArrowCursor);
    checkLayouts(ui.Mqtt);
}

void TestFormPages1::gpsPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g15 = "gridLayout_15", g13 = "gridLayout_13", g16 = "gridLayout_16";
    QList<WidgetSpec> specs = {
        spec("groupBox_11", "QGroupBox", g16, {1, 1, 2, 1}, "GPS information",
             {{"minimumSize", QSize(0, 0)}, {"maximumSize", QSize(200, 16777215)}}),
        spec("label_37", "QLabel", g15, {4, 0, 1, 1}, "GPS satellite:"),
        spec("label_34", "QLabel", g15, {8, 0, 1, 1}, "Speed:"),
        spec("label_38", "QLabel", g15, {6, 0, 1, 1}, "Use satellite:"),
        spec("label_35", "QLabel", g15, {7, 0, 1, 1}, "Altitude:"),
        spec("label_45", "QLabel", g15, {11, 0, 1, 1}, "Level factor:"),
        spec("label_46", "QLabel", g15, {10, 0, 1, 1}, "Vertical factor:"),
        spec("label_44", "QLabel", g15, {9, 0, 1, 1}, "Location factor:"),
        spec("label_32", "QLabel", g15, {1, 0, 1, 1}, "Longitude:"),
        spec("label_25", "QLabel", g15, {3, 0, 1, 1}, "Location state:"),
        spec("label_33", "QLabel", g15, {2, 0, 1, 1}, "Latitude:"),
        spec("Jingdufangxiang", "QLabel", g15, {1, 2, 1, 1}, ""),
        spec("label_42", "QLabel", g15, {0, 0, 1, 1}, "UTC:"),
        spec("Weidufangxiang", "QLabel", g15, {2, 2, 1, 1}, ""),
        spec("label_58", "QLabel", g15, {5, 0, 1, 1}, "Beidou satellite:"),
        spec("groupBox_12", "QGroupBox", g16, {2, 0, 1, 1}, "Serial Message"),
        spec("GPStextBrowser", "QPlainTextEdit", "gridLayout_14", {0, 0, 1, 1}, "", {{"readOnly", false}}),
        spec("groupBox_10", "QGroupBox", g16, {0, 1, 1, 1}, "Serial Setting",
             {{"minimumSize", QSize(200, 0)}, {"maximumSize", QSize(16777215, 16777215)}, {"acceptDrops", false},
              {"flat", false}, {"styleSheet", ""}}),
        spec("GPSTCPServerIPcomboBox", "QComboBox", g13, {4, 1, 1, 1}, {},
             {{"maximumSize", QSize(100, 16777215)}, {"editable", false}, {"count", 0}}),
        spec("GPSpushButtonsearchdriving", "QPushButton", g13, {14, 1, 1, 1}, "Navigation"),
        combo("GPSbaudRateComboBox", g13, {2, 1, 1, 1}, kBaud11, 8),
        spec("label_41", "QLabel", g13, {4, 0, 1, 1}, "Local IP:"),
        spec("GPS_on_off_checkBox", "QCheckBox", g13, {9, 0, 1, 2}, "Track the GPS moving map", unchecked()),
        spec("GPSopencompushButton", "QPushButton", g13, {3, 0, 1, 2}, "Open"),
        spec("GPScalculate", "QPushButton", g13, {13, 1, 1, 1}, "Calculation"),
        spec("label_51", "QLabel", g13, {5, 0, 1, 1}, "Local Port:"),
        spec("GPScleandatapushButton", "QPushButton", g13, {8, 0, 1, 2}, "Clear Receive"),
        spec("GPSportMode_01", "QRadioButton", g13, {0, 0, 1, 1}, "COM", unchecked()),
        spec("GPSSavecheckBox", "QCheckBox", g13, {10, 0, 1, 2}, "Save latitude and longitude", unchecked()),
        spec("GPSTCPServerPortlineEdit", "QLineEdit", g13, {5, 1, 1, 1}, "1000", {{"maximumSize", QSize(100, 16777215)}}),
        spec("GPSportNameComboBox", "QComboBox", g13, {1, 1, 1, 1}, {}, {{"count", 0}}),
        spec("label_24", "QLabel", g13, {2, 0, 1, 1}, "Baudrate"),
        spec("GPSTCPopencompushButton", "QPushButton", g13, {7, 0, 1, 2}, "Start"),
        spec("label_23", "QLabel", g13, {1, 0, 1, 1}, "Serial No."),
        spec("GPSportMode_02", "QRadioButton", g13, {0, 1, 1, 1}, "TCP", unchecked()),
        spec("GPStrochoidpushButton", "QPushButton", g13, {14, 0, 1, 1}, "Import  track"),
        spec("GPSsignal", "QPushButton", g13, {13, 0, 1, 1}, "Signal"),
    };
    const QList<QPair<QString, Cell>> values = {
        {"GPS_UTC", {0, 1, 1, 2}},        {"Jingdu", {1, 1, 1, 1}},          {"Weidu", {2, 1, 1, 1}},
        {"Dingweizhuangtai", {3, 1, 1, 1}}, {"GPSKejianweixing", {4, 1, 1, 1}}, {"BDKejianweixing", {5, 1, 1, 1}},
        {"Shiyongweixing", {6, 1, 1, 1}}, {"Haibagaodu", {7, 1, 1, 1}},      {"Dimiansudu", {8, 1, 1, 1}},
        {"Weizhiyinzi", {9, 1, 1, 1}},    {"Cuizhiyinzi", {10, 1, 1, 1}},    {"Shuipingyinzi", {11, 1, 1, 1}}};
    for (const auto &v : values)
        specs << spec(v.first, "QLabel", g15, v.second, "Null");
    FormCheck::checkWidgets(ui.gps, specs);
    if (failed())
        return;
    checkPolicy(ui.groupBox_11, QSizePolicy::Preferred, QSizePolicy::Preferred, 2, 4);
    checkPolicy(ui.groupBox_12, QSizePolicy::Preferred, QSizePolicy::Preferred, 8, 1);
    checkPolicy(ui.groupBox_10, QSizePolicy::Fixed, QSizePolicy::Preferred);
    checkPolicy(ui.label_24, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.label_23, QSizePolicy::Preferred, QSizePolicy::Fixed);
    QCOMPARE(ui.GPSopencompushButton->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(ui.GPSopencompushButton->testAttribute(Qt::WA_SetCursor));
    QVERIFY(ui.GPSTCPopencompushButton->testAttribute(Qt::WA_SetCursor));
    // Both source buttons share the settings group, so they exclude each other.
    QCOMPARE(ui.GPSportMode_01->parentWidget(), ui.groupBox_10);
    QCOMPARE(ui.GPSportMode_02->parentWidget(), ui.groupBox_10);
    QVERIFY(ui.GPSportMode_01->autoExclusive());
    // The map area is an empty nested grid at 0,0 spanning two rows.
    int r, c, rs, cs;
    ui.gridLayout_16->getItemPosition(ui.gridLayout_16->indexOf(ui.gps_gridLayout), &r, &c, &rs, &cs);
    QCOMPARE(QList<int>({r, c, rs, cs}), QList<int>({0, 0, 2, 1}));
    QCOMPARE(ui.gps_gridLayout->count(), 0);
    QVERIFY(!ui.gps_gridLayout->parentWidget() || ui.gps_gridLayout->parentWidget()->layout() != ui.gps_gridLayout);
    // Stacking order: "Serial Message", then "Serial Setting", then "GPS information" on top.
    const QObjectList kids = ui.gps->children();
    QVERIFY(kids.indexOf(ui.groupBox_12) < kids.indexOf(ui.groupBox_10));
    QVERIFY(kids.indexOf(ui.groupBox_10) < kids.indexOf(ui.groupBox_11));
    QCOMPARE(kids.last(), ui.groupBox_11);
    // Serial settings: left margin 9, the rest from the style.
    const int styleMargin = ui.groupBox_10->style()->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, ui.groupBox_10);
    checkLayouts(ui.gps, {{"gridLayout_13", {6, QMargins(9, ui.groupBox_10->style()->pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, ui.groupBox_10),
                                                        styleMargin,
                                                        ui.groupBox_10->style()->pixelMetric(QStyle::PM_LayoutBottomMargin, nullptr, ui.groupBox_10))}},
                          {"gridLayout_14", {3, QMargins(11, 11, 11, 11)}}});
    QCOMPARE(ui.gridLayout_13->horizontalSpacing(), 6);
    for (QLayout *l : {static_cast<QLayout *>(ui.gridLayout_16), static_cast<QLayout *>(ui.gridLayout_15),
                       static_cast<QLayout *>(ui.gridLayout_14), static_cast<QLayout *>(ui.gridLayout_13),
                       static_cast<QLayout *>(ui.gps_gridLayout)})
        QCOMPARE(spacerCount(l), 0);
    for (QWidget *child : pageWidgets(ui.gps))
        QVERIFY2(child->toolTip().isEmpty(), qPrintable(child->objectName()));

    // Widening the window gives the extra width to the map and sentence view,
    // not to the two right-hand groups.
    w.resize(915, 750);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ui.tabWidget->setCurrentWidget(ui.gps);
    QCoreApplication::processEvents();
    const int settingsWidth = ui.groupBox_10->width();
    const int messageWidth = ui.groupBox_12->width();
    w.resize(1200, 800);
    QTRY_VERIFY(ui.groupBox_12->width() > messageWidth);
    QCOMPARE(ui.groupBox_10->width(), settingsWidth);
    QVERIFY(ui.groupBox_10->width() >= 200);
    QVERIFY(ui.groupBox_11->width() <= 200);
}

void TestFormPages1::gsmPage()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    const QString g25 = "gridLayout_25", g20 = "gridLayout_20", g19 = "gridLayout_19", g17 = "gridLayout_17",
                  g21 = "gridLayout_21", g22 = "gridLayout_22", g18 = "gridLayout_18", v3 = "verticalLayout_3";
    const QVariantMap minH5 = {{"minimumSize", QSize(0, 5)}};
    const QVariantMap sw = {{"minimumSize", QSize(80, 30)}, {"maximumSize", QSize(80, 30)}, {"iconSize", QSize(359, 210)},
                            {"checkable", false}};
    QList<WidgetSpec> specs = {
        spec("gsm_groupBox_SMSsend", "QGroupBox", g25, {0, 0, 2, 1}, "Send SMS"),
        spec("GSMNUMtextEdit", "QTextEdit", g20, {1, 0, 1, 1}, {}, {{"maximumSize", QSize(16777215, 30)}}),
        spec("GSMSendpushButton", "QPushButton", g20, {1, 1, 1, 1}, "Send"),
        spec("GSMtextBrowser", "QTextEdit", g20, {0, 0, 1, 2}, {}, {{"readOnly", false}}),
        spec("gsm_groupBox_call", "QGroupBox", g25, {0, 1, 2, 1}, "Call phone"),
        spec("GSMbodianhuapushButton", "QPushButton", g19, {1, 0, 1, 1}, "Call", minH5),
        spec("GSMANJIANpushButton_Clean", "QPushButton", g19, {1, 1, 1, 1}, "Clear", minH5),
        spec("GSMguadianhuapushButton", "QPushButton", g19, {1, 2, 1, 1}, "Cut", minH5),
        spec("GSMANJIANpushButton_5", "QPushButton", g19, {5, 1, 1, 1}, "5", {{"minimumSize", QSize(0, 20)}}),
        spec("GSMtextBrowser_1", "QTextBrowser", g19, {0, 0, 1, 3}, "",
             {{"maximumSize", QSize(16777215, 50)}, {"layoutDirection", "RightToLeft"}, {"readOnly", true}}),
        spec("GSM_AutoRedial", "QCheckBox", g19, {2, 1, 1, 1}, "Auto Redial", unchecked()),
        spec("gsm_groupBox_serial", "QGroupBox", g25, {0, 2, 1, 1}, "Serial Setting",
             {{"acceptDrops", false}, {"flat", false}, {"styleSheet", ""}}),
        inBox("label_39", "QLabel", v3, "Serial No."),
        spec("GSMportNameComboBox", "QComboBox", v3, Cell{}, {}, {{"count", 0}}),
        inBox("label_40", "QLabel", v3, "Baudrate"),
        inBox("GSMopencompushButton", "QPushButton", v3, "Open"),
        spec("gsm_groupBox_signal", "QGroupBox", g25, {1, 2, 1, 1}, "Signal"),
        spec("GSMTestSignalpushButton", "QPushButton", g17, {0, 0, 1, 1}, "signal value"),
        spec("GSMCheckSigneltext", "QLabel", g17, {0, 1, 1, 1}, "", {{"minimumSize", QSize(24, 24)}, {"maximumSize", QSize(24, 24)}}),
        spec("gsm_groupBox_SMSRead", "QGroupBox", g25, {2, 0, 2, 1}, "Read SMS"),
        spec("GSMDelALLTextpushButton", "QPushButton", g21, {1, 2, 1, 1}, "Delete All"),
        spec("GSMReadTextpushButton", "QPushButton", g21, {1, 0, 1, 1}, "Read"),
        spec("GSMReadtextBrowser", "QTextBrowser", g21, {0, 0, 1, 3}, "", {{"readOnly", true}}),
        spec("GSMDelTextpushButton", "QPushButton", g21, {1, 1, 1, 1}, "Delete"),
        spec("groupBox_20", "QGroupBox", g25, {2, 1, 2, 1}, "GPRS Test - TCP Client"),
        spec("GSMTCPsendmsgBtn", "QPushButton", g22, {3, 6, 1, 1}, "Send",
             {{"minimumSize", QSize(0, 23)}, {"maximumSize", QSize(100, 23)}, {"autoDefault", false}, {"default", false}}),
        spec("label_52", "QLabel", g22, {0, 0, 1, 1}, "Server IP:"),
        spec("label_53", "QLabel", g22, {0, 3, 1, 1}, "Port:"),
        spec("GSMTCPclientPortlineEdit", "QLineEdit", g22, {0, 4, 1, 1}, "1000"),
        spec("label_55", "QLabel", g22, {1, 3, 1, 2}, "Send Data"),
        spec("GSMTCPReadSBrowser", "QTextBrowser", g22, {2, 0, 1, 2}, "", {{"readOnly", true}}),
        spec("GSMTCPclientIPlineEdit", "QLineEdit", g22, {0, 1, 1, 1}, "127.0.0.1"),
        spec("GSMTcpsendBrowser", "QTextEdit", g22, {2, 3, 1, 4}, "", {{"readOnly", false}}),
        spec("label_54", "QLabel", g22, {1, 0, 1, 1}, "Receive Data"),
        spec("GSMTCPopencompushButton", "QPushButton", g22, {0, 6, 1, 1}, "Connect"),
        spec("gsm_groupBox_config", "QGroupBox", g25, {2, 2, 2, 1}, "Function switch"),
        spec("label_30", "QLabel", g18, {0, 0, 1, 1}, "Show Caller"),
        spec("GSMLaidianKaiguanpushButton", "QPushButton", g18, {1, 0, 1, 1}, "", sw),
        spec("label_31", "QLabel", g18, {2, 0, 1, 1}, "Call Music"),
        spec("GSMLaidianYingKaiguanpushButton", "QPushButton", g18, {3, 0, 1, 1}, "", sw),
        spec("label_36", "QLabel", g18, {4, 0, 1, 1}, "SMS text mode"),
        spec("GSMDuanXinWenBenKaiguanpushButton", "QPushButton", g18, {5, 0, 1, 1}, "", sw),
    };
    WidgetSpec baud = inBox("GSMbaudRateComboBox", "QComboBox", v3);
    baud.items = kBaud11;
    baud.currentIndex = 2;
    specs << baud;
    const QStringList keyText = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "*", "#"};
    const QList<Cell> keyCell = {{7, 1, 1, 1}, {3, 0, 1, 1}, {3, 1, 1, 1}, {3, 2, 1, 1}, {5, 0, 1, 1}, {5, 1, 1, 1},
                                 {5, 2, 1, 1}, {6, 0, 1, 1}, {6, 1, 1, 1}, {6, 2, 1, 1}, {7, 0, 1, 1}, {7, 2, 1, 1}};
    for (int i = 0; i < 12; ++i)
        specs << spec(QString("GSMANJIANpushButton_%1").arg(i), "QPushButton", g19, keyCell.at(i), keyText.at(i));
    FormCheck::checkWidgets(ui.gsm, specs);
    if (failed())
        return;

    // Box order of the serial settings.
    const QList<QWidget *> boxOrder = {ui.label_39, ui.GSMportNameComboBox, ui.label_40, ui.GSMbaudRateComboBox,
                                       ui.GSMopencompushButton};
    QCOMPARE(ui.verticalLayout_3->count(), 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(ui.verticalLayout_3->itemAt(i)->widget(), boxOrder.at(i));
    checkPolicy(ui.label_39, QSizePolicy::Preferred, QSizePolicy::Fixed);
    checkPolicy(ui.label_40, QSizePolicy::Preferred, QSizePolicy::Fixed);
    QVERIFY(!ui.gridLayout_19->itemAtPosition(4, 0)); // row 4 of the keypad stays empty

    // Fonts: keypad 20 bold, commands 12 bold, display 20 regular; family inherited.
    for (int i = 0; i < 12; ++i) {
        auto *b = ui.gsm->findChild<QPushButton *>(QString("GSMANJIANpushButton_%1").arg(i));
        QCOMPARE(b->font().pointSize(), 20);
        QVERIFY(b->font().bold());
        QCOMPARE(b->font().family(), ui.GSMSendpushButton->font().family());
        if (i != 5)
            QCOMPARE(b->minimumSize(), QSize(0, 5));
    }
    for (QPushButton *b : {ui.GSMbodianhuapushButton, ui.GSMANJIANpushButton_Clean, ui.GSMguadianhuapushButton}) {
        QCOMPARE(b->font().pointSize(), 12);
        QVERIFY(b->font().bold());
    }
    QCOMPARE(ui.GSMtextBrowser_1->font().pointSize(), 20);
    QVERIFY(!ui.GSMtextBrowser_1->font().bold());
    QCOMPARE(ui.GSMtextBrowser_1->toPlainText(), QString());

    // The three editors hold real rich text, not placeholders.
    QCOMPARE(ui.GSMNUMtextEdit->toPlainText().trimmed(), QString("Phone number"));
    QVERIFY(ui.GSMNUMtextEdit->placeholderText().isEmpty());
    QVERIFY(ui.GSMNUMtextEdit->toHtml().contains("Cantarell"));
    QVERIFY(ui.GSMNUMtextEdit->document()->rootFrame()->childFrames().size() == 1); // the one-row table
    QCOMPARE(ui.GSMtextBrowser->toPlainText(), QString("SMS content"));
    QVERIFY(ui.GSMtextBrowser->toHtml().contains("result_box"));
    QCOMPARE(ui.GSMTcpsendBrowser->toPlainText(), QString());
    QCOMPARE(ui.GSMTcpsendBrowser->document()->blockCount(), 1);
    QCOMPARE(ui.GSMTcpsendBrowser->document()->firstBlock().charFormat().fontPointSize(), 10.0);

    // Signal picture without text; the switch buttons share the "off" icon.
    QVERIFY(!ui.GSMCheckSigneltext->pixmap().isNull());
    QCOMPARE(ui.GSMCheckSigneltext->text(), QString());
    const QIcon off = ui.GSMLaidianKaiguanpushButton->icon();
    QVERIFY(!off.isNull());
    QCOMPARE(ui.GSMLaidianYingKaiguanpushButton->icon().cacheKey(), off.cacheKey());
    QCOMPARE(ui.GSMDuanXinWenBenKaiguanpushButton->icon().cacheKey(), off.cacheKey());
    QCOMPARE(ui.GSMLaidianYingKaiguanpushButton->toolTip(), QString());
    QCOMPARE(ui.GSMLaidianYingKaiguanpushButton->styleSheet(), QString());
    QVERIFY(!ui.GSMTCPsendmsgBtn->icon().isNull());
    QCOMPARE(ui.GSMopencompushButton->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(ui.GSMTCPopencompushButton->testAttribute(Qt::WA_SetCursor));

    checkLayouts(ui.gsm);
    for (QLayout *l : {static_cast<QLayout *>(ui.gridLayout_25), static_cast<QLayout *>(ui.gridLayout_20),
                       static_cast<QLayout *>(ui.gridLayout_19), static_cast<QLayout *>(ui.verticalLayout_3),
                       static_cast<QLayout *>(ui.gridLayout_17), static_cast<QLayout *>(ui.gridLayout_21),
                       static_cast<QLayout *>(ui.gridLayout_22), static_cast<QLayout *>(ui.gridLayout_18)})
        QCOMPARE(spacerCount(l), 0);
    for (QLineEdit *e : ui.gsm->findChildren<QLineEdit *>()) {
        QVERIFY(e->placeholderText().isEmpty());
        QVERIFY(!e->validator());
        QCOMPARE(e->maxLength(), 32767);
    }
}

void TestFormPages1::defaultsAtTheEndOfTheBuild()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    QCOMPARE(ui.baudRateComboBox->currentText(), QString("115200"));
    QCOMPARE(ui.dataBitsComboBox->currentText(), QString("8"));
    QCOMPARE(ui.parityComboBox->currentText(), QString("None"));
    QCOMPARE(ui.stopBitsComboBox->currentText(), QString("1"));
    QCOMPARE(ui.GPSbaudRateComboBox->currentText(), QString("115200"));
    QCOMPARE(ui.GPSbaudRateComboBox->count(), 11);
    QCOMPARE(ui.GSMbaudRateComboBox->currentText(), QString("9600"));
    QCOMPARE(ui.GSMbaudRateComboBox->currentIndex(), 2);
    QCOMPARE(ui.mqtt_protocol_combox->currentIndex(), 0);
    QCOMPARE(ui.mqtt_protocol_combox->currentText(), QString("mqtt://"));
    QCOMPARE(ui.TCP_comboBox->currentText(), QString("TCP Server"));
    for (QRadioButton *b : w.findChildren<QRadioButton *>())
        QVERIFY2(!b->isChecked(), qPrintable(b->objectName()));
    for (QLabel *l : {ui.GPS_UTC, ui.Jingdu, ui.Weidu, ui.Dingweizhuangtai, ui.GPSKejianweixing, ui.BDKejianweixing,
                      ui.Shiyongweixing, ui.Haibagaodu, ui.Dimiansudu, ui.Weizhiyinzi, ui.Cuizhiyinzi, ui.Shuipingyinzi})
        QCOMPARE(l->text(), QString("Null"));
    QCOMPARE(ui.Jingdufangxiang->text(), QString());
    QCOMPARE(ui.Weidufangxiang->text(), QString());
    for (QPushButton *b : {ui.sendmsgBtn, ui.UDPsendmsgBtn, ui.TCPsendmsgBtn, ui.GSMTCPsendmsgBtn})
        QVERIFY(!b->isDefault() && !b->autoDefault());
    QCOMPARE(ui.recvbyteslcdNumber->intValue(), 0);
    QCOMPARE(ui.UDPrecvbyteslcdNumber->intValue(), 0);
    QCOMPARE(ui.TCPrecvbyteslcdNumber->intValue(), 0);
    QCOMPARE(ui.sendbyteslcdNumber->intValue(), 0);
}

void TestFormPages1::retranslationOrderAndUntranslatedTexts()
{
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    RecordingTranslator rec;
    QCoreApplication::installTranslator(&rec);
    ui.retranslateUi(&w);
    QCoreApplication::removeTranslator(&rec);

    QStringList sources;
    for (const Translated &t : rec.seen) {
        QCOMPARE(t.context, QString("MainWindow"));
        QVERIFY(t.disambiguationNull);
        QCOMPARE(t.n, -1);
        // Empty texts (hemisphere labels, switch buttons, the signal caption) never pass the translator.
        QVERIFY(!t.source.isEmpty());
        sources << t.source;
    }
    QCOMPARE(sources.mid(0, 8), QStringList({"Kalvest -- VELM", "Exit", "Exit", "About", "About", "Preferences",
                                             "Check Update", "Help"}));
    QCOMPARE(sources.mid(sources.size() - 2), QStringList({"Edit(&E)", "About(&A)"}));

    // The serial page's texts come right after the actions, in member order,
    // and its tab text closes them.
    QStringList serial = {"Send Data", "Keep Send", kHexTip, "Hex to Send", "Send File", "Send", "Clear Sendbox",
                          "Interval(MS)", "Receive Data", "Serial Setting", "Open", "DTR", "Advanced", "Export",
                          "Baudrate", "Stop Bits", "Hex"};
    serial << kParity << kStopBits << "RTS" << "Time" << "Serial No." << kBaud17 << "115200" << "Parity"
           << "Clear Receive" << kDataBits << "Import" << "Data Bits" << "Counter" << "send" << kSentTip << "receive"
           << kRecvTip << "Clear Count" << "Serial Debug";
    QCOMPARE(sources.mid(8, serial.size()), serial);

    // Each page's tab text follows that page's own texts, in tab order.
    int previous = -1;
    for (const QString &tab : kTabs) {
        const int at = sources.indexOf(tab, previous + 1);
        QVERIFY2(at > previous, qPrintable(tab));
        previous = at;
    }
    auto segment = [&](const QString &fromTab, const QString &toTab) {
        const int a = sources.indexOf(fromTab), b = sources.indexOf(toTab, a + 1);
        return sources.mid(a + 1, b - a - 1);
    };
    const QStringList udp = segment("Serial Debug", "UDP Debug");
    QVERIFY(udp.contains("UDP Setting") && udp.contains("127.0.0.1") && udp.count("1000") == 2);
    const QStringList tcp = segment("UDP Debug", "TCP Debug");
    QVERIFY(tcp.contains("TCP Server") && tcp.contains("TCP Client") && tcp.count("1000") == 2);
    const QStringList gps = segment("TCP Debug", "GPS Debug");
    QCOMPARE(gps.count("Null"), 12);
    QVERIFY(gps.contains("1000") && gps.contains("Import  track"));
    QCOMPARE(gps.last(), QString("Signal"));
    const QStringList gsm = segment("GPS Debug", "GSM Debug");
    QVERIFY(gsm.contains("9600") && gsm.contains("127.0.0.1") && gsm.contains("1000"));
    QCOMPARE(gsm.count("9600"), 2); // item and current text
    const QStringList mqtt = segment("Oscilloscope", "MQTT");
    QCOMPARE(mqtt.mid(mqtt.indexOf("mqtt://"), 4), kSchemes);
    QVERIFY(mqtt.contains(kMqttHost));
    // Topics are not touched by the retranslation; the emptied fields pass as empty strings, without lookup.
    QCOMPARE(mqtt.size(), 17);
}

void TestFormPages1::languageChangeResetsDefaults()
{
    FormWindow w;
    Ui::MainWindow &ui = w.ui;
    ui.baudRateComboBox->setCurrentIndex(2);
    ui.dataBitsComboBox->setCurrentIndex(0);
    ui.GPSbaudRateComboBox->setCurrentIndex(0);
    ui.GSMbaudRateComboBox->setCurrentIndex(10);
    ui.COM_StrTextBrowser->setPlainText("received");
    ui.COM_HexTextBrowser->setPlainText("0x72,");
    ui.UDP_StrTextBrowser->setPlainText("udp text");
    ui.UDPSenderPortlineEdit->setText("2000");
    ui.UDPFarIPlineEdit->setText("127.0.0.2");
    ui.UDPFarPortlineEdit->setText("3000");
    ui.TCPclientIPlineEdit->setText("127.0.0.3");
    ui.TCPclientPortlineEdit->setText("4000");
    ui.TCPServerPortlineEdit->setText("5000");
    ui.TCP_comboBox->setCurrentIndex(1);
    ui.mqtt_host_lineEdit->setText("127.0.0.9");
    ui.mqtt_port_lineEdit->setText("1883");
    ui.mqtt_username_lineEdit->setText("user");
    ui.mqtt_password_lineEdit->setText("secret");
    ui.mqtt_clientid_lineEdit->setText("client-1");
    ui.mqtt_subscribe_lineEdit->setText("velm/in");
    ui.mqtt_publish_lineEdit->setText("velm/out");
    ui.mqtt_textEdit->setPlainText("log line");
    ui.mqtt_pub_textEdit->setPlainText("payload");
    ui.mqtt_protocol_combox->setCurrentIndex(3);
    ui.GPS_UTC->setText("12:00:00");
    ui.Jingdufangxiang->setText("E");
    ui.Weidufangxiang->setText("N");
    ui.GPSTCPServerPortlineEdit->setText("7000");
    ui.GSMTCPclientIPlineEdit->setText("127.0.0.4");
    ui.GSMTCPclientPortlineEdit->setText("8000");
    ui.GSMNUMtextEdit->setPlainText("10086");
    ui.GSMtextBrowser->setPlainText("hello");
    ui.GSMTcpsendBrowser->setPlainText("AT");

    QTranslator zh;
    QVERIFY(zh.load(":/transSimpleChinese.qm"));
    QCoreApplication::installTranslator(&zh);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCoreApplication::processEvents();

    // Baud combos back on their defaults; data bits keep the user's choice.
    QCOMPARE(ui.baudRateComboBox->currentText(), QString("115200"));
    QCOMPARE(ui.GPSbaudRateComboBox->currentText(), QString("115200"));
    QCOMPARE(ui.GSMbaudRateComboBox->currentText(), QString("9600"));
    QCOMPARE(ui.dataBitsComboBox->currentText(), QString("5"));
    QCOMPARE(ui.COM_StrTextBrowser->toPlainText(), QString());
    QCOMPARE(ui.COM_HexTextBrowser->toPlainText(), QString("0x72,"));
    QCOMPARE(ui.UDP_StrTextBrowser->toPlainText(), QString("udp text"));
    QCOMPARE(ui.UDPSenderPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.UDPFarIPlineEdit->text(), QString("127.0.0.1"));
    QCOMPARE(ui.UDPFarPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.TCPclientIPlineEdit->text(), QString("127.0.0.1"));
    QCOMPARE(ui.TCPclientPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.TCPServerPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.TCP_comboBox->currentIndex(), 1); // only item texts are set again
    QCOMPARE(ui.TCP_comboBox->itemText(0), QString("TCP Server"));
    QCOMPARE(ui.TCP_comboBox->itemText(1), QString("TCP Client"));
    QCOMPARE(ui.mqtt_host_lineEdit->text(), kMqttHost);
    QCOMPARE(ui.mqtt_port_lineEdit->text(), QString());
    QCOMPARE(ui.mqtt_username_lineEdit->text(), QString());
    QCOMPARE(ui.mqtt_password_lineEdit->text(), QString());
    QCOMPARE(ui.mqtt_clientid_lineEdit->text(), QString());
    QCOMPARE(ui.mqtt_subscribe_lineEdit->text(), QString("velm/in"));
    QCOMPARE(ui.mqtt_publish_lineEdit->text(), QString("velm/out"));
    QCOMPARE(ui.mqtt_textEdit->toPlainText(), QString("log line"));
    QCOMPARE(ui.mqtt_pub_textEdit->toPlainText(), QString("payload"));
    QCOMPARE(ui.mqtt_protocol_combox->currentText(), QString("wss://"));
    QCOMPARE(ui.GPS_UTC->text(), QString("Null"));
    QCOMPARE(ui.Jingdufangxiang->text(), QString());
    QCOMPARE(ui.Weidufangxiang->text(), QString());
    QCOMPARE(ui.GPSTCPServerPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.GSMTCPclientIPlineEdit->text(), QString("127.0.0.1"));
    QCOMPARE(ui.GSMTCPclientPortlineEdit->text(), QString("1000"));
    QCOMPARE(ui.GSMNUMtextEdit->toPlainText().trimmed(), QString("电话号码"));
    QCOMPARE(ui.GSMtextBrowser->toPlainText(), QString("短信内容"));
    QCOMPARE(ui.GSMTcpsendBrowser->toPlainText(), QString());
    // The signal picture survives its empty caption being set again.
    QVERIFY(!ui.GSMCheckSigneltext->pixmap().isNull());
    // Now in Chinese: captions translated, compared texts and tabs unchanged.
    QCOMPARE(ui.groupBox->title(), QString("串口设置"));
    QCOMPARE(ui.parityComboBox->itemText(0), QString("无"));
    QCOMPARE(ui.parityComboBox->itemText(3), QString("Mark"));
    for (int i = 0; i < ui.tabWidget->count(); ++i)
        QCOMPARE(ui.tabWidget->tabText(i), kTabs.at(i));
    QCOMPARE(ui.menu->title(), QString("Edit(&E)"));
    QCOMPARE(ui.menu_2->title(), QString("About(&A)"));
    QCOMPARE(ui.actionExit->text(), QString("退出"));

    QCoreApplication::removeTranslator(&zh);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(ui.groupBox->title(), QString("Serial Setting"));
    QCOMPARE(ui.GSMNUMtextEdit->toPlainText().trimmed(), QString("Phone number"));
}

void TestFormPages1::chineseCatalogue()
{
    QTranslator zh;
    QVERIFY(zh.load(":/transSimpleChinese.qm"));
    auto tr = [&](const QString &s) { return zh.translate("MainWindow", s.toUtf8().constData()); };

    // Every text of these pages that passes the translator.
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    RecordingTranslator rec;
    QCoreApplication::installTranslator(&rec);
    ui.retranslateUi(&w);
    QCoreApplication::removeTranslator(&rec);
    QStringList all;
    for (const Translated &t : rec.seen)
        all << t.source;
    auto between = [&](const QString &a, const QString &b) {
        const int i = all.indexOf(a), j = all.indexOf(b, i + 1);
        return all.mid(i + 1, j - i - 1);
    };
    QStringList mine = between("Help", "GSM Debug") + between("Oscilloscope", "MQTT");
    mine << "Serial Debug" << "UDP Debug" << "TCP Debug" << "GPS Debug" << "GSM Debug" << "MQTT";
    QVERIFY(mine.size() > 200);
    const QStringList keep = keepEnglish();
    QStringList missing, changed;
    for (const QString &s : std::as_const(mine)) {
        const QString t = tr(s);
        // The empty send paragraph has no visible text to translate.
        if (keep.contains(s) || s.contains(QLatin1String("-qt-paragraph-type:empty"))) {
            if (!t.isEmpty() && t != s)
                changed << s;
        } else if (t.isEmpty() || t == s) {
            missing << s;
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable("untranslated: " + missing.join(" | ")));
    QVERIFY2(changed.isEmpty(), qPrintable("changed: " + changed.join(" | ")));

    QCOMPARE(tr("None"), QString("无"));
    QCOMPARE(tr("Odd"), QString("奇"));
    QCOMPARE(tr("Even"), QString("偶"));
    QCOMPARE(tr("Mark"), QString());
    QCOMPARE(tr("Space"), QString());
    QCOMPARE(tr("Pause"), QString("暂停"));
    QCOMPARE(tr("Stop"), QString("停止"));
    QCOMPARE(tr("Exit"), QString("退出"));
    QCOMPARE(tr("About"), QString("关于"));
    QCOMPARE(tr("Preferences"), QString("配置"));
    QCOMPARE(tr("Check Update"), QString("检测更新"));
    QCOMPARE(tr("Help"), QString("使用帮助"));
    for (const QString &m : {QString("Edit(&E)"), QString("About(&A)"), QString("Kalvest -- VELM")})
        QVERIFY(tr(m).isEmpty() || tr(m) == m);
    for (const QString &tab : kTabs)
        QVERIFY2(tr(tab).isEmpty() || tr(tab) == tab, qPrintable(tab));

    // The whole form in Chinese keeps tabs and menu titles in English.
    QCoreApplication::installTranslator(&zh);
    ui.retranslateUi(&w);
    QCoreApplication::removeTranslator(&zh);
    for (int i = 0; i < ui.tabWidget->count(); ++i)
        QCOMPARE(ui.tabWidget->tabText(i), kTabs.at(i));
    QCOMPARE(ui.menu->title(), QString("Edit(&E)"));
    QCOMPARE(ui.baudRateComboBox->itemText(14), QString("921600 "));
    QCOMPARE(ui.TCP_comboBox->itemText(0), QString("TCP Server"));
    QCOMPARE(ui.mqtt_protocol_combox->itemText(1), QString("mqtts://"));
    QCOMPARE(ui.GPSportMode_01->text(), QString("COM"));
    QCOMPARE(ui.Jingdu->text(), QString("Null"));
    QCOMPARE(ui.UDPFarIPlineEdit->text(), QString("127.0.0.1"));
    QCOMPARE(ui.opencompushButton->text(), QString("打开"));
    QCOMPARE(ui.GSMTCPopencompushButton->text(), QString("连接"));
}

void TestFormPages1::englishCatalogue()
{
    QTranslator en;
    QVERIFY(en.load(":/transEnglish.qm"));
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    QStringList before;
    for (QWidget *x : w.findChildren<QWidget *>()) {
        if (auto *b = qobject_cast<QAbstractButton *>(x))
            before << b->text();
        else if (auto *l = qobject_cast<QLabel *>(x))
            before << l->text();
    }
    QCoreApplication::installTranslator(&en);
    ui.retranslateUi(&w);
    QCoreApplication::removeTranslator(&en);
    QStringList after;
    for (QWidget *x : w.findChildren<QWidget *>()) {
        if (auto *b = qobject_cast<QAbstractButton *>(x))
            after << b->text();
        else if (auto *l = qobject_cast<QLabel *>(x))
            after << l->text();
    }
    QCOMPARE(after, before);
    QCOMPARE(en.translate("MainWindow", "Hex to Send"), QString());
    QCOMPARE(en.translate("MainWindow", "Serial Setting"), QString());
}

void TestFormPages1::localAddressesAndSockets()
{
    TestSupport::ScratchDir dir;
    {
        // Every switchable page off: the lists are filled whatever the switches say.
        QSettings s(AppInfo::kSettingsFile, QSettings::IniFormat);
        for (const char *k : {"COM", "UDP", "TCP", "GPS", "GSM", "UNICODE", "Environment", "Crypty", "Oscilloscope",
                              "MQTT", "Ble", "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"})
            s.setValue(k, "false");
    }
    MainWindow w;
    QStringList expected;
    for (const QHostAddress &a : QNetworkInterface::allAddresses())
        expected << a.toString();
    QVERIFY(expected.contains("127.0.0.1"));
    QCOMPARE(w.localAddresses, QNetworkInterface::allAddresses());
    for (QComboBox *c : {w.ui->UDPServerIPcomboBox, w.ui->TCPServerIPcomboBox, w.ui->GPSTCPServerIPcomboBox}) {
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        QCOMPARE(items, expected);
    }
    QVERIFY(w.udpSendSocket && w.udpRecvSocket && w.tcpServer && w.gpsTcpServer);
    QVERIFY(w.udpSendSocket != w.udpRecvSocket);
    QVERIFY(w.tcpServer != w.gpsTcpServer);
    for (QObject *o : {static_cast<QObject *>(w.udpSendSocket), static_cast<QObject *>(w.udpRecvSocket),
                       static_cast<QObject *>(w.tcpServer), static_cast<QObject *>(w.gpsTcpServer)})
        QCOMPARE(o->parent(), &w);
    QVERIFY(w.gpsTcpClients.isEmpty());
    QVERIFY(!w.tcpServer->isListening());
    QCOMPARE(w.udpRecvSocket->state(), QAbstractSocket::UnconnectedState);

    // A language change on the real window resets the baud combo too.
    w.ui->baudRateComboBox->setCurrentIndex(0);
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&w, &change);
    QCOMPARE(w.ui->baudRateComboBox->currentText(), QString("115200"));
}

void TestFormPages1::screenshots()
{
    const QString out = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    QMainWindow w;
    Ui::MainWindow ui;
    ui.setupUi(&w);
    w.resize(1280, 1000);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<QPair<QWidget *, QString>> pages = {{ui.serial, "serial"}, {ui.udp, "udp"}, {ui.tcp, "tcp"},
                                                     {ui.gps, "gps"},       {ui.gsm, "gsm"}, {ui.Mqtt, "mqtt"}};
    for (const auto &p : pages) {
        ui.tabWidget->setCurrentWidget(p.first);
        QTest::qWait(50);
        const QImage shot = w.grab().toImage();
        QVERIFY(!shot.isNull());
        QVERIFY(p.first->isVisible());
        if (!out.isEmpty())
            QVERIFY(shot.save(QDir(out).filePath("form1_" + p.second + ".png")));
    }
    if (out.isEmpty())
        QSKIP("VELM_ARTIFACT_DIR not set; screenshots taken but not saved");
}

VELM_TEST_MAIN(TestFormPages1)
#include "tst_formpages1.moc"
