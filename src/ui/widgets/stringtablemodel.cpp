#include "ui/widgets/stringtablemodel.h"

StringTableModel::StringTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void StringTableModel::BeginUpdate()
{
    if (m_updateDepth++ == 0)
        beginResetModel();
}

void StringTableModel::EndUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0)
        endResetModel();
}

void StringTableModel::SetRowCount(int rows)
{
    rows = qMax(rows, 0);
    if (rows == m_rows)
        return;
    const int oldModelRows = qMax(0, m_rows - m_fixedRows);
    const int newModelRows = qMax(0, rows - m_fixedRows);
    // The header row itself coming or going is rare enough for a reset.
    const bool headerChanges = qMin(m_rows, rows) < m_fixedRows;
    const bool signal = !Updating() && !headerChanges;
    if (headerChanges)
        BeginUpdate();
    if (signal && newModelRows > oldModelRows)
        beginInsertRows({}, oldModelRows, newModelRows - 1);
    else if (signal && newModelRows < oldModelRows)
        beginRemoveRows({}, newModelRows, oldModelRows - 1);
    m_cells.resize(qsizetype(rows) * m_cols);
    m_rows = rows;
    if (signal && newModelRows > oldModelRows)
        endInsertRows();
    else if (signal && newModelRows < oldModelRows)
        endRemoveRows();
    if (headerChanges)
        EndUpdate();
}

void StringTableModel::SetColCount(int cols)
{
    cols = qMax(cols, 0);
    if (cols == m_cols)
        return;
    BeginUpdate();
    QList<QString> cells(qsizetype(m_rows) * cols);
    const int keep = qMin(cols, m_cols);
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < keep; ++c)
            cells[qsizetype(r) * cols + c] = std::move(at(c, r));
    m_cells = std::move(cells);
    m_cols = cols;
    EndUpdate();
}

void StringTableModel::SetFixedRows(int fixedRows)
{
    fixedRows = qBound(0, fixedRows, 1);
    if (fixedRows == m_fixedRows)
        return;
    BeginUpdate();
    m_fixedRows = fixedRows;
    EndUpdate();
}

QString StringTableModel::Cell(int col, int row) const
{
    return inRange(col, row) ? at(col, row) : QString();
}

bool StringTableModel::SetCell(int col, int row, const QString &text)
{
    if (!inRange(col, row) || at(col, row) == text)
        return false;
    at(col, row) = text;
    cellChanged(col, row);
    return true;
}

QStringList StringTableModel::Row(int row) const
{
    QStringList texts;
    if (row < 0 || row >= m_rows)
        return texts;
    texts.reserve(m_cols);
    for (int c = 0; c < m_cols; ++c)
        texts << at(c, row);
    return texts;
}

void StringTableModel::SetRow(int row, const QStringList &texts)
{
    if (row < 0 || row >= m_rows)
        return;
    bool changed = false;
    for (int c = 0; c < m_cols; ++c) {
        const QString &text = c < texts.size() ? texts[c] : QString();
        if (at(c, row) != text) {
            at(c, row) = text;
            changed = true;
        }
    }
    if (changed)
        rowChanged(row);
}

void StringTableModel::ClearCells()
{
    BeginUpdate();
    for (QString &cell : m_cells)
        cell.clear();
    EndUpdate();
}

void StringTableModel::InsertRows(int row, int count)
{
    row = qBound(0, row, m_rows);
    if (count <= 0)
        return;
    const bool signal = !Updating() && row >= m_fixedRows;
    if (!signal)
        BeginUpdate();
    else
        beginInsertRows({}, modelRow(row), modelRow(row) + count - 1);
    m_cells.insert(qsizetype(row) * m_cols, qsizetype(count) * m_cols, QString());
    m_rows += count;
    if (!signal)
        EndUpdate();
    else
        endInsertRows();
}

void StringTableModel::RemoveRows(int row, int count)
{
    if (row < 0 || row >= m_rows || count <= 0)
        return;
    count = qMin(count, m_rows - row);
    const bool signal = !Updating() && row >= m_fixedRows;
    if (!signal)
        BeginUpdate();
    else
        beginRemoveRows({}, modelRow(row), modelRow(row) + count - 1);
    m_cells.remove(qsizetype(row) * m_cols, qsizetype(count) * m_cols);
    m_rows -= count;
    if (!signal)
        EndUpdate();
    else
        endRemoveRows();
}

int StringTableModel::FindRow(int col, const QString &text, int fromRow) const
{
    if (col < 0 || col >= m_cols)
        return -1;
    for (int r = qMax(fromRow, 0); r < m_rows; ++r)
        if (at(col, r) == text)
            return r;
    return -1;
}

void StringTableModel::cellChanged(int col, int row)
{
    if (Updating())
        return;
    if (row < m_fixedRows) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const QModelIndex i = index(modelRow(row), col);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

void StringTableModel::rowChanged(int row)
{
    if (Updating() || m_cols == 0)
        return;
    if (row < m_fixedRows) {
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
        return;
    }
    emit dataChanged(index(modelRow(row), 0), index(modelRow(row), m_cols - 1), {Qt::DisplayRole, Qt::EditRole});
}

TGridCellStyle StringTableModel::CellStyle(int col, int row, TGridDrawState state, const TGridCellStyle &base) const
{
    TGridCellStyle style = base;
    if (OnGetCellColor)
        OnGetCellColor(row, col, state, style);
    return style;
}

TAlignment StringTableModel::CellAlignment(int col, int row) const
{
    TAlignment alignment = Alignment;
    if (OnGetAlignment)
        OnGetAlignment(row, col, alignment);
    return alignment;
}

static Qt::Alignment toQt(TAlignment alignment)
{
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant StringTableModel::roleData(int col, int row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return at(col, row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toQt(CellAlignment(col, row)));
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole: {
        if (!OnGetCellColor)
            return {};
        TGridDrawState state = StateOf ? StateOf(col, row) : TGridDrawState();
        if (row < m_fixedRows)
            state |= gdFixed;
        const TGridCellStyle base = BaseStyle ? BaseStyle(col, row, state) : TGridCellStyle();
        const TGridCellStyle style = CellStyle(col, row, state, base);
        if (role == Qt::BackgroundRole)
            return style.Brush.style() == Qt::NoBrush ? QVariant() : QVariant(style.Brush);
        if (role == Qt::ForegroundRole)
            return style.FontColor.isValid() ? QVariant(style.FontColor) : QVariant();
        return style.Font;
    }
    default:
        return {};
    }
}

int StringTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : qMax(0, m_rows - m_fixedRows);
}

int StringTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant StringTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !inRange(index.column(), gridRow(index.row())))
        return {};
    return roleData(index.column(), gridRow(index.row()), role);
}

bool StringTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    SetCell(index.column(), gridRow(index.row()), value.toString());
    return true;
}

QVariant StringTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && m_fixedRows > 0 && section >= 0 && section < m_cols && m_rows > 0) {
        if (role == Qt::DisplayRole || role == Qt::TextAlignmentRole || role == Qt::ToolTipRole)
            return roleData(section, 0, role);
        return {};
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return gridRow(section);
    return {};
}

Qt::ItemFlags StringTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}
