#include "core/base/notices.h"
#include "support/fakenotifier.h"

#include <QTest>

class TestNotices : public QObject
{
    Q_OBJECT
private slots:
    void showNoticeKinds_data();
    void showNoticeKinds();
    void askYesNo_data();
    void askYesNo();
    void errorDialogCarriesTheMessageUnderMore();
};

void TestNotices::showNoticeKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("bars");
    QTest::addColumn<bool>("warningBar");
    QTest::addColumn<int>("dialogs");
    QTest::addColumn<int>("icon");

    QTest::newRow("0 warning bar") << 0 << 1 << true << 0 << -1;
    QTest::newRow("1 warning dialog") << 1 << 0 << false << 1 << int(DialogIcon::Warning);
    QTest::newRow("2 information bar") << 2 << 1 << false << 0 << -1;
    QTest::newRow("3 warning dialog") << 3 << 0 << false << 1 << int(DialogIcon::Warning);
    QTest::newRow("4 information dialog") << 4 << 0 << false << 1 << int(DialogIcon::Information);
}

void TestNotices::showNoticeKinds()
{
    QFETCH(int, kind);
    QFETCH(int, bars);
    QFETCH(bool, warningBar);
    QFETCH(int, dialogs);
    QFETCH(int, icon);

    FakeNotifier notifier;
    ShowNotice(notifier, QStringLiteral("Transaction has been saved."), NoticeKind(kind));
    QCOMPARE(notifier.bars.size(), bars);
    QCOMPARE(notifier.dialogs.size(), dialogs);
    QCOMPARE(notifier.beeps, 1);
    if (bars) {
        QCOMPARE(notifier.bars[0].text, QStringLiteral("  Transaction has been saved."));
        QCOMPARE(notifier.bars[0].kind == BarKind::Warning, warningBar);
    }
    if (dialogs) {
        const MessageDialogRequest &d = notifier.dialogs[0];
        QCOMPARE(d.caption, QStringLiteral("Tillbrook"));
        QCOMPARE(d.top, QStringLiteral("  Transaction has been saved."));
        QVERIFY(d.button1.isEmpty());
        QCOMPARE(d.button2, QStringLiteral("Ok"));
        QCOMPARE(int(d.icon), icon);
    }
}

void TestNotices::askYesNo_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("expected");
    QTest::newRow("Yes") << QStringList{QStringLiteral("Yes")} << 6;
    QTest::newRow("No") << QStringList{QStringLiteral("No")} << 7;
    QTest::newRow("closed without a button") << QStringList{} << 7;
}

void TestNotices::askYesNo()
{
    QFETCH(QStringList, answers);
    QFETCH(int, expected);
    FakeNotifier notifier;
    notifier.dialogAnswers = answers;
    QCOMPARE(AskYesNo(notifier, QStringLiteral("Continue?")), expected);
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs[0].button1, QStringLiteral("Yes"));
    QCOMPARE(notifier.dialogs[0].button2, QStringLiteral("No"));
    QCOMPARE(notifier.dialogs[0].icon, DialogIcon::Question);
}

void TestNotices::errorDialogCarriesTheMessageUnderMore()
{
    FakeNotifier notifier;
    ShowErrorDialog(notifier, QStringLiteral("no such table: tbPayee"));
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs[0].top, QStringLiteral("An error has occured, please re-try"));
    QCOMPARE(notifier.dialogs[0].details, QStringLiteral("no such table: tbPayee"));
    QCOMPARE(notifier.dialogs[0].button2, QStringLiteral("Ok"));
}

QTEST_GUILESS_MAIN(TestNotices)
#include "tst_notices.moc"
