// Oscilloscope frames: any input, cut anywhere, gives the same frames as
// whole, every value finite, and the kept tail within its cap.
// fuzz-sources: devices/osc/oscframes.cpp
#include "devices/osc/oscframes.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int step = 1 + data[0] % 9;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
    OscFrames::Parser whole;
    const QList<OscFrames::Frame> expected = whole.feed(input);
    OscFrames::Parser chunked;
    QList<OscFrames::Frame> got;
    for (int at = 0; at < input.size(); at += step)
        got += chunked.feed(input.mid(at, step));
    if (got != expected || whole.buffered().size() > OscFrames::kMaxBuffered)
        abort();
    for (const OscFrames::Frame &f : got) {
        for (double v : f) {
            if (!std::isfinite(v))
                abort();
        }
    }
    return 0;
}
