// Decodes arbitrary bytes as a UTF-8 and as a GBK stream cut into chunks at
// places the input chooses, and checks that the text equals decoding the
// same bytes whole, that valid UTF-8 decodes exactly as Qt decodes it, that
// GBK decodes as the system's GBK converter decodes the whole stream, and that
// every other byte becomes one replacement character at most. A peer
// decoder fed the same chunks shows the same text too.
// fuzz-sources: terminal/rxformat.cpp terminal/peerdecoder.cpp
// fuzz-qt: Qt6Core

#include "peerdecoder.h"
#include "rxformat.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Chunk sizes from a seed, 1 to 7 bytes.
QList<qsizetype> chunking(unsigned seed, qsizetype total)
{
    QList<qsizetype> sizes;
    qsizetype at = 0;
    while (at < total) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype n = qMin<qsizetype>(total - at, 1 + (seed >> 16) % 7);
        sizes << n;
        at += n;
    }
    return sizes;
}

template <typename Decoder>
QString decodeChunked(const QByteArray &bytes, const QList<qsizetype> &sizes, int maxHeld)
{
    Decoder chunked;
    QString got;
    qsizetype at = 0;
    for (qsizetype n : sizes) {
        got += chunked.decode(bytes.constData() + at, n);
        if (chunked.pendingBytes() > maxHeld)
            std::abort();
        at += n;
    }
    return got + chunked.finish();
}

QString peerChunked(const QByteArray &bytes, const QList<qsizetype> &sizes, bool stamped)
{
    PeerDecoder peers("GBK", "UTF-8");
    QString got;
    qsizetype at = 0;
    for (qsizetype n : sizes) {
        got += peers.decode(1, bytes.mid(at, n), stamped);
        // Another peer's bytes between the chunks change nothing.
        peers.decode(2, QByteArray("\xd6\xe4", 2), stamped);
        at += n;
    }
    return got + peers.finish(1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // First two bytes: the seed of the chunk sizes; the rest is the stream.
    const unsigned seed = data[0] | (unsigned(data[1]) << 8);
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    const QList<qsizetype> sizes = chunking(seed, bytes.size());

    // UTF-8.
    RxFormat::Utf8StreamDecoder whole;
    QString expected = whole.decode(bytes);
    expected += whole.finish();
    if (decodeChunked<RxFormat::Utf8StreamDecoder>(bytes, sizes, 3) != expected)
        std::abort();
    if (peerChunked(bytes, sizes, true) != expected)
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

    // GBK.
    RxFormat::GbkStreamDecoder gbkWhole;
    const QString gbkBody = gbkWhole.decode(bytes);
    const QString gbkExpected = gbkBody + gbkWhole.finish();
    if (decodeChunked<RxFormat::GbkStreamDecoder>(bytes, sizes, 1) != gbkExpected)
        std::abort();
    if (peerChunked(bytes, sizes, false) != gbkExpected)
        std::abort();
    if (gbkExpected.size() > bytes.size())
        std::abort();
    // The system's converter leaves out a lead byte at the very end (that
    // is what finish() adds); everything before it is the same.
    QStringDecoder system("GBK", QStringDecoder::Flag::Stateless);
    if (system.isValid() && system.decode(bytes) != gbkBody)
        std::abort();
    return 0;
}
