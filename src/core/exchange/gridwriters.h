#pragma once

#include <QString>

class GridText;

// Row numbers, column numbers and text lengths of the spreadsheet format are 16-bit
// fields: a label record holds 8 bytes and its text within a length of 65,535.
inline constexpr int XlsMaxRows = 65536;
inline constexpr int XlsMaxCols = 65536;
inline constexpr int XlsMaxTextBytes = 65527;

// Why the grid cannot be written as a spreadsheet (a user's message naming the
// limit), or the empty text when it can.
QString XlsLimitProblem(const GridText &grid);

// Both writers replace the file only once the new one is complete (written beside
// it and renamed over it); on any failure the old file, if any, is left untouched
// and nothing new is left behind.

// A binary spreadsheet (BIFF): a beginning-of-file record, one text label per cell
// in column-major order, an end-of-file record; text in Windows-1252. False when the
// file could not be written, or when the grid is beyond the format's limits (nothing
// is written then).
bool WriteGridXls(const GridText &grid, const QString &fileName);
// RFC 4180 CSV in UTF-8 with a byte-order mark. One line per grid row, each cell
// followed by a comma; lines end in CR LF, the last one too.
bool WriteGridCsv(const GridText &grid, const QString &fileName);
// A cell as a CSV field: quoted (quotes doubled) when it holds a comma, a quote, CR
// or LF; a text that is not a number and starts with =, +, -, @, tab or CR gets a
// leading apostrophe so that no spreadsheet runs it as a formula.
QString CsvField(const QString &cell);
