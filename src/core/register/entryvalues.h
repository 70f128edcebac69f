#pragma once

#include "core/base/money.h"
#include "core/register/registerstate.h"

#include <QDate>
#include <QString>

#include <optional>

// The three transaction types, in the order of the type tabs.
enum class TransactionType { Pay = 0, Receive = 1, Transfer = 2 };

// What the entry panel holds when Save is pressed, as plain values.
struct EntryValues
{
    EntryMode mode = EntryMode::New;
    TransactionType type = TransactionType::Pay;
    int selectedTransactionId = -1;
    QDate date;
    QString payeeName;
    QString categoryName;
    QString note;
    QString amountText;         // as typed, without the sign of the type
    QString accountName;        // the account the register shows
    QString transferTo;         // the chosen target account; empty when none chosen
    QString otherTransactionNo; // the partner row of a transfer shown in the panel
    QString status;
    // The stored amount the panel was filled with, the text it showed for it and the
    // type it showed: in Edit, an amount left as shown saves the stored amount, not
    // its text rounded to the shown decimals.
    std::optional<Money> filledAmount;
    QString filledAmountText;
    TransactionType filledType = TransactionType::Pay;
};
