#pragma once
// Unit tables of the converter's 21 physical categories, the shared
// conversion step and the result formatting. Widget-free: the page calls
// these, and so do the tests.

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <vector>

// The one program-wide pattern that turns a unit-list entry into its unit
// symbol: "km(kilometer)" -> "km". Greedy, from the first "(" to the last ")".
extern const QRegularExpression parenthesisRegex;

namespace UnitTables {

enum class Category {
    Lengths,
    Mass,
    Area,
    Volume,
    Time,
    Speed,
    Force,
    Torque,
    Temperature,
    Pressure,
    Energy,
    Power,
    Capacitance,
    Resistance,
    Conductance,
    Inductance,
    Current,
    Charge,
    Magnetic,
    Angle,
    DataStorage,
};
constexpr int kCategoryCount = 21;

// One arithmetic step applied to the value v.
struct Step {
    enum Op : unsigned char {
        Mul,     // v * c
        Div,     // v / c
        Add,     // v + c
        Sub,     // v - c
        SubFrom, // c - v
    };
    Op op;
    double c;
};

struct Unit {
    QString item;                // the list entry as the form shows it (untranslated)
    QString symbol;              // what the conversion compares
    std::vector<Step> toBase;    // empty: the value passes unchanged
    std::vector<Step> fromBase;  // empty: the value passes unchanged
};

struct Table {
    Category category;
    QString name;     // "Lengths": the caption and the prefix of the page's slots
    QString key;      // "lengths": the prefix of the widgets' object names
    QString baseSymbol;
    char format;      // 'f' or 'g'
    int precision;
    QList<Unit> units;
};

// All 21 tables, in slot order.
const QList<Table> &tables();
const Table &table(Category category);

// The unit symbol of a list entry: every match of parenthesisRegex removed.
QString unitSymbol(const QString &itemText);

// Index of the unit whose symbol equals the entry's symbol exactly, or -1.
int findUnit(Category category, const QString &itemText);

// Value in the entry's unit -> value in the base unit; 0 for an unknown entry.
double toBase(Category category, double value, const QString &itemText);
// Value in the base unit -> value in the entry's unit; 0 for an unknown entry.
double fromBase(Category category, double value, const QString &itemText);

// The number typed into a source field: C-locale syntax, blanks around it
// allowed; anything else is 0.
double parseAmount(const QString &text);

// Fixed notation with `decimals` decimals, then trailing zeros trimmed
// ("0.0010000" -> "0.001", "1000.000" -> "1000").
QString formatFixedTrimmed(double value, int decimals);

// The result text of a category: 'f' with trimming, or 'g' 6 untrimmed.
QString formatResult(Category category, double value);

// The whole conversion step: parse, to base, from base, format.
QString convert(Category category, const QString &amountText, const QString &fromItem, const QString &toItem);

} // namespace UnitTables
