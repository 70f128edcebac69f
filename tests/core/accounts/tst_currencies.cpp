#include "core/accounts/currencies.h"
#include "core/base/tillbrookerror.h"
#include "support/accountsfixture.h"

#include <QLocale>
#include <QTest>

using namespace AccountsFixture;

// Currencies on a small file: $ (USD) is the base, € at 2, £ at 0.8 and ¥ at 150 per
// dollar, one account in each, payments, receipts and transfers, some entered at
// rates that have changed since.
class TestCurrencies : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listRowsPutTheBaseFirst();
    void baseChangeRescalesEveryRate_data();
    void baseChangeRescalesEveryRate();
    void failedBaseChangeLeavesEveryRate_data();
    void failedBaseChangeLeavesEveryRate();
    void baseChangeRefusesRatesThatWouldNotBeNumbers_data();
    void baseChangeRefusesRatesThatWouldNotBeNumbers();
    void parseRate_data();
    void parseRate();
    void ratesAreStoredAsNumbersUnderADecimalComma();
    void saveCurrencyChecks();
    void editingTheBaseKeepsItsRate();
    void deletingACurrencyInUseIsRefused();

private:
    std::unique_ptr<TestDataFile> m_file;
    int m_usd = 1, m_eur = 0, m_gbp = 0, m_jpy = 0;
};

void TestCurrencies::init()
{
    m_file = std::make_unique<TestDataFile>();
    TestDataFile &f = *m_file;
    m_eur = addCurrency(f, QStringLiteral("€"), QStringLiteral("EUR"), 2);
    m_gbp = addCurrency(f, QStringLiteral("£"), QStringLiteral("GBP"), 0.8);
    m_jpy = addCurrency(f, QStringLiteral("¥"), QStringLiteral("JPY"), 150);
    const int cash = addAccount(f, QStringLiteral("Cash"), m_usd, QStringLiteral("Cash"));
    const int euro = addAccount(f, QStringLiteral("Euro"), m_eur);
    const int pound = addAccount(f, QStringLiteral("Pound"), m_gbp);
    const int yen = addAccount(f, QStringLiteral("Yen"), m_jpy);
    f.exec(QStringLiteral("INSERT INTO tbCategory (CategoryDescription, Type, Amt, Frequency) VALUES ('Food', 'Expense', 0, ' ')")); // 2
    addRow(f, cash, 1000, 1, 1);
    addRow(f, cash, -12.34, 1, 2);
    addRow(f, euro, -80, 2, 2);
    addRow(f, euro, 250.5, 1.9, 1);   // entered at an older rate
    addRow(f, pound, -45.67, 0.8, 2);
    addRow(f, yen, -3000, 140, 2);
    addTransfer(f, cash, 1, euro, 2, 100);
    addTransfer(f, pound, 0.8, yen, 150, 20);
}

void TestCurrencies::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_file.reset();
}

void TestCurrencies::listRowsPutTheBaseFirst()
{
    const QStringList rows = CurrencyListRows(m_file->db());
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.first(), QStringLiteral("$;USD;1;Y;;"));
    QVERIFY(rows.contains(QStringLiteral("£;GBP;0.8;;;")));
    QCOMPARE(CurrencySymbols(m_file->db()).first(), QStringLiteral("$"));
}

void TestCurrencies::baseChangeRescalesEveryRate_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("rate");
    QTest::newRow("to a rate above 1") << "€" << "EUR" << 2.0;
    QTest::newRow("to a rate below 1") << "£" << "GBP" << 0.8;
    QTest::newRow("to a large rate") << "¥" << "JPY" << 150.0;
}

void TestCurrencies::baseChangeRescalesEveryRate()
{
    QFETCH(QString, symbol);
    QFETCH(QString, code);
    QFETCH(double, rate);
    TestDataFile &f = *m_file;

    const auto currencyRate = [&](int id) {
        return real(f, QStringLiteral("SELECT CurrencyRate FROM tbCurrency WHERE CurrencyID=%1").arg(id));
    };
    const QList<int> currencies = {m_usd, m_eur, m_gbp, m_jpy};
    QList<double> ratesBefore;
    for (int id : currencies)
        ratesBefore << currencyRate(id);
    const QList<int> rows = ids(f, QStringLiteral("SELECT TransactionID FROM tbTransactions ORDER BY 1"));
    const auto rowRate = [&](int id) {
        return real(f, QStringLiteral("SELECT CurrencyRate FROM tbTransactions WHERE TransactionID=%1").arg(id));
    };
    QList<double> rowRatesBefore;
    for (int id : rows)
        rowRatesBefore << rowRate(id);
    // Sums in the base currency, across accounts and grouped the way reports group them.
    const QString total = QStringLiteral("SELECT Sum(Amount/CurrencyRate) FROM tbTransactions");
    const QString food = QStringLiteral("SELECT Sum(Amount/CurrencyRate) FROM tbTransactions WHERE CategoryId=2");
    const QString outgoing = QStringLiteral("SELECT Sum(Amount/CurrencyRate) FROM tbTransactions WHERE Amount<0");
    const double totalBefore = real(f, total), foodBefore = real(f, food), outgoingBefore = real(f, outgoing);

    SetBaseCurrency(f.db(), symbol, code);

    QCOMPARE(ids(f, QStringLiteral("SELECT CurrencyID FROM tbCurrency WHERE IsBaseCurrency<>0")).size(), 1);
    QCOMPARE(real(f, QStringLiteral("SELECT CurrencyRate FROM tbCurrency WHERE IsBaseCurrency<>0 AND InternationalCurrencySymbol='%1'").arg(code)), 1.0);
    QCOMPARE(currencyRate(m_usd), 1.0 / rate);   // the old base: 0.5 when € at 2 becomes the base
    for (int i = 0; i < currencies.size(); ++i) {
        if (currencies[i] != m_usd && ratesBefore[i] != rate)
            QCOMPARE(currencyRate(currencies[i]), ratesBefore[i] / rate);
    }
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(rowRate(rows[i]), rowRatesBefore[i] / rate);
    // Each sum now counts units of the new base: the same money, rate times as many units.
    QCOMPARE(real(f, total), totalBefore * rate);
    QCOMPARE(real(f, food), foodBefore * rate);
    QCOMPARE(real(f, outgoing), outgoingBefore * rate);
    QVERIFY(!f.db().InTransaction());
}

void TestCurrencies::failedBaseChangeLeavesEveryRate_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<bool>("insideDialog");
    const QString marking = QStringLiteral(
        "CREATE TEMP TRIGGER injected BEFORE UPDATE ON tbCurrency WHEN NEW.IsBaseCurrency<>0"
        " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    const QString transactions = QStringLiteral(
        "CREATE TEMP TRIGGER injected BEFORE UPDATE ON tbTransactions"
        " BEGIN SELECT RAISE(ABORT, 'injected failure'); END");
    QTest::newRow("marking the base fails") << marking << false;
    QTest::newRow("marking the base fails, in the dialog's transaction") << marking << true;
    QTest::newRow("transaction rates fail") << transactions << false;
    QTest::newRow("transaction rates fail, in the dialog's transaction") << transactions << true;
}

void TestCurrencies::failedBaseChangeLeavesEveryRate()
{
    QFETCH(QString, trigger);
    QFETCH(bool, insideDialog);
    TestDataFile &f = *m_file;
    f.exec(trigger);
    if (insideDialog) {
        f.db().BeginWork();
        // Earlier work of the same visit to the dialog stays.
        addCurrency(f, QStringLiteral("Fr"), QStringLiteral("CHF"), 0.9);
    }
    const QStringList currencies = dump(f, QStringLiteral("tbCurrency"));
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));

    try {
        SetBaseCurrency(f.db(), QStringLiteral("€"), QStringLiteral("EUR"));
        QFAIL("the injected failure did not surface");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("injected failure")), qPrintable(error.message()));
    }

    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    QCOMPARE(f.db().InTransaction(), insideDialog);
    if (insideDialog) {
        f.db().CommitWork();
        QCOMPARE(ids(f, QStringLiteral("SELECT CurrencyID FROM tbCurrency WHERE InternationalCurrencySymbol='CHF'")).size(), 1);
    }
    // Once the cause is gone the change goes through.
    f.exec(QStringLiteral("DROP TRIGGER injected"));
    SetBaseCurrency(f.db(), QStringLiteral("€"), QStringLiteral("EUR"));
    QCOMPARE(real(f, QStringLiteral("SELECT CurrencyRate FROM tbCurrency WHERE CurrencyID=1")), 0.5);
}

// Rates that no editor accepts can come from older files. Dividing by such a rate, or
// dividing such a rate, must never turn the file's rates into Inf or 0 for good.
void TestCurrencies::baseChangeRefusesRatesThatWouldNotBeNumbers_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("code");
    QTest::newRow("new base with a denormal rate") << "UPDATE tbCurrency SET CurrencyRate=1e-320 WHERE InternationalCurrencySymbol='EUR'" << "EUR";
    QTest::newRow("another currency overflows") << "UPDATE tbCurrency SET CurrencyRate=1e300 WHERE InternationalCurrencySymbol='JPY';"
                                                    " UPDATE tbCurrency SET CurrencyRate=1e-10 WHERE InternationalCurrencySymbol='EUR'" << "EUR";
    QTest::newRow("a transaction rate overflows") << "UPDATE tbTransactions SET CurrencyRate=1.7e308 WHERE TransactionID=1" << "GBP";
    QTest::newRow("a transaction rate of 0") << "UPDATE tbTransactions SET CurrencyRate=0 WHERE TransactionID=2" << "EUR";
    QTest::newRow("a negative currency rate") << "UPDATE tbCurrency SET CurrencyRate=-2 WHERE InternationalCurrencySymbol='JPY'" << "EUR";
    QTest::newRow("a transaction rate that is text") << "UPDATE tbTransactions SET CurrencyRate='x' WHERE TransactionID=3" << "EUR";
}

void TestCurrencies::baseChangeRefusesRatesThatWouldNotBeNumbers()
{
    QFETCH(QString, setUp);
    QFETCH(QString, code);
    TestDataFile &f = *m_file;
    for (const QString &statement : setUp.split(u';'))
        f.exec(statement);
    const QStringList currencies = dump(f, QStringLiteral("tbCurrency"));
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));
    const QString symbol = CurrencyListRows(f.db()).filter(u';' + code + u';').value(0).section(u';', 0, 0);
    QVERIFY(!symbol.isEmpty());
    QVERIFY_THROWS_EXCEPTION(TillbrookError, SetBaseCurrency(f.db(), symbol, code));
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);
    QVERIFY(!f.db().InTransaction());
}

void TestCurrencies::parseRate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "2" << true << 2.0;
    QTest::newRow("decimal point") << "1.25" << true << 1.25;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("leading blanks") << "  0.8" << true << 0.8;
    QTest::newRow("zero") << "0" << false << 0.0;
    QTest::newRow("zero with decimals") << "0.000" << false << 0.0;
    QTest::newRow("point alone") << "." << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("decimal comma") << "1,25" << false << 0.0;
    QTest::newRow("grouping") << "1,000.5" << false << 0.0;
    QTest::newRow("negative") << "-1.5" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
    // Accepted rates run from 0.000000001 to 1,000,000,000.
    QTest::newRow("smallest rate") << "0.000000001" << true << 1e-9;
    QTest::newRow("below the smallest") << "0.0000000009" << false << 0.0;
    QTest::newRow("largest rate") << "1000000000" << true << 1e9;
    QTest::newRow("above the largest") << "1000000000.5" << false << 0.0;
    QTest::newRow("1e-320 written out") << QString(QStringLiteral("0.") + QString(319, u'0') + u'1') << false << 0.0;
    QTest::newRow("many digits, in range") << "0.00000000100000000000001" << true << 0.00000000100000000000001;
}

void TestCurrencies::parseRate()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> rate = ParseRate(text);
    QCOMPARE(rate.has_value(), valid);
    if (valid)
        QCOMPARE(*rate, value);
}

void TestCurrencies::ratesAreStoredAsNumbersUnderADecimalComma()
{
    TestDataFile &f = *m_file;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(SaveCurrency(f.db(), f.notifier, EditMode::New, QString(),
                         {QStringLiteral("kr"), QStringLiteral("SEK"), QStringLiteral("10.5")}));
    SqlStatement query(f.db(), QStringLiteral("SELECT typeof(CurrencyRate), CurrencyRate FROM tbCurrency WHERE InternationalCurrencySymbol='SEK'"));
    query.exec();
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("real"));
    QCOMPARE(query.value(1).toDouble(), 10.5);
    QVERIFY(CurrencyListRows(f.db()).contains(QStringLiteral("kr;SEK;10.5;;;")));

    // A rate typed the regional way is refused, not misread as 105 or 10.
    const QStringList before = dump(f, QStringLiteral("tbCurrency"));
    QVERIFY_THROWS_EXCEPTION(TillbrookError,
        SaveCurrency(f.db(), f.notifier, EditMode::Edit, QStringLiteral("SEK"),
                     {QStringLiteral("kr"), QStringLiteral("SEK"), QStringLiteral("10,5")}));
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), before);

    SetBaseCurrency(f.db(), QStringLiteral("£"), QStringLiteral("GBP"));
    QCOMPARE(real(f, QStringLiteral("SELECT CurrencyRate FROM tbCurrency WHERE CurrencyID=1")), 1 / 0.8);
}

void TestCurrencies::saveCurrencyChecks()
{
    TestDataFile &f = *m_file;
    const QStringList before = dump(f, QStringLiteral("tbCurrency"));
    QVERIFY(!SaveCurrency(f.db(), f.notifier, EditMode::New, QString(), {QString(), QStringLiteral("CHF"), QStringLiteral("1")}));
    QVERIFY(!SaveCurrency(f.db(), f.notifier, EditMode::New, QString(), {QStringLiteral("Fr"), QString(), QStringLiteral("1")}));
    QVERIFY(!SaveCurrency(f.db(), f.notifier, EditMode::New, QString(), {QStringLiteral("F;r"), QStringLiteral("CHF"), QStringLiteral("1")}));
    QCOMPARE(f.notifier.dialogs.size(), 3);
    QCOMPARE(f.notifier.dialogs.last().top, QStringLiteral("  A currency symbol cannot contain \";\"."));
    f.notifier.dialogs.removeLast();
    QCOMPARE(f.notifier.dialogs.last().top, QStringLiteral("  You cannot have an empty currency symbol."));
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), before);

    // Editing finds the currency by the international symbol it had.
    QVERIFY(SaveCurrency(f.db(), f.notifier, EditMode::Edit, QStringLiteral("GBP"),
                         {QStringLiteral("GB£"), QStringLiteral("GBX"), QStringLiteral("0.85")}));
    QCOMPARE(CurrencyListRows(f.db()).filter(QStringLiteral("GBX")), QStringList{QStringLiteral("GB£;GBX;0.85;;;")});
    QVERIFY(CurrencyListRows(f.db()).filter(QStringLiteral("GBP")).isEmpty());
}

void TestCurrencies::editingTheBaseKeepsItsRate()
{
    TestDataFile &f = *m_file;
    QVERIFY(SaveCurrency(f.db(), f.notifier, EditMode::Edit, QStringLiteral("USD"),
                         {QStringLiteral("US$"), QStringLiteral("USD"), QStringLiteral("3")}));
    QCOMPARE(CurrencyListRows(f.db()).first(), QStringLiteral("US$;USD;1;Y;;"));
}

void TestCurrencies::deletingACurrencyInUseIsRefused()
{
    TestDataFile &f = *m_file;
    addAccount(f, QStringLiteral("Holiday"), m_eur);
    const QStringList currencies = dump(f, QStringLiteral("tbCurrency"));
    const QStringList accounts = dump(f, QStringLiteral("tbAccount"));
    const QStringList transactions = dump(f, QStringLiteral("tbTransactions"));

    QCOMPARE(AccountsUsingCurrency(f.db(), QStringLiteral("€"), QStringLiteral("EUR")),
             (QStringList{QStringLiteral("Euro"), QStringLiteral("Holiday")}));
    QVERIFY(!DeleteCurrency(f.db(), f.notifier, QStringLiteral("€"), QStringLiteral("EUR")));
    QCOMPARE(f.notifier.dialogs.size(), 1);
    const QString warning = f.notifier.dialogs.first().top;
    QVERIFY2(warning.contains(QStringLiteral("Euro")) && warning.contains(QStringLiteral("Holiday")), qPrintable(warning));
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
    QCOMPARE(dump(f, QStringLiteral("tbAccount")), accounts);
    QCOMPARE(dump(f, QStringLiteral("tbTransactions")), transactions);

    const int unused = addCurrency(f, QStringLiteral("Fr"), QStringLiteral("CHF"), 0.9);
    QVERIFY(DeleteCurrency(f.db(), f.notifier, QStringLiteral("Fr"), QStringLiteral("CHF")));
    QVERIFY(ids(f, QStringLiteral("SELECT CurrencyID FROM tbCurrency WHERE CurrencyID=%1").arg(unused)).isEmpty());
    QCOMPARE(dump(f, QStringLiteral("tbCurrency")), currencies);
}

QTEST_GUILESS_MAIN(TestCurrencies)
#include "tst_currencies.moc"
