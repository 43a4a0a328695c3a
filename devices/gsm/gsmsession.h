#pragma once
// State of the "GSM Debug" page, held by the main window in one member.

#include "gsmcallstate.h"
#include "gsmexchange.h"
#include "rxformat.h"

#include <QObject>
#include <limits>
#include <memory>

class GsmSession : public QObject
{
public:
    explicit GsmSession(QObject *window) : QObject(window) {}

    // No command runs under this generation.
    static constexpr quint64 kNoCommand = std::numeric_limits<quint64>::max();

    GsmExchange exchange;
    GsmCallState call;
    int clipOn = 0;        // caller-number presentation is on
    int ringToneOn = 0;    // the ring tone is on
    int smsTextMode = 0;   // the modem is in SMS text mode
    bool busy = false;     // a command of the page runs
    bool hangupPending = false; // hang-up pressed while busy: sent afterwards
    bool linkUp = false;        // the data link is connected: input goes to its reader
    bool closed = false;        // the window closed: nothing more goes to the port
    // The exchange generation the innermost running command started under;
    // a command whose generation is gone (port closed or replaced, window
    // closed) writes nothing more.
    quint64 commandGeneration = kNoCommand;
    RxFormat::GbkStreamDecoder linkDecoder; // kept across chunks
    int linkColumn = 0;         // length of the last line in the link view

    bool commandLive() const { return !closed && commandGeneration == exchange.generation(); }
};
