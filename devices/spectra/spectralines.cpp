#include "spectralines.h"

#include <QHash>

namespace SpectraLines {

int channelIndex(const QString &name)
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t;
        for (int i = 1; i <= 18; ++i)
            t.insert(QStringLiteral("F%1").arg(i), i - 1);
        t.insert(QStringLiteral("NIR"), 8);
        t.insert(QStringLiteral("FXL"), 9);
        t.insert(QStringLiteral("FZ"), 10);
        t.insert(QStringLiteral("FY"), 11);
        return t;
    }();
    return table.value(name, -1);
}

quint8 typeCode(const QString &model)
{
    if (model == QLatin1String("AS7341"))
        return 0;
    if (model == QLatin1String("AS7343"))
        return 1;
    if (model == QLatin1String("AS7265X"))
        return 2;
    return 255;
}

QList<Reading> parseLines(const QString &text)
{
    QList<Reading> readings;
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        bool ok = false;
        const int value = parts.at(1).toInt(&ok, 10);
        if (!ok)
            continue;
        const int index = channelIndex(parts.at(0));
        if (index < 0)
            continue;
        readings.append({index, value});
    }
    return readings;
}

QString Decoder::feed(const QByteArray &chunk)
{
    QByteArray text;
    for (const QByteArray &line : m_lines.feed(chunk))
        text += line + "\r\n";
    return QString::fromUtf8(text);
}

namespace {
// Length of the longest prefix of `bytes` (at most `max`) that does not
// split a UTF-8 character.
int utf8Cut(const QByteArray &bytes, int max)
{
    int n = max;
    while (n > 0 && (uchar(bytes.at(n)) & 0xC0) == 0x80 && max - n < 3)
        --n;
    return n > 0 ? n : max;
}
} // namespace

QStringList LogLines::feed(const QByteArray &chunk)
{
    m_buffer += chunk;
    QStringList lines;
    int from = 0;
    for (;;) {
        const int lf = int(m_buffer.indexOf('\n', from));
        int take, skip;
        if (lf >= 0 && lf - from <= kMaxLogLine) {
            take = lf - from;
            skip = 1;
        } else if (m_buffer.size() - from > kMaxLogLine) {
            take = utf8Cut(m_buffer.mid(from, kMaxLogLine + 1), kMaxLogLine);
            skip = 0;
        } else {
            break;
        }
        const QString line = QString::fromUtf8(m_buffer.constData() + from, take).trimmed();
        if (!line.isEmpty())
            lines.append(line);
        from += take + skip;
    }
    m_buffer.remove(0, from);
    return lines;
}

} // namespace SpectraLines
