#include "core/session/commandline.h"

#include "core/base/tillbrook_version.h"

#include <QtTest>

Q_DECLARE_METATYPE(CommandLine::Action)

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parses_data();
    void parses();
    void helpNamesTheFileArgument();
    void versionSaysWhereTheFilesAre();
    void textOnlyStartsAreRecognised_data();
    void textOnlyStartsAreRecognised();
};

void TestCommandLine::parses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Action>("action");
    QTest::addColumn<QString>("file");

    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList() << A::Start << QString();
    QTest::newRow("relative file") << QStringList{"home.tillbrook"} << A::Start << "/work/here/home.tillbrook";
    QTest::newRow("relative file in a sub-folder") << QStringList{"../b/./c.tillbrook"} << A::Start
                                                   << "/work/b/c.tillbrook";
    QTest::newRow("absolute file") << QStringList{"/data/x y.tillbrook"} << A::Start << "/data/x y.tillbrook";
    QTest::newRow("file named like an option after --") << QStringList{"--", "-v.tillbrook"} << A::Start
                                                         << "/work/here/-v.tillbrook";
    QTest::newRow("--help") << QStringList{"--help"} << A::PrintHelp << QString();
    QTest::newRow("-h with a file") << QStringList{"-h", "a.tillbrook"} << A::PrintHelp << QString();
    QTest::newRow("--version") << QStringList{"--version"} << A::PrintVersion << QString();
    QTest::newRow("-v") << QStringList{"-v"} << A::PrintVersion << QString();
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << A::Fail << QString();
    QTest::newRow("two files") << QStringList{"a.tillbrook", "b.tillbrook"} << A::Fail << QString();
}

void TestCommandLine::parses()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);
    const CommandLine command =
        ParseCommandLine(QStringList{QStringLiteral("tillbrook")} + arguments, QStringLiteral("/work/here"));
    QCOMPARE(command.action, action);
    QCOMPARE(command.file, file);
    QCOMPARE(command.error.isEmpty(), action != CommandLine::Action::Fail);
}

void TestCommandLine::helpNamesTheFileArgument()
{
    const QString help = CommandLineHelpText();
    QVERIFY2(help.contains(QStringLiteral("[FILE]")), qPrintable(help));
    QVERIFY(help.contains(QStringLiteral("--version")));
    QVERIFY(help.contains(QStringLiteral("--help")));
}

void TestCommandLine::versionSaysWhereTheFilesAre()
{
    QTemporaryDir dir;
    QFile present(dir.filePath(QLatin1String(TemplateFileName)));
    QVERIFY(present.open(QIODevice::WriteOnly));
    present.close();
    const ProgramPaths paths = ProgramPaths::Portable(dir.path());
    const QStringList lines = VersionText(paths).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QStringLiteral("Tillbrook " TILLBROOK_VERSION_TEXT));
    QCOMPARE(lines[1], QStringLiteral("Template: ") + paths.templateFile());
    QCOMPARE(lines[2], QStringLiteral("Help page: ") + paths.helpFile() + QStringLiteral(" (missing)"));
    QCOMPARE(lines[3], QStringLiteral("Settings: ") + paths.settingsFile());
    QCOMPARE(lines[4], QStringLiteral("Default data file: ") + paths.defaultDataFile());
}

void TestCommandLine::textOnlyStartsAreRecognised_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("text");
    QTest::newRow("nothing") << QStringList() << false;
    QTest::newRow("a file") << QStringList{"a.tillbrook"} << false;
    QTest::newRow("--version") << QStringList{"--version"} << true;
    QTest::newRow("an option after the file") << QStringList{"a.tillbrook", "-h"} << true;
    QTest::newRow("a file after --") << QStringList{"--", "-h"} << false;
    QTest::newRow("standard input's dash") << QStringList{"-"} << false;
}

void TestCommandLine::textOnlyStartsAreRecognised()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, text);
    QCOMPARE(CommandLineWantsText(QStringList{QStringLiteral("tillbrook")} + arguments), text);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
