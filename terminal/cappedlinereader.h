#pragma once
// Cuts a received byte stream into lines for the device pages' readers.
// Complete lines are cut out of each chunk first; only the unfinished tail
// that waits for its line end is kept, and of that at most `cap` bytes
// (past it the oldest bytes go). So a large chunk of valid lines loses
// nothing, and garbage without line ends never grows the buffer. Lines are
// searched as bytes: a NUL is an ordinary byte. Needs no widget.

#include <QByteArray>
#include <QList>

class CappedLineReader
{
public:
    enum class LineEnd {
        CrLf, // a line ends at CR LF; a lone CR or LF is part of the line
        Lf,   // a line ends at LF; a CR before it stays on the line
    };

    static constexpr qsizetype kDefaultCap = 64 * 1024;

    explicit CappedLineReader(LineEnd end = LineEnd::CrLf, qsizetype cap = kDefaultCap);

    // Appends a chunk and returns every line it completed, in order,
    // without its line end.
    QList<QByteArray> feed(const QByteArray &chunk);
    // Forgets the unfinished tail (a port opened again starts clean).
    void clear();
    // The unfinished tail.
    const QByteArray &buffered() const { return m_buffer; }
    qsizetype cap() const { return m_cap; }

private:
    QByteArray m_buffer;
    qsizetype m_scanned = 0; // bytes at the front known to hold no LF
    LineEnd m_end;
    qsizetype m_cap;
};
