#include "receivedisplay.h"

#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDecoder>
#include <QTextDocument>

namespace {
// Pending text (both views) past which an update is made at once.
constexpr qint64 kMaxPendingChars = 2 * 1024 * 1024;
} // namespace

ReceiveDisplay::ReceiveDisplay(QPlainTextEdit *textView, QPlainTextEdit *hexView, const Options &options,
                               QObject *parent)
    : QObject(parent), m_options(options), m_hexFormatter(options.hexFormat),
      m_utf8(QStringDecoder::Utf8)
{
    m_text.edit = textView;
    m_hex.edit = hexView;
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
    }
    m_stampFormat.setForeground(QColor(QStringLiteral("green")));
    m_dataFormat.setForeground(QColor(QStringLiteral("black")));
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(options.coalesceMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &ReceiveDisplay::flush);
}

ReceiveDisplay::~ReceiveDisplay() = default;

QString ReceiveDisplay::decode(const QByteArray &bytes)
{
    if (m_codecDecoder)
        return m_codecDecoder->toUnicode(bytes);
    return m_utf8.decode(bytes);
}

void ReceiveDisplay::append(const QByteArray &bytes, bool stamped)
{
    if (bytes.isEmpty())
        return;
    Chunk chunk;
    if (stamped)
        chunk.stamp = RxFormat::stamp(QTime::currentTime());
    chunk.text = decode(bytes);
    chunk.text.remove(QLatin1Char('\r'));
    if (m_hex.edit)
        chunk.hex = m_hexFormatter.format(bytes);
    m_pending.append(std::move(chunk));
    m_pendingBytes += bytes.size();
    m_lastChunkBytes = int(bytes.size());
    m_pendingChars += m_pending.last().text.size() + m_pending.last().hex.size();
    // A flood is shown in bounded batches, so one update never holds the
    // window for long.
    if (m_pendingChars >= kMaxPendingChars)
        flush();
    else if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void ReceiveDisplay::flush()
{
    m_flushTimer.stop();
    if (m_pending.isEmpty())
        return;
    writeView(m_text, false);
    writeView(m_hex, true);
    m_pending.clear();
    m_pendingChars = 0;
    addToCounter(m_counter, m_pendingBytes);
    m_pendingBytes = 0;
    emit shown(m_lastChunkBytes);
}

void ReceiveDisplay::writeView(View &view, bool hexPart)
{
    QPlainTextEdit *edit = view.edit;
    if (!edit)
        return;

    // What goes into the view, as pieces of text in one format each. A
    // line feed inside a piece starts a new block; `newBlock` starts one
    // before the piece (the stamp of a chunk).
    struct Piece {
        QString text;
        const QTextCharFormat *format;
        bool newBlock;
    };
    QList<Piece> pieces;
    QString run; // unstamped text gathered into one piece
    const auto endRun = [&] {
        if (run.isEmpty())
            return;
        pieces.append({RxFormat::cutLongRuns(run, &view.column, m_options.maxLineChars), &m_plainFormat, false});
        run.clear();
    };
    for (const Chunk &chunk : qAsConst(m_pending)) {
        const QString &body = hexPart ? chunk.hex : chunk.text;
        if (chunk.stamp.isEmpty()) {
            run += body;
            continue;
        }
        endRun();
        pieces.append({chunk.stamp, &m_stampFormat, true});
        view.column = chunk.stamp.size();
        QString text = body;
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        pieces.append({RxFormat::cutLongRuns(text, &view.column, m_options.maxLineChars), &m_dataFormat, false});
    }
    endRun();

    QTextDocument *doc = edit->document();
    const int maxBlocks = m_options.maxBlocks;
    bool clearFirst = false;
    if (maxBlocks > 0) {
        // Only the newest maxBlocks blocks survive the cap: find where they
        // begin and leave out what would be trimmed straight away.
        int breaks = 0;
        for (int i = pieces.size() - 1; i >= 0 && !clearFirst; --i) {
            Piece &p = pieces[i];
            for (int at = p.text.size() - 1; at >= 0; --at) {
                if (p.text.at(at) == QLatin1Char('\n') && ++breaks == maxBlocks) {
                    p.text.remove(0, at + 1);
                    p.newBlock = false;
                    pieces.erase(pieces.begin(), pieces.begin() + i);
                    clearFirst = true;
                    break;
                }
            }
            if (!clearFirst && p.newBlock && ++breaks == maxBlocks) {
                p.newBlock = false;
                pieces.erase(pieces.begin(), pieces.begin() + i);
                clearFirst = true;
            }
        }
    }

    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    if (clearFirst) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.setCharFormat(m_plainFormat);
    }
    cursor.movePosition(QTextCursor::End);
    for (const Piece &p : qAsConst(pieces)) {
        // A stamped chunk starts a block of its own; an empty last block
        // (after a line feed) is already one.
        if (p.newBlock && cursor.block().length() > 1)
            cursor.insertBlock(QTextBlockFormat(), m_plainFormat);
        if (!p.text.isEmpty())
            cursor.insertText(p.text, *p.format);
    }
    // Trim to the cap here, inside the edit, by position: the document's
    // own trimming walks block by block and lays out every block it drops.
    const int excess = maxBlocks > 0 ? doc->blockCount() - maxBlocks : 0;
    if (excess > 0) {
        QTextCursor trim(doc);
        trim.setPosition(doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
        trim.removeSelectedText();
    }
    cursor.endEditBlock();
    edit->moveCursor(QTextCursor::End);
}

void ReceiveDisplay::clear()
{
    // Bytes already received still count.
    if (m_pendingBytes)
        addToCounter(m_counter, m_pendingBytes);
    m_pendingBytes = 0;
    m_pendingChars = 0;
    m_pending.clear();
    m_flushTimer.stop();
    for (View *view : {&m_text, &m_hex}) {
        if (view->edit)
            view->edit->clear();
        view->column = 0;
    }
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
