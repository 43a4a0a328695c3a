#include "portnumber.h"

#include <QCoreApplication>

namespace PortNumber {

bool parse(const QString &text, quint16 *port)
{
    const QString s = text.trimmed();
    if (s.isEmpty() || s.size() > 5)
        return false;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const uint value = s.toUInt();
    if (value < 1 || value > 65535)
        return false;
    *port = quint16(value);
    return true;
}

QString notAPort(const QString &text)
{
    return QCoreApplication::translate("PortNumber", "Port \"%1\" is not a number from 1 to 65535!").arg(text);
}

} // namespace PortNumber
