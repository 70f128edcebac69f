#include "ui/app/tillbrookapplication.h"
#include "core/base/tillbrookerror.h"
#include "support/fakenotifier.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTest>

namespace {

class Throwing : public QObject
{
public:
    int handled = 0;
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw DatabaseError(QStringLiteral("disk I/O error"));
        if (event->type() == QEvent::User + 1) {
            ++handled;
            return true;
        }
        return QObject::event(event);
    }
};

} // namespace

class TestTillbrookApplication : public QObject
{
    Q_OBJECT
private slots:
    void escapedErrorIsShownAndTheProgramGoesOn();
    void titlesCarryNoDisplayName();
};

void TestTillbrookApplication::escapedErrorIsShownAndTheProgramGoesOn()
{
    auto *app = static_cast<TillbrookApplication *>(QCoreApplication::instance());
    FakeNotifier notifier;
    app->setNotifier(&notifier);
    Throwing receiver;
    QEvent failing(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &failing);
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs[0].top, QStringLiteral("An error has occured, please re-try"));
    QCOMPARE(notifier.dialogs[0].details, QStringLiteral("disk I/O error"));
    QCOMPARE(notifier.dialogs[0].caption, QStringLiteral("Tillbrook"));

    QCoreApplication::postEvent(&receiver, new QEvent(QEvent::Type(QEvent::User + 1)));
    QTRY_COMPARE(receiver.handled, 1);
    app->setNotifier(nullptr);
}

// A display name, once set, is appended by the platform to every title that does not
// end with it ("Tillbrook - /home/x.tillbrook — Tillbrook"). Without one the display
// name follows the application name, so a changed name shows whether one was set.
void TestTillbrookApplication::titlesCarryNoDisplayName()
{
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tillbrook"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Tillbrook"));
    QCoreApplication::setApplicationName(QStringLiteral("Renamed"));
    const QString followed = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(QStringLiteral("Tillbrook"));
    QCOMPARE(followed, QStringLiteral("Renamed"));
}

int main(int argc, char **argv)
{
    TillbrookApplication app(argc, argv);
    TestTillbrookApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_tillbrookapplication.moc"
