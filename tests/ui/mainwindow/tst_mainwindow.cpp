#include "ui/accounts/currencyedit.h"
#include "ui/accounts/currencyitemedit.h"
#include "support/scripteddialogs.h"
#include "core/session/datafileops.h"
#include "core/maintenance/backup.h"
#include "core/session/recentfiles.h"
#include "core/datafile/programfolder.h"
#include "core/session/settings.h"
#include "core/datafile/sqlstatement.h"
#include "support/fakenotifier.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/register/finddialog.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registertoolbar.h"
#include "ui/register/registergrid.h"
#include "ui/register/registerview.h"
#include "ui/widgets/recentfilesmenu.h"
#include "support/testdatafile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

using Answer = ScriptedDialogs::Answer;

Answer choosePath(const QString &path)
{
    return [path](QDialog &dialog) {
        auto *files = qobject_cast<QFileDialog *>(&dialog);
        if (!files)
            return int(QDialog::Rejected);
        files->selectFile(path);
        return int(QDialog::Accepted);
    };
}

Answer closeBox()
{
    return [](QDialog &dialog) {
        dialog.reject();
        return int(QDialog::Rejected);
    };
}

Answer clickButton(const char *name)
{
    return [name](QDialog &dialog) {
        auto *button = dialog.findChild<QAbstractButton *>(QLatin1String(name));
        if (!button)
            return int(QDialog::Rejected);
        button->click();
        return dialog.result();
    };
}

// A program folder with the template and the default data file, and a main window on it.
class Fixture
{
public:
    Fixture()
        : session(notifier, dir.path() + u'/')
    {
        QFile::copy(TemplatePath(), folder() + QLatin1String(TemplateFileName));
        QFile::copy(TemplatePath(), folder() + QLatin1String(DefaultDataFileName));
        dialogs.otherwise(closeBox());
    }

    QString folder() const { return dir.path() + u'/'; }
    QString newFile(const QString &name) const
    {
        const QString path = dir.filePath(name);
        QFile::copy(TemplatePath(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    QString setting(const char *key) const
    {
        return ReadIniSetting(QStringLiteral("defaults"), QLatin1String(key), folder());
    }
    void setLastOpened(const QString &path)
    {
        WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), path, folder());
    }

    QTemporaryDir dir;
    FakeNotifier notifier;
    Session session;
    // Dialogs without a scripted answer are closed with the close box.
    ScriptedDialogs dialogs;
    QList<Answer> &answers = dialogs.answers;
    QStringList &shownDialogs = dialogs.opened;
};

template<typename Window = TfrmMain>
struct Started
{
    explicit Started(Fixture &f)
        : window(f.session), ended(&window, &TfrmMain::programEnded), recent(&window, &TfrmMain::recentFileOpened)
    {
        window.setWaitMilliseconds(0);
        window.setClock([] { return QDate(2024, 3, 13); }); // week 11
        window.FormShow();
    }
    Window window;
    QSignalSpy ended;
    QSignalSpy recent;
};

QString passwordOf(TMyDataModule &db)
{
    return GetFilePassword(db);
}

void protect(const QString &path, const QString &password)
{
    TMyDataModule db;
    db.open(path);
    SetFileSettingText(db, QStringLiteral("Password"), password);
}

// Adds accounts in the base currency to a data file; the first becomes its default account.
void addAccounts(const QString &path, const QStringList &names)
{
    TMyDataModule db;
    db.open(path);
    for (const QString &name : names)
        SqlStatement(db, QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type)"
                                        " VALUES (:name, 'Bank', 1, 'Bank')"))
            .bind(QStringLiteral(":name"), name)
            .exec();
    SqlStatement(db, QStringLiteral("UPDATE MySettings SET DefaultAccountId=(SELECT Min(AccountId) FROM tbAccount)"))
        .exec();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // The file dialogs start in (and create) a folder of the user's documents, which
        // test mode does not redirect: this run gets a home of its own.
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
    }

    void firstStartClosingTheDialogTakesTheCreatePath();
    void cancelledCreateAtStartWorksOnTheDefaultFile();
    void startupEndings_data();
    void startupEndings();
    void fallbackToTheDefaultFile_data();
    void fallbackToTheDefaultFile();
    void wrongPasswordAtStartForgetsTheFile_data();
    void wrongPasswordAtStartForgetsTheFile();
    void lastFileReopensWithItsDigits();
    void failedOpenFromTheMenuKeepsThePreviousFile();
    void fileDialogsStartInTheDocumentsFolder();
    void recentFileClickOpensAndDropsTheEntry();
    void recentFilesFollowOpensAndClicks();
    void placementIsStoredAtExitAndRestored();
    void placementThatCannotBeStoredDoesNotStopTheExit();
    void editingRefusesExitOpenAndCreate();
    void closeBoxRunsTheExitSequence();
    void evenWeekStartsTheUpdater();
    void menuBarOrderAndShortcuts();
    void newFromTheMenuLocksTheWindowUntilCancel();
    void currencyListKeepsTheShownAccount();
    void altSSavesWhileEnteringDespiteTheSetupMenu();
    void automaticBackupsFollowTheOption_data();
    void automaticBackupsFollowTheOption();
    void noAutomaticArchiveToRestore_data();
    void noAutomaticArchiveToRestore();
    void restoreTheStartupBackup();
    void openRefusesAFileThatFailsTheCheck();
    void programOptionsWhileEditingAreRefused();
    void findSearchesTheRegisterGrid();
    void reportItemsOpenTheirWindows_data();
    void reportItemsOpenTheirWindows();

private:
    QTemporaryDir m_home;
};

void TestMainWindow::firstStartClosingTheDialogTakesTheCreatePath()
{
    Fixture f;
    const QString path = f.dir.filePath(QStringLiteral("mine.tillbrook"));
    f.answers = {closeBox(), choosePath(path)};
    Started s(f);
    QCOMPARE(f.shownDialogs, (QStringList{QStringLiteral("TfrmFileNotFound"), QStringLiteral("CreateOrvaneDB"),
                                          QStringLiteral("TfrmWizard")}));
    QVERIFY(s.window.FirstShowDone());
    QVERIFY(!s.window.isEnding());
    QCOMPARE(f.session.CurrentDataFile, path);
    QCOMPARE(f.session.MyDataModule.dataSource(), path);
    QVERIFY(f.session.MyDataModule.isConnected());
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + path);
    QCOMPARE(s.recent.count(), 1);
    QCOMPARE(f.setting("lastcheck"), QStringLiteral("11"));
}

void TestMainWindow::cancelledCreateAtStartWorksOnTheDefaultFile()
{
    Fixture f;
    f.answers = {closeBox(), closeBox()};
    Started s(f);
    QVERIFY(s.window.FirstShowDone());
    QCOMPARE(f.session.MyDataModule.dataSource(), f.folder() + QLatin1String(DefaultDataFileName));
    QVERIFY(f.session.MyDataModule.isConnected());
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook"));
}

void TestMainWindow::startupEndings_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("removeTemplate");
    QTest::addColumn<QString>("message");
    QTest::newRow("exit") << QList<Answer>{clickButton("btnExit")} << false << QString();
    QTest::newRow("open cancelled") << QList<Answer>{clickButton("btnOpen"), closeBox()} << false
                                    << QStringLiteral("You need to create/open a filename. Tillbrook will now exit");
    QTest::newRow("create without template")
        << QList<Answer>{clickButton("btnNew")} << true
        << QStringLiteral("A problem has occured, files could not be created. Please notify support.");
}

void TestMainWindow::startupEndings()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, removeTemplate);
    QFETCH(QString, message);
    Fixture f;
    if (removeTemplate)
        QFile::remove(f.folder() + QLatin1String(TemplateFileName));
    f.answers = answers;
    Started s(f);
    QVERIFY(s.window.isEnding());
    QCOMPARE(s.ended.count(), 1);
    QVERIFY(!s.window.FirstShowDone());
    QVERIFY(!f.session.MyDataModule.isConnected());
    QCOMPARE(f.notifier.messageBoxes, message.isEmpty() ? QStringList() : QStringList{message});
    // Nothing is saved on the way out of a failed start.
    QVERIFY(f.setting("digits").isEmpty());
}

// The create path cancelled leaves only the default data file. It goes through the
// same gate as any file: a password is asked for, and a file that cannot be used
// ends the start as any failed open at start-up does.
void TestMainWindow::fallbackToTheDefaultFile_data()
{
    QTest::addColumn<bool>("broken");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("bar");
    QTest::newRow("no data file") << true << QString() << QStringList() << "  File cannot be opened an error has occured.";
    QTest::newRow("wrong password") << false << "secret" << QStringList{QStringLiteral("guess")} << "  Password incorrect!";
    QTest::newRow("right password") << false << "secret" << QStringList{QStringLiteral("secret")} << QString();
}

void TestMainWindow::fallbackToTheDefaultFile()
{
    QFETCH(bool, broken);
    QFETCH(QString, password);
    QFETCH(QStringList, answers);
    QFETCH(QString, bar);
    Fixture f;
    const QString defaultFile = f.folder() + QLatin1String(DefaultDataFileName);
    if (broken) {
        QFile file(defaultFile);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("not a data file\n").repeated(100));
    } else if (!password.isEmpty()) {
        protect(defaultFile, password);
    }
    f.notifier.passwordAnswers = answers;
    f.answers = {closeBox(), closeBox()};
    Started s(f);
    const bool opens = bar.isEmpty();
    QCOMPARE(s.window.isEnding(), !opens);
    QCOMPARE(f.session.MyDataModule.isConnected(), opens);
    QCOMPARE(f.notifier.passwordPrompts, password.isEmpty() ? 0 : 1);
    if (!opens) {
        QCOMPARE(f.notifier.lastBar(), bar);
        QCOMPARE(f.notifier.messageBoxes, QStringList{QStringLiteral("Wrong Password")});
    }
}

void TestMainWindow::wrongPasswordAtStartForgetsTheFile_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::newRow("wrong") << QStringList{QStringLiteral("nope")};
    QTest::newRow("cancelled") << QStringList{};
}

void TestMainWindow::wrongPasswordAtStartForgetsTheFile()
{
    QFETCH(QStringList, answers);
    Fixture f;
    const QString locked = f.newFile(QStringLiteral("locked.tillbrook"));
    protect(locked, QStringLiteral("Secret"));
    f.setLastOpened(locked);
    f.notifier.passwordAnswers = answers;
    {
        Started s(f);
        QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password incorrect!"));
        QCOMPARE(f.notifier.messageBoxes, QStringList{QStringLiteral("Wrong Password")});
        QVERIFY(s.window.isEnding());
        QCOMPARE(s.ended.count(), 1);
        QVERIFY(f.setting("last_opened_db").isEmpty());
    }
    // The next start asks what to do.
    f.shownDialogs.clear();
    f.answers = {clickButton("btnExit")};
    Started again(f);
    QCOMPARE(f.shownDialogs, QStringList{QStringLiteral("TfrmFileNotFound")});
}

void TestMainWindow::lastFileReopensWithItsDigits()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    f.setLastOpened(file);
    WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), QStringLiteral("3"), f.folder());
    Started s(f);
    QVERIFY(f.shownDialogs.isEmpty());
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + file);
    QCOMPARE(f.session.options.DecimalDigits, 2); // the file's DefaultDigits wins
    s.window.Exit1Click();
    QCOMPARE(f.setting("digits"), QStringLiteral("2"));
    QCOMPARE(f.setting("last_opened_db"), file);
}

void TestMainWindow::fileDialogsStartInTheDocumentsFolder()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    Started s(f);
    QStringList startFolders;
    const auto recordFolder = [&startFolders](QDialog &dialog) {
        if (auto *files = qobject_cast<QFileDialog *>(&dialog))
            startFolders << files->directory().absolutePath();
        return int(QDialog::Rejected);
    };
    f.answers = {recordFolder, recordFolder};
    s.window.OpenTillbrookfile1Click();
    s.window.NewTillbrookfile1Click();

    // The folder is made when missing, and here it belongs to this test, not to the user.
    const QString documents = QDir(DocumentsDataFolder()).absolutePath();
    QVERIFY(QFileInfo(documents).isDir());
    QVERIFY2(documents.startsWith(QDir(QDir::tempPath()).absolutePath() + u'/'), qPrintable(documents));
    QCOMPARE(startFolders, QStringList({documents, documents}));
}

void TestMainWindow::failedOpenFromTheMenuKeepsThePreviousFile()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    protect(first, QStringLiteral("one"));
    f.setLastOpened(first);
    f.notifier.passwordAnswers = {QStringLiteral("one")};
    Started s(f);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + first);

    const QString second = f.newFile(QStringLiteral("second.tillbrook"));
    protect(second, QStringLiteral("two"));
    f.notifier.passwordAnswers = {QStringLiteral("wrong")};
    f.answers = {choosePath(second)};
    s.window.OpenTillbrookfile1Click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password incorrect!"));
    QCOMPARE(f.session.CurrentDataFile, first);
    QCOMPARE(f.session.MyDataModule.dataSource(), first);
    QVERIFY(f.session.MyDataModule.isConnected());
    QCOMPARE(passwordOf(f.session.MyDataModule), QStringLiteral("one"));
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + first);
    QCOMPARE(s.recent.count(), 0);

    f.notifier.passwordAnswers = {QStringLiteral("two")};
    f.answers = {choosePath(second)};
    s.window.OpenTillbrookfile1Click();
    QCOMPARE(f.session.CurrentDataFile, second);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + second);
    QCOMPARE(s.recent.count(), 1);
    QCOMPARE(s.recent.at(0).at(0).toString(), second);
    // The state of the file left behind was stored first.
    QCOMPARE(f.setting("last_opened_db"), first);
}

void TestMainWindow::recentFileClickOpensAndDropsTheEntry()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    f.setLastOpened(first);
    Started s(f);

    const QString junk = f.dir.filePath(QStringLiteral("junk.tillbrook"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("junk");
    file.close();
    bool canDelete = false;
    s.window.RegMru1ItemClick(junk, canDelete);
    QVERIFY(canDelete);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File cannot be opened an error has occured."));
    QCOMPARE(f.session.CurrentDataFile, first);
    QVERIFY(f.session.MyDataModule.isConnected());

    const QString other = f.newFile(QStringLiteral("other.tillbrook"));
    canDelete = false;
    s.window.RegMru1ItemClick(other, canDelete);
    QVERIFY(canDelete);
    QCOMPARE(f.session.CurrentDataFile, other);
    QCOMPARE(s.recent.count(), 0);
}

void TestMainWindow::recentFilesFollowOpensAndClicks()
{
    Fixture f;
    f.session.recentFilesStore = f.dir.filePath(QStringLiteral("config/RecentFiles.ini"));
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    const QString second = f.newFile(QStringLiteral("second.tillbrook"));
    f.setLastOpened(first);
    Started s(f);
    QVERIFY(!s.window.menu().RegMru1->menuAction()->isEnabled());

    f.answers = {choosePath(second)};
    s.window.OpenTillbrookfile1Click();
    f.answers = {choosePath(first)};
    s.window.OpenTillbrookfile1Click();
    const QList<QAction *> &items = s.window.recentFilesMenu()->items();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items[0]->text(), QStringLiteral("&1 ") + first);
    QCOMPARE(items[1]->text(), QStringLiteral("&2 ") + second);
    QVERIFY(s.window.menu().RegMru1->menuAction()->isEnabled());

    // Clicking an entry opens its file and drops it from the list.
    items[1]->trigger();
    QCOMPARE(f.session.CurrentDataFile, second);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + second);
    QCOMPARE(s.window.recentFilesMenu()->items().size(), 1);

    // The next start finds the list as it was left.
    TRegMru stored;
    stored.ApplicationName = QStringLiteral("Tillbrook");
    stored.OwnerName = QStringLiteral("frmMain");
    stored.setStore(f.session.recentFilesStore);
    QCOMPARE(stored.count(), 1);
    QCOMPARE(stored.entries().first().fileName, first);
}

void TestMainWindow::placementIsStoredAtExitAndRestored()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    const QRect placement(40, 30, 700, 500);
    {
        Started s(f);
        s.window.setGeometry(placement);
        s.window.Exit1Click();
        QCOMPARE(s.ended.count(), 1);
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString prefix = QStringLiteral("WindowPosition/Tillbrook%1x%2").arg(screen.width()).arg(screen.height());
    QSettings ini(f.folder() + QStringLiteral("Settings.ini"), QSettings::IniFormat);
    QCOMPARE(ini.value(prefix + QStringLiteral("Width")).toInt(), 700);
    QCOMPARE(ini.value(prefix + QStringLiteral("State")).toInt(), 0);

    TfrmMain window(f.session);
    QCOMPARE(window.geometry(), placement);
}

void TestMainWindow::placementThatCannotBeStoredDoesNotStopTheExit()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    Started s(f);
    s.window.savedForm().IniFile = QStringLiteral("gone/Settings.ini");
    s.window.Exit1Click();
    QCOMPARE(s.ended.count(), 1);
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].details, QStringLiteral("TSavedForm: folder for ini file does not exist"));
}

void TestMainWindow::editingRefusesExitOpenAndCreate()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    f.setLastOpened(first);
    Started<TfrmMain> s(f);
    // A transaction is being entered.
    s.window.registerView()->registerState().entryMode = EntryMode::New;
    f.shownDialogs.clear();

    s.window.Exit1Click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Please Save or Cancel the current transaction to exit."));
    QVERIFY(!s.window.isEnding());
    QVERIFY(!s.window.close());
    QVERIFY(!s.window.isEnding());

    f.notifier.clear();
    s.window.OpenTillbrookfile1Click();
    s.window.NewTillbrookfile1Click();
    bool canDelete = true;
    s.window.RegMru1ItemClick(f.newFile(QStringLiteral("x.tillbrook")), canDelete);
    QVERIFY(!canDelete);
    QCOMPARE(f.notifier.bars.size(), 3);
    for (const auto &bar : f.notifier.bars)
        QCOMPARE(bar.text, QStringLiteral("  You must cancel an editing of transactions before opening a new file"));
    QVERIFY(f.shownDialogs.isEmpty());
    QCOMPARE(f.session.CurrentDataFile, first);
}

void TestMainWindow::closeBoxRunsTheExitSequence()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    f.setLastOpened(first);
    Started s(f);
    s.window.show();
    QVERIFY(s.window.close());
    QVERIFY(s.window.isEnding());
    QCOMPARE(s.ended.count(), 1);
    QCOMPARE(f.setting("last_opened_db"), first);
    QCOMPARE(f.setting("digits"), QStringLiteral("2"));
}

void TestMainWindow::evenWeekStartsTheUpdater()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("lastcheck"), QStringLiteral("10"), f.folder());
    const QString updater = f.folder() + QLatin1String(UpdaterFileName);
    const QString marker = f.folder() + QStringLiteral("updater-ran");
    QFile script(updater);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);

    TfrmMain window(f.session);
    window.setWaitMilliseconds(0);
    window.setClock([] { return QDate(2024, 3, 20); }); // week 12
    window.FormShow();
    QCOMPARE(f.setting("lastcheck"), QStringLiteral("12"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
}

void TestMainWindow::menuBarOrderAndShortcuts()
{
    Fixture f;
    TfrmMain window(f.session);
    QStringList titles;
    for (QAction *action : window.menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Setup"), QStringLiteral("&Tools"),
                                  QStringLiteral("Options"), QStringLiteral("Reports"), QStringLiteral("&Misc"),
                                  QStringLiteral("&Help")}));
    QStringList fileItems;
    for (QAction *action : window.menu().File1->actions())
        if (!action->isSeparator() && action->isVisible())
            fileItems << action->text();
    QCOMPARE(fileItems, (QStringList{QStringLiteral("Create new Tillbrook file"),
                                     QStringLiteral("Open a Tillbrook file ..."), QStringLiteral("Import ..."),
                                     QStringLiteral("New Transaction"),
                                     QStringLiteral("Edit Transaction"), QStringLiteral("Delete Transaction"),
                                     QStringLiteral("Recently opened files"), QStringLiteral("E&xit")}));
    // "Import ..." stands between separators of its own.
    const QList<QAction *> fileActions = window.menu().File1->actions();
    const qsizetype importAt = fileActions.indexOf(window.menu().Import1);
    QVERIFY(importAt > 0 && importAt + 1 < fileActions.size());
    QVERIFY(fileActions[importAt - 1]->isSeparator() && fileActions[importAt + 1]->isSeparator());
    const MainMenu &m = window.menu();
    QCOMPARE(m.OpenTillbrookfile1->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(m.NewTransaction1->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(m.EditTransaction1->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    QCOMPARE(m.DeleteTransaction1->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(m.Find1->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    QCOMPARE(m.MarkasUnset1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+X")));
    QCOMPARE(m.MarkasVoid1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    QCOMPARE(m.MarkasCleared1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    QCOMPARE(m.MarkasReconciled1->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+R")));
    QCOMPARE(m.Help2->shortcut(), QKeySequence(QStringLiteral("F1")));
    QCOMPARE(m.RestoreOptions1->actions().size(), 2);
    QCOMPARE(m.Reports1->actions().size() - 3, 8); // three separators
}

void TestMainWindow::newFromTheMenuLocksTheWindowUntilCancel()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    RegisterToolbar *toolbar = view->tbUserOptions();
    const MainMenu &m = s.window.menu();
    const QList<QAction *> fileCommands{m.NewTransaction1, m.EditTransaction1, m.DeleteTransaction1};
    const QList<QWidget *> browseControls{toolbar->tbNew(), toolbar->tbReports(), view->btnNewAccount(),
                                          view->cmbAccounts(), view->pnlMonth()};
    QCOMPARE(view->currentAccountName(), QStringLiteral("Bank"));

    m.NewTransaction1->trigger();
    QCOMPARE(view->registerState().entryMode, EntryMode::New);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  New Transaction"));
    for (QAction *action : fileCommands)
        QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
    for (QWidget *control : browseControls)
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(!toolbar->tbEdit()->isEnabled());
    QVERIFY(!toolbar->tbDelete()->isEnabled());

    m.Exit1->trigger();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Please Save or Cancel the current transaction to exit."));
    QVERIFY(!s.window.isEnding());
    QCOMPARE(s.ended.count(), 0);

    panel->findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
    QCOMPARE(view->registerState().entryMode, EntryMode::Browse);
    for (QAction *action : fileCommands)
        QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
    for (QWidget *control : browseControls)
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));

    // A saved row answers the Misc menu's marks.
    m.NewTransaction1->trigger();
    QTest::keyClicks(panel->findChild<QLineEdit *>(QStringLiteral("txtAmt")), QStringLiteral("12.50"));
    panel->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    const int saved = view->registerState().SelectedTransactionId;
    QVERIFY(saved > 0);
    m.MarkasVoid1->trigger();
    SqlStatement status(f.session.MyDataModule,
                        QStringLiteral("SELECT Status FROM tbTransactions WHERE TransactionID=:id"));
    status.bind(QStringLiteral(":id"), saved).exec();
    QVERIFY(status.next());
    QCOMPARE(status.value(0).toString(), QStringLiteral("Void"));

    m.Exit1->trigger();
    QVERIFY(s.window.isEnding());
}

void TestMainWindow::currencyListKeepsTheShownAccount()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank"), QStringLiteral("Savings")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    RegisterView *view = s.window.registerView();
    QCOMPARE(view->currentAccountName(), QStringLiteral("Bank"));
    view->cmbAccounts()->setCurrentIndex(view->cmbAccounts()->findText(QStringLiteral("Savings")));
    QCOMPARE(view->currentAccountName(), QStringLiteral("Savings"));

    // The list adds a currency through its editor, so the register reloads afterwards.
    f.answers = {[](QDialog &dialog) {
                     auto *list = qobject_cast<TfrmCurrencyEdit *>(&dialog);
                     if (list)
                         list->btnNew->click();
                     return int(QDialog::Accepted);
                 },
                 [](QDialog &dialog) {
                     auto *editor = qobject_cast<TfrmCurrencyItemEdit *>(&dialog);
                     if (!editor)
                         return int(QDialog::Rejected);
                     editor->setTexts(QStringLiteral("E"), QStringLiteral("EUR"), QStringLiteral("2"), QString());
                     editor->btnSave->click();
                     return editor->result();
                 }};
    s.window.menu().Currencies1->trigger();
    QVERIFY(f.answers.isEmpty());
    QVERIFY(!f.notifier.dialogs.isEmpty());
    QCOMPARE(f.notifier.dialogs.last().top.trimmed(), QStringLiteral("Currency Saved."));
    QCOMPARE(view->currentAccountName(), QStringLiteral("Savings"));
}

// "&Save" and the menu bar's "&Setup" share Alt+S: while a transaction is entered the
// key saves it, as in any dialog, instead of only moving the focus to the button.
void TestMainWindow::altSSavesWhileEnteringDespiteTheSetupMenu()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    s.window.show();
    QApplication::setActiveWindow(&s.window);
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    auto *amount = panel->findChild<QLineEdit *>(QStringLiteral("txtAmt"));

    s.window.menu().NewTransaction1->trigger();
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("12.50"));
    QTest::keyClick(amount, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(view->registerState().entryMode, EntryMode::Browse);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    QVERIFY(!s.window.menu().Setup1->isVisible());
    QCOMPARE(view->registerRowCount(), 1);

    // In Browse mode the button is disabled and Alt+S is the Setup menu's again.
    QTest::keyClick(&s.window, Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(s.window.menu().Setup1->isVisible());
    s.window.menu().Setup1->close();
}

void TestMainWindow::findSearchesTheRegisterGrid()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    QStringList columns;
    f.answers = {[&](QDialog &dialog) {
        auto &find = DialogAs<TFind>(dialog);
        for (int i = 0; i < find.cmbColNames->count(); ++i)
            columns << find.cmbColNames->itemText(i);
        return int(QDialog::Rejected);
    }};
    QCOMPARE(s.window.menu().Find1->shortcut(), QKeySequence(QStringLiteral("Ctrl+F")));
    s.window.menu().Find1->trigger();
    QVERIFY(f.answers.isEmpty());
    QCOMPARE(f.shownDialogs.last(), QStringLiteral("TFind"));
    QCOMPARE(columns, RegisterGrid::headers());
}

void TestMainWindow::automaticBackupsFollowTheOption_data()
{
    QTest::addColumn<QString>("autoBackup");
    QTest::addColumn<bool>("taken");
    QTest::newRow("on") << "Y" << true;
    QTest::newRow("lower-case n counts as on") << "n" << true;
    QTest::newRow("off") << "N" << false;
}

void TestMainWindow::automaticBackupsFollowTheOption()
{
    QFETCH(QString, autoBackup);
    QFETCH(bool, taken);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    {
        TMyDataModule db;
        db.open(file);
        SetFileSettingText(db, QStringLiteral("AutoBackup"), autoBackup);
    }
    f.setLastOpened(file);
    Started s(f);
    QVERIFY(s.window.FirstShowDone());
    QCOMPARE(QFileInfo::exists(StartupBackupPath(file)), taken);
    QVERIFY(!QFileInfo::exists(ClosingBackupPath(file)));
    QVERIFY(f.session.MyDataModule.isConnected());
    s.window.Exit1Click();
    QVERIFY(s.window.isEnding());
    QCOMPARE(QFileInfo::exists(ClosingBackupPath(file)), taken);
}

void TestMainWindow::noAutomaticArchiveToRestore_data()
{
    QTest::addColumn<bool>("closing");
    QTest::newRow("startup") << false;
    QTest::newRow("closing") << true;
}

void TestMainWindow::noAutomaticArchiveToRestore()
{
    QFETCH(bool, closing);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    {
        TMyDataModule db;
        db.open(file);
        SetFileSettingText(db, QStringLiteral("AutoBackup"), QStringLiteral("N"));
    }
    f.setLastOpened(file);
    Started s(f);
    QFile content(file);
    QVERIFY(content.open(QIODevice::ReadOnly));
    const QByteArray before = content.readAll();
    content.close();
    f.notifier.clear();
    (closing ? s.window.menu().RestoreLastClose1 : s.window.menu().RestoreBeforeSession1)->trigger();
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, QStringLiteral("No file exists to restore"));
    QCOMPARE(f.notifier.dialogs[0].caption, QStringLiteral("Tillbrook"));
    QVERIFY(f.notifier.bars.isEmpty());
    QVERIFY(content.open(QIODevice::ReadOnly));
    QCOMPARE(content.readAll(), before);
    QVERIFY(f.session.MyDataModule.isConnected());
    QCOMPARE(s.recent.count(), 0);
}

void TestMainWindow::restoreTheStartupBackup()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    addAccounts(file, {QStringLiteral("Wallet")});
    f.setLastOpened(file);
    Started s(f);
    QVERIFY(QFileInfo::exists(StartupBackupPath(file)));
    // A change made after the start goes with the restore.
    SqlStatement(f.session.MyDataModule, QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription,"
                                                        " CurrencyID, Type) VALUES ('Later', 'Bank', 1, 'Bank')"))
        .exec();
    f.notifier.clear();
    f.notifier.dialogAnswers = {QStringLiteral("Yes"), QStringLiteral("Yes")};
    s.window.RestoreasStartup1Click();

    QCOMPARE(f.notifier.dialogs.size(), 2);
    QCOMPARE(f.notifier.dialogs[0].top,
             QStringLiteral("Do you wish to restore the startup backup?\n"
                            "(You will return to the state when you last started Tillbrook.)"));
    QVERIFY(f.notifier.dialogs[1].top.endsWith(QStringLiteral("Restore the file %1?").arg(file)));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Restore Complete."));
    QCOMPARE(f.session.CurrentDataFile, file);
    QVERIFY(f.session.MyDataModule.isConnected());
    SqlStatement count(f.session.MyDataModule, QStringLiteral("SELECT Count(*) FROM tbAccount WHERE AccountDescription = 'Later'"));
    count.exec();
    QVERIFY(count.next());
    QCOMPARE(count.value(0).toInt(), 0);
    QCOMPARE(s.recent.count(), 1);
    QCOMPARE(s.recent.at(0).at(0).toString(), file);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + file);
}

void TestMainWindow::openRefusesAFileThatFailsTheCheck()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    f.setLastOpened(first);
    Started s(f);
    const QString junk = f.dir.filePath(QStringLiteral("junk.tillbrook"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("junk").repeated(2000));
    file.close();
    f.notifier.clear();
    f.answers = {choosePath(junk)};
    s.window.OpenTillbrookfile1Click();
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, QStringLiteral("  File cannot be opened. Please check file and try again."));
    QCOMPARE(f.session.CurrentDataFile, first);
    QVERIFY(f.session.MyDataModule.isConnected());
    QVERIFY(!QFileInfo::exists(junk + u'x'));
}

void TestMainWindow::programOptionsWhileEditingAreRefused()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    addAccounts(file, {QStringLiteral("Wallet")});
    f.setLastOpened(file);
    Started s(f);
    s.window.registerView()->entryPanel()->tbNewClick();
    QVERIFY(s.window.isEditing());
    f.shownDialogs.clear();
    s.window.Programoptions1Click();
    QCOMPARE(f.notifier.lastBar(),
             QStringLiteral("  Please Save or Cancel the current transaction to change program options."));
    QVERIFY(f.shownDialogs.isEmpty());
}

void TestMainWindow::reportItemsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("dialogs");
    // Each printed report asks its dates first; closing that dialog ends it.
    QTest::newRow("account summary") << "ViewAccountSummary1" << QStringList{"TfrmAccountSummary"};
    QTest::newRow("payee chart") << "PayeeIncomeandExpenseChart1" << QStringList{"TfrmDateSelect"};
    QTest::newRow("category chart") << "CategoriesIncomeandExpenseChart1" << QStringList{"TfrmDateSelect"};
    QTest::newRow("payee list") << "PayeeList1" << QStringList{"TfrmDateSelect"};
    QTest::newRow("category list") << "CategoryList1" << QStringList{"TfrmDateSelect"};
    QTest::newRow("graphs") << "CategoryandPayeeGraphs1" << QStringList{"TfrmGraphReports"};
    QTest::newRow("budget analysis") << "BudgetAnalysis1" << QStringList{"TfrmGraphBudget"};
}

void TestMainWindow::reportItemsOpenTheirWindows()
{
    QFETCH(QString, item);
    QFETCH(QStringList, dialogs);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    auto *action = s.window.menu().Reports1->findChild<QAction *>(item);
    if (!action)
        action = s.window.findChild<QAction *>(item);
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    QVERIFY(s.window.registerView()->reportsMenu()->actions().contains(action));
    f.shownDialogs.clear();
    action->trigger();
    QCOMPARE(f.shownDialogs, dialogs);
    QVERIFY(action->isEnabled());
    QVERIFY(f.notifier.dialogs.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
