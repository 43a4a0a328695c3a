// Fuzzes the reader of the daily euro reference-rate document.
// fuzz-sources: tools/convert/currencyrates.cpp
// fuzz-qt: Qt6Core

#include "convert/currencyrates.h"

#include <QByteArray>
#include <QMap>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray document(reinterpret_cast<const char *>(data), int(size));
    QMap<QString, double> rates;
    CurrencyRates::parseEuroRates(document, &rates);
    // Whatever the input, only well-formed entries come out.
    for (auto it = rates.cbegin(); it != rates.cend(); ++it) {
        if (!CurrencyRates::isCurrencyCode(it.key()) || !std::isfinite(it.value()) || it.value() <= 0.0)
            std::abort();
    }
    return 0;
}
