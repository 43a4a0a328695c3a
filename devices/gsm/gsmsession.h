#pragma once
// State of the "GSM Debug" page, held by the main window in one member.

#include "gsmcallstate.h"
#include "gsmexchange.h"

#include <QEvent>
#include <QObject>

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
    bool fillingNumber = false; // the number box is being rewritten

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Close)
            exchange.abort();
        return QObject::eventFilter(watched, event);
    }
};
