#pragma once

#include "core/store/ttransaction.h"
#include "core/register/registerstate.h"

#include <QString>

class Notifier;
class TMyDataModule;

// The four status marks, as stored and as offered by the panel's status box.
namespace TransactionStatus {
inline const QString Unset = QStringLiteral(" ");
inline const QString Void = QStringLiteral("Void");
inline const QString Cleared = QStringLiteral("Cleared");
inline const QString Reconciled = QStringLiteral("Reconciled");
} // namespace TransactionStatus

// The mark a stored status stands for. Files written by older imports hold "C" for
// Cleared; every other value is its own mark.
QString StatusMarkOf(const QString &stored);

// True when id names an existing transaction row; otherwise shows "Nothing Selected."
// in the warning bar.
bool CheckSelectedTransaction(TMyDataModule &db, Notifier &notifier, int id);

struct DeleteResult
{
    enum Outcome { NothingSelected, Declined, Deleted };
    Outcome outcome = NothingSelected;
    TTransaction transaction; // what was deleted
};

// Asks "Delete Transaction [id]?" and on Yes deletes the row and, for a transfer, its
// partner. Writes only through the store; the caller brackets the unit of work.
DeleteResult DeleteSelectedTransaction(TMyDataModule &db, Notifier &notifier, int id);

struct MarkResult
{
    bool marked = false;
    TTransaction transaction; // the rewritten record
};

// Sets the status of the selected transaction (both rows of a transfer). Only in
// Browse mode and not while the grid loads; "Nothing Selected." when there is none.
MarkResult MarkSelectedTransaction(TMyDataModule &db, Notifier &notifier,
                                   const RegisterState &state, const QString &status);
