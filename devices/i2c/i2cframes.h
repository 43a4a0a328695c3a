#pragma once
// The I2C bridge board's frames, the same in both directions:
//   "KV" (4B 56), command, payload length (16 bits, high byte first),
//   payload, and the 8-bit sum of the payload bytes.
// Request builders and the receive cutter; needs no widget.

#include <QByteArray>
#include <QList>

namespace I2cFrames {

enum Command : quint8 {
    Stop = 0x00,   // stop the register-dump stream
    Scan = 0x01,   // scan the bus / scan result
    Start = 0x02,  // start the register-dump stream / register dump
    Select = 0x03, // select the device address
    Write = 0x04,  // write registers
    Read = 0x05,   // read registers / read result
};

// The largest frame there can be: header, 65535 payload bytes, checksum.
constexpr int kMaxFrame = 5 + 65535 + 1;
// Data bytes one write request carries at most (a 512-byte frame buffer:
// header, register, data, checksum).
constexpr int kMaxWriteData = 505;

QByteArray frame(quint8 command, const QByteArray &payload);
QByteArray stopRequest();
QByteArray scanRequest();
QByteArray startRequest();
QByteArray selectRequest(quint8 address);
// Empty when `data` is longer than kMaxWriteData.
QByteArray writeRequest(quint8 reg, const QByteArray &data);
QByteArray readRequest(quint8 reg, quint8 count);

struct Frame {
    quint8 command;
    QByteArray payload;
};

class Parser
{
public:
    // Appends a chunk and returns every complete frame with a correct
    // checksum, in order. A frame with a wrong checksum is dropped. An
    // unfinished frame waits for the rest; a later frame that completes
    // first (one starting inside its payload) wins and the unfinished one
    // goes with it. Bytes before the first "KV" are dropped (a trailing
    // 0x4B is kept), and the buffer never holds more than kMaxFrame bytes.
    QList<Frame> feed(const QByteArray &chunk);
    const QByteArray &buffered() const { return m_buffer; }
    // Forgets an unfinished frame (a port opened again starts clean).
    void clear() { m_buffer.clear(); }

private:
    void dropNoise();
    QByteArray m_buffer;
};

} // namespace I2cFrames
