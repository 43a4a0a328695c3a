#include "longtextlayout.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace LongTextLayout {

namespace {

const QString kGuardName = QStringLiteral("velm_longTextGuard");

QTextDocument *documentOf(QAbstractScrollArea *box)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        return edit->document();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(box))
        return edit->document();
    return nullptr;
}

QTextOption::WrapMode wrapModeOf(QAbstractScrollArea *box)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        return edit->wordWrapMode();
    return static_cast<QPlainTextEdit *>(box)->wordWrapMode();
}

bool isReadOnly(QAbstractScrollArea *box)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        return edit->isReadOnly();
    return static_cast<QPlainTextEdit *>(box)->isReadOnly();
}

void setWrapMode(QAbstractScrollArea *box, QTextOption::WrapMode mode)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        edit->setWordWrapMode(mode);
    else
        static_cast<QPlainTextEdit *>(box)->setWordWrapMode(mode);
}

// A run of text without blanks, kLongRun characters or longer: does it have
// kLongRun characters in a row without a break opportunity? Looked at in
// overlapping windows, so a run of megabytes costs little when its start
// already answers, and every stretch of kLongRun characters lies wholly
// inside one window.
bool runHasLongGap(QStringView run)
{
    const qsizetype window = 4 * kLongRun;
    const qsizetype step = 3 * kLongRun;
    for (qsizetype start = 0; start < run.size(); start += step) {
        const QStringView part = run.mid(start, window);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, part.data(), part.size());
        qsizetype last = 0;
        for (qsizetype at = finder.toNextBoundary(); at != -1; at = finder.toNextBoundary()) {
            if (at - last >= kLongRun)
                return true;
            last = at;
        }
        if (start + window >= run.size())
            break;
    }
    return false;
}

// Watches one box's document and picks its wrap mode. The document reports
// a change before its layout hears of it, so a switch made here already
// applies to the new text.
class Guard : public QObject
{
public:
    Guard(QAbstractScrollArea *box, QTextDocument *doc)
        : QObject(box), m_box(box), m_doc(doc), m_normalWrap(wrapModeOf(box))
    {
        setObjectName(kGuardName);
        connect(doc, &QTextDocument::contentsChange, this, &Guard::contentsChanged);
        box->installEventFilter(this);
        if (documentHasLongRun())
            setLong(true);
    }

    ~Guard() override
    {
        if (m_busy)
            QGuiApplication::restoreOverrideCursor();
    }

    void prepare(const QString &text)
    {
        if (!hasLongRun(text))
            return; // a switch back waits until the long text is gone
        setLong(true);
        m_holdLong = true;
    }

protected:
    // The paste key: the clipboard's text is known before the box inserts
    // it, so a switch costs nothing (a switch on the change itself lays the
    // new text out twice). Other ways in (the context menu, a drop) are
    // caught on the change.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::KeyPress && !m_long && !isReadOnly(m_box)
            && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            if (const QClipboard *clipboard = QGuiApplication::clipboard())
                prepare(clipboard->text());
        }
        return false;
    }

private:
    void contentsChanged(int position, int removed, int added)
    {
        if (added >= kBusyChars)
            showBusyUntilIdle();
        if (!m_long) {
            if (added > 0 && rangeHasLongRun(position, added))
                setLong(true);
            return;
        }
        if (m_holdLong) {
            // prepare(): the old text goes first, the long text comes next.
            if (added == 0) {
                m_removedWhileHeld = m_removedWhileHeld || removed > 0;
                return;
            }
            m_holdLong = false;
            if (m_removedWhileHeld) // in case the long text never came
                removed = qMax(removed, 1);
            m_removedWhileHeld = false;
        }
        // Only a removal can take the last long run away (a blank typed into
        // one leaves it long unless it was barely long: then wrap-anywhere
        // simply stays a while longer).
        if (removed > 0 && !documentHasLongRun())
            setLong(false);
    }

    // Before this change no long run existed, so one now must touch the
    // inserted text: the inserted text and kLongRun characters on each side
    // hold it.
    bool rangeHasLongRun(int position, int added) const
    {
        const int end = m_doc->characterCount() - 1; // without the last paragraph separator
        QTextCursor cursor(m_doc);
        cursor.setPosition(qBound(0, int(position - kLongRun), end));
        cursor.setPosition(qBound(0, int(position + added + kLongRun), end), QTextCursor::KeepAnchor);
        return hasLongRun(cursor.selectedText());
    }

    bool documentHasLongRun() const
    {
        for (QTextBlock block = m_doc->begin(); block.isValid(); block = block.next()) {
            if (block.length() > kLongRun && hasLongRun(block.text()))
                return true;
        }
        return false;
    }

    void setLong(bool on)
    {
        if (on && !m_long)
            m_normalWrap = wrapModeOf(m_box); // what the page set, restored later
        m_long = on;
        setWrapMode(m_box, on ? QTextOption::WrapAnywhere : m_normalWrap);
    }

    // A large paste: its layout runs right after this change, the paint on
    // the next pass of the event loop.
    void showBusyUntilIdle()
    {
        if (m_busy)
            return;
        m_busy = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(0, this, [this] {
            m_busy = false;
            QGuiApplication::restoreOverrideCursor();
        });
    }

    QAbstractScrollArea *m_box;
    QPointer<QTextDocument> m_doc;
    QTextOption::WrapMode m_normalWrap;
    bool m_long = false;
    bool m_holdLong = false;
    bool m_removedWhileHeld = false;
    bool m_busy = false;
};

Guard *guardOf(QAbstractScrollArea *box)
{
    return static_cast<Guard *>(box->findChild<QObject *>(kGuardName, Qt::FindDirectChildrenOnly));
}

} // namespace

bool hasLongRun(QStringView text)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace())
            continue;
        if (i - runStart >= kLongRun && runHasLongGap(text.mid(runStart, i - runStart)))
            return true;
        runStart = i + 1;
    }
    return false;
}

void guard(QAbstractScrollArea *box)
{
    QTextDocument *doc = box ? documentOf(box) : nullptr;
    if (!doc || guardOf(box))
        return;
    QFont font = box->font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    box->setFont(font);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    new Guard(box, doc);
}

void prepare(QAbstractScrollArea *box, const QString &text)
{
    if (Guard *g = box ? guardOf(box) : nullptr)
        g->prepare(text);
}

BusyCursor::BusyCursor(qsizetype size)
    : m_shown(size >= kBusyChars && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
{
    if (m_shown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace LongTextLayout
