#include "pagetable.h"

#include "firstshow.h"
#include "mainwindow.h"
#include "ui_config.h"
#include "ui_mainwindow.h"

#include <QGridLayout>

#include <cstring>

#include "ble/kalvest_ble.h"
#include "convert/kalvest_convert.h"
#include "hex/kalvest_hex_tools.h"
#include "osc/mwaveview.h"

namespace {

using F = Ui_MainWindow;
using P = Ui_Config;

const QList<PageEntry> &table()
{
    static const QList<PageEntry> entries = {
        {"COM", &F::serial, [](MainWindow &w) { w.Serial_Init_Start(); }, &P::Config_COM_ON_OFF,
         {&F::portNameComboBox, &F::baudRateComboBox, &F::opencompushButton, &F::dataBitsComboBox,
          &F::parityComboBox, &F::stopBitsComboBox}},
        {"UDP", &F::udp, [](MainWindow &w) { w.UDP_Init_Start(); }, &P::Config_UDP_ON_OFF},
        {"TCP", &F::tcp, [](MainWindow &w) { w.TCP_Init_Start(); }, &P::Config_TCP_ON_OFF},
        {"GPS", &F::gps, [](MainWindow &w) { w.GPS_Init_Start(); }, &P::Config_GPS_ON_OFF,
         {&F::GPSportNameComboBox, &F::GPSbaudRateComboBox, &F::GPSopencompushButton, nullptr, nullptr, nullptr,
          &F::GPSportMode_01, &F::GPSportMode_02}},
        {"GSM", &F::gsm, [](MainWindow &w) { w.GSM_Init_Start(); }, &P::Config_GSM_ON_OFF,
         {&F::GSMportNameComboBox, &F::GSMbaudRateComboBox, &F::GSMopencompushButton}},
        {"UNICODE", &F::Unicode, [](MainWindow &w) { w.Unicode_Init_Start(); }, &P::Config_UNICODE_ON_OFF},
        {"Environment", &F::environment, [](MainWindow &w) { w.ENVironment_Init_Start(); }, &P::Config_Envir_ON_OFF,
         {&F::ENVportNameComboBox, &F::ENVbaudRateComboBox, &F::ENVopencompushButton}},
        {"Crypty", &F::Crypty, [](MainWindow &w) { w.Crypty_Init_Start(); }, &P::Config_Crypty_ON_OFF},
        {"Oscilloscope", &F::Oscilloscope,
         [](MainWindow &w) {
             w.Oscilloscope_Init_Start();
             w.oscWaveView = new MWaveView;
             w.ui->gridLayout_oscilloscpewideget->addWidget(w.oscWaveView);
         },
         &P::Config_Oscilloscope_ON_OFF, {&F::OSCportNameComboBox, &F::OSCbaudRateComboBox, &F::OSCopencompushButton}},
        {"MQTT", &F::Mqtt, [](MainWindow &w) { w.Mqtt_Init_Start(); }, &P::Config_MQTT_ON_OFF},
        {"Ble", &F::ble, [](MainWindow &w) { w.addPageWidget(w.ui->ble, new kalvest_ble(&w)); }, &P::Config_Ble_ON_OFF},
        {"Spectra", &F::spectra, [](MainWindow &w) { w.Spectra_Init_Start(); }, &P::Config_Spectra_ON_OFF,
         {&F::SpectraportNameComboBox, &F::SpectrabaudRateComboBox, &F::SpectraopencompushButton}},
        // Its unit tables, icons and flags take longer to build than the rest
        // of the window: built when the tab is first shown.
        {"Convert", &F::Convert,
         [](MainWindow &w) {
             MainWindow *window = &w;
             whenFirstShown(w.ui->Convert,
                            [window] { window->addPageWidget(window->ui->Convert, new kalvest_convert(window)); });
         },
         &P::Config_Convert_ON_OFF},
        {"i2cdump", &F::i2cdump, [](MainWindow &w) { w.I2Cdump_Init_Start(); }, &P::Config_I2CDUMP_ON_OFF,
         {&F::i2cdumpportNameComboBox, &F::i2cdumpbaudRateComboBox, &F::i2cdumpopencompushButton}},
        {"TOF", &F::TOF, [](MainWindow &w) { w.TOF_Init_Start(); }, &P::Config_TOF_ON_OFF,
         {&F::TOFportNameComboBox, &F::TOFbaudRateComboBox, &F::TOFopencompushButton}},
        {"Modbus", &F::Modbus, [](MainWindow &w) { w.Modbus_Init_Start(); }, &P::Config_MODBUS_ON_OFF,
         {&F::ModbusportNameComboBox, &F::ModbusbaudRateComboBox, &F::ModbusopencompushButton,
          &F::ModbusdataBitsComboBox, &F::ModbusparityComboBox, &F::ModbusstopBitsComboBox, &F::ModbusportMode_1,
          &F::ModbusportMode_2}},
        {"Hex", &F::hextools, [](MainWindow &w) { w.addPageWidget(w.ui->hextools, new kalvest_hex_tools(&w)); },
         &P::Config_HEXTOOLS_ON_OFF},
        {"CIE", &F::CIE, [](MainWindow &w) { w.CIE_Init_Start(); }, &P::Config_CIE_ON_OFF,
         {&F::CIEportNameComboBox, &F::CIEbaudRateComboBox, &F::CIEopencompushButton}},
        {"IMU", &F::tab_3, [](MainWindow &w) { w.IMU_Init_Start(); }, &P::Config_IMU_ON_OFF,
         {&F::imuportNameComboBox, &F::imubaudRateComboBox, &F::imuopencompushButton}},
        // The maker's home page: always there, its web view made when first shown.
        {"MORE", &F::tab_2, nullptr, nullptr},
    };
    return entries;
}

} // namespace

namespace PageTable {

const QList<PageEntry> &pages()
{
    return table();
}

int switchableCount()
{
    int n = 0;
    for (const PageEntry &page : table()) {
        if (!page.preferencesSwitch)
            break;
        ++n;
    }
    return n;
}

int indexOf(const char *key)
{
    const QList<PageEntry> &all = table();
    for (int i = 0; i < all.size(); ++i) {
        if (std::strcmp(all.at(i).key, key) == 0)
            return i;
    }
    return -1;
}

const PageEntry *find(const char *key)
{
    const int at = indexOf(key);
    return at < 0 ? nullptr : &table().at(at);
}

const PageEntry *forTab(const Ui_MainWindow *ui, const QWidget *tab)
{
    for (const PageEntry &page : table()) {
        if (tab && ui->*page.tab == tab)
            return &page;
    }
    return nullptr;
}

const PageEntry *forOpenButton(const Ui_MainWindow *ui, const QWidget *open)
{
    for (const PageEntry &page : table()) {
        if (open && page.hasPort() && ui->*page.port.open == open)
            return &page;
    }
    return nullptr;
}

QList<QWidget *> portSettings(const Ui_MainWindow *ui, const PageEntry &page)
{
    if (!page.hasPort())
        return {};
    const PagePort &p = page.port;
    QList<QWidget *> out{ui->*p.name, ui->*p.baudRate};
    for (QComboBox *Ui_MainWindow::*line : {p.dataBits, p.parity, p.stopBits}) {
        if (line)
            out.append(ui->*line);
    }
    out.append(ui->*p.open);
    return out;
}

} // namespace PageTable
