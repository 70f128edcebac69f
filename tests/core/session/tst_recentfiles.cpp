#include "core/session/inisection.h"
#include "core/session/recentfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Key = QStringLiteral("Software\\Tillbrook\\frmMain\\MRUHistory");

// The list as the main window sets it up.
void setUp(TRegMru &list)
{
    list.setMaxItems(5);
    list.ApplicationName = QStringLiteral("Tillbrook");
    list.OwnerName = QStringLiteral("frmMain");
}

QStringList namesOf(const TRegMru &list)
{
    QStringList names;
    for (const RecentFileEntry &entry : list.entries())
        names << entry.fileName;
    return names;
}

QStringList captionsOf(const TRegMru &list)
{
    QStringList captions;
    for (int i = 0; i < list.count(); ++i)
        captions << list.caption(i);
    return captions;
}

void addAll(TRegMru &list, const QStringList &names)
{
    for (const QString &name : names)
        list.AddItem(name);
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QStringList valueLines(const QList<IniValue> &values)
{
    QStringList lines;
    for (const IniValue &value : values)
        lines << value.name + u'=' + value.value;
    return lines;
}

} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void captionsMostRecentFirst_data();
    void captionsMostRecentFirst();
    void sameFileMovesToTop_data();
    void sameFileMovesToTop();
    void limit_data();
    void limit();
    void clickDropsOrRaisesTheEntry_data();
    void clickDropsOrRaisesTheEntry();
    void removingTheLastEntryRemovesTheSeparator();
    void saveWritesTheLayoutAndDropsOlderValues();
    void loadReadsNumbersAndLimit_data();
    void loadReadsNumbersAndLimit();
    void badStoreLeavesTheListEmpty_data();
    void badStoreLeavesTheListEmpty();
    void namesSurviveTheStore_data();
    void namesSurviveTheStore();
    void storeFollowsEveryChange();

private:
    QTemporaryDir m_dir;
};

void TestRecentFiles::captionsMostRecentFirst_data()
{
    QTest::addColumn<int>("maxItems");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("five files") << 5 << QStringList{"a", "b", "c", "d", "e"}
                                << QStringList{"&1 e", "&2 d", "&3 c", "&4 b", "&5 a"};
    QTest::newRow("a sixth drops the oldest") << 5 << QStringList{"a", "b", "c", "d", "e", "f"}
                                              << QStringList{"&1 f", "&2 e", "&3 d", "&4 c", "&5 b"};
    QTest::newRow("ninth and tenth have no accelerator")
        << -1 << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}
        << QStringList{"&1 j", "&2 i", "&3 h", "&4 g", "&5 f", "&6 e", "&7 d", "&8 c", "9 b", "10 a"};
}

void TestRecentFiles::captionsMostRecentFirst()
{
    QFETCH(int, maxItems);
    QFETCH(QStringList, added);
    QFETCH(QStringList, captions);

    // Plain names resolve against the working folder; the captions show them as given.
    TRegMru list;
    list.setMaxItems(maxItems);
    addAll(list, added);
    QCOMPARE(captionsOf(list), captions);
    QVERIFY(list.separatorShown());
}

void TestRecentFiles::sameFileMovesToTop_data()
{
    QTest::addColumn<QString>("added");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("topNumber");

    const QString a = m_dir.filePath(QStringLiteral("a.tillbrook"));
    const QString b = m_dir.filePath(QStringLiteral("b.tillbrook"));
    const QString c = m_dir.filePath(QStringLiteral("c.tillbrook"));
    // Listed: c (most recent), b, a. a exists and has a symbolic link to it.
    QTest::newRow("same name") << a << 4 << QStringList{a, c, b} << 4;
    QTest::newRow("dot segments keep the listed spelling")
        << m_dir.path() + QStringLiteral("/./sub/../a.tillbrook") << 4 << QStringList{a, c, b} << 0;
    QTest::newRow("link to a listed file") << m_dir.filePath(QStringLiteral("link.tillbrook")) << 4
                                           << QStringList{a, c, b} << 0;
    QTest::newRow("a name differing in case is another file")
        << m_dir.filePath(QStringLiteral("A.tillbrook")) << 4
        << QStringList{m_dir.filePath(QStringLiteral("A.tillbrook")), c, b, a} << 4;
    QTest::newRow("the most recent again") << c << 0 << QStringList{c, b, a} << 0;
}

void TestRecentFiles::sameFileMovesToTop()
{
    QFETCH(QString, added);
    QFETCH(int, number);
    QFETCH(QStringList, names);
    QFETCH(int, topNumber);

    const QString a = m_dir.filePath(QStringLiteral("a.tillbrook"));
    writeFile(a, "x");
    QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
    QFile::link(a, m_dir.filePath(QStringLiteral("link.tillbrook")));

    TRegMru list;
    setUp(list);
    addAll(list, {a, m_dir.filePath(QStringLiteral("b.tillbrook")), m_dir.filePath(QStringLiteral("c.tillbrook"))});
    list.AddItem(added, false, number);
    QCOMPARE(namesOf(list), names);
    QCOMPARE(list.entries().first().Number, topNumber);
}

void TestRecentFiles::limit_data()
{
    QTest::addColumn<int>("maxItems");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("lowered below the count keeps the newest") << 2 << QStringList{"/d", "/c"};
    QTest::newRow("zero empties the list") << 0 << QStringList{};
    QTest::newRow("no limit") << -1 << QStringList{"/d", "/c", "/b", "/a"};
}

void TestRecentFiles::limit()
{
    QFETCH(int, maxItems);
    QFETCH(QStringList, names);

    TRegMru list;
    addAll(list, {"/a", "/b", "/c", "/d"});
    list.setMaxItems(maxItems);
    QCOMPARE(namesOf(list), names);
    // Adding keeps to the limit, and a limit of 0 takes nothing.
    QCOMPARE(list.AddItem(QStringLiteral("/e")) == 0, maxItems != 0);
    if (maxItems >= 0)
        QCOMPARE(list.count(), maxItems);
    QCOMPARE(list.separatorShown(), maxItems != 0);
}

void TestRecentFiles::clickDropsOrRaisesTheEntry_data()
{
    QTest::addColumn<bool>("canDelete");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("dropped") << true << QStringList{"/c", "/a"};
    QTest::newRow("kept, now the most recent") << false << QStringList{"/b", "/c", "/a"};
}

void TestRecentFiles::clickDropsOrRaisesTheEntry()
{
    QFETCH(bool, canDelete);
    QFETCH(QStringList, names);

    TRegMru list;
    addAll(list, {"/a", "/b", "/c"});
    QString clicked;
    list.ItemClick(1, [&](const QString &fileName, bool &CanDelete) {
        clicked = fileName;
        // What the handler opens is not added while it runs.
        QCOMPARE(list.AddItem(QStringLiteral("/z")), -1);
        CanDelete = canDelete;
    });
    QCOMPARE(clicked, QStringLiteral("/b"));
    QCOMPARE(namesOf(list), names);
    // Adds work again afterwards.
    QCOMPARE(list.AddItem(QStringLiteral("/z")), 0);
}

void TestRecentFiles::removingTheLastEntryRemovesTheSeparator()
{
    TRegMru list;
    QVERIFY(!list.separatorShown());
    addAll(list, {"/a", "/b"});
    list.RemoveItem(0);
    QVERIFY(list.separatorShown());
    list.RemoveItem(0);
    QVERIFY(!list.separatorShown());
    QCOMPARE(list.count(), 0);
}

void TestRecentFiles::saveWritesTheLayoutAndDropsOlderValues()
{
    const QString store = m_dir.filePath(QStringLiteral("save/RecentFiles.ini"));
    QDir().mkpath(QFileInfo(store).absolutePath());
    writeFile(store, "[Other]\nkept=1\n\n"
                     "[Software\\Tillbrook\\frmMain\\MRUHistory]\n"
                     "Count=4\nMaxFiles=5\nH0=/a\nH1=/b\nH2=/c\nH3=/d\ndefault=stays\n");

    TRegMru list;
    setUp(list);
    addAll(list, {"/x.tillbrook", "/y.tillbrook"});
    list.AddItem(QStringLiteral("/x.tillbrook"), false, 7);
    QVERIFY(list.SaveList(store));

    const auto values = ReadIniSection(store, Key);
    QVERIFY(values);
    QCOMPARE(valueLines(*values), (QStringList{"default=stays", "Count=2", "MaxFiles=5", "H0=/x.tillbrook|7",
                                               "H1=/y.tillbrook"}));
    QCOMPARE(valueLines(*ReadIniSection(store, QStringLiteral("Other"))), QStringList{"kept=1"});
}

void TestRecentFiles::loadReadsNumbersAndLimit_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<int>("maxItems");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("number after the last bar") << QByteArray("COUNT=2\nmaxfiles=5\nH0=/x.tillbrook|7\nH1=/y.tillbrook\n")
                                               << 5 << QStringList{"/x.tillbrook", "/y.tillbrook"}
                                               << QList<int>{7, 0};
    QTest::newRow("a number that is not one")
        << QByteArray("Count=1\nH0=/x.tillbrook|seven\n") << 5 << QStringList{"/x.tillbrook"} << QList<int>{0};
    QTest::newRow("the stored limit replaces ours")
        << QByteArray("Count=3\nMaxFiles=2\nH0=/a\nH1=/b\nH2=/c\n") << 2 << QStringList{"/a", "/b"}
        << QList<int>{0, 0};
    QTest::newRow("no limit stored as -1")
        << QByteArray("Count=6\nMaxFiles=-1\nH0=/a\nH1=/b\nH2=/c\nH3=/d\nH4=/e\nH5=/f\n") << -1
        << QStringList{"/a", "/b", "/c", "/d", "/e", "/f"} << QList<int>{0, 0, 0, 0, 0, 0};
    QTest::newRow("a limit that is not a number keeps ours")
        << QByteArray("Count=1\nMaxFiles=many\nH0=/a\n") << 5 << QStringList{"/a"} << QList<int>{0};
    QTest::newRow("a file listed twice is loaded once")
        << QByteArray("Count=3\nH0=/a\nH1=/b\nH2=/b\n") << 5 << QStringList{"/b", "/a"} << QList<int>{0, 0};
    QTest::newRow("DEFAULT is not an entry")
        << QByteArray("Default=/d\nCount=1\nH0=/a\n") << 5 << QStringList{"/a"} << QList<int>{0};
}

void TestRecentFiles::loadReadsNumbersAndLimit()
{
    QFETCH(QByteArray, section);
    QFETCH(int, maxItems);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, numbers);

    const QString store = m_dir.filePath(QStringLiteral("load.ini"));
    writeFile(store, "[Software\\Tillbrook\\frmMain\\MRUHistory]\n" + section);
    TRegMru list;
    setUp(list);
    list.LoadList(store);
    QCOMPARE(list.MaxItems(), maxItems);
    QCOMPARE(namesOf(list), names);
    QList<int> loadedNumbers;
    for (const RecentFileEntry &entry : list.entries())
        loadedNumbers << entry.Number;
    QCOMPARE(loadedNumbers, numbers);
    QCOMPARE(list.separatorShown(), !names.isEmpty());
}

void TestRecentFiles::badStoreLeavesTheListEmpty_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("contents");

    QTest::newRow("missing") << "missing" << QByteArray();
    QTest::newRow("a folder where the file should be") << "folder" << QByteArray();
    QTest::newRow("not a text file") << "file" << QByteArray("\x00\xff\xfe[\x01=\x02\n\x7f", 9);
    QTest::newRow("another key only") << "file" << QByteArray("[Software\\Else]\nCount=1\nH0=/a\n");
    QTest::newRow("count of 0") << "file" << QByteArray("[Software\\Tillbrook\\frmMain\\MRUHistory]\nCount=0\nH0=/a\n");
    QTest::newRow("count not a number")
        << "file" << QByteArray("[Software\\Tillbrook\\frmMain\\MRUHistory]\nCount=x\nH0=/a\n");
}

void TestRecentFiles::badStoreLeavesTheListEmpty()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, contents);

    const QString store = m_dir.filePath(QStringLiteral("bad-") + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(store));
    else if (kind == QLatin1String("file"))
        writeFile(store, contents);

    TRegMru list;
    setUp(list);
    list.setStore(store); // what the main window does at its creation
    QCOMPARE(list.count(), 0);
    QCOMPARE(list.MaxItems(), 5);
    QVERIFY(!list.separatorShown());
}

void TestRecentFiles::namesSurviveTheStore_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    QTest::newRow("plain") << "/home/me/money.tillbrook" << 0;
    QTest::newRow("with a number") << "/home/me/money.tillbrook" << 12;
    QTest::newRow("a bar in the name") << "/home/me/a|b.tillbrook" << 0;
    QTest::newRow("a bar in the name and a number") << "/home/me/a|3.tillbrook" << 9;
    QTest::newRow("blanks, equals sign and accents") << "/home/me/ Zoë = 2024 .tillbrook " << 0;
    QTest::newRow("brackets and semicolon") << "[x];y#.tillbrook" << 0;
}

void TestRecentFiles::namesSurviveTheStore()
{
    QFETCH(QString, name);
    QFETCH(int, number);

    const QString store = m_dir.filePath(QStringLiteral("names.ini"));
    QFile::remove(store);
    {
        TRegMru list;
        setUp(list);
        list.AddItem(QStringLiteral("/other.tillbrook"));
        list.AddItem(name, false, number);
        QVERIFY(list.SaveList(store));
    }
    TRegMru list;
    setUp(list);
    list.LoadList(store);
    QCOMPARE(namesOf(list), (QStringList{name, QStringLiteral("/other.tillbrook")}));
    QCOMPARE(list.entries().first().Number, number);
}

void TestRecentFiles::storeFollowsEveryChange()
{
    const QString store = m_dir.filePath(QStringLiteral("config/Tillbrook/RecentFiles.ini"));
    {
        TRegMru list;
        setUp(list);
        list.setStore(store);
        list.AddItem(QStringLiteral("/a.tillbrook"));
        list.AddItem(QStringLiteral("/b.tillbrook"));
        // Written at once: a program that is killed keeps its list.
        QCOMPARE(valueLines(*ReadIniSection(store, Key)),
                 (QStringList{"Count=2", "MaxFiles=5", "H0=/b.tillbrook", "H1=/a.tillbrook"}));
        list.ItemClick(0, [](const QString &, bool &CanDelete) { CanDelete = true; });
    }
    TRegMru list;
    setUp(list);
    list.setStore(store);
    QCOMPARE(namesOf(list), QStringList{"/a.tillbrook"});
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
