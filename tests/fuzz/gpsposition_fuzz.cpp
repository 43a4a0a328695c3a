// Fuzzes what the GPS page reads from remote clients and track files:
// client bytes cut into messages at CR LF (in chunks set by the first input
// byte), each message read as a position. Checks: buffers stay capped,
// messages hold no CR LF, and only finite positions in range come out,
// with number texts that read the same, formatted back into a line that
// reads the same.
// fuzz-sources: devices/gps/gpstrack.cpp terminal/cappedlinereader.cpp
// fuzz-qt: Qt6Core

#include "gps/gpstrack.h"

#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t chunk = 1 + data[0] % 61;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    GpsTrack::LineBuffer buffer;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(chunk)) {
        for (const QByteArray &m : buffer.feed(bytes.mid(at, qsizetype(chunk)))) {
            if (m.contains("\r\n"))
                abort();
            double lat = 0, lon = 0;
            QString latText, lonText;
            if (!GpsTrack::parseLine(QString::fromLatin1(m), &lat, &lon, &latText, &lonText))
                continue;
            if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 90 || std::fabs(lon) > 180)
                abort();
            // The texts shown are the numbers read.
            double shownLat = 0, shownLon = 0;
            if (!GpsTrack::parsePosition(latText, lonText, &shownLat, &shownLon) || shownLat != lat
                || shownLon != lon)
                abort();
            const QByteArray line = GpsTrack::line(GpsTrack::coordinateText(lat), GpsTrack::coordinateText(lon));
            double lat2 = 0, lon2 = 0;
            if (!GpsTrack::parseLine(QString::fromLatin1(line), &lat2, &lon2) || std::fabs(lat2 - lat) > 1e-7
                || std::fabs(lon2 - lon) > 1e-7)
                abort();
        }
        if (buffer.pending() > GpsTrack::LineBuffer::kMaxBuffer)
            abort();
    }
    return 0;
}
