#include "core/register/gridsearch.h"

#include <algorithm>

bool GridCellMatches(const QString &cell, const QString &text, bool exact)
{
    if (exact)
        return cell == text;
    return !text.isEmpty() && cell.contains(text, Qt::CaseSensitive);
}

int SearchGridRows(const GridSearch &search, const std::function<QString(int row)> &cellAt)
{
    const int from = std::max(search.currentRow, 0);
    if (search.down) {
        for (int row = from + 1; row <= search.lastRow; ++row) {
            if (GridCellMatches(cellAt(row), search.text, search.exact))
                return row;
        }
    } else {
        for (int row = std::min(from, search.lastRow + 1) - 1; row >= 1; --row) {
            if (GridCellMatches(cellAt(row), search.text, search.exact))
                return row;
        }
    }
    return 0;
}
