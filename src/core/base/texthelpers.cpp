#include "core/base/texthelpers.h"

#include <QRegularExpression>

bool IsNumber(const QString &text)
{
    // "\z", not "$": "$" would also match before a final line break.
    static const QRegularExpression plainNumber(
        QStringLiteral(R"(^ *[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\z)"));
    return !text.isEmpty() && plainNumber.match(text).hasMatch();
}

QString RemoveChar(const QString &text, QChar character)
{
    QString result = text;
    result.remove(character);
    return result;
}

QString StripBlanks(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c != u'\r' && c != u'\n' && c != u' ')
            result += c;
    }
    return result;
}

QString StripAmountText(const QString &text)
{
    return RemoveChar(StripBlanks(text), u'-');
}

QString DateToText(const QDate &date)
{
    return date.toString(QLatin1String(DisplayDateFormat));
}

QDate DateFromText(const QString &text)
{
    return QDate::fromString(text, QLatin1String(DisplayDateFormat));
}

QString ToSqlDate(const QString &dateText)
{
    return dateText.mid(3, 2) + u'/' + dateText.mid(0, 2) + u'/' + dateText.mid(6, 4);
}

QString ToStoredDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QDate FromStoredDate(const QString &text)
{
    // Tolerate a time part written by other tools.
    return QDate::fromString(text.left(10), Qt::ISODate);
}

int YearOfDate(const QDate &date) { return date.year(); }
int MonthOfDate(const QDate &date) { return date.month(); }
