#pragma once

#include "ui/widgets/stringtablemodel.h"

#include <QStringList>
#include <QTableView>

class GridCellDelegate;

enum TCaption2Placement { cpTop, cpBottom };

// The program's text grid: a QTableView over its own StringTableModel, addressed like
// a string grid by Cells(col, row). Grid row 0 is the fixed header row (FixedRows 1,
// the default): its texts are shown in the horizontal header, and data rows start at
// 1. With FixedRows 0 every row is a data row and the header is hidden. There are no
// fixed columns; column 0 is an ordinary column.
//
// Cell colours and alignment come from OnGetCellColor and OnGetAlignment, asked each
// time a cell is drawn. Insert adds a row at the current one, Down on the last row
// appends one, Ctrl+Delete deletes the current row after a confirmation. With a
// FileName the whole grid is kept in a text file (backup copy kept as ".bak").
// Columns are sized in the header, rows by dragging a row's lower edge in the first
// column (where a string grid's fixed column would be).
class TPubStrGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TPubStrGrid(QWidget *parent = nullptr);
    ~TPubStrGrid() override;

    StringTableModel *Model() const { return m_model; }

    // Counts, in grid rows (header included) and columns.
    int RowCount() const { return m_model->RowCount(); }
    void SetRowCount(int rows) { m_model->SetRowCount(rows); }
    int ColCount() const { return m_model->ColCount(); }
    void SetColCount(int cols);
    int FixedRows() const { return m_model->FixedRows(); }
    void SetFixedRows(int fixedRows);

    // Cells; reading outside the grid gives an empty text, writing there does nothing.
    QString Cells(int col, int row) const { return m_model->Cell(col, row); }
    // Writes only when the present text differs (no repaint otherwise); returns whether it wrote.
    bool SetCell(int col, int row, const QString &text) { return m_model->SetCell(col, row, text); }
    QStringList Rows(int row) const { return m_model->Row(row); }
    // A whole row with one change signal; missing texts empty their cells.
    void SetRow(int row, const QStringList &texts) { m_model->SetRow(row, texts); }
    // Adds a row at the end holding texts; returns its grid row.
    int AppendRow(const QStringList &texts);
    // First grid row from fromRow on whose cell in col equals text; -1 when none.
    int FindRow(int col, const QString &text, int fromRow = 1) const { return m_model->FindRow(col, text, fromRow); }

    // Between these, changes send no signals and the view is reset once at the end:
    // use them around filling many rows.
    void BeginUpdate() { m_model->BeginUpdate(); }
    void EndUpdate() { m_model->EndUpdate(); }

    void ClearCells() { m_model->ClearCells(); }
    // Removes count rows from index on (rows above index are never touched).
    void DeleteRows(int index, int count);
    // An empty row at row, the rows from there moving down.
    void InsertRow(int row);
    // Removes the row; refused when the grid has 2 rows or fewer.
    void DeleteRow(int row);

    // Current grid row, -1 when none; setting it selects that row.
    int CurrentRow() const;
    void SetCurrentRow(int row);
    int CurrentCol() const;

    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int height);
    int DefaultColWidth() const;
    void SetDefaultColWidth(int width);
    int ColWidths(int col) const { return columnWidth(col); }
    void SetColWidths(int col, int width) { setColumnWidth(col, width); }
    // Height of a grid row; the header row's is the header's.
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);

    // Column headers (into row 0) and row headers (into column 0 from row 1 on).
    QStringList HCol() const { return m_hCol; }
    void SetHCol(const QStringList &headers);
    QStringList HRow() const { return m_hRow; }
    void SetHRow(const QStringList &headers);
    void ApplyHCol();
    void ApplyHRow();

    TAlignment Alignment() const { return m_model->Alignment; }
    void SetAlignment(TAlignment alignment);
    bool Grid3D() const { return m_grid3D; }
    void SetGrid3D(bool on);
    void SetOnGetCellColor(TGridColorEvent handler);
    void SetOnGetAlignment(TGridAlignEvent handler);
    void SetEditable(bool editable);

    // Persistence.
    bool AutoBackup = true;
    bool AutoSave = true;
    QChar CellDelimiter = u'|';
    QString Caption1;
    QString Caption2;
    TCaption2Placement Caption2Placement = cpTop;
    QString FileName() const { return m_fileName; }
    // Stores the name and, when it is not empty, loads the file.
    void SetFileName(const QString &name);
    // Throws TillbrookError when the file cannot be written; line breaks in cells are
    // saved as blanks, as the format holds one cell per line.
    void SaveToFile(const QString &name);
    // Nothing happens when the file does not exist. Throws TillbrookError for a file
    // that cannot be read or is not a grid file, leaving the grid as it was.
    void LoadFromFile(const QString &name);
    // The name of the backup copy kept for a grid file.
    static QString BackupFileName(const QString &name);

    // The style a cell starts from before OnGetCellColor changes it.
    TGridCellStyle BaseCellStyle(int col, int row, TGridDrawState state) const;
    TGridDrawState CellState(int col, int row) const;

signals:
    // The current grid row changed (by mouse, keyboard or program).
    void CurrentRowChanged(int row);
    // The viewport, where the columns are laid out, changed its size.
    void ViewportResized();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void repaintCells();
    // The view row whose lower edge lies under pos in the first column; -1 when none.
    int rowEdgeAt(const QPoint &pos) const;

    // Row sizing with the mouse: the view row being sized, where the drag started and
    // the row's height then.
    int m_sizingRow = -1;
    int m_sizingStartY = 0;
    int m_sizingStartHeight = 0;
    StringTableModel *m_model;
    GridCellDelegate *m_delegate;
    QList<int> m_savedWidths;
    QStringList m_hCol;
    QStringList m_hRow;
    QString m_fileName;
    bool m_grid3D = false;
};
