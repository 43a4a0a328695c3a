#pragma once
// The value of one hexadecimal digit, for the parsers that read hex by hand
// (checksums, PDU digits, typed byte patterns).

// '0'-'9', 'a'-'f', 'A'-'F' -> 0..15; anything else -> -1.
constexpr int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// A byte from a QByteArray: its unsigned value, so no byte passes for a digit.
constexpr int hexDigitValue(char c)
{
    return hexDigitValue(char16_t(static_cast<unsigned char>(c)));
}
