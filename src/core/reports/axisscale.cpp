#include "core/reports/axisscale.h"

#include <algorithm>
#include <cmath>

QList<double> AxisScale::ticks() const
{
    QList<double> values;
    const int count = int(std::llround((high - low) / step));
    for (int i = 0; i <= count; ++i) {
        const double value = low + i * step;
        // No "-0" and no 1e-13 from adding steps up.
        values.append(std::fabs(value) < step * 1e-9 ? 0.0 : value);
    }
    return values;
}

AxisScale NiceAxisScale(double minValue, double maxValue, int maxSteps)
{
    double low = std::min(0.0, minValue);
    double high = std::max(0.0, maxValue);
    if (!std::isfinite(low) || !std::isfinite(high))
        return {};
    if (high - low <= 0)
        high = low + 1; // every value 0: one step up
    maxSteps = std::max(1, maxSteps);
    const double rough = (high - low) / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0, 20.0}) {
        const double step = factor * power;
        const double niceLow = std::floor(low / step) * step;
        const double niceHigh = std::ceil(high / step) * step;
        if ((niceHigh - niceLow) / step <= maxSteps + 1e-9)
            return {niceLow, niceHigh, step};
    }
    const double step = 50 * power;
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}
