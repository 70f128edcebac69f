#pragma once

#include <QDate>
#include <QString>

// The calendar month the register shows. The year list runs from RegisterFirstYear
// to RegisterLastYear; stepping stops at either end.
inline constexpr int RegisterFirstYear = 1950;
inline constexpr int RegisterLastYear = 2500;

struct ShownMonth
{
    int month = 1; // 1..12
    int year = RegisterFirstYear;

    // The same month with month and year pulled into the register's range.
    ShownMonth bounded() const;
    QDate firstDay() const { return QDate(year, month, 1); }
    QDate lastDay() const { return firstDay().addMonths(1).addDays(-1); }
    // The next (forward) or previous month. In the last year of the list forward stays
    // put even in January, in the first year back stays put even in December.
    ShownMonth stepped(bool forward) const;

    bool operator==(const ShownMonth &) const = default;
};

// "January" … "December"; empty outside 1..12.
QString EnglishMonthName(int month);
