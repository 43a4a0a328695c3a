// Spectral lines and time-of-flight frames: any input, cut anywhere, gives
// the same readings, log lines and frames as whole; buffers stay within
// their caps; every accepted frame has an allowed size and is put into
// display order for each model without leaving the 1536 zones.
// fuzz-sources: devices/spectra/spectralines.cpp devices/tof/tofframes.cpp terminal/cappedlinereader.cpp
#include "devices/spectra/spectralines.h"
#include "devices/tof/tofframes.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int step = 1 + data[0] % 13;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));

    SpectraLines::Decoder whole, chunked;
    SpectraLines::LogLines logWhole, logChunked;
    TofFrames::Cutter cutWhole, cutChunked;
    const QList<SpectraLines::Reading> readings = SpectraLines::parseLines(whole.feed(input));
    const QStringList logLines = logWhole.feed(input);
    const QList<QByteArray> frames = cutWhole.feed(input);
    QList<SpectraLines::Reading> gotReadings;
    QStringList gotLog;
    QList<QByteArray> gotFrames;
    for (int at = 0; at < input.size(); at += step) {
        const QByteArray piece = input.mid(at, step);
        gotReadings += SpectraLines::parseLines(chunked.feed(piece));
        gotLog += logChunked.feed(piece);
        gotFrames += cutChunked.feed(piece);
    }
    // Under the caps nothing is dropped, so cutting changes nothing.
    if (input.size() < SpectraLines::kMaxBuffered && gotReadings != readings)
        abort();
    if (input.size() < TofFrames::kMaxBuffered && gotFrames != frames)
        abort();
    if (gotLog != logLines)
        abort();
    if (chunked.buffered().size() > SpectraLines::kMaxBuffered || cutChunked.buffered().size() > TofFrames::kMaxBuffered
        || logChunked.buffered().size() > SpectraLines::kMaxLogLine)
        abort();
    for (const SpectraLines::Reading &r : readings) {
        if (r.index < 0 || r.index > 17)
            abort();
    }
    for (const QString &line : logLines) {
        if (line.isEmpty() || line != line.trimmed())
            abort();
    }

    QList<int> pixels(TofFrames::kZones, 0);
    for (const QByteArray &frame : frames) {
        QList<int> values;
        if (!TofFrames::parseFrame(frame, &values))
            continue;
        const int n = int(values.size());
        if (n != 16 && n != 64 && n != 256 && n != 1024 && n != 1536)
            abort();
        for (int model = -1; model <= 3; ++model) {
            TofFrames::arrange(model, values, pixels);
            if (pixels.size() != TofFrames::kZones)
                abort();
        }
    }
    return 0;
}
