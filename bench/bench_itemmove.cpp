// Moving every transaction of one payee to another on the 1,000,000-transaction file.
#include "benchfile.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/itemmove.h"
#include "core/lists/items.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A copy of the shared file (moves write) in which one payee has every tenth row:
// 100,000 transactions, spread over all accounts, years and statuses.
struct MoveFile
{
    QTemporaryDir dir;
    std::unique_ptr<TMyDataModule> db;
    int busyPayee = -1;
    int emptyPayee = -1;
    qint64 rows = 0;

    MoveFile()
    {
        const QString path = dir.filePath(QStringLiteral("move.tillbrook"));
        if (!QFile::copy(BenchDataFile(), path))
            qFatal("cannot copy the benchmark file");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<TMyDataModule>();
        db->open(path);
        SqlStatement insert(*db, QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:n, 'Expense', 0, ' ')"));
        insert.bind(QStringLiteral(":n"), QStringLiteral("Busy payee")).exec();
        insert.bind(QStringLiteral(":n"), QStringLiteral("Empty payee")).exec();
        busyPayee = ItemIdOf(*db, ItemKind::Payees, QStringLiteral("Busy payee"));
        emptyPayee = ItemIdOf(*db, ItemKind::Payees, QStringLiteral("Empty payee"));
        SqlStatement spread(*db, QStringLiteral("UPDATE tbTransactions SET PayeeId = :p WHERE TransactionID % 10 = 0"));
        spread.bind(QStringLiteral(":p"), busyPayee).exec();
        rows = spread.rowsAffected();
    }
};

std::unique_ptr<MoveFile> moveFile;

// As the payee list runs it: the move in its own savepoint inside the list's
// transaction. Each round moves all rows back to the other payee. With argument 0
// the list's transaction stays open (what pressing "Move" costs; the list commits
// when it closes), with 1 every round is also committed to disk.
void BM_MoveTransactions(benchmark::State &state)
{
    if (!moveFile)
        moveFile = std::make_unique<MoveFile>();
    MoveFile &f = *moveFile;
    const bool commitEachRound = state.range(0) != 0;
    int from = f.busyPayee;
    int to = f.emptyPayee;
    qint64 moved = 0;
    if (!commitEachRound)
        f.db->BeginWork();
    for (auto _ : state) {
        if (commitEachRound)
            f.db->BeginWork();
        f.db->BeginWork();
        moved += MoveTransactions(*f.db, ItemKind::Payees, from, to);
        f.db->CommitWork();
        if (commitEachRound)
            f.db->CommitWork();
        std::swap(from, to);
    }
    if (!commitEachRound)
        f.db->CommitWork();
    state.counters["rows_moved"] = benchmark::Counter(double(moved) / double(state.iterations()));
}
BENCHMARK(BM_MoveTransactions)->ArgName("committed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(6);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile(); // generate before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    moveFile.reset();
    return 0;
}
