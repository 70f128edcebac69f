#pragma once

#include "core/exchange/importlinks.h"
#include "core/exchange/qifstaging.h"

#include <functional>

class Notifier;
class TMyDataModule;

struct QifImportTotals
{
    int transactions = 0; // staged rows stored, a transfer counting once
    int transfers = 0;
};

// Called now and then while rows are stored: rows done so far and rows in all.
using ImportProgress = std::function<void(qsizetype done, qsizetype total)>;

enum class ImportMode { Store, DryRun };

// From this many rows on, an import into a file holding fewer rows than it writes drops
// the transaction indexes and builds them again at the end, which is several times
// faster than keeping them up to date row by row.
inline constexpr qsizetype IndexRebuildThreshold = 20000;

// Stores the staged rows in one database transaction: an import is stored completely
// or not at all. Every row goes to the account its own reference is linked to; a
// transfer also writes the partner row in the account its "L" reference is linked to.
// Payees and categories the data file lacks are created ("Expense" for a negative
// amount, "Income" otherwise, no budget). A dry run does all of it and rolls it back.
// Throws TillbrookError when a link is missing or names no account of the data file,
// and passes on any failure of the store after rolling back.
QifImportTotals ImportQifStaging(TMyDataModule &db, Notifier &notifier, const QifStaging &staging,
                                 const ImportLinks &links, ImportMode mode = ImportMode::Store,
                                 const ImportProgress &progress = {});

// The status a row is stored with: "Cleared" for a record marked "X", else " ".
QString ImportedStatus(const QifStagedRow &row);

// The accounts an import can be linked to, as the account chooser offers them.
QStringList ImportAccountChoices(TMyDataModule &db);
