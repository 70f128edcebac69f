#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class TMultiColListbox;
class TMyDataModule;

// Fills the list with the items of the table ("name;type;amount;frequency" per row),
// "Expense" before "Income", each group by name; afterwards no row is selected.
// Returns the items' names in row order: the row text cannot carry a ";" inside a
// name, so callers take the name of row i from here.
QStringList FillItemList(TMultiColListbox *list, TMyDataModule &db, const QString &table,
                         const QString &nameColumn);

// Fills the drop-down box with the non-empty names of the table in the same order;
// afterwards nothing is selected (an editable box's text is cleared). Serves
// tbPayee/PayeeName, tbCategory/CategoryDescription and tbAccount/AccountDescription.
void FillItemCombo(QComboBox *combo, TMyDataModule &db, const QString &table, const QString &nameColumn);
