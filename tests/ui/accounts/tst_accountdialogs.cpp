#include "ui/accounts/accountedit.h"
#include "core/accounts/accounts.h"
#include "core/accounts/currencies.h"
#include "ui/accounts/accountsetup.h"
#include "ui/accounts/currencyedit.h"
#include "ui/accounts/currencyitemedit.h"
#include "ui/accounts/setupentry.h"
#include "ui/feedback/dialogrunner.h"
#include "support/accountsfixture.h"
#include "ui/widgets/multicollistbox.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace AccountsFixture;

namespace {

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void select(TMultiColListbox *list, const QString &firstColumn)
{
    for (int row = 0; row < list->count(); ++row) {
        if (list->column(row, 0) == firstColumn) {
            list->setItemIndex(row);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no row %1").arg(firstColumn)));
}

// The tops of the message dialogs shown so far, without their two leading blanks.
QStringList said(const FakeNotifier &notifier)
{
    QStringList tops;
    for (const MessageDialogRequest &request : notifier.dialogs)
        tops << request.top.trimmed();
    return tops;
}

} // namespace

// The account and currency dialogs driven through their buttons on the offscreen
// platform, on a file with $ (base), € at 2, accounts Bank ($) and Euro (€) with a
// transfer between them and a payment in each.
class TestAccountDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newAccountIsStoredAndCommitted();
    void newAccountStartsInTheBaseCurrency();
    void accountEditorChecks_data();
    void accountEditorChecks();
    void deleteAccountAsksTwice_data();
    void deleteAccountAsksTwice();
    void failedCommandUndoesOnlyItself();
    void renamedShownAccountIsFollowed();
    void currencyEditorFiltersKeysAndChecksTheRate();
    void editingTheBaseDisablesItsRate();
    void setBaseCurrencyThroughTheList_data();
    void setBaseCurrencyThroughTheList();
    void deletingACurrencyInUseIsRefused();

private:
    std::unique_ptr<TestDataFile> m_file;
    int m_eur = 0, m_bank = 0, m_euro = 0;
};

void TestAccountDialogs::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    m_eur = addCurrency(f, QStringLiteral("€"), QStringLiteral("EUR"), 2);
    m_bank = addAccount(f, QStringLiteral("Bank"), 1);
    m_euro = addAccount(f, QStringLiteral("Euro"), m_eur, QStringLiteral("Savings"));
    addTransfer(f, m_bank, 1, m_euro, 2, 100);
    addRow(f, m_bank, -10, 1);
    addRow(f, m_euro, -20, 2);
}

void TestAccountDialogs::cleanup()
{
    m_file.reset();
}

void TestAccountDialogs::newAccountIsStoredAndCommitted()
{
    TestDataFile &f = *m_file;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        auto &setup = DialogAs<TfrmAccountSetup>(dialog);
        click(setup.btnNew);
        return int(QDialog::Accepted);
    });
    dialogs.then([](QDialog &dialog) {
        auto &editor = DialogAs<TfrmAccountEdit>(dialog);
        // The focus starts in the name; the rest by keyboard.
        [&] { QCOMPARE(QApplication::focusWidget(), editor.txtAccountDescription); }();
        QTest::keyClicks(editor.txtAccountDescription, QStringLiteral("Visa"));
        editor.cmbAccountType->setCurrentText(QStringLiteral("Credit Card"));
        editor.cmbAccountCurrency->setCurrentText(QStringLiteral("€"));
        QTest::keyClick(editor.txtAccountDescription, Qt::Key_Return);
        return editor.result();
    });
    QVERIFY(OpenAccountSetup(f.session, nullptr));
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));
    QCOMPARE(said(f.notifier), QStringList{QStringLiteral("Account Saved.")});
    QVERIFY(!f.db().InTransaction());
    QVERIFY(AccountListRows(f.db()).contains(QStringLiteral("Visa;Credit Card;€")));
}

// A new account starts in the base currency: a name is all a one-currency file needs.
void TestAccountDialogs::newAccountStartsInTheBaseCurrency()
{
    TestDataFile &f = *m_file;
    const QString base = BaseCurrencySymbol(f.db());
    QVERIFY(!base.isEmpty());
    QString preselected;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        click(DialogAs<TfrmAccountSetup>(dialog).btnNew);
        return int(QDialog::Accepted);
    });
    dialogs.then([&](QDialog &dialog) {
        auto &editor = DialogAs<TfrmAccountEdit>(dialog);
        preselected = editor.cmbAccountCurrency->currentText();
        QTest::keyClicks(editor.txtAccountDescription, QStringLiteral("Wallet"));
        editor.cmbAccountType->setCurrentText(QStringLiteral("Cash"));
        QTest::keyClick(editor.txtAccountDescription, Qt::Key_Return);
        return editor.result();
    });
    QVERIFY(OpenAccountSetup(f.session, nullptr));
    QVERIFY2(dialogs.done(), qPrintable(dialogs.unexpected.join(u',')));
    QCOMPARE(preselected, base);
    QCOMPARE(said(f.notifier), QStringList{QStringLiteral("Account Saved.")});
    QVERIFY(AccountListRows(f.db()).contains(QStringLiteral("Wallet;Cash;") + base));
}

void TestAccountDialogs::accountEditorChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<QString>("warning");
    QTest::newRow("no name") << "" << "Bank" << "$" << true << "Please set proper account name.";
    QTest::newRow("no currency") << "Visa" << "Bank" << "" << true << "Please set proper currency.";
    QTest::newRow("no type: refused after closing") << "Visa" << "" << "$" << false << "You have not entered all account details.";
}

void TestAccountDialogs::accountEditorChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, currency);
    QFETCH(bool, staysOpen);
    QFETCH(QString, warning);
    TestDataFile &f = *m_file;
    const QStringList accounts = dump(f, QStringLiteral("tbAccount"));
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        click(DialogAs<TfrmAccountSetup>(dialog).btnNew);
        return int(QDialog::Accepted);
    });
    dialogs.then([&](QDialog &dialog) {
        auto &editor = DialogAs<TfrmAccountEdit>(dialog);
        editor.setTexts(name, type, currency);
        click(editor.btnSave);
        if (staysOpen) {
            [&] { QVERIFY(editor.isVisible()); QCOMPARE(editor.Cancelled, 1); }();
            click(editor.btnCancel);
        }
        return editor.result();
    });
    QVERIFY(!OpenAccountSetup(f.session, nullptr));
    QVERIFY(dialogs.done());
    QCOMPARE(said(f.notifier), QStringList{warning});
    QCOMPARE(dump(f, QStringLiteral("tbAccount")), accounts);
}

void TestAccountDialogs::deleteAccountAsksTwice_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("yes, yes") << QStringList{"Yes", "Yes"} << 2 << true;
    QTest::newRow("yes, no") << QStringList{"Yes", "No"} << 2 << false;
    QTest::newRow("no") << QStringList{"No"} << 1 << false;
}

void TestAccountDialogs::deleteAccountAsksTwice()
{
    QFETCH(QStringList, answers);
    QFETCH(int, questions);
    QFETCH(bool, deleted);
    TestDataFile &f = *m_file;
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));
    f.notifier.dialogAnswers = answers;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        auto &setup = DialogAs<TfrmAccountSetup>(dialog);
        select(setup.lstItems, QStringLiteral("Bank"));
        click(setup.btnDelete);
        return int(QDialog::Accepted);
    });
    QString shown = QStringLiteral("Bank");
    QCOMPARE(OpenAccountSetup(f.session, nullptr, &shown), deleted);
    QVERIFY(dialogs.done());
    QCOMPARE(said(f.notifier).size(), questions + (deleted ? 1 : 0));
    QCOMPARE(said(f.notifier).at(questions - 1).startsWith(QStringLiteral("Delete Bank?")), questions == 2);
    if (deleted) {
        QCOMPARE(said(f.notifier).last(), QStringLiteral("Account deleted."));
        QCOMPARE(shown, QString());
        // Only the Euro account's own payment is left.
        QCOMPARE(ids(f, QStringLiteral("SELECT AccountId FROM tbTransactions")), QList<int>{m_euro});
    } else {
        QCOMPARE(shown, QStringLiteral("Bank"));
        QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    }
}

void TestAccountDialogs::failedCommandUndoesOnlyItself()
{
    TestDataFile &f = *m_file;
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));
    // The account row refuses to go after the transactions have gone.
    f.exec(QStringLiteral("CREATE TEMP TRIGGER injected BEFORE DELETE ON tbAccount"
                          " BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
    // "Ok" to "Account Saved.", then both questions of the deletion.
    f.notifier.dialogAnswers = QStringList{QStringLiteral("Ok"), QStringLiteral("Yes"), QStringLiteral("Yes")};
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([&](QDialog &dialog) {
        auto &setup = DialogAs<TfrmAccountSetup>(dialog);
        click(setup.btnNew);
        select(setup.lstItems, QStringLiteral("Bank"));
        click(setup.btnDelete);
        // The dialog stays usable and still lists the account.
        [&] { QCOMPARE(setup.lstItems->count(), 3); }();
        return int(QDialog::Accepted);
    });
    dialogs.then([](QDialog &dialog) {
        auto &editor = DialogAs<TfrmAccountEdit>(dialog);
        editor.setTexts(QStringLiteral("Visa"), QStringLiteral("Credit Card"), QStringLiteral("$"));
        click(editor.btnSave);
        return editor.result();
    });
    QVERIFY(OpenAccountSetup(f.session, nullptr));
    QVERIFY(dialogs.done());
    const QStringList messages = said(f.notifier);
    QCOMPARE(messages.size(), 4);
    QCOMPARE(messages.at(0), QStringLiteral("Account Saved."));
    QCOMPARE(messages.at(3), QStringLiteral("An error has occured, please re-try"));
    QVERIFY(f.notifier.dialogs.at(3).details.contains(QStringLiteral("injected failure")));
    QVERIFY(!f.db().InTransaction());
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    QCOMPARE(AccountListRows(f.db()).size(), 3);
}

void TestAccountDialogs::renamedShownAccountIsFollowed()
{
    TestDataFile &f = *m_file;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        auto &setup = DialogAs<TfrmAccountSetup>(dialog);
        select(setup.lstItems, QStringLiteral("Euro"));
        click(setup.btnEdit);
        return int(QDialog::Accepted);
    });
    dialogs.then([](QDialog &dialog) {
        auto &editor = DialogAs<TfrmAccountEdit>(dialog);
        [&] {
            QCOMPARE(editor.txtAccountDescription->text(), QStringLiteral("Euro"));
            QCOMPARE(editor.cmbAccountType->currentText(), QStringLiteral("Savings"));
            QCOMPARE(editor.cmbAccountCurrency->currentText(), QStringLiteral("€"));
        }();
        editor.txtAccountDescription->clear();
        QTest::keyClicks(editor.txtAccountDescription, QStringLiteral("Holiday"));
        click(editor.btnSave);
        return editor.result();
    });
    QString shown = QStringLiteral("Euro");
    QVERIFY(OpenAccountSetup(f.session, nullptr, &shown));
    QVERIFY(dialogs.done());
    QCOMPARE(shown, QStringLiteral("Holiday"));
}

void TestAccountDialogs::currencyEditorFiltersKeysAndChecksTheRate()
{
    TestDataFile &f = *m_file;
    TfrmCurrencyItemEdit editor(f.notifier);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QTest::keyClicks(editor.txtIntCurrencySymbol, QStringLiteral("chf"));
    QCOMPARE(editor.txtIntCurrencySymbol->text(), QStringLiteral("CHF"));
    QTest::keyClicks(editor.txtCurrencyRate, QStringLiteral("0,a.9.5-"));
    QCOMPARE(editor.txtCurrencyRate->text(), QStringLiteral("0.95"));

    // Pasted or stored texts pass the key filter; "Save" still refuses them.
    for (const QString &bad : {QStringLiteral("0"), QStringLiteral("."), QStringLiteral("0,95")}) {
        f.notifier.clear();
        editor.txtCurrencyRate->setText(bad);
        click(editor.btnSave);
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.Cancelled, 1);
        QCOMPARE(said(f.notifier), QStringList{QStringLiteral("Please set proper currency rate.")});
        QCOMPARE(QApplication::focusWidget(), editor.txtCurrencyRate);
    }
    // A stored rate longer than a typed one may be is shown whole.
    editor.setTexts(QStringLiteral("Fr"), QStringLiteral("CHF"), QStringLiteral("0.3333333333333333"), QString());
    QCOMPARE(editor.txtCurrencyRate->text(), QStringLiteral("0.3333333333333333"));
    click(editor.btnSave);
    QCOMPARE(editor.Cancelled, 0);
    QVERIFY(!editor.isVisible());
}

void TestAccountDialogs::editingTheBaseDisablesItsRate()
{
    TestDataFile &f = *m_file;
    TfrmCurrencyEdit list(f.db(), f.notifier);
    bool rateEnabled = true;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([&](QDialog &dialog) {
        auto &editor = DialogAs<TfrmCurrencyItemEdit>(dialog);
        rateEnabled = editor.txtCurrencyRate->isEnabled();
        editor.txtCurrencySymbol->setText(QStringLiteral("US$"));
        click(editor.btnSave);
        return editor.result();
    });
    select(list.lstItems, QStringLiteral("$"));
    click(list.btnEdit);
    QVERIFY(dialogs.done());
    QVERIFY(!rateEnabled);
    QCOMPARE(said(f.notifier), (QStringList{QStringLiteral("This is the base currency that you will be editing."),
                                            QStringLiteral("Currency Saved.")}));
    QCOMPARE(list.lstItems->item(0), QStringLiteral("US$;USD;1;Y;;"));
    QVERIFY(list.changed());
}

void TestAccountDialogs::setBaseCurrencyThroughTheList_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("changed");
    QTest::newRow("continue") << QStringList{"Yes", "Continue"} << true;
    QTest::newRow("cancel at the recommendation") << QStringList{"Yes", "Cancel"} << false;
    QTest::newRow("no") << QStringList{"No"} << false;
}

void TestAccountDialogs::setBaseCurrencyThroughTheList()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, changed);
    TestDataFile &f = *m_file;
    const QStringList currencies = dump(f, QStringLiteral("tbCurrency"));
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));
    f.notifier.dialogAnswers = answers;
    ScriptedDialogs dialogs(ScriptedDialogs::Showing::Exposed);
    dialogs.then([](QDialog &dialog) {
        auto &list = DialogAs<TfrmCurrencyEdit>(dialog);
        select(list.lstItems, QStringLiteral("€"));
        click(list.btnSetBaseCurrency);
        return int(QDialog::Accepted);
    });
    QCOMPARE(OpenCurrencySetup(f.session, nullptr), changed);
    QVERIFY(dialogs.done());
    QCOMPARE(said(f.notifier).first(), QStringLiteral("Set € as base currency?"));
    if (changed) {
        QCOMPARE(f.notifier.dialogs.at(1).caption, QStringLiteral("Recommendation"));
        QCOMPARE(said(f.notifier).last(), QStringLiteral("Currency € set as base currency."));
        QCOMPARE(CurrencyListRows(f.db()), (QStringList{QStringLiteral("€;EUR;1;Y;;"), QStringLiteral("$;USD;0.5;;;")}));
        QCOMPARE(real(f, QStringLiteral("SELECT Max(CurrencyRate) FROM tbTransactions")), 1.0);
        QCOMPARE(real(f, QStringLiteral("SELECT Min(CurrencyRate) FROM tbTransactions")), 0.5);
    } else {
        QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
        QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    }
}

void TestAccountDialogs::deletingACurrencyInUseIsRefused()
{
    TestDataFile &f = *m_file;
    const QStringList currencies = dump(f, QStringLiteral("tbCurrency"));
    f.notifier.dialogAnswers = QStringList{QStringLiteral("Yes")};
    TfrmCurrencyEdit list(f.db(), f.notifier);
    select(list.lstItems, QStringLiteral("€"));
    click(list.btnDelete);
    QCOMPARE(said(f.notifier).size(), 2);
    QVERIFY(said(f.notifier).last().contains(QStringLiteral("Euro")));
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
    QVERIFY(!list.changed());
    QCOMPARE(list.lstItems->count(), 2);
}

QTEST_MAIN(TestAccountDialogs)
#include "tst_accountdialogs.moc"
