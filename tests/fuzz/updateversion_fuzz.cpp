// Fuzzes the reading of the release number from the update check's version
// file, which comes from a web server: any body gives a number within the
// bounds of three 32-bit parts, the same number every time, without a crash.
// fuzz-sources: app/updateversion.cpp
// fuzz-qt: Qt6Core

#include "updateversion.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString body = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qint64 v = UpdateCheck::versionNumber(body);
    const qint64 part = std::numeric_limits<int>::max();
    const qint64 bound = (part * 100 + part) * 100 + part;
    if (v > bound || v < -bound)
        std::abort();
    if (UpdateCheck::versionNumber(body) != v)
        std::abort();
    return 0;
}
