#pragma once

#include "core/base/money.h"
#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"

#include <QList>
#include <QString>

class TMyDataModule;

// One bar of an income and expense chart: the item's label and its sum in the base
// currency (payments negative, receipts positive).
struct ChartPoint
{
    QString label;
    Money value;

    friend bool operator==(const ChartPoint &, const ChartPoint &) = default;
};

// The printed chart's two series: the payments of each item (largest expense first)
// and the receipts of each item (smallest income first). An item with both kinds of
// transactions is in both.
QList<ChartPoint> ExpenseSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range);
QList<ChartPoint> IncomeSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range);
// The graphical reports window's one series: the net of each item, from the most
// negative to the most positive; an item that nets to zero has its point at 0.
QList<ChartPoint> NetTotalsSeries(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range);

// "All accounts - Payee Incomes vs Expenses transactions from 01/01/2024 to 31/12/2024"
// (or "... - Categories Incomes vs Expenses ...").
QString IncomeExpensePageTitle(ReportItemKind kind, const ReportDateRange &range);
// "Payee Income vs Expenses" / "Category Income vs Expenses".
QString NetTotalsTitle(ReportItemKind kind);
