// TfrmMain: the Help menu.
#include "ui/mainwindow/mainwindow.h"

#include "core/base/notices.h"
#include "core/datafile/programfolder.h"
#include "core/session/datafileops.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void TfrmMain::connectHelpMenu()
{
    onTriggered(m_menu.Help2, [this] { Help2Click(); });
    onTriggered(m_menu.CheckforUpdates1, [this] { CheckforUpdates1Click(); });
}

void TfrmMain::Help2Click()
{
    const QString help = m_session.paths.helpFile();
    if (!QFileInfo::exists(help)) {
        ShowNotice(m_session.notifier, QStringLiteral("The help file %1 could not be found.").arg(help),
                   WarningDialog);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        ShowNotice(m_session.notifier,
                   QStringLiteral("The help page could not be shown: no web browser could be started. It is %1").arg(help),
                   WarningBar);
}

void TfrmMain::CheckforUpdates1Click()
{
    if (!StartUpdater(m_session.paths.programFolder()))
        ShowNotice(m_session.notifier, QStringLiteral("No updater could be started to check for updates."), WarningBar);
}
