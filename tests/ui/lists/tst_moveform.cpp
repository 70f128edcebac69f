#include "core/datafile/sqlstatement.h"
#include "core/store/transactionstore.h"
#include "core/store/ttransaction.h"
#include "support/testdatafile.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/lists/editform.h"
#include "ui/lists/itemlist.h"
#include "ui/lists/moveform.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(ItemKind)

namespace {

// Answers the list dialog with `onList` and the move dialog with `onMove`; a dialog
// still open afterwards is closed.
class Answers
{
public:
    std::function<void(TfrmEditForm &)> onList;
    std::function<void(TfrmMove &)> onMove;
    bool moveStillOpen = false;

    Answers()
    {
        m_previous = SetDialogHook([this](QDialog &dialog) {
            dialog.show();
            if (auto *list = qobject_cast<TfrmEditForm *>(&dialog)) {
                if (onList)
                    onList(*list);
            } else if (auto *move = qobject_cast<TfrmMove *>(&dialog)) {
                if (onMove)
                    onMove(*move);
                moveStillOpen = move->isVisible();
            } else {
                qFatal("unexpected dialog %s", qPrintable(dialog.objectName()));
            }
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result();
        });
    }
    ~Answers() { SetDialogHook(m_previous); }

private:
    DialogHook m_previous;
};

void selectItem(TfrmEditForm &form, const QString &name)
{
    const QStringList rows = form.lstItems->items();
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].section(u';', 0, 0) == name)
            form.lstItems->setItemIndex(i);
    }
}

// Selects the target (none for an empty name) and presses Move.
void moveTo(TfrmMove &move, const QString &target)
{
    move.cmbMoveTo->setCurrentIndex(move.cmbMoveTo->findText(target));
    QTest::mouseClick(move.btnMove, Qt::LeftButton);
}

} // namespace

// Moving transactions from the payee or category list, inside the list's database
// transaction. Accounts "Bank" and "Cash"; payees "Shop" (two rows and a transfer
// between the accounts), "Grocer" (one row), "Landlord" (none); categories "Food"
// (the same rows as Shop) and "Rent".
class TestMoveForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheSourceAndEveryItem_data();
    void showsTheSourceAndEveryItem();
    void moveThenDeleteOrKeep_data();
    void moveThenDeleteOrKeep();
    void refusedBeforeAsking_data();
    void refusedBeforeAsking();
    void cancelledQuestionMovesNothing();
    void failedMoveIsReportedAndChangesNothing();

private:
    QList<QList<qint64>> transactionRows();
    int count(const QString &sql);
    void add(const QString &account, const QString &payee, const QString &category, qint64 amount, int transferTo = 0);

    std::unique_ptr<TestDataFile> m_file;
};

void TestMoveForm::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank'), ('Cash', 'Cash', 1, 'Cash')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Shop', 'Expense', 3000000, 'Monthly'), "
                          "('Grocer', 'Expense', 0, ' '), ('Landlord', 'Expense', 1000000, 'Weekly')"));
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 500000, 'Daily'), "
                          "('Rent', 'Expense', 0, ' ')"));
    add(QStringLiteral("Bank"), QStringLiteral("Shop"), QStringLiteral("Food"), -125000);
    add(QStringLiteral("Cash"), QStringLiteral("Shop"), QStringLiteral("Food"), -40000);
    add(QStringLiteral("Bank"), QStringLiteral("Grocer"), QStringLiteral("Rent"), -77000);
    add(QStringLiteral("Bank"), QStringLiteral("Shop"), QStringLiteral("Food"), -500000, 2);
}

void TestMoveForm::cleanup()
{
    m_file.reset();
}

void TestMoveForm::add(const QString &account, const QString &payee, const QString &category, qint64 amount,
                       int transferTo)
{
    TTransaction t;
    t.TransactionDate = QDate(2024, 3, 1);
    t.AccountDescription = account;
    t.PayeeName = payee;
    t.CategoryDescription = category;
    t.Amount = Money::fromUnits(amount);
    t.Status = QStringLiteral(" ");
    if (transferTo) {
        t.InternalDescription = TransferDescription;
        t.OtherAccountID = transferTo;
    }
    InsertTransaction(m_file->db(), t);
}

QList<QList<qint64>> TestMoveForm::transactionRows()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT TransactionID, PayeeId, CategoryId, AccountId, Amount, LinkedTransactionID "
                                                "FROM tbTransactions ORDER BY TransactionID"));
    q.exec();
    QList<QList<qint64>> rows;
    while (q.next()) {
        QList<qint64> row;
        for (int c = 0; c < 6; ++c)
            row << q.value(c).toLongLong();
        rows << row;
    }
    return rows;
}

int TestMoveForm::count(const QString &sql)
{
    SqlStatement q(m_file->db(), sql);
    q.exec();
    q.next();
    return q.value(0).toInt();
}

void TestMoveForm::showsTheSourceAndEveryItem_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("targets");
    QTest::newRow("payees") << ItemKind::Payees << "Landlord" << "Move options for Payee"
                            << QStringList{"Grocer", "Landlord", "Shop"};
    QTest::newRow("categories") << ItemKind::Categories << "Rent" << "Move options for Category"
                                << QStringList{"Food", "Rent"};
}

void TestMoveForm::showsTheSourceAndEveryItem()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, source);
    QFETCH(QString, caption);
    QFETCH(QStringList, targets);

    Answers answers;
    QString shownCaption, shownSource;
    QStringList shownTargets;
    int chosen = 0;
    answers.onList = [&](TfrmEditForm &form) {
        selectItem(form, source);
        QTest::mouseClick(form.btnMove, Qt::LeftButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    answers.onMove = [&](TfrmMove &move) {
        shownCaption = move.GroupBox1->title();
        shownSource = move.lblMoveFrom->text();
        for (int i = 0; i < move.cmbMoveTo->count(); ++i)
            shownTargets << move.cmbMoveTo->itemText(i);
        chosen = move.cmbMoveTo->currentIndex();
        QTest::mouseClick(move.btnClose, Qt::LeftButton);
    };
    OpenItemList(m_file->session, nullptr, kind);
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownSource, source);
    QCOMPARE(shownTargets, targets);
    QCOMPARE(chosen, -1);
    QVERIFY(!answers.moveStillOpen);
    QVERIFY(m_file->notifier.dialogs.isEmpty());
}

void TestMoveForm::moveThenDeleteOrKeep_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("deleteAnswer");
    QTest::addColumn<QString>("idColumn");
    QTest::addColumn<QString>("table");

    QTest::newRow("payee, deleted") << ItemKind::Payees << "Shop" << "Landlord" << "Yes" << "PayeeId" << "tbPayee";
    QTest::newRow("payee, kept") << ItemKind::Payees << "Shop" << "Grocer" << "No" << "PayeeId" << "tbPayee";
    QTest::newRow("category, deleted") << ItemKind::Categories << "Food" << "Rent" << "Yes" << "CategoryId" << "tbCategory";
    QTest::newRow("category, kept") << ItemKind::Categories << "Food" << "Rent" << "No" << "CategoryId" << "tbCategory";
}

// Every row of the source, both rows of the transfer included, names the target;
// the pair stays linked, balances and budgets stay, and the committed visit keeps it.
void TestMoveForm::moveThenDeleteOrKeep()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, deleteAnswer);
    QFETCH(QString, idColumn);
    QFETCH(QString, table);

    const QString nameColumn = kind == ItemKind::Payees ? QStringLiteral("PayeeName") : QStringLiteral("CategoryDescription");
    const auto idOf = [&](const QString &name) {
        return count(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = '%4'").arg(idColumn, table, nameColumn, name));
    };
    const int sourceId = idOf(source);
    const int targetId = idOf(target);
    const int column = kind == ItemKind::Payees ? 1 : 2;
    QList<QList<qint64>> expected = transactionRows();
    for (QList<qint64> &row : expected) {
        if (row[column] == sourceId)
            row[column] = targetId;
    }
    const int items = count(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    const QString budgets = QStringLiteral("SELECT SUM(Amt) FROM %1 WHERE Frequency <> ' '").arg(table);
    const int budgetSum = count(budgets) - (deleteAnswer == QLatin1String("Yes") ? count(QStringLiteral("SELECT Amt FROM %1 WHERE %2 = %3").arg(table, idColumn).arg(sourceId)) : 0);
    const Money bank = GetCurrentBalance(m_file->db(), 1);
    const Money cash = GetCurrentBalance(m_file->db(), 2);

    m_file->notifier.dialogAnswers << QStringLiteral("Move") << deleteAnswer << QStringLiteral("Ok");
    Answers answers;
    QStringList listAfter;
    answers.onList = [&](TfrmEditForm &form) {
        selectItem(form, source);
        QTest::mouseClick(form.btnMove, Qt::LeftButton);
        for (const QString &row : form.lstItems->items())
            listAfter << row.section(u';', 0, 0);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    answers.onMove = [&](TfrmMove &move) { moveTo(move, target); };
    OpenItemList(m_file->session, nullptr, kind);

    const bool deleted = deleteAnswer == QLatin1String("Yes");
    QCOMPARE(answers.moveStillOpen, !deleted);
    const QList<MessageDialogRequest> &dialogs = m_file->notifier.dialogs;
    QCOMPARE(dialogs.size(), deleted ? 3 : 2);
    QCOMPARE(dialogs[0].caption, QStringLiteral("Move"));
    QCOMPARE(dialogs[0].top, QStringLiteral("Do you wish to move all transaction from %1 to %2?").arg(source, target));
    QCOMPARE(dialogs[0].button1, QStringLiteral("Move"));
    QCOMPARE(dialogs[0].button2, QStringLiteral("Cancel"));
    QCOMPARE(dialogs[1].top, QStringLiteral("The items have been moved and now %1 is empty. Do you wish to delete %1?").arg(source));
    if (deleted)
        QCOMPARE(dialogs[2].top, QStringLiteral("  Deleted ") + source);
    QCOMPARE(listAfter.contains(source), !deleted);

    QVERIFY(!m_file->db().InTransaction());
    QCOMPARE(transactionRows(), expected);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM tbTransactions WHERE %1 = %2").arg(idColumn).arg(sourceId)), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ") + table), deleted ? items - 1 : items);
    QCOMPARE(count(budgets), budgetSum);
    QCOMPARE(GetCurrentBalance(m_file->db(), 1), bank);
    QCOMPARE(GetCurrentBalance(m_file->db(), 2), cash);
}

void TestMoveForm::refusedBeforeAsking_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("notice");
    QTest::newRow("no target") << "" << "  Select where you want to move the transactions.";
    QTest::newRow("the source itself") << "Shop" << "  Transactions are already in Shop you cannot move them to the same section";
}

void TestMoveForm::refusedBeforeAsking()
{
    QFETCH(QString, target);
    QFETCH(QString, notice);

    const auto before = transactionRows();
    Answers answers;
    bool focusOnTarget = false;
    answers.onList = [&](TfrmEditForm &form) {
        selectItem(form, QStringLiteral("Shop"));
        QTest::mouseClick(form.btnMove, Qt::LeftButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    answers.onMove = [&](TfrmMove &move) {
        QApplication::setActiveWindow(&move);
        moveTo(move, target);
        focusOnTarget = move.cmbMoveTo->hasFocus() || QApplication::focusWidget() == move.cmbMoveTo;
    };
    OpenItemList(m_file->session, nullptr, ItemKind::Payees);
    QVERIFY(answers.moveStillOpen);
    QVERIFY(focusOnTarget);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, notice);
    QCOMPARE(m_file->notifier.dialogs[0].icon, DialogIcon::Information);
    QCOMPARE(transactionRows(), before);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Shop'")), 1);
}

void TestMoveForm::cancelledQuestionMovesNothing()
{
    const auto before = transactionRows();
    m_file->notifier.dialogAnswers << QStringLiteral("Cancel");
    Answers answers;
    answers.onList = [&](TfrmEditForm &form) {
        selectItem(form, QStringLiteral("Shop"));
        QTest::mouseClick(form.btnMove, Qt::LeftButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    answers.onMove = [&](TfrmMove &move) { moveTo(move, QStringLiteral("Grocer")); };
    OpenItemList(m_file->session, nullptr, ItemKind::Payees);
    QVERIFY(answers.moveStillOpen);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(transactionRows(), before);
}

// The engine refuses one row half-way through the move: the user is told, no row
// has changed, nothing more is asked, and the list's earlier work is still committed.
void TestMoveForm::failedMoveIsReportedAndChangesNothing()
{
    const auto before = transactionRows();
    m_file->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF PayeeId ON tbTransactions "
                                "WHEN NEW.TransactionID = %1 BEGIN SELECT RAISE(ABORT, 'row is locked'); END")
                     .arg(before.last()[0]));
    m_file->notifier.dialogAnswers << QStringLiteral("Yes") << QStringLiteral("Move");
    Answers answers;
    answers.onList = [&](TfrmEditForm &form) {
        selectItem(form, QStringLiteral("Landlord"));
        QTest::mouseClick(form.btnDelete, Qt::LeftButton);
        selectItem(form, QStringLiteral("Shop"));
        QTest::mouseClick(form.btnMove, Qt::LeftButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    answers.onMove = [&](TfrmMove &move) { moveTo(move, QStringLiteral("Grocer")); };
    OpenItemList(m_file->session, nullptr, ItemKind::Payees);

    QVERIFY(answers.moveStillOpen);
    const QList<MessageDialogRequest> &dialogs = m_file->notifier.dialogs;
    QCOMPARE(dialogs.size(), 3);
    QCOMPARE(dialogs[0].top, QStringLiteral("Delete?"));
    QCOMPARE(dialogs[1].caption, QStringLiteral("Move"));
    QCOMPARE(dialogs[2].top, QStringLiteral("An error has occured, please re-try"));
    QVERIFY2(dialogs[2].details.contains(QStringLiteral("row is locked")), qPrintable(dialogs[2].details));
    QVERIFY(!m_file->db().InTransaction());
    QCOMPARE(transactionRows(), before);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Shop'")), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Landlord'")), 0);
}

QTEST_MAIN(TestMoveForm)
#include "tst_moveform.moc"
