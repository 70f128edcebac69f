#pragma once

#include "core/base/money.h"

#include <QList>

// The balance after each amount in turn, starting from opening. Works on the stored
// amounts, so rounding for display never drifts into the balance.
QList<Money> RunningBalances(Money opening, const QList<Money> &amounts);
