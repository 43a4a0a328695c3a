#include "receivedisplay.h"

#include <QBackingStore>
#include <QLCDNumber>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <QElapsedTimer>
#include <QEvent>

#include <cstring>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// Views are updated at most this often under a flood; between updates the
// cap drops what would only scroll through. The interval grows with what
// an update costs, so reading keeps most of the time.
constexpr int kMaxIntervalMs = 200;
constexpr int kIntervalPerCost = 8;
// An update that has spent this long on one view leaves the other for the
// next turn of the event loop.
constexpr qint64 kSliceMs = 10;
// Views that took (or, when cleared, held) at least this much text leave
// many freed blocks behind, which the allocator keeps unless asked to give
// them back; that is done once the stream has been quiet for kTrimIdleMs.
constexpr qint64 kTrimAfterChars = 4 * 1024 * 1024;
constexpr int kTrimIdleMs = 100;
// Unstamped text is gathered into pieces of about this size (a piece takes
// chunks while it is smaller; a port's read is rarely more than 4 KiB).
constexpr qint64 kPieceChars = 64 * 1024;
constexpr qint64 kPieceSlack = 8 * 1024;
// One turn of the event loop writes into a view for about this long, the
// rest follows in the next turns: each turn also lays out and draws what
// is on screen, so fewer, fuller turns cost less than many small ones.
// The time is looked at after every kCharsPerInsert characters.
constexpr qint64 kWriteSliceMs = 8;
constexpr qint64 kCharsPerInsert = 64 * 1024;
// Characters never drawn before cost a font lookup and a rendering each
// (about 20 µs for a Chinese character): thousands of them on screen at
// once would stall the window. They are drawn off screen first, for at
// most this long per turn, and the text follows once they all are.
constexpr qint64 kGlyphSliceMs = 10;
constexpr int kGlyphsPerDraw = 32;

constexpr QChar kCut(RxFormat::kCutMark);

// What ended the block before: a block's user state tells the block
// breaks that arrived from those the display made.
enum BlockStart { kAfterLineFeed = -1, kAfterCut = 1, kAfterParagraphSeparator, kAfterFrameStart, kAfterFrameEnd };

// Occurrences of `c` in `text`. Searching is far quicker than a count that
// compares every character when there are few, which is the common case;
// the same holds for the byte versions below.
qint64 countOf(QStringView text, QChar c)
{
    qint64 n = 0;
    for (qsizetype at = text.indexOf(c); at >= 0; at = text.indexOf(c, at + 1))
        ++n;
    return n;
}

qint64 lineFeedsIn(const char *data, qsizetype size)
{
    qint64 n = 0;
    const char *end = data + size;
    while (data < end && (data = static_cast<const char *>(memchr(data, '\n', size_t(end - data))))) {
        ++n;
        ++data;
    }
    return n;
}

// Index of the last line feed in data[0, size), or -1.
qsizetype lastLineFeedIn(const char *data, qsizetype size)
{
    const void *at = size > 0 ? memrchr(data, '\n', size_t(size)) : nullptr;
    return at ? static_cast<const char *>(at) - data : -1;
}

// Line breaks in pending text: line feeds that arrived and cuts.
qint64 breaksIn(QStringView text)
{
    qint64 cuts = 0;
    for (qsizetype at = text.indexOf(kCut); at >= 0; at = text.indexOf(kCut, at + 1))
        cuts += RxFormat::isCutMark(text, at);
    return countOf(text, QLatin1Char('\n')) + cuts;
}

inline bool isBreak(QStringView text, qsizetype i)
{
    return text[i] == QLatin1Char('\n') || RxFormat::isCutMark(text, i);
}

// Whether inserting `text` leaves the cursor at the start of an empty
// block: it ends with a character the document reads as a block end.
bool endsBlock(QStringView text)
{
    if (text.isEmpty())
        return false;
    const qsizetype last = text.size() - 1;
    const char16_t c = text[last].unicode();
    return c == u'\n' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || RxFormat::isCutMark(text, last);
}

// Length of the last display line of `text`, which continues a line of
// `column` characters.
int lastLineLength(QStringView text, int column)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (isBreak(text, i))
            return int(text.size() - 1 - i);
    }
    return int(column + text.size());
}

// Inserts pending text. The document starts a block at every line feed
// (and at the other characters it reads as block ends); cuts become
// blocks too, and each such block records what ended the one before, so
// the text can be given back as it arrived.
void insertPending(QTextCursor &cursor, const QString &text, qsizetype size, const QTextCharFormat &format)
{
    const char16_t *data = reinterpret_cast<const char16_t *>(text.constData());
    qsizetype from = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i];
        if (c < 0x2029)
            continue;
        int state;
        if (c == RxFormat::kCutMark) {
            if (!RxFormat::isCutMark(text, i))
                continue;
            state = kAfterCut;
        }
        else if (c == 0x2029)
            state = kAfterParagraphSeparator;
        else if (c == 0xFDD0)
            state = kAfterFrameStart;
        else if (c == 0xFDD1)
            state = kAfterFrameEnd;
        else
            continue;
        if (i > from)
            cursor.insertText(text.mid(from, i - from), format);
        cursor.insertBlock(QTextBlockFormat(), format);
        cursor.block().setUserState(state);
        from = i + 1;
    }
    if (from == 0 && size == text.size())
        cursor.insertText(text, format);
    else if (from < size)
        cursor.insertText(text.mid(from, size - from), format);
}
} // namespace

ReceiveDisplay::ReceiveDisplay(QPlainTextEdit *textView, QPlainTextEdit *hexView, const Options &options,
                               QObject *parent)
    : QObject(parent), m_options(options),
      m_hexFormatter(options.hexFormat, options.hexUpperCase, options.hexBreakAfterLineFeed),
      m_decoder(RxFormat::StreamDecoder::encodingFor(options.encoding)), m_interval(options.coalesceMs)
{
    m_hexTokenChars = qMax(1, int(m_hexFormatter.format(QByteArray(1, 'A')).size()));
    m_text.edit = textView;
    m_hex.edit = hexView;
    m_hex.hex = true;
    for (QPlainTextEdit *edit : {textView, hexView}) {
        if (!edit)
            continue;
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        edit->document()->setUndoRedoEnabled(false);
        edit->setMaximumBlockCount(options.maxBlocks);
        edit->installEventFilter(this);
    }
    m_stampFormat.setForeground(QColor(QStringLiteral("green")));
    m_dataFormat.setForeground(QColor(QStringLiteral("black")));
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, [this] { update(false); });
    m_trimTimer.setSingleShot(true);
    m_trimTimer.setInterval(kTrimIdleMs);
    connect(&m_trimTimer, &QTimer::timeout, this, &ReceiveDisplay::releaseFreedMemory);
}

ReceiveDisplay::~ReceiveDisplay() = default;

QString ReceiveDisplay::decode(const QByteArray &bytes)
{
    return m_decoder.decode(bytes);
}

void ReceiveDisplay::endStream()
{
    const QString rest = m_decoder.finish();
    if (m_text.edit && !rest.isEmpty())
        addText(QString(), rest);
    update(false);
}

const QTextCharFormat &ReceiveDisplay::formatOf(Kind kind) const
{
    switch (kind) {
    case Kind::Stamp:
        return m_stampFormat;
    case Kind::Data:
        return m_dataFormat;
    case Kind::Plain:
        break;
    }
    return m_plainFormat;
}

void ReceiveDisplay::append(const QByteArray &bytes, bool stamped)
{
    if (bytes.isEmpty())
        return;
    const QString stamp = stamped ? RxFormat::stamp(QTime::currentTime()) : QString();
    if (m_text.edit) {
        QString text = decode(bytes);
        text.remove(QLatin1Char('\r'));
        addText(stamp, text);
    } else {
        decode(bytes); // keeps the decoder's state
    }
    addHex(bytes, stamp);
    countBytes(bytes);
}

bool ReceiveDisplay::hasPending() const
{
    for (const View *view : {&m_text, &m_hex}) {
        if (!view->pending.empty() || !view->raw.empty())
            return true;
    }
    return false;
}

qint64 ReceiveDisplay::breaksOf(const RawChunk &chunk)
{
    // A stamp starts a line only where the last one holds something; after
    // a line feed it stands at the start of the line that is there.
    return chunk.lineFeeds + (!chunk.stamp.isEmpty() && chunk.startLineOpen ? 1 : 0);
}

int ReceiveDisplay::hexMaxLine() const
{
    return qMax(1, m_options.hexMaxLineChars > 0 ? m_options.hexMaxLineChars : m_options.maxLineChars);
}

int ReceiveDisplay::hexColumnAfter(int column, const QByteArray &bytes, bool stamped) const
{
    // Every byte is one token of equal width; the token of 0x0A ends with a
    // line feed (where the page wants one). Hex lines do not count the stamp.
    const int maxLine = hexMaxLine();
    const int start = stamped ? 0 : column;
    if (!m_options.hexBreakAfterLineFeed)
        return m_hexFormatter.columnAfter(start, bytes.size(), maxLine);
    const qsizetype lastLineFeed = lastLineFeedIn(bytes.constData(), bytes.size());
    if (lastLineFeed >= 0)
        return m_hexFormatter.columnAfter(0, bytes.size() - 1 - lastLineFeed, maxLine);
    return m_hexFormatter.columnAfter(start, bytes.size(), maxLine);
}

void ReceiveDisplay::addRaw(View &view, const QByteArray &bytes, const QString &stamp)
{
    const int startColumn = view.column;
    const int lineFeeds = m_options.hexBreakAfterLineFeed ? int(lineFeedsIn(bytes.constData(), bytes.size())) : 0;
    view.raw.push_back({bytes, stamp, startColumn, view.lineOpen, lineFeeds});
    view.rawBytes += bytes.size();
    view.rawBreaks += breaksOf(view.raw.back());
    view.column = hexColumnAfter(view.column, bytes, !stamp.isEmpty());
    // As addHexText leaves it: the hex text ends a line only after a 0x0A
    // that the page breaks after.
    if (!bytes.isEmpty())
        view.lineOpen = !(m_options.hexBreakAfterLineFeed && bytes.endsWith('\n'));
    else if (!stamp.isEmpty())
        view.lineOpen = true;
    // Keep no more than the newest blocks the cap lets the view show, plus
    // one: every display line holds at most maxLineChars characters, so
    // this many bytes (or this many line breaks) fill the view.
    const qint64 maxBlocks = m_options.maxBlocks;
    if (maxBlocks <= 0)
        return;
    const qint64 fillBytes = (maxBlocks + 1) * hexMaxLine() / m_hexTokenChars + 1;
    while (view.raw.size() > 1) {
        const RawChunk &front = view.raw.front();
        const qint64 frontBreaks = breaksOf(front);
        if (view.rawBytes - front.bytes.size() < fillBytes && view.rawBreaks - frontBreaks < maxBlocks + 1)
            break;
        view.rawBytes -= front.bytes.size();
        view.rawBreaks -= frontBreaks;
        view.raw.pop_front();
        view.rawDropped = true;
    }
}

void ReceiveDisplay::takeRaw(View &view)
{
    if (view.raw.empty())
        return;
    if (view.rawDropped) {
        // What was pending before is older than what the cap keeps.
        view.pending.clear();
        view.pendingChars = 0;
        view.pendingBreaks = 0;
        view.replaceAll = true;
    }
    const int endColumn = view.column;
    const bool endLineOpen = view.lineOpen;
    view.column = view.raw.front().startColumn;
    view.lineOpen = view.raw.front().startLineOpen;
    for (const RawChunk &chunk : view.raw)
        addHexText(chunk.bytes, chunk.stamp);
    Q_ASSERT(view.column == endColumn);
    Q_ASSERT(view.lineOpen == endLineOpen);
    Q_UNUSED(endColumn);
    Q_UNUSED(endLineOpen);
    view.raw.clear();
    view.rawBytes = 0;
    view.rawBreaks = 0;
    view.rawDropped = false;
}

void ReceiveDisplay::appendDecoded(const QByteArray &bytes, const QString &text, bool stamped)
{
    if (bytes.isEmpty() && text.isEmpty() && !stamped)
        return;
    const QString stamp = stamped ? RxFormat::stamp(QTime::currentTime()) : QString();
    if (m_text.edit) {
        QString shown = text;
        shown.remove(QLatin1Char('\r'));
        addText(stamp, shown);
    }
    addHex(bytes, stamp);
    countBytes(bytes);
}

void ReceiveDisplay::addHex(const QByteArray &bytes, const QString &stamp)
{
    if (!m_hex.edit)
        return;
    // Hex text is made only for a view on screen; one that is hidden keeps
    // the bytes until it is shown. A log that drops each chunk's last
    // character (few, short chunks) is always written as text.
    if (m_hex.edit->isVisible() || m_options.hexDropLast)
        addHexText(bytes, stamp);
    else
        addRaw(m_hex, bytes, stamp);
}

void ReceiveDisplay::addHexText(const QByteArray &bytes, const QString &stamp)
{
    // Hex lines count the data only and are cut between tokens.
    View &view = m_hex;
    const int start = stamp.isEmpty() ? view.column : 0;
    int column = start;
    QString hex = m_hexFormatter.format(bytes, &column, hexMaxLine(), kCut);
    bool chopped = false;
    if (m_options.hexDropLast && !hex.isEmpty()) {
        hex.chop(1);
        chopped = true;
    }
    if (chopped)
        column = lastLineLength(hex, start);
    addPending(view, stamp, hex);
    view.column = column;
}

void ReceiveDisplay::addText(const QString &stamp, const QString &body)
{
    // A line feed the device sent stays, stamped or not: the next chunk
    // starts a new line whatever the switches say by then.
    View &view = m_text;
    if (!stamp.isEmpty())
        view.column = int(stamp.size());
    addPending(view, stamp, RxFormat::cutLongRuns(body, &view.column, m_options.maxLineChars, kCut));
}

void ReceiveDisplay::addPending(View &view, const QString &stamp, const QString &cut)
{
    const int lineFeeds = int(breaksIn(cut));
    if (!stamp.isEmpty()) {
        // A stamped chunk starts a line of its own; after a line feed it
        // already has one.
        const bool newBlock = view.lineOpen;
        view.pending.push_back({stamp, Kind::Stamp, newBlock, 0});
        view.pending.push_back({cut, Kind::Data, false, lineFeeds});
        view.pendingBreaks += newBlock ? 1 : 0;
        view.pendingChars += stamp.size();
        view.lineOpen = true;
    } else if (!view.pending.empty() && view.pending.back().kind == Kind::Plain
               && view.pending.back().text.size() < kPieceChars) {
        view.pending.back().text += cut;
        view.pending.back().lineFeeds += lineFeeds;
    } else if (cut.size() < kPieceChars) {
        // Room for the chunks that follow, so that gathering them moves
        // nothing (a growing string is copied and fresh pages are touched
        // at every step).
        QString text;
        text.reserve(kPieceChars + kPieceSlack);
        text += cut;
        view.pending.push_back({text, Kind::Plain, false, lineFeeds});
    } else {
        view.pending.push_back({cut, Kind::Plain, false, lineFeeds});
    }
    view.pendingChars += cut.size();
    view.pendingBreaks += lineFeeds;
    if (!cut.isEmpty())
        view.lineOpen = !endsBlock(cut);
    // A view that waits keeps no more than the cap would leave it.
    if (m_options.maxBlocks > 0 && view.pendingBreaks >= qint64(m_options.maxBlocks) * 5 / 4)
        dropCapped(view);
}

void ReceiveDisplay::countBytes(const QByteArray &bytes)
{
    m_pendingBytes += m_options.countCarriageReturns ? bytes.size() : bytes.size() - bytes.count('\r');
    m_lastChunkBytes = int(bytes.size());
    if (!m_flushTimer.isActive())
        m_flushTimer.start(m_interval);
}

void ReceiveDisplay::dropCapped(View &view)
{
    // Only the newest maxBlocks blocks survive the cap: find where they
    // begin and drop what comes before.
    const int maxBlocks = m_options.maxBlocks;
    if (maxBlocks <= 0 || view.pendingBreaks < maxBlocks)
        return;
    qint64 breaks = 0;
    for (int i = int(view.pending.size()) - 1; i >= 0; --i) {
        Piece &p = view.pending[size_t(i)];
        bool found = false;
        if (breaks + p.lineFeeds >= maxBlocks) {
            for (int at = int(p.text.size()) - 1; at >= 0; --at) {
                if (isBreak(p.text, at) && ++breaks == maxBlocks) {
                    p.text.remove(0, at + 1);
                    p.lineFeeds = int(breaksIn(p.text));
                    found = true;
                    break;
                }
            }
        } else {
            breaks += p.lineFeeds;
        }
        if (!found && p.newBlock && ++breaks == maxBlocks)
            found = true;
        if (found) {
            p.newBlock = false;
            view.pending.erase(view.pending.begin(), view.pending.begin() + i);
            view.replaceAll = true;
            break;
        }
    }
    view.pendingBreaks = maxBlocks - 1;
    view.pendingChars = 0;
    for (const Piece &p : view.pending)
        view.pendingChars += p.text.size();
}

void ReceiveDisplay::flush()
{
    update(true);
}

void ReceiveDisplay::update(bool all)
{
    m_flushTimer.stop();
    QElapsedTimer cost;
    cost.start();
    bool wrote = false;
    bool more = false;
    for (View *view : {&m_text, &m_hex}) {
        // A view that is not on screen is written when it is shown.
        if (!view->edit || !(all || view->edit->isVisible()))
            continue;
        // Two large writes in a row would hold the window twice as long:
        // the second view follows once pending events have run.
        if (wrote && !all && cost.elapsed() >= kSliceMs && (!view->pending.empty() || !view->raw.empty())) {
            more = true;
            break;
        }
        takeRaw(*view);
        if (view->pending.empty())
            continue;
        if (!all && !prepareGlyphs(*view)) {
            more = true;
            continue;
        }
        if (writeView(*view, all ? -1 : kWriteSliceMs))
            more = true;
        wrote = true;
    }
    if (m_pendingBytes) {
        addToCounter(m_counter, m_pendingBytes);
        m_pendingBytes = 0;
        wrote = true;
    }
    if (wrote)
        emit shown(m_lastChunkBytes);
    m_updateCost += cost.elapsed();
    if (more) {
        m_flushTimer.start(0);
        return;
    }
    m_interval = int(qBound(qint64(m_options.coalesceMs), m_updateCost * kIntervalPerCost, qint64(kMaxIntervalMs)));
    m_updateCost = 0;
    // Once a flood is over, give the memory it churned through back.
    if (m_charsSinceTrim >= kTrimAfterChars)
        m_trimTimer.start();
}

bool ReceiveDisplay::prepareGlyphs(View &view)
{
    QPlainTextEdit *edit = view.edit;
    const QFont font = edit->font();
    if (view.drawn.isEmpty() || font != view.drawnFont) {
        view.drawn = QBitArray(0x10000);
        view.drawnFont = font;
        view.toDraw.clear();
    }
    // The characters of the newest blocks, as many as fit on screen: only
    // they are laid out and drawn when the view follows the end.
    const QFontMetrics metrics(font);
    const int lines = edit->viewport()->height() / qMax(1, metrics.lineSpacing()) + 2;
    int breaks = 0;
    for (auto it = view.pending.crbegin(); it != view.pending.crend() && breaks < lines; ++it) {
        const QChar *text = it->text.constData();
        for (qsizetype i = it->text.size() - 1; i >= 0 && breaks < lines; --i) {
            const char16_t c = text[i].unicode();
            if (c == u'\n' || RxFormat::isCutMark(it->text, i)) {
                ++breaks;
            } else if (!QChar::isSurrogate(c) && !view.drawn.testBit(c)) {
                view.drawn.setBit(c);
                view.toDraw.append(QChar(c));
            }
        }
        if (it->newBlock)
            ++breaks;
    }
    if (view.toDraw.isEmpty())
        return true;

    // Drawn as the view draws them: same font, resolution and kind of
    // surface, so the font engines and glyph caches they fill are the
    // view's.
    QImage::Format format = QImage::Format_RGB32;
    if (QBackingStore *store = edit->window()->backingStore()) {
        if (QPaintDevice *device = store->paintDevice(); device && device->devType() == QInternal::Image)
            format = static_cast<QImage *>(device)->format();
    }
    if (format == QImage::Format_Invalid)
        format = QImage::Format_RGB32;
    const qreal ratio = edit->devicePixelRatioF();
    QImage image(QSize(kGlyphsPerDraw * 2 * metrics.height(), 2 * metrics.height()) * ratio, format);
    if (image.isNull()) {
        view.toDraw.clear();
        return true;
    }
    image.setDevicePixelRatio(ratio);
    image.setDotsPerMeterX(qRound(edit->logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(edit->logicalDpiY() / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    QElapsedTimer clock;
    clock.start();
    qsizetype done = 0;
    while (done < view.toDraw.size() && clock.elapsed() < kGlyphSliceMs) {
        painter.drawText(QPointF(0, metrics.ascent()), view.toDraw.mid(done, kGlyphsPerDraw));
        done += kGlyphsPerDraw;
    }
    view.toDraw.remove(0, done);
    return view.toDraw.isEmpty();
}

bool ReceiveDisplay::writeView(View &view, qint64 sliceMs)
{
    QPlainTextEdit *edit = view.edit;
    if (!edit)
        return false;
    dropCapped(view);

    QTextDocument *doc = edit->document();
    if (view.replaceAll) {
        // Everything the view holds goes: dropping the whole document at
        // once is far cheaper than removing its blocks.
        doc->clear();
    }
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    if (view.replaceAll)
        cursor.setCharFormat(m_plainFormat);
    qint64 written = 0;
    QElapsedTimer clock;
    clock.start();
    while (!view.pending.empty()) {
        if (sliceMs >= 0 && written > 0 && clock.elapsed() >= sliceMs)
            break;
        Piece &p = view.pending.front();
        // A stamped chunk starts a block of its own; an empty last block
        // (after a line feed) is already one.
        if (p.newBlock) {
            if (cursor.block().length() > 1)
                cursor.insertBlock(QTextBlockFormat(), m_plainFormat);
            p.newBlock = false;
            view.pendingBreaks -= 1;
        }
        qsizetype take = p.text.size();
        if (sliceMs >= 0 && take > kCharsPerInsert) {
            // The rest of this piece may wait for the next turn; a
            // surrogate pair stays whole.
            take = kCharsPerInsert;
            if (p.text.at(take - 1).isHighSurrogate())
                --take;
        }
        if (take > 0) {
            insertPending(cursor, p.text, take, formatOf(p.kind));
            written += take;
        }
        if (take < p.text.size()) {
            const int lineFeeds = int(breaksIn(QStringView(p.text).left(take)));
            p.text.remove(0, take);
            p.lineFeeds -= lineFeeds;
            view.pendingBreaks -= lineFeeds;
            view.pendingChars -= take;
            continue;
        }
        view.pendingBreaks -= p.lineFeeds;
        view.pendingChars -= p.text.size();
        view.pending.pop_front();
    }
    m_charsSinceTrim += written;
    if (view.pending.empty()) {
        view.pendingChars = 0;
        view.pendingBreaks = 0;
    }
    view.pendingBreaks = qMax<qint64>(0, view.pendingBreaks);
    view.replaceAll = false;
    // Trim to the cap here, inside the edit, by position: the document's
    // own trimming walks block by block and lays out every block it drops.
    const int maxBlocks = m_options.maxBlocks;
    const int excess = maxBlocks > 0 ? doc->blockCount() - maxBlocks : 0;
    if (excess > 0) {
        QTextCursor trim(doc);
        trim.setPosition(doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
        trim.removeSelectedText();
    }
    cursor.endEditBlock();
    // Following the end lays out the last block; a hidden view does that
    // when it is shown.
    if (edit->isVisible())
        followEnd(edit);
    return !view.pending.empty();
}

QString ReceiveDisplay::receivedText() const
{
    if (!m_text.edit)
        return QString();
    const QTextDocument *doc = m_text.edit->document();
    QString out;
    out.reserve(doc->characterCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            switch (block.userState()) {
            case kAfterCut:
                break;
            case kAfterParagraphSeparator:
                out += QChar(QChar::ParagraphSeparator);
                break;
            case kAfterFrameStart:
                out += QChar(0xFDD0);
                break;
            case kAfterFrameEnd:
                out += QChar(0xFDD1);
                break;
            default:
                out += QLatin1Char('\n');
                break;
            }
        }
        out += block.text();
    }
    return out;
}

// A view follows what arrives by moving its cursor to the end, unless the
// user has selected text there: then the selection stays as it is.
void ReceiveDisplay::followEnd(QPlainTextEdit *edit)
{
    const QTextCursor cursor = edit->textCursor();
    if (cursor.hasSelection())
        return;
    if (cursor.atEnd()) {
        QScrollBar *bar = edit->verticalScrollBar();
        bar->setValue(bar->maximum());
        return;
    }
    edit->moveCursor(QTextCursor::End);
}

bool ReceiveDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        for (View *view : {&m_text, &m_hex}) {
            if (view->edit != watched)
                continue;
            takeRaw(*view);
            if (!view->pending.empty())
                writeView(*view);
            followEnd(view->edit);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReceiveDisplay::clear()
{
    qint64 held = 0;
    for (View *view : {&m_text, &m_hex}) {
        if (view->edit)
            held += view->edit->document()->characterCount() + view->pendingChars
                    + view->rawBytes * m_hexTokenChars;
    }
    // Bytes already received still count.
    if (m_pendingBytes)
        addToCounter(m_counter, m_pendingBytes);
    m_pendingBytes = 0;
    m_flushTimer.stop();
    for (View *view : {&m_text, &m_hex}) {
        if (view->edit)
            view->edit->clear();
        view->column = 0;
        view->lineOpen = false;
        view->pending.clear();
        view->pendingChars = 0;
        view->pendingBreaks = 0;
        view->replaceAll = false;
        view->raw.clear();
        view->rawBytes = 0;
        view->rawBreaks = 0;
        view->rawDropped = false;
    }
    if (held >= kTrimAfterChars)
        releaseFreedMemory();
}

void ReceiveDisplay::releaseFreedMemory()
{
    m_trimTimer.stop();
    m_charsSinceTrim = 0;
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void ReceiveDisplay::addToCounter(QLCDNumber *counter, qint64 bytes)
{
    if (!counter)
        return;
    const qint64 value = RxFormat::cappedCount(counter->intValue(), bytes);
    if (value >= RxFormat::kCounterCap)
        counter->display(QStringLiteral("99999"));
    else
        counter->display(int(value));
}
