#pragma once

#include "core/store/ttransaction.h"
#include "core/register/entryvalues.h"

#include <optional>

class Notifier;
class TMyDataModule;

// The field a refused save puts the focus on.
enum class EntryField { None, Amount, TransferTo };

struct EntryCheck
{
    QString message; // empty: the values may be saved
    EntryField field = EntryField::None;
    bool ok() const { return message.isEmpty(); }
};

// The checks a save runs before it touches the data file, in their order: blank
// amount, zero amount, an amount that is no number, a transfer without a target.
EntryCheck CheckEntryValues(const EntryValues &values);

// The signed amount the values stand for: Pay puts a "-" in front of the typed text.
// Nothing when that text is no plain number. An edited transaction whose amount and
// type are as they were filled keeps its stored amount to the last decimal.
std::optional<Money> EntryAmount(const EntryValues &values);

// The record a save hands to the store. The identifiers of payee, category and
// account stay -1: the store resolves them from the names.
TTransaction BuildTransaction(TMyDataModule &db, const EntryValues &values);

// True when the account's currency has the rate 1 but is not the base currency, so
// the rate was probably never set and the user is asked before saving.
bool NeedsRateOneQuestion(TMyDataModule &db, const QString &accountName);

// Refusal of a save while no existing account is shown.
inline const QString NoAccountMessage = QStringLiteral("Please choose an account for the transaction");
// Refusal of an edit's save when the transaction is no longer there to update.
inline const QString EditedTransactionGoneMessage =
    QStringLiteral("The transaction being edited is no longer in the file; nothing was saved.");

struct SaveResult
{
    enum Outcome { Refused, Declined, Saved };
    Outcome outcome = Refused;
    EntryField field = EntryField::None; // where a refusal puts the focus
    TTransaction transaction;            // the saved record, with its number
    bool payeeAdded = false;
    bool categoryAdded = false;
};

// The save's work on the data file: checks, then the shown account must exist (a refusal shows its warning and writes
// nothing), new payee and category, the rate-1 question (No undoes everything of this
// save), then the insert or update. Runs in its own (possibly nested) unit of work,
// committed only when the transaction was written; errors roll it back and propagate.
SaveResult SaveEntry(TMyDataModule &db, Notifier &notifier, const EntryValues &values);
