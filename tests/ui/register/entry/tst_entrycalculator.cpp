#include "support/fakeregisterhost.h"

#include "support/testdatafile.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/register/entry/entrypanel.h"
#include "ui/widgets/calcform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(TransactionType)

namespace {

// Answers the calculator: types the keys into its display, then presses "Return"
// (unless a key closed it already).
class CalculatorAnswer
{
public:
    explicit CalculatorAnswer(const QString &keys, Qt::Key lastKey = Qt::Key_unknown)
    {
        m_previous = SetDialogHook([this, keys, lastKey](QDialog &dialog) {
            auto *calc = qobject_cast<TCalcForm *>(&dialog);
            if (!calc)
                qFatal("unexpected dialog %s", qPrintable(dialog.objectName()));
            ++opened;
            // The division message would hold the window for three seconds.
            calc->setMessageDuration(10);
            calc->show();
            shownFirst = calc->Entry->text();
            QTest::keyClicks(calc->Entry, keys);
            if (lastKey != Qt::Key_unknown)
                QTest::keyClick(calc->Entry, lastKey);
            // A message still showing after the wait fails the test's own checks later.
            [[maybe_unused]] const bool messageGone = QTest::qWaitFor([calc] { return !calc->showingMessage(); });
            if (calc->isVisible())
                QTest::mouseClick(calc->ExitButton, Qt::LeftButton);
            return dialog.result();
        });
    }
    ~CalculatorAnswer() { SetDialogHook(m_previous); }

    int opened = 0;
    QString shownFirst;

private:
    DialogHook m_previous;
};

} // namespace

// The calculator button of the entry panel: the result becomes the amount, and a
// negative result changes Pay into Receive and back once the user agrees.
class TestEntryCalculator : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void resultBecomesTheAmount_data();
    void resultBecomesTheAmount();
    void unfinishedCalculationGoesOnAtTheNextOpening();
    void transferKeepsItsTargetAccount();

private:
    QLineEdit *amount() const { return m_panel->findChild<QLineEdit *>(QStringLiteral("txtAmt")); }
    QTabBar *tabs() const { return m_panel->findChild<QTabBar *>(QStringLiteral("tbPayReceive")); }
    QToolButton *calculatorButton() const { return m_panel->findChild<QToolButton *>(QStringLiteral("btnCalculator")); }
    void startNew(TransactionType type, const QString &amountText);

    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<FakeRegisterHost> m_host;
    std::unique_ptr<EntryPanel> m_panel;
};

void TestEntryCalculator::init()
{
    m_file = std::make_unique<TestDataFile>();
    m_file->exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID, Type) VALUES ('Bank', 'Bank', 1, 'Bank'), ('Cash', 'Cash', 1, 'Cash')"));
    m_host = std::make_unique<FakeRegisterHost>();
    m_panel = std::make_unique<EntryPanel>(m_file->session, *m_host);
    m_panel->show();
}

void TestEntryCalculator::cleanup()
{
    m_panel.reset();
    m_host.reset();
    m_file.reset();
}

void TestEntryCalculator::startNew(TransactionType type, const QString &amountText)
{
    m_panel->tbNewClick();
    tabs()->setCurrentIndex(int(type));
    amount()->setText(amountText);
    QVERIFY(calculatorButton()->isEnabled());
    m_file->notifier.clear();
}

void TestEntryCalculator::resultBecomesTheAmount_data()
{
    QTest::addColumn<TransactionType>("type");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("lastKey");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("newAmount");
    QTest::addColumn<TransactionType>("newType");

    const QString toReceive = QStringLiteral("Do you wish to change transaction type from Pay/Buy transaction to a Receive/Sell transaction?");
    const QString toPay = QStringLiteral("Do you wish to change transaction type from Receive/Sell to a Pay/Buy transaction transaction?");
    const auto pay = TransactionType::Pay;
    const auto receive = TransactionType::Receive;
    const auto transfer = TransactionType::Transfer;
    const int enter = Qt::Key_Return;
    const int none = Qt::Key_unknown;

    QTest::newRow("pay plus") << pay << "+20" << enter << "" << "" << "" << "70.00" << pay;
    QTest::newRow("pay below zero, yes") << pay << "-80" << enter << "Yes" << toReceive << "" << "30.00" << receive;
    QTest::newRow("pay below zero, no") << pay << "-80" << enter << "No" << toReceive << "" << "50.00" << pay;
    QTest::newRow("receive below zero, yes") << receive << "-80" << enter << "Yes" << toPay << "" << "30.00" << pay;
    QTest::newRow("receive below zero, no") << receive << "-80" << enter << "No" << toPay << "" << "50.00" << receive;
    QTest::newRow("transfer below zero refused") << transfer << "-80" << enter << "" << ""
                                                 << "  A transfer cannot be a negative amount" << "50.00" << transfer;
    QTest::newRow("transfer plus") << transfer << "*2" << enter << "" << "" << "" << "100.00" << transfer;
    QTest::newRow("esc keeps the amount") << pay << "-80" << int(Qt::Key_Escape) << "" << "" << "" << "50.00" << pay;
    QTest::newRow("return mid-way takes the display") << pay << "*3" << none << "" << "" << "" << "3" << pay;
    QTest::newRow("division by zero") << pay << "/0" << enter << "" << "" << "" << "50.00" << pay;
}

void TestEntryCalculator::resultBecomesTheAmount()
{
    QFETCH(TransactionType, type);
    QFETCH(QString, keys);
    QFETCH(int, lastKey);
    QFETCH(QString, answer);
    QFETCH(QString, question);
    QFETCH(QString, bar);
    QFETCH(QString, newAmount);
    QFETCH(TransactionType, newType);

    startNew(type, QStringLiteral("50.00"));
    if (!answer.isEmpty())
        m_file->notifier.dialogAnswers << answer;
    CalculatorAnswer calc(keys, Qt::Key(lastKey));
    QTest::mouseClick(calculatorButton(), Qt::LeftButton);
    QCOMPARE(calc.opened, 1);

    QCOMPARE(amount()->text(), newAmount);
    QCOMPARE(m_panel->currentType(), newType);
    QCOMPARE(tabs()->currentIndex(), int(newType));
    const QList<MessageDialogRequest> &dialogs = m_file->notifier.dialogs;
    QCOMPARE(dialogs.size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty())
        QCOMPARE(dialogs[0].top, question);
    QCOMPARE(m_file->notifier.lastBar(), bar);
}

void TestEntryCalculator::unfinishedCalculationGoesOnAtTheNextOpening()
{
    startNew(TransactionType::Pay, QStringLiteral("50.00"));
    {
        CalculatorAnswer calc(QStringLiteral("+"));
        QTest::mouseClick(calculatorButton(), Qt::LeftButton);
    }
    QCOMPARE(amount()->text(), QStringLiteral("50.00"));
    {
        CalculatorAnswer calc(QStringLiteral("5"), Qt::Key_Return);
        QTest::mouseClick(calculatorButton(), Qt::LeftButton);
        QCOMPARE(calc.shownFirst, QStringLiteral("50.00"));
    }
    QCOMPARE(amount()->text(), QStringLiteral("55.00"));
}

void TestEntryCalculator::transferKeepsItsTargetAccount()
{
    startNew(TransactionType::Transfer, QStringLiteral("50.00"));
    auto *target = m_panel->findChild<QComboBox *>(QStringLiteral("cmbTransferTo"));
    target->setCurrentIndex(target->findText(QStringLiteral("Cash")));
    QCOMPARE(target->currentText(), QStringLiteral("Cash"));
    CalculatorAnswer calc(QStringLiteral("*2"), Qt::Key_Return);
    QTest::mouseClick(calculatorButton(), Qt::LeftButton);
    QCOMPARE(amount()->text(), QStringLiteral("100.00"));
    QCOMPARE(target->currentText(), QStringLiteral("Cash"));
}

QTEST_MAIN(TestEntryCalculator)
#include "tst_entrycalculator.moc"
