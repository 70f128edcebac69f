#include "core/datafile/programfolder.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/base/tillbrook_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString asFolder(const QString &path)
{
    const QString folder = QDir::cleanPath(path);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// The program's own per-user folder under a generic location. Built from the generic
// location rather than AppConfigLocation so that tillbrook-import finds the same files
// as the program.
QString userFolder(QStandardPaths::StandardLocation generic)
{
    const QString base = QStandardPaths::writableLocation(generic);
    return base.isEmpty() ? QString() : asFolder(base + u'/' + QLatin1String(ApplicationTitle));
}

// Name beside the executable, else in the shared folder; beside the executable when in
// neither, so that a message names the program folder.
QString findReadOnlyFile(const QString &executableFolder, const QString &sharedFolder, const char *name)
{
    const QString beside = executableFolder + QLatin1String(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString shared = sharedFolder + QLatin1String(name);
    return QFileInfo::exists(shared) ? shared : beside;
}

} // namespace

ProgramPaths ProgramPaths::Portable(const QString &folder)
{
    ProgramPaths paths;
    paths.m_portable = true;
    paths.m_programFolder = asFolder(folder);
    paths.m_templateFile = paths.m_programFolder + QLatin1String(TemplateFileName);
    paths.m_helpFile = paths.m_programFolder + QLatin1String(HelpFileName);
    paths.m_settingsFolder = paths.m_programFolder;
    paths.m_dataFolder = paths.m_programFolder;
    return paths;
}

ProgramPaths ProgramPaths::Locate(const QString &executableFolder)
{
    const QString home = qEnvironmentVariable("TILLBROOK_HOME");
    if (!home.isEmpty())
        return Portable(home);

    const QString folder = asFolder(QFileInfo(executableFolder).absoluteFilePath());
    const QString shared = asFolder(folder + QStringLiteral("../share/tillbrook"));
    ProgramPaths paths = Portable(folder);
    paths.m_templateFile = findReadOnlyFile(folder, shared, TemplateFileName);
    paths.m_helpFile = findReadOnlyFile(folder, shared, HelpFileName);

    // A writable folder alone does not make an installed tree portable: root can write
    // to /usr/bin, and a tree installed under ~/.local is writable too.
    const bool installedTree = paths.m_templateFile.startsWith(shared);
    const bool portable = QFileInfo::exists(folder + QLatin1String(SettingsFileName))
                          || (!installedTree && QFileInfo(folder).isWritable());
    const QString config = userFolder(QStandardPaths::GenericConfigLocation);
    const QString data = userFolder(QStandardPaths::GenericDataLocation);
    if (portable || config.isEmpty() || data.isEmpty())
        return paths;
    paths.m_portable = false;
    paths.m_settingsFolder = config;
    paths.m_dataFolder = data;
    return paths;
}

ProgramPaths ProgramPaths::ForThisProgram()
{
    return Locate(QCoreApplication::applicationDirPath());
}

QString ProgramPaths::settingsFile() const
{
    return m_settingsFolder + QLatin1String(SettingsFileName);
}

QString ProgramPaths::defaultDataFile() const
{
    return m_dataFolder + QLatin1String(DefaultDataFileName);
}

bool ProgramPaths::makeWritableFolders() const
{
    return QDir().mkpath(m_settingsFolder) && QDir().mkpath(m_dataFolder);
}

QString UserConfigFolder()
{
    return userFolder(QStandardPaths::GenericConfigLocation);
}

QString UserDataFolder()
{
    return userFolder(QStandardPaths::GenericDataLocation);
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
