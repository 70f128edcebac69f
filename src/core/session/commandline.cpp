#include "core/session/commandline.h"

#include "core/base/notices.h"
#include "core/base/tillbrook_version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

struct Parser
{
    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Tillbrook, a cash book. Opens FILE, or else the data file used last."));
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The data file (*.tillbrook) to open."),
                                     QStringLiteral("[FILE]"));
    }

    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and where the program's files are, and exit.")};
};

QString describe(const QString &path)
{
    return QFileInfo::exists(path) ? path : path + QStringLiteral(" (missing)");
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments, const QString &workingFolder)
{
    Parser p;
    CommandLine result;
    if (!p.parser.parse(arguments)) {
        result.action = CommandLine::Action::Fail;
        result.error = p.parser.errorText();
        return result;
    }
    if (p.parser.isSet(p.help)) {
        result.action = CommandLine::Action::PrintHelp;
        return result;
    }
    if (p.parser.isSet(p.version)) {
        result.action = CommandLine::Action::PrintVersion;
        return result;
    }
    const QStringList files = p.parser.positionalArguments();
    if (files.size() > 1) {
        result.action = CommandLine::Action::Fail;
        result.error = QStringLiteral("Only one data file can be opened at a time.");
        return result;
    }
    if (!files.isEmpty() && !files.first().isEmpty())
        result.file = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(files.first()));
    return result;
}

QString CommandLineHelpText()
{
    return Parser().parser.helpText();
}

QString VersionText(const ProgramPaths &paths)
{
    QString text = QLatin1String(ApplicationTitle) + u' ' + QLatin1String(TILLBROOK_VERSION_TEXT) + u'\n';
    text += QStringLiteral("Template: %1\n").arg(describe(paths.templateFile()));
    text += QStringLiteral("Help page: %1\n").arg(describe(paths.helpFile()));
    text += QStringLiteral("Settings: %1\n").arg(paths.settingsFile());
    text += QStringLiteral("Default data file: %1\n").arg(paths.defaultDataFile());
    return text;
}

bool CommandLineWantsText(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            return false;
        if (argument.startsWith(u'-') && argument.size() > 1)
            return true;
    }
    return false;
}
