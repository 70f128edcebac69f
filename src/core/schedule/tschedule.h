#pragma once

#include "core/base/money.h"
#include "core/schedule/schedulerule.h"

#include <QDate>
#include <QString>

// One row of tbSchedule with the names of what it refers to. Identifiers 0 stand for
// none; the names are filled from the identifiers when the row is read.
struct TSchedule
{
    int ScheduleId = 0;            // 0 until stored
    int AccountId = 0;
    QString AccountDescription;
    int OtherAccountID = 0;        // a transfer's target; 0 when not a transfer
    QString OtherAccountDescription;
    int PayeeId = 0;
    QString PayeeName;
    int CategoryId = 0;
    QString CategoryDescription;
    Money Amount;                  // signed as in tbTransactions: a payment is negative
    QString strNote;
    ScheduleRule rule;
    QDate NextDueDate;             // the first occurrence neither entered nor skipped
    ScheduleEnd end;
    bool AutoEnter = false;

    bool isTransfer() const { return OtherAccountID > 0; }
    // True when no occurrence is left to enter.
    bool hasEnded() const { return !OccurrenceWithinEnd(end, NextDueDate); }
};
