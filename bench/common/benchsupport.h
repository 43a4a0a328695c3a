#pragma once
// What the benchmarks that drive the real window share: the web-engine
// switches, a scratch working directory whose settings switch on only the
// pages a benchmark needs, a pseudo-terminal offered as the only serial
// port, and the process's resident memory.

#include <QByteArray>
#include <QStringList>
#include <QtGlobal>

namespace Bench {

// Before the QApplication exists.
void prepareEnvironment();
// Makes a scratch folder (kept for the process) the working directory and
// writes a settings file that switches on only `pages` (settings keys such
// as "COM", "TOF").
void useScratchSettings(const QStringList &pages);
// A pseudo-terminal whose terminal side the window lists as its only
// serial port; returns the controlling side, or -1 (after saying why).
int openPortPty();
// A socat relay between two pseudo-terminals (both raw, no echo): the
// window lists the first as its only serial port; returns the second,
// opened for writing what the port is to receive, or -1 (after saying
// why). `readEnd` is the first one's path, for another reader. The relay
// lives as long as the process.
int openRelayPty(QString *readEnd);
// Writes all of `data` to `fd` in pieces of 4096 bytes, as fast as the
// terminal takes them (retrying while it is full); false on a write error.
bool writeAll(int fd, const char *data, qint64 size);
inline bool writeAll(int fd, const QByteArray &data) { return writeAll(fd, data.constData(), data.size()); }
// Resident memory of this process in KiB (-1 when unknown).
long residentKb();
// CPU time of the calling (GUI) thread in ms, page faults included: a
// figure that depends less on what else the machine runs than the wall
// clock.
qint64 threadCpuMs();
// The machine's load average over the last minute (-1 when unknown).
double loadAverage();

} // namespace Bench
