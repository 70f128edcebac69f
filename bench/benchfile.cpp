#include "benchfile.h"

#include "core/datafile/datamodule.h"
#include "generator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

QString copyTemplate(const QString &path)
{
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(TILLBROOK_TEMPLATE), path))
        qFatal("cannot copy the template to %s", qPrintable(path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

std::unique_ptr<TMyDataModule> benchFileConnection;

} // namespace

TMyDataModule &BenchFileConnection()
{
    if (!benchFileConnection) {
        benchFileConnection = std::make_unique<TMyDataModule>();
        benchFileConnection->open(BenchDataFile());
    }
    return *benchFileConnection;
}

void CloseBenchFile()
{
    benchFileConnection.reset();
}

QString BenchDataFile()
{
    QString path = qEnvironmentVariable("TILLBROOK_BENCH_FILE");
    if (path.isEmpty())
        path = QDir::temp().filePath(QStringLiteral("bench-1m.tillbrook"));
    if (QFile::exists(path))
        return path;
    std::fprintf(stderr, "generating %s (1,000,000 transactions) ...\n", qPrintable(path));
    const QString partial = path + QStringLiteral(".partial");
    copyTemplate(partial);
    {
        TMyDataModule db;
        db.open(partial);
        GenerateBook(db, GeneratorOptions{});
    }
    QFile::rename(partial, path);
    return path;
}

QString FreshListsFile()
{
    static QTemporaryDir dir;
    static int counter = 0;
    const QString path = copyTemplate(dir.filePath(QStringLiteral("lists-%1.tillbrook").arg(++counter)));
    TMyDataModule db;
    db.open(path);
    GenerateLists(db);
    return path;
}
