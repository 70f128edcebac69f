#include "core/store/transactionstore.h"
#include "support/testdatafile.h"
#include "ui/register/finddialog.h"
#include "ui/register/registergrid.h"
#include "ui/register/registerview.h"
#include "ui/widgets/pubstrgrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// Find over the register of March 2024 on a real data file. Grid rows, one a day:
// 1 Shopping 5.00, 2 the shop 7.00, 3 Pet Shop 1,000.00, 4 Shop 3.00 (paid),
// 5 Bakery 20.00 (received).
class TestFindDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void offersTheGridColumns();
    void findNext_data();
    void findNext();
    void repeatedFindNextWalksOn();
    void whileEditingNothingIsFound();

private:
    int add(int day, const QString &payee, const QString &amount);
    int currentRow() const { return m_view->strGridTransactions()->CurrentRow(); }
    void selectRow(int row) { m_view->strGridTransactions()->SetCurrentRow(row); }

    std::unique_ptr<TestDataFile> m_file;
    std::unique_ptr<RegisterView> m_view;
    QList<int> m_ids; // by grid row - 1
};

void TestFindDialog::init()
{
    m_file = std::make_unique<TestDataFile>();
    m_file->exec(QStringLiteral("INSERT INTO tbPayee (PayeeName, Type, Amt, Frequency) VALUES ('Shopping', 'Expense', 0, ' '), "
                                "('the shop', 'Expense', 0, ' '), ('Pet Shop', 'Expense', 0, ' '), ('Shop', 'Expense', 0, ' '), "
                                "('Bakery', 'Income', 0, ' ')"));
    m_file->exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Bank', 'Bank', 1)"));
    m_file->exec(QStringLiteral("UPDATE MySettings SET DefaultAccountId=1"));
    m_ids = {add(1, QStringLiteral("Shopping"), QStringLiteral("-5")), add(2, QStringLiteral("the shop"), QStringLiteral("-7")),
             add(3, QStringLiteral("Pet Shop"), QStringLiteral("-1000")), add(4, QStringLiteral("Shop"), QStringLiteral("-3")),
             add(5, QStringLiteral("Bakery"), QStringLiteral("20"))};
    m_view = std::make_unique<RegisterView>(m_file->session);
    m_view->resize(900, 600);
    m_view->show();
    m_view->RefreshLookups();
    m_view->ShowMonth(3, 2024);
    QCOMPARE(m_view->registerRowCount(), 5);
}

void TestFindDialog::cleanup()
{
    m_view.reset();
    m_file.reset();
}

int TestFindDialog::add(int day, const QString &payee, const QString &amount)
{
    TTransaction t;
    t.TransactionDate = QDate(2024, 3, day);
    t.PayeeName = payee;
    t.Amount = *Money::fromText(amount);
    t.AccountDescription = QStringLiteral("Bank");
    t.Status = QStringLiteral(" ");
    return InsertTransaction(m_file->db(), t);
}

void TestFindDialog::offersTheGridColumns()
{
    TFind find(m_file->notifier, m_view->strGridTransactions());
    QStringList names;
    for (int i = 0; i < find.cmbColNames->count(); ++i)
        names << find.cmbColNames->itemText(i);
    QCOMPARE(names, RegisterGrid::headers());
    QCOMPARE(find.cmbColNames->currentText(), QStringLiteral("Date"));
    QVERIFY(find.rdDown->isChecked());
    QVERIFY(!find.chkExact->isChecked());
    QVERIFY(find.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(find.windowTitle(), QStringLiteral("Find"));
}

void TestFindDialog::findNext_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("found"); // 0: "No more entries found."

    QTest::newRow("down finds Pet Shop, not the shop") << 1 << "Shop" << "Payee" << false << false << 3;
    QTest::newRow("exact phrase skips Pet Shop") << 1 << "Shop" << "Payee" << true << false << 4;
    QTest::newRow("up finds the nearest") << 5 << "Shop" << "Payee" << false << true << 4;
    QTest::newRow("up skips lower case") << 3 << "shop" << "Payee" << false << true << 2;
    QTest::newRow("up from row 1 finds nothing") << 1 << "Shopping" << "Payee" << false << true << 0;
    QTest::newRow("down past the last") << 4 << "Shop" << "Payee" << false << false << 0;
    QTest::newRow("grouped amount") << 1 << "1,000.00" << "Pay - " << false << false << 3;
    QTest::newRow("ungrouped amount finds nothing") << 1 << "1000" << "Pay - " << false << false << 0;
    QTest::newRow("received column") << 1 << "20.00" << "Receive + " << true << false << 5;
    QTest::newRow("date as shown") << 5 << "02/03/2024" << "Date" << true << true << 2;
    QTest::newRow("empty text finds nothing") << 1 << "" << "Payee" << false << false << 0;
}

void TestFindDialog::findNext()
{
    QFETCH(int, from);
    QFETCH(QString, text);
    QFETCH(QString, column);
    QFETCH(bool, exact);
    QFETCH(bool, up);
    QFETCH(int, found);

    selectRow(from);
    QCOMPARE(m_view->registerState().SelectedTransactionId, m_ids[from - 1]);
    TFind find(m_file->notifier, m_view->strGridTransactions());
    find.edtFind->setText(text);
    find.chkExact->setChecked(exact);
    (up ? find.rdUp : find.rdDown)->setChecked(true);
    find.cmbColNames->setCurrentIndex(find.cmbColNames->findText(column));
    QTest::mouseClick(find.btnFindNext, Qt::LeftButton);

    const int row = found ? found : from;
    QCOMPARE(currentRow(), row);
    QCOMPARE(m_view->registerState().SelectedTransactionId, m_ids[row - 1]);
    QCOMPARE(m_file->notifier.messageBoxes,
             found ? QStringList() : QStringList{QStringLiteral("No more entries found.")});
}

void TestFindDialog::repeatedFindNextWalksOn()
{
    selectRow(1);
    TFind find(m_file->notifier, m_view->strGridTransactions());
    find.edtFind->setText(QStringLiteral("Shop"));
    find.cmbColNames->setCurrentIndex(RegisterGrid::ColPayee);
    QTest::mouseClick(find.btnFindNext, Qt::LeftButton);
    QCOMPARE(currentRow(), 3);
    QTest::mouseClick(find.btnFindNext, Qt::LeftButton);
    QCOMPARE(currentRow(), 4);
    QTest::mouseClick(find.btnFindNext, Qt::LeftButton);
    QCOMPARE(currentRow(), 4);
    QCOMPARE(m_file->notifier.messageBoxes, QStringList{QStringLiteral("No more entries found.")});
}

void TestFindDialog::whileEditingNothingIsFound()
{
    selectRow(1);
    m_view->setBrowseControlsEnabled(false);
    TFind find(m_file->notifier, m_view->strGridTransactions());
    find.edtFind->setText(QStringLiteral("Shop"));
    find.cmbColNames->setCurrentIndex(RegisterGrid::ColPayee);
    QTest::mouseClick(find.btnFindNext, Qt::LeftButton);
    QCOMPARE(currentRow(), 1);
    QCOMPARE(m_view->registerState().SelectedTransactionId, m_ids[0]);
    QCOMPARE(m_file->notifier.messageBoxes,
             (QStringList{QStringLiteral("You cannot be editing a transaction, when seaching."),
                          QStringLiteral("No more entries found.")}));
}

QTEST_MAIN(TestFindDialog)
#include "tst_finddialog.moc"
