#pragma once

#include <QString>

class TMyDataModule;

// Names to identifiers and back. Table and column names must belong to the data
// file's schema (anything else throws); the name or identifier is always bound.

// Identifier of the first row whose name column equals Name (an empty Name finds the
// row whose name is Null); -1 when none.
int LookupId(TMyDataModule &db, const QString &table, const QString &idColumn,
             const QString &nameColumn, const QString &name);
// Name of the first row with that identifier; empty when none or Null.
QString LookupName(TMyDataModule &db, const QString &table, const QString &nameColumn,
                   const QString &idColumn, int id);
bool IdExists(TMyDataModule &db, const QString &table, const QString &column, int id);

// The account of that name (an empty name finds the account whose name is Null); -1
// when none.
int AccountIdOf(TMyDataModule &db, const QString &accountName);
// Name of the account; empty when none.
QString AccountNameOf(TMyDataModule &db, int accountId);

// Category name of the payee's most recent transaction, or empty.
QString GetLastCategoryOfPayee(TMyDataModule &db, const QString &payeeName);
// Currency symbol of the named account, or empty.
QString GetAccountCurrencySymbol(TMyDataModule &db, const QString &accountName);
// Currency of the account; 1 when the account has none.
int GetAccountCurrencyId(TMyDataModule &db, int accountId);
// Rate of the account's currency; 1 when that currency has no row (a Null rate reads 0).
double GetAccountCurrencyRate(TMyDataModule &db, int accountId);
