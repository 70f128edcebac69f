#include "core/base/tillbrookerror.h"
#include "core/session/savedform.h"
#include "ui/widgets/windowplacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

class TestWindowPlacement : public QObject
{
    Q_OBJECT
private slots:
    void placementSurvivesARestart_data();
    void placementSurvivesARestart();
    void ownerMustBeAWindow();
};

void TestWindowPlacement::placementSurvivesARestart_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal") << false;
    QTest::newRow("maximised") << true;
}

void TestWindowPlacement::placementSurvivesARestart()
{
    QFETCH(bool, maximised);

    QTemporaryDir dir;
    const QRect normal(60, 50, 420, 300);
    {
        QMainWindow window;
        window.setGeometry(normal);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (maximised) {
            window.showMaximized();
            QTRY_VERIFY(window.isMaximized());
        }
        WidgetPlacedWindow placed(&window);
        TSavedForm form(placed, dir.path());
        form.SavePlacement();
    }

    QMainWindow window;
    window.resize(790, 565);
    WidgetPlacedWindow placed(&window);
    TSavedForm form(placed, dir.path());
    form.LoadPlacement();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.isMaximized(), maximised);
    QCOMPARE(window.normalGeometry(), normal);
    if (maximised) {
        window.showNormal();
        QTRY_COMPARE(window.geometry(), normal);
    }
}

void TestWindowPlacement::ownerMustBeAWindow()
{
    QWidget window;
    QWidget *child = new QWidget(&window);
    try {
        WidgetPlacedWindow placed(child);
        QFAIL("a child widget was taken");
    } catch (const TillbrookError &error) {
        QCOMPARE(error.message(), QStringLiteral("TSavedForm: owner is not a TForm"));
    }
}

QTEST_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
