#pragma once

#include "core/datafile/sqlstatement.h"
#include "core/store/ttransaction.h"

class TMyDataModule;

// Writes many new rows of tbTransactions in one go, for callers that have already
// turned names into identifiers and know each account's currency and rate. Rows get
// consecutive numbers, so a transfer's two rows are written already linked. Like the
// rest of the store it opens no database transaction: the caller holds one (which also
// keeps every other writer out while the numbers are handed out).
class TransactionBatch
{
public:
    explicit TransactionBatch(TMyDataModule &db);

    // One row with the record's PayeeId, CategoryId, AccountId, CurrencyID and
    // CurrencyRate as they are. Returns its TransactionID.
    int insert(const TTransaction &record);

    // A transfer between record.AccountId, whose row holds record.Amount as it is, and
    // record.OtherAccountID (stamped otherCurrencyId, otherRate), whose row holds the
    // negated amount converted between the two rates, so the pair balances whatever the
    // sign. Both rows carry "Transfer". Returns the first row's TransactionID.
    int insertTransfer(const TTransaction &record, int otherCurrencyId, double otherRate);

private:
    int takeId();
    void write(const TTransaction &record, int id, int accountId, Money amount, int linkedId, int otherAccountId,
               int currencyId, double rate);

    SqlStatement m_insert;
    qint64 m_nextId = 0;
};
