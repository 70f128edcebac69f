#include "core/base/tillbrookerror.h"
#include "core/datafile/schema.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QTest>

class TestSchema : public QObject
{
    Q_OBJECT
private slots:
    void templateHasEveryTableAndColumn_data();
    void templateHasEveryTableAndColumn();
    void templateStartingRows();
    void monthQueryAndBalancesUseTheAccountDateIndex();
    void openingAFileOfAnOlderTemplateBringsItsIndexesUpToDate();
    void scheduleTableOfTheTemplate();
    void openingAFileWithoutSchedulesAddsTheirTable();
    void scheduleTableWithoutAColumnIsRefused();
    void reportsReadOnlyTheirCoveringIndexes_data();
    void reportsReadOnlyTheirCoveringIndexes();
};

void TestSchema::templateHasEveryTableAndColumn_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("tbTransactions") << "tbTransactions"
        << QStringList{"TransactionID", "CompanyID", "TransactionDate", "PayeeId", "Amount", "strNote",
                       "CategoryId", "AccountId", "LinkedTransactionID", "InternalDescription",
                       "OtherAccountID", "CurrencyID", "CurrencyRate", "Status"};
    QTest::newRow("tbPayee") << "tbPayee" << QStringList{"PayeeId", "PayeeName", "Type", "Amt", "Frequency"};
    QTest::newRow("tbCategory") << "tbCategory"
        << QStringList{"CategoryId", "CategoryDescription", "Type", "Amt", "Frequency"};
    QTest::newRow("tbAccount") << "tbAccount"
        << QStringList{"AccountId", "AccountDescription", "RecordDescription", "CurrencyID", "Type"};
    QTest::newRow("tbCurrency") << "tbCurrency"
        << QStringList{"CurrencyID", "CurrencySymbol", "InternationalCurrencySymbol", "CurrencyRate",
                       "IsBaseCurrency", "LastUpdated"};
    QTest::newRow("MySettings") << "MySettings"
        << QStringList{"DefaultAccountId", "Password", "DefaultDigits", "AutoBackup", "AutoTransaction"};
}

void TestSchema::templateHasEveryTableAndColumn()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDataFile f;
    QStringList present;
    SqlStatement q(f.db(), QStringLiteral("SELECT name FROM pragma_table_info(:t)"));
    q.bind(QStringLiteral(":t"), table).exec();
    while (q.next())
        present << q.value(0).toString();
    QCOMPARE(present, columns);
    QCOMPARE(Schema::requiredColumns().value(table), columns);
}

void TestSchema::templateStartingRows()
{
    TestDataFile f(TestDataFile::StartingAccounts::Kept);
    SqlStatement settings(f.db(), QStringLiteral("SELECT DefaultAccountId, Password, DefaultDigits, AutoBackup, AutoTransaction, "
                                                 "(SELECT COUNT(*) FROM MySettings) FROM MySettings"));
    settings.exec();
    QVERIFY(settings.next());
    const int defaultAccount = settings.value(0).toInt();
    QCOMPARE(settings.value(1).toString(), QString());
    QCOMPARE(settings.value(2).toInt(), 2);
    QCOMPARE(settings.value(3).toString(), QStringLiteral("Y"));
    QCOMPARE(settings.value(4).toString(), QStringLiteral("Y"));
    QCOMPARE(settings.value(5).toInt(), 1);

    SqlStatement nulls(f.db(), QStringLiteral("SELECT (SELECT COUNT(*) FROM tbPayee WHERE PayeeName IS NULL), "
                                              "(SELECT COUNT(*) FROM tbPayee), "
                                              "(SELECT COUNT(*) FROM tbCategory WHERE CategoryDescription IS NULL), "
                                              "(SELECT COUNT(*) FROM tbCategory), "
                                              "(SELECT COUNT(*) FROM tbCurrency WHERE IsBaseCurrency = 1 AND CurrencyRate = 1), "
                                              "(SELECT COUNT(*) FROM tbCurrency), "
                                              "(SELECT COUNT(*) FROM tbAccount), (SELECT COUNT(*) FROM tbTransactions)"));
    nulls.exec();
    QVERIFY(nulls.next());
    const QList<int> expected{1, 1, 1, 1, 1, 1, 2, 0};
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(nulls.value(i).toInt(), expected[i]);

    // The accounts the new-file wizard speaks of, in the base currency; Cash is shown
    // when the file is opened.
    SqlStatement accounts(f.db(), QStringLiteral(
        "SELECT a.AccountId, a.AccountDescription, a.RecordDescription, c.IsBaseCurrency"
        " FROM tbAccount a JOIN tbCurrency c ON c.CurrencyID = a.CurrencyID ORDER BY a.AccountId"));
    accounts.exec();
    QStringList rows;
    while (accounts.next()) {
        rows << accounts.value(1).toString() + u'/' + accounts.value(2).toString() + u'/'
                    + accounts.value(3).toString();
        if (accounts.value(1).toString() == QLatin1String("Cash"))
            QCOMPARE(accounts.value(0).toInt(), defaultAccount);
    }
    QCOMPARE(rows, (QStringList{QStringLiteral("Cash/Cash/1"), QStringLiteral("Savings/Savings/1")}));
}

void TestSchema::monthQueryAndBalancesUseTheAccountDateIndex()
{
    TestDataFile f;
    const QStringList statements{
        QStringLiteral("SELECT SUM(Amount) FROM tbTransactions WHERE AccountId = 1 AND TransactionDate <= '2024-01-31'"),
        QStringLiteral("SELECT SUM(Amount) FROM tbTransactions WHERE AccountId = 1"),
        QStringLiteral("SELECT * FROM tbTransactions WHERE AccountId = 1 AND TransactionDate BETWEEN '2024-01-01' AND '2024-01-31'"),
    };
    for (const QString &sql : statements) {
        SqlStatement plan(f.db(), QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        plan.exec();
        QString detail;
        while (plan.next())
            detail += plan.value(3).toString() + u'\n';
        QVERIFY2(detail.contains(QStringLiteral("ixTransactionsAccountDate")), qPrintable(sql + u'\n' + detail));
    }
}

namespace {

QStringList indexesOf(TMyDataModule &db)
{
    QStringList names;
    SqlStatement q(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"
                                      " AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    q.exec();
    while (q.next())
        names << q.value(0).toString();
    return names;
}

} // namespace

void TestSchema::openingAFileOfAnOlderTemplateBringsItsIndexesUpToDate()
{
    TestDataFile f;
    QStringList expected = Schema::indexNames();
    expected.sort();
    QCOMPARE(indexesOf(f.db()), expected);
    f.exec(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId,"
                          " CurrencyRate) VALUES ('2024-01-02', 1, 5, 1, 1, 1)"));
    // The indexes of the first template.
    for (const QString &name : expected)
        f.exec(QStringLiteral("DROP INDEX ") + name);
    f.exec(QStringLiteral("CREATE INDEX ixTransactionsAccountDate ON tbTransactions (AccountId, TransactionDate, Amount)"));
    f.exec(QStringLiteral("CREATE INDEX ixTransactionsPayee ON tbTransactions (PayeeId)"));
    f.exec(QStringLiteral("CREATE INDEX ixTransactionsCategory ON tbTransactions (CategoryId)"));
    f.db().close();
    f.db().open(f.path());
    QCOMPARE(indexesOf(f.db()), expected);
    SqlStatement rows(f.db(), QStringLiteral("SELECT COUNT(*), SUM(Amount) FROM tbTransactions"));
    rows.exec();
    QVERIFY(rows.next());
    QCOMPARE(rows.value(0).toInt(), 1);
    QCOMPARE(rows.value(1).toInt(), 5);
}

void TestSchema::scheduleTableOfTheTemplate()
{
    TestDataFile f;
    QStringList present;
    SqlStatement q(f.db(), QStringLiteral("SELECT name FROM pragma_table_info('tbSchedule')"));
    q.exec();
    while (q.next())
        present << q.value(0).toString();
    QCOMPARE(present, (QStringList{"ScheduleId", "AccountId", "OtherAccountID", "PayeeId", "CategoryId", "Amount",
                                   "strNote", "Frequency", "Interval", "DayOfMonth", "NextDueDate", "EndDate",
                                   "RemainingCount", "AutoEnter"}));
    // Files of older templates lack it: it is no condition of a usable file.
    QVERIFY(!Schema::requiredColumns().contains(QStringLiteral("tbSchedule")));
    QCOMPARE(Schema::addedTables(), QStringList{QStringLiteral("tbSchedule")});
}

void TestSchema::openingAFileWithoutSchedulesAddsTheirTable()
{
    TestDataFile f;
    f.exec(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId,"
                          " CurrencyRate) VALUES ('2024-01-02', 1, 5, 1, 1, 1)"));
    f.exec(QStringLiteral("DROP TABLE tbSchedule"));
    f.db().close();
    f.db().open(f.path());
    SqlStatement q(f.db(), QStringLiteral("SELECT (SELECT COUNT(*) FROM tbSchedule), (SELECT COUNT(*) FROM tbTransactions)"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 0);
    QCOMPARE(q.value(1).toInt(), 1);
    QVERIFY(indexesOf(f.db()).contains(QStringLiteral("ixScheduleNextDueDate")));
    // A file that is up to date is opened without a write.
    f.db().close();
    const QDateTime before = QFileInfo(f.path()).lastModified();
    QTest::qWait(20);
    f.db().open(f.path());
    f.db().close();
    QCOMPARE(QFileInfo(f.path()).lastModified(), before);
}

void TestSchema::scheduleTableWithoutAColumnIsRefused()
{
    TestDataFile f;
    f.exec(QStringLiteral("DROP TABLE tbSchedule"));
    f.exec(QStringLiteral("CREATE TABLE tbSchedule (ScheduleId INTEGER PRIMARY KEY, AccountId INTEGER)"));
    f.db().close();
    QVERIFY_THROWS_EXCEPTION(DataFileFormatError, f.db().open(f.path()));
}

void TestSchema::reportsReadOnlyTheirCoveringIndexes_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("index");
    QTest::newRow("account sums") << "SELECT AccountId, SUM(Amount/CurrencyRate) FROM tbTransactions GROUP BY AccountId"
                                  << "COVERING INDEX ixTransactionsAccountDateRate";
    QTest::newRow("payee sums of a range")
        << "SELECT PayeeId, SUM(Amount/CurrencyRate) FROM tbTransactions"
           " WHERE +TransactionDate BETWEEN '2024-01-01' AND '2024-12-31' GROUP BY PayeeId"
        << "COVERING INDEX ixTransactionsPayeeDate";
    QTest::newRow("category sums of payments")
        << "SELECT CategoryId, SUM(Amount/CurrencyRate) FROM tbTransactions WHERE Amount < 0 GROUP BY CategoryId"
        << "COVERING INDEX ixTransactionsCategoryDate";
    QTest::newRow("one payee by date")
        << "SELECT TransactionDate, SUM(Amount/CurrencyRate) FROM tbTransactions WHERE PayeeId = 3"
           " AND TransactionDate BETWEEN '2024-01-01' AND '2024-12-31' GROUP BY TransactionDate"
        << "COVERING INDEX ixTransactionsPayeeDate";
    QTest::newRow("payee's last category")
        << "SELECT CategoryId FROM tbTransactions WHERE PayeeId = 3 ORDER BY TransactionID DESC LIMIT 1"
        << "INDEX ixTransactionsPayee";
}

void TestSchema::reportsReadOnlyTheirCoveringIndexes()
{
    QFETCH(QString, sql);
    QFETCH(QString, index);
    TestDataFile f;
    SqlStatement plan(f.db(), QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
    plan.exec();
    QString detail;
    while (plan.next())
        detail += plan.value(3).toString() + u'\n';
    // Whole words: one index name begins another.
    const QStringList words = detail.split(QRegularExpression(QStringLiteral("\\s+")));
    const QStringList wanted = index.split(u' ');
    QVERIFY2(words.join(u' ').contains(wanted.join(u' ')) && words.contains(wanted.last()), qPrintable(detail));
    QVERIFY2(!detail.contains(QStringLiteral("TEMP B-TREE")), qPrintable(detail));
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
