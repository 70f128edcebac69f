#include "core/base/texthelpers.h"

#include <QRegularExpression>

#include <optional>

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

namespace {

char16_t *putDigits(char16_t *out, int value, int digits)
{
    for (int i = digits - 1; i >= 0; --i, value /= 10)
        out[i] = char16_t(u'0' + value % 10);
    return out + digits;
}

// The digits of text[from, from + count) as a number; -1 when one is not a digit.
template <typename Text>
int readDigits(const Text &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const auto c = text[i];
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + int(c - '0');
    }
    return value;
}

// The common stored form "YYYY-MM-DD" read directly, whatever follows it (a time
// part); nullopt for anything else.
template <typename Text>
std::optional<QDate> readStoredDate(const Text &text, qsizetype size)
{
    if (size < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = readDigits(text, 0, 4);
    const int month = readDigits(text, 5, 2);
    const int day = readDigits(text, 8, 2);
    if (year <= 0 || month < 0 || day < 0)
        return std::nullopt;
    return QDate(year, month, day);
}

} // namespace

QString DateToText(const QDate &date)
{
    // Reports write a million of these: the common case without QDate::toString.
    int year = 0, month = 0, day = 0;
    if (!date.isValid())
        return QString();
    date.getDate(&year, &month, &day);
    if (year < 1 || year > 9999)
        return date.toString(QLatin1String(DisplayDateFormat));
    char16_t text[10];
    char16_t *out = putDigits(text, day, 2);
    *out++ = u'/';
    out = putDigits(out, month, 2);
    *out++ = u'/';
    putDigits(out, year, 4);
    return QString(reinterpret_cast<const QChar *>(text), 10);
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
    // Anything but the common form is read as QDate reads ISO dates, which also
    // tolerates a time part written by other tools.
    if (const auto date = readStoredDate(text.utf16(), text.size()))
        return *date;
    return QDate::fromString(text.left(10), Qt::ISODate);
}

QDate FromStoredDate(QUtf8StringView text)
{
    if (const auto date = readStoredDate(text.data(), text.size()))
        return *date;
    return FromStoredDate(text.toString());
}

int YearOfDate(const QDate &date) { return date.year(); }
int MonthOfDate(const QDate &date) { return date.month(); }

QString CountOf(qint64 count, const QString &one, const QString &many)
{
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}
