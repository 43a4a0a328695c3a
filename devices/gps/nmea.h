#pragma once
// NMEA 0183 sentences from a GPS receiver, without widgets: the framer that
// cuts a byte stream into checked sentences, the field readers, and the
// decoder that turns RMC, GGA, GSA, GSV and VTG sentences into the texts of
// the "GPS information" labels. Shared by the GPS page, the satellite worker
// and the remote-position server.

#include <QByteArray>
#include <QList>
#include <QString>

#include "cappedlinereader.h"

// Cuts received bytes into sentences "$...\r\n" whose checksum matches.
// A '$' always starts a new sentence: an unfinished sentence before it is
// dropped. Every sentence a chunk completes is taken; only what is not yet
// a whole sentence is kept for the next chunk, at most kMaxBuffer bytes
// (past it the oldest bytes go).
class NmeaFramer
{
public:
    static constexpr int kMaxBuffer = int(CappedLineReader::kDefaultCap);

    // Appends `bytes` and returns the complete sentences whose checksum
    // matched, in order, each with its line end.
    QList<QByteArray> feed(const QByteArray &bytes);
    void clear() { m_lines.clear(); }
    const QByteArray &buffer() const { return m_lines.buffered(); }

    // A sentence from '$' to its line feed: it has a '*', and the two
    // characters after the first '*' (hexadecimal, either case; 0 when they
    // are not two hex digits) equal the XOR of the bytes between '$' and '*'.
    static bool checksumOk(const QByteArray &sentence);

private:
    CappedLineReader m_lines{CappedLineReader::LineEnd::Lf, kMaxBuffer};
};

namespace NmeaField {

// Longest field the readers look at; longer fields are cut to this length.
constexpr int kMaxField = 98;

// Field n of a sentence: the text after the n-th comma up to the next ',',
// '*', line end or the end of the data (field 0 is the tag). Empty when the
// sentence has fewer fields.
QByteArray text(const QByteArray &sentence, int n);
// The field read as a number the way C's atof reads it (leading blanks, a
// sign, the longest numeric prefix) but always with '.' as the decimal
// point, whatever the locale. 0 for an empty, non-numeric or non-finite
// field. *ok (if given) tells whether a finite number was read.
double number(const QByteArray &sentence, int n, bool *ok = nullptr);
// First character of the field, or '\0' when it is empty.
char first(const QByteArray &sentence, int n);

// Locale-independent atof over [begin, end): see number().
double parseNumber(const char *begin, const char *end, bool *ok = nullptr);

} // namespace NmeaField

// "%g": general format with 6 significant digits.
QString nmeaNumberText(double value);

// The time of the last RMC sentence, as the receiver's record keeps it.
struct NmeaTime
{
    quint8 hour = 0;
    quint8 minute = 0;
    quint8 second = 0;
};

// A position in signed decimal degrees (south and west negative).
struct GpsPosition
{
    bool valid = false;
    double latitude = 0;
    double longitude = 0;
};

class NmeaDecoder
{
public:
    enum class Type { Other, RMC, GSV, GGA, GSA, VTG };
    enum class Label {
        Utc, FixState, Latitude, LatHemisphere, Longitude, LonHemisphere, Speed, Altitude,
        Pdop, Hdop, Vdop, SatellitesUsed, GpsInView, BeidouInView
    };
    struct Update
    {
        Label label;
        QString text;
    };

    // Sentence type by the substring the sentence contains, first match in
    // the order RMC, GSV, GGA, GSA, VTG; talkers are not told apart.
    static Type typeOf(const QByteArray &sentence);

    // Decodes one checked sentence; label changes are appended to *updates.
    // Returns the sentence's type.
    Type decode(const QByteArray &sentence, QList<Update> *updates);

    // True after an RMC sentence brought a valid position while the fix
    // state read "Yes"; cleared by takePositionUpdate() and by an RMC
    // sentence without a position.
    bool takePositionUpdate();

    // The fix state text ("Null" until a GGA sentence arrives).
    const QString &fixState() const { return m_fixState; }
    const NmeaTime &time() const { return m_time; }
    // The last position of an RMC sentence read while there was a fix,
    // signed by its hemisphere; not valid while either coordinate is missing.
    const GpsPosition &position() const { return m_position; }

    // "Yes" for GGA qualities 1 to 5 (GPS, DGPS, PPS, RTK fixed, RTK float).
    static bool qualityIsFix(double quality);
    // ddmm.mmmm (or dddmm.mmmm) to decimal degrees; false when the field is
    // not digits with at most one decimal point, has 60 minutes or more, or exceeds `maxDegrees`.
    static bool degreesFromNmea(const QByteArray &field, double maxDegrees, double *degrees);

private:
    void decodeRmc(const QByteArray &s, QList<Update> *u);
    void decodeGga(const QByteArray &s, QList<Update> *u);

    NmeaTime m_time;
    QString m_fixState = QStringLiteral("Null");
    char m_latHemisphere = 0;
    char m_lonHemisphere = 0;
    GpsPosition m_position;
    bool m_positionUpdated = false;
};
