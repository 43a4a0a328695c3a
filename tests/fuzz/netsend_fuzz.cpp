// Fuzzes the network pages' send box and port field parsing with arbitrary
// user text, checking their promises as it goes.
// fuzz-sources: network/netsend.cpp common/portnumber.cpp
// fuzz-qt: Qt6Core Qt6Network

#include "netsend.h"
#include "portnumber.h"

#include <QByteArray>
#include <QString>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // Hex: never more bytes than half the digits, rounded up.
    const QByteArray hex = NetSend::prepare(text, true);
    qsizetype digits = 0;
    for (QChar c : text) {
        if (c.unicode() == 0)
            break;
        if (c.unicode() < 128 && std::isxdigit(c.unicode()))
            ++digits;
    }
    if (hex.size() > (digits + 1) / 2)
        std::abort();

    // Text: the whole text, plus at most one carriage return.
    const QByteArray plain = NetSend::prepare(text, false);
    if (plain.size() > text.toLocal8Bit().size() + 1)
        std::abort();

    quint16 port = 0;
    if (PortNumber::parse(text, &port)) {
        bool ok = false;
        if (port == 0 || text.trimmed().toULongLong(&ok) != port || !ok)
            std::abort();
    }
    return 0;
}
