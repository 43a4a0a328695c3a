#include "kalvest_convert.h"
#include "ui_kalvest_convert.h" // and with it the widget classes of the form

#include "appinfo.h"
#include "currencyconverter.h"
#include "currencyrates.h"
#include "unittables.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QScroller>
#include <QSettings>
#include <QSvgRenderer>
#include <cmath>
#include <optional>

namespace {

enum class IconSize { Triple, Fixed30 };

// Draws a category's SVG into its header label: three times the SVG's own
// size, or a fixed 30 x 30. An SVG that does not load leaves the label blank.
void setHeaderIcon(QLabel *label, const QString &resource, IconSize size)
{
    QSvgRenderer renderer(resource);
    QSize pixels(30, 30);
    if (size == IconSize::Triple) {
        const QSize base = renderer.defaultSize();
        pixels = QSize(int(std::lround(base.width() * 3.0)), int(std::lround(base.height() * 3.0)));
    }
    QPixmap pixmap(pixels.isEmpty() ? QSize(1, 1) : pixels);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&painter);
    }
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignCenter);
}

// Units of the entry's currency per euro: 1 for the euro itself, otherwise
// read afresh from the settings file; 0 when missing or not a usable number.
double perEuro(const QString &unitText)
{
    const QString code = UnitTables::unitSymbol(unitText);
    if (code == QLatin1String("EUR"))
        return 1.0;
    if (!CurrencyRates::isCurrencyCode(code))
        return 0.0;
    QSettings settings(QString::fromLatin1(AppInfo::kSettingsFile), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("ExchangeRates"));
    bool ok = false;
    const double rate = settings.value(code).toString().toDouble(&ok);
    return ok && std::isfinite(rate) ? rate : 0.0;
}

} // namespace

using C = UnitTables::Category; // short, for the block table and the forwards at the end
using UnitTables::fromBase;
using UnitTables::toBase;

// The blocks in slot order, which is also the order of their rows below.
enum class kalvest_convert::Block : int {
    Exchangerates, Lengths, Mass, Area, Volume, Time, Speed, Force, Torque, Temperature, Pressure,
    Energy, Power, Capacitance, Resistance, Conductance, Inductance, Current, Charge, Magnetic, Angle, DataStorage,
};

// One block: its form members and functions, which all follow from its
// category name and key, and what sets it apart from the other blocks.
struct kalvest_convert::BlockRow {
    template <class W> using Member = W *Ui::kalvest_convert::*;
    using IndexSlot = void (kalvest_convert::*)(int);
    using Conversion = double (kalvest_convert::*)(double, const QString &);
    Block block;
    Member<QLineEdit> source, result;
    Member<QComboBox> from, to;
    Member<QPushButton> swap;
    Member<QLabel> icon;
    Member<QHBoxLayout> header;
    void (kalvest_convert::*sourceEdited)(const QString &);
    IndexSlot fromChanged, toChanged;
    void (kalvest_convert::*swapClicked)();
    Conversion toBase, fromBase;
    const char *iconResource;
    IconSize iconSize;
    int stretch;                                // of the header's caption
    std::optional<UnitTables::Category> units;  // formats the result; none: money, fixed with 10 decimals
};

#define VELM_CONVERT_BLOCK(Name, key)                                                                    \
    Block::Name, &Ui::kalvest_convert::key##_inputEdit_source, &Ui::kalvest_convert::key##_inputEdit_to, \
        &Ui::kalvest_convert::key##_fromUnitCombox, &Ui::kalvest_convert::key##_toUnitCombox,            \
        &Ui::kalvest_convert::key##_interchangeable_pushButton, &Ui::kalvest_convert::label_svg_##key,   \
        &Ui::kalvest_convert::horizontalLayout_##key, &kalvest_convert::Name##_inputEdit_textChanged,    \
        &kalvest_convert::Name##_fromUnitCombox_currentIndexChanged,                                     \
        &kalvest_convert::Name##_toUnitCombox_currentIndexChanged,                                       \
        &kalvest_convert::Name##_InterchangeButtonClicked, &kalvest_convert::Name##_toBaseUnit,          \
        &kalvest_convert::Name##_fromBaseUnit

const kalvest_convert::BlockRow &kalvest_convert::row(Block block)
{
    constexpr IconSize x3 = IconSize::Triple, px30 = IconSize::Fixed30;
    static constexpr BlockRow rows[] = {
        {VELM_CONVERT_BLOCK(Exchangerates, exchangerates), ":/property_icons/currencies.svg", x3, 2, std::nullopt},
        {VELM_CONVERT_BLOCK(Lengths, lengths), ":/property_icons/length.svg", x3, 3, C::Lengths},
        {VELM_CONVERT_BLOCK(Mass, mass), ":/property_icons/mass.svg", x3, 3, C::Mass},
        {VELM_CONVERT_BLOCK(Area, area), ":/property_icons/area.svg", x3, 3, C::Area},
        {VELM_CONVERT_BLOCK(Volume, volume), ":/property_icons/volume.svg", x3, 3, C::Volume},
        {VELM_CONVERT_BLOCK(Time, time), ":/property_icons/time.svg", x3, 3, C::Time},
        {VELM_CONVERT_BLOCK(Speed, speed), ":/property_icons/speed.svg", x3, 3, C::Speed},
        {VELM_CONVERT_BLOCK(Force, force), ":/property_icons/force.svg", x3, 3, C::Force},
        {VELM_CONVERT_BLOCK(Torque, torque), ":/property_icons/torque.svg", x3, 3, C::Torque},
        {VELM_CONVERT_BLOCK(Temperature, temperature), ":/property_icons/temperature.svg", x3, 3, C::Temperature},
        {VELM_CONVERT_BLOCK(Pressure, pressure), ":/property_icons/pressure.svg", x3, 3, C::Pressure},
        {VELM_CONVERT_BLOCK(Energy, energy), ":/property_icons/energy.svg", x3, 3, C::Energy},
        {VELM_CONVERT_BLOCK(Power, power), ":/property_icons/power.svg", x3, 3, C::Power},
        {VELM_CONVERT_BLOCK(Capacitance, capacitance), ":/property_icons/capacitance.svg", px30, 3, C::Capacitance},
        {VELM_CONVERT_BLOCK(Resistance, resistance), ":/property_icons/resistance.svg", px30, 3, C::Resistance},
        {VELM_CONVERT_BLOCK(Conductance, conductance), ":/property_icons/conductance.svg", px30, 3, C::Conductance},
        {VELM_CONVERT_BLOCK(Inductance, inductance), ":/property_icons/inductance.svg", px30, 3, C::Inductance},
        {VELM_CONVERT_BLOCK(Current, current), ":/property_icons/current.svg", px30, 3, C::Current},
        {VELM_CONVERT_BLOCK(Charge, charge), ":/property_icons/charge.svg", px30, 3, C::Charge},
        {VELM_CONVERT_BLOCK(Magnetic, magnetic), ":/property_icons/magnetic.svg", px30, 3, C::Magnetic},
        {VELM_CONVERT_BLOCK(Angle, angle), ":/property_icons/angle.svg", px30, 3, C::Angle},
        {VELM_CONVERT_BLOCK(DataStorage, datastorage), ":/property_icons/datastorage.svg", px30, 3, C::DataStorage},
    };
    static_assert([] {
        bool inOrder = std::size(rows) == std::size_t(Block::DataStorage) + 1;
        for (std::size_t i = 0; i < std::size(rows); ++i)
            inOrder = inOrder && std::size_t(rows[i].block) == i;
        return inOrder;
    }(), "one row per block, in the order of the blocks");
    return rows[int(block)];
}

#undef VELM_CONVERT_BLOCK

kalvest_convert::kalvest_convert(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_convert)
{
    ui->setupUi(this);

    // The worker is a child of the page, so it is stopped and waited for
    // when the page goes; the page keeps no other reference to it.
    auto *worker = new CurrencyConverter(this);
    worker->start(QThread::InheritPriority);

    Exchangerates_Init();
    Lengths_Init();
    Mass_Init();
    Area_Init();
    Volume_Init();
    Time_Init();
    Speed_Init();
    Force_Init();
    Torque_Init();
    Temperature_Init();
    Pressure_Init();
    Energy_Init();
    Power_Init();
    Capacitance_Init();
    Resistance_Init();
    Conductance_Init();
    Inductance_Init();
    Current_Init();
    Charge_Init();
    Magnetic_Init();
    Angle_Init();
    DataStorage_Init();

    ui->scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScroller::grabGesture(ui->scrollArea->viewport(), QScroller::LeftMouseButtonGesture);
}

kalvest_convert::~kalvest_convert()
{
    delete ui;
}

// Wiring of a block: result read-only, four connections, the header's icon and stretch.
void kalvest_convert::initBlock(Block block)
{
    const BlockRow &b = row(block);
    (ui->*b.result)->setReadOnly(true);
    connect(ui->*b.source, &QLineEdit::textChanged, this, b.sourceEdited);
    connect(ui->*b.from, &QComboBox::currentIndexChanged, this, b.fromChanged);
    connect(ui->*b.to, &QComboBox::currentIndexChanged, this, b.toChanged);
    connect(ui->*b.swap, &QPushButton::clicked, this, b.swapClicked);
    setHeaderIcon(ui->*b.icon, QString::fromLatin1(b.iconResource), b.iconSize);
    (ui->*b.header)->setStretch(1, b.stretch);
}

// The conversion step of every block: source number to the base unit of the
// from entry's category, on to the to entry, formatted as the category wants.
void kalvest_convert::convertBlock(Block block)
{
    const BlockRow &b = row(block);
    const double base =
        (this->*b.toBase)(UnitTables::parseAmount((ui->*b.source)->text()), (ui->*b.from)->currentText());
    const double result = (this->*b.fromBase)(base, (ui->*b.to)->currentText());
    (ui->*b.result)
        ->setText(b.units ? UnitTables::formatResult(*b.units, result) : UnitTables::formatFixedTrimmed(result, 10));
}

// From list to the to list's unit and back; each index change that happens
// converts at once through the lists' signals.
void kalvest_convert::swapBlock(Block block)
{
    const BlockRow &b = row(block);
    QComboBox *from = ui->*b.from, *to = ui->*b.to;
    const int i = from->currentIndex(), j = to->currentIndex();
    from->setCurrentIndex(j);
    to->setCurrentIndex(i);
}

// ---- Exchangerates: the unit lists are the currencies, filled here ----
void kalvest_convert::Exchangerates_Init()
{
    initBlock(Block::Exchangerates);
    const CurrencyRates::Currency *table = CurrencyRates::currencies();
    for (QComboBox *list : {ui->exchangerates_fromUnitCombox, ui->exchangerates_toUnitCombox}) {
        for (int i = 0; i < CurrencyRates::kCurrencyCount; ++i) {
            const QString text = QCoreApplication::translate("QObject", table[i].item);
            list->addItem(QIcon(QPixmap(QString::fromLatin1(table[i].flag))), text);
        }
    }
}
void kalvest_convert::Exchangerates_inputEdit_textChanged(const QString &) { convertBlock(Block::Exchangerates); }
void kalvest_convert::Exchangerates_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Exchangerates); }
void kalvest_convert::Exchangerates_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Exchangerates); }
void kalvest_convert::Exchangerates_InterchangeButtonClicked() { swapBlock(Block::Exchangerates); }
double kalvest_convert::Exchangerates_toBaseUnit(double value, const QString &unitText)
{
    const double rate = perEuro(unitText);
    return rate == 0.0 ? 0.0 : value / rate;
}
double kalvest_convert::Exchangerates_fromBaseUnit(double value, const QString &unitText)
{
    const double rate = perEuro(unitText);
    return rate == 0.0 ? 0.0 : value * rate;
}

// ---- The 21 unit categories, whose units are in UnitTables ----
// Lengths alone starts on units of its own, set before the wiring so nothing converts.
void kalvest_convert::Lengths_Init()
{
    ui->lengths_fromUnitCombox->setCurrentText(QStringLiteral("mm(millimeter)"));
    ui->lengths_toUnitCombox->setCurrentText(QStringLiteral("mil(mill)"));
    initBlock(Block::Lengths);
}
void kalvest_convert::Lengths_inputEdit_textChanged(const QString &) { convertBlock(Block::Lengths); }
void kalvest_convert::Lengths_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Lengths); }
void kalvest_convert::Lengths_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Lengths); }
void kalvest_convert::Lengths_InterchangeButtonClicked() { swapBlock(Block::Lengths); }
double kalvest_convert::Lengths_toBaseUnit(double v, const QString &u) { return toBase(C::Lengths, v, u); }
double kalvest_convert::Lengths_fromBaseUnit(double v, const QString &u) { return fromBase(C::Lengths, v, u); }
void kalvest_convert::Mass_Init() { initBlock(Block::Mass); }
void kalvest_convert::Mass_inputEdit_textChanged(const QString &) { convertBlock(Block::Mass); }
void kalvest_convert::Mass_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Mass); }
void kalvest_convert::Mass_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Mass); }
void kalvest_convert::Mass_InterchangeButtonClicked() { swapBlock(Block::Mass); }
double kalvest_convert::Mass_toBaseUnit(double v, const QString &u) { return toBase(C::Mass, v, u); }
double kalvest_convert::Mass_fromBaseUnit(double v, const QString &u) { return fromBase(C::Mass, v, u); }
void kalvest_convert::Area_Init() { initBlock(Block::Area); }
void kalvest_convert::Area_inputEdit_textChanged(const QString &) { convertBlock(Block::Area); }
void kalvest_convert::Area_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Area); }
void kalvest_convert::Area_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Area); }
void kalvest_convert::Area_InterchangeButtonClicked() { swapBlock(Block::Area); }
double kalvest_convert::Area_toBaseUnit(double v, const QString &u) { return toBase(C::Area, v, u); }
double kalvest_convert::Area_fromBaseUnit(double v, const QString &u) { return fromBase(C::Area, v, u); }
void kalvest_convert::Volume_Init() { initBlock(Block::Volume); }
void kalvest_convert::Volume_inputEdit_textChanged(const QString &) { convertBlock(Block::Volume); }
void kalvest_convert::Volume_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Volume); }
void kalvest_convert::Volume_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Volume); }
void kalvest_convert::Volume_InterchangeButtonClicked() { swapBlock(Block::Volume); }
double kalvest_convert::Volume_toBaseUnit(double v, const QString &u) { return toBase(C::Volume, v, u); }
double kalvest_convert::Volume_fromBaseUnit(double v, const QString &u) { return fromBase(C::Volume, v, u); }
void kalvest_convert::Time_Init() { initBlock(Block::Time); }
void kalvest_convert::Time_inputEdit_textChanged(const QString &) { convertBlock(Block::Time); }
void kalvest_convert::Time_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Time); }
void kalvest_convert::Time_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Time); }
void kalvest_convert::Time_InterchangeButtonClicked() { swapBlock(Block::Time); }
double kalvest_convert::Time_toBaseUnit(double v, const QString &u) { return toBase(C::Time, v, u); }
double kalvest_convert::Time_fromBaseUnit(double v, const QString &u) { return fromBase(C::Time, v, u); }
void kalvest_convert::Speed_Init() { initBlock(Block::Speed); }
void kalvest_convert::Speed_inputEdit_textChanged(const QString &) { convertBlock(Block::Speed); }
void kalvest_convert::Speed_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Speed); }
void kalvest_convert::Speed_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Speed); }
void kalvest_convert::Speed_InterchangeButtonClicked() { swapBlock(Block::Speed); }
double kalvest_convert::Speed_toBaseUnit(double v, const QString &u) { return toBase(C::Speed, v, u); }
double kalvest_convert::Speed_fromBaseUnit(double v, const QString &u) { return fromBase(C::Speed, v, u); }
void kalvest_convert::Force_Init() { initBlock(Block::Force); }
void kalvest_convert::Force_inputEdit_textChanged(const QString &) { convertBlock(Block::Force); }
void kalvest_convert::Force_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Force); }
void kalvest_convert::Force_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Force); }
void kalvest_convert::Force_InterchangeButtonClicked() { swapBlock(Block::Force); }
double kalvest_convert::Force_toBaseUnit(double v, const QString &u) { return toBase(C::Force, v, u); }
double kalvest_convert::Force_fromBaseUnit(double v, const QString &u) { return fromBase(C::Force, v, u); }
void kalvest_convert::Torque_Init() { initBlock(Block::Torque); }
void kalvest_convert::Torque_inputEdit_textChanged(const QString &) { convertBlock(Block::Torque); }
void kalvest_convert::Torque_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Torque); }
void kalvest_convert::Torque_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Torque); }
void kalvest_convert::Torque_InterchangeButtonClicked() { swapBlock(Block::Torque); }
double kalvest_convert::Torque_toBaseUnit(double v, const QString &u) { return toBase(C::Torque, v, u); }
double kalvest_convert::Torque_fromBaseUnit(double v, const QString &u) { return fromBase(C::Torque, v, u); }
void kalvest_convert::Temperature_Init() { initBlock(Block::Temperature); }
void kalvest_convert::Temperature_inputEdit_textChanged(const QString &) { convertBlock(Block::Temperature); }
void kalvest_convert::Temperature_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Temperature); }
void kalvest_convert::Temperature_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Temperature); }
void kalvest_convert::Temperature_InterchangeButtonClicked() { swapBlock(Block::Temperature); }
double kalvest_convert::Temperature_toBaseUnit(double v, const QString &u) { return toBase(C::Temperature, v, u); }
double kalvest_convert::Temperature_fromBaseUnit(double v, const QString &u) { return fromBase(C::Temperature, v, u); }
void kalvest_convert::Pressure_Init() { initBlock(Block::Pressure); }
void kalvest_convert::Pressure_inputEdit_textChanged(const QString &) { convertBlock(Block::Pressure); }
void kalvest_convert::Pressure_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Pressure); }
void kalvest_convert::Pressure_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Pressure); }
void kalvest_convert::Pressure_InterchangeButtonClicked() { swapBlock(Block::Pressure); }
double kalvest_convert::Pressure_toBaseUnit(double v, const QString &u) { return toBase(C::Pressure, v, u); }
double kalvest_convert::Pressure_fromBaseUnit(double v, const QString &u) { return fromBase(C::Pressure, v, u); }
void kalvest_convert::Energy_Init() { initBlock(Block::Energy); }
void kalvest_convert::Energy_inputEdit_textChanged(const QString &) { convertBlock(Block::Energy); }
void kalvest_convert::Energy_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Energy); }
void kalvest_convert::Energy_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Energy); }
void kalvest_convert::Energy_InterchangeButtonClicked() { swapBlock(Block::Energy); }
double kalvest_convert::Energy_toBaseUnit(double v, const QString &u) { return toBase(C::Energy, v, u); }
double kalvest_convert::Energy_fromBaseUnit(double v, const QString &u) { return fromBase(C::Energy, v, u); }
void kalvest_convert::Power_Init() { initBlock(Block::Power); }
void kalvest_convert::Power_inputEdit_textChanged(const QString &) { convertBlock(Block::Power); }
void kalvest_convert::Power_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Power); }
void kalvest_convert::Power_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Power); }
void kalvest_convert::Power_InterchangeButtonClicked() { swapBlock(Block::Power); }
double kalvest_convert::Power_toBaseUnit(double v, const QString &u) { return toBase(C::Power, v, u); }
double kalvest_convert::Power_fromBaseUnit(double v, const QString &u) { return fromBase(C::Power, v, u); }
void kalvest_convert::Capacitance_Init() { initBlock(Block::Capacitance); }
void kalvest_convert::Capacitance_inputEdit_textChanged(const QString &) { convertBlock(Block::Capacitance); }
void kalvest_convert::Capacitance_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Capacitance); }
void kalvest_convert::Capacitance_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Capacitance); }
void kalvest_convert::Capacitance_InterchangeButtonClicked() { swapBlock(Block::Capacitance); }
double kalvest_convert::Capacitance_toBaseUnit(double v, const QString &u) { return toBase(C::Capacitance, v, u); }
double kalvest_convert::Capacitance_fromBaseUnit(double v, const QString &u) { return fromBase(C::Capacitance, v, u); }
void kalvest_convert::Resistance_Init() { initBlock(Block::Resistance); }
void kalvest_convert::Resistance_inputEdit_textChanged(const QString &) { convertBlock(Block::Resistance); }
void kalvest_convert::Resistance_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Resistance); }
void kalvest_convert::Resistance_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Resistance); }
void kalvest_convert::Resistance_InterchangeButtonClicked() { swapBlock(Block::Resistance); }
double kalvest_convert::Resistance_toBaseUnit(double v, const QString &u) { return toBase(C::Resistance, v, u); }
double kalvest_convert::Resistance_fromBaseUnit(double v, const QString &u) { return fromBase(C::Resistance, v, u); }
void kalvest_convert::Conductance_Init() { initBlock(Block::Conductance); }
void kalvest_convert::Conductance_inputEdit_textChanged(const QString &) { convertBlock(Block::Conductance); }
void kalvest_convert::Conductance_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Conductance); }
void kalvest_convert::Conductance_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Conductance); }
void kalvest_convert::Conductance_InterchangeButtonClicked() { swapBlock(Block::Conductance); }
double kalvest_convert::Conductance_toBaseUnit(double v, const QString &u) { return toBase(C::Conductance, v, u); }
double kalvest_convert::Conductance_fromBaseUnit(double v, const QString &u) { return fromBase(C::Conductance, v, u); }
void kalvest_convert::Inductance_Init() { initBlock(Block::Inductance); }
void kalvest_convert::Inductance_inputEdit_textChanged(const QString &) { convertBlock(Block::Inductance); }
void kalvest_convert::Inductance_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Inductance); }
void kalvest_convert::Inductance_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Inductance); }
void kalvest_convert::Inductance_InterchangeButtonClicked() { swapBlock(Block::Inductance); }
double kalvest_convert::Inductance_toBaseUnit(double v, const QString &u) { return toBase(C::Inductance, v, u); }
double kalvest_convert::Inductance_fromBaseUnit(double v, const QString &u) { return fromBase(C::Inductance, v, u); }
void kalvest_convert::Current_Init() { initBlock(Block::Current); }
void kalvest_convert::Current_inputEdit_textChanged(const QString &) { convertBlock(Block::Current); }
void kalvest_convert::Current_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Current); }
void kalvest_convert::Current_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Current); }
void kalvest_convert::Current_InterchangeButtonClicked() { swapBlock(Block::Current); }
double kalvest_convert::Current_toBaseUnit(double v, const QString &u) { return toBase(C::Current, v, u); }
double kalvest_convert::Current_fromBaseUnit(double v, const QString &u) { return fromBase(C::Current, v, u); }
void kalvest_convert::Charge_Init() { initBlock(Block::Charge); }
void kalvest_convert::Charge_inputEdit_textChanged(const QString &) { convertBlock(Block::Charge); }
void kalvest_convert::Charge_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Charge); }
void kalvest_convert::Charge_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Charge); }
void kalvest_convert::Charge_InterchangeButtonClicked() { swapBlock(Block::Charge); }
double kalvest_convert::Charge_toBaseUnit(double v, const QString &u) { return toBase(C::Charge, v, u); }
double kalvest_convert::Charge_fromBaseUnit(double v, const QString &u) { return fromBase(C::Charge, v, u); }
void kalvest_convert::Magnetic_Init() { initBlock(Block::Magnetic); }
void kalvest_convert::Magnetic_inputEdit_textChanged(const QString &) { convertBlock(Block::Magnetic); }
void kalvest_convert::Magnetic_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Magnetic); }
void kalvest_convert::Magnetic_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Magnetic); }
void kalvest_convert::Magnetic_InterchangeButtonClicked() { swapBlock(Block::Magnetic); }
double kalvest_convert::Magnetic_toBaseUnit(double v, const QString &u) { return toBase(C::Magnetic, v, u); }
double kalvest_convert::Magnetic_fromBaseUnit(double v, const QString &u) { return fromBase(C::Magnetic, v, u); }
void kalvest_convert::Angle_Init() { initBlock(Block::Angle); }
void kalvest_convert::Angle_inputEdit_textChanged(const QString &) { convertBlock(Block::Angle); }
void kalvest_convert::Angle_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::Angle); }
void kalvest_convert::Angle_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::Angle); }
void kalvest_convert::Angle_InterchangeButtonClicked() { swapBlock(Block::Angle); }
double kalvest_convert::Angle_toBaseUnit(double v, const QString &u) { return toBase(C::Angle, v, u); }
double kalvest_convert::Angle_fromBaseUnit(double v, const QString &u) { return fromBase(C::Angle, v, u); }
void kalvest_convert::DataStorage_Init() { initBlock(Block::DataStorage); }
void kalvest_convert::DataStorage_inputEdit_textChanged(const QString &) { convertBlock(Block::DataStorage); }
void kalvest_convert::DataStorage_fromUnitCombox_currentIndexChanged(int) { convertBlock(Block::DataStorage); }
void kalvest_convert::DataStorage_toUnitCombox_currentIndexChanged(int) { convertBlock(Block::DataStorage); }
void kalvest_convert::DataStorage_InterchangeButtonClicked() { swapBlock(Block::DataStorage); }
double kalvest_convert::DataStorage_toBaseUnit(double v, const QString &u) { return toBase(C::DataStorage, v, u); }
double kalvest_convert::DataStorage_fromBaseUnit(double v, const QString &u) { return fromBase(C::DataStorage, v, u); }
