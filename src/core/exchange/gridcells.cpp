#include "core/exchange/gridcells.h"

#include "core/base/texthelpers.h"
#include "core/exchange/gridtext.h"

#include <QRegularExpression>

std::optional<double> GridAmountValue(const QString &cell)
{
    // "\z", not "$": "$" would also match before a final line break.
    static const QRegularExpression amount(QStringLiteral(R"(^-?(\d{1,3}(,\d{3})*|\d+)\.\d{1,4}\z)"));
    if (cell.isEmpty() || !amount.match(cell).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(cell).remove(u',').toDouble(&ok);
    // "-0.00" is zero: + 0.0 drops the sign a spreadsheet would show.
    return ok ? std::optional<double>(value + 0.0) : std::nullopt;
}

std::optional<QDate> GridDateValue(const QString &cell)
{
    if (cell.size() != 10)
        return std::nullopt;
    const QDate date = DateFromText(cell);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

GridColumnKind GridColumnKindOf(const GridText &grid, int col)
{
    bool amounts = true;
    bool dates = true;
    bool any = false;
    for (int row = 1; row < grid.RowCount() && (amounts || dates); ++row) {
        const QString cell = grid.Cell(col, row);
        if (cell.isEmpty())
            continue;
        any = true;
        amounts = amounts && GridAmountValue(cell).has_value();
        dates = dates && GridDateValue(cell).has_value();
    }
    if (!any)
        return GridColumnKind::Text;
    if (amounts)
        return GridColumnKind::Amount;
    return dates ? GridColumnKind::Date : GridColumnKind::Text;
}
