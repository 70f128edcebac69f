#pragma once

#include "core/base/money.h"

#include <QList>
#include <QString>

class TMyDataModule;

// The balance of every account that has transactions, in the base currency (each
// amount divided by its own stored rate), by account name; accounts of the same
// name are added together.
struct AccountBalance
{
    QString AccountDescription;
    Money Balance;
};

struct AccountSummary
{
    QList<AccountBalance> accounts;
    // Of every transaction in the file, 0 without any.
    Money total;
};

AccountSummary LoadAccountSummary(TMyDataModule &db);
