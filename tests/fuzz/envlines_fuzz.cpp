// Environment sensor lines: any input, cut anywhere, gives the same
// readings as whole, and the kept tail stays within its cap.
// fuzz-sources: devices/env/envlines.cpp devices/devicenumber.cpp terminal/cappedlinereader.cpp
#include "devices/env/envlines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int cut = data[0];
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
    EnvLines::Parser whole;
    const QList<EnvLines::Value> expected = whole.feed(input);
    EnvLines::Parser chunked;
    QList<EnvLines::Value> got;
    const int step = 1 + cut % 7;
    for (int at = 0; at < input.size(); at += step)
        got += chunked.feed(input.mid(at, step));
    if (got.size() != expected.size() || chunked.buffered() != whole.buffered())
        abort();
    for (int i = 0; i < got.size(); ++i) {
        if (got[i].reading != expected[i].reading || got[i].value != expected[i].value || !std::isfinite(got[i].value))
            abort();
    }
    if (whole.buffered().size() > EnvLines::kMaxBuffered)
        abort();
    return 0;
}
