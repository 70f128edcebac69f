#include "core/datafile/programfolder.h"
#include "core/session/datafileops.h"
#include "core/session/session.h"
#include "core/session/settings.h"
#include "support/fakenotifier.h"
#include "support/testdatafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where a file is expected: beside the executable, in ../share/tillbrook/, in
// TILLBROOK_HOME, or in the user's XDG folders.
enum class Place { Beside, Shared, Home, UserConfig, UserData };

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

Q_DECLARE_METATYPE(Place)

// A tree of prefix/bin (the executable's folder), prefix/share/tillbrook, a home with
// its XDG folders, and a TILLBROOK_HOME folder, all inside one temporary folder.
class TestProgramPaths : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void locatesEachFile_data();
    void locatesEachFile();
    void userFoldersAreMadeWhenMissing();
    void installedStartWritesNothingBesideTheExecutable();
    void portableStartKeepsEverythingInTheProgramFolder();

private:
    QString bin() const { return m_root.path() + QStringLiteral("/usr/bin/"); }
    QString shared() const { return m_root.path() + QStringLiteral("/usr/share/tillbrook/"); }
    QString home() const { return m_root.path() + QStringLiteral("/home/"); }
    QString configHome() const { return m_root.path() + QStringLiteral("/home/config/"); }
    QString dataHome() const { return m_root.path() + QStringLiteral("/home/data/"); }
    QString tillbrookHome() const { return m_root.path() + QStringLiteral("/portable/"); }
    QString folderOf(Place place) const;
    // bin/ with the read-only files in share/, as the package installs them.
    void installTree();

    QTemporaryDir m_root;
};

void TestProgramPaths::init()
{
    QVERIFY(m_root.isValid());
    QDir().mkpath(bin());
    QDir().mkpath(shared());
    qputenv("HOME", home().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    qunsetenv("TILLBROOK_HOME");
}

void TestProgramPaths::cleanup()
{
    qunsetenv("TILLBROOK_HOME");
    QDir(m_root.path()).removeRecursively();
    QDir().mkpath(m_root.path());
}

QString TestProgramPaths::folderOf(Place place) const
{
    switch (place) {
    case Place::Beside:
        return bin();
    case Place::Shared:
        return shared();
    case Place::Home:
        return tillbrookHome();
    case Place::UserConfig:
        return configHome() + QStringLiteral("Tillbrook/");
    case Place::UserData:
        return dataHome() + QStringLiteral("Tillbrook/");
    }
    return QString();
}

void TestProgramPaths::installTree()
{
    QVERIFY(QFile::copy(TemplatePath(), shared() + QLatin1String(TemplateFileName)));
    touch(shared() + QLatin1String(HelpFileName));
}

void TestProgramPaths::locatesEachFile_data()
{
    QTest::addColumn<QStringList>("besideExecutable");
    QTest::addColumn<QStringList>("inShare");
    QTest::addColumn<bool>("homeSet");
    QTest::addColumn<bool>("portable");
    QTest::addColumn<Place>("templatePlace");
    QTest::addColumn<Place>("helpPlace");
    QTest::addColumn<Place>("settingsPlace");
    QTest::addColumn<Place>("dataPlace");

    const QString tmpl = QLatin1String(TemplateFileName);
    const QString help = QLatin1String(HelpFileName);
    const QString ini = QLatin1String(SettingsFileName);
    QTest::newRow("build tree: all beside the executable")
        << QStringList{tmpl, help} << QStringList() << false << true
        << Place::Beside << Place::Beside << Place::Beside << Place::Beside;
    QTest::newRow("installed tree")
        << QStringList() << QStringList{tmpl, help} << false << false
        << Place::Shared << Place::Shared << Place::UserConfig << Place::UserData;
    QTest::newRow("installed tree, Settings.ini beside the executable")
        << QStringList{ini} << QStringList{tmpl, help} << false << true
        << Place::Shared << Place::Shared << Place::Beside << Place::Beside;
    QTest::newRow("help beside, template shared")
        << QStringList{help} << QStringList{tmpl} << false << false
        << Place::Shared << Place::Beside << Place::UserConfig << Place::UserData;
    QTest::newRow("both beside and shared: beside wins")
        << QStringList{tmpl, help} << QStringList{tmpl, help} << false << true
        << Place::Beside << Place::Beside << Place::Beside << Place::Beside;
    QTest::newRow("nothing anywhere: named beside the executable")
        << QStringList() << QStringList() << false << true
        << Place::Beside << Place::Beside << Place::Beside << Place::Beside;
    QTest::newRow("TILLBROOK_HOME over an installed tree")
        << QStringList() << QStringList{tmpl, help} << true << true
        << Place::Home << Place::Home << Place::Home << Place::Home;
}

void TestProgramPaths::locatesEachFile()
{
    QFETCH(QStringList, besideExecutable);
    QFETCH(QStringList, inShare);
    QFETCH(bool, homeSet);
    QFETCH(bool, portable);
    QFETCH(Place, templatePlace);
    QFETCH(Place, helpPlace);
    QFETCH(Place, settingsPlace);
    QFETCH(Place, dataPlace);

    for (const QString &name : besideExecutable)
        touch(bin() + name);
    for (const QString &name : inShare)
        touch(shared() + name);
    if (homeSet)
        qputenv("TILLBROOK_HOME", tillbrookHome().toLocal8Bit());

    // The executable's folder as Qt gives it: no trailing separator.
    const ProgramPaths paths = ProgramPaths::Locate(m_root.path() + QStringLiteral("/usr/bin"));
    QCOMPARE(paths.isPortable(), portable);
    QCOMPARE(paths.programFolder(), homeSet ? tillbrookHome() : bin());
    QCOMPARE(paths.templateFile(), folderOf(templatePlace) + QLatin1String(TemplateFileName));
    QCOMPARE(paths.helpFile(), folderOf(helpPlace) + QLatin1String(HelpFileName));
    QCOMPARE(paths.settingsFolder(), folderOf(settingsPlace));
    QCOMPARE(paths.settingsFile(), folderOf(settingsPlace) + QLatin1String(SettingsFileName));
    QCOMPARE(paths.dataFolder(), folderOf(dataPlace));
    QCOMPARE(paths.defaultDataFile(), folderOf(dataPlace) + QLatin1String(DefaultDataFileName));
}

void TestProgramPaths::userFoldersAreMadeWhenMissing()
{
    installTree();
    const ProgramPaths paths = ProgramPaths::Locate(bin());
    QVERIFY(!paths.isPortable());
    QVERIFY(!QFileInfo::exists(paths.settingsFolder()));
    QVERIFY(paths.makeWritableFolders());
    QVERIFY(QFileInfo(paths.settingsFolder()).isDir());
    QVERIFY(QFileInfo(paths.dataFolder()).isDir());
    // The recent-files list keeps its place beside Settings.ini.
    QCOMPARE(UserConfigFolder(), paths.settingsFolder());
    QCOMPARE(UserDataFolder(), paths.dataFolder());
}

void TestProgramPaths::installedStartWritesNothingBesideTheExecutable()
{
    installTree();
    touch(bin() + QStringLiteral("tillbrook"));
    const ProgramPaths paths = ProgramPaths::Locate(bin());
    QVERIFY(paths.makeWritableFolders());
    QString copyResult;
    QVERIFY2(EnsureDefaultDataFile(paths, &copyResult), qPrintable(copyResult));

    FakeNotifier notifier;
    Session session(notifier, paths);
    QCOMPARE(ConnectFallbackFile(session), OpenResult::Opened);
    QCOMPARE(session.MyDataModule.dataSource(), dataHome() + QStringLiteral("Tillbrook/default.tillbrook"));
    session.CurrentDataFile = session.MyDataModule.dataSource();
    SaveFileState(session, QString());
    session.MyDataModule.close();

    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"),
                            configHome() + QStringLiteral("Tillbrook")),
             session.CurrentDataFile);
    QCOMPARE(QDir(bin()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("tillbrook")});
    QCOMPARE(QDir(shared()).entryList(QDir::Files).size(), 2);
    QVERIFY(notifier.messageBoxes.isEmpty());
}

void TestProgramPaths::portableStartKeepsEverythingInTheProgramFolder()
{
    QVERIFY(QFile::copy(TemplatePath(), bin() + QLatin1String(TemplateFileName)));
    const ProgramPaths paths = ProgramPaths::Locate(bin());
    QVERIFY(paths.isPortable());
    QVERIFY(paths.makeWritableFolders());
    QVERIFY(EnsureDefaultDataFile(paths));

    FakeNotifier notifier;
    Session session(notifier, paths);
    session.CurrentDataFile = paths.defaultDataFile();
    SaveFileState(session, QString());

    QVERIFY(QFileInfo::exists(bin() + QLatin1String(DefaultDataFileName)));
    QVERIFY(QFileInfo::exists(bin() + QLatin1String(SettingsFileName)));
    QVERIFY(!QFileInfo::exists(configHome() + QStringLiteral("Tillbrook/") + QLatin1String(SettingsFileName)));
    QVERIFY(!QFileInfo::exists(dataHome()));
}

QTEST_GUILESS_MAIN(TestProgramPaths)
#include "tst_programpaths.moc"
