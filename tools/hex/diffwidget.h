#pragma once

#include <QList>
#include <QModelIndex>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include "rowbitmap.h"

class HexTableModel;

// A narrow strip beside the two hex tables: its height stands for all rows
// of the longer file; rows that differ are marked red, rows with search hits
// orange. A click asks to jump to the row under it.
class DiffWidget : public QWidget
{
    Q_OBJECT
public:
    explicit DiffWidget(QWidget *parent = nullptr);
    ~DiffWidget() override;

    void setModels(HexTableModel *model1, HexTableModel *model2);
    void setSearchResults(const QList<QModelIndex> &results);
    // The rows holding hits, one bit a row (used by the page's lazy search).
    void setSearchRows(const RowBitmap &rows);
    void setVisibleRange(int first, int last);

    const RowBitmap &differingRows() const { return diffRows; }
    int visibleFirstRow() const { return visibleFirst; }
    int visibleLastRow() const { return visibleLast; }

signals:
    void jumpToRow(int row);

public slots:
    void onDataChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int totalRows() const;
    // The distinct y positions of the marks of one bitmap at the current height.
    QVector<int> markPositions(const RowBitmap &rows) const;
    void invalidateMarks();

    QPointer<HexTableModel> model1;
    QPointer<HexTableModel> model2;
    RowBitmap diffRows;
    int visibleFirst = 0;
    int visibleLast = 0;
    RowBitmap searchRows;

    // Cached mark positions; rebuilt when the marks or the height change.
    mutable bool marksValid = false;
    mutable QVector<int> diffMarks;
    mutable QVector<int> searchMarks;
};
