// Fuzzes the GPS page's NMEA framer and decoder with arbitrary receiver
// bytes, cut into chunks by the first input byte, checking their promises:
// the buffer stays capped, the chunks give the sentences the whole input
// gives, every sentence handed on is whole and checked, the field readers
// stay inside the sentence, only a valid position is announced.
// fuzz-sources: devices/gps/nmea.cpp terminal/cappedlinereader.cpp
// fuzz-qt: Qt6Core

#include "gps/nmea.h"

#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t chunk = 1 + data[0] % 97;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    NmeaFramer whole;
    const QList<QByteArray> expected = whole.feed(bytes);
    QList<QByteArray> got;
    NmeaFramer framer;
    NmeaDecoder decoder;
    for (qsizetype at = 0; at < bytes.size(); at += qsizetype(chunk)) {
        // A copy holding exactly the chunk, so ASan sees reads past it.
        const QByteArray piece = bytes.mid(at, qsizetype(chunk));
        const QList<QByteArray> sentences = framer.feed(piece);
        got += sentences;
        for (const QByteArray &s : sentences) {
            if (!s.startsWith('$') || !s.endsWith('\n') || !NmeaFramer::checksumOk(s))
                abort();
            QList<NmeaDecoder::Update> updates;
            decoder.decode(s, &updates);
            for (int n = 0; n < 20; ++n) {
                const QByteArray f = NmeaField::text(s, n);
                if (f.size() > NmeaField::kMaxField || f.contains(',') || f.contains('*'))
                    abort();
                bool ok = false;
                const double v = NmeaField::number(s, n, &ok);
                if (!std::isfinite(v) || (!ok && v != 0))
                    abort();
            }
            const GpsPosition &p = decoder.position();
            if (p.valid && (std::fabs(p.latitude) > 90 || std::fabs(p.longitude) > 180))
                abort();
            // Only a position is announced.
            if (decoder.takePositionUpdate() && !p.valid)
                abort();
        }
        if (framer.buffer().size() > NmeaFramer::kMaxBuffer)
            abort();
    }
    if (got != expected || framer.buffer() != whole.buffer())
        abort();
    return 0;
}
