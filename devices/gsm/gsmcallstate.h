#pragma once
// The call state of the GSM page and the reader of what the modem announces
// by itself ("RING", "+CLIP", "+CMTI", "NO CARRIER", "BUSY", "COLP").
// Widget-free: feed() returns what the page is to show.

#include <QByteArray>
#include <QList>
#include <QString>

class GsmCallState
{
public:
    struct Event {
        enum Kind { CallEnded, Busy, Calling, IncomingCall, CallerNumber, NewMessage };
        Kind kind;
        QString text; // caller number or message index
    };

    // Adds one chunk of modem output to the buffer and runs the tests on it.
    QList<Event> feed(const QByteArray &chunk);

    // A call ended (hang-up confirmed, "NO CARRIER", "BUSY"): no incoming
    // call, no ringing, no awaited caller number; with clearBuffer the
    // buffer starts afresh (a stale "RING" in it is not reported later).
    void endCall(bool clearBuffer = true);
    // Everything cleared (page set up, port closed).
    void reset();

    QByteArray buffer;
    bool incomingCall = false; // the dial button answers
    bool callActive = false;   // keypad keys send tones
    bool ringing = false;      // "RING" seen, caller number awaited
    bool clipPending = false;  // type of address seen; next "+CLIP" is shown
    bool ucs2 = false;         // the modem confirmed the UCS2 character set
};
