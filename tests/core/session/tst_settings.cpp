#include "core/session/programoptions.h"
#include "core/session/settings.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"

#include <QFile>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void iniRoundTripKeepsOtherSections();
    void missingIniReadsEmpty();
    void failedWriteReturnsFalseAndWarns();
    void fileSettingsRoundTrip();
    void settingsWithoutARow();
    void onOffOptions_data();
    void onOffOptions();
    void digits_data();
    void digits();
    void passwordIsStoredExactly();
};

void TestSettings::iniRoundTripKeepsOtherSections()
{
    TestDataFile f;
    QFile ini(f.filePath(QStringLiteral("Settings.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[WindowPosition]\nTfrmMain_Left=120\n\n[defaults]\ndigits=3\n");
    ini.close();

    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), f.folder()), QStringLiteral("3"));
    const QString path = QStringLiteral("/home/someone/My Files/money, 2024.tillbrook");
    QVERIFY(WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), path, f.folder()));
    QVERIFY(WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), QStringLiteral("2"), f.folder()));

    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), f.folder()), path);
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), f.folder()), QStringLiteral("2"));
    QCOMPARE(ReadIniSetting(QStringLiteral("WindowPosition"), QStringLiteral("TfrmMain_Left"), f.folder()),
             QStringLiteral("120"));
}

void TestSettings::missingIniReadsEmpty()
{
    TestDataFile f;
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("last_opened_db"), f.folder()), QString());
    QCOMPARE(ReadIniSetting(QStringLiteral("defaults"), QStringLiteral("lastcheck"),
                            f.folder() + QStringLiteral("missing/")), QString());
}

void TestSettings::failedWriteReturnsFalseAndWarns()
{
    TestDataFile f;
    // A folder that cannot exist: its parent is a plain file (works as root too).
    QFile blocker(f.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = f.filePath(QStringLiteral("blocker/sub/"));

    QVERIFY(!WriteIniSetting(QStringLiteral("defaults"), QStringLiteral("digits"), QStringLiteral("2"), folder));
    QVERIFY(!WriteIniSettingOrWarn(f.notifier, QStringLiteral("defaults"), QStringLiteral("digits"),
                                   QStringLiteral("2"), folder));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    QCOMPARE(f.notifier.dialogs[0].top, QStringLiteral("  Could not write to settings file"));
}

void TestSettings::fileSettingsRoundTrip()
{
    TestDataFile f;
    SetFileSettingText(f.db(), QStringLiteral("AutoBackup"), QStringLiteral("N"));
    SetFileSettingNumber(f.db(), QStringLiteral("DefaultDigits"), 0);
    SetFileSettingNumber(f.db(), QStringLiteral("DefaultAccountId"), 7);
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("AutoBackup")), QStringLiteral("N"));
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("DefaultDigits")), QStringLiteral("0"));
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("DefaultAccountId")), QStringLiteral("7"));
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("AutoTransaction")), QStringLiteral("Y"));
}

void TestSettings::settingsWithoutARow()
{
    TestDataFile f;
    f.exec(QStringLiteral("DELETE FROM MySettings"));
    SetFileSettingText(f.db(), QStringLiteral("AutoBackup"), QStringLiteral("N"));
    QCOMPARE(GetFileSetting(f.db(), QStringLiteral("AutoBackup")), QString());
    QCOMPARE(GetFilePassword(f.db()), QString());

    ProgramOptions options;
    options.setDecimalDigits(3);
    options.AutoTransactionOn = false;
    options.loadFromFile(f.db());
    QCOMPARE(options.DecimalDigits, 3);
    QVERIFY(options.AutoBackupOn);
    QVERIFY(options.AutoTransactionOn);
}

void TestSettings::onOffOptions_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("Y") << QVariant(QStringLiteral("Y")) << true;
    QTest::newRow("N") << QVariant(QStringLiteral("N")) << false;
    QTest::newRow("lower-case n counts as on") << QVariant(QStringLiteral("n")) << true;
    QTest::newRow("empty") << QVariant(QString()) << true;
    QTest::newRow("Null") << QVariant() << true;
}

void TestSettings::onOffOptions()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, on);
    TestDataFile f;
    SqlStatement(f.db(), QStringLiteral("UPDATE MySettings SET AutoBackup = :v, AutoTransaction = :v"))
        .bind(QStringLiteral(":v"), stored).exec();
    ProgramOptions options;
    options.AutoBackupOn = !on;
    options.AutoTransactionOn = !on;
    options.loadFromFile(f.db());
    QCOMPARE(options.AutoBackupOn, on);
    QCOMPARE(options.AutoTransactionOn, on);
}

void TestSettings::digits_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("format");
    // The previous file left 3 places in force.
    QTest::newRow("2") << QVariant(2) << 2 << "0.00";
    QTest::newRow("0 gives whole numbers") << QVariant(0) << 0 << "0.";
    QTest::newRow("4") << QVariant(4) << 4 << "0.0000";
    QTest::newRow("Null keeps the previous") << QVariant() << 3 << "0.000";
    QTest::newRow("non-numeric keeps the previous") << QVariant(QStringLiteral("two")) << 3 << "0.000";
    QTest::newRow("fraction keeps the previous") << QVariant(QStringLiteral("2.5")) << 3 << "0.000";
    QTest::newRow("negative keeps the previous") << QVariant(-1) << 3 << "0.000";
}

void TestSettings::digits()
{
    QFETCH(QVariant, stored);
    QFETCH(int, digits);
    QFETCH(QString, format);
    TestDataFile f;
    SqlStatement(f.db(), QStringLiteral("UPDATE MySettings SET DefaultDigits = :v"))
        .bind(QStringLiteral(":v"), stored).exec();
    ProgramOptions options;
    QVERIFY(options.applyDigitsText(QStringLiteral("3")));
    options.loadFromFile(f.db());
    QCOMPARE(options.DecimalDigits, digits);
    QCOMPARE(options.AmountFormat, format);
}

void TestSettings::passwordIsStoredExactly()
{
    TestDataFile f;
    const QString password = QStringLiteral("Se\"cret'");
    SetFilePassword(f.db(), f.notifier, password);
    QCOMPARE(GetFilePassword(f.db()), password);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password has been set"));
    SetFilePassword(f.db(), f.notifier, QString());
    QCOMPARE(GetFilePassword(f.db()), QString());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
