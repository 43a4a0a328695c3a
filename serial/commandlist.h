#pragma once
// The command list of the "Serial Debug" page: twelve stored commands with
// C-style escapes.

#include <QByteArray>

namespace CommandList {

// Resolves the escapes \r \n \t \a \b \f \v \\ \? \' \" in this order, each
// as one pass over the whole text; nothing else is an escape, so "\x41"
// stays four characters. A doubled backslash is resolved only after the
// control letters, so "\\n" becomes a backslash and a line feed.
QByteArray resolveEscapes(QByteArray data);

} // namespace CommandList
