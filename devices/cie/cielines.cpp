#include "cielines.h"

#include "devicenumber.h"

namespace CieLines {

Reading parseLine(const QString &line)
{
    QString text = line;
    text.remove(QStringLiteral("\r\n"));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(',')))
        text = text.left(text.size() - 1).trimmed();
    Reading r;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList pieces = part.split(QLatin1Char(':'), Qt::SkipEmptyParts);
        if (pieces.size() != 2)
            continue;
        const QString key = pieces[0].trimmed();
        bool ok = false;
        const double v = DeviceNumber::plainDecimal(pieces[1].trimmed(), &ok);
        if (key.compare(QLatin1String("CIEX"), Qt::CaseInsensitive) == 0)
            r.x = ok ? v : 0;
        else if (key.compare(QLatin1String("CIEY"), Qt::CaseInsensitive) == 0)
            r.y = ok ? v : -1;
        else if (key.compare(QLatin1String("LUX"), Qt::CaseInsensitive) == 0)
            r.lux = ok ? v : -0.0;
        else if (key.compare(QLatin1String("CCT"), Qt::CaseInsensitive) == 0)
            r.cct = ok ? v : -1;
    }
    return r;
}

QList<Reading> Parser::feed(const QByteArray &chunk)
{
    QList<Reading> readings;
    for (const QByteArray &line : m_lines.feed(chunk))
        readings.append(parseLine(QString::fromUtf8(line)));
    return readings;
}

} // namespace CieLines
