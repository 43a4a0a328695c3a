// Decodes arbitrary bytes as a UTF-8 stream cut into chunks at places the
// input chooses, and checks that the text equals decoding the same bytes
// whole, that valid UTF-8 decodes exactly as Qt decodes it, and that every
// other byte becomes one replacement character at most.
// fuzz-sources: terminal/rxformat.cpp
// fuzz-qt: Qt6Core

#include "rxformat.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // First two bytes: the seed of the chunk sizes; the rest is the stream.
    unsigned seed = data[0] | (unsigned(data[1]) << 8);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));

    RxFormat::Utf8StreamDecoder whole;
    const QString expected = whole.decode(bytes) + whole.finish();

    RxFormat::Utf8StreamDecoder chunked;
    QString got;
    qsizetype at = 0;
    while (at < bytes.size()) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype n = qMin<qsizetype>(bytes.size() - at, 1 + (seed >> 16) % 7);
        got += chunked.decode(bytes.constData() + at, n);
        if (chunked.pendingBytes() > 3)
            std::abort();
        at += n;
    }
    got += chunked.finish();
    if (got != expected)
        std::abort();
    if (expected.size() > bytes.size())
        std::abort();

    // Valid input: exactly what Qt makes of it, nothing replaced.
    if (!expected.contains(QChar(0xFFFD)) && !bytes.contains("\xEF\xBF\xBD")) {
        if (expected != QString::fromUtf8(bytes))
            std::abort();
    }
    // Round trip: the decoded text, encoded again, gives back the input
    // wherever nothing was replaced.
    if (!expected.contains(QChar(0xFFFD)) && expected.toUtf8() != bytes)
        std::abort();
    return 0;
}
