// The payee and category buttons of the entry panel and the Setup menu commands.
#include "ui/register/entry/entrypanel.h"

#include "ui/register/entry/itemcombobox.h"
#include "ui/register/registerhost.h"

#include "ui/app/guarded.h"
#include "core/session/session.h"
#include "ui/lists/itemlist.h"
#include "core/lists/items.h"

#include <QLineEdit>

void EntryPanel::btnPayee1Click()
{
    Guarded(m_session.notifier, [&] { itemButton(ItemKind::Payees); });
}

void EntryPanel::btnCategory1Click()
{
    Guarded(m_session.notifier, [&] { itemButton(ItemKind::Categories); });
}

// The Setup menu's lists reload the register so renamed items show. While a
// transaction is being entered they act like the "..." buttons instead: a reload
// would clear the panel and, in Edit, put another transaction under the user's Save.
void EntryPanel::payeeSetup()
{
    Guarded(m_session.notifier, [&] {
        itemButton(ItemKind::Payees);
        if (!m_host.registerState().isEditing())
            m_host.LoadRegisterGrid();
    });
}

void EntryPanel::categorySetup()
{
    Guarded(m_session.notifier, [&] {
        itemButton(ItemKind::Categories);
        if (!m_host.registerState().isEditing())
            m_host.LoadRegisterGrid();
    });
}

// Opens the payee or category list. Afterwards the box offers the item made
// last in the list, or else the item it showed before, under its possibly new name.
void EntryPanel::itemButton(ItemKind kind)
{
    TMyDataModule &db = m_session.MyDataModule;
    ItemComboBox *combo = kind == ItemKind::Payees ? cmbPayee : cmbCategory;
    const int rememberedId = ItemIdOf(db, kind, combo->currentText());
    const QString rememberedNumber = txtTrnNumber->text();

    auto refill = [&](const QString &select) {
        combo->fill(ItemNames(db, kind));
        combo->selectEntry(select);
    };
    QString lastNewItem;
    try {
        lastNewItem = OpenItemList(m_session, window(), kind);
    } catch (...) {
        refill(ItemNameOf(db, kind, rememberedId));
        throw;
    }
    if (!lastNewItem.isEmpty()) {
        refill(lastNewItem);
        if (m_host.registerState().entryMode == EntryMode::Browse)
            m_host.LoadRegisterGrid();
    } else {
        refill(ItemNameOf(db, kind, rememberedId));
    }

    RegisterState &state = m_host.registerState();
    bool isNumber = false;
    const int number = rememberedNumber.toInt(&isNumber);
    if (state.entryMode == EntryMode::Edit && isNumber) {
        state.SelectedTransactionId = number;
        m_host.SelectCurrentRow();
    }
}
