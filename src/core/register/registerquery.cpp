#include "core/register/registerquery.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/transactionrow.h"

namespace {

// Columns in the order ReadTransactionRow() takes them; names so the payee and category rows win
// over the transaction's own identifiers, as the join guarantees they are the same.
const QString SelectPart = QStringLiteral(
    "SELECT tbTransactions.TransactionID, tbTransactions.TransactionDate,"
    " tbPayee.PayeeName, tbPayee.PayeeId, tbCategory.CategoryDescription,"
    " tbCategory.CategoryId, tbTransactions.strNote, tbTransactions.Amount,"
    " tbTransactions.AccountId, tbTransactions.LinkedTransactionID,"
    " tbTransactions.InternalDescription, tbTransactions.OtherAccountID,"
    " tbTransactions.CurrencyID, tbTransactions.CurrencyRate, tbTransactions.Status"
    " FROM tbTransactions"
    " INNER JOIN tbPayee ON tbTransactions.PayeeId=tbPayee.PayeeId"
    " INNER JOIN tbCategory ON tbTransactions.CategoryId=tbCategory.CategoryId"
    " WHERE tbTransactions.CompanyID=:CompanyID");
const QString OrderPart = QStringLiteral(
    " ORDER BY tbTransactions.TransactionDate, tbTransactions.TransactionID");

QList<TTransaction> readAll(SqlStatement &query, const QString &accountName)
{
    query.exec();
    QList<TTransaction> rows;
    TransactionRowReader reader;
    while (query.next()) {
        TTransaction t = reader.read(query);
        t.AccountDescription = accountName;
        rows.append(std::move(t));
    }
    return rows;
}

void checkCondition(const QString &condition)
{
    static const QStringList refused = {QStringLiteral("'"), QStringLiteral("\""),
                                        QStringLiteral("`"), QStringLiteral(";"),
                                        QStringLiteral("--"), QStringLiteral("/*")};
    for (const QString &piece : refused) {
        if (condition.contains(piece))
            throw TillbrookError(QStringLiteral(
                "The register filter may hold no literal text; bind its values instead."));
    }
}

// The register's query with the filter's condition and values, handed to use.
template <typename Use>
void withFilteredQuery(TMyDataModule &db, const RegisterFilter &filter, Use &&use)
{
    checkCondition(filter.condition);
    SqlStatement query(db, SelectPart + u' ' + filter.condition.trimmed() + OrderPart);
    query.bind(QStringLiteral(":CompanyID"), 1);
    for (const auto &[name, value] : filter.values)
        query.bind(name.startsWith(u':') ? name : u':' + name, value);
    use(query);
}

} // namespace

QList<TTransaction> LoadMonthTransactions(TMyDataModule &db, int accountId,
                                          const QString &accountName,
                                          const QDate &firstDay, const QDate &lastDay)
{
    SqlStatement query(db, SelectPart
        + QStringLiteral(" AND tbTransactions.AccountId=:AccountId"
                         " AND tbTransactions.TransactionDate>=:StartDate"
                         " AND tbTransactions.TransactionDate<=:EndDate")
        + OrderPart);
    query.bind(QStringLiteral(":CompanyID"), 1)
        .bind(QStringLiteral(":AccountId"), accountId)
        .bind(QStringLiteral(":StartDate"), firstDay)
        .bind(QStringLiteral(":EndDate"), lastDay);
    return readAll(query, accountName);
}

QList<TTransaction> LoadFilteredTransactions(TMyDataModule &db, const RegisterFilter &filter,
                                             const QString &accountName)
{
    QList<TTransaction> rows;
    withFilteredQuery(db, filter, [&](SqlStatement &query) { rows = readAll(query, accountName); });
    return rows;
}

void ForEachFilteredRow(TMyDataModule &db, const RegisterFilter &filter,
                        const std::function<void(const TransactionRowCells &)> &row)
{
    withFilteredQuery(db, filter, [&row](SqlStatement &query) {
        query.exec();
        while (query.next())
            row(ViewTransactionRow(query));
    });
}
