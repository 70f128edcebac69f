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
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

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

// A data file holding what BM_QifImport stores, written once (not measured).
const QString &importedFile()
{
    static const QString path = [] {
        const QifFile &qif = benchQif();
        const QString dataFile = FreshListsFile();
        QStringList arguments{dataFile, qif.path};
        for (const QString &reference : qif.contents.references)
            arguments << QStringLiteral("--link") << reference + u'=' + reference.mid(1, reference.size() - 2);
        QString output, errors;
        QTextStream out(&output), err(&errors);
        if (RunImportCommand(arguments, out, err) != 0)
            throw std::runtime_error(errors.toStdString());
        return dataFile;
    }();
    return path;
}

void exec(sqlite3 *db, const std::string &sql)
{
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// SQLite's own share of BM_QifImport, the floor the import cannot go below: the same
// rows copied inside SQLite from a file the import wrote into a fresh data file, with
// the store path's settings (indexes dropped, then built with a 2 MiB cache, temporary
// files and two sorting threads), in one transaction. No reading, staging or binding of values.
void BM_SqliteImportFloor(benchmark::State &state)
{
    const QifFile &qif = benchQif();
    const QByteArray source = importedFile().toUtf8();
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = FreshListsFile();
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(target.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open the target file");
        exec(db, "PRAGMA cache_size = -131072");
        exec(db, "PRAGMA temp_store = MEMORY");
        sqlite3_stmt *attach = nullptr;
        sqlite3_prepare_v2(db, "ATTACH ?1 AS source", -1, &attach, nullptr);
        sqlite3_bind_text(attach, 1, source.constData(), int(source.size()), SQLITE_STATIC);
        const int attached = sqlite3_step(attach);
        sqlite3_finalize(attach);
        if (attached != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        std::vector<std::string> names, definitions;
        sqlite3_stmt *query = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT name, sql FROM main.sqlite_master WHERE type = 'index'"
                           " AND tbl_name = 'tbTransactions' AND sql IS NOT NULL",
                           -1, &query, nullptr);
        while (sqlite3_step(query) == SQLITE_ROW) {
            names.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(query, 0)));
            definitions.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(query, 1)));
        }
        sqlite3_finalize(query);
        exec(db, "SELECT COUNT(*), SUM(LENGTH(strNote)) FROM source.tbTransactions"); // into the OS cache
        state.ResumeTiming();

        exec(db, "BEGIN");
        for (const std::string &name : names)
            exec(db, "DROP INDEX main.\"" + name + "\""); // names from the file's own schema
        exec(db, "INSERT INTO main.tbTransactions SELECT * FROM source.tbTransactions ORDER BY TransactionID");
        exec(db, "PRAGMA temp_store = FILE");
        exec(db, "PRAGMA cache_size = -2048");
        exec(db, "PRAGMA threads = 2");
        for (const std::string &definition : definitions)
            exec(db, definition);
        exec(db, "COMMIT");

        state.PauseTiming();
        sqlite3_close(db);
        QFile::remove(target);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (qif.contents.records - qif.contents.transfers));
}
BENCHMARK(BM_SqliteImportFloor)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
