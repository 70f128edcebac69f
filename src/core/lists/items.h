#pragma once

#include "core/base/money.h"
#include "core/lists/itemkind.h"

#include <QList>
#include <QString>
#include <QStringList>

class Notifier;
class TMyDataModule;

// Payees and categories ("items"): rows of tbPayee or tbCategory, written once for
// both tables. Table and name column must be one of the fixed pairs
// tbPayee/PayeeName, tbCategory/CategoryDescription (and, for ItemNames only,
// tbAccount/AccountDescription); anything else throws TillbrookError. Names and
// values are always bound, so any character, a double quote included, is stored
// and found as typed.

inline constexpr auto ItemTypeExpense = "Expense";
inline constexpr auto ItemTypeIncome = "Income";

// True when a row of that name exists (names compare without regard to case).
bool ItemExists(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name);

// True when the first row of that name has the type "Expense" exactly; false for any
// other type, no type or no row.
bool ItemIsExpense(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name);

// Adds an item. Refuses, with a warning and no write, a name that exists ("Item
// already exists.") and then an empty name ("Enter item description please.").
// An empty frequency is stored as " ". Returns true when the row was written.
bool InsertItem(TMyDataModule &db, Notifier &notifier, const QString &table, const QString &nameColumn,
                const QString &name, const QString &frequency, Money amount, bool isExpense);

// Rewrites every row named oldName. Refuses an empty new name with "Enter item
// description please."; a new name equal to another item's is allowed. An empty
// frequency is stored as " ". Returns true when the statement ran.
bool UpdateItem(TMyDataModule &db, Notifier &notifier, const QString &table, const QString &nameColumn,
                const QString &newName, const QString &frequency, Money amount, bool isExpense,
                const QString &oldName);

// Deletes every row of that name. Transactions keep the identifier they refer to;
// schedules naming one of the rows are left without payee or category.
void DeleteItem(TMyDataModule &db, const QString &table, const QString &nameColumn, const QString &name);

// One line of the item list: the stored name and the four shown texts.
struct ItemRow
{
    QString name;
    QString type;
    QString amountText;    // the budget as plain text, "0" when it is not a number
    QString frequencyText; // " " when none

    // The list box text "name;type;amount;frequency". A ";" inside the name is shown
    // as "," so the columns stay in place; the real name is `name`.
    QString text() const;
};

// The items with a name, "Expense" before "Income", each group by name.
QList<ItemRow> ItemListRows(TMyDataModule &db, const QString &table, const QString &nameColumn);

// The non-empty names in the same order, for drop-down boxes; also serves
// tbAccount/AccountDescription.
QStringList ItemNames(TMyDataModule &db, const QString &table, const QString &nameColumn);

// The same operations on the table of an item kind, for callers that know the kind
// rather than the schema.
bool ItemExists(TMyDataModule &db, ItemKind kind, const QString &name);
bool ItemIsExpense(TMyDataModule &db, ItemKind kind, const QString &name);
bool InsertItem(TMyDataModule &db, Notifier &notifier, ItemKind kind, const QString &name,
                const QString &frequency, Money amount, bool isExpense);
bool UpdateItem(TMyDataModule &db, Notifier &notifier, ItemKind kind, const QString &newName,
                const QString &frequency, Money amount, bool isExpense, const QString &oldName);
void DeleteItem(TMyDataModule &db, ItemKind kind, const QString &name);
QList<ItemRow> ItemListRows(TMyDataModule &db, ItemKind kind);
QStringList ItemNames(TMyDataModule &db, ItemKind kind);
// Identifier of the first item of that name (an empty name finds the item whose name
// is Null); -1 when none.
int ItemIdOf(TMyDataModule &db, ItemKind kind, const QString &name);
// Name of the item with that identifier; empty when none.
QString ItemNameOf(TMyDataModule &db, ItemKind kind, int id);

// The account names in the order of ItemNames, for the transfer box.
QStringList AccountNames(TMyDataModule &db);

// The budget as the list and the setup dialog show it: plain decimal text without
// grouping or trailing zeros, up to four decimals ("300", "14.2857", "0").
QString ItemAmountText(Money amount);
