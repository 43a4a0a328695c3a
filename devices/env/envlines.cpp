#include "envlines.h"

#include <cmath>

namespace EnvLines {

namespace {

struct Label {
    const char *label;
    const char *unit; // what ends the number before the CR LF
    bool integer;
    Reading reading;
};

const Label kLabels[] = {
    {"Humidity:", "%", false, Reading::Humidity},
    {"Temperature:", "C", false, Reading::Temperature},
    {"Barometer:", "Pa", true, Reading::Barometer},
    {"Ultraviolet:", "", true, Reading::Ultraviolet},
    {"CO2:", "ppm", true, Reading::Co2},
    {"TVOC:", "ppb", true, Reading::Tvoc},
};

// Locale-independent: QByteArray's conversions always read '.' as the
// decimal point.
double convert(const QByteArray &text, bool integer)
{
    bool ok = false;
    if (integer) {
        const int v = text.toInt(&ok, 10);
        return ok ? v : 0;
    }
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

} // namespace

QList<Value> parseLine(const QByteArray &line)
{
    QList<Value> values;
    for (const Label &l : kLabels) {
        const int at = line.indexOf(l.label);
        if (at < 0)
            continue;
        QByteArray rest = line.mid(at + int(qstrlen(l.label)));
        if (*l.unit) {
            const int end = rest.indexOf(l.unit);
            if (end >= 0)
                rest.truncate(end);
        }
        values.append({l.reading, convert(rest, l.integer)});
    }
    return values;
}

QList<Value> Parser::feed(const QByteArray &chunk)
{
    m_buffer += chunk;
    QList<Value> values;
    int start = 0;
    for (;;) {
        const int end = m_buffer.indexOf("\r\n", start);
        if (end < 0)
            break;
        values += parseLine(m_buffer.mid(start, end - start));
        start = end + 2;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > kMaxBuffered)
        m_buffer.remove(0, m_buffer.size() - kMaxBuffered);
    return values;
}

} // namespace EnvLines
