#pragma once

#include <QByteArray>

class GridText;

// The "Workbook" stream of an Excel 97-2003 (BIFF8) file with one sheet holding the
// grid: text as Unicode shared strings (a line break kept, the cell set to wrap),
// amount columns as numbers shown with two decimals, date columns as dates. The
// grid must be within the limits that XlsLimitProblem checks.
QByteArray Biff8Workbook(const GridText &grid);
