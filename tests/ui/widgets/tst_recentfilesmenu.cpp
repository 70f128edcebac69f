#include "core/base/tillbrookerror.h"
#include "core/session/recentfiles.h"
#include "support/fakenotifier.h"
#include "ui/widgets/recentfilesmenu.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

QStringList textsOf(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << (action->isSeparator() ? QStringLiteral("--") : action->text());
    return texts;
}

} // namespace

class TestRecentFilesMenu : public QObject
{
    Q_OBJECT
private slots:
    void menuShowsTheEntries();
    void clickOpensAndDropsOrRaises_data();
    void clickOpensAndDropsOrRaises();
    void failingClickIsReportedAndKeepsTheEntry();
};

void TestRecentFilesMenu::menuShowsTheEntries()
{
    QMenu menu;
    TRegMru list;
    list.setMaxItems(5);
    FakeNotifier notifier;
    RecentFilesMenu shown(&menu, list, notifier, {});
    QVERIFY(!menu.menuAction()->isEnabled());

    list.AddItem(QStringLiteral("/home/me/Smith & Sons.tillbrook"));
    list.AddItem(QStringLiteral("/home/me/house.tillbrook"));
    QCOMPARE(textsOf(menu), (QStringList{"--", "&1 /home/me/house.tillbrook", "&2 /home/me/Smith && Sons.tillbrook"}));
    QVERIFY(menu.menuAction()->isEnabled());

    // An entry added before the menu existed is shown too.
    TRegMru filled;
    filled.AddItem(QStringLiteral("/a.tillbrook"));
    QMenu other;
    RecentFilesMenu late(&other, filled, notifier, {});
    QCOMPARE(textsOf(other), (QStringList{"--", "&1 /a.tillbrook"}));
}

void TestRecentFilesMenu::clickOpensAndDropsOrRaises_data()
{
    QTest::addColumn<bool>("canDelete");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("dropped") << true << QStringList{"--", "&1 /c", "&2 /a"};
    QTest::newRow("kept at the top") << false << QStringList{"--", "&1 /b", "&2 /c", "&3 /a"};
}

void TestRecentFilesMenu::clickOpensAndDropsOrRaises()
{
    QFETCH(bool, canDelete);
    QFETCH(QStringList, texts);

    QMenu menu;
    TRegMru list;
    FakeNotifier notifier;
    QStringList opened;
    RecentFilesMenu shown(&menu, list, notifier, [&](const QString &path, bool &CanDelete) {
        opened << path;
        CanDelete = canDelete;
    });
    for (const char *name : {"/a", "/b", "/c"})
        list.AddItem(QLatin1String(name));

    shown.items().at(1)->trigger();
    QCOMPARE(opened, QStringList{"/b"});
    QCOMPARE(textsOf(menu), texts);

    // Until the last entry goes, with the separator, and the submenu is greyed.
    while (list.count() > 0)
        list.RemoveItem(0);
    QVERIFY(menu.actions().isEmpty());
    QVERIFY(!menu.menuAction()->isEnabled());
}

void TestRecentFilesMenu::failingClickIsReportedAndKeepsTheEntry()
{
    QMenu menu;
    TRegMru list;
    FakeNotifier notifier;
    RecentFilesMenu shown(&menu, list, notifier, [](const QString &, bool &CanDelete) {
        CanDelete = true;
        throw TillbrookError(QStringLiteral("disk I/O error"));
    });
    list.AddItem(QStringLiteral("/a"));
    list.AddItem(QStringLiteral("/b"));

    shown.items().at(1)->trigger();
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs[0].details, QStringLiteral("disk I/O error"));
    QCOMPARE(textsOf(menu), (QStringList{"--", "&1 /b", "&2 /a"}));
    // The list takes adds again after the failed click.
    QCOMPARE(list.AddItem(QStringLiteral("/c")), 0);
}

QTEST_MAIN(TestRecentFilesMenu)
#include "tst_recentfilesmenu.moc"
