#include "nmea.h"

#include "hexdigit.h"

#include <charconv>
#include <cmath>
#include <limits>

// ---------------------------------------------------------------------------
// Framer

QList<QByteArray> NmeaFramer::feed(const QByteArray &bytes)
{
    QList<QByteArray> sentences;
    for (QByteArray line : m_lines.feed(bytes)) {
        // The newest '$' of a line starts its sentence: an unfinished one
        // before it is dropped, and so are bytes between sentences.
        const qsizetype start = line.lastIndexOf('$');
        if (start < 0)
            continue;
        line.remove(0, start);
        line.append('\n');
        if (checksumOk(line))
            sentences.append(line);
    }
    return sentences;
}

bool NmeaFramer::checksumOk(const QByteArray &sentence)
{
    const qsizetype star = sentence.indexOf('*');
    if (star < 0)
        return false;
    int expected = 0;
    if (star + 2 < sentence.size()) {
        const int hi = hexDigitValue(sentence.at(star + 1));
        const int lo = hexDigitValue(sentence.at(star + 2));
        if (hi >= 0 && lo >= 0)
            expected = hi * 16 + lo;
    }
    unsigned char sum = 0;
    const qsizetype from = sentence.startsWith('$') ? 1 : 0;
    for (qsizetype i = from; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence.at(i));
    return sum == expected;
}

// ---------------------------------------------------------------------------
// Fields

namespace NmeaField {

static bool endsField(char c)
{
    return c == ',' || c == '*' || c == '\r' || c == '\n';
}

QByteArray text(const QByteArray &sentence, int n)
{
    if (n < 0)
        return QByteArray();
    const char *p = sentence.constData();
    const qsizetype size = sentence.size();
    qsizetype i = 0;
    int field = 0;
    while (field < n) {
        while (i < size && !endsField(p[i]))
            ++i;
        if (i >= size || p[i] != ',')
            return QByteArray(); // the sentence has fewer fields
        ++i;
        ++field;
    }
    qsizetype j = i;
    while (j < size && !endsField(p[j]))
        ++j;
    return QByteArray(p + i, std::min<qsizetype>(j - i, kMaxField));
}

double parseNumber(const char *begin, const char *end, bool *ok)
{
    if (ok)
        *ok = false;
    while (begin < end && (*begin == ' ' || *begin == '\t' || *begin == '\n' || *begin == '\r'
                           || *begin == '\f' || *begin == '\v'))
        ++begin;
    bool negative = false;
    if (begin < end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    // A sign followed by another sign is not a number (from_chars would take "-5" after '+').
    if (begin < end && (*begin == '+' || *begin == '-'))
        return 0;
    double value = 0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    if (ok)
        *ok = true;
    return negative ? -value : value;
}

double number(const QByteArray &sentence, int n, bool *ok)
{
    const QByteArray f = text(sentence, n);
    return parseNumber(f.constData(), f.constData() + f.size(), ok);
}

char first(const QByteArray &sentence, int n)
{
    const QByteArray f = text(sentence, n);
    return f.isEmpty() ? '\0' : f.at(0);
}

} // namespace NmeaField

QString nmeaNumberText(double value)
{
    return QString::number(value, 'g', 6);
}

// ---------------------------------------------------------------------------
// Decoder

NmeaDecoder::Type NmeaDecoder::typeOf(const QByteArray &sentence)
{
    if (sentence.contains("RMC"))
        return Type::RMC;
    if (sentence.contains("GSV"))
        return Type::GSV;
    if (sentence.contains("GGA"))
        return Type::GGA;
    if (sentence.contains("GSA"))
        return Type::GSA;
    if (sentence.contains("VTG"))
        return Type::VTG;
    return Type::Other;
}

bool NmeaDecoder::qualityIsFix(double quality)
{
    const double q = std::trunc(quality);
    return q >= 1 && q <= 5;
}

bool NmeaDecoder::degreesFromNmea(const QByteArray &field, double maxDegrees, double *degrees)
{
    // Digits with at most one decimal point, nothing else.
    int points = 0;
    for (char c : field) {
        if (c == '.')
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    if (field.isEmpty() || points > 1 || field == ".")
        return false;
    bool ok = false;
    const double x = NmeaField::parseNumber(field.constData(), field.constData() + field.size(), &ok);
    if (!ok)
        return false;
    const double d = std::trunc(x / 100.0);
    const double minutes = x - d * 100.0;
    if (minutes >= 60.0)
        return false;
    const double value = minutes / 60.0 + d;
    if (value > maxDegrees)
        return false;
    *degrees = value;
    return true;
}

NmeaDecoder::Type NmeaDecoder::decode(const QByteArray &s, QList<Update> *u)
{
    const Type type = typeOf(s);
    switch (type) {
    case Type::RMC:
        decodeRmc(s, u);
        break;
    case Type::GSV: {
        const QString inView = nmeaNumberText(NmeaField::number(s, 3));
        if (s.contains("PGSV"))
            u->append({Label::GpsInView, inView});
        else if (s.contains("DGSV") || s.contains("BGSV"))
            u->append({Label::BeidouInView, inView});
        break;
    }
    case Type::GGA:
        decodeGga(s, u);
        break;
    case Type::GSA:
        u->append({Label::Pdop, nmeaNumberText(NmeaField::number(s, 15))});
        u->append({Label::Hdop, nmeaNumberText(NmeaField::number(s, 16))});
        u->append({Label::Vdop, nmeaNumberText(NmeaField::number(s, 17))});
        break;
    case Type::VTG:
        u->append({Label::Speed, nmeaNumberText(NmeaField::number(s, 7)) + QStringLiteral(" km/h")});
        break;
    case Type::Other:
        break;
    }
    return type;
}

void NmeaDecoder::decodeGga(const QByteArray &s, QList<Update> *u)
{
    m_fixState = qualityIsFix(NmeaField::number(s, 6)) ? QStringLiteral("Yes") : QStringLiteral("No");
    u->append({Label::FixState, m_fixState});
    u->append({Label::SatellitesUsed, nmeaNumberText(NmeaField::number(s, 7))});
    u->append({Label::Altitude, nmeaNumberText(NmeaField::number(s, 9)) + QStringLiteral(" m")});
}

void NmeaDecoder::decodeRmc(const QByteArray &s, QList<Update> *u)
{
    // hhmmss.sss read as a number and truncated; out-of-range values read as 0.
    const double t = NmeaField::number(s, 1);
    const qint64 n = (t > -1e15 && t < 1e15) ? static_cast<qint64>(t) : 0;
    m_time.hour = static_cast<quint8>(n / 10000);
    m_time.minute = static_cast<quint8>((n / 100) % 100);
    m_time.second = static_cast<quint8>(n % 100);
    u->append({Label::Utc, QStringLiteral("%1:%2:%3").arg(m_time.hour).arg(m_time.minute).arg(m_time.second)});

    const bool fix = m_fixState == QLatin1String("Yes");
    const auto coordinate = [&](int field, double maxDegrees, Label label, bool *have, double *value) {
        const QByteArray f = NmeaField::text(s, field);
        double degrees = 0;
        *have = degreesFromNmea(f, maxDegrees, &degrees);
        *value = *have ? degrees : 0;
        if (fix)
            u->append({label, *have ? QString::number(degrees, 'f', 7) : QString()});
    };
    const auto hemisphere = [&](int field, char a, char b, Label label, char *stored) {
        const char c = NmeaField::first(s, field);
        if (c == a || c == b) {
            *stored = c;
            u->append({label, QString(QLatin1Char(c))});
        }
    };

    bool haveLat = false, haveLon = false;
    double lat = 0, lon = 0;
    coordinate(3, 90.0, Label::Latitude, &haveLat, &lat);
    hemisphere(4, 'N', 'S', Label::LatHemisphere, &m_latHemisphere);
    coordinate(5, 180.0, Label::Longitude, &haveLon, &lon);
    hemisphere(6, 'E', 'W', Label::LonHemisphere, &m_lonHemisphere);

    if (fix) {
        m_position.valid = haveLat && haveLon;
        m_position.latitude = m_latHemisphere == 'S' ? -lat : lat;
        m_position.longitude = m_lonHemisphere == 'W' ? -lon : lon;
        if (!m_position.valid)
            m_position.latitude = m_position.longitude = 0;
        // Only a position is news: an RMC without one (a receiver that
        // has lost its position but still reports a fix) saves and maps
        // nothing, so it must not hold back the next position that comes.
        m_positionUpdated = m_position.valid;
    }
}

bool NmeaDecoder::takePositionUpdate()
{
    const bool was = m_positionUpdated;
    m_positionUpdated = false;
    return was;
}
