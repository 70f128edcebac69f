#include "core/base/texthelpers.h"
#include "support/testdata.h"
#include "support/testdatafile.h"
#include "support/scripteddialogs.h"
#include "ui/register/registergrid.h"
#include "ui/reports/reportcentre.h"
#include "ui/reports/transactionreport.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTest>

namespace {

const int Year = QDate::currentDate().year();

QString day(int month, int dayOfMonth, int year = Year)
{
    return QDate(year, month, dayOfMonth).toString(Qt::ISODate);
}

// The text pdftotext reads from a PDF file.
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// The report centre on a small file: accounts Current and Savings, payees Grocer and
// Employer, rows last year, this year and next year.
class TestReportCentre : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void defaultsOnOpening();
    void filtersStayWhenFocusComesBack();
    void filtersReload_data();
    void filtersReload();
    void longListKeepsOrderAndBalances();
    void listedCells_data();
    void listedCells();
    void columnsFitTheWidestText_data();
    void columnsFitTheWidestText();
    void nothingMatchingShowsTheLabel();
    void dateCorrection_data();
    void dateCorrection();
    void search_data();
    void search();
    void previewShowsThePageTitle_data();
    void previewShowsThePageTitle();
    void printedReportHasTheRows_data();
    void printedReportHasTheRows();
    void longNoteWrapsOnThePage();

private:
    void addRow(int account, const QString &date, qint64 units, int payee, const QString &note);
    QStringList column(int col) const;
    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<TfrmReportCentre> m_window;
};

void TestReportCentre::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));   // 2
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Employer', 'Income', 0, ' ')"));  // 3
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')")); // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Current', 'Bank', 1)"));  // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Savings', 'Bank', 1)"));  // 2
    addRow(1, day(12, 31, Year - 1), 1000000, 3, QStringLiteral("old pay"));   // 1: 100.00 before the year
    addRow(1, day(3, 10), -125050, 2, QStringLiteral("weekly shop"));         // 2: 12.505 paid
    addRow(1, day(2, 1), 20000000, 3, QStringLiteral("Salary February"));     // 3: 2,000.00
    addRow(2, day(2, 1), 50000, 3, QStringLiteral("interest"));               // 4: other account
    addRow(1, day(3, 10), -40000, 2, QStringLiteral("Weekly shop extra"));    // 5: same day as 2
    addRow(1, day(1, 1, Year + 1), -10000, 2, QStringLiteral("next year"));   // 6
    m_window = std::make_unique<TfrmReportCentre>(f.session, QStringLiteral("Current"));
}

void TestReportCentre::cleanup()
{
    m_window.reset();
    m_file.reset();
}

void TestReportCentre::addRow(int account, const QString &date, qint64 units, int payee, const QString &note)
{
    m_file->exec(QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
        " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " VALUES (1, '%1', %2, %3, '%4', 2, %5, 0, '', 0, 1, 1.0, 'C')")
        .arg(date).arg(payee).arg(units).arg(note).arg(account));
}

QStringList TestReportCentre::column(int col) const
{
    QStringList texts;
    const TPubStrGrid *grid = m_window->strGridTransactions();
    for (int row = 1; row < grid->RowCount(); ++row)
        texts << grid->Cells(col, row);
    return texts;
}

void TestReportCentre::defaultsOnOpening()
{
    TfrmReportCentre &w = *m_window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Report Centre"));
    QCOMPARE(w.cmbColNames()->count(), 10);
    QCOMPARE(w.cmbColNames()->currentText(), QStringLiteral("Date"));
    w.FormActivate();

    QCOMPARE(w.cmbAccount()->currentText(), QStringLiteral("Current"));
    QCOMPARE(w.cmbPayee()->currentText(), QStringLiteral("<ALL>"));
    QCOMPARE(w.cmbPayee()->itemText(0), QStringLiteral("<ALL>"));
    QCOMPARE(w.cmbCategory()->currentText(), QStringLiteral("<ALL>"));
    QCOMPARE(w.dtFrom()->date(), QDate(Year, 1, 1));
    QCOMPARE(w.dtTo()->date(), QDate(Year, 12, 31));
    QCOMPARE(w.dtFrom()->displayFormat(), QStringLiteral("dd/MM/yyyy"));

    // This year's rows of Current by date, ties by number, from last year's balance.
    QCOMPARE(column(RegisterGrid::ColNumber), (QStringList{"3", "2", "5"}));
    QCOMPARE(column(RegisterGrid::ColDate), (QStringList{DateToText(QDate(Year, 2, 1)),
                                                          DateToText(QDate(Year, 3, 10)),
                                                          DateToText(QDate(Year, 3, 10))}));
    QCOMPARE(column(RegisterGrid::ColPay), (QStringList{"", "12.51", "4.00"}));
    QCOMPARE(column(RegisterGrid::ColReceive), (QStringList{"2,000.00", "", ""}));
    QCOMPARE(column(RegisterGrid::ColBalance), (QStringList{"2,100.00", "2,087.50", "2,083.50"}));
    QCOMPARE(w.strGridTransactions()->Cells(RegisterGrid::ColPay, 0), QStringLiteral("Pay - "));
    QVERIFY(!w.strGridTransactions()->isHidden());

    // Colours alternate cream and pale green on the data rows; amounts are right-aligned.
    StringTableModel &model = *w.strGridTransactions()->Model();
    QCOMPARE(model.CellStyle(2, 1, {}, {}).Brush.color(), QColor(255, 251, 240));
    QCOMPARE(model.CellStyle(2, 2, {}, {}).Brush.color(), QColor(192, 220, 192));
    QCOMPARE(model.CellAlignment(RegisterGrid::ColBalance, 1), taRightJustify);
    QCOMPARE(model.CellAlignment(RegisterGrid::ColStatus, 1), taLeftJustify);
}

// The filters are set once, when the window is first shown. Focus leaving and coming
// back (a message box, another window) keeps the user's choice and the listed rows.
void TestReportCentre::filtersStayWhenFocusComesBack()
{
    TfrmReportCentre &w = *m_window;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.cmbAccount()->currentText(), QStringLiteral("Current"));
    QCOMPARE(column(0), (QStringList{"3", "2", "5"}));

    w.cmbAccount()->setCurrentText(QStringLiteral("Savings"));
    w.PopulateReport();
    QCOMPARE(column(0), QStringList{"4"});

    // Another window takes the focus, as the "saved" message of an export does.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.close();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // Hidden and shown again by the program: still no reload.
    w.hide();
    w.show();
    QCoreApplication::processEvents();

    QCOMPARE(w.cmbAccount()->currentText(), QStringLiteral("Savings"));
    QCOMPARE(column(0), QStringList{"4"});
}

void TestReportCentre::filtersReload_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("firstBalance");
    QTest::newRow("payee") << "Current" << "Grocer" << QStringList{"2", "5"} << "87.50";
    QTest::newRow("every account") << "<ALL>" << "<ALL>" << QStringList{"3", "4", "2", "5"} << "2,000.00";
    QTest::newRow("other account") << "Savings" << "<ALL>" << QStringList{"4"} << "5.00";
}

void TestReportCentre::filtersReload()
{
    QFETCH(QString, account);
    QFETCH(QString, payee);
    QFETCH(QStringList, numbers);
    QFETCH(QString, firstBalance);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    w.cmbAccount()->setCurrentText(account);
    w.cmbPayee()->setCurrentIndex(w.cmbPayee()->findText(payee));
    emit w.cmbPayee()->activated(w.cmbPayee()->currentIndex());
    QCOMPARE(column(0), numbers);
    QCOMPARE(column(RegisterGrid::ColBalance).first(), firstBalance);
}

void TestReportCentre::longListKeepsOrderAndBalances()
{
    // Long lists are filled in batches: every row must arrive once, in order, with
    // its own balance, also across the batch edges.
    constexpr int Bulk = 10000;
    m_file->exec(QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
        " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
        " SELECT 1, '%2', 2, -100, 'bulk ' || i, 2, 1, 0, '', 0, 1, 1.0, 'C' FROM n")
        .arg(Bulk).arg(day(6, 15)));
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    const QStringList numbers = column(RegisterGrid::ColNumber);
    QCOMPARE(numbers.size(), 3 + Bulk);
    QCOMPARE(numbers.mid(0, 3), (QStringList{"3", "2", "5"}));
    for (int i = 3; i < numbers.size(); ++i)
        QCOMPARE(numbers.at(i).toInt(), 7 + i - 3);
    const QStringList balances = column(RegisterGrid::ColBalance);
    QCOMPARE(balances.at(3), QStringLiteral("2,083.49"));
    QCOMPARE(balances.at(4096 + 3), QStringLiteral("2,042.53"));
    QCOMPARE(balances.last(), QStringLiteral("1,983.50"));
    QCOMPARE(column(RegisterGrid::ColNote).last(), QStringLiteral("bulk %1").arg(Bulk));
}

void TestReportCentre::listedCells_data()
{
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QStringList>("cells"); // Payee, Category, Note, C, T, Pay, Receive
    const QString cafe = QString::fromUtf8("Caf\u00e9 \u00dcber");
    const QString note = QString::fromUtf8("cr\u00e8me br\u00fbl\u00e9e \u2615");
    QTest::newRow("texts beyond ASCII")
        << cafe << note << "Void" << "" << qint64(-12345)
        << QStringList{cafe, "Food", note, "V", "", "1.23", ""};
    QTest::newRow("transfer receipt")
        << "Bank" << "to savings" << "Reconciled" << "Transfer" << qint64(990000)
        << QStringList{"Bank", "Food", "to savings", "R", "T", "", "99.00"};
    QTest::newRow("empty texts")
        << "Nobody" << QString() << QString() << QString() << qint64(0)
        << QStringList{"Nobody", "Food", "", "", "", "0.00", ""};
    QTest::newRow("separator inside a note")
        << "Grocer 2" << QStringLiteral("a\u001fb") << "Cleared" << "" << qint64(-1)
        << QStringList{"Grocer 2", "Food", "a b", "C", "", "0.00", ""};
}

// The list is filled from the query's raw row values on a second thread: each cell
// must read as the row holds it, whatever its characters.
void TestReportCentre::listedCells()
{
    QFETCH(QString, payee);
    QFETCH(QString, note);
    QFETCH(QString, status);
    QFETCH(QString, mark);
    QFETCH(qint64, units);
    QFETCH(QStringList, cells);
    TestData data(m_file->db());
    TestTransaction row;
    row.accountId = 1;
    row.date = QDate(Year, 4, 1);
    row.amount = Money::fromUnits(units);
    row.payeeId = data.payee(payee);
    row.categoryId = 2;
    row.note = note;
    row.status = status;
    row.internalDescription = mark;
    const int id = data.transaction(row);
    m_window->FormActivate();
    const int at = int(column(RegisterGrid::ColNumber).indexOf(QString::number(id)));
    QVERIFY(at >= 0);
    QStringList listed;
    for (int col = RegisterGrid::ColPayee; col <= RegisterGrid::ColReceive; ++col)
        listed << column(col).at(at);
    QCOMPARE(listed, cells);
    QCOMPARE(column(RegisterGrid::ColDate).at(at), DateToText(row.date));
}

void TestReportCentre::columnsFitTheWidestText_data()
{
    QTest::addColumn<QString>("widest");
    QTest::newRow("Latin-1") << QStringLiteral("WWWWWWWWWWWW");
    QTest::newRow("beyond Latin-1") << QString(12, QChar(0x0174)); // Ŵ
}

// Column widths are found while the rows are made, batch by batch; the widest note
// comes well after the first batch.
void TestReportCentre::columnsFitTheWidestText()
{
    QFETCH(QString, widest);
    constexpr int Bulk = 6000;
    m_file->exec(QStringLiteral(
        "INSERT INTO tbTransactions (CompanyID, TransactionDate, PayeeId, Amount, strNote, CategoryId,"
        " AccountId, LinkedTransactionID, InternalDescription, OtherAccountID, CurrencyID, CurrencyRate, Status)"
        " WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)"
        " SELECT 1, '%2', 2, -100, 'n ' || i, 2, 1, 0, '', 0, 1, 1.0, 'C' FROM n")
        .arg(Bulk).arg(day(6, 15)));
    TestData data(m_file->db());
    TestTransaction row;
    row.accountId = 1;
    row.date = QDate(Year, 11, 30);
    row.payeeId = 2;
    row.categoryId = 2;
    row.note = widest;
    data.transaction(row);
    m_window->FormActivate();

    const TPubStrGrid &grid = *m_window->strGridTransactions();
    const QFontMetrics metrics(grid.font());
    const int exact = metrics.horizontalAdvance(widest);
    // The premise: this note is the widest text of its column, and under the cap.
    QVERIFY(exact > metrics.horizontalAdvance(QStringLiteral("Weekly shop extra")));
    QVERIFY(exact + 20 < 200);
    QCOMPARE(grid.columnWidth(RegisterGrid::ColNote), exact + 20);
}

void TestReportCentre::nothingMatchingShowsTheLabel()
{
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    w.dtTo()->setDate(QDate(Year, 1, 5)); // nothing in the first days of the year
    QVERIFY(w.strGridTransactions()->isHidden());
    QCOMPARE(w.lblNoTransactions()->text(),
             QStringLiteral("No Transactions are present with the selected filter(s)."));
    // The grid keeps its header and one empty row.
    QCOMPARE(w.strGridTransactions()->RowCount(), 2);
    QCOMPARE(w.strGridTransactions()->Rows(1).join(QString()), QString());
}

void TestReportCentre::dateCorrection_data()
{
    QTest::addColumn<bool>("changeFrom");
    QTest::addColumn<QDate>("newDate");
    QTest::addColumn<QDate>("expectedFrom");
    QTest::addColumn<QDate>("expectedTo");
    QTest::addColumn<QStringList>("numbers");
    QTest::newRow("from after to is pulled back")
        << true << QDate(Year + 1, 6, 1) << QDate(Year, 12, 31) << QDate(Year, 12, 31) << QStringList{""};
    QTest::newRow("to before from is pushed forward")
        << false << QDate(Year - 1, 6, 1) << QDate(Year, 1, 1) << QDate(Year, 1, 1) << QStringList{""};
    QTest::newRow("from moved within the range")
        << true << QDate(Year, 3, 1) << QDate(Year, 3, 1) << QDate(Year, 12, 31) << QStringList{"2", "5"};
    QTest::newRow("to moved within the range")
        << false << QDate(Year, 2, 1) << QDate(Year, 1, 1) << QDate(Year, 2, 1) << QStringList{"3"};
}

void TestReportCentre::dateCorrection()
{
    QFETCH(bool, changeFrom);
    QFETCH(QDate, newDate);
    QFETCH(QDate, expectedFrom);
    QFETCH(QDate, expectedTo);
    QFETCH(QStringList, numbers);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    (changeFrom ? w.dtFrom() : w.dtTo())->setDate(newDate);
    QCOMPARE(w.dtFrom()->date(), expectedFrom);
    QCOMPARE(w.dtTo()->date(), expectedTo);
    QCOMPARE(column(0), numbers);
}

void TestReportCentre::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QStringList>("balances");
    QTest::newRow("substring, rows keep their balance")
        << "shop" << int(RegisterGrid::ColNote) << QStringList{"2", "5"} << QStringList{"2,087.50", "2,083.50"};
    QTest::newRow("case-sensitive") << "Weekly" << int(RegisterGrid::ColNote) << QStringList{"5"}
                                    << QStringList{"2,083.50"};
    QTest::newRow("lower case misses the capital") << "salary" << int(RegisterGrid::ColNote) << QStringList{}
                                                   << QStringList{};
    QTest::newRow("other column") << "Grocer" << int(RegisterGrid::ColPayee) << QStringList{"2", "5"}
                                  << QStringList{"2,087.50", "2,083.50"};
    QTest::newRow("date text") << "/02/" << int(RegisterGrid::ColDate) << QStringList{"3"}
                               << QStringList{"2,100.00"};
    QTest::newRow("empty text matches nothing") << "" << int(RegisterGrid::ColNote) << QStringList{}
                                                << QStringList{};
}

void TestReportCentre::search()
{
    QFETCH(QString, text);
    QFETCH(int, col);
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, balances);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    w.edtSearch()->setText(text);
    w.cmbColNames()->setCurrentIndex(col);
    QTest::mouseClick(w.btnSearch(), Qt::LeftButton);
    QCOMPARE(w.strGridTransactions()->RowCount(), 1 + numbers.size());
    QCOMPARE(column(0), numbers);
    QCOMPARE(column(RegisterGrid::ColBalance), balances);

    QTest::mouseClick(w.btnCancel(), Qt::LeftButton);
    QCOMPARE(column(0), (QStringList{"3", "2", "5"}));
}

void TestReportCentre::previewShowsThePageTitle_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("title");
    const QString range = QStringLiteral("transactions from 01/01/%1 to 31/12/%1").arg(Year);
    QTest::newRow("one account") << "Current" << "Current account " + range;
    QTest::newRow("every account") << "<ALL>" << "All account " + range;
}

void TestReportCentre::previewShowsThePageTitle()
{
    QFETCH(QString, account);
    QFETCH(QString, title);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    w.cmbAccount()->setCurrentText(account);
    w.PopulateReport();
    QString shownTitle;
    int pages = 0;
    ScriptedDialogs dialogs;
    dialogs.then([&](QDialog &dialog) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
        if (!preview)
            return int(QDialog::Rejected);
        shownTitle = preview->windowTitle();
        if (auto *widget = preview->findChild<QPrintPreviewWidget *>()) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(w.btnPreview(), Qt::LeftButton);
    QVERIFY(dialogs.done());
    QCOMPARE(shownTitle, title);
    QCOMPARE(pages, 1);
    QCOMPARE(w.ReportTitle(), title.section(QStringLiteral(" transactions"), 0, 0));
}

void TestReportCentre::printedReportHasTheRows_data()
{
    QTest::addColumn<QString>("search"); // empty: no search
    QTest::addColumn<QDate>("toDate");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<QStringList>("notPrinted");
    QTest::addColumn<int>("lines");
    QTest::newRow("every row in grid order")
        << "" << QDate(Year, 12, 31) << QStringList{"Salary February", "weekly shop", "Weekly shop extra"}
        << QStringList{"old pay", "next year", "interest"} << 3;
    QTest::newRow("after a search") << "Weekly" << QDate(Year, 12, 31) << QStringList{"Weekly shop extra"}
                                    << QStringList{"Salary February", "weekly shop"} << 1;
    QTest::newRow("nothing matches the filter: one empty line")
        << "" << QDate(Year, 1, 5) << QStringList{} << QStringList{"Salary February"} << 1;
    QTest::newRow("search matched nothing: no lines")
        << "nothing like this" << QDate(Year, 12, 31) << QStringList{} << QStringList{"Salary February"} << 0;
}

void TestReportCentre::printedReportHasTheRows()
{
    QFETCH(QString, search);
    QFETCH(QDate, toDate);
    QFETCH(QStringList, printed);
    QFETCH(QStringList, notPrinted);
    QFETCH(int, lines);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    w.dtTo()->setDate(toDate);
    if (!search.isEmpty()) {
        w.edtSearch()->setText(search);
        w.cmbColNames()->setCurrentIndex(RegisterGrid::ColNote);
        w.btnSearchClick();
    }
    TrptDefaultReport report(*w.strGridTransactions(), w.PageTitle(), w.ReportTitle());
    int count = 0;
    report.Rewind();
    for (QStringList cells; report.NextLine(cells); ++count)
        QCOMPARE(cells.size(), 10);
    QCOMPARE(count, lines);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(report.engine().PrintToPdf(pdf), 1);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(w.PageTitle()), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Current account")));
    QVERIFY(text.contains(QStringLiteral("Tillbrook - ")));
    // The header row is printed once, as the column header.
    QCOMPARE(text.count(QStringLiteral("Receive +")), 1);
    int at = -1;
    for (const QString &note : printed) {
        const int found = int(text.indexOf(note));
        QVERIFY2(found > at, qPrintable(note));
        at = found;
    }
    for (const QString &note : notPrinted)
        QVERIFY2(!text.contains(note), qPrintable(note));
    if (printed.contains(QStringLiteral("Weekly shop extra")))
        QVERIFY(text.contains(QStringLiteral("2,083.50")));
}

void TestReportCentre::longNoteWrapsOnThePage()
{
    const QString longNote = QStringLiteral("wrapword ").repeated(30).trimmed();
    addRow(1, day(6, 1), -100, 2, longNote);
    TfrmReportCentre &w = *m_window;
    w.FormActivate();
    TrptDefaultReport report(*w.strGridTransactions(), w.PageTitle(), w.ReportTitle());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    report.engine().PrintToPdf(pdf);
    const QStringList lines = pdfText(pdf).split(u'\n');
    int linesWithNote = 0;
    for (const QString &line : lines)
        linesWithNote += line.contains(QStringLiteral("wrapword")) ? 1 : 0;
    QVERIFY2(linesWithNote > 2, qPrintable(QString::number(linesWithNote)));
    QCOMPARE(pdfText(pdf).count(QStringLiteral("wrapword")), 30);
}

QTEST_MAIN(TestReportCentre)
#include "tst_reportcentre.moc"
