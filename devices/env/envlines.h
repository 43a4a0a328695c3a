#pragma once
// Reads the environment sensor board's labelled lines ("Humidity:45.5%",
// "Temperature:23.1C", "Barometer:1013Pa", "Ultraviolet:12", "CO2:400ppm",
// "TVOC:12ppb", each ended by CR LF). Needs no widget.

#include <QByteArray>
#include <QList>

#include "cappedlinereader.h"

namespace EnvLines {

enum class Reading { Humidity, Temperature, Barometer, Ultraviolet, Co2, Tvoc };

struct Value {
    Reading reading;
    double value; // the integer readings hold whole numbers
};

// Bytes of an unfinished line kept between chunks at most; past it the
// oldest go.
constexpr int kMaxBuffered = int(CappedLineReader::kDefaultCap);

class Parser
{
public:
    // Appends a chunk and returns the readings of every line it completed,
    // in the order they arrived. A number that does not convert (not plain
    // decimal, or not finite) reads 0.
    QList<Value> feed(const QByteArray &chunk);
    const QByteArray &buffered() const { return m_lines.buffered(); }
    void clear() { m_lines.clear(); }

private:
    CappedLineReader m_lines;
};

// The readings of one complete line (without its CR LF), in label order.
QList<Value> parseLine(const QByteArray &line);

} // namespace EnvLines
