#pragma once

#include <QString>

class GridText;

// An Excel 97-2003 sheet holds 65,536 rows of 256 columns, and a cell at most 32,767
// characters (UTF-16 code units).
inline constexpr int XlsMaxRows = 65536;
inline constexpr int XlsMaxCols = 256;
inline constexpr int XlsMaxTextLength = 32767;

// Why the grid cannot be written as a spreadsheet (a user's message naming the
// limit), or the empty text when it can.
QString XlsLimitProblem(const GridText &grid);

// Both writers replace the file only once the new one is complete (written beside
// it and renamed over it); on any failure the old file, if any, is left untouched
// and nothing new is left behind.

// An Excel 97-2003 workbook (BIFF8 in a compound file) with one sheet: every
// character kept, amount columns as numbers with two decimals shown, date columns as
// dates, line breaks kept. False when the file could not be written, or when the grid
// is beyond the format's limits (nothing is written then).
bool WriteGridXls(const GridText &grid, const QString &fileName);
// RFC 4180 CSV in UTF-8 with a byte-order mark. One line per grid row, each cell
// followed by a comma; lines end in CR LF, the last one too.
bool WriteGridCsv(const GridText &grid, const QString &fileName);
// A cell as a CSV field: quoted (quotes doubled) when it holds a comma, a quote, CR
// or LF; a text that is not a number and starts with =, +, -, @, tab or CR gets a
// leading apostrophe so that no spreadsheet runs it as a formula.
QString CsvField(const QString &cell);
