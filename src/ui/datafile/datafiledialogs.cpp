#include "ui/datafile/datafiledialogs.h"

#include "ui/feedback/dialogrunner.h"

#include <QFileDialog>

namespace {

QString runDialog(QFileDialog &dialog)
{
    dialog.setNameFilter(QStringLiteral("Tillbrook file (*.tillbrook)"));
    dialog.setDefaultSuffix(QStringLiteral("tillbrook"));
    dialog.setSizeGripEnabled(true);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace

QString AskOpenDataFilePath(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QStringLiteral("Open a Tillbrook file ..."), startFolder);
    dialog.setObjectName(QStringLiteral("OpenOrvaneDB"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog);
}

QString AskCreateDataFilePath(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QStringLiteral("Create a new Tillbrook file ..."), startFolder);
    dialog.setObjectName(QStringLiteral("CreateOrvaneDB"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return runDialog(dialog);
}
