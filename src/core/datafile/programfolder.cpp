#include "core/datafile/programfolder.h"

#include "core/base/tillbrookerror.h"
#include "core/base/tillbrook_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ProgramFolder()
{
    QString folder = qEnvironmentVariable("TILLBROOK_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(folder);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString GetDocumentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        throw TillbrookError(QStringLiteral("The documents folder of this user could not be found."));
    return QDir::cleanPath(folder);
}

QString DocumentsDataFolder()
{
    return GetDocumentsFolder() + QStringLiteral("/Tillbrook/");
}

QString GetFileVersionText(const QString &filePath, const char *pattern)
{
    if (!QFileInfo::exists(filePath))
        return QString();
    return QString::asprintf(pattern, TILLBROOK_VERSION_MAJOR, TILLBROOK_VERSION_MINOR,
                             TILLBROOK_VERSION_PATCH, TILLBROOK_VERSION_TWEAK);
}
