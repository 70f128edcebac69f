#pragma once

#include <QString>

class QWidget;

// The file dialogs of the backup commands, shown through ExecDialog. Each returns the
// chosen path, or empty when cancelled.
// "Create a new Tillbrook Backup file ..." (object name SaveBackup); asks before overwriting.
QString AskSaveBackupPath(QWidget *parent, const QString &startFolder);
// "Open a Tillbrook Backup file ..." (object name OpenBackup).
QString AskOpenBackupPath(QWidget *parent, const QString &startFolder);
