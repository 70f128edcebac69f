#include "ui/app/singleinstance.h"

#include <QCoreApplication>
#include <QDialog>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace {

QString uniqueKey()
{
    return QStringLiteral("PREVINST:tst_singleinstance:%1").arg(QCoreApplication::applicationPid());
}

QByteArray startLater(const QString &key, const QString &file = QString())
{
    QProcess later;
    later.start(QStringLiteral(TILLBROOK_INSTANCE_HELPER), file.isEmpty() ? QStringList{key} : QStringList{key, file});
    if (!later.waitForFinished(10000))
        return "did not end";
    return later.readAllStandardOutput().trimmed();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void laterStartHandsOverAndEnds();
    void firstAgainOnceTheRunningOneHasGone();
    void laterStartHandsItsFileOver_data();
    void laterStartHandsItsFileOver();
    void raisesTheOpenModalDialogOrTheWindow();
    void defaultKeyNamesProgramAndUser();
};

void TestSingleInstance::laterStartHandsOverAndEnds()
{
    SingleInstance first(uniqueKey());
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    QCOMPARE(startLater(uniqueKey()), QByteArray("second"));
    QTRY_COMPARE(raised.count(), 1);
    QCOMPARE(startLater(uniqueKey()), QByteArray("second"));
    QTRY_COMPARE(raised.count(), 2);
}

void TestSingleInstance::firstAgainOnceTheRunningOneHasGone()
{
    {
        SingleInstance first(uniqueKey());
        QVERIFY(first.claim());
    }
    QCOMPARE(startLater(uniqueKey()), QByteArray("first"));
}

void TestSingleInstance::laterStartHandsItsFileOver_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << QStringLiteral("/data/home.tillbrook");
    QTest::newRow("spaces and accents") << QStringLiteral("/data/Büro Konten/été 2024.tillbrook");
    QTest::newRow("a line break in the name") << QStringLiteral("/data/two\nlines.tillbrook");
    QTest::newRow("the activate message as a name") << QStringLiteral("activate");
}

void TestSingleInstance::laterStartHandsItsFileOver()
{
    QFETCH(QString, file);
    SingleInstance first(uniqueKey());
    QVERIFY(first.claim());
    QSignalSpy raised(&first, &SingleInstance::activationRequested);
    QSignalSpy opened(&first, &SingleInstance::openRequested);
    QCOMPARE(startLater(uniqueKey(), file), QByteArray("second"));
    QTRY_COMPARE(opened.count(), 1);
    QCOMPARE(opened.first().first().toString(), file);
    QCOMPARE(raised.count(), 0);
}

void TestSingleInstance::raisesTheOpenModalDialogOrTheWindow()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(RaiseWindowOrItsDialog(&window), &window);

    QDialog dialog(&window);
    dialog.open(); // modal, without a local loop
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(RaiseWindowOrItsDialog(&window), &dialog);
    dialog.close();

    window.showMinimized();
    RaiseWindowOrItsDialog(&window);
    QTRY_VERIFY(!window.isMinimized());
}

void TestSingleInstance::defaultKeyNamesProgramAndUser()
{
    QCoreApplication::setApplicationName(QStringLiteral("Tillbrook"));
    const QString key = SingleInstance::defaultKey();
    QVERIFY(key.startsWith(QLatin1String("PREVINST:Tillbrook:")));
    QVERIFY(key.size() > int(qstrlen("PREVINST:Tillbrook:")));
}

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
