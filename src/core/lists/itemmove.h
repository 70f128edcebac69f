#pragma once

#include "core/lists/itemkind.h"

#include <QString>

class TMyDataModule;

// Moving every transaction of one payee to another payee, or of one category to
// another category.

// The notice that refuses a move before anything is asked, empty when the move may
// go ahead: no target chosen (or one that is not in the list), or the target is the
// source itself (the same name, as names compare without regard to case, or the
// same row).
QString MoveRefusal(const QString &sourceName, int sourceId, const QString &targetName, int targetId);

// Gives every transaction of item fromId the item toId, whatever its account, date
// or status, both rows of a transfer included, and every schedule of it; amounts,
// links and budgets are not touched. Returns the number of transactions moved. A failed statement throws DatabaseError
// and changes no row; the caller's savepoint keeps the rest of its work.
int MoveTransactions(TMyDataModule &db, ItemKind kind, int fromId, int toId);

// Deletes the item's own row; transactions are not touched, schedules naming it are
// left without one.
void DeleteItemById(TMyDataModule &db, ItemKind kind, int id);

// The texts of the move dialog.
QString MoveQuestion(const QString &sourceName, const QString &targetName);
QString DeleteEmptiedItemQuestion(const QString &sourceName);
