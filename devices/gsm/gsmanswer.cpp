#include "gsmanswer.h"

namespace {

// An unfinished line longer than this cannot be a line of an answer; it is
// passed on as it comes (link data without line ends).
constexpr int kLongestAnswerLine = 4096;

bool startsWithAny(const QByteArray &line, const QList<QByteArray> &prefixes)
{
    for (const QByteArray &p : prefixes) {
        if (!p.isEmpty() && line.startsWith(p))
            return true;
    }
    return false;
}

} // namespace

GsmAnswer::GsmAnswer() : GsmAnswer(Shape()) {}

GsmAnswer::GsmAnswer(Shape shape) : m_shape(std::move(shape))
{
    m_echoMatching = !m_shape.dataEcho.isEmpty();
}

bool GsmAnswer::isResult(const QByteArray &line) const
{
    using Finals = Shape::Finals;
    if (line == "OK")
        return m_shape.finals == Finals::All;
    if (GsmReply::isErrorLine(line))
        return m_shape.finals != Finals::None;
    return startsWithAny(line, m_shape.results);
}

bool GsmAnswer::hasLineStarting(const QByteArray &prefix) const
{
    for (const QByteArray &l : m_lines) {
        if (l.startsWith(prefix))
            return true;
    }
    return false;
}

void GsmAnswer::addOwn(const QByteArray &line)
{
    // Both keep the latest lines within the buffer cap.
    m_lines.append(line);
    m_linesBytes += int(line.size()) + 2;
    while (m_lines.size() > 1 && m_linesBytes > GsmReply::kBufferCap) {
        m_linesBytes -= int(m_lines.first().size()) + 2;
        m_lines.removeFirst();
    }
    GsmReply::appendCapped(&m_text, line + "\r\n");
}

GsmAnswer::Kind GsmAnswer::takeLine(const QByteArray &raw)
{
    const QByteArray line = GsmReply::trimSpaces(raw);
    if (m_inMessage) {
        // The first line after the header is text whatever it reads; after
        // it, a final result closes the message.
        const bool final = m_messageLines > 0 && (line == "OK" || GsmReply::isErrorLine(line));
        if (!final) {
            ++m_messageLines;
            if (m_messageBytes + raw.size() <= GsmReply::kBufferCap) {
                m_message.append(raw);
                m_messageBytes += int(raw.size()) + 1;
            }
            addOwn(line);
            return Kind::Own;
        }
        m_inMessage = false;
    }
    if (line.isEmpty())
        return Kind::Ignored; // the framing of result codes
    if (!m_shape.echo.isEmpty() && line == m_shape.echo) {
        ++m_echoes;
    } else if (m_shape.prompt && line.startsWith('>') && !m_prompted) {
        m_prompted = true;
        addOwn(">");
        return Kind::Own;
    } else if (isResult(line)) {
        if (line == "OK" || GsmReply::isErrorLine(line)) {
            m_final = line == "OK" ? GsmReply::Final::Ok : GsmReply::Final::Error;
            m_finalLine = line;
        }
    } else if (startsWithAny(line, m_shape.ownPrefixes)) {
        // an information line
    } else if (!m_shape.messageHeader.isEmpty() && line.startsWith(m_shape.messageHeader) && m_header.isEmpty()) {
        m_header = line;
        m_inMessage = true;
    } else {
        return Kind::Other;
    }
    addOwn(line);
    return Kind::Own;
}

void GsmAnswer::feed(const QByteArray &bytes, const Sink &passOn, const EndTest &endsHere)
{
    QByteArray out;
    const auto flush = [&] {
        if (!out.isEmpty() && passOn)
            passOn(out);
        out.clear();
    };
    const auto askEnd = [&] {
        if (endsHere && endsHere())
            m_ended = true;
    };
    const int n = int(bytes.size());
    int i = 0;
    while (i < n && !m_ended) {
        const char c = bytes.at(i++);
        if (m_echoMatching) {
            if (c == m_shape.dataEcho.at(m_echoAt)) {
                if (++m_echoAt == m_shape.dataEcho.size()) {
                    m_echoMatching = false;
                    askEnd();
                }
                continue;
            }
            // Not (or no longer) the echo: from here on, ordinary input.
            m_echoMatching = false;
        }
        if (c == '\n' && m_afterCr) {
            // The LF of a CR LF that was split between two reads.
            m_afterCr = false;
            if (m_lastPassed) {
                out += c;
                flush();
            }
            continue;
        }
        m_afterCr = false;
        if (c != '\r' && c != '\n') {
            if (m_passingLine) {
                out += c;
            } else {
                m_line += c;
                if (m_line.size() > kLongestAnswerLine && !m_inMessage) {
                    out += m_line;
                    m_line.clear();
                    m_passingLine = true;
                } else if (m_line.size() > GsmReply::kBufferCap) {
                    m_line.remove(0, m_line.size() - GsmReply::kBufferCap);
                }
            }
            continue;
        }
        // A line end: CR LF, or CR or LF alone.
        QByteArray end(1, c);
        if (c == '\r') {
            if (i < n && bytes.at(i) == '\n')
                end += bytes.at(i++);
            else
                m_afterCr = i == n;
        }
        if (m_passingLine) {
            out += end;
            m_passingLine = false;
            m_lastPassed = true;
            flush();
            continue;
        }
        const QByteArray raw = m_line;
        m_line.clear();
        switch (takeLine(raw)) {
        case Kind::Ignored:
            m_lastPassed = false;
            break;
        case Kind::Other:
            // Each line reaches its reader on its own, as soon as it is
            // complete, before the answer's next line is looked at.
            out += raw;
            out += end;
            m_lastPassed = true;
            flush();
            break;
        case Kind::Own:
            m_lastPassed = false;
            askEnd();
            break;
        }
    }
    if (m_ended) {
        // What follows the end in the same read belongs to others, as it
        // stands; the LF of the last line's CR LF excepted.
        if (i < n) {
            if (m_afterCr && bytes.at(i) == '\n')
                ++i;
            m_afterCr = false;
            out += bytes.mid(i);
        }
        flush();
        return;
    }
    flush();
    if (m_shape.prompt && !m_prompted && GsmReply::trimSpaces(m_line).startsWith('>')) {
        m_prompted = true;
        m_line.clear();
        addOwn(">");
        askEnd();
    }
}

QByteArray GsmAnswer::takeUnfinished()
{
    QByteArray rest;
    if (!m_ended && !m_inMessage && !m_passingLine)
        rest = m_line;
    m_line.clear();
    m_passingLine = false;
    return rest;
}
