#pragma once

#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>

// Plain SQL set-up for the account and currency tests, independent of the
// transaction store.
namespace AccountsFixture {

inline int addCurrency(TestDataFile &f, const QString &symbol, const QString &code, double rate, bool base = false)
{
    SqlStatement insert(f.db(), QStringLiteral(
        "INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency)"
        " VALUES (:s, :c, :r, :b)"));
    insert.bind(QStringLiteral(":s"), symbol).bind(QStringLiteral(":c"), code)
          .bind(QStringLiteral(":r"), rate).bind(QStringLiteral(":b"), base ? 1 : 0).exec();
    return int(insert.lastInsertId());
}

inline int addAccount(TestDataFile &f, const QString &name, int currencyId, const QString &type = QStringLiteral("Bank"))
{
    SqlStatement insert(f.db(), QStringLiteral(
        "INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES (:n, :t, :c)"));
    insert.bind(QStringLiteral(":n"), name).bind(QStringLiteral(":t"), type).bind(QStringLiteral(":c"), currencyId).exec();
    return int(insert.lastInsertId());
}

// One row; amount in whole units of the account's currency.
inline int addRow(TestDataFile &f, int accountId, double amount, double rate, int categoryId = 1,
                  int linked = 0, const QString &internal = QString(), int otherAccount = 0)
{
    SqlStatement insert(f.db(), QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId, AccountId,"
        " LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " VALUES (1, '2024-03-01', 1, :amount, '', :category, :account, :linked, :internal, :other,"
        " (SELECT CurrencyID FROM tbAccount WHERE AccountId=:account2), :rate, ' ')"));
    insert.bind(QStringLiteral(":amount"), qint64(qRound64(amount * 10000)))
          .bind(QStringLiteral(":category"), categoryId)
          .bind(QStringLiteral(":account"), accountId)
          .bind(QStringLiteral(":linked"), linked)
          .bind(QStringLiteral(":internal"), internal)
          .bind(QStringLiteral(":other"), otherAccount)
          .bind(QStringLiteral(":account2"), accountId)
          .bind(QStringLiteral(":rate"), rate)
          .exec();
    return int(insert.lastInsertId());
}

// A transfer pair written the way the store writes it; returns the two identifiers.
inline QPair<int, int> addTransfer(TestDataFile &f, int from, double fromRate, int to, double toRate, double amount)
{
    const int first = addRow(f, from, -amount, fromRate, 1, 0, QStringLiteral("Transfer"), to);
    const int second = addRow(f, to, amount / fromRate * toRate, toRate, 1, first, QStringLiteral("Transfer"), from);
    SqlStatement(f.db(), QStringLiteral("UPDATE tbTransactions SET LinkedTransactionID=:l WHERE TransactionID=:t"))
        .bind(QStringLiteral(":l"), second).bind(QStringLiteral(":t"), first).exec();
    return {first, second};
}

inline QList<int> ids(TestDataFile &f, const QString &sql)
{
    SqlStatement query(f.db(), sql);
    query.exec();
    QList<int> result;
    while (query.next())
        result << query.value(0).toInt();
    return result;
}

inline double real(TestDataFile &f, const QString &sql)
{
    SqlStatement query(f.db(), sql);
    query.exec();
    return query.next() ? query.value(0).toDouble() : qQNaN();
}

// Every row of a table as text, to show that nothing changed.
inline QStringList dump(TestDataFile &f, const QString &table)
{
    QSqlQuery query(QSqlDatabase::database(f.db().connectionName()));
    if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table)))
        qFatal("dump of %s failed", qPrintable(table));
    QStringList rows;
    while (query.next()) {
        QStringList fields;
        for (int c = 0; c < query.record().count(); ++c)
            fields << query.value(c).toString();
        rows << fields.join(u'|');
    }
    return rows;
}

} // namespace AccountsFixture
