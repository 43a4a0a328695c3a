#pragma once
// Shows received bytes in a terminal page's text and hex views: optional
// "[hh:mm:ss.zzz]" stamps (each stamped chunk a block of its own, device
// text never read as markup), line cutting of long runs, a block cap, and
// coalesced view updates so a fast stream never stalls the window. Text is
// decoded with a decoder that keeps its state across chunks: a character
// split between two reads shows whole, and a byte that belongs to no valid
// character shows as one U+FFFD without taking any other byte with it.

#include <QBitArray>
#include <QByteArray>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTimer>

#include <deque>
#include <memory>

#include "rxformat.h"

class QLCDNumber;
class QPlainTextEdit;

class ReceiveDisplay : public QObject
{
    Q_OBJECT

public:
    struct Options {
        QString hexFormat = QStringLiteral("0x%1,");
        QByteArray encoding = "UTF-8"; // or "GBK"
        int maxBlocks = 10000;
        int maxLineChars = RxFormat::kDisplayLineChars;
        int hexMaxLineChars = 0;            // hex view lines (whole tokens, stamp not counted); 0: maxLineChars
        int coalesceMs = 25;
        bool hexUpperCase = false;          // "0x0D" rather than "0x0d"
        bool hexBreakAfterLineFeed = true;  // a line break after the token of 0x0A
        bool countCarriageReturns = true;   // false: the counter leaves out CR bytes
        // Each chunk's hex text loses its last character: the separator
        // after its last byte, or the line feed after a final 0x0A.
        bool hexDropLast = false;
    };

    // Either view may be null. The views are made read-only, their undo
    // history is switched off and their block count limited.
    ReceiveDisplay(QPlainTextEdit *textView, QPlainTextEdit *hexView, const Options &options,
                   QObject *parent = nullptr);
    ~ReceiveDisplay() override;

    // Decodes the chunk now and shows it at the next update. With `stamped`
    // the chunk starts a new block after the current time in green.
    void append(const QByteArray &bytes, bool stamped);
    // As append, for a page that decodes the text itself (one decoder state
    // per peer): `text` is `bytes` decoded. An empty chunk adds nothing
    // unless it is stamped, when it shows as a stamp alone, or brings text
    // (what a decoder held back, at the end of a peer's stream).
    void appendDecoded(const QByteArray &bytes, const QString &text, bool stamped);
    // Writes everything pending to both views now, shown or not.
    void flush();
    // Empties both views and anything pending.
    void clear();
    // The stream has ended (the port or connection closed): bytes held back
    // as the start of an unfinished character are shown (as U+FFFD), and
    // what is pending is written to the views on screen. The next chunk
    // starts a new stream.
    void endStream();
    bool hasPending() const;
    // The text view's text as it arrived: display lines the view cut are
    // joined again, so line ends are only where the stream had them (for
    // what the view still holds under its block cap). Call flush() first
    // for what is pending.
    QString receivedText() const;

    // A counter display that the bytes of every chunk are added to when the
    // chunk is shown (held at 99999).
    void setCounter(QLCDNumber *counter) { m_counter = counter; }

    // Adds `bytes` to a counter display, held at 99999.
    static void addToCounter(QLCDNumber *counter, qint64 bytes);

signals:
    // The views were updated; `lastChunkBytes` is the size of the newest
    // chunk shown.
    void shown(int lastChunkBytes);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Kind { Plain, Stamp, Data };
    struct Piece {
        QString text; // a line feed inside starts a new block
        Kind kind;
        bool newBlock; // start a new block before the text
        int lineFeeds; // line feeds in text
    };
    // Received bytes kept for a hex view that is not on screen: its text is
    // made when it is shown, from no more bytes than its block cap can show.
    struct RawChunk {
        QByteArray bytes;
        QString stamp;
        int startColumn; // column of the view's last line before this chunk
        bool startLineOpen; // the view's last line held something before it
        int lineFeeds;
    };
    // Each view keeps what it has not shown yet, already cut into display
    // lines. `column` is the length of the last display line including
    // what is pending.
    struct View {
        QPointer<QPlainTextEdit> edit;
        bool hex = false;
        int column = 0;
        // The last line holds something (a stamp counts), so a stamped
        // chunk must start a line of its own; false after a line feed.
        bool lineOpen = false;
        std::deque<Piece> pending;
        qint64 pendingChars = 0;
        qint64 pendingBreaks = 0; // line feeds plus new-block pieces
        bool replaceAll = false;  // the cap has dropped everything the view holds
        std::deque<RawChunk> raw;
        qint64 rawBytes = 0;
        qint64 rawBreaks = 0;     // line breaks `raw` makes (breaksOf)
        bool rawDropped = false;  // older raw chunks went for the cap
        // Characters of the view's font that have been drawn once, and
        // those still to be drawn before the text that holds them is shown.
        QBitArray drawn;
        QFont drawnFont;
        QString toDraw;
    };
    QString decode(const QByteArray &bytes);
    void addText(const QString &stamp, const QString &body);
    void addHexText(const QByteArray &bytes, const QString &stamp);
    void addPending(View &view, const QString &stamp, const QString &cut);
    void addRaw(View &view, const QByteArray &bytes, const QString &stamp);
    // Line breaks a kept chunk makes in the hex view.
    static qint64 breaksOf(const RawChunk &chunk);
    void takeRaw(View &view);
    int hexMaxLine() const;
    int hexColumnAfter(int column, const QByteArray &bytes, bool stamped) const;
    void dropCapped(View &view);
    void update(bool all);
    bool prepareGlyphs(View &view);
    bool writeView(View &view, qint64 sliceMs = -1);
    const QTextCharFormat &formatOf(Kind kind) const;
    void releaseFreedMemory();
    void addHex(const QByteArray &bytes, const QString &stamp);
    void countBytes(const QByteArray &bytes);
    static void followEnd(QPlainTextEdit *edit);

    Options m_options;
    View m_text;
    View m_hex;
    RxFormat::HexFormatter m_hexFormatter;
    int m_hexTokenChars = 5;
    RxFormat::StreamDecoder m_decoder;
    QPointer<QLCDNumber> m_counter;
    qint64 m_pendingBytes = 0;
    int m_lastChunkBytes = 0;
    QTimer m_flushTimer;
    int m_interval = 25;
    qint64 m_updateCost = 0; // of the update in progress, over its slices
    QTimer m_trimTimer;
    qint64 m_charsSinceTrim = 0;
    QTextCharFormat m_plainFormat;
    QTextCharFormat m_stampFormat;
    QTextCharFormat m_dataFormat;
};
