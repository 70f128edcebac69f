#include "core/session/datafileops.h"

#include "core/store/lookups.h"
#include "core/base/notices.h"
#include "core/base/texthelpers.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/filelock.h"
#include "core/datafile/leftoverfiles.h"
#include "core/session/passwordhash.h"
#include "core/session/session.h"
#include "core/session/settings.h"
#include "core/datafile/sqlstatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <exception>

namespace {

const QString Defaults = QStringLiteral("defaults");

void warnBar(Session &session, const char *message)
{
    ShowNotice(session.notifier, QString::fromLatin1(message), WarningBar);
}

// Writes the copy beside the target and renames it over the target at the end, so a
// failed copy never leaves a half-written file in place of a good one.
bool replaceWithCopy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = in.read(buffer, sizeof buffer);
        if (got < 0) {
            out.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
        if (out.write(buffer, got) != got) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace

QString CopyFileChecked(const QString &source, const QString &destination, bool overwrite)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("Source file not found.");
    const bool exists = QFileInfo::exists(destination);
    if (exists && !overwrite)
        return QStringLiteral("Cannot overwrite file.");
    QDir().mkpath(QFileInfo(destination).absolutePath());
    const bool copied = exists ? replaceWithCopy(source, destination) : QFile::copy(source, destination);
    if (!copied)
        return QString();
    // An installed template may be read-only; the copy is the user's to write.
    QFile::setPermissions(destination, QFile::permissions(destination) | QFile::ReadOwner | QFile::WriteOwner);
    return QStringLiteral("Copying of %1 done.").arg(destination);
}

bool EnsureDefaultDataFile(const ProgramPaths &paths, QString *copyResult)
{
    const QString target = paths.defaultDataFile();
    if (QFileInfo::exists(target))
        return true;
    const QString result = CopyFileChecked(paths.templateFile(), target, false);
    if (copyResult)
        *copyResult = result;
    return QFileInfo::exists(target);
}

QString DefaultDataFileErrorText(const QString &copyResult)
{
    return QStringLiteral("The application encountered a critical error as the default database could not be "
                          "created, this may also occur if Tillbrook has been modified with a 3rd party patcher.\n"
                          "Try reinstalling Tillbrook or contact %1 please quote the following description in "
                          "your email :\n%2")
        .arg(QLatin1String(MakerSupportEmail), copyResult);
}

QString OpenResultText(OpenResult result)
{
    switch (result) {
    case OpenResult::Opened:
        return {};
    case OpenResult::NoFileName:
        return QStringLiteral("Please specify a filename.");
    case OpenResult::HeldElsewhere:
        return QStringLiteral("File cannot be opened. Try closing it if it is open from another application.");
    case OpenResult::PasswordRefused:
    case OpenResult::PasswordCancelled:
        return QStringLiteral("Password incorrect!");
    case OpenResult::Unusable:
        break;
    }
    return QStringLiteral("File cannot be opened an error has occured.");
}

bool OpenDataFile(Session &session, const QString &path)
{
    return OpenDataFileAsking(session, path, 1) == OpenResult::Opened;
}

OpenResult OpenDataFileAsking(Session &session, const QString &path, int passwordTries)
{
    const auto fail = [&session](OpenResult result) {
        ShowNotice(session.notifier, OpenResultText(result), WarningBar);
        return result;
    };
    if (path.isEmpty())
        return fail(OpenResult::NoFileName);
    TMyDataModule &db = session.MyDataModule;
    const QString previousSource = db.dataSource();
    db.close();
    if (IsFileLocked(path))
        return fail(OpenResult::HeldElsewhere);
    // What a killed backup, restore or compaction of this file left behind goes now,
    // while nobody holds the file.
    RemoveLeftoverWorkFiles(path);
    // On any failure the connection names its earlier file again, so no later statement
    // can reconnect the file that was refused.
    const auto giveUp = [&] {
        db.close();
        db.setDataSource(previousSource);
    };
    try {
        db.open(path);
        const QString stored = GetFilePassword(db);
        for (int attempt = 1; !stored.isEmpty(); ++attempt) {
            const QString typed = session.notifier.promptForPassword();
            if (FilePasswordMatches(stored, typed)) {
                // A password an earlier build stored as typed is kept as a salted
                // digest from its first right answer on.
                if (!IsHashedFilePassword(stored))
                    SetFileSettingText(db, QStringLiteral("Password"), HashFilePassword(typed));
                break;
            }
            const bool cancelled = typed.isNull();
            if (cancelled && passwordTries > 1) {
                giveUp();
                return OpenResult::PasswordCancelled;
            }
            ShowNotice(session.notifier, OpenResultText(OpenResult::PasswordRefused), WarningBar);
            if (cancelled || attempt >= passwordTries) {
                giveUp();
                return cancelled ? OpenResult::PasswordCancelled : OpenResult::PasswordRefused;
            }
        }
        ProgramOptions loaded = session.options;
        loaded.loadFromFile(db);
        session.options = loaded;
    } catch (const TillbrookError &) {
        giveUp();
        return fail(OpenResult::Unusable);
    }
    return OpenResult::Opened;
}

bool CreateDataFile(Session &session, const QString &path, const QString &templateFile)
{
    if (path.isEmpty()) {
        warnBar(session, "Please specify a filename.");
        return false;
    }
    if (QFileInfo::exists(path)) {
        warnBar(session, "File cannot be created as it already exists.");
        return false;
    }
    const QString copied = CopyFileChecked(templateFile, path, false);
    if (!copied.startsWith(QLatin1String("Copying of"))) {
        warnBar(session, "File could not be created");
        return false;
    }
    TMyDataModule &db = session.MyDataModule;
    const QString previousSource = db.dataSource();
    const bool wasConnected = db.isConnected();
    try {
        db.open(path);
    } catch (const TillbrookError &) {
        // The copy is ours and holds nothing yet; the previous file stays in use.
        QFile::remove(path);
        db.setDataSource(previousSource);
        if (wasConnected)
            db.connect();
        throw;
    }
    return true;
}

bool SwitchDataFile(Session &session, const QString &path)
{
    TMyDataModule &db = session.MyDataModule;
    const QString previousFile = session.CurrentDataFile;
    const QString previousSource = db.dataSource();
    session.CurrentDataFile = path;
    if (OpenDataFile(session, path))
        return true;
    session.CurrentDataFile = previousFile;
    db.setDataSource(previousSource);
    if (!previousSource.isEmpty()) {
        try {
            db.connect();
        } catch (const TillbrookError &) {
            // The previous file has gone meanwhile: leave nothing connected and nothing current.
            db.setDataSource(QString());
            session.CurrentDataFile.clear();
        }
    }
    return false;
}

void SaveFileState(Session &session, const QString &accountName)
{
    TMyDataModule &db = session.MyDataModule;
    std::exception_ptr failure;
    // Only the file in use gets its default account; before any file has been opened
    // there is nothing to store it in.
    if (!session.CurrentDataFile.isEmpty() && db.dataSource() == session.CurrentDataFile) {
        try {
            const int id = LookupId(db, QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                                    QStringLiteral("AccountDescription"), accountName);
            SqlStatement(db, QStringLiteral("UPDATE MySettings SET DefaultAccountId = :DefaultAccountId"))
                .bind(QStringLiteral(":DefaultAccountId"), id)
                .exec();
        } catch (...) {
            failure = std::current_exception();
        }
    }
    WriteIniSettingOrWarn(session.notifier, Defaults, QStringLiteral("last_opened_db"), session.CurrentDataFile,
                          session.paths.settingsFolder());
    WriteIniSettingOrWarn(session.notifier, Defaults, QStringLiteral("digits"),
                          QString::number(session.options.DecimalDigits), session.paths.settingsFolder());
    if (failure)
        std::rethrow_exception(failure);
}

void ReadStartupSettings(Session &session)
{
    session.CurrentDataFile = ReadIniSetting(Defaults, QStringLiteral("last_opened_db"), session.paths.settingsFolder());
    session.options.applyDigitsText(ReadIniSetting(Defaults, QStringLiteral("digits"), session.paths.settingsFolder()));
}

void ForgetLastOpenedFile(Session &session)
{
    WriteIniSettingOrWarn(session.notifier, Defaults, QStringLiteral("last_opened_db"), QString(),
                          session.paths.settingsFolder());
}

OpenResult ConnectFallbackFile(Session &session)
{
    TMyDataModule &db = session.MyDataModule;
    if (db.isConnected())
        return OpenResult::Opened;
    const QString path = db.dataSource().isEmpty() ? session.paths.defaultDataFile()
                                                   : db.dataSource();
    // Through the same gate as any other file: its password is asked for and its
    // options are loaded.
    return OpenDataFileAsking(session, path, 1);
}

UpdateCheckAction WeeklyUpdateCheckAction(const QString &lastCheck, int week)
{
    if (!IsNumber(lastCheck))
        return UpdateCheckAction::WriteWeek;
    if (lastCheck.trimmed().toDouble() == week)
        return UpdateCheckAction::Nothing;
    if (week % 2 != 0)
        return UpdateCheckAction::Nothing;
    return UpdateCheckAction::WriteWeekAndCheck;
}

bool RunWeeklyUpdateCheck(Session &session, const QDate &today)
{
    const int week = today.weekNumber();
    const QString lastCheck = ReadIniSetting(Defaults, QStringLiteral("lastcheck"), session.paths.settingsFolder());
    const UpdateCheckAction action = WeeklyUpdateCheckAction(lastCheck, week);
    if (action != UpdateCheckAction::Nothing)
        WriteIniSettingOrWarn(session.notifier, Defaults, QStringLiteral("lastcheck"), QString::number(week),
                              session.paths.settingsFolder());
    return action == UpdateCheckAction::WriteWeekAndCheck;
}

QString UpdaterPath(const QString &programFolder)
{
    const QFileInfo updater(programFolder + QLatin1String(UpdaterFileName));
    return updater.isFile() && updater.isExecutable() ? updater.absoluteFilePath() : QString();
}

bool StartUpdater(const QString &programFolder)
{
    const QString updater = UpdaterPath(programFolder);
    return !updater.isEmpty() && QProcess::startDetached(updater, {}, programFolder);
}
