#pragma once

#include "core/base/money.h"
#include "core/base/tillbrookerror.h"

#include <QVariant>
#include <cmath>

// A SUM(Amount/CurrencyRate) read back from the engine: a real count of
// ten-thousandths in the base currency, rounded to the nearest one. Null (no rows,
// or only rows without a rate) reads as 0. A sum the amount type cannot hold (tiny
// rates blow amounts up) is an error, never a wrapped-around total.
inline Money BaseCurrencySum(const QVariant &value)
{
    const double units = value.toDouble();
    // 2^63: the first value beyond the amount type; kept clear of its lowest value too,
    // so the sum can still be negated.
    constexpr double Limit = 9223372036854775808.0;
    if (!std::isfinite(units) || std::fabs(units) >= Limit)
        throw TillbrookError(QStringLiteral("A total in the base currency is too large to be shown. "
                                            "Please check the currency rates."));
    return Money::fromUnits(std::llround(units));
}
