// Benchmarks of the transaction store on a data file of 1,000,000 transactions.
#include "benchfile.h"
#include "core/store/transactionstore.h"
#include "core/store/ttransaction.h"
#include "core/datafile/datamodule.h"
#include "core/register/registerquery.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// Inserts inside one database transaction, as an import or the generator does.
void BM_InsertTransaction(benchmark::State &state)
{
    TMyDataModule db;
    db.open(FreshListsFile());
    db.BeginWork();
    TTransaction t;
    t.AccountDescription = QStringLiteral("Account 03");
    t.PayeeName = QStringLiteral("Payee 042");
    t.CategoryDescription = QStringLiteral("Category 07");
    t.Status = QStringLiteral(" ");
    qint64 n = 0;
    for (auto _ : state) {
        t.TransactionDate = QDate(2020, 1, 1).addDays(n % 2000);
        t.Amount = Money::fromUnits(-(1000 + n % 100000));
        benchmark::DoNotOptimize(InsertTransaction(db, t));
        ++n;
    }
    db.CommitWork();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InsertTransaction)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

void BM_GetCurrentBalance(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    int account = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetCurrentBalance(db, account));
        account = account % 10 + 1;
    }
}
BENCHMARK(BM_GetCurrentBalance)->Unit(benchmark::kMillisecond);

// The balance before a month late in the book: the worst case, most rows counted.
void BM_GetPreviousBalance(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    int account = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetPreviousBalance(db, account, QDate(2025, 5, 31)));
        account = account % 10 + 1;
    }
}
BENCHMARK(BM_GetPreviousBalance)->Unit(benchmark::kMillisecond);

// What the register reads for one month of one account: the month's rows and both
// balances. A month holds about 400 rows of the account in the generated book.
void BM_MonthQueryAndBalances(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    int account = 1;
    int month = 1;
    qint64 rows = 0;
    for (auto _ : state) {
        const QDate first(2024, month, 1);
        const auto transactions = LoadMonthTransactions(db, account, QStringLiteral("Account"), first,
                                                        first.addMonths(1).addDays(-1));
        rows += transactions.size();
        benchmark::DoNotOptimize(GetPreviousBalance(db, account, first.addDays(-1)));
        benchmark::DoNotOptimize(GetCurrentBalance(db, account));
        account = account % 10 + 1;
        month = month % 12 + 1;
    }
    state.counters["rows_per_month"] = benchmark::Counter(double(rows) / double(state.iterations()));
}
BENCHMARK(BM_MonthQueryAndBalances)->Unit(benchmark::kMillisecond);

void BM_MonthQuery(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    int account = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadMonthTransactions(db, account, QStringLiteral("Account"), QDate(2024, 6, 1),
                                                       QDate(2024, 6, 30)));
        account = account % 10 + 1;
    }
}
BENCHMARK(BM_MonthQuery)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile(); // generate before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CloseBenchFile();
    return 0;
}
