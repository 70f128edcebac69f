#include "core/base/money.h"
#include "core/base/tillbrookerror.h"

#include <QTest>

#include <limits>

class TestMoney : public QObject
{
    Q_OBJECT
private slots:
    void textForms_data();
    void textForms();
    void fromText_data();
    void fromText();
    void fromTextRange_data();
    void fromTextRange();
    void sumsNeverWrap_data();
    void sumsNeverWrap();
    void fromDoubleRoundsToFourPlaces_data();
    void fromDoubleRoundsToFourPlaces();
    void converted_data();
    void converted();
    void convertingWithZeroRateThrows();
    void arithmeticIsExact();
    void amountFormat_data();
    void amountFormat();
};

void TestMoney::textForms_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("grouped");
    QTest::addColumn<QString>("plain");

    QTest::newRow("zero, 2") << qint64(0) << 2 << "0.00" << "0.00";
    QTest::newRow("zero, 0") << qint64(0) << 0 << "0" << "0";
    QTest::newRow("zero, 4") << qint64(0) << 4 << "0.0000" << "0.0000";
    QTest::newRow("1234.5, 2") << qint64(12345000) << 2 << "1,234.50" << "1234.50";
    QTest::newRow("1234.5, 0 rounds up") << qint64(12345000) << 0 << "1,235" << "1235";
    QTest::newRow("1234.5678, 4") << qint64(12345678) << 4 << "1,234.5678" << "1234.5678";
    QTest::newRow("negative, 2") << qint64(-12345000) << 2 << "-1,234.50" << "-1234.50";
    QTest::newRow("negative half, 0 away from zero") << qint64(-25000) << 0 << "-3" << "-3";
    QTest::newRow("0.005 rounds to 0.01") << qint64(50) << 2 << "0.01" << "0.01";
    QTest::newRow("-0.004 rounds to zero") << qint64(-40) << 2 << "0.00" << "0.00";
    QTest::newRow("under a thousand") << qint64(9999900) << 2 << "999.99" << "999.99";
    QTest::newRow("-999") << qint64(-9990000) << 0 << "-999" << "-999";
    QTest::newRow("large") << qint64(123456789012340000) << 2 << "12,345,678,901,234.00" << "12345678901234.00";
    QTest::newRow("six places pad") << qint64(15000) << 6 << "1.500000" << "1.500000";
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << 4 << "922,337,203,685,477.5807"
                             << "922337203685477.5807";
    QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << 4 << "-922,337,203,685,477.5808"
                                   << "-922337203685477.5808";
}

void TestMoney::textForms()
{
    QFETCH(qint64, units);
    QFETCH(int, digits);
    QFETCH(QString, grouped);
    QFETCH(QString, plain);
    const Money m = Money::fromUnits(units);
    QCOMPARE(m.toGroupedText(digits), grouped);
    QCOMPARE(m.toPlainText(digits), plain);
}

void TestMoney::fromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");

    QTest::newRow("12.50") << "12.50" << true << qint64(125000);
    QTest::newRow("-25.5") << "-25.5" << true << qint64(-255000);
    QTest::newRow("+3") << "+3" << true << qint64(30000);
    QTest::newRow(".5") << ".5" << true << qint64(5000);
    QTest::newRow("7.") << "7." << true << qint64(70000);
    QTest::newRow("five decimals round") << "0.00005" << true << qint64(1);
    QTest::newRow("leading blanks") << "  4" << true << qint64(40000);
    QTest::newRow("dot alone") << "." << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("grouped") << "1,234.50" << false << qint64(0);
    QTest::newRow("letters") << "12a" << false << qint64(0);
    QTest::newRow("two dots") << "1.2.3" << false << qint64(0);
    QTest::newRow("too large") << "99999999999999999999" << false << qint64(0);
}

// The largest amount is 999,999,999,999.9999 either way; past it the parser refuses
// rather than hand back a wrapped or clipped value.
void TestMoney::fromTextRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");

    QTest::newRow("maximum") << "999999999999.9999" << true << Money::MaxUnits;
    QTest::newRow("negative maximum") << "-999999999999.9999" << true << -Money::MaxUnits;
    QTest::newRow("one unit over") << "1000000000000" << false << qint64(0);
    QTest::newRow("rounds up past the maximum") << "999999999999.99995" << false << qint64(0);
    QTest::newRow("fifth decimal rounding within") << "999999999999.99984" << true << Money::MaxUnits - 1;
    QTest::newRow("wraps as whole x 10000") << "922337203685478" << false << qint64(0);
    QTest::newRow("just past the type") << "922337203685477.5808" << false << qint64(0);
    QTest::newRow("negative past the type") << "-922337203685478" << false << qint64(0);
    QTest::newRow("leading zeros stay within") << "0000000000000000000012.5" << true << qint64(125000);
}

void TestMoney::fromTextRange()
{
    fromText();
}

void TestMoney::sumsNeverWrap_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("subtract");
    QTest::addColumn<bool>("fits");
    const qint64 top = std::numeric_limits<qint64>::max();
    const qint64 bottom = std::numeric_limits<qint64>::min();
    QTest::newRow("top plus one") << top << qint64(1) << false << false;
    QTest::newRow("bottom minus one") << bottom << qint64(1) << true << false;
    QTest::newRow("bottom plus minus one") << bottom << qint64(-1) << false << false;
    QTest::newRow("top minus minus one") << top << qint64(-1) << true << false;
    QTest::newRow("top minus one") << top << qint64(1) << true << true;
    QTest::newRow("maxima added") << Money::MaxUnits << Money::MaxUnits << false << true;
}

void TestMoney::sumsNeverWrap()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, subtract);
    QFETCH(bool, fits);
    const Money x = Money::fromUnits(a);
    const Money y = Money::fromUnits(b);
    if (!fits) {
        QVERIFY_THROWS_EXCEPTION(TillbrookError, subtract ? x - y : x + y);
        Money z = x;
        QVERIFY_THROWS_EXCEPTION(TillbrookError, subtract ? (z -= y) : (z += y));
        QCOMPARE(z, x); // left as it was
        return;
    }
    QCOMPARE((subtract ? x - y : x + y).units(), subtract ? a - b : a + b);
}

void TestMoney::fromText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    const auto m = Money::fromText(text);
    QCOMPARE(m.has_value(), valid);
    if (valid)
        QCOMPARE(m->units(), units);
}

void TestMoney::fromDoubleRoundsToFourPlaces_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("units");
    QTest::newRow("0.1") << 0.1 << qint64(1000);
    QTest::newRow("-25.5") << -25.5 << qint64(-255000);
    QTest::newRow("1/3") << 1.0 / 3.0 << qint64(3333);
    QTest::newRow("tiny negative") << -0.00004 << qint64(0);
}

void TestMoney::fromDoubleRoundsToFourPlaces()
{
    QFETCH(double, value);
    QFETCH(qint64, units);
    QCOMPARE(Money::fromDouble(value).units(), units);
}

void TestMoney::converted_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<double>("fromRate");
    QTest::addColumn<double>("toRate");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("100 to 0.8") << qint64(1000000) << 1.0 << 0.8 << qint64(800000);
    QTest::newRow("80 back from 0.8") << qint64(800000) << 0.8 << 1.0 << qint64(1000000);
    QTest::newRow("100 to 1.5") << qint64(1000000) << 1.0 << 1.5 << qint64(1500000);
    QTest::newRow("negative 10 to 1/3 rate") << qint64(-100000) << 3.0 << 1.0 << qint64(-33333);
}

void TestMoney::converted()
{
    QFETCH(qint64, units);
    QFETCH(double, fromRate);
    QFETCH(double, toRate);
    QFETCH(qint64, expected);
    QCOMPARE(Money::fromUnits(units).converted(fromRate, toRate).units(), expected);
}

void TestMoney::convertingWithZeroRateThrows()
{
    QVERIFY_THROWS_EXCEPTION(TillbrookError, Money::fromUnits(10000).converted(0.0, 1.0));
    // A result past the largest amount is refused, not stored as a wrapped value.
    QVERIFY_THROWS_EXCEPTION(TillbrookError, Money::maximum().converted(1.0, 1.0001));
    QCOMPARE(Money::maximum().converted(2.0, 2.0), Money::maximum());
    QVERIFY_THROWS_EXCEPTION(TillbrookError, Money::fromUnits(std::numeric_limits<qint64>::min()).operator-());
}

void TestMoney::arithmeticIsExact()
{
    // 0.1 added ten times is exactly 1, unlike in double.
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += *Money::fromText(u"0.1");
    QCOMPARE(sum, Money::fromUnits(10000));
    QCOMPARE((-sum).units(), -10000);
    QVERIFY(Money::fromUnits(-1) < Money());
}

void TestMoney::amountFormat_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("format");
    QTest::newRow("0") << 0 << "0.";
    QTest::newRow("2") << 2 << "0.00";
    QTest::newRow("4") << 4 << "0.0000";
}

void TestMoney::amountFormat()
{
    QFETCH(int, digits);
    QFETCH(QString, format);
    QCOMPARE(AmountFormatForDigits(digits), format);
    QCOMPARE(DigitsOfAmountFormat(format), digits);
    QCOMPARE(Money::fromUnits(12345).toPlainText(format), Money::fromUnits(12345).toPlainText(digits));
}

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
