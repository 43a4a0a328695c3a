#include "imulines.h"

#include "devicenumber.h"

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
    double v[4];
    bool converted = true;
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = DeviceNumber::plainDecimal(QStringView(m.capturedView(i + 1)), &ok);
        if (!ok) {
            v[i] = 0;
            converted = false;
        }
    }
    return Quaternion{v[0], v[1], v[2], v[3], converted};
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
