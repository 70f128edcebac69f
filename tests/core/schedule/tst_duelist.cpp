#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/register/entrysave.h"
#include "core/register/transactioncommands.h"
#include "core/schedule/duelist.h"
#include "core/schedule/schedulestore.h"
#include "core/store/transactionstore.h"
#include "support/testdata.h"
#include "support/testdatafile.h"

#include <QTest>

Q_DECLARE_METATYPE(TestSchedule)

// Schedules falling due: what is listed, what the check at opening enters, entering
// and skipping, and that a failed batch leaves nothing of itself behind. The file has
// "Bank" in the base currency and "Euro" at rate 1.5, a payee and a category.
class TestDueList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dueCheckEntersAutomaticOccurrences_data();
    void dueCheckEntersAutomaticOccurrences();
    void secondOpeningEntersNothing();
    void othersAreListedNotEntered();
    void skipMovesPastWithoutARow();
    void enteringTakesOnlyFromNextDueOnward();
    void scheduledTransferIsWrittenAsTheEntryPanelWouldWriteIt();
    void failedBatchLeavesNoneOfItEntered();
    void unusableRowsAreNamedAndTheRestEntered();
    void occurrencesStillToComeInAnAccount();

private:
    int transactionCount(const QString &where = QString());
    QString nextDue(int scheduleId);
    std::unique_ptr<TestDataFile> m_file;
    int m_bank = 0;
    int m_euro = 0;
    int m_payee = 0;
    int m_category = 0;
};

void TestDueList::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestData data(m_file->db());
    const int euro = data.currency(QStringLiteral("E"), QStringLiteral("EUR"), 1.5);
    m_bank = data.account(QStringLiteral("Bank"));
    m_euro = data.account(QStringLiteral("Euro"), euro);
    m_payee = data.payee(QStringLiteral("Landlord"));
    m_category = data.category(QStringLiteral("Rent"));
}

void TestDueList::cleanup()
{
    m_file.reset();
}

int TestDueList::transactionCount(const QString &where)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions") + where);
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

QString TestDueList::nextDue(int scheduleId)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT NextDueDate FROM tbSchedule WHERE ScheduleId = :Id"));
    q.bind(QStringLiteral(":Id"), scheduleId).exec();
    return q.next() ? q.value(0).toString() : QString();
}

void TestDueList::dueCheckEntersAutomaticOccurrences_data()
{
    QTest::addColumn<TestSchedule>("schedule");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("entered");
    QTest::addColumn<QString>("nextDue");
    QTest::addColumn<int>("remaining"); // -1: Null

    TestSchedule monthly;
    monthly.nextDue = QDate(2024, 1, 1);
    QTest::newRow("monthly, three due") << monthly << QDate(2024, 3, 15)
                                        << QStringList{"2024-01-01", "2024-02-01", "2024-03-01"} << "2024-04-01" << -1;
    QTest::newRow("due today counts") << monthly << QDate(2024, 1, 1) << QStringList{"2024-01-01"} << "2024-02-01" << -1;
    QTest::newRow("nothing due yet") << monthly << QDate(2023, 12, 31) << QStringList{} << "2024-01-01" << -1;

    TestSchedule day31 = monthly;
    day31.dayOfMonth = 31;
    day31.nextDue = QDate(2024, 1, 31);
    QTest::newRow("31st through February")
        << day31 << QDate(2024, 4, 30) << QStringList{"2024-01-31", "2024-02-29", "2024-03-31", "2024-04-30"}
        << "2024-05-31" << -1;

    TestSchedule counted = monthly;
    counted.remaining = 2;
    QTest::newRow("ends after 2") << counted << QDate(2024, 6, 1) << QStringList{"2024-01-01", "2024-02-01"}
                                  << "2024-03-01" << 0;
    TestSchedule counted5 = monthly;
    counted5.remaining = 5;
    QTest::newRow("count goes down") << counted5 << QDate(2024, 2, 10) << QStringList{"2024-01-01", "2024-02-01"}
                                     << "2024-03-01" << 3;

    TestSchedule ending = monthly;
    ending.endDate = QDate(2024, 2, 15);
    QTest::newRow("ends on a date") << ending << QDate(2024, 6, 1) << QStringList{"2024-01-01", "2024-02-01"}
                                    << "2024-03-01" << -1;

    TestSchedule fortnightly = monthly;
    fortnightly.frequency = QStringLiteral("W");
    fortnightly.interval = 2;
    fortnightly.dayOfMonth = 0;
    fortnightly.nextDue = QDate(2024, 12, 20);
    QTest::newRow("every 2 weeks across the year end")
        << fortnightly << QDate(2025, 1, 20) << QStringList{"2024-12-20", "2025-01-03", "2025-01-17"}
        << "2025-01-31" << -1;

    TestSchedule behind = monthly;
    behind.dayOfMonth = 5;
    behind.nextDue = QDate(2023, 10, 5);
    QStringList fifteen;
    for (QDate d(2023, 10, 5); d <= QDate(2024, 12, 5); d = d.addMonths(1))
        fifteen << d.toString(Qt::ISODate);
    QTest::newRow("14 months behind, each once") << behind << QDate(2024, 12, 5) << fifteen << "2025-01-05" << -1;
}

void TestDueList::dueCheckEntersAutomaticOccurrences()
{
    QFETCH(TestSchedule, schedule);
    QFETCH(QDate, today);
    QFETCH(QStringList, entered);
    QFETCH(QString, nextDue);
    QFETCH(int, remaining);
    schedule.accountId = m_bank;
    schedule.payeeId = m_payee;
    schedule.categoryId = m_category;
    schedule.note = QStringLiteral("flat");
    const int id = TestData(m_file->db()).schedule(schedule);

    const DueCheckResult result = RunDueCheck(m_file->db(), today);
    QCOMPARE(result.entered, entered.size());
    QVERIFY(result.toAsk.isEmpty());
    QVERIFY(result.problems.isEmpty());

    SqlStatement rows(m_file->db(), QStringLiteral(
        "SELECT TransactionDate, Amount, PayeeId, CategoryId, strNote, AccountId, Status, CurrencyRate"
        " FROM tbTransactions ORDER BY TransactionDate"));
    rows.exec();
    QStringList dates;
    while (rows.next()) {
        dates << rows.value(0).toString();
        QCOMPARE(rows.value(1).toLongLong(), schedule.amount.units());
        QCOMPARE(rows.value(2).toInt(), m_payee);
        QCOMPARE(rows.value(3).toInt(), m_category);
        QCOMPARE(rows.value(4).toString(), QStringLiteral("flat"));
        QCOMPARE(rows.value(5).toInt(), m_bank);
        QCOMPARE(rows.value(6).toString(), TransactionStatus::Unset);
        QCOMPARE(rows.value(7).toDouble(), 1.0);
    }
    QCOMPARE(dates, entered);
    QCOMPARE(this->nextDue(id), nextDue);
    SqlStatement count(m_file->db(), QStringLiteral("SELECT RemainingCount FROM tbSchedule"));
    count.exec();
    QVERIFY(count.next());
    QCOMPARE(count.value(0).isNull() ? -1 : count.value(0).toInt(), remaining);
}

void TestDueList::secondOpeningEntersNothing()
{
    TestSchedule schedule;
    schedule.accountId = m_bank;
    schedule.nextDue = QDate(2024, 1, 1);
    TestData(m_file->db()).schedule(schedule);
    QCOMPARE(RunDueCheck(m_file->db(), QDate(2024, 3, 1)).entered, 3);
    m_file->db().close();
    m_file->db().open(m_file->path());
    const DueCheckResult again = RunDueCheck(m_file->db(), QDate(2024, 3, 1));
    QCOMPARE(again.entered, 0);
    QVERIFY(again.toAsk.isEmpty());
    QCOMPARE(transactionCount(), 3);
}

void TestDueList::othersAreListedNotEntered()
{
    TestData data(m_file->db());
    TestSchedule asked;
    asked.accountId = m_bank;
    asked.payeeId = m_payee;
    asked.autoEnter = false;
    asked.nextDue = QDate(2024, 1, 1);
    const int askedId = data.schedule(asked);
    TestSchedule automatic = asked;
    automatic.autoEnter = true;
    automatic.nextDue = QDate(2024, 1, 15);
    automatic.dayOfMonth = 15;
    data.schedule(automatic);

    const DueCheckResult result = RunDueCheck(m_file->db(), QDate(2024, 2, 10));
    QCOMPARE(result.entered, 1);
    QCOMPARE(result.toAsk.size(), 2);
    QCOMPARE(result.toAsk[0].date, QDate(2024, 1, 1));
    QCOMPARE(result.toAsk[1].date, QDate(2024, 2, 1));
    QCOMPARE(result.toAsk[0].accountName, QStringLiteral("Bank"));
    QCOMPARE(result.toAsk[0].payeeName, QStringLiteral("Landlord"));
    QCOMPARE(result.toAsk[0].amount, asked.amount);
    QCOMPARE(transactionCount(), 1);
    QCOMPARE(nextDue(askedId), QStringLiteral("2024-01-01"));
    // "Later": asked again next time, the same occurrences.
    QCOMPARE(RunDueCheck(m_file->db(), QDate(2024, 2, 10)).toAsk, result.toAsk);
}

void TestDueList::skipMovesPastWithoutARow()
{
    TestSchedule schedule;
    schedule.accountId = m_bank;
    schedule.autoEnter = false;
    schedule.remaining = 3;
    schedule.nextDue = QDate(2024, 1, 1);
    const int id = TestData(m_file->db()).schedule(schedule);
    const QList<DueOccurrence> due = DueOccurrences(m_file->db(), QDate(2024, 2, 1)).occurrences;
    QCOMPARE(due.size(), 2);
    QCOMPARE(SkipOccurrences(m_file->db(), {due[0]}), 1);
    QCOMPARE(transactionCount(), 0);
    QCOMPARE(nextDue(id), QStringLiteral("2024-02-01"));
    QCOMPARE(LoadSchedule(m_file->db(), id)->end.remaining, 2);
    QCOMPARE(EnterOccurrences(m_file->db(), {due[1]}), 1);
    QCOMPARE(transactionCount(QStringLiteral(" WHERE TransactionDate = '2024-02-01'")), 1);
    QCOMPARE(transactionCount(), 1);
}

void TestDueList::enteringTakesOnlyFromNextDueOnward()
{
    TestSchedule schedule;
    schedule.accountId = m_bank;
    schedule.autoEnter = false;
    schedule.nextDue = QDate(2024, 1, 1);
    const int id = TestData(m_file->db()).schedule(schedule);
    const QList<DueOccurrence> due = DueOccurrences(m_file->db(), QDate(2024, 3, 1)).occurrences;
    QCOMPARE(due.size(), 3);

    // A gap: the later ones wait for the one before them.
    QCOMPARE(EnterOccurrences(m_file->db(), {due[1], due[2]}), 0);
    QCOMPARE(nextDue(id), QStringLiteral("2024-01-01"));
    QCOMPARE(EnterOccurrences(m_file->db(), {due[0], due[2]}), 1);
    QCOMPARE(nextDue(id), QStringLiteral("2024-02-01"));
    // A list shown before that entry: what was entered is not entered again.
    QCOMPARE(EnterOccurrences(m_file->db(), due), 2);
    QCOMPARE(EnterOccurrences(m_file->db(), due), 0);
    QCOMPARE(transactionCount(), 3);
    QCOMPARE(nextDue(id), QStringLiteral("2024-04-01"));
}

void TestDueList::scheduledTransferIsWrittenAsTheEntryPanelWouldWriteIt()
{
    TestSchedule schedule;
    schedule.accountId = m_bank;
    schedule.otherAccountId = m_euro;
    schedule.payeeId = m_payee;
    schedule.categoryId = m_category;
    schedule.amount = Money::fromUnits(-1000000); // 100
    schedule.note = QStringLiteral("savings");
    schedule.nextDue = QDate(2024, 3, 1);
    TestData(m_file->db()).schedule(schedule);
    QCOMPARE(RunDueCheck(m_file->db(), QDate(2024, 3, 1)).entered, 1);

    EntryValues typed;
    typed.mode = EntryMode::New;
    typed.type = TransactionType::Transfer;
    typed.date = QDate(2024, 3, 2);
    typed.payeeName = QStringLiteral("Landlord");
    typed.categoryName = QStringLiteral("Rent");
    typed.note = QStringLiteral("savings");
    typed.amountText = QStringLiteral("100");
    typed.accountName = QStringLiteral("Bank");
    typed.transferTo = QStringLiteral("Euro");
    typed.status = TransactionStatus::Unset;
    QCOMPARE(SaveEntry(m_file->db(), m_file->notifier, typed).outcome, SaveResult::Saved);

    // Each pair: the paying row in Bank and the receiving row in Euro, linked both ways.
    const QString pairSql = QStringLiteral(
        "SELECT p.AccountId, p.Amount, p.CurrencyID, p.CurrencyRate, p.OtherAccountID, p.InternalDescription,"
        " p.PayeeId, p.CategoryId, p.strNote, p.Status,"
        " r.AccountId, r.Amount, r.CurrencyID, r.CurrencyRate, r.OtherAccountID, r.InternalDescription,"
        " r.LinkedTransactionID = p.TransactionID, p.LinkedTransactionID = r.TransactionID"
        " FROM tbTransactions p JOIN tbTransactions r ON r.TransactionID = p.LinkedTransactionID"
        " WHERE p.AccountId = :Bank AND p.TransactionDate = :Date");
    QList<QVariantList> pairs;
    for (const QString &date : {QStringLiteral("2024-03-01"), QStringLiteral("2024-03-02")}) {
        SqlStatement q(m_file->db(), pairSql);
        q.bind(QStringLiteral(":Bank"), m_bank).bind(QStringLiteral(":Date"), date).exec();
        QVERIFY2(q.next(), qPrintable(date));
        QVariantList row;
        for (int i = 0; i < 18; ++i)
            row << q.value(i);
        pairs << row;
    }
    QCOMPARE(pairs[0], pairs[1]);
    QCOMPARE(pairs[0][1].toLongLong(), -1000000);
    QCOMPARE(pairs[0][11].toLongLong(), 1500000); // 100 at rate 1 is 150 at rate 1.5
    QCOMPARE(pairs[0][10].toInt(), m_euro);
    QCOMPARE(pairs[0][16].toInt(), 1);
    QCOMPARE(pairs[0][17].toInt(), 1);
    QCOMPARE(transactionCount(), 4);
}

void TestDueList::failedBatchLeavesNoneOfItEntered()
{
    TestData data(m_file->db());
    TestSchedule first;
    first.accountId = m_bank;
    first.nextDue = QDate(2024, 1, 1);
    const int firstId = data.schedule(first);
    TestSchedule second = first;
    second.dayOfMonth = 10;
    second.nextDue = QDate(2024, 1, 10);
    const int secondId = data.schedule(second);

    // The batch runs inside the caller's savepoint; the second occurrence is refused
    // by the engine half-way, as a crash between two inserts would stop it.
    TMyDataModule &db = m_file->db();
    db.BeginWork();
    m_file->exec(QStringLiteral("CREATE TEMP TRIGGER failHalfWay BEFORE INSERT ON tbTransactions"
                                " WHEN NEW.TransactionDate = '2024-01-10' BEGIN SELECT RAISE(ABORT, 'killed'); END"));
    const QList<DueOccurrence> due = DueOccurrences(db, QDate(2024, 1, 31)).occurrences;
    QCOMPARE(due.size(), 2);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, EnterOccurrences(db, due));
    QCOMPARE(transactionCount(), 0);
    QCOMPARE(nextDue(firstId), QStringLiteral("2024-01-01"));
    QCOMPARE(nextDue(secondId), QStringLiteral("2024-01-10"));

    // The check at opening says so and enters nothing; the schedules stay due.
    const DueCheckResult failed = RunDueCheck(db, QDate(2024, 1, 31));
    QCOMPARE(failed.entered, 0);
    QCOMPARE(failed.problems.size(), 1);
    QVERIFY2(failed.problems[0].contains(QStringLiteral("killed")), qPrintable(failed.problems[0]));
    QCOMPARE(transactionCount(), 0);

    m_file->exec(QStringLiteral("DROP TRIGGER failHalfWay"));
    QCOMPARE(RunDueCheck(db, QDate(2024, 1, 31)).entered, 2);
    db.CommitWork();
    QCOMPARE(transactionCount(), 2);
    QCOMPARE(nextDue(firstId), QStringLiteral("2024-02-01"));
    QCOMPARE(nextDue(secondId), QStringLiteral("2024-02-10"));
}

void TestDueList::unusableRowsAreNamedAndTheRestEntered()
{
    TestData data(m_file->db());
    TestSchedule good;
    good.accountId = m_bank;
    good.nextDue = QDate(2024, 1, 1);
    data.schedule(good);
    TestSchedule noAccount = good;
    noAccount.accountId = 99;
    data.schedule(noAccount);
    TestSchedule badFrequency = good;
    badFrequency.frequency = QStringLiteral("X");
    data.schedule(badFrequency);
    TestSchedule zeroInterval = good;
    zeroInterval.interval = 0;
    data.schedule(zeroInterval);
    TestSchedule toItself = good;
    toItself.otherAccountId = m_bank;
    data.schedule(toItself);
    const int badDate = data.schedule(good);
    m_file->exec(QStringLiteral("UPDATE tbSchedule SET NextDueDate = '2023-02-30' WHERE ScheduleId = %1").arg(badDate));
    const int textAmount = data.schedule(good);
    m_file->exec(QStringLiteral("UPDATE tbSchedule SET Amount = 'ten' WHERE ScheduleId = %1").arg(textAmount));

    const DueCheckResult result = RunDueCheck(m_file->db(), QDate(2024, 1, 31));
    QCOMPARE(result.entered, 1);
    QCOMPARE(result.problems.size(), 6);
    QCOMPARE(transactionCount(), 1);
    QVERIFY_THROWS_EXCEPTION(TillbrookError, LoadSchedule(m_file->db(), badDate));
    // The list shows them, so they can be put right or deleted.
    const QList<ScheduleListRow> rows = ScheduleListRows(m_file->db(), 2);
    QCOMPARE(rows.size(), 7);
    int notValid = 0;
    for (const ScheduleListRow &row : rows)
        notValid += row.frequency.startsWith(QStringLiteral("Not valid")) ? 1 : 0;
    QCOMPARE(notValid, 6);
}

void TestDueList::occurrencesStillToComeInAnAccount()
{
    TestData data(m_file->db());
    TestSchedule rent;
    rent.accountId = m_bank;
    rent.payeeId = m_payee;
    rent.frequency = QStringLiteral("W");
    rent.dayOfMonth = 0;
    rent.nextDue = QDate(2024, 3, 4);
    data.schedule(rent);
    TestSchedule transfer;
    transfer.accountId = m_bank;
    transfer.otherAccountId = m_euro;
    transfer.amount = Money::fromUnits(-1000000);
    transfer.nextDue = QDate(2024, 3, 20);
    transfer.dayOfMonth = 20;
    data.schedule(transfer);

    const QList<DueOccurrence> bank = OccurrencesOfAccount(m_file->db(), m_bank, QDate(2024, 3, 16), QDate(2024, 3, 31));
    QCOMPARE(bank.size(), 3); // the 18th, 20th (transfer) and 25th
    QCOMPARE(bank[0].date, QDate(2024, 3, 18));
    QCOMPARE(bank[1].amount, Money::fromUnits(-1000000));
    QCOMPARE(bank[2].date, QDate(2024, 3, 25));

    const QList<DueOccurrence> euro = OccurrencesOfAccount(m_file->db(), m_euro, QDate(2024, 3, 16), QDate(2024, 3, 31));
    QCOMPARE(euro.size(), 1);
    QCOMPARE(euro[0].amount, Money::fromUnits(1500000));
    QCOMPARE(euro[0].payeeName, QStringLiteral("Transfer from Bank"));
    QCOMPARE(transactionCount(), 0);
}

QTEST_GUILESS_MAIN(TestDueList)
#include "tst_duelist.moc"
