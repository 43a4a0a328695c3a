#pragma once
// State of the "GSM Debug" page, held by the main window in one member.

#include "gsmcallstate.h"
#include "gsmexchange.h"

#include <QEvent>
#include <QObject>
#include <QTextCodec>
#include <memory>

class GsmSession : public QObject
{
public:
    explicit GsmSession(QObject *window) : QObject(window)
    {
        // A window that closes ends a running exchange (and a redial).
        window->installEventFilter(this);
    }

    GsmExchange exchange;
    GsmCallState call;
    int clipOn = 0;        // caller-number presentation is on
    int ringToneOn = 0;    // the ring tone is on
    int smsTextMode = 0;   // the modem is in SMS text mode
    bool busy = false;     // a command of the page runs
    bool hangupPending = false; // hang-up pressed while busy: sent afterwards
    bool linkUp = false;        // the data link is connected: input goes to its reader
    std::unique_ptr<QTextDecoder> linkDecoder; // GBK, kept across chunks
    int linkColumn = 0;         // length of the last line in the link view

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Close)
            exchange.abort();
        return QObject::eventFilter(watched, event);
    }
};
