#pragma once

#include "core/lists/itemkind.h"

#include <QString>

class QWidget;
struct Session;

// Opens the payee or category list modally. Everything
// done in one visit is one database transaction: begun before the dialog, committed
// after it has closed, rolled back when an error escapes (the error is passed on to
// the caller's Guarded handler). Returns the dialog's LastNewItem.
QString OpenItemList(Session &session, QWidget *parent, ItemKind kind);
