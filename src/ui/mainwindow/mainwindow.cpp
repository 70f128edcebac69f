#include "ui/mainwindow/mainwindow.h"

#include "ui/register/registerview.h"
#include "ui/widgets/recentfilesmenu.h"

#include "ui/app/delay.h"
#include "ui/app/guarded.h"
#include "core/base/notices.h"
#include "core/register/entrylock.h"
#include "core/base/tillbrookerror.h"
#include "core/session/datafileops.h"
#include "core/session/session.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

TfrmMain::TfrmMain(Session &session, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_placedWindow(this), SavedForm(m_placedWindow, session.paths.settingsFolder()),
      m_today([] { return QDate::currentDate(); })
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QLatin1String(ApplicationTitle));
    // First shown at this size (or the nearest its layouts allow), centred.
    resize(FirstShownSize);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_register = new RegisterView(session, this);
    setCentralWidget(m_register);

    m_menu = BuildMainMenu(menuBar());
    connectFileMenu();
    connectSetupMenu();
    connectScheduleCommands();
    connectToolsMenu();
    connectOptionsMenu();
    connectReportsMenu();
    connectMiscMenu();
    connectHelpMenu();
    connect(m_register, &RegisterView::browseControlsEnabledChanged, this, [this](bool browse) {
        for (QAction *action : {m_menu.NewTransaction1, m_menu.EditTransaction1, m_menu.DeleteTransaction1,
                                m_menu.PreviousMonth1, m_menu.NextMonth1, m_menu.ThisMonth1,
                                m_menu.PreviousAccount1, m_menu.NextAccount1})
            action->setEnabled(browse);
    });
    setupSavedForm();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShowStarted)
        return;
    m_firstShowStarted = true;
    // In the event loop, not inside show(): the steps wait and may open dialogs.
    QTimer::singleShot(0, this, [this] { Guarded(m_session.notifier, [&] { FormShow(); }); });
}

void TfrmMain::FormShow()
{
    if (m_firstShowDone)
        return;
    if (m_splash)
        m_splash->close();
    Delay(m_waitMs);

    ProgramOptions &options = m_session.options;
    options.setDecimalDigits(2);
    options.AutoTransactionOn = true;
    // Dates are always shown "dd/mm/yyyy" (DateToText), whatever the locale says.

    SetupRegister();
    bool opened = false;
    try {
        opened = OpenLastFile();
    } catch (const TillbrookError &error) {
        // Not even the default data file could be connected: there is nothing to work
        // on, so the start ends here like every other failed start.
        ShowErrorDialog(m_session.notifier, error.message());
    }
    if (!opened) {
        endProgram();
        return;
    }
    StartEntryWithToday();
    if (options.AutoBackupOn)
        TakeStartupBackup();
    Delay(m_waitMs);
    // The date field now says today; the selected transaction shows with its own date.
    m_register->refillEntryPanel();
    ScheduledTransactionsDue();

    if (RunWeeklyUpdateCheck(m_session, m_today()))
        CheckforUpdates1Click();
    m_firstShowDone = true;
}

void TfrmMain::Exit1Click()
{
    if (refusedWhileEditing(EntryLockMessage::Exit))
        return;
    if (!m_session.CurrentDataFile.isEmpty())
        leaveDataFile();
    SaveWindowPlacement();
    Delay(qMin(m_waitMs, 10));
    endProgram();
}

void TfrmMain::leaveDataFile()
{
    // A file that can no longer be written must not keep the user from leaving:
    // the error is shown and the exit goes on.
    Guarded(m_session.notifier, [&] { SaveFileState(m_session, currentAccountName()); });
    if (m_session.options.AutoBackupOn)
        TakeClosingBackup();
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (!m_ending) {
        event->ignore();
        Guarded(m_session.notifier, [&] { Exit1Click(); });
    }
    if (m_ending)
        event->accept();
}

void TfrmMain::endProgram()
{
    m_ending = true;
    m_session.MyDataModule.close();
    hide();
    emit programEnded();
}

void TfrmMain::setCaptionFile(const QString &path)
{
    setWindowTitle(path.isEmpty() ? QString::fromLatin1(ApplicationTitle)
                                  : QLatin1String(ApplicationTitle) + QStringLiteral(" - ") + path);
}
