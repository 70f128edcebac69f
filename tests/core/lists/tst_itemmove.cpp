#include "core/base/tillbrookerror.h"
#include "core/datafile/sqlstatement.h"
#include "core/lists/itemmove.h"
#include "core/lists/items.h"
#include "core/store/transactionstore.h"
#include "core/store/ttransaction.h"
#include "support/testdatafile.h"

#include <QTest>

Q_DECLARE_METATYPE(ItemKind)

namespace {

// One row of tbTransactions as a move may touch it.
struct Row
{
    int id;
    int payee;
    int category;
    int account;
    qint64 amount;
    int linked;
    friend bool operator==(const Row &, const Row &) = default;
};

} // namespace

// Moving the transactions of a payee or category. Accounts "Bank" and "Cash"; payees
// "Shop", "Grocer", "Landlord"; categories "Food", "Rent", "Misc". Shop and Food are
// used by ordinary rows in both accounts and by a transfer between them.
class TestItemMove : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void moveTakesEveryRowAndKeepsTheRest_data();
    void moveTakesEveryRowAndKeepsTheRest();
    void failedMoveChangesNoRow_data();
    void failedMoveChangesNoRow();
    void deleteByIdTakesOnlyThatRow();
    void refusals_data();
    void refusals();

private:
    int id(const QString &table, const QString &idColumn, const QString &nameColumn, const QString &name);
    QList<Row> rows();
    QList<QStringList> itemRows(const QString &table);
    void add(const QString &account, const QString &payee, const QString &category, qint64 amount,
             const QString &transferTo = QString());

    std::unique_ptr<TestDataFile> m_file;
};

void TestItemMove::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank')"));
    f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Cash', 'Cash', 1, 'Cash')"));
    for (const char *payee : {"Shop", "Grocer", "Landlord"})
        f.exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('%1', 'Expense', 3000000, 'Monthly')").arg(QLatin1String(payee)));
    for (const char *category : {"Food", "Rent", "Misc"})
        f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('%1', 'Income', 1000000, 'Weekly')").arg(QLatin1String(category)));
    add(QStringLiteral("Bank"), QStringLiteral("Shop"), QStringLiteral("Food"), -125000);
    add(QStringLiteral("Cash"), QStringLiteral("Shop"), QStringLiteral("Rent"), -40000);
    add(QStringLiteral("Bank"), QStringLiteral("Grocer"), QStringLiteral("Food"), -77000);
    add(QStringLiteral("Bank"), QStringLiteral("Landlord"), QStringLiteral("Rent"), 900000);
    add(QStringLiteral("Bank"), QStringLiteral("Shop"), QStringLiteral("Food"), -500000, QStringLiteral("Cash"));
}

void TestItemMove::cleanup()
{
    m_file.reset();
}

void TestItemMove::add(const QString &account, const QString &payee, const QString &category, qint64 amount,
                       const QString &transferTo)
{
    TTransaction t;
    t.TransactionDate = QDate(2024, 3, 1);
    t.AccountDescription = account;
    t.PayeeName = payee;
    t.CategoryDescription = category;
    t.Amount = Money::fromUnits(amount);
    t.Status = QStringLiteral(" ");
    if (!transferTo.isEmpty()) {
        t.InternalDescription = TransferDescription;
        t.OtherAccountID = id(QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                              QStringLiteral("AccountDescription"), transferTo);
    }
    InsertTransaction(m_file->db(), t);
}

int TestItemMove::id(const QString &table, const QString &idColumn, const QString &nameColumn, const QString &name)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :Name").arg(idColumn, table, nameColumn));
    q.bind(QStringLiteral(":Name"), name).exec();
    return q.next() ? q.value(0).toInt() : -1;
}

QList<Row> TestItemMove::rows()
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT TransactionID, PayeeId, CategoryId, AccountId, Amount, "
                                                "LinkedTransactionID FROM tbTransactions ORDER BY TransactionID"));
    q.exec();
    QList<Row> result;
    while (q.next())
        result.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                       q.value(4).toLongLong(), q.value(5).toInt()});
    return result;
}

QList<QStringList> TestItemMove::itemRows(const QString &table)
{
    SqlStatement q(m_file->db(), QStringLiteral("SELECT * FROM %1 ORDER BY 1").arg(table));
    q.exec();
    QList<QStringList> result;
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < 5; ++c)
            row << q.value(c).toString();
        result.append(row);
    }
    return result;
}

void TestItemMove::moveTakesEveryRowAndKeepsTheRest_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("moved");

    // Shop: two ordinary rows and both rows of the transfer.
    QTest::newRow("payee with a transfer") << ItemKind::Payees << "Shop" << "Landlord" << 4;
    QTest::newRow("category with a transfer") << ItemKind::Categories << "Food" << "Misc" << 4;
    QTest::newRow("onto an item with rows") << ItemKind::Categories << "Rent" << "Food" << 2;
    QTest::newRow("a single row") << ItemKind::Payees << "Landlord" << "Grocer" << 1;
    QTest::newRow("an item without rows") << ItemKind::Categories << "Misc" << "Food" << 0;
}

void TestItemMove::moveTakesEveryRowAndKeepsTheRest()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, moved);

    TMyDataModule &db = m_file->db();
    const int fromId = ItemIdOf(db, kind, from);
    const int toId = ItemIdOf(db, kind, to);
    const bool payees = kind == ItemKind::Payees;

    const QList<Row> before = rows();
    const QList<QStringList> payeesBefore = itemRows(QStringLiteral("tbPayee"));
    const QList<QStringList> categoriesBefore = itemRows(QStringLiteral("tbCategory"));
    const Money bank = GetCurrentBalance(db, 1);
    const Money cash = GetCurrentBalance(db, 2);

    QCOMPARE(MoveTransactions(db, kind, fromId, toId), moved);

    const QList<Row> after = rows();
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        Row expected = before[i];
        int &item = payees ? expected.payee : expected.category;
        if (item == fromId)
            item = toId;
        QCOMPARE(after[i], expected);
    }
    // Both rows of the transfer still point at each other and name the same item.
    const Row &paying = after[after.size() - 2];
    const Row &receiving = after.last();
    QCOMPARE(paying.linked, receiving.id);
    QCOMPARE(receiving.linked, paying.id);
    QCOMPARE(paying.payee, receiving.payee);
    QCOMPARE(paying.category, receiving.category);

    QCOMPARE(GetCurrentBalance(db, 1), bank);
    QCOMPARE(GetCurrentBalance(db, 2), cash);
    QCOMPARE(itemRows(QStringLiteral("tbPayee")), payeesBefore);
    QCOMPARE(itemRows(QStringLiteral("tbCategory")), categoriesBefore);
}

// The statement fails half-way (a trigger refuses one row); inside the savepoint a
// list dialog's command runs in, no row has changed and the earlier work stays.
void TestItemMove::failedMoveChangesNoRow_data()
{
    QTest::addColumn<ItemKind>("kind");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("from");

    QTest::newRow("payees") << ItemKind::Payees << "PayeeId" << "Shop";
    QTest::newRow("categories") << ItemKind::Categories << "CategoryId" << "Food";
}

void TestItemMove::failedMoveChangesNoRow()
{
    QFETCH(ItemKind, kind);
    QFETCH(QString, column);
    QFETCH(QString, from);

    TMyDataModule &db = m_file->db();
    const QList<Row> before = rows();
    m_file->exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF %1 ON tbTransactions "
                                "WHEN NEW.TransactionID = %2 BEGIN SELECT RAISE(ABORT, 'row is locked'); END")
                     .arg(column).arg(before.last().id));
    const int fromId = ItemIdOf(db, kind, from);

    db.BeginWork();
    m_file->exec(QStringLiteral("UPDATE tbPayee SET Frequency = 'Daily' WHERE PayeeName = 'Grocer'"));
    {
        WorkGuard command(db);
        QVERIFY_THROWS_EXCEPTION(TillbrookError, MoveTransactions(db, kind, fromId, fromId + 2));
    }
    db.CommitWork();

    QCOMPARE(rows(), before);
    SqlStatement q(db, QStringLiteral("SELECT Frequency FROM tbPayee WHERE PayeeName = 'Grocer'"));
    q.exec();
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Daily"));
}

void TestItemMove::deleteByIdTakesOnlyThatRow()
{
    TMyDataModule &db = m_file->db();
    const int shop = ItemIdOf(db, ItemKind::Payees, QStringLiteral("Shop"));
    const QList<Row> before = rows();
    const int payees = itemRows(QStringLiteral("tbPayee")).size();
    DeleteItemById(db, ItemKind::Payees, shop);
    QCOMPARE(itemRows(QStringLiteral("tbPayee")).size(), payees - 1);
    QCOMPARE(ItemNameOf(db, ItemKind::Payees, shop), QString());
    QCOMPARE(itemRows(QStringLiteral("tbCategory")).size(), 4);
    QCOMPARE(rows(), before);
}

void TestItemMove::refusals_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("sourceId");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("targetId");
    QTest::addColumn<QString>("refusal");

    const QString same = QStringLiteral("Transactions are already in Shop you cannot move them to the same section");
    QTest::newRow("no target") << "Shop" << 2 << "" << -1 << "Select where you want to move the transactions.";
    QTest::newRow("target not in the list") << "Shop" << 2 << "Gone" << -1 << "Select where you want to move the transactions.";
    QTest::newRow("same name") << "Shop" << 2 << "Shop" << 2 << same;
    QTest::newRow("same name in other case") << "Shop" << 2 << "SHOP" << 7 << same;
    QTest::newRow("same row under another name") << "Shop" << 2 << "Shop2" << 2 << same;
    QTest::newRow("another item") << "Shop" << 2 << "Grocer" << 3 << "";
}

void TestItemMove::refusals()
{
    QFETCH(QString, source);
    QFETCH(int, sourceId);
    QFETCH(QString, target);
    QFETCH(int, targetId);
    QFETCH(QString, refusal);
    QCOMPARE(MoveRefusal(source, sourceId, target, targetId), refusal);
}

QTEST_GUILESS_MAIN(TestItemMove)
#include "tst_itemmove.moc"
