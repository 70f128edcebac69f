#include "ui/register/monthnavigator.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(ShownMonth)

class TestMonthNavigator : public QObject
{
    Q_OBJECT
private slots:
    void yearListAndMonthMenu();
    void step_data();
    void step();
    void showMonthRaisesNothing();
    void monthMenuItemShowsThatMonth_data();
    void monthMenuItemShowsThatMonth();
    void yearChoiceRaisesOnce();
    void todayButton();
    void lastDayOfMonth_data();
    void lastDayOfMonth();
};

void TestMonthNavigator::yearListAndMonthMenu()
{
    MonthNavigator nav;
    QCOMPARE(nav.edtYears()->count(), 551);
    QCOMPARE(nav.edtYears()->itemText(0), QStringLiteral("1950"));
    QCOMPARE(nav.edtYears()->itemText(550), QStringLiteral("2500"));
    const QList<QAction *> items = nav.popupMonths()->actions();
    QCOMPARE(items.size(), 12);
    QCOMPARE(items.first()->text(), QStringLiteral("January"));
    QCOMPARE(items.last()->text(), QStringLiteral("December"));
    QCOMPARE(items.at(4)->data().toInt(), 5);
}

void TestMonthNavigator::step_data()
{
    QTest::addColumn<ShownMonth>("from");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<ShownMonth>("to");
    QTest::addColumn<bool>("raised");

    QTest::newRow("back across a year") << ShownMonth{1, 2000} << false << ShownMonth{12, 1999} << true;
    QTest::newRow("forward across a year") << ShownMonth{12, 1999} << true << ShownMonth{1, 2000} << true;
    QTest::newRow("forward inside a year") << ShownMonth{5, 2024} << true << ShownMonth{6, 2024} << true;
    QTest::newRow("back inside a year") << ShownMonth{5, 2024} << false << ShownMonth{4, 2024} << true;
    QTest::newRow("forward in 2500 January") << ShownMonth{1, 2500} << true << ShownMonth{1, 2500} << false;
    QTest::newRow("forward in 2500 December") << ShownMonth{12, 2500} << true << ShownMonth{12, 2500} << false;
    QTest::newRow("back in 1950 December") << ShownMonth{12, 1950} << false << ShownMonth{12, 1950} << false;
    QTest::newRow("back in 1950 January") << ShownMonth{1, 1950} << false << ShownMonth{1, 1950} << false;
    QTest::newRow("back from 2500") << ShownMonth{1, 2500} << false << ShownMonth{12, 2499} << true;
    QTest::newRow("forward from 1950") << ShownMonth{12, 1950} << true << ShownMonth{1, 1951} << true;
    QTest::newRow("forward into 2500") << ShownMonth{12, 2499} << true << ShownMonth{1, 2500} << true;
}

void TestMonthNavigator::step()
{
    QFETCH(ShownMonth, from);
    QFETCH(bool, forward);
    QFETCH(ShownMonth, to);
    QFETCH(bool, raised);

    MonthNavigator nav;
    nav.showMonth(from);
    QSignalSpy chosen(&nav, &MonthNavigator::monthChosen);
    QTest::mouseClick(forward ? nav.btnMoreDate() : nav.btnLessDate(), Qt::LeftButton);
    QCOMPARE(nav.shownMonth(), to);
    QCOMPARE(nav.btnMonths()->text(), EnglishMonthName(to.month));
    QCOMPARE(nav.edtYears()->currentText(), QString::number(to.year));
    QCOMPARE(chosen.count(), raised ? 1 : 0);
}

void TestMonthNavigator::showMonthRaisesNothing()
{
    MonthNavigator nav;
    QSignalSpy chosen(&nav, &MonthNavigator::monthChosen);
    nav.showMonth({3, 1977});
    QCOMPARE(nav.shownMonth(), (ShownMonth{3, 1977}));
    // Out of the list: brought to its end rather than left without a year.
    nav.showMonth({13, 2600});
    QCOMPARE(nav.shownMonth(), (ShownMonth{12, 2500}));
    QCOMPARE(chosen.count(), 0);
}

void TestMonthNavigator::monthMenuItemShowsThatMonth_data()
{
    QTest::addColumn<int>("month");
    for (int m = 1; m <= 12; ++m)
        QTest::newRow(qPrintable(EnglishMonthName(m))) << m;
}

void TestMonthNavigator::monthMenuItemShowsThatMonth()
{
    QFETCH(int, month);
    MonthNavigator nav;
    nav.showMonth({month == 1 ? 2 : 1, 2010});
    QSignalSpy chosen(&nav, &MonthNavigator::monthChosen);
    nav.popupMonths()->actions().at(month - 1)->trigger();
    QCOMPARE(nav.shownMonth(), (ShownMonth{month, 2010}));
    QCOMPARE(nav.btnMonths()->text(), EnglishMonthName(month));
    QCOMPARE(chosen.count(), 1);
}

void TestMonthNavigator::yearChoiceRaisesOnce()
{
    MonthNavigator nav;
    nav.showMonth({7, 2001});
    QSignalSpy chosen(&nav, &MonthNavigator::monthChosen);
    nav.edtYears()->setCurrentText(QStringLiteral("2003"));
    QCOMPARE(nav.shownMonth(), (ShownMonth{7, 2003}));
    QCOMPARE(chosen.count(), 1);
}

void TestMonthNavigator::todayButton()
{
    MonthNavigator nav;
    nav.showMonth({1, 1960});
    QSignalSpy chosen(&nav, &MonthNavigator::monthChosen);
    QTest::mouseClick(nav.btnToday(), Qt::LeftButton);
    const QDate today = QDate::currentDate();
    QCOMPARE(nav.shownMonth(), (ShownMonth{today.month(), today.year()}));
    QCOMPARE(chosen.count(), 1);
}

void TestMonthNavigator::lastDayOfMonth_data()
{
    QTest::addColumn<ShownMonth>("month");
    QTest::addColumn<QDate>("last");
    QTest::newRow("leap February") << ShownMonth{2, 2024} << QDate(2024, 2, 29);
    QTest::newRow("February 1900 rule") << ShownMonth{2, 2100} << QDate(2100, 2, 28);
    QTest::newRow("December") << ShownMonth{12, 2500} << QDate(2500, 12, 31);
    QTest::newRow("April") << ShownMonth{4, 1950} << QDate(1950, 4, 30);
}

void TestMonthNavigator::lastDayOfMonth()
{
    QFETCH(ShownMonth, month);
    QFETCH(QDate, last);
    QCOMPARE(month.lastDay(), last);
    QCOMPARE(month.firstDay(), QDate(month.year, month.month, 1));
}

QTEST_MAIN(TestMonthNavigator)
#include "tst_monthnavigator.moc"
