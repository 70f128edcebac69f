#pragma once

#include <QString>

// An advisory whole-file lock (flock) held on an open data file for as long as it
// is connected, so that a second Tillbrook process sees the file as in use. flock
// locks are separate from the record locks SQLite takes and vanish with the process.
class FileLock
{
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // False when another open of the file holds the lock or the file cannot be opened.
    bool tryLock(const QString &path);
    void release();
    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// True when Path names an existing file that cannot be opened for reading and
// writing, or that another connection holds locked; false for a missing file.
// Never call it on the file this process has connected: closing the probe's
// descriptor would drop SQLite's own locks on it.
bool IsFileLocked(const QString &path);

// True when another open of Path holds it locked for writing, tested by a read-only
// open: a file to be read only (an archive on read-only media, mode 0444) is never
// opened for writing to find out.
bool IsFileLockedForReading(const QString &path);
