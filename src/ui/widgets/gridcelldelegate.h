#pragma once

#include <QStyledItemDelegate>

class TPubStrGrid;

// Draws a TPubStrGrid cell as the grid describes it: the colour callback's brush
// filled over the cell, the text on one line with the callback's alignment, and with
// Grid3D a light left and top edge.
class GridCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridCellDelegate(TPubStrGrid *grid);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TPubStrGrid *m_grid;
};
