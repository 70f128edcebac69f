#include "ui/accounts/accountedit.h"
#include "ui/accounts/accountsetup.h"
#include "ui/accounts/currencyedit.h"
#include "ui/accounts/currencyitemedit.h"
#include "ui/app/splash.h"
#include "ui/lists/editform.h"
#include "ui/lists/itemsetup.h"
#include "ui/mainwindow/mainwindowstartup.h"
#include "ui/widgets/multicollistbox.h"
#include "ui/widgets/pubstrgrid.h"
#include "core/datafile/filelock.h"
#include "core/store/transactionstore.h"
#include "core/register/entrylock.h"
#include "core/session/passwordhash.h"
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
#include "ui/reports/reportcentre.h"
#include "ui/widgets/recentfilesmenu.h"
#include "support/testdatafile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QScopeGuard>
#include <QSet>
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
    // A data file with no accounts: the test adds the ones it needs.
    QString newFile(const QString &name) const
    {
        const QString path = dir.filePath(name);
        QFile::copy(TemplatePath(), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        RemoveStartingAccounts(path);
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

// The main window on screen and active, so that keys reach it as a user's would.
bool showActive(TfrmMain &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Adds a transaction through the store and returns its number.
int addTransaction(const QString &path, const TTransaction &t)
{
    TMyDataModule db;
    db.open(path);
    return InsertTransaction(db, t);
}

TTransaction bankRow(const QDate &date, const QString &note, const QString &amount = QStringLiteral("-10"))
{
    TTransaction t;
    t.TransactionDate = date;
    t.AccountDescription = QStringLiteral("Bank");
    t.strNote = note;
    t.Amount = *Money::fromText(amount);
    t.Status = QStringLiteral(" ");
    return t;
}

// Every column of a row, each written so that its type shows ('12', 12, 12.0, NULL).
QString rowText(TMyDataModule &db, int id)
{
    SqlStatement q(db, QStringLiteral(
        "SELECT quote(TransactionDate) || '|' || quote(PayeeId) || '|' || quote(Amount) || '|' || quote(strNote)"
        " || '|' || quote(CategoryId) || '|' || quote(AccountId) || '|' || quote(LinkedTransactionID)"
        " || '|' || quote(InternalDescription) || '|' || quote(OtherAccountID) || '|' || quote(CurrencyID)"
        " || '|' || quote(CurrencyRate) || '|' || quote(Status) || '|' || quote(CompanyID)"
        " FROM tbTransactions WHERE TransactionID = :id"));
    q.bind(QStringLiteral(":id"), id).exec();
    return q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
}

QString noteOf(TMyDataModule &db, int id)
{
    SqlStatement q(db, QStringLiteral("SELECT strNote FROM tbTransactions WHERE TransactionID = :id"));
    q.bind(QStringLiteral(":id"), id).exec();
    return q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
}

// A day of the current month that is not today.
QDate otherDayThisMonth()
{
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), today.day() == 1 ? 2 : 1);
}

// Scripted visits to the Setup lists, each storing something.
QList<Answer> newCurrencyVisit()
{
    return {[](QDialog &dialog) {
                if (auto *list = qobject_cast<TfrmCurrencyEdit *>(&dialog))
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
}

QList<Answer> newAccountVisit(const QString &name, const QString &deleteFirst = QString())
{
    return {[deleteFirst](QDialog &dialog) {
                auto *list = qobject_cast<TfrmAccountSetup *>(&dialog);
                if (!list)
                    return int(QDialog::Rejected);
                if (!deleteFirst.isEmpty()) {
                    for (int row = 0; row < list->lstItems->count(); ++row)
                        if (list->lstItems->column(row, 0) == deleteFirst)
                            list->lstItems->setItemIndex(row);
                    list->btnDelete->click();
                }
                list->btnNew->click();
                return int(QDialog::Accepted);
            },
            [name](QDialog &dialog) {
                auto *editor = qobject_cast<TfrmAccountEdit *>(&dialog);
                if (!editor)
                    return int(QDialog::Rejected);
                if (name.isEmpty()) {
                    editor->btnCancel->click();
                    return int(QDialog::Rejected);
                }
                editor->setTexts(name, QStringLiteral("Credit Card"), QStringLiteral("$"));
                editor->btnSave->click();
                return editor->result();
            }};
}

QList<Answer> newItemVisit(const QString &name)
{
    return {[](QDialog &dialog) {
                if (auto *list = qobject_cast<TfrmEditForm *>(&dialog))
                    list->btnNew->click();
                return int(QDialog::Accepted);
            },
            [name](QDialog &dialog) {
                auto *setup = qobject_cast<TfrmItemSetup *>(&dialog);
                if (!setup)
                    return int(QDialog::Rejected);
                setup->edtName->setText(name);
                setup->rbExpense->setChecked(true);
                setup->btnOK->click();
                return setup->result();
            }};
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
    void startupOpenFailures_data();
    void startupOpenFailures();
    void passwordAskedAgainAtStartUp();
    void lastFileReopensWithItsDigits();
    void failedOpenFromTheMenuKeepsThePreviousFile();
    void fileDialogsStartInTheDocumentsFolder();
    void recentFileClickKeepsTheEntryUnlessTheFileIsGone();
    void recentFilesFollowOpensAndClicks();
    void placementIsStoredAtExitAndRestored();
    void placementThatCannotBeStoredDoesNotStopTheExit();
    void editingRefusesExitOpenAndCreate();
    void closeBoxRunsTheExitSequence();
    void evenWeekStartsTheUpdater();
    void menuBarOrderAndShortcuts();
    void reportsDropDownRepeatsTheMenu();
    void newFromTheMenuLocksTheWindowUntilCancel();
    void currencyListKeepsTheShownAccount();
    void entryKeysFromEveryField_data();
    void entryKeysFromEveryField();
    void registerKeys_data();
    void registerKeys();
    void tabLeavesTheGrid();
    void helpAndUpdaterSayWhenNothingStarts();
    void firstShownAtItsSizeAfterTheSplashSteps();
    void setupListsWhileEnteringKeepTheTransaction_data();
    void setupListsWhileEnteringKeepTheTransaction();
    void accountBoxAfterTheAccountList_data();
    void accountBoxAfterTheAccountList();
    void unchangedSaveKeepsTheRow_data();
    void unchangedSaveKeepsTheRow();
    void oldClearedMarkSurvivesAnUnchangedSave();
    void newFileShowsCashReadyForANewTransaction();
    void automaticBackupsFollowTheOption_data();
    void automaticBackupsFollowTheOption();
    void noAutomaticArchiveToRestore_data();
    void noAutomaticArchiveToRestore();
    void restoreTheStartupBackup();
    void openRefusesAFileThatFailsTheCheck();
    void programOptionsWhileEditingAreRefused();
    void maintenanceWhileEditingIsRefused_data();
    void maintenanceWhileEditingIsRefused();
    void windowTakesNoInputDuringABackup();
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
        // The message says what happened: "Wrong Password" only for a password.
        QCOMPARE(f.notifier.messageBoxes,
                 QStringList{broken ? bar.trimmed() : QStringLiteral("Wrong Password")});
    }
}

// A last file that cannot be opened at start-up: the user is told what happened (a
// wrong password is asked again, up to three times), then chooses another file. The
// file stays remembered.
void TestMainWindow::startupOpenFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("passwords");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("bar");

    const QString incorrect = QStringLiteral("  Password incorrect!");
    QTest::newRow("three wrong passwords") << "password" << QStringList{"a", "b", "c"}
                                           << QStringList{QStringLiteral("Wrong Password")} << incorrect;
    QTest::newRow("cancelled at the second") << "password" << QStringList{"a"} << QStringList{} << incorrect;
    QTest::newRow("held by another program")
        << "held" << QStringList{}
        << QStringList{QStringLiteral("File cannot be opened. Try closing it if it is open from another application.")}
        << "  File cannot be opened. Try closing it if it is open from another application.";
    QTest::newRow("damaged") << "damaged" << QStringList{}
                             << QStringList{QStringLiteral("File cannot be opened an error has occured.")}
                             << "  File cannot be opened an error has occured.";
}

void TestMainWindow::startupOpenFailures()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, passwords);
    QFETCH(QStringList, boxes);
    QFETCH(QString, bar);
    Fixture f;
    const QString path = f.newFile(QStringLiteral("book.tillbrook"));
    FileLock holder;
    if (kind == QLatin1String("password")) {
        protect(path, QStringLiteral("Secret"));
    } else if (kind == QLatin1String("held")) {
        QVERIFY(holder.tryLock(path));
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("not a data file\n").repeated(100));
    }
    f.setLastOpened(path);
    f.notifier.passwordAnswers = passwords;
    f.answers = {clickButton("btnExit")};
    {
        Started s(f);
        QCOMPARE(f.notifier.lastBar(), bar);
        QCOMPARE(f.notifier.messageBoxes, boxes);
        QCOMPARE(f.shownDialogs, QStringList{QStringLiteral("TfrmFileNotFound")});
        QVERIFY(s.window.isEnding());
        QCOMPARE(f.setting("last_opened_db"), path);
    }
}

void TestMainWindow::passwordAskedAgainAtStartUp()
{
    Fixture f;
    const QString locked = f.newFile(QStringLiteral("locked.tillbrook"));
    protect(locked, QStringLiteral("Secret"));
    f.setLastOpened(locked);
    f.notifier.passwordAnswers = {QStringLiteral("secret"), QStringLiteral("Secret")};
    Started s(f);
    QCOMPARE(f.notifier.passwordPrompts, 2);
    QVERIFY(!s.window.isEnding());
    QCOMPARE(f.session.CurrentDataFile, locked);
    QVERIFY(f.shownDialogs.isEmpty());
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
    QVERIFY(FilePasswordMatches(passwordOf(f.session.MyDataModule), QStringLiteral("one")));
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

void TestMainWindow::recentFileClickKeepsTheEntryUnlessTheFileIsGone()
{
    Fixture f;
    const QString first = f.newFile(QStringLiteral("first.tillbrook"));
    f.setLastOpened(first);
    Started s(f);

    // A file that cannot be opened stays listed: it may be usable again later.
    const QString junk = f.dir.filePath(QStringLiteral("junk.tillbrook"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("junk");
    file.close();
    bool canDelete = true;
    s.window.RegMru1ItemClick(junk, canDelete);
    QVERIFY(!canDelete);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  File cannot be opened an error has occured."));
    QCOMPARE(f.session.CurrentDataFile, first);
    QVERIFY(f.session.MyDataModule.isConnected());

    const QString other = f.newFile(QStringLiteral("other.tillbrook"));
    canDelete = true;
    s.window.RegMru1ItemClick(other, canDelete);
    QVERIFY(!canDelete);
    QCOMPARE(f.session.CurrentDataFile, other);

    // A file that is gone is dropped.
    const QString gone = f.dir.filePath(QStringLiteral("gone.tillbrook"));
    canDelete = false;
    s.window.RegMru1ItemClick(gone, canDelete);
    QVERIFY(canDelete);
    QCOMPARE(f.session.CurrentDataFile, other);
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

    // Clicking an entry opens its file and moves it to the top.
    items[1]->trigger();
    QCOMPARE(f.session.CurrentDataFile, second);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + second);
    QCOMPARE(s.window.recentFilesMenu()->items().size(), 2);
    QCOMPARE(s.window.recentFilesMenu()->items()[0]->text(), QStringLiteral("&1 ") + second);

    // The next start finds the list as it was left.
    TRegMru stored;
    stored.ApplicationName = QStringLiteral("Tillbrook");
    stored.OwnerName = QStringLiteral("frmMain");
    stored.setStore(f.session.recentFilesStore);
    QCOMPARE(stored.count(), 2);
    QCOMPARE(stored.entries().first().fileName, second);
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
                                  QStringLiteral("&Options"), QStringLiteral("&Reports"), QStringLiteral("&Misc"),
                                  QStringLiteral("&Help")}));
    // Every menu has an Alt letter of its own.
    QSet<QKeySequence> mnemonics;
    for (const QString &title : std::as_const(titles))
        mnemonics.insert(QKeySequence::mnemonic(title));
    QCOMPARE(mnemonics.size(), titles.size());
    QVERIFY(!mnemonics.contains(QKeySequence()));
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

void TestMainWindow::reportsDropDownRepeatsTheMenu()
{
    Fixture f;
    Started started(f);
    TfrmMain &window = started.window;
    QMenu *dropDown = window.registerView()->reportsMenu();
    QStringList menuItems;
    QStringList dropDownItems;
    for (QAction *action : window.menu().Reports1->actions())
        menuItems << (action->isSeparator() ? QStringLiteral("-") : action->text());
    for (QAction *action : dropDown->actions())
        dropDownItems << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(dropDownItems, menuItems);
    // Reports not connected yet are greyed in both; the report centre is not.
    QVERIFY(window.menu().ReportCentre1->isEnabled());
    for (QAction *action : dropDown->actions()) {
        if (!action->isSeparator() && !action->isEnabled())
            QVERIFY(window.menu().Reports1->actions().contains(action));
    }

    // The menu item, the drop-down's item and the button itself open the report centre
    // with the register's account chosen.
    QStringList accounts;
    const Answer readAccount = [&accounts](QDialog &dialog) {
        if (auto *centre = qobject_cast<TfrmReportCentre *>(&dialog)) {
            centre->FormActivate();
            accounts << centre->cmbAccount()->currentText();
        }
        return int(QDialog::Rejected);
    };
    f.answers = {readAccount, readAccount, readAccount};
    window.menu().ReportCentre1->trigger();
    dropDown->actions().first()->trigger();
    window.registerView()->tbUserOptions()->tbReports()->click();
    const QString shown = window.currentAccountName();
    QCOMPARE(accounts, (QStringList{shown, shown, shown}));
    QVERIFY(f.notifier.dialogs.isEmpty());

    // The register grid's export commands are on.
    QVERIFY(window.registerView()->exportToExcelAction()->isEnabled());
    QVERIFY(window.registerView()->exportToCsvAction()->isEnabled());
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
    f.answers = newCurrencyVisit();
    s.window.menu().Currencies1->trigger();
    QVERIFY(f.answers.isEmpty());
    QVERIFY(!f.notifier.dialogs.isEmpty());
    QCOMPARE(f.notifier.dialogs.last().top.trimmed(), QStringLiteral("Currency Saved."));
    QCOMPARE(view->currentAccountName(), QStringLiteral("Savings"));
}

// "&Save" and the menu bar's "&Setup" share Alt+S: while a transaction is entered the
// key saves it at the first press from any field, as in any dialog. Escape cancels.
void TestMainWindow::entryKeysFromEveryField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("bar");

    const QString saved = QStringLiteral("  Transaction has been saved.");
    QTest::newRow("Alt+S in the amount") << QStringLiteral("txtAmt") << int(Qt::Key_S) << 1 << saved;
    QTest::newRow("Alt+S in the payee") << QStringLiteral("cmbPayee") << int(Qt::Key_S) << 1 << saved;
    QTest::newRow("Alt+S in the note") << QStringLiteral("memoNote") << int(Qt::Key_S) << 1 << saved;
    QTest::newRow("Escape in the amount") << QStringLiteral("txtAmt") << int(Qt::Key_Escape) << 0 << QString();
    QTest::newRow("Escape in the payee") << QStringLiteral("cmbPayee") << int(Qt::Key_Escape) << 0 << QString();
}

void TestMainWindow::entryKeysFromEveryField()
{
    QFETCH(QString, field);
    QFETCH(int, key);
    QFETCH(int, rows);
    QFETCH(QString, bar);

    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    QVERIFY(showActive(s.window));
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    auto *amount = panel->findChild<QLineEdit *>(QStringLiteral("txtAmt"));

    s.window.menu().NewTransaction1->trigger();
    amount->setFocus();
    QTest::keyClicks(amount, QStringLiteral("12.50"));
    auto *target = panel->findChild<QWidget *>(field);
    QVERIFY(target);
    if (auto *combo = qobject_cast<QComboBox *>(target); combo && combo->lineEdit())
        target = combo->lineEdit();
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), key == Qt::Key_S ? Qt::AltModifier : Qt::NoModifier);
    QCOMPARE(view->registerState().entryMode, EntryMode::Browse);
    if (!bar.isEmpty())
        QCOMPARE(f.notifier.lastBar(), bar);
    QVERIFY(!s.window.menu().Setup1->isVisible());
    QCOMPARE(view->registerRowCount(), rows);

    // In Browse mode the button is disabled and Alt+S is the Setup menu's again.
    QTest::keyClick(&s.window, Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(s.window.menu().Setup1->isVisible());
    s.window.menu().Setup1->close();
}

// Months and accounts from the keyboard, wherever the focus is in the register.
void TestMainWindow::registerKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("account");

    const QDate today = QDate::currentDate();
    const QDate before = today.addMonths(-1);
    const QDate after = today.addMonths(1);
    QTest::newRow("Ctrl+PgUp") << int(Qt::Key_PageUp) << before.month() << "Bank";
    QTest::newRow("Ctrl+PgDown") << int(Qt::Key_PageDown) << after.month() << "Bank";
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << today.month() << "Cash";
    QTest::newRow("Ctrl+Up at the first account") << int(Qt::Key_Up) << today.month() << "Bank";
}

void TestMainWindow::registerKeys()
{
    QFETCH(int, key);
    QFETCH(int, month);
    QFETCH(QString, account);

    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank"), QStringLiteral("Cash")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    QVERIFY(showActive(s.window));
    RegisterView *view = s.window.registerView();
    QCOMPARE(view->cmbAccounts()->itemText(0), QStringLiteral("Bank"));
    view->cmbAccounts()->setCurrentIndex(view->cmbAccounts()->findText(QStringLiteral("Bank")));
    QCOMPARE(view->currentAccountName(), QStringLiteral("Bank"));
    QCOMPARE(view->shownMonth().month, QDate::currentDate().month());

    view->cmbAccounts()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(view->shownMonth().month, month);
    QCOMPARE(view->currentAccountName(), account);

    // Ctrl+Home comes back to today's month.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(view->shownMonth().month, QDate::currentDate().month());

    // While a transaction is entered the register stays where it is.
    s.window.menu().NewTransaction1->trigger();
    QVERIFY(!s.window.menu().NextMonth1->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(view->shownMonth().month, QDate::currentDate().month());
}

void TestMainWindow::tabLeavesTheGrid()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    f.setLastOpened(file);
    Started<TfrmMain> s(f);
    QVERIFY(showActive(s.window));
    TPubStrGrid *grid = s.window.registerView()->strGridTransactions();
    grid->show();
    grid->setEnabled(true);
    grid->setFocus();
    QCOMPARE(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != grid);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != grid);
}

// Help and "Check for Updates..." say so when nothing could be started, instead of
// doing nothing visible.
void TestMainWindow::helpAndUpdaterSayWhenNothingStarts()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    Started s(f);
    QFile help(f.folder() + QLatin1String(HelpFileName));
    QVERIFY(help.open(QIODevice::WriteOnly));
    help.write("<html></html>");
    help.close();
    // No browser can be found on an empty search path.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(f.dir.path()));
    const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
    s.window.Help2Click();
    QVERIFY2(f.notifier.lastBar().contains(QLatin1String("no web browser could be started")),
             qPrintable(f.notifier.lastBar()));
    s.window.CheckforUpdates1Click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  No updater could be started to check for updates."));
}

void TestMainWindow::firstShownAtItsSizeAfterTheSplashSteps()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    TfrmSplash splash;
    splash.show();
    QList<int> steps;
    connect(splash.ProgressBar1, &QProgressBar::valueChanged, this, [&steps](int value) { steps << value; });
    const std::unique_ptr<TfrmMain> window = CreateMainWindow(f.session, splash);
    QCOMPARE(steps, (QList<int>{1, 2, 3}));
    QVERIFY(splash.tmrSplash->isActive());

    window->setWaitMilliseconds(0);
    window->setClock([] { return QDate(2024, 3, 13); });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), TfrmMain::FirstShownSize.expandedTo(window->minimumSizeHint()));
    QTRY_VERIFY(window->FirstShowDone());
    QVERIFY(!splash.isVisible()); // the first showing closed it
}

// The Setup lists stay open to a user who is entering a transaction. Afterwards the
// lists and symbols may follow, but the panel keeps what was typed and, in Edit, the
// transaction under it: Save writes the edit into the transaction it began on.
void TestMainWindow::setupListsWhileEnteringKeepTheTransaction_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("editing");
    for (const bool editing : {true, false}) {
        const char *mode = editing ? "edit" : "new";
        QTest::addRow("currencies, %s", mode) << "Currencies" << editing;
        QTest::addRow("accounts, %s", mode) << "Accounts" << editing;
        QTest::addRow("payees, %s", mode) << "Payees" << editing;
        QTest::addRow("categories, %s", mode) << "Categories" << editing;
    }
}

void TestMainWindow::setupListsWhileEnteringKeepTheTransaction()
{
    QFETCH(QString, item);
    QFETCH(bool, editing);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    const int first = addTransaction(file, bankRow(otherDayThisMonth(), QStringLiteral("one")));
    const int second = addTransaction(file, bankRow(otherDayThisMonth(), QStringLiteral("two")));
    f.setLastOpened(file);
    Started s(f);
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    const MainMenu &m = s.window.menu();
    auto *note = panel->findChild<QPlainTextEdit *>(QStringLiteral("memoNote"));
    auto *amount = panel->findChild<QLineEdit *>(QStringLiteral("txtAmt"));
    TPubStrGrid *grid = view->strGridTransactions();
    grid->SetCurrentRow(grid->FindRow(0, QString::number(first)));
    QCOMPARE(view->registerState().SelectedTransactionId, first);

    if (editing) {
        m.EditTransaction1->trigger();
        note->setPlainText(QStringLiteral("edited"));
    } else {
        m.NewTransaction1->trigger();
        QTest::keyClicks(amount, QStringLiteral("7.25"));
        note->setPlainText(QStringLiteral("typed"));
    }
    const EntryMode mode = view->registerState().entryMode;
    QCOMPARE(mode, editing ? EntryMode::Edit : EntryMode::New);

    QAction *action = nullptr;
    if (item == QLatin1String("Currencies")) {
        f.answers = newCurrencyVisit();
        action = m.Currencies1;
    } else if (item == QLatin1String("Accounts")) {
        f.answers = newAccountVisit(QStringLiteral("Visa"));
        action = m.Accounts1;
    } else {
        f.answers = newItemVisit(QStringLiteral("New ") + item);
        action = item == QLatin1String("Payees") ? m.PayeesandBudgets1 : m.CategoriesandBudgets1;
    }
    QVERIFY(action->isEnabled());
    action->trigger();
    QVERIFY2(f.answers.isEmpty(), "the list did not store anything");

    QCOMPARE(view->registerState().entryMode, mode);
    QCOMPARE(view->currentAccountName(), QStringLiteral("Bank"));
    QCOMPARE(note->toPlainText(), QString::fromLatin1(editing ? "edited" : "typed"));
    if (editing)
        QCOMPARE(view->registerState().SelectedTransactionId, first);
    else
        QCOMPARE(amount->text(), QStringLiteral("7.25"));

    panel->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    TMyDataModule &db = f.session.MyDataModule;
    QCOMPARE(noteOf(db, first), QString::fromLatin1(editing ? "edited" : "one"));
    QCOMPARE(noteOf(db, second), QStringLiteral("two"));
    if (!editing) {
        const int saved = view->registerState().SelectedTransactionId;
        QVERIFY(saved > second);
        QCOMPARE(noteOf(db, saved), QStringLiteral("typed"));
    }
}

// After the account list the register shows the account it showed (none when that
// was deleted); when it showed none, the account made last.
void TestMainWindow::accountBoxAfterTheAccountList_data()
{
    // Bank is the file's default account; the register shows the first account named.
    QTest::addColumn<QStringList>("accounts");
    QTest::addColumn<QString>("deleted");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QString>("shown");
    const QStringList bank{QStringLiteral("Bank"), QStringLiteral("Savings")};
    const QStringList savings{QStringLiteral("Savings"), QStringLiteral("Bank")};
    QTest::newRow("shown account deleted") << savings << "Savings" << "" << "";
    QTest::newRow("shown default account deleted") << bank << "Bank" << "" << "";
    QTest::newRow("shown account deleted, another made") << savings << "Savings" << "Visa" << "Visa";
    QTest::newRow("another made while one is shown") << savings << "" << "Visa" << "Savings";
    QTest::newRow("other account deleted") << savings << "Bank" << "" << "Savings";
    QTest::newRow("file without accounts, one made") << QStringList() << "" << "Visa" << "Visa";
}

void TestMainWindow::accountBoxAfterTheAccountList()
{
    QFETCH(QStringList, accounts);
    QFETCH(QString, deleted);
    QFETCH(QString, created);
    QFETCH(QString, shown);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    if (!accounts.isEmpty()) {
        addAccounts(file, {QStringLiteral("Bank"), QStringLiteral("Savings")});
        TTransaction inSavings = bankRow(otherDayThisMonth(), QStringLiteral("in Savings"));
        inSavings.AccountDescription = QStringLiteral("Savings");
        addTransaction(file, inSavings);
    }
    addTransaction(file, bankRow(otherDayThisMonth(), QStringLiteral("in Bank")));
    f.setLastOpened(file);
    Started s(f);
    RegisterView *view = s.window.registerView();
    view->cmbAccounts()->setCurrentIndex(view->cmbAccounts()->findText(accounts.value(0)));
    QCOMPARE(view->currentAccountName(), accounts.value(0));

    f.answers = newAccountVisit(created, deleted);
    f.notifier.dialogAnswers = {QStringLiteral("Yes"), QStringLiteral("Yes")};
    s.window.menu().Accounts1->trigger();
    QVERIFY(f.answers.isEmpty());

    QCOMPARE(view->currentAccountName(), shown);
    QCOMPARE(view->cmbAccounts()->currentIndex(), shown.isEmpty() ? -1 : view->cmbAccounts()->findText(shown));
    const bool rowsShown = shown == QLatin1String("Bank") || shown == QLatin1String("Savings");
    QCOMPARE(view->registerRowCount(), rowsShown ? 1 : 0);
    QCOMPARE(view->lblNoTransactions()->isHidden(), rowsShown);
}

// A transaction edited and saved without a change keeps every byte of its row: the
// date it was shown with at start-up, and values no window could have typed.
void TestMainWindow::unchangedSaveKeepsTheRow_data()
{
    QTest::addColumn<QString>("payee");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("amount");
    QTest::newRow("plain row, not dated today") << "Grocer" << "Food" << "milk" << "-12.50";
    QTest::newRow("four decimals") << "Grocer" << "Food" << "milk" << "-12.3456";
    QTest::newRow("receipt, three decimals") << "Grocer" << "Food" << "refund" << "4.125";
    QTest::newRow("amount longer than the field") << "Grocer" << "Food" << "car" << "-123456789012.5";
    QTest::newRow("payee of 100 characters") << QString(100, u'p') << "Food" << "milk" << "-1";
    QTest::newRow("category of 90 characters") << "Grocer" << QString(90, u'c') << "milk" << "-1";
    QTest::newRow("note of 400 characters") << "Grocer" << "Food" << QString(400, u'n') << "-1";
}

void TestMainWindow::unchangedSaveKeepsTheRow()
{
    QFETCH(QString, payee);
    QFETCH(QString, category);
    QFETCH(QString, note);
    QFETCH(QString, amount);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    {
        TMyDataModule db;
        db.open(file);
        SqlStatement(db, QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES (:n, 'Expense', 0, ' ')"))
            .bind(QStringLiteral(":n"), payee).exec();
        SqlStatement(db, QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES (:n, 'Expense', 0, ' ')"))
            .bind(QStringLiteral(":n"), category).exec();
    }
    TTransaction t = bankRow(otherDayThisMonth(), note, amount);
    t.PayeeName = payee;
    t.CategoryDescription = category;
    const int id = addTransaction(file, t);
    QString before;
    {
        TMyDataModule db;
        db.open(file);
        before = rowText(db, id);
    }
    f.setLastOpened(file);
    Started s(f);
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    QCOMPARE(view->registerState().SelectedTransactionId, id);
    QCOMPARE(panel->findChild<QDateEdit *>(QStringLiteral("TrnDate"))->date(), otherDayThisMonth());
    QCOMPARE(panel->findChild<QPlainTextEdit *>(QStringLiteral("memoNote"))->toPlainText(), note);

    s.window.menu().EditTransaction1->trigger();
    QCOMPARE(view->registerState().entryMode, EntryMode::Edit);
    panel->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    QCOMPARE(rowText(f.session.MyDataModule, id), before);
}

// Older files hold "C" for a cleared transaction. The status box reads it as "Cleared",
// so an unchanged save keeps the transaction cleared.
void TestMainWindow::oldClearedMarkSurvivesAnUnchangedSave()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("first.tillbrook"));
    addAccounts(file, {QStringLiteral("Bank")});
    TTransaction t = bankRow(otherDayThisMonth(), QStringLiteral("old"));
    t.Status = QStringLiteral("C");
    const int id = addTransaction(file, t);
    f.setLastOpened(file);
    Started s(f);
    RegisterView *view = s.window.registerView();
    EntryPanel *panel = view->entryPanel();
    QCOMPARE(view->registerState().SelectedTransactionId, id);
    auto *status = panel->findChild<QComboBox *>(QStringLiteral("cmbReconciled"));
    QCOMPARE(status->currentText(), QStringLiteral("Cleared"));
    QCOMPARE(view->registerGrid().cell(RegisterGrid::ColStatus, view->registerGrid().findRow(id)), QStringLiteral("C"));

    s.window.menu().EditTransaction1->trigger();
    panel->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    TTransaction saved;
    QVERIFY(LoadTransaction(f.session.MyDataModule, id, saved));
    QCOMPARE(saved.Status, QStringLiteral("Cleared"));
}

// "Create new Tillbrook file" gives a file whose Cash account the register shows at
// once, ready for New Transaction.
void TestMainWindow::newFileShowsCashReadyForANewTransaction()
{
    Fixture f;
    f.setLastOpened(f.newFile(QStringLiteral("first.tillbrook")));
    Started s(f);
    RegisterView *view = s.window.registerView();
    QCOMPARE(view->currentAccountName(), QString());

    const QString path = f.dir.filePath(QStringLiteral("household.tillbrook"));
    f.answers = {choosePath(path)};
    s.window.NewTillbrookfile1Click();
    QCOMPARE(f.session.CurrentDataFile, path);
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Tillbrook - ") + path);
    QCOMPARE(view->currentAccountName(), QStringLiteral("Cash"));
    QVERIFY(view->cmbAccounts()->findText(QStringLiteral("Savings")) >= 0);

    s.window.menu().NewTransaction1->trigger();
    QTest::keyClicks(view->entryPanel()->findChild<QLineEdit *>(QStringLiteral("txtAmt")), QStringLiteral("5"));
    view->entryPanel()->findChild<QPushButton *>(QStringLiteral("btnSave"))->click();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Transaction has been saved."));
    QCOMPARE(view->registerRowCount(), 1);
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

// Backup, restore and optimisation close the file, and a restore replaces it: while a
// transaction is entered they are refused as Open is, and nothing is asked.
void TestMainWindow::maintenanceWhileEditingIsRefused_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("backup") << "Backup1";
    QTest::newRow("restore") << "Restore1";
    QTest::newRow("restore the start-up backup") << "RestoreBeforeSession1";
    QTest::newRow("restore the closing backup") << "RestoreLastClose1";
    QTest::newRow("validate and optimise") << "CompactRepair1";
}

void TestMainWindow::maintenanceWhileEditingIsRefused()
{
    QFETCH(QString, item);
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    addAccounts(file, {QStringLiteral("Wallet")});
    f.setLastOpened(file);
    Started s(f);
    s.window.registerView()->entryPanel()->tbNewClick();
    QVERIFY(s.window.isEditing());
    f.shownDialogs.clear();
    f.notifier.clear();
    auto *action = s.window.findChild<QAction *>(item);
    QVERIFY(action);
    action->trigger();
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  ") + EntryLockMessage::Maintenance);
    QVERIFY(f.shownDialogs.isEmpty());
    QVERIFY(f.notifier.dialogs.isEmpty());
    QVERIFY(s.window.isEditing());
    QCOMPARE(f.session.CurrentDataFile, file);
}

// The file is closed while a backup works on it. A click on the next-month arrow then
// must do nothing: it would load the register from a file that is not there for it,
// reconnect it and take its lock back from the backup.
void TestMainWindow::windowTakesNoInputDuringABackup()
{
    Fixture f;
    const QString file = f.newFile(QStringLiteral("home.tillbrook"));
    addAccounts(file, {QStringLiteral("Wallet")});
    f.setLastOpened(file);
    Started s(f);
    QVERIFY(showActive(s.window));
    RegisterView *view = s.window.registerView();
    const int month = view->shownMonth().month;
    QPushButton *next = view->pnlMonth()->btnMoreDate();
    bool clickedWhileClosed = false;
    // The click lands while the work lets the windows repaint, with the file closed.
    QTimer::singleShot(0, this, [&] {
        clickedWhileClosed = !f.session.MyDataModule.isConnected();
        QTest::mouseClick(next, Qt::LeftButton);
    });
    const QString archive = f.dir.filePath(QStringLiteral("home.zip"));
    f.answers = {choosePath(archive)};
    s.window.Backup1Click();
    QVERIFY(clickedWhileClosed);
    QCOMPARE(view->shownMonth().month, month);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Backup created."));
    QVERIFY(f.notifier.messageBoxes.isEmpty());
    QVERIFY(QFileInfo::exists(archive));
    // Afterwards the window works as before.
    QTest::mouseClick(next, Qt::LeftButton);
    QVERIFY(view->shownMonth().month != month);
}

void TestMainWindow::reportItemsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("dialogs");
    // Each printed report asks its dates first; closing that dialog ends it.
    QTest::newRow("report centre") << "ReportCentre1" << QStringList{"TfrmReportCentre"};
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
