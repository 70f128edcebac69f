#include "ui/widgets/pubstrgrid.h"

#include "ui/feedback/dialogrunner.h"
#include "core/base/tillbrookerror.h"
#include "ui/widgets/gridcelldelegate.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSaveFile>
#include <QTextStream>

namespace {

constexpr int DefaultRowHeightAtStart = 21;
constexpr int DefaultColWidthAtStart = 64;

// The file holds one cell per line.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

[[noreturn]] void damaged(const QString &name, const QString &what)
{
    throw TillbrookError(QStringLiteral("The grid file %1 cannot be read: %2").arg(name, what));
}

int number(const QString &name, QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        damaged(name, QStringLiteral("\"%1\" is not a number.").arg(text));
    return value;
}

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

int TPubStrGrid::rowEdgeAt(const QPoint &pos) const
{
    constexpr int grip = 3; // pixels either side of the edge
    if (m_model->ColCount() == 0 || pos.x() < columnViewportPosition(0)
        || pos.x() >= columnViewportPosition(0) + columnWidth(0))
        return -1;
    // The edge just above pos belongs to the row above, the one below to this row.
    for (const int row : {rowAt(pos.y() - grip), rowAt(pos.y() + grip)}) {
        if (row < 0)
            continue;
        const int bottom = rowViewportPosition(row) + rowHeight(row);
        if (qAbs(pos.y() - bottom) <= grip)
            return row;
    }
    return -1;
}

bool TPubStrGrid::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const int row = mouse->button() == Qt::LeftButton ? rowEdgeAt(mouse->position().toPoint()) : -1;
        if (row >= 0) {
            m_sizingRow = row;
            m_sizingStartY = mouse->position().toPoint().y();
            m_sizingStartHeight = rowHeight(row);
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint pos = mouse->position().toPoint();
        if (m_sizingRow >= 0) {
            setRowHeight(m_sizingRow, qMax(verticalHeader()->minimumSectionSize(),
                                           m_sizingStartHeight + pos.y() - m_sizingStartY));
            return true;
        }
        if (rowEdgeAt(pos) >= 0)
            viewport()->setCursor(Qt::SplitVCursor);
        else
            viewport()->unsetCursor();
        break;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (m_sizingRow >= 0) {
            if (event->type() == QEvent::MouseButtonRelease)
                m_sizingRow = -1;
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick
            && rowEdgeAt(static_cast<QMouseEvent *>(event)->position().toPoint()) >= 0)
            return true;
        break;
    case QEvent::Leave:
        if (m_sizingRow < 0)
            viewport()->unsetCursor();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

void TPubStrGrid::keyPressEvent(QKeyEvent *event)
{
    const int row = CurrentRow();
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier && row >= 0 && row == RowCount() - 1) {
        SetRowCount(RowCount() + 1);
    } else if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier && row >= 0) {
        InsertRow(row);
    } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier && RowCount() > 2 && row >= 0) {
        QMessageBox box(QMessageBox::Question, windowTitle(), QStringLiteral("Are you sure you want to delete this row?"),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        if (ExecDialog(box) == QMessageBox::Ok)
            DeleteRow(row);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TPubStrGrid::SetFileName(const QString &name)
{
    m_fileName = name;
    if (!name.isEmpty())
        LoadFromFile(name);
}

QString TPubStrGrid::BackupFileName(const QString &name)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return name + QStringLiteral(".bak");
    return name.left(name.size() - suffix.size()) + QStringLiteral("bak");
}

void TPubStrGrid::SaveToFile(const QString &name)
{
    const QString backup = BackupFileName(name);
    if (AutoBackup && QFileInfo::exists(name) && QFileInfo(backup) != QFileInfo(name)) {
        QFile::remove(backup);
        if (!QFile::rename(name, backup))
            throw TillbrookError(QStringLiteral("Could not keep a backup copy of %1 as %2.").arg(name, backup));
    }

    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw TillbrookError(QStringLiteral("Could not write %1: %2").arg(name, file.errorString()));
    QTextStream out(&file);
    const QString d(CellDelimiter);
    const QLatin1String eol("\r\n");
    out << d << eol;
    out << RowCount() << d << ColCount() << eol;
    out << DefaultRowHeight() << eol;
    out << oneLine(Caption1) << eol;
    out << oneLine(Caption2) << eol;
    out << (Caption2Placement == cpTop ? "Top" : "Bottom") << eol;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (RowHeights(r) != DefaultRowHeight())
            out << "Row " << r << " Height: " << RowHeights(r) << eol;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) != DefaultColWidth())
            out << "Column " << c << " Width: " << ColWidths(c) << eol;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (const QString &text = m_model->Cell(c, r); !text.isEmpty())
                out << c << d << r << d << oneLine(text) << eol;
    out << eol;
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit())
        throw TillbrookError(QStringLiteral("Could not write %1: %2").arg(name, file.errorString()));
}

void TPubStrGrid::LoadFromFile(const QString &name)
{
    QFile file(name);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw TillbrookError(QStringLiteral("Could not read %1: %2").arg(name, file.errorString()));
    QTextStream in(&file);

    // Read everything first, so a damaged file leaves the grid as it was.
    struct Cell
    {
        int col, row;
        QString text;
    };
    const QString first = in.readLine();
    const QChar d = first.isEmpty() ? QChar(u'|') : first.front();
    const QString counts = in.readLine();
    const qsizetype split = counts.indexOf(d);
    if (split < 0)
        damaged(name, QStringLiteral("no row and column count."));
    const int rows = number(name, QStringView(counts).left(split));
    const int cols = number(name, QStringView(counts).mid(split + 1));
    if (rows < 0 || cols < 0 || qint64(rows) * cols > 100'000'000)
        damaged(name, QStringLiteral("impossible size %1 x %2.").arg(rows).arg(cols));
    const int defaultHeight = number(name, in.readLine());
    const QString caption1 = in.readLine();
    const QString caption2 = in.readLine();
    const TCaption2Placement placement = in.readLine() == QLatin1String("Top") ? cpTop : cpBottom;
    QList<std::pair<int, int>> heights;
    QList<std::pair<int, int>> widths;
    QList<Cell> cells;
    auto checkIndex = [&](int index, int limit, const char *what) {
        if (index < 0 || index >= limit)
            damaged(name, QStringLiteral("%1 %2 is outside the grid.").arg(QLatin1String(what)).arg(index));
        return index;
    };
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("Row"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Height: "));
            if (at < 0)
                damaged(name, line);
            heights.append({checkIndex(number(name, QStringView(line).mid(4, at - 4)), rows, "row"),
                            number(name, QStringView(line).mid(at + 9))});
        } else if (line.startsWith(QLatin1String("Column"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Width: "));
            if (at < 0)
                damaged(name, line);
            widths.append({checkIndex(number(name, QStringView(line).mid(7, at - 7)), cols, "column"),
                           number(name, QStringView(line).mid(at + 8))});
        } else if (const qsizetype d1 = line.indexOf(d); d1 >= 0) {
            const qsizetype d2 = line.indexOf(d, d1 + 1);
            if (d2 < 0)
                damaged(name, line);
            const int col = checkIndex(number(name, QStringView(line).left(d1)), cols, "column");
            const int row = checkIndex(number(name, QStringView(line).mid(d1 + 1, d2 - d1 - 1)), rows, "row");
            cells.append({col, row, line.mid(d2 + 1)});
        }
    }
    if (in.status() != QTextStream::Ok)
        throw TillbrookError(QStringLiteral("Could not read %1.").arg(name));

    CellDelimiter = d;
    Caption1 = caption1;
    Caption2 = caption2;
    Caption2Placement = placement;
    BeginUpdate();
    // A cell that is empty in the file must not keep what the grid held before.
    ClearCells();
    SetColCount(cols);
    SetRowCount(rows);
    for (const Cell &cell : std::as_const(cells))
        SetCell(cell.col, cell.row, cell.text);
    SetDefaultRowHeight(defaultHeight);
    EndUpdate(); // every row back at the default height
    for (int c = 0; c < cols; ++c)
        SetColWidths(c, DefaultColWidth());
    for (const auto &[row, height] : std::as_const(heights))
        SetRowHeights(row, height);
    for (const auto &[col, width] : std::as_const(widths))
        SetColWidths(col, width);
}
