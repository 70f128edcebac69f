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
    // The largest amount, either sign, that the program accepts as a value: typed,
    // imported or stored. It leaves room for the sums of many such amounts; read
    // rows are taken as they are (fromUnits).
    static constexpr qint64 MaxUnits = 999'999'999'999'9999; // 999,999,999,999.9999

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { Money m; m.m_units = units; return m; }
    // Rounds to four places, halves away from zero.
    static Money fromDouble(double value);
    static constexpr Money maximum() { return fromUnits(MaxUnits); }
    // Reads plain decimal text: optional blanks, optional sign, digits, optional "." and
    // digits. No grouping characters (callers remove "," first). More than four
    // decimals are rounded. Returns nothing for anything else, and for an amount
    // beyond maximum().
    static std::optional<Money> fromText(QStringView text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / UnitsPerWhole; }
    constexpr bool isZero() const { return m_units == 0; }
    // Within ±maximum().
    constexpr bool isInRange() const { return m_units >= -MaxUnits && m_units <= MaxUnits; }

    // This amount ÷ fromRate × toRate, rounded to four places. Throws TillbrookError
    // when a rate is zero or the result lies beyond maximum().
    Money converted(double fromRate, double toRate) const;
    // Rounded to the given number of decimals (0..4), halves away from zero.
    Money roundedTo(int digits) const;

    // "1,234.50" with the given number of decimals.
    QString toGroupedText(int digits) const;
    // "1234.50" with the given number of decimals.
    QString toPlainText(int digits) const;
    // Plain text by a pattern of the form "0." followed by zeros ("0.00", "0.").
    QString toPlainText(const QString &amountFormat) const;

    // Sums and differences never wrap: one that the type cannot hold (a balance of
    // rows far beyond maximum()) throws TillbrookError with BalanceOverflowMessage.
    Money operator-() const;
    Money operator+(Money o) const;
    Money operator-(Money o) const;
    Money &operator+=(Money o) { return *this = *this + o; }
    Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    QString formatted(int digits, bool grouped) const;
    qint64 m_units = 0;
};

// Why a sum of amounts could not be made.
inline const QString BalanceOverflowMessage = QStringLiteral(
    "The balance is too large to be shown: it lies beyond -922,337,203,685,477.5808 .. 922,337,203,685,477.5807.");

// Amounts are never shown with more decimals than this.
inline constexpr int MaxShownDigits = 8;

// Number of decimals that an amount pattern like "0.00" asks for.
int DigitsOfAmountFormat(const QString &amountFormat);
// "0." followed by that many zeros.
QString AmountFormatForDigits(int digits);
