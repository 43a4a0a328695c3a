#include "hexitemdelegate.h"
#include "hextablemodel.h"

#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QTableView>

namespace {
const QColor kHighlightFill(255, 255, 0, 100);
const QColor kDiffFill(255, 0, 0, 128);

bool isByteCell(const QModelIndex &index)
{
    return index.isValid() && index.column() >= 1 && index.column() <= 16;
}

void setForAllGroups(QPalette &palette, QPalette::ColorRole role, const QColor &color)
{
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(g, role, color);
}
} // namespace

HexItemDelegate::HexItemDelegate(HexTableModel *m1, HexTableModel *m2, QObject *parent)
    : QStyledItemDelegate(parent), model1(m1), model2(m2)
{
}

HexItemDelegate::~HexItemDelegate() = default;

void HexItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!index.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);

    if (highlightIndex.isValid() && highlightIndex.row() == index.row()) {
        painter->fillRect(option.rect, kHighlightFill);
        setForAllGroups(opt.palette, QPalette::Highlight, option.palette.color(QPalette::Highlight));
        setForAllGroups(opt.palette, QPalette::HighlightedText, option.palette.color(QPalette::Text));
    }

    if (model1 && model2) {
        // Both models are asked with the same index: data() reads only its
        // row and column, so a row past one file's end gives empty texts.
        if (model1->data(index, Qt::DisplayRole) != model2->data(index, Qt::DisplayRole)) {
            setForAllGroups(opt.palette, QPalette::Highlight, kDiffFill);
            painter->fillRect(option.rect, kDiffFill);
        }
    }
    QStyledItemDelegate::paint(painter, opt, index);
}

QWidget *HexItemDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (!isByteCell(index))
        return nullptr;
    auto *edit = new QLineEdit(parent);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[0-9A-Fa-f]{0,2}$")), edit));
    return edit;
}

void HexItemDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || !isByteCell(index))
        return;
    edit->setText(index.model()->data(index, Qt::DisplayRole).toString());
}

void HexItemDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || !model || !isByteCell(index))
        return;
    model->setData(index, edit->text().toUpper(), Qt::EditRole);
}

void HexItemDelegate::setHighlightIndex(const QModelIndex &index)
{
    highlightIndex = index;
    if (!index.isValid())
        return;
    // An empty roles list: a repaint request, not an edit.
    if (model1)
        emit model1->dataChanged(index, index, {});
    if (model2)
        emit model2->dataChanged(index, index, {});
}

void HexItemDelegate::updateBothViews(const QModelIndex &index, QTableView *viewA, QTableView *viewB)
{
    if (viewA)
        viewA->update(index);
    if (viewB && viewB->model()) {
        const QModelIndex other = viewB->model()->index(index.row(), index.column());
        if (other.isValid())
            viewB->update(other);
    }
}
