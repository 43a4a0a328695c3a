#include "modbuscodec.h"

#include <QList>
#include <QVariantMap>

namespace ModbusCodec {

namespace {

// Text for replies too short for the bytes the next check reads.
const char kTooShort[] = "Response too short";

quint8 byteAt(const QByteArray &bytes, qsizetype index)
{
    return quint8(bytes.at(index));
}

void appendWord(QByteArray &frame, int value)
{
    frame.append(char((value >> 8) & 0xFF));
    frame.append(char(value & 0xFF));
}

QVariant fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return QVariant();
}

} // namespace

quint16 crc(const QByteArray &data)
{
    quint16 value = 0xFFFF;
    for (char c : data) {
        value ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? quint16((value >> 1) ^ 0xA001) : quint16(value >> 1);
    }
    return value;
}

QByteArray buildRequest(int slaveAddress, int functionCode, int startAddress, int quantity, bool tcp,
                        quint16 transactionId, const QByteArray &data, QString *error)
{
    QByteArray frame;
    frame.reserve(16 + data.size());
    if (tcp) {
        // MBAP header; the length is filled in once the frame is complete.
        appendWord(frame, transactionId);
        frame.append(4, '\0');
    }
    frame.append(char(slaveAddress & 0xFF));
    frame.append(char(functionCode & 0xFF));
    appendWord(frame, startAddress);

    switch (functionCode) {
    case 1:
    case 2:
    case 3:
    case 4:
        appendWord(frame, quantity);
        break;
    case 5:
        frame.append(!data.isEmpty() && data.at(0) != 0 ? char(0xFF) : char(0x00));
        frame.append('\0');
        break;
    case 6:
        frame.append(data.size() > 0 ? data.at(0) : '\0');
        frame.append(data.size() > 1 ? data.at(1) : '\0');
        break;
    case 15:
    case 16:
    case 22:
        if (data.size() > kMaxDataBytes) {
            if (error)
                *error = QStringLiteral("Too many data bytes for one request");
            return QByteArray();
        }
        appendWord(frame, quantity);
        frame.append(char(functionCode == 22 ? data.size() / 2 : data.size()));
        frame.append(data);
        break;
    default:
        if (error)
            *error = QStringLiteral("Unsupported function code");
        return QByteArray();
    }

    if (tcp) {
        const int length = int(frame.size()) - 6;
        frame[4] = char((length >> 8) & 0xFF);
        frame[5] = char(length & 0xFF);
    } else {
        const quint16 sum = crc(frame);
        frame.append(char(sum & 0xFF));
        frame.append(char(sum >> 8));
    }
    return frame;
}

QVariant parseResponse(int slaveAddress, int functionCode, const QByteArray &response, bool tcp, QString *error)
{
    if (response.isEmpty())
        return fail(error, QStringLiteral("Empty response received"));

    // The body is unit (slave) address, function code and data.
    QByteArray body;
    if (tcp) {
        if (response.size() < 4)
            return fail(error, QLatin1String(kTooShort));
        if (byteAt(response, 2) != 0 || byteAt(response, 3) != 0)
            return fail(error, QStringLiteral("Invalid protocol ID in response"));
        if (response.size() < 6)
            return fail(error, QLatin1String(kTooShort));
        const int length = byteAt(response, 4) * 256 + byteAt(response, 5);
        if (length != response.size() - 6)
            return fail(error, QStringLiteral("Invalid length in response"));
        body = response.mid(6);
    } else {
        if (byteAt(response, 0) != quint8(slaveAddress))
            return fail(error, QStringLiteral("Invalid slave address in response"));
        const qsizetype n = response.size();
        if (n < 3)
            return fail(error, QLatin1String(kTooShort));
        const quint16 received = quint16(byteAt(response, n - 1) * 256 + byteAt(response, n - 2));
        if (crc(response.left(n - 2)) != received)
            return fail(error, QStringLiteral("Invalid CRC in response"));
        body = response.left(n - 2);
    }

    if (body.size() < 2)
        return fail(error, QLatin1String(kTooShort));
    const quint8 function = byteAt(body, 1);
    if (function != quint8(functionCode)) {
        if (function & 0x80) {
            if (body.size() < 3)
                return fail(error, QLatin1String(kTooShort));
            return fail(error, QStringLiteral("Modbus exception response: %1").arg(byteAt(body, 2)));
        }
        return fail(error, QStringLiteral("Unexpected function code in response"));
    }

    if (functionCode < 5) {
        if (body.size() < 3)
            return fail(error, QLatin1String(kTooShort));
        if (byteAt(body, 2) != body.size() - 3)
            return fail(error, QStringLiteral("Invalid byte count in response"));
    }

    switch (functionCode) {
    case 1:
    case 2: {
        const int count = byteAt(body, 2);
        QList<bool> bits;
        bits.reserve(count * 8);
        for (int i = 0; i < count; ++i) {
            const quint8 b = byteAt(body, 3 + i);
            for (int bit = 0; bit < 8; ++bit)
                bits.append(((b >> bit) & 1) != 0);
        }
        return QVariant::fromValue(bits);
    }
    case 3:
    case 4:
    case 22: {
        if (body.size() < 3)
            return fail(error, QLatin1String(kTooShort));
        // Function 22 has no byte-count check: only the bytes present count.
        const int count = int(qMin<qsizetype>(byteAt(body, 2), body.size() - 3));
        QList<ushort> words;
        words.reserve((count + 1) / 2);
        for (int i = 0; i < count; i += 2) {
            const int high = byteAt(body, 3 + i);
            const int low = i + 1 < count ? byteAt(body, 4 + i) : 0;
            words.append(ushort(high * 256 + low));
        }
        return QVariant::fromValue(words);
    }
    case 5:
    case 6:
    case 15:
    case 16: {
        if (body.size() < 6)
            return fail(error, QLatin1String(kTooShort));
        QVariantMap map;
        map.insert(QStringLiteral("StartAddress"), int(byteAt(body, 2) * 256 + byteAt(body, 3)));
        map.insert(QStringLiteral("Quantity"), int(byteAt(body, 4) * 256 + byteAt(body, 5)));
        return map;
    }
    default:
        return fail(error, QStringLiteral("Unsupported function code"));
    }
}

} // namespace ModbusCodec
