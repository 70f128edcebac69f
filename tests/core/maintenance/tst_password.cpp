#include "core/maintenance/password.h"
#include "core/session/datafileops.h"
#include "core/session/passwordhash.h"
#include "core/session/settings.h"
#include "support/testdatafile.h"

#include <QTest>

class TestPassword : public QObject
{
    Q_OBJECT
private slots:
    void matching_data();
    void matching();
    void digestIsSaltedAndNotTheText();
    void changeStoresADigest_data();
    void changeStoresADigest();
    void setPasswordGatesTheNextOpening_data();
    void setPasswordGatesTheNextOpening();
};

void TestPassword::matching_data()
{
    QTest::addColumn<QString>("stored"); // "#" + text: a digest of that text
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("matches");
    QTest::newRow("digest, right") << "#Secret" << "Secret" << true;
    QTest::newRow("digest, case differs") << "#Secret" << "secret" << false;
    QTest::newRow("digest, prefix only") << "#Secret" << "Secre" << false;
    QTest::newRow("digest, empty answer") << "#Secret" << "" << false;
    QTest::newRow("digest of twenty characters") << "#abcdefghijklmnopqrs\u00e9" << "abcdefghijklmnopqrs\u00e9" << true;
    QTest::newRow("clear text of an earlier build, right") << "Secret" << "Secret" << true;
    QTest::newRow("clear text, case differs") << "Secret" << "SECRET" << false;
    QTest::newRow("clear text, empty answer") << "Secret" << "" << false;
    QTest::newRow("clear text that looks like a digest") << "pbkdf2-sha256$1$x$y" << "pbkdf2-sha256$1$x$y" << true;
    QTest::newRow("nothing stored") << "" << "" << false;
}

void TestPassword::matching()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    if (stored.startsWith(u'#'))
        stored = HashFilePassword(stored.mid(1), 1000);
    QCOMPARE(FilePasswordMatches(stored, typed), matches);
}

void TestPassword::digestIsSaltedAndNotTheText()
{
    const QString first = HashFilePassword(QStringLiteral("Secret"));
    const QString second = HashFilePassword(QStringLiteral("Secret"));
    QVERIFY(first != second);
    QVERIFY(!first.contains(QStringLiteral("Secret")));
    QVERIFY(first.startsWith(QStringLiteral("pbkdf2-sha256$%1$").arg(PasswordHashIterations)));
    QVERIFY(IsHashedFilePassword(first));
    QVERIFY(FilePasswordMatches(second, QStringLiteral("Secret")));
}

// The dialog's outcome: no value keeps the password, empty removes it.
void TestPassword::changeStoresADigest_data()
{
    QTest::addColumn<QString>("before"); // "#" + text: stored as a digest
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("passwordAfter"); // empty: none
    QTest::addColumn<QStringList>("bars");
    const QString set = QStringLiteral("  Password has been set");
    const QString removed = QStringLiteral("  Password has been removed");
    QTest::newRow("new password") << "" << false << "Secret" << "Secret" << QStringList{set};
    QTest::newRow("changed password") << "#Old" << false << "New" << "New" << QStringList{set};
    QTest::newRow("kept digest") << "#Secret" << true << "" << "Secret" << QStringList{set};
    QTest::newRow("kept clear text is rewritten") << "Secret" << true << "" << "Secret" << QStringList{set};
    QTest::newRow("emptied") << "#Secret" << false << "" << "" << QStringList{set, removed};
    QTest::newRow("kept while none") << "" << true << "" << "" << QStringList{set, removed};
}

void TestPassword::changeStoresADigest()
{
    QFETCH(QString, before);
    QFETCH(bool, keep);
    QFETCH(QString, typed);
    QFETCH(QString, passwordAfter);
    QFETCH(QStringList, bars);
    TestDataFile f;
    const QString storedBefore = before.startsWith(u'#') ? HashFilePassword(before.mid(1), 1000) : before;
    SetFileSettingText(f.db(), QStringLiteral("Password"), storedBefore);

    ChangeFilePassword(f.db(), f.notifier, keep ? std::nullopt : std::optional<QString>(typed));

    const QString stored = GetFilePassword(f.db());
    QCOMPARE(FileHasPassword(f.db()), !passwordAfter.isEmpty());
    if (!passwordAfter.isEmpty()) {
        QVERIFY(IsHashedFilePassword(stored));
        QVERIFY(FilePasswordMatches(stored, passwordAfter));
        if (keep && IsHashedFilePassword(storedBefore))
            QCOMPARE(stored, storedBefore);
    }
    QStringList shown;
    for (const auto &bar : std::as_const(f.notifier.bars))
        shown << bar.text;
    QCOMPARE(shown, bars);
}

void TestPassword::setPasswordGatesTheNextOpening_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("opens");
    QTest::newRow("same") << "Secret" << true;
    QTest::newRow("other case") << "SECRET" << false;
    QTest::newRow("cancelled") << "" << false;
}

void TestPassword::setPasswordGatesTheNextOpening()
{
    QFETCH(QString, answer);
    QFETCH(bool, opens);
    TestDataFile f;
    ChangeFilePassword(f.db(), f.notifier, QStringLiteral("Secret"));
    f.notifier.clear();
    if (!answer.isEmpty())
        f.notifier.passwordAnswers << answer;
    QCOMPARE(OpenDataFile(f.session, f.path()), opens);
    QCOMPARE(f.notifier.passwordPrompts, 1);
    if (!opens)
        QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password incorrect!"));
}

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
