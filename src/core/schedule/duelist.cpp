#include "core/schedule/duelist.h"

#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/register/transactioncommands.h"
#include "core/schedule/schedulestore.h"
#include "core/store/lookups.h"
#include "core/store/transactionstore.h"

#include <QMap>

#include <algorithm>

namespace {

QString payeeShown(const TSchedule &s)
{
    if (s.PayeeName.isEmpty() && s.isTransfer())
        return QStringLiteral("Transfer to %1").arg(s.OtherAccountDescription);
    return s.PayeeName;
}

DueOccurrence occurrenceOf(const TSchedule &s, const QDate &date)
{
    DueOccurrence o;
    o.scheduleId = s.ScheduleId;
    o.date = date;
    o.accountName = s.AccountDescription;
    o.payeeName = payeeShown(s);
    o.amount = s.Amount;
    o.categoryName = s.CategoryDescription;
    o.note = s.strNote;
    o.transfer = s.isTransfer();
    o.autoEnter = s.AutoEnter;
    return o;
}

// The record the entry panel's save would hand to the store for this occurrence: names
// that the store resolves, a transfer marked as one with its target.
TTransaction transactionOf(const TSchedule &s, const QDate &date)
{
    TTransaction t;
    t.TransactionDate = date;
    t.PayeeName = s.PayeeName;
    t.PayeeId = -1;
    t.CategoryDescription = s.CategoryDescription;
    t.CategoryId = -1;
    t.strNote = s.strNote;
    t.Amount = s.Amount;
    t.AccountDescription = s.AccountDescription;
    t.AccountId = -1;
    if (s.isTransfer()) {
        t.InternalDescription = TransferDescription;
        t.OtherAccountID = s.OtherAccountID;
    }
    t.Status = TransactionStatus::Unset;
    return t;
}

bool earlier(const DueOccurrence &a, const DueOccurrence &b)
{
    return a.date != b.date ? a.date < b.date : a.scheduleId < b.scheduleId;
}

int process(TMyDataModule &db, const QList<DueOccurrence> &occurrences, bool enter)
{
    QMap<int, QList<QDate>> bySchedule;
    for (const DueOccurrence &o : occurrences)
        bySchedule[o.scheduleId] << o.date;

    int count = 0;
    WorkGuard work(db);
    for (auto it = bySchedule.begin(); it != bySchedule.end(); ++it) {
        // Read again inside the unit of work: what was listed may have been entered since.
        const std::optional<TSchedule> s = LoadSchedule(db, it.key());
        if (!s)
            continue;
        QList<QDate> dates = it.value();
        std::sort(dates.begin(), dates.end());
        QDate next = s->NextDueDate;
        ScheduleEnd end = s->end;
        bool moved = false;
        for (const QDate &date : std::as_const(dates)) {
            if (date < next)
                continue;
            if (date > next || !OccurrenceWithinEnd(end, date))
                break;
            if (enter)
                InsertTransaction(db, transactionOf(*s, date));
            ++count;
            moved = true;
            if (end.remaining)
                --*end.remaining;
            next = NextOccurrence(s->rule, date);
            if (!next.isValid()) {
                // Nothing can follow within the years the file holds: the schedule ends here.
                next = date;
                end.remaining = 0;
                break;
            }
        }
        if (moved)
            SetScheduleProgress(db, s->ScheduleId, next, end.remaining);
    }
    work.commit();
    return count;
}

} // namespace

DueList DueOccurrences(TMyDataModule &db, const QDate &last)
{
    DueList due;
    const QList<TSchedule> schedules = SchedulesDueBy(db, last, &due.problems);
    for (const TSchedule &s : schedules) {
        for (const QDate &date : Occurrences(s.rule, s.NextDueDate, s.end, last, MaxOccurrencesPerCheck))
            due.occurrences << occurrenceOf(s, date);
    }
    std::stable_sort(due.occurrences.begin(), due.occurrences.end(), earlier);
    return due;
}

QList<DueOccurrence> OccurrencesOfAccount(TMyDataModule &db, int accountId, const QDate &from, const QDate &to)
{
    QList<DueOccurrence> result;
    if (!from.isValid() || !to.isValid() || from > to)
        return result;
    const double ownRate = GetAccountCurrencyRate(db, accountId);
    for (const TSchedule &s : SchedulesOfAccountDueBy(db, accountId, to)) {
        DueOccurrence shown = occurrenceOf(s, QDate());
        if (s.AccountId != accountId) {
            // The receiving side of a transfer, as the store converts it.
            const Money paid = s.Amount > Money() ? -s.Amount : s.Amount;
            try {
                shown.amount = -paid.converted(GetAccountCurrencyRate(db, s.AccountId), ownRate);
            } catch (const TillbrookError &) {
                continue; // a rate of 0: entering it will say so; here it is only not shown
            }
            shown.accountName = s.OtherAccountDescription;
            if (s.PayeeName.isEmpty())
                shown.payeeName = QStringLiteral("Transfer from %1").arg(s.AccountDescription);
        }
        for (const QDate &date : Occurrences(s.rule, s.NextDueDate, s.end, to, MaxOccurrencesPerCheck)) {
            if (date < from)
                continue;
            shown.date = date;
            result << shown;
        }
    }
    std::stable_sort(result.begin(), result.end(), earlier);
    return result;
}

int EnterOccurrences(TMyDataModule &db, const QList<DueOccurrence> &occurrences)
{
    return process(db, occurrences, true);
}

int SkipOccurrences(TMyDataModule &db, const QList<DueOccurrence> &occurrences)
{
    return process(db, occurrences, false);
}

DueCheckResult RunDueCheck(TMyDataModule &db, const QDate &today)
{
    DueCheckResult result;
    DueList due = DueOccurrences(db, today);
    result.problems = due.problems;
    QList<DueOccurrence> automatic;
    for (const DueOccurrence &o : std::as_const(due.occurrences))
        (o.autoEnter ? automatic : result.toAsk) << o;
    if (!automatic.isEmpty()) {
        try {
            result.entered = EnterOccurrences(db, automatic);
        } catch (const TillbrookError &error) {
            // Nothing of the batch stays; the schedules stay due and are tried again.
            result.problems << QStringLiteral("The scheduled transactions could not be entered: %1")
                                   .arg(error.message());
        }
    }
    return result;
}

QString EnteredScheduledText(int count)
{
    return count == 1 ? QStringLiteral("1 scheduled transaction entered.")
                      : QStringLiteral("%1 scheduled transactions entered.").arg(count);
}
