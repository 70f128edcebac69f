#include "core/store/transactionstore.h"
#include "core/datafile/sqlstatement.h"
#include "core/register/entrylock.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/registerview.h"
#include "core/register/transactioncommands.h"
#include "support/testdatafile.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace {
enum Column { Number = 0, Status = 5, TransferMark = 6, Pay = 7, Receive = 8 };
}

// The entry panel inside the real register view: what a save, a transfer, a deletion
// and a status mark show in the grids of both accounts. "Bank" is in the base
// currency, "Euro" in a currency of rate 1.5.
class TestEntryRegister : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void savedAmountShowsInItsColumn_data();
    void savedAmountShowsInItsColumn();
    void savingIntoAnotherMonthMovesTheRegister();
    void transferShowsInBothRegisters_data();
    void transferShowsInBothRegisters();
    void exitRefusedWhileEntering();
    void afterADeletionInALongMonthNothingIsSelected_data();
    void afterADeletionInALongMonthNothingIsSelected();
    void commandsOnTheSelectionFocusTheGrid_data();
    void commandsOnTheSelectionFocusTheGrid();

private:
    template<typename T> T *panelChild(const char *name)
    {
        return m_view->entryPanel()->findChild<T *>(QLatin1String(name));
    }
    void showAccount(const QString &name);
    int enter(TransactionType type, const QString &amount, const QDate &date, const QString &target = QString());
    QString cell(int column, int id) const;
    int count();

    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<RegisterView> m_view;
};

void TestEntryRegister::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('E', 'EUR', 1.5, 0)"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Euro', 'Euro', 2, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));
    m_view = std::make_unique<RegisterView>(f.session);
    m_view->resize(900, 600);
    m_view->show();
    m_view->RefreshLookups();
    showAccount(QStringLiteral("Bank"));
    m_view->ShowMonth(3, 2024);
}

void TestEntryRegister::cleanup()
{
    m_view.reset();
    m_file.reset();
}

void TestEntryRegister::showAccount(const QString &name)
{
    QComboBox *accounts = m_view->cmbAccounts();
    accounts->setCurrentIndex(accounts->findText(name));
    QCOMPARE(m_view->currentAccountName(), name);
}

// New, the fields filled, Save; returns the number of the row saved in the shown account.
int TestEntryRegister::enter(TransactionType type, const QString &amount, const QDate &date, const QString &target)
{
    EntryPanel *panel = m_view->entryPanel();
    panel->tbNewClick();
    panelChild<QTabBar>("tbPayReceive")->setCurrentIndex(int(type));
    panelChild<QComboBox>("cmbPayee")->setCurrentText(QStringLiteral("Grocer"));
    panelChild<QComboBox>("cmbCategory")->setCurrentText(QStringLiteral("Food"));
    panelChild<QDateEdit>("TrnDate")->setDate(date);
    if (!target.isEmpty())
        panelChild<QComboBox>("cmbTransferTo")->setCurrentText(target);
    QTest::keyClicks(panelChild<QLineEdit>("txtAmt"), amount);
    panelChild<QPushButton>("btnSave")->click();
    return m_view->registerState().SelectedTransactionId;
}

QString TestEntryRegister::cell(int column, int id) const
{
    TPubStrGrid *grid = m_view->strGridTransactions();
    const int row = grid->FindRow(Number, QString::number(id));
    return row < 1 ? QStringLiteral("<no row>") : grid->Cells(column, row);
}

int TestEntryRegister::count()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

void TestEntryRegister::savedAmountShowsInItsColumn_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<QString>("pay");
    QTest::addColumn<QString>("receive");
    QTest::newRow("pay") << 0 << qint64(-125000) << "12.50" << "";
    QTest::newRow("receive") << 1 << qint64(125000) << "" << "12.50";
}

void TestEntryRegister::savedAmountShowsInItsColumn()
{
    QFETCH(int, type);
    QFETCH(qint64, stored);
    QFETCH(QString, pay);
    QFETCH(QString, receive);
    const int id = enter(TransactionType(type), QStringLiteral("12.50"), QDate(2024, 3, 15));
    QVERIFY(id > 0);
    TTransaction t;
    QVERIFY(LoadTransaction(m_file->db(), id, t));
    QCOMPARE(t.Amount.units(), stored);
    QCOMPARE(m_view->strGridTransactions()->Cells(Pay, 0), QStringLiteral("Pay - "));
    QCOMPARE(cell(Pay, id), pay);
    QCOMPARE(cell(Receive, id), receive);
    QCOMPARE(m_view->registerState().entryMode, EntryMode::Browse);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
}

void TestEntryRegister::savingIntoAnotherMonthMovesTheRegister()
{
    enter(TransactionType::Pay, QStringLiteral("1"), QDate(2024, 3, 1));
    const int id = enter(TransactionType::Pay, QStringLiteral("2"), QDate(2024, 5, 10));
    QCOMPARE(m_view->shownMonth().month, 5);
    QCOMPARE(m_view->shownMonth().year, 2024);
    QCOMPARE(m_view->registerState().SelectedTransactionId, id);
    TPubStrGrid *grid = m_view->strGridTransactions();
    QCOMPARE(grid->Cells(Number, grid->CurrentRow()), QString::number(id));
    QCOMPARE(panelChild<QLineEdit>("txtTrnNumber")->text(), QString::number(id));

    // The next New keeps that date and type.
    m_view->entryPanel()->tbNewClick();
    QCOMPARE(panelChild<QDateEdit>("TrnDate")->date(), QDate(2024, 5, 10));
    QCOMPARE(m_view->entryPanel()->currentType(), TransactionType::Pay);
}

void TestEntryRegister::transferShowsInBothRegisters_data()
{
    QTest::addColumn<bool>("deleteInTarget");
    QTest::newRow("delete the paying row") << false;
    QTest::newRow("delete the receiving row") << true;
}

void TestEntryRegister::transferShowsInBothRegisters()
{
    QFETCH(bool, deleteInTarget);
    const int source = enter(TransactionType::Transfer, QStringLiteral("100"), QDate(2024, 3, 20), QStringLiteral("Euro"));
    QVERIFY(source > 0);
    QCOMPARE(count(), 2);
    QCOMPARE(cell(Pay, source), QStringLiteral("100.00"));
    QCOMPARE(cell(TransferMark, source), QStringLiteral("T"));
    QCOMPARE(panelChild<QLineEdit>("txtAmt")->text(), QStringLiteral("-100.00"));
    panelChild<QLineEdit>("txtAmt")->ensurePolished();
    QCOMPARE(panelChild<QLineEdit>("txtAmt")->palette().color(QPalette::Base), QColor(255, 255, 0));
    QCOMPARE(panelChild<QComboBox>("cmbTransferTo")->currentText(), QStringLiteral("Euro"));
    TTransaction t;
    QVERIFY(LoadTransaction(m_file->db(), source, t));
    const int target = t.LinkedTransactionID;

    showAccount(QStringLiteral("Euro"));
    QCOMPARE(cell(Receive, target), QStringLiteral("150.00"));
    QCOMPARE(cell(TransferMark, target), QStringLiteral("T"));
    QCOMPARE(m_view->registerState().SelectedTransactionId, target);
    QCOMPARE(panelChild<QLineEdit>("txtAmt")->text(), QStringLiteral("150.00"));
    QCOMPARE(panelChild<QComboBox>("cmbTransferTo")->currentText(), QStringLiteral("Bank"));

    // Marking the receiving row marks the paying row too.
    m_view->entryPanel()->markStatus(TransactionStatus::Cleared);
    QCOMPARE(cell(Status, target), QStringLiteral("C"));
    showAccount(QStringLiteral("Bank"));
    QCOMPARE(cell(Status, source), QStringLiteral("C"));

    if (deleteInTarget)
        showAccount(QStringLiteral("Euro"));
    QCOMPARE(m_view->registerState().SelectedTransactionId, deleteInTarget ? target : source);
    m_file->notifier.dialogAnswers = {QStringLiteral("Yes")};
    m_view->entryPanel()->tbDeleteClick();
    QCOMPARE(m_file->notifier.dialogs.last().top,
             QStringLiteral("Delete Transaction [%1]?").arg(deleteInTarget ? target : source));
    QCOMPARE(count(), 0);
    QCOMPARE(m_view->registerRowCount(), 0);
    showAccount(QString::fromLatin1(deleteInTarget ? "Bank" : "Euro"));
    QCOMPARE(m_view->registerRowCount(), 0);
}

void TestEntryRegister::exitRefusedWhileEntering()
{
    m_view->entryPanel()->tbNewClick();
    QVERIFY(m_view->isEditing());
    QVERIFY(!m_view->cmbAccounts()->isEnabled());
    QVERIFY(RefusedWhileEditing(m_view->registerState(), m_file->notifier, EntryLockMessage::Exit));
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Please Save or Cancel the current transaction to exit."));
    panelChild<QPushButton>("btnCancel")->click();
    QVERIFY(!m_view->isEditing());
    QVERIFY(m_view->cmbAccounts()->isEnabled());
    QVERIFY(!RefusedWhileEditing(m_view->registerState(), m_file->notifier, EntryLockMessage::Exit));
}

namespace {
enum class Command { Edit, Delete, MarkVoid };

void run(EntryPanel *panel, Command command)
{
    switch (command) {
    case Command::Edit:
        panel->tbEditClick();
        break;
    case Command::Delete:
        panel->tbDeleteClick();
        break;
    case Command::MarkVoid:
        panel->markStatus(TransactionStatus::Void);
        break;
    }
}
} // namespace

// A month of more than 25 rows is not read again after a deletion: the deleted number
// stays selected and in the panel, so the next command on the selection answers
// "Nothing Selected." instead of acting on a neighbour the user never chose.
void TestEntryRegister::afterADeletionInALongMonthNothingIsSelected_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("delete again") << int(Command::Delete);
    QTest::newRow("edit") << int(Command::Edit);
    QTest::newRow("mark as void") << int(Command::MarkVoid);
}

void TestEntryRegister::afterADeletionInALongMonthNothingIsSelected()
{
    QFETCH(int, command);
    QList<int> ids;
    for (int day = 1; day <= 30; ++day) {
        TTransaction t;
        t.TransactionDate = QDate(2024, 3, day);
        t.AccountDescription = QStringLiteral("Bank");
        t.Amount = Money::fromUnits(-10000 * day);
        t.Status = QStringLiteral(" ");
        ids << InsertTransaction(m_file->db(), t);
    }
    m_view->ShowMonth(3, 2024);
    QCOMPARE(m_view->registerRowCount(), 30);
    TPubStrGrid *grid = m_view->strGridTransactions();
    const int chosen = ids[9];
    grid->SetCurrentRow(grid->FindRow(Number, QString::number(chosen)));
    QCOMPARE(m_view->registerState().SelectedTransactionId, chosen);

    m_file->notifier.dialogAnswers = {QStringLiteral("Yes")};
    m_view->entryPanel()->tbDeleteClick();
    QCOMPARE(count(), 29);
    QCOMPARE(m_view->registerRowCount(), 29);
    QCOMPARE(m_view->registerState().SelectedTransactionId, chosen);
    QCOMPARE(panelChild<QLineEdit>("txtTrnNumber")->text(), QString::number(chosen));

    m_file->notifier.clear();
    run(m_view->entryPanel(), Command(command));
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("Nothing Selected."));
    QVERIFY(m_file->notifier.dialogs.isEmpty()); // no question about another row
    QCOMPARE(count(), 29);
    QCOMPARE(m_view->registerState().entryMode, EntryMode::Browse);
    SqlStatement marks(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions WHERE Status <> ' '"));
    marks.exec();
    marks.next();
    QCOMPARE(marks.value(0).toInt(), 0);

    // Choosing a row selects it as always.
    grid->SetCurrentRow(grid->FindRow(Number, QString::number(ids[3])));
    QCOMPARE(m_view->registerState().SelectedTransactionId, ids[3]);
}

void TestEntryRegister::commandsOnTheSelectionFocusTheGrid_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("edit") << int(Command::Edit);
    QTest::newRow("delete") << int(Command::Delete);
    QTest::newRow("mark as void") << int(Command::MarkVoid);
}

void TestEntryRegister::commandsOnTheSelectionFocusTheGrid()
{
    QFETCH(int, command);
    enter(TransactionType::Pay, QStringLiteral("3"), QDate(2024, 3, 5));
    QApplication::setActiveWindow(m_view.get());
    QVERIFY(QTest::qWaitForWindowActive(m_view.get()));
    // A number no longer in the file: each command stops right after taking the focus.
    m_view->registerState().SelectedTransactionId = 999999;
    m_view->cmbAccounts()->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), m_view->cmbAccounts());

    run(m_view->entryPanel(), Command(command));
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("Nothing Selected."));
    QCOMPARE(QApplication::focusWidget(), m_view->strGridTransactions());
}

QTEST_MAIN(TestEntryRegister)
#include "tst_entryregister.moc"
