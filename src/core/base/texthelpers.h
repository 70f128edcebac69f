#pragma once

#include <QDate>
#include <QString>

// Small text and date helpers shared by every window.

// True when the text is a plain number: optional leading blanks, optional sign,
// digits with an optional "." fraction and an optional exponent. "." is always the
// decimal point; grouping, currency symbols and trailing characters make it false.
bool IsNumber(const QString &text);
// The text without every occurrence of the character.
QString RemoveChar(const QString &text, QChar character);
// Without carriage returns, line feeds, blanks and "-".
QString StripAmountText(const QString &text);
// Without carriage returns, line feeds and blanks.
QString StripBlanks(const QString &text);
// "1 transfer", "4 transfers": a count with its noun in the right number.
QString CountOf(qint64 count, const QString &one, const QString &many);

// The program's fixed date text, "dd/mm/yyyy".
inline constexpr auto DisplayDateFormat = "dd/MM/yyyy";
QString DateToText(const QDate &date);
// Reads "dd/mm/yyyy"; an invalid QDate for anything else.
QDate DateFromText(const QString &text);
// "dd/mm/yyyy" rewritten month first ("31/03/2024" gives "03/31/2024").
QString ToSqlDate(const QString &dateText);
// How dates are stored in the data file: ISO "yyyy-MM-dd".
QString ToStoredDate(const QDate &date);
QDate FromStoredDate(const QString &text);
// The same for the UTF-8 text a statement hands out.
QDate FromStoredDate(QUtf8StringView text);

int YearOfDate(const QDate &date);
int MonthOfDate(const QDate &date);
