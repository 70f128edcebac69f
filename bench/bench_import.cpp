// The QIF import end to end as the command-line importer runs it: read, stage and
// store 1,000,000 transactions of six accounts with transfers into a data file.
#include "benchfile.h"
#include "core/exchange/importcommand.h"
#include "qifgenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <benchmark/benchmark.h>

namespace {

struct QifFile
{
    QString path;
    QifGeneratorResult contents;
};

// Generated once per run into the temp folder (not measured).
const QifFile &benchQif()
{
    static QifFile file = [] {
        QifFile f;
        f.path = QDir::temp().filePath(QStringLiteral("bench-1m.qif"));
        f.contents = WriteQifFile(f.path, QifGeneratorOptions{});
        return f;
    }();
    return file;
}

void BM_QifImport(benchmark::State &state)
{
    const QifFile &qif = benchQif();
    QString output;
    QString errors;
    for (auto _ : state) {
        state.PauseTiming();
        const QString dataFile = FreshListsFile();
        QStringList arguments{dataFile, qif.path};
        for (const QString &reference : qif.contents.references)
            arguments << QStringLiteral("--link") << reference + u'=' + reference.mid(1, reference.size() - 2);
        output.clear();
        errors.clear();
        QTextStream out(&output);
        QTextStream err(&errors);
        state.ResumeTiming();
        const int status = RunImportCommand(arguments, out, err);
        state.PauseTiming();
        if (status != 0)
            state.SkipWithError(qPrintable(errors));
        QFile::remove(dataFile);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (qif.contents.records - qif.contents.transfers));
    state.SetLabel(output.trimmed().toStdString());
}
BENCHMARK(BM_QifImport)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
