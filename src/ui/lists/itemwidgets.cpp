#include "ui/lists/itemwidgets.h"

#include "core/lists/items.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>

QStringList FillItemList(TMultiColListbox *list, TMyDataModule &db, const QString &table,
                         const QString &nameColumn)
{
    const QList<ItemRow> rows = ItemListRows(db, table, nameColumn);
    QStringList texts;
    QStringList names;
    texts.reserve(rows.size());
    names.reserve(rows.size());
    for (const ItemRow &row : rows) {
        texts << row.text();
        names << row.name;
    }
    list->setItems(texts);
    list->clearSelection();
    list->setCurrentItem(nullptr);
    return names;
}

void FillItemCombo(QComboBox *combo, TMyDataModule &db, const QString &table, const QString &nameColumn)
{
    const QStringList names = ItemNames(db, table, nameColumn);
    combo->clear();
    combo->addItems(names);
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->clearEditText();
}
