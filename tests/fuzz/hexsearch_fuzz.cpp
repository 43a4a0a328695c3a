// The hex table model's pattern search and its lazy helpers on arbitrary
// patterns and buffers: no out-of-range access, and every way of walking
// the hits agrees.
// fuzz-sources: tools/hex/hextablemodel.cpp
// fuzz-qt: Qt6Core
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "hex/hextablemodel.h"
#include "hex/rowbitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t patternLength = qMin<size_t>(data[0] % 64, size - 1);
    const QString pattern = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(patternLength));
    const QByteArray buffer(reinterpret_cast<const char *>(data + 1 + patternLength),
                            qsizetype(size - 1 - patternLength));
    HexTableModel model(buffer);

    const QList<QModelIndex> hits = model.search(pattern, 0);
    QByteArray pat;
    const bool valid = HexTableModel::parsePattern(pattern, &pat);
    if (!valid && !hits.isEmpty())
        abort();

    qsizetype o = valid ? model.findNext(pat, 0) : -1;
    RowBitmap rows;
    if (valid)
        model.hitRows(pat, &rows);
    for (const QModelIndex &i : hits) {
        const qsizetype at = qsizetype(i.row()) * 16 + i.column() - 1;
        if (at != o || !model.matchesAt(pat, at) || !rows.test(i.row()))
            abort();
        if (model.firstHitInRow(pat, i.row(), at) != at)
            abort();
        o = model.findNext(pat, o + 1);
    }
    if (o != -1)
        abort();

    // Every cell of every row reads without trouble.
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < 34; ++c)
            (void)model.data(model.index(r, c));
    if (!buffer.isEmpty())
        model.setData(model.index(0, 1), pattern, Qt::EditRole);
    return 0;
}
