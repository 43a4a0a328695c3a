#include "mqttlogview.h"

#include <QScrollBar>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

MqttLogView::MqttLogView(QTextEdit *view, const Options &options, QObject *parent)
    : QObject(parent), m_view(view), m_options(options)
{
    if (view) {
        view->setReadOnly(true);
        view->document()->setUndoRedoEnabled(false);
    }
    m_formats[TimeText].setForeground(QColor(QStringLiteral("red")));
    m_formats[TopicText].setForeground(QColor(QStringLiteral("blue")));
    m_formats[PayloadText].setForeground(QColor(QStringLiteral("green")));
    m_flushTimer.setSingleShot(true);
    connect(&m_flushTimer, &QTimer::timeout, this, &MqttLogView::write);
}

QString MqttLogView::displayText(QString text)
{
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    QChar *at = text.data();
    QChar *const end = at + text.size();
    for (; at != end; ++at) {
        const char16_t c = at->unicode();
        if (c == QChar::ParagraphSeparator)
            *at = QLatin1Char('\n');
        else if (c == 0xFDD0 || c == 0xFDD1)
            *at = QChar::ReplacementCharacter;
    }
    return text;
}

void MqttLogView::append(const QTime &time, const QString &topic, const QByteArray &payload)
{
    const QString raw[PieceCount] = {
        QStringLiteral("Time:"),
        time.toString(QStringLiteral("hh:mm")),
        QStringLiteral("\t\tTopic:"),
        displayText(topic),
        QStringLiteral("\t\treceive:"),
        displayText(QString::fromUtf8(payload)),
    };
    Line line;
    int column = 0;
    for (int i = 0; i < PieceCount; ++i) {
        line.pieces[size_t(i)] = RxFormat::cutLongRuns(raw[i], &column, m_options.maxLineChars);
        line.blocks += QStringView(line.pieces[size_t(i)]).count(QLatin1Char('\n'));
    }
    // A message longer than the cap keeps only the display lines the view
    // would keep of it.
    if (m_options.maxBlocks > 0 && line.blocks > m_options.maxBlocks) {
        qint64 drop = line.blocks - m_options.maxBlocks;
        line.blocks -= drop;
        for (QString &piece : line.pieces) {
            if (drop == 0)
                break;
            qsizetype at = 0;
            while (drop > 0) {
                const qsizetype lf = piece.indexOf(QLatin1Char('\n'), at);
                if (lf < 0)
                    break;
                at = lf + 1;
                --drop;
            }
            piece.remove(0, drop > 0 ? piece.size() : at);
        }
        m_replaceAll = true;
    }
    m_pendingBlocks += line.blocks;
    m_pending.push_back(std::move(line));
    // What waits never holds more than the cap would leave in the view.
    if (m_options.maxBlocks > 0 && m_pendingBlocks >= qint64(m_options.maxBlocks) * 5 / 4)
        dropOldest();
    if (!m_flushTimer.isActive())
        m_flushTimer.start(m_options.coalesceMs);
}

void MqttLogView::dropOldest()
{
    const qint64 cap = m_options.maxBlocks;
    if (cap <= 0 || m_pendingBlocks < cap)
        return;
    // Whole lines go while the rest still fills the cap; the view's own
    // trimming cuts the first line that is left if it is still too long.
    bool dropped = false;
    while (m_pending.size() > 1 && m_pendingBlocks - m_pending.front().blocks >= cap) {
        m_pendingBlocks -= m_pending.front().blocks;
        m_pending.pop_front();
        dropped = true;
    }
    // A line the view already holds the start of goes on where it stopped
    // (the view's own trimming keeps the cap); starting it again would
    // never end when it alone fills the cap over several updates.
    if (!dropped && m_pending.front().started)
        return;
    // Everything the view holds is older than what waits: it is emptied
    // before the next write.
    m_replaceAll = true;
}

void MqttLogView::flush()
{
    while (!m_pending.empty())
        write();
}

void MqttLogView::write()
{
    m_flushTimer.stop();
    QTextEdit *view = m_view;
    if (!view || m_pending.empty())
        return;
    dropOldest();

    QScrollBar *bar = view->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    QTextDocument *doc = view->document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    if (m_replaceAll) {
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        m_replaceAll = false;
    }
    cursor.movePosition(QTextCursor::End);
    const QTextCharFormat plain;
    // Laying the text out is what costs, so one update takes a bounded
    // number of display lines and characters; the rest (even the rest of
    // one long message) follows in the next turns.
    int linesLeft = m_options.maxLinesPerWrite;
    qsizetype charsLeft = m_options.maxCharsPerWrite;
    while (!m_pending.empty() && linesLeft > 0 && charsLeft > 0) {
        Line &line = m_pending.front();
        if (!line.started) {
            // Every message starts a block of its own.
            if (!doc->isEmpty())
                cursor.insertBlock(QTextBlockFormat(), plain);
            line.started = true;
            --linesLeft;
        }
        while (line.piece < PieceCount && linesLeft > 0 && charsLeft > 0) {
            const QString &text = line.pieces[size_t(line.piece)];
            qsizetype n = qMin(text.size() - line.offset, charsLeft);
            // A surrogate pair stays together.
            if (line.offset + n < text.size() && n > 1 && text.at(line.offset + n - 1).isHighSurrogate())
                --n;
            if (n > 0) {
                const QStringView part = QStringView(text).mid(line.offset, n);
                cursor.insertText(part.toString(), m_formats[size_t(line.piece)]);
                linesLeft -= int(part.count(QLatin1Char('\n')));
                charsLeft -= n;
                line.offset += n;
            }
            if (line.offset >= text.size()) {
                ++line.piece;
                line.offset = 0;
            }
        }
        if (line.piece < PieceCount)
            break;
        m_pendingBlocks -= line.blocks;
        m_pending.pop_front();
    }
    cursor.endEditBlock();
    // Trimmed by position, in one removal (the document's own trimming goes
    // block by block), and in an edit of its own: one edit that both adds
    // at the end and removes at the start counts as a change of the whole
    // document, which a shown view then lays out again entirely.
    const int excess = m_options.maxBlocks > 0 ? doc->blockCount() - m_options.maxBlocks : 0;
    if (excess > 0) {
        QTextCursor trim(doc);
        trim.setPosition(doc->findBlockByNumber(excess).position(), QTextCursor::KeepAnchor);
        trim.removeSelectedText();
    }
    if (atBottom)
        bar->setValue(bar->maximum());
    if (!m_pending.empty())
        m_flushTimer.start(0);
}

void MqttLogView::clear()
{
    m_flushTimer.stop();
    m_pending.clear();
    m_pendingBlocks = 0;
    m_replaceAll = false;
    if (m_view)
        m_view->clear();
}
