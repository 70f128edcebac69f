#include "core/base/tillbrookerror.h"
#include "core/datafile/datamodule.h"
#include "core/datafile/filelock.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

int countPayees(TMyDataModule &db)
{
    SqlStatement q(db, QStringLiteral("SELECT COUNT(*) FROM tbPayee"));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

void insertPayee(TMyDataModule &db, const QString &name)
{
    SqlStatement(db, QStringLiteral("INSERT INTO tbPayee (PayeeName) VALUES (:n)")).bind(QStringLiteral(":n"), name).exec();
}

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT
private slots:
    void unusableFileIsRefusedAndLeftUntouched_data();
    void unusableFileIsRefusedAndLeftUntouched();
    void missingFileIsRefusedAndNotCreated();
    void statementOnClosedConnectionReconnects();
    void statementWhileHeldClosedIsAnError();
    void failedStatementRaisesTheEngineMessage();
    void rollbackUndoesTheWork();
    void nestedWorkUndoesOnlyItsOwnStatements();
    void openFileIsLockedAgainstASecondConnection();
};

void TestDataModule::unusableFileIsRefusedAndLeftUntouched_data()
{
    QTest::addColumn<QByteArray>("sqlSetup");   // run on a copy of the template before the test
    QTest::addColumn<QByteArray>("rawContent"); // or: the file's bytes
    QTest::addColumn<QString>("expectedMessagePart");

    QTest::newRow("not a database") << QByteArray() << QByteArray("Just some text, not a database at all.\n" ).repeated(200)
                                    << "not a database";
    QTest::newRow("empty file") << QByteArray() << QByteArray("") << "no table";
    QTest::newRow("missing column") << QByteArray("ALTER TABLE tbPayee DROP COLUMN Frequency") << QByteArray()
                                    << "tbPayee has no column Frequency";
    QTest::newRow("missing table") << QByteArray("DROP TABLE tbCurrency") << QByteArray() << "no table tbCurrency";
}

void TestDataModule::unusableFileIsRefusedAndLeftUntouched()
{
    QFETCH(QByteArray, sqlSetup);
    QFETCH(QByteArray, rawContent);
    QFETCH(QString, expectedMessagePart);

    TestDataFile f;
    const QString path = f.filePath(QStringLiteral("broken.tillbrook"));
    if (sqlSetup.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rawContent);
    } else {
        QVERIFY(QFile::copy(f.path(), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        TMyDataModule setup;
        setup.setDataSource(path);
        // The file is valid now; break it through a raw connection of our own.
        setup.open(path);
        SqlStatement(setup, QString::fromUtf8(sqlSetup)).exec();
        setup.close();
    }
    const QByteArray before = fileHash(path);

    TMyDataModule db;
    try {
        db.open(path);
        QFAIL("an unusable file was opened");
    } catch (const DataFileFormatError &error) {
        QVERIFY2(error.message().contains(expectedMessagePart), qPrintable(error.message()));
    }
    QVERIFY(!db.isConnected());
    QCOMPARE(fileHash(path), before);
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
    QVERIFY(!IsFileLocked(path));
}

void TestDataModule::missingFileIsRefusedAndNotCreated()
{
    TestDataFile f;
    const QString path = f.filePath(QStringLiteral("nowhere.tillbrook"));
    TMyDataModule db;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, db.open(path));
    QVERIFY(!QFile::exists(path));
}

void TestDataModule::statementOnClosedConnectionReconnects()
{
    TestDataFile f;
    f.db().close();
    QVERIFY(!f.db().isConnected());
    QCOMPARE(countPayees(f.db()), 1);
    QVERIFY(f.db().isConnected());
}

// While a backup or restore holds the file closed, a statement must not quietly take
// the file (and its lock) back: it is an error, and the connection stays closed.
void TestDataModule::statementWhileHeldClosedIsAnError()
{
    TestDataFile f;
    {
        const TMyDataModule::HoldClosed held(f.db());
        QVERIFY(!f.db().isConnected());
        QVERIFY_THROWS_EXCEPTION(TillbrookError, countPayees(f.db()));
        QVERIFY(!f.db().isConnected());
        QVERIFY(!IsFileLocked(f.path()));
    }
    QCOMPARE(countPayees(f.db()), 1);
    QVERIFY(f.db().isConnected());
}

void TestDataModule::failedStatementRaisesTheEngineMessage()
{
    TestDataFile f;
    try {
        SqlStatement(f.db(), QStringLiteral("SELECT NoSuchColumn FROM tbPayee")).exec();
        QFAIL("no error raised");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("no such column")), qPrintable(error.message()));
    }
}

void TestDataModule::rollbackUndoesTheWork()
{
    TestDataFile f;
    QCOMPARE(f.db().BeginWork(), 1);
    insertPayee(f.db(), QStringLiteral("Temp"));
    QCOMPARE(countPayees(f.db()), 2);
    f.db().RollbackWork();
    QVERIFY(!f.db().InTransaction());
    QCOMPARE(countPayees(f.db()), 1);

    {
        WorkGuard work(f.db());
        insertPayee(f.db(), QStringLiteral("Kept"));
        work.commit();
    }
    f.db().close();
    QCOMPARE(countPayees(f.db()), 2);
}

void TestDataModule::nestedWorkUndoesOnlyItsOwnStatements()
{
    TestDataFile f;
    f.db().BeginWork();
    insertPayee(f.db(), QStringLiteral("Outer"));
    QCOMPARE(f.db().BeginWork(), 2);
    insertPayee(f.db(), QStringLiteral("Inner"));
    f.db().RollbackWork();
    QVERIFY(f.db().InTransaction());
    f.db().CommitWork();
    QCOMPARE(countPayees(f.db()), 2);
}

void TestDataModule::openFileIsLockedAgainstASecondConnection()
{
    TestDataFile f;
    TMyDataModule second;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, second.open(f.path()));
    f.db().close();
    QVERIFY(!IsFileLocked(f.path()));
    second.open(f.path());
    QVERIFY(second.isConnected());
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_datamodule.moc"
