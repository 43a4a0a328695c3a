#include "unittables.h"

#include <cmath>

const QRegularExpression parenthesisRegex(QStringLiteral("\\(.*\\)"));

namespace UnitTables {

namespace {

Step M(double c) { return Step{Step::Mul, c}; }
Step D(double c) { return Step{Step::Div, c}; }
Step A(double c) { return Step{Step::Add, c}; }
Step S(double c) { return Step{Step::Sub, c}; }
Step R(double c) { return Step{Step::SubFrom, c}; }

Unit U(const char *item, const char *symbol, std::vector<Step> to, std::vector<Step> from)
{
    return Unit{QString::fromUtf8(item), QString::fromUtf8(symbol), std::move(to), std::move(from)};
}
// A unit that multiplies by c on the way to the base and divides on the way back.
Unit F(const char *item, const char *symbol, double c) { return U(item, symbol, {M(c)}, {D(c)}); }
// The base unit (or one that converts like it): unchanged both ways.
Unit B(const char *item, const char *symbol) { return U(item, symbol, {}, {}); }

// Powers of two for the data-storage units.
const double k2p50 = 1125899906842624.0;    // pow(1024, 5)
const double k2p60 = 1152921504606846976.0; // pow(1024, 6)

// A volume given in litres: x c then / 1000 on the way in, x 1000 then / c out.
Unit Litres(const char *item, const char *symbol, double c) { return U(item, symbol, {M(c), D(1000)}, {M(1000), D(c)}); }

QList<Table> buildTables()
{
    QList<Table> t;
    auto add = [&t](Category c, const char *name, const char *key, const char *base, char fmt, int prec,
                    QList<Unit> units) {
        t.append(Table{c, QString::fromUtf8(name), QString::fromUtf8(key), QString::fromUtf8(base), fmt, prec,
                       std::move(units)});
    };

    add(Category::Lengths, "Lengths", "lengths", "m", 'f', 15,
        {
            U("km(kilometer)", "km", {M(1000)}, {D(1000)}),
            B("m(meter)", "m"),
            U("dm(decimeter)", "dm", {D(10)}, {M(10)}),
            U("cm(centimeter)", "cm", {D(100)}, {M(100)}),
            U("mm(millimeter)", "mm", {D(1000)}, {M(1000)}),
            U("\u00b5m(micrometer)", "\u00b5m", {D(1e6)}, {M(1e6)}),
            U("nm(nanometer)", "nm", {D(1e9)}, {M(1e9)}),
            U("\u00c5(angstrom)", "\u00c5", {D(1e10)}, {M(1e10)}),
            U("pm(picometer)", "pm", {M(1e-12)}, {M(1e12)}),
            F("mi(mile)", "mi", 1609.34),
            F("ft(feet)", "ft", 0.3048),
            F("in(inch)", "in", 0.0254),
            F("mil(mill)", "mil", 2.54e-5),
            F("M(nautical mile)", "M", 1852),
            F("yd(yard)", "yd", 0.9144),
            U("au(astronomical unit)", "au", {M(1.496e8), M(1000)}, {D(1.496e11)}),
            F("ly(light year)", "ly", 9.461e15),
            F("ls(light second)", "ls", 299792458),
            F("pc(parsec)", "pc", 3.0857e16),
        });

    add(Category::Mass, "Mass", "mass", "kg", 'f', 15,
        {
            U("ng(nanogram)", "ng", {D(1e12)}, {M(1e12)}),
            U("\u00b5g(microgram)", "\u00b5g", {D(1e9)}, {M(1e9)}),
            U("mg(milligram)", "mg", {D(1e6)}, {M(1e6)}),
            U("cg(centigram)", "cg", {D(1e5)}, {M(1e5)}),
            U("g(gram)", "g", {D(1000)}, {M(1000)}),
            B("kg(kilogram)", "kg"),
            F("t(ton)", "t", 1000),
            F("lb(pound)", "lb", 0.453592),
            F("st(stone)", "st", 6.35029),
            F("oz(ounce)", "oz", 0.0283495),
            F("ozt(troy ounce)", "ozt", 0.0311035),
            F("dwt(pennyweight)", "dwt", 0.00155517),
            F("ct(carat)", "ct", 0.0002),
            F("u(unified atomic mass unit)", "u", 1.66054e-27),
        });

    add(Category::Area, "Area", "area", "m\u00b2", 'f', 15,
        {
            F("km\u00b2(square kilometre)", "km\u00b2", 1e6),
            B("m\u00b2(square metre)", "m\u00b2"),
            F("cm\u00b2(square centimetre)", "cm\u00b2", 0.0001),
            F("mm\u00b2(square millimetre)", "mm\u00b2", 1e-6),
            F("in\u00b2(square inch)", "in\u00b2", 0.00064516),
            F("ft\u00b2(square foot)", "ft\u00b2", 0.092903),
            F("yd\u00b2(square yard)", "yd\u00b2", 0.836127),
            F("mi\u00b2(square mile)", "mi\u00b2", 2589990),
            F("ha(hectare)", "ha", 10000),
            F("ac(acre)", "ac", 4046.86),
            F("a(square are)", "a", 100),
        });

    add(Category::Volume, "Volume", "volume", "m\u00b3", 'f', 10,
        {
            B("m\u00b3(cubic meter)", "m\u00b3"),
            U("dm\u00b3(cubic decimeter)", "dm\u00b3", {D(1000)}, {M(1000)}),
            U("cm\u00b3(cubic centimeter)", "cm\u00b3", {D(1e6)}, {M(1e6)}),
            U("mm\u00b3(cubic millimeter)", "mm\u00b3", {D(1e9)}, {M(1e9)}),
            F("in\u00b3(cubic inch)", "in\u00b3", 1.63871e-5),
            F("ft\u00b3(cubic foot)", "ft\u00b3", 0.0283168),
            U("L(liter)", "L", {D(1000)}, {M(1000)}),
            U("mL(milliliter)", "mL", {D(1e6)}, {M(1e6)}),
            Litres("cup(cup)", "cup", 0.236588),
            Litres("UK gal(UK gallon)", "UK gal", 4.54609),
            Litres("UK pt(UK pint)", "UK pt", 0.568261),
            Litres("UK fl oz(UK Fluid ounce)", "UK fl oz", 0.0284131),
            Litres("UK oz(UK ounce)", "UK oz", 0.0283495),
            Litres("US gal(US gallon)", "US gal", 3.78541),
            Litres("US pt(US pint)", "US pt", 0.473176),
            Litres("US fl oz(US Fluid ounce)", "US fl oz", 0.0295735),
            Litres("US oz(US ounce)", "US oz", 0.0283495),
            Litres("tbsp(tablespoon)", "tbsp", 0.0147868),
        });

    // The year is 365 days, the month a twelfth of it.
    add(Category::Time, "Time", "time", "s", 'f', 10,
        {
            F("c(century)", "c", 3.1536e9),
            F("a(year)", "a", 3.1536e7),
            F("m(month)", "m", 2.628e6),
            F("w(week)", "w", 604800),
            F("d(day)", "d", 86400),
            F("h(hour)", "h", 3600),
            F("min(minute)", "min", 60),
            B("s(second)", "s"),
            U("ms(millisecond)", "ms", {D(1000)}, {M(1000)}),
            U("\u03bcs(microsecond)", "\u03bcs", {D(1e6)}, {M(1e6)}),
            U("ns(nanosecond)", "ns", {D(1e9)}, {M(1e9)}),
            U("fs(femtosecond)", "fs", {D(1e15)}, {M(1e15)}),
            U("as(attosecond)", "as", {D(1e18)}, {M(1e18)}),
        });

    // Two steps in (x a, / b); one division out, by a / b taken once.
    add(Category::Speed, "Speed", "speed", "m/s", 'f', 10,
        {
            B("m/s(meter per second)", "m/s"),
            U("m/min(meter per minute)", "m/min", {D(60)}, {M(60)}),
            U("m/h(meter per hour)", "m/h", {D(3600)}, {M(3600)}),
            U("km/min(kilometer per minute)", "km/min", {D(0.06)}, {M(0.06)}),
            U("km/h(kilometer per hour)", "km/h", {D(3.6)}, {M(3.6)}),
            F("ft/s(foot per second)", "ft/s", 0.3048),
            U("ft/min(foot per minute)", "ft/min", {M(0.3048), D(60)}, {D(0.3048 / 60)}),
            U("ft/h(foot per hour)", "ft/h", {M(0.3048), D(3600)}, {D(0.3048 / 3600)}),
            U("mi/min(mile per minute)", "mi/min", {M(1609.34), D(60)}, {D(1609.34 / 60)}),
            U("mi/h(mile per hour)", "mi/h", {M(1609.34), D(3600)}, {D(1609.34 / 3600)}),
            U("knot(knot)", "knot", {M(1852), D(3600)}, {D(1852.0 / 3600)}),
        });

    add(Category::Force, "Force", "force", "N", 'f', 10,
        {
            B("N(newton)", "N"),
            U("dyn(dyne)", "dyn", {D(100000)}, {M(100000)}),
            F("lbf(pound-force)", "lbf", 4.44822),
            F("kgf(kilogram-force)", "kgf", 9.80665),
            F("pdl(poundal)", "pdl", 0.138255),
        });

    // 0.737562 is pound-force feet per newton metre: divide in, multiply out.
    add(Category::Torque, "Torque", "torque", "N\u00b7m", 'f', 10,
        {
            B("N\u00b7m(Newton-meter)", "N\u00b7m"),
            U("dyn\u00b7cm(Dyne\u00b7cm)", "dyn\u00b7cm", {D(10000000)}, {M(10000000)}),
            U("lbf\u00b7ft(Pound-force foot)", "lbf\u00b7ft", {D(0.737562)}, {M(0.737562)}),
            F("kgf\u00b7m(Kilogram-force meter)", "kgf\u00b7m", 9.80665),
            F("pdl\u00b7m(Poundal\u00b7m)", "pdl\u00b7m", 0.138255),
        });

    // Affine scales, through degrees Celsius. "v + v" is written as "v * 2":
    // both are exact and give the same double.
    add(Category::Temperature, "Temperature", "temperature", "\u00b0C", 'f', 10,
        {
            B("\u00b0C(celsius)", "\u00b0C"),
            U("\u00b0F(fahrenheit)", "\u00b0F", {S(32), M(5), D(9)}, {M(9), D(5), A(32)}),
            U("K(kelvin)", "K", {S(273.15)}, {A(273.15)}),
            U("\u00b0R\u00e9(r\u00e9aumur)", "\u00b0R\u00e9", {M(5), M(0.25)}, {M(4), D(5)}),
            U("\u00b0R\u00f8(rankine)", "\u00b0R\u00f8", {S(7.5), M(40), D(21)}, {M(21), D(40), A(7.5)}),
            U("\u00b0De(delisle)", "\u00b0De", {M(2), D(3), R(100)}, {R(100), M(3), M(0.5)}),
            U("\u00b0R(rankine)", "\u00b0R", {S(491.67), M(5), D(9)}, {M(9), D(5), A(491.67)}),
            U("\u00b0N(newton)", "\u00b0N", {M(100), D(33)}, {M(33), D(100)}),
        });

    add(Category::Pressure, "Pressure", "pressure", "Pa", 'f', 10,
        {
            U("mPa(millipascal)", "mPa", {M(0.001)}, {M(1000)}),
            B("Pa(pascal)", "Pa"),
            U("hPa(hectopascal)", "hPa", {M(100)}, {M(0.01)}),
            U("kPa(kilopascal)", "kPa", {M(1000)}, {M(0.001)}),
            U("GPa(gigapascal)", "GPa", {M(1000000000)}, {M(1e-9)}),
            U("bar(bar)", "bar", {M(100000)}, {M(1e-5)}),
            U("pz(pizz pascal)", "pz", {M(1000)}, {M(0.001)}),
            F("psi(pound per square inch)", "psi", 6894.76),
            U("kpsi(kip per square inch)", "kpsi", {M(6894.76), M(1000)}, {D(6894760)}),
            F("atm(atmosphere)", "atm", 101325),
            F("at(technical atmosphere)", "at", 98066.5),
            F("torr(torr)", "torr", 133.322),
            F("mmHg(millimeter of mercury)", "mmHg", 133.322),
            F("mHg(meter of mercury)", "mHg", 133322),
            F("cmHg(centimeter of mercury)", "cmHg", 1333.22),
            F("inHg(inch of mercury)", "inHg", 3386.39),
            F("mmH2O(millimeter of water column)", "mmH2O", 9.80665),
            F("cmH2O(centimeter of water column)", "cmH2O", 98.0665),
            F("mH2O(meter of water column)", "mH2O", 9806.65),
            F("inH2O(inch of water column)", "inH2O", 249.088),
        });

    add(Category::Energy, "Energy", "energy", "J", 'f', 10,
        {
            B("J(joule)", "J"),
            U("kJ(kilojoule)", "kJ", {M(1000)}, {M(0.001)}),
            U("MJ(megajoule)", "MJ", {M(1000000)}, {M(1e-6)}),
            F("W\u00b7h(watt-hour)", "W\u00b7h", 3600),
            F("kW\u00b7h(kilowatt-hour)", "kW\u00b7h", 3600000),
            U("erg(erg)", "erg", {M(1e-7)}, {M(10000000)}),
            F("kpm(kilogram-force meter)", "kpm", 9.80665),
            F("btu(british thermal unit)", "btu", 1055.06),
            F("ft\u00b7lbf(foot-pound force)", "ft\u00b7lbf", 1.35582),
            F("cal(calorie)", "cal", 4.184),
            F("eV(electron volt)", "eV", 1.60218e-19),
        });

    add(Category::Power, "Power", "power", "W", 'f', 10,
        {
            B("W(watt)", "W"),
            F("kW(kilowatt)", "kW", 1000),
            F("MW(megawatt)", "MW", 1000000),
            F("GW(gigawatt)", "GW", 1000000000),
            F("BTU/h(british thermal unit per hour)", "BTU/h", 0.293071),
            F("BTU/min(british thermal unit per minute)", "BTU/min", 17.5843),
            F("BTU/s(british thermal unit per second)", "BTU/s", 1055.06),
            F("ft\u00b7lbf/s(foot-pound force per second)", "ft\u00b7lbf/s", 1.35582),
            F("hp(horsepower)", "hp", 735.499),
            F("mhp(mechanical horsepower)", "mhp", 745.6998715822702),
            F("ehp(electrical horsepower)", "ehp", 746),
            F("bhp(boiler horsepower)", "bhp", 9809.5),
        });

    add(Category::Capacitance, "Capacitance", "capacitance", "F", 'f', 10,
        {
            B("F(farad)", "F"),
            U("\u03bcF(microfarad)", "\u03bcF", {M(1e-6)}, {M(1e6)}),
            U("nF(nanofarad)", "nF", {M(1e-9)}, {M(1e9)}),
            U("pF(picofarad)", "pF", {M(1e-12)}, {M(1e12)}),
        });

    add(Category::Resistance, "Resistance", "resistance", "\u03a9", 'f', 10,
        {
            B("\u03a9(ohm)", "\u03a9"),
            F("k\u03a9(kiloohm)", "k\u03a9", 1e3),
            F("M\u03a9(megaohm)", "M\u03a9", 1e6),
            F("G\u03a9(gigaohm)", "G\u03a9", 1e9),
        });

    add(Category::Conductance, "Conductance", "conductance", "S", 'f', 10,
        {
            U("nS(nanosiemens)", "nS", {M(1e-9)}, {M(1e9)}),
            U("\u00b5S(microsiemens)", "\u00b5S", {M(1e-6)}, {M(1e6)}),
            U("mS(millisiemens)", "mS", {M(1e-3)}, {M(1e3)}),
            B("S(siemens)", "S"),
            F("kS(kilosiemens)", "kS", 1e3),
            F("MS(megasiemens)", "MS", 1e6),
            F("GS(gigasiemens)", "GS", 1e9),
        });

    add(Category::Inductance, "Inductance", "inductance", "H", 'f', 10,
        {
            U("nH(nanohenry)", "nH", {M(1e-9)}, {M(1e9)}),
            U("\u00b5H(microhenry)", "\u00b5H", {M(1e-6)}, {M(1e6)}),
            U("mH(millihenry)", "mH", {M(1e-3)}, {M(1e3)}),
            B("H(henry)", "H"),
            F("kH(kilohenry)", "kH", 1e3),
            F("MH(megahenry)", "MH", 1e6),
            F("GH(gigahenry)", "GH", 1e9),
        });

    add(Category::Current, "Current", "current", "A", 'f', 10,
        {
            B("A(ampere)", "A"),
            F("kA(kiloampere)", "kA", 1e3),
            F("MA(megaampere)", "MA", 1e6),
            F("GA(gigaampere)", "GA", 1e9),
            U("mA(milliampere)", "mA", {M(1e-3)}, {M(1e3)}),
            U("\u00b5A(microampere)", "\u00b5A", {M(1e-6)}, {M(1e6)}),
            U("nA(nanoampere)", "nA", {M(1e-9)}, {M(1e9)}),
            U("pA(picoampere)", "pA", {M(1e-12)}, {M(1e12)}),
        });

    // The coulomb multiples multiply by the small constant on the way out.
    // The elementary charge divides by its own constant on the way out, so
    // that e converts to itself.
    add(Category::Charge, "Charge", "charge", "C", 'f', 10,
        {
            B("C(coulomb)", "C"),
            U("nC(nanocoulomb)", "nC", {M(1e-9)}, {M(1e9)}),
            U("\u00b5C(microcoulomb)", "\u00b5C", {M(1e-6)}, {M(1e6)}),
            U("mC(millicoulomb)", "mC", {M(1e-3)}, {M(1e3)}),
            U("kC(kilocoulomb)", "kC", {M(1e3)}, {M(1e-3)}),
            U("MC(megacoulomb)", "MC", {M(1e6)}, {M(1e-6)}),
            U("GC(gigacoulomb)", "GC", {M(1e9)}, {M(1e-9)}),
            F("Fr(franklin)", "Fr", 3.3356e-10),
            F("nFr(nanofranklin)", "nFr", 3.3356e-19),
            F("\u00b5Fr(microfranklin)", "\u00b5Fr", 3.3356e-16),
            F("mFr(milifranklin)", "mFr", 3.3356e-13),
            F("kFr(kilofranklin)", "kFr", 3.3356e-7),
            F("MFr(megafranklin)", "MFr", 3.3356e-4),
            F("GF(gigafranklin)", "GF", 0.33356),
            F("e(elementary charge)", "e", 1.6022e-19),
            F("Ah(ampere-hour)", "Ah", 3600),
        });

    // Every step of this category is a multiplication.
    add(Category::Magnetic, "Magnetic", "magnetic", "T", 'f', 10,
        {
            B("T(tesla)", "T"),
            U("MT(megatesla)", "MT", {M(1e6)}, {M(1e-6)}),
            U("kT(kilotesla)", "kT", {M(1e3)}, {M(1e-3)}),
            U("mT(millitesla)", "mT", {M(1e-3)}, {M(1e3)}),
            U("\u00b5T(microtesla)", "\u00b5T", {M(1e-6)}, {M(1e6)}),
            U("nT(nanotesla)", "nT", {M(1e-9)}, {M(1e9)}),
            U("pT(picotesla)", "pT", {M(1e-12)}, {M(1e12)}),
            U("G(gauss)", "G", {M(1e-4)}, {M(1e4)}),
            B("Wb/m\u00b2(weber per square meter)", "Wb/m\u00b2"),
            U("Wb/cm\u00b2(weber per square centimeter)", "Wb/cm\u00b2", {M(1e4)}, {M(1e-4)}),
            U("\u03b3(gamma)", "\u03b3", {M(1e-9)}, {M(1e9)}),
            U("Mx/m\u00b2(maxwell per square meter)", "Mx/m\u00b2", {M(1e-8)}, {M(1e8)}),
            U("Mx/cm\u00b2(maxwell per square centimeter)", "Mx/cm\u00b2", {M(1e-4)}, {M(1e4)}),
        });

    add(Category::Angle, "Angle", "angle", "\u00b0", 'f', 10,
        {
            B("\u00b0(degree)", "\u00b0"),
            U("radian(radian)", "radian", {M(57.29577951308232)}, {M(0.017453292519943295)}),
            U("arcminute(arcminute)", "arcminute", {D(60)}, {M(60)}),
            U("arcsecond(arcsecond)", "arcsecond", {D(3600)}, {M(3600)}),
            F("circle(circle)", "circle", 360),
            F("1/2circle(1/2circle)", "1/2circle", 180),
            F("1/4circle(1/4circle)", "1/4circle", 90),
            U("angular mil(angular mil)", "angular mil", {M(0.05625)}, {M(17.77777777777778)}),
            U("\u00af(point)", "\u00af", {D(0.0889)}, {M(0.0889)}),
        });

    // Binary multiples: every factor is a power of two.
    add(Category::DataStorage, "DataStorage", "datastorage", "Bit", 'g', 6,
        {
            B("Bit", "Bit"),
            U("kBit", "kBit", {M(1024)}, {M(0.0009765625)}),
            U("Mbit", "Mbit", {M(1024), M(1024)}, {M(9.5367431640625e-07)}),
            U("GBit", "GBit", {M(1024), M(1024), M(1024)}, {M(9.313225746154785e-10)}),
            U("TBit", "TBit", {M(1024), M(1024), M(1024), M(1024)}, {M(9.094947017729282e-13)}),
            U("PBit", "PBit", {M(k2p50)}, {D(k2p50)}),
            U("EBit", "EBit", {M(k2p60)}, {D(k2p60)}),
            U("B", "B", {M(8)}, {M(0.125)}),
            U("kB", "kB", {M(1024), M(8)}, {M(0.0001220703125)}),
            U("MB", "MB", {M(1024), M(1024), M(8)}, {M(1.1920928955078125e-07)}),
            U("GB", "GB", {M(1024), M(1024), M(1024), M(8)}, {M(1.1641532182693481e-10)}),
            U("TB", "TB", {M(1024), M(1024), M(1024), M(1024), M(8)}, {M(1.1368683772161603e-13)}),
            U("PB", "PB", {M(k2p50), M(8)}, {D(k2p50), M(0.125)}),
            U("EB", "EB", {M(k2p60), M(8)}, {D(k2p60), M(0.125)}),
        });

    return t;
}

double apply(const std::vector<Step> &steps, double v)
{
    for (const Step &s : steps) {
        switch (s.op) {
        case Step::Mul: v = v * s.c; break;
        case Step::Div: v = v / s.c; break;
        case Step::Add: v = v + s.c; break;
        case Step::Sub: v = v - s.c; break;
        case Step::SubFrom: v = s.c - v; break;
        }
    }
    return v;
}

const QRegularExpression &onlyZeroFraction()
{
    static const QRegularExpression re(QStringLiteral("\\.0+$"));
    return re;
}

const QRegularExpression &trailingZeros()
{
    static const QRegularExpression re(QStringLiteral("(\\.\\d*?[1-9])0+$"));
    return re;
}

} // namespace

const QList<Table> &tables()
{
    static const QList<Table> all = buildTables();
    return all;
}

const Table &table(Category category)
{
    return tables().at(static_cast<int>(category));
}

QString unitSymbol(const QString &itemText)
{
    QString symbol = itemText;
    symbol.remove(parenthesisRegex);
    return symbol;
}

int findUnit(Category category, const QString &itemText)
{
    const QString symbol = unitSymbol(itemText);
    const QList<Unit> &units = table(category).units;
    for (int i = 0; i < units.size(); ++i) {
        if (units.at(i).symbol == symbol)
            return i;
    }
    return -1;
}

double toBase(Category category, double value, const QString &itemText)
{
    const int i = findUnit(category, itemText);
    return i < 0 ? 0.0 : apply(table(category).units.at(i).toBase, value);
}

double fromBase(Category category, double value, const QString &itemText)
{
    const int i = findUnit(category, itemText);
    return i < 0 ? 0.0 : apply(table(category).units.at(i).fromBase, value);
}

double parseAmount(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? v : 0.0;
}

QString formatFixedTrimmed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    text.replace(onlyZeroFraction(), QString());
    text.replace(trailingZeros(), QStringLiteral("\\1"));
    return text;
}

QString formatResult(Category category, double value)
{
    const Table &t = table(category);
    if (t.format == 'g')
        return QString::number(value, 'g', t.precision);
    return formatFixedTrimmed(value, t.precision);
}

QString convert(Category category, const QString &amountText, const QString &fromItem, const QString &toItem)
{
    const double base = toBase(category, parseAmount(amountText), fromItem);
    return formatResult(category, fromBase(category, base, toItem));
}

} // namespace UnitTables
