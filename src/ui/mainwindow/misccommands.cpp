// TfrmMain: the Misc menu.
#include "ui/mainwindow/mainwindow.h"

#include "core/register/transactioncommands.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/finddialog.h"
#include "ui/register/registerview.h"

void TfrmMain::connectMiscMenu()
{
    EntryPanel *panel = m_register->entryPanel();
    onTriggered(m_menu.Find1, [this] { OpenFind(m_session.notifier, m_register->strGridTransactions(), this); });
    onTriggered(m_menu.MarkasUnset1, [panel] { panel->markStatus(TransactionStatus::Unset); });
    onTriggered(m_menu.MarkasVoid1, [panel] { panel->markStatus(TransactionStatus::Void); });
    onTriggered(m_menu.MarkasCleared1, [panel] { panel->markStatus(TransactionStatus::Cleared); });
    onTriggered(m_menu.MarkasReconciled1, [panel] { panel->markStatus(TransactionStatus::Reconciled); });
    RegisterView *view = m_register;
    onTriggered(m_menu.PreviousMonth1, [view] { view->StepMonth(false); });
    onTriggered(m_menu.NextMonth1, [view] { view->StepMonth(true); });
    onTriggered(m_menu.ThisMonth1, [view] { view->ShowTodaysMonth(); });
    onTriggered(m_menu.PreviousAccount1, [view] { view->StepAccount(false); });
    onTriggered(m_menu.NextAccount1, [view] { view->StepAccount(true); });
}
