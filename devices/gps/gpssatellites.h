#pragma once
// Satellites in view from GSV sentences, without widgets: one record of up
// to four satellites per sentence, as the satellite worker hands them to
// the "GPS Signal" dialog.

#include <QByteArray>
#include <QMetaType>

// One satellite. Numbers are kept whole (SBAS, QZSS and BeiDou report
// above 98; 256 stays 256).
struct nmea_slmsg
{
    int prn = 0;       // satellite number; 0 = empty entry
    int elevation = 0; // degrees above the horizon
    int azimuth = 0;   // degrees from north
    int snr = 0;       // signal-to-noise ratio, dB-Hz
    quint8 system = 0; // 0 none, 1 GPS, 2 BeiDou, 3 GLONASS, 4 Galileo, 5 QZSS
};

struct GpsSatelliteRecord
{
    nmea_slmsg entries[4];
};
Q_DECLARE_METATYPE(GpsSatelliteRecord)

namespace GpsSatellites {

enum System : quint8 { None = 0, Gps = 1, Beidou = 2, Glonass = 3, Galileo = 4, Qzss = 5 };

// System by the talker as sent: "PGSV" GPS, "DGSV" or "BGSV" BeiDou, "LGSV"
// GLONASS, "QGSV" QZSS, "AGSV" Galileo (the first found, in that order);
// None for others such as "$GNGSV".
System systemOf(const QByteArray &sentence);

// The sentence's satellite blocks (fields 4-7, 8-11, 12-15, 16-19), each
// number truncated toward zero. Only complete blocks of four fields count
// (a trailing NMEA 4.10 signal-ID field is not a satellite); an entry with
// number 0 or of an incomplete block is empty (all zero, system None).
GpsSatelliteRecord fromGsv(const QByteArray &sentence);

} // namespace GpsSatellites
