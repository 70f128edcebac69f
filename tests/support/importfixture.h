#pragma once

#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QFile>
#include <QString>

// Plain SQL set-up and read-back for the import tests.
namespace ImportFixture {

inline QByteArray qifData(const QString &name)
{
    QFile file(QStringLiteral(TILLBROOK_QIF_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

inline int addCurrency(TMyDataModule &db, const QString &symbol, double rate)
{
    SqlStatement insert(db, QStringLiteral(
        "INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency)"
        " VALUES (:s, :s, :r, 0)"));
    insert.bind(QStringLiteral(":s"), symbol).bind(QStringLiteral(":r"), rate).exec();
    return int(insert.lastInsertId());
}

inline int addAccount(TMyDataModule &db, const QString &name, int currencyId = 1)
{
    SqlStatement insert(db, QStringLiteral(
        "INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES (:n, 'Bank', :c)"));
    insert.bind(QStringLiteral(":n"), name).bind(QStringLiteral(":c"), currencyId).exec();
    return int(insert.lastInsertId());
}

inline qint64 count(TMyDataModule &db, const QString &sql)
{
    SqlStatement query(db, sql);
    query.exec();
    return query.next() ? query.value(0).toLongLong() : -1;
}

inline qint64 transactionCount(TMyDataModule &db)
{
    return count(db, QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
}

// One stored row, as "account amount status payee/category [linked-account]".
struct StoredRow
{
    int id;
    QString account;
    qint64 units;
    QString status;
    QString payee;
    QString category;
    QString note;
    QString internal;
    int linked;
    QString otherAccount;
    double rate;
    QString date;
};

inline QList<StoredRow> storedRows(TMyDataModule &db)
{
    SqlStatement query(db, QStringLiteral(
        "SELECT t.TransactionID, a.AccountDescription, t.Amount, t.Status, p.PayeeName, c.CategoryDescription,"
        " t.strNote, t.InternalDescription, t.LinkedTransactionID, o.AccountDescription, t.CurrencyRate,"
        " t.TransactionDate"
        " FROM tbTransactions t LEFT JOIN tbAccount a ON a.AccountId = t.AccountId"
        " LEFT JOIN tbPayee p ON p.PayeeId = t.PayeeId LEFT JOIN tbCategory c ON c.CategoryId = t.CategoryId"
        " LEFT JOIN tbAccount o ON o.AccountId = t.OtherAccountID ORDER BY t.TransactionID"));
    query.exec();
    QList<StoredRow> rows;
    while (query.next()) {
        rows.append({query.value(0).toInt(), query.value(1).toString(), query.value(2).toLongLong(),
                     query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
                     query.value(6).toString(), query.value(7).toString(), query.value(8).toInt(),
                     query.value(9).toString(), query.value(10).toDouble(), query.value(11).toString()});
    }
    return rows;
}

} // namespace ImportFixture
