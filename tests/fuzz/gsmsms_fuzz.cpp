// Fuzzes the GSM page's reader of stored messages ("+CMGR" replies) and its
// UCS2 decoding with arbitrary modem output, and the message limit with
// arbitrary text, checking their promises as it goes.
// fuzz-sources: devices/gsm/gsmsms.cpp devices/gsm/gsmreply.cpp
// fuzz-qt: Qt6Core

#include "gsm/gsmsms.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    GsmSms::Message message;
    if (GsmSms::parseMessage(bytes, &message)) {
        if (!bytes.contains("+CMGR: \"") || message.text.size() > bytes.size() || message.sender.size() > bytes.size())
            std::abort();
    }
    const QString decoded = GsmSms::UNicodetoQString(bytes);
    if (decoded.size() != bytes.size() / 4)
        std::abort();
    if (GsmSms::looksLikeUcs2Hex(bytes) && GsmSms::QStringtoUNicode(decoded) != bytes.toLower())
        std::abort();

    const QString text = QString::fromUtf8(bytes);
    int cursor = size > 0 ? data[0] % (text.size() + 1) : 0;
    const QString kept = GsmSms::limitText(text, &cursor);
    if (kept.size() > GsmSms::kMaxUnits && text.size() > GsmSms::kMaxUnits)
        std::abort();
    if (cursor < 0 || cursor > kept.size())
        std::abort();
    // No half pair is made by the cut.
    for (int i = 0; i < kept.size(); ++i) {
        if (kept.at(i).isLowSurrogate() && (i == 0 || !kept.at(i - 1).isHighSurrogate())
            && !(i < text.size() && text.at(i).isLowSurrogate()))
            std::abort();
    }
    GsmSms::linkData(bytes);
    return 0;
}
