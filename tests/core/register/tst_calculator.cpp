#include "core/register/calculator.h"

#include <QTest>

Q_DECLARE_METATYPE(TransactionType)
Q_DECLARE_METATYPE(CalcOperator)

namespace {

// Presses the keys of a sequence in the calculator: digits, ".", "+", "-", "*", "/"
// are typed into the display; "=" is the "=" button, "c" the "C" button, "a" "AC",
// "b" Backspace. Returns the outcome of the last key.
CalcOutcome press(Calculator &calc, const QString &keys)
{
    CalcOutcome last = CalcOutcome::Done;
    for (const QChar key : keys) {
        switch (key.unicode()) {
        case u'=':
            last = calc.equals();
            break;
        case u'c':
            calc.clear();
            last = CalcOutcome::Done;
            break;
        case u'a':
            calc.allClear();
            last = CalcOutcome::Done;
            break;
        case u'b':
            last = calc.typeKey(Qt::Key_Backspace, QString());
            break;
        default:
            last = calc.typeKey(0, QString(key));
        }
    }
    return last;
}

} // namespace

// The calculator's state machine: sequences of keys from a given opening text.
class TestCalculator : public QObject
{
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void noNumberChangesNothing_data();
    void noNumberChangesNothing();
    void unfinishedCalculationCarriesOver();
    void equalsResetsTheAccumulatorOnly();
    void keyboard_data();
    void keyboard();
    void resultForAmount_data();
    void resultForAmount();
};

void TestCalculator::sequences_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("divisionRefused");

    QTest::newRow("amount plus") << "0.00" << "50.00" << "+20=" << "70.00" << false;
    QTest::newRow("amount minus below zero") << "0.00" << "50.00" << "-80=" << "-30.00" << false;
    QTest::newRow("amount taken in by any operator") << "0.00" << "12.00" << "*3=" << "36.00" << false;
    QTest::newRow("left to right, no precedence") << "0.00" << "" << "2*3+4=" << "10.00" << false;
    QTest::newRow("rounded to the format") << "0.00" << "" << "10/3=" << "3.33" << false;
    QTest::newRow("four decimals") << "0.0000" << "" << "10/3=" << "3.3333" << false;
    QTest::newRow("no decimals") << "0" << "" << "7/2=" << "4" << false;
    QTest::newRow("shown after each operator") << "0.00" << "" << "4+5*" << "9.00" << false;
    QTest::newRow("second operator replaces the first") << "0.00" << "" << "5+-3=" << "2.00" << false;
    QTest::newRow("digit after a result starts anew") << "0.00" << "" << "5+3+7=" << "15.00" << false;
    QTest::newRow("one decimal point") << "0.00" << "" << "1..5+0=" << "1.50" << false;
    QTest::newRow("point after a result starts anew") << "0.00" << "50.00" << ".5" << ".5" << false;
    QTest::newRow("C keeps the calculation") << "0.00" << "" << "7+9c2=" << "9.00" << false;
    QTest::newRow("backspace acts as C") << "0.00" << "" << "7+9b2=" << "9.00" << false;
    QTest::newRow("AC starts over") << "0.00" << "" << "7*a2=" << "2.00" << false;
    QTest::newRow("digits replace the opening amount") << "0.00" << "50.00" << "25" << "25" << false;
    QTest::newRow("division by zero keeps the accumulator") << "0.00" << "" << "10/0=" << "10.00" << true;
    QTest::newRow("division by zero at an operator") << "0.00" << "" << "10/0+" << "10.00" << true;
    QTest::newRow("tiny negative is no -0") << "0.00" << "" << "0.001-0.002=" << "0.00" << false;
}

void TestCalculator::sequences()
{
    QFETCH(QString, format);
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(bool, divisionRefused);

    CalculatorState state;
    Calculator calc(state, format, initial);
    QCOMPARE(calc.display(), initial);
    const CalcOutcome last = press(calc, keys);
    QCOMPARE(calc.display(), display);
    QCOMPARE(last == CalcOutcome::DivisionByZero, divisionRefused);
}

void TestCalculator::noNumberChangesNothing_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");

    QTest::newRow("operator on an empty amount") << "" << "+" << "";
    QTest::newRow("equals on an empty amount") << "" << "=" << "";
    QTest::newRow("a point alone") << "" << "./" << ".";
    QTest::newRow("text that is no number") << "abc" << "*" << "abc";
}

void TestCalculator::noNumberChangesNothing()
{
    QFETCH(QString, initial);
    QFETCH(QString, keys);
    QFETCH(QString, display);

    CalculatorState state;
    state.Accumulator = 4;
    state.PendingOperator = CalcOperator::Minus;
    state.StartNewEntry = false;
    Calculator calc(state, QStringLiteral("0.00"), initial);
    QCOMPARE(press(calc, keys), CalcOutcome::NoNumber);
    QCOMPARE(calc.display(), display);
    QCOMPARE(state.Accumulator, 4.0);
    QCOMPARE(state.PendingOperator, CalcOperator::Minus);
    QCOMPARE(state.StartNewEntry, false);
}

void TestCalculator::unfinishedCalculationCarriesOver()
{
    CalculatorState state;
    {
        Calculator first(state, QStringLiteral("0.00"), QString());
        press(first, QStringLiteral("5+"));
    }
    Calculator second(state, QStringLiteral("0.00"), QString());
    press(second, QStringLiteral("3="));
    QCOMPARE(second.display(), QStringLiteral("8.00"));
}

void TestCalculator::equalsResetsTheAccumulatorOnly()
{
    CalculatorState state;
    Calculator calc(state, QStringLiteral("0.00"), QString());
    press(calc, QStringLiteral("6*2="));
    QCOMPARE(state.Accumulator, 0.0);
    QCOMPARE(state.PendingOperator, CalcOperator::Plus);
    QVERIFY(state.StartNewEntry);
    // The next opening starts from the amount handed in, as after start-up.
    Calculator next(state, QStringLiteral("0.00"), QStringLiteral("50.00"));
    press(next, QStringLiteral("+20="));
    QCOMPARE(next.display(), QStringLiteral("70.00"));
}

void TestCalculator::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("display");

    QTest::newRow("enter applies = and closes") << int(Qt::Key_Return) << "\r" << int(CalcOutcome::Close) << "12.00";
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r" << int(CalcOutcome::Close) << "12.00";
    QTest::newRow("esc restores the opening text") << int(Qt::Key_Escape) << "\x1b" << int(CalcOutcome::Cancel) << "50.00";
    QTest::newRow("a letter is ignored") << int(Qt::Key_X) << "x" << int(CalcOutcome::Ignored) << "7";
    QTest::newRow("= typed is ignored") << int(Qt::Key_Equal) << "=" << int(CalcOutcome::Ignored) << "7";
    QTest::newRow("arrow is ignored") << int(Qt::Key_Left) << "" << int(CalcOutcome::Ignored) << "7";
}

void TestCalculator::keyboard()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, outcome);
    QFETCH(QString, display);

    CalculatorState state;
    Calculator calc(state, QStringLiteral("0.00"), QStringLiteral("50.00"));
    press(calc, QStringLiteral("a5+7"));
    QCOMPARE(int(calc.typeKey(key, text)), outcome);
    QCOMPARE(calc.display(), display);
}

void TestCalculator::resultForAmount_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<TransactionType>("type");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("newAmount");
    QTest::addColumn<TransactionType>("newType");
    QTest::addColumn<QString>("question");

    const QString toReceive = QStringLiteral("Do you wish to change transaction type from Pay/Buy transaction to a Receive/Sell transaction?");
    const QString toPay = QStringLiteral("Do you wish to change transaction type from Receive/Sell to a Pay/Buy transaction transaction?");
    const auto pay = TransactionType::Pay;
    const auto receive = TransactionType::Receive;
    const auto transfer = TransactionType::Transfer;
    QTest::newRow("pay stays pay") << "50.00" << pay << "70.00" << false << "70.00" << pay << "";
    QTest::newRow("negative pay becomes receive") << "50.00" << pay << "-30.00" << false << "30.00" << receive << toReceive;
    QTest::newRow("negative receive becomes pay") << "50.00" << receive << "-30.00" << false << "30.00" << pay << toPay;
    QTest::newRow("negative transfer refused") << "50.00" << transfer << "-30.00" << true << "50.00" << transfer << "";
    QTest::newRow("transfer takes a positive") << "50.00" << transfer << "30.00" << false << "30.00" << transfer << "";
    QTest::newRow("division message keeps the amount") << "50.00" << pay << "Division by Zero!" << false << "50.00" << pay << "";
    QTest::newRow("empty display keeps the amount") << "50.00" << pay << "" << false << "50.00" << pay << "";
    QTest::newRow("overflow keeps the amount") << "50.00" << pay << "inf" << false << "50.00" << pay << "";
    QTest::newRow("blanks and line breaks go") << "5" << pay << " 1 2.5\r\n" << false << "12.5" << pay << "";
    QTest::newRow("zero stays the type") << "50.00" << receive << "0.00" << false << "0.00" << receive << "";
}

void TestCalculator::resultForAmount()
{
    QFETCH(QString, amount);
    QFETCH(TransactionType, type);
    QFETCH(QString, display);
    QFETCH(bool, refused);
    QFETCH(QString, newAmount);
    QFETCH(TransactionType, newType);
    QFETCH(QString, question);

    const CalculatorAmount result = CalculatorResultForAmount(amount, type, display);
    QCOMPARE(result.refusedNegativeTransfer, refused);
    QCOMPARE(result.amountText, newAmount);
    QCOMPARE(result.type, newType);
    QCOMPARE(result.question, question);
}

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
