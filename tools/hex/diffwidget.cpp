#include "diffwidget.h"
#include "hextablemodel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <cstring>
#include <thread>
#include <vector>

DiffWidget::DiffWidget(QWidget *parent) : QWidget(parent)
{
    setMinimumWidth(20);
    setMaximumWidth(20);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

DiffWidget::~DiffWidget() = default;

void DiffWidget::setModels(HexTableModel *m1, HexTableModel *m2)
{
    model1 = m1;
    model2 = m2;
    onDataChanged();
}

int DiffWidget::totalRows() const
{
    if (!model1 || !model2)
        return 0;
    return qMax(model1->rowCount(), model2->rowCount());
}

void DiffWidget::onDataChanged()
{
    diffRows.clear();
    invalidateMarks();
    if (!model1 || !model2)
        return;

    // The rows whose byte-column texts differ, decided on the bytes: a row
    // differs when the two files end at different places in it, when it
    // exists in one file only, or when a byte differs.
    const QByteArray a = model1->getData();
    const QByteArray b = model2->getData();
    const qsizetype n1 = a.size(), n2 = b.size();
    const qsizetype rows1 = model1->rowCount(), rows2 = model2->rowCount();
    const qsizetype minRows = qMin(rows1, rows2), maxRows = qMax(rows1, rows2);
    diffRows.resize(maxRows);

    const qsizetype bpr = HexTableModel::BytesPerRow;
    const qsizetype fullRows = qMin(n1, n2) / bpr; // rows complete in both files
    const char *pa = a.constData();
    const char *pb = b.constData();
    // Large files are compared by a few threads, each over its own run of
    // whole 64-row words of the bitmap, so no two threads touch one word.
    const auto compareRows = [this, pa, pb, bpr](qsizetype first, qsizetype last) {
        constexpr qsizetype kBlockRows = 256;
        for (qsizetype r = first; r < last; r += kBlockRows) {
            const qsizetype count = qMin(kBlockRows, last - r);
            const size_t off = size_t(r * bpr);
            if (std::memcmp(pa + off, pb + off, size_t(count * bpr)) == 0)
                continue;
            for (qsizetype i = 0; i < count; ++i) {
                const size_t o = size_t((r + i) * bpr);
                if (std::memcmp(pa + o, pb + o, size_t(bpr)) != 0)
                    diffRows.set(r + i);
            }
        }
    };
    constexpr qsizetype kThreadedFromRows = qsizetype(1) << 18; // 4 MiB of each file
    const int threadCount = fullRows >= kThreadedFromRows ? qBound(1, QThread::idealThreadCount(), 4) : 1;
    if (threadCount == 1) {
        compareRows(0, fullRows);
    } else {
        const qsizetype step = ((fullRows / threadCount) + 63) & ~qsizetype(63);
        std::vector<std::thread> threads;
        for (int i = 1; i < threadCount; ++i) {
            const qsizetype first = qMin(fullRows, step * i);
            const qsizetype last = i == threadCount - 1 ? fullRows : qMin(fullRows, step * (i + 1));
            threads.emplace_back(compareRows, first, last);
        }
        compareRows(0, qMin(fullRows, step));
        for (std::thread &t : threads)
            t.join();
    }
    for (qsizetype r = fullRows; r < minRows; ++r) {
        const qsizetype start = r * bpr;
        const qsizetype end1 = qMin(start + bpr, n1), end2 = qMin(start + bpr, n2);
        if (end1 != end2 || std::memcmp(pa + start, pb + start, size_t(end1 - start)) != 0)
            diffRows.set(r);
    }
    diffRows.setRange(minRows, maxRows - 1);
    update();
}

void DiffWidget::setSearchResults(const QList<QModelIndex> &results)
{
    RowBitmap rows(totalRows());
    for (const QModelIndex &i : results)
        rows.set(i.row());
    setSearchRows(rows);
}

void DiffWidget::setSearchRows(const RowBitmap &rows)
{
    searchRows = rows;
    invalidateMarks();
    update();
}

void DiffWidget::setVisibleRange(int first, int last)
{
    visibleFirst = first;
    visibleLast = last;
    update();
}

void DiffWidget::invalidateMarks()
{
    marksValid = false;
    diffMarks.clear();
    searchMarks.clear();
}

void DiffWidget::resizeEvent(QResizeEvent *event)
{
    invalidateMarks();
    QWidget::resizeEvent(event);
}

QVector<int> DiffWidget::markPositions(const RowBitmap &rows) const
{
    // One mark a row at y = row * scale; rows that land on the same pixel
    // give the same rectangle, so each distinct y is drawn once.
    QVector<int> ys;
    const int total = totalRows();
    if (total < 1)
        return ys;
    const float scale = float(height()) / float(total);
    if (!(scale > 0.0f))
        return ys;
    auto yOf = [scale](qsizetype r) { return int(float(r) * scale); };
    qsizetype r = rows.nextSet(0);
    while (r >= 0 && r < total) {
        const int y = yOf(r);
        ys.append(y);
        // Skip to the first row that lands below this pixel.
        qsizetype next = qsizetype(double(y + 1) / double(scale)) - 2;
        if (next <= r)
            next = r + 1;
        while (next < total && yOf(next) <= y)
            ++next;
        r = rows.nextSet(next);
    }
    return ys;
}

void DiffWidget::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    const int total = totalRows();
    if (total < 1)
        return;
    const float scale = float(height()) / float(total);
    if (!marksValid) {
        diffMarks = markPositions(diffRows);
        searchMarks = markPositions(searchRows);
        marksValid = true;
    }
    const int markHeight = int(qMax(2.0f, scale));

    QPainter painter(this);
    painter.setPen(Qt::lightGray);
    painter.drawLine(5, 0, 5, height());

    painter.setPen(Qt::red);
    painter.setBrush(Qt::red);
    for (int y : qAsConst(diffMarks))
        painter.drawRect(QRect(0, y, 10, markHeight));

    const QColor orange(255, 200, 0, 255);
    painter.setPen(orange);
    painter.setBrush(orange);
    for (int y : qAsConst(searchMarks))
        painter.drawRect(QRect(0, y, 10, markHeight));
}

void DiffWidget::mousePressEvent(QMouseEvent *event)
{
    const int total = totalRows();
    if (total < 1)
        return;
    const float scale = float(height()) / float(total);
    const int row = int(event->position().y() / double(scale));
    emit jumpToRow(row);
    QWidget::mousePressEvent(event);
}
