#include "core/reports/accountsummary.h"

#include "core/datafile/sqlstatement.h"
#include "core/reports/basecurrencysum.h"

AccountSummary LoadAccountSummary(TMyDataModule &db)
{
    // One pass over the account index, which holds amount and rate: sums per account,
    // then the few sums are named and totalled. The total row (IsTotal 1) comes last.
    SqlStatement query(db, QStringLiteral(
        "WITH PerAccount AS (SELECT AccountId, SUM(Amount/CurrencyRate) AS Balance"
        " FROM tbTransactions GROUP BY AccountId)"
        " SELECT a.AccountDescription, SUM(p.Balance), 0 AS IsTotal"
        " FROM PerAccount AS p JOIN tbAccount AS a ON a.AccountId = p.AccountId"
        " GROUP BY a.AccountDescription"
        " UNION ALL SELECT NULL, SUM(Balance), 1 FROM PerAccount"
        " ORDER BY 3, 1"));
    query.exec();
    AccountSummary summary;
    while (query.next()) {
        if (query.value(2).toInt() == 1)
            summary.total = BaseCurrencySum(query.value(1));
        else
            summary.accounts.append({query.value(0).toString(), BaseCurrencySum(query.value(1))});
    }
    return summary;
}
