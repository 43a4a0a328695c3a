#include "rxformat.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstring>

namespace RxFormat {

HexFormatter::HexFormatter(const QString &format, bool upperCase, bool breakAfterLineFeed)
{
    for (int i = 0; i < 256; ++i) {
        const QString digits = QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0'));
        m_tokens[i] = format.arg(upperCase ? digits.toUpper() : digits);
        if (i == 0x0A && breakAfterLineFeed)
            m_tokens[i] += QLatin1Char('\n');
    }
}

QString HexFormatter::format(const QByteArray &bytes) const
{
    int longest = 0;
    for (const QString &token : m_tokens)
        longest = qMax(longest, int(token.size()));
    QString out;
    out.resize(bytes.size() * longest);
    QChar *at = out.data();
    for (char c : bytes) {
        const QString &token = m_tokens[uchar(c)];
        memcpy(static_cast<void *>(at), token.constData(), size_t(token.size()) * sizeof(QChar));
        at += token.size();
    }
    out.truncate(int(at - out.constData()));
    return out;
}

QString cutLongRuns(const QString &text, int *column, int maxLine)
{
    if (maxLine < 1)
        maxLine = 1;
    const int n = int(text.size());
    int col = *column;
    QString out;       // stays null while nothing has been cut
    int copied = 0;    // text before this index is in `out`
    int pos = 0;
    while (pos < n) {
        const int lineFeed = int(text.indexOf(QLatin1Char('\n'), pos));
        const int end = lineFeed < 0 ? n : lineFeed;
        // Break before the first character that finds the line full; a low
        // surrogate stays with its high half.
        for (;;) {
            int at = pos + qMax(0, maxLine - col);
            if (at >= end) {
                col += end - pos;
                break;
            }
            col += at - pos;
            while (at < end && text.at(at).isLowSurrogate()) {
                ++at;
                ++col;
            }
            if (at >= end)
                break;
            if (out.isNull())
                out.reserve(n + n / maxLine + 2);
            out.append(QStringView(text).mid(copied, at - copied));
            out.append(QLatin1Char('\n'));
            copied = at;
            col = 0;
            pos = at;
        }
        if (lineFeed < 0)
            break;
        col = 0;
        pos = lineFeed + 1;
    }
    *column = col;
    if (out.isNull())
        return text;
    out.append(QStringView(text).mid(copied));
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
    // Anchored at the very end: "$" alone would also accept a piece that
    // ends in a line break.
    static const QRegularExpression prefixed(QRegularExpression::anchoredPattern(QStringLiteral("0x[0-9a-fA-F]+")));
    static const QRegularExpression bare(QRegularExpression::anchoredPattern(QStringLiteral("[0-9a-fA-F]+")));

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
