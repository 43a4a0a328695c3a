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

    // The receive display's cutting, in both views, over chunks cut where
    // the input says: the display lines joined (the cut marks removed) give
    // back what was received, and every line keeps to its length.
    const QChar mark(RxFormat::kCutMark);
    const auto joined = [](const QString &s) { return RxFormat::withoutCutMarks(s); };
    const qsizetype first = size > 1 ? data[1] % (bytes.size() + 1) : 0;
    const qsizetype second = first + (size > 2 ? data[2] % (bytes.size() - first + 1) : 0);
    const QByteArray parts[] = {bytes.left(first), bytes.mid(first, second - first), bytes.mid(second)};

    // Text view: decoded chunk by chunk, cut with marks.
    RxFormat::Utf8StreamDecoder decoder;
    QString received;
    QString shown;
    int textColumn = 0;
    for (const QByteArray &part : parts) {
        const QString t = decoder.decode(part);
        received += t;
        shown += RxFormat::cutLongRuns(t, &textColumn, maxLine, mark);
    }
    if (joined(shown) != received)
        std::abort();
    // A decoder never makes a mark (its unit may only end a surrogate
    // pair), so each mark is a cut.
    for (qsizetype i = 0; i < received.size(); ++i) {
        if (RxFormat::isCutMark(received, i))
            std::abort();
    }
    run = 0;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown.at(i);
        const bool cut = RxFormat::isCutMark(shown, i);
        if (cut || c == QLatin1Char('\n'))
            run = 0;
        else if (++run > maxLine + 1)
            std::abort();
        // A cut never separates a surrogate pair.
        if (cut && i + 1 < shown.size() && shown.at(i + 1).isLowSurrogate())
            std::abort();
    }

    // Hex views (both formats, with and without a line feed after 0x0A):
    // cuts between tokens only, lines of at most maxLine characters (or
    // one token), the column carried as columnAfter says.
    const int hexLine = 1 + (size > 3 ? data[3] % 128 : 0);
    static const RxFormat::HexFormatter formatters[] = {
        RxFormat::HexFormatter(QStringLiteral("0x%1,"), false, true),
        RxFormat::HexFormatter(QStringLiteral("0x%1, "), true, false),
    };
    for (const RxFormat::HexFormatter &f : formatters) {
        const int width = f.tokenWidth();
        int column = 0;
        QString cutHex;
        for (const QByteArray &part : parts) {
            const int before = column;
            cutHex += f.format(part, &column, hexLine, mark);
            if (!part.contains('\n') && column != f.columnAfter(before, part.size(), hexLine))
                std::abort();
        }
        if (joined(cutHex) != f.format(bytes))
            std::abort();
        qsizetype lineStart = 0;
        for (qsizetype i = 0; i <= cutHex.size(); ++i) {
            if (i < cutHex.size() && cutHex.at(i) != mark && cutHex.at(i) != QLatin1Char('\n'))
                continue;
            const qsizetype length = i - lineStart;
            // Whole tokens only (after a line feed too), within the limit.
            if (length % width != 0 || (length > hexLine && length != width))
                std::abort();
            lineStart = i + 1;
        }
    }
    return 0;
}
