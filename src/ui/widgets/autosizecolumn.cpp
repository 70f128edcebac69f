#include "ui/widgets/autosizecolumn.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

void AutoSizeColumn(QTableView *grid, int column, int minWidth, int maxWidth)
{
    const QAbstractItemModel *model = grid->model();
    if (!model || column < 0 || column >= model->columnCount())
        return;
    const QFontMetrics metrics(grid->font());
    int widest = 0;
    for (int row = 0, rows = model->rowCount(); row < rows; ++row) {
        const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
        widest = qMax(widest, metrics.horizontalAdvance(text));
        if (widest > maxWidth) {
            widest = maxWidth;
            break;
        }
    }
    const int lineWidth = grid->showGrid() ? 1 : 0;
    grid->setColumnWidth(column, qMax(widest, minWidth) + lineWidth + 3);
}
