#pragma once

#include <QString>

#include <functional>

struct Session;

// What backup and restore need of the window that shows their progress. The program
// gives them its progress window; tests give a fake that records and cancels.
class ArchiveHost
{
public:
    virtual ~ArchiveHost() = default;
    // Waits while the windows go on; tests wait no time.
    virtual void wait(int milliseconds) = 0;
    // Shows the progress window ("Backup" or "Restore") with the two paths.
    virtual void showProgress(bool isRestore, const QString &from, const QString &to) = 0;
    // Moves the progress bar (0 to 99) and lets the window answer a press of Cancel.
    virtual void setProgress(int value) = 0;
    // True once the user has pressed Cancel; the work then stops.
    virtual bool cancelRequested() const = 0;
    // Names the step now running in the progress window ("Checking the restored file ...").
    virtual void showStep(const QString &text) { Q_UNUSED(text); }
    virtual void closeProgress() = 0;
};

// The frame around a backup or a restore. Refuses to start while a database transaction
// is open. Closes the connection and tests whether another program holds lockedPath;
// while it does, waits a second and tests again, up to ten times; then gives up with
// the message box
// "The database file has been opened in another application, or it has been locked. "
// + failureEnding. Otherwise runs the work. In every case, an error of the work
// included, the progress window is closed and the connection is opened again on its
// data file before the result (or the error) is passed on.
// LockedPath is tested as the work will use it: a file to write (the data file of a
// backup) for writing, a file to read (a restore's archive) for reading only.
enum class LockedFor { Writing, Reading };
bool RunArchiveWork(Session &session, ArchiveHost &host, const QString &lockedPath, const QString &failureEnding,
                    const std::function<bool()> &work, LockedFor use = LockedFor::Writing);

// One second, as the archive work waits it.
inline constexpr int ArchiveWaitSecond = 1000;
