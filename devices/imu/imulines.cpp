#include "imulines.h"

#include <QLocale>
#include <QQuaternion>
#include <QRegularExpression>

namespace ImuLines {

std::optional<Quaternion> parse(const QByteArray &text)
{
    static const QRegularExpression re(QStringLiteral(
        "W:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*X:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*Y:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*Z:\\s*(-?\\d+\\.?\\d*)"));
    const QString simplified = QString::fromUtf8(text).simplified();
    const QRegularExpressionMatch m = re.match(simplified);
    if (!m.hasMatch())
        return std::nullopt;
    const QLocale c = QLocale::c();
    bool ok[4] = {};
    Quaternion q{c.toDouble(m.captured(1), &ok[0]), c.toDouble(m.captured(2), &ok[1]),
                 c.toDouble(m.captured(3), &ok[2]), c.toDouble(m.captured(4), &ok[3]), false};
    q.converted = ok[0] && ok[1] && ok[2] && ok[3];
    if (!ok[0]) q.w = 0;
    if (!ok[1]) q.x = 0;
    if (!ok[2]) q.y = 0;
    if (!ok[3]) q.z = 0;
    return q;
}

Euler toEuler(const Quaternion &q)
{
    const QVector3D e = QQuaternion(float(q.w), float(q.x), float(q.y), float(q.z)).toEulerAngles();
    return {e.x(), e.y(), e.z()};
}

std::optional<Quaternion> Parser::feed(const QByteArray &chunk)
{
    const QList<QByteArray> lines = m_lines.feed(chunk);
    if (lines.isEmpty())
        return std::nullopt;
    // The lines this chunk completed, read as one text: the first attitude
    // among them counts.
    QByteArray text;
    for (const QByteArray &line : lines)
        text += line + "\r\n";
    return parse(text);
}

} // namespace ImuLines
