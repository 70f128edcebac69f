#include "core/datafile/sqlstatement.h"
#include "core/lists/budget.h"
#include "support/testdatafile.h"

#include <QTest>

class TestBudget : public QObject
{
    Q_OBJECT
private slots:
    void frequencyDays_data();
    void frequencyDays();
    void frequencyNamesInOrder();
    void dailyBudget_data();
    void dailyBudget();
    void dailyBudgetReadsTheKindsTable();
};

void TestBudget::frequencyDays_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("days");
    QTest::newRow("blank") << " " << 0;
    QTest::newRow("Daily") << "Daily" << 1;
    QTest::newRow("Weekly") << "Weekly" << 7;
    QTest::newRow("2 Weeks") << "2 Weeks" << 14;
    QTest::newRow("4 Weeks") << "4 Weeks" << 28;
    QTest::newRow("Monthly") << "Monthly" << 30;
    QTest::newRow("2 Months") << "2 Months" << 60;
    QTest::newRow("3 Months") << "3 Months" << 90;
    QTest::newRow("4 Months") << "4 Months" << 120;
    QTest::newRow("6 Months") << "6 Months" << 180;
    QTest::newRow("Yearly") << "Yearly" << 365;
    QTest::newRow("2 Years") << "2 Years" << 730;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("other case") << "monthly" << 0;
    QTest::newRow("trailing blank") << "Monthly " << 0;
    QTest::newRow("unknown") << "Fortnightly" << 0;
}

void TestBudget::frequencyDays()
{
    QFETCH(QString, name);
    QFETCH(int, days);
    QCOMPARE(FrequencyDays(name), days);
}

void TestBudget::frequencyNamesInOrder()
{
    QCOMPARE(FrequencyNames(), (QStringList{" ", "Daily", "Weekly", "2 Weeks", "4 Weeks", "Monthly", "2 Months",
                                            "3 Months", "4 Months", "6 Months", "Yearly", "2 Years"}));
}

void TestBudget::dailyBudget_data()
{
    QTest::addColumn<qint64>("amt"); // ten-thousandths
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<qint64>("daily");
    QTest::newRow("300 Monthly") << qint64(3000000) << "Monthly" << qint64(100000);
    QTest::newRow("100 Weekly") << qint64(1000000) << "Weekly" << qint64(142857);
    QTest::newRow("365 Yearly") << qint64(3650000) << "Yearly" << qint64(10000);
    QTest::newRow("50 Daily") << qint64(500000) << "Daily" << qint64(500000);
    QTest::newRow("1000 2 Years") << qint64(10000000) << "2 Years" << qint64(13699); // 13.69863
    QTest::newRow("100 2 Weeks") << qint64(1000000) << "2 Weeks" << qint64(71429);  // 7.142857
    QTest::newRow("half rounds to even, down") << qint64(7) << "2 Weeks" << qint64(0);
    QTest::newRow("half rounds to even, up") << qint64(21) << "2 Weeks" << qint64(2);
    QTest::newRow("negative budget") << qint64(-1000000) << "Weekly" << qint64(-142857);
    QTest::newRow("blank frequency") << qint64(3000000) << " " << qint64(0);
    QTest::newRow("unknown frequency") << qint64(3000000) << "Quarterly" << qint64(0);
    QTest::newRow("no budget") << qint64(0) << "Monthly" << qint64(0);
}

void TestBudget::dailyBudget()
{
    QFETCH(qint64, amt);
    QFETCH(QString, frequency);
    QFETCH(qint64, daily);
    TestDataFile f;
    SqlStatement(f.db(), QStringLiteral("INSERT INTO tbCategory (CategoryId, CategoryDescription, Type, Amt, Frequency) "
                                        "VALUES (5, 'Food', 'Expense', :Amt, :Frequency)"))
        .bind(QStringLiteral(":Amt"), amt)
        .bind(QStringLiteral(":Frequency"), frequency)
        .exec();
    QCOMPARE(DailyBudget(f.db(), 5, QStringLiteral("C")).units(), daily);
}

void TestBudget::dailyBudgetReadsTheKindsTable()
{
    TestDataFile f;
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryId, CategoryDescription, Amt, Frequency) VALUES (7, 'Food', 3000000, 'Monthly')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeId, PayeeName, Amt, Frequency) VALUES (7, 'Grocer', 1400000, 'Weekly')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeId, PayeeName, Amt, Frequency) VALUES (8, 'Nobody', 700000, NULL)"));
    QCOMPARE(DailyBudget(f.db(), 7, QStringLiteral("C")).units(), 100000);
    QCOMPARE(DailyBudget(f.db(), 7, QStringLiteral("P")).units(), 200000);
    QCOMPARE(DailyBudget(f.db(), 7, QString()).units(), 200000);
    QCOMPARE(DailyBudget(f.db(), 8, QStringLiteral("P")).units(), 0);
    QCOMPARE(DailyBudget(f.db(), 99, QStringLiteral("C")).units(), 0);
}

QTEST_GUILESS_MAIN(TestBudget)
#include "tst_budget.moc"
