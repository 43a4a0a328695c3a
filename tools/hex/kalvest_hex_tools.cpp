#include "kalvest_hex_tools.h"
#include "ui_kalvest_hex_tools.h"

#include "diffwidget.h"
#include "hexitemdelegate.h"
#include "hexfileread.h"
#include "hextablemodel.h"
#include "mainwindow.h"
#include "uiprompt.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>

namespace {
const char *const kFileFilter = "Binary Files (*.bin);;All Files (*)";

kalvest_hex_tools::Writer &writerRef()
{
    static kalvest_hex_tools::Writer writer;
    return writer;
}
} // namespace

void kalvest_hex_tools::setWriterForTests(Writer writer) { writerRef() = std::move(writer); }

kalvest_hex_tools::kalvest_hex_tools(QWidget *parent) : QWidget(parent), ui(new Ui_kalvest_hex_tools)
{
    ui->setupUi(this);

    ui->addressInput->setPlaceholderText(tr("Enter address (hex)"));
    ui->tableView1->hide();
    ui->tableView2->hide();
    ui->saveFiel1pushButton->hide();
    ui->saveFiel2pushButton->hide();

    QFont font(QStringLiteral("Monospace"));
    font.setPointSize(12);
    ui->tableView1->setFont(font);
    ui->tableView2->setFont(font);

    connect(ui->openFile1Button, &QPushButton::clicked, this, [this] { openFile1(); });
    connect(ui->openFile2Button, &QPushButton::clicked, this, [this] { openFile2(); });
    connect(ui->gotoButton, &QPushButton::clicked, this, &kalvest_hex_tools::onGotoButton_clicked);
    connect(ui->saveFiel1pushButton, &QPushButton::clicked, this, [this] { saveFile(1); });
    connect(ui->saveFiel2pushButton, &QPushButton::clicked, this, [this] { saveFile(2); });
    connect(ui->prevButton, &QPushButton::clicked, this, &kalvest_hex_tools::onPrevButtonClicked);
    connect(ui->nextButton, &QPushButton::clicked, this, &kalvest_hex_tools::onNextButtonClicked);

    diffWidget = new DiffWidget(this);
    ui->horizontalLayout_2->addWidget(diffWidget);

    ui->searchInput->setPlaceholderText(tr("Search (hex)"));
    connect(ui->searchInput, &QLineEdit::returnPressed, this, &kalvest_hex_tools::onSearchInputReturnPressed);
    connect(ui->searchInput, &QLineEdit::textChanged, this, &kalvest_hex_tools::performSearch);
    connect(diffWidget, &DiffWidget::jumpToRow, this, &kalvest_hex_tools::onJumpToRow);

    // Unsaved edits are offered for saving when the main window closes.
    for (QObject *p = parent; p; p = p->parent()) {
        if (auto *window = qobject_cast<MainWindow *>(p)) {
            window->addCloseGuard(this, [this] { return !maybeSave(); });
            break;
        }
    }
}

kalvest_hex_tools::~kalvest_hex_tools()
{
    // Take everything off the views before the models and the delegate go.
    for (const QMetaObject::Connection &c : qAsConst(connections))
        disconnect(c);
    connections.clear();
    for (QTableView *t : {ui->tableView1, ui->tableView2}) {
        t->verticalScrollBar()->disconnect(this);
        t->verticalScrollBar()->disconnect(ui->tableView1->verticalScrollBar());
        t->verticalScrollBar()->disconnect(ui->tableView2->verticalScrollBar());
        QItemSelectionModel *selection = t->selectionModel();
        if (selection)
            selection->disconnect();
        // A view always wants a delegate (sizing asks it), so it gets a
        // plain one of its own in place of the shared one.
        t->setItemDelegate(new QStyledItemDelegate(t));
        t->setModel(nullptr);
        delete selection;
    }
    if (model1)
        model1->disconnect();
    if (model2)
        model2->disconnect();
    delete ui;
    ui = nullptr;
    delete model1;
    model1 = nullptr;
    delete model2;
    model2 = nullptr;
    delete delegate;
    delegate = nullptr;
    delete diffWidget;
    diffWidget = nullptr;
}

QTableView *kalvest_hex_tools::table(int which) const
{
    return which == 1 ? ui->tableView1 : which == 2 ? ui->tableView2 : nullptr;
}

// ---------------------------------------------------------------------------
// Opening

void kalvest_hex_tools::openFile1() { openFile(1); }
void kalvest_hex_tools::openFile2() { openFile(2); }

void kalvest_hex_tools::openFile(int which)
{
    QString &filePath = which == 1 ? filePath1 : filePath2;
    filePath = UiPrompt::openFileName(this, which == 1 ? QStringLiteral("Open File 1") : QStringLiteral("Open File 2"),
                                      QString(), QLatin1String(kFileFilter));

    if (!filePath.isEmpty()) {
        const QFileInfo info(filePath);
        if (info.exists() && !info.isFile()) {
            // FIFOs and devices: opening one could block or never end.
            UiPrompt::warning(this, QStringLiteral("Warning"),
                              QStringLiteral("%1 is not a regular file and cannot be opened.").arg(info.fileName()));
            return;
        }
        if (info.size() > MaxFileSize) {
            UiPrompt::warning(this, QStringLiteral("Warning"),
                              QStringLiteral("%1 is larger than 512 MiB and cannot be opened.").arg(info.fileName()));
            return;
        }
        QFile file(filePath);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QTableView *view = table(which);
        HexTableModel *&slot = which == 1 ? model1 : model2;
        HexTableModel *loaded = nullptr;

        // A large file is read by a few threads while the table sets its rows
        // up for the file's size, which takes about as long. Nothing looks at
        // the bytes before the reading has ended: setting the model only asks
        // for the row count.
        const qint64 expected = info.size();
        if (expected >= HexFileRead::ThreadedFrom) {
            QByteArray buffer(qsizetype(expected), Qt::Uninitialized);
            HexFileRead reading(file.handle(), buffer.data(), expected);
            auto *candidate = new HexTableModel(std::move(buffer), nullptr);
            const bool wasHidden = view->isHidden();
            view->show();
            view->setModel(candidate);
            const HexFileRead::Result result = reading.wait();
            if (result == HexFileRead::Result::Complete && !HexFileRead::hasByteAt(file.handle(), expected)) {
                loaded = candidate;
            } else {
                view->setModel(slot);
                view->setHidden(wasHidden);
                delete candidate;
                if (result == HexFileRead::Result::Failed) {
                    UiPrompt::warning(this, QStringLiteral("Warning"),
                                      QStringLiteral("Failed to read %1.").arg(info.fileName()));
                    return;
                }
                // The file changed size while it was read: read it again
                // below, to its end as it is now.
            }
        }
        if (!loaded) {
            QByteArray bytes;
            if (!readWhole(file, info.fileName(), &bytes))
                return;
            view->show();
            loaded = new HexTableModel(std::move(bytes), nullptr);
            view->setModel(loaded);
        }
        file.close();

        (which == 1 ? ui->saveFiel1pushButton : ui->saveFiel2pushButton)->show();
        (which == 1 ? ui->openFile1Button : ui->openFile2Button)->hide();

        QString &fileName = which == 1 ? fileName1 : fileName2;
        fileName = info.fileName();
        (which == 1 ? ui->groupBox_1 : ui->groupBox_2)->setTitle(fileName);

        slot = loaded;
        // Edits count from the moment the file is open.
        connections.append(connect(
            slot, &QAbstractItemModel::dataChanged, slot,
            [this, which](const QModelIndex &tl, const QModelIndex &br, const QList<int> &roles) {
                onModelChanged(which, tl, br, roles);
            },
            Qt::DirectConnection));

        updateDelegate();
        QTimer::singleShot(0, this, [this, view] { setupTableView(view); });

        syncScrollBars();
        syncSelection();
        (which == 1 ? modified1 : modified2) = false;
    }

    if (bothLoaded()) {
        diffWidget->setModels(model1, model2);
        updateDiffWidget(ui->tableView1);
    }
}

bool kalvest_hex_tools::readWhole(QFile &file, const QString &name, QByteArray *out)
{
    // Read at most one byte past the limit, so a file that grew since it
    // was looked at is still caught.
    QByteArray bytes;
    bytes.resize(qsizetype(qMin<qint64>(file.size(), MaxFileSize + 1)));
    qint64 got = 0;
    while (true) {
        if (got == bytes.size()) {
            if (bytes.size() > MaxFileSize)
                break;
            bytes.resize(qsizetype(qMin<qint64>(qMax<qint64>(got * 2, 4096), MaxFileSize + 1)));
        }
        const qint64 n = file.read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            UiPrompt::warning(this, QStringLiteral("Warning"), QStringLiteral("Failed to read %1.").arg(name));
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > MaxFileSize) {
        UiPrompt::warning(this, QStringLiteral("Warning"),
                          QStringLiteral("%1 is larger than 512 MiB and cannot be opened.").arg(name));
        return false;
    }
    bytes.resize(qsizetype(got));
    *out = bytes;
    return true;
}

void kalvest_hex_tools::setupTableView(QTableView *view)
{
    QHeaderView *header = view->horizontalHeader();
    if (header->count() < HexTableModel::ColumnCount)
        return;
    // The byte and character columns are sized first: while any column
    // resizes to its contents, every other resize re-measures the header,
    // which costs milliseconds a column on a file of millions of rows.
    for (int c = 1; c <= 32; ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        header->resizeSection(c, c <= 16 ? 35 : 30);
    }
    // The address column is measured on the rows in view only.
    view->verticalHeader()->setResizeContentsPrecision(0);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
}

void kalvest_hex_tools::updateDelegate()
{
    // One delegate paints both tables. It edits byte cells from the first
    // open on; it compares the files once both are there.
    if (delegate) {
        ui->tableView1->setItemDelegate(nullptr);
        ui->tableView2->setItemDelegate(nullptr);
        delete delegate;
        delegate = nullptr;
    }
    delegate = new HexItemDelegate(model1, model2, nullptr);
    ui->tableView1->setItemDelegate(delegate);
    ui->tableView2->setItemDelegate(delegate);
}

void kalvest_hex_tools::onModelChanged(int which, const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                       const QList<int> &roles)
{
    if (delegate)
        delegate->updateBothViews(topLeft, table(which), table(which == 1 ? 2 : 1));
    if (topLeft == bottomRight && (roles.isEmpty() || (roles.size() == 1 && roles.first() == Qt::EditRole)))
        return; // a repaint request, not an edit
    (which == 1 ? modified1 : modified2) = true;
    anyModified = true;
}

// ---------------------------------------------------------------------------
// Scrolling and selection

void kalvest_hex_tools::syncScrollBars()
{
    if (scrollSynced)
        return;
    scrollSynced = true;
    QScrollBar *bar1 = ui->tableView1->verticalScrollBar();
    QScrollBar *bar2 = ui->tableView2->verticalScrollBar();
    connect(bar1, &QScrollBar::valueChanged, bar2, &QScrollBar::setValue);
    connect(bar2, &QScrollBar::valueChanged, bar1, &QScrollBar::setValue);
    connect(bar1, &QScrollBar::valueChanged, this, [this] { updateDiffWidget(ui->tableView1); });
    connect(bar2, &QScrollBar::valueChanged, this, [this] { updateDiffWidget(ui->tableView2); });
}

void kalvest_hex_tools::syncSelection()
{
    QItemSelectionModel *s1 = ui->tableView1->selectionModel();
    QItemSelectionModel *s2 = ui->tableView2->selectionModel();
    if (selectionSynced || !s1 || !s2 || !bothLoaded())
        return;
    selectionSynced = true;
    connections.append(connect(
        s1, &QItemSelectionModel::selectionChanged, s1,
        [this](const QItemSelection &sel, const QItemSelection &desel) { mirrorSelection(1, sel, desel); },
        Qt::DirectConnection));
    connections.append(connect(
        s2, &QItemSelectionModel::selectionChanged, s2,
        [this](const QItemSelection &sel, const QItemSelection &desel) { mirrorSelection(2, sel, desel); },
        Qt::DirectConnection));
}

// Maps selection ranges onto the other model, clipped to its rows.
static QItemSelection mapSelection(const QItemSelection &ranges, QAbstractItemModel *target)
{
    QItemSelection out;
    const int rows = target->rowCount();
    const int columns = target->columnCount();
    for (const QItemSelectionRange &r : ranges) {
        if (!r.isValid() || r.top() >= rows || r.left() >= columns)
            continue;
        const QModelIndex tl = target->index(r.top(), r.left());
        const QModelIndex br = target->index(qMin(r.bottom(), rows - 1), qMin(r.right(), columns - 1));
        if (tl.isValid() && br.isValid())
            out.append(QItemSelectionRange(tl, br));
    }
    return out;
}

void kalvest_hex_tools::mirrorSelection(int from, const QItemSelection &selected, const QItemSelection &deselected)
{
    QTableView *other = table(from == 1 ? 2 : 1);
    QItemSelectionModel *otherSelection = other->selectionModel();
    HexTableModel *otherModel = model(from == 1 ? 2 : 1);
    if (!otherSelection || !otherModel || otherSelection->model() != otherModel)
        return;
    const QItemSelection toSelect = mapSelection(selected, otherModel);
    if (!toSelect.isEmpty())
        otherSelection->select(toSelect, QItemSelectionModel::Select);
    const QItemSelection toDeselect = mapSelection(deselected, otherModel);
    if (!toDeselect.isEmpty())
        otherSelection->select(toDeselect, QItemSelectionModel::Deselect);

    if (delegate && bothLoaded()) {
        if (!selected.isEmpty())
            delegate->setHighlightIndex(selected.first().topLeft());
        else if (deselected.isEmpty())
            delegate->setHighlightIndex(QModelIndex());
    }
    repaintTables();
}

void kalvest_hex_tools::updateDiffWidget(QTableView *tableView)
{
    if (!diffWidget || !bothLoaded() || !tableView)
        return;
    const QRect r = tableView->viewport()->rect();
    int first = tableView->rowAt(r.top());
    int last = tableView->rowAt(r.bottom());
    if (first == -1)
        first = 0;
    if (last == -1)
        last = qMax(model1->rowCount(), model2->rowCount());
    diffWidget->setVisibleRange(first, last);
    diffWidget->update();
}

void kalvest_hex_tools::repaintTables()
{
    ui->tableView1->viewport()->update();
    if (model2)
        ui->tableView2->viewport()->update();
}

void kalvest_hex_tools::clearHighlight()
{
    if (delegate && bothLoaded())
        delegate->setHighlightIndex(QModelIndex());
    repaintTables();
}

// ---------------------------------------------------------------------------
// Going to an address

void kalvest_hex_tools::onGotoButton_clicked()
{
    if (!model1) {
        UiPrompt::warning(this, QStringLiteral("Warning"), QStringLiteral("No file 1 loaded."));
        return;
    }
    bool ok = false;
    const int offset = ui->addressInput->text().toInt(&ok, 16);
    if (!ok) {
        UiPrompt::warning(this, QStringLiteral("Invalid Address"),
                          QStringLiteral("Please enter a valid hexadecimal address."));
        return;
    }
    goToOffset(offset);
}

void kalvest_hex_tools::onJumpToRow(int row)
{
    if (row < 0 || row > INT_MAX / HexTableModel::BytesPerRow)
        return;
    goToOffset(row * HexTableModel::BytesPerRow);
}

bool kalvest_hex_tools::selectRow(int which, int row, QAbstractItemView::ScrollHint hint)
{
    HexTableModel *m = model(which);
    if (!m || row >= m->rowCount())
        return false;
    QTableView *view = table(which);
    const QModelIndex index = m->index(row, 0);
    view->selectionModel()->clearSelection();
    view->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->scrollTo(index, hint);
    return true;
}

void kalvest_hex_tools::goToOffset(int offset)
{
    if (!model1)
        return;
    const int row = offset / HexTableModel::BytesPerRow;
    if (row >= model1->rowCount())
        return;
    for (int which : {1, 2}) {
        if (!selectRow(which, row, QAbstractItemView::PositionAtTop))
            return;
    }
}

// ---------------------------------------------------------------------------
// Searching

bool kalvest_hex_tools::hasSearchHits() const
{
    return hitRows1.nextSet(0) >= 0 || hitRows2.nextSet(0) >= 0;
}

qsizetype kalvest_hex_tools::nextHitInSide(int which, qsizetype from) const
{
    HexTableModel *m = model(which);
    const RowBitmap &rows = hitRows(which);
    if (!m || from < 0)
        return -1;
    const qsizetype bpr = HexTableModel::BytesPerRow;
    for (qsizetype r = rows.nextSet(from / bpr); r >= 0; r = rows.nextSet(r + 1)) {
        // A marked row is checked again: an edit since the search may have
        // changed it.
        const qsizetype o = m->firstHitInRow(searchPattern, r, from);
        if (o >= 0)
            return o;
    }
    return -1;
}

qsizetype kalvest_hex_tools::prevHitInSide(int which, qsizetype before) const
{
    HexTableModel *m = model(which);
    const RowBitmap &rows = hitRows(which);
    if (!m || before <= 0)
        return -1;
    const qsizetype bpr = HexTableModel::BytesPerRow;
    for (qsizetype r = rows.prevSet((before - 1) / bpr); r >= 0; r = rows.prevSet(r - 1)) {
        const qsizetype o = m->lastHitInRow(searchPattern, r, before);
        if (o >= 0)
            return o;
    }
    return -1;
}

void kalvest_hex_tools::performSearch()
{
    const QString text = ui->searchInput->text();
    searchPattern.clear();
    hitRows1.clear();
    hitRows2.clear();
    currentSide = 0;
    currentOffset = -1;

    if (text.isEmpty()) {
        clearHighlight();
        diffWidget->setSearchRows(RowBitmap());
        return;
    }

    // File 2 is searched only when file 1 is loaded.
    if (model1 && HexTableModel::parsePattern(text, &searchPattern)) {
        model1->hitRows(searchPattern, &hitRows1);
        if (model2)
            model2->hitRows(searchPattern, &hitRows2);
    }

    if (hasSearchHits()) {
        for (int which : {1, 2}) {
            const qsizetype o = nextHitInSide(which, 0);
            if (o >= 0) {
                currentSide = which;
                currentOffset = o;
                break;
            }
        }
        showCurrentSearchResult();
        RowBitmap all = hitRows1;
        all.unite(hitRows2);
        diffWidget->setSearchRows(all);
    } else {
        clearHighlight();
        diffWidget->setSearchRows(RowBitmap());
    }
}

QModelIndex kalvest_hex_tools::currentSearchHit() const
{
    HexTableModel *m = model(currentSide);
    if (!m || currentOffset < 0)
        return QModelIndex();
    const qsizetype bpr = HexTableModel::BytesPerRow;
    return m->index(int(currentOffset / bpr), int(currentOffset % bpr) + 1);
}

void kalvest_hex_tools::showCurrentSearchResult()
{
    const QModelIndex hit = currentSearchHit();
    if (!hit.isValid())
        return;
    const int row = hit.row();
    for (int which : {1, 2})
        selectRow(which, row, QAbstractItemView::PositionAtCenter);
    if (delegate && bothLoaded()) {
        delegate->setHighlightIndex(hit);
        repaintTables();
    }
}

// Moves to the next (or previous) hit in the cycle: the hits of file 1 in
// ascending order, then those of file 2, then around again.
bool kalvest_hex_tools::stepHit(bool forward)
{
    if (currentSide == 0)
        return false;
    const int order[2] = {1, 2};
    const int start = currentSide == 1 ? 0 : 1;
    // Either way round, the other file comes next and this one last.
    qsizetype o = forward ? nextHitInSide(currentSide, currentOffset + 1) : prevHitInSide(currentSide, currentOffset);
    if (o >= 0) {
        currentOffset = o;
        return true;
    }
    // On to the other file, then back around to this one.
    for (int step = 1; step <= 2; ++step) {
        const int which = order[(start + step) % 2];
        o = forward ? nextHitInSide(which, 0) : prevHitInSide(which, model(which) ? model(which)->size() : 0);
        if (o >= 0) {
            currentSide = which;
            currentOffset = o;
            return true;
        }
    }
    return false;
}

void kalvest_hex_tools::stepAndShow(bool forward)
{
    if (!hasSearchHits())
        performSearch();
    bool moved = hasSearchHits() && stepHit(forward);
    if (!moved && hasSearchHits()) {
        // Every remembered hit was edited away: search afresh.
        performSearch();
        moved = hasSearchHits() && stepHit(forward);
    }
    if (!moved) {
        UiPrompt::information(this, QStringLiteral("Search"), QStringLiteral("No results found."));
        return;
    }
    showCurrentSearchResult();
}

void kalvest_hex_tools::onNextButtonClicked() { stepAndShow(true); }

void kalvest_hex_tools::onPrevButtonClicked() { stepAndShow(false); }

void kalvest_hex_tools::onSearchInputReturnPressed()
{
    performSearch();
    if (!hasSearchHits())
        UiPrompt::information(this, QStringLiteral("Search"), QStringLiteral("No results found."));
}

// ---------------------------------------------------------------------------
// Saving and closing

bool kalvest_hex_tools::writeFile(const QString &path, const QByteArray &data)
{
    // The original stays untouched unless every byte is written and the
    // new file is committed in its place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        UiPrompt::warning(this, QStringLiteral("Error"), QStringLiteral("Failed to open file for writing."));
        return false;
    }
    const qint64 written = writerRef() ? writerRef()(file, data) : file.write(data);
    if (written != data.size() || !file.commit()) {
        file.cancelWriting();
        UiPrompt::warning(this, QStringLiteral("Error"), QStringLiteral("Failed to write to file."));
        return false;
    }
    return true;
}

bool kalvest_hex_tools::saveFile(int which)
{
    if (which != 1 && which != 2)
        return false;
    const QString path = which == 1 ? filePath1 : filePath2;
    HexTableModel *m = model(which);
    if (path.isEmpty() || !m)
        return saveFileAs(which);
    if (!writeFile(path, m->getData()))
        return false;
    (which == 1 ? modified1 : modified2) = false;
    UiPrompt::information(this, QStringLiteral("Save"), QStringLiteral("File saved successfully."));
    return true;
}

bool kalvest_hex_tools::saveFileAs(int which)
{
    if (which != 1 && which != 2)
        return false;
    HexTableModel *m = model(which);
    if (!m) {
        UiPrompt::warning(this, QStringLiteral("Error"), QStringLiteral("Model is not initialized."));
        return false;
    }
    const QString path =
        UiPrompt::saveFileName(this, which == 1 ? QStringLiteral("Save File 1 As") : QStringLiteral("Save File 2 As"),
                               QString(), QLatin1String(kFileFilter));
    if (path.isEmpty())
        return false;
    (which == 1 ? filePath1 : filePath2) = path;
    if (!writeFile(path, m->getData()))
        return false;
    (which == 1 ? modified1 : modified2) = false;
    UiPrompt::information(this, QStringLiteral("Save"), QStringLiteral("File saved successfully."));
    return true;
}

bool kalvest_hex_tools::maybeSave()
{
    if (!anyModified)
        return false;
    for (int which : {1, 2}) {
        if (!(which == 1 ? modified1 : modified2))
            continue;
        const QMessageBox::StandardButton answer = UiPrompt::question(
            this, tr("Save Changes"),
            tr("File %1 has been modified.\nDo you want to save your changes?").arg(which == 1 ? fileName1 : fileName2),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) {
            if (!saveFile(which))
                return true; // the edits would be lost: stay open
        } else if (answer != QMessageBox::No) {
            return true;
        }
    }
    return false;
}

void kalvest_hex_tools::closeEvent(QCloseEvent *event)
{
    if (maybeSave())
        event->ignore();
    else
        event->accept();
}
