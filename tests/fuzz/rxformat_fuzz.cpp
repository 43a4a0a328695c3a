// Fuzzes the terminal pages' text helpers with arbitrary input: the send
// box's hex parser (user text) and the line cutting and hex text of
// received bytes (device data), checking their promises as it goes.
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
    if (size < 1)
        return 0;
    const int maxLine = 1 + data[0] % 64;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QString text = QString::fromUtf8(bytes);

    // Hex send: either nothing or at most one byte per piece of input.
    QByteArray out;
    if (RxFormat::parseHexSend(text, &out)) {
        if (out.size() > text.size())
            std::abort();
    } else if (!out.isEmpty()) {
        std::abort();
    }

    // Line cutting over two chunks: no display line longer than maxLine
    // (a surrogate pair may only be kept whole), and only line feeds added.
    int column = 0;
    const qsizetype half = text.size() / 2;
    const QString cut = RxFormat::cutLongRuns(text.left(half), &column, maxLine)
                        + RxFormat::cutLongRuns(text.mid(half), &column, maxLine);
    QString withoutAdded;
    qsizetype run = 0;
    for (qsizetype i = 0, j = 0; i < cut.size(); ++i) {
        if (cut.at(i) == QLatin1Char('\n')) {
            run = 0;
            if (j < text.size() && text.at(j) == QLatin1Char('\n'))
                ++j;
            else
                continue; // a line feed the cutting added
        } else {
            if (++run > maxLine + 1)
                std::abort();
            ++j;
        }
        withoutAdded += cut.at(i);
    }
    if (withoutAdded != text)
        std::abort();

    // Hex text: one token per byte, a line feed after every 0x0A token.
    static const RxFormat::HexFormatter hex;
    const QString h = hex.format(bytes);
    if (h.size() != bytes.size() * 5 + bytes.count('\n'))
        std::abort();
    return 0;
}
