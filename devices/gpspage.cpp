// "GPS Debug" page: a GPS receiver on the shared serial port, its NMEA
// sentences in the "GPS information" labels, the track file and the map.
#include "mainwindow.h"
#include "netsend.h"
#include "serverclients.h"
#include "ui_mainwindow.h"

#include "gps/gpsmapbridge.h"
#include "gps/gpspagestate.h"
#include "gps/gpstrack.h"
#include "deviceport.h"
#include "openbuttonstyle.h"
#include "receivedisplay.h"
#include "gps/geodesy.h"
#include "gps/ui_gpscalculate.h"
#include "gps/ui_gpssignal.h"
#include "uiprompt.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cmath>

namespace {

DevicePort gpsPort(MainWindow *w)
{
    return DevicePort::of(w, w->ui->GPSportNameComboBox, w->ui->GPSbaudRateComboBox, w->ui->GPSopencompushButton,
                          &MainWindow::readGPSCom, &MainWindow::GPS_portLost, &MainWindow::GPSsetsetComboBoxEnabled);
}

// Positions are saved and sent to the map at most this often.
constexpr qint64 kFixSpacingMs = 10000;
// Longest track-file line looked at; longer lines are read in pieces.
constexpr qint64 kMaxTrackLine = 64 * 1024;

// Deletes a dialog's form together with the dialog.
template <class Form>
class FormHolder : public QObject
{
public:
    FormHolder(Form *form, QObject *dialog) : QObject(dialog), m_form(form) {}
    ~FormHolder() override { delete m_form; }

private:
    Form *m_form;
};

// The user's number, 0 for text that is none (or not finite).
double numberOf(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

// A notice about received data or the position server's clients. While a
// failed save of the track file waits to be resolved, the failure stays in
// view instead.
void showReceiveNotice(Ui::MainWindow *ui, const GpsPageState *gps, const QString &text)
{
    ui->statusBar->showMessage(gps->trackSaveFailed
                                   ? QCoreApplication::translate("MainWindow", "Unable to save GPS data.")
                                   : text);
}

const QUrl kOpenStreetMapPage(QStringLiteral("qrc:/html/images/openstreetmap.html"));
const QUrl kBaiduMapPage(QStringLiteral("qrc:/html/images/BaiduMap.html"));

} // namespace

void MainWindow::GPS_Init_Start()
{
    gps = new GpsPageState(this);

    QSettings mapSettings(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    const QString mapType = mapSettings.value(QStringLiteral("Map_Type")).toString();
    const bool openStreetMap = mapType.isEmpty() || mapType == QLatin1String("0");
    // The web view is made when the page is first shown.
    gps->map = new GpsMapBridge(ui->gps, ui->gps_gridLayout, this,
                                openStreetMap ? kOpenStreetMapPage : kBaiduMapPage);
    if (openStreetMap)
        ui->GPSpushButtonsearchdriving->hide();

    connect(ui->GPSopencompushButton, &QAbstractButton::pressed, this, &MainWindow::GPSactionOpen_triggered);
    connect(ui->GPSportMode_01, &QAbstractButton::pressed, this, &MainWindow::GPSPortModeChanged);
    connect(ui->GPSportMode_02, &QAbstractButton::pressed, this, &MainWindow::GPSPortModeChanged);
    connect(ui->GPScleandatapushButton, &QAbstractButton::pressed, this, &MainWindow::GPSCleanData_triggered);
    connect(ui->GPSpushButtonsearchdriving, &QAbstractButton::pressed, this, &MainWindow::GPSsearchdriving_triggered);
    connect(ui->GPStrochoidpushButton, &QAbstractButton::pressed, this, &MainWindow::GPStrochoidpushButton_triggered);
    connect(ui->GPSsignal, &QAbstractButton::pressed, this, &MainWindow::slotGPSsignal);
    connect(ui->GPScalculate, &QAbstractButton::pressed, this, &MainWindow::slotGPScalculate);
    connect(ui->GPSTCPopencompushButton, &QAbstractButton::pressed, this, &MainWindow::GPSTCPopencompushButton_triggered);

    ui->GPSportMode_01->setChecked(true);
    ui->GPSportMode_02->setChecked(false);
    ui->GPSTCPServerIPcomboBox->hide();
    ui->GPSTCPServerPortlineEdit->hide();
    ui->GPSTCPopencompushButton->hide();
    ui->label_41->hide();
    ui->label_51->hide();

    // Read-only, selectable, at most 10000 blocks.
    ReceiveDisplay::Options options;
    options.encoding = "UTF-8";
    gps->display = new ReceiveDisplay(ui->GPStextBrowser, nullptr, options, gps);
    ui->GPStextBrowser->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(gps->display, &ReceiveDisplay::shown, this, [this](int bytes) {
        showReceiveNotice(ui, gps, tr("Successfully read %1 byte data").arg(bytes));
    });
    // With saving off, a failed save no longer needs the user.
    connect(ui->GPSSavecheckBox, &QAbstractButton::toggled, gps, [this](bool on) {
        if (!on)
            gps->trackSaveFailed = false;
    });

    ui->label_38->hide();
    ui->label_37->hide();
    ui->label_58->hide();
    ui->BDKejianweixing->hide();
    ui->GPSKejianweixing->hide();
    ui->Shiyongweixing->hide();

    ui->GPSopencompushButton->setStyleSheet(QLatin1String(OpenButtonStyle::kClosed));
}

void MainWindow::GPSPortModeChanged()
{
    const QObject *button = sender();
    if (button != ui->GPSportMode_01 && button != ui->GPSportMode_02)
        return;
    const bool com = button == ui->GPSportMode_01;
    for (QWidget *w : {static_cast<QWidget *>(ui->label_23), static_cast<QWidget *>(ui->label_24),
                       static_cast<QWidget *>(ui->GPSopencompushButton),
                       static_cast<QWidget *>(ui->GPSbaudRateComboBox),
                       static_cast<QWidget *>(ui->GPSportNameComboBox)})
        w->setVisible(com);
    for (QWidget *w : {static_cast<QWidget *>(ui->GPSTCPServerIPcomboBox),
                       static_cast<QWidget *>(ui->GPSTCPServerPortlineEdit),
                       static_cast<QWidget *>(ui->GPSTCPopencompushButton), static_cast<QWidget *>(ui->label_41),
                       static_cast<QWidget *>(ui->label_51)})
        w->setVisible(!com);
    ui->GPSportMode_01->setChecked(com);
    ui->GPSportMode_02->setChecked(!com);
}

void MainWindow::GPSactionOpen_triggered()
{
    if (serialOpen) {
        // Close, whichever page opened the port.
        disconnect(this, &MainWindow::GPS_Signal_Map, this, &MainWindow::GPS_MAP);
        if (gps && gps->display)
            gps->display->flush();
        closeDevicePort(gpsPort(this));
        return;
    }
    if (!toggleDevicePort(gpsPort(this)))
        return;
    connect(this, &MainWindow::GPS_Signal_Map, this, &MainWindow::GPS_MAP,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    gps->framer.clear();
}

void MainWindow::GPS_portLost(const QString &reason)
{
    // What was received is shown first, so its notice does not replace the loss.
    if (gps && gps->display)
        gps->display->flush();
    if (devicePortLost(gpsPort(this), reason))
        disconnect(this, &MainWindow::GPS_Signal_Map, this, &MainWindow::GPS_MAP);
}

void MainWindow::readGPSCom(QByteArray data)
{
    GPS_Analysis_Data_Process(data);

    // The new-fix step: at most once every 10 s.
    if (gpsPositionReady == 1) {
        const qint64 now = GpsTrack::nowMs();
        if (gpsLastMapTime == 0 || now - gpsLastMapTime > kFixSpacingMs) {
            gpsLastMapTime = now;
            const GpsPosition p = gps->position;
            if (p.valid && ui->GPSSavecheckBox->isChecked())
                GPSSavefile(GpsTrack::coordinateText(p.latitude), GpsTrack::coordinateText(p.longitude));
            gpsPositionReady = 0;
            emit GPS_Signal_Map(ui->GPS_on_off_checkBox->isChecked());
        }
    }

    if (data.isEmpty())
        return;
    gps->display->append(data, false);
}

QByteArray MainWindow::GPS_Analysis_Data_Process(QByteArray data)
{
    QLabel *labels[] = {ui->GPS_UTC,     ui->Dingweizhuangtai, ui->Weidu,          ui->Weidufangxiang,
                        ui->Jingdu,      ui->Jingdufangxiang,  ui->Dimiansudu,     ui->Haibagaodu,
                        ui->Weizhiyinzi, ui->Shuipingyinzi,    ui->Cuizhiyinzi,    ui->Shiyongweixing,
                        ui->GPSKejianweixing, ui->BDKejianweixing};
    QList<NmeaDecoder::Update> updates;
    for (const QByteArray &sentence : gps->framer.feed(data)) {
        updates.clear();
        if (NmeaDecoder::typeOf(sentence) == NmeaDecoder::Type::GSV && !gpsSignalBusy && gpsSignalDialogOpen)
            emit GPS_Signal_Data_Over(sentence);
        gps->decoder.decode(sentence, &updates);
        for (const NmeaDecoder::Update &u : updates)
            labels[static_cast<int>(u.label)]->setText(u.text);
        if (gps->decoder.takePositionUpdate()) {
            gps->position = gps->decoder.position();
            gpsPositionReady = 1;
        }
    }
    return QByteArray();
}

void MainWindow::GPS_MAP(bool on)
{
    const GpsPosition p = gps->position;
    if (!p.valid)
        return; // nothing that is not a position reaches the map
    gps->map->run(QStringList{GpsMapScript::call("Set_Longit", p.longitude),
                              GpsMapScript::call("Set_Latit", p.latitude),
                              GpsMapScript::call(on ? "Set_Location_First" : "Set_Location")});
}

void MainWindow::GPSSavefile(QString Latit, QString Longit)
{
    double lat = 0, lon = 0;
    if (!GpsTrack::parsePosition(Latit, Longit, &lat, &lon))
        return; // only positions go into the track file
    if (lat == 0 && lon == 0)
        return; // a receiver's "no position", however many decimals it is written with
    QString error;
    if (!GpsTrack::append(GpsTrack::coordinateText(lat), GpsTrack::coordinateText(lon), &error)) {
        // Shown until a save succeeds (or saving is turned off).
        gps->trackSaveFailed = true;
        ui->statusBar->showMessage(tr("Unable to save GPS data."));
        return;
    }
    gps->trackSaveFailed = false;
}

void MainWindow::GPStrochoidpushButton_triggered()
{
    const QString fileName = UiPrompt::openFileName(nullptr, tr("read"), QString(), QStringLiteral("(*)"));
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    const QFileInfo info(fileName);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        ui->statusBar->showMessage(
            tr("Open failed: Failed to open this file, this may be due to insufficient permissions."));
        return;
    }
    GpsTrack::Replay replay;
    QPointer<MainWindow> alive(this);
    while (!file.atEnd()) {
        QCoreApplication::processEvents();
        if (!alive)
            return;
        const QString line = QString::fromLatin1(file.readLine(kMaxTrackLine));
        double lat = 0, lon = 0;
        if (!GpsTrack::parseLine(line, &lat, &lon))
            continue; // not a position: skipped
        GpsTrack::Replay::Segment s;
        if (!replay.add(lat, lon, &s))
            continue;
        gps->map->run(QStringList{QStringLiteral("Set_Latit2(%1)").arg(s.lat2),
                                  QStringLiteral("Set_Longit2(%1)").arg(s.lon2),
                                  QStringLiteral("Set_Latit3(%1)").arg(s.lat3),
                                  QStringLiteral("Set_Longit3(%1)").arg(s.lon3), QStringLiteral("saveway()")});
    }
    file.close();
    ui->statusBar->showMessage(tr("Success for read the data in the file"));
}

void MainWindow::GPSsearchdriving_triggered()
{
    QString destination;
    if (!UiPrompt::textInput(nullptr, QStringLiteral("终点"),
                             QStringLiteral("请输入需要计算的终点地址；如：\"北京市长安街\"。"), QString(),
                             &destination))
        return;
    gps->map->run(QStringLiteral("searchdriving(%1)").arg(GpsMapScript::stringLiteral(destination)));
}

void MainWindow::GPSCleanData_triggered()
{
    gps->display->clear();
    ui->statusBar->showMessage(tr("Receive has been cleared"));
}

void MainWindow::slotGPSsignal()
{
    if (gpsSignalDialogOpen)
        return;

    auto *worker = new GPS_Signal();
    gps->signalWorker = worker;
    connect(this, &MainWindow::GPS_Signal_Data_Over, worker, &GPS_Signal::Get_Data);
    connect(this, &MainWindow::GPS_GUI_Wait_Data_Over, worker, &GPS_Signal::Wait_Data);
    // The worker goes when its loop has ended.
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);

    auto *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto *form = new Ui::GPSsignal;
    form->setupUi(dialog);
    connect(form->GPSsignalCancel, &QAbstractButton::pressed, dialog, &QWidget::close);
    connect(dialog, &QObject::destroyed, this, &MainWindow::slotgpssignaldialogclose);
    // The worker ends with the dialog; its loop returns at once when told to.
    connect(dialog, &QObject::destroyed, worker, [worker] {
        worker->stop();
        worker->quit();
        worker->wait();
    });
    auto *charts = new GpsSignalCharts(dialog);
    form->horizontalLayout->addWidget(charts);
    delete form; // the widgets belong to the dialog
    gps->signalDialog = dialog;
    gps->signalCharts = charts;

    // Records reach the charts of this opening only: one that arrives after
    // the dialog closed is dropped with them.
    connect(worker, &GPS_Signal::ReturnResult, charts, [this, charts](const GpsSatelliteRecord &record) {
        if (!gpsSignalBusy) {
            gpsSignalBusy = true;
            for (const nmea_slmsg &entry : record.entries) {
                if (entry.system != 0)
                    charts->draw(entry);
            }
        }
        emit GPS_GUI_Wait_Data_Over(false);
        gpsSignalBusy = false;
    });

    dialog->setWindowFlags(dialog->windowFlags() | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    gpsSignalDialogOpen = true;
    gpsSignalBusy = false;
    worker->start();
    dialog->show();
    dialog->setStyleSheet(QStringLiteral("background-color: white grey"));
}

void MainWindow::slotgpssignaldialogclose()
{
    // The worker stops with the dialog.
    gpsSignalDialogOpen = false;
    gpsSignalBusy = false;
    disconnect(this, &MainWindow::GPS_Signal_Data_Over, nullptr, nullptr);
    disconnect(this, &MainWindow::GPS_GUI_Wait_Data_Over, nullptr, nullptr);
}

// ---- Remote positions over TCP ----

void MainWindow::GPSTCPopencompushButton_triggered()
{
    if (gpsTcpOpen == 0) {
        if (!GPSTCP_Server_WorkOpen())
            return; // the reason is already shown; the button stays "Start"
        ui->GPSTCPopencompushButton->setText(tr("Stop"));
        gpsTcpOpen = 1;
    } else {
        GPSTCP_Server_WorkClose();
        ui->GPSTCPopencompushButton->setText(tr("Start"));
        gpsTcpOpen = 0;
    }
}

bool MainWindow::GPSTCP_Server_WorkOpen()
{
    const QString portText = ui->GPSTCPServerPortlineEdit->text().trimmed();
    if (portText.isEmpty()) {
        UiPrompt::warning(this, tr("warning:"), tr("Port is empty!"), QMessageBox::Ok);
        return false;
    }
    quint16 port = 0;
    if (!UiPrompt::portOrWarning(this, portText, &port))
        return false;
    if (!gpsTcpServer)
        return false;
    if (!gpsTcpServer->listen(QHostAddress::Any, port)) {
        ui->statusBar->showMessage(tr("Server failed to start: %1").arg(gpsTcpServer->errorString()));
        return false;
    }
    ui->GPSTCPServerPortlineEdit->setEnabled(false);
    ui->GPSTCPServerIPcomboBox->setEnabled(false);
    connect(gpsTcpServer, &QTcpServer::newConnection, this, &MainWindow::GPSupdateserver, Qt::UniqueConnection);
    ui->statusBar->showMessage(tr("Server has started"));
    return true;
}

void MainWindow::GPSTCP_Server_WorkClose()
{
    for (QTcpSocket *client : qAsConst(gpsTcpClients)) {
        client->disconnect(this);
        client->close();
        client->deleteLater();
    }
    gpsTcpClients.clear();
    gps->clientBuffers.clear();
    if (gpsTcpServer)
        gpsTcpServer->close();
    ui->statusBar->showMessage(tr("Server has stopped"));
    ui->GPSTCPServerPortlineEdit->setEnabled(true);
    ui->GPSTCPServerIPcomboBox->setEnabled(true);
}

void MainWindow::GPSupdateserver()
{
    QString peer;
    while (QTcpSocket *client = ServerClients::next(gpsTcpServer, &peer)) {
        showReceiveNotice(ui, gps, tr("New client: ") + tr("%1 Joined").arg(peer));
        if (peer.isEmpty()) {
            client->disconnectFromHost();
            client->deleteLater();
            continue;
        }
        gpsTcpClients.append(client);
        gps->clientBuffers.insert(client, GpsTrack::LineBuffer());
        connect(client, &QTcpSocket::disconnected, this, &MainWindow::GPSupdateSendStatus);
        connect(client, &QTcpSocket::readyRead, this, &MainWindow::GPSTCP_Server_ReadMessage);
    }
}

void MainWindow::GPSupdateSendStatus()
{
    QTcpSocket *client = ServerClients::find(gpsTcpClients, sender());
    if (!client)
        return;
    showReceiveNotice(ui, gps, tr("Client: ") + tr("%1 Left").arg(NetSend::addressText(client->peerAddress())));
    gpsTcpClients.removeOne(client);
    gps->clientBuffers.remove(client);
    client->disconnect(this);
    client->close();
    client->deleteLater();
}

void MainWindow::GPSTCP_Server_ReadMessage()
{
    QTcpSocket *client = ServerClients::find(gpsTcpClients, sender());
    if (!client)
        return;
    const QByteArray bytes = client->readAll();
    if (bytes.isEmpty())
        return;
    const QList<QByteArray> messages = gps->clientBuffers[client].feed(bytes);
    for (const QByteArray &message : messages) {
        double lat = 0, lon = 0;
        QString latText, lonText;
        if (!GpsTrack::parseLine(QString::fromLatin1(message), &lat, &lon, &latText, &lonText))
            continue; // not a position: shown, nothing else
        // The client's numbers as it wrote them.
        ui->Weidu->setText(latText);
        ui->Jingdu->setText(lonText);
        if (ui->GPSSavecheckBox->isChecked())
            GPSSavefile(latText, lonText);
        gpsPositionReady = 0;
        gps->position = GpsPosition{true, lat, lon};
        gps->map->run(QStringList{
            GpsMapScript::call("Set_Latit", lat), GpsMapScript::call("Set_Longit", lon),
            GpsMapScript::call(ui->GPS_on_off_checkBox->isChecked() ? "Set_Location_First" : "Set_Location")});
        ui->Haibagaodu->setText(QStringLiteral("Null"));
    }
    // Shown now, so the serial path's read notice does not replace this one.
    gps->display->append(bytes, false);
    gps->display->flush();
    showReceiveNotice(ui, gps, tr("TCP receive ") + tr("from:%1:%2").arg(NetSend::addressText(client->peerAddress())).arg(client->peerPort()));
}

// ---- Distance and UTM calculator ----

void MainWindow::slotGPScalculate()
{
    if (gpsCalcDialogOpen)
        return;
    auto *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto *form = new Ui::GPScalculate;
    form->setupUi(dialog);
    new FormHolder<Ui::GPScalculate>(form, dialog);
    gps->calcDialog = dialog;
    gps->calcUi = form;
    connect(form->GPScalculateCancel, &QAbstractButton::pressed, dialog, &QWidget::close);
    connect(dialog, &QObject::destroyed, this, &MainWindow::slotgpscalculatedialogclose);
    connect(form->GPSpushButtoncalculate, &QAbstractButton::pressed, this, &MainWindow::GPScalculate_triggered);
    connect(form->utmtoll, &QAbstractButton::pressed, this, &MainWindow::GPSUTM_Conversions_LatLong_triggered);
    connect(form->lltoutm, &QAbstractButton::pressed, this, &MainWindow::GPSLatLong_Conversions_UTM_triggered);
    gpsCalcDialogOpen = true;
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog->show();
    dialog->setStyleSheet(QStringLiteral("background-color: white grey"));
    for (int i = 1; i <= Geodesy::kEllipsoidCount; ++i)
        form->utm_comboBox->addItem(QLatin1String(Geodesy::ellipsoid(i).name));
    form->utm_comboBox->setCurrentIndex(22);
}

void MainWindow::slotgpscalculatedialogclose()
{
    // The form goes with the dialog.
    gpsCalcDialogOpen = false;
}

void MainWindow::GPScalculate_triggered()
{
    Ui::GPScalculate *f = gps->calcDialog ? gps->calcUi : nullptr;
    if (!f)
        return;
    const double km = CalcDistance(numberOf(f->YlatlineEdit->text()), numberOf(f->YlonglineEdit->text()),
                                   numberOf(f->MlatlineEdit->text()), numberOf(f->MlonglineEdit->text()));
    f->GPSresults->setText(QString::number(km, 'g', 6));
}

void MainWindow::GPSLatLong_Conversions_UTM_triggered()
{
    Ui::GPScalculate *f = gps->calcDialog ? gps->calcUi : nullptr;
    if (!f)
        return;
    const Geodesy::Utm utm = Geodesy::toUtm(f->utm_comboBox->currentIndex() + 1, numberOf(f->latlineEdit->text()),
                                            numberOf(f->longlineEdit->text()));
    f->utmElineEdit->setText(QString::number(utm.easting, 'f', 8));
    f->utmNlineEdit->setText(QString::number(utm.northing, 'f', 8));
    f->utmZlineEdit->setText(utm.zone);
    for (QLineEdit *e : {f->utmElineEdit, f->utmNlineEdit})
        e->setCursorPosition(0); // the leading digits in view
}

void MainWindow::GPSUTM_Conversions_LatLong_triggered()
{
    Ui::GPScalculate *f = gps->calcDialog ? gps->calcUi : nullptr;
    if (!f)
        return;
    double lat = 0, lon = 0;
    QString error;
    if (!Geodesy::fromUtm(f->utm_comboBox->currentIndex() + 1, numberOf(f->utmElineEdit->text()),
                          numberOf(f->utmNlineEdit->text()), f->utmZlineEdit->text(), &lat, &lon, &error)) {
        ui->statusBar->showMessage(error);
        return;
    }
    f->latlineEdit->setText(QString::number(lat, 'f', 8));
    f->longlineEdit->setText(QString::number(lon, 'f', 8));
}

double MainWindow::CalcDistance(double fLati1, double fLong1, double fLati2, double fLong2)
{
    return Geodesy::distanceKm(fLati1, fLong1, fLati2, fLong2);
}

double MainWindow::GPS_rad(double d)
{
    return Geodesy::rad(d);
}

// ---- Teardown ----

void MainWindow::GPS_tearDownServer()
{
    // A socket still says it disconnected from its destructor: cut off
    // from the window first, the clients go now, and the server (with any
    // connection not taken yet) after them.
    for (QTcpSocket *client : qAsConst(gpsTcpClients)) {
        client->disconnect(this);
        delete client;
    }
    gpsTcpClients.clear();
    if (gps)
        gps->clientBuffers.clear();
    delete gpsTcpServer;
    gpsTcpServer = nullptr;
}
