#include "core/datafile/filelock.h"
#include "core/datafile/leftoverfiles.h"
#include "core/session/datafileops.h"
#include "support/testdatafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// What a killed backup, restore or compaction leaves beside a data file goes at the
// next opening: only names of exactly those forms, and never while another program
// holds the file.
class TestLeftoverFiles : public QObject
{
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void openingRemovesThemUnlessTheFileIsHeld_data();
    void openingRemovesThemUnlessTheFileIsHeld();
};

void TestLeftoverFiles::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("leftover");
    QTest::newRow("extracted file of a restore") << ".home.tillbrook.restoring-a1B2c3" << true;
    QTest::newRow("half-written archive") << "home.tillbrook.zip.Zx9Yw8" << true;
    QTest::newRow("half-written start-up backup") << "home.tillbrook.before_startup.zip.abcdef" << true;
    QTest::newRow("half-written closing backup") << "home.tillbrook.before_close.zip.ABCDEF" << true;
    QTest::newRow("compaction copy") << "home.tillbrookx" << true;
    QTest::newRow("its journal") << "home.tillbrookx-journal" << true;
    QTest::newRow("the data file") << "home.tillbrook" << false;
    QTest::newRow("the backup itself") << "home.tillbrook.zip" << false;
    QTest::newRow("the start-up backup") << "home.tillbrook.before_startup.zip" << false;
    QTest::newRow("another file's leftover") << ".work.tillbrook.restoring-a1B2c3" << false;
    QTest::newRow("five random characters") << ".home.tillbrook.restoring-a1B2c" << false;
    QTest::newRow("seven random characters") << "home.tillbrook.zip.abcdefg" << false;
    QTest::newRow("the data file's journal") << "home.tillbrook-journal" << false;
    QTest::newRow("a name that only starts alike") << "home.tillbrookxy" << false;
}

void TestLeftoverFiles::names()
{
    QFETCH(QString, name);
    QFETCH(bool, leftover);
    QTemporaryDir dir;
    const QString dataFile = dir.filePath(QStringLiteral("home.tillbrook"));
    for (const QString &file : {dataFile, dir.filePath(name)}) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(LeftoverWorkFiles(dataFile).contains(dir.filePath(name)), leftover);
}

void TestLeftoverFiles::openingRemovesThemUnlessTheFileIsHeld_data()
{
    QTest::addColumn<bool>("held");
    QTest::newRow("free") << false;
    QTest::newRow("held by another program") << true;
}

void TestLeftoverFiles::openingRemovesThemUnlessTheFileIsHeld()
{
    QFETCH(bool, held);
    TestDataFile f;
    const QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    const QString folder = QFileInfo(path).absolutePath();
    const QStringList leftovers{QStringLiteral(".home.tillbrook.restoring-a1B2c3"), QStringLiteral("home.tillbrookx"),
                                QStringLiteral("home.tillbrook.before_close.zip.Zx9Yw8")};
    const QStringList kept{QStringLiteral("home.tillbrook.zip"), QStringLiteral("notes.txt")};
    for (const QString &name : leftovers + kept) {
        QFile file(QDir(folder).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    FileLock holder;
    if (held)
        QVERIFY(holder.tryLock(path));
    QCOMPARE(OpenDataFile(f.session, path), !held);
    for (const QString &name : leftovers)
        QCOMPARE(QFileInfo::exists(QDir(folder).filePath(name)), held);
    for (const QString &name : kept)
        QVERIFY(QFileInfo::exists(QDir(folder).filePath(name)));
}

QTEST_GUILESS_MAIN(TestLeftoverFiles)
#include "tst_leftoverfiles.moc"
