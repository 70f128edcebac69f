#include "core/base/tillbrookerror.h"
#include "core/session/datafileops.h"
#include "core/session/passwordhash.h"
#include "core/datafile/filelock.h"
#include "core/session/settings.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A statement works on the connection and reads the file it names.
QString readPassword(TMyDataModule &db)
{
    return GetFilePassword(db);
}

// Sets a column of a data file that is not the test's open one.
void setFileColumn(const QString &path, const QString &column, const QVariant &value)
{
    TMyDataModule other;
    other.open(path);
    SqlStatement(other, QStringLiteral("UPDATE MySettings SET %1 = :v").arg(column))
        .bind(QStringLiteral(":v"), value)
        .exec();
}

} // namespace

class TestDataFileOps : public QObject
{
    Q_OBJECT
private slots:
    void copyFileCheckedResults();
    void defaultDataFileIsMadeFromTheTemplate();
    void missingTemplateEndsInSourceFileNotFound();

    void passwordGate_data();
    void passwordGate();
    void passwordTries_data();
    void passwordTries();
    void defaultDigitsOfTheOpenedFile_data();
    void defaultDigitsOfTheOpenedFile();
    void onlyCapitalNSwitchesAnOptionOff();
    void emptyPathChangesNothing();
    void unusableFileIsRefusedAndNeverConnectedLater();
    void fileHeldByAnotherProcessIsRefused();
    void fileHeldHereIsLockedForAnotherProcess();

    void createDataFileRefusals();
    void createDataFileConnectsTheNewFile();
    void failedSwitchKeepsThePreviousFileWorking();

    void saveFileStateStoresAccountAndSettings();
    void saveFileStateBeforeAnyFileWritesOnlySettings();
    void startupSettings();

    void updateCheckRule_data();
    void updateCheckRule();
    void updateCheckWritesTheWeek();
    void updaterStartsOnlyWhenItIsAnExecutable();
};

void TestDataFileOps::copyFileCheckedResults()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.bin"));
    writeFile(source, "new content");
    const QString target = dir.filePath(QStringLiteral("sub/folder/target.bin"));

    QCOMPARE(CopyFileChecked(dir.filePath(QStringLiteral("nothing")), target, false),
             QStringLiteral("Source file not found."));
    QVERIFY(!QFile::exists(target));

    QCOMPARE(CopyFileChecked(source, target, false), QStringLiteral("Copying of %1 done.").arg(target));
    QCOMPARE(readAll(target), QByteArray("new content"));

    writeFile(target, "old content");
    QCOMPARE(CopyFileChecked(source, target, false), QStringLiteral("Cannot overwrite file."));
    QCOMPARE(readAll(target), QByteArray("old content"));

    QCOMPARE(CopyFileChecked(source, target, true), QStringLiteral("Copying of %1 done.").arg(target));
    QCOMPARE(readAll(target), QByteArray("new content"));
}

void TestDataFileOps::defaultDataFileIsMadeFromTheTemplate()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QVERIFY(QFile::copy(TemplatePath(), folder + QLatin1String(TemplateFileName)));
    QString result;
    QVERIFY(EnsureDefaultDataFile(ProgramPaths::Portable(folder), &result));
    QCOMPARE(result, QStringLiteral("Copying of %1default.tillbrook done.").arg(folder));

    // An existing default file is the user's data: never copied over.
    TMyDataModule db;
    db.open(folder + QLatin1String(DefaultDataFileName));
    SqlStatement(db, QStringLiteral("INSERT INTO tbPayee (PayeeName) VALUES ('Kept')")).exec();
    db.close();
    result.clear();
    QVERIFY(EnsureDefaultDataFile(ProgramPaths::Portable(folder), &result));
    QVERIFY(result.isEmpty());
    db.open(folder + QLatin1String(DefaultDataFileName));
    SqlStatement q(db, QStringLiteral("SELECT COUNT(*) FROM tbPayee WHERE PayeeName = 'Kept'"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestDataFileOps::missingTemplateEndsInSourceFileNotFound()
{
    QTemporaryDir dir;
    QString result;
    QVERIFY(!EnsureDefaultDataFile(ProgramPaths::Portable(dir.path()), &result));
    const QString text = DefaultDataFileErrorText(result);
    QVERIFY(text.startsWith(QLatin1String("The application encountered a critical error")));
    QVERIFY(text.contains(QLatin1String(MakerSupportEmail)));
    QVERIFY2(text.endsWith(QLatin1String("\nSource file not found.")), qPrintable(text));
}

void TestDataFileOps::passwordGate_data()
{
    QTest::addColumn<QStringList>("answers"); // empty: the dialog was cancelled
    QTest::addColumn<bool>("opens");
    QTest::newRow("right") << QStringList{QStringLiteral("Secret")} << true;
    QTest::newRow("wrong") << QStringList{QStringLiteral("guess")} << false;
    QTest::newRow("case differs") << QStringList{QStringLiteral("secret")} << false;
    QTest::newRow("cancelled") << QStringList{} << false;
}

// Asked up to three times, as at start-up: each wrong answer says so and asks again;
// a cancel ends the asking at once and says nothing more.
void TestDataFileOps::passwordTries_data()
{
    QTest::addColumn<QStringList>("answers"); // a null entry is a cancelled prompt
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("prompts");
    QTest::addColumn<int>("wrongBars");
    const QString cancel;
    QTest::newRow("right at once") << QStringList{QStringLiteral("Secret")} << int(OpenResult::Opened) << 1 << 0;
    QTest::newRow("right at the third") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("Secret")}
                                        << int(OpenResult::Opened) << 3 << 2;
    QTest::newRow("three wrong") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                                                QStringLiteral("Secret")}
                                 << int(OpenResult::PasswordRefused) << 3 << 3;
    QTest::newRow("cancel at the second") << QStringList{QStringLiteral("a"), cancel} << int(OpenResult::PasswordCancelled)
                                          << 2 << 1;
    QTest::newRow("an empty password is a wrong one") << QStringList{QStringLiteral(""), QStringLiteral("Secret")}
                                                      << int(OpenResult::Opened) << 2 << 1;
}

void TestDataFileOps::passwordTries()
{
    QFETCH(QStringList, answers);
    QFETCH(int, result);
    QFETCH(int, prompts);
    QFETCH(int, wrongBars);
    TestDataFile f;
    const QString locked = f.copyTemplate(QStringLiteral("locked.tillbrook"));
    setFileColumn(locked, QStringLiteral("Password"), QStringLiteral("Secret"));
    f.notifier.passwordAnswers = answers;
    QCOMPARE(int(OpenDataFileAsking(f.session, locked, 3)), result);
    QCOMPARE(f.notifier.passwordPrompts, prompts);
    QCOMPARE(std::count_if(f.notifier.bars.cbegin(), f.notifier.bars.cend(),
                           [](const FakeNotifier::Bar &bar) { return bar.text == QLatin1String("  Password incorrect!"); }),
             wrongBars);
    QCOMPARE(f.db().isConnected(), result == int(OpenResult::Opened));
}

void TestDataFileOps::passwordGate()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, opens);
    TestDataFile f;
    const QString locked = f.copyTemplate(QStringLiteral("locked.tillbrook"));
    setFileColumn(locked, QStringLiteral("Password"), QStringLiteral("Secret"));
    setFileColumn(locked, QStringLiteral("DefaultDigits"), 5);
    f.session.options.setDecimalDigits(3);
    f.notifier.passwordAnswers = answers;

    QCOMPARE(OpenDataFile(f.session, locked), opens);
    QCOMPARE(f.notifier.passwordPrompts, 1);
    QCOMPARE(f.db().isConnected(), opens);
    if (opens) {
        QCOMPARE(f.session.options.DecimalDigits, 5);
        QVERIFY(f.notifier.bars.isEmpty());
        // Stored as typed by an earlier build: a salted digest from this opening on.
        const QString stored = readPassword(f.db());
        QVERIFY2(IsHashedFilePassword(stored), qPrintable(stored));
        QVERIFY(FilePasswordMatches(stored, QStringLiteral("Secret")));
    } else {
        QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password incorrect!"));
        QCOMPARE(f.session.options.DecimalDigits, 3);
        QCOMPARE(f.session.options.AmountFormat, QStringLiteral("0.000"));
        // The refused file is not what a later statement would reconnect.
        QVERIFY(f.db().dataSource() != locked);
    }
}

void TestDataFileOps::defaultDigitsOfTheOpenedFile_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("format");
    QTest::newRow("zero") << QVariant(0) << 0 << QStringLiteral("0.");
    QTest::newRow("four") << QVariant(4) << 4 << QStringLiteral("0.0000");
    QTest::newRow("not a number") << QVariant(QStringLiteral("two")) << 3 << QStringLiteral("0.000");
    QTest::newRow("null") << QVariant() << 3 << QStringLiteral("0.000");
}

void TestDataFileOps::defaultDigitsOfTheOpenedFile()
{
    QFETCH(QVariant, stored);
    QFETCH(int, digits);
    QFETCH(QString, format);
    TestDataFile f;
    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    setFileColumn(other, QStringLiteral("DefaultDigits"), stored);
    f.session.options.setDecimalDigits(3);
    QVERIFY(OpenDataFile(f.session, other));
    QCOMPARE(f.session.options.DecimalDigits, digits);
    QCOMPARE(f.session.options.AmountFormat, format);
}

void TestDataFileOps::onlyCapitalNSwitchesAnOptionOff()
{
    TestDataFile f;
    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    setFileColumn(other, QStringLiteral("AutoBackup"), QStringLiteral("n"));
    setFileColumn(other, QStringLiteral("AutoTransaction"), QStringLiteral("N"));
    QVERIFY(OpenDataFile(f.session, other));
    QVERIFY(f.session.options.AutoBackupOn);
    QVERIFY(!f.session.options.AutoTransactionOn);
}

void TestDataFileOps::emptyPathChangesNothing()
{
    TestDataFile f;
    QVERIFY(!OpenDataFile(f.session, QString()));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Please specify a filename."));
    QVERIFY(f.db().isConnected());
    QCOMPARE(f.db().dataSource(), f.path());
}

void TestDataFileOps::unusableFileIsRefusedAndNeverConnectedLater()
{
    TestDataFile f;
    const QString junk = f.filePath(QStringLiteral("junk.tillbrook"));
    writeFile(junk, QByteArray("not a database\n").repeated(100));
    QVERIFY(!OpenDataFile(f.session, junk));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File cannot be opened an error has occured."));
    QVERIFY(!f.db().isConnected());
    // A statement now reconnects the earlier file, not the refused one.
    QCOMPARE(readPassword(f.db()), QString());
    QCOMPARE(f.db().dataSource(), f.path());
}

void TestDataFileOps::fileHeldByAnotherProcessIsRefused()
{
    TestDataFile f;
    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    QProcess holder;
    holder.start(QStringLiteral(TILLBROOK_DATAFILE_HELPER), {QStringLiteral("hold"), other});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("ready"));

    QVERIFY(IsFileLocked(other));
    QVERIFY(!OpenDataFile(f.session, other));
    QCOMPARE(f.notifier.lastBar(),
             QStringLiteral("  File cannot be opened. Try closing it if it is open from another application."));

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(holder.exitCode(), 0);
    QVERIFY(!IsFileLocked(other));
    QVERIFY(OpenDataFile(f.session, other));
}

void TestDataFileOps::fileHeldHereIsLockedForAnotherProcess()
{
    TestDataFile f;
    auto probe = [&f] {
        QProcess p;
        p.start(QStringLiteral(TILLBROOK_DATAFILE_HELPER), {QStringLiteral("probe"), f.path()});
        p.waitForFinished(10000);
        return p.readAllStandardOutput().trimmed();
    };
    QCOMPARE(probe(), QByteArray("locked"));
    f.db().close();
    QCOMPARE(probe(), QByteArray("free"));
    // A statement reconnects, and with it the lock comes back.
    readPassword(f.db());
    QCOMPARE(probe(), QByteArray("locked"));
}

void TestDataFileOps::createDataFileRefusals()
{
    TestDataFile f;
    const QString existing = f.copyTemplate(QStringLiteral("existing.tillbrook"));
    QVERIFY(!CreateDataFile(f.session, existing, f.session.paths.templateFile()));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File cannot be created as it already exists."));

    QVERIFY(!CreateDataFile(f.session, QString(), f.session.paths.templateFile()));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Please specify a filename."));

    // f.folder() holds no orvanedb.data.
    const QString fresh = f.filePath(QStringLiteral("fresh.tillbrook"));
    QVERIFY(!CreateDataFile(f.session, fresh, f.session.paths.templateFile()));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File could not be created"));
    QVERIFY(!QFile::exists(fresh));

    QVERIFY(f.db().isConnected());
    QCOMPARE(f.db().dataSource(), f.path());
}

void TestDataFileOps::createDataFileConnectsTheNewFile()
{
    TestDataFile f;
    f.copyTemplate(QLatin1String(TemplateFileName));
    const QString fresh = f.filePath(QStringLiteral("new/fresh.tillbrook"));
    QVERIFY(CreateDataFile(f.session, fresh, f.session.paths.templateFile()));
    QVERIFY(f.db().isConnected());
    QCOMPARE(f.db().dataSource(), fresh);
    QVERIFY(IsFileLocked(f.path()) == false);
    SqlStatement(f.db(), QStringLiteral("INSERT INTO tbPayee (PayeeName) VALUES ('Writable')")).exec();
}

void TestDataFileOps::failedSwitchKeepsThePreviousFileWorking()
{
    TestDataFile f;
    f.exec(QStringLiteral("UPDATE MySettings SET Password = 'mine'"));
    const QString junk = f.filePath(QStringLiteral("junk.tillbrook"));
    writeFile(junk, "garbage");
    QVERIFY(!SwitchDataFile(f.session, junk));
    QCOMPARE(f.session.CurrentDataFile, f.path());
    QVERIFY(f.db().isConnected());
    QCOMPARE(readPassword(f.db()), QStringLiteral("mine"));
    // Reconnecting the file already in use does not ask for its password again.
    QCOMPARE(f.notifier.passwordPrompts, 0);

    const QString other = f.copyTemplate(QStringLiteral("other.tillbrook"));
    QVERIFY(SwitchDataFile(f.session, other));
    QCOMPARE(f.session.CurrentDataFile, other);
    QCOMPARE(f.db().dataSource(), other);
}

void TestDataFileOps::saveFileStateStoresAccountAndSettings()
{
    TestDataFile f;
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, CurrencyID, Type) VALUES ('Wallet', 1, 'Cash')"));
    f.session.options.setDecimalDigits(3);
    SaveFileState(f.session, QStringLiteral("Wallet"));
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("DefaultAccountId")), QStringLiteral("1"));
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), f.folder()), f.path());
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), f.folder()), QStringLiteral("3"));

    SaveFileState(f.session, QString());
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("DefaultAccountId")), QStringLiteral("-1"));
}

void TestDataFileOps::saveFileStateBeforeAnyFileWritesOnlySettings()
{
    QTemporaryDir dir;
    FakeNotifier notifier;
    Session session(notifier, dir.path() + u'/');
    SaveFileState(session, QStringLiteral("Wallet"));
    QVERIFY(!session.MyDataModule.isConnected());
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), session.paths.settingsFolder()),
             QStringLiteral("2"));
    QVERIFY(notifier.dialogs.isEmpty());
}

void TestDataFileOps::startupSettings()
{
    QTemporaryDir dir;
    FakeNotifier notifier;
    Session session(notifier, dir.path() + u'/');
    WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), QStringLiteral("/x/y.tillbrook"),
                    session.paths.settingsFolder());
    WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), QStringLiteral("0"), session.paths.settingsFolder());
    ReadStartupSettings(session);
    QCOMPARE(session.CurrentDataFile, QStringLiteral("/x/y.tillbrook"));
    QCOMPARE(session.options.AmountFormat, QStringLiteral("0."));

    ForgetLastOpenedFile(session);
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), session.paths.settingsFolder()),
             QString());

    // Nothing opened: the fallback is default.tillbrook in the program folder.
    QCOMPARE(ConnectFallbackFile(session), OpenResult::Unusable);
    QCOMPARE(notifier.lastBar(), QStringLiteral("  File cannot be opened an error has occured."));
    QVERIFY(QFile::copy(TemplatePath(), session.paths.defaultDataFile()));
    QCOMPARE(ConnectFallbackFile(session), OpenResult::Opened);
    QCOMPARE(session.MyDataModule.dataSource(), session.paths.defaultDataFile());
}

void TestDataFileOps::updateCheckRule_data()
{
    QTest::addColumn<QString>("lastCheck");
    QTest::addColumn<int>("week");
    QTest::addColumn<int>("action");
    const int nothing = int(UpdateCheckAction::Nothing);
    const int write = int(UpdateCheckAction::WriteWeek);
    const int check = int(UpdateCheckAction::WriteWeekAndCheck);
    QTest::newRow("empty") << QString() << 12 << write;
    QTest::newRow("not a number") << QStringLiteral("soon") << 12 << write;
    QTest::newRow("same week") << QStringLiteral("12") << 12 << nothing;
    QTest::newRow("odd week") << QStringLiteral("10") << 11 << nothing;
    QTest::newRow("even week") << QStringLiteral("10") << 12 << check;
    QTest::newRow("new year, week 2") << QStringLiteral("52") << 2 << check;
}

void TestDataFileOps::updateCheckRule()
{
    QFETCH(QString, lastCheck);
    QFETCH(int, week);
    QFETCH(int, action);
    QCOMPARE(int(WeeklyUpdateCheckAction(lastCheck, week)), action);
}

void TestDataFileOps::updateCheckWritesTheWeek()
{
    QTemporaryDir dir;
    FakeNotifier notifier;
    Session session(notifier, dir.path() + u'/');
    auto lastCheck = [&] { return ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("lastcheck"), session.paths.settingsFolder()); };
    const QDate week11(2024, 3, 11), week12(2024, 3, 18);
    QCOMPARE(week11.weekNumber(), 11);
    QCOMPARE(week12.weekNumber(), 12);

    QVERIFY(!RunWeeklyUpdateCheck(session, week11));
    QCOMPARE(lastCheck(), QStringLiteral("11"));
    QVERIFY(!RunWeeklyUpdateCheck(session, week11));
    QVERIFY(RunWeeklyUpdateCheck(session, week12));
    QCOMPARE(lastCheck(), QStringLiteral("12"));
    QVERIFY(!RunWeeklyUpdateCheck(session, week12));
}

void TestDataFileOps::updaterStartsOnlyWhenItIsAnExecutable()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QVERIFY(UpdaterPath(folder).isEmpty());
    QVERIFY(!StartUpdater(folder));

    const QString updater = folder + QLatin1String(UpdaterFileName);
    const QString marker = folder + QStringLiteral("started");
    writeFile(updater, QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    QVERIFY(UpdaterPath(folder).isEmpty());

    QFile::setPermissions(updater, QFile::permissions(updater) | QFile::ExeOwner);
    QCOMPARE(UpdaterPath(folder), updater);
    QVERIFY(StartUpdater(folder));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
}

QTEST_GUILESS_MAIN(TestDataFileOps)
#include "tst_datafileops.moc"
