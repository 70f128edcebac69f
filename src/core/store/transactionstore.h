#pragma once

#include "core/base/money.h"
#include "core/store/ttransaction.h"

#include <QDate>

class TMyDataModule;

// Single rows of tbTransactions: insert, rewrite, delete and load, keeping both rows
// of a transfer consistent, and the account balances.
//
// None of these opens or commits a database transaction: callers bracket changes with
// BeginWork/CommitWork so a transfer's two rows and their link are written together
// or not at all. Every failure throws (DatabaseError for the engine's refusals).

// The years of the days the store accepts: what the stored yyyy-MM-dd text holds.
inline constexpr int FirstStorableYear = 1;
inline constexpr int LastStorableYear = 9999;

// Throws TillbrookError unless date is a real day within the storable years: every
// writer of tbTransactions checks its rows' dates with it.
void CheckStorableDate(const QDate &date);

// Both balances throw TillbrookError (BalanceOverflowMessage) for a sum the amount
// type cannot hold, rather than show a wrapped one.
// Sum of Amount over every row of the account, in its own currency; 0 without rows.
Money GetCurrentBalance(TMyDataModule &db, int accountId);
// The same sum over rows dated on or before date (the day itself counts).
// Throws TillbrookError for an invalid date.
Money GetPreviousBalance(TMyDataModule &db, int accountId, const QDate &date);

// The record with PayeeId, CategoryId and AccountId looked up from its three names
// (an empty name finds the row whose name is Null; no match gives -1). Identifiers
// already in the record are ignored.
TTransaction ResolveTransactionRefs(TMyDataModule &db, const TTransaction &record);

// Writes the record with its account's currency and rate and returns the new
// TransactionID. Refuses (TillbrookError, nothing written) a date that is not a real
// day within the storable years and an amount beyond Money::maximum(), also where a
// transfer's converted amount would be. A transfer writes the paying row here (the amount made negative)
// and the receiving row in OtherAccountID (the amount converted between the two
// currencies, positive), each linked to the other; the first row's id is returned.
int InsertTransaction(TMyDataModule &db, const TTransaction &record);
// Rewrites the row TransactionID from the record, re-stamping its currency and rate.
// A transfer also rewrites its partner (LinkedTransactionID) with the negated
// converted amount; a partner that is gone is left alone. Throws when the row itself
// does not exist, and refuses what InsertTransaction refuses.
bool UpdateTransaction(TMyDataModule &db, const TTransaction &record);
// Writes only the record's Status to its row and, for a transfer, to its partner.
// Amounts and rates stay as they are: a reconciliation mark never moves money, even
// when a rate has changed since the transfer was written. Throws when the row is gone.
void SetTransactionStatus(TMyDataModule &db, const TTransaction &record);
// Deletes the row TransactionID and, for a transfer, its partner; a partner that is
// already gone is no error.
bool DeleteTransaction(TMyDataModule &db, const TTransaction &record);
// Fills record from row id (names looked up from the identifiers) and returns true;
// returns false and leaves record untouched when there is no such row.
bool LoadTransaction(TMyDataModule &db, int id, TTransaction &record);
