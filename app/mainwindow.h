#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <QStringList>

#include <functional>

#include "aboutdialog.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
class Config;
class COM_Expand;
class Help;
} // namespace Ui
class QSettings;
class QTimer;
class QUdpSocket;
class QTcpServer;
class QTcpSocket;
class QDialog;
class QResizeEvent;
class QCloseEvent;
QT_END_NAMESPACE

class ThreadSerial;
class ReceiveDisplay;
class SerialFileSender;

// The one main window. Each page's slots are defined in that page's own
// source file; this header only gathers them, page by page.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Tab texts whose initialisation ran, in the order it ran.
    const QStringList &initialisedPages() const { return m_initialisedPages; }

    // Page widgets that hold unsaved work register a question here; closing
    // the window (or restarting it) asks each one and stops when one says no.
    using CloseGuard = std::function<bool()>;
    void addCloseGuard(QObject *owner, CloseGuard guard);
    bool confirmClose();

    Ui::MainWindow *ui = nullptr;

signals:
    // ---- GPS Debug page signals ----

public slots:
    // ---- Application ----
    void on_actionExit_triggered();
    void on_actionAbout_triggered();
    void on_actionHelp_triggered();
    void slothelpdialogclose();
    void setStyleSheets(const QString &qssFile);
    void msleep(int msec);
    void resizeEvent(QResizeEvent *event) override;

    // ---- Page switches and preferences ----
    int Config();
    void slotActionConfig();
    void slotActConfigOK();
    void Config_COM_ON_OFF_triggered();
    void Config_UDP_ON_OFF_triggered();
    void Config_TCP_ON_OFF_triggered();
    void Config_GPS_ON_OFF_triggered();
    void Config_GSM_ON_OFF_triggered();
    void Config_UNICODE_ON_OFF_triggered();
    void Config_Envir_ON_OFF_triggered();
    void Config_Crypty_ON_OFF_triggered();
    void Config_Oscilloscope_ON_OFF_triggered();
    void Config_MQTT_ON_OFF_triggered();
    void Config_BLE_ON_OFF_triggered();
    void Config_Spectra_ON_OFF_triggered();
    void Config_Convert_ON_OFF_triggered();
    void Config_I2CDUMP_ON_OFF_triggered();
    void Config_TOF_ON_OFF_triggered();
    void Config_MODBUS_ON_OFF_triggered();
    void Config_HEXTOOLS_ON_OFF_triggered();
    void Config_CIE_ON_OFF_triggered();
    void Config_IMU_ON_OFF_triggered();

    // ---- Update check ----
    void slotActionCheck_Update();
    void slotActionCheck_Updateclose();

    // ---- UDP Debug page ----
    void UDP_Init_Start();
    void getLocalIP();

    // ---- TCP Debug page ----
    void TCP_Init_Start();

    // ---- Port scan ----
    QStringList getFilteredSerialPorts();
    void stop_SerialSacn_new();
    void SerialSacn_new();
    void SerialSacn();
    bool testUart(const QString &name);
    void COMsetsetComboBoxEnabled(bool on);
    void GPSsetsetComboBoxEnabled(bool on);
    void GSMsetsetComboBoxEnabled(bool on);
    void ENVsetsetComboBoxEnabled(bool on);
    void OSCsetsetComboBoxEnabled(bool on);
    void SpectrasetsetComboBoxEnabled(bool on);
    void i2cdumpsetsetComboBoxEnabled(bool on);
    void TOFsetsetComboBoxEnabled(bool on);
    void ModbussetsetComboBoxEnabled(bool on);
    void CIEsetsetComboBoxEnabled(bool on);
    void imusetsetComboBoxEnabled(bool on);

    // ---- Serial Debug page ----
    void Serial_Init_Start();
    void initSendTimers();
    void COMHideHex_pushButton_clicked();
    void actionOpen_triggered();
    void readCom(QByteArray data);
    void sendMsg();
    void sendmsgBtn_clicked();
    void actionSendfile_triggered();
    void obocheckBox_clicked();
    void delayspinBox_valueChanged(int value);
    void actionClearBytes_triggered();
    void actionCleanData_triggered();
    void actionSave_triggered();
    void actionLoadfile_triggered();
    void cleanSendData_clicked();
    void COM_portLost(const QString &reason);
    void COM_sendFileFinished(bool ok, const QString &error);
    bool COM_refuseWhileSendingFile();

    // ---- Command list ----
    void slotCom_expand();
    void slotCom_expandclose();
    void command_sendMsg(QByteArray data);
    void slotCOM_expandsave();
    void slotcom_set_pushButton();
    void slotcom_set_pushButton_2();
    void slotcom_set_pushButton_3();
    void slotcom_set_pushButton_4();
    void slotcom_set_pushButton_5();
    void slotcom_set_pushButton_6();
    void slotcom_set_pushButton_7();
    void slotcom_set_pushButton_8();
    void slotcom_set_pushButton_9();
    void slotcom_set_pushButton_10();
    void slotcom_set_pushButton_11();
    void slotcom_set_pushButton_12();
    void slotcom_pushButton();
    void slotcom_pushButton_2();
    void slotcom_pushButton_3();
    void slotcom_pushButton_4();
    void slotcom_pushButton_5();
    void slotcom_pushButton_6();
    void slotcom_pushButton_7();
    void slotcom_pushButton_8();
    void slotcom_pushButton_9();
    void slotcom_pushButton_10();
    void slotcom_pushButton_11();
    void slotcom_pushButton_12();

    // ---- GPS Debug page ----
    void GPS_Init_Start();

    // ---- GSM Debug page ----
    void GSM_Init_Start();

    // ---- Unicode page ----
    void Unicode_Init_Start();
    void actionStoUpushButton_triggered();
    void actionUtoSpushButton_triggered();

    // ---- Environment page ----
    void ENVironment_Init_Start();

    // ---- Crypty page ----
    void Crypty_Init_Start();
    bool DesEncryption_triggered();
    bool DesDecryption_triggered();
    void DEScomboBox_triggered();
    void DeslineEdit_Data_triggered();
    void DeslineEdit_KEY_triggered();
    void base64_encode();
    void base64_decode();

    // ---- Oscilloscope page ----
    void Oscilloscope_Init_Start();
    void on_checkBox_0_stateChanged(int state);
    void on_checkBox_1_stateChanged(int state);
    void on_checkBox_2_stateChanged(int state);
    void on_checkBox_3_stateChanged(int state);

    // ---- MQTT page ----
    void Mqtt_Init_Start();

    // ---- Spectra page ----
    void Spectra_Init_Start();

    // ---- i2cdump page ----
    void I2Cdump_Init_Start();

    // ---- TOF page ----
    void TOF_Init_Start();

    // ---- Modbus page ----
    void Modbus_Init_Start();

    // ---- CIE page ----
    void CIE_Init_Start();

    // ---- IMU page ----
    void IMU_Init_Start();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void dispatchPage(int tabIndex);
    void addPageWidget(QWidget *page, QWidget *content);

public:
    // ---- Shell ----
    Ui::Config *configUi = nullptr;
    Ui::Help *helpUi = nullptr;
    Ui::COM_Expand *comExpandUi = nullptr;
    AboutDialog aboutDialog;
    QWidget *moreWebView = nullptr;  // the "More" page's web view (WebView::create), once shown

    // ---- Settings and page switches ----
    QSettings *settings = nullptr;
    QStringList pageKeys;
    int pageSwitches[19] = {};
    int pageCount = 19;
    QPointer<QDialog> configDialog;  // the one open Preferences dialog
    bool closeConfirmed = false;     // the pages already agreed to close (restart)

    // ---- Shared serial port ----
    bool serialOpen = false;
    ThreadSerial *serialThread = nullptr;
    QTimer *portScanTimer = nullptr;

    // ---- Serial Debug page and command list ----
    ReceiveDisplay *comRxDisplay = nullptr;
    SerialFileSender *comFileSender = nullptr;
    QTimer *comSendTimer = nullptr;
    int comSendInterval = 200;
    QMetaObject::Connection comDtrConnection;
    QMetaObject::Connection comRtsConnection;
    bool comExpandOpen = false;
    QDialog *comExpandDialog = nullptr;

    // ---- Help dialog ----
    QDialog *helpDialog = nullptr;
    bool helpDialogOpen = false;

    // ---- UDP Debug page ----
    QList<QHostAddress> localAddresses;
    QUdpSocket *udpSendSocket = nullptr;
    QUdpSocket *udpRecvSocket = nullptr;
    bool udpOpen = false;
    QTimer *udpSendTimer = nullptr;
    int udpSendInterval = 200;

    // ---- TCP Debug page ----
    bool tcpOpen = false;
    QTimer *tcpSendTimer = nullptr;
    int tcpSendInterval = 200;
    QTcpServer *tcpServer = nullptr;
    QList<QTcpSocket *> tcpServerClients;

    // ---- GPS Debug page ----
    int gpsPositionReady = 0;
    int gpsTcpOpen = 0;
    qint64 gpsLastMapTime = 0;
    bool gpsCalcDialogOpen = false;
    bool gpsSignalDialogOpen = false;
    QTcpServer *gpsTcpServer = nullptr;
    QList<QTcpSocket *> gpsTcpClients;

    // ---- GSM Debug page ----
    int gsmTcpOpen = 0;

    // ---- MQTT page ----
    bool mqttConnected = false;

    // ---- i2cdump page ----
    bool i2cReadDialogOpen = false;
    bool i2cWriteDialogOpen = false;

private:
    QStringList m_initialisedPages;
    QList<QPair<QPointer<QObject>, CloseGuard>> m_closeGuards;
};
