#pragma once

#include "core/schedule/tschedule.h"

#include <QList>
#include <QString>

#include <optional>

class TMyDataModule;

// Rows of tbSchedule: read (each row checked at the door, as another tool may have
// written it), write and delete. None of these opens a database transaction of its own.

// Why the row cannot be used, in words, or empty. Checks what the program relies on:
// an account that exists, a frequency letter, an interval, a day of the month, real
// days for the dates, an amount that is not 0 and within range, a transfer to another
// account that exists.
QString ScheduleProblem(TMyDataModule &db, const TSchedule &schedule);

// The schedule with that number, names filled in. Nothing when there is no such row;
// throws TillbrookError naming the schedule and the problem for a row that cannot be used.
std::optional<TSchedule> LoadSchedule(TMyDataModule &db, int scheduleId);

// Writes the schedule (a new row when ScheduleId is 0) and returns its number. The
// identifiers are written as they are; the names are not read. Throws TillbrookError
// with ScheduleProblem's text, writing nothing, for a schedule that cannot be used, and
// when the row to rewrite is gone.
int SaveSchedule(TMyDataModule &db, const TSchedule &schedule);

// Deletes the row; an absent row is no error.
void DeleteSchedule(TMyDataModule &db, int scheduleId);

// Moves the schedule past what has been entered or skipped.
void SetScheduleProgress(TMyDataModule &db, int scheduleId, const QDate &nextDueDate,
                         std::optional<int> remainingCount);

// One line of the schedule list.
struct ScheduleListRow
{
    int scheduleId = 0;
    QString nextDue;   // yyyy-MM-dd, "Ended" when nothing is left to enter
    QString account;
    QString payee;     // a transfer shows its target as "Transfer to <account>" when it has no payee
    QString amount;    // grouped, with the decimals given
    QString frequency; // in words, "Once", or what is wrong with the row
};

// Every schedule, by next due date; a row that cannot be used is listed with its problem
// so it can be edited or deleted.
QList<ScheduleListRow> ScheduleListRows(TMyDataModule &db, int digits);

// Number of schedules; the register asks before it looks for this month's.
int ScheduleCount(TMyDataModule &db);

// The schedules that fall due on or before `last` (ended ones left out), by next due
// date then number; rows that cannot be used are left out and named in `problems`.
QList<TSchedule> SchedulesDueBy(TMyDataModule &db, const QDate &last, QStringList *problems);

// The schedules of the account, or transferring into it, due on or before `last`
// (ended ones and rows that cannot be used left out).
QList<TSchedule> SchedulesOfAccountDueBy(TMyDataModule &db, int accountId, const QDate &last);
