#pragma once
// Send box and address fields of the network terminal pages ("UDP Debug",
// "TCP Debug"), without widgets.

#include <QByteArray>
#include <QHostAddress>
#include <QString>

namespace NetSend {

// Hex send: the text up to its first NUL, split at blanks and commas; a
// "0x" or "0X" at the start of a piece is dropped; then every character
// that is not a hex digit is skipped and the digits pair up from the end
// (so "123" gives 01 23 and "0x41,0x42," gives 41 42).
QByteArray fromLenientHex(const QString &text);

// The bytes the send box sends: empty text sends nothing; a text ending in
// a line feed gets a carriage return before that last line feed; then the
// text as hex (fromLenientHex) or in the local 8-bit encoding.
QByteArray prepare(const QString &text, bool asHex);

// The text a page shows for a peer's address: an IPv4 peer reached through
// a dual-stack socket ("::ffff:127.0.0.1") shows as plain IPv4.
QString addressText(const QHostAddress &address);

} // namespace NetSend
