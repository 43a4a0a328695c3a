#include "hextablemodel.h"
#include "hexdigit.h"
#include "rowbitmap.h"

#include <cstring>

HexTableModel::HexTableModel(QByteArray data, QObject *parent) : QAbstractTableModel(parent), bytes(std::move(data))
{
}

HexTableModel::~HexTableModel() = default;

int HexTableModel::rowCount(const QModelIndex &) const
{
    return int((bytes.size() + BytesPerRow - 1) / BytesPerRow);
}

int HexTableModel::columnCount(const QModelIndex &) const { return ColumnCount; }

static QString hexByte(uchar b)
{
    static const char digits[] = "0123456789ABCDEF";
    const QChar text[2] = {QLatin1Char(digits[b >> 4]), QLatin1Char(digits[b & 0xF])};
    return QString(text, 2);
}

QVariant HexTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.model() || index.row() < 0 || index.column() < 0)
        return QVariant();
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        if (column == 0)
            return int(Qt::AlignLeft);
        if (column <= 32)
            return int(Qt::AlignCenter);
        return QVariant();
    }
    if (role != Qt::DisplayRole || column > 32)
        return QVariant();

    const qsizetype rowStart = qsizetype(index.row()) * BytesPerRow;
    if (column == 0)
        return QStringLiteral("%1").arg(rowStart, 8, 16, QLatin1Char('0')).toUpper();

    const qsizetype offset = rowStart + (column <= 16 ? column - 1 : column - 17);
    if (offset >= bytes.size())
        return QString(QLatin1String(""));
    const uchar b = uchar(bytes.at(offset));
    if (column <= 16)
        return hexByte(b);
    if (b >= 0x20 && b <= 0x7E)
        return QString(QLatin1Char(char(b)));
    return QStringLiteral(".");
}

bool HexTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const qsizetype offset = qsizetype(index.row()) * BytesPerRow + index.column() - 1;
    if (index.column() < 1 || index.column() > 16 || offset < 0 || offset >= bytes.size())
        return false;
    bool ok = false;
    const uint number = value.toString().toUInt(&ok, 16);
    if (!ok)
        return false;
    bytes[offset] = char(number & 0xFF);
    emit dataChanged(index, index, {Qt::DisplayRole});
    return true;
}

QVariant HexTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    if (section == 0)
        return QStringLiteral("Address");
    if (section >= 1 && section <= 16)
        return QString::number(section - 1, 16).toUpper();
    if (section >= 17 && section <= 32)
        return QString::number(section - 17, 16).toUpper();
    return QVariant();
}

Qt::ItemFlags HexTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() >= 1 && index.column() <= 16)
        f |= Qt::ItemIsEditable;
    return f;
}

// ---- searching ----

bool HexTableModel::parsePattern(const QString &pattern, QByteArray *out)
{
    out->clear();
    const QStringList tokens = pattern.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.isEmpty() || tokens.size() > BytesPerRow)
        return false;
    for (const QString &t : tokens) {
        const int hi = t.size() == 2 ? hexDigitValue(t.at(0).unicode()) : -1;
        const int lo = t.size() == 2 ? hexDigitValue(t.at(1).unicode()) : -1;
        if (hi < 0 || lo < 0) {
            out->clear();
            return false;
        }
        out->append(char(hi << 4 | lo));
    }
    return true;
}

bool HexTableModel::matchesAt(const QByteArray &pat, qsizetype o) const
{
    const qsizetype k = pat.size();
    if (k == 0 || o < 0 || (o % BytesPerRow) + k > BytesPerRow || o + k > bytes.size())
        return false;
    return std::memcmp(bytes.constData() + o, pat.constData(), size_t(k)) == 0;
}

qsizetype HexTableModel::findNext(const QByteArray &pat, qsizetype from) const
{
    const qsizetype k = pat.size();
    if (k == 0 || k > BytesPerRow)
        return -1;
    if (from < 0)
        from = 0;
    const char *base = bytes.constData();
    const qsizetype n = bytes.size();
    const char first = pat.at(0);
    qsizetype o = from;
    while (o + k <= n) {
        const void *hit = std::memchr(base + o, first, size_t(n - k + 1 - o));
        if (!hit)
            return -1;
        o = static_cast<const char *>(hit) - base;
        if (matchesAt(pat, o))
            return o;
        ++o;
    }
    return -1;
}

qsizetype HexTableModel::firstHitInRow(const QByteArray &pat, qsizetype row, qsizetype fromOffset) const
{
    const qsizetype start = qMax(row * BytesPerRow, fromOffset);
    const qsizetype end = row * BytesPerRow + BytesPerRow - pat.size(); // last start position in the row
    for (qsizetype o = start; o <= end && o < bytes.size(); ++o)
        if (matchesAt(pat, o))
            return o;
    return -1;
}

qsizetype HexTableModel::lastHitInRow(const QByteArray &pat, qsizetype row, qsizetype beforeOffset) const
{
    const qsizetype start = row * BytesPerRow;
    qsizetype o = qMin(start + BytesPerRow - pat.size(), beforeOffset - 1);
    for (; o >= start; --o)
        if (matchesAt(pat, o))
            return o;
    return -1;
}

void HexTableModel::hitRows(const QByteArray &pat, RowBitmap *rows) const
{
    rows->resize(rowCount());
    qsizetype o = findNext(pat, 0);
    while (o >= 0) {
        const qsizetype row = o / BytesPerRow;
        rows->set(row);
        // One hit is enough to mark a row: go on with the next one.
        o = findNext(pat, (row + 1) * BytesPerRow);
    }
}

QList<QModelIndex> HexTableModel::search(const QString &pattern, int startRow) const
{
    QList<QModelIndex> results;
    QByteArray pat;
    if (!parsePattern(pattern, &pat) || startRow >= rowCount())
        return results;
    startRow = qMax(startRow, 0); // rows before 0 hold no bytes
    for (qsizetype o = findNext(pat, qsizetype(startRow) * BytesPerRow); o >= 0; o = findNext(pat, o + 1))
        results.append(index(int(o / BytesPerRow), int(o % BytesPerRow) + 1));
    return results;
}
