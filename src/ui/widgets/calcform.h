#pragma once

#include "core/register/calculator.h"

#include <QDialog>
#include <QPoint>

#include <memory>

class QLineEdit;
class QPushButton;
class QTimer;

// The small four-function calculator opened from the amount field: a white window
// without a title bar, dragged by its body. Its state lives with the opener (see
// CalculatorState); the window only shows it. Keys typed into the display act as
// the buttons; Enter applies "=" and closes, Esc closes with the opening text.
class TCalcForm : public QDialog
{
    Q_OBJECT
public:
    explicit TCalcForm(CalculatorState &state, QWidget *parent = nullptr);
    ~TCalcForm() override;

    // Set by the opener before showing.
    QString InitialText;
    QString DisplayFormat = QStringLiteral("0.00");

    QLineEdit *Entry = nullptr;
    QPushButton *AllClear = nullptr;
    QPushButton *Clear = nullptr;
    QPushButton *Digits[10] = {};
    QPushButton *Plus = nullptr;
    QPushButton *Minus = nullptr;
    QPushButton *Multiply = nullptr;
    QPushButton *Divide = nullptr;
    QPushButton *Decimal = nullptr;
    QPushButton *Equal = nullptr;
    QPushButton *ExitButton = nullptr;

    // The result the opener reads after closing: the calculator's display (the
    // opening text after Esc).
    QString resultText();
    // How long "Division by Zero!" stays (tests shorten it).
    void setMessageDuration(int milliseconds);
    bool showingMessage() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Calculator &calculator();
    QPushButton *key(const QString &name, const QString &caption);
    // Shows the calculator's display, or the division message first.
    void follow(CalcOutcome outcome);
    void showDisplay();
    void messageOver();

    CalculatorState &m_state;
    std::unique_ptr<Calculator> m_calculator;
    QTimer *m_messageTimer;
    bool m_closeAfterMessage = false;
    QPoint m_dragOffset;
};
