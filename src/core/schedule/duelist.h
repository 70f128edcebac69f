#pragma once

#include "core/base/money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TMyDataModule;

// The occurrences of schedules that have fallen due, and entering or skipping them.

// One occurrence of a schedule.
struct DueOccurrence
{
    int scheduleId = 0;
    QDate date;
    QString accountName;
    QString payeeName;   // a transfer without a payee: "Transfer to <account>"
    Money amount;        // signed, in the account's currency
    QString categoryName;
    QString note;
    bool transfer = false;
    bool autoEnter = false;

    friend bool operator==(const DueOccurrence &, const DueOccurrence &) = default;
};

// A schedule far behind lists at most this many occurrences at a time; the rest come
// at the next check.
inline constexpr int MaxOccurrencesPerCheck = 1000;

struct DueList
{
    QList<DueOccurrence> occurrences; // by date, then schedule
    QStringList problems;             // schedules that cannot be used, in words
};

// Every occurrence dated up to `last` not yet entered or skipped, each missed one once.
DueList DueOccurrences(TMyDataModule &db, const QDate &last);

// The occurrences of the account's schedules (and of transfers into it) dated from
// `from` to `to`, whether due or not; for the register's rows of what is still to come.
// The amount is the one the account sees.
QList<DueOccurrence> OccurrencesOfAccount(TMyDataModule &db, int accountId, const QDate &from, const QDate &to);

// Enters the occurrences through the store as the entry panel's save would write them
// (a transfer as a linked pair, each row with its account's rate) and moves each
// schedule's NextDueDate past them, all in one unit of work: on any failure nothing of
// it stays. Per schedule, only occurrences from its NextDueDate on, one after the
// other, are taken: one entered already is not entered again, and one after a gap
// waits for the occurrence before it. Returns the number of occurrences entered.
int EnterOccurrences(TMyDataModule &db, const QList<DueOccurrence> &occurrences);

// The same, moving past the occurrences without writing a transaction.
int SkipOccurrences(TMyDataModule &db, const QList<DueOccurrence> &occurrences);

// What a due check did: the automatic occurrences entered, the others to be asked
// about, the schedules that cannot be used.
struct DueCheckResult
{
    int entered = 0;
    QList<DueOccurrence> toAsk;
    QStringList problems;
};

// The check at opening and on "Today": enters every occurrence up to `today` of the
// schedules marked to be entered automatically, then lists the rest.
DueCheckResult RunDueCheck(TMyDataModule &db, const QDate &today);

// "3 scheduled transactions entered." ("1 scheduled transaction entered.")
QString EnteredScheduledText(int count);
