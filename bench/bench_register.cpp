// A month switch of the register on a data file of 1,000,000 transactions: the
// whole load with the month query, grid filling, column fitting and both balances,
// on the offscreen platform.
#include "benchfile.h"
#include "silentnotifier.h"
#include "core/base/notifier.h"
#include "core/base/platformmessages.h"
#include "core/session/session.h"
#include "ui/register/registerview.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

namespace {

void BM_MonthSwitch(benchmark::State &state)
{
    SilentNotifier notifier;
    Session session(notifier, QString());
    session.MyDataModule.open(BenchDataFile());
    RegisterView view(session);
    view.resize(1000, 700);
    view.show();
    view.RefreshLookups();
    view.cmbAccounts()->setCurrentIndex(2);
    int month = 1;
    qint64 rows = 0;
    for (auto _ : state) {
        view.ShowMonth(month, 2024);
        rows += view.registerRowCount();
        month = month % 12 + 1;
    }
    state.counters["rows_per_month"] = benchmark::Counter(double(rows) / double(state.iterations()));
}
BENCHMARK(BM_MonthSwitch)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DropOffscreenSizeHintWarnings();
    benchmark::Initialize(&argc, argv);
    BenchDataFile();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
