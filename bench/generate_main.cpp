// tillbrook_generate <path> [transactions]: writes a new data file from the template
// and fills it with a realistic book for benchmarks and manual testing.
#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "generator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tillbrook_generate <path> [transactions, default 1000000]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    GeneratorOptions options;
    if (argc == 3)
        options.transactions = QByteArray(argv[2]).toLongLong();
    const QString templatePath = QStringLiteral(TILLBROOK_TEMPLATE);
    if (QFile::exists(path) || !QFile::copy(templatePath, path)) {
        std::fprintf(stderr, "tillbrook_generate: cannot create %s (exists already, or no template at %s)\n",
                     argv[1], qPrintable(templatePath));
        return 1;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    try {
        TMyDataModule db;
        db.open(path);
        QElapsedTimer timer;
        timer.start();
        options.progress = [&](qint64 done) {
            std::fprintf(stderr, "\r%lld transactions", static_cast<long long>(done));
        };
        GenerateBook(db, options);
        std::fprintf(stderr, "\rwrote %lld transactions in %.1f s\n",
                     static_cast<long long>(options.transactions), timer.elapsed() / 1000.0);
    } catch (const TillbrookError &error) {
        std::fprintf(stderr, "tillbrook_generate: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
