// Fuzzes the "Ble" page's byte texts: the write dialog's hex parser (user
// text) and the hex display of characteristic values (peripheral data),
// checking that they agree with each other.
// fuzz-sources: network/ble/blelogic.cpp terminal/rxformat.cpp
// fuzz-qt: Qt6Core Qt6Bluetooth

#include "ble/blelogic.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // Peripheral bytes: the hex display reads back to the same bytes, both
    // through the parser of the write dialog and through the display switch.
    const QString hex = BleLogic::hexText(bytes);
    if (hex.size() != (bytes.isEmpty() ? 0 : bytes.size() * 6 - 2))
        std::abort();
    QByteArray back;
    if (!BleLogic::parseHexBytes(hex, &back) || back != bytes)
        std::abort();
    if (BleLogic::hexToText(hex) != QString::fromLatin1(bytes))
        std::abort();

    // User text: refused and untouched, or at most one byte per two characters.
    const QString text = QString::fromUtf8(bytes);
    QByteArray out("x");
    if (BleLogic::parseHexBytes(text, &out)) {
        if (out.size() * 2 > text.size())
            std::abort();
    } else if (out != "x") {
        std::abort();
    }
    (void)BleLogic::permissionText(QLowEnergyCharacteristic::PropertyTypes(size > 0 ? data[0] : 0));
    return 0;
}
