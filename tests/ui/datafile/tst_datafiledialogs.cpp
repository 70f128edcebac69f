#include "support/scripteddialogs.h"
#include "ui/datafile/filenotfounddialog.h"
#include "ui/datafile/passworddialog.h"
#include "ui/app/splash.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestDataFileDialogs : public QObject
{
    Q_OBJECT
private slots:
    void passwordPrompt_data();
    void passwordPrompt();
    void passwordFieldTakesTwentyMaskedCharacters();
    void fileNotFoundChoice_data();
    void fileNotFoundChoice();
    void splashShowsVersionAndClosesItself();
};

void TestDataFileDialogs::passwordPrompt_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ok") << "ok" << "Secret";
    QTest::newRow("cancel") << "cancel" << "";
    QTest::newRow("close box") << "close" << "";
}

void TestDataFileDialogs::passwordPrompt()
{
    QFETCH(QString, how);
    QFETCH(QString, expected);
    ScriptedDialogs dialogs;
    dialogs.otherwise([how](QDialog &dialog) {
        auto &password = static_cast<TfrmPassword &>(dialog);
        password.txtPassword->setText(QStringLiteral("Secret"));
        if (how == QLatin1String("ok"))
            password.btnOK->click();
        else if (how == QLatin1String("cancel"))
            password.btnCancel->click();
        else
            password.reject();
        return password.result();
    });
    QCOMPARE(PromptForPassword(nullptr), expected);
}

void TestDataFileDialogs::passwordFieldTakesTwentyMaskedCharacters()
{
    TfrmPassword dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Please enter password"));
    QTest::keyClicks(dialog.txtPassword, QString(25, u'a'));
    QCOMPARE(dialog.txtPassword->text().size(), 20);
    QCOMPARE(dialog.txtPassword->echoMode(), QLineEdit::Password);
    QVERIFY(dialog.EnteredPassword.isEmpty());
}

void TestDataFileDialogs::fileNotFoundChoice_data()
{
    QTest::addColumn<QString>("button"); // empty: closed by the close box
    QTest::addColumn<int>("choice");
    QTest::newRow("new") << "btnNew" << 0;
    QTest::newRow("open") << "btnOpen" << 1;
    QTest::newRow("exit") << "btnExit" << 2;
    QTest::newRow("close box") << "" << 0;
}

void TestDataFileDialogs::fileNotFoundChoice()
{
    QFETCH(QString, button);
    QFETCH(int, choice);
    ScriptedDialogs dialogs;
    dialogs.otherwise([button](QDialog &dialog) {
        if (button.isEmpty())
            dialog.reject();
        else
            dialog.findChild<QToolButton *>(button)->click();
        return dialog.result();
    });
    QCOMPARE(AskFileNotFoundChoice(nullptr), choice);
    TfrmFileNotFound dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("File not found ..."));
}

void TestDataFileDialogs::splashShowsVersionAndClosesItself()
{
    TfrmSplash splash;
    QCOMPARE(splash.lblVersion->text(), QStringLiteral("ver 1.0a"));
    splash.show();
    QVERIFY(splash.lblVersion->text().endsWith(QLatin1String("  ")));
    QVERIFY(splash.lblVersion->text().count(u'.') == 3);
    QVERIFY(QApplication::overrideCursor());
    splash.setProgress(3);
    QCOMPARE(splash.tmrSplash->interval(), 2000);
    splash.startTimer();
    QTRY_VERIFY_WITH_TIMEOUT(!splash.isVisible(), 10000);
    QVERIFY(!splash.tmrSplash->isActive());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestDataFileDialogs)
#include "tst_datafiledialogs.moc"
