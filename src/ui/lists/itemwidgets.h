#pragma once

#include "core/lists/itemkind.h"

#include <QString>
#include <QStringList>

class QComboBox;
class TMultiColListbox;
class TMyDataModule;

// Fills the list with the items of the kind ("name;type;amount;frequency" per row),
// "Expense" before "Income", each group by name; afterwards no row is selected.
// Returns the items' names in row order: the row text cannot carry a ";" inside a
// name, so callers take the name of row i from here.
QStringList FillItemList(TMultiColListbox *list, TMyDataModule &db, ItemKind kind);

// Fills the drop-down box with the names (ItemNames, AccountNames); afterwards nothing
// is selected (an editable box's text is cleared).
void FillItemCombo(QComboBox *combo, const QStringList &names);
