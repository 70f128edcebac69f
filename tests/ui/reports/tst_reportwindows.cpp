#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/reports/accountsummarywindow.h"
#include "ui/reports/daterangeedits.h"
#include "ui/reports/dateselect.h"
#include "ui/reports/graphbudget.h"
#include "ui/reports/graphreports.h"
#include "ui/reports/barlistview.h"
#include "ui/widgets/pubstrgrid.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Rows written straight into the tables; amounts in whole units.
class ReportsData : public TestDataFile
{
public:
    int add(const QString &sql, const QVariantList &values)
    {
        SqlStatement insert(db(), sql);
        for (int i = 0; i < values.size(); ++i)
            insert.bind(QStringLiteral(":v%1").arg(i), values[i]);
        insert.exec();
        return int(insert.lastInsertId());
    }
    int account(const QString &name)
    {
        return add(QStringLiteral("INSERT INTO tbAccount (AccountDescription, CurrencyID) VALUES (:v0, 1)"), {name});
    }
    int payee(const QString &name, double budget = 0, const QString &frequency = QStringLiteral(" "))
    {
        return add(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:v0, 'Expense', :v1, :v2)"),
                   {name, qint64(qRound64(budget * 10000)), frequency});
    }
    int category(const QString &name)
    {
        return add(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency)"
                                  " VALUES (:v0, 'Expense', 0, ' ')"), {name});
    }
    void row(int account, const QDate &date, int payee, int category, double amount, double rate = 1.0)
    {
        add(QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount, CategoryId, AccountId,"
                           " CurrencyID, CurrencyRate, Status) VALUES (:v0, :v1, :v2, :v3, :v4, 1, :v5, ' ')"),
            {date, payee, qint64(qRound64(amount * 10000)), category, account, rate});
    }
};

QDate inYear2024() { return QDate(2024, 7, 1); }

QStringList categoriesOf(QChart *chart)
{
    for (QAbstractAxis *axis : chart->axes(Qt::Horizontal))
        if (auto *categories = qobject_cast<QBarCategoryAxis *>(axis))
            return categories->categories();
    return {};
}

QLineSeries *lineNamed(QChart *chart, const QString &name)
{
    for (QAbstractSeries *series : chart->series())
        if (series->name() == name)
            return qobject_cast<QLineSeries *>(series);
    return nullptr;
}

QList<double> yOf(QLineSeries *series)
{
    QList<double> values;
    for (const QPointF &p : series->points())
        values << p.y();
    return values;
}

} // namespace

class TestReportWindows : public QObject
{
    Q_OBJECT
private slots:
    void accountSummaryRowsAndBoldTotal();
    void accountSummaryWithoutTransactionsShowsTheNotice();
    void dateSelectStartsWithTheYearAndTellsCloseFromPreview_data();
    void dateSelectStartsWithTheYearAndTellsCloseFromPreview();
    void dateRangeNeverTurnsRound();
    void graphReportsDrawNetSumsPerPayeeOrCategory();
    void budgetWindowStartsWithNothingChosen();
    void budgetWindowDrawsActualAndBudgetLines();
};

void TestReportWindows::accountSummaryRowsAndBoldTotal()
{
    ReportsData f;
    const int cash = f.account(QStringLiteral("Cash"));
    const int euro = f.account(QStringLiteral("Euro account"));
    f.account(QStringLiteral("Unused"));
    f.row(cash, QDate(2024, 1, 1), 1, 1, 1234.5);
    f.row(euro, QDate(2024, 1, 1), 1, 1, -100, 2.0);
    TfrmAccountSummary window(f.db(), f.session.options, f.notifier);
    TPubStrGrid *grid = window.StringGridAccounts;
    const auto expectRows = [&] {
        QCOMPARE(grid->RowCount(), 4);
        QCOMPARE(grid->Rows(0), (QStringList{"Account Name", "Account Balance"}));
        QCOMPARE(grid->Rows(1), (QStringList{"  Cash", "  1,234.50"}));
        QCOMPARE(grid->Rows(2), (QStringList{"  Euro account", "  -50.00"}));
        QCOMPARE(grid->Rows(3), (QStringList{"", "  1,184.50"}));
    };
    expectRows();
    QVERIFY(!grid->isHidden());
    QVERIFY(window.lblStatus->isHidden());
    // Activated again (back from another window): the same rows, not twice.
    window.LoadSummary();
    expectRows();

    const TGridCellStyle base = grid->BaseCellStyle(1, 3, {});
    QVERIFY(grid->Model()->CellStyle(1, 3, {}, base).Font.bold());
    QVERIFY(!grid->Model()->CellStyle(1, 1, {}, base).Font.bold());
    QVERIFY(!grid->Model()->CellStyle(1, 0, gdFixed, base).Font.bold());
    QCOMPARE(grid->Model()->CellAlignment(1, 1), taRightJustify);
    QCOMPARE(grid->Model()->CellAlignment(0, 1), taLeftJustify);
}

void TestReportWindows::accountSummaryWithoutTransactionsShowsTheNotice()
{
    ReportsData f;
    f.account(QStringLiteral("Cash"));
    TfrmAccountSummary window(f.db(), f.session.options, f.notifier);
    QVERIFY(window.StringGridAccounts->isHidden());
    QVERIFY(!window.lblStatus->isHidden());
    QCOMPARE(window.lblStatus->text(), QStringLiteral("No Transactions present to calculate balance."));
}

void TestReportWindows::dateSelectStartsWithTheYearAndTellsCloseFromPreview_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("Preview") << "btnPreview" << false;
    QTest::newRow("Close") << "btnClose" << true;
}

void TestReportWindows::dateSelectStartsWithTheYearAndTellsCloseFromPreview()
{
    QFETCH(QString, button);
    QFETCH(bool, cancelled);
    TfrmDateSelect dialog(nullptr, inYear2024);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Select dates"));
    QCOMPARE(dialog.dates->dtFrom->date(), QDate(2024, 1, 1));
    QCOMPARE(dialog.dates->dtTo->date(), QDate(2024, 12, 31));
    QCOMPARE(dialog.dates->dtFrom->displayFormat(), QStringLiteral("dd/MM/yyyy"));
    dialog.findChild<QPushButton *>(button)->click();
    QCOMPARE(dialog.Cancelled, cancelled);

    const DialogHook previous = SetDialogHook([&](QDialog &shown) {
        shown.findChild<QPushButton *>(button)->click();
        return shown.result();
    });
    const std::optional<ReportDateRange> asked = AskReportDates(nullptr);
    SetDialogHook(previous);
    QCOMPARE(asked.has_value(), !cancelled);
}

void TestReportWindows::dateRangeNeverTurnsRound()
{
    TfrmDateSelect dialog(nullptr, inYear2024);
    QDateEdit *from = dialog.dates->dtFrom;
    QDateEdit *to = dialog.dates->dtTo;
    from->setDate(QDate(2025, 3, 1));
    QCOMPARE(from->date(), QDate(2024, 12, 31));
    to->setDate(QDate(2023, 5, 5));
    QCOMPARE(to->date(), QDate(2024, 12, 31));
    from->setDate(QDate(2024, 6, 1));
    to->setDate(QDate(2024, 5, 1));
    QCOMPARE(to->date(), QDate(2024, 6, 1));
    QVERIFY(dialog.range().limits());
}

void TestReportWindows::graphReportsDrawNetSumsPerPayeeOrCategory()
{
    ReportsData f;
    const int cash = f.account(QStringLiteral("Cash"));
    const int shop = f.payee(QStringLiteral("Shop"));
    const int boss = f.payee(QStringLiteral("Boss"));
    const int food = f.category(QStringLiteral("Food"));
    f.row(cash, QDate(2024, 2, 1), shop, food, -80);
    f.row(cash, QDate(2024, 2, 2), shop, food, 30);
    f.row(cash, QDate(2024, 2, 3), boss, 1, 500);
    f.row(cash, QDate(2024, 2, 4), 1, food, -10, 2.0);
    f.row(cash, QDate(2023, 12, 31), boss, 1, 7);
    TfrmGraphReports window(f.db(), f.notifier, nullptr, inYear2024);
    auto bars = [&window] {
        QStringList texts;
        for (const ChartPoint &p : window.Chart1->chart().groups.value(0).points)
            texts << p.label + u'=' + p.value.toPlainText(2);
        return texts;
    };
    QCOMPARE(window.Chart1->chart().title, QStringLiteral("Payee Income vs Expenses"));
    QCOMPARE(bars(), (QStringList{"Shop=-50.00", "(Payee name not set)=-5.00", "Boss=500.00"}));

    window.rdCategories->click();
    QCOMPARE(window.Chart1->chart().title, QStringLiteral("Category Income vs Expenses"));
    QCOMPARE(bars(), (QStringList{"Food=-55.00", "(Category name not set)=500.00"}));

    window.dates->dtFrom->setDate(QDate(2023, 1, 1));
    QCOMPARE(bars(), (QStringList{"Food=-55.00", "(Category name not set)=507.00"}));
}

void TestReportWindows::budgetWindowStartsWithNothingChosen()
{
    ReportsData f;
    const int cash = f.account(QStringLiteral("Cash"));
    f.payee(QStringLiteral("Landlord"), 300, QStringLiteral("Monthly"));
    // A transaction without a payee: nothing chosen must not show it.
    f.row(cash, QDate(2024, 3, 3), 1, 1, -5);
    TfrmGraphBudget window(f.db(), f.notifier, nullptr, inYear2024);
    QCOMPARE(window.windowTitle(), QStringLiteral("Budgets"));
    QCOMPARE(window.cmbLists->currentIndex(), -1);
    QCOMPARE(window.cmbLists->count(), 1);
    QVERIFY(!window.lblNoTransactions->isHidden());
    QCOMPARE(window.lblNoTransactions->text(), QStringLiteral("No Transactions available for the above dates"));
    QVERIFY(window.chartView->isHidden());
    QVERIFY(window.lblBudgetNotSet->isHidden());
}

void TestReportWindows::budgetWindowDrawsActualAndBudgetLines()
{
    ReportsData f;
    const int cash = f.account(QStringLiteral("Cash"));
    const int landlord = f.payee(QStringLiteral("Landlord"), 300, QStringLiteral("Monthly"));
    const int shop = f.payee(QStringLiteral("Shop"));
    f.row(cash, QDate(2024, 1, 5), landlord, 1, -20);
    f.row(cash, QDate(2024, 1, 9), landlord, 1, -30);
    f.row(cash, QDate(2024, 2, 9), landlord, 1, 50);
    f.row(cash, QDate(2024, 2, 10), shop, 1, -1);
    TfrmGraphBudget window(f.db(), f.notifier, nullptr, inYear2024);
    window.cmbLists->setCurrentIndex(window.cmbLists->findText(QStringLiteral("Landlord")));
    QVERIFY(window.lblNoTransactions->isHidden());
    QVERIFY(!window.chartView->isHidden());
    QVERIFY(window.lblBudgetNotSet->isHidden());
    QLineSeries *actual = lineNamed(window.Chart1, QStringLiteral("Actual"));
    QLineSeries *budget = lineNamed(window.Chart1, QStringLiteral("Budget"));
    QVERIFY(actual && budget);
    QCOMPARE(actual->color(), QColor(255, 0, 0));
    QCOMPARE(budget->color(), QColor(0, 255, 0));
    QCOMPARE(actual->pen().width(), 3);
    QCOMPARE(yOf(actual), (QList<double>{20, 30, -50}));
    QCOMPARE(yOf(budget), (QList<double>{10, 10, 10}));
    QCOMPARE(categoriesOf(window.Chart1), (QStringList{"05/01/2024", "09/01/2024", "09/02/2024"}));

    window.chkGroupByMonth->click();
    actual = lineNamed(window.Chart1, QStringLiteral("Actual"));
    budget = lineNamed(window.Chart1, QStringLiteral("Budget"));
    QVERIFY(actual && budget);
    QCOMPARE(yOf(actual), (QList<double>{50, -50}));
    QCOMPARE(yOf(budget), (QList<double>{310, 290}));
    QCOMPARE(categoriesOf(window.Chart1), (QStringList{"Jan-2024", "Feb-2024"}));

    window.chkGroupByMonth->click();
    window.cmbLists->setCurrentIndex(window.cmbLists->findText(QStringLiteral("Shop")));
    QVERIFY(!window.lblBudgetNotSet->isHidden());
    window.dates->dtTo->setDate(QDate(2024, 1, 31));
    QVERIFY(!window.lblNoTransactions->isHidden());
    QVERIFY(window.chartView->isHidden());
}

QTEST_MAIN(TestReportWindows)
#include "tst_reportwindows.moc"
