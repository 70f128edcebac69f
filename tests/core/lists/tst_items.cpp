#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/items.h"
#include "support/testdatafile.h"

#include <QTest>

namespace {
const QString Payee = QStringLiteral("tbPayee");
const QString PayeeName = QStringLiteral("PayeeName");
const QString Category = QStringLiteral("tbCategory");
const QString CategoryName = QStringLiteral("CategoryDescription");

Money money(const char *text) { return *Money::fromText(QString::fromLatin1(text)); }
}

// The item operations on a fresh data file (whose payee 1 and category 1 have no
// name). Payees and categories share the code, so cases run on both where the table
// could matter.
class TestItems : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void insertStoresTheRow_data();
    void insertStoresTheRow();
    void insertRefuses_data();
    void insertRefuses();
    void itemIsExpense_data();
    void itemIsExpense();
    void updateRewritesEveryRowOfTheOldName();
    void updateAllowsAnotherItemsName();
    void updateRefusesAnEmptyName();
    void deleteLeavesTransactionsAlone();
    void doubleQuoteNameRoundTrips_data();
    void doubleQuoteNameRoundTrips();
    void listRowsOrderAndTexts();
    void namesForDropDowns();
    void amountText_data();
    void amountText();
    void onlyTheItemTablesAreReached_data();
    void onlyTheItemTablesAreReached();

private:
    int count(const QString &table, const QString &where = QString());
    QString lastWarning() const;
    std::unique_ptr<TestDataFile> m_file;
};

void TestItems::init()
{
    m_file = std::make_unique<TestDataFile>();
}

void TestItems::cleanup()
{
    m_file.reset();
}

int TestItems::count(const QString &table, const QString &where)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT COUNT(*) FROM ") + table + (where.isEmpty() ? QString() : u' ' + where));
    q.exec();
    q.next();
    return q.value(0).toInt();
}

QString TestItems::lastWarning() const
{
    return m_file->notifier.dialogs.isEmpty() ? QString() : m_file->notifier.dialogs.last().top;
}

void TestItems::insertStoresTheRow_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<bool>("isExpense");
    QTest::addColumn<QString>("storedType");
    QTest::addColumn<QString>("storedFrequency");
    QTest::newRow("payee, expense") << Payee << PayeeName << "Monthly" << true << "Expense" << "Monthly";
    QTest::newRow("category, income") << Category << CategoryName << "Weekly" << false << "Income" << "Weekly";
    QTest::newRow("empty frequency is stored blank") << Payee << PayeeName << "" << true << "Expense" << " ";
}

void TestItems::insertStoresTheRow()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, frequency);
    QFETCH(bool, isExpense);
    QFETCH(QString, storedType);
    QFETCH(QString, storedFrequency);
    TestDataFile &f = *m_file;
    QVERIFY(InsertItem(f.db(), f.notifier, table, column, QStringLiteral("Rent"), frequency, money("1234.5678"), isExpense));
    QVERIFY(f.notifier.dialogs.isEmpty());
    SqlStatement q(f.db(), QStringLiteral("SELECT Type, Amt, Frequency FROM %1 WHERE %2 = 'Rent'").arg(table, column));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.textValue("Type"), storedType);
    QCOMPARE(q.int64Value("Amt"), 12345678);
    QCOMPARE(q.textValue("Frequency"), storedFrequency);
    QVERIFY(!q.next());
}

void TestItems::insertRefuses_data()
{
    QTest::addColumn<QString>("existing"); // inserted directly first; null: nothing
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning");
    QTest::newRow("duplicate") << "Rent" << "Rent" << "  Item already exists.";
    QTest::newRow("duplicate in other case") << "Rent" << "rent" << "  Item already exists.";
    QTest::newRow("empty name") << QString() << "" << "  Enter item description please.";
    // The existence test comes first, so an empty-named row makes that the message.
    QTest::newRow("empty name that exists") << "" << "" << "  Item already exists.";
}

void TestItems::insertRefuses()
{
    QFETCH(QString, existing);
    QFETCH(QString, name);
    QFETCH(QString, warning);
    TestDataFile &f = *m_file;
    for (const QString &table : {Payee, Category}) {
        const QString column = table == Payee ? PayeeName : CategoryName;
        if (!existing.isNull()) {
            SqlStatement(f.db(), QStringLiteral("INSERT INTO %1 (%2, Type, Amt, Frequency) VALUES (:N, 'Expense', 0, ' ')").arg(table, column))
                .bind(QStringLiteral(":N"), existing)
                .exec();
        }
        const int before = count(table);
        f.notifier.clear();
        QVERIFY(!InsertItem(f.db(), f.notifier, table, column, name, QStringLiteral("Daily"), money("5"), true));
        QCOMPARE(count(table), before);
        QCOMPARE(f.notifier.dialogs.size(), 1);
        QCOMPARE(lastWarning(), warning);
        QCOMPARE(f.notifier.dialogs.last().button2, QStringLiteral("Ok"));
    }
}

void TestItems::itemIsExpense_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("expected");
    QTest::newRow("expense") << "Rent" << true;
    QTest::newRow("name in other case") << "RENT" << true;
    QTest::newRow("income") << "Salary" << false;
    QTest::newRow("no type") << "Untyped" << false;
    QTest::newRow("type in other case") << "Lower" << false;
    QTest::newRow("no such item") << "Nobody" << false;
}

void TestItems::itemIsExpense()
{
    QFETCH(QString, name);
    QFETCH(bool, expected);
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type) VALUES ('Rent', 'Expense'), ('Salary', 'Income'), "
                          "('Untyped', NULL), ('Lower', 'expense')"));
    QCOMPARE(ItemIsExpense(f.db(), Payee, PayeeName, name), expected);
}

void TestItems::updateRewritesEveryRowOfTheOldName()
{
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES "
                          "('Food', 'Income', 0, ' '), ('Food', 'Income', 5, 'Daily'), ('Fuel', 'Expense', 7, 'Weekly')"));
    QVERIFY(UpdateItem(f.db(), f.notifier, Category, CategoryName, QStringLiteral("Groceries"), QString(),
                       money("300"), true, QStringLiteral("Food")));
    QVERIFY(f.notifier.dialogs.isEmpty());
    QCOMPARE(count(Category, QStringLiteral("WHERE CategoryDescription = 'Groceries' AND Type = 'Expense' "
                                            "AND Amt = 3000000 AND Frequency = ' '")), 2);
    QCOMPARE(count(Category, QStringLiteral("WHERE CategoryDescription = 'Food'")), 0);
    QCOMPARE(count(Category, QStringLiteral("WHERE CategoryDescription = 'Fuel' AND Amt = 7 AND Frequency = 'Weekly'")), 1);
}

void TestItems::updateAllowsAnotherItemsName()
{
    TestDataFile &f = *m_file;
    QVERIFY(InsertItem(f.db(), f.notifier, Payee, PayeeName, QStringLiteral("Grocer"), QString(), Money(), true));
    QVERIFY(InsertItem(f.db(), f.notifier, Payee, PayeeName, QStringLiteral("Baker"), QString(), Money(), true));
    QVERIFY(UpdateItem(f.db(), f.notifier, Payee, PayeeName, QStringLiteral("Grocer"), QStringLiteral("Weekly"),
                       money("20"), false, QStringLiteral("Baker")));
    QCOMPARE(count(Payee, QStringLiteral("WHERE PayeeName = 'Grocer'")), 2);
    QCOMPARE(count(Payee, QStringLiteral("WHERE PayeeName = 'Baker'")), 0);
}

void TestItems::updateRefusesAnEmptyName()
{
    TestDataFile &f = *m_file;
    QVERIFY(InsertItem(f.db(), f.notifier, Payee, PayeeName, QStringLiteral("Grocer"), QStringLiteral("Daily"), money("3"), true));
    QVERIFY(!UpdateItem(f.db(), f.notifier, Payee, PayeeName, QString(), QStringLiteral("Weekly"), money("9"), false,
                        QStringLiteral("Grocer")));
    QCOMPARE(lastWarning(), QStringLiteral("  Enter item description please."));
    QCOMPARE(count(Payee, QStringLiteral("WHERE PayeeName = 'Grocer' AND Amt = 30000 AND Frequency = 'Daily' AND Type = 'Expense'")), 1);
}

void TestItems::deleteLeavesTransactionsAlone()
{
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeId, PayeeName, Type) VALUES (10, 'Grocer', 'Expense'), "
                          "(11, 'Grocer', 'Income'), (12, 'Grocery', 'Expense')"));
    f.exec(QStringLiteral("INSERT INTO tbTransactions (PayeeId, Amount, AccountId) VALUES (10, -50000, 1), (12, -10000, 1)"));
    DeleteItem(f.db(), Payee, PayeeName, QStringLiteral("Grocer"));
    QCOMPARE(count(Payee, QStringLiteral("WHERE PayeeName LIKE 'Grocer%'")), 1);
    QVERIFY(!ItemExists(f.db(), Payee, PayeeName, QStringLiteral("Grocer")));
    QVERIFY(ItemExists(f.db(), Payee, PayeeName, QStringLiteral("Grocery")));
    QCOMPARE(count(QStringLiteral("tbTransactions"), QStringLiteral("WHERE PayeeId IN (10, 12)")), 2);
}

void TestItems::doubleQuoteNameRoundTrips_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::newRow("payee") << Payee << "Joe's \"Diner\"";
    QTest::newRow("category") << Category << "\"Quoted\"";
    QTest::newRow("lone quote") << Payee << "\"";
    QTest::newRow("injection-looking") << Category << "x\" OR \"\"=\"";
    QTest::newRow("semicolon") << Payee << "A;B";
}

void TestItems::doubleQuoteNameRoundTrips()
{
    QFETCH(QString, table);
    QFETCH(QString, name);
    TestDataFile &f = *m_file;
    const QString column = table == Payee ? PayeeName : CategoryName;
    QVERIFY(InsertItem(f.db(), f.notifier, table, column, QStringLiteral("Other"), QString(), Money(), true));
    QVERIFY(!ItemExists(f.db(), table, column, name));
    QVERIFY(InsertItem(f.db(), f.notifier, table, column, name, QStringLiteral("Monthly"), money("300"), true));
    QVERIFY(ItemExists(f.db(), table, column, name));
    QVERIFY(ItemIsExpense(f.db(), table, column, name));
    QVERIFY(!InsertItem(f.db(), f.notifier, table, column, name, QString(), Money(), true));
    QCOMPARE(lastWarning(), QStringLiteral("  Item already exists."));
    QVERIFY(ItemNames(f.db(), table, column).contains(name));
    const QList<ItemRow> rows = ItemListRows(f.db(), table, column);
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].name == name || rows[1].name == name);

    const QString renamed = name + QStringLiteral("\"2");
    QVERIFY(UpdateItem(f.db(), f.notifier, table, column, renamed, QStringLiteral("Weekly"), money("7"), false, name));
    QVERIFY(!ItemExists(f.db(), table, column, name));
    QVERIFY(ItemExists(f.db(), table, column, renamed));
    QVERIFY(!ItemIsExpense(f.db(), table, column, renamed));
    DeleteItem(f.db(), table, column, renamed);
    QVERIFY(!ItemExists(f.db(), table, column, renamed));
    QVERIFY(ItemExists(f.db(), table, column, QStringLiteral("Other")));
}

void TestItems::listRowsOrderAndTexts()
{
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES "
                          "('Wages', 'Income', 0, ' '), "
                          "('rent', 'Expense', 3000000, 'Monthly'), "
                          "('Bonus', 'Income', 142857, 'Weekly'), "
                          "('Fuel', 'Expense', 105000, ''), "
                          "('Odd', 'Expense', 'abc', NULL), "
                          "('', 'Expense', 0, ' '), "
                          "('A;B', 'Expense', 1, 'Daily')"));
    const QList<ItemRow> rows = ItemListRows(f.db(), Category, CategoryName);
    QStringList texts;
    for (const ItemRow &row : rows)
        texts << row.text();
    // The template's unnamed category and the empty name are never listed; names sort
    // without regard to case inside each type.
    QCOMPARE(texts, (QStringList{
                        "A,B;Expense;0.0001;Daily",
                        "Fuel;Expense;10.5; ",
                        "Odd;Expense;0; ",
                        "rent;Expense;300;Monthly",
                        "Bonus;Income;14.2857;Weekly",
                        "Wages;Income;0; ",
                    }));
    QCOMPARE(rows[0].name, QStringLiteral("A;B"));
}

void TestItems::namesForDropDowns()
{
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type) VALUES ('Zed', 'Expense'), ('Boss', 'Income'), "
                          "('', 'Expense'), ('alpha', 'Expense'), ('Nobody', NULL)"));
    QCOMPARE(ItemNames(f.db(), Payee, PayeeName), (QStringList{"Nobody", "alpha", "Zed", "Boss"}));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, Type) VALUES ('Savings', 'Bank'), ('Cash', 'Cash')"));
    QCOMPARE(ItemNames(f.db(), QStringLiteral("tbAccount"), QStringLiteral("AccountDescription")),
             (QStringList{"Savings", "Cash"}));
}

void TestItems::amountText_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0";
    QTest::newRow("whole") << qint64(3000000) << "300";
    QTest::newRow("one decimal") << qint64(105000) << "10.5";
    QTest::newRow("four decimals") << qint64(142857) << "14.2857";
    QTest::newRow("large, no grouping") << qint64(123456789000) << "12345678.9";
    QTest::newRow("negative") << qint64(-25000) << "-2.5";
}

void TestItems::amountText()
{
    QFETCH(qint64, units);
    QFETCH(QString, text);
    QCOMPARE(ItemAmountText(Money::fromUnits(units)), text);
    QCOMPARE(Money::fromText(text)->units(), units);
}

void TestItems::onlyTheItemTablesAreReached_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::newRow("other table") << "tbTransactions" << "strNote";
    QTest::newRow("mixed pair") << "tbPayee" << "CategoryDescription";
    QTest::newRow("accounts outside drop-downs") << "tbAccount" << "AccountDescription";
    QTest::newRow("statement text") << "tbPayee; DROP TABLE tbPayee" << "PayeeName";
}

void TestItems::onlyTheItemTablesAreReached()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestDataFile &f = *m_file;
    QVERIFY_THROWS_EXCEPTION(TillbrookError, ItemExists(f.db(), table, column, QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(TillbrookError, InsertItem(f.db(), f.notifier, table, column, QStringLiteral("x"), QString(), Money(), true));
    QVERIFY_THROWS_EXCEPTION(TillbrookError, DeleteItem(f.db(), table, column, QStringLiteral("x")));
    QVERIFY_THROWS_EXCEPTION(TillbrookError, ItemListRows(f.db(), table, column));
    if (table != QLatin1String("tbAccount"))
        QVERIFY_THROWS_EXCEPTION(TillbrookError, ItemNames(f.db(), table, column));
    QCOMPARE(count(Payee), 1);
}

QTEST_GUILESS_MAIN(TestItems)
#include "tst_items.moc"
