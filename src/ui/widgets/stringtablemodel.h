#pragma once

#include <QAbstractTableModel>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <functional>

// Draw state of a cell, as the colour callback receives it.
enum GridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(TGridDrawState, GridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// What a colour callback may change for one cell: the brush of the background, the
// font and the colour of the text. It arrives set up as the grid would draw the cell.
struct TGridCellStyle
{
    QBrush Brush;
    QFont Font;
    QColor FontColor;
};

using TGridColorEvent = std::function<void(int ARow, int ACol, TGridDrawState AState, TGridCellStyle &AStyle)>;
using TGridAlignEvent = std::function<void(int ARow, int ACol, TAlignment &AAlignment)>;

// The strings of a TPubStrGrid: RowCount x ColCount texts addressed as grid cells
// (col, row). Each row is kept as one text with its cells separated by a unit
// separator (U+001F; a cell's own U+001F is stored as a blank) and trailing empty
// cells left out, so a list of a million rows holds a million strings rather than
// ten million, and an empty row costs no text at all. The first FixedRows grid rows (0 or 1) form the header and
// are offered as horizontal header data; model row r is grid row r + FixedRows.
// Between BeginUpdate and EndUpdate no per-cell or per-row signals are sent; the view
// is reset once at the end, which is how large grids are filled.
class StringTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit StringTableModel(QObject *parent = nullptr);

    int RowCount() const { return m_rows; }
    int ColCount() const { return m_cols; }
    void SetRowCount(int rows);
    void SetColCount(int cols);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int fixedRows);

    // A row's stored text built cell by cell, for filling many rows without a list
    // of texts for each. It keeps views: the cells' texts must outlive take().
    // Cells beyond the column count given are ignored.
    class RowText
    {
    public:
        explicit RowText(int cols) : m_cols(cols) {}
        RowText &operator<<(QStringView cell);
        // The joined text without trailing empty cells, in one allocation.
        QString take() const;

    private:
        QVarLengthArray<QStringView, 16> m_cells;
        int m_cols;
    };

    QString Cell(int col, int row) const;
    // The cell without a copy; valid until the row changes.
    QStringView CellView(int col, int row) const;
    // Every cell of a row without copies, cells[0..ColCount); for passes over all
    // cells, which would otherwise scan each row once per column.
    void RowViews(int row, QStringView *cells) const;
    // Writes only when the text differs; returns whether it did.
    bool SetCell(int col, int row, const QString &text);
    QStringList Row(int row) const;
    // Columns beyond the list are emptied, texts beyond ColCount ignored.
    void SetRow(int row, const QStringList &texts);
    // Rows from row on take the texts made by RowText::take, the row count growing
    // as needed.
    void SetJoinedRows(int row, QList<QString> &&joinedRows);
    void ClearCells();
    void InsertRows(int row, int count);
    void RemoveRows(int row, int count);
    // Grid row whose cell in col equals text, searching from fromRow; -1 when none.
    int FindRow(int col, const QString &text, int fromRow) const;
    // Keeps, in their order, the rows below the header whose cell in col passes keep,
    // moved up to follow the header; the others go. One reset. Returns the rows kept.
    int KeepRows(int col, const std::function<bool(QStringView cell)> &keep);
    void ReserveRows(int rows) { m_data.reserve(rows); }

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updateDepth > 0; }

    // Grid row and model row.
    int gridRow(int modelRow) const { return modelRow + m_fixedRows; }
    int modelRow(int gridRow) const { return gridRow - m_fixedRows; }

    TGridColorEvent OnGetCellColor;
    TGridAlignEvent OnGetAlignment;
    TAlignment Alignment = taLeftJustify;
    // The style and alignment of a cell after the callbacks; also what data() answers.
    TGridCellStyle CellStyle(int col, int row, TGridDrawState state, const TGridCellStyle &base) const;
    TAlignment CellAlignment(int col, int row) const;
    // Lets data() start from the view's own colours and know the selection.
    std::function<TGridCellStyle(int col, int row, TGridDrawState state)> BaseStyle;
    std::function<TGridDrawState(int col, int row)> StateOf;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void SetEditable(bool editable) { m_editable = editable; }

private:
    bool inRange(int col, int row) const { return col >= 0 && col < m_cols && row >= 0 && row < m_rows; }
    QStringView at(int col, int row) const;
    // The row's texts joined, cut to ColCount cells, without trailing empty cells.
    QString joined(const QStringList &texts) const;
    void cellChanged(int col, int row);
    void rowChanged(int row);
    QVariant roleData(int col, int row, int role) const;

    QList<QString> m_data; // one joined text per row
    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 1;
    int m_updateDepth = 0;
    bool m_editable = true;
};
