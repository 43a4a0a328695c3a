#include "modbusvaluetext.h"

#include <QRegularExpression>
#include <QStringView>

namespace ModbusValueText {

namespace {

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// What \s matches without Unicode properties.
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0D);
}

// The pattern as a set of states run side by side.
bool accepts(QStringView text)
{
    enum : unsigned {
        Start = 1,     // nothing yet
        Zero = 2,      // "0" of a token
        Prefix = 4,    // "0x", a digit must follow
        Digits = 8,    // in a token's digits
        Separator = 16 // after blanks, or a comma and blanks
    };
    unsigned states = Start;
    for (QChar c : text) {
        unsigned next = 0;
        if ((states & (Start | Digits | Separator)) && c == QLatin1Char('0'))
            next |= Zero;
        if ((states & Zero) && c == QLatin1Char('x'))
            next |= Prefix;
        if ((states & (Prefix | Digits)) && isHexDigit(c))
            next |= Digits;
        if ((states & Digits) && (isBlank(c) || c == QLatin1Char(',')))
            next |= Separator;
        if ((states & Separator) && isBlank(c))
            next |= Separator;
        if (!next)
            return false;
        states = next;
    }
    return (states & (Start | Digits | Separator)) != 0;
}

} // namespace

bool isValid(const QString &text)
{
    if (accepts(text))
        return true;
    return text.endsWith(QLatin1Char('\n')) && accepts(QStringView(text).chopped(1));
}

QByteArray toBytes(const QByteArray &text)
{
    static const QRegularExpression token(QStringLiteral("0x([0-9A-Fa-f]+)"));
    QByteArray out;
    QRegularExpressionMatchIterator it = token.globalMatch(QString::fromLatin1(text));
    while (it.hasNext()) {
        const int value = it.next().captured(1).toInt(nullptr, 16);
        out.append(char(value & 0xFF));
    }
    return out;
}

} // namespace ModbusValueText
