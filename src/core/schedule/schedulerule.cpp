#include "core/schedule/schedulerule.h"

#include "core/store/transactionstore.h"

#include <QLocale>

#include <algorithm>

QString FrequencyCode(ScheduleFrequency frequency)
{
    switch (frequency) {
    case ScheduleFrequency::Days:
        return QStringLiteral("D");
    case ScheduleFrequency::Weeks:
        return QStringLiteral("W");
    case ScheduleFrequency::Months:
        return QStringLiteral("M");
    case ScheduleFrequency::Years:
        return QStringLiteral("Y");
    }
    return QStringLiteral("M");
}

std::optional<ScheduleFrequency> FrequencyFromCode(const QString &code)
{
    const QString letter = code.trimmed().toUpper();
    if (letter == QLatin1String("D"))
        return ScheduleFrequency::Days;
    if (letter == QLatin1String("W"))
        return ScheduleFrequency::Weeks;
    if (letter == QLatin1String("M"))
        return ScheduleFrequency::Months;
    if (letter == QLatin1String("Y"))
        return ScheduleFrequency::Years;
    return std::nullopt;
}

QDate DayInMonth(int year, int month, int dayOfMonth)
{
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    return QDate(year, month, std::clamp(dayOfMonth, 1, first.daysInMonth()));
}

QDate NextOccurrence(const ScheduleRule &rule, const QDate &date)
{
    if (!date.isValid() || rule.interval < 1)
        return {};
    QDate next;
    switch (rule.frequency) {
    case ScheduleFrequency::Days:
        next = date.addDays(rule.interval);
        break;
    case ScheduleFrequency::Weeks:
        next = date.addDays(qint64(rule.interval) * 7);
        break;
    case ScheduleFrequency::Months:
    case ScheduleFrequency::Years: {
        // Counted from the month, not the day: a short month's last day must not pull
        // the following occurrences back with it.
        const int months = rule.frequency == ScheduleFrequency::Months ? rule.interval : rule.interval * 12;
        const qint64 index = qint64(date.year()) * 12 + (date.month() - 1) + months;
        const qint64 year = index / 12;
        if (year > LastStorableYear)
            return {};
        next = DayInMonth(int(year), int(index % 12) + 1, rule.dayOfMonth > 0 ? rule.dayOfMonth : date.day());
        break;
    }
    }
    if (!next.isValid() || next.year() > LastStorableYear)
        return {};
    return next;
}

bool OccurrenceWithinEnd(const ScheduleEnd &end, const QDate &date)
{
    if (!date.isValid())
        return false;
    if (end.remaining && *end.remaining <= 0)
        return false;
    return !end.endDate.isValid() || date <= end.endDate;
}

QList<QDate> Occurrences(const ScheduleRule &rule, const QDate &first, const ScheduleEnd &end, const QDate &last,
                         int limit)
{
    QList<QDate> dates;
    ScheduleEnd left = end;
    QDate date = first;
    while (dates.size() < limit && date.isValid() && date <= last && OccurrenceWithinEnd(left, date)) {
        dates << date;
        if (left.remaining)
            --*left.remaining;
        date = NextOccurrence(rule, date);
    }
    return dates;
}

QString FrequencyText(const ScheduleRule &rule, const QDate &next)
{
    const int n = rule.interval;
    const int day = rule.dayOfMonth > 0 ? rule.dayOfMonth : (next.isValid() ? next.day() : 1);
    switch (rule.frequency) {
    case ScheduleFrequency::Days:
        return n == 1 ? QStringLiteral("Daily") : QStringLiteral("Every %1 days").arg(n);
    case ScheduleFrequency::Weeks:
        return n == 1 ? QStringLiteral("Weekly") : QStringLiteral("Every %1 weeks").arg(n);
    case ScheduleFrequency::Months:
        return n == 1 ? QStringLiteral("Monthly on day %1").arg(day)
                      : QStringLiteral("Every %1 months on day %2").arg(n).arg(day);
    case ScheduleFrequency::Years: {
        // The month's name in English, as every other text of the program.
        const QString month = QLocale::c().monthName(next.isValid() ? next.month() : 1);
        return n == 1 ? QStringLiteral("Yearly on %1 %2").arg(day).arg(month)
                      : QStringLiteral("Every %1 years on %2 %3").arg(n).arg(day).arg(month);
    }
    }
    return {};
}

QString RuleProblem(const ScheduleRule &rule)
{
    if (rule.interval < 1 || rule.interval > MaxScheduleInterval)
        return QStringLiteral("The repeat must be every 1 to %1 periods.").arg(MaxScheduleInterval);
    if (rule.dayOfMonth < 0 || rule.dayOfMonth > 31)
        return QStringLiteral("The day of the month must lie between 1 and 31.");
    return {};
}
