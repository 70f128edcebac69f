#include "ui/register/registergrid.h"

#include "core/base/texthelpers.h"
#include "core/store/ttransaction.h"
#include "core/session/programoptions.h"
#include "core/session/session.h"
#include "core/register/registerquery.h"
#include "core/register/runningbalance.h"
#include "ui/widgets/columnfit.h"
#include "ui/widgets/pubstrgrid.h"

#include <QApplication>
#include <QPalette>
#include <QScopeGuard>


namespace {

const QColor Cream(255, 251, 240);
const QColor PaleGreen(192, 220, 192);

constexpr int MinTextWidth = 10;
constexpr int CellPadding = 20;
constexpr int MaxNameWidth = 100;  // Payee, Category
constexpr int MaxNoteWidth = 200;
// What Payee, Category and Note keep when the grid is narrow.
constexpr int MinStretchWidth = 48;

} // namespace

RegisterGrid::RegisterGrid(TPubStrGrid *grid, const ProgramOptions &options, SelectedId selectedId)
    : m_grid(grid), m_options(options), m_selectedId(std::move(selectedId))
{
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setWordWrap(false);
    // Tab leaves the grid for the next control, as in the rest of the window.
    m_grid->setTabKeyNavigation(false);
    m_grid->SetEditable(false);
    m_grid->SetDefaultRowHeight(18);
    m_grid->SetGrid3D(true);
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->SetOnGetCellColor([this](int row, int col, TGridDrawState state, TGridCellStyle &style) {
        getCellColor(row, col, state, style);
    });
    m_grid->SetOnGetAlignment([](int, int col, TAlignment &alignment) {
        if (col == ColPay || col == ColReceive || col == ColBalance)
            alignment = taRightJustify;
        else if (col == ColStatus || col == ColTransfer)
            alignment = taCenter;
        else
            alignment = taLeftJustify;
    });
    m_resized = QObject::connect(m_grid, &TPubStrGrid::ViewportResized, m_grid, [this] { FitToWidth(); });
}

RegisterGrid::~RegisterGrid()
{
    QObject::disconnect(m_resized);
}

StringTableModel &RegisterGrid::model() const
{
    return *m_grid->Model();
}

QStringList RegisterGrid::headers()
{
    return {QStringLiteral("Number"), QStringLiteral("Date"), QStringLiteral("Payee"),
            QStringLiteral("Category"), QStringLiteral("Note"), QStringLiteral("C"),
            QStringLiteral("T"), QStringLiteral("Pay - "), QStringLiteral("Receive + "),
            QStringLiteral("Balance ")};
}

void RegisterGrid::SetupRegisterColumns()
{
    StringTableModel &m = model();
    m.BeginUpdate();
    m.SetRowCount(2);
    m.ClearCells();
    m.SetColCount(ColumnCount);
    m.SetFixedRows(1);
    m.SetRow(0, headers());
    m.EndUpdate();
    m_amounts.clear();
    m_firstRowPending = true;
    m_upcoming.clear();
    m_upcomingFirst = -1;
}

namespace {

// The formatted cells of a row before its balance.
struct RowCells
{
    RowCells(const RegisterGrid::BalancedRow &row, int digits)
        : row(row), number(QString::number(row.TransactionID)), date(DateToText(row.TransactionDate)),
          payment(row.Amount <= Money()), amount((payment ? -row.Amount : row.Amount).toGroupedText(digits))
    {
    }
    RowCells(const TTransaction &t, int digits)
        : RowCells({t.TransactionID, t.TransactionDate, t.PayeeName, t.CategoryDescription, t.strNote,
                    t.InternalDescription, t.Status, t.Amount, Money()},
                   digits)
    {
    }
    // Hands each cell to put in column order, as views into this and the row's texts.
    template <typename Put>
    void each(Put &&put) const
    {
        put(number);
        put(date);
        put(row.PayeeName);
        put(row.CategoryDescription);
        put(row.strNote);
        put(row.Status.left(1));
        put(row.InternalDescription.left(1));
        put(payment ? QStringView(amount) : QStringView());
        put(payment ? QStringView() : QStringView(amount));
    }

    const RegisterGrid::BalancedRow row;
    QString number;
    QString date;
    bool payment;
    QString amount;
};

} // namespace

QStringList RegisterGrid::rowTexts(const TTransaction &t) const
{
    QStringList texts;
    texts.reserve(ColumnCount);
    RowCells(t, m_options.DecimalDigits).each([&texts](QStringView cell) { texts << cell.toString(); });
    texts << Money().toPlainText(m_options.AmountFormat);
    return texts;
}

void RegisterGrid::FillRows(const QList<TTransaction> &transactions, std::optional<Money> opening)
{
    if (transactions.isEmpty())
        return;
    const auto aside = upcomingAside();
    StringTableModel &m = model();
    m.BeginUpdate();
    // A balance beyond the amount type throws: the view is still brought up to date.
    const auto endUpdate = qScopeGuard([&m] { m.EndUpdate(); });
    int row = m_firstRowPending ? lastRow() : m.RowCount();
    m.SetRowCount(row + int(transactions.size()));
    m_firstRowPending = false;
    QList<Money> balances;
    if (opening) {
        QList<Money> amounts;
        amounts.reserve(transactions.size());
        for (const TTransaction &t : transactions)
            amounts.append(t.Amount);
        balances = RunningBalances(*opening, amounts);
    }
    for (qsizetype i = 0; i < transactions.size(); ++i) {
        const TTransaction &t = transactions.at(i);
        QStringList texts = rowTexts(t);
        if (opening)
            texts[ColBalance] = balances.at(i).toGroupedText(m_options.DecimalDigits);
        m.SetRow(row++, texts);
        m_amounts.insert(t.TransactionID, t.Amount);
    }
}

void RegisterGrid::AddRow(const TTransaction &transaction)
{
    const auto aside = upcomingAside();
    StringTableModel &m = model();
    if (m_firstRowPending)
        m_firstRowPending = false;
    else
        m.SetRowCount(m.RowCount() + 1);
    const QStringList texts = rowTexts(transaction);
    for (int col = 0; col < ColumnCount; ++col)
        m.SetCell(col, lastRow(), texts.at(col));
    m_amounts.insert(transaction.TransactionID, transaction.Amount);
}

QString RegisterGrid::BalancedRowText(const BalancedRow &row, int digits, ColumnWidthScan &widths)
{
    const RowCells cells(row, digits);
    const QString balance = row.balance.toGroupedText(digits);
    QStringView texts[ColumnCount];
    int col = 0;
    cells.each([&](QStringView cell) { texts[col++] = cell; });
    texts[ColBalance] = balance;
    widths.add(texts);
    // Built in one piece: reports append a million of these.
    StringTableModel::RowText text(ColumnCount);
    for (const QStringView cell : texts)
        text << cell;
    return text.take();
}

void RegisterGrid::AppendRowTexts(QList<QString> &&texts)
{
    if (texts.isEmpty())
        return;
    const auto aside = upcomingAside();
    StringTableModel &m = model();
    // The pending empty row takes the first text.
    const int first = m_firstRowPending ? lastRow() : m.RowCount();
    m_firstRowPending = false;
    m.SetJoinedRows(first, std::move(texts));
}

bool RegisterGrid::UpdateRows(const TTransaction &transaction)
{
    StringTableModel &m = model();
    const QString number = QString::number(transaction.TransactionID);
    const QStringList texts = rowTexts(transaction);
    bool found = false;
    for (int row = m.FindRow(ColNumber, number, 1); row >= 0; row = m.FindRow(ColNumber, number, row + 1)) {
        // The balance is left for FillRunningBalance rather than reset to zero.
        for (int col = 0; col < ColBalance; ++col)
            m.SetCell(col, row, texts.at(col));
        found = true;
    }
    if (found)
        m_amounts.insert(transaction.TransactionID, transaction.Amount);
    return found;
}

bool RegisterGrid::RemoveRow(int transactionId)
{
    const int row = findRow(transactionId);
    if (row < 0)
        return false;
    const auto aside = upcomingAside();
    model().RemoveRows(row, 1);
    if (findRow(transactionId) < 0)
        m_amounts.remove(transactionId);
    return true;
}

int RegisterGrid::findRow(int transactionId) const
{
    if (transactionId < 0 || m_firstRowPending)
        return -1;
    return model().FindRow(ColNumber, QString::number(transactionId), 1);
}

int RegisterGrid::transactionIdAt(int row) const
{
    if (row < 1 || row >= model().RowCount())
        return -1;
    const QString text = model().Cell(ColNumber, row);
    bool ok = false;
    const int id = text.toInt(&ok);
    return ok && id >= 0 ? id : -1;
}

int RegisterGrid::lastRow() const
{
    return (m_upcomingFirst > 0 ? m_upcomingFirst : model().RowCount()) - 1;
}

int RegisterGrid::transactionRowCount() const
{
    return m_firstRowPending ? 0 : qMax(0, lastRow());
}

QString RegisterGrid::cell(int col, int row) const
{
    return model().Cell(col, row);
}

QModelIndex RegisterGrid::modelIndex(int row, int col) const
{
    return model().index(model().modelRow(row), col);
}

int RegisterGrid::gridRowOf(const QModelIndex &index) const
{
    return index.isValid() ? model().gridRow(index.row()) : -1;
}

Money RegisterGrid::FillRunningBalance(Money opening)
{
    StringTableModel &m = model();
    QList<Money> amounts;
    amounts.reserve(m.RowCount());
    for (int row = 1; row <= lastRow(); ++row)
        amounts.append(m_amounts.value(transactionIdAt(row)));
    const QList<Money> balances = RunningBalances(opening, amounts);
    const int digits = m_options.DecimalDigits;
    for (int row = 1; row <= lastRow(); ++row)
        m.SetCell(ColBalance, row, balances.at(row - 1).toGroupedText(digits));
    return balances.isEmpty() ? opening : balances.last();
}

ColumnWidthScan RegisterGrid::NewWidthScan() const
{
    ColumnWidthScan scan(m_grid->font(), ColumnCount);
    const StringTableModel &m = model();
    if (m.ColCount() == ColumnCount && m.FixedRows() > 0) {
        QStringView cells[ColumnCount];
        m.RowViews(0, cells);
        scan.add(cells);
    }
    return scan;
}

void RegisterGrid::AutoSizeRegisterColumns()
{
    const StringTableModel &m = model();
    if (m.ColCount() != ColumnCount)
        return;
    ColumnWidthScan scan = NewWidthScan();
    QStringView cells[ColumnCount];
    for (int row = m.FixedRows(); row < m.RowCount(); ++row) {
        m.RowViews(row, cells);
        scan.add(cells);
    }
    applyColumnWidths(scan.widths());
}

void RegisterGrid::AutoSizeRegisterColumns(const ColumnWidthScan &rows)
{
    if (model().ColCount() == ColumnCount)
        applyColumnWidths(rows.widths());
}

void RegisterGrid::applyColumnWidths(QList<int> widths)
{
    for (int &width : widths)
        width = qMax(width, MinTextWidth) + CellPadding;
    widths[ColPayee] = qMin(widths[ColPayee], MaxNameWidth);
    widths[ColCategory] = qMin(widths[ColCategory], MaxNameWidth);
    widths[ColNote] = qMin(widths[ColNote], MaxNoteWidth);
    widths[ColPay] = widths[ColReceive] = qMax(widths[ColPay], widths[ColReceive]);
    m_naturalWidths = widths;
    FitToWidth();
}

void RegisterGrid::FitToWidth()
{
    if (m_naturalWidths.size() != ColumnCount || model().ColCount() != ColumnCount)
        return;
    // Before its window is on screen the grid has no width of its own yet: the columns
    // keep what their texts need until the first resize lays them out.
    const QList<int> widths = m_grid->window()->isVisible()
        ? FitColumnWidths(m_naturalWidths, m_grid->viewport()->width(), {ColPayee, ColCategory, ColNote},
                          MinStretchWidth)
        : m_naturalWidths;
    for (int col = 0; col < ColumnCount; ++col) {
        if (m_grid->columnWidth(col) != widths[col])
            m_grid->setColumnWidth(col, widths[col]);
    }
}

void RegisterGrid::getCellColor(int row, int col, TGridDrawState state, TGridCellStyle &style) const
{
    Q_UNUSED(col);
    const int selected = m_selectedId ? m_selectedId() : -1;
    if (row > 0 && selected >= 0 && transactionIdAt(row) == selected) {
        style.Brush = QApplication::palette().color(QPalette::Highlight);
        style.FontColor = Qt::white;
        return;
    }
    if (state.testFlag(gdFixed))
        return;
    style.Brush = (row % 2) ? Cream : PaleGreen;
    style.FontColor = Qt::black;
    if (isUpcomingRow(row)) {
        style.FontColor = Qt::gray;
        style.Font.setItalic(true);
    }
}

int LoadFilteredRegisterGrid(Session &session, RegisterGrid &grid, const RegisterFilter &filter)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct RestoreCursor { ~RestoreCursor() { QApplication::restoreOverrideCursor(); } } restore;
    grid.SetupRegisterColumns();
    grid.grid()->hide();
    const QList<TTransaction> rows = LoadFilteredTransactions(session.MyDataModule, filter);
    grid.FillRows(rows);
    grid.AutoSizeRegisterColumns();
    grid.grid()->setVisible(!rows.isEmpty());
    return int(rows.size());
}
