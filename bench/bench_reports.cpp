// Benchmarks of the report queries on the data file of 1,000,000 transactions
// (20 years, 300 payees, 60 categories, 3 currencies).
#include "benchfile.h"
#include "core/datafile/datamodule.h"
#include "core/reports/accountsummary.h"
#include "core/reports/budgetanalysis.h"
#include "core/reports/chartseries.h"
#include "core/reports/totalsreport.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const ReportDateRange OneYear{QDate(2020, 1, 1), QDate(2020, 12, 31)};
const ReportDateRange AllYears{QDate(2006, 1, 1), QDate(2025, 12, 31)};

void BM_AccountSummary(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadAccountSummary(db));
}
BENCHMARK(BM_AccountSummary)->Unit(benchmark::kMillisecond);

// The printed totals report's lines; arg 0 payees, 1 categories.
void BM_TotalsOneYear(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    const auto kind = ReportItemKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTotalsList(db, kind, OneYear, 2));
}
BENCHMARK(BM_TotalsOneYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TotalsAllYears(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    const auto kind = ReportItemKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildTotalsList(db, kind, AllYears, 2));
}
BENCHMARK(BM_TotalsAllYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Both series of the printed income and expense chart.
void BM_IncomeExpenseSeriesAllYears(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    const auto kind = ReportItemKind(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ExpenseSeries(db, kind, AllYears));
        benchmark::DoNotOptimize(IncomeSeries(db, kind, AllYears));
    }
}
BENCHMARK(BM_IncomeExpenseSeriesAllYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The graphical reports window's series.
void BM_NetTotalsSeriesAllYears(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    const auto kind = ReportItemKind(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(NetTotalsSeries(db, kind, AllYears));
}
BENCHMARK(BM_NetTotalsSeriesAllYears)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One payee over 20 years, about 3,300 transactions; arg 0 per date, 1 per month.
void BM_BudgetAnalysisOnePayee(benchmark::State &state)
{
    TMyDataModule &db = BenchFileConnection();
    const int payee = BudgetItemId(db, ReportItemKind::Payees, QStringLiteral("Payee 042"));
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(BudgetByDay(db, ReportItemKind::Payees, payee, AllYears));
        else
            benchmark::DoNotOptimize(BudgetByMonth(db, ReportItemKind::Payees, payee, AllYears));
    }
}
BENCHMARK(BM_BudgetAnalysisOnePayee)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile(); // generate before any timing starts
    BenchFileConnection();       // a file of an older template gets its indexes here, untimed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CloseBenchFile();
    return 0;
}
