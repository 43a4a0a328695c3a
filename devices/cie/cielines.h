#pragma once
// Reads the colour sensor's lines, e.g. "CIEX:0.3127;CIEY:0.3290;LUX:250.5;
// CCT:6504" ended by CR LF (fields in any order, keys in any case). Needs
// no widget.

#include <QByteArray>
#include <QList>
#include <QString>

#include "cappedlinereader.h"

namespace CieLines {

struct Reading {
    double x = 0;
    double y = 0;
    double lux = 0;
    double cct = 0;
};

// Bytes of an unfinished line kept between chunks at most; past it the
// oldest go.
constexpr int kMaxBuffered = int(CappedLineReader::kDefaultCap);

// One line (CR LF may still be on it). Values are plain decimal numbers; a
// value that is not one (a group separator, an exponent, "inf", overflow)
// reads: x 0, y -1, Lux -0.0, CCT -1. Keys not present stay 0.
Reading parseLine(const QString &line);

class Parser
{
public:
    // The readings of every line this chunk completed, in order. A CR and
    // its LF may arrive in different chunks.
    QList<Reading> feed(const QByteArray &chunk);
    void clear() { m_lines.clear(); }
    const QByteArray &buffered() const { return m_lines.buffered(); }

private:
    CappedLineReader m_lines;
};

} // namespace CieLines
