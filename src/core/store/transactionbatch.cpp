#include "core/store/transactionbatch.h"

#include "core/base/tillbrookerror.h"

#include <limits>

namespace {

const QString BatchInsertSql = QStringLiteral(
    "INSERT INTO tbTransactions (TransactionID, CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
    " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
    " VALUES (:TransactionID, 1, :TransactionDate, :PayeeId, :Amount, :strNote, :CategoryId,"
    " :AccountId, :LinkedTransactionID, :InternalDescription, :OtherAccountID, :CurrencyID, :CurrencyRate, :Status)");

// The number the next AUTOINCREMENT row would get: past every row there is and every
// number handed out before, so a deleted row's number is never used again.
const QString NextIdSql = QStringLiteral(
    "SELECT MAX(IFNULL((SELECT seq FROM sqlite_sequence WHERE name = 'tbTransactions'), 0),"
    " IFNULL((SELECT MAX(TransactionID) FROM tbTransactions), 0)) + 1");

QVariant text(const QString &value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

qint64 nextId(TMyDataModule &db)
{
    SqlStatement query(db, NextIdSql);
    query.exec();
    return query.next() ? query.value(0).toLongLong() : 1;
}

} // namespace

TransactionBatch::TransactionBatch(TMyDataModule &db)
    : m_insert(db, BatchInsertSql), m_nextId(nextId(db))
{
}

int TransactionBatch::takeId()
{
    if (m_nextId <= 0 || m_nextId > std::numeric_limits<int>::max())
        throw DatabaseError(QStringLiteral("The new transaction received the number %1, which is out of range.").arg(m_nextId));
    return int(m_nextId++);
}

void TransactionBatch::write(const TTransaction &record, int id, int accountId, Money amount, int linkedId,
                             int otherAccountId, int currencyId, double rate)
{
    if (!record.TransactionDate.isValid())
        throw TillbrookError(QStringLiteral("A transaction without a valid date cannot be stored."));
    m_insert.bind(QStringLiteral(":TransactionID"), id)
        .bind(QStringLiteral(":TransactionDate"), record.TransactionDate)
        .bind(QStringLiteral(":PayeeId"), record.PayeeId)
        .bind(QStringLiteral(":Amount"), amount)
        .bind(QStringLiteral(":strNote"), text(record.strNote))
        .bind(QStringLiteral(":CategoryId"), record.CategoryId)
        .bind(QStringLiteral(":AccountId"), accountId)
        .bind(QStringLiteral(":LinkedTransactionID"), linkedId)
        .bind(QStringLiteral(":InternalDescription"), text(record.InternalDescription))
        .bind(QStringLiteral(":OtherAccountID"), otherAccountId)
        .bind(QStringLiteral(":CurrencyID"), currencyId)
        .bind(QStringLiteral(":CurrencyRate"), rate)
        .bind(QStringLiteral(":Status"), text(record.Status))
        .exec();
}

int TransactionBatch::insert(const TTransaction &record)
{
    const int id = takeId();
    write(record, id, record.AccountId, record.Amount, record.LinkedTransactionID, record.OtherAccountID,
          record.CurrencyID, record.CurrencyRate);
    return id;
}

int TransactionBatch::insertTransfer(const TTransaction &record, int otherCurrencyId, double otherRate)
{
    // Converted before anything is written: a zero rate or an amount that does not fit throws here.
    const Money partnerAmount = -record.Amount.converted(record.CurrencyRate, otherRate);
    TTransaction transfer = record;
    transfer.InternalDescription = TransferDescription;
    const int first = takeId();
    const int second = takeId();
    write(transfer, first, record.AccountId, record.Amount, second, record.OtherAccountID, record.CurrencyID,
          record.CurrencyRate);
    write(transfer, second, record.OtherAccountID, partnerAmount, first, record.AccountId, otherCurrencyId, otherRate);
    return first;
}
