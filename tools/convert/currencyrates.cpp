#include "currencyrates.h"

#include <QXmlStreamReader>
#include <cmath>

namespace CurrencyRates {

namespace {
const Currency kCurrencies[kCurrencyCount] = {
    {"AUD(Australian Dollar)", "AUD", ":/img/au.svg", 1.6468},
    {"BGN(Bulgarian Lev)", "BGN", ":/img/bg.svg", 1.9558},
    {"BRL(Brazilian Real)", "BRL", ":/img/br.svg", 5.3471},
    {"CAD(Canadian Dollar)", "CAD", ":/img/ca.svg", 1.4556},
    {"CHF(Swiss Franc)", "CHF", ":/img/ch.svg", 0.9315},
    {"CNY(Chinese Yuan)", "CNY", ":/img/cn.svg", 7.8111},
    {"CZK(Czech Koruna)", "CZK", ":/img/cz.svg", 24.875},
    {"DKK(Danish Krone)", "DKK", ":/img/dk.svg", 7.454},
    {"EUR(Euro)", "EUR", ":/img/eu.svg", 0.0},
    {"GBP(British Pound Sterling)", "GBP", ":/img/gb.svg", 0.85263},
    {"HKD(Hong Kong Dollar)", "HKD", ":/img/hk.svg", 8.509},
    {"HUF(Hungarian Forint)", "HUF", ":/img/hu.svg", 383.73},
    {"IDR(Indonesian Rupiah)", "IDR", ":/img/id.svg", 17012.52},
    {"ILS(Israeli New Shekel)", "ILS", ":/img/il.svg", 3.9685},
    {"INR(Indian Rupee)", "INR", ":/img/in.svg", 90.232},
    {"ISK(Icelandic Kr\u00f3na)", "ISK", ":/img/is.svg", 148.3},
    {"JPY(Japanese Yen)", "JPY", ":/img/jp.svg", 159.58},
    {"KRW(South Korean Won)", "KRW", ":/img/kr.svg", 1440.7},
    {"MXN(Mexican Peso)", "MXN", ":/img/mx.svg", 18.5579},
    {"MYR(Malaysian Ringgit)", "MYR", ":/img/my.svg", 5.1332},
    {"NOK(Norwegian Krone)", "NOK", ":/img/no.svg", 11.387},
    {"NZD(New Zealand Dollar)", "NZD", ":/img/nz.svg", 1.7673},
    {"PHP(Philippine Peso)", "PHP", ":/img/ph.svg", 60.825},
    {"PLN(Polish Z\u0142oty)", "PLN", ":/img/pl.svg", 4.3175},
    {"RON(Romanian Leu)", "RON", ":/img/ro.svg", 4.9727},
    {"SEK(Swedish Krona)", "SEK", ":/img/se.svg", 11.268},
    {"SGD(Singapore Dollar)", "SGD", ":/img/sg.svg", 1.4533},
    {"THB(Thai Baht)", "THB", ":/img/th.svg", 38.341},
    {"TRY(Turkish Lira)", "TRY", ":/img/tr.svg", 33.1435},
    {"USD(United States Dollar)", "USD", ":/img/us.svg", 1.0883},
    {"ZAR(South African Rand)", "ZAR", ":/img/za.svg", 20.2973},
};
} // namespace

const Currency *currencies() { return kCurrencies; }

bool isCurrencyCode(const QString &code)
{
    if (code.size() != 3)
        return false;
    for (const QChar c : code) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            return false;
    }
    return true;
}

bool parseEuroRates(const QByteArray &document, QMap<QString, double> *rates)
{
    QXmlStreamReader reader(document);
    while (!reader.atEnd()) {
        if (reader.hasError())
            break;
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("Cube")) {
            const QXmlStreamAttributes attributes = reader.attributes();
            const QString currency = attributes.value(QLatin1String("currency")).toString();
            if (!isCurrencyCode(currency))
                continue; // the enclosing Cube elements have no currency
            bool ok = false;
            const double rate = attributes.value(QLatin1String("rate")).toString().toDouble(&ok);
            if (!ok || !std::isfinite(rate) || rate <= 0.0)
                continue;
            rates->insert(currency, rate);
        }
    }
    // A reader that ran out of bytes inside the document reports
    // PrematureEndOfDocumentError; an empty input counts as an error as well.
    return !reader.hasError() && !document.trimmed().isEmpty();
}

} // namespace CurrencyRates
