#include "core/store/transactionstore.h"

#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/store/transactionrow.h"

#include <limits>
#include <utility>

namespace {

// The statements are fixed texts so the data module's cache keeps them prepared;
// every value is bound. CompanyID is always 1 in this program.

// A scalar sub-select takes the first matching row, like LookupId. "IS" with a bound
// Null matches the row whose name is Null (an empty name), and still uses the name
// index; the columns compare without regard to case.
const QString ResolveSql = QStringLiteral(
    "SELECT (SELECT PayeeId FROM tbPayee WHERE PayeeName IS :PayeeName) AS PayeeId,"
    " (SELECT CategoryId FROM tbCategory WHERE CategoryDescription IS :CategoryDescription) AS CategoryId,"
    " (SELECT AccountId FROM tbAccount WHERE AccountDescription IS :AccountDescription) AS AccountId");

// The account's currency (1 when it has none, or no such account) and that currency's
// rate (1 when the currency has no row), as GetAccountCurrencyId/-Rate give them.
const QString CurrencyOfAccount = QStringLiteral(
    "COALESCE((SELECT CASE WHEN typeof(CurrencyID) = 'integer' THEN CurrencyID END"
    " FROM tbAccount WHERE AccountId = %1), 1)");
const QString RateOfCurrency = QStringLiteral(
    "COALESCE((SELECT CurrencyRate FROM tbCurrency WHERE CurrencyID = k.CurrencyID), 1.0)");

const QString CurrencySql = QStringLiteral("SELECT k.CurrencyID, %1 FROM (SELECT %2 AS CurrencyID) AS k")
                                .arg(RateOfCurrency, CurrencyOfAccount.arg(QStringLiteral(":AccountId")));

// Identifiers and the account's currency (k.PayeeId, k.CategoryId, k.AccountId,
// k.CurrencyID; a missing identifier is Null here) and its rate, from the three names.
const QString ResolvedRows =
    QStringLiteral("(SELECT r.PayeeId, r.CategoryId, r.AccountId, %1 AS CurrencyID FROM (%2) AS r) AS k")
        .arg(CurrencyOfAccount.arg(QStringLiteral("r.AccountId")), ResolveSql);

// Updates and transfers need the identifiers and the rate in hand.
const QString ResolveWithCurrencySql =
    QStringLiteral("SELECT k.PayeeId, k.CategoryId, k.AccountId, k.CurrencyID, %1 FROM %2")
        .arg(RateOfCurrency, ResolvedRows);

const QString InsertColumns = QStringLiteral(
    "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
    " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)");

const QString InsertSql = InsertColumns + QStringLiteral(
    " VALUES (1, :TransactionDate, :PayeeId, :Amount, :strNote, :CategoryId,"
    " :AccountId, :LinkedTransactionID, :InternalDescription, :OtherAccountID, :CurrencyID, :CurrencyRate, :Status)");

const QString LinkSql = QStringLiteral(
    "UPDATE tbTransactions SET LinkedTransactionID = :LinkedTransactionID"
    " WHERE CompanyID = 1 AND TransactionID = :TransactionID");

const QString UpdateSet = QStringLiteral(
    "UPDATE tbTransactions SET TransactionDate = :TransactionDate, PayeeId = :PayeeId, Amount = :Amount,"
    " strNote = :strNote, Status = :Status, CategoryId = :CategoryId, AccountId = :AccountId,"
    " LinkedTransactionID = :LinkedTransactionID, OtherAccountID = :OtherAccountID,"
    " InternalDescription = :InternalDescription, CurrencyID = :CurrencyID, CurrencyRate = :CurrencyRate"
    " WHERE CompanyID = 1 AND TransactionID = :TransactionID");
// A transfer's partner is touched only while it still links back to the row being
// changed, so a stale LinkedTransactionID can never overwrite or delete an unrelated row.
const QString UpdatePartnerSql = UpdateSet + QStringLiteral(" AND LinkedTransactionID = :LinkedTransactionID");
const QString UpdateSql = UpdateSet;

const QString StatusSql = QStringLiteral(
    "UPDATE tbTransactions SET Status = :Status WHERE CompanyID = 1 AND TransactionID = :TransactionID");
const QString PartnerStatusSql = StatusSql + QStringLiteral(" AND LinkedTransactionID = :LinkedTransactionID");

const QString DeleteSql = QStringLiteral(
    "DELETE FROM tbTransactions WHERE CompanyID = 1 AND TransactionID = :TransactionID");
const QString DeletePartnerSql = QStringLiteral(
    "DELETE FROM tbTransactions WHERE CompanyID = 1 AND TransactionID = :TransactionID"
    " AND LinkedTransactionID = :LinkedTransactionID");

const QString LoadSql = QStringLiteral(
    "SELECT t.TransactionID, t.TransactionDate,"
    " (SELECT PayeeName FROM tbPayee WHERE PayeeId = t.PayeeId), t.PayeeId,"
    " (SELECT CategoryDescription FROM tbCategory WHERE CategoryId = t.CategoryId), t.CategoryId,"
    " t.strNote, t.Amount, t.AccountId, t.LinkedTransactionID, t.InternalDescription,"
    " t.OtherAccountID, t.CurrencyID, t.CurrencyRate, t.Status,"
    " (SELECT AccountDescription FROM tbAccount WHERE AccountId = t.AccountId)"
    " FROM tbTransactions AS t WHERE t.CompanyID = 1 AND t.TransactionID = :TransactionID");

// Both balances read the index on (AccountId, TransactionDate, Amount) alone. Dates are
// ISO text, so comparing with a bound ISO text orders them by day.
const QString CurrentBalanceSql = QStringLiteral(
    "SELECT SUM(Amount) FROM tbTransactions WHERE AccountId = :AccountId");
const QString PreviousBalanceSql = QStringLiteral(
    "SELECT SUM(Amount) FROM tbTransactions WHERE AccountId = :AccountId AND TransactionDate <= :Date");

struct Refs
{
    int payeeId = -1;
    int categoryId = -1;
    int accountId = -1;
};

struct Stamp
{
    int currencyId = 1;
    double rate = 1.0;
};

// The engine stores a null QString as Null; texts are stored as texts, also when empty.
QVariant textParam(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant nameParam(const QString &name)
{
    return name.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(name);
}

int idOrMissing(const QVariant &value)
{
    return value.isNull() ? -1 : value.toInt();
}

void bindNames(SqlStatement &query, const TTransaction &record)
{
    query.bind(QStringLiteral(":PayeeName"), nameParam(record.PayeeName))
        .bind(QStringLiteral(":CategoryDescription"), nameParam(record.CategoryDescription))
        .bind(QStringLiteral(":AccountDescription"), nameParam(record.AccountDescription));
}

Refs readRefs(const SqlStatement &query)
{
    Refs refs;
    refs.payeeId = idOrMissing(query.value(0));
    refs.categoryId = idOrMissing(query.value(1));
    refs.accountId = idOrMissing(query.value(2));
    return refs;
}

Refs resolve(TMyDataModule &db, const TTransaction &record)
{
    SqlStatement query(db, ResolveSql);
    bindNames(query, record);
    query.exec();
    return query.next() ? readRefs(query) : Refs();
}

// The identifiers and the stamp of the record's own account.
std::pair<Refs, Stamp> resolveWithCurrency(TMyDataModule &db, const TTransaction &record)
{
    SqlStatement query(db, ResolveWithCurrencySql);
    bindNames(query, record);
    query.exec();
    if (!query.next())
        throw DatabaseError(QStringLiteral("The names of the transaction could not be looked up."));
    return {readRefs(query), Stamp{query.value(3).toInt(), query.value(4).toDouble()}};
}

Stamp currencyOf(TMyDataModule &db, int accountId)
{
    SqlStatement query(db, CurrencySql);
    query.bind(QStringLiteral(":AccountId"), accountId).exec();
    Stamp stamp;
    if (query.next()) {
        stamp.currencyId = query.value(0).toInt();
        stamp.rate = query.value(1).toDouble();
    }
    return stamp;
}

int newRowId(const SqlStatement &insert)
{
    const qint64 id = insert.lastInsertId();
    if (id <= 0 || id > std::numeric_limits<int>::max())
        throw DatabaseError(QStringLiteral("The new transaction received the number %1, which is out of range.").arg(id));
    return int(id);
}

// The columns every insert and update writes, apart from the row's own number.
struct RowValues
{
    int accountId;
    Money amount;
    int linkedId;
    int otherAccountId;
    Stamp stamp;
};

// The values that come from the record as they are, or are given per row.
void bindValues(SqlStatement &statement, const TTransaction &record, Money amount, int linkedId, int otherAccountId)
{
    statement.bind(QStringLiteral(":TransactionDate"), record.TransactionDate)
        .bind(QStringLiteral(":Amount"), amount)
        .bind(QStringLiteral(":strNote"), textParam(record.strNote))
        .bind(QStringLiteral(":LinkedTransactionID"), linkedId)
        .bind(QStringLiteral(":InternalDescription"), textParam(record.InternalDescription))
        .bind(QStringLiteral(":OtherAccountID"), otherAccountId)
        .bind(QStringLiteral(":Status"), textParam(record.Status));
}

void bindRow(SqlStatement &statement, const TTransaction &record, const Refs &refs, const RowValues &row)
{
    bindValues(statement, record, row.amount, row.linkedId, row.otherAccountId);
    statement.bind(QStringLiteral(":PayeeId"), refs.payeeId)
        .bind(QStringLiteral(":CategoryId"), refs.categoryId)
        .bind(QStringLiteral(":AccountId"), row.accountId)
        .bind(QStringLiteral(":CurrencyID"), row.stamp.currencyId)
        .bind(QStringLiteral(":CurrencyRate"), row.stamp.rate);
}

Money sumOf(SqlStatement &query)
{
    try {
        query.exec();
    } catch (const DatabaseError &error) {
        // The engine refuses an integer sum that does not fit rather than wrap it.
        if (error.message().contains(QLatin1String("integer overflow"), Qt::CaseInsensitive))
            throw TillbrookError(BalanceOverflowMessage);
        throw;
    }
    if (!query.next())
        return Money();
    return Money::fromUnits(query.value(0).toLongLong()); // a Null sum (no rows) reads 0
}

// What the register and the balances rely on of every row the store writes: a day
// that the stored text form holds, and an amount within the program's range.
void checkStorable(const TTransaction &record)
{
    CheckStorableDate(record.TransactionDate);
    if (!record.Amount.isInRange())
        throw TillbrookError(QStringLiteral("The amount %1 lies beyond the largest amount, %2.")
                                 .arg(record.Amount.toGroupedText(4), Money::maximum().toGroupedText(4)));
}

} // namespace

void CheckStorableDate(const QDate &date)
{
    if (!date.isValid() || date.year() < FirstStorableYear || date.year() > LastStorableYear)
        throw TillbrookError(QStringLiteral("The transaction date is not a valid day between %1 and %2.")
                                 .arg(QDate(FirstStorableYear, 1, 1).toString(Qt::ISODate),
                                      QDate(LastStorableYear, 12, 31).toString(Qt::ISODate)));
}

Money GetCurrentBalance(TMyDataModule &db, int accountId)
{
    SqlStatement query(db, CurrentBalanceSql);
    query.bind(QStringLiteral(":AccountId"), accountId);
    return sumOf(query);
}

Money GetPreviousBalance(TMyDataModule &db, int accountId, const QDate &date)
{
    if (!date.isValid())
        throw TillbrookError(QStringLiteral("A balance was asked for an invalid date."));
    SqlStatement query(db, PreviousBalanceSql);
    query.bind(QStringLiteral(":AccountId"), accountId).bind(QStringLiteral(":Date"), ToStoredDate(date));
    return sumOf(query);
}

TTransaction ResolveTransactionRefs(TMyDataModule &db, const TTransaction &record)
{
    const Refs refs = resolve(db, record);
    TTransaction resolved = record;
    resolved.PayeeId = refs.payeeId;
    resolved.CategoryId = refs.categoryId;
    resolved.AccountId = refs.accountId;
    return resolved;
}

int InsertTransaction(TMyDataModule &db, const TTransaction &record)
{
    checkStorable(record);
    // The names and the account's currency are looked up first and the row written
    // with INSERT ... VALUES: a single-row insert needs no statement journal, which an
    // INSERT ... SELECT copies every touched page into.
    const auto [refs, own] = resolveWithCurrency(db, record);
    if (!record.isTransfer()) {
        SqlStatement insert(db, InsertSql);
        bindRow(insert, record, refs, {refs.accountId, record.Amount, record.LinkedTransactionID, record.OtherAccountID, own});
        insert.exec();
        return newRowId(insert);
    }

    // A transfer always pays out of the record's account. The receiving row holds the
    // negated paid amount in its own currency, as an update of either row would write
    // it, so the pair balances also when the amount came in already negative.
    const Money paid = record.Amount > Money() ? -record.Amount : record.Amount;
    const Stamp other = currencyOf(db, record.OtherAccountID);
    const Money received = -paid.converted(own.rate, other.rate); // before any write: a zero rate throws here

    SqlStatement insert(db, InsertSql);
    bindRow(insert, record, refs, {refs.accountId, paid, record.LinkedTransactionID, record.OtherAccountID, own});
    insert.exec();
    const int newId = newRowId(insert);

    bindRow(insert, record, refs, {record.OtherAccountID, received, newId, refs.accountId, other});
    insert.exec();
    const int secondId = newRowId(insert);

    SqlStatement link(db, LinkSql);
    link.bind(QStringLiteral(":LinkedTransactionID"), secondId).bind(QStringLiteral(":TransactionID"), newId).exec();
    return newId;
}

bool UpdateTransaction(TMyDataModule &db, const TTransaction &record)
{
    checkStorable(record);
    const auto [refs, own] = resolveWithCurrency(db, record);
    const bool transfer = record.isTransfer();
    Stamp other;
    Money partnerAmount;
    if (transfer) {
        other = currencyOf(db, record.OtherAccountID);
        partnerAmount = -record.Amount.converted(own.rate, other.rate);
    }

    {
        SqlStatement update(db, UpdateSql);
        bindRow(update, record, refs, {refs.accountId, record.Amount, record.LinkedTransactionID, record.OtherAccountID, own});
        update.bind(QStringLiteral(":TransactionID"), record.TransactionID).exec();
        if (update.rowsAffected() == 0)
            throw TillbrookError(QStringLiteral("Transaction %1 no longer exists.").arg(record.TransactionID));
    }
    if (transfer) {
        SqlStatement partner(db, UpdatePartnerSql);
        bindRow(partner, record, refs, {record.OtherAccountID, partnerAmount, record.TransactionID, refs.accountId, other});
        partner.bind(QStringLiteral(":TransactionID"), record.LinkedTransactionID).exec();
    }
    return true;
}

void SetTransactionStatus(TMyDataModule &db, const TTransaction &record)
{
    {
        SqlStatement update(db, StatusSql);
        update.bind(QStringLiteral(":Status"), textParam(record.Status))
            .bind(QStringLiteral(":TransactionID"), record.TransactionID)
            .exec();
        if (update.rowsAffected() == 0)
            throw TillbrookError(QStringLiteral("Transaction %1 no longer exists.").arg(record.TransactionID));
    }
    if (record.isTransfer()) {
        SqlStatement partner(db, PartnerStatusSql);
        partner.bind(QStringLiteral(":Status"), textParam(record.Status))
            .bind(QStringLiteral(":TransactionID"), record.LinkedTransactionID)
            .bind(QStringLiteral(":LinkedTransactionID"), record.TransactionID)
            .exec();
    }
}

bool DeleteTransaction(TMyDataModule &db, const TTransaction &record)
{
    {
        SqlStatement remove(db, DeleteSql);
        remove.bind(QStringLiteral(":TransactionID"), record.TransactionID).exec();
    }
    if (record.isTransfer()) {
        SqlStatement partner(db, DeletePartnerSql);
        partner.bind(QStringLiteral(":TransactionID"), record.LinkedTransactionID)
            .bind(QStringLiteral(":LinkedTransactionID"), record.TransactionID)
            .exec();
    }
    return true;
}

bool LoadTransaction(TMyDataModule &db, int id, TTransaction &record)
{
    SqlStatement query(db, LoadSql);
    query.bind(QStringLiteral(":TransactionID"), id).exec();
    if (!query.next())
        return false;
    TTransaction loaded = ReadTransactionRow(query);
    loaded.AccountDescription = query.value(TransactionRowColumnCount).toString();
    record = std::move(loaded);
    return true;
}
