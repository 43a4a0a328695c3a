#include "kalvest_convert.h"
#include "ui_kalvest_convert.h"

#include "appinfo.h"
#include "currencyconverter.h"
#include "currencyrates.h"
#include "unittables.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScroller>
#include <QSettings>
#include <QSvgRenderer>
#include <cmath>

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

// From list to the to list's unit and back; each index change that happens
// converts at once through the lists' signals.
void swapUnits(QComboBox *from, QComboBox *to)
{
    const int i = from->currentIndex();
    const int j = to->currentIndex();
    from->setCurrentIndex(j);
    to->setCurrentIndex(i);
}

} // namespace

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

// ---- Exchangerates ----
void kalvest_convert::Exchangerates_Init()
{
    ui->exchangerates_inputEdit_to->setReadOnly(true);
    connect(ui->exchangerates_inputEdit_source, &QLineEdit::textChanged, this,
            &kalvest_convert::Exchangerates_inputEdit_textChanged);
    connect(ui->exchangerates_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Exchangerates_fromUnitCombox_currentIndexChanged);
    connect(ui->exchangerates_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Exchangerates_toUnitCombox_currentIndexChanged);
    connect(ui->exchangerates_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Exchangerates_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_exchangerates, QStringLiteral(":/property_icons/currencies.svg"), IconSize::Triple);
    ui->horizontalLayout_exchangerates->setStretch(1, 2);

    const CurrencyRates::Currency *table = CurrencyRates::currencies();
    for (QComboBox *list : {ui->exchangerates_fromUnitCombox, ui->exchangerates_toUnitCombox}) {
        for (int i = 0; i < CurrencyRates::kCurrencyCount; ++i) {
            const QString text = QCoreApplication::translate("QObject", table[i].item);
            list->addItem(QIcon(QPixmap(QString::fromLatin1(table[i].flag))), text);
        }
    }
}

void kalvest_convert::Exchangerates_inputEdit_textChanged(const QString &)
{
    const double euros = Exchangerates_toBaseUnit(UnitTables::parseAmount(ui->exchangerates_inputEdit_source->text()),
                                                  ui->exchangerates_fromUnitCombox->currentText());
    const double result = Exchangerates_fromBaseUnit(euros, ui->exchangerates_toUnitCombox->currentText());
    ui->exchangerates_inputEdit_to->setText(UnitTables::formatFixedTrimmed(result, 10));
}

void kalvest_convert::Exchangerates_fromUnitCombox_currentIndexChanged(int)
{
    Exchangerates_inputEdit_textChanged(QString());
}

void kalvest_convert::Exchangerates_toUnitCombox_currentIndexChanged(int)
{
    Exchangerates_inputEdit_textChanged(QString());
}

void kalvest_convert::Exchangerates_InterchangeButtonClicked()
{
    swapUnits(ui->exchangerates_fromUnitCombox, ui->exchangerates_toUnitCombox);
}

namespace {
// Units of the entry's currency per euro, read afresh from the settings
// file; 1 for the euro itself, 0 when missing or not a usable number.
double rateOf(const QString &code)
{
    if (!CurrencyRates::isCurrencyCode(code))
        return 0.0;
    QSettings settings(QString::fromLatin1(AppInfo::kSettingsFile), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("ExchangeRates"));
    bool ok = false;
    const double rate = settings.value(code).toString().toDouble(&ok);
    return ok && std::isfinite(rate) ? rate : 0.0;
}
} // namespace

double kalvest_convert::Exchangerates_toBaseUnit(double value, const QString &unitText)
{
    const QString code = UnitTables::unitSymbol(unitText);
    if (code == QLatin1String("EUR"))
        return value;
    const double rate = rateOf(code);
    return rate == 0.0 ? 0.0 : value / rate;
}

double kalvest_convert::Exchangerates_fromBaseUnit(double value, const QString &unitText)
{
    const QString code = UnitTables::unitSymbol(unitText);
    if (code == QLatin1String("EUR"))
        return value;
    const double rate = rateOf(code);
    return rate == 0.0 ? 0.0 : value * rate;
}

// ---- Lengths ----
void kalvest_convert::Lengths_Init()
{
    ui->lengths_inputEdit_to->setReadOnly(true);
    // The Lengths block starts on millimetre to mil; set before the
    // connections, so it converts nothing yet.
    ui->lengths_fromUnitCombox->setCurrentText(QStringLiteral("mm(millimeter)"));
    ui->lengths_toUnitCombox->setCurrentText(QStringLiteral("mil(mill)"));
    connect(ui->lengths_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Lengths_inputEdit_textChanged);
    connect(ui->lengths_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Lengths_fromUnitCombox_currentIndexChanged);
    connect(ui->lengths_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Lengths_toUnitCombox_currentIndexChanged);
    connect(ui->lengths_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Lengths_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_lengths, QStringLiteral(":/property_icons/length.svg"), IconSize::Triple);
    ui->horizontalLayout_lengths->setStretch(1, 3);
}

void kalvest_convert::Lengths_inputEdit_textChanged(const QString &)
{
    const double base = Lengths_toBaseUnit(UnitTables::parseAmount(ui->lengths_inputEdit_source->text()),
                                       ui->lengths_fromUnitCombox->currentText());
    const double result = Lengths_fromBaseUnit(base, ui->lengths_toUnitCombox->currentText());
    ui->lengths_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Lengths, result));
}

void kalvest_convert::Lengths_fromUnitCombox_currentIndexChanged(int)
{
    Lengths_inputEdit_textChanged(QString());
}

void kalvest_convert::Lengths_toUnitCombox_currentIndexChanged(int)
{
    Lengths_inputEdit_textChanged(QString());
}

void kalvest_convert::Lengths_InterchangeButtonClicked()
{
    swapUnits(ui->lengths_fromUnitCombox, ui->lengths_toUnitCombox);
}

double kalvest_convert::Lengths_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Lengths, value, unitText);
}

double kalvest_convert::Lengths_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Lengths, value, unitText);
}

// ---- Mass ----
void kalvest_convert::Mass_Init()
{
    ui->mass_inputEdit_to->setReadOnly(true);
    connect(ui->mass_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Mass_inputEdit_textChanged);
    connect(ui->mass_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Mass_fromUnitCombox_currentIndexChanged);
    connect(ui->mass_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Mass_toUnitCombox_currentIndexChanged);
    connect(ui->mass_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Mass_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_mass, QStringLiteral(":/property_icons/mass.svg"), IconSize::Triple);
    ui->horizontalLayout_mass->setStretch(1, 3);
}

void kalvest_convert::Mass_inputEdit_textChanged(const QString &)
{
    const double base = Mass_toBaseUnit(UnitTables::parseAmount(ui->mass_inputEdit_source->text()),
                                       ui->mass_fromUnitCombox->currentText());
    const double result = Mass_fromBaseUnit(base, ui->mass_toUnitCombox->currentText());
    ui->mass_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Mass, result));
}

void kalvest_convert::Mass_fromUnitCombox_currentIndexChanged(int)
{
    Mass_inputEdit_textChanged(QString());
}

void kalvest_convert::Mass_toUnitCombox_currentIndexChanged(int)
{
    Mass_inputEdit_textChanged(QString());
}

void kalvest_convert::Mass_InterchangeButtonClicked()
{
    swapUnits(ui->mass_fromUnitCombox, ui->mass_toUnitCombox);
}

double kalvest_convert::Mass_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Mass, value, unitText);
}

double kalvest_convert::Mass_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Mass, value, unitText);
}

// ---- Area ----
void kalvest_convert::Area_Init()
{
    ui->area_inputEdit_to->setReadOnly(true);
    connect(ui->area_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Area_inputEdit_textChanged);
    connect(ui->area_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Area_fromUnitCombox_currentIndexChanged);
    connect(ui->area_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Area_toUnitCombox_currentIndexChanged);
    connect(ui->area_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Area_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_area, QStringLiteral(":/property_icons/area.svg"), IconSize::Triple);
    ui->horizontalLayout_area->setStretch(1, 3);
}

void kalvest_convert::Area_inputEdit_textChanged(const QString &)
{
    const double base = Area_toBaseUnit(UnitTables::parseAmount(ui->area_inputEdit_source->text()),
                                       ui->area_fromUnitCombox->currentText());
    const double result = Area_fromBaseUnit(base, ui->area_toUnitCombox->currentText());
    ui->area_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Area, result));
}

void kalvest_convert::Area_fromUnitCombox_currentIndexChanged(int)
{
    Area_inputEdit_textChanged(QString());
}

void kalvest_convert::Area_toUnitCombox_currentIndexChanged(int)
{
    Area_inputEdit_textChanged(QString());
}

void kalvest_convert::Area_InterchangeButtonClicked()
{
    swapUnits(ui->area_fromUnitCombox, ui->area_toUnitCombox);
}

double kalvest_convert::Area_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Area, value, unitText);
}

double kalvest_convert::Area_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Area, value, unitText);
}

// ---- Volume ----
void kalvest_convert::Volume_Init()
{
    ui->volume_inputEdit_to->setReadOnly(true);
    connect(ui->volume_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Volume_inputEdit_textChanged);
    connect(ui->volume_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Volume_fromUnitCombox_currentIndexChanged);
    connect(ui->volume_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Volume_toUnitCombox_currentIndexChanged);
    connect(ui->volume_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Volume_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_volume, QStringLiteral(":/property_icons/volume.svg"), IconSize::Triple);
    ui->horizontalLayout_volume->setStretch(1, 3);
}

void kalvest_convert::Volume_inputEdit_textChanged(const QString &)
{
    const double base = Volume_toBaseUnit(UnitTables::parseAmount(ui->volume_inputEdit_source->text()),
                                       ui->volume_fromUnitCombox->currentText());
    const double result = Volume_fromBaseUnit(base, ui->volume_toUnitCombox->currentText());
    ui->volume_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Volume, result));
}

void kalvest_convert::Volume_fromUnitCombox_currentIndexChanged(int)
{
    Volume_inputEdit_textChanged(QString());
}

void kalvest_convert::Volume_toUnitCombox_currentIndexChanged(int)
{
    Volume_inputEdit_textChanged(QString());
}

void kalvest_convert::Volume_InterchangeButtonClicked()
{
    swapUnits(ui->volume_fromUnitCombox, ui->volume_toUnitCombox);
}

double kalvest_convert::Volume_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Volume, value, unitText);
}

double kalvest_convert::Volume_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Volume, value, unitText);
}

// ---- Time ----
void kalvest_convert::Time_Init()
{
    ui->time_inputEdit_to->setReadOnly(true);
    connect(ui->time_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Time_inputEdit_textChanged);
    connect(ui->time_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Time_fromUnitCombox_currentIndexChanged);
    connect(ui->time_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Time_toUnitCombox_currentIndexChanged);
    connect(ui->time_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Time_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_time, QStringLiteral(":/property_icons/time.svg"), IconSize::Triple);
    ui->horizontalLayout_time->setStretch(1, 3);
}

void kalvest_convert::Time_inputEdit_textChanged(const QString &)
{
    const double base = Time_toBaseUnit(UnitTables::parseAmount(ui->time_inputEdit_source->text()),
                                       ui->time_fromUnitCombox->currentText());
    const double result = Time_fromBaseUnit(base, ui->time_toUnitCombox->currentText());
    ui->time_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Time, result));
}

void kalvest_convert::Time_fromUnitCombox_currentIndexChanged(int)
{
    Time_inputEdit_textChanged(QString());
}

void kalvest_convert::Time_toUnitCombox_currentIndexChanged(int)
{
    Time_inputEdit_textChanged(QString());
}

void kalvest_convert::Time_InterchangeButtonClicked()
{
    swapUnits(ui->time_fromUnitCombox, ui->time_toUnitCombox);
}

double kalvest_convert::Time_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Time, value, unitText);
}

double kalvest_convert::Time_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Time, value, unitText);
}

// ---- Speed ----
void kalvest_convert::Speed_Init()
{
    ui->speed_inputEdit_to->setReadOnly(true);
    connect(ui->speed_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Speed_inputEdit_textChanged);
    connect(ui->speed_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Speed_fromUnitCombox_currentIndexChanged);
    connect(ui->speed_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Speed_toUnitCombox_currentIndexChanged);
    connect(ui->speed_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Speed_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_speed, QStringLiteral(":/property_icons/speed.svg"), IconSize::Triple);
    ui->horizontalLayout_speed->setStretch(1, 3);
}

void kalvest_convert::Speed_inputEdit_textChanged(const QString &)
{
    const double base = Speed_toBaseUnit(UnitTables::parseAmount(ui->speed_inputEdit_source->text()),
                                       ui->speed_fromUnitCombox->currentText());
    const double result = Speed_fromBaseUnit(base, ui->speed_toUnitCombox->currentText());
    ui->speed_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Speed, result));
}

void kalvest_convert::Speed_fromUnitCombox_currentIndexChanged(int)
{
    Speed_inputEdit_textChanged(QString());
}

void kalvest_convert::Speed_toUnitCombox_currentIndexChanged(int)
{
    Speed_inputEdit_textChanged(QString());
}

void kalvest_convert::Speed_InterchangeButtonClicked()
{
    swapUnits(ui->speed_fromUnitCombox, ui->speed_toUnitCombox);
}

double kalvest_convert::Speed_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Speed, value, unitText);
}

double kalvest_convert::Speed_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Speed, value, unitText);
}

// ---- Force ----
void kalvest_convert::Force_Init()
{
    ui->force_inputEdit_to->setReadOnly(true);
    connect(ui->force_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Force_inputEdit_textChanged);
    connect(ui->force_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Force_fromUnitCombox_currentIndexChanged);
    connect(ui->force_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Force_toUnitCombox_currentIndexChanged);
    connect(ui->force_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Force_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_force, QStringLiteral(":/property_icons/force.svg"), IconSize::Triple);
    ui->horizontalLayout_force->setStretch(1, 3);
}

void kalvest_convert::Force_inputEdit_textChanged(const QString &)
{
    const double base = Force_toBaseUnit(UnitTables::parseAmount(ui->force_inputEdit_source->text()),
                                       ui->force_fromUnitCombox->currentText());
    const double result = Force_fromBaseUnit(base, ui->force_toUnitCombox->currentText());
    ui->force_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Force, result));
}

void kalvest_convert::Force_fromUnitCombox_currentIndexChanged(int)
{
    Force_inputEdit_textChanged(QString());
}

void kalvest_convert::Force_toUnitCombox_currentIndexChanged(int)
{
    Force_inputEdit_textChanged(QString());
}

void kalvest_convert::Force_InterchangeButtonClicked()
{
    swapUnits(ui->force_fromUnitCombox, ui->force_toUnitCombox);
}

double kalvest_convert::Force_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Force, value, unitText);
}

double kalvest_convert::Force_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Force, value, unitText);
}

// ---- Torque ----
void kalvest_convert::Torque_Init()
{
    ui->torque_inputEdit_to->setReadOnly(true);
    connect(ui->torque_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Torque_inputEdit_textChanged);
    connect(ui->torque_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Torque_fromUnitCombox_currentIndexChanged);
    connect(ui->torque_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Torque_toUnitCombox_currentIndexChanged);
    connect(ui->torque_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Torque_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_torque, QStringLiteral(":/property_icons/torque.svg"), IconSize::Triple);
    ui->horizontalLayout_torque->setStretch(1, 3);
}

void kalvest_convert::Torque_inputEdit_textChanged(const QString &)
{
    const double base = Torque_toBaseUnit(UnitTables::parseAmount(ui->torque_inputEdit_source->text()),
                                       ui->torque_fromUnitCombox->currentText());
    const double result = Torque_fromBaseUnit(base, ui->torque_toUnitCombox->currentText());
    ui->torque_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Torque, result));
}

void kalvest_convert::Torque_fromUnitCombox_currentIndexChanged(int)
{
    Torque_inputEdit_textChanged(QString());
}

void kalvest_convert::Torque_toUnitCombox_currentIndexChanged(int)
{
    Torque_inputEdit_textChanged(QString());
}

void kalvest_convert::Torque_InterchangeButtonClicked()
{
    swapUnits(ui->torque_fromUnitCombox, ui->torque_toUnitCombox);
}

double kalvest_convert::Torque_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Torque, value, unitText);
}

double kalvest_convert::Torque_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Torque, value, unitText);
}

// ---- Temperature ----
void kalvest_convert::Temperature_Init()
{
    ui->temperature_inputEdit_to->setReadOnly(true);
    connect(ui->temperature_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Temperature_inputEdit_textChanged);
    connect(ui->temperature_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Temperature_fromUnitCombox_currentIndexChanged);
    connect(ui->temperature_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Temperature_toUnitCombox_currentIndexChanged);
    connect(ui->temperature_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Temperature_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_temperature, QStringLiteral(":/property_icons/temperature.svg"), IconSize::Triple);
    ui->horizontalLayout_temperature->setStretch(1, 3);
}

void kalvest_convert::Temperature_inputEdit_textChanged(const QString &)
{
    const double base = Temperature_toBaseUnit(UnitTables::parseAmount(ui->temperature_inputEdit_source->text()),
                                       ui->temperature_fromUnitCombox->currentText());
    const double result = Temperature_fromBaseUnit(base, ui->temperature_toUnitCombox->currentText());
    ui->temperature_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Temperature, result));
}

void kalvest_convert::Temperature_fromUnitCombox_currentIndexChanged(int)
{
    Temperature_inputEdit_textChanged(QString());
}

void kalvest_convert::Temperature_toUnitCombox_currentIndexChanged(int)
{
    Temperature_inputEdit_textChanged(QString());
}

void kalvest_convert::Temperature_InterchangeButtonClicked()
{
    swapUnits(ui->temperature_fromUnitCombox, ui->temperature_toUnitCombox);
}

double kalvest_convert::Temperature_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Temperature, value, unitText);
}

double kalvest_convert::Temperature_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Temperature, value, unitText);
}

// ---- Pressure ----
void kalvest_convert::Pressure_Init()
{
    ui->pressure_inputEdit_to->setReadOnly(true);
    connect(ui->pressure_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Pressure_inputEdit_textChanged);
    connect(ui->pressure_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Pressure_fromUnitCombox_currentIndexChanged);
    connect(ui->pressure_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Pressure_toUnitCombox_currentIndexChanged);
    connect(ui->pressure_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Pressure_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_pressure, QStringLiteral(":/property_icons/pressure.svg"), IconSize::Triple);
    ui->horizontalLayout_pressure->setStretch(1, 3);
}

void kalvest_convert::Pressure_inputEdit_textChanged(const QString &)
{
    const double base = Pressure_toBaseUnit(UnitTables::parseAmount(ui->pressure_inputEdit_source->text()),
                                       ui->pressure_fromUnitCombox->currentText());
    const double result = Pressure_fromBaseUnit(base, ui->pressure_toUnitCombox->currentText());
    ui->pressure_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Pressure, result));
}

void kalvest_convert::Pressure_fromUnitCombox_currentIndexChanged(int)
{
    Pressure_inputEdit_textChanged(QString());
}

void kalvest_convert::Pressure_toUnitCombox_currentIndexChanged(int)
{
    Pressure_inputEdit_textChanged(QString());
}

void kalvest_convert::Pressure_InterchangeButtonClicked()
{
    swapUnits(ui->pressure_fromUnitCombox, ui->pressure_toUnitCombox);
}

double kalvest_convert::Pressure_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Pressure, value, unitText);
}

double kalvest_convert::Pressure_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Pressure, value, unitText);
}

// ---- Energy ----
void kalvest_convert::Energy_Init()
{
    ui->energy_inputEdit_to->setReadOnly(true);
    connect(ui->energy_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Energy_inputEdit_textChanged);
    connect(ui->energy_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Energy_fromUnitCombox_currentIndexChanged);
    connect(ui->energy_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Energy_toUnitCombox_currentIndexChanged);
    connect(ui->energy_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Energy_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_energy, QStringLiteral(":/property_icons/energy.svg"), IconSize::Triple);
    ui->horizontalLayout_energy->setStretch(1, 3);
}

void kalvest_convert::Energy_inputEdit_textChanged(const QString &)
{
    const double base = Energy_toBaseUnit(UnitTables::parseAmount(ui->energy_inputEdit_source->text()),
                                       ui->energy_fromUnitCombox->currentText());
    const double result = Energy_fromBaseUnit(base, ui->energy_toUnitCombox->currentText());
    ui->energy_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Energy, result));
}

void kalvest_convert::Energy_fromUnitCombox_currentIndexChanged(int)
{
    Energy_inputEdit_textChanged(QString());
}

void kalvest_convert::Energy_toUnitCombox_currentIndexChanged(int)
{
    Energy_inputEdit_textChanged(QString());
}

void kalvest_convert::Energy_InterchangeButtonClicked()
{
    swapUnits(ui->energy_fromUnitCombox, ui->energy_toUnitCombox);
}

double kalvest_convert::Energy_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Energy, value, unitText);
}

double kalvest_convert::Energy_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Energy, value, unitText);
}

// ---- Power ----
void kalvest_convert::Power_Init()
{
    ui->power_inputEdit_to->setReadOnly(true);
    connect(ui->power_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Power_inputEdit_textChanged);
    connect(ui->power_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Power_fromUnitCombox_currentIndexChanged);
    connect(ui->power_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Power_toUnitCombox_currentIndexChanged);
    connect(ui->power_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Power_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_power, QStringLiteral(":/property_icons/power.svg"), IconSize::Triple);
    ui->horizontalLayout_power->setStretch(1, 3);
}

void kalvest_convert::Power_inputEdit_textChanged(const QString &)
{
    const double base = Power_toBaseUnit(UnitTables::parseAmount(ui->power_inputEdit_source->text()),
                                       ui->power_fromUnitCombox->currentText());
    const double result = Power_fromBaseUnit(base, ui->power_toUnitCombox->currentText());
    ui->power_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Power, result));
}

void kalvest_convert::Power_fromUnitCombox_currentIndexChanged(int)
{
    Power_inputEdit_textChanged(QString());
}

void kalvest_convert::Power_toUnitCombox_currentIndexChanged(int)
{
    Power_inputEdit_textChanged(QString());
}

void kalvest_convert::Power_InterchangeButtonClicked()
{
    swapUnits(ui->power_fromUnitCombox, ui->power_toUnitCombox);
}

double kalvest_convert::Power_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Power, value, unitText);
}

double kalvest_convert::Power_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Power, value, unitText);
}

// ---- Capacitance ----
void kalvest_convert::Capacitance_Init()
{
    ui->capacitance_inputEdit_to->setReadOnly(true);
    connect(ui->capacitance_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Capacitance_inputEdit_textChanged);
    connect(ui->capacitance_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Capacitance_fromUnitCombox_currentIndexChanged);
    connect(ui->capacitance_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Capacitance_toUnitCombox_currentIndexChanged);
    connect(ui->capacitance_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Capacitance_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_capacitance, QStringLiteral(":/property_icons/capacitance.svg"), IconSize::Fixed30);
    ui->horizontalLayout_capacitance->setStretch(1, 3);
}

void kalvest_convert::Capacitance_inputEdit_textChanged(const QString &)
{
    const double base = Capacitance_toBaseUnit(UnitTables::parseAmount(ui->capacitance_inputEdit_source->text()),
                                       ui->capacitance_fromUnitCombox->currentText());
    const double result = Capacitance_fromBaseUnit(base, ui->capacitance_toUnitCombox->currentText());
    ui->capacitance_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Capacitance, result));
}

void kalvest_convert::Capacitance_fromUnitCombox_currentIndexChanged(int)
{
    Capacitance_inputEdit_textChanged(QString());
}

void kalvest_convert::Capacitance_toUnitCombox_currentIndexChanged(int)
{
    Capacitance_inputEdit_textChanged(QString());
}

void kalvest_convert::Capacitance_InterchangeButtonClicked()
{
    swapUnits(ui->capacitance_fromUnitCombox, ui->capacitance_toUnitCombox);
}

double kalvest_convert::Capacitance_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Capacitance, value, unitText);
}

double kalvest_convert::Capacitance_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Capacitance, value, unitText);
}

// ---- Resistance ----
void kalvest_convert::Resistance_Init()
{
    ui->resistance_inputEdit_to->setReadOnly(true);
    connect(ui->resistance_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Resistance_inputEdit_textChanged);
    connect(ui->resistance_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Resistance_fromUnitCombox_currentIndexChanged);
    connect(ui->resistance_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Resistance_toUnitCombox_currentIndexChanged);
    connect(ui->resistance_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Resistance_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_resistance, QStringLiteral(":/property_icons/resistance.svg"), IconSize::Fixed30);
    ui->horizontalLayout_resistance->setStretch(1, 3);
}

void kalvest_convert::Resistance_inputEdit_textChanged(const QString &)
{
    const double base = Resistance_toBaseUnit(UnitTables::parseAmount(ui->resistance_inputEdit_source->text()),
                                       ui->resistance_fromUnitCombox->currentText());
    const double result = Resistance_fromBaseUnit(base, ui->resistance_toUnitCombox->currentText());
    ui->resistance_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Resistance, result));
}

void kalvest_convert::Resistance_fromUnitCombox_currentIndexChanged(int)
{
    Resistance_inputEdit_textChanged(QString());
}

void kalvest_convert::Resistance_toUnitCombox_currentIndexChanged(int)
{
    Resistance_inputEdit_textChanged(QString());
}

void kalvest_convert::Resistance_InterchangeButtonClicked()
{
    swapUnits(ui->resistance_fromUnitCombox, ui->resistance_toUnitCombox);
}

double kalvest_convert::Resistance_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Resistance, value, unitText);
}

double kalvest_convert::Resistance_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Resistance, value, unitText);
}

// ---- Conductance ----
void kalvest_convert::Conductance_Init()
{
    ui->conductance_inputEdit_to->setReadOnly(true);
    connect(ui->conductance_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Conductance_inputEdit_textChanged);
    connect(ui->conductance_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Conductance_fromUnitCombox_currentIndexChanged);
    connect(ui->conductance_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Conductance_toUnitCombox_currentIndexChanged);
    connect(ui->conductance_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Conductance_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_conductance, QStringLiteral(":/property_icons/conductance.svg"), IconSize::Fixed30);
    ui->horizontalLayout_conductance->setStretch(1, 3);
}

void kalvest_convert::Conductance_inputEdit_textChanged(const QString &)
{
    const double base = Conductance_toBaseUnit(UnitTables::parseAmount(ui->conductance_inputEdit_source->text()),
                                       ui->conductance_fromUnitCombox->currentText());
    const double result = Conductance_fromBaseUnit(base, ui->conductance_toUnitCombox->currentText());
    ui->conductance_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Conductance, result));
}

void kalvest_convert::Conductance_fromUnitCombox_currentIndexChanged(int)
{
    Conductance_inputEdit_textChanged(QString());
}

void kalvest_convert::Conductance_toUnitCombox_currentIndexChanged(int)
{
    Conductance_inputEdit_textChanged(QString());
}

void kalvest_convert::Conductance_InterchangeButtonClicked()
{
    swapUnits(ui->conductance_fromUnitCombox, ui->conductance_toUnitCombox);
}

double kalvest_convert::Conductance_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Conductance, value, unitText);
}

double kalvest_convert::Conductance_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Conductance, value, unitText);
}

// ---- Inductance ----
void kalvest_convert::Inductance_Init()
{
    ui->inductance_inputEdit_to->setReadOnly(true);
    connect(ui->inductance_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Inductance_inputEdit_textChanged);
    connect(ui->inductance_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Inductance_fromUnitCombox_currentIndexChanged);
    connect(ui->inductance_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Inductance_toUnitCombox_currentIndexChanged);
    connect(ui->inductance_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Inductance_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_inductance, QStringLiteral(":/property_icons/inductance.svg"), IconSize::Fixed30);
    ui->horizontalLayout_inductance->setStretch(1, 3);
}

void kalvest_convert::Inductance_inputEdit_textChanged(const QString &)
{
    const double base = Inductance_toBaseUnit(UnitTables::parseAmount(ui->inductance_inputEdit_source->text()),
                                       ui->inductance_fromUnitCombox->currentText());
    const double result = Inductance_fromBaseUnit(base, ui->inductance_toUnitCombox->currentText());
    ui->inductance_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Inductance, result));
}

void kalvest_convert::Inductance_fromUnitCombox_currentIndexChanged(int)
{
    Inductance_inputEdit_textChanged(QString());
}

void kalvest_convert::Inductance_toUnitCombox_currentIndexChanged(int)
{
    Inductance_inputEdit_textChanged(QString());
}

void kalvest_convert::Inductance_InterchangeButtonClicked()
{
    swapUnits(ui->inductance_fromUnitCombox, ui->inductance_toUnitCombox);
}

double kalvest_convert::Inductance_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Inductance, value, unitText);
}

double kalvest_convert::Inductance_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Inductance, value, unitText);
}

// ---- Current ----
void kalvest_convert::Current_Init()
{
    ui->current_inputEdit_to->setReadOnly(true);
    connect(ui->current_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Current_inputEdit_textChanged);
    connect(ui->current_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Current_fromUnitCombox_currentIndexChanged);
    connect(ui->current_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Current_toUnitCombox_currentIndexChanged);
    connect(ui->current_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Current_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_current, QStringLiteral(":/property_icons/current.svg"), IconSize::Fixed30);
    ui->horizontalLayout_current->setStretch(1, 3);
}

void kalvest_convert::Current_inputEdit_textChanged(const QString &)
{
    const double base = Current_toBaseUnit(UnitTables::parseAmount(ui->current_inputEdit_source->text()),
                                       ui->current_fromUnitCombox->currentText());
    const double result = Current_fromBaseUnit(base, ui->current_toUnitCombox->currentText());
    ui->current_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Current, result));
}

void kalvest_convert::Current_fromUnitCombox_currentIndexChanged(int)
{
    Current_inputEdit_textChanged(QString());
}

void kalvest_convert::Current_toUnitCombox_currentIndexChanged(int)
{
    Current_inputEdit_textChanged(QString());
}

void kalvest_convert::Current_InterchangeButtonClicked()
{
    swapUnits(ui->current_fromUnitCombox, ui->current_toUnitCombox);
}

double kalvest_convert::Current_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Current, value, unitText);
}

double kalvest_convert::Current_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Current, value, unitText);
}

// ---- Charge ----
void kalvest_convert::Charge_Init()
{
    ui->charge_inputEdit_to->setReadOnly(true);
    connect(ui->charge_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Charge_inputEdit_textChanged);
    connect(ui->charge_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Charge_fromUnitCombox_currentIndexChanged);
    connect(ui->charge_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Charge_toUnitCombox_currentIndexChanged);
    connect(ui->charge_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Charge_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_charge, QStringLiteral(":/property_icons/charge.svg"), IconSize::Fixed30);
    ui->horizontalLayout_charge->setStretch(1, 3);
}

void kalvest_convert::Charge_inputEdit_textChanged(const QString &)
{
    const double base = Charge_toBaseUnit(UnitTables::parseAmount(ui->charge_inputEdit_source->text()),
                                       ui->charge_fromUnitCombox->currentText());
    const double result = Charge_fromBaseUnit(base, ui->charge_toUnitCombox->currentText());
    ui->charge_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Charge, result));
}

void kalvest_convert::Charge_fromUnitCombox_currentIndexChanged(int)
{
    Charge_inputEdit_textChanged(QString());
}

void kalvest_convert::Charge_toUnitCombox_currentIndexChanged(int)
{
    Charge_inputEdit_textChanged(QString());
}

void kalvest_convert::Charge_InterchangeButtonClicked()
{
    swapUnits(ui->charge_fromUnitCombox, ui->charge_toUnitCombox);
}

double kalvest_convert::Charge_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Charge, value, unitText);
}

double kalvest_convert::Charge_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Charge, value, unitText);
}

// ---- Magnetic ----
void kalvest_convert::Magnetic_Init()
{
    ui->magnetic_inputEdit_to->setReadOnly(true);
    connect(ui->magnetic_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Magnetic_inputEdit_textChanged);
    connect(ui->magnetic_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Magnetic_fromUnitCombox_currentIndexChanged);
    connect(ui->magnetic_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Magnetic_toUnitCombox_currentIndexChanged);
    connect(ui->magnetic_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Magnetic_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_magnetic, QStringLiteral(":/property_icons/magnetic.svg"), IconSize::Fixed30);
    ui->horizontalLayout_magnetic->setStretch(1, 3);
}

void kalvest_convert::Magnetic_inputEdit_textChanged(const QString &)
{
    const double base = Magnetic_toBaseUnit(UnitTables::parseAmount(ui->magnetic_inputEdit_source->text()),
                                       ui->magnetic_fromUnitCombox->currentText());
    const double result = Magnetic_fromBaseUnit(base, ui->magnetic_toUnitCombox->currentText());
    ui->magnetic_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Magnetic, result));
}

void kalvest_convert::Magnetic_fromUnitCombox_currentIndexChanged(int)
{
    Magnetic_inputEdit_textChanged(QString());
}

void kalvest_convert::Magnetic_toUnitCombox_currentIndexChanged(int)
{
    Magnetic_inputEdit_textChanged(QString());
}

void kalvest_convert::Magnetic_InterchangeButtonClicked()
{
    swapUnits(ui->magnetic_fromUnitCombox, ui->magnetic_toUnitCombox);
}

double kalvest_convert::Magnetic_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Magnetic, value, unitText);
}

double kalvest_convert::Magnetic_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Magnetic, value, unitText);
}

// ---- Angle ----
void kalvest_convert::Angle_Init()
{
    ui->angle_inputEdit_to->setReadOnly(true);
    connect(ui->angle_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::Angle_inputEdit_textChanged);
    connect(ui->angle_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Angle_fromUnitCombox_currentIndexChanged);
    connect(ui->angle_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::Angle_toUnitCombox_currentIndexChanged);
    connect(ui->angle_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::Angle_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_angle, QStringLiteral(":/property_icons/angle.svg"), IconSize::Fixed30);
    ui->horizontalLayout_angle->setStretch(1, 3);
}

void kalvest_convert::Angle_inputEdit_textChanged(const QString &)
{
    const double base = Angle_toBaseUnit(UnitTables::parseAmount(ui->angle_inputEdit_source->text()),
                                       ui->angle_fromUnitCombox->currentText());
    const double result = Angle_fromBaseUnit(base, ui->angle_toUnitCombox->currentText());
    ui->angle_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::Angle, result));
}

void kalvest_convert::Angle_fromUnitCombox_currentIndexChanged(int)
{
    Angle_inputEdit_textChanged(QString());
}

void kalvest_convert::Angle_toUnitCombox_currentIndexChanged(int)
{
    Angle_inputEdit_textChanged(QString());
}

void kalvest_convert::Angle_InterchangeButtonClicked()
{
    swapUnits(ui->angle_fromUnitCombox, ui->angle_toUnitCombox);
}

double kalvest_convert::Angle_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::Angle, value, unitText);
}

double kalvest_convert::Angle_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::Angle, value, unitText);
}

// ---- DataStorage ----
void kalvest_convert::DataStorage_Init()
{
    ui->datastorage_inputEdit_to->setReadOnly(true);
    connect(ui->datastorage_inputEdit_source, &QLineEdit::textChanged, this, &kalvest_convert::DataStorage_inputEdit_textChanged);
    connect(ui->datastorage_fromUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::DataStorage_fromUnitCombox_currentIndexChanged);
    connect(ui->datastorage_toUnitCombox, &QComboBox::currentIndexChanged, this,
            &kalvest_convert::DataStorage_toUnitCombox_currentIndexChanged);
    connect(ui->datastorage_interchangeable_pushButton, &QPushButton::clicked, this,
            &kalvest_convert::DataStorage_InterchangeButtonClicked);
    setHeaderIcon(ui->label_svg_datastorage, QStringLiteral(":/property_icons/datastorage.svg"), IconSize::Fixed30);
    ui->horizontalLayout_datastorage->setStretch(1, 3);
}

void kalvest_convert::DataStorage_inputEdit_textChanged(const QString &)
{
    const double base = DataStorage_toBaseUnit(UnitTables::parseAmount(ui->datastorage_inputEdit_source->text()),
                                       ui->datastorage_fromUnitCombox->currentText());
    const double result = DataStorage_fromBaseUnit(base, ui->datastorage_toUnitCombox->currentText());
    ui->datastorage_inputEdit_to->setText(UnitTables::formatResult(UnitTables::Category::DataStorage, result));
}

void kalvest_convert::DataStorage_fromUnitCombox_currentIndexChanged(int)
{
    DataStorage_inputEdit_textChanged(QString());
}

void kalvest_convert::DataStorage_toUnitCombox_currentIndexChanged(int)
{
    DataStorage_inputEdit_textChanged(QString());
}

void kalvest_convert::DataStorage_InterchangeButtonClicked()
{
    swapUnits(ui->datastorage_fromUnitCombox, ui->datastorage_toUnitCombox);
}

double kalvest_convert::DataStorage_toBaseUnit(double value, const QString &unitText)
{
    return UnitTables::toBase(UnitTables::Category::DataStorage, value, unitText);
}

double kalvest_convert::DataStorage_fromBaseUnit(double value, const QString &unitText)
{
    return UnitTables::fromBase(UnitTables::Category::DataStorage, value, unitText);
}
