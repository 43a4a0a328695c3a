// Fuzzes the GSM page's readers of modem output with arbitrary bytes: the
// reply readers on the whole input, and the unsolicited-result reader on
// the input cut into chunks, checking their promises as it goes.
// fuzz-sources: devices/gsm/gsmreply.cpp devices/gsm/gsmcallstate.cpp
// fuzz-qt: Qt6Core

#include "gsm/gsmcallstate.h"
#include "gsm/gsmreply.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int chunk = 1 + data[0] % 32;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));

    QByteArray reply;
    GsmReply::appendCapped(&reply, bytes);
    if (reply.contains('\0') || reply.size() > GsmReply::kBufferCap)
        std::abort();

    QByteArray line;
    const GsmReply::Final final = GsmReply::finalResult(reply, &line);
    if (final == GsmReply::Final::Error && !GsmReply::isErrorLine(line))
        std::abort();
    if (final == GsmReply::Final::Ok && line != "OK")
        std::abort();
    for (const QByteArray &l : GsmReply::completeLines(reply)) {
        if (l.isEmpty() || l.contains('\r') || l.contains('\n'))
            std::abort();
    }
    // What goes on to the reader is made of the reply's own lines, never its
    // echo, final results or the command's own lines.
    const QList<QByteArray> lines = GsmReply::completeLines(reply);
    const QByteArray rest = GsmReply::unconsumed(reply, {"+CSQ:"});
    for (const QByteArray &l : GsmReply::completeLines(rest.left(GsmReply::lastLineEnd(rest) + 1))) {
        if (!lines.contains(l) || l.startsWith("AT") || l.startsWith("+CSQ:") || l == "OK" || GsmReply::isErrorLine(l))
            std::abort();
    }

    int rssi = -1;
    if (GsmReply::signalValue(reply, &rssi) && rssi < 0)
        std::abort();
    GsmReply::signalIcon(rssi);
    for (int v : {GsmReply::clipSetting(reply), GsmReply::ringToneSetting(reply), GsmReply::smsModeSetting(reply)}) {
        if (v < -1 || v > 1)
            std::abort();
    }
    QByteArray number;
    if (GsmReply::clipNumber(reply, &number)) {
        const QString shown = GsmReply::decodeUcs2Number(number);
        if (shown.size() > number.size())
            std::abort();
    }
    QByteArray index;
    if (GsmReply::newMessageIndex(reply, &index)) {
        for (const char c : index) {
            if (c < '0' || c > '9')
                std::abort();
        }
    }

    GsmCallState state;
    state.ucs2 = (data[0] & 0x80) != 0;
    for (int at = 0; at < bytes.size(); at += chunk) {
        state.feed(bytes.mid(at, chunk));
        if (state.buffer.size() > GsmReply::kBufferCap || (state.ringing && state.clipPending))
            std::abort();
    }
    return 0;
}
