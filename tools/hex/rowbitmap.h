#pragma once

#include <QtGlobal>
#include <vector>

// One bit per table row; used for the rows that differ and the rows that
// hold a search hit. Memory is rows / 8 bytes whatever the number of marks.
class RowBitmap
{
public:
    RowBitmap() = default;
    explicit RowBitmap(qsizetype rows) { resize(rows); }

    void resize(qsizetype rows)
    {
        m_rows = rows < 0 ? 0 : rows;
        m_words.assign(size_t((m_rows + 63) / 64), 0);
    }
    void clear() { resize(0); }
    qsizetype rows() const { return m_rows; }
    bool isEmpty() const
    {
        for (quint64 w : m_words)
            if (w)
                return false;
        return true;
    }

    void set(qsizetype row)
    {
        if (row >= 0 && row < m_rows)
            m_words[size_t(row / 64)] |= quint64(1) << (row % 64);
    }
    bool test(qsizetype row) const
    {
        return row >= 0 && row < m_rows && (m_words[size_t(row / 64)] >> (row % 64)) & 1;
    }
    // Sets every row from first to last, both included.
    void setRange(qsizetype first, qsizetype last)
    {
        for (qsizetype r = qMax<qsizetype>(first, 0); r <= last && r < m_rows; ++r) {
            if (r % 64 == 0 && r + 63 <= last && r + 63 < m_rows) {
                m_words[size_t(r / 64)] = ~quint64(0);
                r += 63;
            } else {
                set(r);
            }
        }
    }
    void unite(const RowBitmap &other)
    {
        if (other.m_rows > m_rows) {
            m_rows = other.m_rows;
            m_words.resize(other.m_words.size(), 0);
        }
        for (size_t i = 0; i < other.m_words.size(); ++i)
            m_words[i] |= other.m_words[i];
    }

    // First marked row at or after `from`, or -1.
    qsizetype nextSet(qsizetype from) const
    {
        if (from < 0)
            from = 0;
        if (from >= m_rows)
            return -1;
        size_t w = size_t(from / 64);
        quint64 bits = m_words[w] & (~quint64(0) << (from % 64));
        while (true) {
            if (bits)
                return qsizetype(w * 64 + size_t(qCountTrailingZeroBits(bits)));
            if (++w >= m_words.size())
                return -1;
            bits = m_words[w];
        }
    }
    // Last marked row at or before `from`, or -1.
    qsizetype prevSet(qsizetype from) const
    {
        if (from >= m_rows)
            from = m_rows - 1;
        if (from < 0)
            return -1;
        qsizetype w = from / 64;
        const int shift = 63 - int(from % 64);
        quint64 bits = (m_words[size_t(w)] << shift) >> shift;
        while (true) {
            if (bits)
                return qsizetype(w * 64 + 63 - qCountLeadingZeroBits(bits));
            if (--w < 0)
                return -1;
            bits = m_words[size_t(w)];
        }
    }
    // Whether any row in [first, last] is marked.
    bool anyIn(qsizetype first, qsizetype last) const
    {
        const qsizetype r = nextSet(first);
        return r >= 0 && r <= last;
    }

private:
    qsizetype m_rows = 0;
    std::vector<quint64> m_words;
};
