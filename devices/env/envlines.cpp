#include "envlines.h"

#include "devicenumber.h"

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

// Locale-independent: '.' is the decimal point whatever the desktop says.
double convert(const QByteArray &text, bool integer)
{
    bool ok = false;
    if (integer) {
        const int v = text.toInt(&ok, 10);
        return ok ? v : 0;
    }
    const double v = DeviceNumber::plainDecimal(text, &ok);
    return ok ? v : 0;
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
    QList<Value> values;
    for (const QByteArray &line : m_lines.feed(chunk))
        values += parseLine(line);
    return values;
}

} // namespace EnvLines
