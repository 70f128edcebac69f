#include "core/datafile/sqlstatement.h"
#include "core/maintenance/fileoptions.h"
#include "core/session/datafileops.h"
#include "core/session/settings.h"
#include "support/scripteddialogs.h"
#include "support/testdata.h"
#include "support/testdatafile.h"
#include "ui/mainwindow/mainwindow.h"
#include "ui/register/monthnavigator.h"
#include "ui/register/registerview.h"
#include "ui/schedule/scheduledue.h"
#include "ui/schedule/schedulelist.h"
#include "ui/widgets/multicollistbox.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>

// The main window's part in scheduled transactions: the due check when the last file
// is opened at start-up and when "Today" is pressed, and the commands that reach the
// schedules.
class TestMainWindowSchedules : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startupEntersWhatIsDueAndTodayAsksForTheRest();
    void commandsReachTheSchedules();

private:
    int transactionCount();
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeNotifier> m_notifier;
    std::unique_ptr<Session> m_session;
    QString m_path;
    int m_bank = 0;
};

void TestMainWindowSchedules::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    const QString folder = m_dir->path() + u'/';
    QFile::copy(TemplatePath(), folder + QLatin1String(TemplateFileName));
    QFile::copy(TemplatePath(), folder + QLatin1String(DefaultDataFileName));
    m_path = m_dir->filePath(QStringLiteral("book.tillbrook"));
    QFile::copy(TemplatePath(), m_path);
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    RemoveStartingAccounts(m_path);
    {
        TMyDataModule db;
        db.open(m_path);
        TestData data(db);
        m_bank = data.account(QStringLiteral("Bank"));
        SqlStatement(db, QStringLiteral("UPDATE MySettings SET DefaultAccountId = :a, AutoBackup = 'N'"))
            .bind(QStringLiteral(":a"), m_bank)
            .exec();
        TestSchedule rent; // automatic, monthly on the 1st
        rent.accountId = m_bank;
        rent.nextDue = QDate(2024, 1, 1);
        data.schedule(rent);
        TestSchedule asked = rent; // asked about, on the 20th
        asked.autoEnter = false;
        asked.dayOfMonth = 20;
        asked.nextDue = QDate(2024, 3, 20);
        data.schedule(asked);
    }
    WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), m_path, folder);
    m_notifier = std::make_unique<FakeNotifier>();
    m_session = std::make_unique<Session>(*m_notifier, folder);
}

void TestMainWindowSchedules::cleanup()
{
    m_session.reset();
    m_notifier.reset();
    m_dir.reset();
}

int TestMainWindowSchedules::transactionCount()
{
    SqlStatement q(m_session->MyDataModule, QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    q.exec();
    return q.next() ? q.value(0).toInt() : -1;
}

void TestMainWindowSchedules::startupEntersWhatIsDueAndTodayAsksForTheRest()
{
    ScriptedDialogs dialogs;
    QDate today(2024, 3, 13);
    TfrmMain window(*m_session);
    window.setWaitMilliseconds(0);
    window.setClock([&today] { return today; });
    window.FormShow();
    QVERIFY(window.FirstShowDone());
    QVERIFY2(dialogs.done(), qPrintable(dialogs.opened.join(u',')));
    QCOMPARE(transactionCount(), 3);
    QCOMPARE(m_notifier->lastBar().trimmed(), QStringLiteral("3 scheduled transactions entered."));

    // A week later "Today" finds the occurrence of the 20th, which is asked about.
    today = QDate(2024, 3, 21);
    dialogs.then([](QDialog &dialog) {
        auto &due = DialogAs<TfrmScheduleDue>(dialog);
        [&] { QCOMPARE(due.shown().size(), 1); }();
        due.btnEnter->click();
        return due.result();
    });
    window.registerView()->pnlMonth()->btnToday()->click();
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));
    QCOMPARE(transactionCount(), 4);

    // Nothing more is due: "Today" asks nothing.
    window.registerView()->pnlMonth()->btnToday()->click();
    QCOMPARE(dialogs.opened.size(), 1);
    QCOMPARE(transactionCount(), 4);
}

void TestMainWindowSchedules::commandsReachTheSchedules()
{
    ScriptedDialogs dialogs;
    TfrmMain window(*m_session);
    window.setWaitMilliseconds(0);
    window.setClock([] { return QDate(2024, 3, 13); });
    window.FormShow();
    QCOMPARE(window.menu().ScheduledTransactions1->text(), QStringLiteral("Scheduled Transactions ..."));
    QVERIFY(window.menu().Setup1->actions().contains(window.menu().ScheduledTransactions1));
    dialogs.then([](QDialog &dialog) {
        auto &list = DialogAs<TfrmScheduleList>(dialog);
        [&] { QCOMPARE(list.lstItems->count(), 2); }();
        return int(QDialog::Accepted);
    });
    window.menu().ScheduledTransactions1->trigger();
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));

    QAction *scheduleThis = window.registerView()->exportMenu()->findChild<QAction *>(QStringLiteral("ScheduleThis1"));
    QVERIFY(scheduleThis);
    QCOMPARE(scheduleThis->text(), QStringLiteral("Schedule this ..."));
    QCOMPARE(window.registerView()->exportMenu()->actions().first(), scheduleThis);
}

QTEST_MAIN(TestMainWindowSchedules)
#include "tst_mainwindowschedules.moc"
