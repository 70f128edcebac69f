#include "core/datafile/filelock.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

int openReadWrite(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
}

} // namespace

FileLock::~FileLock()
{
    release();
}

bool FileLock::tryLock(const QString &path)
{
    release();
    const int fd = openReadWrite(path);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void FileLock::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

bool IsFileLocked(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    FileLock probe;
    return !probe.tryLock(path);
}

bool IsFileLockedForReading(const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    // Readers share; only a writer's exclusive lock keeps a reader out.
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}
