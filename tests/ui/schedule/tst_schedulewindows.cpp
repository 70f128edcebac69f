#include "core/datafile/sqlstatement.h"
#include "core/schedule/schedulestore.h"
#include "core/store/transactionstore.h"
#include "support/scripteddialogs.h"
#include "support/testdata.h"
#include "support/testdatafile.h"
#include "ui/schedule/scheduledue.h"
#include "ui/schedule/scheduleedit.h"
#include "ui/schedule/scheduleentry.h"
#include "ui/schedule/schedulelist.h"
#include "ui/widgets/multicollistbox.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

namespace {

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList said(const FakeNotifier &notifier)
{
    QStringList tops;
    for (const MessageDialogRequest &request : notifier.dialogs)
        tops << request.top.trimmed();
    return tops;
}

} // namespace

// The schedule list, its editor and "Scheduled Transactions Due", driven through their
// buttons offscreen, on a file with "Bank" and "Savings" and a payee "Landlord".
class TestScheduleWindows : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newScheduleThroughTheList();
    void refusedSaveKeepsTheEditorOpen();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void scheduleThisFillsTheEditorFromTheTransaction();
    void dueWindowEntersTheCheckedAndSkips();
    void laterEntersNothing();
    void dueCheckSaysHowManyWereEntered();

private:
    int transactionCount();
    std::unique_ptr<TestDataFile> m_file;
    int m_bank = 0;
    int m_savings = 0;
    int m_payee = 0;
};

void TestScheduleWindows::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestData data(m_file->db());
    m_bank = data.account(QStringLiteral("Bank"));
    m_savings = data.account(QStringLiteral("Savings"));
    m_payee = data.payee(QStringLiteral("Landlord"));
}

void TestScheduleWindows::cleanup()
{
    m_file.reset();
}

int TestScheduleWindows::transactionCount()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

void TestScheduleWindows::newScheduleThroughTheList()
{
    TestDataFile &f = *m_file;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        auto &list = DialogAs<TfrmScheduleList>(dialog);
        click(list.btnNew);
        [&] {
            QCOMPARE(list.lstItems->count(), 1);
            QCOMPARE(list.lstItems->column(0, 0), QStringLiteral("2024-01-31"));
            QCOMPARE(list.lstItems->column(0, 1), QStringLiteral("Bank"));
            QCOMPARE(list.lstItems->column(0, 2), QStringLiteral("Transfer to Savings"));
            QCOMPARE(list.lstItems->column(0, 3), QStringLiteral("-250.00"));
            QCOMPARE(list.lstItems->column(0, 4), QStringLiteral("Every 2 weeks"));
        }();
        click(list.btnClose);
        return list.result();
    });
    dialogs.then([](QDialog &dialog) {
        auto &editor = DialogAs<TfrmScheduleEdit>(dialog);
        editor.tbType->setCurrentIndex(2);
        editor.cmbAccount->setCurrentText(QStringLiteral("Bank"));
        editor.cmbTransferTo->setCurrentText(QStringLiteral("Savings"));
        editor.dtFirst->setDate(QDate(2024, 1, 31));
        editor.txtAmt->setFocus();
        QTest::keyClicks(editor.txtAmt, QStringLiteral("250"));
        editor.spnInterval->setValue(2);
        editor.cmbPeriod->setCurrentIndex(1);
        [&] { QVERIFY(editor.rbEvery->isChecked()); }();
        [&] { QVERIFY(!editor.spnCount->isEnabled()); }();
        QTest::keyClick(editor.txtAmt, Qt::Key_Return);
        return editor.result();
    });
    QVERIFY(OpenScheduleList(f.session, nullptr));
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));
    QVERIFY(!f.db().InTransaction());
    const QList<ScheduleListRow> rows = ScheduleListRows(f.db(), 2);
    QCOMPARE(rows.size(), 1);
    const std::optional<TSchedule> stored = LoadSchedule(f.db(), rows[0].scheduleId);
    QCOMPARE(stored->OtherAccountID, m_savings);
    QCOMPARE(stored->Amount, Money::fromUnits(-2500000));
    QCOMPARE(stored->rule.frequency, ScheduleFrequency::Weeks);
}

void TestScheduleWindows::refusedSaveKeepsTheEditorOpen()
{
    TestDataFile &f = *m_file;
    TfrmScheduleEdit editor(f.db(), f.notifier);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.cmbAccount->setCurrentText(QStringLiteral("Bank"));
    editor.tbType->setCurrentIndex(2);
    editor.cmbTransferTo->setCurrentText(QStringLiteral("Bank"));
    editor.txtAmt->setText(QStringLiteral("10"));
    click(editor.btnSave);
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.savedId(), 0);
    QCOMPARE(said(f.notifier), QStringList{QStringLiteral("A transfer needs an account other than its own")});
    QCOMPARE(QApplication::focusWidget(), editor.cmbTransferTo);
    QCOMPARE(ScheduleListRows(f.db(), 2).size(), 0);
}

void TestScheduleWindows::deleteAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("yes") << "Yes" << 0;
    QTest::newRow("no") << "No" << 1;
}

void TestScheduleWindows::deleteAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(int, left);
    TestDataFile &f = *m_file;
    TestSchedule rent;
    rent.accountId = m_bank;
    rent.payeeId = m_payee;
    TestData(f.db()).schedule(rent);
    f.notifier.dialogAnswers << answer;
    ScriptedDialogs dialogs;
    dialogs.then([](QDialog &dialog) {
        auto &list = DialogAs<TfrmScheduleList>(dialog);
        list.lstItems->setItemIndex(0);
        click(list.btnDelete);
        return int(QDialog::Accepted);
    });
    QCOMPARE(OpenScheduleList(f.session, nullptr), left == 0);
    QCOMPARE(said(f.notifier), QStringList{QStringLiteral("Delete the scheduled transaction Landlord -10.00 Monthly on day 1?")});
    QCOMPARE(ScheduleListRows(f.db(), 2).size(), left);
}

void TestScheduleWindows::scheduleThisFillsTheEditorFromTheTransaction()
{
    TestDataFile &f = *m_file;
    TestTransaction paid;
    paid.accountId = m_bank;
    paid.payeeId = m_payee;
    paid.amount = Money::fromUnits(-4000000);
    paid.date = QDate(2024, 5, 31);
    TTransaction transaction;
    QVERIFY(LoadTransaction(f.db(), TestData(f.db()).transaction(paid), transaction));
    ScriptedDialogs dialogs;
    dialogs.then([](QDialog &dialog) {
        auto &editor = DialogAs<TfrmScheduleEdit>(dialog);
        [&] {
            QCOMPARE(editor.tbType->currentIndex(), 0);
            QCOMPARE(editor.cmbAccount->currentText(), QStringLiteral("Bank"));
            QCOMPARE(editor.cmbPayee->currentText(), QStringLiteral("Landlord"));
            QCOMPARE(editor.txtAmt->text(), QStringLiteral("400.00"));
            QCOMPARE(editor.dtFirst->date(), QDate(2024, 6, 30));
            QCOMPARE(editor.cmbPeriod->currentIndex(), int(ScheduleFrequency::Months));
        }();
        click(editor.btnSave);
        return editor.result();
    });
    QVERIFY(OpenScheduleEditorFor(f.session, nullptr, transaction));
    // Monthly on the 31st, though the first due date is the 30th.
    QCOMPARE(ScheduleListRows(f.db(), 2).value(0).frequency, QStringLiteral("Monthly on day 31"));
    QVERIFY(!f.db().InTransaction());
}

void TestScheduleWindows::dueWindowEntersTheCheckedAndSkips()
{
    TestDataFile &f = *m_file;
    TestData data(f.db());
    TestSchedule rent;
    rent.accountId = m_bank;
    rent.payeeId = m_payee;
    rent.autoEnter = false;
    rent.nextDue = QDate(2024, 1, 1);
    const int rentId = data.schedule(rent);
    TestSchedule other = rent;
    other.nextDue = QDate(2024, 1, 20);
    other.dayOfMonth = 20;
    const int otherId = data.schedule(other);

    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([&](QDialog &dialog) {
        auto &due = DialogAs<TfrmScheduleDue>(dialog);
        [&] {
            QCOMPARE(due.windowTitle(), QStringLiteral("Scheduled Transactions Due"));
            QCOMPARE(due.lstDue->topLevelItemCount(), 3); // 1 Jan, 20 Jan, 1 Feb
            QCOMPARE(due.lstDue->topLevelItem(0)->text(0), QStringLiteral("01/01/2024"));
            QCOMPARE(due.lstDue->topLevelItem(0)->text(1), QStringLiteral("Bank"));
            QCOMPARE(due.lstDue->topLevelItem(0)->text(2), QStringLiteral("Landlord"));
            QCOMPARE(due.lstDue->topLevelItem(0)->text(3), QStringLiteral("-10.00"));
        }();
        // Enter only the one of 20 January: the others stay listed.
        due.setChecked(0, false);
        due.setChecked(2, false);
        click(due.btnEnter);
        [&] { QCOMPARE(due.lstDue->topLevelItemCount(), 2); }();
        // Skip what is left (every box is checked again): the window closes.
        click(due.btnSkip);
        return due.result();
    });
    QCOMPARE(CheckSchedulesDue(f.session, nullptr, QDate(2024, 2, 5)), 1);
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));
    QCOMPARE(transactionCount(), 1);
    QCOMPARE(LoadSchedule(f.db(), rentId)->NextDueDate, QDate(2024, 3, 1));
    QCOMPARE(LoadSchedule(f.db(), otherId)->NextDueDate, QDate(2024, 2, 20));
    QCOMPARE(f.notifier.lastBar().trimmed(), QStringLiteral("1 scheduled transaction entered."));
}

void TestScheduleWindows::laterEntersNothing()
{
    TestDataFile &f = *m_file;
    TestSchedule rent;
    rent.accountId = m_bank;
    rent.autoEnter = false;
    rent.nextDue = QDate(2024, 1, 1);
    TestData(f.db()).schedule(rent);
    for (int round = 0; round < 2; ++round) {
        ScriptedDialogs dialogs;
        dialogs.then([](QDialog &dialog) {
            auto &due = DialogAs<TfrmScheduleDue>(dialog);
            click(due.btnLater);
            return due.result();
        });
        QCOMPARE(CheckSchedulesDue(f.session, nullptr, QDate(2024, 1, 10)), 0);
        QVERIFY(dialogs.done());
    }
    QCOMPARE(transactionCount(), 0);
}

void TestScheduleWindows::dueCheckSaysHowManyWereEntered()
{
    TestDataFile &f = *m_file;
    TestSchedule rent;
    rent.accountId = m_bank;
    rent.nextDue = QDate(2024, 1, 1);
    TestData(f.db()).schedule(rent);
    ScriptedDialogs dialogs; // nothing to ask: every occurrence is entered automatically
    QCOMPARE(CheckSchedulesDue(f.session, nullptr, QDate(2024, 3, 1)), 3);
    QCOMPARE(f.notifier.lastBar().trimmed(), QStringLiteral("3 scheduled transactions entered."));
    QCOMPARE(transactionCount(), 3);
    f.notifier.clear();
    QCOMPARE(CheckSchedulesDue(f.session, nullptr, QDate(2024, 3, 1)), 0);
    QVERIFY(f.notifier.bars.isEmpty());
}

QTEST_MAIN(TestScheduleWindows)
#include "tst_schedulewindows.moc"
