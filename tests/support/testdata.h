#pragma once

#include "core/base/money.h"

#include <QDate>
#include <QString>

class TMyDataModule;

// One row of tbTransactions as a test wants it; what a test leaves alone gets a
// plain value. The identifiers 1 are the template's nameless payee and category.
struct TestTransaction
{
    int accountId = 0;
    QDate date = QDate(2024, 3, 1);
    Money amount;
    int payeeId = 1;
    int categoryId = 1;
    QString note;
    QString status = QStringLiteral(" ");
    int linkedId = 0;
    QString internalDescription;
    int otherAccountId = 0;
    // Below zero: the rate of the account's currency.
    double rate = -1;
};

// One row of tbSchedule as a test wants it: a monthly payment of 10 on the 1st.
// Identifiers 0 and a null date or count are written as Null.
struct TestSchedule
{
    int accountId = 0;
    int otherAccountId = 0;
    int payeeId = 0;
    int categoryId = 0;
    Money amount = Money::fromUnits(-100000);
    QString note;
    QString frequency = QStringLiteral("M");
    int interval = 1;
    int dayOfMonth = 1;
    QDate nextDue = QDate(2024, 3, 1);
    QDate endDate;
    int remaining = -1; // below zero: no limit
    bool autoEnter = true;
};

// Writes the rows a fixture needs straight into the data file with plain SQL, so a
// fixture does not lean on the code it tests. Every value is bound. Each call
// returns the new row's identifier.
class TestData
{
public:
    explicit TestData(TMyDataModule &db) : m_db(db) {}

    int currency(const QString &symbol, const QString &code, double rate, bool base = false);
    // The template's base currency is 1.
    int account(const QString &name, int currencyId = 1, const QString &type = QStringLiteral("Bank"));
    int payee(const QString &name, const QString &type = QStringLiteral("Expense"));
    int category(const QString &name, const QString &type = QStringLiteral("Expense"));
    // Stamped with the account's currency, as the store stamps it.
    int transaction(const TestTransaction &row);
    int schedule(const TestSchedule &row);

private:
    TMyDataModule &m_db;
};

// Fills the data file at Path (which no other connection holds) and deletes most of it
// again, leaving ten transactions and free pages for a compaction to give back.
void LeaveFreePages(const QString &path);
