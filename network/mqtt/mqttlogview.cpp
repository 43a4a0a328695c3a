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
    m_prepareTimer.setSingleShot(true);
    connect(&m_prepareTimer, &QTimer::timeout, this, &MqttLogView::prepareStep);
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
    const QString raw[PayloadText] = {
        QStringLiteral("Time:"),
        time.toString(QStringLiteral("hh:mm")),
        QStringLiteral("\t\tTopic:"),
        displayText(topic),
        QStringLiteral("\t\treceive:"),
    };
    Preparing message;
    for (int i = 0; i < PayloadText; ++i) {
        message.line.pieces[size_t(i)] = RxFormat::cutLongRuns(raw[i], &message.column, m_options.maxLineChars);
        message.line.blocks += QStringView(message.line.pieces[size_t(i)]).count(QLatin1Char('\n'));
    }
    message.payload = payload;
    m_preparing.push_back(std::move(message));
    // A small message behind no other is ready at once; anything else is
    // prepared in slices, one per turn of the event loop.
    if (m_preparing.size() == 1 && payload.size() <= m_options.prepareBytesPerTurn)
        prepare(-1);
    if (!m_preparing.empty() && !m_prepareTimer.isActive())
        m_prepareTimer.start(0);
}

bool MqttLogView::prepare(qsizetype budget)
{
    const qint64 cap = m_options.maxBlocks;
    while (!m_preparing.empty()) {
        Preparing &m = m_preparing.front();
        const qsizetype left = m.payload.size() - m.offset;
        const qsizetype n = budget < 0 ? left : qMin(left, budget);
        const bool last = n == left;
        QString text = m.decoder.decode(m.payload.constData() + m.offset, n);
        if (last)
            text += m.decoder.finish();
        m.offset += n;
        if (budget >= 0)
            budget -= n;
        // CR LF is one line end, also when a slice ends between the two.
        if (m.heldCarriageReturn)
            text.prepend(QLatin1Char('\r'));
        m.heldCarriageReturn = !last && text.endsWith(QLatin1Char('\r'));
        if (m.heldCarriageReturn)
            text.chop(1);
        const QString cut = RxFormat::cutLongRuns(displayText(text), &m.column, m_options.maxLineChars);
        m.lineFeeds += QStringView(cut).count(QLatin1Char('\n'));
        m.text += cut;
        // Only the newest lines can stay in the view: older ones go while
        // the payload alone still fills the cap twice over.
        if (cap > 0 && m.lineFeeds > 2 * cap) {
            qint64 drop = m.lineFeeds - cap;
            qsizetype at = 0;
            while (drop > 0) {
                at = m.text.indexOf(QLatin1Char('\n'), at) + 1;
                --drop;
            }
            m.text.remove(0, at);
            m.lineFeeds = cap;
            // The header's lines are above these: they count as dropped.
            m.line.blocks = 1;
            for (int i = 0; i < PayloadText; ++i)
                m.line.pieces[size_t(i)].clear();
        }
        if (!last)
            return true;
        Line line = std::move(m.line);
        line.pieces[PayloadText] = std::move(m.text);
        line.blocks += m.lineFeeds;
        m_preparing.pop_front();
        addPrepared(std::move(line));
        if (budget == 0)
            break;
    }
    return !m_preparing.empty();
}

void MqttLogView::prepareStep()
{
    if (prepare(m_options.prepareBytesPerTurn))
        m_prepareTimer.start(0);
}

void MqttLogView::addPrepared(Line line)
{
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
    m_prepareTimer.stop();
    prepare(-1);
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
    m_prepareTimer.stop();
    m_preparing.clear();
    m_pending.clear();
    m_pendingBlocks = 0;
    m_replaceAll = false;
    if (m_view)
        m_view->clear();
}
