#pragma once
// The spectral sensor module's channel lines ("F3:500" ended by CR LF, one
// line per channel) and the raw log's line cutting. Needs no widget.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "cappedlinereader.h"

namespace SpectraLines {

// Bytes of an unfinished line kept between chunks at most; past it the
// oldest go.
constexpr int kMaxBuffered = int(CappedLineReader::kDefaultCap);
// A log line longer than this (no line feed in sight) is cut here.
constexpr int kMaxLogLine = 4096;

// Channel index of a channel name ("F1".."F18", "NIR", "FXL", "FZ", "FY");
// names are compared exactly; -1 for any other name.
int channelIndex(const QString &name);

// Sensor type code of a model text: "AS7341" 0, "AS7343" 1, "AS7265X" 2,
// anything else 255.
quint8 typeCode(const QString &model);

struct Reading {
    int index;
    int value; // 1000 is full scale
    bool operator==(const Reading &o) const { return index == o.index && value == o.value; }
};

// Readings of a text holding lines ended by CR LF (empty lines dropped). A
// line needs exactly one ':', a decimal integer after it and a known
// channel name before it (not trimmed); other lines are skipped.
QList<Reading> parseLines(const QString &text);

// Cuts the stream into CR LF ended lines.
class Decoder
{
public:
    // Appends a chunk and returns the text of every line it completed (CR LF
    // included; empty when none did). The unfinished tail waits.
    QString feed(const QByteArray &chunk);
    void clear() { m_lines.clear(); }
    const QByteArray &buffered() const { return m_lines.buffered(); }

private:
    CappedLineReader m_lines;
};

// Cuts the stream at line feeds into trimmed, non-empty log lines.
class LogLines
{
public:
    QStringList feed(const QByteArray &chunk);
    void clear() { m_buffer.clear(); }
    const QByteArray &buffered() const { return m_buffer; }

private:
    QByteArray m_buffer;
};

} // namespace SpectraLines
