// tillbrook_qifgenerate <path> [transactions]: writes a QIF file of several accounts
// with transfers, for the import benchmark and manual testing.
#include "qifgenerator.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tillbrook_qifgenerate <path> [transactions, default 1000000]\n");
        return 2;
    }
    QifGeneratorOptions options;
    if (argc == 3)
        options.transactions = QByteArray(argv[2]).toLongLong();
    const QifGeneratorResult result = WriteQifFile(QString::fromLocal8Bit(argv[1]), options);
    std::fprintf(stderr, "wrote %lld records (%lld transfers in both sections) for %lld transactions\n",
                 static_cast<long long>(result.records), static_cast<long long>(result.transfers),
                 static_cast<long long>(options.transactions));
    for (const QString &reference : result.references)
        std::printf("%s\n", qPrintable(reference));
    return 0;
}
