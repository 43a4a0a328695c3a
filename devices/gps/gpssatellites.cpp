#include "gpssatellites.h"

#include "nmea.h"

namespace GpsSatellites {

System systemOf(const QByteArray &s)
{
    if (s.contains("PGSV"))
        return Gps;
    if (s.contains("DGSV") || s.contains("BGSV"))
        return Beidou;
    if (s.contains("LGSV"))
        return Glonass;
    if (s.contains("QGSV"))
        return Qzss;
    if (s.contains("AGSV"))
        return Galileo;
    return None;
}

static int fieldCount(const QByteArray &s)
{
    int n = 1;
    for (char c : s) {
        if (c == '*' || c == '\r' || c == '\n')
            break;
        if (c == ',')
            ++n;
    }
    return n;
}

static int whole(const QByteArray &s, int field)
{
    const double v = NmeaField::number(s, field);
    return (v > -1e9 && v < 1e9) ? static_cast<int>(v) : 0;
}

GpsSatelliteRecord fromGsv(const QByteArray &s)
{
    GpsSatelliteRecord r;
    const System system = systemOf(s);
    const int fields = fieldCount(s);
    for (int i = 0; i < 4; ++i) {
        const int first = 4 + 4 * i;
        if (first + 3 >= fields)
            break; // not a whole block
        nmea_slmsg &e = r.entries[i];
        e.prn = whole(s, first);
        if (e.prn == 0)
            continue;
        e.elevation = whole(s, first + 1);
        e.azimuth = whole(s, first + 2);
        e.snr = whole(s, first + 3);
        e.system = system;
    }
    return r;
}

} // namespace GpsSatellites
