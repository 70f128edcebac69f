#include "core/exchange/qifimport.h"
#include "core/exchange/qifstaging.h"
#include "support/importfixture.h"

#include <QtTest>

using namespace ImportFixture;

class TestQifImport : public QObject
{
    Q_OBJECT

private slots:
    void linksOfTheList();
    void storesEveryRowInItsLinkedAccount();
    void transferPairsBalanceWhateverTheSign_data();
    void transferPairsBalanceWhateverTheSign();
    void bothSectionsOfATransferStoreOnePair();
    void payeesAndCategoriesAreCreatedOnce();
    void refusedLinksStoreNothing_data();
    void refusedLinksStoreNothing();
    void failureInTheLastRowStoresNothing();
    void dryRunStoresNothing();
    void noDuplicateCheck();
    void progressIsReportedToTheEnd();
    void largeImportBuildsTheIndexesAgain_data();
    void largeImportBuildsTheIndexesAgain();
};

void TestQifImport::linksOfTheList()
{
    ImportLinks links({QStringLiteral("[Bank]"), QStringLiteral("[Savings]")});
    QVERIFY(!links.AllLinksSet());
    links.setLink(0, QStringLiteral("Checking"));
    QCOMPARE(links.LinkedAccount(QStringLiteral("[Bank]")), QStringLiteral("Checking"));
    QCOMPARE(links.LinkedAccount(QStringLiteral("Bank")), QString()); // exact match only
    QCOMPARE(links.unlinkedReferences(), QStringList{QStringLiteral("[Savings]")});
    QVERIFY(links.setLink(QStringLiteral("[Savings]"), QStringLiteral("Savings")));
    QVERIFY(links.AllLinksSet());
    links.setLink(1, QString()); // as "Cancel" in the chooser does
    QVERIFY(!links.AllLinksSet());
    QVERIFY(!links.setLink(QStringLiteral("[Other]"), QStringLiteral("x")));
    QVERIFY(ImportLinks().AllLinksSet());
}

void TestQifImport::storesEveryRowInItsLinkedAccount()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    addAccount(f.db(), QStringLiteral("Savings"));
    const QifStaging staging = StageQif(qifData(QStringLiteral("bank.qif")));
    ImportLinks links(staging.references);
    links.setLink(QStringLiteral("[Checking]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Savings]"), QStringLiteral("Savings"));

    const QifImportTotals totals = ImportQifStaging(f.db(), f.notifier, staging, links);
    QCOMPARE(totals.transactions, 6);
    QCOMPARE(totals.transfers, 2);
    QVERIFY(!f.db().InTransaction());

    const QList<StoredRow> rows = storedRows(f.db());
    QCOMPARE(rows.size(), 8); // two transfers write two rows each
    QCOMPARE(rows[0].account, QStringLiteral("Checking"));
    QCOMPARE(rows[0].units, 15000000);
    QCOMPARE(rows[0].status, QStringLiteral("Reconciled")); // "CX"
    QCOMPARE(rows[0].date, QStringLiteral("2004-01-02"));
    QCOMPARE(rows[1].status, QStringLiteral("Cleared")); // "C*"
    QCOMPARE(rows[1].note, QStringLiteral("Weekly shop"));
    QCOMPARE(rows[1].category, QStringLiteral("Food"));
    QCOMPARE(rows[2].payee, QStringLiteral("*"));
    QCOMPARE(rows[2].internal, QString());
    // The last record has no payee: the row refers to the payee without a name.
    QCOMPARE(rows.last().payee, QString());
    QCOMPARE(rows.last().units, -125000);
    QCOMPARE(f.notifier.bars.size(), 0);
}

void TestQifImport::transferPairsBalanceWhateverTheSign_data()
{
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<qint64>("checkingUnits");
    QTest::addColumn<qint64>("savingsUnits");
    // Savings is kept in a currency worth half the base one: 100 base is 50 there.
    QTest::newRow("money in") << QByteArray("100") << qint64(1000000) << qint64(-500000);
    QTest::newRow("money out") << QByteArray("-100") << qint64(-1000000) << qint64(500000);
}

void TestQifImport::transferPairsBalanceWhateverTheSign()
{
    QFETCH(QByteArray, amount);
    QFETCH(qint64, checkingUnits);
    QFETCH(qint64, savingsUnits);
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    addAccount(f.db(), QStringLiteral("Savings"), addCurrency(f.db(), QStringLiteral("H"), 0.5));
    const QifStaging staging = StageQif("!Type:Bank\nD1/1'04\nT" + amount + "\nPMove\nL[Savings]\n^\n");
    ImportLinks links(staging.references);
    links.setLink(QStringLiteral("[Bank]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Savings]"), QStringLiteral("Savings"));
    ImportQifStaging(f.db(), f.notifier, staging, links);

    const QList<StoredRow> rows = storedRows(f.db());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].account, QStringLiteral("Checking"));
    QCOMPARE(rows[0].units, checkingUnits);
    QCOMPARE(rows[0].otherAccount, QStringLiteral("Savings"));
    QCOMPARE(rows[1].account, QStringLiteral("Savings"));
    QCOMPARE(rows[1].units, savingsUnits);
    QCOMPARE(rows[1].rate, 0.5);
    QCOMPARE(rows[1].otherAccount, QStringLiteral("Checking"));
    QCOMPARE(rows[0].linked, rows[1].id);
    QCOMPARE(rows[1].linked, rows[0].id);
    QCOMPARE(rows[0].internal, QStringLiteral("Transfer"));
    QCOMPARE(rows[1].internal, QStringLiteral("Transfer"));
}

void TestQifImport::bothSectionsOfATransferStoreOnePair()
{
    TestDataFile f;
    for (const char *name : {"Checking", "Savings", "House", "Loan"})
        addAccount(f.db(), QString::fromLatin1(name));
    const QifStaging staging = StageQif(qifData(QStringLiteral("two-accounts.qif")));
    ImportLinks links(staging.references);
    links.setLink(QStringLiteral("[Checking]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Savings]"), QStringLiteral("Savings"));
    links.setLink(QStringLiteral("[Asset]"), QStringLiteral("House"));
    links.setLink(QStringLiteral("[Liability]"), QStringLiteral("Loan"));
    const QifImportTotals totals = ImportQifStaging(f.db(), f.notifier, staging, links);
    QCOMPARE(totals.transactions, 6);
    QCOMPARE(totals.transfers, 3);
    QCOMPARE(transactionCount(f.db()), 9);
    // Each account holds what its own section says, once.
    QCOMPARE(count(f.db(), QStringLiteral("SELECT SUM(Amount) FROM tbTransactions t JOIN tbAccount a"
                                          " ON a.AccountId = t.AccountId WHERE a.AccountDescription = 'Checking'")),
             -1000000); // -200 - 50 + 75, and 75 from Savings on the 4th
    QCOMPARE(count(f.db(), QStringLiteral("SELECT SUM(Amount) FROM tbTransactions t JOIN tbAccount a"
                                          " ON a.AccountId = t.AccountId WHERE a.AccountDescription = 'Savings'")),
             500000); // 200 - 75, and 75 to Checking on the 4th
}

void TestQifImport::payeesAndCategoriesAreCreatedOnce()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('GROCER', 'Income', 0, ' ')"));
    const QifStaging staging = StageQif("!Type:Bank\nD1/1'04\nT-5\nPGrocer\nLFood\n^\nD1/2'04\nT-6\nPGrocer\nLFood\n^\n"
                                        "D1/3'04\nT900\nPEmployer\nLSalary\n^\n");
    ImportLinks links(staging.references);
    links.setLink(0, QStringLiteral("Checking"));
    ImportQifStaging(f.db(), f.notifier, staging, links);

    // "GROCER" was there already: names compare without regard to case.
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Grocer'")), 1);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee")), 3);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbCategory WHERE CategoryDescription = 'Food'"
                                          " AND Type = 'Expense' AND Amt = 0 AND Frequency = ' '")), 1);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Employer' AND Type = 'Income'")), 1);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbCategory WHERE CategoryDescription = 'Salary' AND Type = 'Income'")), 1);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(DISTINCT PayeeId) FROM tbTransactions")), 2);
}

void TestQifImport::refusedLinksStoreNothing_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("message");
    QTest::newRow("no link") << QString() << QStringLiteral("Please specify all account links");
    QTest::newRow("no such account") << QStringLiteral("Gone")
                                     << QStringLiteral("There is no account named \"Gone\" (linked to [Bank]).");
}

void TestQifImport::refusedLinksStoreNothing()
{
    QFETCH(QString, account);
    QFETCH(QString, message);
    TestDataFile f;
    const QifStaging staging = StageQif("!Type:Bank\nD1/1'04\nT-5\nPGrocer\n^\n");
    ImportLinks links(staging.references);
    links.setLink(0, account);
    try {
        ImportQifStaging(f.db(), f.notifier, staging, links);
        QFAIL("no error");
    } catch (const TillbrookError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(transactionCount(f.db()), 0);
    QVERIFY(!f.db().InTransaction());
}

void TestQifImport::failureInTheLastRowStoresNothing()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    // An account whose currency has the rate 0 cannot convert the transfer of the last row.
    addAccount(f.db(), QStringLiteral("Broken"), addCurrency(f.db(), QStringLiteral("Z"), 0.0));
    const QifStaging staging = StageQif(qifData(QStringLiteral("bank.qif"))
                                        + "\n^\n!Type:Cash\nD3/1'04\nT-1\nPNew payee\nL[Checking]\n^\n");
    ImportLinks links(staging.references);
    links.setLink(QStringLiteral("[Checking]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Savings]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Cash]"), QStringLiteral("Broken"));
    QVERIFY(staging.rows.back().isTransfer());
    QVERIFY_THROWS_EXCEPTION(TillbrookError, ImportQifStaging(f.db(), f.notifier, staging, links));
    QCOMPARE(transactionCount(f.db()), 0);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee")), 1);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbCategory")), 1);
    QVERIFY(!f.db().InTransaction());
}

void TestQifImport::dryRunStoresNothing()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    const QifStaging staging = StageQif(qifData(QStringLiteral("bank.qif")));
    ImportLinks links(staging.references);
    links.setLink(0, QStringLiteral("Checking"));
    links.setLink(1, QStringLiteral("Checking"));
    const QifImportTotals totals = ImportQifStaging(f.db(), f.notifier, staging, links, ImportMode::DryRun);
    QCOMPARE(totals.transactions, 6);
    QCOMPARE(transactionCount(f.db()), 0);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee")), 1);
}

void TestQifImport::noDuplicateCheck()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    const QifStaging staging = StageQif("!Type:Cash\nD1/1'04\nT-5\nPGrocer\n^\n");
    ImportLinks links(staging.references);
    links.setLink(0, QStringLiteral("Checking"));
    ImportQifStaging(f.db(), f.notifier, staging, links);
    ImportQifStaging(f.db(), f.notifier, staging, links);
    QCOMPARE(transactionCount(f.db()), 2);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Grocer'")), 1);
}

void TestQifImport::progressIsReportedToTheEnd()
{
    TestDataFile f;
    addAccount(f.db(), QStringLiteral("Checking"));
    QByteArray content = "!Type:Bank\n";
    for (int i = 0; i < 5000; ++i)
        content += "D1/1'04\nT-1\n^\n";
    const QifStaging staging = StageQif(content);
    ImportLinks links(staging.references);
    links.setLink(0, QStringLiteral("Checking"));
    QList<qsizetype> reports;
    ImportQifStaging(f.db(), f.notifier, staging, links, ImportMode::Store,
                     [&](qsizetype done, qsizetype total) {
                         QCOMPARE(total, 5000);
                         reports.append(done);
                     });
    QVERIFY(reports.size() >= 2);
    QCOMPARE(reports.last(), 5000);
    QVERIFY(std::is_sorted(reports.begin(), reports.end()));
}

void TestQifImport::largeImportBuildsTheIndexesAgain_data()
{
    QTest::addColumn<bool>("failAtTheEnd");
    QTest::newRow("stored") << false;
    QTest::newRow("failed in the last row") << true;
}

void TestQifImport::largeImportBuildsTheIndexesAgain()
{
    QFETCH(bool, failAtTheEnd);
    TestDataFile f;
    const int checking = addAccount(f.db(), QStringLiteral("Checking"));
    addAccount(f.db(), QStringLiteral("Broken"), addCurrency(f.db(), QStringLiteral("Z"), 0.0));
    const QString indexSql = QStringLiteral(
        "SELECT group_concat(name || ':' || sql, '|') FROM (SELECT name, sql FROM sqlite_master"
        " WHERE type = 'index' AND tbl_name = 'tbTransactions' ORDER BY name)");
    auto indexDefinitions = [&] {
        SqlStatement query(f.db(), indexSql);
        query.exec();
        return query.next() ? query.value(0).toString() : QString();
    };
    const QString indexes = indexDefinitions();
    QVERIFY(indexes.contains(QStringLiteral("ixTransactionsAccountDateRate")));
    // The rebuild sorts with its own cache size, temporary files and threads; the
    // connection gets its own settings back.
    const QString settingsSql = QStringLiteral("SELECT (SELECT cache_size FROM pragma_cache_size) || '/'"
                                               " || (SELECT temp_store FROM pragma_temp_store) || '/'"
                                               " || (SELECT threads FROM pragma_threads)");
    auto settings = [&] {
        SqlStatement query(f.db(), settingsSql);
        query.exec();
        return query.next() ? query.value(0).toString() : QString();
    };
    const QString settingsBefore = settings();

    QByteArray content = "!Type:Bank\n";
    for (qsizetype i = 0; i < IndexRebuildThreshold; ++i)
        content += "D1/" + QByteArray::number(1 + i % 28) + "'04\nT-1\nPShop\n^\n";
    if (failAtTheEnd)
        content += "!Type:Cash\nD3/1'04\nT-1\nL[Bank]\n^\n";
    const QifStaging staging = StageQif(content);
    ImportLinks links(staging.references);
    links.setLink(QStringLiteral("[Bank]"), QStringLiteral("Checking"));
    links.setLink(QStringLiteral("[Cash]"), QStringLiteral("Broken"));
    if (failAtTheEnd)
        QVERIFY_THROWS_EXCEPTION(TillbrookError, ImportQifStaging(f.db(), f.notifier, staging, links));
    else
        ImportQifStaging(f.db(), f.notifier, staging, links);

    QCOMPARE(indexDefinitions(), indexes);
    QCOMPARE(settings(), settingsBefore);
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM pragma_integrity_check WHERE integrity_check <> 'ok'")), 0);
    const qint64 expected = failAtTheEnd ? 0 : IndexRebuildThreshold;
    QCOMPARE(transactionCount(f.db()), expected);
    // Read through the account index.
    QCOMPARE(count(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions INDEXED BY ixTransactionsAccountDateRate"
                                          " WHERE AccountId = %1 AND TransactionDate >= '2004-01-01'").arg(checking)),
             expected);
}

QTEST_GUILESS_MAIN(TestQifImport)
#include "tst_qifimport.moc"
