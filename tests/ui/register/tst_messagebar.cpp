#include "ui/register/messagebar.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestMessageBar : public QObject
{
    Q_OBJECT
private slots:
    void hiddenAtStart();
    void kindsChooseIconAndColour_data();
    void kindsChooseIconAndColour();
    void secondMessageKeepsTheFirstOnesTime();
    void timerHidesTheBarAndStops();
};

void TestMessageBar::hiddenAtStart()
{
    QWidget window;
    auto *bar = new MessageBar(&window);
    window.show();
    QVERIFY(!bar->isVisible());
    QVERIFY(!bar->warningBar()->isVisible());
    QVERIFY(!bar->picInfo()->isVisible());
    QVERIFY(!bar->picCross()->isVisible());
    QVERIFY(!bar->isTimerActive());
    QCOMPARE(bar->warningTimer()->interval(), 5000);
}

void TestMessageBar::kindsChooseIconAndColour_data()
{
    QTest::addColumn<BarKind>("kind");
    QTest::addColumn<bool>("cross");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("warning") << BarKind::Warning << true << QColor(255, 0, 0);
    QTest::newRow("information") << BarKind::Information << false << QColor(0, 128, 0);
}

void TestMessageBar::kindsChooseIconAndColour()
{
    QFETCH(BarKind, kind);
    QFETCH(bool, cross);
    QFETCH(QColor, colour);
    QWidget window;
    auto *bar = new MessageBar(&window);
    window.show();
    bar->showMessage(QStringLiteral("  Transaction has been saved."), kind);
    QVERIFY(bar->isVisible());
    QVERIFY(bar->warningBar()->isVisible());
    QCOMPARE(bar->text(), QStringLiteral("  Transaction has been saved."));
    QCOMPARE(bar->picCross()->isVisible(), cross);
    QCOMPARE(bar->picInfo()->isVisible(), !cross);
    QCOMPARE(bar->warningBar()->palette().color(QPalette::WindowText), colour);
    QVERIFY(bar->isTimerActive());
}

void TestMessageBar::secondMessageKeepsTheFirstOnesTime()
{
    QWidget window;
    auto *bar = new MessageBar(&window);
    window.show();
    bar->showMessage(QStringLiteral("first"), BarKind::Warning);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 600)
        QTest::qWait(50);
    bar->showMessage(QStringLiteral("second"), BarKind::Information);
    QCOMPARE(bar->text(), QStringLiteral("second"));
    QVERIFY(bar->picInfo()->isVisible());
    QVERIFY(!bar->picCross()->isVisible());
    // Restarted, about 5000 ms would be left; kept, at most 4400.
    QVERIFY(bar->isTimerActive());
    QVERIFY2(bar->remainingTime() <= 4450, qPrintable(QString::number(bar->remainingTime())));
}

void TestMessageBar::timerHidesTheBarAndStops()
{
    QWidget window;
    auto *bar = new MessageBar(&window);
    window.show();
    bar->warningTimer()->setInterval(50);
    QSignalSpy hidden(bar, &MessageBar::hidden);
    bar->showMessage(QStringLiteral("  Nothing Selected."), BarKind::Warning);
    QTRY_VERIFY(!bar->isVisible());
    QVERIFY(!bar->warningBar()->isVisible());
    QVERIFY(!bar->isTimerActive());
    QCOMPARE(hidden.count(), 1);

    // The next message starts a fresh time.
    bar->showMessage(QStringLiteral("again"), BarKind::Information);
    QVERIFY(bar->isVisible());
    QVERIFY(bar->isTimerActive());
}

QTEST_MAIN(TestMessageBar)
#include "tst_messagebar.moc"
