#include "core/maintenance/backup.h"
#include "core/maintenance/fileoptions.h"
#include "core/session/datafileops.h"
#include "core/session/passwordhash.h"
#include "core/session/settings.h"
#include "core/datafile/sqlstatement.h"
#include "support/testdatafile.h"
#include "ui/datafile/passworddialog.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/maintenance/backupwindow.h"
#include "ui/maintenance/maintenanceentry.h"
#include "ui/maintenance/optionsdialog.h"
#include "ui/maintenance/wizard.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <functional>

namespace {

// Answers every dialog shown through the seam with the given function, in order.
class DialogScript
{
public:
    using Answer = std::function<int(QDialog &)>;
    explicit DialogScript(QList<Answer> answers) : m_answers(std::move(answers))
    {
        m_previous = SetDialogHook([this](QDialog &dialog) {
            shown << dialog.objectName();
            if (m_answers.isEmpty()) {
                dialog.reject();
                return int(QDialog::Rejected);
            }
            return m_answers.takeFirst()(dialog);
        });
    }
    ~DialogScript() { SetDialogHook(m_previous); }
    QStringList shown;

private:
    QList<Answer> m_answers;
    DialogHook m_previous;
};

// Types into a field as a user does, emptying it first.
void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Types the password (and the confirmation into "Confirm password" when the dialog
// has it) and presses OK; an empty text empties the fields.
DialogScript::Answer typePassword(const QString &text, const QString &confirm)
{
    return [text, confirm](QDialog &dialog) {
        auto &password = static_cast<TfrmPassword &>(dialog);
        typeInto(password.txtPassword, text);
        if (password.txtConfirm)
            typeInto(password.txtConfirm, confirm);
        password.btnOK->click();
        return dialog.result();
    };
}

DialogScript::Answer typePassword(const QString &text)
{
    return typePassword(text, text);
}

DialogScript::Answer pressOK()
{
    return [](QDialog &dialog) {
        static_cast<TfrmPassword &>(dialog).btnOK->click();
        return dialog.result();
    };
}

QStringList barTexts(const FakeNotifier &notifier)
{
    QStringList texts;
    for (const auto &bar : notifier.bars)
        texts << bar.text;
    return texts;
}

} // namespace

class TestMaintenanceWindows : public QObject
{
    Q_OBJECT
private slots:
    void passwordSetRefusedAndAccepted();
    void passwordDialogOutcomes_data();
    void passwordDialogOutcomes();
    void optionsOkWithoutChangeAsksNothing();
    void optionsChangeAsksAndStores_data();
    void optionsChangeAsksAndStores();
    void optionsDecimalPlacesStepBetweenTwoAndThree();
    void wizardPagesAndButtons();
    void wizardTabClickAndFinish();
    void wizardButtonsOpenTheLists();
    void progressWindowCancelStopsTheBackup();
};

void TestMaintenanceWindows::passwordSetRefusedAndAccepted()
{
    TestDataFile f;
    {
        DialogScript script({typePassword(QStringLiteral("Secret"))});
        ChangeFilePasswordWithDialog(f.session, nullptr);
        QCOMPARE(script.shown, QStringList{QStringLiteral("TfrmPassword")});
    }
    QCOMPARE(barTexts(f.notifier), QStringList{QStringLiteral("  Password has been set")});
    QVERIFY(IsHashedFilePassword(GetFilePassword(f.db())));

    f.notifier.passwordAnswers << QStringLiteral("secret");
    QVERIFY(!OpenDataFile(f.session, f.path()));
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Password incorrect!"));
    f.notifier.passwordAnswers << QStringLiteral("Secret");
    QVERIFY(OpenDataFile(f.session, f.path()));
}

void TestMaintenanceWindows::passwordDialogOutcomes_data()
{
    QTest::addColumn<QString>("stored"); // as typed by an earlier build
    // 0: OK untouched, 1: type "New", 2: empty the field, 3: Cancel, 4: Escape,
    // 5: the close box, 6: "New" confirmed as "Mew"
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("after");  // the password that opens the file afterwards; empty: none
    QTest::addColumn<QString>("lastBar");
    const QString set = QStringLiteral("  Password has been set");
    const QString removed = QStringLiteral("  Password has been removed");
    QTest::newRow("OK untouched keeps") << "Old" << 0 << "Old" << set;
    QTest::newRow("typed replaces") << "Old" << 1 << "New" << set;
    QTest::newRow("emptied removes") << "Old" << 2 << "" << removed;
    QTest::newRow("Cancel removes") << "Old" << 3 << "" << removed;
    QTest::newRow("Escape keeps") << "Old" << 4 << "Old" << QString();
    QTest::newRow("close box keeps") << "Old" << 5 << "Old" << QString();
    QTest::newRow("mismatch refused") << "Old" << 6 << "Old" << QString();
    QTest::newRow("OK without a password") << "" << 0 << "" << removed;
}

void TestMaintenanceWindows::passwordDialogOutcomes()
{
    QFETCH(QString, stored);
    QFETCH(int, action);
    QFETCH(QString, after);
    QFETCH(QString, lastBar);
    TestDataFile f;
    SetFileSettingText(f.db(), QStringLiteral("Password"), stored);
    QString shownText;
    QString wording;
    bool mismatchShown = false;
    const DialogScript::Answer answer = [&](QDialog &dialog) {
        auto &password = static_cast<TfrmPassword &>(dialog);
        shownText = password.txtPassword->text();
        wording = password.Label1->text();
        if (action == 0)
            return pressOK()(dialog);
        if (action == 1)
            return typePassword(QStringLiteral("New"))(dialog);
        if (action == 2)
            return typePassword(QString())(dialog);
        if (action == 3) {
            password.btnCancel->click();
            return dialog.result();
        }
        dialog.show();
        if (action == 4) {
            QTest::keyClick(password.txtPassword, Qt::Key_Escape);
        } else if (action == 5) {
            dialog.close();
        } else {
            // Two different passwords: OK only says so; the dialog is then left by Escape.
            typePassword(QStringLiteral("New"), QStringLiteral("Mew"))(dialog);
            mismatchShown = dialog.isVisible() && password.lblMismatch->isVisible();
            QTest::keyClick(password.txtPassword, Qt::Key_Escape);
        }
        return dialog.result();
    };
    DialogScript script({answer});
    ChangeFilePasswordWithDialog(f.session, nullptr);

    QCOMPARE(wording, QStringLiteral("Please enter a password or press Cancel to remove password protection. "
                                     "Passwords are case-sensitive."));
    QCOMPARE(mismatchShown, action == 6);
    // The stored password is never shown, not even masked.
    QVERIFY(!shownText.contains(stored) || stored.isEmpty());
    QCOMPARE(shownText.isEmpty(), stored.isEmpty());
    QCOMPARE(f.notifier.lastBar(), lastBar);
    const QString now = GetFilePassword(f.db());
    if (lastBar.isEmpty()) {
        QCOMPARE(now, stored); // not even written again
    } else if (after.isEmpty()) {
        QVERIFY(now.isEmpty());
    } else {
        QVERIFY(IsHashedFilePassword(now));
        QVERIFY(FilePasswordMatches(now, after));
    }
}

void TestMaintenanceWindows::optionsOkWithoutChangeAsksNothing()
{
    TestDataFile f;
    TfrmOptions dialog(f.session);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tillbrook Options"));
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("2"));
    QCOMPARE(dialog.cmbAutoBackup->currentText(), QStringLiteral("Yes"));
    QCOMPARE(dialog.cmbAutoTransaction->currentText(), QStringLiteral("Yes"));
    dialog.btnOK->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(f.notifier.dialogs.isEmpty());
    QVERIFY(!dialog.saved());
}

void TestMaintenanceWindows::optionsChangeAsksAndStores_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("stored");
    QTest::newRow("yes") << "Yes" << true;
    QTest::newRow("no") << "No" << false;
}

void TestMaintenanceWindows::optionsChangeAsksAndStores()
{
    QFETCH(QString, answer);
    QFETCH(bool, stored);
    TestDataFile f;
    f.session.options.AutoBackupOn = true;
    f.notifier.dialogAnswers << answer;
    TfrmOptions dialog(f.session);
    dialog.cmbAutoBackup->setCurrentText(QStringLiteral("No"));
    dialog.btnOK->click();

    QCOMPARE(f.notifier.dialogs.value(0).top, QStringLiteral("Are you sure you want to save new settings?"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const ShownFileOptions now = ReadShownFileOptions(f.db());
    QCOMPARE(now.autoBackup, stored ? QStringLiteral("N") : QStringLiteral("Y"));
    QCOMPARE(now.autoTransaction, QStringLiteral("Y"));
    QCOMPARE(now.digits, QStringLiteral("2"));
    QCOMPARE(f.session.options.AutoBackupOn, !stored);
    QCOMPARE(dialog.saved(), stored);
}

void TestMaintenanceWindows::optionsDecimalPlacesStepBetweenTwoAndThree()
{
    TestDataFile f;
    TfrmOptions dialog(f.session);
    dialog.UpDown1Down->click();
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("2"));
    dialog.UpDown1Up->click();
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("3"));
    QTest::keyClick(dialog.edtDecimalPlaces, Qt::Key_Up);
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("3"));
    QTest::keyClick(dialog.edtDecimalPlaces, Qt::Key_Down);
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("2"));
    QTest::keyClicks(dialog.edtDecimalPlaces, QStringLiteral("9"));
    QCOMPARE(dialog.edtDecimalPlaces->text(), QStringLiteral("2"));
}

void TestMaintenanceWindows::wizardPagesAndButtons()
{
    TestDataFile f;
    TfrmWizard wizard(f.session);
    QCOMPARE(wizard.windowTitle(), QStringLiteral("Wizard"));
    QCOMPARE(wizard.PageControl1->tabPosition(), QTabWidget::South);
    const QStringList tabs{QStringLiteral("Welcome"), QStringLiteral("Currency Setup"), QStringLiteral("Account Setup"),
                           QStringLiteral("Options"), QStringLiteral("Finish")};
    const QStringList descriptions{QStringLiteral("Welcome to the New Tillbrook file creation wizard."),
                                   QStringLiteral("Setup the base currency and other currencies you will use."),
                                   QStringLiteral("Setup the accounts you will be using in Tillbrook."),
                                   QStringLiteral("Configure Tillbrook options."),
                                   QStringLiteral("Click Finish to create New Tillbrook file...")};
    QPushButton *pageButtons[] = {nullptr, wizard.Button1, wizard.Button2, wizard.Button3, nullptr};
    const QStringList buttonCaptions{QString(), QStringLiteral("Setup Currencies"), QStringLiteral("Setup Accounts"),
                                     QStringLiteral("Setup Options"), QString()};
    for (int page = 0; page < 5; ++page) {
        if (page > 0)
            wizard.btnNext->click();
        QCOMPARE(wizard.PageControl1->currentIndex(), page);
        QCOMPARE(wizard.PageControl1->tabText(page), tabs[page]);
        QCOMPARE(wizard.lblTitle->text(), tabs[page]);
        QCOMPARE(wizard.lblTitleText->text(), descriptions[page]);
        QCOMPARE(wizard.btnPrevious->isEnabled(), page != 0);
        QCOMPARE(wizard.btnNext->text(), page == 4 ? QStringLiteral("&Finish") : QStringLiteral("&Next"));
        if (pageButtons[page]) {
            QCOMPARE(pageButtons[page]->text(), buttonCaptions[page]);
            QVERIFY(wizard.PageControl1->widget(page)->isAncestorOf(pageButtons[page]));
        }
    }
    QVERIFY(wizard.PageControl1->widget(2)->findChild<QLabel *>()->text().contains(
        QStringLiteral("The default Cash and Savings accounts have been created automatically")));
    wizard.btnPrevious->click();
    QCOMPARE(wizard.PageControl1->currentIndex(), 3);
    QCOMPARE(wizard.btnNext->text(), QStringLiteral("&Next"));
    QCOMPARE(wizard.btnCancel->toolTip(), QStringLiteral("Cancel this Wizard"));
}

void TestMaintenanceWindows::wizardTabClickAndFinish()
{
    TestDataFile f;
    TfrmWizard wizard(f.session);
    wizard.show();
    QTabBar *bar = wizard.PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(4).center());
    QCOMPARE(wizard.lblTitle->text(), QStringLiteral("Finish"));
    QCOMPARE(wizard.btnNext->text(), QStringLiteral("&Finish"));
    QVERIFY(wizard.btnPrevious->isEnabled());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QVERIFY(!wizard.btnPrevious->isEnabled());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(4).center());
    wizard.btnNext->click();
    QCOMPARE(wizard.result(), int(QDialog::Accepted));
    QVERIFY(!wizard.isVisible());
}

void TestMaintenanceWindows::wizardButtonsOpenTheLists()
{
    TestDataFile f;
    TfrmWizard wizard(f.session);
    DialogScript script({});
    wizard.Button1->click();
    wizard.Button2->click();
    wizard.Button3->click();
    QCOMPARE(script.shown, (QStringList{QStringLiteral("TfrmCurrencyEdit"), QStringLiteral("TfrmAccountSetup"),
                                        QStringLiteral("TfrmOptions")}));
    // The lists ran in their own transactions, committed after they closed.
    QVERIFY(!f.db().InTransaction());
}

void TestMaintenanceWindows::progressWindowCancelStopsTheBackup()
{
    TestDataFile f;
    // Enough data that does not compress away for the writing to report its progress.
    {
        WorkGuard work(f.db());
        for (int i = 0; i < 400; ++i) {
            QByteArray noise(1500, Qt::Uninitialized);
            for (char &c : noise)
                c = char(QRandomGenerator::global()->bounded(33, 127));
            SqlStatement(f.db(), QStringLiteral("INSERT INTO tbTransactions (AccountId, strNote) VALUES (1, :strNote)"))
                .bind(QStringLiteral(":strNote"), QString::fromLatin1(noise))
                .exec();
        }
        work.commit();
    }
    const QString archive = f.filePath(QStringLiteral("safe.tillbrook.zip"));
    TfrmBackup window(f.notifier, false);
    QObject::connect(window.ProgressBar1, &QProgressBar::valueChanged, &window, [&](int value) {
        if (value > 33 && window.isVisible())
            window.btnCancel->click();
    });
    QVERIFY(!BackupDataFile(f.session, f.path(), archive, window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Backup"));
    QCOMPARE(window.lblFromText->text(), f.path());
    QCOMPARE(window.lblToText->text(), archive);
    QCOMPARE(f.notifier.lastBar(), QStringLiteral("  Backup cancelled."));
    QVERIFY(!QFileInfo::exists(archive));
    QVERIFY(!window.isVisible());
    QVERIFY(f.db().isConnected());
}

QTEST_MAIN(TestMaintenanceWindows)
#include "tst_maintenancewindows.moc"
