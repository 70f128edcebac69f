#pragma once

#include <QString>

class QWidget;
struct Session;

// The main window's entries to the maintenance commands. Each shows its windows and
// calls the core; the caller refreshes the register afterwards where the result says so.

// Takes a backup of DataFile into Archive with the progress window. waits: the
// one-second waits of the archive work are made (false in tests).
bool RunBackup(Session &session, QWidget *parent, const QString &dataFile, const QString &archive, bool waits);

// Restores Archive into the folder of the file in use, then opens CurrentDataFile
// through the password gate (the restored file when the user let one replace a file).
// True when a file is open afterwards and the register should show it again.
bool RunRestore(Session &session, QWidget *parent, const QString &archive, bool waits);

// "Password protection": the password dialog with its own wording, then the change.
void ChangeFilePasswordWithDialog(Session &session, QWidget *parent);

// The options dialog; true when it stored new options.
bool ShowProgramOptions(Session &session, QWidget *parent);

// The wizard shown after a new file has been made.
void RunNewFileWizard(Session &session, QWidget *parent);
