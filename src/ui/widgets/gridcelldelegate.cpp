#include "ui/widgets/gridcelldelegate.h"

#include "ui/widgets/pubstrgrid.h"

#include <QPainter>

GridCellDelegate::GridCellDelegate(TPubStrGrid *grid)
    : QStyledItemDelegate(grid), m_grid(grid)
{
}

void GridCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const StringTableModel *model = m_grid->Model();
    const int col = index.column();
    const int row = model->gridRow(index.row());
    TGridDrawState state;
    if (option.state & QStyle::State_Selected)
        state |= gdSelected;
    if (option.state & QStyle::State_HasFocus)
        state |= gdFocused;
    // One call of each callback per cell drawn.
    const TGridCellStyle style = model->CellStyle(col, row, state, m_grid->BaseCellStyle(col, row, state));
    const TAlignment alignment = model->CellAlignment(col, row);

    painter->save();
    const QRect r = option.rect;
    painter->fillRect(r, style.Brush);
    painter->setFont(style.Font);
    painter->setPen(style.FontColor);
    const QFontMetrics metrics(style.Font);
    const int h = metrics.height();
    const int top = (r.top() + r.bottom() + 1 - h) / 2;
    const QRect textRect(QPoint(r.left() + 2, top), QPoint(r.right() - 2, top + h - 1));
    Qt::Alignment flags = Qt::AlignVCenter;
    flags |= alignment == taRightJustify ? Qt::AlignRight : alignment == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    const QString text = metrics.elidedText(model->Cell(col, row), Qt::ElideRight, textRect.width(),
                                            Qt::TextSingleLine | Qt::TextExpandTabs);
    painter->drawText(textRect, int(flags) | Qt::TextSingleLine | Qt::TextExpandTabs, text);

    if (m_grid->Grid3D() && m_grid->showGrid()) {
        painter->setPen(option.palette.color(QPalette::HighlightedText));
        painter->drawLine(r.left(), r.bottom(), r.left(), r.top());
        painter->drawLine(r.left(), r.top(), r.right(), r.top());
    }
    painter->restore();
}
