#include "ui/maintenance/backupdialogs.h"

#include "ui/feedback/dialogrunner.h"

#include <QFileDialog>

namespace {

QString runDialog(QFileDialog &dialog)
{
    dialog.setNameFilter(QStringLiteral("Tillbrook Backup file (*.tillbrook.zip)"));
    dialog.setDefaultSuffix(QStringLiteral("tillbrook.zip"));
    dialog.setSizeGripEnabled(true);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString AskSaveBackupPath(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QStringLiteral("Create a new Tillbrook Backup file ..."), startFolder);
    dialog.setObjectName(QStringLiteral("SaveBackup"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runDialog(dialog);
}

QString AskOpenBackupPath(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QStringLiteral("Open a Tillbrook Backup file ..."), startFolder);
    dialog.setObjectName(QStringLiteral("OpenBackup"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog);
}
