// The report centre and grid export on the data file of 1,000,000 transactions, on
// the offscreen platform: one account's year, every transaction of the file, the
// search over that full list, and CSV and spreadsheet export of it.
#include "benchfile.h"
#include "silentnotifier.h"
#include "core/base/notifier.h"
#include "core/exchange/gridwriters.h"
#include "core/reports/reportcentre.h"
#include "core/session/session.h"
#include "ui/exchange/pubstrgridtext.h"
#include "ui/reports/reportcentre.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

double peakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A report centre window on the bench file, shown offscreen.
struct Centre
{
    Centre() : session(notifier, QString())
    {
        session.MyDataModule.open(BenchDataFile());
        const QString account = LoadReportCentreLists(session.MyDataModule).accounts.value(0);
        window = std::make_unique<TfrmReportCentre>(session, account);
        window->resize(1000, 700);
        window->FormActivate();
    }
    // Every payee, category and account, over the whole file.
    void chooseEverything()
    {
        const QSignalBlocker a(window->cmbAccount());
        const QSignalBlocker f(window->dtFrom());
        const QSignalBlocker t(window->dtTo());
        window->cmbAccount()->setCurrentIndex(0); // <ALL>
        window->dtFrom()->setDate(QDate(1950, 1, 1));
        window->dtTo()->setDate(QDate(2500, 12, 31));
        window->PopulateReport();
    }
    int rows() const { return window->strGridTransactions()->RowCount() - 1; }

    SilentNotifier notifier;
    Session session;
    std::unique_ptr<TfrmReportCentre> window;
};

void BM_ReportCentreYear(benchmark::State &state)
{
    Centre centre;
    {
        const QSignalBlocker f(centre.window->dtFrom());
        const QSignalBlocker t(centre.window->dtTo());
        centre.window->dtFrom()->setDate(QDate(2024, 1, 1));
        centre.window->dtTo()->setDate(QDate(2024, 12, 31));
    }
    for (auto _ : state)
        centre.window->PopulateReport();
    state.counters["rows"] = centre.rows();
}
BENCHMARK(BM_ReportCentreYear)->Unit(benchmark::kMillisecond);

void BM_ReportCentreAll(benchmark::State &state)
{
    Centre centre;
    for (auto _ : state)
        centre.chooseEverything();
    state.counters["rows"] = centre.rows();
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ReportCentreAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// The query alone, for the share of the fill above that is reading the rows.
void BM_ReportCentreQueryAll(benchmark::State &state)
{
    Centre centre;
    ReportCentreChoice everything;
    everything.fromDate = QDate(1950, 1, 1);
    everything.toDate = QDate(2500, 12, 31);
    TMyDataModule &db = centre.session.MyDataModule;
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        ForEachReportRow(db, GetFilter(db, everything), [&rows](const TransactionRowCells &) { ++rows; });
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ReportCentreQueryAll)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ReportCentreSearch(benchmark::State &state)
{
    Centre centre;
    int kept = 0;
    for (auto _ : state) {
        state.PauseTiming();
        centre.chooseEverything();
        centre.window->edtSearch()->setText(QStringLiteral("Payee 01"));
        centre.window->cmbColNames()->setCurrentIndex(2);
        state.ResumeTiming();
        centre.window->btnSearchClick();
        kept = centre.rows();
    }
    state.counters["kept"] = kept;
}
BENCHMARK(BM_ReportCentreSearch)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportCsv(benchmark::State &state)
{
    Centre centre;
    centre.chooseEverything();
    QTemporaryDir dir;
    const PubStrGridText grid(*centre.window->strGridTransactions());
    for (auto _ : state) {
        if (!WriteGridCsv(grid, dir.filePath(QStringLiteral("all.csv"))))
            state.SkipWithError("CSV export failed");
    }
    state.SetItemsProcessed(state.iterations() * grid.RowCount());
}
BENCHMARK(BM_ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
