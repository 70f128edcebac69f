#include "core/exchange/qifdate.h"

namespace {

// The digits of text as a number; -1 for an empty text, a text with anything else,
// or more than four digits.
int number(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 4)
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int fullYear(QByteArrayView text)
{
    const int value = number(text);
    if (value < 0 || text.size() == 3)
        return -1;
    if (text.size() <= 2)
        return value < 50 ? 2000 + value : 1900 + value;
    return value;
}

// Splits "a<sep1>b<sep2>c" at the first sep1 and the first sep2 after it.
bool split3(QByteArrayView text, char sep1, char sep2a, char sep2b, QByteArrayView &a, QByteArrayView &b,
            QByteArrayView &c)
{
    const qsizetype i = text.indexOf(sep1);
    if (i < 0)
        return false;
    qsizetype j = -1;
    for (qsizetype k = i + 1; k < text.size(); ++k) {
        if (text[k] == sep2a || text[k] == sep2b) {
            j = k;
            break;
        }
    }
    if (j < 0)
        return false;
    a = text.first(i);
    b = text.sliced(i + 1, j - i - 1);
    c = text.sliced(j + 1);
    return true;
}

QifDateParts make(QifDateParts::Form form, int first, int second, int year)
{
    QifDateParts parts;
    if (first < 0 || second < 0 || year < 0 || first > 99 || second > 99)
        return parts;
    parts.form = form;
    parts.first = short(first);
    parts.second = short(second);
    parts.year = short(year);
    return parts;
}

} // namespace

QifDateParts ParseQifDateParts(QByteArrayView text)
{
    char compact[32];
    qsizetype length = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        if (length == qsizetype(sizeof compact))
            return {};
        compact[length++] = c;
    }
    const QByteArrayView value(compact, length);
    QByteArrayView a, b, c;
    if (split3(value, '/', '\'', '/', a, b, c))
        return make(QifDateParts::Form::Slashed, number(a), number(b), fullYear(c));
    if (split3(value, '-', '-', '-', a, b, c)) {
        if (a.size() != 4)
            return {};
        return make(QifDateParts::Form::YearMonthDay, number(b), number(c), number(a));
    }
    if (split3(value, '.', '.', '.', a, b, c))
        return make(QifDateParts::Form::DayMonthYear, number(a), number(b), fullYear(c));
    return {};
}

QDate QifDate(const QifDateParts &parts, bool dayFirst)
{
    int day = 0, month = 0;
    switch (parts.form) {
    case QifDateParts::Form::Unreadable:
        return QDate();
    case QifDateParts::Form::Slashed:
        month = dayFirst ? parts.second : parts.first;
        day = dayFirst ? parts.first : parts.second;
        break;
    case QifDateParts::Form::YearMonthDay:
        month = parts.first;
        day = parts.second;
        break;
    case QifDateParts::Form::DayMonthYear:
        day = parts.first;
        month = parts.second;
        break;
    }
    if (parts.year < 1)
        return QDate();
    return QDate(parts.year, month, day);
}
