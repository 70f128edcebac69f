#include "core/store/lookups.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QTest>

// Lookups on a small fixture: two payees, a duplicated account name, a currency
// without rows for one account.
class TestLookups : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lookupId_data();
    void lookupId();
    void lookupName_data();
    void lookupName();
    void idExists();
    void lastCategoryOfPayee();
    void accountCurrency_data();
    void accountCurrency();
    void nameWithDoubleQuoteRoundTrips();
    void unknownColumnIsRefused();

private:
    std::unique_ptr<TestDataFile> m_file;
};

void TestLookups::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    // Template: payee 1 and category 1 are the Null-named rows, currency 1 is the base.
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Rent', 'Expense', 0, ' ')"));      // 2
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));    // 3
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Housing', 'Expense', 0, ' ')")); // 2
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));    // 3
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('€', 'EUR', 0.8, 0)")); // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Bank', 2)"));     // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Cash', 1)"));     // 2, same name
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Orphan', 'Cash', NULL)")); // 3
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Lost', 'Cash', 99)"));    // 4
}

void TestLookups::cleanup()
{
    m_file.reset();
}

void TestLookups::lookupId_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("idColumn");
    QTest::addColumn<QString>("nameColumn");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expected");

    QTest::newRow("payee by name") << "tbPayee" << "PayeeId" << "PayeeName" << "Grocer" << 3;
    QTest::newRow("names ignore case") << "tbPayee" << "PayeeId" << "PayeeName" << "rent" << 2;
    QTest::newRow("empty name finds the Null row") << "tbPayee" << "PayeeId" << "PayeeName" << "" << 1;
    QTest::newRow("Null category") << "tbCategory" << "CategoryId" << "CategoryDescription" << "" << 1;
    QTest::newRow("no match") << "tbPayee" << "PayeeId" << "PayeeName" << "Nobody" << -1;
    QTest::newRow("duplicate takes the first") << "tbAccount" << "AccountId" << "AccountDescription" << "Bank" << 1;
    QTest::newRow("any id column") << "tbAccount" << "CurrencyId" << "AccountDescription" << "Bank" << 2;
    QTest::newRow("no Null account") << "tbAccount" << "AccountId" << "AccountDescription" << "" << -1;
}

void TestLookups::lookupId()
{
    QFETCH(QString, table);
    QFETCH(QString, idColumn);
    QFETCH(QString, nameColumn);
    QFETCH(QString, name);
    QFETCH(int, expected);
    QCOMPARE(LookupId(m_file->db(), table, idColumn, nameColumn, name), expected);
}

void TestLookups::lookupName_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("nameColumn");
    QTest::addColumn<QString>("idColumn");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");

    QTest::newRow("payee") << "tbPayee" << "PayeeName" << "PayeeId" << 2 << "Rent";
    QTest::newRow("Null name reads empty") << "tbPayee" << "PayeeName" << "PayeeId" << 1 << "";
    QTest::newRow("-1 gives empty") << "tbCategory" << "CategoryDescription" << "CategoryId" << -1 << "";
    QTest::newRow("currency symbol") << "tbCurrency" << "CurrencySymbol" << "CurrencyID" << 2 << "€";
}

void TestLookups::lookupName()
{
    QFETCH(QString, table);
    QFETCH(QString, nameColumn);
    QFETCH(QString, idColumn);
    QFETCH(int, id);
    QFETCH(QString, expected);
    QCOMPARE(LookupName(m_file->db(), table, nameColumn, idColumn, id), expected);
}

void TestLookups::idExists()
{
    QVERIFY(IdExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), 3));
    QVERIFY(!IdExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), 42));
    QVERIFY(!IdExists(m_file->db(), QStringLiteral("tbTransactions"), QStringLiteral("TransactionID"), -1));
}

void TestLookups::lastCategoryOfPayee()
{
    TestDataFile &f = *m_file;
    QCOMPARE(GetLastCategoryOfPayee(f.db(), QStringLiteral("Rent")), QString());
    // Dates out of order on purpose: "last" is the most recently written row.
    f.exec(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId) VALUES ('2024-05-01', 2, -10000, 3, 1)"));
    f.exec(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId) VALUES ('2024-01-01', 2, -10000, 2, 1)"));
    f.exec(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId) VALUES ('2024-06-01', 3, -10000, 3, 1)"));
    QCOMPARE(GetLastCategoryOfPayee(f.db(), QStringLiteral("Rent")), QStringLiteral("Housing"));
    QCOMPARE(GetLastCategoryOfPayee(f.db(), QStringLiteral("Grocer")), QStringLiteral("Food"));
    QCOMPARE(GetLastCategoryOfPayee(f.db(), QStringLiteral("Nobody")), QString());
}

void TestLookups::accountCurrency_data()
{
    QTest::addColumn<int>("accountId");
    QTest::addColumn<int>("currencyId");
    QTest::addColumn<double>("rate");

    QTest::newRow("account in EUR") << 1 << 2 << 0.8;
    QTest::newRow("account in base") << 2 << 1 << 1.0;
    QTest::newRow("Null currency falls back to 1") << 3 << 1 << 1.0;
    QTest::newRow("currency without a row: rate 1") << 4 << 99 << 1.0;
    QTest::newRow("no such account") << 77 << 1 << 1.0;
}

void TestLookups::accountCurrency()
{
    QFETCH(int, accountId);
    QFETCH(int, currencyId);
    QFETCH(double, rate);
    QCOMPARE(GetAccountCurrencyId(m_file->db(), accountId), currencyId);
    QCOMPARE(GetAccountCurrencyRate(m_file->db(), accountId), rate);
}

void TestLookups::nameWithDoubleQuoteRoundTrips()
{
    TestDataFile &f = *m_file;
    const QString name = QStringLiteral("Joe's \"Best\" Diner");
    SqlStatement insert(f.db(), QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:Name, 'Expense', 0, ' ')"));
    insert.bind(QStringLiteral(":Name"), name).exec();
    const int id = LookupId(f.db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), QStringLiteral("PayeeName"), name);
    QVERIFY(id > 3);
    QCOMPARE(LookupName(f.db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("PayeeId"), id), name);
    QCOMPARE(GetAccountCurrencySymbol(f.db(), QStringLiteral("Bank")), QStringLiteral("€"));
}

void TestLookups::unknownColumnIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(TillbrookError,
                             LookupId(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeId"),
                                      QStringLiteral("PayeeName = 1 OR 1"), QStringLiteral("x")));
}

QTEST_GUILESS_MAIN(TestLookups)
#include "tst_lookups.moc"
