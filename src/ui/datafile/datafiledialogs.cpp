#include "ui/datafile/datafiledialogs.h"

#include "ui/feedback/filepathdialog.h"

namespace {
const QString DataFileFilter = QStringLiteral("Tillbrook file (*.tillbrook)");
const QString DataFileSuffix = QStringLiteral("tillbrook");
} // namespace

QString AskOpenDataFilePath(QWidget *parent, const QString &startFolder)
{
    return AskFilePath(parent, "OpenOrvaneDB", QStringLiteral("Open a Tillbrook file ..."), startFolder,
                       DataFileFilter, DataFileSuffix, QFileDialog::AcceptOpen);
}

QString AskCreateDataFilePath(QWidget *parent, const QString &startFolder)
{
    return AskFilePath(parent, "CreateOrvaneDB", QStringLiteral("Create a new Tillbrook file ..."), startFolder,
                       DataFileFilter, DataFileSuffix, QFileDialog::AcceptSave);
}
