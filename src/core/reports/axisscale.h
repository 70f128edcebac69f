#pragma once

#include <QList>

// The value axis of a chart: round steps (1, 2 or 5 times a power of ten) from low to
// high, zero always inside, so a reader sees 0, 20,000, 40,000 rather than 2,710.43.
struct AxisScale
{
    double low = 0;
    double high = 1;
    double step = 1;

    QList<double> ticks() const;
};

// The smallest round scale that holds every value and zero, in at most maxSteps steps.
AxisScale NiceAxisScale(double minValue, double maxValue, int maxSteps = 6);
