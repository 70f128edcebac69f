// TfrmMain: data files named on the command line, at the start or by a later start.
#include "ui/mainwindow/mainwindow.h"

#include "core/register/entrylock.h"
#include "core/session/datafileops.h"
#include "core/session/session.h"
#include "ui/app/guarded.h"
#include "ui/app/singleinstance.h"

#include <utility>

void TfrmMain::takeStartupFile()
{
    const QString path = std::exchange(m_startupFile, QString());
    // An unusable file was named: the user has been told, and the remembered file is
    // opened as on any other start.
    if (!path.isEmpty() && chosenFileUsable(path))
        m_session.CurrentDataFile = path;
}

void TfrmMain::OpenHandedFile(const QString &path)
{
    // Before the start-up has opened a file this one is opened instead.
    if (!m_firstShowDone)
        m_startupFile = path;
    // The start-up, or a dialog, is still asking the user something: it keeps the front.
    if (RaiseWindowOrItsDialog(this) != this || !m_firstShowDone || m_ending)
        return;
    Guarded(m_session.notifier, [&] {
        if (refusedWhileEditing(EntryLockMessage::OpenFile) || !chosenFileUsable(path))
            return;
        SaveFileState(m_session, currentAccountName());
        openChosenFile(path, true);
    });
}
