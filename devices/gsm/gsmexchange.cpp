#include "gsmexchange.h"

#include "eventwait.h"
#include "gsmreply.h"

GsmExchange::GsmExchange(QObject *parent) : QObject(parent), m_wait(waitProcessingEvents) {}

void GsmExchange::feed(const QByteArray &data)
{
    if (data.isEmpty())
        return;
    if (m_busy) {
        GsmReply::appendCapped(&m_pending, data);
        return;
    }
    if (m_forward)
        m_forward(data);
}

bool GsmExchange::write(const QByteArray &bytes)
{
    if (!portOpen())
        return false;
    return m_port->write(bytes) == bytes.size();
}

void GsmExchange::abort()
{
    if (m_busy)
        m_abort = true;
}

GsmExchange::Result GsmExchange::run(const Request &request)
{
    Result result;
    if (m_busy) {
        result.outcome = Outcome::Busy;
        return result;
    }
    if (!portOpen()) {
        result.outcome = Outcome::PortClosed;
        return result;
    }
    m_busy = true;
    m_abort = false;
    m_pending.clear();
    write(request.command);

    bool decided = false;
    for (int left = request.count; !decided; --left) {
        GsmReply::appendCapped(&result.reply, m_pending);
        m_pending.clear();
        ++result.reads;

        if (request.test) {
            const Verdict v = request.test(result.reply);
            if (v == Verdict::Done) {
                result.matched = true;
                result.outcome = Outcome::Matched;
                decided = true;
            } else if (v == Verdict::KeepReading) {
                result.matched = true;
            }
        }
        if (!decided && request.errorEnds
            && GsmReply::finalResult(result.reply, &result.errorLine) == GsmReply::Final::Error) {
            result.outcome = Outcome::Error;
            decided = true;
        } else if (!decided) {
            result.errorLine.clear();
        }
        if (decided)
            break;

        m_wait(request.stepMs);
        if (m_abort) {
            result.outcome = Outcome::Aborted;
            break;
        }
        if (!portOpen()) {
            result.outcome = Outcome::PortClosed;
            break;
        }
        if (left == 0) {
            result.outcome = result.matched ? Outcome::Matched : Outcome::TimedOut;
            break;
        }
    }

    m_busy = false;
    m_abort = false;
    // Input that came after the last read belongs to nobody yet.
    QByteArray rest = GsmReply::unconsumed(result.reply, request.ownPrefixes, request.ownsUntilFinal, request.endPrefixes);
    GsmReply::appendCapped(&rest, m_pending);
    m_pending.clear();
    if (!rest.isEmpty() && m_forward)
        m_forward(rest);
    return result;
}
