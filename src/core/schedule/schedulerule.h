#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// The date rules of a scheduled transaction, as pure functions of plain values: which
// days a schedule falls on, when it ends, and how its repeat is said in words.

enum class ScheduleFrequency { Days, Weeks, Months, Years };

// The stored letter of a frequency: 'D', 'W', 'M' or 'Y'.
QString FrequencyCode(ScheduleFrequency frequency);
// The frequency of a stored letter (either case); nothing for any other text.
std::optional<ScheduleFrequency> FrequencyFromCode(const QString &code);

// The longest step between two occurrences a schedule may ask for.
inline constexpr int MaxScheduleInterval = 999;

struct ScheduleRule
{
    ScheduleFrequency frequency = ScheduleFrequency::Months;
    int interval = 1;   // every `interval` days, weeks, months or years; at least 1
    int dayOfMonth = 0; // the day a monthly or yearly schedule asks for; 0: the day of the date

    friend bool operator==(const ScheduleRule &, const ScheduleRule &) = default;
};

// What ends a schedule; both may be set, and the first to be reached ends it.
struct ScheduleEnd
{
    QDate endDate;                // the last day an occurrence may fall on; null: none
    std::optional<int> remaining; // occurrences still to come, the next included; none: no limit

    friend bool operator==(const ScheduleEnd &, const ScheduleEnd &) = default;
};

// The occurrence that follows the one on `date`. A monthly or yearly one falls on
// dayOfMonth, or the month's last day when the month is shorter, so the 31st gives
// 30 April and comes back to 31 May. Null when the day would lie beyond the years
// the data file holds.
QDate NextOccurrence(const ScheduleRule &rule, const QDate &date);

// The day a monthly or yearly schedule falls on in that month.
QDate DayInMonth(int year, int month, int dayOfMonth);

// True when an occurrence on `date` with `remaining` as given still belongs to the
// schedule (not past its end date, and occurrences left).
bool OccurrenceWithinEnd(const ScheduleEnd &end, const QDate &date);

// The occurrences from `first` (itself the first) up to and including `last`, as
// many as the end allows, at most `limit` of them.
QList<QDate> Occurrences(const ScheduleRule &rule, const QDate &first, const ScheduleEnd &end, const QDate &last,
                         int limit);

// The rule's repeat in words: "Daily", "Every 3 days", "Weekly", "Every 2 weeks",
// "Monthly on day 31", "Every 3 months on day 15", "Yearly on 29 February",
// "Every 2 years on 1 March". `next` gives a yearly schedule its month.
QString FrequencyText(const ScheduleRule &rule, const QDate &next);

// Why the rule cannot be used, or empty: a frequency letter is checked where it is read.
QString RuleProblem(const ScheduleRule &rule);
