#pragma once
// Reading the release number from the update check's version file.

#include <QString>

namespace UpdateCheck {

// The program's own release 3.4.2, counted as (major * 100 + minor) * 100 + patch.
constexpr qint64 kOwnVersion = 30402;

// The release number in a version file body, counted as above. The number
// stands after the first double quote (or at the start when there is none);
// only the ten characters there are looked at, and a part that is not a
// number counts as 0. Computed in 64 bits, so no body can overflow it.
qint64 versionNumber(const QString &body);

} // namespace UpdateCheck
