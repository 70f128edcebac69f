#include "core/lists/budget.h"

#include "core/datafile/sqlstatement.h"

#include <QVariant>

namespace {

struct Frequency
{
    const char *name;
    int days;
};

constexpr Frequency Frequencies[] = {
    {" ", 0},        {"Daily", 1},     {"Weekly", 7},     {"2 Weeks", 14},
    {"4 Weeks", 28}, {"Monthly", 30},  {"2 Months", 60},  {"3 Months", 90},
    {"4 Months", 120}, {"6 Months", 180}, {"Yearly", 365}, {"2 Years", 730},
};

// numerator ÷ divisor (divisor > 0), halves to even.
qint64 divideHalfToEven(qint64 numerator, qint64 divisor)
{
    qint64 q = numerator / divisor;
    qint64 r = numerator % divisor;
    if (r < 0) {
        r += divisor;
        --q;
    }
    const qint64 twice = 2 * r;
    if (twice > divisor || (twice == divisor && (q % 2) != 0))
        ++q;
    return q;
}

} // namespace

const QStringList &FrequencyNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Frequency &f : Frequencies)
            list << QLatin1String(f.name);
        return list;
    }();
    return names;
}

int FrequencyDays(const QString &frequency)
{
    for (const Frequency &f : Frequencies) {
        if (frequency == QLatin1String(f.name))
            return f.days;
    }
    return 0;
}

Money DailyBudget(TMyDataModule &db, int itemId, const QString &kind)
{
    const bool category = kind == QLatin1String("C");
    SqlStatement query(db, category ? QStringLiteral("SELECT Amt,Frequency FROM tbCategory WHERE CategoryID=:CategoryID")
                                    : QStringLiteral("SELECT Amt,Frequency FROM tbPayee WHERE PayeeID=:PayeeID"));
    query.bind(category ? QStringLiteral(":CategoryID") : QStringLiteral(":PayeeID"), itemId).exec();
    if (!query.next())
        return Money();
    const int days = FrequencyDays(query.value(1).toString());
    if (days == 0)
        return Money();
    return Money::fromUnits(divideHalfToEven(query.value(0).toLongLong(), days));
}
