#include "core/maintenance/restore.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/filelock.h"
#include "core/datafile/leftoverfiles.h"
#include "core/maintenance/archivework.h"
#include "core/maintenance/compaction.h"
#include "core/maintenance/sqlitefile.h"
#include "core/session/datafileops.h"
#include "core/session/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <chrono>
#include <cstring>
#include <future>

#include <zip.h>

#include <memory>

namespace {

const QString Complete = QStringLiteral("Restore Complete.");
// Every SQLite database starts with these 16 bytes (the closing NUL included).
constexpr char SqliteHeader[] = "SQLite format 3";
// Room left free beside an extracted file, for SQLite's journal and the rest.
constexpr qint64 FreeSpaceReserve = 16 * 1024 * 1024;
const QString NotCompleted = QStringLiteral("Restore not completed successfully.");

struct ZipCloser
{
    void operator()(zip_t *zip) const { zip_discard(zip); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

[[noreturn]] void failWith(const QString &archive, zip_error_t *error)
{
    throw TillbrookError(QStringLiteral("%1: %2").arg(archive, QString::fromUtf8(zip_error_strerror(error))));
}

ZipArchive openArchive(const QString &archive)
{
    int code = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, &code);
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString message = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        throw TillbrookError(QStringLiteral("%1: %2").arg(archive, message));
    }
    return ZipArchive(zip);
}

void removeExtracted(const QList<ExtractedEntry> &entries)
{
    for (const ExtractedEntry &entry : entries)
        QFile::remove(entry.extractedPath);
}

// The full check of an extracted file on a worker thread; meanwhile the caller's
// progress keeps the window alive and a Cancel interrupts SQLite.
QString checkOnWorker(const QString &path, const std::function<void(double)> &progress,
                      const std::function<bool()> &cancelled)
{
    std::unique_ptr<SqliteFile> file;
    try {
        file = std::make_unique<SqliteFile>(path, SqliteFile::ReadOnly);
    } catch (const TillbrookError &error) {
        return error.message();
    }
    std::future<QString> check = std::async(std::launch::async, [&file] {
        try {
            return file->soundnessProblem(SqliteFile::Depth::Full);
        } catch (const TillbrookError &error) {
            return error.message();
        }
    });
    bool interrupted = false;
    while (check.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (progress)
            progress(1.0);
        if (!interrupted && cancelled && cancelled()) {
            file->interrupt();
            interrupted = true;
        }
    }
    return check.get();
}

} // namespace

void SettleLeftoverJournal(const QString &path)
{
    if (!QFileInfo::exists(path + QStringLiteral("-journal")) && !QFileInfo::exists(path + QStringLiteral("-wal")))
        return;
    try {
        // The first read rolls a hot journal back (or a write-ahead log into the file)
        // and removes it.
        SqliteFile file(path, SqliteFile::ReadWrite);
        file.firstColumn(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (const TillbrookError &) {
        // A file SQLite cannot read has no journal it could play back; what is left is
        // removed once the restored file is in place.
    }
}

void RemoveStaleCompanions(const QString &path)
{
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

QString RestoredEntryName(const QString &entryName)
{
    QString name = entryName;
    name.replace(u'\\', u'/');
    name = name.section(u'/', -1);
    // "C:home.tillbrook" names a file on a drive.
    if (name.size() > 2 && name[1] == u':' && name[0].isLetter())
        name = name.mid(2);
    bool onlyDots = true;
    for (const QChar c : std::as_const(name))
        onlyDots = onlyDots && c == u'.';
    return onlyDots ? QString() : name;
}

QList<ExtractedEntry> ExtractBackupArchive(const QString &archive, const QString &targetFolder,
                                           const std::function<void(double)> &progress,
                                           const std::function<bool()> &cancelled,
                                           const std::function<void()> &checking)
{
    ZipArchive zip = openArchive(archive);
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    zip_uint64_t totalBytes = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip.get(), zip_uint64_t(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            totalBytes += stat.size;
    }

    QList<ExtractedEntry> entries;
    zip_uint64_t doneBytes = 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    const QDir folder(targetFolder);
    try {
        for (zip_int64_t i = 0; i < count; ++i) {
            const char *rawName = zip_get_name(zip.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
            const QString name = RestoredEntryName(QString::fromUtf8(rawName ? rawName : ""));
            if (name.isEmpty())
                continue;
            ExtractedEntry entry;
            entry.name = name;
            entry.targetPath = folder.filePath(name);
            zip_stat_t stat;
            zip_stat_init(&stat);
            const bool sized = zip_stat_index(zip.get(), zip_uint64_t(i), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE);

            std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(zip.get(), zip_uint64_t(i), 0));
            if (!in)
                failWith(archive, zip_get_error(zip.get()));
            // The first bytes tell a data file: anything else is refused before a byte
            // of it is written (an entry may inflate to gigabytes).
            char head[sizeof SqliteHeader]; // with its closing NUL, as in the file
            const zip_int64_t headGot = zip_fread(in.get(), head, sizeof head);
            if (headGot < 0)
                failWith(archive, zip_file_get_error(in.get()));
            if (headGot != zip_int64_t(sizeof head) || std::memcmp(head, SqliteHeader, sizeof head) != 0) {
                entry.problem = QStringLiteral("It is not an SQLite database.");
                entries << entry;
                if (sized)
                    doneBytes += stat.size;
                continue;
            }
            if (sized && QStorageInfo(targetFolder).bytesAvailable() < qint64(stat.size) + FreeSpaceReserve)
                throw TillbrookError(QStringLiteral("%1 in the backup needs %2 MB, but the folder %3 has only %4 MB free.")
                                         .arg(name)
                                         .arg(qint64(stat.size / (1024 * 1024)) + 1)
                                         .arg(QDir::toNativeSeparators(targetFolder))
                                         .arg(QStorageInfo(targetFolder).bytesAvailable() / (1024 * 1024)));

            QTemporaryFile out(folder.filePath(QStringLiteral(".%1.restoring-XXXXXX").arg(name)));
            out.setAutoRemove(false);
            if (!out.open())
                throw TillbrookError(QStringLiteral("%1: %2").arg(out.fileTemplate(), out.errorString()));
            entry.extractedPath = out.fileName();
            entries << entry;
            if (out.write(head, sizeof head) != qint64(sizeof head))
                throw TillbrookError(QStringLiteral("%1: %2").arg(entry.extractedPath, out.errorString()));
            zip_uint64_t entryBytes = sizeof head;
            doneBytes += sizeof head;

            for (;;) {
                const zip_int64_t got = zip_fread(in.get(), buffer.data(), zip_uint64_t(buffer.size()));
                if (got < 0)
                    failWith(archive, zip_file_get_error(in.get()));
                if (got == 0)
                    break;
                entryBytes += zip_uint64_t(got);
                // More coming out than the entry declares: a forged archive, not a backup.
                if (sized && entryBytes > stat.size)
                    throw TillbrookError(QStringLiteral("%1 in the backup holds more than it declares; "
                                                        "nothing has been restored.").arg(name));
                if (out.write(buffer.constData(), got) != got)
                    throw TillbrookError(QStringLiteral("%1: %2").arg(entry.extractedPath, out.errorString()));
                doneBytes += zip_uint64_t(got);
                if (progress && totalBytes > 0)
                    progress(double(doneBytes) / double(totalBytes));
                if (cancelled && cancelled()) {
                    out.close();
                    removeExtracted(entries);
                    return {};
                }
            }
            out.close();
        }
    } catch (...) {
        removeExtracted(entries);
        throw;
    }
    if (checking)
        checking();
    for (ExtractedEntry &entry : entries) {
        if (entry.extractedPath.isEmpty())
            continue; // refused by its first bytes
        entry.problem = checkOnWorker(entry.extractedPath, progress, cancelled);
        if (cancelled && cancelled()) {
            removeExtracted(entries);
            return {};
        }
    }
    return entries;
}

QString PlaceExtractedEntries(Session &session, const QList<ExtractedEntry> &entries)
{
    Notifier &notifier = session.notifier;
    QString message = Complete;
    QStringList placedElsewhere;
    // Entries that are not data files are named together in one message, however many.
    QList<const ExtractedEntry *> refused;
    for (const ExtractedEntry &entry : entries) {
        if (!entry.problem.isEmpty()) {
            refused << &entry;
            message = NotCompleted;
            QFile::remove(entry.extractedPath);
            continue;
        }
        const bool exists = QFileInfo::exists(entry.targetPath);
        // The target's lock is taken before the question and held until the restored
        // file is in its place: nobody may open (and write to) the file that "Yes" is
        // about to replace.
        FileLock targetLock;
        if (exists) {
            if (!targetLock.tryLock(entry.targetPath)) {
                ShowNotice(notifier,
                           QStringLiteral("%1 is open in another application and has not been restored.")
                               .arg(entry.targetPath),
                           WarningDialog);
                message = NotCompleted;
                QFile::remove(entry.extractedPath);
                continue;
            }
            const QString question = QStringLiteral("If you choose to restore a file, it will be automatically "
                                                    "opened after restoration is complete.\nRestore the file %1?")
                                         .arg(entry.targetPath);
            if (AskYesNo(notifier, question) != AskYes) {
                message = NotCompleted;
                QFile::remove(entry.extractedPath);
                continue;
            }
            QFile::setPermissions(entry.extractedPath, QFile::permissions(entry.targetPath));
            // A journal left by a writer that was killed belongs to the old file: let
            // SQLite play it back there now, so that it is gone before the restored
            // file takes the name it is kept under.
            SettleLeftoverJournal(entry.targetPath);
        }
        if (!ReplaceFileAtomically(entry.extractedPath, entry.targetPath)) {
            ShowNotice(notifier, QStringLiteral("%1 could not be written.").arg(entry.targetPath), WarningDialog);
            message = NotCompleted;
            QFile::remove(entry.extractedPath);
            continue;
        }
        // Nothing of the old file may be read as the new one's.
        RemoveStaleCompanions(entry.targetPath);
        if (exists)
            session.CurrentDataFile = entry.targetPath;
        else
            placedElsewhere << QDir::toNativeSeparators(entry.targetPath);
    }
    if (refused.size() == 1) {
        ShowNotice(notifier,
                   QStringLiteral("%1 in the backup is not a Tillbrook data file and has not been restored.\n%2")
                       .arg(refused.first()->name, refused.first()->problem),
                   WarningDialog);
    } else if (refused.size() > 1) {
        constexpr int Named = 10;
        QStringList names;
        for (qsizetype i = 0; i < refused.size() && i < Named; ++i)
            names << refused.at(i)->name;
        QString list = names.join(QStringLiteral(", "));
        if (refused.size() > Named)
            list += QStringLiteral(" and %1 more").arg(refused.size() - Named);
        ShowNotice(notifier,
                   QStringLiteral("%1 entries in the backup are not Tillbrook data files and have not been "
                                  "restored: %2.").arg(refused.size()).arg(list),
                   WarningDialog);
    }
    // A file restored under a name of its own lands beside the open one: say where.
    if (!placedElsewhere.isEmpty())
        message += QStringLiteral(" Restored as %1.").arg(placedElsewhere.join(QStringLiteral(", ")));
    return message;
}

bool RestoreBackup(Session &session, const QString &archive, const QString &targetFolder, ArchiveHost &host)
{
    const QString ending = QStringLiteral("The restore will not be completed.");
    return RunArchiveWork(session, host, archive, ending, [&] {
        if (!QFileInfo(archive).isFile()) {
            ShowNotice(session.notifier, QStringLiteral("File not found to restore."), InformationBar);
            return false;
        }
        if (!QFileInfo(targetFolder).isDir() || !QFileInfo(targetFolder).isWritable()) {
            ShowNotice(session.notifier,
                       QStringLiteral("The folder %1 cannot be written to: the backup cannot be restored there.")
                           .arg(QDir::toNativeSeparators(targetFolder)),
                       WarningDialog);
            return false;
        }
        if (!session.CurrentDataFile.isEmpty())
            RemoveLeftoverWorkFiles(session.CurrentDataFile);
        host.wait(100);
        host.showProgress(true, archive, targetFolder);
        host.wait(100);
        host.setProgress(0);
        QList<ExtractedEntry> entries;
        try {
            entries = ExtractBackupArchive(
                archive, targetFolder, [&](double done) { host.setProgress(int(done * 99)); },
                [&] { return host.cancelRequested(); }, [&] { host.showStep(CheckingRestoredFileText); });
        } catch (const TillbrookError &error) {
            // A damaged or cut archive: the reason belongs in the message, not under "More".
            host.closeProgress();
            ShowNotice(session.notifier, QStringLiteral("The backup cannot be restored. %1").arg(error.message()),
                       WarningDialog);
            return false;
        }
        if (host.cancelRequested()) {
            removeExtracted(entries);
            return false;
        }
        if (entries.isEmpty()) {
            host.closeProgress();
            ShowNotice(session.notifier,
                       QStringLiteral("The backup %1 holds no file to restore.").arg(QDir::toNativeSeparators(archive)),
                       WarningDialog);
            return false;
        }
        host.setProgress(99);
        const QString message = PlaceExtractedEntries(session, entries);
        ShowNotice(session.notifier, message, InformationBar);
        return true;
    }, LockedFor::Reading);
}

bool OpenRestoredFile(Session &session, const QString &previousFile)
{
    const QString restored = session.CurrentDataFile;
    if (restored != previousFile) {
        session.CurrentDataFile = previousFile;
        return SwitchDataFile(session, restored);
    }
    if (OpenDataFile(session, session.CurrentDataFile))
        return true;
    // The file may have new content behind a password that was not given: it must not
    // come into use by a later statement reconnecting it.
    session.MyDataModule.setDataSource(QString());
    session.CurrentDataFile.clear();
    return false;
}
