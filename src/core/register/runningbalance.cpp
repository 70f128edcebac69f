#include "core/register/runningbalance.h"

QList<Money> RunningBalances(Money opening, const QList<Money> &amounts)
{
    QList<Money> balances;
    balances.reserve(amounts.size());
    Money balance = opening;
    for (const Money amount : amounts) {
        balance += amount;
        balances.append(balance);
    }
    return balances;
}
