#pragma once

#include "core/accounts/accountrec.h"

#include <QStringList>
#include <optional>

class Notifier;
class TMyDataModule;

// The currencies of the data file and the change of base currency.

// Rows of the currency list, base currency first: "symbol;international symbol;rate;
// base mark;last updated;". The base mark is "Y" or empty.
QStringList CurrencyListRows(TMyDataModule &db);
// Currency symbols for the account editor's box, base currency first.
QStringList CurrencySymbols(TMyDataModule &db);
// The base currency's symbol; empty when no currency is the base one.
QString BaseCurrencySymbol(TMyDataModule &db);

// A rate as text: shortest form that reads back as the same number, "." as the point.
QString RateToText(double rate);
// The rates a currency may be given: units of it per unit of the base currency.
// Beyond these a conversion or a change of base currency loses the amounts.
inline constexpr double MinimumRate = 1e-9;
inline constexpr double MaximumRate = 1e9;

// Reads a rate typed by the user: a plain number with "." as the decimal point,
// from MinimumRate to MaximumRate. Nothing for anything else (grouping or a decimal
// comma included), so a regional number format can never change what is stored.
std::optional<double> ParseRate(const QString &text);

// Stores a new currency (New) or rewrites the currencies whose international
// symbol is oldInternationalSymbol (Edit); the base currency keeps its rate of 1.
// An empty symbol or international symbol, or one holding ";" (the list's column
// separator), is refused with a warning and false. Throws TillbrookError for a rate
// that ParseRate refuses and DatabaseError when a statement fails; nothing is
// stored then.
bool SaveCurrency(TMyDataModule &db, Notifier &notifier, EditMode mode,
                  const QString &oldInternationalSymbol, const TCurrencyRec &currency);

// Names of the accounts kept in the currency given by its two symbols.
QStringList AccountsUsingCurrency(TMyDataModule &db, const QString &symbol,
                                  const QString &internationalSymbol);
// Deletes the currency given by its two symbols. A currency that accounts still
// use is kept: the warning names those accounts, and the result is false.
bool DeleteCurrency(TMyDataModule &db, Notifier &notifier, const QString &symbol,
                    const QString &internationalSymbol);

// Makes the currency given by its two symbols the base: every currency rate and
// every transaction's stored rate is divided by that currency's rate, then it gets
// exactly 1 and the base mark, the only one. All of it happens or none of it does.
// Throws TillbrookError, writing nothing, when the currency does not exist, its rate
// is not above 0, or any currency or transaction rate would not come out as a finite
// number above 0.
void SetBaseCurrency(TMyDataModule &db, const QString &symbol, const QString &internationalSymbol);
