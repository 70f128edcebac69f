#include "ui/feedback/filepathdialog.h"

#include "ui/feedback/dialogrunner.h"

QString AskFilePath(QWidget *parent, const char *objectName, const QString &caption,
                    const QString &startFolder, const QString &nameFilter, const QString &defaultSuffix,
                    QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, caption, startFolder);
    dialog.setObjectName(QLatin1String(objectName));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setSizeGripEnabled(true);
    if (ExecDialog(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
