#include "core/base/tillbrookerror.h"
#include "core/datafile/filelock.h"
#include "core/datafile/sqlstatement.h"
#include "core/maintenance/backup.h"
#include "core/maintenance/restore.h"
#include "core/session/datafileops.h"
#include "core/session/settings.h"
#include "fakearchivehost.h"
#include "support/testdata.h"
#include "support/testdatafile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/file.h>

#include <zip.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ToolResult
{
    int exitCode = -1;
    QString output;
};

ToolResult runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()).trimmed()};
}

// The entry names of an archive, as unzip lists them.
QStringList entriesOf(const QString &archive)
{
    const ToolResult listing = runTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    return listing.output.split(u'\n', Qt::SkipEmptyParts);
}

// Writes an archive with the given entries (name -> content), as another program might.
void writeArchive(const QString &archive, const QList<QPair<QString, QByteArray>> &entries)
{
    int error = 0;
    zip_t *zip = zip_open(QFile::encodeName(archive).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(zip);
    for (const auto &[name, content] : entries) {
        // libzip keeps the buffer until zip_close.
        auto *copy = new QByteArray(content);
        zip_source_t *source = zip_source_buffer(zip, copy->constData(), zip_uint64_t(copy->size()), 0);
        QVERIFY(zip_file_add(zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) >= 0);
    }
    QCOMPARE(zip_close(zip), 0);
}

void setNote(const QString &path, const QString &note)
{
    TMyDataModule db;
    db.open(path);
    SqlStatement(db, QStringLiteral("INSERT INTO tbTransactions (AccountId, TransactionDate, Amount, strNote)"
                                    " VALUES (1, '2024-01-01', 1, :strNote)"))
        .bind(QStringLiteral(":strNote"), note)
        .exec();
}

QStringList notesOf(const QString &path)
{
    TMyDataModule db;
    db.open(path);
    SqlStatement query(db, QStringLiteral("SELECT strNote FROM tbTransactions ORDER BY TransactionID"));
    query.exec();
    QStringList notes;
    while (query.next())
        notes << query.value(0).toString();
    return notes;
}

// A hot journal beside Path, as a writer killed in the middle of a large transaction
// leaves it: the sqlite3 shell changes every row with a tiny page cache (so changed
// pages reach the file before the commit) and is killed before it commits.
bool leaveHotJournal(const QString &path)
{
    QProcess writer;
    writer.start(QStringLiteral("sqlite3"), {path});
    if (!writer.waitForStarted())
        return false;
    writer.write("PRAGMA cache_size = 1;\nBEGIN;\nUPDATE tbTransactions SET strNote = 'killed writer';\n"
                 "SELECT 'changed';\n");
    writer.waitForReadyRead(10000);
    const bool changed = writer.readAllStandardOutput().contains("changed");
    writer.kill();
    writer.waitForFinished();
    return changed && QFileInfo(path + QStringLiteral("-journal")).size() > 0;
}

// The test's file with the note "old" backed up to safe.tillbrook.zip beside it; with
// ThenNew the file itself moves on to a second note "new". The file is connected again.
enum NoteAfter { Only, ThenNew };
QString backupOfOldNote(TestDataFile &f, NoteAfter after)
{
    f.db().close();
    setNote(f.path(), QStringLiteral("old"));
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    if (!WriteBackupArchive(f.path(), archive))
        qFatal("cannot write %s", qPrintable(archive));
    if (after == ThenNew)
        setNote(f.path(), QStringLiteral("new"));
    f.db().connect();
    return archive;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT
private slots:
    void backupWritesASoundArchive_data();
    void backupWritesASoundArchive();
    void refreshingKeepsOtherEntries();
    void cancelledBackupKeepsThePreviousArchive();
    void missingDataFileWritesNothing();
    void lockedDataFileGivesUpAfterTenTests();
    void archiveErrorStillReconnects();
    void entryNames_data();
    void entryNames();
    void restoreOverTheOpenFile_data();
    void restoreOverTheOpenFile();
    void entryWithAnotherNameLandsBeside();
    void refusedEntriesChangeNothing_data();
    void refusedEntriesChangeNothing();
    void entryPathNeverLeavesTheTarget();
    void cancelledRestoreReplacesNothing();
    void missingArchive();
    void restoredFileBehindAPasswordIsNotUsed();
    void targetStaysLockedWhileTheQuestionWaits();
    void staleJournalIsNeverPlayedOntoTheRestoredFile();
    void archiveIsTestedForReadingOnly();
    void unwritableTargetFolderIsNamed();
    void archivesThatRestoreNothingSaySo_data();
    void archivesThatRestoreNothingSaySo();
    void manyRefusedEntriesGiveOneMessage();
    void entryThatIsNoDatabaseIsNeverWritten();
    void checkOfTheRestoredFileIsAStepOfItsOwn_data();
    void checkOfTheRestoredFileIsAStepOfItsOwn();
};

void TestBackup::backupWritesASoundArchive_data()
{
    // A file with free pages is compacted first; its compacted copy is archived while
    // it is checked.
    QTest::addColumn<bool>("freePages");
    QTest::newRow("compact file") << false;
    QTest::newRow("file with free pages") << true;
}

void TestBackup::backupWritesASoundArchive()
{
    QFETCH(bool, freePages);
    TestDataFile f;
    f.db().close();
    if (freePages)
        LeaveFreePages(f.path());
    setNote(f.path(), QStringLiteral("kept"));
    f.db().connect();
    FakeArchiveHost host;
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));

    QVERIFY(BackupDataFile(f.session, f.path(), archive, host));
    QVERIFY(f.db().isConnected());
    QCOMPARE(f.db().dataSource(), f.path());
    QCOMPARE(host.shown, QStringList{QStringLiteral("Backup %1 -> %2").arg(f.path(), archive)});
    QCOMPARE(host.closes, 1);
    QVERIFY(host.progress.size() >= 2);
    QCOMPARE(host.progress.last(), 99);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Backup complete."));
    // A file nobody else holds is taken at once: no fixed wait before or after.
    QVERIFY(host.waits.isEmpty());

    QCOMPARE(runTool(QStringLiteral("unzip"), {QStringLiteral("-tq"), archive}).exitCode, 0);
    QCOMPARE(entriesOf(archive), QStringList{QStringLiteral("test.tillbrook")});
    const QString out = f.filePath(QStringLiteral("out"));
    QCOMPARE(runTool(QStringLiteral("unzip"), {QStringLiteral("-q"), archive, QStringLiteral("-d"), out}).exitCode, 0);
    const QString extracted = out + QStringLiteral("/test.tillbrook");
    QCOMPARE(runTool(QStringLiteral("sqlite3"), {extracted, QStringLiteral("PRAGMA integrity_check")}).output,
             QStringLiteral("ok"));
    QCOMPARE(notesOf(extracted).last(), QStringLiteral("kept"));
    // The archive holds the file as it now is, compacted, and no copy is left behind.
    QCOMPARE(readAll(extracted), readAll(f.path()));
    QCOMPARE(runTool(QStringLiteral("sqlite3"), {f.path(), QStringLiteral("PRAGMA freelist_count")}).output,
             QStringLiteral("0"));
    QVERIFY(!QFileInfo::exists(f.path() + u'x'));
}

void TestBackup::refreshingKeepsOtherEntries()
{
    TestDataFile f;
    const QString home = f.copyTemplate(QStringLiteral("home.tillbrook"));
    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    setNote(home, QStringLiteral("first"));
    setNote(other, QStringLiteral("other"));
    const QString archive = f.filePath(QStringLiteral("all.tillbrook.zip"));
    QVERIFY(WriteBackupArchive(home, archive));
    QVERIFY(WriteBackupArchive(other, archive));
    setNote(home, QStringLiteral("second"));

    FakeArchiveHost host;
    QVERIFY(BackupDataFile(f.session, home, archive, host));
    QCOMPARE(runTool(QStringLiteral("unzip"), {QStringLiteral("-tq"), archive}).exitCode, 0);
    QStringList entries = entriesOf(archive);
    entries.sort();
    QCOMPARE(entries, (QStringList{QStringLiteral("home.tillbrook"), QStringLiteral("other.tillbrook")}));
    const QString out = f.filePath(QStringLiteral("out"));
    QCOMPARE(runTool(QStringLiteral("unzip"), {QStringLiteral("-q"), archive, QStringLiteral("-d"), out}).exitCode, 0);
    QCOMPARE(notesOf(out + QStringLiteral("/home.tillbrook")), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QCOMPARE(notesOf(out + QStringLiteral("/other.tillbrook")), QStringList{QStringLiteral("other")});
}

void TestBackup::cancelledBackupKeepsThePreviousArchive()
{
    TestDataFile f;
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    QVERIFY(WriteBackupArchive(other, archive));
    const QByteArray before = readAll(archive);
    const QStringList filesBefore = filesIn(f.folder());

    FakeArchiveHost host;
    host.cancelAtReport = 2; // the first report from the writing itself
    QVERIFY(!BackupDataFile(f.session, f.path(), archive, host));
    QCOMPARE(readAll(archive), before);
    QCOMPARE(filesIn(f.folder()), filesBefore);
    QVERIFY(f.db().isConnected());
    QVERIFY(f.notifier.lastBar() != QStringLiteral("  Backup complete."));
}

void TestBackup::missingDataFileWritesNothing()
{
    TestDataFile f;
    FakeArchiveHost host;
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    QVERIFY(!BackupDataFile(f.session, QString(), archive, host));
    QVERIFY(!BackupDataFile(f.session, f.filePath(QStringLiteral("gone.tillbrook")), archive, host));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File not found to backup."));
    QVERIFY(!QFileInfo::exists(archive));
    QVERIFY(f.db().isConnected());
}

void TestBackup::lockedDataFileGivesUpAfterTenTests()
{
    TestDataFile f;
    FakeArchiveHost host;
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    // Another program holds the file once this one has let go of it.
    const QString held = f.copyTemplate(QStringLiteral("held.tillbrook"));
    FileLock holder;
    QVERIFY(holder.tryLock(held));
    QVERIFY(!BackupDataFile(f.session, held, archive, host));
    // A second between tests, and no wait before the message.
    QCOMPARE(host.waits, QList<int>(10, 1000));
    QCOMPARE(f.notifier.messageBoxes,
             QStringList{QStringLiteral("The database file has been opened in another application, or it has been "
                                        "locked. The backup will not be completed.")});
    QVERIFY(host.shown.isEmpty());
    QVERIFY(!QFileInfo::exists(archive));
    QVERIFY(f.db().isConnected());
}

void TestBackup::archiveErrorStillReconnects()
{
    TestDataFile f;
    FakeArchiveHost host;
    const QString archive = f.filePath(QStringLiteral("broken.tillbrook.zip"));
    QFile broken(archive);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, 'z'));
    broken.close();
    const QByteArray before = readAll(archive);

    QVERIFY_THROWS_EXCEPTION(TillbrookError, BackupDataFile(f.session, f.path(), archive, host));
    QVERIFY(f.db().isConnected());
    QCOMPARE(host.closes, 1);
    QCOMPARE(readAll(archive), before);

    // A restore names the archive's fault in its own message (the window is closed
    // for it, and once more at the end of the work).
    QVERIFY(!RestoreBackup(f.session, archive, f.folder(), host));
    QVERIFY(f.db().isConnected());
    QVERIFY(host.closes >= 2);
    QCOMPARE(f.notifier.dialogs.size(), 1);
}

void TestBackup::entryNames_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("restoredAs");
    QTest::newRow("bare") << "home.tillbrook" << "home.tillbrook";
    QTest::newRow("folders") << "a/b/home.tillbrook" << "home.tillbrook";
    QTest::newRow("parent") << "../evil.tillbrook" << "evil.tillbrook";
    QTest::newRow("absolute") << "/etc/evil.tillbrook" << "evil.tillbrook";
    QTest::newRow("backslashes and drive") << "C:\\Data\\..\\home.tillbrook" << "home.tillbrook";
    QTest::newRow("drive only") << "C:home.tillbrook" << "home.tillbrook";
    QTest::newRow("folder entry") << "data/" << "";
    QTest::newRow("dots") << "a/.." << "";
}

void TestBackup::entryNames()
{
    QFETCH(QString, entry);
    QFETCH(QString, restoredAs);
    QCOMPARE(RestoredEntryName(entry), restoredAs);
}

void TestBackup::restoreOverTheOpenFile_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes") << "Yes" << true;
    QTest::newRow("no") << "No" << false;
}

void TestBackup::restoreOverTheOpenFile()
{
    QFETCH(QString, answer);
    QFETCH(bool, replaced);
    TestDataFile f;
    const QString archive = backupOfOldNote(f, ThenNew);
    const QByteArray before = readAll(f.path());
    const QStringList filesBefore = filesIn(f.folder());
    f.notifier.dialogAnswers << answer;

    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top,
             QStringLiteral("If you choose to restore a file, it will be automatically opened after restoration is "
                            "complete.\nRestore the file %1?")
                 .arg(f.path()));
    QCOMPARE(f.notifier.lastBar(), replaced ? QStringLiteral("  Restore Complete.")
                                            : QStringLiteral("  Restore not completed successfully."));
    QCOMPARE(f.session.CurrentDataFile, f.path());
    QCOMPARE(filesIn(f.folder()), filesBefore);
    QVERIFY(OpenRestoredFile(f.session, f.path()));
    QVERIFY(f.db().isConnected());
    f.db().close();
    if (replaced)
        QCOMPARE(notesOf(f.path()), QStringList{QStringLiteral("old")});
    else
        QCOMPARE(readAll(f.path()), before);
}

void TestBackup::entryWithAnotherNameLandsBeside()
{
    TestDataFile f;
    const QString elsewhere = f.filePath(QStringLiteral("elsewhere"));
    QVERIFY(QDir().mkpath(elsewhere));
    const QString away = f.copyTemplate(QStringLiteral("elsewhere/away.tillbrook"));
    setNote(away, QStringLiteral("away"));
    const QString archive = f.filePath(QStringLiteral("away.tillbrook.zip"));
    QVERIFY(WriteBackupArchive(away, archive));

    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QVERIFY(f.notifier.dialogs.isEmpty());
    // The message says where the file went.
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete. Restored as %1.")
                                       .arg(QDir::toNativeSeparators(f.filePath(QStringLiteral("away.tillbrook")))));
    QCOMPARE(notesOf(f.filePath(QStringLiteral("away.tillbrook"))), QStringList{QStringLiteral("away")});
    QCOMPARE(f.session.CurrentDataFile, f.path());
    QVERIFY(OpenRestoredFile(f.session, f.path()));
    QCOMPARE(f.db().dataSource(), f.path());
}

void TestBackup::refusedEntriesChangeNothing_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text under the open file's name") << "test.tillbrook" << QByteArray("not a database");
    QTest::newRow("text under another name") << "notes.txt" << QByteArray("hello");
    QTest::newRow("text reaching upwards") << "../evil.tillbrook" << QByteArray("not a database");
    QTemporaryDir dir;
    const QString foreign = dir.filePath(QStringLiteral("foreign.db"));
    runTool(QStringLiteral("sqlite3"), {foreign, QStringLiteral("CREATE TABLE t(x);")});
    QTest::newRow("database of another kind") << "test.tillbrook" << readAll(foreign);
}

void TestBackup::refusedEntriesChangeNothing()
{
    QFETCH(QString, entry);
    QFETCH(QByteArray, content);
    TestDataFile f;
    const QString target = f.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    const QString archive = f.filePath(QStringLiteral("bad.zip"));
    writeArchive(archive, {{entry, content}});
    // The open file lives in the target folder.
    const QString open = target + QStringLiteral("/test.tillbrook");
    QVERIFY(QFile::copy(f.path(), open));
    const QByteArray before = readAll(open);
    const QStringList outerBefore = filesIn(f.folder());

    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, target, host));
    QCOMPARE(readAll(open), before);
    QCOMPARE(filesIn(target), QStringList{QStringLiteral("test.tillbrook")});
    QCOMPARE(filesIn(f.folder()), outerBefore);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore not completed successfully."));
    QCOMPARE(f.notifier.dialogs.size(), 1); // the refusal, no question
    QVERIFY(f.notifier.dialogs[0].top.contains(QStringLiteral("is not a Tillbrook data file")));
}

void TestBackup::entryPathNeverLeavesTheTarget()
{
    TestDataFile f;
    const QString target = f.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    const QString archive = f.filePath(QStringLiteral("evil.zip"));
    writeArchive(archive, {{QStringLiteral("../evil.tillbrook"), readAll(f.copyTemplate(QStringLiteral("t.tillbrook")))}});
    const QStringList outerBefore = filesIn(f.folder());

    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, target, host));
    QCOMPARE(filesIn(target), QStringList{QStringLiteral("evil.tillbrook")});
    QCOMPARE(filesIn(f.folder()), outerBefore);
}

void TestBackup::cancelledRestoreReplacesNothing()
{
    TestDataFile f;
    f.db().close();
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    QVERIFY(WriteBackupArchive(f.path(), archive));
    setNote(f.path(), QStringLiteral("new"));
    f.db().connect();
    const QByteArray before = readAll(f.path());
    const QStringList filesBefore = filesIn(f.folder());
    f.notifier.dialogAnswers << QStringLiteral("Yes");

    FakeArchiveHost host;
    host.cancelAtReport = 2;
    QVERIFY(!RestoreBackup(f.session, archive, f.folder(), host));
    QCOMPARE(readAll(f.path()), before);
    QCOMPARE(filesIn(f.folder()), filesBefore);
    QVERIFY(f.notifier.dialogs.isEmpty());
    QVERIFY(f.db().isConnected());
}

void TestBackup::missingArchive()
{
    TestDataFile f;
    FakeArchiveHost host;
    QVERIFY(!RestoreBackup(f.session, f.filePath(QStringLiteral("none.zip")), f.folder(), host));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File not found to restore."));
    QVERIFY(host.shown.isEmpty());
    QVERIFY(f.db().isConnected());
}

// The open file is replaced by a backup that carries a password; refusing it must not
// leave the new content connected behind the gate's back.
void TestBackup::restoredFileBehindAPasswordIsNotUsed()
{
    TestDataFile f;
    f.db().close();
    {
        TMyDataModule db;
        db.open(f.path());
        SetFileSettingText(db, QStringLiteral("Password"), QStringLiteral("Secret"));
    }
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    QVERIFY(WriteBackupArchive(f.path(), archive));
    {
        TMyDataModule db;
        db.open(f.path());
        SetFileSettingText(db, QStringLiteral("Password"), QString());
    }
    f.db().connect();
    f.notifier.dialogAnswers << QStringLiteral("Yes");
    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));

    QVERIFY(!OpenRestoredFile(f.session, f.path()));
    QVERIFY(!f.db().isConnected());
    QVERIFY(f.db().dataSource().isEmpty());
    QVERIFY(f.session.CurrentDataFile.isEmpty());
}

// The lock taken to test the target is held through the question to the rename: no
// other program may open (and write) the file that "Yes" then replaces.
void TestBackup::targetStaysLockedWhileTheQuestionWaits()
{
    TestDataFile f;
    const QString archive = backupOfOldNote(f, Only);
    bool heldDuringQuestion = false;
    f.notifier.onDialog = [&](const MessageDialogRequest &) { heldDuringQuestion = IsFileLocked(f.path()); };
    f.notifier.dialogAnswers << QStringLiteral("Yes");
    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QVERIFY(heldDuringQuestion);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete."));
}

// A writer of the file was killed and left its hot journal. The restored file must
// never meet it: SQLite would play the old file's pages onto it.
void TestBackup::staleJournalIsNeverPlayedOntoTheRestoredFile()
{
    TestDataFile f;
    f.db().close();
    LeaveFreePages(f.path()); // enough rows that the journal holds many pages
    setNote(f.path(), QStringLiteral("from the backup"));
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    QVERIFY(WriteBackupArchive(f.path(), archive));
    const QStringList backedUp = notesOf(f.path());
    QVERIFY(leaveHotJournal(f.path()));

    f.notifier.dialogAnswers << QStringLiteral("Yes");
    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete."));
    QVERIFY(!QFileInfo::exists(f.path() + QStringLiteral("-journal")));
    f.db().close();
    QCOMPARE(runTool(QStringLiteral("sqlite3"), {f.path(), QStringLiteral("PRAGMA integrity_check")}).output,
             QStringLiteral("ok"));
    QCOMPARE(notesOf(f.path()), backedUp);
}

// An archive is only read: it is tested for reading, so another reader of it (or
// read-only media) does not keep the restore waiting and then refuse it.
void TestBackup::archiveIsTestedForReadingOnly()
{
    TestDataFile f;
    const QString archive = backupOfOldNote(f, Only);
    QVERIFY(QFile::setPermissions(archive, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QFile reader(archive);
    QVERIFY(reader.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(reader.handle(), LOCK_SH | LOCK_NB), 0);

    f.notifier.dialogAnswers << QStringLiteral("Yes");
    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QVERIFY(!host.waits.contains(ArchiveWaitSecond)); // no lock test failed
    QVERIFY(f.notifier.messageBoxes.isEmpty());
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete."));
}

void TestBackup::unwritableTargetFolderIsNamed()
{
    TestDataFile f;
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    f.db().close();
    QVERIFY(WriteBackupArchive(f.path(), archive));
    f.db().connect();
    const QString folder = f.filePath(QStringLiteral("gone"));
    FakeArchiveHost host;
    QVERIFY(!RestoreBackup(f.session, archive, folder, host));
    QVERIFY(!f.notifier.dialogs.isEmpty());
    QVERIFY2(f.notifier.dialogs.last().top.contains(QStringLiteral("cannot be written to")),
             qPrintable(f.notifier.dialogs.last().top));
    QVERIFY(f.notifier.dialogs.last().top.contains(folder));
    QVERIFY(f.db().isConnected());
}

// An archive that restores nothing says why, in the message itself, and changes
// nothing: never "Restore Complete.".
void TestBackup::archivesThatRestoreNothingSaySo_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said");
    QTest::newRow("empty archive") << "empty" << "holds no file to restore";
    QTest::newRow("cut short") << "cut" << "The backup cannot be restored.";
    QTest::newRow("not an archive") << "text" << "Not a zip archive";
}

void TestBackup::archivesThatRestoreNothingSaySo()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);
    TestDataFile f;
    const QString archive = f.filePath(QStringLiteral("odd.zip"));
    if (kind == QLatin1String("empty")) {
        QFile empty(archive);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        // The end record of an archive with no entries.
        empty.write(QByteArray::fromHex("504b0506000000000000000000000000000000000000"));
    } else if (kind == QLatin1String("cut")) {
        f.db().close();
        const QString whole = f.filePath(QStringLiteral("whole.zip"));
        QVERIFY(WriteBackupArchive(f.path(), whole));
        f.db().connect();
        QFile out(archive);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(readAll(whole).left(int(QFileInfo(whole).size() / 2)));
    } else {
        QFile out(archive);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(QByteArray(4096, 'x'));
    }
    const QByteArray before = readAll(f.path());
    const QStringList filesBefore = filesIn(f.folder());
    FakeArchiveHost host;
    QVERIFY(!RestoreBackup(f.session, archive, f.folder(), host));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QVERIFY2(f.notifier.dialogs[0].top.contains(said), qPrintable(f.notifier.dialogs[0].top));
    QVERIFY(f.notifier.lastBar() != QStringLiteral("  Restore Complete."));
    QCOMPARE(readAll(f.path()), before);
    QCOMPARE(filesIn(f.folder()), filesBefore);
    QVERIFY(f.db().isConnected());
}

// 200 entries that are not data files: one message naming them, not 200 dialogs.
void TestBackup::manyRefusedEntriesGiveOneMessage()
{
    TestDataFile f;
    const QString archive = f.filePath(QStringLiteral("junk.zip"));
    QList<QPair<QString, QByteArray>> junk;
    for (int i = 0; i < 200; ++i)
        junk.append({QStringLiteral("note%1.txt").arg(i), QByteArray("hello")});
    writeArchive(archive, junk);
    FakeArchiveHost host;
    QVERIFY(RestoreBackup(f.session, archive, f.folder(), host));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    const QString top = f.notifier.dialogs[0].top;
    QVERIFY2(top.trimmed().startsWith(QStringLiteral("200 entries in the backup are not Tillbrook data files")), qPrintable(top));
    QVERIFY(top.contains(QStringLiteral("note0.txt")));
    QVERIFY(top.contains(QStringLiteral("and 190 more")));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore not completed successfully."));
}

// An entry is looked at by its first bytes before anything is written: a 64 MB entry
// of zeros (4 MB packed to a few KB would do as well) never reaches the disk.
void TestBackup::entryThatIsNoDatabaseIsNeverWritten()
{
    TestDataFile f;
    const QString archive = f.filePath(QStringLiteral("bomb.zip"));
    writeArchive(archive, {{QStringLiteral("test.tillbrook"), QByteArray(64 * 1024 * 1024, '\0')}});
    QVERIFY(QFileInfo(archive).size() < 1024 * 1024);
    const QString target = f.filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(target));
    qint64 largestSeen = 0;
    FakeArchiveHost host;
    host.onProgress = [&] {
        for (const QFileInfo &file : QDir(target).entryInfoList(QDir::Files | QDir::Hidden))
            largestSeen = qMax(largestSeen, file.size());
    };
    QVERIFY(RestoreBackup(f.session, archive, target, host));
    QCOMPARE(largestSeen, qint64(0));
    QVERIFY(filesIn(target).isEmpty());
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QVERIFY(f.notifier.dialogs[0].top.contains(QStringLiteral("is not a Tillbrook data file")));
}

// The full check of the restored file shows as its own step, and Cancel stops it:
// nothing is then replaced and no extracted file is left.
void TestBackup::checkOfTheRestoredFileIsAStepOfItsOwn_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("checked and restored") << false;
    QTest::newRow("cancelled while checking") << true;
}

void TestBackup::checkOfTheRestoredFileIsAStepOfItsOwn()
{
    QFETCH(bool, cancel);
    TestDataFile f;
    const QString archive = backupOfOldNote(f, ThenNew);
    const QByteArray before = readAll(f.path());
    const QStringList filesBefore = filesIn(f.folder());
    f.notifier.dialogAnswers << QStringLiteral("Yes");
    FakeArchiveHost host;
    host.cancelWhenChecking = cancel;
    QCOMPARE(RestoreBackup(f.session, archive, f.folder(), host), !cancel);
    QCOMPARE(host.steps, QStringList{CheckingRestoredFileText});
    QCOMPARE(filesIn(f.folder()), filesBefore);
    if (cancel) {
        QCOMPARE(readAll(f.path()), before);
        QVERIFY(f.notifier.dialogs.isEmpty());
    } else {
        QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete."));
    }
    QVERIFY(f.db().isConnected() || !cancel);
}

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
