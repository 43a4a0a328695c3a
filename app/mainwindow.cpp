#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appinfo.h"
#include "contentswidth.h"
#include "eventwait.h"
#include "longtextlayout.h"
#include "firstshow.h"
#include "pagetable.h"
#include "threadserial.h"
#include "webview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QGridLayout>
#include <QStyleFactory>
#include <QTimer>
#include <QUrl>
#include <QLabel>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    // The application style is set before the form exists: set afterwards
    // it re-polishes every widget of the twenty pages.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("fusion")));
    ui->setupUi(this);
    // The GPS page's "Serial Setting" column is as wide as its check boxes'
    // texts need, in either language, and never narrower than 200 pixels.
    keepContentsWidth(ui->groupBox_10, ui->groupBox_10->minimumWidth());
    // Boxes that can receive long unbroken text keep a layout linear in it.
    for (QAbstractScrollArea *box : {static_cast<QAbstractScrollArea *>(ui->base64_source_textBrowser),
                                     static_cast<QAbstractScrollArea *>(ui->base64_to_textBrowser),
                                     static_cast<QAbstractScrollArea *>(ui->UnicodetextEdit),
                                     static_cast<QAbstractScrollArea *>(ui->UnicodetextBrowser),
                                     static_cast<QAbstractScrollArea *>(ui->sendMsgtextEdit),
                                     static_cast<QAbstractScrollArea *>(ui->UDPsendMsgtextEdit),
                                     static_cast<QAbstractScrollArea *>(ui->TCPsendMsgtextEdit),
                                     static_cast<QAbstractScrollArea *>(ui->mqtt_pub_textEdit),
                                     static_cast<QAbstractScrollArea *>(ui->mqtt_textEdit)})
        LongTextLayout::guard(box);

    serialOpen = false;
    udpOpen = false;
    tcpOpen = false;
    mqttConnected = false;
    gpsCalcDialogOpen = false;
    gpsSignalDialogOpen = false;
    comExpandOpen = false;
    helpDialogOpen = false;
    i2cReadDialogOpen = false;
    i2cWriteDialogOpen = false;
    serialThread = nullptr;
    tcpServerClients.clear();
    gpsPositionReady = 0;
    gpsTcpOpen = 0;
    gsmTcpOpen = 0;
    gpsLastMapTime = 0;
    pageCount = PageTable::switchableCount();
    pageSwitches = QList<int>(pageCount, 0);

    setWindowTitle(QStringLiteral("Kalvest -- VELM Ver %1.%2.%3")
                       .arg(AppInfo::kVersionMajor)
                       .arg(AppInfo::kVersionMinor)
                       .arg(AppInfo::kVersionPatch)
                   + QStringLiteral("  ") + QLatin1String(AppInfo::kMakerWebAddress)
                   + QStringLiteral("  ") + QLatin1String(AppInfo::kStoreAddress1)
                   + QStringLiteral("  ") + QLatin1String(AppInfo::kStoreAddress2));
    setStyleSheet(QStringLiteral("background-color: white grey"));

    const int remaining = Config();
    SerialSacn();
    initSendTimers();
    getLocalIP();

    for (int i = 0; i < remaining; ++i)
        dispatchPage(i);

    // The web view (and with it the web engine's helper processes and the
    // window's OpenGL composition) comes when "More" is first shown.
    whenFirstShown(ui->tab_2, [this] {
        QString error;
        moreWebView = WebView::create(this, &error);
        if (!moreWebView) {
            ui->web_gridLayout->addWidget(new QLabel(tr("Web pages cannot be shown: %1").arg(error), this));
            return;
        }
        WebView::load(moreWebView, QUrl::fromUserInput(AppInfo::homePage()));
        ui->web_gridLayout->addWidget(moreWebView);
        WebView::setAttribute(moreWebView, WebView::LocalStorageEnabled, true);
        WebView::setAttribute(moreWebView, WebView::LocalContentCanAccessFileUrls, true);
    });

    connect(ui->actionCheck_Update, SIGNAL(triggered()), this, SLOT(slotActionCheck_Update()));

    portScanTimer = new QTimer(this);
    connect(portScanTimer, SIGNAL(timeout()), this, SLOT(SerialSacn_new()));
    portScanTimer->start(500);
}

void MainWindow::addPageWidget(QWidget *page, QWidget *content)
{
    QWidget *tabPage = ui->tabWidget->widget(ui->tabWidget->indexOf(page));
    if (tabPage && tabPage->layout())
        tabPage->layout()->addWidget(content);
}

void MainWindow::dispatchPage(int tabIndex)
{
    // Found by its page widget, so a translated tab text changes nothing.
    const PageEntry *page = PageTable::forTab(ui, ui->tabWidget->widget(tabIndex));
    if (!page || !page->init)
        return;
    page->init(*this);
    m_initialisedPages.append(ui->tabWidget->tabText(tabIndex));
}

MainWindow::~MainWindow()
{
    // Helper windows and the GPS position server's clients end in slots
    // of this window (their destroyed and disconnected signals): they go
    // first, while the window is still whole.
    closeHelperWindows();
    GPS_tearDownServer();

    // ---- close the shared serial port (see serial/threadserial) ----
    if (serialThread) {
        if (serialThread->port && serialThread->port->isOpen()) {
            serialThread->running = false;
            serialThread->port->close();
        }
        // Its thread body is empty, so the wait is short; a running thread
        // object is never destroyed.
        serialThread->wait();
        delete serialThread;
    }
    serialThread = nullptr;
    delete ui;
    ui = nullptr;
}

void MainWindow::closeHelperWindows()
{
    // Every dialog the window parents: Help, the register windows, the GPS
    // dialogs, the command list, Preferences. Closing one may take another.
    QList<QPointer<QDialog>> dialogs;
    for (QDialog *dialog : findChildren<QDialog *>(Qt::FindDirectChildrenOnly))
        dialogs.append(dialog);
    for (const QPointer<QDialog> &dialog : qAsConst(dialogs))
        delete dialog.data();
}

void MainWindow::addCloseGuard(QObject *owner, CloseGuard guard)
{
    m_closeGuards.append({QPointer<QObject>(owner), std::move(guard)});
}

void MainWindow::addCloseHook(QObject *owner, CloseHook hook)
{
    m_closeHooks.append({QPointer<QObject>(owner), std::move(hook)});
}

void MainWindow::runCloseHooks()
{
    const auto hooks = m_closeHooks;
    for (const auto &h : hooks) {
        if (h.first)
            h.second();
    }
}

bool MainWindow::confirmClose()
{
    for (const auto &g : qAsConst(m_closeGuards)) {
        if (g.first && !g.second())
            return false;
    }
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // After the preferences' restart the pages have already been asked.
    if (!closeConfirmed && !confirmClose()) {
        event->ignore();
        return;
    }
    runCloseHooks();
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
}

void MainWindow::msleep(int msec)
{
    waitProcessingEvents(msec);
}

void MainWindow::on_actionAbout_triggered()
{
    aboutDialog.setWindowFlags(aboutDialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    aboutDialog.show();
    aboutDialog.move(x() + (width() - aboutDialog.width()) / 2, y() + (height() - aboutDialog.height()) / 2);
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::setStyleSheets(const QString &qssFile)
{
    QFile *file = new QFile(qssFile, this);
    if (file->open(QIODevice::ReadOnly)) {
        qApp->setStyleSheet(QString::fromUtf8(file->readAll()));
        file->close();
    }
    file->deleteLater();
}
