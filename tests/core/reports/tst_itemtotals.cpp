#include "core/reports/chartseries.h"
#include "core/reports/itemtotals.h"
#include "core/reports/totalsreport.h"
#include "reportsfixture.h"

#include <QTest>

// Transactions in the case tables: "item|amount|rate|yyyy-MM-dd" (rate and date may be
// left out: 1 and 2024-06-15). The item "~" has no name; "?" refers to an item row
// that does not exist. Every row is in one account of the base currency.
namespace {

void addRows(ReportsFile &f, ReportItemKind kind, const QStringList &rows)
{
    const int account = f.addAccount(QStringLiteral("Cash"));
    QHash<QString, int> items;
    for (const QString &row : rows) {
        const QStringList parts = row.split(u'|');
        const QString name = parts[0];
        if (!items.contains(name)) {
            int id = 4242;
            if (name != QLatin1String("?")) {
                const QString stored = name == QLatin1String("~") ? QString() : name;
                id = kind == ReportItemKind::Payees ? f.addPayee(stored) : f.addCategory(stored);
            }
            items.insert(name, id);
        }
        const double rate = parts.size() > 2 ? parts[2].toDouble() : 1.0;
        const QDate date = parts.size() > 3 ? QDate::fromString(parts[3], Qt::ISODate) : QDate(2024, 6, 15);
        const int payee = kind == ReportItemKind::Payees ? items[name] : 1;
        const int category = kind == ReportItemKind::Categories ? items[name] : 1;
        f.addRow(account, date, payee, category, parts[1].toDouble(), rate);
    }
}

const ReportDateRange Year2024{QDate(2024, 1, 1), QDate(2024, 12, 31)};

QStringList pointTexts(const QList<ChartPoint> &points)
{
    QStringList texts;
    for (const ChartPoint &p : points)
        texts << p.label + u'=' + p.value.toPlainText(2);
    return texts;
}

} // namespace

class TestItemTotals : public QObject
{
    Q_OBJECT
private slots:
    void totalsLines_data();
    void totalsLines();
    void totalsOfARangeWithoutTransactionsAreEmpty();
    void fromDateAfterToDateCountsEveryDate();
    void titles();
    void chartSeries_data();
    void chartSeries();
    void transferPairsOnlyInTheTotals();
};

void TestItemTotals::totalsLines_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QStringList>("expected"); // "name|pay|receive"
    const int payees = int(ReportItemKind::Payees);
    const int categories = int(ReportItemKind::Categories);
    QTest::newRow("payments net under Pay, unsigned")
        << payees << QStringList{"Shop|-100", "Shop|-30", "Shop|20"} << 2 << QStringList{"Shop|110.00|"};
    QTest::newRow("receipts net under Receive")
        << payees << QStringList{"Employer|2000", "Employer|-500"} << 2 << QStringList{"Employer||1,500.00"};
    QTest::newRow("cancelling out is settled")
        << payees << QStringList{"Friend|-40", "Friend|40"} << 2 << QStringList{"Friend||(Settled)"};
    QTest::newRow("cancelling out at another rate is settled")
        << payees << QStringList{"Friend|-100|3", "Friend|100|3"} << 2 << QStringList{"Friend||(Settled)"};
    QTest::newRow("thousands separators")
        << payees << QStringList{"Rent|-1234.5", "Bonus|1234567.891"} << 2
        << QStringList{"Bonus||1,234,567.89", "Rent|1,234.50|"};
    QTest::newRow("no decimals")
        << payees << QStringList{"Rent|-1234.5"} << 0 << QStringList{"Rent|1,235|"};
    QTest::newRow("amounts by their own rate")
        << payees << QStringList{"Hotel|-100|2", "Hotel|-10|1"} << 2 << QStringList{"Hotel|60.00|"};
    QTest::newRow("by name, without regard to case")
        << payees << QStringList{"beta|-1", "Alpha|-2", "BETA|-3", "gamma|4"} << 2
        << QStringList{"Alpha|2.00|", "beta|4.00|", "gamma||4.00"};
    QTest::newRow("item without a name first")
        << payees << QStringList{"Zed|-1", "~|-2"} << 2 << QStringList{"(Payee name not set)|2.00|", "Zed|1.00|"};
    QTest::newRow("category without a name")
        << categories << QStringList{"~|5"} << 2 << QStringList{"(Category name not set)||5.00"};
    QTest::newRow("missing item row is not counted")
        << payees << QStringList{"?|-5", "Shop|-1"} << 2 << QStringList{"Shop|1.00|"};
    QTest::newRow("outside the range is not counted")
        << categories << QStringList{"Food|-1|1|2023-12-31", "Food|-2|1|2024-01-01", "Food|-4|1|2024-12-31",
                                     "Food|-8|1|2025-01-01"}
        << 2 << QStringList{"Food|6.00|"};
    QTest::newRow("a remainder too small to show is settled")
        << payees << QStringList{"Bank|0.004"} << 2 << QStringList{"Bank||(Settled)"};
}

void TestItemTotals::totalsLines()
{
    QFETCH(int, kind);
    QFETCH(QStringList, rows);
    QFETCH(int, digits);
    QFETCH(QStringList, expected);
    ReportsFile f;
    addRows(f, ReportItemKind(kind), rows);
    QStringList actual;
    for (const TotalsLine &line : BuildTotalsList(f.db(), ReportItemKind(kind), Year2024, digits))
        actual << line.name + u'|' + line.pay + u'|' + line.receive;
    // The name of a group of names that differ in case is any one of them.
    for (int i = 0; i < actual.size() && i < expected.size(); ++i) {
        if (actual[i].compare(expected[i], Qt::CaseInsensitive) == 0)
            actual[i] = expected[i];
    }
    QCOMPARE(actual, expected);
}

void TestItemTotals::totalsOfARangeWithoutTransactionsAreEmpty()
{
    ReportsFile f;
    addRows(f, ReportItemKind::Payees, {"Shop|-1|1|2020-05-05"});
    QVERIFY(BuildTotalsList(f.db(), ReportItemKind::Payees, Year2024, 2).isEmpty());
    QCOMPARE(NoTotalsText(Year2024), QStringLiteral("No transactions from 01/01/2024 to 31/12/2024."));
}

void TestItemTotals::fromDateAfterToDateCountsEveryDate()
{
    ReportsFile f;
    addRows(f, ReportItemKind::Payees, {"Shop|-1|1|2001-05-05", "Shop|-2|1|2030-05-05"});
    const ReportDateRange reversed{QDate(2024, 12, 31), QDate(2024, 1, 1)};
    QCOMPARE(BuildTotalsList(f.db(), ReportItemKind::Payees, reversed, 2),
             (QList<TotalsLine>{{"Shop", "3.00", ""}}));
}

void TestItemTotals::titles()
{
    QCOMPARE(TotalsPageTitle(ReportItemKind::Payees, Year2024),
             QStringLiteral("Payee transactions from 01/01/2024 to 31/12/2024"));
    QCOMPARE(TotalsTitle(ReportItemKind::Categories), QStringLiteral("Category transactions list (All accounts)"));
    QCOMPARE(IncomeExpensePageTitle(ReportItemKind::Categories, Year2024),
             QStringLiteral("All accounts - Categories Incomes vs Expenses transactions from 01/01/2024 to 31/12/2024"));
    QCOMPARE(IncomeExpensePageTitle(ReportItemKind::Payees, Year2024),
             QStringLiteral("All accounts - Payee Incomes vs Expenses transactions from 01/01/2024 to 31/12/2024"));
}

void TestItemTotals::chartSeries_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expense");
    QTest::addColumn<QStringList>("income");
    QTest::addColumn<QStringList>("net");
    QTest::newRow("largest expense first, smallest income first, net from most negative")
        << QStringList{"Rent|-900", "Food|-300", "Food|-50", "Salary|2000", "Gift|30", "Food|20"}
        << QStringList{"Rent=-900.00", "Food=-350.00"}
        << QStringList{"Food=20.00", "Gift=30.00", "Salary=2000.00"}
        << QStringList{"Rent=-900.00", "Food=-330.00", "Gift=30.00", "Salary=2000.00"};
    QTest::newRow("netting to zero: a bar at 0, and in both printed series")
        << QStringList{"Loan|-100", "Loan|100"} << QStringList{"Loan=-100.00"} << QStringList{"Loan=100.00"}
        << QStringList{"Loan=0.00"};
    QTest::newRow("amount 0 is in neither printed series")
        << QStringList{"Zero|0"} << QStringList{} << QStringList{} << QStringList{"Zero=0.00"};
    QTest::newRow("another currency at its stored rate")
        << QStringList{"Hotel|-100|2"} << QStringList{"Hotel=-50.00"} << QStringList{} << QStringList{"Hotel=-50.00"};
    QTest::newRow("item without a name")
        << QStringList{"~|-5"} << QStringList{"(Payee name not set)=-5.00"} << QStringList{}
        << QStringList{"(Payee name not set)=-5.00"};
    QTest::newRow("equal sums by name")
        << QStringList{"B|-5", "A|-5"} << QStringList{"A=-5.00", "B=-5.00"} << QStringList{}
        << QStringList{"A=-5.00", "B=-5.00"};
}

void TestItemTotals::chartSeries()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expense);
    QFETCH(QStringList, income);
    QFETCH(QStringList, net);
    ReportsFile f;
    addRows(f, ReportItemKind::Payees, rows);
    QCOMPARE(pointTexts(ExpenseSeries(f.db(), ReportItemKind::Payees, Year2024)), expense);
    QCOMPARE(pointTexts(IncomeSeries(f.db(), ReportItemKind::Payees, Year2024)), income);
    QCOMPARE(pointTexts(NetTotalsSeries(f.db(), ReportItemKind::Payees, Year2024)), net);
}

// A card payment from the bank is a linked pair: it shows in neither chart, while the
// totals keep both rows.
void TestItemTotals::transferPairsOnlyInTheTotals()
{
    ReportsFile f;
    addRows(f, ReportItemKind::Payees, {"Salary|76749", "Card|-21969", "Card|21969", "Grocer|-120"});
    f.exec(QStringLiteral("UPDATE tbTransactions SET LinkedTransactionID = 3, OtherAccountID = 1 WHERE TransactionID = 2"));
    f.exec(QStringLiteral("UPDATE tbTransactions SET LinkedTransactionID = 2, OtherAccountID = 1 WHERE TransactionID = 3"));
    QCOMPARE(pointTexts(ExpenseSeries(f.db(), ReportItemKind::Payees, Year2024)), QStringList{"Grocer=-120.00"});
    QCOMPARE(pointTexts(IncomeSeries(f.db(), ReportItemKind::Payees, Year2024)), QStringList{"Salary=76749.00"});
    QCOMPARE(pointTexts(NetTotalsSeries(f.db(), ReportItemKind::Payees, Year2024)),
             (QStringList{"Grocer=-120.00", "Salary=76749.00"}));
    QStringList totals;
    for (const ItemTotal &total :
         LoadItemTotals(f.db(), ReportItemKind::Payees, Year2024, AmountSign::Payments, TotalsOrder::ByName))
        totals << total.name + u'=' + total.amount.toPlainText(2);
    QCOMPARE(totals, (QStringList{"Card=-21969.00", "Grocer=-120.00"}));
}

QTEST_GUILESS_MAIN(TestItemTotals)
#include "tst_itemtotals.moc"
