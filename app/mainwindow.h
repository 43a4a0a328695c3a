#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointF>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

#include "aboutdialog.h"
#include "mqtt/mqttclient.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
class Config;
class COM_Expand;
class Help;
class I2CDump_ReadREG;
class I2CDump_WriteREG;
} // namespace Ui
class QSettings;
class QTimer;
class QUdpSocket;
class QTcpServer;
class QTcpSocket;
class QDialog;
class QPushButton;
class QLabel;
class QResizeEvent;
class QCloseEvent;
QT_END_NAMESPACE

class ThreadSerial;
struct PageEntry;
struct DevicePort;
class ReceiveDisplay;
class NetTerminal;
class TerminalPanel;
class SerialFileSender;
class kalvest_cie_widget;
class kalvest_3d_imu;
namespace CieLines { class Parser; }
namespace ImuLines { class Parser; struct Quaternion; }
class kalvest_i2c_tools;
class Ultraviolet;
class ProgressBarPercent;
class CThermometer;
class DashBoard;
namespace EnvLines { class Parser; }
class MWaveView;
namespace OscFrames { class Parser; }
class kalvest_spectroscopy;
namespace SpectraLines { class Decoder; class LogLines; }
class kalvest_tof;
namespace TofFrames { class Cutter; }

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
    // Work that must end when the window really closes (after every guard
    // agreed) registers here; a close that a guard refused runs none of it.
    using CloseHook = std::function<void()>;
    void addCloseHook(QObject *owner, CloseHook hook);

    Ui::MainWindow *ui = nullptr;

signals:
    // ---- GPS Debug page signals ----
    void GPS_Signal_Map(bool on);
    void GPS_Signal_Data_Over(const QByteArray &sentence);
    void GPS_GUI_Wait_Data_Over(bool status);

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
    void UDPopencompushButton_triggered();
    bool UDP_WorkOpen();
    void UDP_WorkClose();
    void UDP_sendMsg();
    void readUDP();
    void UDPsendmsgBtn_clicked();
    void UDP_obocheckBox_clicked();
    void UDPdelayspinBox_valueChanged(int value);
    void UDPHideHex_pushButton_clicked();
    void actionCleanData_UDP_triggered();
    void actionClearBytes_UDP_triggered();
    void cleanSendData_UDP_clicked();
    void actionLoadfile_UDP_triggered();
    void actionSave_UDP_triggered();

    // ---- TCP Debug page ----
    void TCP_Init_Start();
    void TCPopencompushButton_triggered();
    bool TCP_Client_WorkOpen();
    void TCP_ClientDisconnect();
    void displayError(QAbstractSocket::SocketError error);
    void TCP_Client_ReadMessage();
    void TCP_Client_WorkSendMessage();
    bool TCP_Server_WorkOpen();
    void TCP_Server_WorkClose();
    void TCP_updateserver();
    void TCP_updateSendStatus();
    void TCP_Server_ReadMessage();
    void TCP_Server_WorkSendMessage();
    void TCPsendmsgBtn_clicked();
    void TCP_obocheckBox_clicked();
    void TCPdelayspinBox_valueChanged(int value);
    void TCPHideHex_pushButton_clicked();
    void actionCleanData_TCP_triggered();
    void actionClearBytes_TCP_triggered();
    void cleanSendData_TCP_clicked();
    void actionLoadfile_TCP_triggered();
    void actionSave_TCP_triggered();

    // ---- Shared serial port: the device pages' open and close road ----
    // Opens the port of `page` when no page holds it (true when it opened),
    // otherwise runs the close path; see serial/deviceport.h.
    bool toggleDevicePort(const DevicePort &page);
    void closeDevicePort(const DevicePort &page);
    // For a page's portLost slot: closes when the lost holder is the open
    // one and says so in the status bar; false for a stale holder.
    bool devicePortLost(const DevicePort &page, const QString &reason);

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
    // Hands bytes to the open port, or says why they did not go.
    bool COM_send(const QByteArray &bytes);
    // Stops a file on its way out; says how far it got (empty: none was).
    QString COM_stopFileSend();
    // A file send's running count, in its own place on the status bar.
    void COM_showFileProgress(qint64 gone, qint64 size);

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
    void GPSactionOpen_triggered();
    void GPSPortModeChanged();
    void GPSCleanData_triggered();
    void GPSsearchdriving_triggered();
    void GPStrochoidpushButton_triggered();
    void readGPSCom(QByteArray data);
    QByteArray GPS_Analysis_Data_Process(QByteArray data);
    void GPS_MAP(bool on);
    void GPSSavefile(QString Latit, QString Longit);
    void GPS_portLost(const QString &reason);
    void slotGPSsignal();
    void slotgpssignaldialogclose();
    void GPSTCPopencompushButton_triggered();
    bool GPSTCP_Server_WorkOpen();
    void GPSTCP_Server_WorkClose();
    void GPSupdateserver();
    void GPSupdateSendStatus();
    void GPSTCP_Server_ReadMessage();
    void slotGPScalculate();
    void slotgpscalculatedialogclose();
    void GPScalculate_triggered();
    void GPSLatLong_Conversions_UTM_triggered();
    void GPSUTM_Conversions_LatLong_triggered();
    double CalcDistance(double fLati1, double fLong1, double fLati2, double fLong2);
    double GPS_rad(double d);

    // ---- GSM Debug page ----
    void GSM_Init_Start();
    void GSMactionOpen_triggered();
    void GSM_portLost(const QString &reason);
    void Phone_Status();
    void GSMUI_EnDisable(bool on);
    void GSMsetReadComINT(bool on);
    void GSMreadMyCom(QByteArray data);
    void GSMANJIANpushButton0_triggered();
    void GSMANJIANpushButton1_triggered();
    void GSMANJIANpushButton2_triggered();
    void GSMANJIANpushButton3_triggered();
    void GSMANJIANpushButton4_triggered();
    void GSMANJIANpushButton5_triggered();
    void GSMANJIANpushButton6_triggered();
    void GSMANJIANpushButton7_triggered();
    void GSMANJIANpushButton8_triggered();
    void GSMANJIANpushButton9_triggered();
    void GSMANJIANpushButton10_triggered();
    void GSMANJIANpushButton11_triggered();
    void GSMactionCleanNumData_triggered();
    void GSMbodianhuapushButton_triggered();
    void GSMguadianhuapushButton_triggered();
    void GSMLaidianKaiguanpushButton_triggered();
    void GSMLaidianYingKaiguanpushButton_triggered();
    void GSMTestSignalpushButton_triggered();
    void GSMDuanXinWenBenKaiguanpushButton_triggered();
    void GSMReadTextpushButton_triggered();
    void GSMDelTextpushButton_triggered();
    void GSMDelALLTextpushButton_triggered();
    void GSMSendpushButton_triggered();
    void slotGSMtextBrowser();
    void GSMTCPopencompushButton_triggered();
    void GSMTCPsendmsgBtn_triggered();
    void GSMGPRSreadMyCom(QByteArray data);

    // ---- Unicode page ----
    void Unicode_Init_Start();
    void actionStoUpushButton_triggered();
    void actionUtoSpushButton_triggered();

    // ---- Environment page ----
    void ENVironment_Init_Start();
    void ENVactionOpen_triggered();
    void readENVCom(QByteArray data);
    void ENVactionClear_triggered();
    void ENV_portLost(const QString &reason);

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
    void OscilloscopeOpen_triggered();
    void readOSCCom(QByteArray data);
    void OSC_portLost(const QString &reason);
    // Appends one frame's four values; with `show` the view follows.
    void Oscilloscope_Setting_Value(const double *value, bool show = true);
    void dial_X_sliderMoved(int position);
    void dial_Y_sliderMoved(int position);
    void on_checkBox_0_stateChanged(int state);
    void on_checkBox_1_stateChanged(int state);
    void on_checkBox_2_stateChanged(int state);
    void on_checkBox_3_stateChanged(int state);

    // ---- MQTT page ----
    void Mqtt_Init_Start();
    void actionMQTT_Open_triggered();
    void MQTT_Connect();
    void MQTT_Get_Status(MqttClient::ClientState state);
    void Kalvest_Mqtt_onMessage(const QByteArray &message, const MqttTopicName &topic);
    void Kalvest_Mqtt_on_sub_clicked();
    void Kalvest_Mqtt_on_pub_clicked();
    void MQTT_slot_textmenu(const QPoint &pos);
    void MQTT_Sub_Edit_Clear();
    void actionMQTT_Save_triggered();
    void onWebSocketDisconnected();
    void onWebSocketError(QAbstractSocket::SocketError error);

    // ---- Spectra page ----
    void Spectra_Init_Start();
    void SpectraOpen_triggered();
    void readSpectraCom(QByteArray data);
    void Spectra_portLost(const QString &reason);
    // Decodes the complete CR LF ended lines of `dataString` into readings.
    void extractValuesFromQString(QString dataString);
    void onSpectraTYPEComboBoxChanged(int index);
    void onSpectraportChartComboBoxChanged(int index);
    void onSpectracheckBoxChanged(int state);
    void Spectra_pushButton_Clear_Log_triggered();

    // ---- i2cdump page ----
    void I2Cdump_Init_Start();
    void I2CdumpOpen_triggered();
    void readi2cdumpCom(QByteArray data);
    void I2Cdump_portLost(const QString &reason);
    void I2Cdump_Stop();
    void I2CdumpactionScanf_triggered();
    void I2Cdump_Setaddr(int address);
    void slotI2Cdump_read_ui();
    void slotI2Cdump_write_ui();
    void I2Cdump_Read();
    void I2Cdump_Send();
    void slotI2Cdump_read_ui_dialogclose();
    void slotI2Cdump_write_ui_dialogclose();
    void I2Cdump_printscanf(QByteArray payload);
    void I2Cdump_printread(QByteArray payload);
    void I2CdumpactionClear_triggered();

    // ---- TOF page ----
    void TOF_Init_Start();
    void TOFOpen_triggered();
    void readTOFCom(QByteArray data);
    void TOF_portLost(const QString &reason);
    // Decodes one frame (without its CR LF) and shows it.
    void TOFprocessFrame(QByteArray frameData);
    void TOFmirrorPixels(QList<int> &pixels, int numRows, int numCols);
    void TOF_rearrange_image(const int *image_data, int *new_image_data);
    int TOF_get8829CorrectedIndex(int deliveryIndex, int cols);
    void onTOFTYPEComboBoxChanged(int index);
    void TOFchangeArrangement();
    void onTOFChartComboBoxChanged(int index);
    void TOFactionClear_triggered();

    // ---- Modbus page ----
    void Modbus_Init_Start();
    void ModbusPortModeChanged();
    void ModbusOpen_triggered();
    void Modbus_portLost(const QString &reason);
    void ModbusTCPopencompushButton_triggered();
    void Modbus_displayError(int socketError);
    void Modbus_function_comboBoxIndexChanged(int index);
    void Modbus_Read_write_Button();
    bool Modbus_isValidHexInput(const QString &text);
    QByteArray Modbus_convertHexStringToByteArray(const QByteArray &text);
    void Modbus_onReadButtonClicked(int slaveAddress, int functionCode, int startAddress, int quantity, bool tcp);
    void Modbus_onWriteButtonClicked(int slaveAddress, int functionCode, int startAddress, int quantity,
                                     QByteArray values, bool tcp);
    void actionModbus_revice_CleanData_triggered();
    void actionModbus_send_CleanData_triggered();

    // ---- CIE page ----
    void CIE_Init_Start();
    void CIEOpen_triggered();
    void readCIECom(QByteArray data);
    void CIE_portLost(const QString &reason);
    void CIEactionClear_triggered();

    // ---- IMU page ----
    void IMU_Init_Start();
    void IMUOpen_triggered();
    void readimuCom(QByteArray data);
    void IMU_portLost(const QString &reason);
    void imu_processData(const ImuLines::Quaternion &q);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The page table (app/pagetable.h) behind start-up, Preferences and the
    // port locks.
    void dispatchPage(int tabIndex);
    void togglePageSwitch(int index);
    void togglePageSwitch(const char *key);
    void lockPortSettings(const PageEntry *holder, bool on);
    void lockDevicePort(const DevicePort &page, bool on);
    // Opens a modeless helper window of a page from its form unless it is
    // open already (then false): deleted when closed, `open` is set now
    // and `closed` runs once it is gone; the form's `cancel` button closes
    // it. Defined in pagedialog.h.
    template<typename Form, typename FormLayout>
    bool openPageDialog(QDialog *&dialog, Form *&form, bool &open, void (MainWindow::*closed)(),
                        QPushButton *FormLayout::*cancel);
    // Deletes the window's dialogs now, so that the slots their end runs
    // find the window whole (the destructor's first step).
    void closeHelperWindows();
    // Cuts the position server's clients off the window and deletes them
    // and the server (the destructor's second step).
    void GPS_tearDownServer();
    void OSC_scheduleView();
    void OSC_updateView();
    void I2Cdump_enableRequests(bool on, bool withStartStop);
    bool I2Cdump_streamRunning() const;
    void I2Cdump_sendRequest(const QByteArray &request);
    void I2Cdump_log(QString text);

public:
    // Adds a page widget to the layout of its tab page.
    void addPageWidget(QWidget *page, QWidget *content);

    // ---- Shell ----
    Ui::Config *configUi = nullptr;
    Ui::Help *helpUi = nullptr;
    Ui::COM_Expand *comExpandUi = nullptr;
    AboutDialog aboutDialog;
    QWidget *moreWebView = nullptr;  // the "More" page's web view (WebView::create), once shown

    // ---- Settings and page switches ----
    QSettings *settings = nullptr;
    QStringList pageKeys;
    QList<int> pageSwitches;  // one per switchable page of the page table
    int pageCount = 0;        // the switchable pages (app/pagetable.h)
    QPointer<QDialog> configDialog;  // the one open Preferences dialog
    bool closeConfirmed = false;     // the pages already agreed to close (restart)

    // ---- Shared serial port ----
    bool serialOpen = false;
    ThreadSerial *serialThread = nullptr;
    QTimer *portScanTimer = nullptr;

    // ---- Serial Debug page and command list ----
    ReceiveDisplay *comRxDisplay = nullptr;
    std::shared_ptr<TerminalPanel> comPanel; // terminal/terminalpanel.h
    SerialFileSender *comFileSender = nullptr;
    QLabel *comFileProgress = nullptr; // on the status bar while a file goes out
    QString comFileStallText;          // a stall's text as the file send put it up
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
    QHostAddress udpRemoteAddress;   // taken at start; null when it did not parse
    quint16 udpRemotePort = 0;       // taken at start; 0 when it did not parse
    std::shared_ptr<NetTerminal> udpTerminal;

    // ---- TCP Debug page ----
    bool tcpOpen = false;
    QTimer *tcpSendTimer = nullptr;
    int tcpSendInterval = 200;
    QTcpServer *tcpServer = nullptr;
    QList<QTcpSocket *> tcpServerClients;
    QString tcpHost;
    QString tcpPort;
    QPointer<QTcpSocket> tcpClientSocket;
    std::shared_ptr<NetTerminal> tcpTerminal;

    // ---- GPS Debug page ----
    int gpsPositionReady = 0;
    int gpsTcpOpen = 0;
    qint64 gpsLastMapTime = 0;
    bool gpsCalcDialogOpen = false;
    bool gpsSignalDialogOpen = false;
    QTcpServer *gpsTcpServer = nullptr;
    QList<QTcpSocket *> gpsTcpClients;
    bool gpsSignalBusy = false;
    class GpsPageState *gps = nullptr; // devices/gps/gpspagestate.h

    // ---- GSM Debug page ----
    int gsmTcpOpen = 0;
    class GsmSession *gsm = nullptr; // exchange engine, call state, switches

    // ---- Environment page ----
    Ultraviolet *envUvGauge = nullptr;
    ProgressBarPercent *envHumidityGauge = nullptr;
    CThermometer *envThermometer = nullptr;
    DashBoard *envBarometerGauge = nullptr;
    DashBoard *envCo2Gauge = nullptr;
    DashBoard *envTvocGauge = nullptr;
    std::shared_ptr<EnvLines::Parser> envParser; // received bytes not yet consumed
    ReceiveDisplay *envRxDisplay = nullptr;
    // ---- Oscilloscope page ----
    MWaveView *oscWaveView = nullptr;
    QList<QPointF> oscChannelData[16];
    std::shared_ptr<OscFrames::Parser> oscParser; // received bytes not yet consumed
    double oscX = 0; // one step per frame, never reset
    int oscDialX = 5;
    int oscDialY = 5;
    QTimer *oscViewTimer = nullptr;
    bool oscViewPending = false;

    // ---- MQTT page ----
    bool mqttConnected = false;
    QPointer<MqttClient> mqttClient;                     // of the latest Connect
    QPointer<class WebSocketIODevice> mqttWebSocketDevice; // of the latest ws:// or wss:// Connect
    class MqttLogView *mqttLog = nullptr;
    // Returns the page to idle: the latest client and device are cut off
    // from the window, the device closed, both deleted later.
    void mqttReset(bool disconnectClient);
    void mqttWebSocketReady(WebSocketIODevice *device);

    // ---- i2cdump page ----
    kalvest_i2c_tools *i2cTools = nullptr;
    QDialog *i2cReadDialog = nullptr;
    QDialog *i2cWriteDialog = nullptr;
    Ui::I2CDump_ReadREG *i2cReadUi = nullptr;
    Ui::I2CDump_WriteREG *i2cWriteUi = nullptr;
    bool i2cReadDialogOpen = false;
    bool i2cWriteDialogOpen = false;
    bool i2cOwnsPort = false;     // this page opened the shared port
    bool i2cStreamRunning = false; // a start request went out last (the button says "Stop")
    int i2cLastReadRegister = 0;  // register of the last read request sent
    ReceiveDisplay *i2cLog = nullptr; // the log's display

    // ---- Spectra page ----
    kalvest_spectroscopy *spectraWidget = nullptr;
    std::shared_ptr<SpectraLines::Decoder> spectraRxText;    // start of a line whose CR LF has not arrived
    std::shared_ptr<SpectraLines::LogLines> spectraRxBuffer; // bytes since the last line feed, for the log

    // ---- TOF page ----
    kalvest_tof *tofWidget = nullptr;
    std::shared_ptr<TofFrames::Cutter> tofRxText; // received bytes not yet ended by CR LF
    QList<int> tofPixels; // the last frame's zone distances in display order, 1536 entries

    // ---- CIE page ----
    kalvest_cie_widget *cieWidget = nullptr;
    std::shared_ptr<CieLines::Parser> cieParser; // the unfinished line between chunks

    // ---- IMU page ----
    kalvest_3d_imu *imuView = nullptr;
    std::shared_ptr<ImuLines::Parser> imuParser; // bytes after the last line end
    int imuLabelToggle = 0;                      // labels follow every other frame
    // ---- Modbus page ----
    class Kalvest_ModbusClient *modbusClient = nullptr;
    QPointer<QTcpSocket> modbusTcpSocket;       // the current connection's socket
    int modbusTcpConnected = 0;                 // 1 while connected or connecting
    QPointer<ThreadSerial> modbusSerialHolder;  // the port this page opened
    class ModbusExchange *modbusExchange = nullptr; // the one request running at a time
    ReceiveDisplay *modbusRequestLog = nullptr;
    ReceiveDisplay *modbusReplyLog = nullptr;

private:
    QStringList m_initialisedPages;
    QList<QPair<QPointer<QObject>, CloseGuard>> m_closeGuards;
    QList<QPair<QPointer<QObject>, CloseHook>> m_closeHooks;
    void runCloseHooks();
};
