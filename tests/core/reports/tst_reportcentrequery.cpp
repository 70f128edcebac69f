#include "core/reports/reportcentre.h"
#include "support/testdatafile.h"

#include <QTest>

// The report centre's filter and opening balance on a small file: two accounts, two
// payees (one with a quote in its name), two categories, rows across two years.
class TestReportCentreQuery : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void filterSelectsRows_data();
    void filterSelectsRows();
    void filterHoldsNoValues();
    void openingBalance_data();
    void openingBalance();
    void listsOfferTheNames();

private:
    void addRow(int account, const QString &date, qint64 units, int payee, int category);
    QList<int> ids(const ReportCentreChoice &choice);
    std::unique_ptr<TestDataFile> m_file;
};

void TestReportCentreQuery::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));     // 2
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('O''Brien \"Ltd\"', 'Income', 0, ' ')")); // 3
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')")); // 2
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Wages', 'Income', 0, ' ')")); // 3
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Wallet', 'Cash', 1)")); // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Bank', 1)"));   // 2
    addRow(1, QStringLiteral("2008-12-31"), 1000000, 3, 3);  // 1: last year
    addRow(1, QStringLiteral("2009-01-01"), -20000, 2, 2);   // 2: first day
    addRow(2, QStringLiteral("2009-06-15"), 500000, 3, 3);   // 3: other account
    addRow(1, QStringLiteral("2009-12-31"), -30000, 2, 2);   // 4: last day
    addRow(1, QStringLiteral("2009-06-15"), 70000, 3, 3);    // 5
    addRow(1, QStringLiteral("2010-01-01"), -1, 2, 2);       // 6: next year
}

void TestReportCentreQuery::cleanup()
{
    m_file.reset();
}

void TestReportCentreQuery::addRow(int account, const QString &date, qint64 units, int payee, int category)
{
    m_file->exec(QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
        " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " VALUES (1, '%1', %2, %3, 'n', %4, %5, 0, '', 0, 1, 1.0, ' ')")
        .arg(date).arg(payee).arg(units).arg(category).arg(account));
}

QList<int> TestReportCentreQuery::ids(const ReportCentreChoice &choice)
{
    QList<int> found;
    ForEachReportRow(m_file->db(), GetFilter(m_file->db(), choice),
                     [&found](const TransactionRowCells &row) { found.append(row.TransactionID); });
    return found;
}

void TestReportCentreQuery::filterSelectsRows_data()
{
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("account");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<int>>("expected");
    const QString all = QString::fromLatin1(ReportAllItems);
    const QDate jan1(2009, 1, 1);
    const QDate dec31(2009, 12, 31);
    QTest::newRow("one account, one year, by date then number")
        << all << all << "Wallet" << jan1 << dec31 << QList<int>{2, 5, 4};
    QTest::newRow("every account") << all << all << all << jan1 << dec31 << QList<int>{2, 3, 5, 4};
    QTest::newRow("payee with quotes in its name")
        << "O'Brien \"Ltd\"" << all << all << jan1 << dec31 << QList<int>{3, 5};
    QTest::newRow("category") << all << "Food" << all << QDate(2000, 1, 1) << QDate(2020, 1, 1)
                              << QList<int>{2, 4, 6};
    QTest::newRow("all three") << "Grocer" << "Food" << "Wallet" << jan1 << dec31 << QList<int>{2, 4};
    QTest::newRow("name without a row lists nothing") << "Nobody" << all << all << jan1 << dec31 << QList<int>{};
    QTest::newRow("one day") << all << all << all << QDate(2009, 6, 15) << QDate(2009, 6, 15) << QList<int>{3, 5};
    QTest::newRow("to before from drops the dates")
        << all << all << "Wallet" << dec31 << jan1 << QList<int>{1, 2, 5, 4, 6};
}

void TestReportCentreQuery::filterSelectsRows()
{
    ReportCentreChoice choice;
    QFETCH(QString, payee);
    QFETCH(QString, category);
    QFETCH(QString, account);
    choice.payee = payee;
    choice.category = category;
    choice.account = account;
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    choice.fromDate = from;
    choice.toDate = to;
    QFETCH(QList<int>, expected);
    QCOMPARE(ids(choice), expected);
}

void TestReportCentreQuery::filterHoldsNoValues()
{
    ReportCentreChoice choice;
    choice.payee = QStringLiteral("O'Brien \"Ltd\"");
    choice.category = QStringLiteral("Wages");
    choice.account = QStringLiteral("Bank");
    choice.fromDate = QDate(2009, 1, 1);
    choice.toDate = QDate(2009, 12, 31);
    const RegisterFilter filter = GetFilter(m_file->db(), choice);
    QCOMPARE(filter.condition.simplified(),
             QStringLiteral("AND tbTransactions.PayeeId=:PayeeId AND tbTransactions.CategoryId=:CategoryId"
                            " AND tbTransactions.AccountId=:AccountId"
                            " AND (tbTransactions.TransactionDate BETWEEN :FromDate AND :ToDate)"));
    QCOMPARE(filter.values.size(), 5);
    QCOMPARE(filter.values.at(0).second.toInt(), 3);
    QCOMPARE(filter.values.at(1).second.toInt(), 3);
    QCOMPARE(filter.values.at(2).second.toInt(), 2);
    QCOMPARE(filter.values.at(3).second.toDate(), QDate(2009, 1, 1));
    QCOMPARE(filter.values.at(4).second.toDate(), QDate(2009, 12, 31));
}

void TestReportCentreQuery::openingBalance_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<qint64>("expectedUnits");
    QTest::newRow("end of the previous year") << "Wallet" << QDate(2009, 1, 1) << qint64(1000000);
    QTest::newRow("the from-date itself not counted") << "Wallet" << QDate(2009, 6, 15) << qint64(980000);
    QTest::newRow("no earlier rows") << "Bank" << QDate(2009, 1, 1) << qint64(0);
    QTest::newRow("every account") << QString::fromLatin1(ReportAllItems) << QDate(2010, 1, 1) << qint64(0);
    QTest::newRow("unknown account") << "Nowhere" << QDate(2010, 1, 1) << qint64(0);
}

void TestReportCentreQuery::openingBalance()
{
    QFETCH(QString, account);
    QFETCH(QDate, from);
    QFETCH(qint64, expectedUnits);
    ReportCentreChoice choice;
    choice.account = account;
    choice.fromDate = from;
    choice.toDate = QDate(2010, 12, 31);
    QCOMPARE(ReportOpeningBalance(m_file->db(), choice).units(), expectedUnits);
}

void TestReportCentreQuery::listsOfferTheNames()
{
    const ReportCentreLists lists = LoadReportCentreLists(m_file->db());
    QVERIFY(lists.payees.contains(QStringLiteral("Grocer")));
    QVERIFY(lists.payees.contains(QStringLiteral("O'Brien \"Ltd\"")));
    QVERIFY(lists.categories.contains(QStringLiteral("Wages")));
    QVERIFY(lists.accounts.contains(QStringLiteral("Wallet")));
    QVERIFY(lists.accounts.contains(QStringLiteral("Bank")));
    QVERIFY(!lists.payees.contains(QString()));
}

QTEST_GUILESS_MAIN(TestReportCentreQuery)
#include "tst_reportcentrequery.moc"
