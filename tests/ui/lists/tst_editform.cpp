#include "support/scripteddialogs.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "ui/lists/editform.h"
#include "ui/lists/itemlist.h"
#include "core/lists/items.h"
#include "ui/lists/itemsetup.h"
#include "support/testdatafile.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

// Answers the modal dialogs the list dialog opens: the item setup dialog through
// `onSetup` (Cancel when unset) and the list dialog itself through `onList`.
class Answers : public ScriptedDialogs
{
public:
    std::function<void(TfrmItemSetup &)> onSetup;
    std::function<void(TfrmEditForm &)> onList;

    Answers() : ScriptedDialogs(Showing::Shown)
    {
        always<TfrmItemSetup>([this](TfrmItemSetup &d) {
            if (onSetup)
                onSetup(d);
        });
        always<TfrmEditForm>([this](TfrmEditForm &form) {
            if (onList)
                onList(form);
        });
    }
    int setupsShown() const { return int(opened.count(QStringLiteral("TfrmItemSetup"))); }
};

void enter(TfrmItemSetup &d, const QString &name, bool expense, const QString &amount, const QString &frequency)
{
    d.edtName->setText(name);
    (expense ? d.rbExpense : d.rbIncome)->setChecked(true);
    d.txtAmt->setText(amount);
    d.cmbFrequency->setCurrentIndex(d.cmbFrequency->findText(frequency));
    d.btnOK->click();
}

int rowOf(const TMultiColListbox *list, const QString &text)
{
    return int(list->items().indexOf(text));
}

} // namespace

// The payee and category list dialog, driven offscreen with its buttons; the
// questions go to the fake notifier, the item setup dialog to the hook above.
class TestEditForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheListOfItsKind_data();
    void showsTheListOfItsKind();
    void newCreatesTheItem();
    void newCancelledStoresNothing();
    void newRefusesADuplicate();
    void editRewritesTheSelectedItem_data();
    void editRewritesTheSelectedItem();
    void editCancelledKeepsTheItem();
    void commandsNeedASelection_data();
    void commandsNeedASelection();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void badAmountIsReportedAndNothingStored();
    void openItemListCommitsWhenClosed();
    void failedCommandKeepsTheOthers();
    void openItemListRollsBackWhenAnErrorEscapes();

private:
    int count(const QString &where);
    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<TfrmEditForm> m_form;
};

void TestEditForm::init()
{
    m_file = std::make_unique<TestDataFile>();
    m_file->exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES "
                                "('Grocer', 'Expense', 3000000, 'Monthly'), ('A', 'Expense', 10000, 'Daily'), "
                                "('A;B', 'Income', 50000, 'Weekly'), ('Employer', 'Income', 0, ' ')"));
    m_file->exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES "
                                "('Food', 'Expense', 0, ' ')"));
    m_form = std::make_unique<TfrmEditForm>(m_file->session);
    m_form->kind = ItemKind::Payees;
}

void TestEditForm::cleanup()
{
    m_form.reset();
    m_file.reset();
}

int TestEditForm::count(const QString &where)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE ") + where);
    q.exec();
    q.next();
    return q.value(0).toInt();
}

void TestEditForm::showsTheListOfItsKind_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("payees") << ItemKind::Payees << "Edit Payee"
                            << QStringList{"A;Expense;1;Daily", "Grocer;Expense;300;Monthly",
                                           "A,B;Income;5;Weekly", "Employer;Income;0; "};
    QTest::newRow("categories") << ItemKind::Categories << "Edit Category" << QStringList{"Food;Expense;0; "};
}

void TestEditForm::showsTheListOfItsKind()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, caption);
    QFETCH(QStringList, rows);
    m_form->kind = kind;
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Edit"));
    m_form->show();
    QCOMPARE(m_form->windowTitle(), caption);
    QCOMPARE(m_form->lstItems->items(), rows);
    QCOMPARE(m_form->lstItems->firstSelectedRow(), -1);
    QVERIFY(m_form->btnMove->isVisible());
    QVERIFY(m_form->btnMove->isEnabled());
}

void TestEditForm::newCreatesTheItem()
{
    Answers answers;
    QString caption, title;
    answers.onSetup = [&](TfrmItemSetup &d) {
        caption = d.windowTitle();
        title = d.lblTitle->text();
        enter(d, QStringLiteral("Landlord \"Bob\""), true, QStringLiteral("650.25"), QStringLiteral("Monthly"));
    };
    m_form->show();
    QTest::mouseClick(m_form->btnNew, Qt::LeftButton);
    QCOMPARE(caption, QStringLiteral("New Item"));
    QCOMPARE(title, QStringLiteral("  Enter a new item description"));
    QVERIFY(m_file->notifier.dialogs.isEmpty());
    QCOMPARE(m_form->LastNewItem, QStringLiteral("Landlord \"Bob\""));
    QVERIFY(rowOf(m_form->lstItems, QStringLiteral("Landlord \"Bob\";Expense;650.25;Monthly")) >= 0);
    QCOMPARE(count(QStringLiteral("PayeeName = 'Landlord \"Bob\"' AND Amt = 6502500 AND Type = 'Expense'")), 1);
}

void TestEditForm::newCancelledStoresNothing()
{
    Answers answers;
    answers.onSetup = [](TfrmItemSetup &d) {
        d.edtName->setText(QStringLiteral("Typed then cancelled"));
        d.btnCancel->click();
    };
    m_form->show();
    const QStringList before = m_form->lstItems->items();
    QTest::mouseClick(m_form->btnNew, Qt::LeftButton);
    QCOMPARE(answers.setupsShown(), 1);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, QStringLiteral("  Enter item description please."));
    QCOMPARE(m_form->lstItems->items(), before);
    QCOMPARE(m_form->LastNewItem, QString());
}

void TestEditForm::newRefusesADuplicate()
{
    Answers answers;
    answers.onSetup = [](TfrmItemSetup &d) { enter(d, QStringLiteral("grocer"), false, QStringLiteral("1"), QStringLiteral("Daily")); };
    m_form->show();
    QTest::mouseClick(m_form->btnNew, Qt::LeftButton);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, QStringLiteral("  Item already exists."));
    QCOMPARE(count(QStringLiteral("PayeeName = 'Grocer'")), 1);
    QCOMPARE(count(QStringLiteral("PayeeName = 'Grocer' AND Amt = 3000000")), 1);
    // Remembered even though refused.
    QCOMPARE(m_form->LastNewItem, QStringLiteral("grocer"));
}

void TestEditForm::editRewritesTheSelectedItem_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Edit button") << "button";
    QTest::newRow("double click") << "double click";
    QTest::newRow("Enter on the list") << "enter";
}

void TestEditForm::editRewritesTheSelectedItem()
{
    QFETCH(QString, how);
    Answers answers;
    QString caption, title, name, amount, frequency;
    bool income = false;
    answers.onSetup = [&](TfrmItemSetup &d) {
        caption = d.windowTitle();
        title = d.lblTitle->text();
        name = d.edtName->text();
        income = d.rbIncome->isChecked();
        amount = d.txtAmt->text();
        frequency = d.cmbFrequency->currentText();
        enter(d, QStringLiteral("C"), true, QStringLiteral("12"), QStringLiteral("Yearly"));
    };
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    TMultiColListbox *list = m_form->lstItems;
    // The row shows "A,B"; the item is "A;B", and "A" must not be touched.
    const int row = rowOf(list, QStringLiteral("A,B;Income;5;Weekly"));
    QVERIFY(row >= 0);
    if (how == QLatin1String("double click")) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    } else if (how == QLatin1String("enter")) {
        list->setItemIndex(row);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        list->setItemIndex(row);
        QTest::mouseClick(m_form->btnRename, Qt::LeftButton);
    }
    QCOMPARE(answers.setupsShown(), 1);
    QCOMPARE(caption, QStringLiteral("Edit Payee"));
    QCOMPARE(title, QStringLiteral("  Edit the item description"));
    QCOMPARE(name, QStringLiteral("A;B"));
    QVERIFY(income);
    QCOMPARE(amount, QStringLiteral("5"));
    QCOMPARE(frequency, QStringLiteral("Weekly"));
    QVERIFY(m_file->notifier.dialogs.isEmpty());
    QCOMPARE(count(QStringLiteral("PayeeName = 'C' AND Type = 'Expense' AND Amt = 120000 AND Frequency = 'Yearly'")), 1);
    QCOMPARE(count(QStringLiteral("PayeeName = 'A;B'")), 0);
    QCOMPARE(count(QStringLiteral("PayeeName = 'A' AND Amt = 10000 AND Frequency = 'Daily'")), 1);
    QVERIFY(rowOf(list, QStringLiteral("C;Expense;12;Yearly")) >= 0);
    QCOMPARE(list->firstSelectedRow(), -1);
}

void TestEditForm::editCancelledKeepsTheItem()
{
    Answers answers;
    answers.onSetup = [](TfrmItemSetup &d) {
        d.edtName->setText(QStringLiteral("Not this"));
        d.btnCancel->click();
    };
    m_form->show();
    const QStringList before = m_form->lstItems->items();
    m_form->lstItems->setItemIndex(rowOf(m_form->lstItems, QStringLiteral("Grocer;Expense;300;Monthly")));
    QTest::mouseClick(m_form->btnRename, Qt::LeftButton);
    QCOMPARE(answers.setupsShown(), 1);
    QCOMPARE(m_form->lstItems->items(), before);
    QCOMPARE(count(QStringLiteral("PayeeName = 'Grocer' AND Type = 'Expense' AND Amt = 3000000 AND Frequency = 'Monthly'")), 1);
}

void TestEditForm::commandsNeedASelection_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("warning");
    QTest::newRow("edit") << "btnRename" << "  No item selected. Select an item to rename.";
    QTest::newRow("delete") << "btnDelete" << "  No item selected. Select an item to delete.";
    QTest::newRow("move") << "btnMove" << "  No item selected. Select an item to move to another category/payee.";
}

void TestEditForm::commandsNeedASelection()
{
    QFETCH(QString, command);
    QFETCH(QString, warning);
    Answers answers;
    m_form->show();
    QTest::mouseClick(m_form->findChild<QPushButton *>(command), Qt::LeftButton);
    QCOMPARE(answers.setupsShown(), 0);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, warning);
    QCOMPARE(count(QStringLiteral("1")), 5);
}

void TestEditForm::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("no") << "No" << 1;
    QTest::newRow("yes") << "Yes" << 0;
}

void TestEditForm::deleteAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(int, left);
    m_file->exec(QStringLiteral("INSERT INTO tbTransactions (PayeeId, Amount, AccountId) "
                                "SELECT PayeeId, -10000, 1 FROM tbPayee WHERE PayeeName = 'Grocer'"));
    m_file->notifier.dialogAnswers << answer;
    m_form->show();
    m_form->lstItems->setItemIndex(rowOf(m_form->lstItems, QStringLiteral("Grocer;Expense;300;Monthly")));
    QTest::mouseClick(m_form->btnDelete, Qt::LeftButton);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, QStringLiteral("Delete?"));
    QCOMPARE(count(QStringLiteral("PayeeName = 'Grocer'")), left);
    QCOMPARE(rowOf(m_form->lstItems, QStringLiteral("Grocer;Expense;300;Monthly")) >= 0, left == 1);
    QCOMPARE(count(QStringLiteral("PayeeName = 'A'")), 1);
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    q.next();
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestEditForm::badAmountIsReportedAndNothingStored()
{
    Answers answers;
    answers.onSetup = [](TfrmItemSetup &d) { enter(d, QStringLiteral("Dentist"), true, QStringLiteral("."), QStringLiteral("Yearly")); };
    m_form->show();
    QTest::mouseClick(m_form->btnNew, Qt::LeftButton);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs[0].top, QStringLiteral("An error has occured, please re-try"));
    QCOMPARE(m_file->notifier.dialogs[0].details, QStringLiteral("'.' is not a valid amount."));
    QCOMPARE(count(QStringLiteral("PayeeName = 'Dentist'")), 0);
    QVERIFY(m_form->isVisible());
    QVERIFY(!m_file->db().InTransaction());
}

void TestEditForm::openItemListCommitsWhenClosed()
{
    Answers answers;
    bool inTransaction = false;
    QString caption;
    answers.onSetup = [](TfrmItemSetup &d) { enter(d, QStringLiteral("Dentist"), true, QStringLiteral("90"), QStringLiteral("3 Months")); };
    answers.onList = [&](TfrmEditForm &form) {
        inTransaction = m_file->db().InTransaction();
        caption = form.windowTitle();
        QTest::mouseClick(form.btnNew, Qt::LeftButton);
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    QCOMPARE(OpenItemList(m_file->session, nullptr, ItemKind::Categories), QStringLiteral("Dentist"));
    QVERIFY(inTransaction);
    QCOMPARE(caption, QStringLiteral("Edit Category"));
    QVERIFY(!m_file->db().InTransaction());
    // Committed: a second connection sees it.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(m_file->path());
        QVERIFY(other.open());
        QSqlQuery q(other);
        QVERIFY(q.exec(QStringLiteral("SELECT Amt, Frequency FROM tbCategory WHERE CategoryDescription = 'Dentist'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toLongLong(), 900000);
        QCOMPARE(q.value(1).toString(), QStringLiteral("3 Months"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

void TestEditForm::failedCommandKeepsTheOthers()
{
    // The engine refuses deleting "A": that command fails and is reported, the dialog
    // stays open, and the item added before it is still committed at the close.
    m_file->exec(QStringLiteral("CREATE TRIGGER keepA BEFORE DELETE ON tbPayee WHEN old.PayeeName = 'A' "
                                "BEGIN SELECT RAISE(ABORT, 'A is kept'); END"));
    m_file->notifier.dialogAnswers << QStringLiteral("Yes");
    Answers answers;
    bool stillOpen = false;
    answers.onSetup = [](TfrmItemSetup &d) { enter(d, QStringLiteral("Dentist"), true, QStringLiteral("90"), QStringLiteral("Monthly")); };
    answers.onList = [&](TfrmEditForm &form) {
        QTest::mouseClick(form.btnNew, Qt::LeftButton);
        form.lstItems->setItemIndex(rowOf(form.lstItems, QStringLiteral("A;Expense;1;Daily")));
        QTest::mouseClick(form.btnDelete, Qt::LeftButton);
        stillOpen = form.isVisible();
        QTest::mouseClick(form.btnNew, Qt::LeftButton); // the transaction is still usable
        QTest::mouseClick(form.btnClose, Qt::LeftButton);
    };
    QCOMPARE(OpenItemList(m_file->session, nullptr, ItemKind::Payees), QStringLiteral("Dentist"));
    QVERIFY(stillOpen);
    const QList<MessageDialogRequest> &dialogs = m_file->notifier.dialogs;
    QCOMPARE(dialogs.size(), 3);
    QCOMPARE(dialogs[0].top, QStringLiteral("Delete?"));
    QCOMPARE(dialogs[1].top, QStringLiteral("An error has occured, please re-try"));
    QVERIFY2(dialogs[1].details.contains(QStringLiteral("A is kept")), qPrintable(dialogs[1].details));
    QCOMPARE(dialogs[2].top, QStringLiteral("  Item already exists."));
    QVERIFY(!m_file->db().InTransaction());
    QCOMPARE(count(QStringLiteral("PayeeName = 'Dentist'")), 1);
    QCOMPARE(count(QStringLiteral("PayeeName = 'A'")), 1);
}

void TestEditForm::openItemListRollsBackWhenAnErrorEscapes()
{
    Answers answers;
    answers.onSetup = [](TfrmItemSetup &d) { enter(d, QStringLiteral("Dentist"), true, QStringLiteral("90"), QStringLiteral("Monthly")); };
    answers.onList = [](TfrmEditForm &form) {
        QTest::mouseClick(form.btnNew, Qt::LeftButton);
        throw TillbrookError(QStringLiteral("the window went away"));
    };
    QVERIFY_THROWS_EXCEPTION(TillbrookError, OpenItemList(m_file->session, nullptr, ItemKind::Payees));
    QVERIFY(!m_file->db().InTransaction());
    QCOMPARE(count(QStringLiteral("PayeeName = 'Dentist'")), 0);
}

QTEST_MAIN(TestEditForm)
#include "tst_editform.moc"
