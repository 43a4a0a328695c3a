// Compile-time check of the main form: every widget name other pages rely on
// must exist in Ui_MainWindow with the class those pages use. Renaming a
// widget in the form or changing its class breaks the build here. Each
// page's tab and serial port settings are checked the same way where the
// page table names them (pagetable.cpp).

#include "ui_mainwindow.h"

#include <type_traits>

#define VELM_FORM_MEMBER(name, Class) \
    static_assert(std::is_same_v<decltype(Ui_MainWindow::name), Class *>, \
                  "main form: " #name " must be a " #Class)

// Whole window
VELM_FORM_MEMBER(statusBar, QStatusBar);
VELM_FORM_MEMBER(tabWidget, QTabWidget);

// UDP Debug
VELM_FORM_MEMBER(UDPServerIPcomboBox, QComboBox);
VELM_FORM_MEMBER(UDPSenderPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(UDPFarIPlineEdit, QLineEdit);
VELM_FORM_MEMBER(UDPFarPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(UDPopencompushButton, QPushButton);
VELM_FORM_MEMBER(UDPsendmsgBtn, QPushButton);
VELM_FORM_MEMBER(UDPcleansendpushButton, QPushButton);
VELM_FORM_MEMBER(UDPcleandatapushButton, QPushButton);
VELM_FORM_MEMBER(UDPcleanbytespushButton, QPushButton);
VELM_FORM_MEMBER(UDPreadtxtpushButton, QPushButton);
VELM_FORM_MEMBER(UDPsavetxtpushButton, QPushButton);
VELM_FORM_MEMBER(UDP_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(UDP_HexTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(UDPsendMsgtextEdit, QPlainTextEdit);
VELM_FORM_MEMBER(UDP_HEXcheckBox, QCheckBox);
VELM_FORM_MEMBER(UDP_showtime_checkBox, QCheckBox);
VELM_FORM_MEMBER(UDPsendAsHexcheckBox, QCheckBox);
VELM_FORM_MEMBER(UDPobocheckBox, QCheckBox);
VELM_FORM_MEMBER(UDPdelayspinBox, QSpinBox);
VELM_FORM_MEMBER(UDPsendbyteslcdNumber, QLCDNumber);
VELM_FORM_MEMBER(UDPrecvbyteslcdNumber, QLCDNumber);
VELM_FORM_MEMBER(groupBox_2, QGroupBox);

// TCP Debug
VELM_FORM_MEMBER(TCP_comboBox, QComboBox);
VELM_FORM_MEMBER(TCPServerIPcomboBox, QComboBox);
VELM_FORM_MEMBER(TCP_Client_IP_comboBox, QComboBox);
VELM_FORM_MEMBER(TCPclientIPlineEdit, QLineEdit);
VELM_FORM_MEMBER(TCPclientPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(TCPServerPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(TCPopencompushButton, QPushButton);
VELM_FORM_MEMBER(TCPsendmsgBtn, QPushButton);
VELM_FORM_MEMBER(TCPcleansendpushButton, QPushButton);
VELM_FORM_MEMBER(TCPcleandatapushButton, QPushButton);
VELM_FORM_MEMBER(TCPcleanbytespushButton, QPushButton);
VELM_FORM_MEMBER(TCPreadtxtpushButton, QPushButton);
VELM_FORM_MEMBER(TCPsavetxtpushButton, QPushButton);
VELM_FORM_MEMBER(TCP_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(TCP_HexTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(TCPsendMsgtextEdit, QPlainTextEdit);
VELM_FORM_MEMBER(TCP_HEXcheckBox, QCheckBox);
VELM_FORM_MEMBER(TCP_showtime_checkBox, QCheckBox);
VELM_FORM_MEMBER(TCPsendAsHexcheckBox, QCheckBox);
VELM_FORM_MEMBER(TCPobocheckBox, QCheckBox);
VELM_FORM_MEMBER(TCPdelayspinBox, QSpinBox);
VELM_FORM_MEMBER(TCPsendbyteslcdNumber, QLCDNumber);
VELM_FORM_MEMBER(TCPrecvbyteslcdNumber, QLCDNumber);
VELM_FORM_MEMBER(groupBox_9, QGroupBox);
VELM_FORM_MEMBER(groupBox_8, QGroupBox);

// GPS Debug
VELM_FORM_MEMBER(gps_gridLayout, QGridLayout);
VELM_FORM_MEMBER(GPStextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(GPSTCPServerIPcomboBox, QComboBox);
VELM_FORM_MEMBER(GPSTCPopencompushButton, QPushButton);
VELM_FORM_MEMBER(GPScleandatapushButton, QPushButton);
VELM_FORM_MEMBER(GPSpushButtonsearchdriving, QPushButton);
VELM_FORM_MEMBER(GPStrochoidpushButton, QPushButton);
VELM_FORM_MEMBER(GPScalculate, QPushButton);
VELM_FORM_MEMBER(GPSsignal, QPushButton);
VELM_FORM_MEMBER(GPSTCPServerPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(GPS_on_off_checkBox, QCheckBox);
VELM_FORM_MEMBER(GPSSavecheckBox, QCheckBox);
VELM_FORM_MEMBER(label_23, QLabel);
VELM_FORM_MEMBER(label_24, QLabel);
VELM_FORM_MEMBER(label_41, QLabel);
VELM_FORM_MEMBER(label_51, QLabel);
VELM_FORM_MEMBER(GPS_UTC, QLabel);
VELM_FORM_MEMBER(Dingweizhuangtai, QLabel);
VELM_FORM_MEMBER(Weidu, QLabel);
VELM_FORM_MEMBER(Weidufangxiang, QLabel);
VELM_FORM_MEMBER(Jingdu, QLabel);
VELM_FORM_MEMBER(Jingdufangxiang, QLabel);
VELM_FORM_MEMBER(Dimiansudu, QLabel);
VELM_FORM_MEMBER(Haibagaodu, QLabel);
VELM_FORM_MEMBER(Weizhiyinzi, QLabel);
VELM_FORM_MEMBER(Shuipingyinzi, QLabel);
VELM_FORM_MEMBER(Cuizhiyinzi, QLabel);
VELM_FORM_MEMBER(Shiyongweixing, QLabel);
VELM_FORM_MEMBER(GPSKejianweixing, QLabel);
VELM_FORM_MEMBER(BDKejianweixing, QLabel);
VELM_FORM_MEMBER(label_38, QLabel);
VELM_FORM_MEMBER(label_37, QLabel);
VELM_FORM_MEMBER(label_58, QLabel);
VELM_FORM_MEMBER(groupBox_11, QGroupBox);

// GSM Debug
VELM_FORM_MEMBER(GSMANJIANpushButton_0, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_1, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_2, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_3, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_4, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_5, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_6, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_7, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_8, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_9, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_10, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_11, QPushButton);
VELM_FORM_MEMBER(GSMANJIANpushButton_Clean, QPushButton);
VELM_FORM_MEMBER(GSMbodianhuapushButton, QPushButton);
VELM_FORM_MEMBER(GSMguadianhuapushButton, QPushButton);
VELM_FORM_MEMBER(GSMTestSignalpushButton, QPushButton);
VELM_FORM_MEMBER(GSMLaidianKaiguanpushButton, QPushButton);
VELM_FORM_MEMBER(GSMLaidianYingKaiguanpushButton, QPushButton);
VELM_FORM_MEMBER(GSMDuanXinWenBenKaiguanpushButton, QPushButton);
VELM_FORM_MEMBER(GSMSendpushButton, QPushButton);
VELM_FORM_MEMBER(GSMReadTextpushButton, QPushButton);
VELM_FORM_MEMBER(GSMDelTextpushButton, QPushButton);
VELM_FORM_MEMBER(GSMDelALLTextpushButton, QPushButton);
VELM_FORM_MEMBER(GSMTCPopencompushButton, QPushButton);
VELM_FORM_MEMBER(GSMTCPsendmsgBtn, QPushButton);
VELM_FORM_MEMBER(gsm_groupBox_serial, QGroupBox);
VELM_FORM_MEMBER(gsm_groupBox_call, QGroupBox);
VELM_FORM_MEMBER(gsm_groupBox_signal, QGroupBox);
VELM_FORM_MEMBER(gsm_groupBox_config, QGroupBox);
VELM_FORM_MEMBER(gsm_groupBox_SMSsend, QGroupBox);
VELM_FORM_MEMBER(gsm_groupBox_SMSRead, QGroupBox);
VELM_FORM_MEMBER(groupBox_20, QGroupBox);
VELM_FORM_MEMBER(GSMtextBrowser_1, QTextBrowser);
VELM_FORM_MEMBER(GSMReadtextBrowser, QTextBrowser);
VELM_FORM_MEMBER(GSMTCPReadSBrowser, QTextBrowser);
VELM_FORM_MEMBER(GSM_AutoRedial, QCheckBox);
VELM_FORM_MEMBER(GSMCheckSigneltext, QLabel);
VELM_FORM_MEMBER(GSMNUMtextEdit, QTextEdit);
VELM_FORM_MEMBER(GSMtextBrowser, QTextEdit);
VELM_FORM_MEMBER(GSMTcpsendBrowser, QTextEdit);
VELM_FORM_MEMBER(GSMTCPclientIPlineEdit, QLineEdit);
VELM_FORM_MEMBER(GSMTCPclientPortlineEdit, QLineEdit);

// Unicode
VELM_FORM_MEMBER(UnicodetextEdit, QTextEdit);
VELM_FORM_MEMBER(UnicodetextBrowser, QTextBrowser);
VELM_FORM_MEMBER(StoUpushButton, QPushButton);
VELM_FORM_MEMBER(UtoSpushButton, QPushButton);
VELM_FORM_MEMBER(UnicodecheckBox, QCheckBox);

// Environment
VELM_FORM_MEMBER(EVN_Clear_pushButton, QPushButton);
VELM_FORM_MEMBER(ENV_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(env_gridLayout, QGridLayout);
VELM_FORM_MEMBER(gridLayout_27, QGridLayout);
VELM_FORM_MEMBER(ultraviolet_gridLayout, QGridLayout);
VELM_FORM_MEMBER(humidity_gridLayout, QGridLayout);
VELM_FORM_MEMBER(temperature_gridLayout, QGridLayout);
VELM_FORM_MEMBER(barometer_gridLayout, QGridLayout);
VELM_FORM_MEMBER(CO2_gridLayout, QGridLayout);
VELM_FORM_MEMBER(TVOC_gridLayout, QGridLayout);

// Crypty
VELM_FORM_MEMBER(DEScomboBox, QComboBox);
VELM_FORM_MEMBER(DeslineEdit_Data, QLineEdit);
VELM_FORM_MEMBER(DeslineEdit_KEY, QLineEdit);
VELM_FORM_MEMBER(DeslineEdit_Datalen, QLineEdit);
VELM_FORM_MEMBER(DeslineEdit_KEYLEN, QLineEdit);
VELM_FORM_MEMBER(DeslineEdit_Result, QLineEdit);
VELM_FORM_MEMBER(DespushButton_Encryption, QPushButton);
VELM_FORM_MEMBER(DespushButton_Decryption, QPushButton);
VELM_FORM_MEMBER(base64_encode_pushButton, QPushButton);
VELM_FORM_MEMBER(base64_decode_pushButton, QPushButton);
VELM_FORM_MEMBER(groupBox_13, QGroupBox);
VELM_FORM_MEMBER(groupBox_15, QGroupBox);
VELM_FORM_MEMBER(label_61, QLabel);
VELM_FORM_MEMBER(label_60, QLabel);
VELM_FORM_MEMBER(label_63, QLabel);
VELM_FORM_MEMBER(label_62, QLabel);
VELM_FORM_MEMBER(base64_source_textBrowser, QTextEdit);
VELM_FORM_MEMBER(base64_to_textBrowser, QTextEdit);

// Oscilloscope
VELM_FORM_MEMBER(checkBox_0, QCheckBox);
VELM_FORM_MEMBER(checkBox_1, QCheckBox);
VELM_FORM_MEMBER(checkBox_2, QCheckBox);
VELM_FORM_MEMBER(checkBox_3, QCheckBox);
VELM_FORM_MEMBER(gridLayout_oscilloscpewideget, QGridLayout);

// MQTT
VELM_FORM_MEMBER(mqtt_protocol_combox, QComboBox);
VELM_FORM_MEMBER(mqtt_host_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_port_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_username_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_password_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_clientid_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_subscribe_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_publish_lineEdit, QLineEdit);
VELM_FORM_MEMBER(mqtt_opencompushButton, QPushButton);
VELM_FORM_MEMBER(mqtt_subscribed_pushButton, QPushButton);
VELM_FORM_MEMBER(mqtt_publish_pushButton, QPushButton);
VELM_FORM_MEMBER(mqtt_save_pushButton, QPushButton);
VELM_FORM_MEMBER(mqtt_textEdit, QTextEdit);
VELM_FORM_MEMBER(mqtt_pub_textEdit, QTextEdit);

// Spectra
VELM_FORM_MEMBER(SpectraYPEcomboBox, QComboBox);
VELM_FORM_MEMBER(SpectraportChartComboBox, QComboBox);
VELM_FORM_MEMBER(Spectra_pushButton_Clear_Log, QPushButton);
VELM_FORM_MEMBER(SpectracheckBox, QCheckBox);
VELM_FORM_MEMBER(Spectra_textEdit, QPlainTextEdit);
VELM_FORM_MEMBER(gridLayout_spectra, QGridLayout);

// i2cdump
VELM_FORM_MEMBER(i2cdump_stop_pushButton, QPushButton);
VELM_FORM_MEMBER(i2cdumpsancfpushButton, QPushButton);
VELM_FORM_MEMBER(i2cdumpreadpushButton, QPushButton);
VELM_FORM_MEMBER(i2cdumpwritepushButton, QPushButton);
VELM_FORM_MEMBER(i2cdump_Clear_pushButton, QPushButton);
VELM_FORM_MEMBER(i2cdump_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(gridLayout_i2cdump, QGridLayout);

// TOF
VELM_FORM_MEMBER(TOFTYPEcomboBox, QComboBox);
VELM_FORM_MEMBER(TOFRangeComboBox, QComboBox);
VELM_FORM_MEMBER(TOFArrangementcomboBox, QComboBox);
VELM_FORM_MEMBER(TOFChartComboBox, QComboBox);
VELM_FORM_MEMBER(TOF_Clear_pushButton, QPushButton);
VELM_FORM_MEMBER(TOF_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(gridLayout_tof, QGridLayout);

// Modbus
VELM_FORM_MEMBER(Modbus_function_comboBox, QComboBox);
VELM_FORM_MEMBER(Modbus_pushButton, QPushButton);
VELM_FORM_MEMBER(ModbusTCPopencompushButton, QPushButton);
VELM_FORM_MEMBER(Modbus_send_cleandatapushButton, QPushButton);
VELM_FORM_MEMBER(Modbus_revice_cleandatapushButton, QPushButton);
VELM_FORM_MEMBER(Modbus_lineEdit, QLineEdit);
VELM_FORM_MEMBER(ModbusTCPclientIPlineEdit, QLineEdit);
VELM_FORM_MEMBER(ModbusTCPclientPortlineEdit, QLineEdit);
VELM_FORM_MEMBER(ModbusspinBox, QSpinBox);
VELM_FORM_MEMBER(Modbus_address_spinBox, QSpinBox);
VELM_FORM_MEMBER(Modbus_quantity_spinBox, QSpinBox);
VELM_FORM_MEMBER(Modbus_sendMsgtextEdit, QPlainTextEdit);
VELM_FORM_MEMBER(Modbus_HexTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(label_64, QLabel);
VELM_FORM_MEMBER(label_65, QLabel);
VELM_FORM_MEMBER(label_82, QLabel);
VELM_FORM_MEMBER(label_83, QLabel);
VELM_FORM_MEMBER(label_84, QLabel);
VELM_FORM_MEMBER(label_85, QLabel);
VELM_FORM_MEMBER(label_90, QLabel);
VELM_FORM_MEMBER(label_91, QLabel);

// CIE
VELM_FORM_MEMBER(CIE_Clear_pushButton, QPushButton);
VELM_FORM_MEMBER(CIE_StrTextBrowser, QPlainTextEdit);
VELM_FORM_MEMBER(gridLayout_cie, QGridLayout);

// IMU
VELM_FORM_MEMBER(label_imu_x, QLabel);
VELM_FORM_MEMBER(label_imu_y, QLabel);
VELM_FORM_MEMBER(label_imu_z, QLabel);
VELM_FORM_MEMBER(label_imu_euler_w, QLabel);
VELM_FORM_MEMBER(label_imu_euler_x, QLabel);
VELM_FORM_MEMBER(label_imu_euler_y, QLabel);
VELM_FORM_MEMBER(label_imu_euler_z, QLabel);
VELM_FORM_MEMBER(gridLayout_IMU, QGridLayout);
