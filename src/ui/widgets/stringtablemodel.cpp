#include "ui/widgets/stringtablemodel.h"

#include <algorithm>

namespace {

constexpr QChar CellSeparator(0x1F);

// Cell col of a joined row text; empty when the row has fewer cells.
QStringView segment(const QString &rowText, int col)
{
    qsizetype start = 0;
    for (int c = 0; c < col; ++c) {
        const qsizetype separator = rowText.indexOf(CellSeparator, start);
        if (separator < 0)
            return {};
        start = separator + 1;
    }
    qsizetype end = rowText.indexOf(CellSeparator, start);
    if (end < 0)
        end = rowText.size();
    return QStringView(rowText).mid(start, end - start);
}

QStringList split(const QString &rowText, int cols)
{
    QStringList texts;
    texts.reserve(cols);
    if (!rowText.isEmpty()) {
        for (const QStringView cell : QStringView(rowText).split(CellSeparator))
            texts.append(cell.toString());
    }
    while (texts.size() < cols)
        texts.append(QString());
    while (texts.size() > cols)
        texts.removeLast();
    return texts;
}

// The texts joined, cut to cols cells, without trailing empty cells.
QString joinCells(const QStringList &texts, int cols)
{
    StringTableModel::RowText row(cols);
    for (const QString &text : texts)
        row << text;
    return row.take();
}

} // namespace

StringTableModel::StringTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

StringTableModel::RowText &StringTableModel::RowText::operator<<(QStringView cell)
{
    if (m_cells.size() < m_cols)
        m_cells.append(cell);
    return *this;
}

QString StringTableModel::RowText::take() const
{
    qsizetype used = m_cells.size();
    while (used > 0 && m_cells[used - 1].isEmpty())
        --used;
    if (used == 0)
        return QString();
    qsizetype length = used - 1;
    for (qsizetype c = 0; c < used; ++c)
        length += m_cells[c].size();
    QString text(length, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype c = 0; c < used; ++c) {
        if (c > 0)
            *out++ = CellSeparator;
        // A cell's own separator is stored as a blank.
        out = std::replace_copy(m_cells[c].begin(), m_cells[c].end(), out, CellSeparator, QChar(u' '));
    }
    return text;
}

QStringView StringTableModel::at(int col, int row) const
{
    return segment(m_data.at(row), col);
}

QString StringTableModel::joined(const QStringList &texts) const
{
    return joinCells(texts, m_cols);
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
    m_data.resize(rows);
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
    if (cols < m_cols) {
        // Cells beyond the new count go, so they cannot come back if it grows again.
        for (QString &rowText : m_data) {
            if (!rowText.isEmpty())
                rowText = joinCells(split(rowText, m_cols), cols);
        }
    }
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
    return inRange(col, row) ? at(col, row).toString() : QString();
}

QStringView StringTableModel::CellView(int col, int row) const
{
    return inRange(col, row) ? at(col, row) : QStringView();
}

void StringTableModel::RowViews(int row, QStringView *cells) const
{
    int col = 0;
    if (row >= 0 && row < m_rows) {
        const QStringView text(m_data.at(row));
        qsizetype start = 0;
        while (col < m_cols && !text.isEmpty()) {
            const qsizetype separator = text.indexOf(CellSeparator, start);
            cells[col++] = text.mid(start, (separator < 0 ? text.size() : separator) - start);
            if (separator < 0)
                break;
            start = separator + 1;
        }
    }
    for (; col < m_cols; ++col)
        cells[col] = QStringView();
}

bool StringTableModel::SetCell(int col, int row, const QString &text)
{
    if (!inRange(col, row))
        return false;
    QString stored = text;
    stored.replace(CellSeparator, u' ');
    if (at(col, row) == stored)
        return false;
    QStringList texts = split(m_data.at(row), m_cols);
    texts[col] = stored;
    m_data[row] = joined(texts);
    cellChanged(col, row);
    return true;
}

QStringList StringTableModel::Row(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    return split(m_data.at(row), m_cols);
}

void StringTableModel::SetRow(int row, const QStringList &texts)
{
    if (row < 0 || row >= m_rows)
        return;
    QString text = joined(texts);
    if (text == m_data.at(row))
        return;
    m_data[row] = std::move(text);
    rowChanged(row);
}

void StringTableModel::SetJoinedRows(int row, QList<QString> &&joinedRows)
{
    if (row < 0 || joinedRows.isEmpty())
        return;
    const int end = row + int(joinedRows.size());
    BeginUpdate();
    if (end > m_rows)
        SetRowCount(end);
    std::move(joinedRows.begin(), joinedRows.end(), m_data.begin() + row);
    EndUpdate();
}

void StringTableModel::ClearCells()
{
    BeginUpdate();
    for (QString &rowText : m_data)
        rowText.clear();
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
    m_data.insert(row, count, QString());
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
    m_data.remove(row, count);
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

int StringTableModel::KeepRows(int col, const std::function<bool(QStringView)> &keep)
{
    if (m_rows <= m_fixedRows)
        return 0;
    BeginUpdate();
    int next = m_fixedRows;
    for (int r = m_fixedRows; r < m_rows; ++r) {
        if (col >= 0 && col < m_cols && keep(at(col, r))) {
            if (r != next)
                m_data[next] = std::move(m_data[r]);
            ++next;
        }
    }
    m_data.resize(qMax(next, 0));
    m_rows = int(m_data.size());
    EndUpdate();
    return next - m_fixedRows;
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
        return at(col, row).toString();
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
