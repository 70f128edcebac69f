#pragma once

#include <QByteArrayView>
#include <QDate>

// Dates as QIF files write them. Slashed dates ("1/15'2004", "1/15/04") are month
// first unless the file shows otherwise, so a value is read in two steps: its parts
// first, then the date once the whole file has been seen.
//
// Forms read, with blanks anywhere inside ("1/ 2'03"): M/D'YYYY, M/D'YY, M/D/YYYY,
// M/D/YY (and each of them day first), YYYY-MM-DD and D.M.YYYY (or D.M.YY).
// Two-digit years (one digit is taken as two with a leading zero): 00 to 49 are
// 2000 to 2049, 50 to 99 are 1950 to 1999, after "'" and after "/" alike.

struct QifDateParts
{
    enum class Form : unsigned char { Unreadable, Slashed, YearMonthDay, DayMonthYear };
    Form form = Form::Unreadable;
    short first = 0;   // Slashed: month, or day when the file is day first
    short second = 0;
    short year = 0;    // four digits, the century rule applied

    bool isReadable() const { return form != Form::Unreadable; }
    // A slashed date that can only be day first.
    bool showsDayFirst() const { return form == Form::Slashed && first > 12; }
};

QifDateParts ParseQifDateParts(QByteArrayView text);

// The day the parts name; an invalid QDate when there is no such day.
QDate QifDate(const QifDateParts &parts, bool dayFirst);
