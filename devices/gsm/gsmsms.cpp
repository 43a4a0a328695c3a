#include "gsmsms.h"

#include "gsmanswer.h"
#include "gsmreply.h"
#include "hexdigit.h"
#include "portnumber.h"

#include <QList>

namespace GsmSms {

namespace {

// Comma-separated fields, commas inside double quotes kept; quotes removed.
QList<QByteArray> fields(const QByteArray &text)
{
    QList<QByteArray> out;
    QByteArray field;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            out.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    out.append(field);
    return out;
}

// UCS2 text (blanks around it aside) is decoded; anything else is shown as
// it stands.
QString decoded(const QByteArray &text)
{
    const QByteArray hex = text.trimmed();
    return looksLikeUcs2Hex(hex) ? UNicodetoQString(hex) : QString::fromUtf8(text);
}

} // namespace

QByteArray QStringtoUNicode(const QString &text)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(text.size() * 4);
    for (const QChar c : text) {
        const ushort u = c.unicode();
        out += digits[(u >> 12) & 0xf];
        out += digits[(u >> 8) & 0xf];
        out += digits[(u >> 4) & 0xf];
        out += digits[u & 0xf];
    }
    return out;
}

QString UNicodetoQString(const QByteArray &hex)
{
    QString out;
    out.reserve(hex.size() / 4);
    for (int i = 0; i + 4 <= hex.size(); i += 4) {
        int unit = 0;
        for (int k = 0; k < 4 && unit >= 0; ++k) {
            const int d = hexDigitValue(hex.at(i + k));
            unit = d < 0 ? -1 : unit * 16 + d;
        }
        out += QChar(ushort(unit < 0 ? 0 : unit));
    }
    return out;
}

bool looksLikeUcs2Hex(const QByteArray &text)
{
    if (text.isEmpty() || text.size() % 4 != 0)
        return false;
    for (const char c : text) {
        if (hexDigitValue(c) < 0)
            return false;
    }
    return true;
}

bool parseMessage(const QByteArray &header, const QList<QByteArray> &lines, Message *message)
{
    // The marker is immediately followed by the quoted status.
    if (!header.startsWith("+CMGR: \""))
        return false;
    const QList<QByteArray> f = fields(header.mid(7));
    const bool received = f.at(0).startsWith("REC");
    if ((!received && !f.at(0).startsWith("STO")) || f.size() < 2)
        return false;
    if (received && f.size() < 4)
        return false;

    // The text is every line between the header and the final result, as
    // it stands; the empty line before the result is framing.
    QList<QByteArray> text = lines;
    while (!text.isEmpty() && text.last().isEmpty())
        text.removeLast();

    message->sender = decoded(f.at(1).trimmed());
    message->time = received ? QString::fromUtf8(f.at(3).trimmed()) : QString();
    message->text = decoded(text.join('\n'));
    return true;
}

bool parseMessage(const QByteArray &reply, Message *message)
{
    GsmAnswer::Shape shape;
    shape.messageHeader = "+CMGR:";
    GsmAnswer answer(shape);
    answer.feed(reply, {}, {});
    if (!answer.messageComplete() || answer.final() != GsmReply::Final::Ok)
        return false;
    return parseMessage(answer.messageHeaderLine(), answer.messageLines(), message);
}

QString limitText(const QString &text, int *cursor)
{
    const int size = int(text.size());
    if (size <= kMaxUnits)
        return text;
    const int excess = size - kMaxUnits;
    int end = qBound(0, *cursor, size);
    int start = end - excess;
    if (start < 0) {
        start = kMaxUnits;
        end = size;
    }
    if (start > 0 && text.at(start).isLowSurrogate() && text.at(start - 1).isHighSurrogate())
        --start;
    if (end < size && end > 0 && text.at(end).isLowSurrogate() && text.at(end - 1).isHighSurrogate())
        ++end;
    *cursor = start;
    return text.left(start) + text.mid(end);
}

bool validIndex(const QString &index)
{
    if (index.isEmpty() || index.size() > 3)
        return false;
    for (const QChar c : index) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

bool validHost(const QString &host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    for (const QChar c : host) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')
                        || c == QLatin1Char('-');
        if (!ok)
            return false;
    }
    return true;
}

bool validPort(const QString &port)
{
    // Sent as typed: no blanks around it.
    quint16 value = 0;
    return port == port.trimmed() && PortNumber::parse(port, &value);
}

QByteArray linkData(const QByteArray &data)
{
    QByteArray out = data;
    out.replace('\x1a', QByteArray());
    out.replace('\x1b', QByteArray());
    if (out.endsWith('\n')) {
        out.chop(1);
        out += "\r\n";
    }
    return out;
}

} // namespace GsmSms
