// Fuzzes the GSM page's readers of modem output with arbitrary bytes: the
// reply readers on the whole input, the answer reader (what is a command's
// answer, what goes on to others) on the input cut into chunks, with stored
// messages and link data whose lines look like results, and the
// unsolicited-result reader, checking their promises as it goes.
// fuzz-sources: devices/gsm/gsmreply.cpp devices/gsm/gsmcallstate.cpp devices/gsm/gsmanswer.cpp
// fuzz-qt: Qt6Core

#include "gsm/gsmanswer.h"
#include "gsm/gsmcallstate.h"
#include "gsm/gsmreply.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Feeds `input` in pieces of `chunk` bytes; returns what was passed on.
QByteArray feedInChunks(GsmAnswer *answer, const QByteArray &input, int chunk, const GsmAnswer::EndTest &ends)
{
    QByteArray passed;
    for (int at = 0; at < input.size(); at += chunk)
        answer->feed(input.mid(at, chunk), [&](const QByteArray &b) { passed += b; }, ends);
    return passed;
}

void checkAnswer(const GsmAnswer &answer)
{
    if (answer.text().size() > GsmReply::kBufferCap)
        std::abort();
    for (const QByteArray &l : answer.lines()) {
        if (l.contains('\r') || l.contains('\n'))
            std::abort();
    }
    if (answer.final() == GsmReply::Final::Error && !GsmReply::isErrorLine(answer.finalLine()))
        std::abort();
    if (answer.final() == GsmReply::Final::Ok && answer.finalLine() != "OK")
        std::abort();
}

// A line of text without line ends (what a message text line or a link
// data line may be: anything, "OK" and "ERROR" included).
QByteArray oneLine(QByteArray bytes)
{
    bytes.replace('\r', QByteArray());
    bytes.replace('\n', QByteArray());
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int chunk = 1 + data[0] % 32;
    const uint8_t flags = data[1];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));

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

    // Arbitrary input against an answer of any shape: the answer's lines are
    // clean, nothing is invented, nothing grows without bound.
    {
        GsmAnswer::Shape shape;
        shape.echo = (flags & 1) ? QByteArray("AT+CSQ") : QByteArray();
        shape.ownPrefixes = {"+CSQ:"};
        shape.messageHeader = (flags & 2) ? QByteArray("+CMGR:") : QByteArray();
        shape.prompt = (flags & 4) != 0;
        shape.results = {"SEND OK", "CONNECT OK"};
        shape.finals = GsmAnswer::Shape::Finals((flags >> 3) % 3);
        shape.dataEcho = (flags & 32) ? bytes.left(8) : QByteArray();
        GsmAnswer answer(shape);
        const bool endAtFinal = (flags & 64) != 0;
        QByteArray passed =
            feedInChunks(&answer, bytes, chunk, [&] { return endAtFinal && answer.final() != GsmReply::Final::None; });
        passed += answer.takeUnfinished();
        if (passed.size() > bytes.size())
            std::abort();
        checkAnswer(answer);
    }

    // A stored message whose first text line is anything (a line that reads
    // "OK" or "ERROR" too), unsolicited lines before it and bytes after it:
    // the text is the message's, the result is the OK after it, and what
    // follows goes on as it stands.
    {
        const int cut = bytes.isEmpty() ? 0 : data[1] % (bytes.size() + 1);
        const QByteArray text = oneLine(bytes.left(cut));
        const QByteArray after = bytes.mid(cut);
        const QByteArray input = "AT+CMGR=1\r\r\nRING\r\n\r\n+CMGR: \"REC READ\",\"0031\",\"\",\"t\"\r\n" + text
                                 + "\r\n\r\nOK\r\n" + after;
        GsmAnswer::Shape shape;
        shape.echo = "AT+CMGR=1";
        shape.messageHeader = "+CMGR:";
        GsmAnswer answer(shape);
        const QByteArray passed = feedInChunks(&answer, input, chunk, [&] { return answer.messageComplete(); });
        if (!answer.ended() || answer.final() != GsmReply::Final::Ok || answer.messageLines().value(0) != text)
            std::abort();
        if (passed != "RING\r\n" + after)
            std::abort();
        checkAnswer(answer);
    }

    // Link data after the connection's result, in the same read or later:
    // every byte (results look-alikes, zero bytes) goes on as it stands.
    {
        const QByteArray input = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"\r\r\nOK\r\n\r\nCONNECT OK\r\n" + bytes;
        GsmAnswer::Shape shape;
        shape.echo = "AT+CIPSTART=\"TCP\",\"127.0.0.1\",\"1000\"";
        shape.results = {"CONNECT OK"};
        GsmAnswer answer(shape);
        const QByteArray passed =
            feedInChunks(&answer, input, chunk, [&] { return answer.hasLineStarting("CONNECT OK"); });
        if (!answer.ended() || passed != bytes)
            std::abort();
    }

    // Data sent on the link, echoed, then the server's lines and the
    // result: the echo is dropped, the server's lines ("OK", "ERROR" among
    // them) go on, the result ends the answer.
    {
        const QByteArray sent = bytes.left(data[1] % 16);
        const QByteArray server = oneLine(bytes.mid(sent.size()));
        const QByteArray input = sent + "\x1a" + server + "\r\n\r\nSEND OK\r\n";
        GsmAnswer::Shape shape;
        shape.dataEcho = sent + "\x1a";
        shape.results = {"SEND OK", "SEND FAIL"};
        shape.finals = GsmAnswer::Shape::Finals::ErrorsOnly;
        GsmAnswer answer(shape);
        const QByteArray passed = feedInChunks(&answer, input, chunk, [&] {
            return answer.hasLineStarting("SEND OK") || answer.final() == GsmReply::Final::Error;
        });
        if (!answer.dataEchoed() || !answer.ended())
            std::abort();
        const QByteArray trimmed = server.trimmed();
        const bool serverLineIsResult = GsmReply::isErrorLine(trimmed) || trimmed.startsWith("SEND OK")
                                        || trimmed.startsWith("SEND FAIL") || trimmed.isEmpty();
        if (!serverLineIsResult && passed != server + "\r\n")
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
