#pragma once

#include <QModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class HexTableModel;
class QTableView;

// Paints and edits the cells of both hex tables: a two-digit hex editor for
// byte cells, the highlighted row in yellow, cells that differ between the
// two files in red.
class HexItemDelegate : public QStyledItemDelegate
{
public:
    HexItemDelegate(HexTableModel *model1, HexTableModel *model2, QObject *parent = nullptr);
    ~HexItemDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    void setHighlightIndex(const QModelIndex &index);
    QModelIndex highlight() const { return highlightIndex; }
    // Repaints the cell in view A and the cell at the same place in view B.
    void updateBothViews(const QModelIndex &index, QTableView *viewA, QTableView *viewB);

private:
    QPointer<HexTableModel> model1;
    QPointer<HexTableModel> model2;
    QPersistentModelIndex highlightIndex;
};
