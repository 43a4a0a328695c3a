// Fuzzes the GSM page's reader of stored messages ("+CMGR" replies) and its
// UCS2 decoding with arbitrary modem output, a message whose text is
// anything (also a line that reads like a result), and the message limit
// with arbitrary text, checking their promises as it goes.
// fuzz-sources: devices/gsm/gsmsms.cpp devices/gsm/gsmreply.cpp devices/gsm/gsmanswer.cpp common/portnumber.cpp
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
    // A received message whose text line is the input (line ends taken
    // out), whole or with the final OK in a later read: its text is shown
    // as it stands, never taken for the reply's result.
    {
        QByteArray line = bytes;
        line.replace('\r', QByteArray());
        line.replace('\n', QByteArray());
        const QByteArray reply = "\r\n+CMGR: \"REC READ\",\"+8610086\",\"\",\"t\"\r\n" + line + "\r\n\r\nOK\r\n";
        GsmSms::Message m;
        if (!GsmSms::parseMessage(reply, &m))
            std::abort();
        const QByteArray hex = line.trimmed();
        const QString expected =
            GsmSms::looksLikeUcs2Hex(hex) ? GsmSms::UNicodetoQString(hex) : QString::fromUtf8(line);
        if (m.text != expected || m.sender != QStringLiteral("+8610086") || m.time != QStringLiteral("t"))
            std::abort();
        // Cut before the final OK: no message yet.
        if (GsmSms::parseMessage(reply.left(reply.size() - 6), &m))
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
