#include "imulines.h"

#include "devicenumber.h"

#include <QQuaternion>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace ImuLines {

std::optional<Quaternion> parse(const QByteArray &text)
{
    static const QRegularExpression re(QStringLiteral(
        "W:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*X:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*Y:\\s*(-?\\d+\\.?\\d*)\\s*,\\s*Z:\\s*(-?\\d+\\.?\\d*)"));
    const QString simplified = QString::fromUtf8(text).simplified();
    const QRegularExpressionMatch m = re.match(simplified);
    if (!m.hasMatch())
        return std::nullopt;
    double v[4];
    bool converted = true;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = DeviceNumber::plainDecimal(QStringView(m.capturedView(i + 1)), &ok);
        if (!ok || std::fabs(v[i]) > double(std::numeric_limits<float>::max())) {
            v[i] = 0;
            converted = false;
        }
    }
    return Quaternion{v[0], v[1], v[2], v[3], converted};
}

std::optional<Quaternion> normalised(const Quaternion &q)
{
    // Scaled by the largest component first: the squares neither overflow
    // nor vanish.
    const double scale = std::fmax(std::fmax(std::fabs(q.w), std::fabs(q.x)), std::fmax(std::fabs(q.y), std::fabs(q.z)));
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    const double w = q.w / scale, x = q.x / scale, y = q.y / scale, z = q.z / scale;
    const double length = std::sqrt(w * w + x * x + y * y + z * z);
    Quaternion unit{w / length, x / length, y / length, z / length, q.converted};
    if (!std::isfinite(unit.w) || !std::isfinite(unit.x) || !std::isfinite(unit.y) || !std::isfinite(unit.z))
        return std::nullopt;
    return unit;
}

Euler toEuler(const Quaternion &q)
{
    const std::optional<Quaternion> u = normalised(q);
    if (!u)
        return {0, 0, 0};
    const QVector3D e = QQuaternion(float(u->w), float(u->x), float(u->y), float(u->z)).toEulerAngles();
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
