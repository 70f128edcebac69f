#pragma once

#include "core/store/ttransaction.h"

class SqlStatement;

// The one reader of a transaction row. A query that hands out transactions selects,
// first and in this order:
//   TransactionID, TransactionDate, PayeeName, PayeeId, CategoryDescription,
//   CategoryId, strNote, Amount, AccountId, LinkedTransactionID, InternalDescription,
//   OtherAccountID, CurrencyID, CurrencyRate, Status
// and may add its own columns after them. AccountDescription is left empty for the
// caller, which either knows the account or selects its name as a further column.
inline constexpr int TransactionRowColumnCount = 15;

// The transaction on the query's current row.
TTransaction ReadTransactionRow(const SqlStatement &query);
