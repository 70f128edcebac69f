#include "core/datafile/sqlstatement.h"
#include "core/register/registerstate.h"
#include "support/scripteddialogs.h"
#include "support/testdatafile.h"
#include "ui/exchange/chooseaccount.h"
#include "ui/exchange/importdialog.h"
#include "ui/widgets/multicollistbox.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

// Answers the account chooser: picks `account`, or presses Cancel when it is empty.
class ChooserAnswer
{
public:
    QString account;
    int shown = 0;

    ChooserAnswer()
    {
        m_dialogs.always<TfrmChooseAccount>([this](TfrmChooseAccount &chooser) {
            ++shown;
            if (account.isEmpty()) {
                chooser.btnCancel->click();
            } else {
                chooser.cmbAccounts->setCurrentIndex(chooser.cmbAccounts->findText(account));
                chooser.btnChoose->click();
            }
        });
    }

private:
    ScriptedDialogs m_dialogs;
};

qint64 rows(TestDataFile &f)
{
    SqlStatement query(f.db(), QStringLiteral("SELECT COUNT(*) FROM tbTransactions"));
    query.exec();
    return query.next() ? query.value(0).toLongLong() : -1;
}

struct Fixture
{
    Fixture()
    {
        f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Checking', 'Bank', 1)"));
        f.exec(QStringLiteral("INSERT INTO tbAccount (AccountDescription, RecordDescription, CurrencyID) VALUES ('Savings', 'Bank', 1)"));
        dialog.chooseFile = [this](QWidget *, const QString &) { return nextFile; };
    }

    QString write(const QString &name, const QByteArray &content)
    {
        const QString path = f.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(content);
        return path;
    }

    // Browse to the file and read it.
    void load(const QString &path)
    {
        nextFile = path;
        dialog.btnBrowse->click();
        dialog.btnImport->click();
    }

    void link(int row, const QString &account)
    {
        answer.account = account;
        dialog.lstAccountList->setItemIndex(row);
        dialog.lstAccountListDblClick();
    }

    TestDataFile f;
    RegisterState state;
    TfrmImport dialog{f.session, state};
    QString nextFile;
    ChooserAnswer answer;
};

const QByteArray BankFile = "!Type:Bank\nD1/1'04\nT-5\nPShop\nLFood\n^\nD1/2'04\nT-9\nL[Savings]\n^\n";

} // namespace

class TestImportDialog : public QObject
{
    Q_OBJECT

private slots:
    void browseEnablesImportForQifFilesOnly_data();
    void browseEnablesImportForQifFilesOnly();
    void browseIsRefusedWhileEditing();
    void importListsEveryReferenceOnce();
    void chooserLinksAndCancelUnlinks();
    void processNeedsEveryLink();
    void processStoresOnceAndSaysReady();
    void secondFileReplacesTheFirst();
    void unreadableFileNamesItsLine();
    void fileWithoutTransactionsIsRefused();
};

void TestImportDialog::browseEnablesImportForQifFilesOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("upper") << QStringLiteral("a.QIF") << true;
    QTest::newRow("lower") << QStringLiteral("a.qif") << true;
    QTest::newRow("other") << QStringLiteral("a.csv") << false;
}

void TestImportDialog::browseEnablesImportForQifFilesOnly()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    Fixture x;
    x.nextFile = x.write(name, BankFile);
    x.dialog.btnBrowse->click();
    QCOMPARE(x.dialog.btnImport->isEnabled(), enabled);
    QCOMPARE(x.dialog.edtImport->text(), enabled ? x.nextFile : QString());
    QVERIFY(!x.dialog.btnProcess->isEnabled());
}

void TestImportDialog::browseIsRefusedWhileEditing()
{
    Fixture x;
    x.state.entryMode = EntryMode::Edit;
    x.nextFile = x.write(QStringLiteral("a.qif"), BankFile);
    x.dialog.btnBrowse->click();
    QCOMPARE(x.f.notifier.lastBar(), QStringLiteral("  You must cancel an editing of transactions before importing a file"));
    QVERIFY(!x.dialog.btnImport->isEnabled());
}

void TestImportDialog::importListsEveryReferenceOnce()
{
    Fixture x;
    x.load(x.write(QStringLiteral("a.qif"), BankFile + "D1/3'04\nT-1\nL[Savings]\n^\n"));
    QCOMPARE(x.dialog.lstAccountList->items(), QStringList({QStringLiteral("[Savings];"), QStringLiteral("[Bank];")}));
    QVERIFY(!x.dialog.btnImport->isEnabled());
    QVERIFY(x.dialog.btnProcess->isEnabled());
}

void TestImportDialog::chooserLinksAndCancelUnlinks()
{
    Fixture x;
    x.load(x.write(QStringLiteral("a.qif"), BankFile));
    x.link(0, QStringLiteral("Savings"));
    QCOMPARE(x.answer.shown, 1);
    QCOMPARE(x.dialog.lstAccountList->item(0), QStringLiteral("[Savings];Savings"));
    QCOMPARE(x.dialog.links().LinkedAccount(QStringLiteral("[Savings]")), QStringLiteral("Savings"));
    x.link(0, QString());
    QCOMPARE(x.dialog.lstAccountList->item(0), QStringLiteral("[Savings];"));
    QVERIFY(!x.dialog.links().AllLinksSet());
}

void TestImportDialog::processNeedsEveryLink()
{
    Fixture x;
    x.load(x.write(QStringLiteral("a.qif"), BankFile));
    x.link(0, QStringLiteral("Savings"));
    x.dialog.btnProcess->click();
    QCOMPARE(x.f.notifier.dialogs.size(), 1);
    const MessageDialogRequest &shown = x.f.notifier.dialogs.first();
    QCOMPARE(shown.caption, QStringLiteral("Problem with import"));
    QCOMPARE(shown.top, QStringLiteral("Please specify all account links"));
    QCOMPARE(shown.details, QStringLiteral("Double click on the account displayed in the list, and select an associated account."));
    QCOMPARE(shown.button1, QStringLiteral("OK"));
    QCOMPARE(rows(x.f), 0);
    QVERIFY(x.dialog.btnProcess->isEnabled());
}

void TestImportDialog::processStoresOnceAndSaysReady()
{
    Fixture x;
    x.load(x.write(QStringLiteral("a.qif"), BankFile));
    x.link(0, QStringLiteral("Savings"));
    x.link(1, QStringLiteral("Checking"));
    x.dialog.btnProcess->click();
    QCOMPARE(rows(x.f), 3);
    QVERIFY(x.dialog.imported());
    QVERIFY(!x.dialog.lblReady->isHidden());
    QVERIFY(x.dialog.ProgressBar1->isHidden());
    QVERIFY(!x.dialog.btnProcess->isEnabled());
    QVERIFY(!x.f.db().InTransaction());
    QCOMPARE(x.f.notifier.dialogs.size(), 0);
}

void TestImportDialog::secondFileReplacesTheFirst()
{
    Fixture x;
    x.load(x.write(QStringLiteral("a.qif"), BankFile));
    x.load(x.write(QStringLiteral("b.qif"), "!Type:Cash\nD1/1'04\nT-5\nPShop\n^\n"));
    QCOMPARE(x.dialog.lstAccountList->items(), QStringList{QStringLiteral("[Cash];")});
    x.link(0, QStringLiteral("Checking"));
    x.dialog.btnProcess->click();
    QCOMPARE(rows(x.f), 1);
}

void TestImportDialog::unreadableFileNamesItsLine()
{
    Fixture x;
    x.load(x.write(QStringLiteral("bad.qif"), "!Type:Bank\nD1/1'04\nT5x\n^\n"));
    QCOMPARE(x.f.notifier.dialogs.size(), 1);
    QCOMPARE(x.f.notifier.dialogs.first().caption, QStringLiteral("Problem with import"));
    QCOMPARE(x.f.notifier.dialogs.first().top, QStringLiteral("bad.qif, line 3: the amount \"5x\" cannot be read."));
    QVERIFY(!x.dialog.btnProcess->isEnabled());
    QVERIFY(x.dialog.btnImport->isEnabled());
    QCOMPARE(x.dialog.lstAccountList->count(), 0);
}

// A file that stages nothing is never "ready": it is refused, and Process stays off.
void TestImportDialog::fileWithoutTransactionsIsRefused()
{
    Fixture x;
    x.load(x.write(QStringLiteral("lists.qif"), "!Type:Cat\nNFood\n^\n"));
    QCOMPARE(x.f.notifier.dialogs.size(), 1);
    QCOMPARE(x.f.notifier.dialogs.first().top, QStringLiteral("No transactions found in lists.qif."));
    QVERIFY(!x.dialog.btnProcess->isEnabled());
    QVERIFY(x.dialog.btnImport->isEnabled());
    QCOMPARE(x.dialog.lstAccountList->count(), 0);
}

QTEST_MAIN(TestImportDialog)
#include "tst_importdialog.moc"
