// TfrmMain: the Setup menu. Each list runs in its own dialog; the register then shows
// what changed.
#include "ui/mainwindow/mainwindow.h"

#include "ui/accounts/setupentry.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/registerview.h"


void TfrmMain::connectSetupMenu()
{
    EntryPanel *panel = m_register->entryPanel();
    onTriggered(m_menu.Currencies1, [this] { Currencies1Click(); });
    onTriggered(m_menu.Accounts1, [this] { Accounts1Click(); });
    onTriggered(m_menu.PayeesandBudgets1, [panel] { panel->payeeSetup(); });
    onTriggered(m_menu.CategoriesandBudgets1, [panel] { panel->categorySetup(); });
    connect(m_register, &RegisterView::accountsDialogRequested, this,
            [this] { Guarded(m_session.notifier, [this] { Accounts1Click(); }); });
}

void TfrmMain::Currencies1Click()
{
    // The list changes no account, payee or category name (a currency still in use
    // cannot be deleted): the register shows the new rates and symbol in the account
    // the user was on, where refilling the lists would jump to the file's default account.
    if (OpenCurrencySetup(m_session, this))
        m_register->currenciesChanged();
}

void TfrmMain::Accounts1Click()
{
    // The register keeps the account the user was on (under its new name); none when
    // it was deleted, or the account made last when it showed none.
    QString shown = currentAccountName();
    if (OpenAccountSetup(m_session, this, &shown))
        m_register->accountsChanged(shown);
}
