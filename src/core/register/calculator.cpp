#include "core/register/calculator.h"

#include "core/base/money.h"
#include "core/base/texthelpers.h"

#include <QLocale>
#include <cmath>

Calculator::Calculator(CalculatorState &state, const QString &displayFormat, const QString &initialText)
    : m_state(state)
    , m_displayFormat(displayFormat)
    , m_initialText(initialText)
{
    setDisplay(initialText);
}

// An emptied display means the number being typed has begun: what follows extends it.
void Calculator::setDisplay(const QString &text)
{
    m_display = text;
    if (m_display.isEmpty())
        m_state.StartNewEntry = false;
}

void Calculator::digit(int value)
{
    if (m_state.StartNewEntry)
        setDisplay(QString());
    setDisplay(m_display + QString::number(value));
    m_state.StartNewEntry = false;
}

void Calculator::decimalPoint()
{
    if (m_state.StartNewEntry)
        setDisplay(QString());
    if (!m_display.contains(u'.'))
        setDisplay(m_display + u'.');
}

bool Calculator::displayValue(double &value) const
{
    // The amount field may hand in grouped text; "," never is a decimal point here.
    QString text = StripBlanks(m_display);
    text.remove(u',');
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value);
}

bool Calculator::applyPendingOperator(CalcOperator op, double value)
{
    bool refused = false;
    // Right after another operator only the pending operator changes, except while
    // the accumulator is 0: then the display is taken in, which is how the amount
    // handed in at the start enters the calculation.
    if (!m_state.StartNewEntry || m_state.Accumulator == 0) {
        switch (m_state.PendingOperator) {
        case CalcOperator::Plus:
            m_state.Accumulator += value;
            break;
        case CalcOperator::Minus:
            m_state.Accumulator -= value;
            break;
        case CalcOperator::Multiply:
            m_state.Accumulator *= value;
            break;
        case CalcOperator::Divide:
            if (value == 0)
                refused = true;
            else
                m_state.Accumulator /= value;
            break;
        }
    }
    m_state.PendingOperator = op;
    m_state.StartNewEntry = true;
    return !refused;
}

CalcOutcome Calculator::pressOperator(CalcOperator op)
{
    double value = 0;
    if (!displayValue(value))
        return CalcOutcome::NoNumber;
    m_divisionRefused = !applyPendingOperator(op, value);
    setDisplay(accumulatorText());
    return m_divisionRefused ? CalcOutcome::DivisionByZero : CalcOutcome::Done;
}

CalcOutcome Calculator::equals()
{
    double value = 0;
    if (!displayValue(value))
        return CalcOutcome::NoNumber;
    m_divisionRefused = !applyPendingOperator(CalcOperator::Plus, value);
    setDisplay(accumulatorText());
    m_state.StartNewEntry = true;
    m_state.Accumulator = 0;
    return m_divisionRefused ? CalcOutcome::DivisionByZero : CalcOutcome::Done;
}

void Calculator::clear()
{
    setDisplay(QStringLiteral("0"));
    m_state.StartNewEntry = true;
}

void Calculator::allClear()
{
    clear();
    m_state.Accumulator = 0;
    m_state.PendingOperator = CalcOperator::Plus;
}

CalcOutcome Calculator::typeKey(int key, const QString &text)
{
    m_divisionRefused = false;
    switch (key) {
    case Qt::Key_Backspace:
        clear();
        return CalcOutcome::Done;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        equals();
        return CalcOutcome::Close;
    case Qt::Key_Escape:
        setDisplay(m_initialText);
        return CalcOutcome::Cancel;
    default:
        break;
    }
    if (text.size() != 1)
        return CalcOutcome::Ignored;
    const QChar c = text.at(0);
    if (c >= u'0' && c <= u'9') {
        digit(c.unicode() - u'0');
        return CalcOutcome::Done;
    }
    switch (c.unicode()) {
    case u'.':
        decimalPoint();
        return CalcOutcome::Done;
    case u'+':
        return pressOperator(CalcOperator::Plus);
    case u'-':
        return pressOperator(CalcOperator::Minus);
    case u'*':
        return pressOperator(CalcOperator::Multiply);
    case u'/':
        return pressOperator(CalcOperator::Divide);
    default:
        return CalcOutcome::Ignored;
    }
}

QString Calculator::accumulatorText() const
{
    const double rounded = std::round(m_state.Accumulator * 10000.0) / 10000.0;
    if (!std::isfinite(rounded))
        return QLocale::c().toString(rounded);
    const int digits = DigitsOfAmountFormat(m_displayFormat);
    QString text = QString::number(rounded, 'f', digits);
    // A value that rounds to nothing shows as 0, not "-0.00".
    if (text.startsWith(u'-') && text.toDouble() == 0)
        text.remove(0, 1);
    return text;
}

CalculatorAmount CalculatorResultForAmount(const QString &amountText, TransactionType type,
                                           const QString &display)
{
    CalculatorAmount result;
    result.amountText = amountText;
    result.type = type;
    const QString r = StripBlanks(display);
    if (IsNumber(r)) {
        if (type == TransactionType::Transfer && r.toDouble() < 0) {
            result.refusedNegativeTransfer = true;
            return result;
        }
        result.amountText = r;
    }
    bool isNumber = false;
    const double amount = result.amountText.toDouble(&isNumber);
    if (isNumber && amount < 0 && type != TransactionType::Transfer)
        result.type = type == TransactionType::Pay ? TransactionType::Receive : TransactionType::Pay;
    result.amountText = StripAmountText(result.amountText);
    if (result.type == TransactionType::Receive && type == TransactionType::Pay)
        result.question = QStringLiteral("Do you wish to change transaction type"
                                         " from Pay/Buy transaction to a Receive/Sell transaction?");
    else if (result.type == TransactionType::Pay && type == TransactionType::Receive)
        result.question = QStringLiteral("Do you wish to change transaction type"
                                         " from Receive/Sell to a Pay/Buy transaction transaction?");
    return result;
}
