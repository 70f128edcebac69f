// TfrmMain: the Tools menu: compaction, backup and restore, and the automatic backups.
#include "ui/mainwindow/mainwindow.h"

#include "core/base/notices.h"
#include "ui/app/inputblocker.h"
#include "core/maintenance/backup.h"
#include "core/maintenance/compaction.h"
#include "core/register/entrylock.h"
#include "core/session/datafileops.h"
#include "ui/maintenance/backupdialogs.h"
#include "ui/maintenance/maintenanceentry.h"

#include <QFileInfo>

namespace {

// Longer paths are opened but not remembered in the recent-files list.
constexpr int MaxRecentPathLength = 255;

} // namespace

void TfrmMain::connectToolsMenu()
{
    onTriggered(m_menu.CompactRepair1, [this] { CompactRepair1Click(); });
    onTriggered(m_menu.Backup1, [this] { Backup1Click(); });
    onTriggered(m_menu.Restore1, [this] { Restore1Click(); });
    onTriggered(m_menu.RestoreBeforeSession1, [this] { RestoreasStartup1Click(); });
    onTriggered(m_menu.RestoreLastClose1, [this] { Restoreaslastclose1Click(); });
}

void TfrmMain::CompactRepair1Click()
{
    if (refusedWhileEditing(EntryLockMessage::Maintenance))
        return;
    const InputBlocker blocked(this);
    CompactRepair(m_session);
}

bool TfrmMain::CheckChosenDataFile(const QString &path)
{
    return ::CheckChosenDataFile(m_session, path);
}

QString TfrmMain::backupStartFolder()
{
    QString folder = prepareDocumentsFolder(false);
    const QFileInfo dataFolder(QFileInfo(m_session.CurrentDataFile).absolutePath());
    if (!m_session.CurrentDataFile.isEmpty() && dataFolder.isDir())
        folder = dataFolder.absoluteFilePath();
    return folder;
}

void TfrmMain::Backup1Click()
{
    if (refusedWhileEditing(EntryLockMessage::Maintenance))
        return;
    const QString archive = AskSaveBackupPath(this, backupStartFolder());
    if (archive.isEmpty())
        return;
    if (RunBackup(m_session, this, m_session.CurrentDataFile, archive, archiveWaits()))
        ShowNotice(m_session.notifier, QStringLiteral("Backup created."), InformationBar);
}

void TfrmMain::Restore1Click()
{
    if (refusedWhileEditing(EntryLockMessage::Maintenance))
        return;
    const QString archive = AskOpenBackupPath(this, backupStartFolder());
    if (archive.isEmpty() || !QFileInfo(archive).isFile())
        return;
    restoreFrom(archive);
}

void TfrmMain::RestoreasStartup1Click()
{
    restoreFromAutomaticBackup(StartupBackupPath(m_session.CurrentDataFile),
                               QStringLiteral("Do you wish to restore the startup backup?\n"
                                              "(You will return to the state when you last started Tillbrook.)"));
}

void TfrmMain::Restoreaslastclose1Click()
{
    restoreFromAutomaticBackup(ClosingBackupPath(m_session.CurrentDataFile),
                               QStringLiteral("Do you wish to restore the closing backup?\n"
                                              "(You will return to the state when you last closed Tillbrook.)"));
}

void TfrmMain::restoreFromAutomaticBackup(const QString &archive, const QString &question)
{
    Notifier &notifier = m_session.notifier;
    if (refusedWhileEditing(EntryLockMessage::Maintenance))
        return;
    if (m_session.CurrentDataFile.isEmpty() || !QFileInfo(archive).isFile()) {
        ShowMessageDialog(notifier, QLatin1String(ApplicationTitle), QStringLiteral("No file exists to restore"),
                          QString(), QLatin1String(MakerWebAddress), QString(), QStringLiteral("Ok"),
                          int(DialogIcon::Warning));
        return;
    }
    if (AskYesNo(notifier, question) != AskYes)
        return;
    restoreFrom(archive);
}

void TfrmMain::restoreFrom(const QString &archive)
{
    SaveFileState(m_session, currentAccountName());
    const bool opened = RunRestore(m_session, this, archive, archiveWaits());
    setCaptionFile(m_session.CurrentDataFile);
    if (!opened)
        return;
    RefreshLookups();
    LoadRegisterGrid();
    ScheduledTransactionsDue();
    if (m_session.CurrentDataFile.size() < MaxRecentPathLength)
        emit recentFileOpened(m_session.CurrentDataFile);
}

void TfrmMain::TakeStartupBackup()
{
    // A backup that fails is shown and the start goes on: the file itself is fine.
    Guarded(m_session.notifier, [&] {
        RunBackup(m_session, this, m_session.CurrentDataFile, StartupBackupPath(m_session.CurrentDataFile),
                  archiveWaits());
    });
}

void TfrmMain::TakeClosingBackup()
{
    Guarded(m_session.notifier, [&] {
        RunBackup(m_session, this, m_session.CurrentDataFile, ClosingBackupPath(m_session.CurrentDataFile),
                  archiveWaits());
    });
}
