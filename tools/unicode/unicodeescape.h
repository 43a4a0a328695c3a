#pragma once
// Text <-> runs of four-digit hex UTF-16 code units, optionally each marked
// "\U" (Qt Core only, so the conversions can be tested and fuzzed alone).

#include <QString>

namespace UnicodeEscape {

// One group of four upper-case hex digits per UTF-16 code unit, in order,
// each preceded by "\U" when withPrefix is set. Empty text gives "".
QString textToEscapes(const QString &text, bool withPrefix);

// With withPrefix set, every "\U" and then every "\u" is removed first.
// The rest is cut into groups of four characters; each group read as a
// base-16 number (0 when it is not one) gives one code unit (its low 16
// bits). A final group shorter than four characters is dropped. The whole
// input is converted, however long.
QString escapesToText(const QString &escapes, bool withPrefix);

} // namespace UnicodeEscape
