#include "support/fakeregisterhost.h"

#include "core/store/transactionstore.h"
#include "support/scripteddialogs.h"
#include "ui/lists/editform.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/items.h"
#include "core/register/entrylock.h"
#include "ui/register/entry/entrypanel.h"
#include "core/register/transactioncommands.h"
#include "support/testdatafile.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <optional>

// The entry panel driven through its widgets, on a stand-in register. Accounts:
// "Bank" (base currency), "Euro" (rate 1.5) and "Pound" (rate 1, not the base).
class TestEntryPanel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void captionsHintsAndTabOrder();
    void modesEnableTheirControls();
    void saveStoresTheSignedAmount_data();
    void saveStoresTheSignedAmount();
    void amountRefusals_data();
    void amountRefusals();
    void amountKeyFilter_data();
    void amountKeyFilter();
    void clipboardKeysDoNothingInTheAmount();
    void savingIntoAnotherMonthMovesTheRegister();
    void nextNewKeepsDateAndType();
    void doubleQuoteBecomesABlank_data();
    void doubleQuoteBecomesABlank();
    void leavingTheBoxesDropsUnknownNames();
    void noteIsCutAtItsColumnLength();
    void autoCategory_data();
    void autoCategory();
    void rateOneNoKeepsThePanelAndWritesNothing();
    void typeTabs_data();
    void typeTabs();
    void transferListLeavesOutTheShownAccount();
    void normalTransactionCannotBecomeATransfer();
    void transferCannotBeEdited();
    void transferWithoutTargetIsRefused();
    void fillShowsTheTransaction();
    void cancelReturnsToBrowse();
    void typeStripAndDoubleClickStartANew();
    void deleteAndMarkThroughThePanel();
    void failedWriteLeavesFileAndRegisterAsTheyWere_data();
    void failedWriteLeavesFileAndRegisterAsTheyWere();
    void exitRefusedWhileEntering();
    void itemButtonsReselect_data();
    void itemButtonsReselect();
    void setupMenuKeepsTheEntryBeingMade_data();
    void setupMenuKeepsTheEntryBeingMade();

private:
    template<typename T> T *child(const char *name) { return m_panel->findChild<T *>(QLatin1String(name)); }
    void activate();
    void typeInto(QWidget *w, const QString &text);
    int count();
    int save(TransactionType type, const QString &amount, const QDate &date = QDate(2024, 3, 15));

    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<FakeRegisterHost> m_host;
    std::unique_ptr<EntryPanel> m_panel;
};

void TestEntryPanel::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('E', 'EUR', 1.5, 0)"));
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('P', 'GBP', 1, 0)"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Euro', 'Euro', 2, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Pound', 'Pound', 3, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Landlord', 'Expense', 0, ' ')"));
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Rent', 'Expense', 0, ' ')"));
    m_host = std::make_unique<FakeRegisterHost>();
    m_panel = std::make_unique<EntryPanel>(f.session, *m_host);
    m_panel->refillItemLists();
}

void TestEntryPanel::cleanup()
{
    m_panel.reset();
    m_host.reset();
    m_file.reset();
}

void TestEntryPanel::activate()
{
    m_panel->show();
    QApplication::setActiveWindow(m_panel.get());
    QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
}

void TestEntryPanel::typeInto(QWidget *w, const QString &text)
{
    QTest::keyClicks(w, text);
}

int TestEntryPanel::count()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

// New, the type, payee, category, date and amount typed, then Save.
int TestEntryPanel::save(TransactionType type, const QString &amount, const QDate &date)
{
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(int(type));
    child<QComboBox>("cmbPayee")->setCurrentText(QStringLiteral("Grocer"));
    child<QComboBox>("cmbCategory")->setCurrentText(QStringLiteral("Food"));
    child<QDateEdit>("TrnDate")->setDate(date);
    child<QLineEdit>("txtAmt")->clear();
    typeInto(child<QLineEdit>("txtAmt"), amount);
    child<QPushButton>("btnSave")->click();
    return m_host->state.SelectedTransactionId;
}

void TestEntryPanel::captionsHintsAndTabOrder()
{
    QCOMPARE(child<QGroupBox>("GroupBoxTransaction")->title(), QStringLiteral("Transaction"));
    QTabBar *tabs = child<QTabBar>("tbPayReceive");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Pay / Buy"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Receive / Sell"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Transfer"));
    QCOMPARE(child<QPushButton>("btnSave")->text(), QStringLiteral("&Save"));
    QCOMPARE(child<QLineEdit>("txtAmt")->toolTip(), QStringLiteral("Enter the amount for the transaction."));
    QCOMPARE(child<QComboBox>("cmbPayee")->toolTip(), QStringLiteral("Type your new Payee or select one from the drop down list."));
    QCOMPARE(child<QLineEdit>("txtAmt")->maxLength(), 10);
    QCOMPARE(child<QComboBox>("cmbPayee")->lineEdit()->maxLength(), 75);
    const QStringList statuses{QStringLiteral(" "), QStringLiteral("Void"), QStringLiteral("Cleared"), QStringLiteral("Reconciled")};
    QComboBox *status = child<QComboBox>("cmbReconciled");
    for (int i = 0; i < statuses.size(); ++i)
        QCOMPARE(status->itemText(i), statuses[i]);

    // Tab walks the fields in their order (hidden ones are skipped); the amount
    // field's key filter lets Tab through.
    activate();
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(2);
    const char *order[] = {"txtTrnNumber", "TrnDate", "cmbPayee", "btnPayee1", "cmbCategory", "btnCategory1",
                           "memoNote", "txtAmt", "cmbTransferTo", "btnSave", "btnCancel", "cmbReconciled"};
    child<QWidget>("txtTrnNumber")->setFocus(Qt::TabFocusReason);
    for (size_t i = 1; i < std::size(order); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // The date field takes Tab for its day, month and year sections first.
        for (int section = 0; section < 2 && QApplication::focusWidget() == child<QWidget>("TrnDate"); ++section)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QVERIFY2(focused, order[i]);
        QCOMPARE(focused->objectName(), QLatin1String(order[i]));
    }
}

void TestEntryPanel::modesEnableTheirControls()
{
    QGroupBox *group = child<QGroupBox>("GroupBoxTransaction");
    QVERIFY(!group->isEnabled());
    QVERIFY(!child<QTabBar>("tbPayReceive")->isEnabled());
    QVERIFY(m_host->browseEnabled);
    for (EntryMode mode : {EntryMode::New, EntryMode::Edit}) {
        m_panel->SetEntryMode(mode);
        QCOMPARE(m_host->state.entryMode, mode);
        QVERIFY(group->isEnabled());
        QVERIFY(child<QPushButton>("btnSave")->isEnabled());
        QVERIFY(child<QPushButton>("btnCancel")->isEnabled());
        QVERIFY(child<QTabBar>("tbPayReceive")->isEnabled());
        QVERIFY(!m_host->browseEnabled);
    }
    m_panel->SetEntryMode(EntryMode::Browse);
    QVERIFY(!group->isEnabled());
    QVERIFY(!child<QPushButton>("btnSave")->isEnabled());
    QVERIFY(m_host->browseEnabled);
}

void TestEntryPanel::saveStoresTheSignedAmount_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("pay") << 0 << qint64(-125000) << "12.50";
    QTest::newRow("receive") << 1 << qint64(125000) << "12.50";
}

void TestEntryPanel::saveStoresTheSignedAmount()
{
    QFETCH(int, type);
    QFETCH(qint64, stored);
    QFETCH(QString, shown);
    const int id = save(TransactionType(type), QStringLiteral("12.50"));
    QVERIFY(id > 0);
    QCOMPARE(m_host->added.size(), 1);
    QCOMPARE(m_host->added.first().Amount.units(), stored);
    TTransaction t;
    QVERIFY(LoadTransaction(m_file->db(), id, t));
    QCOMPARE(t.Amount.units(), stored);
    QCOMPARE(t.PayeeName, QStringLiteral("Grocer"));
    QCOMPARE(m_host->state.entryMode, EntryMode::Browse);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    // The panel shows the saved transaction, the amount without the sign of its type.
    QCOMPARE(child<QLineEdit>("txtAmt")->text(), shown);
    QCOMPARE(child<QLineEdit>("txtTrnNumber")->text(), QString::number(id));
    QCOMPARE(int(m_panel->loadedType()), type);
}

void TestEntryPanel::amountRefusals_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("bar");
    QTest::newRow("blank") << "" << "  Transaction amount cannot be left blank";
    QTest::newRow("0") << "0" << "  Transaction amount cannot be 0";
    QTest::newRow("0.00") << "0.00" << "  Transaction amount cannot be 0";
    QTest::newRow("point alone") << "." << "  Transaction amount must be a number";
}

void TestEntryPanel::amountRefusals()
{
    QFETCH(QString, amount);
    QFETCH(QString, bar);
    activate();
    save(TransactionType::Pay, amount);
    QCOMPARE(m_file->notifier.lastBar(), bar);
    QCOMPARE(m_file->notifier.bars.last().kind, BarKind::Warning);
    QVERIFY(m_file->notifier.dialogs.isEmpty()); // no error dialog
    QCOMPARE(count(), 0);
    QCOMPARE(m_host->state.entryMode, EntryMode::New);
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>("txtAmt"));
}

void TestEntryPanel::amountKeyFilter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second point") << 0 << "1.2.3" << "1.23";
    QTest::newRow("minus with pay") << 0 << "-5" << "5";
    QTest::newRow("minus with receive") << 1 << "-5" << "5";
    QTest::newRow("minus with transfer") << 2 << "-5" << "-5";
    QTest::newRow("letters and blanks") << 1 << "1a 2,b" << "12";
    QTest::newRow("quote") << 0 << "4\"2" << "42";
}

void TestEntryPanel::amountKeyFilter()
{
    QFETCH(int, type);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(type);
    QLineEdit *amount = child<QLineEdit>("txtAmt");
    typeInto(amount, typed);
    QCOMPARE(amount->text(), expected);
    QTest::keyClick(amount, Qt::Key_Backspace);
    QCOMPARE(amount->text(), expected.chopped(1));
}

void TestEntryPanel::clipboardKeysDoNothingInTheAmount()
{
    m_panel->tbNewClick();
    QLineEdit *amount = child<QLineEdit>("txtAmt");
    QApplication::clipboard()->setText(QStringLiteral("abc"));
    typeInto(amount, QStringLiteral("12"));
    QTest::keyClick(amount, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(amount->text(), QStringLiteral("12"));
}

void TestEntryPanel::savingIntoAnotherMonthMovesTheRegister()
{
    const int id = save(TransactionType::Pay, QStringLiteral("5"), QDate(2023, 11, 30));
    QVERIFY(id > 0);
    QCOMPARE(m_host->months.size(), 1);
    QCOMPARE(m_host->months.first(), qMakePair(11, 2023));
    // The reload cleared the selection; the save restores it and selects the row.
    QCOMPARE(m_host->state.SelectedTransactionId, id);
    QVERIFY(m_host->selects > 0);
    QVERIFY(m_host->refreshes > 0);
}

void TestEntryPanel::nextNewKeepsDateAndType()
{
    QDateEdit *date = child<QDateEdit>("TrnDate");
    date->setDate(QDate(2020, 1, 1));
    m_panel->tbNewClick();
    QCOMPARE(date->date(), QDate::currentDate());
    QVERIFY(!m_host->state.TodayOnNextNew);
    m_panel->btnCancelClick();

    save(TransactionType::Receive, QStringLiteral("3"), QDate(2024, 2, 3));
    m_panel->tbNewClick();
    QCOMPARE(date->date(), QDate(2024, 2, 3));
    QCOMPARE(m_panel->currentType(), TransactionType::Receive);
    QVERIFY(child<QLineEdit>("txtAmt")->text().isEmpty());
    QCOMPARE(m_host->state.SelectedTransactionId, -1);
}

void TestEntryPanel::doubleQuoteBecomesABlank_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("warning");
    QTest::newRow("payee") << "cmbPayee" << "  You cannot use \"\" quotes in the name.";
    QTest::newRow("category") << "cmbCategory" << "  You cannot use \"\" quotes in the name.";
    QTest::newRow("note") << "memoNote" << "  You cannot use \"\" quotes in the note.";
}

void TestEntryPanel::doubleQuoteBecomesABlank()
{
    QFETCH(QString, field);
    QFETCH(QString, warning);
    m_panel->tbNewClick();
    QWidget *w = m_panel->findChild<QWidget *>(field);
    typeInto(w, QStringLiteral("Al\"s"));
    const QString text = qobject_cast<QComboBox *>(w) ? qobject_cast<QComboBox *>(w)->currentText()
                                                      : qobject_cast<QPlainTextEdit *>(w)->toPlainText();
    QCOMPARE(text, QStringLiteral("Al s"));
    QCOMPARE(m_file->notifier.lastBar(), warning);
    QCOMPARE(m_file->notifier.bars.last().kind, BarKind::Warning);
}

void TestEntryPanel::noteIsCutAtItsColumnLength()
{
    m_panel->tbNewClick();
    QPlainTextEdit *note = child<QPlainTextEdit>("memoNote");
    note->insertPlainText(QString(149, u'x'));
    typeInto(note, QStringLiteral("yz"));
    QCOMPARE(note->toPlainText(), QString(149, u'x') + u'y');
    note->setPlainText(QString(400, u'p')); // a paste
    QCOMPARE(note->toPlainText().size(), 150);
}

void TestEntryPanel::leavingTheBoxesDropsUnknownNames()
{
    activate();
    m_panel->tbNewClick();
    QComboBox *payee = child<QComboBox>("cmbPayee");
    QComboBox *category = child<QComboBox>("cmbCategory");
    payee->setFocus();
    typeInto(payee, QStringLiteral("gro"));   // completes to the entry
    category->setFocus();
    QCOMPARE(payee->currentText(), QStringLiteral("Grocer"));
    typeInto(category, QStringLiteral("Zzz")); // begins no entry
    child<QPlainTextEdit>("memoNote")->setFocus();
    QCOMPARE(category->currentText(), QString());
}

void TestEntryPanel::autoCategory_data()
{
    QTest::addColumn<bool>("autoOn");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("on, empty") << true << "" << "Rent";
    QTest::newRow("on, already chosen") << true << "Food" << "Food";
    QTest::newRow("off") << false << "" << "";
}

void TestEntryPanel::autoCategory()
{
    QFETCH(bool, autoOn);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    // The grocer's last transaction was booked under "Rent".
    TTransaction earlier;
    earlier.TransactionDate = QDate(2024, 1, 5);
    earlier.PayeeName = QStringLiteral("Grocer");
    earlier.CategoryDescription = QStringLiteral("Rent");
    earlier.AccountDescription = QStringLiteral("Bank");
    earlier.Amount = Money::fromUnits(-10000);
    InsertTransaction(m_file->db(), earlier);
    m_file->session.options.AutoTransactionOn = autoOn;

    activate();
    m_panel->tbNewClick();
    QComboBox *payee = child<QComboBox>("cmbPayee");
    QComboBox *category = child<QComboBox>("cmbCategory");
    category->setCurrentText(chosen);
    payee->setFocus();
    typeInto(payee, QStringLiteral("Grocer"));
    child<QPlainTextEdit>("memoNote")->setFocus();
    QCOMPARE(payee->currentText(), QStringLiteral("Grocer"));
    QCOMPARE(category->currentText(), expected);
    QVERIFY(child<QLineEdit>("txtAmt")->text().isEmpty());
}

void TestEntryPanel::rateOneNoKeepsThePanelAndWritesNothing()
{
    m_host->account = QStringLiteral("Pound");
    m_file->notifier.dialogAnswers = {QStringLiteral("No")};
    m_panel->tbNewClick();
    QComboBox *payee = child<QComboBox>("cmbPayee");
    payee->setCurrentText(QStringLiteral("Newcomer"));
    typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("20"));
    child<QPushButton>("btnSave")->click();

    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs.first().top, QStringLiteral("The current currency rate for this account is 1, Continue?"));
    QCOMPARE(count(), 0);
    QVERIFY(!ItemExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")));
    QCOMPARE(m_host->state.entryMode, EntryMode::New);
    QCOMPARE(payee->currentText(), QStringLiteral("Newcomer"));
    QCOMPARE(child<QLineEdit>("txtAmt")->text(), QStringLiteral("20"));
    QVERIFY(m_host->added.isEmpty());

    // Yes the second time: saved, and the new payee is now in the list.
    m_file->notifier.dialogAnswers = {QStringLiteral("Yes")};
    child<QPushButton>("btnSave")->click();
    QCOMPARE(count(), 1);
    QVERIFY(payee->findText(QStringLiteral("Newcomer")) >= 0);
    QCOMPARE(payee->currentText(), QStringLiteral("Newcomer"));
}

void TestEntryPanel::typeTabs_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("transferShown");
    QTest::newRow("pay") << 0 << QColor(166, 202, 240) << "&Save" << false;
    QTest::newRow("receive") << 1 << QColor(192, 220, 192) << "&Save" << false;
    QTest::newRow("transfer") << 2 << QColor(255, 255, 0) << "Transfer" << true;
}

void TestEntryPanel::typeTabs()
{
    QFETCH(int, type);
    QFETCH(QColor, colour);
    QFETCH(QString, caption);
    QFETCH(bool, transferShown);
    m_panel->show();
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(type);
    QLineEdit *amount = child<QLineEdit>("txtAmt");
    amount->ensurePolished();
    QCOMPARE(amount->palette().color(QPalette::Base), colour);
    // Back in Browse (the group box restyled) a filled panel keeps its type's colour.
    m_panel->SetEntryMode(EntryMode::Browse);
    amount->ensurePolished();
    QCOMPARE(amount->palette().color(QPalette::Base), colour);
    QCOMPARE(child<QPushButton>("btnSave")->text(), caption);
    QCOMPARE(child<QComboBox>("cmbTransferTo")->isVisible(), transferShown);
    QCOMPARE(child<QLabel>("lblTransferText")->isVisible(), transferShown);
}

void TestEntryPanel::transferListLeavesOutTheShownAccount()
{
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(2);
    QComboBox *list = child<QComboBox>("cmbTransferTo");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("Euro"));
    QCOMPARE(list->itemText(1), QStringLiteral("Pound"));
    QCOMPARE(list->currentIndex(), -1);
    m_host->account = QStringLiteral("Euro");
    m_panel->refillTransferList();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->itemText(0), QStringLiteral("Bank"));
    QCOMPARE(list->itemText(1), QStringLiteral("Pound"));
    // No account shown: the list holds every account.
    m_host->account.clear();
    m_panel->refillTransferList();
    QCOMPARE(list->count(), 3);
}

void TestEntryPanel::normalTransactionCannotBecomeATransfer()
{
    const int id = save(TransactionType::Receive, QStringLiteral("8"));
    m_host->rows = 1;
    m_host->state.SelectedTransactionId = id;
    m_panel->tbEditClick();
    QCOMPARE(m_host->state.entryMode, EntryMode::Edit);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Edit Transaction"));
    QTabBar *tabs = child<QTabBar>("tbPayReceive");
    tabs->setCurrentIndex(2);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Cannot change a normal transaction to an account transfer."));
    // Pay and Receive may still swap.
    tabs->setCurrentIndex(0);
    QCOMPARE(tabs->currentIndex(), 0);
    child<QPushButton>("btnSave")->click();
    TTransaction t;
    QVERIFY(LoadTransaction(m_file->db(), id, t));
    QCOMPARE(t.Amount.units(), qint64(-80000));
    QCOMPARE(m_host->updated.size(), 1);
    QCOMPARE(count(), 1);
}

void TestEntryPanel::transferCannotBeEdited()
{
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(2);
    child<QComboBox>("cmbTransferTo")->setCurrentIndex(0);
    typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("100"));
    child<QPushButton>("btnSave")->click();
    const int id = m_host->state.SelectedTransactionId;
    QVERIFY(id > 0);
    QCOMPARE(count(), 2);
    m_host->rows = 1;
    m_panel->tbEditClick();
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Transfers cannot be edited, but can only be deleted."));
    QCOMPARE(m_host->state.entryMode, EntryMode::Browse);
}

void TestEntryPanel::transferWithoutTargetIsRefused()
{
    activate();
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(2);
    typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("100"));
    child<QPushButton>("btnSave")->click();
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Please choose an account to Transfer to"));
    QCOMPARE(QApplication::focusWidget(), child<QComboBox>("cmbTransferTo"));
    QCOMPARE(count(), 0);
}

void TestEntryPanel::fillShowsTheTransaction()
{
    m_panel->tbNewClick();
    child<QTabBar>("tbPayReceive")->setCurrentIndex(2);
    child<QComboBox>("cmbTransferTo")->setCurrentText(QStringLiteral("Euro"));
    typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("100"));
    child<QPushButton>("btnSave")->click();
    const int id = m_host->state.SelectedTransactionId;
    TTransaction source, target;
    QVERIFY(LoadTransaction(m_file->db(), id, source));
    QVERIFY(LoadTransaction(m_file->db(), source.LinkedTransactionID, target));

    m_panel->FillEntryPanel(source);
    QCOMPARE(m_panel->currentType(), TransactionType::Transfer);
    QCOMPARE(child<QLineEdit>("txtAmt")->text(), QStringLiteral("-100.00"));
    QCOMPARE(child<QComboBox>("cmbTransferTo")->currentText(), QStringLiteral("Euro"));
    QCOMPARE(child<QLineEdit>("txtOtherTransactionNo")->text(), QString::number(target.TransactionID));
    QCOMPARE(m_panel->loadedType(), TransactionType::Transfer);

    m_host->account = QStringLiteral("Euro");
    m_panel->FillEntryPanel(target);
    QCOMPARE(child<QLineEdit>("txtAmt")->text(), QStringLiteral("150.00"));
    QCOMPARE(child<QComboBox>("cmbTransferTo")->currentText(), QStringLiteral("Bank"));
    QCOMPARE(child<QLineEdit>("txtOtherTransactionNo")->text(), QString::number(source.TransactionID));

    // A status and names the lists do not hold.
    TTransaction odd = source;
    odd.InternalDescription.clear();
    odd.PayeeName = QStringLiteral("Nobody");
    odd.Status = TransactionStatus::Void;
    odd.Amount = Money();
    m_panel->FillEntryPanel(odd);
    QCOMPARE(m_panel->currentType(), TransactionType::Receive);
    QCOMPARE(child<QComboBox>("cmbPayee")->currentText(), QString());
    QCOMPARE(child<QComboBox>("cmbReconciled")->currentText(), QStringLiteral("Void"));
    QVERIFY(!child<QComboBox>("cmbTransferTo")->isVisibleTo(m_panel.get()));
}

void TestEntryPanel::cancelReturnsToBrowse()
{
    m_panel->tbNewClick();
    typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("5"));
    const int loads = m_host->loads;
    m_panel->btnCancelClick();
    QCOMPARE(m_host->state.entryMode, EntryMode::Browse);
    QCOMPARE(m_host->loads, loads + 1);
    QVERIFY(child<QLineEdit>("txtAmt")->text().isEmpty());
    QCOMPARE(count(), 0);
}

void TestEntryPanel::typeStripAndDoubleClickStartANew()
{
    activate();
    QTest::mousePress(child<QTabBar>("tbPayReceive"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_host->state.entryMode, EntryMode::New);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  New Transaction"));
    m_panel->btnCancelClick();

    // A double click on the empty, disabled group box reaches the panel.
    QGroupBox *group = child<QGroupBox>("GroupBoxTransaction");
    QTest::mouseDClick(group, Qt::LeftButton, {}, QPoint(group->width() / 2, group->height() / 2));
    QCOMPARE(m_host->state.entryMode, EntryMode::New);
    m_panel->btnCancelClick();

    // On a filled panel it edits the transaction shown.
    const int id = save(TransactionType::Pay, QStringLiteral("4"));
    m_host->rows = 1;
    m_host->state.SelectedTransactionId = id;
    QTest::mouseDClick(group, Qt::LeftButton, {}, QPoint(group->width() / 2, group->height() / 2));
    QCOMPARE(m_host->state.entryMode, EntryMode::Edit);
}

void TestEntryPanel::deleteAndMarkThroughThePanel()
{
    const int id = save(TransactionType::Pay, QStringLiteral("4"));
    m_host->rows = 1;
    m_host->state.SelectedTransactionId = id;
    m_panel->markStatus(TransactionStatus::Cleared);
    QCOMPARE(m_host->updated.size(), 1);
    QCOMPARE(m_host->updated.last().Status, TransactionStatus::Cleared);
    QCOMPARE(child<QComboBox>("cmbReconciled")->currentText(), QStringLiteral("Cleared"));

    m_file->notifier.dialogAnswers = {QStringLiteral("Yes")};
    const int loads = m_host->loads;
    m_panel->tbDeleteClick();
    QCOMPARE(m_host->removed, QList<int>{id});
    QCOMPARE(m_host->loads, loads + 1); // a small grid is read again
    QCOMPARE(count(), 0);
    QVERIFY(!m_file->db().InTransaction());

    m_panel->tbDeleteClick();
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("Nothing Selected."));
}

void TestEntryPanel::failedWriteLeavesFileAndRegisterAsTheyWere_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("event");
    QTest::addColumn<bool>("commitRefused");
    const QList<std::pair<QString, QString>> commands = {
        {QStringLiteral("new"), QStringLiteral("INSERT")},
        {QStringLiteral("edit"), QStringLiteral("UPDATE")},
        {QStringLiteral("delete"), QStringLiteral("DELETE")},
        {QStringLiteral("mark"), QStringLiteral("UPDATE")},
    };
    for (const auto &[command, event] : commands) {
        QTest::addRow("%s, statement refused", qPrintable(command)) << command << event << false;
        QTest::addRow("%s, commit refused", qPrintable(command)) << command << event << true;
    }
}

// A write the engine refuses, in a statement or only at COMMIT, must undo all of the
// command's work, be shown as an error and never reach the register as if it had been
// made.
void TestEntryPanel::failedWriteLeavesFileAndRegisterAsTheyWere()
{
    QFETCH(QString, command);
    QFETCH(QString, event);
    QFETCH(bool, commitRefused);
    const int id = save(TransactionType::Pay, QStringLiteral("4"));
    m_host->rows = 1;
    m_host->state.SelectedTransactionId = id;
    if (commitRefused) {
        // A deferred foreign key is only checked by COMMIT, which then refuses.
        m_file->exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        m_file->exec(QStringLiteral("CREATE TABLE tstGuard (ref INTEGER REFERENCES tbPayee (PayeeId)"
                                    " DEFERRABLE INITIALLY DEFERRED)"));
        m_file->exec(QStringLiteral("CREATE TRIGGER tstFail AFTER %1 ON tbTransactions"
                                    " BEGIN INSERT INTO tstGuard VALUES (-1); END").arg(event));
    } else {
        m_file->exec(QStringLiteral("CREATE TRIGGER tstFail BEFORE %1 ON tbTransactions"
                                    " BEGIN SELECT RAISE(ABORT, 'injected failure'); END").arg(event));
    }
    m_file->notifier.clear();
    const int added = m_host->added.size();
    const int updated = m_host->updated.size();

    if (command == QLatin1String("new") || command == QLatin1String("edit")) {
        if (command == QLatin1String("new"))
            m_panel->tbNewClick();
        else
            m_panel->tbEditClick();
        child<QComboBox>("cmbPayee")->setCurrentText(QStringLiteral("Newcomer"));
        child<QLineEdit>("txtAmt")->clear();
        typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("9"));
        child<QPushButton>("btnSave")->click();
        QCOMPARE(m_host->state.entryMode, command == QLatin1String("new") ? EntryMode::New : EntryMode::Edit);
    } else if (command == QLatin1String("delete")) {
        m_file->notifier.dialogAnswers = {QStringLiteral("Yes")};
        m_panel->tbDeleteClick();
    } else {
        m_panel->markStatus(TransactionStatus::Cleared);
    }

    QVERIFY(!m_file->db().InTransaction());
    QCOMPARE(count(), 1);
    TTransaction stored;
    QVERIFY(LoadTransaction(m_file->db(), id, stored));
    QCOMPARE(stored.Amount, Money::fromText(QStringLiteral("-4")).value());
    QCOMPARE(stored.Status, TransactionStatus::Unset);
    QVERIFY(!ItemExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")));
    QVERIFY(!m_file->notifier.dialogs.isEmpty());
    QCOMPARE(m_file->notifier.dialogs.last().top, QStringLiteral("An error has occured, please re-try"));
    for (const FakeNotifier::Bar &bar : std::as_const(m_file->notifier.bars))
        QVERIFY2(bar.text != QLatin1String("Transaction has been saved."), "success reported");
    QCOMPARE(m_host->added.size(), added);
    QCOMPARE(m_host->updated.size(), updated);
    QVERIFY(m_host->removed.isEmpty());
    QCOMPARE(m_host->rows, 1);
}

void TestEntryPanel::exitRefusedWhileEntering()
{
    m_panel->tbNewClick();
    QVERIFY(m_host->state.isEditing());
    QVERIFY(RefusedWhileEditing(m_host->state, m_file->notifier, EntryLockMessage::Exit));
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Please Save or Cancel the current transaction to exit."));
    m_panel->btnCancelClick();
    QVERIFY(!m_host->state.isEditing());
}

void TestEntryPanel::itemButtonsReselect_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("made");
    QTest::addColumn<QString>("expected");
    QTest::newRow("payee, nothing new") << ItemKind::Payees << "" << "Grocer";
    QTest::newRow("payee, new item") << ItemKind::Payees << "Baker" << "Baker";
    QTest::newRow("category, nothing new") << ItemKind::Categories << "" << "Food";
    QTest::newRow("category, new item") << ItemKind::Categories << "Gifts" << "Gifts";
}

// The list dialog is answered through the dialog hook: it "makes" an item (or not)
// and closes; the box then offers the new item, or the one it showed before.
void TestEntryPanel::itemButtonsReselect()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, made);
    QFETCH(QString, expected);
    m_panel->tbNewClick();
    QComboBox *payee = child<QComboBox>("cmbPayee");
    QComboBox *category = child<QComboBox>("cmbCategory");
    payee->setCurrentText(QStringLiteral("Grocer"));
    category->setCurrentText(QStringLiteral("Food"));

    std::optional<ItemKind> shownKind;
    ScriptedDialogs dialogs;
    dialogs.otherwise([&](QDialog &dialog) {
        auto &form = static_cast<TfrmEditForm &>(dialog);
        shownKind = form.kind;
        if (!made.isEmpty()) {
            InsertItem(m_file->db(), m_file->notifier, form.kind, made, QString(), Money(), true);
            form.LastNewItem = made;
        }
        return int(QDialog::Rejected);
    });
    const bool payees = kind == ItemKind::Payees;
    if (payees)
        m_panel->btnPayee1Click();
    else
        m_panel->btnCategory1Click();

    QVERIFY(shownKind == kind);
    QCOMPARE((payees ? payee : category)->currentText(), expected);
    QCOMPARE((payees ? category : payee)->currentText(), QString::fromLatin1(payees ? "Food" : "Grocer"));
    QCOMPARE(m_host->state.entryMode, EntryMode::New);
    QVERIFY(!m_file->db().InTransaction());
    QVERIFY(m_file->notifier.dialogs.isEmpty());
}

void TestEntryPanel::setupMenuKeepsTheEntryBeingMade_data()
{
    QTest::addColumn<bool>("editing");
    QTest::addColumn<int>("loads");
    QTest::newRow("browse reloads the register") << false << 1;
    QTest::newRow("new keeps the panel") << true << 0;
}

// Setup > Payees while a transaction is being entered must not reload the register:
// the reload would clear what was typed (and in Edit select another transaction).
void TestEntryPanel::setupMenuKeepsTheEntryBeingMade()
{
    QFETCH(bool, editing);
    QFETCH(int, loads);
    if (editing) {
        m_panel->tbNewClick();
        child<QComboBox>("cmbPayee")->setCurrentText(QStringLiteral("Landlord"));
        typeInto(child<QLineEdit>("txtAmt"), QStringLiteral("42"));
    }
    const int before = m_host->loads;
    ScriptedDialogs dialogs;
    dialogs.otherwise([](QDialog &) { return int(QDialog::Rejected); });
    m_panel->payeeSetup();
    m_panel->categorySetup();

    QCOMPARE(m_host->loads - before, 2 * loads);
    if (editing) {
        QCOMPARE(m_host->state.entryMode, EntryMode::New);
        QCOMPARE(child<QComboBox>("cmbPayee")->currentText(), QStringLiteral("Landlord"));
        QCOMPARE(child<QLineEdit>("txtAmt")->text(), QStringLiteral("42"));
    }
}

QTEST_MAIN(TestEntryPanel)
#include "tst_entrypanel.moc"
