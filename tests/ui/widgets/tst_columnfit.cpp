#include "ui/widgets/columnfit.h"

#include <QTest>

#include <numeric>

// How a grid's width is spread: spare width to the stretch columns, and a short width
// taken from them first so the other columns stay whole.
class TestColumnFit : public QObject
{
    Q_OBJECT
private slots:
    void fit_data();
    void fit();
};

using Widths = QList<int>;
Q_DECLARE_METATYPE(Widths)

void TestColumnFit::fit_data()
{
    QTest::addColumn<Widths>("natural");
    QTest::addColumn<int>("available");
    QTest::addColumn<Widths>("expected");

    // Columns 1 and 2 stretch, the minimum is 40.
    QTest::newRow("exact fit") << Widths{50, 100, 60, 80} << 290 << Widths{50, 100, 60, 80};
    QTest::newRow("spare shared equally") << Widths{50, 100, 60, 80} << 390 << Widths{50, 150, 110, 80};
    QTest::newRow("odd spare pixel to the first") << Widths{50, 100, 60, 80} << 291 << Widths{50, 101, 60, 80};
    QTest::newRow("short taken in proportion to the room above the minimum")
        << Widths{50, 100, 60, 80} << 250 << Widths{50, 70, 50, 80};
    QTest::newRow("short by a little") << Widths{50, 160, 60, 80} << 330 << Widths{50, 142, 58, 80};
    QTest::newRow("short by all the room") << Widths{50, 100, 60, 80} << 210 << Widths{50, 40, 40, 80};
    QTest::newRow("too short: stretch columns at their minimum") << Widths{50, 100, 60, 80} << 100
                                                                 << Widths{50, 40, 40, 80};
    QTest::newRow("a column already under the minimum is not widened") << Widths{50, 30, 100, 80} << 200
                                                                        << Widths{50, 30, 40, 80};
}

void TestColumnFit::fit()
{
    QFETCH(Widths, natural);
    QFETCH(int, available);
    QFETCH(Widths, expected);
    const Widths widths = FitColumnWidths(natural, available, {1, 2}, 40);
    QCOMPARE(widths, expected);
    // The fixed columns never change.
    QCOMPARE(widths.front(), natural.front());
    QCOMPARE(widths.back(), natural.back());
    const int sum = std::accumulate(widths.cbegin(), widths.cend(), 0);
    if (sum > available) // only when the stretch columns are all at their minimum
        for (int col : {1, 2})
            QVERIFY(widths[col] <= 40);
}

QTEST_GUILESS_MAIN(TestColumnFit)
#include "tst_columnfit.moc"
