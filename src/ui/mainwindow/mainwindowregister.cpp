// TfrmMain: what the window asks of the register it shows.
#include "ui/mainwindow/mainwindow.h"

#include "core/register/entrylock.h"
#include "core/session/session.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/registerview.h"

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

bool TfrmMain::refusedWhileEditing(const QString &message)
{
    return RefusedWhileEditing(m_register->registerState(), m_session.notifier, message);
}

bool TfrmMain::isEditing() const
{
    return m_register->isEditing();
}

QString TfrmMain::currentAccountName() const
{
    return m_register->currentAccountName();
}
