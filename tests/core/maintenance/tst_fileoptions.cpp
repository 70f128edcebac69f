#include "core/base/tillbrookerror.h"
#include "core/maintenance/fileoptions.h"
#include "core/session/settings.h"
#include "support/testdatafile.h"

#include <QTest>

class TestFileOptions : public QObject
{
    Q_OBJECT
private slots:
    void changed_data();
    void changed();
    void savingStoresAndPutsInForce_data();
    void savingStoresAndPutsInForce();
    void digitsThatAreNoNumberStoreNothing();
};

void TestFileOptions::changed_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("backup");
    QTest::addColumn<QString>("transaction");
    QTest::addColumn<bool>("changed");
    QTest::newRow("as shown") << "2" << "Yes" << "No" << false;
    QTest::newRow("digits") << "3" << "Yes" << "No" << true;
    QTest::newRow("backup") << "2" << "No" << "No" << true;
    QTest::newRow("fill-in") << "2" << "Yes" << "Yes" << true;
}

void TestFileOptions::changed()
{
    QFETCH(QString, digits);
    QFETCH(QString, backup);
    QFETCH(QString, transaction);
    QFETCH(bool, changed);
    const ShownFileOptions shown{QStringLiteral("2"), QStringLiteral("Y"), QStringLiteral("N")};
    QCOMPARE(FileOptionsChanged(shown, digits, backup, transaction), changed);
}

void TestFileOptions::savingStoresAndPutsInForce_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("backup");
    QTest::addColumn<QString>("transaction");
    QTest::newRow("backup off") << "2" << "No" << "Yes";
    QTest::newRow("three places, fill-in off") << "3" << "Yes" << "No";
}

void TestFileOptions::savingStoresAndPutsInForce()
{
    QFETCH(QString, digits);
    QFETCH(QString, backup);
    QFETCH(QString, transaction);
    TestDataFile f;
    f.session.options.AutoBackupOn = true;
    SaveFileOptions(f.session, digits, backup, transaction);

    const ShownFileOptions stored = ReadShownFileOptions(f.db());
    QCOMPARE(stored.digits, digits);
    QCOMPARE(stored.autoBackup, backup.left(1));
    QCOMPARE(stored.autoTransaction, transaction.left(1));
    QCOMPARE(f.session.options.AutoBackupOn, backup == QLatin1String("Yes"));
    QCOMPARE(f.session.options.AutoTransactionOn, transaction == QLatin1String("Yes"));
    QCOMPARE(f.session.options.DecimalDigits, digits.toInt());
    QCOMPARE(f.session.options.AmountFormat, QStringLiteral("0.") + QString(digits.toInt(), u'0'));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, QStringLiteral("  New Tillbrook settings saved."));
}

void TestFileOptions::digitsThatAreNoNumberStoreNothing()
{
    TestDataFile f;
    const ShownFileOptions before = ReadShownFileOptions(f.db());
    QVERIFY_THROWS_EXCEPTION(TillbrookError, SaveFileOptions(f.session, QString(), QStringLiteral("No"),
                                                             QStringLiteral("No")));
    const ShownFileOptions after = ReadShownFileOptions(f.db());
    QCOMPARE(after.autoBackup, before.autoBackup);
    QCOMPARE(after.autoTransaction, before.autoTransaction);
    QVERIFY(f.session.options.AutoTransactionOn);
    QVERIFY(f.notifier.dialogs.isEmpty());
}

QTEST_GUILESS_MAIN(TestFileOptions)
#include "tst_fileoptions.moc"
