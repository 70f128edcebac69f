// The payee and category buttons of the entry panel and the Setup menu commands.
#include "ui/register/entry/entrypanel.h"

#include "ui/register/entry/itemcombobox.h"
#include "ui/register/registerhost.h"

#include "ui/app/guarded.h"
#include "core/store/lookups.h"
#include "core/session/session.h"
#include "ui/lists/itemlist.h"
#include "core/lists/items.h"

#include <QLineEdit>

namespace {

struct ItemTable
{
    QString table;
    QString idColumn;
    QString nameColumn;
};

ItemTable itemTable(int itemKind)
{
    if (itemKind == 1)
        return {QStringLiteral("tbPayee"), QStringLiteral("PayeeId"), QStringLiteral("PayeeName")};
    return {QStringLiteral("tbCategory"), QStringLiteral("CategoryId"), QStringLiteral("CategoryDescription")};
}

} // namespace

void EntryPanel::btnPayee1Click()
{
    Guarded(m_session.notifier, [&] { itemButton(1); });
}

void EntryPanel::btnCategory1Click()
{
    Guarded(m_session.notifier, [&] { itemButton(0); });
}

// The Setup menu's lists reload the register so renamed items show. While a
// transaction is being entered they act like the "..." buttons instead: a reload
// would clear the panel and, in Edit, put another transaction under the user's Save.
void EntryPanel::payeeSetup()
{
    Guarded(m_session.notifier, [&] {
        itemButton(1);
        if (!m_host.registerState().isEditing())
            m_host.LoadRegisterGrid();
    });
}

void EntryPanel::categorySetup()
{
    Guarded(m_session.notifier, [&] {
        itemButton(0);
        if (!m_host.registerState().isEditing())
            m_host.LoadRegisterGrid();
    });
}

// Opens the payee (1) or category (0) list. Afterwards the box offers the item made
// last in the list, or else the item it showed before, under its possibly new name.
void EntryPanel::itemButton(int itemKind)
{
    TMyDataModule &db = m_session.MyDataModule;
    const ItemTable t = itemTable(itemKind);
    ItemComboBox *combo = itemKind == 1 ? cmbPayee : cmbCategory;
    const int rememberedId = LookupId(db, t.table, t.idColumn, t.nameColumn, combo->currentText());
    const QString rememberedNumber = txtTrnNumber->text();

    auto refill = [&](const QString &select) {
        combo->fill(ItemNames(db, t.table, t.nameColumn));
        combo->selectEntry(select);
    };
    QString lastNewItem;
    try {
        lastNewItem = OpenItemList(m_session, window(), itemKind);
    } catch (...) {
        refill(LookupName(db, t.table, t.nameColumn, t.idColumn, rememberedId));
        throw;
    }
    if (!lastNewItem.isEmpty()) {
        refill(lastNewItem);
        if (m_host.registerState().entryMode == EntryMode::Browse)
            m_host.LoadRegisterGrid();
    } else {
        refill(LookupName(db, t.table, t.nameColumn, t.idColumn, rememberedId));
    }

    RegisterState &state = m_host.registerState();
    bool isNumber = false;
    const int number = rememberedNumber.toInt(&isNumber);
    if (state.entryMode == EntryMode::Edit && isNumber) {
        state.SelectedTransactionId = number;
        m_host.SelectCurrentRow();
    }
}
