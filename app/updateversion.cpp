#include "updateversion.h"

namespace UpdateCheck {
namespace {
qint64 numberOrZero(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}
} // namespace

qint64 versionNumber(const QString &body)
{
    const int quote = body.indexOf(QLatin1Char('"'));
    QString part = quote >= 0 ? body.mid(quote + 1, 10) : body.left(10);
    part.remove(QStringLiteral("\"\n"));

    const int p1 = part.indexOf(QLatin1Char('.'));
    const int p2 = p1 >= 0 ? part.indexOf(QLatin1Char('.'), p1 + 1) : -1;
    QString major, minor, patch;
    if (p1 < 0) {
        major = part;
    } else {
        major = part.left(p1);
        if (p2 < 0) {
            minor = part.mid(p1 + 1);
        } else {
            minor = part.mid(p1 + 1, p2 - p1 - 1);
            patch = part.mid(p2 + 1, 3);
        }
    }
    return (numberOrZero(major) * 100 + numberOrZero(minor)) * 100 + numberOrZero(patch);
}

} // namespace UpdateCheck
