#include "core/schedule/schedulevalues.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/lists/items.h"
#include "core/register/entrysave.h"
#include "core/schedule/schedulestore.h"
#include "core/store/lookups.h"
#include "core/store/transactionstore.h"

namespace {

// The part of the values the entry panel checks, as the entry panel holds it.
EntryValues entryValuesOf(const ScheduleValues &values)
{
    EntryValues v;
    v.mode = EntryMode::New;
    v.type = values.type;
    v.amountText = values.amountText;
    v.accountName = values.accountName;
    v.transferTo = values.transferTo;
    v.payeeName = values.payeeName;
    v.categoryName = values.categoryName;
    v.note = values.note;
    v.date = values.firstDate;
    return v;
}

bool storable(const QDate &date)
{
    return date.isValid() && date.year() >= FirstStorableYear && date.year() <= LastStorableYear;
}

// The amount as plain text with every decimal it has, and at least the shown ones.
QString amountText(Money amount, int digits)
{
    QString text = amount.toPlainText(4);
    const int point = text.indexOf(u'.');
    if (point >= 0) {
        int keep = text.size();
        while (keep > point + 1 + digits && text.at(keep - 1) == u'0')
            --keep;
        if (keep == point + 1)
            --keep;
        text.truncate(keep);
    }
    return text;
}

void addMissingItem(TMyDataModule &db, Notifier &notifier, ItemKind kind, const QString &name, bool isExpense)
{
    if (!name.isEmpty() && !ItemExists(db, kind, name))
        InsertItem(db, notifier, kind, name, QString(), Money(), isExpense);
}

} // namespace

ScheduleCheck CheckScheduleValues(TMyDataModule &db, const ScheduleValues &values)
{
    const EntryCheck entry = CheckEntryValues(entryValuesOf(values));
    if (!entry.ok())
        return {entry.message,
                entry.field == EntryField::TransferTo ? ScheduleField::TransferTo : ScheduleField::Amount};
    const int account = AccountIdOf(db, values.accountName);
    if (values.accountName.isEmpty() || account < 0)
        return {NoAccountMessage, ScheduleField::Account};
    if (values.type == TransactionType::Transfer) {
        const int target = AccountIdOf(db, values.transferTo);
        if (target < 0)
            return {QStringLiteral("Please choose an account to Transfer to"), ScheduleField::TransferTo};
        if (target == account)
            return {TransferToOwnAccountMessage, ScheduleField::TransferTo};
    }
    if (!storable(values.firstDate))
        return {QStringLiteral("Please enter the first due date"), ScheduleField::FirstDate};
    if (values.repeat == ScheduleRepeat::Every && (values.interval < 1 || values.interval > MaxScheduleInterval))
        return {QStringLiteral("The repeat must be every 1 to %1 periods").arg(MaxScheduleInterval),
                ScheduleField::Interval};
    if (values.repeat == ScheduleRepeat::Every && values.endKind == ScheduleEndKind::AfterCount && values.count < 1)
        return {QStringLiteral("A schedule must end after 1 time or more"), ScheduleField::Count};
    if (values.repeat == ScheduleRepeat::Every && values.endKind == ScheduleEndKind::OnDate
        && (!storable(values.endDate) || values.endDate < values.firstDate))
        return {QStringLiteral("The end date cannot lie before the first due date"), ScheduleField::EndDate};
    return {};
}

int SaveScheduleValues(TMyDataModule &db, Notifier &notifier, const ScheduleValues &values, ScheduleField *field)
{
    const ScheduleCheck check = CheckScheduleValues(db, values);
    if (field)
        *field = check.field;
    if (!check.ok()) {
        ShowNotice(notifier, check.message, WarningDialog);
        return 0;
    }
    const std::optional<Money> amount = EntryAmount(entryValuesOf(values));
    if (!amount)
        throw TillbrookError(QStringLiteral("'%1' is not a valid amount").arg(values.amountText));

    WorkGuard work(db);
    const bool isExpense = values.type == TransactionType::Pay;
    addMissingItem(db, notifier, ItemKind::Payees, values.payeeName, isExpense);
    addMissingItem(db, notifier, ItemKind::Categories, values.categoryName, isExpense);

    TSchedule s;
    s.ScheduleId = values.scheduleId;
    s.AccountId = AccountIdOf(db, values.accountName);
    if (values.type == TransactionType::Transfer)
        s.OtherAccountID = AccountIdOf(db, values.transferTo);
    // The nameless rows of the template stand for "none", as in a transaction.
    s.PayeeId = ItemIdOf(db, ItemKind::Payees, values.payeeName);
    s.CategoryId = ItemIdOf(db, ItemKind::Categories, values.categoryName);
    // A transfer always pays out of its account, as the store writes it.
    s.Amount = values.type == TransactionType::Transfer && *amount > Money() ? -*amount : *amount;
    s.strNote = values.note;
    s.NextDueDate = values.firstDate;
    s.AutoEnter = values.autoEnter;
    if (values.repeat == ScheduleRepeat::Once) {
        s.end.remaining = 1;
    } else {
        s.rule.frequency = values.frequency;
        s.rule.interval = values.interval;
        if (values.endKind == ScheduleEndKind::AfterCount)
            s.end.remaining = values.count;
        else if (values.endKind == ScheduleEndKind::OnDate)
            s.end.endDate = values.endDate;
    }
    s.rule.dayOfMonth = values.dayOfMonth > 0 ? values.dayOfMonth : values.firstDate.day();
    const int id = SaveSchedule(db, s);
    work.commit();
    return id;
}

ScheduleValues ValuesOfSchedule(const TSchedule &s, int digits)
{
    ScheduleValues v;
    v.scheduleId = s.ScheduleId;
    v.type = s.isTransfer() ? TransactionType::Transfer
                            : (s.Amount < Money() ? TransactionType::Pay : TransactionType::Receive);
    v.accountName = s.AccountDescription;
    v.transferTo = s.OtherAccountDescription;
    v.payeeName = s.PayeeName;
    v.categoryName = s.CategoryDescription;
    v.amountText = amountText(s.Amount < Money() ? -s.Amount : s.Amount, digits);
    v.note = s.strNote;
    v.firstDate = s.NextDueDate;
    v.frequency = s.rule.frequency;
    v.interval = s.rule.interval;
    v.dayOfMonth = s.rule.dayOfMonth;
    v.autoEnter = s.AutoEnter;
    if (s.end.remaining == 1 && !s.end.endDate.isValid()) {
        v.repeat = ScheduleRepeat::Once;
    } else if (s.end.remaining) {
        v.endKind = ScheduleEndKind::AfterCount;
        v.count = *s.end.remaining;
    } else if (s.end.endDate.isValid()) {
        v.endKind = ScheduleEndKind::OnDate;
        v.endDate = s.end.endDate;
    }
    return v;
}

ScheduleValues ValuesOfTransaction(TMyDataModule &db, const TTransaction &t, int digits)
{
    ScheduleValues v;
    TTransaction paying = t;
    if (t.isTransfer()) {
        // The receiving row of a transfer: the schedule pays out of the other account.
        TTransaction partner;
        if (t.Amount > Money() && t.LinkedTransactionID > 0 && LoadTransaction(db, t.LinkedTransactionID, partner))
            paying = partner;
        v.type = TransactionType::Transfer;
        v.transferTo = AccountNameOf(db, paying.OtherAccountID);
    } else {
        v.type = t.Amount < Money() ? TransactionType::Pay : TransactionType::Receive;
    }
    v.accountName = paying.AccountDescription.isEmpty() ? AccountNameOf(db, paying.AccountId)
                                                        : paying.AccountDescription;
    v.payeeName = paying.PayeeName;
    v.categoryName = paying.CategoryDescription;
    v.note = paying.strNote;
    v.amountText = amountText(paying.Amount < Money() ? -paying.Amount : paying.Amount, digits);
    v.frequency = ScheduleFrequency::Months;
    v.interval = 1;
    v.dayOfMonth = paying.TransactionDate.day();
    v.firstDate = NextOccurrence(ScheduleRule{ScheduleFrequency::Months, 1, v.dayOfMonth}, paying.TransactionDate);
    return v;
}
