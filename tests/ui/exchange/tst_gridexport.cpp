#include "core/base/notices.h"
#include "support/fakenotifier.h"
#include "ui/exchange/gridexport.h"
#include "support/scripteddialogs.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the save dialog with a file name (or cancels when it is empty) and
// remembers what the dialog offered.
struct SaveDialogAnswer
{
    QString fileName;
    int shown = 0;
    QString title;
    QString proposed;
    QStringList filters;
    QString suffix;
    bool confirmsOverwrite = false;

    DialogHook hook()
    {
        return [this](QDialog &dialog) {
            ++shown;
            auto *files = qobject_cast<QFileDialog *>(&dialog);
            if (!files)
                return int(QDialog::Rejected);
            title = files->windowTitle();
            proposed = files->selectedFiles().value(0).section(u'/', -1);
            filters = files->nameFilters();
            suffix = files->defaultSuffix();
            confirmsOverwrite = !files->testOption(QFileDialog::DontConfirmOverwrite)
                && files->acceptMode() == QFileDialog::AcceptSave;
            if (fileName.isEmpty())
                return int(QDialog::Rejected);
            files->selectFile(fileName);
            return int(QDialog::Accepted);
        };
    }
};

void fillTwoByTwo(TPubStrGrid &grid)
{
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetRow(0, {"A", "B"});
    grid.SetRow(1, {"", "C"});
}

} // namespace

class TestGridExport : public QObject
{
    Q_OBJECT
private slots:
    void savesAndTells_data();
    void savesAndTells();
    void cancelledDialogDoesNothing_data();
    void cancelledDialogDoesNothing();
    void failureWarns_data();
    void failureWarns();
    void tooLargeForExcelRefusedBeforeAsking_data();
    void tooLargeForExcelRefusedBeforeAsking();

private:
    QTemporaryDir m_dir;
};

void TestGridExport::savesAndTells_data()
{
    QTest::addColumn<bool>("excel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<QByteArray>("start"); // the file's first bytes
    QTest::newRow("excel") << true << "Export to Excel file ..." << "ExportFile.xls"
                           << "Excel File (*.xls)" << "Excel file saved to"
                           << QByteArray::fromHex("D0CF11E0A1B11AE1"); // a compound file
    QTest::newRow("csv") << false << "Export to CSV file ..." << "ExportFile.csv"
                         << "Comma Separated Values (*.csv)" << "CSV file saved to"
                         << QByteArray("\xEF\xBB\xBF" "A,B,\r\n,C,\r\n");
}

void TestGridExport::savesAndTells()
{
    QFETCH(bool, excel);
    QFETCH(QString, title);
    QFETCH(QString, proposed);
    QFETCH(QString, filter);
    QFETCH(QString, notice);
    QFETCH(QByteArray, start);
    TPubStrGrid grid;
    fillTwoByTwo(grid);
    FakeNotifier notifier;
    SaveDialogAnswer answer;
    answer.fileName = m_dir.filePath(excel ? "saved.xls" : "saved.csv");
    ScriptedDialogs dialogs;
    dialogs.otherwise(answer.hook());
    excel ? ExportGridToExcel(grid, notifier, nullptr) : ExportGridToCsv(grid, notifier, nullptr);

    QCOMPARE(answer.shown, 1);
    QCOMPARE(answer.title, title);
    QCOMPARE(answer.proposed, proposed);
    QCOMPARE(answer.filters, QStringList{filter});
    QCOMPARE(answer.suffix, proposed.section(u'.', -1));
    QVERIFY(answer.confirmsOverwrite);
    QFile file(answer.fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(start));
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs.first().top, QStringLiteral("  ") + notice + u'\n' + answer.fileName);
    QCOMPARE(notifier.dialogs.first().icon, DialogIcon::Information);
}

void TestGridExport::cancelledDialogDoesNothing_data()
{
    QTest::addColumn<bool>("excel");
    QTest::newRow("excel") << true;
    QTest::newRow("csv") << false;
}

void TestGridExport::cancelledDialogDoesNothing()
{
    QFETCH(bool, excel);
    TPubStrGrid grid;
    fillTwoByTwo(grid);
    FakeNotifier notifier;
    SaveDialogAnswer answer; // no name: cancel
    ScriptedDialogs dialogs;
    dialogs.otherwise(answer.hook());
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    excel ? ExportGridToExcel(grid, notifier, nullptr) : ExportGridToCsv(grid, notifier, nullptr);
    QCOMPARE(answer.shown, 1);
    QVERIFY(notifier.dialogs.isEmpty());
    QVERIFY(notifier.bars.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
}

void TestGridExport::failureWarns_data()
{
    QTest::addColumn<bool>("excel");
    QTest::newRow("excel") << true;
    QTest::newRow("csv") << false;
}

void TestGridExport::failureWarns()
{
    QFETCH(bool, excel);
    TPubStrGrid grid;
    fillTwoByTwo(grid);
    FakeNotifier notifier;
    SaveDialogAnswer answer;
    answer.fileName = m_dir.filePath(QStringLiteral("no such folder/out.file"));
    ScriptedDialogs dialogs;
    dialogs.otherwise(answer.hook());
    excel ? ExportGridToExcel(grid, notifier, nullptr) : ExportGridToCsv(grid, notifier, nullptr);
    QCOMPARE(notifier.dialogs.size(), 1);
    QCOMPARE(notifier.dialogs.first().top,
             QStringLiteral("  Error when saving file...\n") + answer.fileName);
    QCOMPARE(notifier.dialogs.first().icon, DialogIcon::Warning);
    QVERIFY(!QFile::exists(answer.fileName));
    QCOMPARE(grid.Cells(1, 1), QStringLiteral("C"));
}

void TestGridExport::tooLargeForExcelRefusedBeforeAsking_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QString>("limit");
    QTest::newRow("rows") << 65537 << 1 << "65,536 rows";
    QTest::newRow("columns") << 2 << 257 << "256 columns";
}

void TestGridExport::tooLargeForExcelRefusedBeforeAsking()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QString, limit);
    TPubStrGrid grid;
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    FakeNotifier notifier;
    SaveDialogAnswer answer;
    answer.fileName = m_dir.filePath(QStringLiteral("big.xls"));
    ScriptedDialogs dialogs;
    dialogs.otherwise(answer.hook());
    ExportGridToExcel(grid, notifier, nullptr);
    QCOMPARE(answer.shown, 0);
    QVERIFY(!QFile::exists(answer.fileName));
    QCOMPARE(notifier.dialogs.size(), 1);
    QVERIFY2(notifier.dialogs.first().top.contains(limit), qPrintable(notifier.dialogs.first().top));
    QVERIFY(notifier.dialogs.first().top.contains(QStringLiteral("CSV")));

    // The same grid goes to CSV: byte-order mark, then a comma a cell and CR LF a row.
    answer.fileName = m_dir.filePath(QStringLiteral("big.csv"));
    ExportGridToCsv(grid, notifier, nullptr);
    QCOMPARE(QFileInfo(answer.fileName).size(), qint64(3) + qint64(rows) * (cols + 2));
}

QTEST_MAIN(TestGridExport)
#include "tst_gridexport.moc"
