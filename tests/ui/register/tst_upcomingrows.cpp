#include "core/session/programoptions.h"
#include "core/store/ttransaction.h"
#include "support/testdata.h"
#include "support/testdatafile.h"
#include "ui/register/registergrid.h"
#include "ui/register/registerview.h"
#include "ui/register/upcomingrows.h"
#include "ui/widgets/pubstrgrid.h"
#include "ui/widgets/stringtablemodel.h"

#include <QFont>
#include <QTest>

// The register's grey rows of scheduled transactions still to come this month: in
// the grid after the transactions, never counted, balanced or selected as one.
class TestUpcomingRows : public QObject
{
    Q_OBJECT
private slots:
    void rowsStayBelowTheTransactions();
    void emptyMonthShowsOnlyTheUpcomingRows();
    void drawnGreyAndItalic();
    void onlyTheCurrentMonthAfterToday();
    void registerShowsThemWithoutBalance();

private:
    static TTransaction transaction(int id, int day, qint64 units);
    static QList<QStringList> upcoming(int count);
};

TTransaction TestUpcomingRows::transaction(int id, int day, qint64 units)
{
    TTransaction t;
    t.TransactionID = id;
    t.TransactionDate = QDate(2024, 3, day);
    t.Amount = Money::fromUnits(units);
    t.Status = QStringLiteral(" ");
    return t;
}

QList<QStringList> TestUpcomingRows::upcoming(int count)
{
    QList<QStringList> rows;
    for (int i = 0; i < count; ++i) {
        QStringList texts(RegisterGrid::ColumnCount);
        texts[RegisterGrid::ColDate] = QStringLiteral("2%1/03/2024").arg(i);
        texts[RegisterGrid::ColPay] = QStringLiteral("5.00");
        rows << texts;
    }
    return rows;
}

void TestUpcomingRows::rowsStayBelowTheTransactions()
{
    ProgramOptions options;
    TPubStrGrid view;
    RegisterGrid grid(&view, options);
    grid.SetupRegisterColumns();
    grid.FillRows({transaction(7, 1, -10000), transaction(8, 2, 20000)}, Money());
    grid.SetUpcomingRows(upcoming(2));
    QCOMPARE(grid.transactionRowCount(), 2);
    QCOMPARE(grid.lastRow(), 2);
    QVERIFY(!grid.isUpcomingRow(2));
    QVERIFY(grid.isUpcomingRow(3));
    QCOMPARE(grid.transactionIdAt(3), -1);

    // A transaction added later goes above them; balances skip them.
    grid.AddRow(transaction(9, 3, 30000));
    QCOMPARE(grid.transactionRowCount(), 3);
    QCOMPARE(grid.lastRow(), 3);
    QCOMPARE(grid.transactionIdAt(3), 9);
    QCOMPARE(grid.cell(RegisterGrid::ColDate, 4), QStringLiteral("20/03/2024"));
    QCOMPARE(grid.FillRunningBalance(Money()), Money::fromUnits(40000));
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 3), QStringLiteral("4.00"));
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 4), QString());
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 5), QString());

    QVERIFY(grid.RemoveRow(7));
    QCOMPARE(grid.transactionRowCount(), 2);
    QCOMPARE(grid.findRow(9), 2);
    QVERIFY(grid.isUpcomingRow(3));
    QCOMPARE(grid.upcomingRowCount(), 2);

    grid.SetUpcomingRows({});
    QCOMPARE(view.Model()->RowCount(), 3);
    grid.SetupRegisterColumns();
    QCOMPARE(grid.upcomingRowCount(), 0);
}

void TestUpcomingRows::emptyMonthShowsOnlyTheUpcomingRows()
{
    ProgramOptions options;
    TPubStrGrid view;
    RegisterGrid grid(&view, options);
    grid.SetupRegisterColumns();
    grid.SetUpcomingRows(upcoming(1));
    QCOMPARE(view.Model()->RowCount(), 2); // header and the one row, no empty row above it
    QCOMPARE(grid.transactionRowCount(), 0);
    QVERIFY(grid.isUpcomingRow(1));
    grid.AddRow(transaction(4, 5, -10000));
    QCOMPARE(view.Model()->RowCount(), 3);
    QCOMPARE(grid.transactionIdAt(1), 4);
    QVERIFY(grid.isUpcomingRow(2));
    QCOMPARE(grid.transactionRowCount(), 1);
}

void TestUpcomingRows::drawnGreyAndItalic()
{
    ProgramOptions options;
    TPubStrGrid view;
    RegisterGrid grid(&view, options);
    grid.SetupRegisterColumns();
    grid.FillRows({transaction(7, 1, -10000)}, Money());
    grid.SetUpcomingRows(upcoming(1));
    const QModelIndex normal = grid.modelIndex(1, RegisterGrid::ColDate);
    const QModelIndex later = grid.modelIndex(2, RegisterGrid::ColDate);
    QVERIFY(!normal.data(Qt::FontRole).value<QFont>().italic());
    QVERIFY(later.data(Qt::FontRole).value<QFont>().italic());
    QCOMPARE(later.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
}

void TestUpcomingRows::onlyTheCurrentMonthAfterToday()
{
    TestDataFile f;
    TestData data(f.db());
    const int bank = data.account(QStringLiteral("Bank"));
    TestSchedule weekly;
    weekly.accountId = bank;
    weekly.frequency = QStringLiteral("W");
    weekly.dayOfMonth = 0;
    weekly.nextDue = QDate(2024, 3, 1);
    data.schedule(weekly);
    const QDate today(2024, 3, 10);
    const QList<QStringList> rows = UpcomingRegisterRows(f.db(), bank, QDate(2024, 3, 1), today, 2);
    QCOMPARE(rows.size(), 3); // 15, 22 and 29 March; the 1st and 8th are due, not to come
    QCOMPARE(rows[0][RegisterGrid::ColDate], QStringLiteral("15/03/2024"));
    QCOMPARE(rows[0][RegisterGrid::ColPay], QStringLiteral("10.00"));
    QCOMPARE(rows[0][RegisterGrid::ColNumber], QString());
    QCOMPARE(rows[0][RegisterGrid::ColBalance], QString());
    QVERIFY(UpcomingRegisterRows(f.db(), bank, QDate(2024, 4, 1), today, 2).isEmpty());
    QVERIFY(UpcomingRegisterRows(f.db(), bank, QDate(2024, 2, 1), today, 2).isEmpty());
}

void TestUpcomingRows::registerShowsThemWithoutBalance()
{
    const QDate today = QDate::currentDate();
    if (today.day() == today.daysInMonth())
        QSKIP("nothing is left of this month");
    TestDataFile f;
    TestData data(f.db());
    const int bank = data.account(QStringLiteral("Bank"));
    f.exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId = %1").arg(bank));
    TestTransaction paid;
    paid.accountId = bank;
    paid.date = QDate(today.year(), today.month(), 1);
    paid.amount = Money::fromUnits(-50000);
    data.transaction(paid);
    TestSchedule later;
    later.accountId = bank;
    later.dayOfMonth = today.daysInMonth();
    later.nextDue = QDate(today.year(), today.month(), today.daysInMonth());
    data.schedule(later);

    RegisterView view(f.session);
    view.show();
    view.RefreshLookups();
    view.ShowMonth(today.month(), today.year());
    RegisterGrid &grid = view.registerGrid();
    QCOMPARE(view.registerRowCount(), 1);
    QCOMPARE(grid.upcomingRowCount(), 1);
    QCOMPARE(grid.cell(RegisterGrid::ColPay, 2), QStringLiteral("10.00"));
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 2), QString());
    QCOMPARE(grid.cell(RegisterGrid::ColBalance, 1), QStringLiteral("-5.00"));
    // The transaction stays selected; the grey row cannot be.
    QCOMPARE(view.registerState().SelectedTransactionId, grid.transactionIdAt(1));
    view.strGridTransactions()->SetCurrentRow(2);
    QCOMPARE(view.registerState().SelectedTransactionId, -1);
}

QTEST_MAIN(TestUpcomingRows)
#include "tst_upcomingrows.moc"
