#pragma once
// Cuts the oscilloscope device's text frames out of a byte stream:
// "$0:<v>;$1:<v>;$2:<v>;$3:<v>;" ended by CR LF. Needs no widget.

#include <QByteArray>
#include <QList>
#include <array>

namespace OscFrames {

using Frame = std::array<double, 4>;

// Bytes kept between chunks at most; past it the oldest go.
constexpr int kMaxBuffered = 64 * 1024;

// The four values of one frame's text (from "$0:" up to, not including,
// its CR LF). A channel whose tag is missing, and every channel after it,
// reads 0; a value runs to its ';' (or to the end) and reads 0 when it is
// not a finite number.
Frame parseFrame(const QByteArray &text);

class Parser
{
public:
    // Appends a chunk and returns every frame it completed, in order.
    // Bytes before a frame's "$0:" are dropped; a frame is taken only once
    // its own CR LF has arrived; the unfinished tail waits for the next
    // chunk.
    QList<Frame> feed(const QByteArray &chunk);
    const QByteArray &buffered() const { return m_buffer; }

private:
    QByteArray m_buffer;
};

} // namespace OscFrames
