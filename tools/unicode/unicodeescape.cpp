#include "unicodeescape.h"

#include <QStringView>

namespace UnicodeEscape {

QString textToEscapes(const QString &text, bool withPrefix)
{
    QString result;
    result.reserve(text.size() * (withPrefix ? 6 : 4));
    for (const QChar unit : text) {
        if (withPrefix)
            result += QLatin1String("\\U");
        result += QString::number(unit.unicode(), 16).rightJustified(4, QLatin1Char('0')).toUpper();
    }
    return result;
}

QString escapesToText(const QString &escapes, bool withPrefix)
{
    QString digits = escapes;
    if (withPrefix) {
        digits.remove(QLatin1String("\\U"), Qt::CaseSensitive);
        digits.remove(QLatin1String("\\u"), Qt::CaseSensitive);
    }
    const qsizetype groups = digits.size() / 4;
    QString result;
    result.reserve(groups);
    const QStringView view(digits);
    for (qsizetype i = 0; i < groups; ++i) {
        bool ok = false;
        const uint value = view.mid(i * 4, 4).toUInt(&ok, 16);
        result += QChar(static_cast<char16_t>(ok ? value & 0xFFFF : 0));
    }
    return result;
}

} // namespace UnicodeEscape
