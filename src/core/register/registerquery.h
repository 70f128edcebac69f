#pragma once

#include "core/store/transactionrow.h"
#include "core/store/ttransaction.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <utility>

class TMyDataModule;

// A condition the caller adds to the register's query (the report centre's
// choices). The text is SQL built by the program from fixed pieces with named
// placeholders, e.g. "AND tbTransactions.AccountId=:AccountId"; every value goes
// into values and is bound, never into the text. Columns are named with their table
// (tbTransactions, tbPayee, tbCategory).
struct RegisterFilter
{
    QString condition;
    QList<std::pair<QString, QVariant>> values;

    RegisterFilter &add(const QString &sql) { condition += u' ' + sql; return *this; }
    RegisterFilter &bind(const QString &name, const QVariant &value)
    {
        values.append({name, value});
        return *this;
    }
};

// The transactions of one account dated firstDay to lastDay, by date and then
// number. A row whose payee or category row is missing is not listed. The records
// carry accountName as their AccountDescription.
QList<TTransaction> LoadMonthTransactions(TMyDataModule &db, int accountId,
                                          const QString &accountName,
                                          const QDate &firstDay, const QDate &lastDay);

// Every transaction (of any account) that satisfies the filter, in the same order.
// Throws TillbrookError when the condition holds literal text (quotes), a statement
// separator or a comment: values must come in through bound placeholders.
QList<TTransaction> LoadFilteredTransactions(TMyDataModule &db, const RegisterFilter &filter,
                                             const QString &accountName = QString());
// The same rows as they are read, for a list too long to make records of: row sees
// each one's cells only during its call.
void ForEachFilteredRow(TMyDataModule &db, const RegisterFilter &filter,
                        const std::function<void(const TransactionRowCells &)> &row);
