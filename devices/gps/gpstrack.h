#pragma once
// The GPS page's track file and the text it sends to the map page, without
// widgets: track lines, their replay as map segments, the script calls with
// coordinates formatted by us, and the monotonic clock that spaces the saved
// positions.

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "cappedlinereader.h"

namespace GpsTrack {

// "GPS_Date.txt" beside the program.
QString path();
// Tests point the track file elsewhere (empty restores the default).
void setPathForTesting(const QString &path);

// A latitude in [-90, 90] and a longitude in [-180, 180], finite, read from
// text with '.' as the decimal point whatever the locale (surrounding blanks
// allowed, nothing else).
bool parseCoordinate(const QString &text, double maxAbs, double *value);
bool parsePosition(const QString &latitude, const QString &longitude, double *lat, double *lon);

// Signed decimal degrees with 7 decimals.
QString coordinateText(double degrees);

// "Latitude:<lat>,Longitude:<lon>\r\n"
QByteArray line(const QString &latitude, const QString &longitude);

// Reads one track line: the latitude is what follows the first "Latitude:"
// up to the ",Longitude:" after it, the longitude what follows the first
// "Longitude:" without line ends. False when the line has no "Latitude:" or
// its texts are not a position. The number texts as written (without
// surrounding blanks) go to *latText and *lonText when given.
bool parseLine(const QString &line, double *lat, double *lon, QString *latText = nullptr,
               QString *lonText = nullptr);

// Appends one line to the track file. False (with the reason) when the
// file cannot be opened or written.
bool append(const QString &latitude, const QString &longitude, QString *error);

// Replay of positions as segments: the first position starts the track,
// every later one draws a segment from the previous position, except a
// repeat of the previous position once a segment has been drawn.
class Replay
{
public:
    struct Segment
    {
        QString lat2, lon2, lat3, lon3; // texts as sent to the map
    };
    // True when the position draws a segment (given in *segment).
    bool add(double lat, double lon, Segment *segment);

private:
    int m_state = 0;
    QString m_prevLat, m_prevLon, m_curLat, m_curLon;
    bool m_pending = false;
    bool m_drawnOnce = false;
};

// One remote client's messages: its bytes cut at CR LF, in order. Every
// message a chunk completes is taken; at most kMaxBuffer bytes wait for
// their CR LF (past it the oldest go).
class LineBuffer
{
public:
    static constexpr int kMaxBuffer = int(CappedLineReader::kDefaultCap);
    QList<QByteArray> feed(const QByteArray &bytes) { return m_lines.feed(bytes); }
    int pending() const { return int(m_lines.buffered().size()); }

private:
    CappedLineReader m_lines;
};

// Milliseconds of a monotonic clock; tests may replace it.
qint64 nowMs();
void setClockForTesting(std::function<qint64()> clock);

} // namespace GpsTrack

namespace GpsMapScript {

// "name(<number>)" with the number formatted by us.
QString call(const char *name, double value);
// "name()"
QString call(const char *name);
// A JavaScript string literal (JSON-escaped, double quotes).
QString stringLiteral(const QString &text);

} // namespace GpsMapScript
