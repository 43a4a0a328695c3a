#include "gpstrack.h"

#include <QCoreApplication>
#include <QDir>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>

namespace GpsTrack {

namespace {
QString &pathOverride()
{
    static QString path;
    return path;
}
std::function<qint64()> &clockOverride()
{
    static std::function<qint64()> clock;
    return clock;
}
} // namespace

QString path()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("GPS_Date.txt"));
}

void setPathForTesting(const QString &path)
{
    pathOverride() = path;
}

bool parseCoordinate(const QString &text, double maxAbs, double *value)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty() || bytes.size() > 64 || text.trimmed().size() != bytes.size())
        return false;
    const char *begin = bytes.constData();
    const char *end = begin + bytes.size();
    bool negative = false;
    if (*begin == '+' || *begin == '-') {
        negative = *begin == '-';
        ++begin;
    }
    if (begin == end || !((*begin >= '0' && *begin <= '9') || *begin == '.'))
        return false; // no second sign, no "inf" or "nan"
    double v = 0;
    const auto r = std::from_chars(begin, end, v, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v) || v > maxAbs)
        return false;
    *value = negative ? -v : v;
    return true;
}

bool parsePosition(const QString &latitude, const QString &longitude, double *lat, double *lon)
{
    double a = 0, b = 0;
    if (!parseCoordinate(latitude, 90.0, &a) || !parseCoordinate(longitude, 180.0, &b))
        return false;
    *lat = a;
    *lon = b;
    return true;
}

QString coordinateText(double degrees)
{
    if (degrees == 0)
        degrees = 0; // no "-0.0000000"
    QString t = QString::number(degrees, 'f', 7);
    if (t == QLatin1String("-0.0000000"))
        t = QStringLiteral("0.0000000");
    return t;
}

QByteArray line(const QString &latitude, const QString &longitude)
{
    return QByteArrayLiteral("Latitude:") + latitude.toLatin1() + QByteArrayLiteral(",Longitude:")
           + longitude.toLatin1() + QByteArrayLiteral("\r\n");
}

bool parseLine(const QString &line, double *lat, double *lon, QString *latText, QString *lonText)
{
    static const QString kLat = QStringLiteral("Latitude:");
    static const QString kLonSep = QStringLiteral(",Longitude:");
    static const QString kLon = QStringLiteral("Longitude:");
    const int at = line.indexOf(kLat);
    if (at < 0)
        return false;
    const int from = at + kLat.size();
    const int sep = line.indexOf(kLonSep, from);
    const QString latitude = sep < 0 ? line.mid(from) : line.mid(from, sep - from);
    const int lonAt = line.indexOf(kLon);
    QString longitude = line.mid(lonAt + kLon.size());
    longitude.remove(QStringLiteral("\r\n"));
    longitude.remove(QLatin1Char('\n'));
    if (lonAt < 0 || sep < 0 || !parsePosition(latitude, longitude, lat, lon))
        return false;
    if (latText)
        *latText = latitude.trimmed();
    if (lonText)
        *lonText = longitude.trimmed();
    return true;
}

bool append(const QString &latitude, const QString &longitude, QString *error)
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray text = line(latitude, longitude);
    // Text mode on this platform writes the line as it is.
    if (file.write(text) != text.size() || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool Replay::add(double lat, double lon, Segment *segment)
{
    const QString la = coordinateText(lat);
    const QString lo = coordinateText(lon);
    if (m_state == 0) {
        m_prevLat = la;
        m_prevLon = lo;
        m_state = 1;
    } else if (m_state == 1) {
        m_curLat = la;
        m_curLon = lo;
        m_state = 2;
        m_pending = true;
    } else {
        m_prevLat = m_curLat;
        m_prevLon = m_curLon;
        m_curLat = la;
        m_curLon = lo;
        m_pending = true;
    }
    const bool unchanged = m_curLat == m_prevLat && m_curLon == m_prevLon && m_drawnOnce;
    if (!m_pending || unchanged)
        return false;
    m_pending = false;
    segment->lat2 = m_prevLat;
    segment->lon2 = m_prevLon;
    segment->lat3 = m_curLat;
    segment->lon3 = m_curLon;
    m_drawnOnce = true;
    return true;
}

qint64 nowMs()
{
    if (clockOverride())
        return clockOverride()();
    return QDeadlineTimer::current().deadline(); // monotonic clock, milliseconds
}

void setClockForTesting(std::function<qint64()> clock)
{
    clockOverride() = std::move(clock);
}

} // namespace GpsTrack

namespace GpsMapScript {

QString call(const char *name, double value)
{
    return QLatin1String(name) + QLatin1Char('(') + GpsTrack::coordinateText(value) + QLatin1Char(')');
}

QString call(const char *name)
{
    return QLatin1String(name) + QStringLiteral("()");
}

QString stringLiteral(const QString &text)
{
    // A one-element JSON array, brackets removed: the element is a valid
    // JavaScript string literal.
    QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    json = json.mid(1, json.size() - 2);
    QString s = QString::fromUtf8(json);
    s.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    s.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    return s;
}

} // namespace GpsMapScript
