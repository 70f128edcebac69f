#include "core/base/money.h"

#include "core/base/tillbrookerror.h"

#include <cmath>
#include <limits>

namespace {

qint64 pow10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Rounds units to a multiple of step, halves away from zero.
qint64 roundUnitsTo(qint64 units, qint64 step)
{
    if (step <= 1)
        return units;
    const qint64 half = step / 2;
    const qint64 q = units / step;
    const qint64 r = units % step;
    if (r >= half)
        return (q + 1) * step;
    if (r <= -half)
        return (q - 1) * step;
    return q * step;
}

int clampDigits(int digits) { return qBound(0, digits, 4); }

} // namespace

Money Money::fromDouble(double value)
{
    return fromUnits(std::llround(value * UnitsPerWhole));
}

std::optional<Money> Money::fromText(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        whole = whole * 10 + (text[i].unicode() - '0');
        // Checked per digit, so the whole part never wraps before the range check.
        if (whole > MaxUnits / UnitsPerWhole)
            return std::nullopt;
        ++wholeDigits;
        ++i;
    }
    qint64 fraction = 0; // in units of 10^-5, one digit more than we keep, for rounding
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
            const int d = text[i].unicode() - '0';
            if (fractionDigits < 4)
                fraction = fraction * 10 + d;
            else if (fractionDigits == 4)
                roundUp = d >= 5;
            ++fractionDigits;
            ++i;
        }
    }
    if (i != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    fraction *= pow10(4 - qMin(fractionDigits, 4));
    const qint64 units = whole * UnitsPerWhole + fraction + (roundUp ? 1 : 0);
    if (units > MaxUnits)
        return std::nullopt;
    return fromUnits(negative ? -units : units);
}

Money Money::converted(double fromRate, double toRate) const
{
    if (fromRate == 0.0 || !std::isfinite(fromRate) || !std::isfinite(toRate))
        throw TillbrookError(QStringLiteral("A currency rate of 0 cannot convert an amount."));
    const long double result = (static_cast<long double>(m_units) / fromRate) * toRate;
    if (!std::isfinite(result) || std::fabs(result) > static_cast<long double>(MaxUnits))
        throw TillbrookError(QStringLiteral("The converted amount is too large."));
    return fromUnits(std::llround(result));
}

Money Money::operator-() const
{
    if (m_units == std::numeric_limits<qint64>::min())
        throw TillbrookError(BalanceOverflowMessage);
    return fromUnits(-m_units);
}

Money Money::operator+(Money o) const
{
    qint64 sum = 0;
    if (__builtin_add_overflow(m_units, o.m_units, &sum))
        throw TillbrookError(BalanceOverflowMessage);
    return fromUnits(sum);
}

Money Money::operator-(Money o) const
{
    qint64 difference = 0;
    if (__builtin_sub_overflow(m_units, o.m_units, &difference))
        throw TillbrookError(BalanceOverflowMessage);
    return fromUnits(difference);
}

Money Money::roundedTo(int digits) const
{
    return fromUnits(roundUnitsTo(m_units, pow10(4 - clampDigits(digits))));
}

QString Money::toPlainText(int digits) const
{
    return formatted(digits, false);
}

QString Money::toGroupedText(int digits) const
{
    return formatted(digits, true);
}

QString Money::formatted(int digits, bool grouped) const
{
    // Amounts carry four decimals; more places shown are zeros. Built in a buffer:
    // reports format millions of amounts.
    const int padding = qBound(0, digits - 4, MaxShownDigits - 4);
    digits = clampDigits(digits);
    const qint64 rounded = roundedTo(digits).m_units;
    const quint64 magnitude = rounded < 0 ? quint64(-(rounded + 1)) + 1 : quint64(rounded);
    char16_t buffer[64];
    char16_t *end = buffer + sizeof buffer / sizeof *buffer;
    char16_t *out = end;
    for (int i = 0; i < padding; ++i)
        *--out = u'0';
    if (digits > 0) {
        quint64 fraction = (magnitude % UnitsPerWhole) / quint64(pow10(4 - digits));
        for (int i = 0; i < digits; ++i, fraction /= 10)
            *--out = char16_t(u'0' + fraction % 10);
        *--out = u'.';
    }
    quint64 whole = magnitude / UnitsPerWhole;
    int written = 0;
    do {
        if (grouped && written > 0 && written % 3 == 0)
            *--out = u',';
        *--out = char16_t(u'0' + whole % 10);
        whole /= 10;
        ++written;
    } while (whole > 0);
    if (rounded < 0)
        *--out = u'-';
    return QString(reinterpret_cast<const QChar *>(out), end - out);
}

QString Money::toPlainText(const QString &amountFormat) const
{
    return toPlainText(DigitsOfAmountFormat(amountFormat));
}

int DigitsOfAmountFormat(const QString &amountFormat)
{
    const qsizetype dot = amountFormat.indexOf(u'.');
    return dot < 0 ? 0 : qMin(int(amountFormat.size() - dot - 1), MaxShownDigits);
}

QString AmountFormatForDigits(int digits)
{
    return QStringLiteral("0.") + QString(qBound(0, digits, MaxShownDigits), u'0');
}
