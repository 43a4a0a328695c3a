#pragma once
// Numbers in the text a device sends: plain decimal notation only, read
// with '.' as the decimal point whatever the desktop's locale. Needs no
// widget.

#include <QByteArrayView>
#include <QStringView>

namespace DeviceNumber {

// An optional sign, then digits with at most one '.' among them (at least
// one digit), with ASCII blanks around allowed. Anything else fails: group
// separators ("0,312"), exponents, "inf", "nan", hexadecimal, and values
// beyond the range of a double. A failure returns 0 with *ok false.
double plainDecimal(QByteArrayView text, bool *ok = nullptr);
double plainDecimal(QStringView text, bool *ok = nullptr);

} // namespace DeviceNumber
