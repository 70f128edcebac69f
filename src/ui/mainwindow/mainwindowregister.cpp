// The main window's side of the register: its commands in the menus and the Setup
// dialogs that change what the register shows.
#include "ui/mainwindow/mainwindow.h"

#include "ui/accounts/setupentry.h"
#include "ui/app/guarded.h"
#include "core/session/session.h"
#include "ui/register/entry/entrypanel.h"
#include "core/register/transactioncommands.h"
#include "ui/register/registerview.h"

#include <QAction>
#include <QComboBox>

void TfrmMain::connectRegisterCommands()
{
    auto command = [this](QAction *action, auto body) {
        connect(action, &QAction::triggered, this, [this, body] { Guarded(m_session.notifier, body); });
    };
    EntryPanel *panel = m_register->entryPanel();
    command(m_menu.NewTransaction1, [panel] { panel->tbNewClick(); });
    command(m_menu.EditTransaction1, [panel] { panel->tbEditClick(); });
    command(m_menu.DeleteTransaction1, [panel] { panel->tbDeleteClick(); });
    command(m_menu.MarkasUnset1, [panel] { panel->markStatus(TransactionStatus::Unset); });
    command(m_menu.MarkasVoid1, [panel] { panel->markStatus(TransactionStatus::Void); });
    command(m_menu.MarkasCleared1, [panel] { panel->markStatus(TransactionStatus::Cleared); });
    command(m_menu.MarkasReconciled1, [panel] { panel->markStatus(TransactionStatus::Reconciled); });
    command(m_menu.PayeesandBudgets1, [panel] { panel->payeeSetup(); });
    command(m_menu.CategoriesandBudgets1, [panel] { panel->categorySetup(); });
    command(m_menu.Currencies1, [this] { Currencies1Click(); });
    command(m_menu.Accounts1, [this] { Accounts1Click(); });
    connect(m_register, &RegisterView::accountsDialogRequested, this,
            [this] { Guarded(m_session.notifier, [this] { Accounts1Click(); }); });
    connect(m_register, &RegisterView::browseControlsEnabledChanged, this, [this](bool browse) {
        for (QAction *action : {m_menu.NewTransaction1, m_menu.EditTransaction1, m_menu.DeleteTransaction1})
            action->setEnabled(browse);
    });
}

void TfrmMain::SetupRegister()
{
    m_register->entryPanel()->SetEntryMode(EntryMode::Browse);
}

void TfrmMain::StartEntryWithToday()
{
    m_register->registerState().TodayOnNextNew = true;
    m_register->entryPanel()->setEntryDate(m_today());
}

void TfrmMain::RefreshLookups()
{
    m_register->RefreshLookups();
}

void TfrmMain::LoadRegisterGrid()
{
    m_register->LoadRegisterGrid();
}

bool TfrmMain::isEditing() const
{
    return m_register->isEditing();
}

QString TfrmMain::currentAccountName() const
{
    return m_register->currentAccountName();
}

void TfrmMain::Currencies1Click()
{
    // The list changes no account, payee or category name (a currency still in use
    // cannot be deleted): reloading shows the new rates and symbol in the account the
    // user was on, where refilling the lists would jump to the file's default account.
    if (OpenCurrencySetup(m_session, this))
        LoadRegisterGrid();
}

void TfrmMain::Accounts1Click()
{
    QString shown = currentAccountName();
    if (!OpenAccountSetup(m_session, this, &shown))
        return;
    RefreshLookups();
    // Keep showing the account the user was on (under its new name), when it still exists.
    QComboBox *accounts = m_register->cmbAccounts();
    if (const int index = accounts->findText(shown); index >= 0) {
        const QSignalBlocker blocker(accounts);
        accounts->setCurrentIndex(index);
    }
    LoadRegisterGrid();
    m_register->entryPanel()->refillTransferList();
}
