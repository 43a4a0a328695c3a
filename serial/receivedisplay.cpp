#include "receivedisplay.h"

#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCodec>
#include <QTextCursor>
#include <QTextDecoder>
#include <QTextDocument>

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
    if (!m_flushTimer.isActive())
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
}

void ReceiveDisplay::writeView(View &view, bool hexPart)
{
    QPlainTextEdit *edit = view.edit;
    if (!edit)
        return;
    QTextDocument *doc = edit->document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    QString run; // unstamped text gathered for one insert
    auto flushRun = [&] {
        if (run.isEmpty())
            return;
        cursor.insertText(RxFormat::cutLongRuns(run, &view.column, m_options.maxLineChars), m_plainFormat);
        run.clear();
    };
    for (const Chunk &chunk : qAsConst(m_pending)) {
        const QString &body = hexPart ? chunk.hex : chunk.text;
        if (chunk.stamp.isEmpty()) {
            run += body;
            continue;
        }
        flushRun();
        if (doc->characterCount() > 1)
            cursor.insertBlock(QTextBlockFormat(), m_plainFormat);
        cursor.insertText(chunk.stamp, m_stampFormat);
        view.column = chunk.stamp.size();
        QString text = body;
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        // Line ends inside a stamped chunk stay inside its block.
        text = RxFormat::cutLongRuns(text, &view.column, m_options.maxLineChars);
        text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
        cursor.insertText(text, m_dataFormat);
    }
    flushRun();
    cursor.endEditBlock();
    edit->moveCursor(QTextCursor::End);
}

void ReceiveDisplay::clear()
{
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
