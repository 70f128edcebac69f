#pragma once

#include "core/datafile/datamodule.h"
#include "core/datafile/programfolder.h"
#include "core/session/programoptions.h"

#include <QString>

class Notifier;

// What every window works with: the connection, the file in use, the program-wide
// options and the way to tell the user things. One per run, owned by the start-up.
struct Session
{
    Session(Notifier &notifier, const ProgramPaths &paths) : notifier(notifier), paths(paths) {}
    // Everything in one program folder (portable use, tests).
    Session(Notifier &notifier, const QString &programFolder)
        : notifier(notifier), paths(ProgramPaths::Portable(programFolder)) {}

    Notifier &notifier;
    ProgramPaths paths;        // where the template, help, Settings.ini and default.tillbrook are
    TMyDataModule MyDataModule;
    ProgramOptions options;
    QString CurrentDataFile;
    // Where the recent-files list is kept between runs (RecentFilesStorePath() for the
    // program); empty: the list lives for the run only.
    QString recentFilesStore;
};
