#include "support/scripteddialogs.h"
#include "core/base/tillbrookerror.h"
#include "ui/lists/itemsetup.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
Money money(const char *text) { return *Money::fromText(QString::fromLatin1(text)); }

// Answers the item setup dialog with `act` (which must close it), as exec would.
class SetupAnswer : public ScriptedDialogs
{
public:
    explicit SetupAnswer(std::function<void(TfrmItemSetup &)> act) : ScriptedDialogs(Showing::Shown)
    {
        always<TfrmItemSetup>(std::move(act));
    }
};
} // namespace

class TestItemSetup : public QObject
{
    Q_OBJECT
private slots:
    void showsTheInitialValues_data();
    void showsTheInitialValues();
    void amountTakesDigitsAndOnePoint_data();
    void amountTakesDigitsAndOnePoint();
    void okReturnsTheEnteredValues_data();
    void okReturnsTheEnteredValues();
    void cancelReturnsTheInitialValues();
    void amountThatIsNotANumberIsAnError();
};

void TestItemSetup::showsTheInitialValues_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("isExpense");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<int>("frequencyIndex");
    // The "New" dialog: Income, empty name, "0", no frequency.
    QTest::newRow("new item") << "" << false << qint64(0) << "" << "0" << -1;
    QTest::newRow("budgeted expense") << "Rent" << true << qint64(3000000) << "Monthly" << "300" << 5;
    QTest::newRow("blank frequency") << "Wages" << false << qint64(142857) << " " << "14.2857" << 0;
    QTest::newRow("unknown frequency") << "Odd" << true << qint64(5000) << "Quarterly" << "0.5" << -1;
}

void TestItemSetup::showsTheInitialValues()
{
    QFETCH(QString, description);
    QFETCH(bool, isExpense);
    QFETCH(qint64, units);
    QFETCH(QString, frequency);
    QFETCH(QString, amountText);
    QFETCH(int, frequencyIndex);
    QString caption, title, name, amount;
    bool expense = !isExpense, income = isExpense;
    int index = -2;
    bool nameHasFocus = false;
    SetupAnswer answer([&](TfrmItemSetup &d) {
        caption = d.windowTitle();
        title = d.lblTitle->text();
        name = d.edtName->text();
        expense = d.rbExpense->isChecked();
        income = d.rbIncome->isChecked();
        amount = d.txtAmt->text();
        index = d.cmbFrequency->currentIndex();
        nameHasFocus = d.focusWidget() == d.edtName;
        d.btnCancel->click();
    });
    RunItemSetup(nullptr, QStringLiteral("New Item"), QStringLiteral("Enter a new item description"), description,
                 isExpense, Money::fromUnits(units), frequency);
    QCOMPARE(caption, QStringLiteral("New Item"));
    QCOMPARE(title, QStringLiteral("  Enter a new item description"));
    QCOMPARE(name, description);
    QCOMPARE(expense, isExpense);
    QCOMPARE(income, !isExpense);
    QCOMPARE(amount, amountText);
    QCOMPARE(index, frequencyIndex);
    QVERIFY(nameHasFocus);
}

void TestItemSetup::amountTakesDigitsAndOnePoint_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and a point") << "12.50" << "12.50";
    QTest::newRow("second point refused") << "1.2.3" << "1.23";
    QTest::newRow("letters and signs refused") << "-1a,2e3 " << "123";
    QTest::newRow("at most ten characters") << "123456789012" << "1234567890";
}

void TestItemSetup::amountTakesDigitsAndOnePoint()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TfrmItemSetup dialog;
    dialog.show();
    dialog.txtAmt->clear();
    QTest::keyClicks(dialog.txtAmt, typed);
    QCOMPARE(dialog.txtAmt->text(), shown);
    // Backspace still works.
    QTest::keyClick(dialog.txtAmt, Qt::Key_Backspace);
    QCOMPARE(dialog.txtAmt->text(), shown.chopped(1));
}

void TestItemSetup::okReturnsTheEnteredValues_data()
{
    QTest::addColumn<QString>("amountText");
    QTest::addColumn<int>("frequencyIndex");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("frequency");
    QTest::newRow("budget") << "12.5" << 2 << qint64(125000) << "Weekly";
    QTest::newRow("empty amount is 0") << "" << 11 << qint64(0) << "2 Years";
    QTest::newRow("blank frequency entry") << "7" << 0 << qint64(70000) << " ";
    QTest::newRow("no frequency chosen") << ".5" << -1 << qint64(5000) << "";
}

void TestItemSetup::okReturnsTheEnteredValues()
{
    QFETCH(QString, amountText);
    QFETCH(int, frequencyIndex);
    QFETCH(qint64, units);
    QFETCH(QString, frequency);
    QString amountShownAtOk;
    SetupAnswer answer([&](TfrmItemSetup &d) {
        d.edtName->setText(QStringLiteral("Fuel \"premium\""));
        d.rbExpense->setChecked(true);
        d.txtAmt->setText(amountText);
        d.cmbFrequency->setCurrentIndex(frequencyIndex);
        d.btnOK->click();
        amountShownAtOk = d.txtAmt->text();
        QCOMPARE(d.Cancelled, 0);
    });
    const TMyResult r = RunItemSetup(nullptr, QStringLiteral("New Item"), QStringLiteral("t"), QString(), false,
                                     Money(), QString());
    QCOMPARE(r.Description, QStringLiteral("Fuel \"premium\""));
    QVERIFY(r.IsExpense);
    QCOMPARE(r.Amount.units(), units);
    QCOMPARE(r.Frequency, frequency);
    QCOMPARE(amountShownAtOk, amountText.isEmpty() ? QStringLiteral("0") : amountText);
}

void TestItemSetup::cancelReturnsTheInitialValues()
{
    for (bool viaEscape : {false, true}) {
        SetupAnswer answer([&](TfrmItemSetup &d) {
            d.edtName->setText(QStringLiteral("Changed"));
            d.rbIncome->setChecked(true);
            d.txtAmt->setText(QStringLiteral("."));
            d.cmbFrequency->setCurrentIndex(1);
            if (viaEscape)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.btnCancel->click();
            QCOMPARE(d.Cancelled, 1);
        });
        const TMyResult r = RunItemSetup(nullptr, QStringLiteral("Edit Payee"), QStringLiteral("t"),
                                         QStringLiteral("Rent"), true, money("300"), QStringLiteral("Monthly"));
        QCOMPARE(r.Description, QStringLiteral("Rent"));
        QVERIFY(r.IsExpense);
        QCOMPARE(r.Amount, money("300"));
        QCOMPARE(r.Frequency, QStringLiteral("Monthly"));
    }
}

void TestItemSetup::amountThatIsNotANumberIsAnError()
{
    SetupAnswer answer([](TfrmItemSetup &d) {
        d.edtName->setText(QStringLiteral("Rent"));
        d.txtAmt->setText(QStringLiteral("."));
        d.btnOK->click();
    });
    QVERIFY_THROWS_EXCEPTION(TillbrookError, RunItemSetup(nullptr, QStringLiteral("New Item"), QStringLiteral("t"),
                                                          QString(), false, Money(), QString()));
}

QTEST_MAIN(TestItemSetup)
#include "tst_itemsetup.moc"
