// Fuzzes the Unicode page's escape decoder and the Crypty page's field
// checks (which run the DES engine on accepted input) and Base64 decoding.
// fuzz-sources: tools/unicode/unicodeescape.cpp tools/crypty/cryptylogic.cpp tools/crypty/des.cpp
// fuzz-qt: Qt6Core

#include "crypty/cryptylogic.h"
#include "unicode/unicodeescape.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t control = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QString text = QString::fromUtf8(rest);

    // Escapes -> text, then text -> escapes must give it back.
    const bool prefix = control & 1;
    const QString decoded = UnicodeEscape::escapesToText(text, prefix);
    if (UnicodeEscape::escapesToText(UnicodeEscape::textToEscapes(decoded, prefix), prefix) != decoded)
        std::abort();

    // Key and data fields: split the text at the first '|'.
    const int mode = (control >> 1) % 5 - 1; // -1 .. 3
    const qsizetype bar = text.indexOf(QLatin1Char('|'));
    const QString key = bar < 0 ? text : text.left(bar);
    const QString dataField = bar < 0 ? QString() : text.mid(bar + 1);
    const CryptyLogic::DesOutcome enc = CryptyLogic::runDes(mode, key, dataField, true);
    if (enc.ok) {
        if (enc.result.size() != 16)
            std::abort();
        const CryptyLogic::DesOutcome dec = CryptyLogic::runDes(mode, key, enc.result, false);
        if (!dec.ok || dec.result != dataField.toUpper())
            std::abort();
    } else if (!enc.warning) {
        std::abort();
    }

    // Lenient Base64 decoding of arbitrary text, and encode/decode round trip.
    (void)CryptyLogic::base64Decode(text);
    if (CryptyLogic::base64Decode(CryptyLogic::base64Encode(text)) != text)
        std::abort();
    return 0;
}
