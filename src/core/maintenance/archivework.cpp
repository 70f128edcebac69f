#include "core/maintenance/archivework.h"

#include "core/base/notifier.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/filelock.h"
#include "core/session/session.h"

#include <optional>

namespace {

constexpr int LockAttempts = 10;

void reconnect(TMyDataModule &db)
{
    if (!db.dataSource().isEmpty())
        db.connect();
}

} // namespace

bool RunArchiveWork(Session &session, ArchiveHost &host, const QString &lockedPath, const QString &failureEnding,
                    const std::function<bool()> &work, LockedFor use)
{
    const auto locked = [&] {
        return use == LockedFor::Reading ? IsFileLockedForReading(lockedPath) : IsFileLocked(lockedPath);
    };
    TMyDataModule &db = session.MyDataModule;
    // Closing the connection now would throw away work not yet committed.
    if (db.InTransaction())
        throw TillbrookError(QStringLiteral("Please finish the current change before a backup or a restore."));
    // From here until the file is connected again, a statement is an error, never a
    // silent reconnect that would take the file's lock back from the work.
    std::optional<TMyDataModule::HoldClosed> held(std::in_place, db);

    // Waits only while another program holds the file, a second at a time.
    bool free = !locked();
    for (int attempt = 0; attempt < LockAttempts && !free; ++attempt) {
        host.wait(ArchiveWaitSecond);
        free = !locked();
    }
    if (!free) {
        session.notifier.showMessageBox(
            MessageBoxKind::Warning,
            QStringLiteral("The database file has been opened in another application, or it has been locked. ")
                + failureEnding);
        held.reset();
        reconnect(db);
        return false;
    }

    bool result = false;
    try {
        result = work();
    } catch (...) {
        host.closeProgress();
        held.reset();
        // The program must not be left without its file; the error of the work is the
        // one to report even when the file cannot be connected again.
        try {
            reconnect(db);
        } catch (const TillbrookError &) {
        }
        throw;
    }
    host.closeProgress();
    held.reset();
    reconnect(db);
    return result;
}
