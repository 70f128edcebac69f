// Benchmarks of compaction, backup and restore on the data file of 1,000,000
// transactions (and, for the automatic backups, one of 50,000).
#include "benchfile.h"
#include "silentnotifier.h"
#include "generator.h"

#include "core/base/notifier.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"
#include "core/maintenance/archivework.h"
#include "core/maintenance/backup.h"
#include "core/maintenance/compaction.h"
#include "core/maintenance/restore.h"
#include "core/session/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// The archive work's host: no window, and the waits (only while another program holds
// the file, which no benchmark does) are not work.
class NoWaitHost : public ArchiveHost
{
public:
    void wait(int) override {}
    void showProgress(bool, const QString &, const QString &) override {}
    void setProgress(int) override {}
    bool cancelRequested() const override { return false; }
    void closeProgress() override {}
};

QTemporaryDir &workFolder()
{
    static QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("bench-maintenance-XXXXXX")));
    return dir;
}

QString copyOf(const QString &source, const QString &name)
{
    const QString target = workFolder().filePath(name);
    QFile::remove(target);
    if (!QFile::copy(source, target))
        qFatal("cannot copy %s", qPrintable(source));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

// A smaller book of count transactions, generated once into the temp folder.
QString smallFile(int count)
{
    const QString path = QDir::temp().filePath(QStringLiteral("bench-%1.tillbrook").arg(count));
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "generating %s (%d transactions) ...\n", qPrintable(path), count);
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    QFile::copy(QStringLiteral(TILLBROOK_TEMPLATE), partial);
    QFile::setPermissions(partial, QFile::ReadOwner | QFile::WriteOwner);
    {
        TMyDataModule db;
        db.open(partial);
        GeneratorOptions options;
        options.transactions = count;
        GenerateBook(db, options);
    }
    QFile::rename(partial, path);
    return path;
}

// Deletes every hundredth transaction, so compaction has pages to give back.
void freeSomePages(const QString &path)
{
    TMyDataModule db;
    db.open(path);
    SqlStatement(db, QStringLiteral("DELETE FROM tbTransactions WHERE TransactionID % 100 = 0")).exec();
}

// A file with nothing to give back: the check alone.
void BM_CompactNothingToReclaim(benchmark::State &state)
{
    const QString path = copyOf(BenchDataFile(), QStringLiteral("compact.tillbrook"));
    for (auto _ : state) {
        if (!CompactDataFile(path))
            state.SkipWithError("compaction failed");
    }
}
BENCHMARK(BM_CompactNothingToReclaim)->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 transactions deleted: the copy, its check and the rename.
void BM_CompactDataFile(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = copyOf(BenchDataFile(), QStringLiteral("compact.tillbrook"));
        freeSomePages(path);
        state.ResumeTiming();
        if (!CompactDataFile(path))
            state.SkipWithError("compaction failed");
    }
}
BENCHMARK(BM_CompactDataFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void backupOf(benchmark::State &state, const QString &source)
{
    SilentNotifier notifier(QStringLiteral("Yes"));
    Session session(notifier, workFolder().path() + u'/');
    NoWaitHost host;
    const QString path = copyOf(source, QStringLiteral("backup.tillbrook"));
    const QString archive = workFolder().filePath(QStringLiteral("backup.tillbrook.zip"));
    session.CurrentDataFile = path;
    session.MyDataModule.open(path);
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(archive);
        state.ResumeTiming();
        if (!BackupDataFile(session, path, archive, host))
            state.SkipWithError("backup failed");
    }
    state.counters["archive_MB"] = double(QFileInfo(archive).size()) / 1e6;
    session.MyDataModule.close();
}

// What the automatic backups add to start-up and to exit, besides their waits.
void BM_BackupDataFile(benchmark::State &state)
{
    backupOf(state, BenchDataFile());
}
BENCHMARK(BM_BackupDataFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BackupDataFile50k(benchmark::State &state)
{
    backupOf(state, smallFile(50000));
}
BENCHMARK(BM_BackupDataFile50k)->Unit(benchmark::kMillisecond)->Iterations(5);

// An automatic backup of a household's file: what start-up and exit wait for.
void BM_BackupDataFile2k(benchmark::State &state)
{
    backupOf(state, smallFile(2000));
}
BENCHMARK(BM_BackupDataFile2k)->Unit(benchmark::kMillisecond)->Iterations(10);

// Restoring over the open file (answered "Yes"): extraction, its check and the rename.
void BM_RestoreBackup(benchmark::State &state)
{
    SilentNotifier notifier(QStringLiteral("Yes"));
    Session session(notifier, workFolder().path() + u'/');
    NoWaitHost host;
    const QString path = copyOf(BenchDataFile(), QStringLiteral("restore.tillbrook"));
    const QString archive = workFolder().filePath(QStringLiteral("restore.tillbrook.zip"));
    QFile::remove(archive);
    WriteBackupArchive(path, archive);
    session.CurrentDataFile = path;
    session.MyDataModule.open(path);
    for (auto _ : state) {
        if (!RestoreBackup(session, archive, workFolder().path(), host))
            state.SkipWithError("restore failed");
    }
    session.MyDataModule.close();
}
BENCHMARK(BM_RestoreBackup)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchDataFile(); // generate before any timing starts
    smallFile(50000);
    smallFile(2000);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
