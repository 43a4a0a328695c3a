#pragma once

#include <QStringView>
#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QAbstractScrollArea;
class QString;
QT_END_NAMESPACE

// Keeps the layout of a text box linear in its text, however long its lines.
//
// Qt's default word wrap, for every line it makes, looks for a break point
// up to the end of the run of text that has none; one line of n characters
// without a break point (a pasted megabyte of Base64) takes time in n squared
// to lay out and freezes the window for minutes. A guarded box keeps its
// word wrap while its text has no run of kLongRun characters without a break
// point, and wraps anywhere from the moment it has one until the last one is
// gone. Its text itself is never changed.
//
// A guarded box also always shows its vertical scroll bar (a scroll bar that
// appears under a long text makes the box lay all of it out a second time),
// and leaves Latin text unshaped (no kerning or ligatures; scripts that need
// shaping are still shaped): shaping is the largest part of laying out a
// long line.
namespace LongTextLayout {

// Longest run without a break point that is still laid out with word wrap.
// The word wrap's extra work is about kLongRun / (2 × characters per line)
// steps per character at most, so at this length it stays a small multiple
// of the wrap-anywhere time.
constexpr qsizetype kLongRun = 256;

// From this many characters on, an action shows the busy cursor.
constexpr qsizetype kBusyChars = 256 * 1024;

// Guards a QTextEdit, QTextBrowser or QPlainTextEdit (anything else is left
// alone). Whatever puts text into the box later (typing, paste, drop, a
// page's slot) is covered.
void guard(QAbstractScrollArea *box);

// Optional, right before a guarded box's whole text is replaced by text:
// when text needs wrap-anywhere, switches now, while the box still holds the
// old text, so the new text is laid out once instead of twice.
void prepare(QAbstractScrollArea *box, const QString &text);

// True when text holds kLongRun or more characters in a row without a line
// break opportunity (Unicode line breaking, as the layout uses it).
bool hasLongRun(QStringView text);

// Shows the wait cursor for its lifetime when size (characters the action
// handles) is at least kBusyChars; does nothing otherwise.
class BusyCursor
{
public:
    explicit BusyCursor(qsizetype size);
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_shown = false;
};

} // namespace LongTextLayout
