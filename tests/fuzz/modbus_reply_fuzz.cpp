// fuzz-sources: network/modbus/modbuscodec.cpp
// fuzz-qt: Qt6Core
//
// Modbus reply checks and decoding on arbitrary bytes. The first input
// byte picks the function code and the transport; the rest is the reply.
// A reply the codec accepts must decode consistently with its own bytes,
// and a request frame built from the input must be taken back as an echo.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QList>
#include <QVariantMap>

#include "modbus/modbuscodec.h"

namespace {

const int kFunctions[] = {1, 2, 3, 4, 5, 6, 15, 16, 22, 0, 7, 0x83};

void check(bool ok)
{
    if (!ok)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int function = kFunctions[(data[0] & 0x7F) % (sizeof kFunctions / sizeof kFunctions[0])];
    const bool tcp = (data[0] & 0x80) != 0;
    // An exact-size heap copy, so reading one byte too far is caught.
    const QByteArray reply(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const int slave = reply.isEmpty() ? 1 : quint8(reply.at(0));

    QString error;
    const QVariant value = ModbusCodec::parseResponse(slave, function, reply, tcp, &error);
    check(value.isValid() == error.isEmpty());
    if (value.isValid()) {
        const qsizetype body = tcp ? reply.size() - 6 : reply.size() - 2;
        check(body >= 2);
        if (function == 1 || function == 2)
            check(value.value<QList<bool>>().size() == (body - 3) * 8);
        else if (function == 3 || function == 4)
            check(value.value<QList<ushort>>().size() == (body - 3 + 1) / 2);
        else if (function == 22)
            check(value.value<QList<ushort>>().size() <= (body - 3 + 1) / 2);
        else
            check(value.toMap().size() == 2);
    }

    // Echo of a write request: the request frame itself, without its byte
    // count and data, is a valid reply to it.
    if (size >= 6) {
        const int writes[] = {5, 6, 15, 16};
        const int code = writes[data[1] % 4];
        const int start = data[2] << 8 | data[3];
        const int quantity = data[4] << 8 | data[5];
        const QByteArray values = reply.mid(5);
        const QByteArray frame =
            ModbusCodec::buildRequest(slave, code, start, quantity, tcp, quint16(size), values, &error);
        const bool tooMany = (code == 15 || code == 16) && values.size() > ModbusCodec::kMaxDataBytes;
        check(frame.isEmpty() == tooMany);
        if (!frame.isEmpty()) {
            QByteArray echo = tcp ? frame.left(12) : frame.left(6);
            if (tcp) {
                echo[5] = 6;
            } else {
                const quint16 sum = ModbusCodec::crc(echo);
                echo.append(char(sum & 0xFF));
                echo.append(char(sum >> 8));
            }
            const QVariantMap map = ModbusCodec::parseResponse(slave, code, echo, tcp, &error).toMap();
            check(map.value(QStringLiteral("StartAddress")).toInt() == start);
            if (code == 15 || code == 16)
                check(map.value(QStringLiteral("Quantity")).toInt() == quantity);
        }
    }
    return 0;
}
