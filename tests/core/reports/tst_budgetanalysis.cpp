#include "core/reports/budgetanalysis.h"
#include "reportsfixture.h"

#include <QTest>

namespace {

QStringList pointTexts(const QList<BudgetPoint> &points)
{
    QStringList texts;
    for (const BudgetPoint &p : points)
        texts << QStringLiteral("%1 %2/%3").arg(p.label, p.actual.toPlainText(2), p.budget.toPlainText(2));
    return texts;
}

const ReportDateRange AllDates{QDate(2000, 1, 1), QDate(2030, 12, 31)};

} // namespace

class TestBudgetAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void monthlyBudgetPerCalendarMonth_data();
    void monthlyBudgetPerCalendarMonth();
    void dailyPointsOnlyAtDatesWithTransactions();
    void actualIsPaidOutPositiveReceivedNegative_data();
    void actualIsPaidOutPositiveReceivedNegative();
    void monthsInYearAndMonthOrder();
    void rangeLimitsThePoints();
    void nothingChosenHasNoPoints();
    void budgetNotSet_data();
    void budgetNotSet();
    void categoriesReadTheirOwnBudget();
};

void TestBudgetAnalysis::monthlyBudgetPerCalendarMonth_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("budget");
    QTest::newRow("January") << QDate(2009, 1, 20) << "Jan-2009" << "310.00";
    QTest::newRow("February, normal year") << QDate(2009, 2, 3) << "Feb-2009" << "280.00";
    QTest::newRow("February, leap year") << QDate(2008, 2, 29) << "Feb-2008" << "290.00";
    QTest::newRow("April") << QDate(2009, 4, 30) << "Apr-2009" << "300.00";
    QTest::newRow("September's four letters") << QDate(2009, 9, 1) << "Sept-2009" << "300.00";
}

void TestBudgetAnalysis::monthlyBudgetPerCalendarMonth()
{
    QFETCH(QDate, date);
    QFETCH(QString, label);
    QFETCH(QString, budget);
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Landlord"), 300, QStringLiteral("Monthly"));
    f.addRow(f.addAccount(QStringLiteral("Cash")), date, payee, 1, -12);
    const QList<BudgetPoint> points = BudgetByMonth(f.db(), ReportItemKind::Payees, payee, AllDates);
    QCOMPARE(pointTexts(points), QStringList{label + u' ' + QStringLiteral("12.00/") + budget});
}

void TestBudgetAnalysis::dailyPointsOnlyAtDatesWithTransactions()
{
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Landlord"), 300, QStringLiteral("Monthly"));
    const int cash = f.addAccount(QStringLiteral("Cash"));
    f.addRow(cash, QDate(2009, 1, 5), payee, 1, -7);
    f.addRow(cash, QDate(2009, 1, 9), payee, 1, -3);
    f.addRow(cash, QDate(2009, 1, 9), payee, 1, -4);
    QCOMPARE(pointTexts(BudgetByDay(f.db(), ReportItemKind::Payees, payee, AllDates)),
             (QStringList{"05/01/2009 7.00/10.00", "09/01/2009 7.00/10.00"}));
}

void TestBudgetAnalysis::actualIsPaidOutPositiveReceivedNegative_data()
{
    QTest::addColumn<QList<double>>("amounts");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("actual");
    QTest::newRow("payment") << QList<double>{-50} << 1.0 << "50.00";
    QTest::newRow("receipt") << QList<double>{50} << 1.0 << "-50.00";
    QTest::newRow("both on one date net to 0") << QList<double>{-50, 50} << 1.0 << "0.00";
    QTest::newRow("in another currency by its rate") << QList<double>{-50} << 2.0 << "25.00";
    QTest::newRow("two payments in a month") << QList<double>{-20, -30} << 1.0 << "50.00";
}

void TestBudgetAnalysis::actualIsPaidOutPositiveReceivedNegative()
{
    QFETCH(QList<double>, amounts);
    QFETCH(double, rate);
    QFETCH(QString, actual);
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Shop"));
    const int cash = f.addAccount(QStringLiteral("Cash"));
    for (double amount : amounts)
        f.addRow(cash, QDate(2024, 5, 17), payee, 1, amount, rate);
    const QList<BudgetPoint> byDay = BudgetByDay(f.db(), ReportItemKind::Payees, payee, AllDates);
    const QList<BudgetPoint> byMonth = BudgetByMonth(f.db(), ReportItemKind::Payees, payee, AllDates);
    QCOMPARE(byDay.size(), 1);
    QCOMPARE(byMonth.size(), 1);
    QCOMPARE(byDay[0].actual.toPlainText(2), actual);
    QCOMPARE(byMonth[0].actual.toPlainText(2), actual);
    QCOMPARE(byMonth[0].label, QStringLiteral("May-2024"));
}

void TestBudgetAnalysis::monthsInYearAndMonthOrder()
{
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Shop"));
    const int cash = f.addAccount(QStringLiteral("Cash"));
    for (const QDate &d : {QDate(2010, 2, 1), QDate(2009, 12, 31), QDate(2009, 11, 2), QDate(2010, 10, 5)})
        f.addRow(cash, d, payee, 1, -1);
    QStringList labels;
    for (const BudgetPoint &p : BudgetByMonth(f.db(), ReportItemKind::Payees, payee, AllDates))
        labels << p.label;
    QCOMPARE(labels, (QStringList{"Nov-2009", "Dec-2009", "Feb-2010", "Oct-2010"}));
}

void TestBudgetAnalysis::rangeLimitsThePoints()
{
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Shop"));
    const int cash = f.addAccount(QStringLiteral("Cash"));
    for (const QDate &d : {QDate(2023, 12, 31), QDate(2024, 1, 1), QDate(2024, 12, 31), QDate(2025, 1, 1)})
        f.addRow(cash, d, payee, 1, -1);
    const ReportDateRange year{QDate(2024, 1, 1), QDate(2024, 12, 31)};
    QCOMPARE(BudgetByDay(f.db(), ReportItemKind::Payees, payee, year).size(), 2);
    const ReportDateRange reversed{year.to, year.from};
    QCOMPARE(BudgetByDay(f.db(), ReportItemKind::Payees, payee, reversed).size(), 4);
}

void TestBudgetAnalysis::nothingChosenHasNoPoints()
{
    ReportsFile f;
    // Transactions without a payee refer to the template's payee without a name.
    f.addRow(f.addAccount(QStringLiteral("Cash")), QDate(2024, 1, 1), 1, 1, -5);
    const int none = BudgetItemId(f.db(), ReportItemKind::Payees, QString());
    QCOMPARE(none, -1);
    QVERIFY(BudgetByDay(f.db(), ReportItemKind::Payees, none, AllDates).isEmpty());
    QVERIFY(BudgetByMonth(f.db(), ReportItemKind::Payees, none, AllDates).isEmpty());
    QCOMPARE(BudgetItemId(f.db(), ReportItemKind::Payees, QStringLiteral("nobody")), -1);
}

void TestBudgetAnalysis::budgetNotSet_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<bool>("set");
    QTest::newRow("amount and frequency") << 300.0 << "Monthly" << true;
    QTest::newRow("no amount") << 0.0 << "Monthly" << false;
    QTest::newRow("no frequency") << 300.0 << " " << false;
    QTest::newRow("unknown frequency") << 300.0 << "Fortnightly" << false;
}

void TestBudgetAnalysis::budgetNotSet()
{
    QFETCH(double, amount);
    QFETCH(QString, frequency);
    QFETCH(bool, set);
    ReportsFile f;
    const int payee = f.addPayee(QStringLiteral("Shop"), amount, frequency);
    QCOMPARE(BudgetIsSet(f.db(), ReportItemKind::Payees, payee), set);
    f.addRow(f.addAccount(QStringLiteral("Cash")), QDate(2024, 1, 1), payee, 1, -5);
    const QList<BudgetPoint> points = BudgetByDay(f.db(), ReportItemKind::Payees, payee, AllDates);
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].budget.isZero(), !set);
}

void TestBudgetAnalysis::categoriesReadTheirOwnBudget()
{
    ReportsFile f;
    // A payee and a category with the same identifier and different budgets.
    const int payee = f.addPayee(QStringLiteral("Shop"), 70, QStringLiteral("Weekly"));
    const int category = f.addCategory(QStringLiteral("Food"), 14, QStringLiteral("2 Weeks"));
    QCOMPARE(payee, category);
    const int cash = f.addAccount(QStringLiteral("Cash"));
    f.addRow(cash, QDate(2024, 1, 1), 1, category, -3);
    f.addRow(cash, QDate(2024, 1, 2), payee, 1, -4);
    QCOMPARE(BudgetItemId(f.db(), ReportItemKind::Categories, QStringLiteral("food")), category);
    QCOMPARE(pointTexts(BudgetByDay(f.db(), ReportItemKind::Categories, category, AllDates)),
             QStringList{"01/01/2024 3.00/1.00"});
    QCOMPARE(pointTexts(BudgetByDay(f.db(), ReportItemKind::Payees, payee, AllDates)),
             QStringList{"02/01/2024 4.00/10.00"});
}

QTEST_GUILESS_MAIN(TestBudgetAnalysis)
#include "tst_budgetanalysis.moc"
