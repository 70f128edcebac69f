#pragma once

#include "core/accounts/accountrec.h"

#include <QStringList>

class Notifier;
class TMyDataModule;

// The accounts of the data file.

// The account types the editor offers, in alphabetical order.
const QStringList &AccountTypes();

// Rows of the account list: "name;type;currency symbol", by name. An account
// whose currency does not exist is not listed.
QStringList AccountListRows(TMyDataModule &db);

// Stores a new account (New) or rewrites every account named oldDescription (Edit).
// A missing name, type or currency is refused with "You have not entered all account
// details.", a name holding ";" (the list's column separator) or an unknown currency
// with their own warning; the result is then false and nothing is stored.
bool SaveAccount(TMyDataModule &db, Notifier &notifier, EditMode mode,
                 const QString &oldDescription, const TAccountRec &account);

// The identifier of the account made last; 0 when there is none.
int NewestAccountId(TMyDataModule &db);

// Deletes the first account of that name with its transactions and the other halves
// of its transfers, which lie in other accounts, and its schedules and those
// transferring into it. All of it happens or none of it
// does. Returns false when there is no such account.
bool DeleteAccount(TMyDataModule &db, const QString &accountDescription);
