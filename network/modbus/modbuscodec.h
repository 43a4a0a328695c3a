#pragma once
// Modbus frames without any object around them: the CRC, request frames for
// RTU (trailing CRC) and TCP (MBAP header), and the checks and decoding of a
// reply. Kalvest_ModbusClient wraps these for the "Modbus" page.

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace ModbusCodec {

// Most data bytes one write request carries (123 registers or 1968 coils);
// more would not fit the one-byte count of a frame.
constexpr int kMaxDataBytes = 246;

// CRC-16/MODBUS of all bytes (0xFFFF for none).
quint16 crc(const QByteArray &data);

// The complete frame for one request, or an empty array with *error set.
// Slave address and function code are written as their low 8 bits, start
// address and quantity as their low 16 bits. A TCP frame carries
// `transactionId`. `data` holds the values of write requests: function 5
// switches the coil on for a first byte other than 0 (off without one),
// function 6 takes two bytes (a missing one is 0), functions 15, 16 and 22
// take them all after their byte count.
QByteArray buildRequest(int slaveAddress, int functionCode, int startAddress, int quantity, bool tcp,
                        quint16 transactionId, const QByteArray &data, QString *error);

// Checks a reply to the request for `slaveAddress` and `functionCode` and
// decodes it: QList<bool> for functions 1 and 2 (eight per data byte, bit 0
// first), QList<ushort> for 3, 4 and 22, a map with "StartAddress" and
// "Quantity" for 5, 6, 15 and 16. Invalid with *error set when a check
// fails. Never reads past the reply.
QVariant parseResponse(int slaveAddress, int functionCode, const QByteArray &response, bool tcp, QString *error);

} // namespace ModbusCodec
