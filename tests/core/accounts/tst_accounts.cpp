#include "core/accounts/accounts.h"
#include "core/store/lookups.h"
#include "core/base/tillbrookerror.h"
#include "support/accountsfixture.h"

#include <QTest>

using namespace AccountsFixture;

// Accounts on a small file: $ (USD, the base) and € (EUR at 2); accounts Bank ($),
// Euro (€) and Wallet ($) with payments and transfers between them.
class TestAccounts : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typesAreTheSeventeenInOrder();
    void listRowsSkipAccountsWithoutCurrency();
    void saveAccountChecks_data();
    void saveAccountChecks();
    void renameRewritesEveryRowOfTheName();
    void deleteAccountTakesItsRowsAndPartnerRowsOnly();
    void deleteAccountIsOneUnit();
    void duplicateNamesAreAllowedAndLookupsTakeTheFirst();

private:
    std::unique_ptr<TestDataFile> m_file;
    int m_eur = 0, m_bank = 0, m_euro = 0, m_wallet = 0;
};

void TestAccounts::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    m_eur = addCurrency(f, QStringLiteral("€"), QStringLiteral("EUR"), 2);
    m_bank = addAccount(f, QStringLiteral("Bank"), 1);
    m_euro = addAccount(f, QStringLiteral("Euro"), m_eur, QStringLiteral("Savings"));
    m_wallet = addAccount(f, QStringLiteral("Wallet"), 1, QStringLiteral("Cash"));
}

void TestAccounts::cleanup()
{
    m_file.reset();
}

void TestAccounts::typesAreTheSeventeenInOrder()
{
    const QStringList &types = AccountTypes();
    QCOMPARE(types.size(), 17);
    QCOMPARE(types.first(), QStringLiteral("Asset"));
    QCOMPARE(types.last(), QStringLiteral("Watch"));
    QVERIFY(types.contains(QStringLiteral("Credit Card")));
    QVERIFY(types.contains(QStringLiteral("Employee Stock Option")));
    QVERIFY(std::is_sorted(types.begin(), types.end()));
}

void TestAccounts::listRowsSkipAccountsWithoutCurrency()
{
    TestDataFile &f = *m_file;
    addAccount(f, QStringLiteral("Adrift"), 99);
    QCOMPARE(AccountListRows(f.db()), (QStringList{QStringLiteral("Bank;Bank;$"), QStringLiteral("Euro;Savings;€"),
                                                   QStringLiteral("Wallet;Cash;$")}));
}

void TestAccounts::saveAccountChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("warning");
    const QString incomplete = QStringLiteral("  You have not entered all account details.");
    QTest::newRow("no name") << "" << "Bank" << "$" << incomplete;
    QTest::newRow("no type") << "Visa" << "" << "$" << incomplete;
    QTest::newRow("no currency") << "Visa" << "Credit Card" << "" << incomplete;
    QTest::newRow("unknown currency") << "Visa" << "Credit Card" << "Fr" << "  Please set proper currency.";
    QTest::newRow("list separator in the name") << "Visa;Gold" << "Credit Card" << "$" << "  An account name cannot contain \";\".";
    QTest::newRow("stored") << "Visa" << "Credit Card" << "€" << "";
}

void TestAccounts::saveAccountChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, currency);
    QFETCH(QString, warning);
    TestDataFile &f = *m_file;
    const QStringList before = dump(f, QStringLiteral("tbAccount"));

    for (EditMode mode : {EditMode::New, EditMode::Edit}) {
        f.notifier.clear();
        const bool saved = SaveAccount(f.db(), f.notifier, mode, QStringLiteral("Wallet"), {name, type, currency});
        QCOMPARE(saved, warning.isEmpty());
        if (saved) {
            QVERIFY(f.notifier.dialogs.isEmpty());
            break;
        }
        QCOMPARE(f.notifier.dialogs.size(), 1);
        QCOMPARE(f.notifier.dialogs.first().top, warning);
        QCOMPARE(dump(f, QStringLiteral("tbAccount")), before);
    }
    if (warning.isEmpty())
        QVERIFY(AccountListRows(f.db()).contains(QStringLiteral("Visa;Credit Card;€")));
}

void TestAccounts::renameRewritesEveryRowOfTheName()
{
    TestDataFile &f = *m_file;
    addAccount(f, QStringLiteral("Wallet"), m_eur);
    QVERIFY(SaveAccount(f.db(), f.notifier, EditMode::Edit, QStringLiteral("Wallet"),
                        {QStringLiteral("Purse"), QStringLiteral("Cash"), QStringLiteral("$")}));
    QCOMPARE(AccountListRows(f.db()), (QStringList{QStringLiteral("Bank;Bank;$"), QStringLiteral("Euro;Savings;€"),
                                                   QStringLiteral("Purse;Cash;$"), QStringLiteral("Purse;Cash;$")}));
}

void TestAccounts::deleteAccountTakesItsRowsAndPartnerRowsOnly()
{
    TestDataFile &f = *m_file;
    addRow(f, m_bank, -10, 1);
    const auto bankToEuro = addTransfer(f, m_bank, 1, m_euro, 2, 100);
    const auto walletToBank = addTransfer(f, m_wallet, 1, m_bank, 1, 20);
    const auto euroToWallet = addTransfer(f, m_euro, 2, m_wallet, 1, 30);
    const int euroPayment = addRow(f, m_euro, -5, 2);
    const int walletReceipt = addRow(f, m_wallet, 7, 1);
    // A plain row whose link is stale names another account's row: that row stays.
    addRow(f, m_bank, -3, 1, 1, euroPayment);

    QVERIFY(DeleteAccount(f.db(), QStringLiteral("Bank")));

    QCOMPARE(ids(f, QStringLiteral("SELECT TransactionID FROM tbTransactions ORDER BY 1")),
             (QList<int>{euroToWallet.first, euroToWallet.second, euroPayment, walletReceipt}));
    QVERIFY(!ids(f, QStringLiteral("SELECT TransactionID FROM tbTransactions")).contains(bankToEuro.second));
    QVERIFY(!ids(f, QStringLiteral("SELECT TransactionID FROM tbTransactions")).contains(walletToBank.first));
    QCOMPARE(ids(f, QStringLiteral("SELECT AccountId FROM tbAccount ORDER BY 1")), (QList<int>{m_euro, m_wallet}));
    QVERIFY(!DeleteAccount(f.db(), QStringLiteral("Bank")));
    QVERIFY(!f.db().InTransaction());
}

void TestAccounts::deleteAccountIsOneUnit()
{
    TestDataFile &f = *m_file;
    addTransfer(f, m_bank, 1, m_euro, 2, 100);
    addRow(f, m_bank, -10, 1);
    f.exec(QStringLiteral("CREATE TEMP TRIGGER injected BEFORE DELETE ON tbAccount"
                          " BEGIN SELECT RAISE(ABORT, 'injected failure'); END"));
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));
    f.db().BeginWork();
    QVERIFY_THROWS_EXCEPTION(DatabaseError, DeleteAccount(f.db(), QStringLiteral("Bank")));
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    f.db().CommitWork();
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
}

void TestAccounts::duplicateNamesAreAllowedAndLookupsTakeTheFirst()
{
    TestDataFile &f = *m_file;
    QVERIFY(SaveAccount(f.db(), f.notifier, EditMode::New, QString(),
                        {QStringLiteral("Bank"), QStringLiteral("Checking"), QStringLiteral("€")}));
    const QList<int> banks = ids(f, QStringLiteral("SELECT AccountId FROM tbAccount WHERE AccountDescription='Bank' ORDER BY 1"));
    QCOMPARE(banks.size(), 2);
    QCOMPARE(AccountListRows(f.db()).filter(QStringLiteral("Bank;")).size(), 2);
    QCOMPARE(LookupId(f.db(), QStringLiteral("tbAccount"), QStringLiteral("AccountId"),
                      QStringLiteral("AccountDescription"), QStringLiteral("Bank")), banks.first());

    // Deleting by the name takes the first account; the second keeps its row and rows.
    addRow(f, banks.first(), -1, 1);
    const int kept = addRow(f, banks.last(), -2, 2);
    QVERIFY(DeleteAccount(f.db(), QStringLiteral("Bank")));
    QCOMPARE(ids(f, QStringLiteral("SELECT AccountId FROM tbAccount WHERE AccountDescription='Bank'")), QList<int>{banks.last()});
    QCOMPARE(ids(f, QStringLiteral("SELECT TransactionID FROM tbTransactions")), QList<int>{kept});
}

QTEST_GUILESS_MAIN(TestAccounts)
#include "tst_accounts.moc"
