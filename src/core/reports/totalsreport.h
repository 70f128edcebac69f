#pragma once

#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"

#include <QList>
#include <QString>

class TMyDataModule;

// One line of the printed payee or category totals: the name (or the not-set text)
// and the net amount, under "Pay -" unsigned when money went out, under "Receive +"
// when it came in, and "(Settled)" there when it nets to nothing.
struct TotalsLine
{
    QString name;
    QString pay;
    QString receive;

    friend bool operator==(const TotalsLine &, const TotalsLine &) = default;
};

// The lines by name, amounts grouped ("1,234.50") with the given number of decimals.
// Empty when no transaction falls in the range.
QList<TotalsLine> BuildTotalsList(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range,
                                  int decimalDigits);

// "Payee transactions from 01/01/2024 to 31/12/2024" (or "Category ...").
QString TotalsPageTitle(ReportItemKind kind, const ReportDateRange &range);
// "Payee transactions list (All accounts)" (or "Category ...").
QString TotalsTitle(ReportItemKind kind);
// The one line printed instead of totals when the range holds no transactions.
QString NoTotalsText(const ReportDateRange &range);
