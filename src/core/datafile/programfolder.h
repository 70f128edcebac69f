#pragma once

#include <QString>

inline constexpr auto TemplateFileName = "orvanedb.data";
inline constexpr auto HelpFileName = "tillbrook_help.html";
inline constexpr auto SettingsFileName = "Settings.ini";
inline constexpr auto DefaultDataFileName = "default.tillbrook";

// Where the program's own files are, for the whole program: the template and the help
// page (read only), Settings.ini and default.tillbrook (written).
//
// Portable form: everything in one program folder, the executable's folder or the one
// named by TILLBROOK_HOME. Installed form (an executable under <prefix>/bin): the
// template and the help page in <prefix>/share/tillbrook/, Settings.ini in the user's
// configuration folder and default.tillbrook in the user's data folder.
// Every folder ends with "/".
class ProgramPaths
{
public:
    ProgramPaths() = default;

    // Everything in Folder (tests, TILLBROOK_HOME).
    static ProgramPaths Portable(const QString &folder);
    // Decides the form for an executable in ExecutableFolder:
    // - portable when TILLBROOK_HOME is set (that folder), when the executable's folder
    //   holds Settings.ini, or when it can be written to and the template is not found in
    //   ../share/tillbrook/ (a build tree or a portable folder);
    // - installed otherwise.
    // Each read-only file is looked for beside the executable, then in ../share/tillbrook/.
    static ProgramPaths Locate(const QString &executableFolder);
    // Locate() for the running executable.
    static ProgramPaths ForThisProgram();

    bool isPortable() const { return m_portable; }
    // The executable's folder, or TILLBROOK_HOME when set.
    QString programFolder() const { return m_programFolder; }
    QString templateFile() const { return m_templateFile; }
    QString helpFile() const { return m_helpFile; }
    // The folder of Settings.ini.
    QString settingsFolder() const { return m_settingsFolder; }
    QString settingsFile() const;
    // The folder of default.tillbrook.
    QString dataFolder() const { return m_dataFolder; }
    QString defaultDataFile() const;

    // Creates the settings and data folders when missing; false when one could not be made.
    bool makeWritableFolders() const;

private:
    bool m_portable = true;
    QString m_programFolder;
    QString m_templateFile;
    QString m_helpFile;
    QString m_settingsFolder;
    QString m_dataFolder;
};

// The user's configuration folder of Tillbrook ($XDG_CONFIG_HOME/Tillbrook/, which is
// the program's AppConfigLocation), whichever executable asks; empty when unknown.
QString UserConfigFolder();
// The user's data folder of Tillbrook ($XDG_DATA_HOME/Tillbrook/, the program's
// AppDataLocation); empty when unknown.
QString UserDataFolder();

// The user's documents folder without a trailing separator; throws when unknown.
QString GetDocumentsFolder();
// GetDocumentsFolder() + "/Tillbrook/".
QString DocumentsDataFolder();
// The program's version formatted with a printf pattern of four %d, or empty when
// the file does not exist.
QString GetFileVersionText(const QString &filePath, const char *pattern);
