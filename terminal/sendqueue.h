#pragma once
// Sending to a port or socket (a QSerialPort, a QTcpSocket) with a bound on
// what waits there unwritten, and counting what the device has taken. The
// terminal pages' sends and the serial page's Send File share it, so a
// device or peer that stops reading never makes the program grow.
//
// Every byte handed to a device here has a position in the stream of all
// bytes the device was given; the device writes that stream in order, so
// how far it has written tells which sends have gone whole.

#include <QByteArray>
#include <QtGlobal>

#include <functional>

class QIODevice;

namespace SendQueue {

// At most this much waits unwritten on a device (a single send larger than
// the bound still goes when nothing waits).
constexpr qint64 kMaxUnsentBytes = 1024 * 1024;

// Whether `bytes` more may be handed to `device` now.
bool hasRoomFor(const QIODevice *device, qint64 bytes);

// Hands `bytes` to `device` when it has room for them (empty bytes always
// "go"); otherwise queues nothing and returns false, as it does when the
// write fails. Nothing queued is ever dropped or reordered. Every write to
// a device whose sends are counted or followed goes through here; `counted` false for bytes the send counter leaves out (a
// file sent line by line). When the bytes go, `end` (if given) receives
// the stream position just after them.
bool queue(QIODevice *device, const QByteArray &bytes, bool counted = true, qint64 *end = nullptr);

// The stream position up to which `device` has written what it was given
// to the system: what was handed to it less what still waits in its
// buffer. Once the device is closed, where it stood as it closed (what
// waited then was thrown away). 0 for a device never given anything.
qint64 writtenPosition(const QIODevice *device);

// From now on `taken` is called, each time `device` reports bytes written
// (its bytesWritten), with how many of them were queued counted. Once per
// device; the bookkeeping goes with the device.
void countTaken(QIODevice *device, std::function<void(qint64)> taken);

} // namespace SendQueue
