#pragma once
// Port fields of every page that opens a network port (TCP, UDP, the GPS
// position server, Modbus TCP, MQTT, the GSM link): what they accept and
// what they say when it is not a port.

#include <QString>

namespace PortNumber {

// A decimal number from 1 to 65535; blanks around it are allowed. Returns
// false for anything else (signs, hex, an empty field).
bool parse(const QString &text, quint16 *port);

// The message for a field that parse() refuses, naming what was typed.
QString notAPort(const QString &text);

} // namespace PortNumber
