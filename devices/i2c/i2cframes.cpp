#include "i2cframes.h"

namespace I2cFrames {

namespace {
quint8 sum(const char *p, int n)
{
    quint8 s = 0;
    for (int i = 0; i < n; ++i)
        s = quint8(s + quint8(p[i]));
    return s;
}
} // namespace

QByteArray frame(quint8 command, const QByteArray &payload)
{
    QByteArray f;
    f.reserve(payload.size() + 6);
    f.append('\x4B').append('\x56').append(char(command));
    f.append(char((payload.size() >> 8) & 0xFF)).append(char(payload.size() & 0xFF));
    f.append(payload);
    f.append(char(sum(payload.constData(), int(payload.size()))));
    return f;
}

QByteArray stopRequest() { return frame(Stop, QByteArray(1, '\xFF')); }
QByteArray scanRequest() { return frame(Scan, QByteArray(1, '\xFF')); }
QByteArray startRequest() { return frame(Start, QByteArray(1, '\xFF')); }
QByteArray selectRequest(quint8 address) { return frame(Select, QByteArray(1, char(address))); }

QByteArray writeRequest(quint8 reg, const QByteArray &data)
{
    if (data.size() > kMaxWriteData)
        return QByteArray();
    return frame(Write, QByteArray(1, char(reg)) + data);
}

QByteArray readRequest(quint8 reg, quint8 count)
{
    QByteArray payload;
    payload.append(char(reg)).append(char(count));
    return frame(Read, payload);
}

void Parser::dropNoise()
{
    const int at = m_buffer.indexOf("KV");
    if (at > 0) {
        m_buffer.remove(0, at);
    } else if (at < 0) {
        const bool keepK = m_buffer.endsWith('\x4B');
        m_buffer.clear();
        if (keepK)
            m_buffer.append('\x4B');
    }
}

QList<Frame> Parser::feed(const QByteArray &chunk)
{
    m_buffer += chunk;
    QList<Frame> frames;
    dropNoise();
    int i = m_buffer.startsWith("KV") ? 0 : -1;
    while (i >= 0) {
        const int size = int(m_buffer.size());
        int n = -1;
        if (size >= i + 5) {
            n = (quint8(m_buffer[i + 3]) << 8) | quint8(m_buffer[i + 4]);
            if (size < i + 5 + n + 1)
                n = -1;
        }
        if (n < 0) {
            // Unfinished: it stays; a frame behind it may still be whole.
            i = m_buffer.indexOf("KV", i + 1);
            continue;
        }
        const char *payload = m_buffer.constData() + i + 5;
        if (sum(payload, n) == quint8(m_buffer[i + 5 + n]))
            frames.append({quint8(m_buffer[i + 2]), QByteArray(payload, n)});
        m_buffer.remove(0, i + n + 6);
        dropNoise();
        i = m_buffer.startsWith("KV") ? 0 : -1;
    }
    // What stays is one unfinished frame from position 0 (shorter than its
    // own length, so never more than kMaxFrame bytes), or a lone 0x4B.
    return frames;
}

} // namespace I2cFrames
