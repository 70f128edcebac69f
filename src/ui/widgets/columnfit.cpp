#include "ui/widgets/columnfit.h"

#include <algorithm>
#include <numeric>

QList<int> FitColumnWidths(const QList<int> &natural, int available, const QList<int> &stretch,
                           int minimum)
{
    QList<int> widths = natural;
    QList<int> columns;
    for (const int col : stretch)
        if (col >= 0 && col < widths.size())
            columns.append(col);
    if (columns.isEmpty())
        return widths;

    const int sum = std::accumulate(widths.cbegin(), widths.cend(), 0);
    if (available >= sum) {
        const int spare = available - sum;
        const int share = spare / int(columns.size());
        int rest = spare % int(columns.size());
        for (const int col : std::as_const(columns))
            widths[col] += share + (rest-- > 0 ? 1 : 0);
        return widths;
    }

    // Short: each stretch column gives up width in proportion to what it has above
    // the minimum, so a wide note shrinks more than a short payee.
    int deficit = sum - available;
    int room = 0;
    for (const int col : std::as_const(columns))
        room += std::max(0, widths[col] - minimum);
    if (room <= deficit) {
        for (const int col : std::as_const(columns))
            widths[col] = std::min(widths[col], minimum);
        return widths;
    }
    const int shortBy = deficit;
    for (const int col : std::as_const(columns)) {
        const int own = std::max(0, widths[col] - minimum);
        const int cut = int((qint64(shortBy) * own + room - 1) / room);
        const int taken = std::min({cut, own, deficit});
        widths[col] -= taken;
        deficit -= taken;
    }
    return widths;
}
