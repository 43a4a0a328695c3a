// fuzz-sources: network/modbus/modbusvaluetext.cpp
// fuzz-qt: Qt6Core
//
// The Modbus page's value-field check against the regular expression it
// stands for, on short texts (where the backtracking matcher still
// answers), and the bytes taken from a valid text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QRegularExpression>

#include "modbus/modbusvaluetext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 200)
        return 0;
    // Map bytes onto the characters that matter, and a few that do not.
    static const char alphabet[] = "0x0x19afAF ,\t\n\r\v\f;X g";
    QString text;
    for (size_t i = 0; i < size; ++i)
        text += QLatin1Char(alphabet[data[i] % (sizeof alphabet - 1)]);

    static const QRegularExpression pattern(QStringLiteral("^((0x[0-9A-Fa-f]+)(\\s*|,\\s*)?)*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    const bool valid = ModbusValueText::isValid(text);
    if (m.hasMatch() != valid)
        abort();
    if (valid) {
        // Every byte comes from one "0x" of the text (a token running into
        // the next, as in "0x110x12", takes that one's prefix as digits).
        const QByteArray bytes = ModbusValueText::toBytes(text.toLatin1());
        const qsizetype prefixes = text.count(QLatin1String("0x"));
        if (bytes.size() > prefixes || (prefixes > 0 && bytes.isEmpty()))
            abort();
    }
    return 0;
}
