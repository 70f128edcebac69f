#pragma once

#include "core/base/money.h"
#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"

#include <QList>
#include <QString>

class TMyDataModule;

// Which transactions an item total counts.
enum class AmountSign { Any, Payments, Receipts };
// ByName: groups by name, an item without a name first. ByAmount: the smallest
// (most negative) total first, equal totals by name.
enum class TotalsOrder { ByName, ByAmount };
// A transfer between two of the user's own accounts (a linked pair) neither earns nor
// spends: the charts leave such pairs out, the totals count them as rows like any.
enum class TransferPairs { Counted, LeftOut };

// The net of one payee's or one category's transactions across all accounts, each
// amount divided by its own stored rate, so in the base currency.
struct ItemTotal
{
    QString name; // empty for an item without a name
    Money amount;
};

// One total per item name (items of the same name, case aside, count as one) over the
// transactions in the range. Transactions whose item row is missing are not counted.
QList<ItemTotal> LoadItemTotals(TMyDataModule &db, ReportItemKind kind, const ReportDateRange &range,
                                AmountSign sign, TotalsOrder order,
                                TransferPairs transfers = TransferPairs::Counted);
