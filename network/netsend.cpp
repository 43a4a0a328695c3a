#include "netsend.h"

#include <QRegularExpression>
#include <QStringList>

namespace NetSend {

QByteArray fromLenientHex(const QString &text)
{
    QString s = text;
    const qsizetype nul = s.indexOf(QChar(0));
    if (nul >= 0)
        s.truncate(nul);
    QByteArray digits;
    digits.reserve(s.size());
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    const QStringList pieces = s.split(separators, Qt::SkipEmptyParts);
    for (QString piece : pieces) {
        if (piece.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            piece.remove(0, 2);
        digits += piece.toLatin1();
    }
    return QByteArray::fromHex(digits);
}

QByteArray prepare(const QString &text, bool asHex)
{
    if (text.isEmpty())
        return QByteArray();
    QString s = text;
    if (s.endsWith(QLatin1Char('\n')))
        s.insert(s.size() - 1, QLatin1Char('\r'));
    return asHex ? fromLenientHex(s) : s.toLocal8Bit();
}

QString addressText(const QHostAddress &address)
{
    bool isIPv4 = false;
    const quint32 v4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(v4).toString() : address.toString();
}

} // namespace NetSend
