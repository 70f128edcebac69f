#include "ui/widgets/pubstrgrid.h"

#include "core/base/tillbrookerror.h"
#include "ui/widgets/gridcelldelegate.h"

#include <QHeaderView>

// The grid's cells, rows, headers and looks. Mouse and keys are in pubstrgridinput.cpp,
// the grid file in pubstrgridfile.cpp.

namespace {

constexpr int DefaultRowHeightAtStart = 21;
constexpr int DefaultColWidthAtStart = 64;

} // namespace

TPubStrGrid::TPubStrGrid(QWidget *parent)
    : QTableView(parent), m_model(new StringTableModel(this)), m_delegate(new GridCellDelegate(this))
{
    m_model->BaseStyle = [this](int col, int row, TGridDrawState state) { return BaseCellStyle(col, row, state); };
    m_model->StateOf = [this](int col, int row) { return CellState(col, row); };
    setModel(m_model);
    setItemDelegate(m_delegate);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                emit CurrentRowChanged(current.isValid() ? m_model->gridRow(current.row()) : -1);
            });

    // A reset (BeginUpdate/EndUpdate) rebuilds the header sections; the columns keep
    // their widths through it, rows go back to the default height.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_savedWidths.clear();
        for (int c = 0; c < horizontalHeader()->count(); ++c)
            m_savedWidths.append(columnWidth(c));
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < qMin(int(m_savedWidths.size()), ColCount()); ++c)
            setColumnWidth(c, m_savedWidths[c]);
    });

    horizontalHeader()->setMinimumSectionSize(4);
    verticalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultSectionSize(DefaultColWidthAtStart);
    verticalHeader()->setDefaultSectionSize(DefaultRowHeightAtStart);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    // Rows are sized by their edges in the first column; the cursor shows where.
    viewport()->setMouseTracking(true);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);

    // A standard grid starts with 5 x 5 cells.
    m_model->SetColCount(5);
    m_model->SetRowCount(5);
    setColumnWidth(0, 21);
}

TPubStrGrid::~TPubStrGrid()
{
    if (AutoSave && !m_fileName.isEmpty()) {
        try {
            SaveToFile(m_fileName);
        } catch (const TillbrookError &e) {
            // A destructor cannot pass the error on; the file keeps its earlier contents.
            qWarning("%s", qPrintable(e.message()));
        }
    }
}

void TPubStrGrid::SetColCount(int cols)
{
    const int old = ColCount();
    m_model->SetColCount(cols);
    // Columns added later start at the default width, as in a fresh grid.
    for (int c = old; c < cols; ++c)
        setColumnWidth(c, c == 0 ? 21 : DefaultColWidth());
}

void TPubStrGrid::SetFixedRows(int fixedRows)
{
    m_model->SetFixedRows(fixedRows);
    horizontalHeader()->setVisible(m_model->FixedRows() > 0);
}

int TPubStrGrid::AppendRow(const QStringList &texts)
{
    const int row = RowCount();
    m_model->SetRowCount(row + 1);
    m_model->SetRow(row, texts);
    return row;
}

void TPubStrGrid::DeleteRows(int index, int count)
{
    m_model->RemoveRows(index, count);
}

void TPubStrGrid::InsertRow(int row)
{
    if (state() == EditingState) {
        if (QWidget *editor = indexWidget(currentIndex())) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    const int current = CurrentRow();
    m_model->InsertRows(qBound(FixedRows(), row, RowCount()), 1);
    // The current row stays where it was on screen, as in a string grid: on the new row.
    if (current >= 0)
        SetCurrentRow(current);
}

void TPubStrGrid::DeleteRow(int row)
{
    if (RowCount() <= 2 || row < FixedRows() || row >= RowCount())
        return;
    if (state() == EditingState) {
        if (QWidget *editor = indexWidget(currentIndex()))
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }
    const int current = CurrentRow();
    m_model->RemoveRows(row, 1);
    if (current >= 0)
        SetCurrentRow(qMin(current, RowCount() - 1));
}

int TPubStrGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->gridRow(current.row()) : -1;
}

int TPubStrGrid::CurrentCol() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : -1;
}

void TPubStrGrid::SetCurrentRow(int row)
{
    const QModelIndex target = m_model->index(m_model->modelRow(row), qMax(CurrentCol(), 0));
    if (!target.isValid())
        return;
    setCurrentIndex(target);
    scrollTo(target);
}

int TPubStrGrid::DefaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void TPubStrGrid::SetDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
}

int TPubStrGrid::DefaultColWidth() const
{
    return horizontalHeader()->defaultSectionSize();
}

void TPubStrGrid::SetDefaultColWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
}

int TPubStrGrid::RowHeights(int row) const
{
    if (row < FixedRows())
        return horizontalHeader()->height();
    return rowHeight(m_model->modelRow(row));
}

void TPubStrGrid::SetRowHeights(int row, int height)
{
    if (row >= FixedRows())
        setRowHeight(m_model->modelRow(row), height);
}

void TPubStrGrid::SetHCol(const QStringList &headers)
{
    m_hCol = headers;
    ApplyHCol();
    viewport()->update();
}

void TPubStrGrid::SetHRow(const QStringList &headers)
{
    m_hRow = headers;
    ApplyHRow();
    viewport()->update();
}

void TPubStrGrid::ApplyHCol()
{
    for (int c = 0; c < ColCount(); ++c)
        SetCell(c, 0, m_hCol.value(c));
}

void TPubStrGrid::ApplyHRow()
{
    for (int r = 1; r < RowCount(); ++r)
        SetCell(0, r, m_hRow.value(r - 1));
}

void TPubStrGrid::SetAlignment(TAlignment alignment)
{
    if (alignment == m_model->Alignment)
        return;
    m_model->Alignment = alignment;
    repaintCells();
}

void TPubStrGrid::SetGrid3D(bool on)
{
    if (on == m_grid3D)
        return;
    m_grid3D = on;
    repaintCells();
}

void TPubStrGrid::SetOnGetCellColor(TGridColorEvent handler)
{
    m_model->OnGetCellColor = std::move(handler);
    repaintCells();
}

void TPubStrGrid::SetOnGetAlignment(TGridAlignEvent handler)
{
    m_model->OnGetAlignment = std::move(handler);
    repaintCells();
}

void TPubStrGrid::SetEditable(bool editable)
{
    m_model->SetEditable(editable);
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

void TPubStrGrid::repaintCells()
{
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

TGridDrawState TPubStrGrid::CellState(int col, int row) const
{
    TGridDrawState state;
    if (row < FixedRows())
        return state | gdFixed;
    const QModelIndex index = m_model->index(m_model->modelRow(row), col);
    if (selectionModel() && selectionModel()->isSelected(index))
        state |= gdSelected;
    if (index == currentIndex() && hasFocus())
        state |= gdFocused;
    return state;
}

TGridCellStyle TPubStrGrid::BaseCellStyle(int, int, TGridDrawState state) const
{
    const QPalette &p = palette();
    TGridCellStyle style;
    style.Font = font();
    if (state & gdFixed) {
        style.Brush = p.brush(QPalette::Button);
        style.FontColor = p.color(QPalette::ButtonText);
    } else if (state & gdSelected) {
        style.Brush = p.brush(QPalette::Highlight);
        style.FontColor = p.color(QPalette::HighlightedText);
    } else {
        style.Brush = p.brush(QPalette::Base);
        style.FontColor = p.color(QPalette::Text);
    }
    return style;
}
