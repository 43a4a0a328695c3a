#include "rxformat.h"

#include <QRegularExpression>
#include <QStringList>

namespace RxFormat {

HexFormatter::HexFormatter(const QString &format)
{
    for (int i = 0; i < 256; ++i) {
        m_tokens[i] = format.arg(i, 2, 16, QLatin1Char('0'));
        if (i == 0x0A)
            m_tokens[i] += QLatin1Char('\n');
    }
}

QString HexFormatter::format(const QByteArray &bytes) const
{
    QString out;
    out.reserve(bytes.size() * m_tokens[0].size() + 16);
    for (char c : bytes)
        out += m_tokens[uchar(c)];
    return out;
}

QString cutLongRuns(const QString &text, int *column, int maxLine)
{
    int col = *column;
    // Fast path: nothing to cut.
    bool needsCut = false;
    for (QChar ch : text) {
        if (ch == QLatin1Char('\n')) {
            col = 0;
        } else if (++col > maxLine) {
            needsCut = true;
            break;
        }
    }
    if (!needsCut) {
        *column = col;
        return text;
    }

    QString out;
    out.reserve(text.size() + text.size() / maxLine + 2);
    col = *column;
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\n')) {
            out += ch;
            col = 0;
            continue;
        }
        if (col >= maxLine && !ch.isLowSurrogate()) {
            out += QLatin1Char('\n');
            col = 0;
        }
        out += ch;
        ++col;
    }
    *column = col;
    return out;
}

QString stamp(const QTime &time)
{
    return time.toString(QStringLiteral("[hh:mm:ss.zzz]"));
}

qint64 cappedCount(qint64 current, qint64 added)
{
    if (current < 0)
        current = 0;
    if (added < 0)
        added = 0;
    if (current >= kCounterCap || added >= kCounterCap - current)
        return kCounterCap;
    return current + added;
}

bool parseHexSend(const QString &text, QByteArray *out)
{
    static const QRegularExpression separators(QStringLiteral("[, ]+"));
    static const QRegularExpression prefixed(QStringLiteral("^0x[0-9a-fA-F]+$"));
    static const QRegularExpression bare(QStringLiteral("^[0-9a-fA-F]+$"));

    out->clear();
    QString s = text.trimmed();
    s.replace(separators, QStringLiteral(" "));
    const QStringList pieces = s.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QByteArray bytes;
    bytes.reserve(pieces.size());
    for (QString piece : pieces) {
        const QRegularExpression &pattern = piece.startsWith(QLatin1String("0x")) ? prefixed : bare;
        if (!pattern.match(piece).hasMatch())
            return false;
        piece.remove(QStringLiteral("0x"));
        bool ok = false;
        const uint value = piece.toUInt(&ok, 16);
        if (!ok)
            return false;
        bytes.append(char(value & 0xFF));
    }
    *out = bytes;
    return true;
}

QByteArray textToCrlf(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace("\n", "\r\n");
    bytes.replace("\r\r\n", "\r\n");
    return bytes;
}

} // namespace RxFormat
