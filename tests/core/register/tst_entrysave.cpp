#include "core/store/transactionstore.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/items.h"
#include "core/register/entrylock.h"
#include "core/register/entrysave.h"
#include "core/store/lookups.h"
#include "core/register/transactioncommands.h"
#include "support/testdatafile.h"

#include <QTest>

// The save, delete and mark commands of the register without widgets, on a file with
// three accounts: "Bank" in the base currency, "Euro" at rate 1.5 and "Pound" whose
// currency was left at rate 1 although it is not the base.
class TestEntrySave : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void checks_data();
    void checks();
    void saveStoresTheSignedAmount_data();
    void saveStoresTheSignedAmount();
    void refusalWritesNothing_data();
    void refusalWritesNothing();
    void newPayeeTakesTheTypeOfTheTransaction_data();
    void newPayeeTakesTheTypeOfTheTransaction();
    void unknownAccountIsRefused();
    void rateOneQuestion_data();
    void rateOneQuestion();
    void editRewritesTheSelectedRow();
    void editOfAGoneTransactionSavesNothing_data();
    void editOfAGoneTransactionSavesNothing();
    void transferIsConvertedAndLinked();
    void deleteAsksAndRemovesBothRowsOfATransfer_data();
    void deleteAsksAndRemovesBothRowsOfATransfer();
    void deleteNothingSelected();
    void markWritesBothRowsOfATransfer();
    void markChangesNothingWhileEntering();
    void markNeverMovesMoney_data();
    void markNeverMovesMoney();
    void entryLockRefusesWhileEditing();

private:
    EntryValues values(TransactionType type, const QString &amount, const QString &account = QStringLiteral("Bank"));
    int count(const QString &where = QString());
    TTransaction load(int id);
    std::unique_ptr<TestDataFile> m_file;
};

void TestEntrySave::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('E', 'EUR', 1.5, 0)"));  // 2
    f.exec(QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, InternationalCurrencySymbol, CurrencyRate, IsBaseCurrency) VALUES ('P', 'GBP', 1, 0)"));    // 3
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank')"));   // 1
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Euro', 'Euro', 2, 'Bank')"));   // 2
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Pound', 'Pound', 3, 'Bank')")); // 3
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Grocer', 'Expense', 0, ' ')"));
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')"));
}

void TestEntrySave::cleanup()
{
    m_file.reset();
}

EntryValues TestEntrySave::values(TransactionType type, const QString &amount, const QString &account)
{
    EntryValues v;
    v.mode = EntryMode::New;
    v.type = type;
    v.date = QDate(2024, 3, 15);
    v.payeeName = QStringLiteral("Grocer");
    v.categoryName = QStringLiteral("Food");
    v.note = QStringLiteral("weekly shop");
    v.amountText = amount;
    v.accountName = account;
    v.status = TransactionStatus::Unset;
    return v;
}

int TestEntrySave::count(const QString &where)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions") + (where.isEmpty() ? QString() : u' ' + where));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

TTransaction TestEntrySave::load(int id)
{
    TTransaction t;
    if (!LoadTransaction(m_file->db(), id, t))
        qFatal("transaction %d missing", id);
    return t;
}

void TestEntrySave::checks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("transferTo");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");

    const int amount = int(EntryField::Amount);
    QTest::newRow("blank") << 0 << "" << "" << "Transaction amount cannot be left blank" << amount;
    QTest::newRow("0") << 0 << "0" << "" << "Transaction amount cannot be 0" << amount;
    QTest::newRow("0.00") << 1 << "0.00" << "" << "Transaction amount cannot be 0" << amount;
    QTest::newRow("point alone") << 0 << "." << "" << "Transaction amount must be a number" << amount;
    QTest::newRow("minus alone") << 2 << "-" << "Euro" << "Transaction amount must be a number" << amount;
    QTest::newRow("pay of a negative") << 0 << "-5" << "" << "Transaction amount must be a number" << amount;
    QTest::newRow("receive of a negative") << 1 << "-5" << "" << "Transaction amount must be a number" << amount;
    QTest::newRow("blank before transfer target") << 2 << "" << "" << "Transaction amount cannot be left blank" << amount;
    QTest::newRow("transfer without target") << 2 << "100" << "" << "Please choose an account to Transfer to"
                                             << int(EntryField::TransferTo);
    QTest::newRow("pay") << 0 << "12.50" << "" << "" << int(EntryField::None);
    QTest::newRow("trailing point") << 1 << "12." << "" << "" << int(EntryField::None);
    QTest::newRow("negative transfer") << 2 << "-100" << "Euro" << "" << int(EntryField::None);
}

void TestEntrySave::checks()
{
    QFETCH(int, type);
    QFETCH(QString, amount);
    QFETCH(QString, transferTo);
    QFETCH(QString, message);
    QFETCH(int, field);
    EntryValues v = values(TransactionType(type), amount);
    v.transferTo = transferTo;
    const EntryCheck check = CheckEntryValues(v);
    QCOMPARE(check.message, message);
    QCOMPARE(int(check.field), field);
}

void TestEntrySave::saveStoresTheSignedAmount_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("stored");

    QTest::newRow("pay 12.50") << 0 << "12.50" << qint64(-125000);
    QTest::newRow("receive 12.50") << 1 << "12.50" << qint64(125000);
    QTest::newRow("pay without decimals") << 0 << "7" << qint64(-70000);
}

void TestEntrySave::saveStoresTheSignedAmount()
{
    QFETCH(int, type);
    QFETCH(QString, amount);
    QFETCH(qint64, stored);
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, values(TransactionType(type), amount));
    QCOMPARE(r.outcome, SaveResult::Saved);
    QVERIFY(r.transaction.TransactionID > 0);
    const TTransaction t = load(r.transaction.TransactionID);
    QCOMPARE(t.Amount.units(), stored);
    QCOMPARE(t.PayeeName, QStringLiteral("Grocer"));
    QCOMPARE(t.CategoryDescription, QStringLiteral("Food"));
    QCOMPARE(t.AccountDescription, QStringLiteral("Bank"));
    QCOMPARE(t.TransactionDate, QDate(2024, 3, 15));
    QCOMPARE(t.strNote, QStringLiteral("weekly shop"));
    QCOMPARE(r.transaction.Amount.units(), stored);
    QVERIFY(m_file->notifier.dialogs.isEmpty());
    QVERIFY(!m_file->db().InTransaction());
}

// A refused save says why in the warning bar, opens no dialog and writes nothing,
// not even the new payee it would have added.
void TestEntrySave::refusalWritesNothing_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("bar");
    QTest::newRow("blank") << "" << "  Transaction amount cannot be left blank";
    QTest::newRow("zero") << "0.00" << "  Transaction amount cannot be 0";
    QTest::newRow("point alone") << "." << "  Transaction amount must be a number";
}

void TestEntrySave::refusalWritesNothing()
{
    QFETCH(QString, amount);
    QFETCH(QString, bar);
    EntryValues v = values(TransactionType::Pay, amount);
    v.payeeName = QStringLiteral("Newcomer");
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);
    QCOMPARE(r.outcome, SaveResult::Refused);
    QCOMPARE(r.field, EntryField::Amount);
    QCOMPARE(m_file->notifier.lastBar(), bar);
    QVERIFY(m_file->notifier.dialogs.isEmpty());
    QCOMPARE(count(), 0);
    QVERIFY(!ItemExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")));
}

void TestEntrySave::newPayeeTakesTheTypeOfTheTransaction_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("expense");
    QTest::newRow("pay") << 0 << true;
    QTest::newRow("receive") << 1 << false;
    QTest::newRow("transfer") << 2 << false;
}

void TestEntrySave::newPayeeTakesTheTypeOfTheTransaction()
{
    QFETCH(int, type);
    QFETCH(bool, expense);
    EntryValues v = values(TransactionType(type), QStringLiteral("5"));
    v.payeeName = QStringLiteral("Newcomer");
    v.categoryName = QStringLiteral("Gifts");
    v.transferTo = QStringLiteral("Euro");
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);
    QCOMPARE(r.outcome, SaveResult::Saved);
    QVERIFY(r.payeeAdded);
    QVERIFY(r.categoryAdded);
    TMyDataModule &db = m_file->db();
    QCOMPARE(ItemIsExpense(db, QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")), expense);
    QCOMPARE(ItemIsExpense(db, QStringLiteral("tbCategory"), QStringLiteral("CategoryDescription"), QStringLiteral("Gifts")), expense);
    QCOMPARE(load(r.transaction.TransactionID).PayeeName, QStringLiteral("Newcomer"));
}

void TestEntrySave::unknownAccountIsRefused()
{
    for (const QString &account : {QString(), QStringLiteral("Closed")}) {
        EntryValues v = values(TransactionType::Pay, QStringLiteral("5"), account);
        v.payeeName = QStringLiteral("Newcomer");
        QCOMPARE(SaveEntry(m_file->db(), m_file->notifier, v).outcome, SaveResult::Refused);
        QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  ") + NoAccountMessage);
    }
    QCOMPARE(count(), 0);
    QVERIFY(!ItemExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")));
}

void TestEntrySave::rateOneQuestion_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("saved");

    QTest::newRow("rate 1, not the base, No") << "Pound" << "No" << true << false;
    QTest::newRow("rate 1, not the base, dialog closed") << "Pound" << "" << true << false;
    QTest::newRow("rate 1, not the base, Yes") << "Pound" << "Yes" << true << true;
    QTest::newRow("base currency") << "Bank" << "" << false << true;
    QTest::newRow("rate 1.5") << "Euro" << "" << false << true;
}

void TestEntrySave::rateOneQuestion()
{
    QFETCH(QString, account);
    QFETCH(QString, answer);
    QFETCH(bool, asked);
    QFETCH(bool, saved);
    EntryValues v = values(TransactionType::Pay, QStringLiteral("20"), account);
    v.payeeName = QStringLiteral("Newcomer");
    m_file->notifier.dialogAnswers = {answer};
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);

    QCOMPARE(m_file->notifier.dialogs.size(), asked ? 1 : 0);
    if (asked)
        QCOMPARE(m_file->notifier.dialogs.first().top, QStringLiteral("The current currency rate for this account is 1, Continue?"));
    QCOMPARE(r.outcome, saved ? SaveResult::Saved : SaveResult::Declined);
    QCOMPARE(count(), saved ? 1 : 0);
    // The payee added by this save goes with it.
    QCOMPARE(ItemExists(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeName"), QStringLiteral("Newcomer")), saved);
    QCOMPARE(r.payeeAdded, saved);
    QVERIFY(!m_file->db().InTransaction());
}

void TestEntrySave::editRewritesTheSelectedRow()
{
    const int id = SaveEntry(m_file->db(), m_file->notifier, values(TransactionType::Pay, QStringLiteral("10"))).transaction.TransactionID;
    EntryValues v = values(TransactionType::Receive, QStringLiteral("30.25"));
    v.mode = EntryMode::Edit;
    v.selectedTransactionId = id;
    v.status = TransactionStatus::Cleared;
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);
    QCOMPARE(r.outcome, SaveResult::Saved);
    QCOMPARE(r.transaction.TransactionID, id);
    QCOMPARE(count(), 1);
    const TTransaction t = load(id);
    QCOMPARE(t.Amount.units(), qint64(302500));
    QCOMPARE(t.Status, TransactionStatus::Cleared);
}

// After a restore the edited number may be gone (or there is none): the save says so
// and writes nothing, never "saved" for a save that wrote nothing.
void TestEntrySave::editOfAGoneTransactionSavesNothing_data()
{
    QTest::addColumn<bool>("noNumber");
    QTest::newRow("number of a deleted row") << false;
    QTest::newRow("no number at all") << true;
}

void TestEntrySave::editOfAGoneTransactionSavesNothing()
{
    QFETCH(bool, noNumber);
    const int id = SaveEntry(m_file->db(), m_file->notifier, values(TransactionType::Pay, QStringLiteral("10"))).transaction.TransactionID;
    m_file->exec(QStringLiteral("DELETE FROM tbTransactions"));
    m_file->notifier.clear();
    EntryValues v = values(TransactionType::Pay, QStringLiteral("30"));
    v.payeeName = QStringLiteral("Brand new payee");
    v.mode = EntryMode::Edit;
    v.selectedTransactionId = noNumber ? -1 : id;
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);
    QCOMPARE(r.outcome, SaveResult::Refused);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  ") + EditedTransactionGoneMessage);
    QCOMPARE(count(), 0);
    QVERIFY(!r.payeeAdded);
    QCOMPARE(LookupId(m_file->db(), QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), QStringLiteral("PayeeName"),
                      QStringLiteral("Brand new payee")), -1);
}

void TestEntrySave::transferIsConvertedAndLinked()
{
    EntryValues v = values(TransactionType::Transfer, QStringLiteral("100"));
    v.transferTo = QStringLiteral("Euro");
    const SaveResult r = SaveEntry(m_file->db(), m_file->notifier, v);
    QCOMPARE(r.outcome, SaveResult::Saved);
    const TTransaction source = load(r.transaction.TransactionID);
    QVERIFY(source.isTransfer());
    QCOMPARE(source.Amount.units(), qint64(-1000000));
    const TTransaction target = load(source.LinkedTransactionID);
    QCOMPARE(target.AccountDescription, QStringLiteral("Euro"));
    QCOMPARE(target.Amount.units(), qint64(1500000));
    QCOMPARE(target.LinkedTransactionID, source.TransactionID);
}

void TestEntrySave::deleteAsksAndRemovesBothRowsOfATransfer_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("left");
    QTest::newRow("first row, Yes") << false << "Yes" << 0;
    QTest::newRow("second row, Yes") << true << "Yes" << 0;
    QTest::newRow("first row, No") << false << "No" << 2;
}

void TestEntrySave::deleteAsksAndRemovesBothRowsOfATransfer()
{
    QFETCH(bool, second);
    QFETCH(QString, answer);
    QFETCH(int, left);
    EntryValues v = values(TransactionType::Transfer, QStringLiteral("100"));
    v.transferTo = QStringLiteral("Euro");
    const int first = SaveEntry(m_file->db(), m_file->notifier, v).transaction.TransactionID;
    const int id = second ? load(first).LinkedTransactionID : first;

    m_file->notifier.dialogAnswers = {answer};
    const DeleteResult r = DeleteSelectedTransaction(m_file->db(), m_file->notifier, id);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs.first().top, QStringLiteral("Delete Transaction [%1]?").arg(id));
    QCOMPARE(r.outcome, left == 0 ? DeleteResult::Deleted : DeleteResult::Declined);
    QCOMPARE(count(), left);
}

void TestEntrySave::deleteNothingSelected()
{
    for (int id : {-1, 999}) {
        m_file->notifier.clear();
        QCOMPARE(DeleteSelectedTransaction(m_file->db(), m_file->notifier, id).outcome, DeleteResult::NothingSelected);
        QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("Nothing Selected."));
        QVERIFY(m_file->notifier.dialogs.isEmpty());
    }
}

void TestEntrySave::markWritesBothRowsOfATransfer()
{
    EntryValues v = values(TransactionType::Transfer, QStringLiteral("100"));
    v.transferTo = QStringLiteral("Euro");
    const int first = SaveEntry(m_file->db(), m_file->notifier, v).transaction.TransactionID;
    const int second = load(first).LinkedTransactionID;

    RegisterState state;
    state.SelectedTransactionId = second;
    const MarkResult r = MarkSelectedTransaction(m_file->db(), m_file->notifier, state, TransactionStatus::Cleared);
    QVERIFY(r.marked);
    QCOMPARE(r.transaction.Status, TransactionStatus::Cleared);
    QCOMPARE(load(first).Status, TransactionStatus::Cleared);
    QCOMPARE(load(second).Status, TransactionStatus::Cleared);
    QCOMPARE(load(first).Amount.units(), qint64(-1000000));
    QCOMPARE(load(second).Amount.units(), qint64(1500000));
}

void TestEntrySave::markNeverMovesMoney_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<double>("newRate");
    QTest::addColumn<qint64>("received");
    // The target's rate changed after the transfer was written.
    QTest::newRow("rate moved") << "Euro" << 2.0 << qint64(1500000);
    // Rates that do not divide evenly: converting back would give -99.9999.
    QTest::newRow("uneven rates") << "Pound" << 1.0 / 3.0 << qint64(1000000);
}

// A status mark writes the status to both rows of a transfer and leaves amounts and
// rates alone, so no balance changes.
void TestEntrySave::markNeverMovesMoney()
{
    QFETCH(QString, target);
    QFETCH(double, newRate);
    QFETCH(qint64, received);
    EntryValues v = values(TransactionType::Transfer, QStringLiteral("100"));
    v.transferTo = target;
    const int first = SaveEntry(m_file->db(), m_file->notifier, v).transaction.TransactionID;
    const int second = load(first).LinkedTransactionID;
    const TTransaction before = load(second);
    QCOMPARE(before.Amount.units(), received);
    SqlStatement(m_file->db(), QStringLiteral("UPDATE tbCurrency SET CurrencyRate = :r WHERE CurrencyID = :c"))
        .bind(QStringLiteral(":r"), newRate).bind(QStringLiteral(":c"), before.CurrencyID).exec();

    RegisterState state;
    state.SelectedTransactionId = second;
    QVERIFY(MarkSelectedTransaction(m_file->db(), m_file->notifier, state, TransactionStatus::Reconciled).marked);
    const TTransaction a = load(first);
    const TTransaction b = load(second);
    QCOMPARE(a.Status, TransactionStatus::Reconciled);
    QCOMPARE(b.Status, TransactionStatus::Reconciled);
    QCOMPARE(a.Amount.units(), qint64(-1000000));
    QCOMPARE(b.Amount.units(), received);
    QCOMPARE(b.CurrencyRate, before.CurrencyRate);
}

void TestEntrySave::markChangesNothingWhileEntering()
{
    const int id = SaveEntry(m_file->db(), m_file->notifier, values(TransactionType::Pay, QStringLiteral("10"))).transaction.TransactionID;
    RegisterState state;
    state.SelectedTransactionId = id;
    state.entryMode = EntryMode::Edit;
    QVERIFY(!MarkSelectedTransaction(m_file->db(), m_file->notifier, state, TransactionStatus::Void).marked);
    state.entryMode = EntryMode::Browse;
    state.GridLoading = true;
    QVERIFY(!MarkSelectedTransaction(m_file->db(), m_file->notifier, state, TransactionStatus::Void).marked);
    QCOMPARE(load(id).Status, TransactionStatus::Unset);

    state.SelectedTransactionId = -1;
    state.GridLoading = false;
    QVERIFY(!MarkSelectedTransaction(m_file->db(), m_file->notifier, state, TransactionStatus::Void).marked);
    QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("Nothing Selected."));
}

void TestEntrySave::entryLockRefusesWhileEditing()
{
    RegisterState state;
    QVERIFY(!RefusedWhileEditing(state, m_file->notifier, EntryLockMessage::Exit));
    QVERIFY(m_file->notifier.bars.isEmpty());
    for (EntryMode mode : {EntryMode::New, EntryMode::Edit}) {
        state.entryMode = mode;
        QVERIFY(RefusedWhileEditing(state, m_file->notifier, EntryLockMessage::Exit));
        QCOMPARE(m_file->notifier.lastBar(), QStringLiteral("  Please Save or Cancel the current transaction to exit."));
        QCOMPARE(m_file->notifier.bars.last().kind, BarKind::Warning);
    }
}

QTEST_GUILESS_MAIN(TestEntrySave)
#include "tst_entrysave.moc"
