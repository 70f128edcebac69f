#include "core/reports/chartseries.h"

#include "core/base/texthelpers.h"
#include "core/reports/itemtotals.h"

namespace {

QList<ChartPoint> seriesOf(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range, AmountSign sign)
{
    QList<ChartPoint> points;
    // The charts show what was earned and spent: transfers between the user's own
    // accounts are neither.
    for (const ItemTotal &total : LoadItemTotals(db, kind, range, sign, TotalsOrder::ByAmount, TransferPairs::LeftOut))
        points.append({ItemLabel(kind, total.name), total.amount});
    return points;
}

} // namespace

QList<ChartPoint> ExpenseSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range)
{
    return seriesOf(db, kind, range, AmountSign::Payments);
}

QList<ChartPoint> IncomeSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range)
{
    return seriesOf(db, kind, range, AmountSign::Receipts);
}

QList<ChartPoint> NetTotalsSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range)
{
    return seriesOf(db, kind, range, AmountSign::Any);
}

QString IncomeExpensePageTitle(ReportItemKind kind, const ReportDateRange &range)
{
    return (kind == ReportItemKind::Payees ? QStringLiteral("All accounts - Payee Incomes vs Expenses transactions from ")
                                           : QStringLiteral("All accounts - Categories Incomes vs Expenses transactions from "))
        + DateToText(range.from) + QStringLiteral(" to ") + DateToText(range.to);
}

QString NetTotalsTitle(ReportItemKind kind)
{
    return kind == ReportItemKind::Payees ? QStringLiteral("Payee Income vs Expenses")
                                          : QStringLiteral("Category Income vs Expenses");
}
