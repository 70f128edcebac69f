#pragma once

#include <QString>

#include <functional>

class ArchiveHost;
struct Session;

// The names of the automatic archives beside the data file.
QString StartupBackupPath(const QString &dataFile);
QString ClosingBackupPath(const QString &dataFile);

// Adds DataFile to the ZIP archive Archive (made when missing) under its bare file name,
// replacing an entry of that name and keeping every other. The archive is written to a
// new file beside it and put in its place at the end, so a failure or a cancel leaves
// an existing archive as it was and no half-written one. Progress runs from 0 to 1;
// when cancelled returns true the writing stops and the result is false. The content
// is read from ContentPath when given (a compacted copy of DataFile). Throws
// TillbrookError with the archive engine's message on a failure.
bool WriteBackupArchive(const QString &dataFile, const QString &archive,
                        const std::function<void(double)> &progress = {},
                        const std::function<bool()> &cancelled = {},
                        const QString &contentPath = QString());

// Takes a backup of DataFile into Archive: the connection is closed, the file
// compacted and added to the archive while the progress window shows, and the
// connection opened again (see RunArchiveWork). True when the archive was written.
bool BackupDataFile(Session &session, const QString &dataFile, const QString &archive, ArchiveHost &host);
