#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/reports/incomeexpensechartprint.h"
#include "ui/reports/barlist.h"
#include "ui/reports/totalsreportprint.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

namespace {

const ReportDateRange Year2024{QDate(2024, 1, 1), QDate(2024, 12, 31)};

// The text of a PDF file, page by page (pages end with a form feed).
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void addPayments(TestDataFile &f, const QList<QPair<QString, double>> &payments, const QDate &date)
{
    SqlStatement account(f.db(), QStringLiteral("INSERT INTO tbAccount (AccountDescription, CurrencyID) VALUES ('Cash', 1)"));
    account.exec();
    const qint64 accountId = account.lastInsertId();
    for (const auto &[name, amount] : payments) {
        SqlStatement payee(f.db(), QStringLiteral("SELECT PayeeId FROM tbPayee WHERE PayeeName = :n"));
        payee.bind(QStringLiteral(":n"), name).exec();
        qint64 payeeId = 0;
        if (payee.next()) {
            payeeId = payee.value(0).toLongLong();
        } else {
            SqlStatement insert(f.db(), QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency)"
                                                       " VALUES (:n, 'Expense', 0, ' ')"));
            insert.bind(QStringLiteral(":n"), name).exec();
            payeeId = insert.lastInsertId();
        }
        SqlStatement row(f.db(), QStringLiteral("INSERT INTO tbTransactions (TransactionDate, PayeeId, Amount,"
                                                " CategoryId, AccountId, CurrencyID, CurrencyRate, Status)"
                                                " VALUES (:d, :p, :a, 1, :acc, 1, 1.0, ' ')"));
        row.bind(QStringLiteral(":d"), date).bind(QStringLiteral(":p"), payeeId)
           .bind(QStringLiteral(":a"), qint64(qRound64(amount * 10000))).bind(QStringLiteral(":acc"), accountId).exec();
    }
}

// Answers every dialog shown: the date dialog with the named button, any other
// (the print preview) by closing it; records the class of each.
struct DialogScript
{
    explicit DialogScript(const char *dateButton)
    {
        previous = SetDialogHook([this, dateButton](QDialog &dialog) {
            shown << QString::fromLatin1(dialog.metaObject()->className());
            if (onShown)
                onShown();
            if (auto *button = dialog.findChild<QPushButton *>(QLatin1String(dateButton))) {
                button->click();
                return dialog.result();
            }
            return int(QDialog::Rejected);
        });
    }
    ~DialogScript() { SetDialogHook(previous); }
    QStringList shown;
    std::function<void()> onShown;
    DialogHook previous;
};

} // namespace

class TestPrintedReports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void totalsReportPrintsTitlesLinesAndPageNumbers_data();
    void totalsReportPrintsTitlesLinesAndPageNumbers();
    void totalsOfARangeWithoutTransactionsPrintOneLineSayingSo();
    void printingAgainProducesEveryLineAgain();
    void chartReportPrintsTheChartOnOnePage();
    void longChartContinuesOnFurtherPages();
    void previewsOpenOnlyAfterPreviewIsChosen_data();
    void previewsOpenOnlyAfterPreviewIsChosen();
    void chartItemsAreDisabledWhileTheChartIsPreviewed();
};

void TestPrintedReports::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QFAIL("pdftotext (poppler-utils) is needed to read the printed reports back");
}

void TestPrintedReports::totalsReportPrintsTitlesLinesAndPageNumbers_data()
{
    // How many pages a long list takes depends on the fonts installed, so the
    // long case only asks for more than one page.
    QTest::addColumn<int>("payees");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("one page") << 3 << false;
    QTest::newRow("several pages") << 120 << true;
}

void TestPrintedReports::totalsReportPrintsTitlesLinesAndPageNumbers()
{
    QFETCH(int, payees);
    QFETCH(bool, severalPages);
    TestDataFile f;
    QList<QPair<QString, double>> payments{{QStringLiteral("Shop"), -100}, {QStringLiteral("Shop"), -30},
                                           {QStringLiteral("Shop"), 20}, {QStringLiteral("Employer"), 1234.5},
                                           {QStringLiteral("Friend"), -40}, {QStringLiteral("Friend"), 40}};
    for (int i = 3; i < payees; ++i)
        payments.append({QStringLiteral("Payee %1").arg(i, 3, 10, QLatin1Char('0')), -1});
    addPayments(f, payments, QDate(2024, 5, 5));
    TrptIncomeExpenseText report(BuildTotalsList(f.db(), ReportItemKind::Payees, Year2024, 2),
                                 ReportItemKind::Payees, Year2024);
    const QString pdf = f.filePath(QStringLiteral("totals.pdf"));
    const int pages = report.engine().PrintToPdf(pdf);
    if (severalPages)
        QVERIFY2(pages > 1, qPrintable(QString::number(pages)));
    else
        QCOMPARE(pages, 1);
    const QStringList pageTexts = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pageTexts.size(), pages);
    QVERIFY(pageTexts[0].contains(QStringLiteral("Payee transactions list (All accounts)")));
    for (int page = 0; page < pages; ++page) {
        const QString &text = pageTexts[page];
        QVERIFY2(text.contains(QStringLiteral("Payee transactions from 01/01/2024 to 31/12/2024")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Receive +")));
        QVERIFY(text.contains(QStringLiteral("Tillbrook - ")));
        QVERIFY2(text.trimmed().endsWith(QString::number(page + 1)), qPrintable(text.right(80)));
    }
    const QString all = pageTexts.join(u' ').simplified();
    QVERIFY2(all.contains(QStringLiteral("Employer 1,234.50")), qPrintable(all.left(400)));
    QVERIFY(all.contains(QStringLiteral("Friend (Settled)")));
    QVERIFY(all.contains(QStringLiteral("Shop 110.00")));
    for (int i = 3; i < payees; ++i) {
        const QString line = QStringLiteral("Payee %1 1.00").arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY2(all.count(line) == 1, qPrintable(line));
    }
}

void TestPrintedReports::totalsOfARangeWithoutTransactionsPrintOneLineSayingSo()
{
    TestDataFile f;
    addPayments(f, {{QStringLiteral("Shop"), -5}}, QDate(2020, 1, 1));
    TrptIncomeExpenseText report(BuildTotalsList(f.db(), ReportItemKind::Categories, Year2024, 2),
                                 ReportItemKind::Categories, Year2024);
    const QString pdf = f.filePath(QStringLiteral("empty.pdf"));
    QCOMPARE(report.engine().PrintToPdf(pdf), 1);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("No transactions from 01/01/2024 to 31/12/2024.")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("name not set")));
    QVERIFY(text.contains(QStringLiteral("Category transactions list (All accounts)")));
}

void TestPrintedReports::printingAgainProducesEveryLineAgain()
{
    TrptIncomeExpenseText report({{"A", "1.00", ""}, {"B", "", "2.00"}}, ReportItemKind::Payees, Year2024);
    for (int run = 0; run < 2; ++run) {
        report.Rewind();
        QStringList cells;
        QVERIFY(report.NextLine(cells));
        QCOMPARE(cells, (QStringList{"A", "1.00", ""}));
        QVERIFY(report.NextLine(cells));
        QCOMPARE(cells, (QStringList{"B", "", "2.00"}));
        QVERIFY(!report.NextLine(cells));
    }
}

void TestPrintedReports::chartReportPrintsTheChartOnOnePage()
{
    TestDataFile f;
    Trptincomeexpense report(ReportItemKind::Categories, Year2024,
                             {{"Rent", Money::fromUnits(-9000000)}, {"Food", Money::fromUnits(-3500000)}},
                             {{"Salary", Money::fromUnits(20000000)}});
    const BarListChart &chart = report.chart();
    QCOMPARE(chart.title, QStringLiteral("Income vs  Expenditure"));
    QCOMPARE(chart.groups.size(), 2);
    QCOMPARE(chart.groups[0].heading, QStringLiteral("Expense"));
    QCOMPARE(chart.groups[0].color, QColor(255, 128, 128));
    QCOMPARE(chart.groups[1].heading, QStringLiteral("Income"));
    QCOMPARE(chart.groups[1].color, QColor(0, 128, 0));
    // Each bar stands with its own item: no expense is paired with an unrelated income.
    QCOMPARE(chart.groups[0].points.size(), 2);
    QCOMPARE(chart.groups[1].points.size(), 1);

    const QString pdf = f.filePath(QStringLiteral("chart.pdf"));
    QCOMPARE(report.engine().PrintToPdf(pdf), 1);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral(
                 "All accounts - Categories Incomes vs Expenses transactions from 01/01/2024 to 31/12/2024")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Expenditure")));
    // Labels and values side by side, whole.
    for (const QString &line : {QStringLiteral("Rent"), QStringLiteral("Food"), QStringLiteral("Salary"),
                                QStringLiteral("-900.00"), QStringLiteral("-350.00"), QStringLiteral("2,000.00")})
        QVERIFY2(text.contains(line), qPrintable(line));
    QVERIFY(text.trimmed().endsWith(u'1'));
}

// 150 items, two of them without a name: every label and every value is printed whole,
// once, and the chart goes on over further pages rather than squeezing its bars.
void TestPrintedReports::longChartContinuesOnFurtherPages()
{
    TestDataFile f;
    QList<ChartPoint> expense;
    for (int i = 0; i < 150; ++i)
        expense.append({i < 2 ? QStringLiteral("(Payee name not set)") : QStringLiteral("Item %1 of the list").arg(i),
                        Money::fromUnits(-qint64(i + 1) * 1234567)});
    Trptincomeexpense report(ReportItemKind::Payees, Year2024, expense, {});
    const QString pdf = f.filePath(QStringLiteral("long.pdf"));
    const int pages = report.engine().PrintToPdf(pdf);
    QVERIFY2(pages > 2, qPrintable(QString::number(pages)));
    const QString text = pdfText(pdf);
    QCOMPARE(text.count(QStringLiteral("(Payee name not set)")), 2);
    for (int i = 2; i < 150; ++i) {
        const QString label = QStringLiteral("Item %1 of the list").arg(i);
        QVERIFY2(text.count(label + u' ') + text.count(label + u'\n') == 1, qPrintable(label));
        QVERIFY2(text.contains(Money::fromUnits(-qint64(i + 1) * 1234567).toGroupedText(2)), qPrintable(label));
    }
}

void TestPrintedReports::previewsOpenOnlyAfterPreviewIsChosen_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("Close") << "btnClose" << QStringList{"TfrmDateSelect"};
    QTest::newRow("Preview") << "btnPreview" << QStringList{"TfrmDateSelect", "QPrintPreviewDialog"};
}

void TestPrintedReports::previewsOpenOnlyAfterPreviewIsChosen()
{
    QFETCH(QString, button);
    QFETCH(QStringList, shown);
    TestDataFile f;
    const QByteArray name = button.toLatin1();
    {
        DialogScript script(name.constData());
        PreviewTotalsReport(f.session, nullptr, ReportItemKind::Payees);
        QCOMPARE(script.shown, shown);
    }
    {
        DialogScript script(name.constData());
        PreviewIncomeExpenseChart(f.session, nullptr, ReportItemKind::Categories, {});
        QCOMPARE(script.shown, shown);
    }
}

void TestPrintedReports::chartItemsAreDisabledWhileTheChartIsPreviewed()
{
    TestDataFile f;
    QAction payee(QStringLiteral("Payee Income and Expense Chart"));
    QAction category(QStringLiteral("Categories Income and Expense Chart"));
    QList<bool> enabledWhileShown;
    DialogScript script("btnPreview");
    script.onShown = [&] { enabledWhileShown << (payee.isEnabled() || category.isEnabled()); };
    PreviewIncomeExpenseChart(f.session, nullptr, ReportItemKind::Payees, {&payee, &category});
    QCOMPARE(enabledWhileShown, (QList<bool>{true, false})); // the date dialog, then the preview
    QVERIFY(payee.isEnabled());
    QVERIFY(category.isEnabled());
}

QTEST_MAIN(TestPrintedReports)
#include "tst_printedreports.moc"
