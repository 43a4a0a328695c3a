#pragma once
// The value field of the "Modbus" page: tokens of "0x" and hexadecimal
// digits, separated by nothing, blanks, or a comma and blanks.

#include <QByteArray>
#include <QString>

namespace ModbusValueText {

// True when the whole text matches ^((0x[0-9A-Fa-f]+)(\s*|,\s*)?)*$ (as the
// regular expression would, with its end also before a final line feed).
// Checked in linear time: a backtracking matcher gives up on long input.
bool isValid(const QString &text);

// One byte per "0x<digits>" in the text, in order: the low 8 bits of the
// digits read as hexadecimal; digits past a signed 32-bit number give 0.
QByteArray toBytes(const QByteArray &text);

} // namespace ModbusValueText
