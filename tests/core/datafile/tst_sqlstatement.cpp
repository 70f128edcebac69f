#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QTest>

// The statement layer on SQLite's own handle: how values go in and come out, reuse
// of cached statements, and errors.
class TestSqlStatement : public QObject
{
    Q_OBJECT
private slots:
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void sameStatementRunsAgainWithNewValues();
    void sameTextInsideItsOwnLoopGetsAFreshStatement();
    void failedStepLeavesTheStatementUsable();
};

void TestSqlStatement::valuesRoundTrip_data()
{
    QTest::addColumn<QVariant>("bound");
    QTest::addColumn<QVariant>("read");
    QTest::newRow("int") << QVariant(42) << QVariant(qlonglong(42));
    QTest::newRow("large") << QVariant(qlonglong(9000000000000LL)) << QVariant(qlonglong(9000000000000LL));
    QTest::newRow("double") << QVariant(0.8) << QVariant(0.8);
    QTest::newRow("text with quotes") << QVariant(QStringLiteral("a \"b\" 'c'")) << QVariant(QStringLiteral("a \"b\" 'c'"));
    QTest::newRow("non-Latin text") << QVariant(QStringLiteral("€ Żółć")) << QVariant(QStringLiteral("€ Żółć"));
    QTest::newRow("empty text stays text") << QVariant(QStringLiteral("")) << QVariant(QStringLiteral(""));
    QTest::newRow("null QString is Null") << QVariant(QString()) << QVariant();
    QTest::newRow("invalid variant is Null") << QVariant() << QVariant();
    QTest::newRow("bool") << QVariant(true) << QVariant(qlonglong(1));
    QTest::newRow("date as ISO text") << QVariant(QDate(2024, 3, 1)) << QVariant(QStringLiteral("2024-03-01"));
}

void TestSqlStatement::valuesRoundTrip()
{
    QFETCH(QVariant, bound);
    QFETCH(QVariant, read);
    TestDataFile f;
    SqlStatement insert(f.db(), QStringLiteral("INSERT INTO tbPayee (PayeeName, Type) VALUES (:n, :t)"));
    insert.bind(QStringLiteral(":n"), bound).bind(QStringLiteral(":t"), QStringLiteral("x")).exec();
    QCOMPARE(insert.rowsAffected(), 1);
    SqlStatement select(f.db(), QStringLiteral("SELECT PayeeName FROM tbPayee WHERE PayeeId = :id"));
    select.bind(QStringLiteral(":id"), insert.lastInsertId()).exec();
    QVERIFY(select.next());
    QCOMPARE(select.value(0).isNull(), read.isNull());
    if (!read.isNull())
        QCOMPARE(select.value(QStringLiteral("payeename")), read);
    QVERIFY(!select.next());
}

void TestSqlStatement::sameStatementRunsAgainWithNewValues()
{
    TestDataFile f;
    SqlStatement insert(f.db(), QStringLiteral("INSERT INTO tbPayee (PayeeName, Type) VALUES (:n, :t)"));
    insert.bind(QStringLiteral(":n"), QStringLiteral("One")).bind(QStringLiteral(":t"), QStringLiteral("Expense")).exec();
    // Only the name changes; the type keeps its value from the first run.
    insert.bind(QStringLiteral(":n"), QStringLiteral("Two")).exec();
    SqlStatement select(f.db(), QStringLiteral("SELECT PayeeName, Type FROM tbPayee WHERE PayeeName IS NOT NULL ORDER BY PayeeId"));
    select.exec();
    QStringList rows;
    while (select.next())
        rows << select.textValue(QStringLiteral("PayeeName")) + u'/' + select.textValue(QStringLiteral("Type"));
    QCOMPARE(rows, (QStringList{QStringLiteral("One/Expense"), QStringLiteral("Two/Expense")}));
}

void TestSqlStatement::sameTextInsideItsOwnLoopGetsAFreshStatement()
{
    TestDataFile f;
    for (const char *name : {"A", "B", "C"})
        f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName) VALUES ('%1')").arg(QLatin1String(name)));
    const QString sql = QStringLiteral("SELECT PayeeName FROM tbPayee WHERE PayeeName >= :from ORDER BY PayeeName");
    SqlStatement outer(f.db(), sql);
    outer.bind(QStringLiteral(":from"), QStringLiteral("A")).exec();
    QStringList pairs;
    while (outer.next()) {
        SqlStatement inner(f.db(), sql);
        inner.bind(QStringLiteral(":from"), outer.textValue(QStringLiteral("PayeeName"))).exec();
        int count = 0;
        while (inner.next())
            ++count;
        pairs << outer.textValue(QStringLiteral("PayeeName")) + QString::number(count);
    }
    QCOMPARE(pairs, (QStringList{QStringLiteral("A3"), QStringLiteral("B2"), QStringLiteral("C1")}));
}

void TestSqlStatement::failedStepLeavesTheStatementUsable()
{
    TestDataFile f;
    f.exec(QStringLiteral("CREATE UNIQUE INDEX ixUniqueSymbol ON tbCurrency (CurrencySymbol)"));
    SqlStatement insert(f.db(), QStringLiteral("INSERT INTO tbCurrency (CurrencySymbol, CurrencyRate) VALUES (:s, 1)"));
    try {
        insert.bind(QStringLiteral(":s"), QStringLiteral("$")).exec();
        QFAIL("a duplicate was accepted");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("UNIQUE")), qPrintable(error.message()));
    }
    insert.bind(QStringLiteral(":s"), QStringLiteral("€")).exec();
    QCOMPARE(insert.rowsAffected(), 1);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, SqlStatement(f.db(), QStringLiteral("SELEC 1")));
}

QTEST_GUILESS_MAIN(TestSqlStatement)
#include "tst_sqlstatement.moc"
