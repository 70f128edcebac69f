#pragma once

#include "core/base/money.h"

#include <QString>
#include <QStringList>

class TMyDataModule;

// Budget frequencies: the blank entry first, then "Daily" to "2 Years".
const QStringList &FrequencyNames();

// Length of a frequency in days; the names compare exactly (case included) and
// anything else, the blank entry too, counts 0.
int FrequencyDays(const QString &frequency);

// An item's budget per day: Amt ÷ FrequencyDays(Frequency), rounded to four places,
// halves to even. 0 when the item has no row or no frequency. Kind "C" reads
// tbCategory, any other kind tbPayee.
Money DailyBudget(TMyDataModule &db, int itemId, const QString &kind);
