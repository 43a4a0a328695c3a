#include "oscframes.h"

#include <cmath>

namespace OscFrames {

Frame parseFrame(const QByteArray &text)
{
    Frame values{0, 0, 0, 0};
    for (int k = 0; k < 4; ++k) {
        const QByteArray tag = "$" + QByteArray::number(k) + ":";
        const int at = text.indexOf(tag);
        if (at < 0)
            break;
        const int from = at + tag.size();
        const int end = text.indexOf(';', from);
        bool ok = false;
        // QByteArray reads '.' as the decimal point whatever the locale.
        const double v = text.mid(from, end < 0 ? -1 : end - from).toDouble(&ok);
        values[size_t(k)] = ok && std::isfinite(v) ? v : 0;
    }
    return values;
}

QList<Frame> Parser::feed(const QByteArray &chunk)
{
    m_buffer += chunk;
    QList<Frame> frames;
    int pos = 0;
    for (;;) {
        const int start = m_buffer.indexOf("$0:", pos);
        if (start < 0) {
            // Nothing starts a frame: keep at most a "$0" cut at the end.
            pos = qMax(pos, int(m_buffer.size()) - 2);
            break;
        }
        const int end = m_buffer.indexOf("\r\n", start);
        if (end < 0) {
            pos = start;
            break;
        }
        // A frame cut short by a newer "$0:" before the line end is dropped:
        // the newest start before the CR LF owns it.
        const int last = m_buffer.lastIndexOf("$0:", end - 3);
        frames.append(parseFrame(m_buffer.mid(last, end - last)));
        pos = end + 2;
    }
    m_buffer.remove(0, pos);
    if (m_buffer.size() > kMaxBuffered)
        m_buffer.remove(0, m_buffer.size() - kMaxBuffered);
    return frames;
}

} // namespace OscFrames
