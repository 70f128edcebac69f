#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <compare>
#include <optional>

// An exact amount of money: a signed count of ten-thousandths, as stored in the
// data file. Arithmetic never goes through double except for currency conversion,
// which rounds back to four places.
class Money
{
public:
    static constexpr qint64 UnitsPerWhole = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { Money m; m.m_units = units; return m; }
    // Rounds to four places, halves away from zero.
    static Money fromDouble(double value);
    // Reads plain decimal text: optional blanks, optional sign, digits, optional "." and
    // digits. No grouping characters (callers remove "," first). More than four
    // decimals are rounded. Returns nothing for anything else.
    static std::optional<Money> fromText(QStringView text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / UnitsPerWhole; }
    constexpr bool isZero() const { return m_units == 0; }

    // This amount ÷ fromRate × toRate, rounded to four places. Throws TillbrookError
    // when a rate is zero or the result does not fit.
    Money converted(double fromRate, double toRate) const;
    // Rounded to the given number of decimals (0..4), halves away from zero.
    Money roundedTo(int digits) const;

    // "1,234.50" with the given number of decimals.
    QString toGroupedText(int digits) const;
    // "1234.50" with the given number of decimals.
    QString toPlainText(int digits) const;
    // Plain text by a pattern of the form "0." followed by zeros ("0.00", "0.").
    QString toPlainText(const QString &amountFormat) const;

    constexpr Money operator-() const { return fromUnits(-m_units); }
    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    constexpr Money &operator+=(Money o) { m_units += o.m_units; return *this; }
    constexpr Money &operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    qint64 m_units = 0;
};

// Amounts are never shown with more decimals than this.
inline constexpr int MaxShownDigits = 8;

// Number of decimals that an amount pattern like "0.00" asks for.
int DigitsOfAmountFormat(const QString &amountFormat);
// "0." followed by that many zeros.
QString AmountFormatForDigits(int digits);
