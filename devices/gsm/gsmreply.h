#pragma once
// Readers of what a GSM modem answers: result codes, the values of query
// replies and the parts of unsolicited result lines. Nothing here touches a
// port or a widget; every function takes the text received so far and may be
// called again as more arrives.

#include <QByteArray>
#include <QList>
#include <QString>

namespace GsmReply {

// The line without the spaces before and after it (other blanks stay).
QByteArray trimSpaces(const QByteArray &line);

// Cap of every receive buffer the page keeps between chunks.
constexpr int kBufferCap = 64 * 1024;

// Appends `data` to `buffer` without its zero bytes, dropping the oldest
// bytes beyond kBufferCap.
void appendCapped(QByteArray *buffer, const QByteArray &data);

// The complete lines of `text` (ended by a carriage return or a line feed,
// as a modem ends its echo with CR alone), trimmed, empty lines left out.
QList<QByteArray> completeLines(const QByteArray &text);
// Position of the last line end of `text`, -1 when there is none.
int lastLineEnd(const QByteArray &text);

enum class Final { None, Ok, Error };

// The first final result among the complete lines: "OK", or an error
// ("ERROR", "+CME ERROR: ...", "+CMS ERROR: ..."); `line` gets its text.
Final finalResult(const QByteArray &reply, QByteArray *line = nullptr);
bool isErrorLine(const QByteArray &line);

// True when a complete line equals `line`, or starts with `prefix`.
bool hasLine(const QByteArray &reply, const QByteArray &line);
bool hasLineStarting(const QByteArray &reply, const QByteArray &prefix);

// Query replies. Each returns -1 while the value is not there yet.
// "+CLIP: <n>,...": 1 when presentation is on, 0 when off.
int clipSetting(const QByteArray &reply);
// "+CALM: <mode>": 1 when the ring tone sounds (mode 0), 0 when silent (1).
int ringToneSetting(const QByteArray &reply);
// "+CMGF: <mode>": 1 in text mode, 0 in PDU mode.
int smsModeSetting(const QByteArray &reply);

// "+CSQ: <rssi>,<ber>" followed by a final OK: true with the rssi value.
// A reply without OK, without the line or without a number gives false.
bool signalValue(const QByteArray &reply, int *rssi);
// Resource path of the icon for a signal value; empty for a value outside
// 0..31 and 99 (no icon).
QString signalIcon(int rssi);

// The caller number of the first "+CLIP: " followed by a double quote, up to
// the next double quote. Returns false while that line is not complete.
// A complete "+CLIP" line without a quoted number gives true and an empty
// number.
bool clipNumber(const QByteArray &buffer, QByteArray *number);

// A number sent in the modem's UCS2 character set: whole groups of four hex
// digits that each give a digit, "*", "#" or "+" are decoded
// ("00310030003000380036" -> "10086"); anything else comes back as it is.
QString decodeUcs2Number(const QByteArray &number);

// The storage index of a complete '+CMTI: "SM",<index>' line: its digits
// only. Returns false while there is no such complete line.
bool newMessageIndex(const QByteArray &buffer, QByteArray *index);

} // namespace GsmReply
