#include "cappedlinereader.h"

#include <cstring>

CappedLineReader::CappedLineReader(LineEnd end, qsizetype cap) : m_end(end), m_cap(cap > 0 ? cap : 1) {}

QList<QByteArray> CappedLineReader::feed(const QByteArray &chunk)
{
    QList<QByteArray> lines;
    if (chunk.isEmpty())
        return lines;
    m_buffer.append(chunk);
    const char *data = m_buffer.constData();
    const qsizetype size = m_buffer.size();
    qsizetype start = 0;       // of the line being cut
    qsizetype at = m_scanned;  // where the search for the next LF goes on
    while (at < size) {
        const void *hit = std::memchr(data + at, '\n', size_t(size - at));
        if (!hit)
            break;
        const qsizetype lf = static_cast<const char *>(hit) - data;
        at = lf + 1;
        qsizetype end = lf;
        if (m_end == LineEnd::CrLf) {
            if (lf == start || data[lf - 1] != '\r')
                continue; // a lone LF belongs to the line
            end = lf - 1;
        }
        lines.append(QByteArray(data + start, end - start));
        start = lf + 1;
    }
    // Only the unfinished tail stays, and of it the newest `m_cap` bytes.
    const qsizetype keepFrom = qMax(start, size - m_cap);
    if (keepFrom > 0) {
        m_buffer.remove(0, keepFrom);
        // A huge chunk must not leave its allocation behind.
        if (m_buffer.capacity() > 2 * qMax(m_cap, kDefaultCap))
            m_buffer.squeeze();
    }
    m_scanned = m_buffer.size();
    return lines;
}

void CappedLineReader::clear()
{
    m_buffer.clear();
    m_scanned = 0;
}
