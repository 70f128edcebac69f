#pragma once

#include <QString>

#include <functional>

// Finding a text in one column of a grid, as the register's Find does. Cells are
// compared as the grid shows them, letter case respected.

// Exact: the cell equals the text. Otherwise the text occurs in the cell; an empty
// text then matches nothing.
bool GridCellMatches(const QString &cell, const QString &text, bool exact);

struct GridSearch
{
    QString text;
    bool exact = false;
    bool down = true;
    // The grid's current row; the search starts next to it (row 0 is the header).
    int currentRow = 0;
    // The last data row.
    int lastRow = 0;
};

// The first matching row after (down) or before (up) the current one, never the
// header row; 0 when none. cellAt gives the searched column's text of a row.
int SearchGridRows(const GridSearch &search, const std::function<QString(int row)> &cellAt);

inline constexpr auto NoMoreEntriesText = "No more entries found.";
inline constexpr auto SearchWhileEditingText = "You cannot be editing a transaction, when seaching.";
