#pragma once
// Reads the IMU's attitude lines, "W: 0.7071, X: 0.0000, Y: 0.7071,
// Z: 0.0000" ended by CR LF, and turns a quaternion into the Euler angles
// the page shows. Needs no widget.

#include <QByteArray>
#include <optional>

#include "cappedlinereader.h"

namespace ImuLines {

struct Quaternion {
    double w, x, y, z;
    bool converted; // all four numbers converted (a failed one reads 0)
};

struct Euler {
    double pitch, yaw, roll; // degrees: about X, about Y, about Z
};

// Bytes of an unfinished line kept between chunks at most.
constexpr int kMaxBuffered = int(CappedLineReader::kDefaultCap);

// The first attitude in `text` (any text around it is ignored). The 3D
// view works in single precision, so a number beyond its range fails to
// convert like one that is not finite.
std::optional<Quaternion> parse(const QByteArray &text);

// The quaternion scaled to length 1, in double precision, so components
// far below 1e-5 or far above single precision keep their direction.
// None for a zero quaternion or one that is not finite.
std::optional<Quaternion> normalised(const Quaternion &q);

// Euler angles as Qt's quaternion class gives them for the normalised
// quaternion; all 0 when it has none.
Euler toEuler(const Quaternion &q);

class Parser
{
public:
    // Appends a chunk; when it completes one or more lines, returns the
    // first attitude among them. Bytes after the last CR LF wait for the
    // next chunk.
    std::optional<Quaternion> feed(const QByteArray &chunk);
    void clear() { m_lines.clear(); }
    const QByteArray &buffered() const { return m_lines.buffered(); }

private:
    CappedLineReader m_lines;
};

} // namespace ImuLines
