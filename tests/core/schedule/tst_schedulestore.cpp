#include "core/accounts/accounts.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/itemmove.h"
#include "core/lists/items.h"
#include "core/register/transactioncommands.h"
#include "core/schedule/schedulestore.h"
#include "core/schedule/schedulevalues.h"
#include "core/store/transactionstore.h"
#include "support/testdata.h"
#include "support/testdatafile.h"

#include <QTest>

Q_DECLARE_METATYPE(ScheduleValues)

// Schedules as the editor saves them, and what deleting an account, payee or
// category they use does to them. The file has "Bank" and "Savings", a payee and a
// category.
class TestScheduleStore : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void editorRefusals_data();
    void editorRefusals();
    void savedValuesComeBackAsTyped_data();
    void savedValuesComeBackAsTyped();
    void newPayeeAndCategoryAreAdded();
    void scheduleThisTransaction();
    void deletingWhatASchedulesUses_data();
    void deletingWhatASchedulesUses();
    void movingAPayeeMovesItsSchedules();

private:
    ScheduleValues rent() const;
    int scheduleCount();
    std::unique_ptr<TestDataFile> m_file;
    int m_bank = 0;
    int m_savings = 0;
    int m_payee = 0;
    int m_category = 0;
};

void TestScheduleStore::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestData data(m_file->db());
    m_bank = data.account(QStringLiteral("Bank"));
    m_savings = data.account(QStringLiteral("Savings"));
    m_payee = data.payee(QStringLiteral("Landlord"));
    m_category = data.category(QStringLiteral("Rent"));
}

void TestScheduleStore::cleanup()
{
    m_file.reset();
}

ScheduleValues TestScheduleStore::rent() const
{
    ScheduleValues v;
    v.type = TransactionType::Pay;
    v.accountName = QStringLiteral("Bank");
    v.payeeName = QStringLiteral("Landlord");
    v.categoryName = QStringLiteral("Rent");
    v.amountText = QStringLiteral("750.5");
    v.note = QStringLiteral("flat");
    v.firstDate = QDate(2024, 1, 31);
    return v;
}

int TestScheduleStore::scheduleCount()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbSchedule"));
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

void TestScheduleStore::editorRefusals_data()
{
    QTest::addColumn<ScheduleValues>("values");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("field");

    ScheduleValues v = rent();
    v.amountText.clear();
    QTest::newRow("blank amount") << v << "Transaction amount cannot be left blank" << int(ScheduleField::Amount);
    v = rent();
    v.amountText = QStringLiteral("0");
    QTest::newRow("zero amount") << v << "Transaction amount cannot be 0" << int(ScheduleField::Amount);
    v = rent();
    v.amountText = QStringLiteral("12a");
    QTest::newRow("not a number") << v << "Transaction amount must be a number" << int(ScheduleField::Amount);
    v = rent();
    v.accountName = QStringLiteral("Nowhere");
    QTest::newRow("no such account") << v << "Please choose an account for the transaction" << int(ScheduleField::Account);
    v = rent();
    v.type = TransactionType::Transfer;
    QTest::newRow("transfer without target") << v << "Please choose an account to Transfer to"
                                             << int(ScheduleField::TransferTo);
    v.transferTo = QStringLiteral("bank");
    QTest::newRow("transfer to its own account") << v << "A transfer needs an account other than its own"
                                                 << int(ScheduleField::TransferTo);
    v = rent();
    v.firstDate = QDate();
    QTest::newRow("no first date") << v << "Please enter the first due date" << int(ScheduleField::FirstDate);
    v = rent();
    v.endKind = ScheduleEndKind::AfterCount;
    v.count = 0;
    QTest::newRow("end after 0 times") << v << "A schedule must end after 1 time or more" << int(ScheduleField::Count);
    v = rent();
    v.endKind = ScheduleEndKind::OnDate;
    v.endDate = QDate(2024, 1, 30);
    QTest::newRow("end before the first date") << v << "The end date cannot lie before the first due date"
                                               << int(ScheduleField::EndDate);
    v = rent();
    v.interval = 0;
    QTest::newRow("every 0 months") << v << "The repeat must be every 1 to 999 periods" << int(ScheduleField::Interval);
}

void TestScheduleStore::editorRefusals()
{
    QFETCH(ScheduleValues, values);
    QFETCH(QString, message);
    QFETCH(int, field);
    ScheduleField refused = ScheduleField::None;
    QCOMPARE(SaveScheduleValues(m_file->db(), m_file->notifier, values, &refused), 0);
    QCOMPARE(int(refused), field);
    QCOMPARE(m_file->notifier.dialogs.size(), 1);
    QCOMPARE(m_file->notifier.dialogs.last().top.trimmed(), message);
    QCOMPARE(scheduleCount(), 0);
}

void TestScheduleStore::savedValuesComeBackAsTyped_data()
{
    QTest::addColumn<ScheduleValues>("values");
    QTest::addColumn<qint64>("storedAmount");
    QTest::addColumn<QString>("frequencyText");

    QTest::newRow("monthly payment on the 31st") << rent() << qint64(-7505000) << "Monthly on day 31";
    ScheduleValues v = rent();
    v.type = TransactionType::Receive;
    v.frequency = ScheduleFrequency::Weeks;
    v.interval = 2;
    v.endKind = ScheduleEndKind::AfterCount;
    v.count = 6;
    v.autoEnter = true;
    QTest::newRow("receipt every 2 weeks, 6 times") << v << qint64(7505000) << "Every 2 weeks";
    v = rent();
    v.type = TransactionType::Transfer;
    v.transferTo = QStringLiteral("Savings");
    v.frequency = ScheduleFrequency::Years;
    v.endKind = ScheduleEndKind::OnDate;
    v.endDate = QDate(2030, 1, 31);
    QTest::newRow("yearly transfer until 2030") << v << qint64(-7505000) << "Yearly on 31 January";
    v = rent();
    v.repeat = ScheduleRepeat::Once;
    QTest::newRow("once") << v << qint64(-7505000) << "Once";
    v = rent();
    v.amountText = QStringLiteral("0.1234");
    QTest::newRow("four decimals kept") << v << qint64(-1234) << "Monthly on day 31";
}

void TestScheduleStore::savedValuesComeBackAsTyped()
{
    QFETCH(ScheduleValues, values);
    QFETCH(qint64, storedAmount);
    QFETCH(QString, frequencyText);
    const int id = SaveScheduleValues(m_file->db(), m_file->notifier, values);
    QVERIFY(id > 0);
    const std::optional<TSchedule> stored = LoadSchedule(m_file->db(), id);
    QVERIFY(stored);
    QCOMPARE(stored->Amount.units(), storedAmount);
    QCOMPARE(stored->PayeeId, m_payee);
    QCOMPARE(stored->CategoryId, m_category);
    QCOMPARE(ScheduleListRows(m_file->db(), 2).value(0).frequency, frequencyText);

    ScheduleValues expected = values;
    expected.scheduleId = id;
    expected.dayOfMonth = values.firstDate.day();
    if (values.repeat == ScheduleRepeat::Once)
        expected.frequency = ScheduleFrequency::Months;
    QCOMPARE(int(ValuesOfSchedule(*stored, 2).type), int(expected.type));
    const ScheduleValues back = ValuesOfSchedule(*stored, 2);
    QCOMPARE(Money::fromText(back.amountText), Money::fromText(expected.amountText));
    QCOMPARE(back.accountName, expected.accountName);
    QCOMPARE(back.transferTo, expected.transferTo);
    QCOMPARE(back.note, expected.note);
    QCOMPARE(back.firstDate, expected.firstDate);
    QCOMPARE(int(back.repeat), int(expected.repeat));
    QCOMPARE(int(back.frequency), int(expected.frequency));
    QCOMPARE(back.interval, expected.interval);
    QCOMPARE(int(back.endKind), int(expected.endKind));
    QCOMPARE(back.autoEnter, expected.autoEnter);

    // Saving what came back changes nothing.
    QCOMPARE(SaveScheduleValues(m_file->db(), m_file->notifier, back), id);
    QCOMPARE(LoadSchedule(m_file->db(), id)->Amount.units(), storedAmount);
    QCOMPARE(scheduleCount(), 1);
}

void TestScheduleStore::newPayeeAndCategoryAreAdded()
{
    ScheduleValues v = rent();
    v.type = TransactionType::Receive;
    v.payeeName = QStringLiteral("Employer");
    v.categoryName = QStringLiteral("Salary");
    const int id = SaveScheduleValues(m_file->db(), m_file->notifier, v);
    QVERIFY(id > 0);
    QVERIFY(ItemExists(m_file->db(), ItemKind::Payees, QStringLiteral("Employer")));
    QVERIFY(!ItemIsExpense(m_file->db(), ItemKind::Payees, QStringLiteral("Employer")));
    QCOMPARE(LoadSchedule(m_file->db(), id)->CategoryDescription, QStringLiteral("Salary"));
}

void TestScheduleStore::scheduleThisTransaction()
{
    TestData data(m_file->db());
    TestTransaction paid;
    paid.accountId = m_bank;
    paid.date = QDate(2024, 1, 31);
    paid.amount = Money::fromUnits(-123450);
    paid.payeeId = m_payee;
    paid.categoryId = m_category;
    paid.note = QStringLiteral("flat");
    TTransaction t;
    QVERIFY(LoadTransaction(m_file->db(), data.transaction(paid), t));
    ScheduleValues v = ValuesOfTransaction(m_file->db(), t, 2);
    QCOMPARE(int(v.type), int(TransactionType::Pay));
    QCOMPARE(v.accountName, QStringLiteral("Bank"));
    QCOMPARE(v.payeeName, QStringLiteral("Landlord"));
    QCOMPARE(v.categoryName, QStringLiteral("Rent"));
    QCOMPARE(v.amountText, QStringLiteral("12.345"));
    QCOMPARE(v.firstDate, QDate(2024, 2, 29));
    QCOMPARE(v.dayOfMonth, 31);

    // The receiving row of a transfer schedules the transfer out of the paying account.
    TTransaction transfer;
    transfer.TransactionDate = QDate(2024, 1, 5);
    transfer.Amount = Money::fromUnits(-500000);
    transfer.AccountDescription = QStringLiteral("Bank");
    transfer.InternalDescription = TransferDescription;
    transfer.OtherAccountID = m_savings;
    transfer.Status = TransactionStatus::Unset;
    const int payingId = InsertTransaction(m_file->db(), transfer);
    TTransaction paying;
    QVERIFY(LoadTransaction(m_file->db(), payingId, paying));
    TTransaction receiving;
    QVERIFY(LoadTransaction(m_file->db(), paying.LinkedTransactionID, receiving));
    v = ValuesOfTransaction(m_file->db(), receiving, 2);
    QCOMPARE(int(v.type), int(TransactionType::Transfer));
    QCOMPARE(v.accountName, QStringLiteral("Bank"));
    QCOMPARE(v.transferTo, QStringLiteral("Savings"));
    QCOMPARE(v.amountText, QStringLiteral("50.00"));
    QCOMPARE(v.firstDate, QDate(2024, 2, 5));
}

void TestScheduleStore::deletingWhatASchedulesUses_data()
{
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<int>("schedulesLeft");
    QTest::addColumn<bool>("payeeLeft");
    QTest::addColumn<bool>("categoryLeft");
    // Two schedules: a payment out of Bank and a transfer from Savings into Bank.
    QTest::newRow("account") << "account Bank" << 0 << true << true;
    QTest::newRow("transfer target") << "account Savings" << 1 << true << true;
    QTest::newRow("payee") << "payee" << 2 << false << true;
    QTest::newRow("payee by number") << "payee by number" << 2 << false << true;
    QTest::newRow("category") << "category" << 2 << true << false;
}

void TestScheduleStore::deletingWhatASchedulesUses()
{
    QFETCH(QString, deleted);
    QFETCH(int, schedulesLeft);
    QFETCH(bool, payeeLeft);
    QFETCH(bool, categoryLeft);
    TestData data(m_file->db());
    TestSchedule payment;
    payment.accountId = m_bank;
    payment.payeeId = m_payee;
    payment.categoryId = m_category;
    data.schedule(payment);
    TestSchedule transfer = payment;
    transfer.accountId = m_savings;
    transfer.otherAccountId = m_bank;
    data.schedule(transfer);

    TMyDataModule &db = m_file->db();
    if (deleted == QLatin1String("account Bank"))
        QVERIFY(DeleteAccount(db, QStringLiteral("Bank")));
    else if (deleted == QLatin1String("account Savings"))
        QVERIFY(DeleteAccount(db, QStringLiteral("Savings")));
    else if (deleted == QLatin1String("payee"))
        DeleteItem(db, ItemKind::Payees, QStringLiteral("landlord"));
    else if (deleted == QLatin1String("payee by number"))
        DeleteItemById(db, ItemKind::Payees, m_payee);
    else
        DeleteItem(db, ItemKind::Categories, QStringLiteral("Rent"));

    QCOMPARE(scheduleCount(), schedulesLeft);
    SqlStatement q(db, QStringLiteral("SELECT PayeeId, CategoryId FROM tbSchedule"));
    q.exec();
    while (q.next()) {
        QCOMPARE(q.value(0).isNull(), !payeeLeft);
        QCOMPARE(q.value(1).isNull(), !categoryLeft);
    }
    // What is left can still be used: nothing points at a row that is gone.
    for (const ScheduleListRow &row : ScheduleListRows(db, 2))
        QVERIFY2(!row.frequency.startsWith(QStringLiteral("Not valid")), qPrintable(row.frequency));
}

void TestScheduleStore::movingAPayeeMovesItsSchedules()
{
    TestData data(m_file->db());
    const int other = data.payee(QStringLiteral("Agency"));
    TestSchedule payment;
    payment.accountId = m_bank;
    payment.payeeId = m_payee;
    data.schedule(payment);
    MoveTransactions(m_file->db(), ItemKind::Payees, m_payee, other);
    DeleteItemById(m_file->db(), ItemKind::Payees, m_payee);
    SqlStatement q(m_file->db(), QStringLiteral("SELECT PayeeId FROM tbSchedule"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), other);
}

QTEST_GUILESS_MAIN(TestScheduleStore)
#include "tst_schedulestore.moc"
