#pragma once

#include "core/datafile/programfolder.h"

#include <QDate>
#include <QString>

struct Session;

// Opening, creating and leaving data files, and the program's own files (where they
// are: ProgramPaths). Captions and dialogs stay with the windows; these operations talk to the
// user only through the session's Notifier.

inline constexpr auto UpdaterFileName = "OrvaneUpdate.Exe";
inline constexpr auto MakerSupportEmail = "support@tillbrook.example.org";

// Copies Source to Destination, creating missing folders. Result texts: "Source file
// not found.", "Cannot overwrite file." (Destination exists and Overwrite is false),
// "Copying of <Destination> done.", or empty when the copy failed. An overwrite
// replaces the target only once the new copy is complete.
QString CopyFileChecked(const QString &source, const QString &destination, bool overwrite);

// Makes sure default.tillbrook exists in its folder, copying the template when it is
// missing. Returns false when it still does not exist; copyResult then holds the result
// text of the copy.
bool EnsureDefaultDataFile(const ProgramPaths &paths, QString *copyResult = nullptr);
// The critical-error text shown when the default data file could not be made.
QString DefaultDataFileErrorText(const QString &copyResult);

// Connects the file at Path (password gate, then its options). False, with the warning
// bar said, when the path is empty, the file is held by another program, the password
// is wrong or the file is not a usable data file; the connection is then closed and
// the program-wide options are as they were. Does not change CurrentDataFile.
bool OpenDataFile(Session &session, const QString &path);

// How an opening ended.
enum class OpenResult { Opened, NoFileName, HeldElsewhere, PasswordRefused, PasswordCancelled, Unusable };
// OpenDataFile, asking for the password up to passwordTries times: each wrong one says
// "Password incorrect!" and asks again. A cancelled prompt (a null password) ends the
// asking; with a single try it counts as a wrong password, as it always has for Open.
OpenResult OpenDataFileAsking(Session &session, const QString &path, int passwordTries);
// The warning an opening that ended so gives; empty for Opened.
QString OpenResultText(OpenResult result);

// Makes a new data file at Path from the template (ProgramPaths::templateFile()) and
// connects it.
// False, with the warning bar said, when the path is empty, the file exists or the copy
// failed; the previous connection is then untouched.
bool CreateDataFile(Session &session, const QString &path, const QString &templateFile);

// Makes Path the file in use: CurrentDataFile := Path and OpenDataFile. When that
// fails the previous file is connected again and stays current, so the failed file never
// comes into use; when even that fails nothing stays connected and CurrentDataFile is
// empty. True when Path is now in use.
bool SwitchDataFile(Session &session, const QString &path);

// Stores the state of the file in use: the account chosen in the register as its default
// account (only while that file is connected), then last_opened_db and digits into
// Settings.ini; a failed write shows "Could not write to settings file" and goes on.
// A database error is raised after the Settings.ini writes have been made.
void SaveFileState(Session &session, const QString &accountName);

// The Settings.ini part of the start-up reopening: CurrentDataFile := last_opened_db,
// and the decimals from digits when it is a number.
void ReadStartupSettings(Session &session);
// After a failed open at start-up: last_opened_db is emptied so the next start asks.
void ForgetLastOpenedFile(Session &session);
// When the start-up left nothing connected, open the connection's current file,
// which is the default data file when no other was named, with its password gate.
OpenResult ConnectFallbackFile(Session &session);

// Weekly update check on lastcheck of Settings.ini (ISO week numbers).
enum class UpdateCheckAction { Nothing, WriteWeek, WriteWeekAndCheck };
UpdateCheckAction WeeklyUpdateCheckAction(const QString &lastCheck, int week);
// Reads lastcheck, writes the week when the rule says so (warning on a failed write) and
// returns true when the updater should be started now.
bool RunWeeklyUpdateCheck(Session &session, const QDate &today);

// The updater in the program folder, or empty when there is no such executable.
QString UpdaterPath(const QString &programFolder);
// Starts the updater without waiting for it; false when there is none or it did not start.
bool StartUpdater(const QString &programFolder);
