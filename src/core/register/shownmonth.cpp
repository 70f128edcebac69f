#include "core/register/shownmonth.h"

#include <QtGlobal>
#include <array>

ShownMonth ShownMonth::bounded() const
{
    return {qBound(1, month, 12), qBound(RegisterFirstYear, year, RegisterLastYear)};
}

ShownMonth ShownMonth::stepped(bool forward) const
{
    if (forward) {
        if (year >= RegisterLastYear)
            return *this;
        return month >= 12 ? ShownMonth{1, year + 1} : ShownMonth{month + 1, year};
    }
    if (year <= RegisterFirstYear)
        return *this;
    return month <= 1 ? ShownMonth{12, year - 1} : ShownMonth{month - 1, year};
}

QString EnglishMonthName(int month)
{
    static constexpr std::array<const char *, 12> names = {
        "January", "February", "March", "April", "May", "June",
        "July", "August", "September", "October", "November", "December"};
    if (month < 1 || month > 12)
        return {};
    return QLatin1String(names[month - 1]);
}
