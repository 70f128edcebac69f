#pragma once

#include "ui/app/guarded.h"
#include "ui/mainwindow/mainmenu.h"

#include "core/session/datafileops.h"
#include "core/session/recentfiles.h"
#include "core/session/savedform.h"
#include "core/session/session.h"
#include "ui/widgets/windowplacement.h"

#include <QAction>
#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>


class RecentFilesMenu;
class RegisterView;

// The register window: the menu bar, the caption, the start-up steps of its first
// showing and the exit sequence around the register view. The commands of each menu
// live in a file of their own (filecommands.cpp, setupcommands.cpp, ...); each handler
// is a short call into its subsystem.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr QSize FirstShownSize{790, 565};

    explicit TfrmMain(Session &session, QWidget *parent = nullptr);
    ~TfrmMain() override;

    MainMenu &menu() { return m_menu; }
    Session &session() { return m_session; }

    // The splash window to close at the first showing.
    void setSplash(QWidget *splash) { m_splash = splash; }
    // The waits of the start-up and exit steps (500 ms); tests pass 0, which also drops
    // the one-second waits of the backups and restores.
    void setWaitMilliseconds(int milliseconds) { m_waitMs = milliseconds; }
    // Today's date for the weekly update check; tests pass a fixed day.
    void setClock(std::function<QDate()> today) { m_today = std::move(today); }

    bool FirstShowDone() const { return m_firstShowDone; }
    // The data file named on the command line: opened at the first showing instead of
    // the remembered one, when it passes the checks of File > Open.
    void setStartupFile(const QString &path) { m_startupFile = path; }
    // The recent-files list of the File menu and the window's stored placement.
    TRegMru &recentFiles() { return RegMru1; }
    RecentFilesMenu *recentFilesMenu() const { return m_recentFilesMenu.get(); }
    TSavedForm &savedForm() { return SavedForm; }
    // True once the program is ending (exit sequence or a start-up failure).
    bool isEnding() const { return m_ending; }

    // --- The register ---
    RegisterView *registerView() const { return m_register; }
    // Refills the account, payee and category lists and selects the file's default account.
    void RefreshLookups();
    // Loads the shown account and month.
    void LoadRegisterGrid();
    // True while a transaction is being entered (entry panel in New or Edit).
    bool isEditing() const;
    // True, with the message in the warning bar, while a transaction is being entered:
    // the command must not go on.
    bool refusedWhileEditing(const QString &message);
    // The account chosen in the register; empty when none.
    QString currentAccountName() const;

    // Setup menu: the currency and account lists, then the register refreshes.
    void Currencies1Click();
    void Accounts1Click();
    // Scheduled transactions (schedulecommands.cpp): the list, "Schedule this ..." on
    // the selected transaction, and the due check at opening and on "Today".
    void ScheduledTransactions1Click();
    void ScheduleThisClick();
    void ScheduledTransactionsDue();

    // --- Handlers ---
    // The steps of the first showing; runs once.
    void FormShow();
    // Reopens the last data file or asks for one. False when the program must end.
    bool OpenLastFile();
    void NewTillbrookfile1Click();
    void OpenTillbrookfile1Click();
    // A file handed over by a later start: the window comes to the front and opens Path
    // after the checks of File > Open (editing, password, compaction check).
    void OpenHandedFile(const QString &path);
    // The import dialog; afterwards the register shows the current month.
    void Import1Click();
    // The recent-files list's click: opens the path; CanDelete tells the list to drop it.
    void RegMru1ItemClick(const QString &path, bool &CanDelete);
    void Exit1Click();
    void Help2Click();
    void CheckforUpdates1Click();
    // The Reports button, its drop-down's and the menu's "Report Centre".
    void tbReportsClick();

    // Tools menu.
    void CompactRepair1Click();
    void Backup1Click();
    void Restore1Click();
    void RestoreasStartup1Click();
    void Restoreaslastclose1Click();
    // Options menu.
    void Passwordprotectthisfile1Click();
    void Programoptions1Click();

signals:
    // The exit sequence or a start-up failure has ended the program; the loop should stop.
    void programEnded();
    // A file was opened or created from the File menu, or opened after a restore: the
    // recent-files list adds it.
    void recentFileOpened(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    // FormCloseQuery: the close box runs the exit sequence instead.
    void closeEvent(QCloseEvent *event) override;

private:
    // Runs the handler through Guarded whenever the action is triggered; the one place
    // where a menu or toolbar command is connected.
    template<typename Handler>
    void onTriggered(QAction *action, Handler handler);
    void connectFileMenu();
    void connectSetupMenu();
    void connectScheduleCommands();
    void connectToolsMenu();
    void connectOptionsMenu();
    void connectReportsMenu();
    void connectMiscMenu();
    void connectHelpMenu();
    void setCaptionFile(const QString &path);
    // DocumentsDataFolder, created when missing; the start folder of the file dialogs.
    QString prepareDocumentsFolder(bool waitAfterCreating);
    // Opens the chosen file; on failure the previous file stays in use.
    bool openChosenFile(const QString &path, bool addToRecentFiles);
    // False, after telling the user, when a chosen file fails the compaction check.
    bool chosenFileUsable(const QString &path);
    // The newly created file becomes current: caption, wizard, register, recent files.
    void showCreatedFile(const QString &path);
    // The exit's work on the open file: its state saved, the closing backup.
    void leaveDataFile();
    // Start-up: opens the last file, asking for its password up to StartupPasswordTries
    // times. When it cannot be used the user is told why and chooses another file
    // (answerMissingFile); false when the program must end.
    bool openStartupFile(const QString &path);
    static constexpr int StartupPasswordTries = 3;
    // Start-up without the last file: the user creates, opens or exits. False when the
    // program must end.
    bool answerMissingFile();
    // The default file could not be used either: the program ends.
    bool failStartupOpen(OpenResult result);
    // Start-up: the command line's file becomes the current one when it is usable.
    void takeStartupFile();
    void endProgram();

    // Start-up and exit steps around the data file.
    void SetupRegister();
    // The first New after start-up takes today's date, which the date field shows now.
    void StartEntryWithToday();
    // The compaction check of a file chosen with "Open".
    bool CheckChosenDataFile(const QString &path);
    void ShowNewFileWizard();
    void TakeStartupBackup();
    void TakeClosingBackup();
    // The start folder of the backup dialogs: the data file's folder, else DocumentsDataFolder.
    QString backupStartFolder();
    // Restores the archive into the file in use's folder and shows what is open afterwards.
    void restoreFrom(const QString &archive);
    void restoreFromAutomaticBackup(const QString &archive, const QString &question);
    bool archiveWaits() const { return m_waitMs > 0; }
    void setupRecentFiles();
    // Restores the placement stored at the last exit; stores it at exit.
    void setupSavedForm();
    void SaveWindowPlacement();

    Session &m_session;
    MainMenu m_menu;
    TRegMru RegMru1;
    std::unique_ptr<RecentFilesMenu> m_recentFilesMenu;
    WidgetPlacedWindow m_placedWindow;
    TSavedForm SavedForm;
    RegisterView *m_register = nullptr;
    QPointer<QWidget> m_splash;
    std::function<QDate()> m_today;
    int m_waitMs = 500;
    bool m_firstShowStarted = false;
    bool m_firstShowDone = false;
    bool m_ending = false;
    QString m_startupFile;
};

template<typename Handler>
void TfrmMain::onTriggered(QAction *action, Handler handler)
{
    connect(action, &QAction::triggered, this,
            [this, handler] { Guarded(m_session.notifier, [&] { handler(); }); });
}
