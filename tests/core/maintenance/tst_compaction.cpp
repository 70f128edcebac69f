#include "core/datafile/filelock.h"
#include "core/datafile/sqlstatement.h"
#include "core/maintenance/compaction.h"
#include "support/testdata.h"
#include "support/testdatafile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int transactionCount(const QString &path)
{
    TMyDataModule db;
    db.open(path);
    SqlStatement count(db, QStringLiteral("SELECT Count(*) FROM tbTransactions"));
    count.exec();
    return count.next() ? count.value(0).toInt() : -1;
}

QString sqliteShell(const QString &path, const QString &sql)
{
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {path, sql});
    if (!shell.waitForFinished(60000))
        return QStringLiteral("sqlite3 did not finish");
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

} // namespace

class TestCompaction : public QObject
{
    Q_OBJECT
private slots:
    void compactsAndKeepsTheData();
    void fileWithNothingToReclaimIsLeftAsItIs();
    void compactionLeftUnfinishedChangesNothing();
    void failureLeavesTheOriginal_data();
    void failureLeavesTheOriginal();
    void copyThatLostRowsIsRefused();
    void validateAndOptimiseReconnects();
    void chosenFileInUseIsCheckedAndStaysConnected();
};

void TestCompaction::compactsAndKeepsTheData()
{
    TestDataFile f;
    const QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    LeaveFreePages(path);
    const qint64 before = QFileInfo(path).size();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    QVERIFY(CompactDataFile(path));
    QVERIFY(QFileInfo(path).size() < before / 4);
    QVERIFY(!QFileInfo::exists(path + u'x'));
    QCOMPARE(transactionCount(path), 10);
    QCOMPARE(sqliteShell(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(sqliteShell(path, QStringLiteral("PRAGMA freelist_count")), QStringLiteral("0"));
    // The user's file keeps who may read it.
    QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

void TestCompaction::fileWithNothingToReclaimIsLeftAsItIs()
{
    TestDataFile f;
    const QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    const QByteArray before = readAll(path);
    QVERIFY(CompactDataFile(path));
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFileInfo::exists(path + u'x'));
}

void TestCompaction::compactionLeftUnfinishedChangesNothing()
{
    TestDataFile f;
    const QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    LeaveFreePages(path);
    const QByteArray before = readAll(path);
    {
        Compaction compaction(path);
        QVERIFY(compaction.ready());
        QCOMPARE(compaction.content(), path + u'x');
        QVERIFY(QFileInfo::exists(compaction.content()));
        QVERIFY(compaction.check());
        FileLock other;
        QVERIFY(!other.tryLock(path));
    }
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFileInfo::exists(path + u'x'));
    FileLock other;
    QVERIFY(other.tryLock(path));
}

void TestCompaction::failureLeavesTheOriginal_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("rename fails") << "rename";
    QTest::newRow("stale copy, rename fails") << "stale";
    QTest::newRow("held by another program") << "held";
    QTest::newRow("not a database") << "text";
    QTest::newRow("database of another kind") << "foreign";
    QTest::newRow("damaged data file") << "damaged";
}

void TestCompaction::failureLeavesTheOriginal()
{
    QFETCH(QString, kind);
    TestDataFile f;
    QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    LeaveFreePages(path);
    FileReplacer replace = ReplaceFileAtomically;
    FileLock holder;
    if (kind == QLatin1String("rename") || kind == QLatin1String("stale")) {
        replace = [](const QString &, const QString &) { return false; };
        if (kind == QLatin1String("stale")) {
            QFile stale(path + u'x');
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write("left over");
        }
    } else if (kind == QLatin1String("held")) {
        QVERIFY(holder.tryLock(path));
    } else if (kind == QLatin1String("text")) {
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
        text.write(QByteArray(8192, 'a'));
    } else if (kind == QLatin1String("foreign")) {
        QFile::remove(path);
        QCOMPARE(sqliteShell(path, QStringLiteral("CREATE TABLE t(x); INSERT INTO t VALUES (1); DELETE FROM t;")),
                 QString());
    } else if (kind == QLatin1String("damaged")) {
        // Garbage over the second page, the root of a table in use.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(4096);
        file.write(QByteArray(4096, '\x5a'));
    }
    const QByteArray before = readAll(path);

    QVERIFY(!CompactDataFile(path, replace));
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFileInfo::exists(path + u'x'));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("x-journal")));
}

// The copy is checked quickly (SQLite's quick check and the schema), so its rows are
// also counted against the file's: a copy short of a row is never put in place.
void TestCompaction::copyThatLostRowsIsRefused()
{
    TestDataFile f;
    const QString path = f.copyTemplate(QStringLiteral("home.tillbrook"));
    LeaveFreePages(path);
    const QByteArray before = readAll(path);
    {
        Compaction compaction(path);
        QVERIFY(compaction.ready());
        QCOMPARE(compaction.content(), path + u'x');
        QVERIFY(compaction.check());
        QCOMPARE(sqliteShell(compaction.content(), QStringLiteral("DELETE FROM tbTransactions WHERE rowid IN "
                                                                  "(SELECT rowid FROM tbTransactions LIMIT 1);")),
                 QString());
        QVERIFY(!compaction.check());
        QVERIFY(!compaction.finish(compaction.check()));
    }
    QCOMPARE(readAll(path), before);
    QVERIFY(!QFileInfo::exists(path + u'x'));
}

void TestCompaction::validateAndOptimiseReconnects()
{
    TestDataFile f;
    f.db().close();
    LeaveFreePages(f.path());
    const qint64 before = QFileInfo(f.path()).size();
    f.db().connect();

    CompactRepair(f.session);
    QVERIFY(f.db().isConnected());
    QVERIFY(QFileInfo(f.path()).size() < before);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Validation and optimisation of the database is ready."));
    QCOMPARE(f.notifier.bars.last().kind, BarKind::Information);
}

void TestCompaction::chosenFileInUseIsCheckedAndStaysConnected()
{
    TestDataFile f;
    QVERIFY(CheckChosenDataFile(f.session, f.path()));
    QVERIFY(f.db().isConnected());
    QCOMPARE(f.db().dataSource(), f.path());
    const QString other = f.filePath(QStringLiteral("notes.txt"));
    QFile text(other);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a data file");
    text.close();
    QVERIFY(!CheckChosenDataFile(f.session, other));
    QVERIFY(f.db().isConnected());
}

QTEST_GUILESS_MAIN(TestCompaction)
#include "tst_compaction.moc"
