#pragma once

#include <QDate>
#include <QString>

#include <optional>

class GridText;

// What a grid column holds, as a spreadsheet should store it.
enum class GridColumnKind { Text, Amount, Date };

// An amount as the grids show it ("1,234.50", "-12.00": grouped by commas or not
// grouped at all, a point and its decimals); nothing for any other text.
std::optional<double> GridAmountValue(const QString &cell);
// A date as the grids show it, "dd/MM/yyyy"; nothing for any other text.
std::optional<QDate> GridDateValue(const QString &cell);

// Amount or Date when every non-empty cell below the header reads as one (and at
// least one does); Text otherwise. Decided per column so that a column of amounts
// is all numbers, whatever a single cell looks like.
GridColumnKind GridColumnKindOf(const GridText &grid, int col);
