#include "core/register/registerquery.h"

#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"

namespace {

// Columns in the order readRow() takes them; names so the payee and category rows win
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

TTransaction readRow(const SqlStatement &query, const QString &accountName)
{
    TTransaction t;
    t.TransactionID = query.value(0).toInt();
    t.TransactionDate = FromStoredDate(query.value(1).toString());
    t.PayeeName = query.value(2).toString();
    t.PayeeId = query.value(3).toInt();
    t.CategoryDescription = query.value(4).toString();
    t.CategoryId = query.value(5).toInt();
    t.strNote = query.value(6).toString();
    t.Amount = Money::fromUnits(query.value(7).toLongLong());
    t.AccountId = query.value(8).toInt();
    t.LinkedTransactionID = query.value(9).toInt();
    t.InternalDescription = query.value(10).toString();
    t.OtherAccountID = query.value(11).toInt();
    t.CurrencyID = query.value(12).toInt();
    t.CurrencyRate = query.value(13).toDouble();
    t.Status = query.value(14).toString();
    t.AccountDescription = accountName;
    return t;
}

QList<TTransaction> readAll(SqlStatement &query, const QString &accountName)
{
    query.exec();
    QList<TTransaction> rows;
    while (query.next())
        rows.append(readRow(query, accountName));
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
    ForEachFilteredTransaction(db, filter, [&rows](const TTransaction &t) { rows.append(t); }, accountName);
    return rows;
}

void ForEachFilteredTransaction(TMyDataModule &db, const RegisterFilter &filter,
                                const std::function<void(const TTransaction &)> &row,
                                const QString &accountName)
{
    checkCondition(filter.condition);
    SqlStatement query(db, SelectPart + u' ' + filter.condition.trimmed() + OrderPart);
    query.bind(QStringLiteral(":CompanyID"), 1);
    for (const auto &[name, value] : filter.values)
        query.bind(name.startsWith(u':') ? name : u':' + name, value);
    query.exec();
    while (query.next())
        row(readRow(query, accountName));
}
