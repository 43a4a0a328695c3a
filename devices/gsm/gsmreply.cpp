#include "gsmreply.h"

#include "hexdigit.h"

namespace GsmReply {

QByteArray trimSpaces(const QByteArray &line)
{
    int start = 0;
    int end = int(line.size());
    while (start < end && line.at(start) == ' ')
        ++start;
    while (end > start && line.at(end - 1) == ' ')
        --end;
    return line.mid(start, end - start);
}

namespace {

// The text after `prefix` up to the end of its line (or of what has come).
bool valueAfter(const QByteArray &reply, const QByteArray &prefix, QByteArray *value)
{
    const int at = int(reply.indexOf(prefix));
    if (at < 0)
        return false;
    const int from = at + int(prefix.size());
    int end = from;
    while (end < reply.size() && reply.at(end) != '\r' && reply.at(end) != '\n')
        ++end;
    *value = reply.mid(from, end - from);
    return true;
}

// 1 when `value` holds `on`, else 0 when it holds `off`, else -1.
int onOff(const QByteArray &value, char on, char off)
{
    if (value.contains(on))
        return 1;
    if (value.contains(off))
        return 0;
    return -1;
}

} // namespace

void appendCapped(QByteArray *buffer, const QByteArray &data)
{
    if (data.contains('\0')) {
        QByteArray clean = data;
        clean.replace('\0', QByteArray());
        buffer->append(clean);
    } else {
        buffer->append(data);
    }
    if (buffer->size() > kBufferCap)
        buffer->remove(0, buffer->size() - kBufferCap);
}

QList<QByteArray> completeLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != '\r' && text.at(i) != '\n')
            continue;
        const QByteArray line = trimSpaces(text.mid(start, i - start));
        if (!line.isEmpty())
            lines.append(line);
        start = i + 1;
    }
    return lines;
}

int lastLineEnd(const QByteArray &text)
{
    return int(qMax(text.lastIndexOf('\r'), text.lastIndexOf('\n')));
}

bool isErrorLine(const QByteArray &line)
{
    return line == "ERROR" || line.startsWith("+CME ERROR:") || line.startsWith("+CMS ERROR:");
}

Final finalResult(const QByteArray &reply, QByteArray *line)
{
    for (const QByteArray &l : completeLines(reply)) {
        if (l == "OK" || isErrorLine(l)) {
            if (line)
                *line = l;
            return l == "OK" ? Final::Ok : Final::Error;
        }
    }
    return Final::None;
}

bool hasLine(const QByteArray &reply, const QByteArray &line)
{
    return completeLines(reply).contains(line);
}

bool hasLineStarting(const QByteArray &reply, const QByteArray &prefix)
{
    for (const QByteArray &l : completeLines(reply)) {
        if (l.startsWith(prefix))
            return true;
    }
    return false;
}

int clipSetting(const QByteArray &reply)
{
    QByteArray value;
    if (!valueAfter(reply, "+CLIP: ", &value))
        return -1;
    const int comma = int(value.indexOf(','));
    if (comma >= 0)
        value.truncate(comma);
    return onOff(value, '1', '0');
}

int ringToneSetting(const QByteArray &reply)
{
    QByteArray value;
    if (!valueAfter(reply, "+CALM: ", &value))
        return -1;
    // Mode 0 is the normal ring, 1 silent.
    return onOff(value, '0', '1');
}

int smsModeSetting(const QByteArray &reply)
{
    QByteArray value;
    if (!valueAfter(reply, "+CMGF: ", &value))
        return -1;
    return onOff(value, '1', '0');
}

bool signalValue(const QByteArray &reply, int *rssi)
{
    if (finalResult(reply) != Final::Ok)
        return false;
    for (const QByteArray &l : completeLines(reply)) {
        if (!l.startsWith("+CSQ:"))
            continue;
        const QByteArray digits = l.mid(5).trimmed().split(',').value(0).trimmed();
        if (digits.isEmpty() || digits.size() > 6)
            continue;
        bool ok = false;
        const int v = digits.toInt(&ok);
        if (!ok || v < 0)
            continue;
        *rssi = v;
        return true;
    }
    return false;
}

QString signalIcon(int rssi)
{
    if (rssi == 0)
        return QStringLiteral(":/images/sig25.png");
    if (rssi == 1)
        return QStringLiteral(":/images/sig50.png");
    if (rssi >= 2 && rssi <= 30)
        return QStringLiteral(":/images/sig75.png");
    if (rssi >= 31 && rssi <= 98)
        return QStringLiteral(":/images/sig100.png");
    if (rssi == 99)
        return QStringLiteral(":/images/sig0.png");
    return QString();
}

bool clipNumber(const QByteArray &buffer, QByteArray *number)
{
    const int quoted = int(buffer.indexOf("+CLIP: \""));
    if (quoted >= 0) {
        const int from = quoted + 8;
        const int close = int(buffer.indexOf('"', from));
        if (close >= 0) {
            *number = buffer.mid(from, close - from);
            return true;
        }
        return false;
    }
    // A caller line without a number (withheld): once it has ended.
    const int at = int(buffer.indexOf("+CLIP"));
    if (at >= 0 && buffer.indexOf('\n', at) >= 0) {
        number->clear();
        return true;
    }
    return false;
}

QString decodeUcs2Number(const QByteArray &number)
{
    const QString plain = QString::fromLatin1(number);
    if (number.isEmpty() || number.size() % 4 != 0)
        return plain;
    QString out;
    for (int i = 0; i < number.size(); i += 4) {
        int code = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = hexDigitValue(number.at(i + k));
            if (d < 0)
                return plain;
            code = code * 16 + d;
        }
        const bool allowed = (code >= '0' && code <= '9') || code == '*' || code == '#' || code == '+';
        if (!allowed)
            return plain;
        out += QChar(code);
    }
    return out;
}

bool newMessageIndex(const QByteArray &buffer, QByteArray *index)
{
    const int cmti = int(buffer.indexOf("+CMTI"));
    if (cmti < 0)
        return false;
    const int sm = int(buffer.indexOf("\"SM\",", cmti));
    if (sm < 0)
        return false;
    const int from = sm + 5;
    const int nl = int(buffer.indexOf('\n', from));
    if (nl < 0)
        return false;
    QByteArray digits;
    for (int i = from; i < nl; ++i) {
        const char c = buffer.at(i);
        if (c >= '0' && c <= '9')
            digits += c;
        else if (!digits.isEmpty() || (c != ' ' && c != '\r'))
            break;
    }
    *index = digits;
    return true;
}

} // namespace GsmReply
