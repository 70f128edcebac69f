#pragma once

#include "core/register/entryvalues.h"

#include <QString>

// The four-function calculator of the entry panel's amount field, without its
// window: the display text and the three items that carry over between openings.

enum class CalcOperator { Plus, Minus, Multiply, Divide };

// Kept by the entry panel for the whole run, so a calculation left unfinished is
// continued at the next opening. Reset by "AC", and (the accumulator) by "=".
struct CalculatorState
{
    double Accumulator = 0;
    CalcOperator PendingOperator = CalcOperator::Plus;
    // The next digit replaces the display instead of extending it.
    bool StartNewEntry = true;
};

// What a key did, for the window to follow up.
enum class CalcOutcome {
    Done,
    // The display held no number ("" or "."): nothing was calculated or changed.
    NoNumber,
    // A division by zero was refused; the accumulator is unchanged. The window shows
    // DivisionByZeroText for DivisionByZeroMs before the display.
    DivisionByZero,
    Ignored,
    // Enter: "=" was applied (see the outcome of it) and the window closes.
    Close,
    // Esc: the display holds the opening text again and the window closes.
    Cancel,
};

inline constexpr auto DivisionByZeroText = "Division by Zero!";
inline constexpr int DivisionByZeroMs = 3000;

// One opening of the calculator. Calculation runs strictly left to right:
// 2 * 3 + 4 = gives 10.
class Calculator
{
public:
    // The display starts with initialText; results are written with displayFormat
    // (an amount format such as "0.00").
    Calculator(CalculatorState &state, const QString &displayFormat, const QString &initialText);

    const QString &display() const { return m_display; }
    const QString &initialText() const { return m_initialText; }
    const CalculatorState &state() const { return m_state; }

    void digit(int value);
    void decimalPoint();
    CalcOutcome pressOperator(CalcOperator op);
    CalcOutcome equals();
    // "C": the display reads 0 and the next digit starts a new number.
    void clear();
    // "AC": as "C", and the calculation starts over.
    void allClear();

    // A key typed into the display (a Qt::Key code and its text). No key reaches the
    // display directly: digits, ".", "+", "-", "*", "/" act as their buttons,
    // Backspace as "C", Enter as "=" followed by Close, Esc restores the opening
    // text and gives Cancel; anything else is Ignored. For Enter after a refused
    // division the outcome is still Close; divisionRefused() tells.
    CalcOutcome typeKey(int key, const QString &text);
    bool divisionRefused() const { return m_divisionRefused; }

    // The accumulator as the display shows it: rounded to four decimals, written
    // with the display format.
    QString accumulatorText() const;

private:
    void setDisplay(const QString &text);
    // The one calculating step; false when it refused a division by zero.
    bool applyPendingOperator(CalcOperator op, double value);
    // The display read as a number; false for "" or ".".
    bool displayValue(double &value) const;

    CalculatorState &m_state;
    QString m_displayFormat;
    QString m_initialText;
    QString m_display;
    bool m_divisionRefused = false;
};

// What the amount field and the type become when the calculator closes with display.
struct CalculatorAmount
{
    // The amount field is left as it was (no change at all).
    bool refusedNegativeTransfer = false;
    QString amountText;
    TransactionType type = TransactionType::Pay;
    // Asked when the type changed; on No the opening amount and type come back.
    QString question;
};

inline constexpr auto NegativeTransferText = "A transfer cannot be a negative amount";

// A number in the display replaces the amount; a negative one turns a Pay into a
// Receive and back, shown without its sign. A transfer refuses a negative number.
// Anything else in the display keeps the amount.
CalculatorAmount CalculatorResultForAmount(const QString &amountText, TransactionType type,
                                           const QString &display);
