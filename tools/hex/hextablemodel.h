#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QModelIndex>

class RowBitmap;

// One binary file as a table of 16 bytes a row: the address, the 16 bytes in
// hex and the same 16 bytes as characters. Byte cells can be edited.
class HexTableModel : public QAbstractTableModel
{
public:
    static constexpr int BytesPerRow = 16;
    static constexpr int ColumnCount = 33;

    explicit HexTableModel(QByteArray data, QObject *parent = nullptr);
    ~HexTableModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The whole buffer (implicitly shared).
    QByteArray getData() const { return bytes; }
    qsizetype size() const { return bytes.size(); }

    // Every hit of a hex byte pattern ("41 42") from startRow on, as the byte
    // cell of its first byte, in ascending order of offset.
    QList<QModelIndex> search(const QString &pattern, int startRow) const;

    // Turns a pattern into bytes: blank-separated tokens of exactly two hex
    // digits, 1 to 16 of them. Anything else can never match; returns false.
    static bool parsePattern(const QString &pattern, QByteArray *out);

    // Whether the pattern starts at offset o without crossing a row end.
    bool matchesAt(const QByteArray &pat, qsizetype o) const;
    // First hit at or after `from`, or -1. A hit never spans a row end.
    qsizetype findNext(const QByteArray &pat, qsizetype from) const;
    // Marks every row holding at least one hit; memory is one bit a row.
    void hitRows(const QByteArray &pat, RowBitmap *rows) const;
    // First / last hit inside one row (optionally bounded), or -1.
    qsizetype firstHitInRow(const QByteArray &pat, qsizetype row, qsizetype fromOffset) const;
    qsizetype lastHitInRow(const QByteArray &pat, qsizetype row, qsizetype beforeOffset) const;

private:
    QByteArray bytes;
};
