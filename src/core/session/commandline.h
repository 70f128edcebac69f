#pragma once

#include "core/datafile/programfolder.h"

#include <QString>
#include <QStringList>

// What a start of tillbrook was asked for on its command line.
struct CommandLine
{
    enum class Action { Start, PrintHelp, PrintVersion, Fail };
    Action action = Action::Start;
    // The data file to open instead of the remembered one, absolute; empty when none.
    QString file;
    // For Fail: the error to print.
    QString error;
};

// Reads Arguments (the program name first): [--help | --version] [FILE]. A relative
// FILE is taken from WorkingFolder. Needs the application object for the usage text.
CommandLine ParseCommandLine(const QStringList &arguments, const QString &workingFolder);
// The usage text printed by --help.
QString CommandLineHelpText();
// The text printed by --version: the version and where the program finds its files.
QString VersionText(const ProgramPaths &paths);
// True when Arguments ask for something printed only (or hold an option at all), so
// that the start can answer without opening a window.
bool CommandLineWantsText(const QStringList &arguments);
