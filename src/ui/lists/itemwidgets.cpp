#include "ui/lists/itemwidgets.h"

#include "core/lists/items.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>

QStringList FillItemList(TMultiColListbox *list, TMyDataModule &db, ItemKind kind)
{
    const QList<ItemRow> rows = ItemListRows(db, kind);
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

void FillItemCombo(QComboBox *combo, const QStringList &names)
{
    combo->clear();
    combo->addItems(names);
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->clearEditText();
}
