#pragma once

#include <QString>
#include <QStringList>

// Writes a QIF file as a bank's or another program's export would: one "!Account" block
// and "!Type:Bank" section per account, dated records with grouped amounts, cleared
// marks, payees, memos and categories, and transfers that both accounts' sections
// carry (the importer stores each once). Deterministic for a seed.
struct QifGeneratorOptions
{
    qint64 transactions = 1000000; // a transfer counts once, though written in two sections
    int accounts = 6;          // named like the benchmark data file's: "Account 01", ...
    int payees = 300;
    int categories = 60;
    unsigned seed = 20260101;
};

struct QifGeneratorResult
{
    qint64 records = 0;        // both halves of a transfer counting
    qint64 transfers = 0;      // transfer pairs, each written in two sections
    QStringList references;    // "[Account 01]", ...
};

QifGeneratorResult WriteQifFile(const QString &path, const QifGeneratorOptions &options);
