// Scheduled transactions on the 1,000,000-transaction file with 1,000 schedules: the
// due check that runs at opening and on "Today", with nothing due and with every
// schedule due once.
#include "benchfile.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "core/schedule/duelist.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QDate Today(2025, 6, 15);
constexpr int ScheduleCount = 1000;

// A copy of the shared file (entering writes) with 1,000 automatic schedules over its
// accounts, payees and categories: monthly, weekly and yearly, every twentieth a
// transfer to the next account; all next due after Today.
struct ScheduleFile
{
    QTemporaryDir dir;
    std::unique_ptr<TMyDataModule> db;

    ScheduleFile()
    {
        const QString path = dir.filePath(QStringLiteral("schedule.tillbrook"));
        if (!QFile::copy(BenchDataFile(), path))
            qFatal("cannot copy the benchmark file");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<TMyDataModule>();
        db->open(path);
        QList<int> accounts, payees, categories;
        const auto ids = [&](const QString &sql, QList<int> &into) {
            SqlStatement q(*db, sql);
            q.exec();
            while (q.next())
                into << q.value(0).toInt();
        };
        ids(QStringLiteral("SELECT AccountId FROM tbAccount ORDER BY AccountId"), accounts);
        ids(QStringLiteral("SELECT PayeeId FROM tbPayee WHERE PayeeName IS NOT NULL ORDER BY PayeeId"), payees);
        ids(QStringLiteral("SELECT CategoryId FROM tbCategory WHERE CategoryDescription IS NOT NULL ORDER BY CategoryId"),
            categories);
        WorkGuard work(*db);
        SqlStatement insert(*db, QStringLiteral(
            "INSERT INTO tbSchedule (AccountId, OtherAccountID, PayeeId, CategoryId, Amount, strNote, Frequency,"
            " Interval, DayOfMonth, NextDueDate, AutoEnter)"
            " VALUES (:a, :o, :p, :c, :amount, 'scheduled', :f, 1, :d, :next, 'Y')"));
        static const char *const frequencies[] = {"M", "M", "W", "Y"};
        for (int i = 0; i < ScheduleCount; ++i) {
            const int account = accounts.at(i % accounts.size());
            const QDate next = Today.addDays(1 + i % 28);
            insert.bind(QStringLiteral(":a"), account)
                .bind(QStringLiteral(":o"), i % 20 == 0 ? accounts.at((i + 1) % accounts.size()) : 0)
                .bind(QStringLiteral(":p"), payees.at(i % payees.size()))
                .bind(QStringLiteral(":c"), categories.at(i % categories.size()))
                .bind(QStringLiteral(":amount"), qint64(-(10000 + i * 137)))
                .bind(QStringLiteral(":f"), QString::fromLatin1(frequencies[i % 4]))
                .bind(QStringLiteral(":d"), next.day())
                .bind(QStringLiteral(":next"), next)
                .exec();
        }
        work.commit();
    }

    // Every schedule due once, on Today.
    void makeAllDue()
    {
        SqlStatement(*db, QStringLiteral("UPDATE tbSchedule SET NextDueDate = :d, DayOfMonth = :day"))
            .bind(QStringLiteral(":d"), Today)
            .bind(QStringLiteral(":day"), Today.day())
            .exec();
    }
};

std::unique_ptr<ScheduleFile> scheduleFile;

ScheduleFile &file()
{
    if (!scheduleFile)
        scheduleFile = std::make_unique<ScheduleFile>();
    return *scheduleFile;
}

// The check at opening and on "Today" when nothing is due: the schedules' index read
// up to today, nothing written.
void BM_DueCheckNothingDue(benchmark::State &state)
{
    ScheduleFile &f = file();
    for (auto _ : state) {
        const DueCheckResult result = RunDueCheck(*f.db, Today);
        if (result.entered != 0 || !result.toAsk.isEmpty())
            state.SkipWithError("something was due");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_DueCheckNothingDue)->Unit(benchmark::kMillisecond);

// The same check with all 1,000 schedules due: 1,000 occurrences (50 of them transfers,
// so 1,050 rows) entered through the store and every NextDueDate moved, in one database
// transaction committed to disk. Between rounds (not timed) the rows are deleted and
// the schedules made due again.
void BM_EnterDueOccurrences(benchmark::State &state)
{
    ScheduleFile &f = file();
    qint64 lastBefore = 0;
    {
        SqlStatement q(*f.db, QStringLiteral("SELECT MAX(TransactionID) FROM tbTransactions"));
        q.exec();
        q.next();
        lastBefore = q.value(0).toLongLong();
    }
    qint64 entered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.makeAllDue();
        state.ResumeTiming();
        const DueCheckResult result = RunDueCheck(*f.db, Today);
        state.PauseTiming();
        if (result.entered != ScheduleCount || !result.problems.isEmpty())
            state.SkipWithError("not every occurrence was entered");
        entered += result.entered;
        SqlStatement(*f.db, QStringLiteral("DELETE FROM tbTransactions WHERE TransactionID > :last"))
            .bind(QStringLiteral(":last"), lastBefore)
            .exec();
        state.ResumeTiming();
    }
    state.counters["occurrences"] = benchmark::Counter(double(entered) / double(state.iterations()));
}
BENCHMARK(BM_EnterDueOccurrences)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile(); // generate before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    scheduleFile.reset();
    return 0;
}
