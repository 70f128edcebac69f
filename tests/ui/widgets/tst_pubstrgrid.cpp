#include "core/base/tillbrookerror.h"
#include "support/scripteddialogs.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPubStrGrid : public QObject
{
    Q_OBJECT
private slots:
    void callbacksDriveModelRoles();
    void callbacksDrivePainting_data();
    void callbacksDrivePainting();
    void setCellWritesOnlyOnDifference();
    void bulkUpdateSendsOneReset();
    void headerRowIsRowZero();
    void rowOperations();
    void cellsKeepTheirPlace_data();
    void cellsKeepTheirPlace();
    void columnsDroppedStayGone();
    void keepRows_data();
    void keepRows();
    void deleteRowsNeverCutsRowsAbove();
    void keys_data();
    void keys();
    void rowsAreSizedByTheirEdgeInTheFirstColumn_data();
    void rowsAreSizedByTheirEdgeInTheFirstColumn();
    void savesTheDocumentedLines();
    void roundTrip();
    void saveKeepsBackup();
    void damagedFileLeavesGridAlone_data();
    void damagedFileLeavesGridAlone();
    void missingFileDoesNothing();
    void autoSaveOnDestruction();

private:
    QTemporaryDir m_dir;
};

namespace {

// A grid shaped like the register: 4 columns, header plus 3 data rows.
std::unique_ptr<TPubStrGrid> smallGrid()
{
    auto grid = std::make_unique<TPubStrGrid>();
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetHCol({"Number", "Date", "Payee", "Pay - "});
    for (int r = 1; r < 4; ++r)
        grid->SetRow(r, {QString::number(r), "01/03/2024", "Payee " + QString::number(r), "1.00"});
    return grid;
}

QString readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<missing>");
    return QString::fromUtf8(f.readAll());
}

} // namespace

void TestPubStrGrid::callbacksDriveModelRoles()
{
    auto grid = smallGrid();
    QList<TAlignment> received;
    grid->SetAlignment(taCenter);
    grid->SetOnGetAlignment([&](int row, int col, TAlignment &a) {
        received << a;
        if (col == 3)
            a = taRightJustify;
        Q_UNUSED(row);
    });
    grid->SetOnGetCellColor([](int row, int col, TGridDrawState state, TGridCellStyle &s) {
        if (state & gdFixed)
            return;
        s.Brush = row % 2 ? QColor(255, 251, 240) : QColor(192, 220, 192);
        s.FontColor = Qt::black;
        if (col == 2)
            s.Font.setBold(true);
    });
    StringTableModel *m = grid->Model();
    auto role = [&](int col, int row, int r) { return m->index(m->modelRow(row), col).data(r); };

    QCOMPARE(role(3, 1, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(role(1, 1, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(!received.isEmpty());
    QVERIFY(std::all_of(received.begin(), received.end(), [](TAlignment a) { return a == taCenter; }));
    QCOMPARE(role(0, 1, Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 251, 240));
    QCOMPARE(role(0, 2, Qt::BackgroundRole).value<QBrush>().color(), QColor(192, 220, 192));
    QCOMPARE(role(0, 2, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    QVERIFY(role(2, 2, Qt::FontRole).value<QFont>().bold());
    QVERIFY(!role(1, 2, Qt::FontRole).value<QFont>().bold());
}

void TestPubStrGrid::callbacksDrivePainting_data()
{
    QTest::addColumn<bool>("grid3D");
    QTest::newRow("flat") << false;
    QTest::newRow("3-D edges") << true;
}

// What is drawn: the callback's brush fills the cell, and Grid3D adds a light top edge.
void TestPubStrGrid::callbacksDrivePainting()
{
    QFETCH(bool, grid3D);
    auto grid = smallGrid();
    const QColor cream(255, 251, 240);
    const QColor edge(Qt::red);
    QPalette p = grid->palette();
    p.setColor(QPalette::HighlightedText, edge);
    grid->setPalette(p);
    grid->SetGrid3D(grid3D);
    grid->SetOnGetCellColor([&](int row, int, TGridDrawState, TGridCellStyle &s) {
        if (row == 2)
            s.Brush = cream;
    });
    grid->SetColWidths(1, 150);
    grid->resize(500, 200);
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    const QImage image = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->Model()->index(1, 1)); // grid row 2
    const QRect other = grid->visualRect(grid->Model()->index(0, 1)); // grid row 1
    // Right of the left-aligned text.
    QCOMPARE(image.pixelColor(cell.right() - 3, cell.center().y()), cream);
    QVERIFY(image.pixelColor(other.right() - 3, other.center().y()) != cream);
    QCOMPARE(image.pixelColor(cell.left() + 5, cell.top()) == edge, grid3D);
}

void TestPubStrGrid::setCellWritesOnlyOnDifference()
{
    auto grid = smallGrid();
    QSignalSpy changed(grid->Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy header(grid->Model(), &QAbstractItemModel::headerDataChanged);

    QVERIFY(!grid->SetCell(2, 1, "Payee 1"));
    QVERIFY(!grid->SetCell(0, 0, "Number"));
    grid->SetRow(2, grid->Rows(2));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(header.count(), 0);

    QVERIFY(grid->SetCell(2, 1, "Grocer"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid->Cells(2, 1), QStringLiteral("Grocer"));
    QVERIFY(grid->SetCell(0, 0, "No."));
    QCOMPARE(header.count(), 1);
    QCOMPARE(grid->Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
    QVERIFY(!grid->SetCell(9, 1, "outside"));
    QCOMPARE(grid->Cells(9, 1), QString());
}

void TestPubStrGrid::bulkUpdateSendsOneReset()
{
    TPubStrGrid grid;
    grid.SetColCount(10);
    grid.SetRowCount(2);
    QSignalSpy changed(grid.Model(), &QAbstractItemModel::dataChanged);
    QSignalSpy inserted(grid.Model(), &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(grid.Model(), &QAbstractItemModel::modelReset);
    grid.SetColWidths(4, 200);

    grid.BeginUpdate();
    grid.SetRow(1, {"1", "a"});
    for (int i = 2; i <= 100000; ++i)
        grid.AppendRow({QString::number(i), "01/01/2024", "Payee", "Category"});
    grid.EndUpdate();

    QCOMPARE(changed.count(), 0);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(grid.RowCount(), 100001);
    QCOMPARE(grid.Model()->rowCount(), 100000);
    QCOMPARE(grid.FindRow(0, "99999"), 99999);
    QCOMPARE(grid.FindRow(0, "nothing"), -1);
    QCOMPARE(grid.ColWidths(4), 200); // widths survive the reset
    QCOMPARE(grid.ColWidths(0), 21);
}

void TestPubStrGrid::headerRowIsRowZero()
{
    auto grid = smallGrid();
    QCOMPARE(grid->Model()->rowCount(), 3);
    QCOMPARE(grid->Model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Pay - "));
    QCOMPARE(grid->Model()->index(0, 2).data().toString(), QStringLiteral("Payee 1"));

    QSignalSpy current(grid.get(), &TPubStrGrid::CurrentRowChanged);
    grid->SetCurrentRow(3);
    QCOMPARE(grid->CurrentRow(), 3);
    QCOMPARE(current.count(), 1);
    QCOMPARE(current.at(0).at(0).toInt(), 3);
    grid->SetCurrentRow(0); // the header row cannot be current
    QCOMPARE(grid->CurrentRow(), 3);

    grid->SetFixedRows(0);
    QCOMPARE(grid->Model()->rowCount(), 4);
    QCOMPARE(grid->Model()->index(0, 0).data().toString(), QStringLiteral("Number"));
    QVERIFY(grid->horizontalHeader()->isHidden());

    grid->SetFixedRows(1);
    grid->SetHRow({"x", "y"});
    QCOMPARE(grid->Cells(0, 1), QStringLiteral("x"));
    QCOMPARE(grid->Cells(0, 2), QStringLiteral("y"));
    QCOMPARE(grid->Cells(0, 3), QString());
}

void TestPubStrGrid::rowOperations()
{
    TPubStrGrid grid;
    grid.SetColCount(1);
    grid.SetRowCount(5);
    for (int r = 0; r < 5; ++r)
        grid.SetCell(0, r, QString::number(r));

    grid.InsertRow(2);
    QCOMPARE(grid.RowCount(), 6);
    QCOMPARE(grid.Cells(0, 2), QString());
    QCOMPARE(grid.Cells(0, 3), QStringLiteral("2"));
    QCOMPARE(grid.Cells(0, 5), QStringLiteral("4"));

    grid.DeleteRow(2);
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.Cells(0, 2), QStringLiteral("2"));

    grid.ClearCells();
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.Cells(0, 0), QString());

    grid.SetRowCount(2);
    grid.DeleteRow(1); // refused with 2 rows
    QCOMPARE(grid.RowCount(), 2);
}

void TestPubStrGrid::cellsKeepTheirPlace_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::newRow("all filled") << QStringList{"1", "02/03/2024", "Grocer", "12.50"};
    QTest::newRow("empty in the middle") << QStringList{"1", "", "", "12.50"};
    QTest::newRow("empty at the end") << QStringList{"1", "x", "", ""};
    QTest::newRow("all empty") << QStringList{"", "", "", ""};
    QTest::newRow("unit separator inside a cell") << QStringList{"a|b", "", "c", ""}; // "|" stands for U+001F
}

void TestPubStrGrid::cellsKeepTheirPlace()
{
    QFETCH(QStringList, row);
    for (QString &text : row)
        text.replace(u'|', QChar(0x1F));
    TPubStrGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(3);
    grid.SetRow(1, row);
    QStringList expected = row;
    expected.replaceInStrings(QString(QChar(0x1F)), QStringLiteral(" "));
    QCOMPARE(grid.Rows(1), expected);
    for (int col = 0; col < 4; ++col) {
        QCOMPARE(grid.Cells(col, 1), expected.at(col));
        QCOMPARE(grid.Model()->CellView(col, 1).toString(), expected.at(col));
    }
    // Writing one cell leaves its neighbours and the rows around it alone.
    QVERIFY(grid.SetCell(2, 1, QStringLiteral("new")));
    expected[2] = QStringLiteral("new");
    QCOMPARE(grid.Rows(1), expected);
    QCOMPARE(grid.Rows(0), QStringList(4));
    QCOMPARE(grid.Rows(2), QStringList(4));
    QVERIFY(!grid.SetCell(2, 1, QStringLiteral("new")));

    // The same row built cell by cell for a bulk fill, with a cell too many, lands
    // as SetRow puts it, and reads back whole in one pass.
    StringTableModel::RowText text(4);
    for (const QString &cell : row)
        text << cell;
    text << QStringLiteral("beyond the columns");
    grid.Model()->SetJoinedRows(2, {text.take()});
    expected = row;
    expected.replaceInStrings(QString(QChar(0x1F)), QStringLiteral(" "));
    QCOMPARE(grid.Rows(2), expected);
    QStringView views[4];
    grid.Model()->RowViews(2, views);
    for (int col = 0; col < 4; ++col)
        QCOMPARE(views[col].toString(), expected.at(col));
    QCOMPARE(grid.RowCount(), 3);
}

void TestPubStrGrid::columnsDroppedStayGone()
{
    TPubStrGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetRow(1, {"a", "b", "c"});
    grid.SetColCount(2);
    QCOMPARE(grid.Rows(1), (QStringList{"a", "b"}));
    grid.SetColCount(3);
    QCOMPARE(grid.Rows(1), (QStringList{"a", "b", ""}));
}

void TestPubStrGrid::keepRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("some") << "o" << QStringList{"one", "two", "four"};
    QTest::newRow("none") << "z" << QStringList{};
    QTest::newRow("all") << "" << QStringList{"one", "two", "three", "four"};
}

void TestPubStrGrid::keepRows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, kept);
    TPubStrGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(5);
    grid.SetRow(0, {"Name", "Number"});
    const QStringList names{"one", "two", "three", "four"};
    for (int r = 1; r <= 4; ++r)
        grid.SetRow(r, {names.at(r - 1), QString::number(r)});
    QSignalSpy reset(grid.Model(), &QAbstractItemModel::modelReset);
    QCOMPARE(grid.Model()->KeepRows(0, [&text](QStringView cell) { return cell.contains(text); }),
             int(kept.size()));
    QCOMPARE(reset.size(), 1);
    QCOMPARE(grid.RowCount(), 1 + int(kept.size()));
    QCOMPARE(grid.Rows(0), (QStringList{"Name", "Number"}));
    for (int r = 1; r < grid.RowCount(); ++r) {
        QCOMPARE(grid.Cells(0, r), kept.at(r - 1));
        QCOMPARE(grid.Cells(1, r), QString::number(names.indexOf(kept.at(r - 1)) + 1));
    }
}

void TestPubStrGrid::deleteRowsNeverCutsRowsAbove()
{
    TPubStrGrid grid;
    grid.SetColCount(1);
    grid.SetRowCount(5);
    for (int r = 0; r < 5; ++r)
        grid.SetCell(0, r, QString::number(r));
    grid.DeleteRows(1, 1);
    QCOMPARE(grid.RowCount(), 4);
    QCOMPARE(grid.Cells(0, 1), QStringLiteral("2"));
    grid.DeleteRows(2, 10);
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(grid.Cells(0, 1), QStringLiteral("2"));
}

void TestPubStrGrid::keys_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("expectedRows");
    QTest::addColumn<int>("expectedCurrent");
    QTest::addColumn<bool>("asked");

    QTest::newRow("down on the last row adds one") << 5 << 4 << int(Qt::Key_Down) << 0 << 0 << 6 << 5 << false;
    QTest::newRow("down elsewhere only moves") << 5 << 2 << int(Qt::Key_Down) << 0 << 0 << 5 << 3 << false;
    QTest::newRow("insert") << 5 << 2 << int(Qt::Key_Insert) << 0 << 0 << 6 << 2 << false;
    QTest::newRow("ctrl+delete, ok") << 5 << 2 << int(Qt::Key_Delete) << int(Qt::ControlModifier) << int(QMessageBox::Ok) << 4 << 2 << true;
    QTest::newRow("ctrl+delete, cancel") << 5 << 2 << int(Qt::Key_Delete) << int(Qt::ControlModifier) << int(QMessageBox::Cancel) << 5 << 2 << true;
    QTest::newRow("ctrl+delete, one data row") << 2 << 1 << int(Qt::Key_Delete) << int(Qt::ControlModifier) << int(QMessageBox::Ok) << 2 << 1 << false;
}

void TestPubStrGrid::keys()
{
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, answer);
    QFETCH(int, expectedRows);
    QFETCH(int, expectedCurrent);
    QFETCH(bool, asked);

    TPubStrGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(rows);
    grid.SetEditable(false);
    QString question;
    ScriptedDialogs dialogs;
    dialogs.otherwise([&](QDialog &dialog) {
        question = static_cast<QMessageBox &>(dialog).text();
        return answer;
    });
    grid.SetCurrentRow(current);
    QTest::keyClick(&grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(grid.RowCount(), expectedRows);
    QCOMPARE(grid.CurrentRow(), expectedCurrent);
    QCOMPARE(question, asked ? QStringLiteral("Are you sure you want to delete this row?") : QString());
}

void TestPubStrGrid::savesTheDocumentedLines()
{
    TPubStrGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(3);
    grid.SetCell(0, 1, "a");
    grid.SetCell(1, 2, "b");
    const QString path = m_dir.filePath("doc.grid");
    grid.SaveToFile(path);
    QCOMPARE(readAll(path), QStringLiteral("|\r\n3|2\r\n21\r\n\r\n\r\nTop\r\nColumn 0 Width: 21\r\n0|1|a\r\n1|2|b\r\n\r\n"));

    TPubStrGrid other;
    other.SetCell(3, 3, "stale");
    other.LoadFromFile(path);
    QCOMPARE(other.RowCount(), 3);
    QCOMPARE(other.ColCount(), 2);
    QCOMPARE(other.ColWidths(0), 21);
    QCOMPARE(other.ColWidths(1), 64);
    QCOMPARE(other.Cells(0, 1), QStringLiteral("a"));
    QCOMPARE(other.Cells(1, 2), QStringLiteral("b"));
    QCOMPARE(other.Cells(0, 0), QString());
}

void TestPubStrGrid::roundTrip()
{
    auto grid = smallGrid();
    grid->Caption1 = "Report";
    grid->Caption2 = "March\n2024";
    grid->Caption2Placement = cpBottom;
    grid->CellDelimiter = u';';
    grid->SetCell(2, 2, "a;b|c;d");
    grid->SetCell(1, 3, "two\r\nlines");
    grid->SetColWidths(2, 150);
    grid->SetDefaultRowHeight(18);
    grid->SetRowHeights(3, 40);
    const QString path = m_dir.filePath("round.grid");
    grid->SaveToFile(path);

    TPubStrGrid loaded;
    loaded.LoadFromFile(path);
    QCOMPARE(loaded.CellDelimiter, QChar(u';'));
    QCOMPARE(loaded.Caption1, QStringLiteral("Report"));
    QCOMPARE(loaded.Caption2, QStringLiteral("March 2024"));
    QCOMPARE(loaded.Caption2Placement, cpBottom);
    QCOMPARE(loaded.DefaultRowHeight(), 18);
    QCOMPARE(loaded.RowHeights(3), 40);
    QCOMPARE(loaded.RowHeights(2), 18);
    QCOMPARE(loaded.ColWidths(2), 150);
    QCOMPARE(loaded.Cells(2, 2), QStringLiteral("a;b|c;d")); // only the first two delimiters split
    QCOMPARE(loaded.Cells(1, 3), QStringLiteral("two lines"));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!(r == 3 && c == 1))
                QCOMPARE(loaded.Cells(c, r), grid->Cells(c, r));
}

void TestPubStrGrid::saveKeepsBackup()
{
    const QString path = m_dir.filePath("keep.grid");
    const QString backup = m_dir.filePath("keep.bak");
    QCOMPARE(TPubStrGrid::BackupFileName(path), backup);
    TPubStrGrid grid;
    grid.SetCell(1, 1, "first");
    grid.SaveToFile(path);
    QVERIFY(!QFile::exists(backup));
    const QString first = readAll(path);
    grid.SetCell(1, 1, "second");
    grid.SaveToFile(path);
    QCOMPARE(readAll(backup), first);
    const QString second = readAll(path);
    grid.SetCell(1, 1, "third");
    grid.SaveToFile(path);
    QCOMPARE(readAll(backup), second);

    grid.AutoBackup = false;
    QFile::remove(backup);
    grid.SaveToFile(path);
    QVERIFY(!QFile::exists(backup));

    // A grid file that itself ends in ".bak" is never deleted for its own backup.
    const QString own = m_dir.filePath("self.bak");
    grid.AutoBackup = true;
    grid.SaveToFile(own);
    grid.SaveToFile(own);
    QVERIFY(readAll(own).contains("third"));
}

void TestPubStrGrid::damagedFileLeavesGridAlone_data()
{
    QTest::addColumn<QString>("contents");
    QTest::newRow("count not a number") << "|\r\nx|2\r\n21\r\n\r\n\r\nTop\r\n";
    QTest::newRow("no counts") << "|\r\n";
    QTest::newRow("cell outside") << "|\r\n3|2\r\n21\r\n\r\n\r\nTop\r\n5|1|a\r\n";
    QTest::newRow("bad width") << "|\r\n3|2\r\n21\r\n\r\n\r\nTop\r\nColumn 1 Width: wide\r\n";
}

void TestPubStrGrid::damagedFileLeavesGridAlone()
{
    QFETCH(QString, contents);
    const QString path = m_dir.filePath("bad.grid");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contents.toUtf8());
    f.close();
    auto grid = smallGrid();
    QVERIFY_THROWS_EXCEPTION(TillbrookError, grid->LoadFromFile(path));
    QCOMPARE(grid->RowCount(), 4);
    QCOMPARE(grid->Cells(2, 1), QStringLiteral("Payee 1"));
}

void TestPubStrGrid::missingFileDoesNothing()
{
    auto grid = smallGrid();
    grid->LoadFromFile(m_dir.filePath("none.grid"));
    grid->SetFileName(m_dir.filePath("none.grid"));
    QCOMPARE(grid->RowCount(), 4);
    QCOMPARE(grid->Cells(2, 3), QStringLiteral("Payee 3"));
}

void TestPubStrGrid::autoSaveOnDestruction()
{
    const QString path = m_dir.filePath("auto.grid");
    {
        auto grid = smallGrid();
        grid->SetFileName(path);
        grid->SetCell(1, 1, "kept");
    }
    TPubStrGrid loaded;
    loaded.SetFileName(path);
    QCOMPARE(loaded.Cells(1, 1), QStringLiteral("kept"));
    QCOMPARE(loaded.Cells(0, 0), QStringLiteral("Number"));
    loaded.AutoSave = false;
}

// The user sizes a row by dragging its lower edge where a string grid's fixed column
// would be: the first column. Elsewhere a press selects as always.
void TestPubStrGrid::rowsAreSizedByTheirEdgeInTheFirstColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("offset"); // from the lower edge of grid row 2
    QTest::addColumn<int>("drag");
    QTest::addColumn<int>("sizedRow"); // -1: no row changes height
    QTest::newRow("edge of row 2, taller") << 0 << 0 << 15 << 2;
    QTest::newRow("just above the edge") << 0 << -2 << 15 << 2;
    QTest::newRow("just below the edge") << 0 << 2 << 15 << 2;
    QTest::newRow("edge of row 2, shorter") << 0 << 0 << -10 << 2;
    QTest::newRow("never below the smallest height") << 0 << 0 << -100 << 2;
    QTest::newRow("middle of row 3 selects") << 0 << 10 << 15 << -1;
    QTest::newRow("edge in another column selects") << 1 << 0 << 15 << -1;
}

void TestPubStrGrid::rowsAreSizedByTheirEdgeInTheFirstColumn()
{
    QFETCH(int, column);
    QFETCH(int, offset);
    QFETCH(int, drag);
    QFETCH(int, sizedRow);
    TPubStrGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(6);
    grid.setColumnWidth(0, 60);
    grid.resize(400, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const int height = grid.RowHeights(2);
    const QModelIndex row2 = grid.Model()->index(grid.Model()->modelRow(2), column);
    const QRect cell = grid.visualRect(row2);
    const QPoint press(cell.center().x(), cell.bottom() + 1 + offset);

    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, press);
    QTest::mouseMove(grid.viewport(), press + QPoint(0, drag));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, press + QPoint(0, drag));

    for (int row = 1; row < grid.RowCount(); ++row) {
        const int expected = row != sizedRow ? height : qMax(grid.verticalHeader()->minimumSectionSize(), height + drag);
        QCOMPARE(grid.RowHeights(row), expected);
    }
    if (sizedRow < 0)
        QVERIFY(grid.CurrentRow() >= 2); // the press selected a row instead
}

QTEST_MAIN(TestPubStrGrid)
#include "tst_pubstrgrid.moc"
