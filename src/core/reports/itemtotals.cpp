#include "core/reports/itemtotals.h"

#include "core/datafile/sqlstatement.h"
#include "core/reports/basecurrencysum.h"

namespace {

// Sums per item identifier first, straight from the item's covering index (the
// date is compared there, not searched: "+" keeps the planner off the date index,
// which would fetch every row of a long range from the table); only the few sums
// are then joined to their names.
QString totalsSql(ReportItemKind kind, const ReportDateRange &range, AmountSign sign, TotalsOrder order,
                  TransferPairs transfers)
{
    const ReportItemColumns &c = ColumnsOf(kind);
    QString where;
    if (sign == AmountSign::Payments)
        where += QStringLiteral(" AND Amount < 0");
    else if (sign == AmountSign::Receipts)
        where += QStringLiteral(" AND Amount > 0");
    where += range.condition(QStringLiteral("+TransactionDate"));
    if (transfers == TransferPairs::LeftOut)
        where += QStringLiteral(" AND IFNULL(LinkedTransactionID, 0) <= 0");
    if (!where.isEmpty())
        where = QStringLiteral(" WHERE ") + where.mid(int(qstrlen(" AND ")));
    return QStringLiteral("SELECT i.%3, SUM(g.AmountSum) AS AmountSum"
                          " FROM (SELECT %2 AS ItemId, SUM(Amount/CurrencyRate) AS AmountSum"
                          " FROM tbTransactions%4 GROUP BY %2) AS g"
                          " JOIN %1 AS i ON i.%2 = g.ItemId"
                          " GROUP BY i.%3 ORDER BY %5")
        .arg(c.table, c.idColumn, c.nameColumn, where,
             order == TotalsOrder::ByName ? QStringLiteral("i.") + c.nameColumn
                                          : QStringLiteral("2, i.") + c.nameColumn);
}

} // namespace

QList<ItemTotal> LoadItemTotals(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range,
                                AmountSign sign, TotalsOrder order, TransferPairs transfers)
{
    SqlStatement query(db, totalsSql(kind, range, sign, order, transfers));
    range.bind(query);
    query.exec();
    QList<ItemTotal> totals;
    while (query.next())
        totals.append({query.value(0).toString(), BaseCurrencySum(query.value(1))});
    return totals;
}
