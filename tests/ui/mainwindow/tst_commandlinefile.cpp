#include "core/datafile/programfolder.h"
#include "core/register/entrylock.h"
#include "core/session/settings.h"
#include "support/fakenotifier.h"
#include "support/scripteddialogs.h"
#include "support/testdatafile.h"
#include "ui/app/singleinstance.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/registerview.h"

#include <QDialog>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A program folder with the template and the default data file; a remembered file and
// another one to name on the command line.
class Fixture
{
public:
    Fixture() : session(notifier, dir.path() + u'/')
    {
        QFile::copy(TemplatePath(), dir.filePath(QLatin1String(TemplateFileName)));
        QFile::copy(TemplatePath(), dir.filePath(QLatin1String(DefaultDataFileName)));
        dialogs.otherwise([](QDialog &dialog) {
            dialog.reject();
            return int(QDialog::Rejected);
        });
        remembered = newFile(QStringLiteral("remembered.tillbrook"));
        named = newFile(QStringLiteral("named one.tillbrook"));
        WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), remembered, dir.path());
    }

    QString newFile(const QString &name) const
    {
        const QString path = dir.filePath(name);
        QFile::copy(TemplatePath(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QString junkFile() const
    {
        const QString path = dir.filePath(QStringLiteral("junk.tillbrook"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(QByteArray("junk").repeated(2000));
        return path;
    }
    static void protect(const QString &path, const QString &password)
    {
        TMyDataModule db;
        db.open(path);
        SetFileSettingText(db, QStringLiteral("Password"), password);
    }

    QTemporaryDir dir;
    FakeNotifier notifier;
    Session session;
    ScriptedDialogs dialogs;
    QString remembered;
    QString named;
};

struct Window
{
    explicit Window(Fixture &f, const QString &startupFile = QString())
        : window(f.session), recent(&window, &TfrmMain::recentFileOpened)
    {
        window.setWaitMilliseconds(0);
        window.setClock([] { return QDate(2024, 3, 13); });
        window.setStartupFile(startupFile);
        window.FormShow();
    }
    TfrmMain window;
    QSignalSpy recent;
};

const QString CannotOpen = QStringLiteral("  File cannot be opened. Please check file and try again.");

} // namespace

class TestCommandLineFile : public QObject
{
    Q_OBJECT

private slots:
    void startOpensTheNamedFile();
    void unusableNamedFileLeavesTheRememberedOne_data();
    void unusableNamedFileLeavesTheRememberedOne();
    void handedFileIsOpened();
    void handedFileIsRefusedWhileEditing();
    void handedFileAsksItsPassword();
    void handedUnusableFileKeepsTheCurrentOne();
    void laterStartWithAFileMakesTheWindowOpenIt();
};

void TestCommandLineFile::startOpensTheNamedFile()
{
    Fixture f;
    Window w(f, f.named);
    QVERIFY(w.window.FirstShowDone());
    QCOMPARE(f.session.CurrentDataFile, f.named);
    QCOMPARE(f.session.MyDataModule.dataSource(), f.named);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tillbrook - ") + f.named);
    QVERIFY(f.notifier.dialogs.isEmpty());
}

void TestCommandLineFile::unusableNamedFileLeavesTheRememberedOne_data()
{
    QTest::addColumn<bool>("missing");
    QTest::newRow("missing") << true;
    QTest::newRow("not a data file") << false;
}

void TestCommandLineFile::unusableNamedFileLeavesTheRememberedOne()
{
    QFETCH(bool, missing);
    Fixture f;
    const QString named = missing ? f.dir.filePath(QStringLiteral("gone.tillbrook")) : f.junkFile();
    Window w(f, named);
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, CannotOpen);
    QVERIFY(w.window.FirstShowDone());
    QCOMPARE(f.session.CurrentDataFile, f.remembered);
    QCOMPARE(f.session.MyDataModule.dataSource(), f.remembered);
    QCOMPARE(QFileInfo::exists(named), !missing);
}

void TestCommandLineFile::handedFileIsOpened()
{
    Fixture f;
    Window w(f);
    QCOMPARE(f.session.CurrentDataFile, f.remembered);
    w.window.OpenHandedFile(f.named);
    QCOMPARE(f.session.CurrentDataFile, f.named);
    QCOMPARE(f.session.MyDataModule.dataSource(), f.named);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Tillbrook - ") + f.named);
    QCOMPARE(w.recent.count(), 1);
    // The state of the file left behind was stored first, as File > Open does.
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), f.dir.path()),
             f.remembered);
}

void TestCommandLineFile::handedFileIsRefusedWhileEditing()
{
    Fixture f;
    Window w(f);
    w.window.registerView()->entryPanel()->tbNewClick();
    QVERIFY(w.window.isEditing());
    w.window.OpenHandedFile(f.named);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  ") + EntryLockMessage::OpenFile);
    QCOMPARE(f.session.CurrentDataFile, f.remembered);
    QVERIFY(w.window.isEditing());
    QCOMPARE(w.recent.count(), 0);
}

void TestCommandLineFile::handedFileAsksItsPassword()
{
    Fixture f;
    Fixture::protect(f.named, QStringLiteral("secret"));
    Window w(f);
    f.notifier.passwordAnswers = {QStringLiteral("wrong")};
    w.window.OpenHandedFile(f.named);
    QCOMPARE(f.notifier.passwordPrompts, 1);
    QCOMPARE(f.session.CurrentDataFile, f.remembered);
    QVERIFY(f.session.MyDataModule.isConnected());

    f.notifier.passwordAnswers = {QStringLiteral("secret")};
    w.window.OpenHandedFile(f.named);
    QCOMPARE(f.session.CurrentDataFile, f.named);
}

void TestCommandLineFile::handedUnusableFileKeepsTheCurrentOne()
{
    Fixture f;
    Window w(f);
    const QString junk = f.junkFile();
    w.window.OpenHandedFile(junk);
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, CannotOpen);
    QCOMPARE(f.session.CurrentDataFile, f.remembered);
    QVERIFY(f.session.MyDataModule.isConnected());
}

void TestCommandLineFile::laterStartWithAFileMakesTheWindowOpenIt()
{
    Fixture f;
    Window w(f);
    const QString key = QStringLiteral("PREVINST:tst_commandlinefile:%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key);
    QVERIFY(first.claim());
    connect(&first, &SingleInstance::openRequested, &w.window, &TfrmMain::OpenHandedFile);

    QProcess later;
    later.start(QStringLiteral(TILLBROOK_INSTANCE_HELPER), {key, f.named});
    QVERIFY(later.waitForFinished(10000));
    QCOMPARE(later.readAllStandardOutput().trimmed(), QByteArray("second"));
    QTRY_COMPARE(f.session.CurrentDataFile, f.named);
}

QTEST_MAIN(TestCommandLineFile)
#include "tst_commandlinefile.moc"
