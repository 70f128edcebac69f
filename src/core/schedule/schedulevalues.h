#pragma once

#include "core/register/entryvalues.h"
#include "core/schedule/tschedule.h"

#include <QDate>
#include <QString>

class Notifier;
class TMyDataModule;
struct TTransaction;

// What the schedule editor holds, as plain values, and the checks and the save it runs.

enum class ScheduleRepeat { Once, Every };
enum class ScheduleEndKind { Never, AfterCount, OnDate };

struct ScheduleValues
{
    int scheduleId = 0; // 0: a new schedule
    TransactionType type = TransactionType::Pay;
    QString accountName;
    QString transferTo;
    QString payeeName;
    QString categoryName;
    QString amountText; // as typed, without the sign of the type
    QString note;
    QDate firstDate;    // the next occurrence to enter
    ScheduleRepeat repeat = ScheduleRepeat::Every;
    int interval = 1;
    ScheduleFrequency frequency = ScheduleFrequency::Months;
    ScheduleEndKind endKind = ScheduleEndKind::Never;
    int count = 1;      // occurrences left, with AfterCount
    QDate endDate;      // with OnDate
    bool autoEnter = false;
    // The day a monthly or yearly schedule asks for; 0: the day of firstDate. Kept
    // from the stored schedule so an edit does not move the 31st to a short month's end.
    int dayOfMonth = 0;
};

// The field a refused save puts the focus on.
enum class ScheduleField { None, Amount, Account, TransferTo, FirstDate, Count, EndDate, Interval };

struct ScheduleCheck
{
    QString message; // empty: the values may be saved
    ScheduleField field = ScheduleField::None;
    bool ok() const { return message.isEmpty(); }
};

inline const QString TransferToOwnAccountMessage =
    QStringLiteral("A transfer needs an account other than its own");

// The entry panel's checks of amount and transfer target, then: an existing account
// and target, a transfer to another account, a first date the file can hold, a
// repeat of 1 to 999, an end after at least one time or on a day not before the first.
ScheduleCheck CheckScheduleValues(TMyDataModule &db, const ScheduleValues &values);

// Saves the values as a schedule: the checks (a refusal shows its warning and writes
// nothing), then new payee and category as the entry panel adds them, then the row.
// Runs in its own (possibly nested) unit of work. Returns the schedule's number, 0
// when refused.
int SaveScheduleValues(TMyDataModule &db, Notifier &notifier, const ScheduleValues &values,
                       ScheduleField *field = nullptr);

// The editor's values for a stored schedule.
ScheduleValues ValuesOfSchedule(const TSchedule &schedule, int digits);

// The editor's values for "Schedule this ...": the transaction's type, account,
// payee, category, amount and note, monthly on its day, first due a month after it.
ScheduleValues ValuesOfTransaction(TMyDataModule &db, const TTransaction &transaction, int digits);
