#include "core/store/lookups.h"

#include "core/datafile/schema.h"
#include "core/datafile/sqlstatement.h"
#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"

namespace {

// Table and column names cannot be bound; they are checked against the schema
// before they are placed into a statement.
void requireKnown(const QString &table, const QString &column)
{
    if (!Schema::isKnownColumn(table, column))
        throw TillbrookError(QStringLiteral("Unknown column %1 of table %2.").arg(column, table));
}

} // namespace

int LookupId(TMyDataModule &db, const QString &table, const QString &idColumn,
             const QString &nameColumn, const QString &name)
{
    requireKnown(table, idColumn);
    requireKnown(table, nameColumn);
    const QString select = QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(idColumn, table, nameColumn);
    if (name.isEmpty()) {
        SqlStatement query(db, select + QStringLiteral(" IS NULL"));
        query.exec();
        return query.next() ? query.value(0).toInt() : -1;
    }
    SqlStatement query(db, select + QStringLiteral(" = :Name"));
    query.bind(QStringLiteral(":Name"), name).exec();
    return query.next() ? query.value(0).toInt() : -1;
}

QString LookupName(TMyDataModule &db, const QString &table, const QString &nameColumn,
                   const QString &idColumn, int id)
{
    requireKnown(table, idColumn);
    requireKnown(table, nameColumn);
    SqlStatement query(db, QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :Id").arg(nameColumn, table, idColumn));
    query.bind(QStringLiteral(":Id"), id).exec();
    return query.next() ? query.value(0).toString() : QString();
}

bool IdExists(TMyDataModule &db, const QString &table, const QString &column, int id)
{
    requireKnown(table, column);
    SqlStatement query(db, QStringLiteral("SELECT 1 FROM %1 WHERE %2 = :Id").arg(table, column));
    query.bind(QStringLiteral(":Id"), id).exec();
    return query.next();
}

int AccountIdOf(TMyDataModule &db, const QString &accountName)
{
    return LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                    QStringLiteral("AccountDescription"), accountName);
}

QString AccountNameOf(TMyDataModule &db, int accountId)
{
    return LookupName(db, QStringLiteral("tbAccount"), QStringLiteral("AccountDescription"),
                      QStringLiteral("AccountId"), accountId);
}

QString GetLastCategoryOfPayee(TMyDataModule &db, const QString &payeeName)
{
    const int payeeId = LookupId(db, QStringLiteral("tbPayee"), QStringLiteral("PayeeId"),
                                 QStringLiteral("PayeeName"), payeeName);
    int categoryId = 0;
    {
        SqlStatement query(db, QStringLiteral("SELECT CategoryId FROM tbTransactions WHERE PayeeId = :PayeeId "
                                              "ORDER BY TransactionID DESC LIMIT 1"));
        query.bind(QStringLiteral(":PayeeId"), payeeId).exec();
        if (!query.next())
            return QString();
        categoryId = query.value(0).toInt();
    }
    return LookupName(db, QStringLiteral("tbCategory"), QStringLiteral("CategoryDescription"),
                      QStringLiteral("CategoryId"), categoryId);
}

QString GetAccountCurrencySymbol(TMyDataModule &db, const QString &accountName)
{
    const int currencyId = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("CurrencyId"),
                                    QStringLiteral("AccountDescription"), accountName);
    return LookupName(db, QStringLiteral("tbCurrency"), QStringLiteral("CurrencySymbol"),
                      QStringLiteral("CurrencyId"), currencyId);
}

int GetAccountCurrencyId(TMyDataModule &db, int accountId)
{
    const QString text = LookupName(db, QStringLiteral("tbAccount"), QStringLiteral("CurrencyID"),
                                    QStringLiteral("AccountID"), accountId);
    bool whole = false;
    const int id = text.toInt(&whole);
    return IsNumber(text) && whole ? id : 1;
}

double GetAccountCurrencyRate(TMyDataModule &db, int accountId)
{
    const int currencyId = GetAccountCurrencyId(db, accountId);
    SqlStatement query(db, QStringLiteral("SELECT CurrencyRate FROM tbCurrency WHERE CurrencyID = :CurrencyID"));
    query.bind(QStringLiteral(":CurrencyID"), currencyId).exec();
    return query.next() ? query.value(0).toDouble() : 1.0;
}
