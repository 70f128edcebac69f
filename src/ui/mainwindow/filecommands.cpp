// TfrmMain: the File menu: data files and the transaction commands.
#include "ui/mainwindow/mainwindow.h"

#include "ui/app/delay.h"
#include "core/base/notices.h"
#include "core/register/entrylock.h"
#include "ui/datafile/datafiledialogs.h"
#include "core/session/datafileops.h"
#include "ui/datafile/filenotfounddialog.h"
#include "ui/exchange/importentry.h"
#include "core/datafile/programfolder.h"
#include "core/session/session.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registerview.h"
#include "ui/widgets/recentfilesmenu.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace {

// Longer paths are opened but not remembered in the recent-files list.
constexpr int MaxRecentPathLength = 255;

} // namespace

void TfrmMain::connectFileMenu()
{
    EntryPanel *panel = m_register->entryPanel();
    onTriggered(m_menu.NewTillbrookfile1, [this] { NewTillbrookfile1Click(); });
    onTriggered(m_menu.OpenTillbrookfile1, [this] { OpenTillbrookfile1Click(); });
    onTriggered(m_menu.Import1, [this] { Import1Click(); });
    onTriggered(m_menu.NewTransaction1, [panel] { panel->tbNewClick(); });
    onTriggered(m_menu.EditTransaction1, [panel] { panel->tbEditClick(); });
    onTriggered(m_menu.DeleteTransaction1, [panel] { panel->tbDeleteClick(); });
    onTriggered(m_menu.Exit1, [this] { Exit1Click(); });
    setupRecentFiles();
}

void TfrmMain::setupRecentFiles()
{
    RegMru1.setMaxItems(5);
    RegMru1.ApplicationName = QLatin1String(ApplicationTitle);
    RegMru1.OwnerName = QStringLiteral("frmMain");
    m_recentFilesMenu = std::make_unique<RecentFilesMenu>(
        m_menu.RegMru1, RegMru1, m_session.notifier,
        [this](const QString &path, bool &CanDelete) { RegMru1ItemClick(path, CanDelete); });
    RegMru1.setStore(m_session.recentFilesStore);
    connect(this, &TfrmMain::recentFileOpened, this, [this](const QString &path) {
        Guarded(m_session.notifier, [&] { RegMru1.AddItem(path); });
    });
}

void TfrmMain::Import1Click()
{
    if (!OpenImport(m_session, m_register->registerState(), this))
        return;
    // New payees and categories join the lists; the register moves to this month.
    RefreshLookups();
    m_register->pnlMonth()->btnToday()->click();
}

bool TfrmMain::OpenLastFile()
{
    m_session.MyDataModule.close();
    ReadStartupSettings(m_session);
    takeStartupFile();
    const bool goOn = QFileInfo(m_session.CurrentDataFile).isFile() ? openStartupFile(m_session.CurrentDataFile)
                                                                    : answerMissingFile();
    if (!goOn)
        return false;
    // The create path was cancelled or failed: work on the default data file.
    if (const OpenResult result = ConnectFallbackFile(m_session); result != OpenResult::Opened)
        return failStartupOpen(result);
    RefreshLookups();
    LoadRegisterGrid();
    return true;
}

bool TfrmMain::openStartupFile(const QString &path)
{
    const OpenResult result = OpenDataFileAsking(m_session, path, StartupPasswordTries);
    if (result == OpenResult::Opened) {
        setCaptionFile(path);
        return true;
    }
    // Say what happened, then let the user choose another file; the file stays the
    // one remembered, as it may well open next time (another program let it go, the
    // password comes back to mind).
    if (result == OpenResult::PasswordRefused)
        m_session.notifier.showMessageBox(MessageBoxKind::Warning, QStringLiteral("Wrong Password"));
    else if (result != OpenResult::PasswordCancelled)
        m_session.notifier.showMessageBox(MessageBoxKind::Warning, OpenResultText(result));
    return answerMissingFile();
}

bool TfrmMain::answerMissingFile()
{
    Notifier &notifier = m_session.notifier;
    switch (AskFileNotFoundChoice(this)) {
    case TfrmFileNotFound::ExitProgram:
        return false;
    case TfrmFileNotFound::OpenExisting: {
        const QString path = AskOpenDataFilePath(this, prepareDocumentsFolder(false));
        if (path.isEmpty()) {
            notifier.showMessageBox(MessageBoxKind::Warning,
                                    QStringLiteral("You need to create/open a filename. Tillbrook will now exit"));
            return false;
        }
        m_session.CurrentDataFile = path;
        return openStartupFile(path);
    }
    default:
        if (!QFileInfo::exists(m_session.paths.templateFile())) {
            notifier.showMessageBox(
                MessageBoxKind::Error,
                QStringLiteral("A problem has occured, files could not be created. Please notify support."));
            return false;
        }
        NewTillbrookfile1Click();
        return true;
    }
}

bool TfrmMain::failStartupOpen(OpenResult result)
{
    const bool password = result == OpenResult::PasswordRefused || result == OpenResult::PasswordCancelled;
    m_session.notifier.showMessageBox(MessageBoxKind::Warning,
                                      password ? QStringLiteral("Wrong Password") : OpenResultText(result));
    ForgetLastOpenedFile(m_session);
    return false;
}

QString TfrmMain::prepareDocumentsFolder(bool waitAfterCreating)
{
    const QString folder = DocumentsDataFolder();
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
        if (waitAfterCreating)
            Delay(m_waitMs);
    }
    return QFileInfo::exists(folder) ? folder : QString();
}

void TfrmMain::NewTillbrookfile1Click()
{
    if (refusedWhileEditing(EntryLockMessage::OpenFile))
        return;
    const QString path = AskCreateDataFilePath(this, prepareDocumentsFolder(false));
    if (path.isEmpty())
        return;
    SaveFileState(m_session, currentAccountName());
    if (CreateDataFile(m_session, path, m_session.paths.templateFile()))
        showCreatedFile(path);
}

void TfrmMain::OpenTillbrookfile1Click()
{
    if (refusedWhileEditing(EntryLockMessage::OpenFile))
        return;
    const QString path = AskOpenDataFilePath(this, prepareDocumentsFolder(true));
    if (path.isEmpty() || !chosenFileUsable(path))
        return;
    SaveFileState(m_session, currentAccountName());
    openChosenFile(path, true);
}

void TfrmMain::RegMru1ItemClick(const QString &path, bool &CanDelete)
{
    // An entry stays listed and moves to the top, as after Open; only a file that is
    // gone is dropped. Leaving a half-entered transaction behind would lose it.
    CanDelete = false;
    if (refusedWhileEditing(EntryLockMessage::OpenFile))
        return;
    SaveFileState(m_session, currentAccountName());
    openChosenFile(path, false);
    CanDelete = !QFileInfo::exists(path);
}

bool TfrmMain::chosenFileUsable(const QString &path)
{
    if (CheckChosenDataFile(path))
        return true;
    ShowNotice(m_session.notifier, QStringLiteral("File cannot be opened. Please check file and try again."),
               WarningDialog);
    return false;
}

void TfrmMain::showCreatedFile(const QString &path)
{
    m_session.CurrentDataFile = path;
    setCaptionFile(path);
    ShowNewFileWizard();
    RefreshLookups();
    LoadRegisterGrid();
    if (path.size() < MaxRecentPathLength)
        emit recentFileOpened(path);
}

bool TfrmMain::openChosenFile(const QString &path, bool addToRecentFiles)
{
    if (!SwitchDataFile(m_session, path)) {
        // The previous file is connected again and stays current; if it could not be,
        // nothing is open any more.
        if (m_session.CurrentDataFile.isEmpty())
            setCaptionFile(QString());
        return false;
    }
    setCaptionFile(path);
    RefreshLookups();
    LoadRegisterGrid();
    ScheduledTransactionsDue();
    if (addToRecentFiles && path.size() < MaxRecentPathLength)
        emit recentFileOpened(path);
    return true;
}
