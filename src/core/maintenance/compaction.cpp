#include "core/maintenance/compaction.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/filelock.h"
#include "core/datafile/leftoverfiles.h"
#include "core/maintenance/sqlitefile.h"
#include "core/session/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool syncPath(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

void removeCopy(const QString &copy)
{
    QFile::remove(copy);
    QFile::remove(copy + QStringLiteral("-journal"));
}

bool samePath(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace

bool ReplaceFileAtomically(const QString &source, const QString &target)
{
    // The new content reaches the disk before its name does, and the folder's entry
    // right after: a crash leaves either file whole at Target.
    if (!syncPath(source))
        return false;
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        return false;
    syncPath(QFileInfo(target).absolutePath());
    return true;
}

Compaction::Compaction(const QString &path) : m_path(path), m_content(path)
{
    if (!QFileInfo(path).isFile())
        return;
    // Leftovers of a killed run go first (before our own lock, which would hide
    // whether another program holds the file).
    RemoveLeftoverWorkFiles(path);
    // The lock keeps another Tillbrook from opening the file until the copy is in its
    // place; taken before SQLite opens the file and let go after SQLite has closed it,
    // so closing its descriptor never drops SQLite's own locks.
    if (!m_lock.tryLock(path))
        return;
    const QString copy = path + u'x';
    // A copy left by an interrupted compaction is ours and stale.
    removeCopy(copy);
    try {
        SqliteFile source(path, SqliteFile::ReadWrite);
        // A file with no free pages is compact already: it is only checked.
        if (source.firstColumn(QStringLiteral("PRAGMA freelist_count")) != QStringList{QStringLiteral("0")}) {
            m_rowCounts = source.tableRowCounts();
            source.exec(QStringLiteral("VACUUM INTO ?1"), {copy});
            m_content = copy;
        }
    } catch (const TillbrookError &) {
        removeCopy(copy);
        m_lock.release();
        return;
    }
    m_ready = true;
}

Compaction::~Compaction()
{
    if (m_ready)
        finish(false);
}

bool Compaction::check() const
{
    if (!m_ready)
        return false;
    try {
        SqliteFile content(m_content, SqliteFile::ReadOnly);
        if (!content.soundnessProblem(SqliteFile::Depth::Quick).isEmpty())
            return false;
        return m_content == m_path || content.tableRowCounts() == m_rowCounts;
    } catch (const TillbrookError &) {
        return false;
    }
}

bool Compaction::finish(bool sound, const FileReplacer &replace)
{
    if (!m_ready)
        return false;
    m_ready = false;
    if (m_content == m_path) {
        m_lock.release();
        return sound;
    }
    QFile::setPermissions(m_content, QFile::permissions(m_path));
    if (!sound || !replace(m_content, m_path)) {
        removeCopy(m_content);
        m_content = m_path;
        return false;
    }
    m_content = m_path;
    return true;
}

bool CompactDataFile(const QString &path, const FileReplacer &replace)
{
    Compaction compaction(path);
    return compaction.finish(compaction.check(), replace);
}

void CompactRepair(Session &session)
{
    TMyDataModule &db = session.MyDataModule;
    {
        const TMyDataModule::HoldClosed held(db);
        CompactDataFile(session.CurrentDataFile);
    }
    ShowNotice(session.notifier, QStringLiteral("Validation and optimisation of the database is ready."),
               InformationBar);
    if (!db.dataSource().isEmpty())
        db.connect();
}

bool CheckChosenDataFile(Session &session, const QString &path)
{
    TMyDataModule &db = session.MyDataModule;
    const bool inUse = db.isConnected() && samePath(path, db.dataSource());
    std::optional<TMyDataModule::HoldClosed> held;
    if (inUse)
        held.emplace(db);
    const bool sound = CompactDataFile(path);
    if (inUse) {
        held.reset();
        db.connect();
    }
    return sound;
}
