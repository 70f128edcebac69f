#include "core/reports/totalsreport.h"

#include "core/base/texthelpers.h"
#include "core/reports/itemtotals.h"

QList<TotalsLine> BuildTotalsList(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range,
                                  int decimalDigits)
{
    QList<TotalsLine> lines;
    for (const ItemTotal &total : LoadItemTotals(db, kind, range, AmountSign::Any, TotalsOrder::ByName)) {
        TotalsLine line{ItemLabel(kind, total.name), QString(), QString()};
        // Zero is judged on the amount as shown, so a remainder too small to print
        // reads "(Settled)" rather than "0.00".
        const Money shown = total.amount.roundedTo(decimalDigits);
        if (shown < Money())
            line.pay = RemoveChar(shown.toGroupedText(decimalDigits), u'-');
        else if (shown > Money())
            line.receive = shown.toGroupedText(decimalDigits);
        else
            line.receive = QStringLiteral("(Settled)");
        lines.append(line);
    }
    return lines;
}

QString TotalsPageTitle(ReportItemKind kind, const ReportDateRange &range)
{
    return (kind == ReportItemKind::Payees ? QStringLiteral("Payee transactions from ")
                                           : QStringLiteral("Category transactions from "))
        + DateToText(range.from) + QStringLiteral(" to ") + DateToText(range.to);
}

QString TotalsTitle(ReportItemKind kind)
{
    return kind == ReportItemKind::Payees ? QStringLiteral("Payee transactions list (All accounts)")
                                          : QStringLiteral("Category transactions list (All accounts)");
}

QString NoTotalsText(const ReportDateRange &range)
{
    if (!range.limits())
        return QStringLiteral("No transactions.");
    return QStringLiteral("No transactions from %1 to %2.").arg(DateToText(range.from), DateToText(range.to));
}
