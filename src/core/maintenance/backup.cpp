#include "core/maintenance/backup.h"

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"
#include "core/maintenance/archivework.h"
#include "core/maintenance/compaction.h"
#include "core/session/session.h"

#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <future>

namespace {

// Deflate at level 1: the automatic backups run at every start and exit, and level 1
// compresses a data file about twice as fast as level 6 for an archive about 15% larger.
constexpr zip_uint32_t CompressionLevel = 1;

struct Callbacks
{
    const std::function<void(double)> *progress;
    const std::function<bool()> *cancelled;
};

[[noreturn]] void failWith(zip_t *archive)
{
    const QString message = QString::fromUtf8(zip_strerror(archive));
    zip_discard(archive);
    throw TillbrookError(message);
}

} // namespace

QString StartupBackupPath(const QString &dataFile)
{
    return dataFile + QStringLiteral(".before_startup.zip");
}

QString ClosingBackupPath(const QString &dataFile)
{
    return dataFile + QStringLiteral(".before_close.zip");
}

bool WriteBackupArchive(const QString &dataFile, const QString &archive,
                        const std::function<void(double)> &progress, const std::function<bool()> &cancelled,
                        const QString &contentPath)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE, &error);
    if (!zip) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        const QString message = QStringLiteral("%1: %2").arg(archive, QString::fromUtf8(zip_error_strerror(&reason)));
        zip_error_fini(&reason);
        throw TillbrookError(message);
    }
    // Folders, drive and dot parts are never stored: only the file's own name.
    const QByteArray entryName = QFileInfo(dataFile).fileName().toUtf8();
    const QString content = contentPath.isEmpty() ? dataFile : contentPath;
    zip_source_t *source = zip_source_file(zip, QFile::encodeName(content).constData(), 0, -1);
    if (!source)
        failWith(zip);
    const zip_int64_t index = zip_file_add(zip, entryName.constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        failWith(zip);
    }
    if (zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, CompressionLevel) != 0)
        failWith(zip);

    Callbacks callbacks{&progress, &cancelled};
    if (progress)
        zip_register_progress_callback_with_state(
            zip, 0.01,
            [](zip_t *, double done, void *state) {
                (*static_cast<Callbacks *>(state)->progress)(done);
            },
            nullptr, &callbacks);
    if (cancelled)
        zip_register_cancel_callback_with_state(
            zip, [](zip_t *, void *state) { return (*static_cast<Callbacks *>(state)->cancelled)() ? 1 : 0; },
            nullptr, &callbacks);
    if (zip_close(zip) != 0) {
        if (zip_error_code_zip(zip_get_error(zip)) == ZIP_ER_CANCELLED) {
            zip_discard(zip);
            return false;
        }
        failWith(zip);
    }
    return true;
}

bool BackupDataFile(Session &session, const QString &dataFile, const QString &archive, ArchiveHost &host)
{
    if (dataFile.isEmpty())
        return false;
    const QString ending = QStringLiteral("The backup will not be completed.");
    return RunArchiveWork(session, host, dataFile, ending, [&] {
        if (!QFileInfo(dataFile).isFile()) {
            ShowNotice(session.notifier, QStringLiteral("File not found to backup."), InformationBar);
            return false;
        }
        // The compacted content is archived while it is checked, on a second thread:
        // each takes about as long as the other on a large file.
        Compaction compaction(dataFile);
        std::future<bool> checked;
        if (compaction.ready())
            checked = std::async(std::launch::async, [&compaction] { return compaction.check(); });
        const bool madeCopy = compaction.ready() && compaction.content() != dataFile;
        // Whatever happens to the archive, the compaction ends as it would on its own.
        const auto finishCompaction = [&] {
            const bool sound = checked.valid() && checked.get();
            compaction.finish(sound);
            return sound;
        };
        host.showProgress(false, dataFile, archive);
        host.setProgress(33);
        const auto progress = [&](double done) { host.setProgress(33 + int(done * 66)); };
        const auto cancelled = [&] { return host.cancelRequested(); };
        bool written = false;
        try {
            written = WriteBackupArchive(dataFile, archive, progress, cancelled,
                                         compaction.ready() ? compaction.content() : dataFile);
        } catch (...) {
            finishCompaction();
            throw;
        }
        const bool sound = finishCompaction();
        // A copy that failed its check is gone and the file is as it was: archive that.
        if (written && madeCopy && !sound)
            written = WriteBackupArchive(dataFile, archive, progress, cancelled);
        if (!written)
            return false;
        host.setProgress(99);
        ShowNotice(session.notifier, QStringLiteral("Backup complete."), InformationBar);
        return true;
    });
}
