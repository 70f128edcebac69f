#pragma once

#include "core/base/money.h"
#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"

#include <QList>
#include <QString>

class TMyDataModule;

// One point of the budget analysis: what was spent (positive) or received
// (negative) at a date or in a month, beside what the budget allows there.
struct BudgetPoint
{
    QString label;
    Money actual;
    Money budget;

    friend bool operator==(const BudgetPoint &, const BudgetPoint &) = default;
};

// The item of that name; -1 for an empty name (nothing chosen), so the item without
// a name, to which transactions without one refer, is never analysed by accident.
int BudgetItemId(TMyDataModule &db, ReportItemKind kind, const QString &name);

// One point per date that has transactions of the item, by date ("dd/mm/yyyy"); the
// budget is the item's budget per day.
QList<BudgetPoint> BudgetByDay(TMyDataModule &db, ReportItemKind kind, int itemId, const ReportDateRange &range);
// One point per calendar month that has transactions, by year and month ("Sept-2009");
// the budget is the budget per day times the days of that month.
QList<BudgetPoint> BudgetByMonth(TMyDataModule &db, ReportItemKind kind, int itemId, const ReportDateRange &range);

// "Jan" ... "Dec", "Sept" for September.
QString BudgetMonthName(int month);
// False when the item's budget per day is 0 (no amount, no frequency, or no item).
bool BudgetIsSet(TMyDataModule &db, ReportItemKind kind, int itemId);
