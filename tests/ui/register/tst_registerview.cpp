#include "core/store/transactionstore.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/messagebar.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registergrid.h"
#include "core/register/registerquery.h"
#include "ui/register/registertoolbar.h"
#include "ui/register/registerview.h"
#include "support/testdatafile.h"
#include "ui/widgets/pubstrgrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

// The register on a real data file, offscreen. The entry panel is an empty stand-in
// here, so the checks are on the grid, the balances and the labels.
class TestRegisterView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void runningBalanceExample();
    void sameDateListedInNumberOrder();
    void voidStillCounts();
    void zeroDecimalsSumStoredAmounts();
    void cellTexts();
    void emptyMonthShowsLabel();
    void columnFitting();
    void columnsFollowTheWidth();
    void coloursAndAlignment();
    void browseControlsAndWidth();
    void unknownAccountIsEmpty();
    void stepAcrossYearLoadsThatMonth();
    void loadSelectsLastRow();
    void clickSelectsRowExceptInNewMode();
    void addUpdateRemoveKeepBalances();
    void refreshLookupsSelectsDefaultAccountWithoutLoading();
    void accountChangeLoads();
    void filteredModeOnAnotherGrid();
    void failedLoadLeavesTheRegisterUsable();
    void barMessageGoesToTheBar();
    void newAccountButtonAsksForTheDialog();

private:
    int add(const QString &account, const QDate &date, const QString &amount,
            const QString &status = QStringLiteral(" "), const QString &payee = QStringLiteral("Grocer"));
    QString cell(int col, int row) const { return m_view->registerGrid().cell(col, row); }
    QStringList column(int col) const;

    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<RegisterView> m_view;
};

void TestRegisterView::init()
{
    m_file = std::make_unique<TestDataFile>();
    m_file->exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));
    m_file->exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Employer', 'Income', 0, ' ')"));
    m_file->exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));
    m_file->exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Bank', 1)"));
    m_file->exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Cash', 'Cash', 1)"));
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=1"));
    m_view = std::make_unique<RegisterView>(m_file->session);
    m_view->resize(900, 600);
    m_view->show();
    m_view->RefreshLookups();
}

void TestRegisterView::cleanup()
{
    m_view.reset();
    m_file.reset();
}

int TestRegisterView::add(const QString &account, const QDate &date, const QString &amount,
                          const QString &status, const QString &payee)
{
    TTransaction t;
    t.TransactionDate = date;
    t.PayeeName = payee;
    t.CategoryDescription = QStringLiteral("Food");
    t.strNote = QStringLiteral("note");
    t.Amount = *Money::fromText(amount);
    t.AccountDescription = account;
    t.Status = status;
    return InsertTransaction(m_file->db(), t);
}

QStringList TestRegisterView::column(int col) const
{
    QStringList texts;
    for (int row = 1; row <= m_view->registerRowCount(); ++row)
        texts.append(cell(col, row));
    return texts;
}

void TestRegisterView::runningBalanceExample()
{
    add(QStringLiteral("Bank"), QDate(2024, 1, 15), QStringLiteral("60"));
    add(QStringLiteral("Bank"), QDate(2024, 2, 29), QStringLiteral("40"));
    add(QStringLiteral("Bank"), QDate(2024, 3, 2), QStringLiteral("10"));
    add(QStringLiteral("Bank"), QDate(2024, 3, 9), QStringLiteral("-4"));
    add(QStringLiteral("Bank"), QDate(2024, 3, 31), QStringLiteral("-2.5"));
    add(QStringLiteral("Bank"), QDate(2024, 4, 1), QStringLiteral("1000"));  // a later month
    add(QStringLiteral("Cash"), QDate(2024, 2, 1), QStringLiteral("7"));     // another account

    m_view->ShowMonth(3, 2024);
    QCOMPARE(m_view->registerRowCount(), 3);
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("110.00"), QStringLiteral("106.00"), QStringLiteral("103.50")}));
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ 1,103.50"));
}

void TestRegisterView::sameDateListedInNumberOrder()
{
    const int first = add(QStringLiteral("Bank"), QDate(2024, 5, 20), QStringLiteral("-1"));
    const int early = add(QStringLiteral("Bank"), QDate(2024, 5, 3), QStringLiteral("-2"));
    const int second = add(QStringLiteral("Bank"), QDate(2024, 5, 20), QStringLiteral("-3"));
    m_view->ShowMonth(5, 2024);
    QCOMPARE(column(RegisterGrid::ColNumber),
             (QStringList{QString::number(early), QString::number(first), QString::number(second)}));
}

void TestRegisterView::voidStillCounts()
{
    add(QStringLiteral("Bank"), QDate(2024, 6, 1), QStringLiteral("50"));
    add(QStringLiteral("Bank"), QDate(2024, 6, 2), QStringLiteral("-20"), QStringLiteral("Void"));
    add(QStringLiteral("Bank"), QDate(2024, 6, 3), QStringLiteral("-5"), QStringLiteral("Reconciled"));
    m_view->ShowMonth(6, 2024);
    QCOMPARE(column(RegisterGrid::ColStatus),
             (QStringList{QStringLiteral(" "), QStringLiteral("V"), QStringLiteral("R")}));
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("50.00"), QStringLiteral("30.00"), QStringLiteral("25.00")}));
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ 25.00"));
}

void TestRegisterView::zeroDecimalsSumStoredAmounts()
{
    m_file->session.options.setDecimalDigits(0);
    add(QStringLiteral("Bank"), QDate(2024, 7, 1), QStringLiteral("0.40"));
    add(QStringLiteral("Bank"), QDate(2024, 7, 2), QStringLiteral("0.40"));
    add(QStringLiteral("Bank"), QDate(2024, 7, 3), QStringLiteral("0.40"));
    m_view->ShowMonth(7, 2024);
    // Each receipt shows as "0"; the balance is still that of the stored amounts.
    QCOMPARE(column(RegisterGrid::ColReceive),
             (QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ 1"));
    // The same after a save's refresh, which recomputes over the rows in the grid.
    QVERIFY(m_view->registerGrid().grid()->SetCell(RegisterGrid::ColBalance, 3, QString()));
    m_view->RefreshBalances();
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")}));
}

void TestRegisterView::cellTexts()
{
    const int zero = add(QStringLiteral("Bank"), QDate(2024, 8, 1), QStringLiteral("0"));
    add(QStringLiteral("Bank"), QDate(2024, 8, 2), QStringLiteral("1234.5"), QStringLiteral("Cleared"),
        QStringLiteral("Employer"));
    m_view->ShowMonth(8, 2024);
    QCOMPARE(m_view->registerGrid().cell(0, 0), QStringLiteral("Number"));
    QCOMPARE(m_view->registerGrid().cell(9, 0), QStringLiteral("Balance "));
    QCOMPARE(cell(RegisterGrid::ColNumber, 1), QString::number(zero));
    QCOMPARE(cell(RegisterGrid::ColDate, 1), QStringLiteral("01/08/2024"));
    QCOMPARE(cell(RegisterGrid::ColPayee, 1), QStringLiteral("Grocer"));
    QCOMPARE(cell(RegisterGrid::ColCategory, 1), QStringLiteral("Food"));
    QCOMPARE(cell(RegisterGrid::ColNote, 1), QStringLiteral("note"));
    QCOMPARE(cell(RegisterGrid::ColTransfer, 1), QString());
    // A zero amount counts as paid.
    QCOMPARE(cell(RegisterGrid::ColPay, 1), QStringLiteral("0.00"));
    QCOMPARE(cell(RegisterGrid::ColReceive, 1), QString());
    QCOMPARE(cell(RegisterGrid::ColPay, 2), QString());
    QCOMPARE(cell(RegisterGrid::ColReceive, 2), QStringLiteral("1,234.50"));
    QCOMPARE(cell(RegisterGrid::ColStatus, 2), QStringLiteral("C"));
    QCOMPARE(cell(RegisterGrid::ColBalance, 2), QStringLiteral("1,234.50"));
}

void TestRegisterView::emptyMonthShowsLabel()
{
    add(QStringLiteral("Bank"), QDate(2024, 9, 10), QStringLiteral("-1"));
    m_view->ShowMonth(9, 2024);
    QVERIFY(m_view->strGridTransactions()->isVisible());
    QVERIFY(!m_view->lblNoTransactions()->isVisible());
    QVERIFY(m_view->tbUserOptions()->tbEdit()->isEnabled());
    QVERIFY(m_view->tbUserOptions()->tbDelete()->isEnabled());

    m_view->ShowMonth(10, 2024);
    QCOMPARE(m_view->registerRowCount(), 0);
    QVERIFY(!m_view->strGridTransactions()->isVisible());
    QVERIFY(m_view->lblNoTransactions()->isVisible());
    QCOMPARE(m_view->lblNoTransactions()->text(),
             QStringLiteral("No Transactions are present in this account or during this month."));
    QVERIFY(!m_view->tbUserOptions()->tbEdit()->isEnabled());
    QVERIFY(!m_view->tbUserOptions()->tbDelete()->isEnabled());
    QCOMPARE(m_view->registerState().SelectedTransactionId, -1);
    // The account balance still counts the other month.
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ -1.00"));
}

void TestRegisterView::columnFitting()
{
    add(QStringLiteral("Bank"), QDate(2024, 9, 1), QStringLiteral("-1"));
    add(QStringLiteral("Bank"), QDate(2024, 9, 2), QStringLiteral("123456.78"));
    m_file->exec(QStringLiteral("UPDATE tbTransactions SET strNote='%1'").arg(QString(120, u'W')));
    m_view->ShowMonth(9, 2024);
    TPubStrGrid *grid = m_view->strGridTransactions();
    QCOMPARE(grid->ColWidths(RegisterGrid::ColPay), grid->ColWidths(RegisterGrid::ColReceive));
    QVERIFY(grid->ColWidths(RegisterGrid::ColReceive)
            >= grid->fontMetrics().horizontalAdvance(QStringLiteral("123,456.78")) + 20);
    // The grid is wider than the columns need: Payee, Category and Note share the rest,
    // so the columns fill the grid exactly.
    QVERIFY(grid->ColWidths(RegisterGrid::ColNote) >= 200);
    auto sum = [grid] {
        int total = 0;
        for (int col = 0; col < RegisterGrid::ColumnCount; ++col)
            total += grid->ColWidths(col);
        return total;
    };
    QCOMPARE(sum(), grid->viewport()->width());
}

void TestRegisterView::columnsFollowTheWidth()
{
    add(QStringLiteral("Bank"), QDate(2024, 9, 1), QStringLiteral("-1234567.89"));
    add(QStringLiteral("Bank"), QDate(2024, 9, 2), QStringLiteral("9876543.21"));
    m_file->exec(QStringLiteral("UPDATE tbTransactions SET strNote='%1'").arg(QString(60, u'W')));
    m_view->ShowMonth(9, 2024);
    TPubStrGrid *grid = m_view->strGridTransactions();
    auto rightEdge = [grid](int col) { return grid->columnViewportPosition(col) + grid->ColWidths(col); };
    const int payeeAt900 = grid->ColWidths(RegisterGrid::ColPayee);

    // Maximised, then back: every column must be back inside the grid at once, not
    // when the month changes.
    m_view->resize(1800, 900);
    QCoreApplication::processEvents();
    QVERIFY(grid->ColWidths(RegisterGrid::ColPayee) > payeeAt900);
    QCOMPARE(rightEdge(RegisterGrid::ColBalance), grid->viewport()->width());
    m_view->resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(grid->ColWidths(RegisterGrid::ColPayee), payeeAt900);
    QVERIFY(rightEdge(RegisterGrid::ColBalance) <= grid->viewport()->width());

    // At the smallest width the amounts and the balance are whole and on screen.
    m_view->resize(m_view->minimumSizeHint().width(), 600);
    QCoreApplication::processEvents();
    QVERIFY2(rightEdge(RegisterGrid::ColBalance) <= grid->viewport()->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(rightEdge(RegisterGrid::ColBalance)).arg(grid->viewport()->width())));
    for (const int col : {RegisterGrid::ColPay, RegisterGrid::ColReceive, RegisterGrid::ColBalance})
        QVERIFY(grid->ColWidths(col) >= grid->fontMetrics().horizontalAdvance(QStringLiteral("9,876,543.21")));
}

void TestRegisterView::coloursAndAlignment()
{
    add(QStringLiteral("Bank"), QDate(2024, 9, 1), QStringLiteral("-1"));
    add(QStringLiteral("Bank"), QDate(2024, 9, 2), QStringLiteral("-2"));
    add(QStringLiteral("Bank"), QDate(2024, 9, 3), QStringLiteral("-3"));
    m_view->ShowMonth(9, 2024);
    TPubStrGrid *grid = m_view->strGridTransactions();
    const StringTableModel *model = grid->Model();
    auto style = [&](int row) {
        return model->CellStyle(2, row, grid->CellState(2, row), grid->BaseCellStyle(2, row, grid->CellState(2, row)));
    };
    // The last row is the selected transaction after a load.
    QCOMPARE(style(3).Brush.color(), QApplication::palette().color(QPalette::Highlight));
    QCOMPARE(style(3).FontColor, QColor(Qt::white));
    QCOMPARE(style(1).Brush.color(), QColor(255, 251, 240));
    QCOMPARE(style(2).Brush.color(), QColor(192, 220, 192));
    QCOMPARE(style(1).FontColor, QColor(Qt::black));
    // The highlight follows the selected number, not the grid's own selection.
    m_view->registerState().SelectedTransactionId = m_view->registerGrid().transactionIdAt(1);
    QCOMPARE(style(1).Brush.color(), QApplication::palette().color(QPalette::Highlight));
    QCOMPARE(style(3).Brush.color(), QColor(255, 251, 240));

    const QList<TAlignment> expected = {taLeftJustify, taLeftJustify, taLeftJustify, taLeftJustify,
                                        taLeftJustify, taCenter, taCenter, taRightJustify,
                                        taRightJustify, taRightJustify};
    for (int col = 0; col < RegisterGrid::ColumnCount; ++col)
        QCOMPARE(model->CellAlignment(col, 1), expected.at(col));
}

void TestRegisterView::browseControlsAndWidth()
{
    m_view->setBrowseControlsEnabled(false);
    QVERIFY(!m_view->strGridTransactions()->isEnabled());
    QVERIFY(!m_view->cmbAccounts()->isEnabled());
    QVERIFY(!m_view->pnlMonth()->isEnabled());
    m_view->setBrowseControlsEnabled(true);
    QVERIFY(m_view->cmbAccounts()->isEnabled());
    QVERIFY(m_view->pnlMonth()->isEnabled());

    m_view->resize(500, 600);
    QCOMPARE(m_view->width(), RegisterView::MinimumWindowWidth);
    QCOMPARE(m_view->exportMenu()->actions().size(), 3);
    QCOMPARE(m_view->exportToExcelAction()->text(), QStringLiteral("Export to Excel..."));
    QCOMPARE(m_view->exportToCsvAction()->text(), QStringLiteral("Export to CSV..."));
}

void TestRegisterView::unknownAccountIsEmpty()
{
    add(QStringLiteral("Bank"), QDate(2024, 9, 10), QStringLiteral("-1"));
    m_file->exec(QStringLiteral("DELETE FROM tbAccount WHERE AccountId=1"));
    m_view->ShowMonth(9, 2024);
    QCOMPARE(m_view->registerRowCount(), 0);
    QVERIFY(m_view->lblNoTransactions()->isVisible());
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral(" 0.00"));
}

void TestRegisterView::stepAcrossYearLoadsThatMonth()
{
    const int december = add(QStringLiteral("Bank"), QDate(1999, 12, 31), QStringLiteral("-1"));
    add(QStringLiteral("Bank"), QDate(2000, 1, 1), QStringLiteral("-2"));
    m_view->ShowMonth(1, 2000);
    QCOMPARE(m_view->registerRowCount(), 1);
    QTest::mouseClick(m_view->pnlMonth()->btnLessDate(), Qt::LeftButton);
    QCOMPARE(m_view->shownMonth(), (ShownMonth{12, 1999}));
    QCOMPARE(column(RegisterGrid::ColNumber), QStringList{QString::number(december)});
    QCOMPARE(column(RegisterGrid::ColBalance), QStringList{QStringLiteral("-1.00")});

    // At the list's end nothing happens, not even a reload.
    m_view->ShowMonth(12, 1950);
    m_view->registerState().SelectedTransactionId = 4242;
    QTest::mouseClick(m_view->pnlMonth()->btnLessDate(), Qt::LeftButton);
    QCOMPARE(m_view->shownMonth(), (ShownMonth{12, 1950}));
    QCOMPARE(m_view->registerState().SelectedTransactionId, 4242);
}

void TestRegisterView::loadSelectsLastRow()
{
    add(QStringLiteral("Bank"), QDate(2024, 3, 1), QStringLiteral("-1"));
    const int last = add(QStringLiteral("Bank"), QDate(2024, 3, 2), QStringLiteral("-2"));
    m_view->ShowMonth(3, 2024);
    QCOMPARE(m_view->registerState().SelectedTransactionId, last);
    QVERIFY(!m_view->registerState().GridLoading);
}

void TestRegisterView::clickSelectsRowExceptInNewMode()
{
    const int first = add(QStringLiteral("Bank"), QDate(2024, 3, 1), QStringLiteral("-1"));
    const int last = add(QStringLiteral("Bank"), QDate(2024, 3, 2), QStringLiteral("-2"));
    m_view->ShowMonth(3, 2024);
    TPubStrGrid *grid = m_view->strGridTransactions();
    const int firstRow = m_view->registerGrid().findRow(first);
    const int lastRow = m_view->registerGrid().findRow(last);
    grid->setCurrentIndex(m_view->registerGrid().modelIndex(firstRow, 2));
    QCOMPARE(m_view->registerState().SelectedTransactionId, first);

    m_view->registerState().entryMode = EntryMode::New;
    grid->setCurrentIndex(m_view->registerGrid().modelIndex(lastRow, 2));
    QCOMPARE(m_view->registerState().SelectedTransactionId, first);
    m_view->registerState().entryMode = EntryMode::Browse;

    // Restoring a number and asking for its row selects it.
    m_view->registerState().SelectedTransactionId = last;
    m_view->SelectCurrentRow();
    QCOMPARE(grid->currentIndex().row(), m_view->registerGrid().modelIndex(lastRow, 0).row());
}

void TestRegisterView::addUpdateRemoveKeepBalances()
{
    add(QStringLiteral("Bank"), QDate(2024, 2, 1), QStringLiteral("100"));
    const int a = add(QStringLiteral("Bank"), QDate(2024, 3, 1), QStringLiteral("-10"));
    m_view->ShowMonth(3, 2024);
    QCOMPARE(column(RegisterGrid::ColBalance), QStringList{QStringLiteral("90.00")});

    // Saving a new one: the store writes it, the register appends it.
    TTransaction t;
    const int b = add(QStringLiteral("Bank"), QDate(2024, 3, 5), QStringLiteral("-0.5"));
    QVERIFY(LoadTransaction(m_file->db(), b, t));
    m_view->AddRegisterRow(t);
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("90.00"), QStringLiteral("89.50")}));
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ 89.50"));

    QVERIFY(LoadTransaction(m_file->db(), a, t));
    t.Amount = *Money::fromText(QStringLiteral("25"));
    QVERIFY(UpdateTransaction(m_file->db(), t));
    m_view->UpdateRegisterRows(t);
    QCOMPARE(cell(RegisterGrid::ColReceive, 1), QStringLiteral("25.00"));
    QCOMPARE(cell(RegisterGrid::ColPay, 1), QString());
    QCOMPARE(column(RegisterGrid::ColBalance),
             (QStringList{QStringLiteral("125.00"), QStringLiteral("124.50")}));

    QVERIFY(LoadTransaction(m_file->db(), a, t));
    QVERIFY(DeleteTransaction(m_file->db(), t));
    m_view->RemoveRegisterRow(a);
    m_view->RefreshBalances();
    QCOMPARE(column(RegisterGrid::ColNumber), QStringList{QString::number(b)});
    QCOMPARE(column(RegisterGrid::ColBalance), QStringList{QStringLiteral("99.50")});
    QCOMPARE(m_view->registerRowCount(), 1);
}

void TestRegisterView::refreshLookupsSelectsDefaultAccountWithoutLoading()
{
    QCOMPARE(m_view->cmbAccounts()->count(), 2);
    QCOMPARE(m_view->currentAccountName(), QStringLiteral("Bank"));
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=2"));
    add(QStringLiteral("Cash"), QDate::currentDate(), QStringLiteral("-1"));
    m_view->RefreshLookups();
    QCOMPARE(m_view->currentAccountName(), QStringLiteral("Cash"));
    QCOMPARE(m_view->registerRowCount(), 0);
}

void TestRegisterView::accountChangeLoads()
{
    add(QStringLiteral("Cash"), QDate(2024, 3, 3), QStringLiteral("-1"));
    m_view->ShowMonth(3, 2024);
    QCOMPARE(m_view->registerRowCount(), 0);
    m_view->cmbAccounts()->setCurrentText(QStringLiteral("Cash"));
    QCOMPARE(m_view->registerRowCount(), 1);
    QCOMPARE(m_view->lblAccountStatus()->text(), QStringLiteral("$ -1.00"));
}

void TestRegisterView::filteredModeOnAnotherGrid()
{
    add(QStringLiteral("Bank"), QDate(2024, 1, 5), QStringLiteral("100"));
    add(QStringLiteral("Cash"), QDate(2024, 2, 5), QStringLiteral("-7"));
    add(QStringLiteral("Bank"), QDate(2024, 2, 6), QStringLiteral("-0.4"));
    add(QStringLiteral("Bank"), QDate(2024, 2, 7), QStringLiteral("-0.4"));

    QWidget window;
    auto *strGrid = new TPubStrGrid(&window);
    RegisterGrid grid(strGrid, m_file->session.options);
    window.show();
    RegisterFilter filter;
    filter.add(QStringLiteral("AND tbTransactions.AccountId=:AccountId")).bind(QStringLiteral(":AccountId"), 1)
        .add(QStringLiteral("AND tbTransactions.TransactionDate>=:FromDate")).bind(QStringLiteral(":FromDate"), QDate(2024, 2, 1));
    QCOMPARE(LoadFilteredRegisterGrid(m_file->session, grid, filter), 2);
    QVERIFY(strGrid->isVisible());
    QCOMPARE(grid.transactionRowCount(), 2);
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 1), QStringLiteral("0.00"));
    m_file->session.options.setDecimalDigits(0);
    QCOMPARE(grid.FillRunningBalance(Money::fromUnits(1000000)), Money::fromUnits(992000));
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 2), QStringLiteral("99"));
    // The register's own grid and panel are left alone.
    QCOMPARE(m_view->registerRowCount(), 0);

    RegisterFilter none;
    none.add(QStringLiteral("AND tbTransactions.AccountId=:AccountId")).bind(QStringLiteral(":AccountId"), 99);
    QCOMPARE(LoadFilteredRegisterGrid(m_file->session, grid, none), 0);
    QVERIFY(!strGrid->isVisible());
}

void TestRegisterView::failedLoadLeavesTheRegisterUsable()
{
    m_view->ShowMonth(3, 2024);
    m_file->exec(QStringLiteral("ALTER TABLE tbPayee RENAME TO tbPayeeGone"));
    QTest::mouseClick(m_view->pnlMonth()->btnMoreDate(), Qt::LeftButton);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs.first().top, QStringLiteral("An error has occured, please re-try"));
    QVERIFY(!m_file->notifier.dialogs.first().details.isEmpty());
    QVERIFY(!m_view->registerState().GridLoading);
    QVERIFY(m_view->strGridTransactions()->isEnabled());
    QVERIFY(!QApplication::overrideCursor());

    m_file->exec(QStringLiteral("ALTER TABLE tbPayeeGone RENAME TO tbPayee"));
    add(QStringLiteral("Bank"), QDate(2024, 4, 2), QStringLiteral("-1"));
    m_view->LoadRegisterGrid();
    QCOMPARE(m_view->registerRowCount(), 1);
}

void TestRegisterView::barMessageGoesToTheBar()
{
    m_view->showBarMessage(QStringLiteral("  Transaction has been saved."), BarKind::Information);
    QVERIFY(m_view->messageBar()->isVisible());
    QCOMPARE(m_view->messageBar()->text(), QStringLiteral("  Transaction has been saved."));
}

void TestRegisterView::newAccountButtonAsksForTheDialog()
{
    QSignalSpy requested(m_view.get(), &RegisterView::accountsDialogRequested);
    QTest::mouseClick(m_view->btnNewAccount(), Qt::LeftButton);
    QCOMPARE(requested.count(), 1);
}

QTEST_MAIN(TestRegisterView)
#include "tst_registerview.moc"
