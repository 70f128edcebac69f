#include "ui/widgets/calcform.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The calculator window driven through its buttons and the keyboard of its display.
class TestCalcForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void buttonsKeepTheFocusOnTheDisplay();
    void keysTypedIntoTheDisplay_data();
    void keysTypedIntoTheDisplay();
    void divisionByZeroShowsTheMessageFirst();
    void enterAfterDivisionByZeroClosesAfterTheMessage();
    void escapeRestoresTheOpeningText();
    void returnButtonCloses();

private:
    void open(const QString &initial);
    void click(const char *name);

    CalculatorState m_state;
    std::unique_ptr<TCalcForm> m_form;
};

void TestCalcForm::init()
{
    m_state = CalculatorState();
}

void TestCalcForm::cleanup()
{
    m_form.reset();
}

void TestCalcForm::open(const QString &initial)
{
    m_form = std::make_unique<TCalcForm>(m_state);
    m_form->InitialText = initial;
    m_form->setMessageDuration(50);
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(m_form->Entry->text(), initial);
}

void TestCalcForm::click(const char *name)
{
    auto *button = m_form->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestCalcForm::buttonsKeepTheFocusOnTheDisplay()
{
    open(QStringLiteral("50.00"));
    for (const char *name : {"Plus", "Two", "Zero", "Decimal", "Five", "Equal"}) {
        click(name);
        QVERIFY2(m_form->Entry->hasFocus(), name);
    }
    QCOMPARE(m_form->Entry->text(), QStringLiteral("70.50"));
    click("Multiply");
    click("Three");
    click("Clear");
    QCOMPARE(m_form->Entry->text(), QStringLiteral("0"));
    click("AllClear");
    QCOMPARE(m_state.Accumulator, 0.0);
    QCOMPARE(m_state.PendingOperator, CalcOperator::Plus);
    QCOMPARE(m_form->AllClear->toolTip(), QStringLiteral("Clear all calculations"));
    QCOMPARE(m_form->Clear->toolTip(), QStringLiteral("Clear current value"));
    QCOMPARE(m_form->ExitButton->toolTip(), QStringLiteral("Close this calculator"));
}

void TestCalcForm::keysTypedIntoTheDisplay_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("display");

    QTest::newRow("operators and digits") << "50.00" << "-80" << "80";
    QTest::newRow("no letters") << "" << "1a2b" << "12";
    QTest::newRow("= is not a key") << "" << "4+4=" << "4";
    QTest::newRow("left to right") << "" << "2*3+4" << "4";
}

void TestCalcForm::keysTypedIntoTheDisplay()
{
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(QString, display);

    open(initial);
    QTest::keyClicks(m_form->Entry, typed);
    QCOMPARE(m_form->Entry->text(), display);
    QVERIFY(m_form->isVisible());
}

void TestCalcForm::divisionByZeroShowsTheMessageFirst()
{
    open(QString());
    QTest::keyClicks(m_form->Entry, QStringLiteral("10/0"));
    click("Equal");
    QCOMPARE(m_form->Entry->text(), QStringLiteral("Division by Zero!"));
    QVERIFY(m_form->showingMessage());
    QTRY_COMPARE(m_form->Entry->text(), QStringLiteral("10.00"));
    QCOMPARE(m_form->resultText(), QStringLiteral("10.00"));
}

void TestCalcForm::enterAfterDivisionByZeroClosesAfterTheMessage()
{
    open(QString());
    QSignalSpy accepted(m_form.get(), &QDialog::accepted);
    QTest::keyClicks(m_form->Entry, QStringLiteral("10/0"));
    QTest::keyClick(m_form->Entry, Qt::Key_Return);
    QCOMPARE(m_form->Entry->text(), QStringLiteral("Division by Zero!"));
    QVERIFY(m_form->isVisible());
    QTRY_COMPARE(accepted.count(), 1);
    QCOMPARE(m_form->resultText(), QStringLiteral("10.00"));
}

void TestCalcForm::escapeRestoresTheOpeningText()
{
    open(QStringLiteral("50.00"));
    QSignalSpy rejected(m_form.get(), &QDialog::rejected);
    QTest::keyClicks(m_form->Entry, QStringLiteral("+25"));
    QTest::keyClick(m_form->Entry, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->Entry->text(), QStringLiteral("50.00"));
    QCOMPARE(m_form->resultText(), QStringLiteral("50.00"));
}

void TestCalcForm::returnButtonCloses()
{
    open(QStringLiteral("50.00"));
    QTest::keyClicks(m_form->Entry, QStringLiteral("+25"));
    click("ExitButton");
    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_form->resultText(), QStringLiteral("25"));
    // Left unfinished: the next opening goes on with 50 + ...
    open(QString());
    QTest::keyClicks(m_form->Entry, QStringLiteral("5"));
    QTest::keyClick(m_form->Entry, Qt::Key_Enter);
    QCOMPARE(m_form->resultText(), QStringLiteral("55.00"));
}

QTEST_MAIN(TestCalcForm)
#include "tst_calcform.moc"
