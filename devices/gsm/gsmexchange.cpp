#include "gsmexchange.h"

#include "eventwait.h"
#include "gsmreply.h"

namespace {

// Appends `data` to `buffer` as it stands (zero bytes too), dropping the
// oldest bytes beyond the cap.
void appendKept(QByteArray *buffer, const QByteArray &data)
{
    buffer->append(data);
    if (buffer->size() > GsmReply::kBufferCap)
        buffer->remove(0, buffer->size() - GsmReply::kBufferCap);
}

} // namespace

GsmExchange::GsmExchange(QObject *parent) : QObject(parent), m_wait(waitProcessingEvents) {}

void GsmExchange::setPort(QIODevice *port)
{
    m_port = port;
    stop();
}

void GsmExchange::forward(const QByteArray &data)
{
    if (!data.isEmpty() && m_forward)
        m_forward(data);
}

void GsmExchange::feed(const QByteArray &data)
{
    if (data.isEmpty())
        return;
    if (m_busy) {
        appendKept(&m_pending, data);
        return;
    }
    forward(data);
}

bool GsmExchange::write(const QByteArray &bytes)
{
    if (!portOpen())
        return false;
    return m_port->write(bytes) == bytes.size();
}

void GsmExchange::stop()
{
    ++m_generation;
    m_busy = false;
    m_pending.clear();
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
    const quint64 generation = m_generation;
    m_busy = true;
    m_pending.clear();

    GsmAnswer::Shape shape = request.shape;
    if (shape.echo.isEmpty() && request.command.startsWith("AT"))
        shape.echo = request.command.trimmed();
    GsmAnswer answer(shape);

    bool decided = false;
    bool atFinal = false;
    const auto ends = [&]() -> bool {
        if (request.test) {
            switch (request.test(answer)) {
            case Verdict::Done:
                result.matched = true;
                result.outcome = Outcome::Matched;
                decided = true;
                return true;
            case Verdict::DoneAtFinal:
                result.matched = true;
                atFinal = true;
                break;
            case Verdict::KeepReading:
                result.matched = true;
                break;
            case Verdict::Wait:
                break;
            }
        }
        if (atFinal && answer.final() != GsmReply::Final::None) {
            result.outcome = Outcome::Matched;
            decided = true;
            return true;
        }
        if (request.errorEnds && answer.final() == GsmReply::Final::Error) {
            result.outcome = Outcome::Error;
            decided = true;
            return true;
        }
        return false;
    };
    const auto passOn = [this](const QByteArray &bytes) { forward(bytes); };

    write(request.command);
    for (int left = request.count;; --left) {
        const QByteArray chunk = m_pending;
        m_pending.clear();
        ++result.reads;
        answer.feed(chunk, passOn, ends);
        if (generation != m_generation) {
            // A reader closed the port or the window while it ran.
            result.outcome = Outcome::Aborted;
            return result;
        }
        if (!answer.ended() && ends())
            answer.end();
        if (decided)
            break;

        m_wait(request.stepMs);
        if (generation != m_generation) {
            // Stopped, or the port went (and maybe another came) during the
            // wait: nothing here belongs to this exchange any more.
            result.outcome = Outcome::Aborted;
            return result;
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
    // Input that came after the last read: the rest of the answer is still
    // the command's; everything else goes on.
    const QByteArray late = m_pending;
    m_pending.clear();
    answer.feed(late, passOn, [] { return false; });
    forward(answer.takeUnfinished());

    result.reply = answer.text();
    result.echoes = answer.echoes();
    result.prompted = answer.prompted();
    if (answer.final() == GsmReply::Final::Error)
        result.errorLine = answer.finalLine();
    return result;
}
