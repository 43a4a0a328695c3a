#include "receivedisplay.h"

#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDecoder>
#include <QTextDocument>

#include <QEvent>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// Pending text of a shown view past which it is updated at once, so one
// update never holds the window for long.
constexpr qint64 kMaxPendingChars = 1024 * 1024;
// A hidden view takes what arrives with every update as long as that is
// little. Under a flood its text waits (held to what the block cap keeps)
// and is written at most this often, or when it is shown, or when its
// pending text grows past kMaxHiddenPendingChars.
constexpr int kHiddenWriteMs = 500;
constexpr qint64 kHiddenSmallChars = 64 * 1024;
constexpr qint64 kHiddenSmallBreaks = 512;
constexpr qint64 kMaxHiddenPendingChars = 4 * 1024 * 1024;
// Views that took (or, when cleared, held) at least this much text leave
// many freed blocks behind, which the allocator keeps unless asked to give
// them back; that is done once the stream has been quiet for kTrimIdleMs.
constexpr qint64 kTrimAfterChars = 4 * 1024 * 1024;
constexpr int kTrimIdleMs = 100;
// Unstamped text is gathered into pieces of about this size.
constexpr qint64 kPieceChars = 64 * 1024;
} // namespace

ReceiveDisplay::ReceiveDisplay(QPlainTextEdit *textView, QPlainTextEdit *hexView, const Options &options,
                               QObject *parent)
    : QObject(parent), m_options(options), m_hexFormatter(options.hexFormat),
      m_utf8()
{
    m_text.edit = textView;
    m_hex.edit = hexView;
    m_hex.hex = true;
    const QByteArray enc = options.encoding.toUpper();
    if (enc != "UTF-8" && enc != "UTF8") {
        if (QTextCodec *codec = QTextCodec::codecForName(options.encoding))
            m_codecDecoder.reset(codec->makeDecoder());
    }
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
    m_flushTimer.setInterval(options.coalesceMs);
    connect(&m_flushTimer, &QTimer::timeout, this, [this] { update(false); });
    m_trimTimer.setSingleShot(true);
    m_trimTimer.setInterval(kTrimIdleMs);
    connect(&m_trimTimer, &QTimer::timeout, this, &ReceiveDisplay::releaseFreedMemory);
}

ReceiveDisplay::~ReceiveDisplay() = default;

QString ReceiveDisplay::decode(const QByteArray &bytes)
{
    if (m_codecDecoder)
        return m_codecDecoder->toUnicode(bytes);
    return m_utf8.decode(bytes);
}

void ReceiveDisplay::endStream()
{
    if (!m_codecDecoder && m_utf8.pendingBytes() > 0) {
        const QString rest = m_utf8.finish();
        if (m_text.edit)
            addToView(m_text, QString(), rest);
    }
    if (m_codecDecoder) {
        // A codec's decoder cannot be asked for what it holds: a new one
        // starts the next stream.
        if (QTextCodec *codec = QTextCodec::codecForName(m_options.encoding))
            m_codecDecoder.reset(codec->makeDecoder());
    }
    flush();
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
        addToView(m_text, stamp, text);
    } else {
        decode(bytes); // keeps the decoder's state
    }
    if (m_hex.edit)
        addToView(m_hex, stamp, m_hexFormatter.format(bytes));
    m_pendingBytes += bytes.size();
    m_lastChunkBytes = int(bytes.size());

    bool now = false;
    for (View *view : {&m_text, &m_hex}) {
        if (!view->edit)
            continue;
        if (view->edit->isVisible() ? view->pendingChars >= kMaxPendingChars
                                    : view->pendingChars >= kMaxHiddenPendingChars)
            now = true;
    }
    if (now)
        update(false);
    else if (!m_flushTimer.isActive() || m_flushTimer.remainingTime() > m_options.coalesceMs)
        m_flushTimer.start(m_options.coalesceMs);
}

void ReceiveDisplay::addToView(View &view, const QString &stamp, const QString &body)
{
    const int maxLine = m_options.maxLineChars;
    QString cut;
    int lineFeeds = 0;
    if (!stamp.isEmpty()) {
        view.pending.push_back({stamp, Kind::Stamp, true, 0});
        view.column = int(stamp.size());
        QString text = body;
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        cut = RxFormat::cutLongRuns(text, &view.column, maxLine);
        lineFeeds = int(QStringView(cut).count(QLatin1Char('\n')));
        view.pending.push_back({cut, Kind::Data, false, lineFeeds});
        view.pendingBreaks += 1;
        view.pendingChars += stamp.size();
    } else {
        cut = RxFormat::cutLongRuns(body, &view.column, maxLine);
        lineFeeds = int(QStringView(cut).count(QLatin1Char('\n')));
        if (!view.pending.empty() && view.pending.back().kind == Kind::Plain
            && view.pending.back().text.size() < kPieceChars) {
            view.pending.back().text += cut;
            view.pending.back().lineFeeds += lineFeeds;
        } else {
            view.pending.push_back({cut, Kind::Plain, false, lineFeeds});
        }
    }
    view.pendingChars += cut.size();
    view.pendingBreaks += lineFeeds;
    // A view that waits keeps no more than the cap would leave it.
    if (m_options.maxBlocks > 0 && view.pendingBreaks >= qint64(m_options.maxBlocks) * 5 / 4)
        dropCapped(view);
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
            const QChar *data = p.text.constData();
            for (int at = int(p.text.size()) - 1; at >= 0; --at) {
                if (data[at] == QLatin1Char('\n') && ++breaks == maxBlocks) {
                    p.text.remove(0, at + 1);
                    p.lineFeeds = int(QStringView(p.text).count(QLatin1Char('\n')));
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

bool ReceiveDisplay::wantsWrite(const View &view, bool all) const
{
    if (!view.edit || view.pending.empty())
        return false;
    if (all || view.edit->isVisible())
        return true;
    if (view.pendingChars >= kMaxHiddenPendingChars)
        return true;
    if (!view.deferred)
        return view.pendingChars < kHiddenSmallChars && view.pendingBreaks < kHiddenSmallBreaks;
    return view.deferredSince.elapsed() >= kHiddenWriteMs;
}

void ReceiveDisplay::update(bool all)
{
    m_flushTimer.stop();
    bool wrote = false;
    bool waiting = false;
    for (View *view : {&m_text, &m_hex}) {
        if (wantsWrite(*view, all)) {
            m_charsSinceTrim += view->pendingChars;
            writeView(*view);
            wrote = true;
        } else if (view->edit && !view->pending.empty()) {
            if (!view->deferred) {
                view->deferred = true;
                view->deferredSince.start();
            }
            waiting = true;
        }
    }
    if (waiting) {
        // Come back for the waiting view even if nothing more arrives.
        qint64 left = kHiddenWriteMs;
        for (View *view : {&m_text, &m_hex}) {
            if (view->deferred)
                left = qMin(left, kHiddenWriteMs - view->deferredSince.elapsed());
        }
        m_flushTimer.start(int(qBound<qint64>(m_options.coalesceMs, left, qint64(kHiddenWriteMs))));
    }
    if (m_pendingBytes) {
        addToCounter(m_counter, m_pendingBytes);
        m_pendingBytes = 0;
        wrote = true;
    }
    if (wrote)
        emit shown(m_lastChunkBytes);
    // Once a flood is over, give the memory it churned through back.
    if (m_charsSinceTrim >= kTrimAfterChars)
        m_trimTimer.start();
}

void ReceiveDisplay::writeView(View &view)
{
    QPlainTextEdit *edit = view.edit;
    view.deferred = false;
    if (!edit)
        return;
    dropCapped(view);

    QTextDocument *doc = edit->document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    if (view.replaceAll) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setCharFormat(m_plainFormat);
    }
    cursor.movePosition(QTextCursor::End);
    for (const Piece &p : view.pending) {
        // A stamped chunk starts a block of its own; an empty last block
        // (after a line feed) is already one.
        if (p.newBlock && cursor.block().length() > 1)
            cursor.insertBlock(QTextBlockFormat(), m_plainFormat);
        if (!p.text.isEmpty())
            cursor.insertText(p.text, formatOf(p.kind));
    }
    view.pending.clear();
    view.pendingChars = 0;
    view.pendingBreaks = 0;
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
        edit->moveCursor(QTextCursor::End);
}

bool ReceiveDisplay::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        for (View *view : {&m_text, &m_hex}) {
            if (view->edit != watched)
                continue;
            if (!view->pending.empty())
                writeView(*view);
            view->edit->moveCursor(QTextCursor::End);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReceiveDisplay::clear()
{
    qint64 held = 0;
    for (View *view : {&m_text, &m_hex}) {
        if (view->edit)
            held += view->edit->document()->characterCount() + view->pendingChars;
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
        view->pending.clear();
        view->pendingChars = 0;
        view->pendingBreaks = 0;
        view->replaceAll = false;
        view->deferred = false;
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
