#include "core/reports/axisscale.h"

#include <QTest>

// Round steps that hold every value and zero: what a reader can take in at a glance.
class TestAxisScale : public QObject
{
    Q_OBJECT
private slots:
    void scale_data();
    void scale();
};

using Ticks = QList<double>;
Q_DECLARE_METATYPE(Ticks)

void TestAxisScale::scale_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<Ticks>("ticks");
    QTest::newRow("expenses and income") << -21969.23 << 76749.0
                                         << Ticks{-40000, -20000, 0, 20000, 40000, 60000, 80000};
    QTest::newRow("income only starts at zero") << 120.0 << 2710.43 << Ticks{0, 500, 1000, 1500, 2000, 2500, 3000};
    QTest::newRow("expenses only ends at zero") << -900.0 << -350.0 << Ticks{-1000, -800, -600, -400, -200, 0};
    QTest::newRow("small amounts") << 0.0 << 0.37 << Ticks{0, 0.1, 0.2, 0.3, 0.4};
    QTest::newRow("every value zero") << 0.0 << 0.0 << Ticks{0, 0.2, 0.4, 0.6, 0.8, 1};
    QTest::newRow("exactly round") << 0.0 << 100.0 << Ticks{0, 20, 40, 60, 80, 100};
}

void TestAxisScale::scale()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(Ticks, ticks);
    const AxisScale s = NiceAxisScale(low, high);
    const Ticks got = s.ticks();
    QCOMPARE(got.size(), ticks.size());
    for (qsizetype i = 0; i < got.size(); ++i)
        QVERIFY2(qAbs(got[i] - ticks[i]) < 1e-9, qPrintable(QStringLiteral("%1: %2").arg(i).arg(got[i])));
    QVERIFY(s.low <= qMin(0.0, low) && s.high >= qMax(0.0, high));
}

QTEST_GUILESS_MAIN(TestAxisScale)
#include "tst_axisscale.moc"
