#pragma once

#include <QString>
#include <functional>

class TMyDataModule;

// Fills a data file with a realistic book: 10 accounts in 3 currencies, 300 payees,
// 60 categories and `transactions` transactions over 20 years, about 5% of them
// transfers, every status used. Everything goes through the transaction store, in
// one database transaction per batch. Deterministic for a given count.
struct GeneratorOptions
{
    qint64 transactions = 1000000;
    int years = 20;
    int lastYear = 2025;
    std::function<void(qint64 done)> progress;
};

void GenerateBook(TMyDataModule &db, const GeneratorOptions &options);
// Adds the accounts, currencies, payees and categories only.
void GenerateLists(TMyDataModule &db);
