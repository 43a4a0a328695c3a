#include "unicodeescape.h"

#include <QStringView>

namespace UnicodeEscape {

QString textToEscapes(const QString &text, bool withPrefix)
{
    // Written straight into the result: a conversion of megabytes is one
    // pass without a string per unit.
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString result(text.size() * (withPrefix ? 6 : 4), Qt::Uninitialized);
    QChar *out = result.data();
    for (const QChar unit : text) {
        if (withPrefix) {
            *out++ = u'\\';
            *out++ = u'U';
        }
        const char16_t value = unit.unicode();
        *out++ = kDigits[value >> 12];
        *out++ = kDigits[(value >> 8) & 0xF];
        *out++ = kDigits[(value >> 4) & 0xF];
        *out++ = kDigits[value & 0xF];
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
