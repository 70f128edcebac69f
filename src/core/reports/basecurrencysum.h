#pragma once

#include "core/base/money.h"

#include <QVariant>
#include <cmath>

// A SUM(Amount/CurrencyRate) read back from the engine: a real count of
// ten-thousandths in the base currency, rounded to the nearest one. Null (no rows,
// or only rows without a rate) reads as 0.
inline Money BaseCurrencySum(const QVariant &value)
{
    return Money::fromUnits(std::llround(value.toDouble()));
}
