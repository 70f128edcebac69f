#include "core/reports/reportcentre.h"

#include "core/lists/items.h"
#include "core/store/lookups.h"
#include "core/store/transactionstore.h"

namespace {

bool isAll(const QString &text)
{
    return text == QLatin1String(ReportAllItems);
}

int accountIdOf(TMyDataModule &db, const QString &name)
{
    return LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                    QStringLiteral("AccountDescription"), name);
}

} // namespace

ReportCentreLists LoadReportCentreLists(TMyDataModule &db)
{
    ReportCentreLists lists;
    lists.payees = ItemNames(db, QStringLiteral("tbPayee"), QStringLiteral("PayeeName"));
    lists.categories = ItemNames(db, QStringLiteral("tbCategory"), QStringLiteral("CategoryDescription"));
    lists.accounts = ItemNames(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"));
    return lists;
}

RegisterFilter GetFilter(TMyDataModule &db, const ReportCentreChoice &choice)
{
    RegisterFilter filter;
    if (!isAll(choice.payee)) {
        filter.add(QStringLiteral("AND tbTransactions.PayeeId=:PayeeId"))
            .bind(QStringLiteral(":PayeeId"),
                  LookupId(db, QStringLiteral("tbPayee"), QStringLiteral("PayeeId"),
                           QStringLiteral("PayeeName"), choice.payee));
    }
    if (!isAll(choice.category)) {
        filter.add(QStringLiteral("AND tbTransactions.CategoryId=:CategoryId"))
            .bind(QStringLiteral(":CategoryId"),
                  LookupId(db, QStringLiteral("tbCategory"), QStringLiteral("CategoryId"),
                           QStringLiteral("CategoryDescription"), choice.category));
    }
    if (!isAll(choice.account)) {
        filter.add(QStringLiteral("AND tbTransactions.AccountId=:AccountId"))
            .bind(QStringLiteral(":AccountId"), accountIdOf(db, choice.account));
    }
    if (choice.fromDate.isValid() && choice.toDate.isValid() && choice.toDate >= choice.fromDate) {
        filter.add(QStringLiteral("AND (tbTransactions.TransactionDate BETWEEN :FromDate AND :ToDate)"))
            .bind(QStringLiteral(":FromDate"), choice.fromDate)
            .bind(QStringLiteral(":ToDate"), choice.toDate);
    }
    return filter;
}

Money ReportOpeningBalance(TMyDataModule &db, const ReportCentreChoice &choice)
{
    if (isAll(choice.account) || !choice.fromDate.isValid())
        return Money();
    const int accountId = accountIdOf(db, choice.account);
    if (accountId < 0)
        return Money();
    return GetPreviousBalance(db, accountId, choice.fromDate.addDays(-1));
}

void ForEachReportRow(TMyDataModule &db, const RegisterFilter &filter,
                      const std::function<void(const TransactionRowCells &)> &row)
{
    ForEachFilteredRow(db, filter, row);
}
