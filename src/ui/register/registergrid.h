#pragma once

#include "core/base/money.h"
#include "core/store/ttransaction.h"

#include <QHash>
#include <QMetaObject>
#include <QList>
#include <QScopeGuard>
#include <QString>

#include <functional>
#include <optional>

#include "ui/register/columnwidthscan.h"
#include "ui/widgets/stringtablemodel.h"

class QModelIndex;
class TPubStrGrid;
struct ProgramOptions;
struct RegisterFilter;
struct Session;

// A grid with the register's ten columns: the register's own and the report
// centre's. Row 0 is the header. It keeps each listed transaction's stored amount,
// so the running balance is summed from the amounts themselves, never read back
// from the rounded cell texts.
class RegisterGrid
{
public:
    enum Column {
        ColNumber, ColDate, ColPayee, ColCategory, ColNote,
        ColStatus, ColTransfer, ColPay, ColReceive, ColBalance,
        ColumnCount
    };
    using SelectedId = std::function<int()>;

    // selectedId names the transaction whose row is drawn highlighted (none: -1).
    RegisterGrid(TPubStrGrid *grid, const ProgramOptions &options, SelectedId selectedId = {});
    ~RegisterGrid();
    RegisterGrid(const RegisterGrid &) = delete;
    RegisterGrid &operator=(const RegisterGrid &) = delete;

    TPubStrGrid *grid() const { return m_grid; }

    // Empties the grid and gives it the ten columns, the header row and one empty data
    // row that the first added transaction takes.
    void SetupRegisterColumns();
    // One row per transaction after the rows there, in one update of the view; no
    // fitting. With an opening balance the balance column is written in the same
    // pass, otherwise each row holds zero until FillRunningBalance.
    void FillRows(const QList<TTransaction> &transactions,
                  std::optional<Money> opening = std::nullopt);
    void AddRow(const TTransaction &transaction);
    // A row of a list streamed in batches: its cells as views, and the balance after it.
    struct BalancedRow
    {
        int TransactionID = 0;
        QDate TransactionDate;
        QStringView PayeeName;
        QStringView CategoryDescription;
        QStringView strNote;
        QStringView InternalDescription;
        QStringView Status;
        Money Amount;
        Money balance;
    };
    // The stored text of such a row, balance column included; its cells also go to
    // widths. It touches no grid, so it may run on another thread while the next
    // batch is read.
    static QString BalancedRowText(const BalancedRow &row, int digits, ColumnWidthScan &widths);
    // Appends rows made by BalancedRowText after the rows there (use inside the
    // model's BeginUpdate/EndUpdate). No amount is kept: FillRunningBalance does not
    // apply to these rows.
    void AppendRowTexts(QList<QString> &&texts);
    // Rewrites every row of the transaction; false when it has none.
    bool UpdateRows(const TTransaction &transaction);
    // Deletes the first row of the transaction; false when it has none.
    bool RemoveRow(int transactionId);

    // First data row of the transaction, -1 when none.
    int findRow(int transactionId) const;
    // Transaction of a data row, -1 for the header or a row without a number.
    int transactionIdAt(int row) const;
    int lastRow() const;
    // Data rows holding a transaction (the header and the pending empty row not counted).
    int transactionRowCount() const;
    QString cell(int col, int row) const;
    // The view's index of a grid row (row 0 is the header, not a model row).
    QModelIndex modelIndex(int row, int col) const;
    int gridRowOf(const QModelIndex &index) const;

    // Writes the balance after each row into the balance column, starting from
    // opening, and returns the closing balance. Rows without a transaction count nothing.
    Money FillRunningBalance(Money opening);
    // Fits each column to its widest text (header included) with the register's
    // limits, then spreads the grid's width: see FitToWidth.
    void AutoSizeRegisterColumns();
    // The same for rows that went through a scan of NewWidthScan() as they were made.
    void AutoSizeRegisterColumns(const ColumnWidthScan &rows);
    // Lays the columns of the last fitting out over the grid's present width: spare
    // width goes to Payee, Category and Note, and they give up width first when it is
    // short, so the amounts and the balance stay whole. Runs by itself whenever the
    // grid's width changes.
    void FitToWidth();
    // A scan of the ten columns in the grid's font that has seen the header row.
    ColumnWidthScan NewWidthScan() const;

    static QStringList headers();

    // Rows of what is still to come this month, after the transactions: texts without
    // a number or a balance, drawn grey and italic. They are no transactions: counts,
    // lastRow(), balances and finding leave them out, and rows added later go above
    // them (upcomingrows.cpp).
    void SetUpcomingRows(const QList<QStringList> &rows);
    bool isUpcomingRow(int row) const { return m_upcomingFirst > 0 && row >= m_upcomingFirst; }
    int upcomingRowCount() const { return int(m_upcoming.size()); }

private:
    // Takes the upcoming rows out of the grid until the guard goes, while the
    // transaction rows change.
    QScopeGuard<std::function<void()>> upcomingAside();
    void removeUpcomingRows();
    void appendUpcomingRows();
    StringTableModel &model() const;
    QStringList rowTexts(const TTransaction &transaction) const;
    void applyColumnWidths(QList<int> widths);
    void getCellColor(int row, int col, TGridDrawState state, TGridCellStyle &style) const;

    TPubStrGrid *m_grid;
    const ProgramOptions &m_options;
    SelectedId m_selectedId;
    QHash<int, Money> m_amounts;
    QList<int> m_naturalWidths;
    QMetaObject::Connection m_resized;
    bool m_firstRowPending = true;
    QList<QStringList> m_upcoming;
    int m_upcomingFirst = -1; // grid row of the first upcoming row while shown
};

// The report centre's load: every transaction that passes the filter, into grid.
// Shows the grid only when a row came back; computes no balance (the caller does,
// with FillRunningBalance). Returns the number of transactions.
int LoadFilteredRegisterGrid(Session &session, RegisterGrid &grid, const RegisterFilter &filter);
