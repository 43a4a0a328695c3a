#pragma once
// SMS and data-link helpers of the GSM page: UCS2 hexadecimal text, the
// reader of a "+CMGR" reply, the message-length limit and the checks of
// what the user typed. Widget-free.

#include <QByteArray>
#include <QList>
#include <QString>

namespace GsmSms {

// Most UTF-16 units one UCS2 message carries.
constexpr int kMaxUnits = 70;

// Each UTF-16 unit as four lower-case hex digits ("A\nB" -> "0041000a0042").
QByteArray QStringtoUNicode(const QString &text);
// Groups of four characters from the start, each one UTF-16 unit (a group
// that is not hex gives unit 0); a last partial group is dropped.
QString UNicodetoQString(const QByteArray &hex);
// True when `text` is non-empty whole groups of hex digits.
bool looksLikeUcs2Hex(const QByteArray &text);

struct Message {
    QString sender;
    QString time;
    QString text;
};

// A text-mode "+CMGR" reply with its final OK: the sender, time (received
// messages only) and text, decoded from UCS2 where they are UCS2 text. The
// text is the lines after the header up to the final result: a text that
// reads "OK" or "ERROR" is text. False when the reply holds no complete
// message.
bool parseMessage(const QByteArray &reply, Message *message);
// The same from a header line and the text lines after it (GsmAnswer).
bool parseMessage(const QByteArray &header, const QList<QByteArray> &lines, Message *message);

// What the message box keeps of `text` when it is longer than kMaxUnits:
// the excess ending at `cursor` is removed (the first kMaxUnits units stay
// when typing at the end), never half of a surrogate pair. `cursor` is
// updated to where the removed run began.
QString limitText(const QString &text, int *cursor);

// A message storage index: one to three decimal digits.
bool validIndex(const QString &index);
// A server for the data link: letters, digits, dots and hyphens; a port
// 1..65535.
bool validHost(const QString &host);
bool validPort(const QString &port);

// Data for the link: 0x1A and 0x1B (which would end or cancel the send)
// removed, a last line feed sent as CR LF.
QByteArray linkData(const QByteArray &data);

} // namespace GsmSms
