// The "Hex" page on its own (no main window): files are chosen and messages
// answered through the prompt seam; real files in a scratch directory.
#include "testsupport.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTableView>
#include <QElapsedTimer>

#include <sys/stat.h>
#include <sys/types.h>

#include "hex/diffwidget.h"
#include "hex/hexfileread.h"
#include "hex/hexitemdelegate.h"
#include "hex/hextablemodel.h"
#include "hex/kalvest_hex_tools.h"

using TestSupport::PromptRecorder;
using TestSupport::ScratchDir;

namespace {

struct Page
{
    kalvest_hex_tools w;
    template <typename T>
    T *child(const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    QTableView *table(int n) { return child<QTableView>(n == 1 ? "tableView1" : "tableView2"); }
    HexTableModel *model(int n) { return static_cast<HexTableModel *>(table(n)->model()); }
    HexItemDelegate *delegate(int n) { return dynamic_cast<HexItemDelegate *>(table(n)->itemDelegate()); }
    void open(PromptRecorder &rec, int n, const QString &path)
    {
        rec.queueFile(path);
        child<QPushButton>(n == 1 ? "openFile1Button" : "openFile2Button")->click();
    }
    void goTo(const QString &text)
    {
        child<QLineEdit>("addressInput")->setText(text);
        child<QPushButton>("gotoButton")->click();
    }
    QList<int> selectedRows(int n)
    {
        QList<int> rows;
        for (const QModelIndex &i : table(n)->selectionModel()->selectedRows())
            rows.append(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

QByteArray withBytes(int size, const QList<QPair<int, QByteArray>> &places)
{
    QByteArray b(size, '\0');
    for (const auto &p : places)
        b.replace(p.first, p.second.size(), p.second);
    return b;
}

// (side, offset) of the hit the page shows now.
QPair<int, qsizetype> hitOf(kalvest_hex_tools &w, Page &p)
{
    const QModelIndex i = w.currentSearchHit();
    if (!i.isValid())
        return {0, -1};
    const int side = i.model() == p.model(1) ? 1 : i.model() == p.model(2) ? 2 : -1;
    return {side, qsizetype(i.row()) * 16 + i.column() - 1};
}

} // namespace

class TestHexPage : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { kalvest_hex_tools::setWriterForTests({}); }
    void openAndGoTo();
    void largeFilesOpenWhole();
    void goToAndSearchWithoutFile1();
    void searchCyclesThroughBothFiles();
    void searchWithOnlyFile1();
    void clearingTheSearch();
    void selectionMirrorAndHighlight();
    void scrollingIsCoupled();
    void editTrackingAndSave();
    void failedWritesKeepTheOriginal();
    void closeQuestion();
    void refusedFiles();
    void teardownWithEverythingActive();
};

void TestHexPage::openAndGoTo()
{
    ScratchDir dir;
    PromptRecorder rec;
    const QString a = writeFile(dir.file(QStringLiteral("a.bin")), withBytes(64, {}));
    const QString b = writeFile(dir.file(QStringLiteral("b.bin")), withBytes(80, {{70, "x"}}));
    Page p;
    p.open(rec, 1, a);
    QCOMPARE(rec.requests().size(), 1);
    QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::FileOpen);
    QCOMPARE(rec.requests().at(0).title, QStringLiteral("Open File 1"));
    QCOMPARE(rec.requests().at(0).text, QStringLiteral("Binary Files (*.bin);;All Files (*)"));
    p.open(rec, 2, b);
    QCOMPARE(rec.requests().at(1).title, QStringLiteral("Open File 2"));
    QCOMPARE(rec.requests().size(), 2); // no message on a good open

    QVERIFY(!p.table(1)->isHidden());
    QVERIFY(!p.table(2)->isHidden());
    QVERIFY(p.child<QPushButton>("openFile1Button")->isHidden());
    QVERIFY(!p.child<QPushButton>("saveFiel2pushButton")->isHidden());
    QCOMPARE(p.child<QGroupBox>("groupBox_1")->title(), QStringLiteral("a.bin"));
    QCOMPARE(p.child<QGroupBox>("groupBox_2")->title(), QStringLiteral("b.bin"));
    QCOMPARE(p.model(1)->rowCount(), 4);
    QCOMPARE(p.model(2)->rowCount(), 5);
    QVERIFY(p.delegate(1) && p.delegate(1) == p.delegate(2));

    // Column set-up runs once the event loop has turned.
    // (A header never goes below its minimum section size.)
    QHeaderView *h1 = p.table(1)->horizontalHeader();
    const int narrow = qMax(30, h1->minimumSectionSize());
    QTRY_COMPARE(h1->sectionResizeMode(1), QHeaderView::Fixed);
    QCOMPARE(h1->sectionResizeMode(0), QHeaderView::ResizeToContents);
    QCOMPARE(h1->sectionResizeMode(32), QHeaderView::Fixed);
    QCOMPARE(h1->sectionSize(1), qMax(35, h1->minimumSectionSize()));
    QCOMPARE(h1->sectionSize(17), narrow);
    QTRY_COMPARE(p.table(2)->horizontalHeader()->sectionSize(32), narrow);

    p.goTo(QStringLiteral("1F"));
    QCOMPARE(p.selectedRows(1), QList<int>{1});
    QCOMPARE(p.selectedRows(2), QList<int>{1});
    QVERIFY(p.table(1)->selectionModel()->isRowSelected(1, QModelIndex()));

    rec.clear();
    for (const char *bad : {"zz", "", "1G", " "}) {
        p.goTo(QString::fromLatin1(bad));
        QCOMPARE(rec.requests().size(), 1);
        QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::Warning);
        QCOMPARE(rec.requests().at(0).title, QStringLiteral("Invalid Address"));
        QCOMPARE(rec.requests().at(0).text, QStringLiteral("Please enter a valid hexadecimal address."));
        rec.clear();
    }
    QCOMPARE(p.selectedRows(1), QList<int>{1});

    // Past file 1's last row: neither table moves, though file 2 reaches it.
    p.goTo(QStringLiteral("40"));
    QCOMPARE(p.selectedRows(1), QList<int>{1});
    QCOMPARE(p.selectedRows(2), QList<int>{1});
    // Minus 1 to minus F truncate to row 0.
    p.goTo(QStringLiteral("-F"));
    QCOMPARE(p.selectedRows(1), QList<int>{0});
    QCOMPARE(p.selectedRows(2), QList<int>{0});
    p.goTo(QStringLiteral("3f"));
    QCOMPARE(p.selectedRows(1), QList<int>{3});
    QCOMPARE(p.selectedRows(2), QList<int>{3});
    QVERIFY(rec.requests().isEmpty());
}

// Large files are read by several threads and compared by several threads;
// the bytes and the differing rows must come out as for a small file.
void TestHexPage::largeFilesOpenWhole()
{
    ScratchDir dir;
    PromptRecorder rec;
    const qsizetype size1 = qsizetype(HexFileRead::ThreadedFrom) * 2 + 5;
    QByteArray one(size1, Qt::Uninitialized);
    for (qsizetype i = 0; i < size1; ++i)
        one[i] = char((i * 7 + i / 251) & 0xFF);
    QByteArray two = one + QByteArray(20, '\x11'); // longer: its last rows exist only here
    const qsizetype rows1 = (size1 + 15) / 16;
    // Differences at the ends of 64-row words and near the quarters, where
    // the comparing threads split the rows.
    QList<qsizetype> changed = {0, 63, 64, 127, 128, rows1 - 3};
    for (int q = 1; q < 4; ++q)
        for (qsizetype d = -65; d <= 65; d += 13)
            changed.append(rows1 * q / 4 + d);
    for (qsizetype r : changed)
        two[r * 16 + (r % 16)] = char(~uchar(two.at(r * 16 + (r % 16))));

    const QString a = writeFile(dir.file(QStringLiteral("a.bin")), one);
    const QString b = writeFile(dir.file(QStringLiteral("b.bin")), two);
    Page p;
    p.w.resize(900, 600);
    p.w.show();
    p.open(rec, 1, a);
    p.open(rec, 2, b);
    QCOMPARE(rec.requests().size(), 2); // no message
    QVERIFY(p.model(1) && p.model(2));
    QVERIFY(p.model(1)->getData() == one);
    QVERIFY(p.model(2)->getData() == two);
    QCOMPARE(p.model(1)->rowCount(), int(rows1));
    QCOMPARE(p.model(2)->rowCount(), int((two.size() + 15) / 16));
    QVERIFY(!p.table(1)->isHidden() && !p.table(2)->isHidden());
    QCOMPARE(p.child<QGroupBox>("groupBox_2")->title(), QStringLiteral("b.bin"));

    // A row differs where its 16-byte slices differ (or one file lacks it).
    const qsizetype maxRows = (two.size() + 15) / 16;
    const RowBitmap &diff = p.w.findChild<DiffWidget *>()->differingRows();
    QCOMPARE(diff.rows(), maxRows);
    qsizetype marked = 0;
    for (qsizetype r = 0; r < maxRows; ++r) {
        const bool differs = one.mid(r * 16, 16) != two.mid(r * 16, 16);
        if (diff.test(r) != differs)
            QFAIL(qPrintable(QStringLiteral("row %1: marked %2, differs %3").arg(r).arg(diff.test(r)).arg(differs)));
        marked += differs;
    }
    // The changed rows, file 1's last row (file 2 goes on past its end) and
    // the one row only file 2 has.
    QCOMPARE(marked, qsizetype(changed.size()) + 1 + 1);
    QVERIFY(diff.test(rows1 - 1) && diff.test(rows1));

    // The cell painting compares the same bytes.
    const QModelIndex cell = p.model(2)->index(int(changed.at(1)), int(changed.at(1) % 16) + 1);
    QVERIFY(p.model(1)->data(cell) != p.model(2)->data(cell));
}

void TestHexPage::goToAndSearchWithoutFile1()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    p.goTo(QStringLiteral("10"));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("No file 1 loaded.")});
    QCOMPARE(rec.requests().at(0).title, QStringLiteral("Warning"));

    p.open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), QByteArray(32, '\x41')));
    rec.clear();
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("41"));
    QVERIFY(!p.w.currentSearchHit().isValid()); // file 2 alone is not searched
    QTest::keyClick(p.child<QLineEdit>("searchInput"), Qt::Key_Return);
    p.child<QPushButton>("nextButton")->click();
    p.child<QPushButton>("prevButton")->click();
    QCOMPARE(rec.texts(), QStringList(3, QStringLiteral("No results found.")));
    QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::Information);
    QCOMPARE(rec.requests().at(0).title, QStringLiteral("Search"));
    p.goTo(QStringLiteral("10"));
    QCOMPARE(rec.texts().last(), QStringLiteral("No file 1 loaded."));
}

void TestHexPage::searchCyclesThroughBothFiles()
{
    ScratchDir dir;
    PromptRecorder rec;
    // "41 42" at 3, 40, 60 in file 1 (and across a row end at 15/16, which
    // does not count); at 5 and 17 in file 2.
    const QByteArray one = withBytes(96, {{3, "AB"}, {15, "AB"}, {40, "AB"}, {60, "ABAB"}});
    const QByteArray two = withBytes(48, {{5, "AB"}, {17, "AB"}});
    Page p;
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("one.bin")), one));
    p.open(rec, 2, writeFile(dir.file(QStringLiteral("two.bin")), two));

    QList<QPair<int, qsizetype>> cycle;
    for (const QModelIndex &i : p.model(1)->search(QStringLiteral("41 42"), 0))
        cycle.append({1, qsizetype(i.row()) * 16 + i.column() - 1});
    for (const QModelIndex &i : p.model(2)->search(QStringLiteral("41 42"), 0))
        cycle.append({2, qsizetype(i.row()) * 16 + i.column() - 1});
    const QList<QPair<int, qsizetype>> expected{{1, 3}, {1, 40}, {1, 60}, {1, 62}, {2, 5}, {2, 17}};
    QCOMPARE(cycle, expected);

    // Typing searches on every change; the first hit is shown.
    QTest::keyClicks(p.child<QLineEdit>("searchInput"), QStringLiteral("41 42"));
    QCOMPARE(hitOf(p.w, p), expected.at(0));
    QCOMPARE(p.selectedRows(1), QList<int>{0});
    QCOMPARE(p.selectedRows(2), QList<int>{0});
    QCOMPARE(p.delegate(1)->highlight().row(), 0);

    for (int step = 1; step <= expected.size() + 1; ++step) {
        p.child<QPushButton>("nextButton")->click();
        const auto want = expected.at(step % expected.size());
        QCOMPARE(hitOf(p.w, p), want);
        const int row = int(want.second / 16);
        QCOMPARE(p.selectedRows(1), QList<int>{row});
        QCOMPARE(p.selectedRows(2), row < 3 ? QList<int>{row} : QList<int>{});
        QCOMPARE(p.delegate(1)->highlight().row(), row);
    }
    // Now on hit 1; Prev goes back through 0 and wraps to the last.
    p.child<QPushButton>("prevButton")->click();
    QCOMPARE(hitOf(p.w, p), expected.at(0));
    p.child<QPushButton>("prevButton")->click();
    QCOMPARE(hitOf(p.w, p), expected.last());
    p.child<QPushButton>("prevButton")->click();
    QCOMPARE(hitOf(p.w, p), expected.at(expected.size() - 2));
    p.child<QPushButton>("prevButton")->click();
    QCOMPARE(hitOf(p.w, p), expected.at(expected.size() - 3));

    // Return searches again and shows the first hit.
    QTest::keyClick(p.child<QLineEdit>("searchInput"), Qt::Key_Return);
    QCOMPARE(hitOf(p.w, p), expected.at(0));
    QVERIFY(rec.texts().isEmpty() || !rec.texts().contains(QStringLiteral("No results found.")));

    // A hit edited away is skipped; searching changes no modified flag.
    QVERIFY(p.model(1)->setData(p.model(1)->index(2, 9), QStringLiteral("00"), Qt::EditRole)); // offset 40
    QVERIFY(p.w.isModified(1));
    p.child<QPushButton>("nextButton")->click();
    QCOMPARE(hitOf(p.w, p), expected.at(2));
    QVERIFY(p.w.isModified(1));
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("42"));
    QVERIFY(p.w.isModified(1));

    // One hit in each file: Next alternates between them.
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("00 41 42"));
    const auto first = hitOf(p.w, p);
    QCOMPARE(first.first, 1);
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("00 00 41 42 00"));
    QCOMPARE(hitOf(p.w, p), (QPair<int, qsizetype>{1, 1}));
    p.child<QPushButton>("nextButton")->click();
    QCOMPARE(hitOf(p.w, p), (QPair<int, qsizetype>{2, 3}));
    p.child<QPushButton>("nextButton")->click();
    QCOMPARE(hitOf(p.w, p), (QPair<int, qsizetype>{1, 1}));

    // Malformed patterns find nothing.
    rec.clear();
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("0x41"));
    QVERIFY(!p.w.currentSearchHit().isValid());
    p.child<QPushButton>("nextButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("No results found.")});
}

void TestHexPage::searchWithOnlyFile1()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("a.bin")), withBytes(200, {{100, "\x7f"}})));
    rec.clear();
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("7F"));
    QCOMPARE(hitOf(p.w, p), (QPair<int, qsizetype>{1, 100}));
    QCOMPARE(p.selectedRows(1), QList<int>{6});
    // No second file: nothing is painted yellow.
    QVERIFY(p.delegate(1));
    QVERIFY(!p.delegate(1)->highlight().isValid());
    p.child<QPushButton>("nextButton")->click();
    QCOMPARE(hitOf(p.w, p), (QPair<int, qsizetype>{1, 100}));
    QVERIFY(rec.texts().isEmpty());
}

void TestHexPage::clearingTheSearch()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("a.bin")), withBytes(64, {{20, "\x55"}})));
    p.open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), withBytes(64, {{20, "\x55"}})));
    p.child<QLineEdit>("searchInput")->setText(QStringLiteral("55"));
    QCOMPARE(p.delegate(1)->highlight().row(), 1);
    p.child<QLineEdit>("searchInput")->clear();
    QVERIFY(!p.delegate(1)->highlight().isValid());
    QVERIFY(!p.w.currentSearchHit().isValid());
}

void TestHexPage::selectionMirrorAndHighlight()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("a.bin")), QByteArray(160, '\1')));
    p.open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), QByteArray(40, '\1')));
    p.w.resize(900, 500);
    p.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.w));

    // A click in table 1 selects the same cell in table 2 and lights the row.
    const QModelIndex cell = p.model(1)->index(2, 5);
    const QRect r = p.table(1)->visualRect(cell);
    QTest::mouseClick(p.table(1)->viewport(), Qt::LeftButton, {}, r.center());
    QVERIFY(p.table(1)->selectionModel()->isSelected(cell));
    QVERIFY(p.table(2)->selectionModel()->isSelected(p.model(2)->index(2, 5)));
    QCOMPARE(p.delegate(1)->highlight().row(), 2);

    // Table 2 drives table 1 the same way.
    p.table(2)->selectionModel()->select(p.model(2)->index(1, 7), QItemSelectionModel::ClearAndSelect);
    QVERIFY(p.table(1)->selectionModel()->isSelected(p.model(1)->index(1, 7)));
    QVERIFY(!p.table(1)->selectionModel()->isSelected(cell));
    QCOMPARE(p.delegate(1)->highlight().row(), 1);

    // Rows that file 2 lacks are clipped away; a range over the end is cut.
    p.table(1)->selectionModel()->select(
        QItemSelection(p.model(1)->index(1, 0), p.model(1)->index(8, 32)), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(p.selectedRows(2), (QList<int>{1, 2}));
    p.table(1)->selectionModel()->select(p.model(1)->index(9, 3), QItemSelectionModel::ClearAndSelect);
    QVERIFY(p.table(2)->selectionModel()->selection().isEmpty());
    QCOMPARE(p.delegate(1)->highlight().row(), 9);

    // A select-all in the long table stays clipped in the short one.
    p.table(1)->selectAll();
    QCOMPARE(p.selectedRows(2), (QList<int>{0, 1, 2}));
    QCOMPARE(p.selectedRows(1).size(), 10);
}

void TestHexPage::scrollingIsCoupled()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("a.bin")), QByteArray(16 * 600, '\2')));
    p.open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), QByteArray(16 * 400, '\3')));
    p.w.resize(900, 500);
    p.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.w));
    QScrollBar *b1 = p.table(1)->verticalScrollBar();
    QScrollBar *b2 = p.table(2)->verticalScrollBar();
    QVERIFY(b1->maximum() > 300);
    b1->setValue(120);
    QCOMPARE(b2->value(), 120);
    b2->setValue(7);
    QCOMPARE(b1->value(), 7);
    b1->setValue(b1->maximum()); // past the shorter table's range: clamped there
    QCOMPARE(b2->value(), b2->maximum());
    // The strip jumps both tables to a row.
    p.goTo(QStringLiteral("C80")); // row 200
    QCOMPARE(p.selectedRows(1), QList<int>{200});
    QCOMPARE(p.selectedRows(2), QList<int>{200});
    QCOMPARE(p.table(1)->rowAt(0), 200);
}

void TestHexPage::editTrackingAndSave()
{
    ScratchDir dir;
    PromptRecorder rec;
    QByteArray original(40, '\0');
    for (int i = 0; i < 40; ++i)
        original[i] = char(i * 7);
    const QString a = writeFile(dir.file(QStringLiteral("a.bin")), original);
    Page p;
    p.open(rec, 1, a);
    QVERIFY(!p.w.isModified(1));

    // Edits count before the second file is there, through the real editor.
    p.w.resize(900, 500);
    p.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.w));
    QVERIFY(p.delegate(1));
    const QModelIndex cell = p.model(1)->index(1, 3); // offset 18
    p.table(1)->edit(cell);
    auto *editor = p.table(1)->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("c3z"));  // the third character is refused
    QCOMPARE(editor->text(), QStringLiteral("c3"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(uchar(p.model(1)->getData().at(18)), uchar(0xC3)); // committed from the event loop
    QVERIFY(p.w.isModified(1));

    // A highlight request is not an edit.
    p.open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), original));
    QVERIFY(!p.w.isModified(2));
    p.delegate(1)->setHighlightIndex(p.model(2)->index(0, 1));
    QVERIFY(!p.w.isModified(2));
    // Setting a byte to the value it had still counts.
    QVERIFY(p.model(2)->setData(p.model(2)->index(0, 2), QStringLiteral("07"), Qt::EditRole));
    QVERIFY(p.w.isModified(2));

    rec.clear();
    p.child<QPushButton>("saveFiel1pushButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("File saved successfully.")});
    QCOMPARE(rec.requests().at(0).title, QStringLiteral("Save"));
    QVERIFY(!p.w.isModified(1));
    QByteArray expected = original;
    expected[18] = char(0xC3);
    const QString want = writeFile(dir.file(QStringLiteral("expected.bin")), expected);
    QProcess cmp;
    cmp.start(QStringLiteral("cmp"), {a, want});
    QVERIFY(cmp.waitForFinished(5000));
    QCOMPARE(cmp.exitCode(), 0);
    QCOMPARE(readFile(dir.file(QStringLiteral("b.bin"))), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3); // no temporary left
}

void TestHexPage::failedWritesKeepTheOriginal()
{
    ScratchDir dir;
    PromptRecorder rec;
    const QByteArray original(100, '\x5a');
    const QString a = writeFile(dir.file(QStringLiteral("a.bin")), original);
    Page p;
    p.open(rec, 1, a);
    QVERIFY(p.model(1)->setData(p.model(1)->index(0, 1), QStringLiteral("01"), Qt::EditRole));

    // A short write.
    kalvest_hex_tools::setWriterForTests(
        [](QSaveFile &f, const QByteArray &data) { return f.write(data.left(data.size() / 2)); });
    rec.clear();
    p.child<QPushButton>("saveFiel1pushButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Failed to write to file.")});
    QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::Warning);
    QCOMPARE(rec.requests().at(0).title, QStringLiteral("Error"));
    QCOMPARE(readFile(a), original);
    QVERIFY(p.w.isModified(1));

    // Every byte written but the commit fails.
    kalvest_hex_tools::setWriterForTests([](QSaveFile &f, const QByteArray &data) {
        const qint64 n = f.write(data);
        f.cancelWriting();
        return n;
    });
    rec.clear();
    p.child<QPushButton>("saveFiel1pushButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Failed to write to file.")});
    QCOMPARE(readFile(a), original);
    QVERIFY(p.w.isModified(1));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.bin")});

    // The folder is gone: the file cannot be opened for writing.
    kalvest_hex_tools::setWriterForTests({});
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    const QString inSub = writeFile(dir.file(QStringLiteral("sub/b.bin")), original);
    p.open(rec, 2, inSub);
    QVERIFY(QDir(dir.file(QStringLiteral("sub"))).removeRecursively());
    rec.clear();
    p.child<QPushButton>("saveFiel2pushButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Failed to open file for writing.")});

    // And with the real writer the save then works.
    rec.clear();
    p.child<QPushButton>("saveFiel1pushButton")->click();
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("File saved successfully.")});
    QCOMPARE(uchar(readFile(a).at(0)), uchar(0x01));
    QVERIFY(!p.w.isModified(1));
}

void TestHexPage::closeQuestion()
{
    ScratchDir dir;
    PromptRecorder rec;
    const QByteArray original(32, '\x10');
    const QString a = writeFile(dir.file(QStringLiteral("a.bin")), original);
    const QString b = writeFile(dir.file(QStringLiteral("b.bin")), original);

    {
        Page p;
        p.open(rec, 1, a);
        p.open(rec, 2, b);
        p.w.show();
        QVERIFY(p.w.close()); // nothing edited: no question
        QCOMPARE(rec.requests().size(), 2);

        p.w.show();
        QVERIFY(p.model(1)->setData(p.model(1)->index(0, 1), QStringLiteral("AA"), Qt::EditRole));
        rec.clear();
        rec.queueButton(QMessageBox::Cancel);
        QVERIFY(!p.w.close());
        QVERIFY(p.w.isVisible());
        QCOMPARE(rec.requests().size(), 1);
        QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::Question);
        QCOMPARE(rec.requests().at(0).title, QStringLiteral("Save Changes"));
        QCOMPARE(rec.requests().at(0).text,
                 QStringLiteral("File a.bin has been modified.\nDo you want to save your changes?"));
        QCOMPARE(rec.requests().at(0).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);

        // No: closes without writing.
        rec.clear();
        rec.queueButton(QMessageBox::No);
        QVERIFY(p.w.close());
        QCOMPARE(readFile(a), original);
    }
    {
        // Both sides edited; a failed save stops the closing.
        Page p;
        p.open(rec, 1, a);
        p.open(rec, 2, b);
        p.w.show();
        QVERIFY(p.model(1)->setData(p.model(1)->index(0, 1), QStringLiteral("AA"), Qt::EditRole));
        QVERIFY(p.model(2)->setData(p.model(2)->index(1, 1), QStringLiteral("BB"), Qt::EditRole));
        kalvest_hex_tools::setWriterForTests([](QSaveFile &, const QByteArray &) { return qint64(-1); });
        rec.clear();
        rec.queueButton(QMessageBox::Yes);
        QVERIFY(!p.w.close());
        QCOMPARE(rec.texts().last(), QStringLiteral("Failed to write to file."));
        QCOMPARE(readFile(a), original);

        // Yes with a working writer: both files written, then closed.
        kalvest_hex_tools::setWriterForTests({});
        rec.clear();
        rec.queueButton(QMessageBox::Yes);
        rec.queueButton(QMessageBox::Ok);
        rec.queueButton(QMessageBox::Yes);
        QVERIFY(p.w.close());
        QCOMPARE(rec.requests().size(), 4);
        QCOMPARE(rec.requests().at(2).text,
                 QStringLiteral("File b.bin has been modified.\nDo you want to save your changes?"));
        QCOMPARE(uchar(readFile(a).at(0)), uchar(0xAA));
        QCOMPARE(uchar(readFile(b).at(16)), uchar(0xBB));

        // Saved: closing again asks nothing.
        p.w.show();
        rec.clear();
        QVERIFY(p.w.close());
        QVERIFY(rec.requests().isEmpty());
    }
}

void TestHexPage::refusedFiles()
{
    ScratchDir dir;
    PromptRecorder rec;
    Page p;
    auto expectRefused = [&](const QString &path, const QString &text) {
        rec.clear();
        QElapsedTimer t;
        t.start();
        p.open(rec, 1, path);
        QVERIFY2(t.elapsed() < 5000, qPrintable(path));
        QCOMPARE(rec.requests().size(), 2);
        QCOMPARE(rec.requests().at(1).kind, UiPrompt::Kind::Warning);
        QCOMPARE(rec.requests().at(1).title, QStringLiteral("Warning"));
        QCOMPARE(rec.requests().at(1).text, text);
        QVERIFY(!p.model(1));
        QVERIFY(p.table(1)->isHidden());
        QVERIFY(!p.child<QPushButton>("openFile1Button")->isHidden());
    };
    expectRefused(QStringLiteral("/dev/zero"), QStringLiteral("zero is not a regular file and cannot be opened."));

    const QByteArray fifo = QFile::encodeName(dir.file(QStringLiteral("pipe")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    expectRefused(dir.file(QStringLiteral("pipe")), QStringLiteral("pipe is not a regular file and cannot be opened."));

    QFile big(dir.file(QStringLiteral("big.bin")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(kalvest_hex_tools::MaxFileSize + 1)); // sparse: no disk used
    big.close();
    expectRefused(big.fileName(), QStringLiteral("big.bin is larger than 512 MiB and cannot be opened."));

    // A missing file is passed over without a message.
    rec.clear();
    p.open(rec, 1, dir.file(QStringLiteral("missing.bin")));
    QCOMPARE(rec.requests().size(), 1);
    QVERIFY(!p.model(1));

    // A cancelled dialog changes nothing; a good file then still opens.
    rec.clear();
    rec.queue(UiPrompt::Answer{QMessageBox::Cancel, QString(), false});
    p.child<QPushButton>("openFile1Button")->click();
    QVERIFY(!p.model(1));
    p.open(rec, 1, writeFile(dir.file(QStringLiteral("ok.bin")), QByteArray(3, 'x')));
    QVERIFY(p.model(1));
    QCOMPARE(p.model(1)->getData(), QByteArray(3, 'x'));
}

void TestHexPage::teardownWithEverythingActive()
{
    ScratchDir dir;
    PromptRecorder rec;
    auto *p = new Page;
    p->open(rec, 1, writeFile(dir.file(QStringLiteral("a.bin")), QByteArray(5000, '\x33')));
    p->open(rec, 2, writeFile(dir.file(QStringLiteral("b.bin")), QByteArray(3000, '\x34')));
    p->w.resize(900, 500);
    p->w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p->w));
    p->table(1)->selectionModel()->select(p->model(1)->index(3, 3), QItemSelectionModel::Select);
    p->child<QLineEdit>("searchInput")->setText(QStringLiteral("33 33"));
    QVERIFY(p->w.currentSearchHit().isValid());
    p->table(2)->edit(p->model(2)->index(1, 1)); // an editor open at teardown
    QTest::qWait(20);
    delete p;
    QTest::qWait(20);
}

VELM_TEST_MAIN(TestHexPage)
#include "tst_hexpage.moc"
