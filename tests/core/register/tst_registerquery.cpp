#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/register/registerlookups.h"
#include "core/register/registerquery.h"
#include "core/register/runningbalance.h"
#include "core/store/transactionstore.h"
#include "support/testdata.h"
#include "support/testdatafile.h"

#include <QTest>

// The register's month query on a small file: two accounts, a payee and category
// each, rows around the month edges, a row whose payee is gone.
class TestRegisterQuery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void monthRowsInDateThenNumberOrder();
    void monthBoundsIncludeFirstAndLastDay();
    void rowWithoutPayeeIsNotListed();
    void unknownAccountListsNothing();
    void filteredModeBindsItsValues();
    void filteredModeRefusesLiteralText_data();
    void filteredModeRefusesLiteralText();
    void runningBalances_data();
    void runningBalances();
    void accountNamesAndDefault();
    void listedRowEqualsTheLoadedOne_data();
    void listedRowEqualsTheLoadedOne();

private:
    void addRow(int account, const QString &date, qint64 units, int payee = 2, int category = 2,
                const QString &status = QStringLiteral(" "));
    std::unique_ptr<TestDataFile> m_file;
};

void TestRegisterQuery::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));           // 2
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')")); // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Wallet', 'Cash', 1)"));  // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('bank', 'Bank', 1)"));    // 2
}

void TestRegisterQuery::cleanup()
{
    m_file.reset();
}

void TestRegisterQuery::addRow(int account, const QString &date, qint64 units, int payee,
                               int category, const QString &status)
{
    m_file->exec(QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
        " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " VALUES (1, '%1', %2, %3, 'n', %4, %5, 0, '', 0, 1, 1.0, '%6')")
        .arg(date).arg(payee).arg(units).arg(category).arg(account).arg(status));
}

void TestRegisterQuery::monthRowsInDateThenNumberOrder()
{
    addRow(1, QStringLiteral("2024-03-20"), -10000);   // 1
    addRow(1, QStringLiteral("2024-03-05"), 20000);    // 2
    addRow(1, QStringLiteral("2024-03-20"), -30000);   // 3, same day as 1
    addRow(2, QStringLiteral("2024-03-10"), 40000);    // 4, other account
    const QList<TTransaction> rows = LoadMonthTransactions(
        m_file->db(), 1, QStringLiteral("Wallet"), QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).TransactionID, 2);
    QCOMPARE(rows.at(1).TransactionID, 1);
    QCOMPARE(rows.at(2).TransactionID, 3);
    const TTransaction &t = rows.at(0);
    QCOMPARE(t.TransactionDate, QDate(2024, 3, 5));
    QCOMPARE(t.PayeeName, QStringLiteral("Grocer"));
    QCOMPARE(t.CategoryDescription, QStringLiteral("Food"));
    QCOMPARE(t.Amount, Money::fromUnits(20000));
    QCOMPARE(t.AccountId, 1);
    QCOMPARE(t.AccountDescription, QStringLiteral("Wallet"));
    QCOMPARE(t.Status, QStringLiteral(" "));
}

void TestRegisterQuery::monthBoundsIncludeFirstAndLastDay()
{
    addRow(1, QStringLiteral("2024-01-31"), 1);
    addRow(1, QStringLiteral("2024-02-01"), 2);
    addRow(1, QStringLiteral("2024-02-29"), 3);
    addRow(1, QStringLiteral("2024-03-01"), 4);
    const QList<TTransaction> rows = LoadMonthTransactions(
        m_file->db(), 1, QString(), QDate(2024, 2, 1), QDate(2024, 2, 29));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).Amount.units(), 2);
    QCOMPARE(rows.at(1).Amount.units(), 3);
}

void TestRegisterQuery::rowWithoutPayeeIsNotListed()
{
    addRow(1, QStringLiteral("2024-03-05"), 1, 99, 2);
    addRow(1, QStringLiteral("2024-03-06"), 2, 2, 99);
    addRow(1, QStringLiteral("2024-03-07"), 3);
    const QList<TTransaction> rows = LoadMonthTransactions(
        m_file->db(), 1, QString(), QDate(2024, 3, 1), QDate(2024, 3, 31));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).Amount.units(), 3);
}

void TestRegisterQuery::unknownAccountListsNothing()
{
    addRow(1, QStringLiteral("2024-03-05"), 1);
    QVERIFY(LoadMonthTransactions(m_file->db(), -1, QString(), QDate(2024, 3, 1), QDate(2024, 3, 31)).isEmpty());
}

void TestRegisterQuery::filteredModeBindsItsValues()
{
    addRow(1, QStringLiteral("2024-03-05"), 1);
    addRow(2, QStringLiteral("2024-03-06"), 2);
    addRow(2, QStringLiteral("2025-01-01"), 3);
    RegisterFilter filter;
    filter.add(QStringLiteral("AND tbTransactions.AccountId=:AccountId"))
        .bind(QStringLiteral(":AccountId"), 2)
        .add(QStringLiteral("AND (tbTransactions.TransactionDate BETWEEN :FromDate AND :ToDate)"))
        .bind(QStringLiteral("FromDate"), QStringLiteral("2024-01-01"))
        .bind(QStringLiteral(":ToDate"), QStringLiteral("2024-12-31"));
    const QList<TTransaction> rows = LoadFilteredTransactions(m_file->db(), filter);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0).Amount.units(), 2);

    // A name with a quote is only ever a bound value.
    RegisterFilter byNote;
    byNote.add(QStringLiteral("AND tbTransactions.strNote=:Note")).bind(QStringLiteral(":Note"), QStringLiteral("x' OR '1'='1"));
    QVERIFY(LoadFilteredTransactions(m_file->db(), byNote).isEmpty());

    // No filter at all lists every account.
    QCOMPARE(LoadFilteredTransactions(m_file->db(), RegisterFilter()).size(), 3);
}

void TestRegisterQuery::filteredModeRefusesLiteralText_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("single quotes") << "AND tbPayee.PayeeName='Rent'";
    QTest::newRow("double quotes") << "AND tbPayee.PayeeName=\"Rent\"";
    QTest::newRow("second statement") << "AND 1=1; DELETE FROM tbTransactions";
    QTest::newRow("comment") << "AND 1=1 -- rest";
}

void TestRegisterQuery::filteredModeRefusesLiteralText()
{
    QFETCH(QString, condition);
    addRow(1, QStringLiteral("2024-03-05"), 1);
    RegisterFilter filter;
    filter.add(condition);
    QVERIFY_THROWS_EXCEPTION(TillbrookError, LoadFilteredTransactions(m_file->db(), filter));
    m_file->exec(QStringLiteral("SELECT 1"));
    QCOMPARE(LoadFilteredTransactions(m_file->db(), RegisterFilter()).size(), 1);
}

void TestRegisterQuery::runningBalances_data()
{
    QTest::addColumn<qint64>("opening");
    QTest::addColumn<QList<qint64>>("amounts");
    QTest::addColumn<QList<qint64>>("balances");
    QTest::newRow("example month") << qint64(1000000) << QList<qint64>{100000, -40000, -25000}
                                   << QList<qint64>{1100000, 1060000, 1035000};
    QTest::newRow("thirds of a unit") << qint64(0) << QList<qint64>{4000, 4000, 4000}
                                      << QList<qint64>{4000, 8000, 12000};
    QTest::newRow("no rows") << qint64(5) << QList<qint64>{} << QList<qint64>{};
}

void TestRegisterQuery::runningBalances()
{
    QFETCH(qint64, opening);
    QFETCH(QList<qint64>, amounts);
    QFETCH(QList<qint64>, balances);
    QList<Money> in;
    for (qint64 a : amounts)
        in.append(Money::fromUnits(a));
    const QList<Money> out = RunningBalances(Money::fromUnits(opening), in);
    QCOMPARE(out.size(), balances.size());
    for (int i = 0; i < out.size(); ++i)
        QCOMPARE(out.at(i).units(), balances.at(i));
}

void TestRegisterQuery::accountNamesAndDefault()
{
    m_file->exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES (NULL, 'Cash', 1)"));
    QCOMPARE(RegisterAccountNames(m_file->db()), (QStringList{QStringLiteral("bank"), QStringLiteral("Wallet")}));
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=2"));
    QCOMPARE(DefaultAccountName(m_file->db()), QStringLiteral("bank"));
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=-1"));
    QCOMPARE(DefaultAccountName(m_file->db()), QString());
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=77"));
    QCOMPARE(DefaultAccountName(m_file->db()), QString());
}

void TestRegisterQuery::listedRowEqualsTheLoadedOne_data()
{
    QTest::addColumn<bool>("transfer");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("note");
    QTest::newRow("plain row") << false << "Cleared" << "rye \"dark\"";
    QTest::newRow("transfer row") << true << "Reconciled" << "rye \"dark\"";
    QTest::newRow("texts beyond ASCII") << false << "Void" << QString::fromUtf8("cr\u00e8me br\u00fbl\u00e9e \u2615");
    QTest::newRow("empty texts") << false << "" << "";
}

// The register's list and the single load read one row shape: every field of the
// listed record must equal the loaded one, so a column out of place in either query
// shows here.
void TestRegisterQuery::listedRowEqualsTheLoadedOne()
{
    QFETCH(bool, transfer);
    QFETCH(QString, status);
    QFETCH(QString, note);
    TestData data(m_file->db());
    const int euro = data.currency(QStringLiteral("E"), QStringLiteral("EUR"), 1.25);
    const int savings = data.account(QStringLiteral("Savings"), euro);
    TestTransaction row;
    row.accountId = savings;
    row.date = QDate(2024, 5, 17);
    row.amount = Money::fromUnits(-123456);
    row.payeeId = data.payee(QStringLiteral("Baker"));
    row.categoryId = data.category(QStringLiteral("Bread"));
    row.note = note;
    row.status = status;
    if (transfer) {
        row.linkedId = 77;
        row.internalDescription = TransferDescription;
        row.otherAccountId = 1;
    }
    const int id = data.transaction(row);

    const QList<TTransaction> listed = LoadMonthTransactions(m_file->db(), savings, QStringLiteral("Savings"),
                                                             QDate(2024, 5, 1), QDate(2024, 5, 31));
    QCOMPARE(listed.size(), 1);
    TTransaction loaded;
    QVERIFY(LoadTransaction(m_file->db(), id, loaded));
    const TTransaction &t = listed.first();
    QCOMPARE(t.TransactionID, id);
    QCOMPARE(t.TransactionDate, row.date);
    QCOMPARE(t.PayeeName, QStringLiteral("Baker"));
    QCOMPARE(t.CategoryDescription, QStringLiteral("Bread"));
    QCOMPARE(t.strNote, row.note);
    QCOMPARE(t.Amount, row.amount);
    QCOMPARE(t.CurrencyID, euro);
    QCOMPARE(t.CurrencyRate, 1.25);
    QCOMPARE(t.Status, status);
    QCOMPARE(t.isTransfer(), transfer);
    QCOMPARE(t.LinkedTransactionID, row.linkedId);
    QCOMPARE(t.OtherAccountID, row.otherAccountId);
    QCOMPARE(loaded.AccountDescription, QStringLiteral("Savings"));
    QVERIFY(t == loaded);

    // Long listings read the same row's cells without making records of them.
    QList<TTransaction> viewed;
    RegisterFilter filter;
    filter.add(QStringLiteral("AND tbTransactions.AccountId=:AccountId")).bind(QStringLiteral(":AccountId"), savings);
    ForEachFilteredRow(m_file->db(), filter, [&viewed](const TransactionRowCells &cells) {
        TTransaction v;
        v.TransactionID = cells.TransactionID;
        v.TransactionDate = FromStoredDate(cells.TransactionDate);
        v.PayeeId = cells.PayeeId;
        v.PayeeName = cells.PayeeName.toString();
        v.CategoryId = cells.CategoryId;
        v.CategoryDescription = cells.CategoryDescription.toString();
        v.strNote = cells.strNote.toString();
        v.Amount = cells.Amount;
        v.InternalDescription = cells.InternalDescription.toString();
        v.Status = cells.Status.toString();
        viewed.append(v);
    });
    QCOMPARE(viewed.size(), 1);
    const TTransaction &v = viewed.first();
    QCOMPARE(v.TransactionID, t.TransactionID);
    QCOMPARE(v.TransactionDate, t.TransactionDate);
    QCOMPARE(v.PayeeId, t.PayeeId);
    QCOMPARE(v.PayeeName, t.PayeeName);
    QCOMPARE(v.CategoryId, t.CategoryId);
    QCOMPARE(v.CategoryDescription, t.CategoryDescription);
    QCOMPARE(v.strNote, t.strNote);
    QCOMPARE(v.Amount, t.Amount);
    QCOMPARE(v.InternalDescription, t.InternalDescription);
    QCOMPARE(v.Status, t.Status);
}

QTEST_MAIN(TestRegisterQuery)
#include "tst_registerquery.moc"
