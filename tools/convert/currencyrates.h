#pragma once
// The converter's currency table and the reader of the daily euro
// reference-rate document. Qt Core only, so the fuzz target can use it.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace CurrencyRates {

struct Currency {
    const char *item;   // list entry, UTF-8, e.g. "AUD(Australian Dollar)"
    const char *code;   // "AUD"
    const char *flag;   // resource of the flag icon, ":/img/au.svg"
    double defaultRate; // units per euro written when no rate is stored; 0 for EUR
};

constexpr int kCurrencyCount = 31;
const Currency *currencies(); // kCurrencyCount rows, list order

// Three capital letters A-Z: the only names stored as settings keys.
bool isCurrencyCode(const QString &code);

// Reads the "Cube" elements of the document into `rates` (code -> units per
// euro). Elements whose code is not three capital letters or whose rate is
// not a finite positive number are skipped. Returns true only when the bytes
// are one complete, well-formed XML document; on false, `rates` holds what
// was read before the error and must not be trusted.
bool parseEuroRates(const QByteArray &document, QMap<QString, double> *rates);

} // namespace CurrencyRates
