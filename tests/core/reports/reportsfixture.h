#pragma once

#include "core/base/money.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QDate>
#include <QString>
#include <QVariant>

// A data file with rows written straight into the tables, so the report queries are
// tested on their own and not through the store.
class ReportsFile : public TestDataFile
{
public:
    int addCurrency(const QString &code, double rate)
    {
        SqlStatement insert(db(), QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol,"
                                                 " CurrencyRate, IsBaseCurrency) VALUES (:s, :s, :r, 0)"));
        insert.bind(QStringLiteral(":s"), code).bind(QStringLiteral(":r"), rate).exec();
        return int(insert.lastInsertId());
    }
    int addAccount(const QString &name, int currencyId = 1)
    {
        SqlStatement insert(db(), QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription,"
                                                 " CurrencyID) VALUES (:n, 'Bank', :c)"));
        insert.bind(QStringLiteral(":n"), name).bind(QStringLiteral(":c"), currencyId).exec();
        return int(insert.lastInsertId());
    }
    // An empty name stores a Null name. amount in whole units.
    int addItem(const QString &table, const QString &name, double budget = 0,
                const QString &frequency = QStringLiteral(" "))
    {
        const QString column = table == QLatin1String("tbPayee") ? QStringLiteral("PayeeName")
                                                                 : QStringLiteral("CategoryDescription");
        SqlStatement insert(db(), QStringLiteral("INSERT INTO %1 (%2, Type, Amt, Frequency)"
                                                 " VALUES (:n, 'Expense', :a, :f)").arg(table, column));
        insert.bind(QStringLiteral(":n"), name.isEmpty() ? QVariant() : QVariant(name))
              .bind(QStringLiteral(":a"), qint64(qRound64(budget * 10000)))
              .bind(QStringLiteral(":f"), frequency).exec();
        return int(insert.lastInsertId());
    }
    int addPayee(const QString &name, double budget = 0, const QString &frequency = QStringLiteral(" "))
    {
        return addItem(QStringLiteral("tbPayee"), name, budget, frequency);
    }
    int addCategory(const QString &name, double budget = 0, const QString &frequency = QStringLiteral(" "))
    {
        return addItem(QStringLiteral("tbCategory"), name, budget, frequency);
    }
    // amount in whole units of the account's currency, stamped with rate.
    void addRow(int accountId, const QDate &date, int payeeId, int categoryId, double amount, double rate = 1.0)
    {
        SqlStatement insert(db(), QStringLiteral(
            "INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, strNote, CategoryId, AccountId,"
            " CurrencyID, CurrencyRate, Status) VALUES (:d, :p, :a, '', :c, :acc, 1, :r, ' ')"));
        insert.bind(QStringLiteral(":d"), date)
              .bind(QStringLiteral(":p"), payeeId)
              .bind(QStringLiteral(":a"), qint64(qRound64(amount * 10000)))
              .bind(QStringLiteral(":c"), categoryId)
              .bind(QStringLiteral(":acc"), accountId)
              .bind(QStringLiteral(":r"), rate)
              .exec();
    }
};

inline Money units(double whole)
{
    return Money::fromUnits(qRound64(whole * 10000));
}
