#include "ui/maintenance/backupdialogs.h"

#include "ui/feedback/filepathdialog.h"

namespace {
const QString BackupFilter = QStringLiteral("Tillbrook Backup file (*.tillbrook.zip)");
const QString BackupSuffix = QStringLiteral("tillbrook.zip");
} // namespace

QString AskSaveBackupPath(QWidget *parent, const QString &startFolder)
{
    return AskFilePath(parent, "SaveBackup", QStringLiteral("Create a new Tillbrook Backup file ..."), startFolder,
                       BackupFilter, BackupSuffix, QFileDialog::AcceptSave);
}

QString AskOpenBackupPath(QWidget *parent, const QString &startFolder)
{
    return AskFilePath(parent, "OpenBackup", QStringLiteral("Open a Tillbrook Backup file ..."), startFolder,
                       BackupFilter, BackupSuffix, QFileDialog::AcceptOpen);
}
