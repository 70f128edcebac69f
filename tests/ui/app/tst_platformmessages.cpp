#include "core/base/platformmessages.h"

#include <QRegularExpression>
#include <QTest>
#include <QWidget>

// The test program runs with the filter installed (tests/support/testmain.h).
class TestPlatformMessages : public QObject
{
    Q_OBJECT
private slots:
    void sizeHintWarningIsDropped_data();
    void sizeHintWarningIsDropped();
    void otherWarningsStillArrive();
};

void TestPlatformMessages::sizeHintWarningIsDropped_data()
{
    QTest::addColumn<bool>("installAgain");
    QTest::newRow("installed once") << false;
    QTest::newRow("installed twice") << true;
}

void TestPlatformMessages::sizeHintWarningIsDropped()
{
    QFETCH(bool, installAgain);
    if (installAgain)
        DropOffscreenSizeHintWarnings();
    QTest::failOnWarning(QRegularExpression(QStringLiteral("propagateSizeHints")));
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // A window whose size limits change after it is shown: the offscreen platform
    // answers each change with its warning.
    window.setMinimumSize(200, 100);
    window.setMaximumSize(400, 300);
    window.setFixedSize(250, 150);
}

void TestPlatformMessages::otherWarningsStillArrive()
{
    DropOffscreenSizeHintWarnings();
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support something else");
    qWarning("This plugin does not support something else");
    QTest::ignoreMessage(QtCriticalMsg, "This plugin does not support propagateSizeHints()");
    qCritical("This plugin does not support propagateSizeHints()");
}

QTEST_MAIN(TestPlatformMessages)
#include "tst_platformmessages.moc"
