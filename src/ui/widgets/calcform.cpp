#include "ui/widgets/calcform.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

TCalcForm::TCalcForm(CalculatorState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_state(state)
    , m_messageTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("TCalcForm"));
    setWindowTitle(QStringLiteral("Calculator"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // The thin border of a window without a frame of its own.
    setStyleSheet(QStringLiteral("TCalcForm { border: 1px solid palette(dark); }"));

    m_messageTimer->setSingleShot(true);
    m_messageTimer->setInterval(DivisionByZeroMs);
    connect(m_messageTimer, &QTimer::timeout, this, &TCalcForm::messageOver);

    Entry = new QLineEdit(QStringLiteral("0"), this);
    Entry->setObjectName(QStringLiteral("Entry"));
    QFont bold = Entry->font();
    bold.setBold(true);
    bold.setPointSize(10);
    Entry->setFont(bold);
    Entry->setAlignment(Qt::AlignRight);
    // Nothing reaches the display but the calculator's own keys.
    Entry->setReadOnly(true);
    Entry->setContextMenuPolicy(Qt::NoContextMenu);
    Entry->setAcceptDrops(false);
    Entry->installEventFilter(this);

    AllClear = key(QStringLiteral("AllClear"), QStringLiteral("AC"));
    AllClear->setToolTip(QStringLiteral("Clear all calculations"));
    Clear = key(QStringLiteral("Clear"), QStringLiteral("C"));
    Clear->setToolTip(QStringLiteral("Clear current value"));
    const char *digitNames[10] = {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "eight", "Nine"};
    for (int d = 0; d < 10; ++d) {
        Digits[d] = key(QLatin1String(digitNames[d]), QString::number(d));
        connect(Digits[d], &QPushButton::clicked, this, [this, d] {
            calculator().digit(d);
            follow(CalcOutcome::Done);
        });
    }
    Plus = key(QStringLiteral("Plus"), QStringLiteral("+"));
    Minus = key(QStringLiteral("Minus"), QStringLiteral("-"));
    Multiply = key(QStringLiteral("Multiply"), QStringLiteral("*"));
    Divide = key(QStringLiteral("Divide"), QStringLiteral("/"));
    Decimal = key(QStringLiteral("Decimal"), QStringLiteral("."));
    Equal = key(QStringLiteral("Equal"), QStringLiteral("="));
    ExitButton = key(QStringLiteral("ExitButton"), QStringLiteral("Return"));
    ExitButton->setToolTip(QStringLiteral("Close this calculator"));

    const auto op = [this](QPushButton *button, CalcOperator which) {
        connect(button, &QPushButton::clicked, this, [this, which] { follow(calculator().pressOperator(which)); });
    };
    op(Plus, CalcOperator::Plus);
    op(Minus, CalcOperator::Minus);
    op(Multiply, CalcOperator::Multiply);
    op(Divide, CalcOperator::Divide);
    connect(Decimal, &QPushButton::clicked, this, [this] {
        calculator().decimalPoint();
        follow(CalcOutcome::Done);
    });
    connect(Equal, &QPushButton::clicked, this, [this] { follow(calculator().equals()); });
    connect(Clear, &QPushButton::clicked, this, [this] {
        calculator().clear();
        follow(CalcOutcome::Done);
    });
    connect(AllClear, &QPushButton::clicked, this, [this] {
        calculator().allClear();
        follow(CalcOutcome::Done);
    });
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(2);
    grid->addWidget(Entry, 0, 0, 1, 4);
    grid->addWidget(AllClear, 1, 0, 1, 2);
    grid->addWidget(Clear, 1, 2, 1, 2);
    QPushButton *keypad[4][4] = {{Digits[1], Digits[2], Digits[3], Plus},
                                 {Digits[4], Digits[5], Digits[6], Minus},
                                 {Digits[7], Digits[8], Digits[9], Multiply},
                                 {Decimal, Digits[0], Equal, Divide}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            grid->addWidget(keypad[r][c], r + 2, c);
    grid->addWidget(ExitButton, 6, 0, 1, 4);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Entry->setFocus();
}

TCalcForm::~TCalcForm() = default;

QPushButton *TCalcForm::key(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setMinimumSize(25, 25);
    button->setMaximumHeight(25);
    // Every button leaves the keyboard with the display.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    return button;
}

Calculator &TCalcForm::calculator()
{
    if (!m_calculator) {
        m_calculator = std::make_unique<Calculator>(m_state, DisplayFormat, InitialText);
        Entry->setText(m_calculator->display());
    }
    return *m_calculator;
}

QString TCalcForm::resultText()
{
    return calculator().display();
}

void TCalcForm::setMessageDuration(int milliseconds)
{
    m_messageTimer->setInterval(milliseconds);
}

bool TCalcForm::showingMessage() const
{
    return m_messageTimer->isActive();
}

void TCalcForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    calculator();
    Entry->setFocus();
}

void TCalcForm::follow(CalcOutcome outcome)
{
    // An operator on no number (an empty display, a lone ".") does nothing.
    if (outcome == CalcOutcome::DivisionByZero) {
        Entry->setText(QLatin1String(DivisionByZeroText));
        m_messageTimer->start();
        return;
    }
    if (!m_messageTimer->isActive())
        showDisplay();
}

void TCalcForm::showDisplay()
{
    Entry->setText(calculator().display());
    Entry->setFocus();
}

void TCalcForm::messageOver()
{
    showDisplay();
    if (m_closeAfterMessage)
        accept();
}

bool TCalcForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Entry && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TCalcForm::keyPressEvent(QKeyEvent *event)
{
    Calculator &calc = calculator();
    const CalcOutcome outcome = calc.typeKey(event->key(), event->text());
    switch (outcome) {
    case CalcOutcome::Ignored:
        return;
    case CalcOutcome::Cancel:
        m_messageTimer->stop();
        showDisplay();
        reject();
        return;
    case CalcOutcome::Close:
        // The division message is shown out before the window goes.
        if (calc.divisionRefused()) {
            m_closeAfterMessage = true;
            follow(CalcOutcome::DivisionByZero);
            return;
        }
        showDisplay();
        accept();
        return;
    default:
        follow(outcome);
    }
}

void TCalcForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void TCalcForm::mouseMoveEvent(QMouseEvent *event)
{
    // The whole body acts as a title bar.
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}
