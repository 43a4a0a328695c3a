#include "devicenumber.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>

namespace DeviceNumber {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
} // namespace

double plainDecimal(QByteArrayView text, bool *ok)
{
    if (ok)
        *ok = false;
    const char *begin = text.data();
    const char *end = begin + text.size();
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
    bool negative = false;
    if (begin < end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    int digits = 0, points = 0;
    for (const char *p = begin; p < end; ++p) {
        if (*p >= '0' && *p <= '9')
            ++digits;
        else if (*p == '.')
            ++points;
        else
            return 0;
    }
    if (digits == 0 || points > 1)
        return 0;
    double value = 0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return 0;
    if (ok)
        *ok = true;
    return negative ? -value : value;
}

double plainDecimal(QStringView text, bool *ok)
{
    QVarLengthArray<char, 64> latin;
    latin.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 0x7F) {
            if (ok)
                *ok = false;
            return 0;
        }
        latin.append(char(c.unicode()));
    }
    return plainDecimal(QByteArrayView(latin.constData(), latin.size()), ok);
}

} // namespace DeviceNumber
