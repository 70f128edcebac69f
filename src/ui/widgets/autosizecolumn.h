#pragma once

class QTableView;

// Fits a column to its widest cell text, between MinWidth and MaxWidth; stops
// measuring as soon as a cell is wider than MaxWidth.
void AutoSizeColumn(QTableView *grid, int column, int minWidth, int maxWidth);
