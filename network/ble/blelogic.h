#pragma once
// Texts and bytes of the "Ble" page that need no Bluetooth: permission text,
// characteristic names, the hexadecimal value display and the bytes of a
// write. Everything here is pure and used by the model, the panel and the
// page alike.

#include <QByteArray>
#include <QLowEnergyCharacteristic>
#include <QLowEnergyService>
#include <QString>

class QBluetoothUuid;

namespace BleLogic {

// "( " + one word with a leading blank per set property, in the fixed order
// Read, Write, Notify, Indicate, ExtendedProperty, Broadcast, WriteNoResp,
// WriteSigned + " )".
QString permissionText(QLowEnergyCharacteristic::PropertyTypes properties);

// The characteristic's own name; else its user description (descriptor
// 0x2901) read as UTF-8; else "Unknown".
QString characteristicName(const QString &name, const QByteArray &userDescription);

// Braced, lower-case UUID text: the form UUIDs travel in between the model,
// the page and the panel.
QString uuidText(const QBluetoothUuid &uuid);

// "0x41, 0x42" for the bytes 41 42; empty for no bytes.
QString hexText(const QByteArray &bytes);

// Inverse of hexText for display: parts split at ", ", each read as base 16
// (optional "0x"), parts that do not parse or exceed 255 dropped; every
// value becomes the character with that code.
QString hexToText(const QString &text);

// Hex bytes as a user types them: separated by blanks and/or commas, each
// group with an optional "0x" and an even number of hex digits ("41",
// "0x41", "4142"). False (and *out untouched) for anything else.
bool parseHexBytes(const QString &text, QByteArray *out);

// The bytes a write sends: parseHexBytes when hex, else the UTF-8 form.
bool writeBytes(const QString &data, bool hex, QByteArray *out);

// With response when the characteristic allows it; a characteristic that
// only allows a write without response (or only a signed write) gets that.
QLowEnergyService::WriteMode writeModeFor(QLowEnergyCharacteristic::PropertyTypes properties);

// A peripheral's button: name, line break, address in parentheses.
QString deviceButtonText(const QString &name, const QString &address);
// Text for a button that shows it as it stands: a '&' in a device or
// service name is not taken for a keyboard shortcut.
QString literalButtonText(QString text);

} // namespace BleLogic
