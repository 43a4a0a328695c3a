// The main form's tool and sensor pages (Unicode, Crypty, Modbus, Environment,
// Oscilloscope, Spectra, i2cdump, TOF, CIE, IMU): widget tree, defaults,
// retranslation and the two catalogues.
#include "testsupport.h"
#include "formcheck.h"

#include "ui_mainwindow.h"

#include <QSet>
#include <QSpacerItem>
#include <QTranslator>

using FormCheck::Cell;
using FormCheck::WidgetSpec;

namespace {

// One row of the widget table, built up with small setters.
struct S : WidgetSpec
{
    S(const char *n, const char *c, const char *l = "", int r = -1, int col = -1, int rs = 1, int cs = 1)
    {
        name = QString::fromLatin1(n);
        className = QString::fromLatin1(c);
        layout = QString::fromLatin1(l);
        cell = Cell{r, col, rs, cs};
    }
    S &t(const QString &x) { text = x; return *this; }
    S &it(const QStringList &x) { items = x; return *this; }
    S &idx(int i) { currentIndex = i; return *this; }
    S &p(const char *k, const QVariant &v) { properties.insert(QString::fromLatin1(k), v); return *this; }
};

const QStringList kBaud11 = {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "76800", "115200", "128000", "256000"};
const QStringList kBaud12 = kBaud11 + QStringList{"512000"};
const QStringList kBaud10 = {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "76800", "115200", "256000"};
const QStringList kBaud17 = {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "76800", "115200", "128000",
                             "230400", "256000", "460800", "512000", "921600 ", "1000000", "2000000"};
const QStringList kParity = {"None", "Odd", "Even", "Mark", "Space"};
const QStringList kFunctions = {"01(Read Coils)", "02(Read Discrete Inputs)", "03(Read Holding Registers)",
                                "04(Read Input Registers)", "05(Write Single Coil)", "06(Write Single Register)",
                                "15(Write Multiple Coils)", "16(Write Multiple Registers)"};

// Page object names and their tab texts.
const QList<QPair<QString, QString>> kPages = {
    {"Unicode", "Unicode"}, {"environment", "Environment"}, {"Crypty", "Crypty"}, {"Oscilloscope", "Oscilloscope"},
    {"spectra", "Spectra"}, {"i2cdump", "i2cdump"}, {"TOF", "TOF"}, {"Modbus", "Modbus"}, {"CIE", "CIE"},
    {"tab_3", "IMU"}};

QList<WidgetSpec> widgetTable()
{
    QList<WidgetSpec> s;
    // ---- Unicode
    s << S("Unicode", "QWidget") << S("UnicodetextBrowser", "QTextBrowser", "gridLayout_23", 0, 0, 1, 7)
      << S("UnicodetextEdit", "QTextEdit", "gridLayout_23", 1, 0, 1, 7).p("readOnly", false)
      << S("StoUpushButton", "QPushButton", "gridLayout_23", 2, 1).t("Chinese To Unicode")
      << S("UtoSpushButton", "QPushButton", "gridLayout_23", 2, 3).t("Unicode To Chinese")
      << S("UnicodecheckBox", "QCheckBox", "gridLayout_23", 2, 5).t("Prefix \"\\U\"").p("checked", false);
    // ---- Crypty
    s << S("Crypty", "QWidget") << S("groupBox_13", "QGroupBox", "gridLayout_41", 0, 0).t("DES - CBC")
      << S("groupBox_15", "QGroupBox", "gridLayout_41", 1, 0).t("Base64")
      << S("DEScomboBox", "QComboBox", "gridLayout_29", 0, 0, 1, 2).it({"DES", "2DES", "3DES"}).idx(0)
      << S("label_63", "QLabel", "gridLayout_29", 1, 9).t("length")
      << S("label_60", "QLabel", "gridLayout_29", 2, 0).t("Key")
      << S("DeslineEdit_KEY", "QLineEdit", "gridLayout_29", 2, 1, 1, 8).p("maxLength", 32767).p("readOnly", false)
      << S("DeslineEdit_KEYLEN", "QLineEdit", "gridLayout_29", 2, 9).p("readOnly", false)
      << S("label_61", "QLabel", "gridLayout_29", 3, 0).t("Data")
      << S("DeslineEdit_Data", "QLineEdit", "gridLayout_29", 3, 1, 1, 8).p("maxLength", 32767)
      << S("DeslineEdit_Datalen", "QLineEdit", "gridLayout_29", 3, 9)
      << S("label_62", "QLabel", "gridLayout_29", 4, 0).t("Result")
      << S("DeslineEdit_Result", "QLineEdit", "gridLayout_29", 4, 1, 1, 8).p("readOnly", false)
      << S("DespushButton_Encryption", "QPushButton", "gridLayout_29", 7, 1).t("Encryption")
      << S("DespushButton_Decryption", "QPushButton", "gridLayout_29", 7, 8).t("Decryption")
      << S("base64_source_textBrowser", "QTextEdit", "gridLayout_30", 0, 0, 1, 2).p("readOnly", false)
      << S("base64_to_textBrowser", "QTextEdit", "gridLayout_30", 0, 2, 1, 2).p("readOnly", false)
      << S("base64_encode_pushButton", "QPushButton", "gridLayout_30", 1, 1).t("Encode")
      << S("base64_decode_pushButton", "QPushButton", "gridLayout_30", 1, 2).t("Decode");
    // ---- Modbus
    s << S("Modbus", "QWidget") << S("groupBox_18", "QGroupBox", "gridLayout_46", 1, 0).t("Send")
      << S("groupBox_19", "QGroupBox", "gridLayout_46", 1, 1).t("Receive")
      << S("groupBox_17", "QGroupBox", "gridLayout_46", 0, 0, 1, 2).t("Coils")
      << S("groupBox_16", "QGroupBox", "gridLayout_46", 0, 2, 2, 1).t("Serial Setting")
      << S("Modbus_sendMsgtextEdit", "QPlainTextEdit", "gridLayout_38", 1, 0).p("readOnly", false)
      << S("Modbus_send_cleandatapushButton", "QPushButton", "gridLayout_38", 2, 0).t("Clear Receive")
      << S("Modbus_HexTextBrowser", "QPlainTextEdit", "gridLayout_44", 0, 0).p("readOnly", true)
      << S("Modbus_revice_cleandatapushButton", "QPushButton", "gridLayout_44", 1, 0).t("Clear Receive")
      << S("label_86", "QLabel", "gridLayout_45", 0, 0).t("Function:")
      << S("Modbus_function_comboBox", "QComboBox", "gridLayout_45", 0, 1).it(kFunctions).idx(0)
      << S("label_88", "QLabel", "gridLayout_45", 0, 5).t("Starting Address:")
      << S("Modbus_address_spinBox", "QSpinBox", "gridLayout_45", 0, 6)
             .p("minimum", 0).p("maximum", 65535).p("value", 0).p("displayIntegerBase", 16)
      << S("label_87", "QLabel", "gridLayout_45", 0, 8).t("Quantity:")
      << S("Modbus_quantity_spinBox", "QSpinBox", "gridLayout_45", 0, 9)
             .p("minimum", 1).p("maximum", 65535).p("value", 1).p("displayIntegerBase", 16)
      << S("label_89", "QLabel", "gridLayout_45", 1, 0).t("Registers Value:")
      << S("Modbus_lineEdit", "QLineEdit", "gridLayout_45", 1, 1, 1, 9).p("maxLength", 32767)
      << S("Modbus_pushButton", "QPushButton", "gridLayout_45", 2, 1, 1, 5).t("Read")
      << S("ModbusportMode_1", "QRadioButton", "gridLayout_43", 0, 1).t("COM").p("checked", false)
      << S("ModbusportMode_2", "QRadioButton", "gridLayout_43", 0, 2).t("TCP").p("checked", false)
      << S("label_91", "QLabel", "gridLayout_43", 1, 1, 1, 2).t("Remote IP:")
      << S("ModbusTCPclientIPlineEdit", "QLineEdit", "gridLayout_43", 2, 1, 1, 2).t("127.0.0.1")
      << S("label_90", "QLabel", "gridLayout_43", 3, 1, 1, 2).t("Remote Port:")
      << S("ModbusTCPclientPortlineEdit", "QLineEdit", "gridLayout_43", 4, 1, 1, 2).t("1000")
      << S("ModbusTCPopencompushButton", "QPushButton", "gridLayout_43", 5, 1, 1, 2).t("Connect")
      << S("label_82", "QLabel", "gridLayout_43", 7, 1, 1, 2).t("Serial No.")
      << S("ModbusportNameComboBox", "QComboBox", "gridLayout_43", 8, 1, 1, 2).p("count", 0)
      << S("label_64", "QLabel", "gridLayout_43", 9, 1, 1, 2).t("Baudrate")
      << S("ModbusbaudRateComboBox", "QComboBox", "gridLayout_43", 10, 1, 1, 2).it(kBaud17).idx(8)
      << S("label_84", "QLabel", "gridLayout_43", 11, 1, 1, 2).t("Data Bits")
      << S("ModbusdataBitsComboBox", "QComboBox", "gridLayout_43", 12, 1, 1, 2).it({"5", "6", "7", "8"}).idx(3)
      << S("label_83", "QLabel", "gridLayout_43", 13, 1, 1, 2).t("Parity")
      << S("ModbusparityComboBox", "QComboBox", "gridLayout_43", 14, 1, 1, 2).it(kParity).idx(0)
      << S("label_65", "QLabel", "gridLayout_43", 15, 1, 1, 2).t("Stop Bits")
      << S("ModbusstopBitsComboBox", "QComboBox", "gridLayout_43", 16, 1, 1, 2).it({"1", "1.5", "2"}).idx(0)
      << S("label_85", "QLabel", "gridLayout_43", 17, 1, 1, 2).t("Server Address:")
      << S("ModbusspinBox", "QSpinBox", "gridLayout_43", 18, 1, 1, 2)
             .p("minimum", 1).p("maximum", 255).p("value", 1).p("displayIntegerBase", 10)
      << S("ModbusopencompushButton", "QPushButton", "gridLayout_43", 19, 1, 1, 2).t("Open");
    // ---- Environment
    s << S("environment", "QWidget") << S("label_48", "QLabel", "env_gridLayout", 0, 0, 1, 3).t("Temperature:")
      << S("label_50", "QLabel", "env_gridLayout", 0, 3).t("Humidity:")
      << S("label_49", "QLabel", "env_gridLayout", 6, 3).t("Ultraviolet:")
      << S("label_59", "QLabel", "gridLayout_27", 0, 0).t(QString::fromUtf8("CO\u2082:"))
      << S("label_56", "QLabel", "gridLayout_27", 0, 1).t("TVOC:")
      << S("label_57", "QLabel", "gridLayout_27", 0, 2).t("Barometer:")
      << S("env_groupBox_serial", "QGroupBox", "gridLayout_28", 0, 1).t("Serial Setting")
      << S("env_groupBox_receive", "QGroupBox", "gridLayout_28", 1, 1).t("Receive Data")
             .p("maximumSize", QSize(200, QWIDGETSIZE_MAX)).p("layoutDirection", "LeftToRight")
      << S("ENV_StrTextBrowser", "QPlainTextEdit", "gridLayout_24", 0, 0).p("readOnly", false)
      << S("EVN_Clear_pushButton", "QPushButton", "gridLayout_24", 1, 0).t("Clear Receive")
      << S("label_43", "QLabel", "verticalLayout_4").t("Serial No.")
      << S("ENVportNameComboBox", "QComboBox", "verticalLayout_4").p("count", 0)
      << S("label_47", "QLabel", "verticalLayout_4").t("Baudrate")
      << S("ENVbaudRateComboBox", "QComboBox", "verticalLayout_4").it(kBaud11).idx(2)
      << S("ENVopencompushButton", "QPushButton", "verticalLayout_4").t("Open");
    // ---- Oscilloscope
    s << S("Oscilloscope", "QWidget") << S("osc_groupBox_serial", "QGroupBox", "gridLayout_31", 0, 1).t("Serial Setting")
      << S("label_66", "QLabel", "verticalLayout_6").t("Serial No.")
      << S("OSCportNameComboBox", "QComboBox", "verticalLayout_6").p("count", 0)
      << S("label_67", "QLabel", "verticalLayout_6").t("Baudrate")
      << S("OSCbaudRateComboBox", "QComboBox", "verticalLayout_6").it(kBaud10).idx(8)
      << S("OSCopencompushButton", "QPushButton", "verticalLayout_6").t("Open");
    for (int i = 0; i < 4; ++i)
        s << S(qPrintable(QStringLiteral("checkBox_%1").arg(i)), "QCheckBox", "verticalLayout_6")
                 .t(QStringLiteral("Channel %1").arg(i)).p("checked", true);
    // ---- Spectra
    s << S("spectra", "QWidget") << S("Spectra_groupBox_serial", "QGroupBox", "gridLayout_39", 0, 2, 3, 1).t("Serial Setting")
      << S("label_76", "QLabel", "gridLayout_37", 0, 0, 1, 2).t("Serial No.")
      << S("SpectraportNameComboBox", "QComboBox", "gridLayout_37", 1, 0, 1, 2).p("count", 0)
      << S("label_77", "QLabel", "gridLayout_37", 2, 0).t("Baudrate")
      << S("SpectrabaudRateComboBox", "QComboBox", "gridLayout_37", 3, 0, 1, 2).it(kBaud11).idx(8)
      << S("SpectraopencompushButton", "QPushButton", "gridLayout_37", 4, 0, 1, 2).t("Open")
      << S("SpectraYPEcomboBox", "QComboBox", "gridLayout_37", 6, 0, 1, 2).it({"AS7341", "AS7343", "AS7265X"}).idx(0)
      << S("SpectraportChartComboBox", "QComboBox", "gridLayout_37", 7, 0, 1, 2).it({"Bar Chart", "Line Chart"}).idx(0)
      << S("Spectra_pushButton_Clear_Log", "QPushButton", "gridLayout_37", 8, 0, 1, 2).t("Clear Log")
      << S("SpectracheckBox", "QCheckBox", "gridLayout_37", 9, 0).t("LOG").p("checked", false)
      << S("Spectra_textEdit", "QPlainTextEdit", "verticalLayout_7").p("readOnly", false);
    // ---- i2cdump
    s << S("i2cdump", "QWidget") << S("i2cdump_groupBox_serial", "QGroupBox", "gridLayout_42", 0, 1).t("Serial Setting")
      << S("label_78", "QLabel", "verticalLayout_5").t("Serial No.")
      << S("i2cdumpportNameComboBox", "QComboBox", "verticalLayout_5").p("count", 0)
      << S("label_79", "QLabel", "verticalLayout_5").t("Baudrate")
      << S("i2cdumpbaudRateComboBox", "QComboBox", "verticalLayout_5").it(kBaud11).idx(8)
      << S("i2cdumpopencompushButton", "QPushButton", "verticalLayout_5").t("Open")
      << S("i2cdump_stop_pushButton", "QPushButton", "verticalLayout_5").t("Stop")
      << S("i2cdumpsancfpushButton", "QPushButton", "verticalLayout_5").t("Scan")
      << S("i2cdumpreadpushButton", "QPushButton", "verticalLayout_5").t("Read Reg")
      << S("i2cdumpwritepushButton", "QPushButton", "verticalLayout_5").t("Write Reg")
      << S("i2cdump_StrTextBrowser", "QPlainTextEdit", "verticalLayout_5").p("readOnly", false)
      << S("i2cdump_Clear_pushButton", "QPushButton", "verticalLayout_5").t("Clear Receive");
    // ---- TOF
    s << S("TOF", "QWidget") << S("groupBox_14", "QGroupBox", "gridLayout_32", 0, 1).t("Serial Setting")
      << S("label_80", "QLabel", "verticalLayout").t("Serial No.")
      << S("TOFportNameComboBox", "QComboBox", "verticalLayout").p("count", 0)
      << S("label_81", "QLabel", "verticalLayout").t("Baudrate")
      << S("TOFbaudRateComboBox", "QComboBox", "verticalLayout").it(kBaud12).idx(8)
      << S("TOFopencompushButton", "QPushButton", "verticalLayout").t("Open")
      << S("TOFTYPEcomboBox", "QComboBox", "verticalLayout").it({"VL53LMZ", "TMF8828", "TMF8829"}).idx(0)
      << S("TOFRangeComboBox", "QComboBox", "verticalLayout").it({"2000", "4000", "5000", "12000"}).idx(0)
      << S("TOFArrangementcomboBox", "QComboBox", "verticalLayout").it({"4x4", "8x8"}).idx(0)
      << S("TOFChartComboBox", "QComboBox", "verticalLayout").it({"2D", "3D"}).idx(0)
      << S("TOF_StrTextBrowser", "QPlainTextEdit", "verticalLayout").p("readOnly", false)
      << S("TOF_Clear_pushButton", "QPushButton", "verticalLayout").t("Clear Receive");
    // ---- CIE
    s << S("CIE", "QWidget") << S("groupBox_21", "QGroupBox", "gridLayout_48", 0, 1).t("Serial Setting")
      << S("label_92", "QLabel", "verticalLayout_2").t("Serial No.")
      << S("CIEportNameComboBox", "QComboBox", "verticalLayout_2").p("count", 0)
      << S("label_93", "QLabel", "verticalLayout_2").t("Baudrate")
      << S("CIEbaudRateComboBox", "QComboBox", "verticalLayout_2").it(kBaud11).idx(8)
      << S("CIEopencompushButton", "QPushButton", "verticalLayout_2").t("Open")
      << S("CIE_StrTextBrowser", "QPlainTextEdit", "verticalLayout_2").p("readOnly", false)
      << S("CIE_Clear_pushButton", "QPushButton", "verticalLayout_2").t("Clear Receive");
    // ---- IMU
    s << S("tab_3", "QWidget")
      << S("imu_groupBox_serial", "QGroupBox", "gridLayout_50", 1, 1).t("Serial Setting").p("minimumSize", QSize(190, 0))
      << S("label_96", "QLabel", "gridLayout_49", 0, 1).t("Serial No.")
      << S("imuportNameComboBox", "QComboBox", "gridLayout_49", 1, 1, 1, 2).p("count", 0)
      << S("label_94", "QLabel", "gridLayout_49", 2, 1).t("Baudrate")
      << S("imubaudRateComboBox", "QComboBox", "gridLayout_49", 3, 1, 1, 2).it(kBaud11).idx(8)
      << S("imuopencompushButton", "QPushButton", "gridLayout_49", 4, 1, 1, 2).t("Open")
      << S("label_108", "QLabel", "gridLayout_49", 6, 1, 1, 2).t("Quaternions:")
      << S("label_107", "QLabel", "gridLayout_49", 7, 1).t("w:")
      << S("label_imu_euler_w", "QLabel", "gridLayout_49", 7, 2).t("0.00")
      << S("label_101", "QLabel", "gridLayout_49", 8, 1).t("X:")
      << S("label_imu_euler_x", "QLabel", "gridLayout_49", 8, 2).t("0.00")
      << S("label_102", "QLabel", "gridLayout_49", 9, 1).t("Y:")
      << S("label_imu_euler_y", "QLabel", "gridLayout_49", 9, 2).t("0.00")
      << S("label_103", "QLabel", "gridLayout_49", 10, 1).t("Z:")
      << S("label_imu_euler_z", "QLabel", "gridLayout_49", 10, 2).t("0.00")
      << S("label_99", "QLabel", "gridLayout_49", 12, 1, 1, 2).t("Euler Angles:")
      << S("label_95", "QLabel", "gridLayout_49", 13, 1).t("Roll:")
      << S("label_imu_x", "QLabel", "gridLayout_49", 13, 2).t("0.00")
      << S("label_97", "QLabel", "gridLayout_49", 15, 1).t("Pitch:")
      << S("label_imu_y", "QLabel", "gridLayout_49", 15, 2).t("0.00")
      << S("label_98", "QLabel", "gridLayout_49", 16, 1).t("Yaw:")
      << S("label_imu_z", "QLabel", "gridLayout_49", 16, 2).t("0.00");
    return s;
}

// Size policies the form sets: name, horizontal, vertical, horizontal stretch.
struct PolicySpec
{
    const char *name;
    QSizePolicy::Policy h, v;
    int hStretch;
};

const QList<PolicySpec> kPolicies = {
    {"label_86", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_87", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"Modbus_function_comboBox", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"groupBox_16", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_84", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_83", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_82", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_85", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"ModbusTCPopencompushButton", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"ModbusTCPclientPortlineEdit", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"ModbusTCPclientIPlineEdit", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_90", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_91", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_64", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_65", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_43", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_47", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"osc_groupBox_serial", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_66", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_67", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"Spectra_groupBox_serial", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_76", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_77", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"i2cdump_groupBox_serial", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_78", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_79", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"i2cdump_StrTextBrowser", QSizePolicy::Fixed, QSizePolicy::Expanding, 1},
    {"i2cdump_Clear_pushButton", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"groupBox_14", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_80", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_81", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"groupBox_21", QSizePolicy::Fixed, QSizePolicy::Preferred, 0},
    {"label_92", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_93", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"imu_groupBox_serial", QSizePolicy::Maximum, QSizePolicy::Preferred, 1},
    {"label_96", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
    {"label_94", QSizePolicy::Preferred, QSizePolicy::Fixed, 0},
};

// Nested and group layouts: name, class, parent layout ("" = owned by a
// widget), cell in the parent (row -1 = box item), whether it is a widget's
// own layout (margins 11) and the items it must hold (0 = none).
struct LayoutSpec
{
    const char *name;
    const char *className;
    const char *parent;
    Cell cell;
    bool owned;
    int count;
};

const QList<LayoutSpec> kLayouts = {
    {"gridLayout_23", "QGridLayout", "", {}, true, 9},
    {"gridLayout_41", "QGridLayout", "", {}, true, 2},
    {"gridLayout_29", "QGridLayout", "", {}, true, 20},
    {"gridLayout_30", "QGridLayout", "", {}, true, 6},
    {"gridLayout_46", "QGridLayout", "", {}, true, 4},
    {"gridLayout_38", "QGridLayout", "", {}, true, 2},
    {"gridLayout_44", "QGridLayout", "", {}, true, 2},
    {"gridLayout_45", "QGridLayout", "", {}, true, 12},
    {"gridLayout_43", "QGridLayout", "", {}, true, 20},
    {"gridLayout_28", "QGridLayout", "", {}, true, 3},
    {"env_gridLayout", "QGridLayout", "gridLayout_28", {0, 0, 2, 1}, false, 7},
    {"humidity_gridLayout", "QGridLayout", "env_gridLayout", {1, 3, 1, 1}, false, 1},
    {"ultraviolet_gridLayout", "QGridLayout", "env_gridLayout", {7, 3, 4, 1}, false, 1},
    {"temperature_gridLayout", "QGridLayout", "env_gridLayout", {1, 0, 10, 3}, false, 2},
    {"gridLayout_27", "QGridLayout", "env_gridLayout", {11, 0, 1, 4}, false, 6},
    {"CO2_gridLayout", "QGridLayout", "gridLayout_27", {1, 0, 1, 1}, false, 0},
    {"TVOC_gridLayout", "QGridLayout", "gridLayout_27", {1, 1, 1, 1}, false, 0},
    {"barometer_gridLayout", "QGridLayout", "gridLayout_27", {1, 2, 1, 1}, false, 0},
    {"gridLayout_24", "QGridLayout", "", {}, true, 2},
    {"verticalLayout_4", "QVBoxLayout", "", {}, true, 5},
    {"gridLayout_31", "QGridLayout", "", {}, true, 2},
    {"gridLayout_oscilloscpewideget", "QGridLayout", "gridLayout_31", {0, 0, 1, 1}, false, 0},
    {"verticalLayout_6", "QVBoxLayout", "", {}, true, 10},
    {"gridLayout_39", "QGridLayout", "", {}, true, 2},
    {"gridLayout_37", "QGridLayout", "", {}, true, 10},
    {"verticalLayout_7", "QVBoxLayout", "gridLayout_39", {0, 1, 3, 1}, false, 2},
    {"gridLayout_spectra", "QGridLayout", "verticalLayout_7", {}, false, 0},
    {"gridLayout_42", "QGridLayout", "", {}, true, 2},
    {"verticalLayout_5", "QVBoxLayout", "", {}, true, 11},
    {"gridLayout_i2cdump", "QGridLayout", "gridLayout_42", {0, 0, 2, 1}, false, 0},
    {"gridLayout_32", "QGridLayout", "", {}, true, 2},
    {"gridLayout_tof", "QGridLayout", "gridLayout_32", {0, 0, 1, 1}, false, 1},
    {"verticalLayout", "QVBoxLayout", "", {}, true, 11},
    {"gridLayout_48", "QGridLayout", "", {}, true, 2},
    {"gridLayout_cie", "QGridLayout", "gridLayout_48", {0, 0, 1, 1}, false, 0},
    {"verticalLayout_2", "QVBoxLayout", "", {}, true, 7},
    {"gridLayout_50", "QGridLayout", "", {}, true, 2},
    {"gridLayout_49", "QGridLayout", "", {}, true, 23},
    {"gridLayout_IMU", "QGridLayout", "gridLayout_50", {1, 0, 1, 1}, false, 0},
};

// Spacer items: layout, cell (row -1: index in a box layout given by column),
// size hint, policies.
struct SpacerSpec
{
    const char *layout;
    Cell cell;
    QSize hint;
    QSizePolicy::Policy h, v;
};

const QSizePolicy::Policy Exp = QSizePolicy::Expanding, Min = QSizePolicy::Minimum;
const QList<SpacerSpec> kSpacers = {
    {"gridLayout_23", {2, 0, 1, 1}, {116, 20}, Exp, Min},
    {"gridLayout_23", {2, 2, 1, 1}, {116, 20}, Exp, Min},
    {"gridLayout_23", {2, 4, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_23", {2, 6, 1, 1}, {116, 20}, Exp, Min},
    {"gridLayout_29", {5, 1, 1, 2}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 3, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 4, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 5, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 6, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 7, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 8, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_29", {5, 9, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_30", {1, 0, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_30", {1, 3, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_45", {0, 3, 1, 2}, {40, 20}, Exp, Min},
    {"gridLayout_45", {0, 7, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_45", {2, 6, 1, 4}, {40, 20}, Exp, Min},
    {"humidity_gridLayout", {0, 0, 1, 1}, {20, 40}, Min, Exp},
    {"ultraviolet_gridLayout", {0, 0, 1, 1}, {20, 40}, Min, Exp},
    {"temperature_gridLayout", {0, 0, 1, 1}, {20, 40}, Min, Exp},
    {"temperature_gridLayout", {1, 0, 1, 1}, {40, 20}, Exp, Min},
    {"verticalLayout_6", {-1, 5, 1, 1}, {20, 40}, Min, Exp},
    {"gridLayout_37", {10, 0, 1, 1}, {20, 40}, Min, Exp},
    {"gridLayout_tof", {0, 0, 1, 1}, {40, 20}, Exp, Min},
    {"gridLayout_49", {5, 1, 1, 2}, {20, 40}, Min, Exp},
    {"gridLayout_49", {11, 1, 1, 2}, {20, 40}, Min, Exp},
};

// Object names of the items of a box layout, top to bottom ("<spacer>" for a
// spacer item).
QStringList boxOrder(QObject *root, const char *name)
{
    QStringList out;
    QLayout *l = FormCheck::findLayout(root, QString::fromLatin1(name));
    if (!l)
        return {QStringLiteral("<missing>")};
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem *it = l->itemAt(i);
        if (it->widget())
            out << it->widget()->objectName();
        else if (it->layout())
            out << it->layout()->objectName();
        else if (it->spacerItem())
            out << QStringLiteral("<spacer>");
    }
    return out;
}

QStringList pageNames()
{
    QStringList out;
    for (const auto &p : kPages)
        out << p.first;
    return out;
}

// Every user-visible text of the pages: "object[#item]" -> text.
QMap<QString, QString> visibleTexts(QWidget *window)
{
    QMap<QString, QString> out;
    for (const QString &page : pageNames()) {
        QWidget *p = window->findChild<QWidget *>(page);
        if (!p)
            continue;
        const auto children = p->findChildren<QWidget *>();
        for (QWidget *w : children) {
            const QString n = w->objectName();
            if (n.isEmpty() || n.startsWith(QLatin1String("qt_")))
                continue;
            if (auto *b = qobject_cast<QAbstractButton *>(w))
                out.insert(n, b->text());
            else if (auto *g = qobject_cast<QGroupBox *>(w))
                out.insert(n, g->title());
            else if (auto *l = qobject_cast<QLabel *>(w))
                out.insert(n, l->text());
            else if (auto *e = qobject_cast<QLineEdit *>(w))
                out.insert(n, e->text());
            else if (auto *c = qobject_cast<QComboBox *>(w))
                for (int i = 0; i < c->count(); ++i)
                    out.insert(QStringLiteral("%1#%2").arg(n).arg(i), c->itemText(i));
        }
    }
    return out;
}

// Texts the program compares, converts or shows as values: they stay as
// they are in every language.
QSet<QString> keepEnglish()
{
    QSet<QString> k;
    for (const QString &b : kBaud17 + kBaud11 + kBaud12 + kBaud10)
        k.insert(b);
    for (const char *s : {"5", "6", "7", "8", "1", "1.5", "2", "Mark", "Space", "COM", "TCP", "Read", "Connect",
                          "127.0.0.1", "1000", "DES", "2DES", "3DES", "DES - CBC", "Base64", "AS7341", "AS7343",
                          "AS7265X", "VL53LMZ", "TMF8828", "TMF8829", "2000", "4000", "5000", "12000", "4x4", "8x8",
                          "2D", "3D", "0.00", "w:", "X:", "Y:", "Z:", "TVOC:"})
        k.insert(QString::fromLatin1(s));
    k.insert(QString::fromUtf8("CO\u2082:"));
    return k;
}

// A window with the four channel slots, to see the form's by-name wiring.
class ProbeWindow : public QMainWindow
{
    Q_OBJECT
public:
    QList<QPair<int, int>> calls;
public slots:
    void on_checkBox_0_stateChanged(int s) { calls.append({0, s}); }
    void on_checkBox_1_stateChanged(int s) { calls.append({1, s}); }
    void on_checkBox_2_stateChanged(int s) { calls.append({2, s}); }
    void on_checkBox_3_stateChanged(int s) { calls.append({3, s}); }
};

// A window that retranslates its form on a language change, as the main
// window does.
class LangWindow : public QMainWindow
{
public:
    Ui::MainWindow ui;
    int changes = 0;
    LangWindow() { ui.setupUi(this); }

protected:
    void changeEvent(QEvent *e) override
    {
        QMainWindow::changeEvent(e);
        if (e->type() == QEvent::LanguageChange) {
            ++changes;
            ui.retranslateUi(this);
        }
    }
};

} // namespace

class TestFormPages2 : public QObject
{
    Q_OBJECT

private slots:
    void widgetTable()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        FormCheck::checkWidgets(&w, ::widgetTable());
    }

    void pagesAndTabs()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        const QList<QPair<QWidget *, int>> pages = {{ui.Unicode, 5}, {ui.environment, 6}, {ui.Crypty, 7},
                                                    {ui.Oscilloscope, 8}, {ui.spectra, 11}, {ui.i2cdump, 13},
                                                    {ui.TOF, 14}, {ui.Modbus, 15}, {ui.CIE, 17}, {ui.tab_3, 18}};
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(ui.tabWidget->indexOf(pages[i].first), pages[i].second);
            QCOMPARE(ui.tabWidget->tabText(pages[i].second), kPages[i].second);
            QCOMPARE(pages[i].first->objectName(), kPages[i].first);
        }
        QCOMPARE(ui.gridLayout_23->parentWidget(), ui.Unicode);
        QCOMPARE(ui.gridLayout_41->parentWidget(), ui.Crypty);
        QCOMPARE(ui.gridLayout_46->parentWidget(), ui.Modbus);
        QCOMPARE(ui.gridLayout_28->parentWidget(), ui.environment);
        QCOMPARE(ui.gridLayout_31->parentWidget(), ui.Oscilloscope);
        QCOMPARE(ui.gridLayout_39->parentWidget(), ui.spectra);
        QCOMPARE(ui.gridLayout_42->parentWidget(), ui.i2cdump);
        QCOMPARE(ui.gridLayout_32->parentWidget(), ui.TOF);
        QCOMPARE(ui.gridLayout_48->parentWidget(), ui.CIE);
        QCOMPARE(ui.gridLayout_50->parentWidget(), ui.tab_3);
        // The two transport buttons share the settings group, so they exclude each other.
        QCOMPARE(ui.ModbusportMode_1->parentWidget(), ui.groupBox_16);
        QCOMPARE(ui.ModbusportMode_2->parentWidget(), ui.groupBox_16);
        QVERIFY(ui.ModbusportMode_1->autoExclusive());
        ui.ModbusportMode_1->setChecked(true);
        ui.ModbusportMode_2->setChecked(true);
        QVERIFY(!ui.ModbusportMode_1->isChecked());
    }

    void layouts()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        for (const LayoutSpec &s : kLayouts) {
            const QString name = QString::fromLatin1(s.name);
            QLayout *l = FormCheck::findLayout(&w, name);
            QVERIFY2(l, s.name);
            QCOMPARE(QString::fromLatin1(l->metaObject()->className()), QString::fromLatin1(s.className));
            QCOMPARE(l->count(), s.count);
            if (auto *g = qobject_cast<QGridLayout *>(l))
                QVERIFY2(g->horizontalSpacing() == 6, s.name);
            else
                QVERIFY2(l->spacing() == 6, s.name);
            if (s.owned) {
                QVERIFY2(l->parentWidget() && l->parentWidget()->layout() == l, s.name);
                QCOMPARE(l->contentsMargins(), QMargins(11, 11, 11, 11));
            } else {
                QCOMPARE(l->contentsMargins(), QMargins(0, 0, 0, 0));
            }
            if (*s.parent) {
                QLayout *p = FormCheck::findLayout(&w, QString::fromLatin1(s.parent));
                QVERIFY2(p, s.parent);
                const int i = p->indexOf(l);
                QVERIFY2(i >= 0, s.name);
                if (auto *g = qobject_cast<QGridLayout *>(p)) {
                    int r, c, rs, cs;
                    g->getItemPosition(i, &r, &c, &rs, &cs);
                    QVERIFY2(r == s.cell.row && c == s.cell.column && rs == s.cell.rowSpan && cs == s.cell.columnSpan,
                             s.name);
                }
            }
        }
        QCOMPARE(ui.gridLayout_IMU->verticalSpacing(), 7);
        QCOMPARE(ui.gridLayout_IMU->horizontalSpacing(), 6);
        // The chart placeholder takes the free height above the log.
        QCOMPARE(ui.verticalLayout_7->stretch(0), 10);
        QCOMPARE(ui.verticalLayout_7->stretch(1), 0);
        QCOMPARE(ui.verticalLayout_7->itemAt(0)->layout(), ui.gridLayout_spectra);

        // Box layouts in their top-to-bottom order.
        QCOMPARE(boxOrder(&w, "verticalLayout_4"),
                 QStringList({"label_43", "ENVportNameComboBox", "label_47", "ENVbaudRateComboBox", "ENVopencompushButton"}));
        QCOMPARE(boxOrder(&w, "verticalLayout_6"),
                 QStringList({"label_66", "OSCportNameComboBox", "label_67", "OSCbaudRateComboBox", "OSCopencompushButton",
                              "<spacer>", "checkBox_0", "checkBox_1", "checkBox_2", "checkBox_3"}));
        QCOMPARE(boxOrder(&w, "verticalLayout_5"),
                 QStringList({"label_78", "i2cdumpportNameComboBox", "label_79", "i2cdumpbaudRateComboBox",
                              "i2cdumpopencompushButton", "i2cdump_stop_pushButton", "i2cdumpsancfpushButton",
                              "i2cdumpreadpushButton", "i2cdumpwritepushButton", "i2cdump_StrTextBrowser",
                              "i2cdump_Clear_pushButton"}));
        QCOMPARE(boxOrder(&w, "verticalLayout"),
                 QStringList({"label_80", "TOFportNameComboBox", "label_81", "TOFbaudRateComboBox", "TOFopencompushButton",
                              "TOFTYPEcomboBox", "TOFRangeComboBox", "TOFArrangementcomboBox", "TOFChartComboBox",
                              "TOF_StrTextBrowser", "TOF_Clear_pushButton"}));
        QCOMPARE(boxOrder(&w, "verticalLayout_2"),
                 QStringList({"label_92", "CIEportNameComboBox", "label_93", "CIEbaudRateComboBox", "CIEopencompushButton",
                              "CIE_StrTextBrowser", "CIE_Clear_pushButton"}));
        QCOMPARE(boxOrder(&w, "verticalLayout_7"), QStringList({"gridLayout_spectra", "Spectra_textEdit"}));
        for (const char *box : {"verticalLayout_4", "verticalLayout_6", "verticalLayout_5", "verticalLayout", "verticalLayout_2"}) {
            auto *b = qobject_cast<QBoxLayout *>(FormCheck::findLayout(&w, QString::fromLatin1(box)));
            for (int i = 0; i < b->count(); ++i)
                QVERIFY2(b->stretch(i) == 0, box);
        }
    }

    void spacers()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        int perLayout = 0;
        for (const SpacerSpec &s : kSpacers) {
            QLayout *l = FormCheck::findLayout(&w, QString::fromLatin1(s.layout));
            QVERIFY2(l, s.layout);
            QSpacerItem *sp = nullptr;
            if (s.cell.row < 0) {
                sp = l->itemAt(s.cell.column) ? l->itemAt(s.cell.column)->spacerItem() : nullptr;
            } else {
                auto *g = qobject_cast<QGridLayout *>(l);
                QVERIFY(g);
                for (int i = 0; i < g->count(); ++i) {
                    int r, c, rs, cs;
                    g->getItemPosition(i, &r, &c, &rs, &cs);
                    if (r == s.cell.row && c == s.cell.column && g->itemAt(i)->spacerItem()) {
                        QVERIFY2(rs == s.cell.rowSpan && cs == s.cell.columnSpan,
                                 qPrintable(QStringLiteral("%1 %2,%3 span").arg(s.layout).arg(r).arg(c)));
                        sp = g->itemAt(i)->spacerItem();
                    }
                }
            }
            QVERIFY2(sp, qPrintable(QStringLiteral("no spacer in %1 at %2,%3").arg(s.layout).arg(s.cell.row).arg(s.cell.column)));
            QCOMPARE(sp->sizeHint(), s.hint);
            QCOMPARE(sp->sizePolicy().horizontalPolicy(), s.h);
            QCOMPARE(sp->sizePolicy().verticalPolicy(), s.v);
            ++perLayout;
        }
        // No spacer anywhere else on these pages.
        int total = 0;
        for (const QString &page : pageNames()) {
            QWidget *p = w.findChild<QWidget *>(page);
            const auto layouts = p->findChildren<QLayout *>();
            for (QLayout *l : layouts) {
                if (l->objectName().isEmpty()) // combo popups and other widget internals
                    continue;
                for (int i = 0; i < l->count(); ++i)
                    total += l->itemAt(i)->spacerItem() ? 1 : 0;
            }
        }
        QCOMPARE(total, perLayout);
    }

    void sizePoliciesAndCursors()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        for (const PolicySpec &p : kPolicies) {
            QWidget *x = w.findChild<QWidget *>(QString::fromLatin1(p.name));
            QVERIFY2(x, p.name);
            const QSizePolicy sp = x->sizePolicy();
            QVERIFY2(sp.horizontalPolicy() == p.h && sp.verticalPolicy() == p.v && sp.horizontalStretch() == p.hStretch
                         && sp.verticalStretch() == 0,
                     p.name);
        }
        // Open and connect buttons carry the arrow cursor of their own.
        for (QWidget *b : {static_cast<QWidget *>(ui.ModbusopencompushButton), static_cast<QWidget *>(ui.ModbusTCPopencompushButton),
                           static_cast<QWidget *>(ui.ENVopencompushButton), static_cast<QWidget *>(ui.OSCopencompushButton),
                           static_cast<QWidget *>(ui.SpectraopencompushButton), static_cast<QWidget *>(ui.i2cdumpopencompushButton),
                           static_cast<QWidget *>(ui.TOFopencompushButton), static_cast<QWidget *>(ui.CIEopencompushButton),
                           static_cast<QWidget *>(ui.imuopencompushButton)}) {
            QVERIFY2(b->testAttribute(Qt::WA_SetCursor), qPrintable(b->objectName()));
            QCOMPARE(b->cursor().shape(), Qt::ArrowCursor);
        }
        // Nothing on the tool pages has a style sheet, tool tip or font of its own.
        for (QWidget *page : {ui.Unicode, ui.Crypty}) {
            const auto children = page->findChildren<QWidget *>();
            for (QWidget *c : children) {
                if (c->objectName().startsWith(QLatin1String("qt_")) || c->objectName().isEmpty())
                    continue;
                QVERIFY2(c->styleSheet().isEmpty() && c->toolTip().isEmpty(), qPrintable(c->objectName()));
                QVERIFY2(!c->testAttribute(Qt::WA_SetFont), qPrintable(c->objectName()));
            }
        }
    }

    void defaultsAndEditors()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        for (QWidget *e : {static_cast<QWidget *>(ui.UnicodetextEdit), static_cast<QWidget *>(ui.UnicodetextBrowser),
                           static_cast<QWidget *>(ui.base64_source_textBrowser), static_cast<QWidget *>(ui.base64_to_textBrowser)})
            QVERIFY2(qobject_cast<QTextEdit *>(e)->toPlainText().isEmpty(), qPrintable(e->objectName()));
        for (QLineEdit *e : {ui.DeslineEdit_KEY, ui.DeslineEdit_KEYLEN, ui.DeslineEdit_Data, ui.DeslineEdit_Datalen,
                             ui.DeslineEdit_Result, ui.Modbus_lineEdit}) {
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
            QVERIFY2(!e->validator(), qPrintable(e->objectName()));
        }
        for (QPlainTextEdit *e : {ui.Modbus_sendMsgtextEdit, ui.Modbus_HexTextBrowser, ui.ENV_StrTextBrowser,
                                  ui.Spectra_textEdit, ui.i2cdump_StrTextBrowser, ui.TOF_StrTextBrowser, ui.CIE_StrTextBrowser})
            QVERIFY2(e->toPlainText().isEmpty(), qPrintable(e->objectName()));
        QVERIFY(ui.UnicodetextBrowser->isReadOnly());

        // The prefix box reads Prefix "\U": eleven characters, backslash before U.
        QCOMPARE(ui.UnicodecheckBox->text().size(), 11);
        QVERIFY(ui.UnicodecheckBox->text().contains(QStringLiteral("\\U")));

        // The current texts agree with the current indexes.
        QCOMPARE(ui.ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        for (QComboBox *c : {ui.OSCbaudRateComboBox, ui.SpectrabaudRateComboBox, ui.i2cdumpbaudRateComboBox,
                             ui.TOFbaudRateComboBox, ui.ModbusbaudRateComboBox, ui.CIEbaudRateComboBox, ui.imubaudRateComboBox})
            QCOMPARE(c->currentText(), QStringLiteral("115200"));
        QCOMPARE(ui.ModbusdataBitsComboBox->currentText(), QStringLiteral("8"));
        QCOMPARE(ui.ModbusparityComboBox->currentText(), QStringLiteral("None"));
        QCOMPARE(ui.ModbusstopBitsComboBox->currentText(), QStringLiteral("1"));
        // The fifteenth Modbus rate carries a blank that number parsing ignores.
        QCOMPARE(ui.ModbusbaudRateComboBox->itemText(14).trimmed().toInt(), 921600);
    }

    void modbusSpinBoxes()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        QCOMPARE(ui.Modbus_address_spinBox->text(), QStringLiteral("0"));
        QCOMPARE(ui.Modbus_quantity_spinBox->text(), QStringLiteral("1"));
        ui.Modbus_quantity_spinBox->setValue(65535);
        QCOMPARE(ui.Modbus_quantity_spinBox->text(), QStringLiteral("ffff"));
        ui.Modbus_quantity_spinBox->setValue(100000);
        QCOMPARE(ui.Modbus_quantity_spinBox->value(), 65535);
        // Typed digits are read as hexadecimal.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ui.tabWidget->setCurrentWidget(ui.Modbus);
        ui.Modbus_address_spinBox->setFocus();
        ui.Modbus_address_spinBox->selectAll();
        QTest::keyClicks(ui.Modbus_address_spinBox, QStringLiteral("1f"));
        ui.Modbus_address_spinBox->interpretText();
        QCOMPARE(ui.Modbus_address_spinBox->value(), 0x1f);
        // The slave address is decimal, 1 to 255.
        ui.ModbusspinBox->setValue(0);
        QCOMPARE(ui.ModbusspinBox->value(), 1);
        ui.ModbusspinBox->setValue(256);
        QCOMPARE(ui.ModbusspinBox->value(), 255);
        QCOMPARE(ui.ModbusspinBox->text(), QStringLiteral("255"));
    }

    void channelBoxesWiredByName()
    {
        ProbeWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        QVERIFY(w.calls.isEmpty());
        ui.checkBox_2->setChecked(false);
        ui.checkBox_0->setChecked(false);
        ui.checkBox_0->setChecked(true);
        ui.checkBox_3->click();
        ui.checkBox_1->click();
        const QList<QPair<int, int>> expected = {{2, Qt::Unchecked}, {0, Qt::Unchecked}, {0, Qt::Checked},
                                                 {3, Qt::Unchecked}, {1, Qt::Unchecked}};
        QCOMPARE(w.calls, expected);
    }

    void geometryLimits()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        w.resize(1280, 1024);
        ui.tabWidget->setCurrentWidget(ui.environment);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(ui.env_groupBox_receive->width() > 0);
        QVERIFY2(ui.env_groupBox_receive->width() <= 200, qPrintable(QString::number(ui.env_groupBox_receive->width())));
        // The serial-setting columns stay at their size hint however wide the window.
        for (QWidget *page : {static_cast<QWidget *>(ui.Oscilloscope), static_cast<QWidget *>(ui.spectra),
                              static_cast<QWidget *>(ui.i2cdump), static_cast<QWidget *>(ui.TOF),
                              static_cast<QWidget *>(ui.CIE), static_cast<QWidget *>(ui.Modbus)}) {
            ui.tabWidget->setCurrentWidget(page);
            QApplication::processEvents();
        }
        QCOMPARE(ui.groupBox_14->width(), ui.groupBox_14->sizeHint().width());
        QCOMPARE(ui.groupBox_16->width(), ui.groupBox_16->sizeHint().width());
        // The IMU group never gets narrower than 190 pixels, even in the smallest window.
        w.resize(915, 750);
        ui.tabWidget->setCurrentWidget(ui.tab_3);
        QApplication::processEvents();
        QTRY_VERIFY(ui.imu_groupBox_serial->isVisible());
        QVERIFY(ui.imu_groupBox_serial->width() >= 190);
        QVERIFY(ui.imu_groupBox_serial->width() <= qMax(190, ui.imu_groupBox_serial->sizeHint().width()));
    }

    void retranslationResetsAndKeeps()
    {
        LangWindow w;
        Ui::MainWindow &ui = w.ui;
        // What the user typed into the tool editors survives a language change.
        ui.UnicodetextEdit->setPlainText(QStringLiteral("\u4e2d\u6587 text"));
        ui.UnicodetextBrowser->setText(QStringLiteral("\\u4e2d"));
        ui.UnicodecheckBox->setChecked(true);
        ui.DeslineEdit_KEY->setText(QStringLiteral("0123456789abcdef"));
        ui.DeslineEdit_Data->setText(QStringLiteral("4e6f772069732074"));
        ui.DeslineEdit_Result->setText(QStringLiteral("3fa40e8a984d4815"));
        ui.DeslineEdit_KEYLEN->setText(QStringLiteral("16"));
        ui.DeslineEdit_Datalen->setText(QStringLiteral("16"));
        ui.DEScomboBox->setCurrentIndex(2);
        ui.base64_source_textBrowser->setPlainText(QStringLiteral("hello"));
        ui.base64_to_textBrowser->setPlainText(QStringLiteral("aGVsbG8="));
        // Fields the retranslation owns go back to their defaults.
        ui.ENVbaudRateComboBox->setCurrentIndex(0);
        ui.TOFbaudRateComboBox->setCurrentIndex(11);
        ui.ModbusbaudRateComboBox->setCurrentIndex(16);
        ui.ModbusTCPclientIPlineEdit->setText(QStringLiteral("127.0.0.9"));
        ui.ModbusTCPclientPortlineEdit->setText(QStringLiteral("502"));
        ui.label_imu_x->setText(QStringLiteral("12.5"));
        ui.label_imu_euler_w->setText(QStringLiteral("0.71"));
        ui.Modbus_pushButton->setText(QStringLiteral("Write"));
        ui.ModbusTCPopencompushButton->setText(QStringLiteral("Disconnect"));
        ui.i2cdump_stop_pushButton->setText(QStringLiteral("Start"));

        QTranslator zh;
        QVERIFY(zh.load(QStringLiteral(":/transSimpleChinese.qm")));
        // Installing a catalogue sends the window a language change.
        QCoreApplication::installTranslator(&zh);
        QTRY_VERIFY(w.changes > 0);
        QCOMPARE(ui.StoUpushButton->text(), QString::fromUtf8("\u4e2d\u6587\u8f6cUnicode"));

        QCOMPARE(ui.UnicodetextEdit->toPlainText(), QStringLiteral("\u4e2d\u6587 text"));
        QCOMPARE(ui.UnicodetextBrowser->toPlainText(), QStringLiteral("\\u4e2d"));
        QVERIFY(ui.UnicodecheckBox->isChecked());
        QCOMPARE(ui.DeslineEdit_KEY->text(), QStringLiteral("0123456789abcdef"));
        QCOMPARE(ui.DeslineEdit_Data->text(), QStringLiteral("4e6f772069732074"));
        QCOMPARE(ui.DeslineEdit_Result->text(), QStringLiteral("3fa40e8a984d4815"));
        QCOMPARE(ui.DeslineEdit_KEYLEN->text(), QStringLiteral("16"));
        QCOMPARE(ui.DeslineEdit_Datalen->text(), QStringLiteral("16"));
        QCOMPARE(ui.DEScomboBox->currentIndex(), 2);
        QCOMPARE(ui.DEScomboBox->count(), 3);
        QCOMPARE(ui.base64_source_textBrowser->toPlainText(), QStringLiteral("hello"));
        QCOMPARE(ui.base64_to_textBrowser->toPlainText(), QStringLiteral("aGVsbG8="));

        QCOMPARE(ui.ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        QCOMPARE(ui.TOFbaudRateComboBox->currentText(), QStringLiteral("115200"));
        QCOMPARE(ui.ModbusbaudRateComboBox->currentText(), QStringLiteral("115200"));
        QCOMPARE(ui.ModbusTCPclientIPlineEdit->text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(ui.ModbusTCPclientPortlineEdit->text(), QStringLiteral("1000"));
        QCOMPARE(ui.label_imu_x->text(), QStringLiteral("0.00"));
        QCOMPARE(ui.label_imu_euler_w->text(), QStringLiteral("0.00"));
        // The two Modbus buttons get their texts once, at build time only.
        QCOMPARE(ui.Modbus_pushButton->text(), QStringLiteral("Write"));
        QCOMPARE(ui.ModbusTCPopencompushButton->text(), QStringLiteral("Disconnect"));
        // The i2cdump toggle is a retranslated text.
        QCOMPARE(ui.i2cdump_stop_pushButton->text(), QString::fromUtf8("\u505c\u6b62"));
        QCoreApplication::removeTranslator(&zh);
        QTRY_COMPARE(ui.i2cdump_stop_pushButton->text(), QStringLiteral("Stop"));
        QCOMPARE(ui.UnicodetextEdit->toPlainText(), QStringLiteral("\u4e2d\u6587 text"));
        QCOMPARE(ui.base64_to_textBrowser->toPlainText(), QStringLiteral("aGVsbG8="));
    }

    void chineseCatalogue()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        const QMap<QString, QString> english = visibleTexts(&w);
        QVERIFY(english.size() > 150);

        QTranslator zh;
        QVERIFY(zh.load(QStringLiteral(":/transSimpleChinese.qm")));
        QCoreApplication::installTranslator(&zh);
        ui.retranslateUi(&w);
        const QMap<QString, QString> chinese = visibleTexts(&w);
        QStringList tabs;
        for (const auto &p : kPages)
            tabs << ui.tabWidget->tabText(ui.tabWidget->indexOf(w.findChild<QWidget *>(p.first)));
        QCoreApplication::removeTranslator(&zh);

        const QSet<QString> keep = keepEnglish();
        QStringList untranslated, changed;
        for (auto it = english.cbegin(); it != english.cend(); ++it) {
            if (it.value().isEmpty())
                continue;
            const QString now = chinese.value(it.key());
            if (keep.contains(it.value())) {
                if (now != it.value())
                    changed << it.key() + ": " + it.value() + " -> " + now;
            } else if (now == it.value() || now.isEmpty()) {
                untranslated << it.key() + ": " + it.value();
            }
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral("; "))));
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QStringLiteral("; "))));
        QVERIFY(keep.contains(QStringLiteral("Read")) && english.value("Modbus_pushButton") == QStringLiteral("Read"));

        // Tab texts come back unchanged: the pages are found by them.
        QStringList expectedTabs;
        for (const auto &p : kPages)
            expectedTabs << p.second;
        QCOMPARE(tabs, expectedTabs);
        // Parity items are read by index and may be translated; Mark and Space stay.
        QCOMPARE(chinese.value("ModbusparityComboBox#0"), QString::fromUtf8("\u65e0"));
        QCOMPARE(chinese.value("ModbusparityComboBox#1"), QString::fromUtf8("\u5947"));
        QCOMPARE(chinese.value("ModbusparityComboBox#2"), QString::fromUtf8("\u5076"));
        QCOMPARE(chinese.value("ModbusparityComboBox#3"), QStringLiteral("Mark"));
        QCOMPARE(chinese.value("ModbusparityComboBox#4"), QStringLiteral("Space"));
        // The i2cdump page recognises its stop state by exactly this text.
        QCOMPARE(chinese.value("i2cdump_stop_pushButton"), QString::fromUtf8("\u505c\u6b62"));
        // The function list keeps its eight entries in code order.
        for (int i = 0; i < 8; ++i)
            QVERIFY(chinese.value(QStringLiteral("Modbus_function_comboBox#%1").arg(i)).startsWith(kFunctions[i].left(3)));
        // Baud combos still show the defaults, and every baud text still parses.
        QCOMPARE(ui.ENVbaudRateComboBox->currentText(), QStringLiteral("9600"));
        QCOMPARE(ui.CIEbaudRateComboBox->currentText(), QStringLiteral("115200"));
    }

    void englishCatalogue()
    {
        QMainWindow w;
        Ui::MainWindow ui;
        ui.setupUi(&w);
        const QMap<QString, QString> before = visibleTexts(&w);
        QTranslator en;
        QVERIFY(en.load(QStringLiteral(":/transEnglish.qm")));
        QCoreApplication::installTranslator(&en);
        ui.retranslateUi(&w);
        QCoreApplication::removeTranslator(&en);
        QCOMPARE(visibleTexts(&w), before);
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("VELM_ARTIFACT_DIR");
        for (const char *lang : {"en", "zh"}) {
            QMainWindow w;
            Ui::MainWindow ui;
            QTranslator zh;
            const bool chinese = QByteArray(lang) == "zh";
            if (chinese) {
                QVERIFY(zh.load(QStringLiteral(":/transSimpleChinese.qm")));
                QCoreApplication::installTranslator(&zh);
            }
            ui.setupUi(&w);
            w.resize(1280, 1024);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            for (const auto &p : kPages) {
                QWidget *page = w.findChild<QWidget *>(p.first);
                ui.tabWidget->setCurrentWidget(page);
                QApplication::processEvents();
                const QImage img = w.grab().toImage();
                QVERIFY(!img.isNull());
                QCOMPARE(img.size(), w.size() * w.devicePixelRatio());
                if (!dir.isEmpty()) {
                    const QString file = QDir(dir).filePath(
                        QStringLiteral("form_pages2_%1_%2.png").arg(QString(p.second).replace(' ', '_'), QString::fromLatin1(lang)));
                    QVERIFY2(img.save(file, "PNG"), qPrintable(file));
                }
            }
            if (chinese)
                QCoreApplication::removeTranslator(&zh);
        }
    }
};

VELM_TEST_MAIN(TestFormPages2)
#include "tst_formpages2.moc"
