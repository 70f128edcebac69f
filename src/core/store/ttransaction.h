#pragma once

#include "core/base/money.h"

#include <QDate>
#include <QString>

// The InternalDescription that marks both rows of a transfer.
inline const QString TransferDescription = QStringLiteral("Transfer");

// One transaction as the register, the import and the store hand it around. A plain
// value: the store works on its own copy. The names are what the user sees; the
// identifiers are filled from them whenever the record is stored, and from the row
// when it is loaded.
struct TTransaction
{
    int TransactionID = 0;          // 0 until stored
    QDate TransactionDate;          // the day only
    QString PayeeName;              // empty for none
    int PayeeId = 0;
    QString CategoryDescription;    // empty for none
    int CategoryId = 0;
    QString strNote;
    Money Amount;                   // signed, in the account's currency
    QString AccountDescription;
    int AccountId = 0;
    int CurrencyID = 0;             // of the account, stamped when stored or loaded
    double CurrencyRate = 0.0;
    int LinkedTransactionID = 0;    // the other row of a transfer, else 0
    QString InternalDescription;    // "Transfer" or empty
    int OtherAccountID = 0;         // a transfer's other account
    QString Status;                 // " ", "Void", "Cleared" or "Reconciled"

    bool isTransfer() const { return InternalDescription == TransferDescription; }

    friend bool operator==(const TTransaction &, const TTransaction &) = default;
};
