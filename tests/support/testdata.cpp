#include "support/testdata.h"

#include "core/datafile/sqlstatement.h"

int TestData::currency(const QString &symbol, const QString &code, double rate, bool base)
{
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency)"
        " VALUES (:Symbol, :Code, :Rate, :Base)"));
    insert.bind(QStringLiteral(":Symbol"), symbol)
        .bind(QStringLiteral(":Code"), code)
        .bind(QStringLiteral(":Rate"), rate)
        .bind(QStringLiteral(":Base"), base ? 1 : 0)
        .exec();
    return int(insert.lastInsertId());
}

int TestData::account(const QString &name, int currencyId, const QString &type)
{
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES (:Name, :Type, :Currency)"));
    insert.bind(QStringLiteral(":Name"), name)
        .bind(QStringLiteral(":Type"), type)
        .bind(QStringLiteral(":Currency"), currencyId)
        .exec();
    return int(insert.lastInsertId());
}

int TestData::payee(const QString &name, const QString &type)
{
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:Name, :Type, 0, ' ')"));
    insert.bind(QStringLiteral(":Name"), name).bind(QStringLiteral(":Type"), type).exec();
    return int(insert.lastInsertId());
}

int TestData::category(const QString &name, const QString &type)
{
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES (:Name, :Type, 0, ' ')"));
    insert.bind(QStringLiteral(":Name"), name).bind(QStringLiteral(":Type"), type).exec();
    return int(insert.lastInsertId());
}

int TestData::transaction(const TestTransaction &row)
{
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId, AccountId,"
        " LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " SELECT 1, :Date, :Payee, :Amount, :Note, :Category, :Account, :Linked, :Internal, :Other,"
        " a.CurrencyID, CASE WHEN :Rate < 0 THEN COALESCE(c.CurrencyRate, 1) ELSE :Rate2 END, :Status"
        " FROM (SELECT :Account2 AS AccountId) AS k"
        " LEFT JOIN tbAccount AS a ON a.AccountId = k.AccountId"
        " LEFT JOIN tbCurrency AS c ON c.CurrencyID = a.CurrencyID"));
    insert.bind(QStringLiteral(":Date"), row.date)
        .bind(QStringLiteral(":Payee"), row.payeeId)
        .bind(QStringLiteral(":Amount"), row.amount)
        .bind(QStringLiteral(":Note"), row.note)
        .bind(QStringLiteral(":Category"), row.categoryId)
        .bind(QStringLiteral(":Account"), row.accountId)
        .bind(QStringLiteral(":Linked"), row.linkedId)
        .bind(QStringLiteral(":Internal"), row.internalDescription)
        .bind(QStringLiteral(":Other"), row.otherAccountId)
        .bind(QStringLiteral(":Rate"), row.rate)
        .bind(QStringLiteral(":Rate2"), row.rate)
        .bind(QStringLiteral(":Status"), row.status)
        .bind(QStringLiteral(":Account2"), row.accountId)
        .exec();
    return int(insert.lastInsertId());
}

int TestData::schedule(const TestSchedule &row)
{
    const auto idOrNull = [](int id) { return id != 0 ? QVariant(id) : QVariant(QMetaType(QMetaType::Int)); };
    SqlStatement insert(m_db, QStringLiteral(
        "INSERT INTO tbSchedule (AccountId, OtherAccountID, PayeeId, CategoryId, Amount, strNote, Frequency,"
        " Interval, DayOfMonth, NextDueDate, EndDate, RemainingCount, AutoEnter)"
        " VALUES (:Account, :Other, :Payee, :Category, :Amount, :Note, :Frequency, :Interval, :Day, :Next,"
        " :End, :Remaining, :Auto)"));
    insert.bind(QStringLiteral(":Account"), row.accountId)
        .bind(QStringLiteral(":Other"), idOrNull(row.otherAccountId))
        .bind(QStringLiteral(":Payee"), idOrNull(row.payeeId))
        .bind(QStringLiteral(":Category"), idOrNull(row.categoryId))
        .bind(QStringLiteral(":Amount"), row.amount)
        .bind(QStringLiteral(":Note"), row.note)
        .bind(QStringLiteral(":Frequency"), row.frequency)
        .bind(QStringLiteral(":Interval"), row.interval)
        .bind(QStringLiteral(":Day"), idOrNull(row.dayOfMonth))
        .bind(QStringLiteral(":Next"), row.nextDue)
        .bind(QStringLiteral(":End"), row.endDate)
        .bind(QStringLiteral(":Remaining"), row.remaining >= 0 ? QVariant(row.remaining) : QVariant(QMetaType(QMetaType::Int)))
        .bind(QStringLiteral(":Auto"), row.autoEnter ? QStringLiteral("Y") : QStringLiteral("N"))
        .exec();
    return int(insert.lastInsertId());
}

void LeaveFreePages(const QString &path)
{
    TMyDataModule db;
    db.open(path);
    WorkGuard work(db);
    for (int i = 0; i < 3000; ++i)
        SqlStatement(db, QStringLiteral("INSERT INTO tbTransactions (AccountId, TransactionDate, Amount, strNote)"
                                        " VALUES (1, '2024-01-01', :Amount, :strNote)"))
            .bind(QStringLiteral(":Amount"), i)
            .bind(QStringLiteral(":strNote"), QString(200, u'n'))
            .exec();
    SqlStatement(db, QStringLiteral("DELETE FROM tbTransactions WHERE Amount >= 10")).exec();
    work.commit();
}
