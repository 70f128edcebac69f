#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class ArchiveHost;
struct Session;

// One entry of a backup archive, taken out into a file of its own beside its place
// and checked.
struct ExtractedEntry
{
    QString name;          // the entry's bare file name
    QString targetPath;    // where it belongs: the target folder + name
    QString extractedPath; // the extracted file, beside targetPath
    QString problem;       // empty when it is a sound Tillbrook data file
};

// A rollback journal or write-ahead log left beside Path by a writer that was killed
// is played back into Path by SQLite, which then removes it.
void SettleLeftoverJournal(const QString &path);
// Removes Path's "-journal", "-wal" and "-shm": after a restore they belong to the file
// that was replaced, and SQLite would otherwise play them onto the restored one.
void RemoveStaleCompanions(const QString &path);

// The bare file name an archive entry is restored under: folders, drive letters and
// backslashes are dropped, so no name can reach outside the target folder. Empty for
// a folder entry or a name that is only dots.
QString RestoredEntryName(const QString &entryName);

// Takes every file entry of Archive out into a new file in TargetFolder (never under its
// own name yet) and checks it with SQLite's full integrity check: an archive comes from
// outside and may be damaged anywhere. Progress runs from 0 to 1; checking is called as
// the check of the extracted files starts, and progress(1) again and again while it
// runs on a worker thread, so the window repaints and takes Cancel. When cancelled
// returns true (also in the middle of the check) the extracted files are removed and
// the result is empty. Throws TillbrookError with the archive engine's message when
// the archive cannot be read; nothing is then left behind.
QList<ExtractedEntry> ExtractBackupArchive(const QString &archive, const QString &targetFolder,
                                           const std::function<void(double)> &progress = {},
                                           const std::function<bool()> &cancelled = {},
                                           const std::function<void()> &checking = {});
// Restore's step text while the extracted files are checked.
inline const QString CheckingRestoredFileText = QStringLiteral("Checking the restored file ...");

// The restore steps on extracted entries: an entry that is not a sound data file is
// refused with a message; an entry whose file exists is first asked about and then put
// in its place in one rename (CurrentDataFile becomes that file); any other lands
// beside the open file. Every extracted file is gone afterwards. Returns the message
// for the end: "Restore Complete." or "Restore not completed successfully.".
QString PlaceExtractedEntries(Session &session, const QList<ExtractedEntry> &entries);

// Restores Archive into TargetFolder with the progress window shown (see
// RunArchiveWork; the lock test is on the archive). Ends with the information notice
// of PlaceExtractedEntries. False when nothing was restored because the archive was
// missing, locked or the user cancelled.
bool RestoreBackup(Session &session, const QString &archive, const QString &targetFolder, ArchiveHost &host);

// After a restore: opens CurrentDataFile through the password gate. When that fails
// and it is the file that was open before the restore, its content may be new and
// nothing is connected; when it is another file, the previous one is connected again.
bool OpenRestoredFile(Session &session, const QString &previousFile);
