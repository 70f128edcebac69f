#include "core/register/gridsearch.h"

#include <QStringList>
#include <QTest>

// Finding a text in one column: the rows are the column's cells, row 0 the header.
class TestGridSearch : public QObject
{
    Q_OBJECT
private slots:
    void cellMatches_data();
    void cellMatches();
    void search_data();
    void search();
};

void TestGridSearch::cellMatches_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("matches");

    QTest::newRow("contained") << "Pet Shop" << "Shop" << false << true;
    QTest::newRow("case respected") << "pet shop" << "Shop" << false << false;
    QTest::newRow("exact refuses a part") << "Pet Shop" << "Shop" << true << false;
    QTest::newRow("exact whole") << "Shop" << "Shop" << true << true;
    QTest::newRow("exact respects case") << "shop" << "Shop" << true << false;
    QTest::newRow("empty text matches nothing") << "Shop" << "" << false << false;
    QTest::newRow("empty text not even an empty cell") << "" << "" << false << false;
    QTest::newRow("exact empty text matches an empty cell") << "" << "" << true << true;
    QTest::newRow("exact empty text, full cell") << "Shop" << "" << true << false;
    QTest::newRow("grouped amount") << "1,000.00" << "1,000.00" << false << true;
    QTest::newRow("ungrouped amount finds nothing") << "1,000.00" << "1000" << false << false;
}

void TestGridSearch::cellMatches()
{
    QFETCH(QString, cell);
    QFETCH(QString, text);
    QFETCH(bool, exact);
    QFETCH(bool, matches);
    QCOMPARE(GridCellMatches(cell, text, exact), matches);
}

void TestGridSearch::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("down");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("found");

    // Rows: 0 "Payee" (header), 1 Shopping, 2 pet shop, 3 Pet Shop, 4 Shop, 5 Bakery
    QTest::newRow("down from the first row") << "Shop" << false << true << 1 << 3;
    QTest::newRow("down skips lower case") << "Shop" << false << true << 2 << 3;
    QTest::newRow("down exact") << "Shop" << true << true << 1 << 4;
    QTest::newRow("down never tests the current row") << "Shop" << true << true << 4 << 0;
    QTest::newRow("down from no current row") << "Shop" << false << true << -1 << 1;
    QTest::newRow("down past the end") << "Bakery" << false << true << 5 << 0;
    QTest::newRow("up from the last row to the first") << "Shopping" << false << false << 5 << 1;
    QTest::newRow("up finds the nearest") << "Shop" << false << false << 5 << 4;
    QTest::newRow("up skips lower case") << "Shop" << false << false << 3 << 1;
    QTest::newRow("up from row 1 finds nothing") << "Shopping" << false << false << 1 << 0;
    QTest::newRow("header never matches") << "Payee" << false << false << 5 << 0;
    QTest::newRow("up from beyond the grid") << "Bakery" << false << false << 9 << 5;
}

void TestGridSearch::search()
{
    QFETCH(QString, text);
    QFETCH(bool, exact);
    QFETCH(bool, down);
    QFETCH(int, current);
    QFETCH(int, found);

    const QStringList column{"Payee", "Shopping", "pet shop", "Pet Shop", "Shop", "Bakery"};
    GridSearch search;
    search.text = text;
    search.exact = exact;
    search.down = down;
    search.currentRow = current;
    search.lastRow = column.size() - 1;
    QCOMPARE(SearchGridRows(search, [&](int row) { return column.at(row); }), found);
}

QTEST_GUILESS_MAIN(TestGridSearch)
#include "tst_gridsearch.moc"
