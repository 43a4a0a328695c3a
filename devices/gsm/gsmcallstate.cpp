#include "gsmcallstate.h"

#include "gsmreply.h"

namespace {

// Drops the buffer up to the end of the line that holds position `at`;
// what came after that line stays for the next tests.
void dropThroughLine(QByteArray *buffer, int at)
{
    const int nl = int(buffer->indexOf('\n', at));
    if (nl < 0)
        buffer->clear();
    else
        buffer->remove(0, nl + 1);
}

} // namespace

QList<GsmCallState::Event> GsmCallState::feed(const QByteArray &chunk)
{
    QList<Event> events;
    GsmReply::appendCapped(&buffer, chunk);

    // Each test runs on the buffer as the ones before left it.
    int at = int(buffer.indexOf("NO CARRIER\r\n"));
    if (at >= 0) {
        dropThroughLine(&buffer, at);
        endCall(false);
        events.append({Event::CallEnded, QString()});
    }
    at = int(buffer.indexOf("BUSY\r\n"));
    if (at >= 0) {
        dropThroughLine(&buffer, at);
        endCall(false);
        events.append({Event::Busy, QString()});
    }
    at = int(buffer.indexOf("COLP"));
    if (at >= 0) {
        dropThroughLine(&buffer, at);
        events.append({Event::Calling, QString()});
    }
    if (ringing && !clipPending
        && (buffer.contains(",161,") || buffer.contains(",145,") || buffer.contains(",129,"))) {
        ringing = false;
        clipPending = true;
    }
    QByteArray number;
    if (clipPending && buffer.contains("+CLIP") && GsmReply::clipNumber(buffer, &number)) {
        incomingCall = true;
        clipPending = false;
        // What the buffer held were this call's "RING"s: a later one is a new
        // report.
        buffer.clear();
        const QString shown = ucs2 ? GsmReply::decodeUcs2Number(number) : QString::fromLatin1(number);
        events.append({Event::CallerNumber, shown});
    }
    if (buffer.contains("RING") && !ringing) {
        incomingCall = true;
        ringing = true;
        clipPending = false;
        events.append({Event::IncomingCall, QString()});
    }
    QByteArray index;
    if (GsmReply::newMessageIndex(buffer, &index)) {
        dropThroughLine(&buffer, int(buffer.indexOf("\"SM\",", buffer.indexOf("+CMTI"))));
        events.append({Event::NewMessage, QString::fromLatin1(index)});
    }
    return events;
}

void GsmCallState::endCall(bool clearBuffer)
{
    incomingCall = false;
    callActive = false;
    ringing = false;
    clipPending = false;
    if (clearBuffer)
        buffer.clear();
}

void GsmCallState::reset()
{
    endCall();
    ucs2 = false;
}
