#include "core/register/entrysave.h"

#include "core/lists/items.h"
#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/store/transactionstore.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/sqlstatement.h"

namespace {

QString signPrefix(TransactionType type)
{
    return type == TransactionType::Pay ? QStringLiteral("-") : QString();
}

} // namespace

std::optional<Money> EntryAmount(const EntryValues &values)
{
    if (values.mode == EntryMode::Edit && values.filledAmount && values.type == values.filledType
        && values.amountText == values.filledAmountText)
        return values.filledAmount;
    return Money::fromText(QString(signPrefix(values.type) + values.amountText));
}

EntryCheck CheckEntryValues(const EntryValues &values)
{
    if (values.amountText.isEmpty())
        return {QStringLiteral("Transaction amount cannot be left blank"), EntryField::Amount};
    const std::optional<Money> typed = Money::fromText(values.amountText);
    if (typed && typed->isZero())
        return {QStringLiteral("Transaction amount cannot be 0"), EntryField::Amount};
    // "." alone, "-" alone, a Pay of "-5" ("--5"): refused here rather than failing
    // half-way through the save. A sign is the transfer's alone, as when typing; it
    // can only be left over from a transfer when the type was changed.
    const bool signedOutsideTransfer = values.type != TransactionType::Transfer
                                       && values.amountText.trimmed().startsWith(u'-');
    if (!typed || !EntryAmount(values) || signedOutsideTransfer)
        return {QStringLiteral("Transaction amount must be a number"), EntryField::Amount};
    if (values.type == TransactionType::Transfer && values.transferTo.isEmpty())
        return {QStringLiteral("Please choose an account to Transfer to"), EntryField::TransferTo};
    return {};
}

TTransaction BuildTransaction(TMyDataModule &db, const EntryValues &values)
{
    TTransaction t;
    t.TransactionID = values.mode == EntryMode::Edit ? values.selectedTransactionId : 0;
    t.TransactionDate = values.date;
    t.PayeeName = values.payeeName;
    t.PayeeId = -1;
    t.CategoryDescription = values.categoryName;
    t.CategoryId = -1;
    t.strNote = values.note;
    if (values.type == TransactionType::Transfer) {
        t.InternalDescription = TransferDescription;
        t.OtherAccountID = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                                    QStringLiteral("AccountDescription"), values.transferTo);
        if (values.mode == EntryMode::Edit) {
            bool ok = false;
            const int other = values.otherTransactionNo.trimmed().toInt(&ok);
            t.LinkedTransactionID = ok ? other : 0;
        }
    }
    const std::optional<Money> amount = EntryAmount(values);
    if (!amount)
        throw TillbrookError(QStringLiteral("'%1' is not a valid amount").arg(values.amountText));
    t.Amount = *amount;
    t.AccountDescription = values.accountName;
    t.Status = values.status;
    return t;
}

bool NeedsRateOneQuestion(TMyDataModule &db, const QString &accountName)
{
    const int account = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                                 QStringLiteral("AccountDescription"), accountName);
    if (GetAccountCurrencyRate(db, account) != 1.0)
        return false;
    SqlStatement query(db, QStringLiteral("SELECT IsBaseCurrency FROM tbCurrency"
                                          " WHERE CurrencyID=:CurrencyID"));
    query.bind(QStringLiteral(":CurrencyID"), GetAccountCurrencyId(db, account)).exec();
    return query.next() && !query.boolValue(QStringLiteral("IsBaseCurrency"));
}

namespace {

// Adds a name that has no row yet; true when it was added.
bool addMissingItem(TMyDataModule &db, Notifier &notifier, const QString &table,
                    const QString &nameColumn, const QString &name, bool isExpense)
{
    if (name.isEmpty() || ItemExists(db, table, nameColumn, name))
        return false;
    InsertItem(db, notifier, table, nameColumn, name, QString(), Money(), isExpense);
    return true;
}

} // namespace

SaveResult SaveEntry(TMyDataModule &db, Notifier &notifier, const EntryValues &values)
{
    SaveResult result;
    const EntryCheck check = CheckEntryValues(values);
    if (!check.ok()) {
        ShowNotice(notifier, check.message, WarningBar);
        result.field = check.field;
        return result;
    }

    // An edit without a transaction to update would write nothing: never say "saved".
    TTransaction edited;
    if (values.mode == EntryMode::Edit
        && (values.selectedTransactionId < 0 || !LoadTransaction(db, values.selectedTransactionId, edited))) {
        ShowNotice(notifier, EditedTransactionGoneMessage, WarningBar);
        return result;
    }

    // Without an account the row would be written where no register ever shows it.
    if (LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                 QStringLiteral("AccountDescription"), values.accountName) < 0) {
        ShowNotice(notifier, NoAccountMessage, WarningBar);
        return result;
    }

    WorkGuard work(db);
    const bool isExpense = values.type == TransactionType::Pay;
    result.payeeAdded = addMissingItem(db, notifier, QStringLiteral("tbPayee"),
                                       QStringLiteral("PayeeName"), values.payeeName, isExpense);
    result.categoryAdded = addMissingItem(db, notifier, QStringLiteral("tbCategory"),
                                          QStringLiteral("CategoryDescription"),
                                          values.categoryName, isExpense);

    if (NeedsRateOneQuestion(db, values.accountName)
        && AskYesNo(notifier, QStringLiteral("The current currency rate for this account is 1, Continue?"))
               != AskYes) {
        result.outcome = SaveResult::Declined;
        result.payeeAdded = result.categoryAdded = false;
        return result; // the guard undoes the items added above
    }

    TTransaction t = BuildTransaction(db, values);
    if (values.mode == EntryMode::New) {
        t.TransactionID = InsertTransaction(db, t);
    } else {
        UpdateTransaction(db, t);
    }
    work.commit();
    result.outcome = SaveResult::Saved;
    result.transaction = t;
    return result;
}
