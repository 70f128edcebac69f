#include "core/base/tillbrookerror.h"
#include "core/reports/accountsummary.h"
#include "reportsfixture.h"

#include <QTest>

// Rows of the case tables: "account|rate|amount" for a transaction, "account|-" for an
// account without any; results "account=balance" with two decimals.
class TestAccountSummary : public QObject
{
    Q_OBJECT
private slots:
    void balancesInBaseCurrency_data();
    void balancesInBaseCurrency();
    void transactionsOfAMissingAccountCountOnlyInTheTotal();
    void totalBeyondTheAmountTypeIsAnError_data();
    void totalBeyondTheAmountTypeIsAnError();
};

void TestAccountSummary::balancesInBaseCurrency_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("total");
    QTest::newRow("no transactions") << QStringList{"Cash|-"} << QStringList{} << "0.00";
    QTest::newRow("one currency at rate 1: plain sums")
        << QStringList{"Cash|1|100", "Cash|1|-30.25", "Bank|1|1000", "Bank|1|-2500.5"}
        << QStringList{"Bank=-1500.50", "Cash=69.75"} << "-1430.75";
    QTest::newRow("each amount by its own stored rate")
        << QStringList{"Euro|2|-100", "Euro|0.5|10", "Cash|1|30"}
        << QStringList{"Cash=30.00", "Euro=-30.00"} << "0.00";
    QTest::newRow("account without transactions has no row")
        << QStringList{"Empty|-", "Cash|1|5"} << QStringList{"Cash=5.00"} << "5.00";
    QTest::newRow("accounts of the same name add up")
        << QStringList{"Cash|1|5", "cash|1|7", "Bank|1|1"} << QStringList{"Bank=1.00", "Cash=12.00"} << "13.00";
    QTest::newRow("thirds in another currency round once")
        << QStringList{"Euro|3|100", "Euro|3|100", "Euro|3|100"} << QStringList{"Euro=100.00"} << "100.00";
}

void TestAccountSummary::balancesInBaseCurrency()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    QFETCH(QString, total);
    ReportsFile f;
    QHash<QString, int> accounts;
    for (const QString &row : rows) {
        const QStringList parts = row.split(u'|');
        if (!accounts.contains(parts[0]))
            accounts.insert(parts[0], f.addAccount(parts[0]));
        if (parts[1] != QLatin1String("-"))
            f.addRow(accounts[parts[0]], QDate(2024, 3, 1), 1, 1, parts[2].toDouble(), parts[1].toDouble());
    }
    const AccountSummary summary = LoadAccountSummary(f.db());
    QStringList actual;
    for (const AccountBalance &account : summary.accounts)
        actual << account.AccountDescription.toCaseFolded() + u'=' + account.Balance.toPlainText(2);
    for (QString &line : expected)
        line = line.section(u'=', 0, 0).toCaseFolded() + u'=' + line.section(u'=', 1);
    QCOMPARE(actual, expected);
    QCOMPARE(summary.total.toPlainText(2), total);
}

void TestAccountSummary::transactionsOfAMissingAccountCountOnlyInTheTotal()
{
    ReportsFile f;
    const int cash = f.addAccount(QStringLiteral("Cash"));
    f.addRow(cash, QDate(2024, 1, 1), 1, 1, 10);
    f.addRow(999, QDate(2024, 1, 1), 1, 1, 4);
    const AccountSummary summary = LoadAccountSummary(f.db());
    QCOMPARE(summary.accounts.size(), 1);
    QCOMPARE(summary.accounts[0].Balance, units(10));
    QCOMPARE(summary.total, units(14));
}

// A rate of 1e-15 makes 10,000.00 worth 1e19 in the base currency: beyond the amount
// type. The report says so instead of showing a wrapped-around total.
void TestAccountSummary::totalBeyondTheAmountTypeIsAnError_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("fits");
    // Stored in ten-thousandths: 1.00 is 1e4, divided by 1e-15 gives 1e19 > 2^63.
    QTest::newRow("0.0001 at 1e-15: 1e15, fits") << 0.0001 << true;
    QTest::newRow("1.00 at 1e-15: 1e19, beyond") << 1.0 << false;
    QTest::newRow("-1.00 at 1e-15: beyond") << -1.0 << false;
}

void TestAccountSummary::totalBeyondTheAmountTypeIsAnError()
{
    QFETCH(double, amount);
    QFETCH(bool, fits);
    ReportsFile f;
    const int tiny = f.addAccount(QStringLiteral("Tiny"));
    f.addRow(tiny, QDate(2024, 1, 1), 1, 1, amount, 1e-15);
    if (fits) {
        const AccountSummary summary = LoadAccountSummary(f.db());
        QVERIFY(summary.total > Money());
    } else {
        QVERIFY_THROWS_EXCEPTION(TillbrookError, LoadAccountSummary(f.db()));
    }
}

QTEST_GUILESS_MAIN(TestAccountSummary)
#include "tst_accountsummary.moc"
