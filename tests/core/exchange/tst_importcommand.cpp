#include "support/importfixture.h"

#include <QProcess>
#include <QtTest>

using namespace ImportFixture;

namespace {

struct Outcome
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

// Runs the installed command-line importer as a user would.
class TestImportCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importsAndSaysSo();
    void unlinkedReferencesAreListed_data();
    void unlinkedReferencesAreListed();
    void errorsSayWhatAndWhere_data();
    void errorsSayWhatAndWhere();
    void passwordIsAskedFor();
    void fileHeldByAnotherTillbrookIsRefused();
    void dryRunStoresNothing();
    void helpPrintsUsage_data();
    void helpPrintsUsage();

private:
    Outcome run(const QStringList &arguments);
    QString writeQif(const QString &name, const QByteArray &content);
    qint64 rowsInTarget();

    std::unique_ptr<TestDataFile> m_file;
    QString m_target;
};

void TestImportCommand::init()
{
    m_file = std::make_unique<TestDataFile>();
    m_target = m_file->copyTemplate(QStringLiteral("target.tillbrook"));
    TMyDataModule db;
    db.open(m_target);
    addAccount(db, QStringLiteral("Checking"));
    addAccount(db, QStringLiteral("Savings"));
    db.close();
}

void TestImportCommand::cleanup()
{
    m_file.reset();
}

Outcome TestImportCommand::run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TILLBROOK_IMPORT_TOOL), arguments);
    if (!process.waitForFinished(60000))
        qFatal("the importer did not finish");
    Outcome outcome;
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

QString TestImportCommand::writeQif(const QString &name, const QByteArray &content)
{
    const QString path = m_file->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

qint64 TestImportCommand::rowsInTarget()
{
    TMyDataModule db;
    db.open(m_target);
    const qint64 rows = transactionCount(db);
    db.close();
    return rows;
}

void TestImportCommand::importsAndSaysSo()
{
    const QString qif = QStringLiteral(TILLBROOK_QIF_DATA "/bank.qif");
    const Outcome o = run({m_target, qif, QStringLiteral("--link"), QStringLiteral("[Checking]=Checking"),
                           QStringLiteral("--link=Savings=Savings")}); // brackets may be left out
    QCOMPARE(o.err, QString());
    QCOMPARE(o.out, QStringLiteral("Imported 6 transactions (2 transfers) into %1\n").arg(m_target));
    QCOMPARE(o.status, 0);
    QCOMPARE(rowsInTarget(), 8);
}

void TestImportCommand::unlinkedReferencesAreListed_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("none linked") << QStringList();
    QTest::newRow("one linked") << QStringList{QStringLiteral("--link"), QStringLiteral("[Savings]=Savings")};
    QTest::newRow("dry run") << QStringList{QStringLiteral("--dry-run")};
}

void TestImportCommand::unlinkedReferencesAreListed()
{
    QFETCH(QStringList, extra);
    const QString qif = QStringLiteral(TILLBROOK_QIF_DATA "/two-accounts.qif");
    const Outcome o = run(QStringList{m_target, qif} + extra);
    QCOMPARE(o.status, 2);
    QCOMPARE(o.out, QStringLiteral("[Savings]\n[Checking]\n[Asset]\n[Liability]\n"));
    QVERIFY(o.err.contains(QStringLiteral("--link")));
    QCOMPARE(o.err.count(u'\n'), 1);
    QCOMPARE(rowsInTarget(), 0);
}

void TestImportCommand::errorsSayWhatAndWhere_data()
{
    QTest::addColumn<QString>("qifName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("error"); // %1 the data file, %2 the QIF file

    const QByteArray good = "!Type:Bank\nD1/1'04\nT5\n^\n";
    const QStringList link{QStringLiteral("--link"), QStringLiteral("[Bank]=Checking")};
    QTest::newRow("date") << QStringLiteral("a.qif") << good + "D1/41'04\nT5\n^\n" << link
                          << QStringLiteral("%2, line 5: the date is not a day of the calendar.\n");
    QTest::newRow("amount") << QStringLiteral("a.qif") << good + "D1/2'04\nT1.2.3\n^\n" << link
                            << QStringLiteral("%2, line 6: the amount \"1.2.3\" cannot be read.\n");
    QTest::newRow("no such account") << QStringLiteral("a.qif") << good
                                     << QStringList{QStringLiteral("--link"), QStringLiteral("[Bank]=Nowhere")}
                                     << QStringLiteral("%1: There is no account named \"Nowhere\" (linked to [Bank]).\n");
    QTest::newRow("link to no reference") << QStringLiteral("a.qif") << good
                                          << (link + QStringList{QStringLiteral("--link"), QStringLiteral("[Cash]=Savings")})
                                          << QStringLiteral("%2: the file has no account [Cash]\n");
    QTest::newRow("no QIF file") << QString() << QByteArray() << link
                                 << QStringLiteral("%2: No such file or directory\n");
    QTest::newRow("header only") << QStringLiteral("e.qif") << QByteArray("!Type:Bank\n") << QStringList()
                                 << QStringLiteral("No transactions found in %2.\n");
    QTest::newRow("not a QIF file") << QStringLiteral("p.qif") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR") << QStringList()
                                    << QStringLiteral("No transactions found in %2.\n");
    QTest::newRow("empty file") << QStringLiteral("z.qif") << QByteArray() << QStringList()
                                << QStringLiteral("No transactions found in %2.\n");
    QTest::newRow("binary") << QStringLiteral("b.qif") << QByteArray("!Type:Bank\nD\x01\xff\nT5\n") << link
                            << QStringLiteral("%2, line 2: the date \"\x01\u00ff\" cannot be read.\n");
}

void TestImportCommand::errorsSayWhatAndWhere()
{
    QFETCH(QString, qifName);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, extra);
    QFETCH(QString, error);
    const QString qif = qifName.isEmpty() ? m_file->filePath(QStringLiteral("missing.qif")) : writeQif(qifName, content);
    const Outcome o = run(QStringList{m_target, qif} + extra);
    QCOMPARE(o.err, QString(error).replace(QLatin1String("%1"), m_target).replace(QLatin1String("%2"), qif));
    QCOMPARE(o.out, QString());
    QCOMPARE(o.status, 1);
    QCOMPARE(rowsInTarget(), 0);
}

void TestImportCommand::passwordIsAskedFor()
{
    {
        TMyDataModule db;
        db.open(m_target);
        SqlStatement(db, QStringLiteral("UPDATE MySettings SET Password = :p")).bind(QStringLiteral(":p"), QStringLiteral("secret")).exec();
        db.close();
    }
    const QString qif = writeQif(QStringLiteral("a.qif"), "!Type:Bank\nD1/1'04\nT5\n^\n");
    const QStringList base{m_target, qif, QStringLiteral("--link"), QStringLiteral("[Bank]=Checking")};

    Outcome o = run(base);
    QCOMPARE(o.status, 1);
    QCOMPARE(o.err, QStringLiteral("%1: the data file has a password; give it with --password\n").arg(m_target));
    o = run(base + QStringList{QStringLiteral("--password"), QStringLiteral("wrong")});
    QCOMPARE(o.status, 1);
    QCOMPARE(o.err, QStringLiteral("%1: Password incorrect!\n").arg(m_target));
    QCOMPARE(rowsInTarget(), 0);
    o = run(base + QStringList{QStringLiteral("--password=secret")});
    QCOMPARE(o.status, 0);
    QCOMPARE(rowsInTarget(), 1);
}

void TestImportCommand::fileHeldByAnotherTillbrookIsRefused()
{
    const QString qif = writeQif(QStringLiteral("a.qif"), "!Type:Bank\nD1/1'04\nT5\n^\n");
    TMyDataModule holder; // this process stands for the running program
    holder.open(m_target);
    const Outcome o = run({m_target, qif, QStringLiteral("--link"), QStringLiteral("[Bank]=Checking")});
    QCOMPARE(o.status, 1);
    QCOMPARE(o.err, QStringLiteral("%1: File cannot be opened. Try closing it if it is open from another application.\n")
                        .arg(m_target));
    QCOMPARE(transactionCount(holder), 0);
}

void TestImportCommand::dryRunStoresNothing()
{
    const QString qif = QStringLiteral(TILLBROOK_QIF_DATA "/bank.qif");
    const Outcome o = run({m_target, qif, QStringLiteral("--dry-run"), QStringLiteral("--link"),
                           QStringLiteral("[Checking]=Checking"), QStringLiteral("--link"), QStringLiteral("[Savings]=Savings")});
    QCOMPARE(o.status, 0);
    QCOMPARE(o.out, QStringLiteral("Dry run: 6 transactions (2 transfers) would be imported into %1; nothing was stored\n")
                        .arg(m_target));
    QCOMPARE(rowsInTarget(), 0);
}

void TestImportCommand::helpPrintsUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")};
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")};
    QTest::newRow("among others") << QStringList{m_target, QStringLiteral("missing.qif"), QStringLiteral("--help")};
}

void TestImportCommand::helpPrintsUsage()
{
    QFETCH(QStringList, arguments);
    const Outcome o = run(arguments);
    QCOMPARE(o.status, 0);
    QVERIFY(o.out.startsWith(QStringLiteral("usage: tillbrook-import DATAFILE QIFFILE")));
    QVERIFY(o.out.contains(QStringLiteral("--dry-run")));
    QCOMPARE(o.err, QString());
    QCOMPARE(rowsInTarget(), 0);
}

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_importcommand.moc"
