#include "core/store/lookups.h"
#include "core/base/tillbrookerror.h"
#include "core/store/transactionstore.h"
#include "core/store/transactionbatch.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QTest>

// The store on a small file: a base-currency account "Bank" (1), an account "Euro" (2)
// in a currency of rate 0.8, an account without currency (3), one whose currency row
// is gone (4).
class TestTransactionStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void resolveMatchesLookupId_data();
    void resolveMatchesLookupId();
    void insertStampsTheAccountsCurrency_data();
    void insertStampsTheAccountsCurrency();
    void insertStoresTheRecord();
    void transferWritesALinkedPair_data();
    void transferWritesALinkedPair();
    void statusMarkRewritesBothRows_data();
    void statusMarkRewritesBothRows();
    void updateOfAMissingRowFails();
    void deleteRemovesBothRows_data();
    void deleteRemovesBothRows();
    void staleLinkLeavesOtherRowsAlone();
    void balances_data();
    void balances();
    void previousBalanceRefusesInvalidDate();
    void loadOfAMissingRowLeavesRecord();
    void failedTransferRollsBackWhole();
    void failedTransferInSavepointKeepsEarlierWork();
    void zeroRateWritesNothing();
    void impossibleDatesAreRefused_data();
    void impossibleDatesAreRefused();
    void amountsBeyondTheMaximumAreRefused_data();
    void amountsBeyondTheMaximumAreRefused();
    void balanceBeyondTheTypeSaysSo();

private:
    TMyDataModule &db() { return m_file->db(); }
    TTransaction record(const QString &account, const QString &amount) const;
    TTransaction transfer(const QString &from, int toAccount, const QString &amount) const;
    int rowCount();
    std::unique_ptr<TestDataFile> m_file;
};

namespace {

Money money(const QString &text)
{
    return *Money::fromText(text);
}

// A row as stored, read back without the store.
struct Row
{
    bool exists = false;
    QString date;
    int payeeId = 0;
    int categoryId = 0;
    int accountId = 0;
    Money amount;
    int linked = 0;
    int other = 0;
    int currencyId = 0;
    double rate = 0;
    QString internal;
    QString status;
    QString noteType;
    int companyId = 0;
};

Row rowOf(TMyDataModule &db, int id)
{
    SqlStatement q(db, QStringLiteral(
        "SELECT TransactionDate, PayeeId, CategoryId, AccountId, Amount, LinkedTransactionID, OtherAccountID,"
        " CurrencyID, CurrencyRate, InternalDescription, Status, typeof(strNote), CompanyID"
        " FROM tbTransactions WHERE TransactionID = :Id"));
    q.bind(QStringLiteral(":Id"), id).exec();
    Row r;
    if (!q.next())
        return r;
    r.exists = true;
    r.date = q.value(0).toString();
    r.payeeId = q.value(1).toInt();
    r.categoryId = q.value(2).toInt();
    r.accountId = q.value(3).toInt();
    r.amount = Money::fromUnits(q.value(4).toLongLong());
    r.linked = q.value(5).toInt();
    r.other = q.value(6).toInt();
    r.currencyId = q.value(7).toInt();
    r.rate = q.value(8).toDouble();
    r.internal = q.value(9).toString();
    r.status = q.value(10).toString();
    r.noteType = q.value(11).toString();
    r.companyId = q.value(12).toInt();
    return r;
}

} // namespace

void TestTransactionStore::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    // Template: payee 1 and category 1 carry Null names, currency 1 is the base (rate 1).
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Rent', 'Expense', 0, ' ')"));   // 2
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')")); // 3
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('rent', 'Expense', 0, ' ')"));   // 4, same name
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Housing', 'Expense', 0, ' ')")); // 2
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));    // 3
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('E', 'EUR', 0.8, 0)")); // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Bank', 1)"));      // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Euro', 'Bank', 2)"));      // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Plain', 'Cash', NULL)"));  // 3
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Lost', 'Cash', 99)"));     // 4
}

void TestTransactionStore::cleanup()
{
    m_file.reset();
}

TTransaction TestTransactionStore::record(const QString &account, const QString &amount) const
{
    TTransaction t;
    t.TransactionDate = QDate(2024, 3, 31);
    t.PayeeName = QStringLiteral("Rent");
    t.CategoryDescription = QStringLiteral("Housing");
    t.strNote = QStringLiteral("March");
    t.Amount = money(amount);
    t.AccountDescription = account;
    t.Status = QStringLiteral(" ");
    return t;
}

TTransaction TestTransactionStore::transfer(const QString &from, int toAccount, const QString &amount) const
{
    TTransaction t = record(from, amount);
    t.InternalDescription = QStringLiteral("Transfer");
    t.OtherAccountID = toAccount;
    return t;
}

int TestTransactionStore::rowCount()
{
    SqlStatement q(db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

void TestTransactionStore::resolveMatchesLookupId_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a name") << "Grocer";
    QTest::newRow("other case, duplicate name") << "RENT";
    QTest::newRow("empty finds the Null row") << "";
    QTest::newRow("no match") << "Nobody";
    QTest::newRow("quote in name") << "O\"Brien's";
}

// The store resolves all three names in one statement; it must agree with LookupId.
void TestTransactionStore::resolveMatchesLookupId()
{
    QFETCH(QString, name);
    TTransaction t;
    t.PayeeName = name;
    t.CategoryDescription = name;
    t.AccountDescription = name;
    t.PayeeId = t.CategoryId = t.AccountId = 42; // not consulted
    const TTransaction r = ResolveTransactionRefs(db(), t);
    QCOMPARE(r.PayeeId, LookupId(db(), "tbPayee", "PayeeId", "PayeeName", name));
    QCOMPARE(r.CategoryId, LookupId(db(), "tbCategory", "CategoryId", "CategoryDescription", name));
    QCOMPARE(r.AccountId, LookupId(db(), "tbAccount", "AccountId", "AccountDescription", name));
    QCOMPARE(r.PayeeName, name);
}

void TestTransactionStore::insertStampsTheAccountsCurrency_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("accountId");
    QTest::addColumn<int>("currencyId");
    QTest::addColumn<double>("rate");

    QTest::newRow("base currency") << "Bank" << 1 << 1 << 1.0;
    QTest::newRow("foreign currency") << "euro" << 2 << 2 << 0.8;
    QTest::newRow("account without currency") << "Plain" << 3 << 1 << 1.0;
    QTest::newRow("currency row gone") << "Lost" << 4 << 99 << 1.0;
    QTest::newRow("unknown account") << "Nowhere" << -1 << 1 << 1.0;
}

void TestTransactionStore::insertStampsTheAccountsCurrency()
{
    QFETCH(QString, account);
    QFETCH(int, accountId);
    QFETCH(int, currencyId);
    QFETCH(double, rate);

    // A payment of 25.50 reaches the store negated.
    const int id = InsertTransaction(db(), record(account, "-25.50"));
    const Row r = rowOf(db(), id);
    QVERIFY(r.exists);
    QCOMPARE(r.amount.units(), -255000);
    QCOMPARE(r.accountId, accountId);
    QCOMPARE(r.currencyId, currencyId);
    QCOMPARE(r.rate, rate);
    QCOMPARE(r.currencyId, GetAccountCurrencyId(db(), accountId));
    QCOMPARE(r.rate, GetAccountCurrencyRate(db(), accountId));
}

void TestTransactionStore::insertStoresTheRecord()
{
    // Numbers come from the engine even when the highest number was deleted before.
    const int first = InsertTransaction(db(), record("Bank", "1"));
    const int second = InsertTransaction(db(), record("Bank", "2"));
    m_file->exec(QStringLiteral("DELETE FROM tbTransactions WHERE TransactionID = %1").arg(second));
    TTransaction t = record("Bank", "-12.3456");
    t.PayeeName.clear();
    t.strNote.clear();
    t.Status = QStringLiteral("Cleared");
    const int third = InsertTransaction(db(), t);
    QVERIFY(third > second && second > first);

    const Row r = rowOf(db(), third);
    QCOMPARE(r.date, QStringLiteral("2024-03-31"));
    QCOMPARE(r.payeeId, 1); // the Null-named payee
    QCOMPARE(r.categoryId, 2);
    QCOMPARE(r.companyId, 1);
    QCOMPARE(r.linked, 0);
    QCOMPARE(r.status, QStringLiteral("Cleared"));
    QCOMPARE(r.noteType, QStringLiteral("text")); // an empty note is stored as text, not Null

    TTransaction loaded;
    QVERIFY(LoadTransaction(db(), third, loaded));
    TTransaction expected = t;
    expected.TransactionID = third;
    expected.PayeeId = 1;
    expected.CategoryId = 2;
    expected.AccountId = 1;
    expected.CurrencyID = 1;
    expected.CurrencyRate = 1.0;
    QCOMPARE(loaded, expected);
}

void TestTransactionStore::transferWritesALinkedPair_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("received");

    QTest::newRow("to a 0.8 currency") << "Bank" << 2 << "100" << "-100" << "80";
    QTest::newRow("amount already negative") << "Bank" << 2 << "-100" << "-100" << "80";
    QTest::newRow("into the base currency") << "Euro" << 1 << "80" << "-80" << "100";
    QTest::newRow("rounded to four places") << "Euro" << 1 << "1.0001" << "-1.0001" << "1.2501";
    QTest::newRow("half rounds away from zero") << "Bank" << 2 << "0.0001" << "-0.0001" << "0.0001";
}

void TestTransactionStore::transferWritesALinkedPair()
{
    QFETCH(QString, from);
    QFETCH(int, to);
    QFETCH(QString, amount);
    QFETCH(QString, paid);
    QFETCH(QString, received);

    const int firstId = InsertTransaction(db(), transfer(from, to, amount));
    const Row first = rowOf(db(), firstId);
    QVERIFY(first.exists);
    const Row second = rowOf(db(), first.linked);
    QVERIFY(second.exists);
    QVERIFY(first.linked != firstId);

    QCOMPARE(first.amount, money(paid));
    QCOMPARE(second.amount, money(received));
    QCOMPARE(second.linked, firstId);
    QCOMPARE(first.other, to);
    QCOMPARE(second.accountId, to);
    QCOMPARE(second.other, first.accountId);
    QCOMPARE(first.rate, GetAccountCurrencyRate(db(), first.accountId));
    QCOMPARE(second.rate, GetAccountCurrencyRate(db(), to));
    QCOMPARE(second.currencyId, GetAccountCurrencyId(db(), to));
    for (const Row &r : {first, second}) {
        QCOMPARE(r.internal, QStringLiteral("Transfer"));
        QCOMPARE(r.date, QStringLiteral("2024-03-31"));
        QCOMPARE(r.payeeId, 2);
        QCOMPARE(r.categoryId, 2);
        QCOMPARE(r.status, QStringLiteral(" "));
    }
    QCOMPARE(rowCount(), 2);
}

void TestTransactionStore::statusMarkRewritesBothRows_data()
{
    QTest::addColumn<bool>("markSecond");
    QTest::addColumn<double>("newRate");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    QTest::newRow("second row, rate unchanged") << true << 0.8 << "-100" << "80";
    QTest::newRow("second row, rate changed since") << true << 0.5 << "-160" << "80";
    QTest::newRow("first row, rate unchanged") << false << 0.8 << "-100" << "80";
    QTest::newRow("first row, rate changed since") << false << 0.5 << "-100" << "50";
}

// A status mark loads a row and writes it back: both rows get the status and the
// current rates; the marked row keeps its amount and the partner is recomputed.
void TestTransactionStore::statusMarkRewritesBothRows()
{
    QFETCH(bool, markSecond);
    QFETCH(double, newRate);
    QFETCH(QString, first);
    QFETCH(QString, second);

    const int firstId = InsertTransaction(db(), transfer("Bank", 2, "100"));
    const int secondId = rowOf(db(), firstId).linked;
    SqlStatement(db(), QStringLiteral("UPDATE tbCurrency SET CurrencyRate = :Rate WHERE CurrencyID = 2"))
        .bind(QStringLiteral(":Rate"), newRate)
        .exec();

    TTransaction t;
    QVERIFY(LoadTransaction(db(), markSecond ? secondId : firstId, t));
    t.Status = QStringLiteral("Cleared");
    QVERIFY(UpdateTransaction(db(), t));

    const Row a = rowOf(db(), firstId);
    const Row b = rowOf(db(), secondId);
    QCOMPARE(a.amount, money(first));
    QCOMPARE(b.amount, money(second));
    QCOMPARE(a.status, QStringLiteral("Cleared"));
    QCOMPARE(b.status, QStringLiteral("Cleared"));
    QCOMPARE(b.rate, newRate);
    QCOMPARE(a.linked, secondId);
    QCOMPARE(b.linked, firstId);
    QCOMPARE(a.accountId, 1);
    QCOMPARE(b.accountId, 2);
}

void TestTransactionStore::updateOfAMissingRowFails()
{
    TTransaction t = record("Bank", "-5");
    t.TransactionID = 999;
    QVERIFY_THROWS_EXCEPTION(TillbrookError, UpdateTransaction(db(), t));
    QCOMPARE(rowCount(), 0);
}

void TestTransactionStore::deleteRemovesBothRows_data()
{
    QTest::addColumn<bool>("fromSecond");
    QTest::addColumn<bool>("partnerGone");
    QTest::newRow("from the first row") << false << false;
    QTest::newRow("from the second row") << true << false;
    QTest::newRow("partner already gone") << false << true;
}

void TestTransactionStore::deleteRemovesBothRows()
{
    QFETCH(bool, fromSecond);
    QFETCH(bool, partnerGone);

    const int keep = InsertTransaction(db(), record("Bank", "-1"));
    const int firstId = InsertTransaction(db(), transfer("Bank", 2, "100"));
    const int secondId = rowOf(db(), firstId).linked;
    TTransaction t;
    QVERIFY(LoadTransaction(db(), fromSecond ? secondId : firstId, t));
    if (partnerGone)
        m_file->exec(QStringLiteral("DELETE FROM tbTransactions WHERE TransactionID = %1").arg(secondId));

    QVERIFY(DeleteTransaction(db(), t));
    QVERIFY(!rowOf(db(), firstId).exists);
    QVERIFY(!rowOf(db(), secondId).exists);
    QVERIFY(rowOf(db(), keep).exists);
    QCOMPARE(rowCount(), 1);
}

// A record whose LinkedTransactionID names a row that is not its partner (a stale
// record) must not overwrite or delete that row.
void TestTransactionStore::staleLinkLeavesOtherRowsAlone()
{
    const int other = InsertTransaction(db(), record("Euro", "-7"));
    const int firstId = InsertTransaction(db(), transfer("Bank", 2, "100"));
    TTransaction t;
    QVERIFY(LoadTransaction(db(), firstId, t));
    t.LinkedTransactionID = other;
    t.Status = QStringLiteral("Void");

    QVERIFY(UpdateTransaction(db(), t));
    QCOMPARE(rowOf(db(), other).amount, money("-7"));
    QCOMPARE(rowOf(db(), other).internal, QString());

    QVERIFY(DeleteTransaction(db(), t));
    QVERIFY(rowOf(db(), other).exists);
    QVERIFY(!rowOf(db(), firstId).exists);
}

void TestTransactionStore::balances_data()
{
    QTest::addColumn<int>("account");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("current");

    QTest::newRow("account without rows") << 3 << QDate(2024, 3, 31) << "0" << "0";
    QTest::newRow("unknown account") << -1 << QDate(2024, 3, 31) << "0" << "0";
    QTest::newRow("day before the month") << 1 << QDate(2024, 2, 29) << "100" << "103.5";
    QTest::newRow("the day itself counts") << 1 << QDate(2024, 3, 1) << "110" << "103.5";
    QTest::newRow("before every row") << 1 << QDate(2023, 1, 1) << "0" << "103.5";
    QTest::newRow("own currency, no conversion") << 2 << QDate(2024, 12, 31) << "-8.5" << "-8.5";
}

void TestTransactionStore::balances()
{
    QFETCH(int, account);
    QFETCH(QDate, date);
    QFETCH(QString, previous);
    QFETCH(QString, current);

    auto add = [this](const QString &account, QDate day, const QString &amount, const QString &status) {
        TTransaction t = record(account, amount);
        t.TransactionDate = day;
        t.Status = status;
        InsertTransaction(db(), t);
    };
    add("Bank", QDate(2024, 2, 10), "100", " ");
    add("Bank", QDate(2024, 3, 1), "10", "Void"); // a void row still counts
    add("Bank", QDate(2024, 3, 15), "-4", "Cleared");
    add("Bank", QDate(2024, 3, 31), "-2.5", "Reconciled");
    add("Euro", QDate(2024, 3, 31), "-8.5", " ");

    QCOMPARE(GetPreviousBalance(db(), account, date), money(previous));
    QCOMPARE(GetCurrentBalance(db(), account), money(current));
}

void TestTransactionStore::previousBalanceRefusesInvalidDate()
{
    QVERIFY_THROWS_EXCEPTION(TillbrookError, GetPreviousBalance(db(), 1, QDate()));
}

void TestTransactionStore::loadOfAMissingRowLeavesRecord()
{
    const int id = InsertTransaction(db(), record("Bank", "-1"));
    TTransaction t = record("Euro", "3");
    t.TransactionID = 77;
    const TTransaction before = t;
    QVERIFY(!LoadTransaction(db(), id + 1, t));
    QCOMPARE(t, before);
}

// A command whose transfer fails on the second row, rolled back as the register does,
// leaves no half transfer.
void TestTransactionStore::failedTransferRollsBackWhole()
{
    m_file->exec(QStringLiteral(
        "CREATE TEMP TRIGGER refuseEuro BEFORE INSERT ON tbTransactions WHEN NEW.AccountId = 2"
        " BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    db().BeginWork();
    try {
        InsertTransaction(db(), transfer("Bank", 2, "100"));
        QFAIL("the second row should have been refused");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.message().contains("refused by test"), qPrintable(e.message()));
        db().RollbackWork();
    }
    QCOMPARE(rowCount(), 0);
    QVERIFY(!db().InTransaction());
}

void TestTransactionStore::failedTransferInSavepointKeepsEarlierWork()
{
    m_file->exec(QStringLiteral(
        "CREATE TEMP TRIGGER refuseEuro BEFORE INSERT ON tbTransactions WHEN NEW.AccountId = 2"
        " BEGIN SELECT RAISE(ABORT, 'refused by test'); END"));
    db().BeginWork();
    const int kept = InsertTransaction(db(), record("Bank", "-1"));
    db().BeginWork();
    QVERIFY_THROWS_EXCEPTION(DatabaseError, InsertTransaction(db(), transfer("Bank", 2, "100")));
    db().RollbackWork();
    db().CommitWork();
    QCOMPARE(rowCount(), 1);
    QVERIFY(rowOf(db(), kept).exists);
}

// A conversion that cannot be made is found before anything is written.
void TestTransactionStore::zeroRateWritesNothing()
{
    m_file->exec(QStringLiteral("UPDATE tbCurrency SET CurrencyRate = 0 WHERE CurrencyID = 2"));
    QVERIFY_THROWS_EXCEPTION(TillbrookError, InsertTransaction(db(), transfer("Euro", 1, "10")));
    QCOMPARE(rowCount(), 0);
}

// A day the stored text cannot hold would be written as Null: counted in every
// balance, shown in no month. Neither an insert, an update nor the batch writer of
// imports writes it.
void TestTransactionStore::impossibleDatesAreRefused_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("text");
    QTest::newRow("30 February") << QDate(2026, 2, 30) << false << QString();
    QTest::newRow("no date") << QDate() << false << QString();
    QTest::newRow("year 10000") << QDate(10000, 1, 1) << false << QString();
    QTest::newRow("before year 1") << QDate(-1, 12, 31) << false << QString();
    QTest::newRow("last storable day") << QDate(9999, 12, 31) << true << "9999-12-31";
    QTest::newRow("first storable day") << QDate(1, 1, 1) << true << "0001-01-01";
    QTest::newRow("29 February of a leap year") << QDate(2024, 2, 29) << true << "2024-02-29";
}

void TestTransactionStore::impossibleDatesAreRefused()
{
    QFETCH(QDate, date);
    QFETCH(bool, stored);
    QFETCH(QString, text);
    const int existing = InsertTransaction(db(), record("Bank", "-1"));
    const Row before = rowOf(db(), existing);

    TTransaction t = record("Bank", "-5");
    t.TransactionDate = date;
    TTransaction pair = transfer("Bank", 2, "5");
    pair.TransactionDate = date;
    TTransaction edit = record("Bank", "-1");
    edit.TransactionID = existing;
    edit.TransactionDate = date;
    const TTransaction resolved = ResolveTransactionRefs(db(), t);
    TTransaction resolvedPair = ResolveTransactionRefs(db(), pair);
    resolvedPair.CurrencyRate = 1.0;
    if (!stored) {
        QVERIFY_THROWS_EXCEPTION(TillbrookError, InsertTransaction(db(), t));
        QVERIFY_THROWS_EXCEPTION(TillbrookError, InsertTransaction(db(), pair));
        QVERIFY_THROWS_EXCEPTION(TillbrookError, UpdateTransaction(db(), edit));
        {
            TransactionBatch batch(db());
            QVERIFY_THROWS_EXCEPTION(TillbrookError, batch.insert(resolved));
            QVERIFY_THROWS_EXCEPTION(TillbrookError, batch.insertTransfer(resolvedPair, 1, 1.0));
            batch.flush();
        }
        QCOMPARE(rowCount(), 1);
        QCOMPARE(rowOf(db(), existing).date, before.date);
        return;
    }
    {
        TransactionBatch batch(db());
        const int batched = batch.insert(resolved);
        batch.flush();
        QCOMPARE(rowOf(db(), batched).date, text);
    }
    QCOMPARE(rowOf(db(), InsertTransaction(db(), t)).date, text);
    UpdateTransaction(db(), edit);
    QCOMPARE(rowOf(db(), existing).date, text);
}

// The largest amount is 999,999,999,999.9999 either way. A bigger one, or a transfer
// whose converted amount would be bigger, writes nothing.
void TestTransactionStore::amountsBeyondTheMaximumAreRefused_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<bool>("isTransfer");
    QTest::addColumn<bool>("stored");
    QTest::newRow("maximum") << Money::MaxUnits << false << true;
    QTest::newRow("negative maximum") << -Money::MaxUnits << false << true;
    QTest::newRow("one unit over") << Money::MaxUnits + 1 << false << false;
    QTest::newRow("one unit under") << -Money::MaxUnits - 1 << false << false;
    QTest::newRow("wrapped parse of 922337203685478") << qint64(-9223372036854771616) << false << false;
    // Euro has the rate 0.8: paying the maximum out of Euro receives 1.25 times it in Bank.
    QTest::newRow("transfer converted past the maximum") << Money::MaxUnits << true << false;
    QTest::newRow("transfer converted within") << Money::MaxUnits / 2 << true << true;
}

void TestTransactionStore::amountsBeyondTheMaximumAreRefused()
{
    QFETCH(qint64, units);
    QFETCH(bool, isTransfer);
    QFETCH(bool, stored);
    const int existing = InsertTransaction(db(), record("Bank", "-1"));
    TTransaction t = isTransfer ? transfer("Euro", 1, "1") : record("Bank", "1");
    t.Amount = Money::fromUnits(units);
    TTransaction edit = record("Bank", "1");
    edit.TransactionID = existing;
    edit.Amount = Money::fromUnits(units);
    if (!stored) {
        QVERIFY_THROWS_EXCEPTION(TillbrookError, InsertTransaction(db(), t));
        if (!isTransfer)
            QVERIFY_THROWS_EXCEPTION(TillbrookError, UpdateTransaction(db(), edit));
        QCOMPARE(rowCount(), 1);
        QCOMPARE(rowOf(db(), existing).amount, money("-1"));
        return;
    }
    const int id = InsertTransaction(db(), t);
    QCOMPARE(rowOf(db(), id).amount.units(), isTransfer ? -qAbs(units) : units);
}

// Rows that no window could type (an old file, another tool) can sum past what the
// amount type holds: the balance says so instead of showing a wrapped number.
void TestTransactionStore::balanceBeyondTheTypeSaysSo()
{
    for (int i = 0; i < 3; ++i)
        m_file->exec(QStringLiteral("INSERT INTO tbTransactions (CompanyID, TransactionDate, Amount, AccountId)"
                                    " VALUES (1, '2024-01-0%1', 4000000000000000000, 1)").arg(i + 1));
    try {
        GetCurrentBalance(db(), 1);
        QFAIL("the sum does not fit");
    } catch (const TillbrookError &e) {
        QCOMPARE(e.message(), BalanceOverflowMessage);
    }
    QVERIFY_THROWS_EXCEPTION(TillbrookError, GetPreviousBalance(db(), 1, QDate(2024, 1, 31)));
    QCOMPARE(GetPreviousBalance(db(), 1, QDate(2024, 1, 2)).units(), qint64(8000000000000000000));
}

QTEST_GUILESS_MAIN(TestTransactionStore)
#include "tst_transactionstore.moc"
