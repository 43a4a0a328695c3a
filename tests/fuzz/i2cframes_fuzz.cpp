// I2C bridge frames: whatever the input and however it is cut, every frame
// returned stands in the input as a whole frame with a correct checksum,
// and what is kept stays within the largest frame. (Chunking may change
// which frames come out: an unfinished frame gives way to a complete one
// that starts inside it.)
// fuzz-sources: devices/i2c/i2cframes.cpp
#include "devices/i2c/i2cframes.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int step = 1 + data[0] % 13;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
    for (int cut : {int(input.size()) + 1, step}) {
        I2cFrames::Parser parser;
        for (int at = 0; at < input.size(); at += cut) {
            for (const I2cFrames::Frame &f : parser.feed(input.mid(at, cut))) {
                if (!input.contains(I2cFrames::frame(f.command, f.payload)))
                    abort();
            }
            if (parser.buffered().size() > I2cFrames::kMaxFrame)
                abort();
        }
    }
    return 0;
}
