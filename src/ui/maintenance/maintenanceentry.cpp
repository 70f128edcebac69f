#include "ui/maintenance/maintenanceentry.h"

#include "ui/app/inputblocker.h"

#include "core/datafile/programfolder.h"
#include "core/maintenance/backup.h"
#include "core/maintenance/password.h"
#include "core/maintenance/restore.h"
#include "core/session/session.h"
#include "ui/datafile/passworddialog.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/maintenance/backupwindow.h"
#include "ui/maintenance/optionsdialog.h"
#include "ui/maintenance/wizard.h"

#include <QFileInfo>
#include <QLabel>

#include <optional>

bool RunBackup(Session &session, QWidget *parent, const QString &dataFile, const QString &archive, bool waits)
{
    // The file is closed under the window for the whole work: it takes no input.
    const InputBlocker blocked(parent ? parent->window() : nullptr);
    TfrmBackup window(session.notifier, waits, parent);
    return BackupDataFile(session, dataFile, archive, window);
}

bool RunRestore(Session &session, QWidget *parent, const QString &archive, bool waits)
{
    const QString previous = session.CurrentDataFile;
    const QString folder =
        previous.isEmpty() ? DocumentsDataFolder() : QFileInfo(previous).absolutePath() + u'/';
    bool restored = false;
    {
        const InputBlocker blocked(parent ? parent->window() : nullptr);
        TfrmBackup window(session.notifier, waits, parent);
        restored = RestoreBackup(session, archive, folder, window);
    }
    // Nothing was restored: the file in use is connected again as it was.
    if (!restored)
        return false;
    return OpenRestoredFile(session, previous);
}

void ChangeFilePasswordWithDialog(Session &session, QWidget *parent)
{
    TfrmPassword dialog(parent);
    dialog.Label1->setText(QStringLiteral("Please enter a password or press Cancel to remove password protection. "
                                          "Passwords are case-sensitive."));
    dialog.requireConfirmation();
    if (FileHasPassword(session.MyDataModule))
        dialog.showStoredPasswordPlaceholder();
    ExecDialog(dialog);
    // Only the "Cancel" button removes the password, as the text says; Escape or the
    // close box leave it as it was.
    if (dialog.result() != QDialog::Accepted && !dialog.cancelPressed())
        return;
    std::optional<QString> chosen = dialog.EnteredPassword;
    if (dialog.result() == QDialog::Accepted && dialog.placeholderKept())
        chosen.reset();
    ChangeFilePassword(session.MyDataModule, session.notifier, chosen);
}

bool ShowProgramOptions(Session &session, QWidget *parent)
{
    TfrmOptions dialog(session, parent);
    ExecDialog(dialog);
    return dialog.saved();
}

void RunNewFileWizard(Session &session, QWidget *parent)
{
    TfrmWizard wizard(session, parent);
    ExecDialog(wizard);
}
