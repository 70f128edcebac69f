#pragma once

#include "core/store/transactionrow.h"
#include "ui/register/registergrid.h"

#include <future>
#include <memory>

// Fills a register grid with a long list of transactions streamed one row at a time
// from a query, each with the balance after it. The caller's thread only copies each
// row's values into a batch; the rows' texts, and what they ask of the column widths,
// are made on a second thread a batch at a time while the caller reads the next batch.
// The grid itself is only touched on the caller's thread. Use inside the model's
// BeginUpdate/EndUpdate.
class BalancedRowFiller
{
public:
    BalancedRowFiller(RegisterGrid &grid, int digits);
    // Waits for a batch still being made (its rows are dropped after an error).
    ~BalancedRowFiller();
    BalancedRowFiller(const BalancedRowFiller &) = delete;
    BalancedRowFiller &operator=(const BalancedRowFiller &) = delete;

    void add(const TransactionRowCells &row, Money balance);
    // Appends every row added so far.
    void finish();
    // The header and every row appended, for RegisterGrid::AutoSizeRegisterColumns.
    const ColumnWidthScan &widths() const;

private:
    class Batch;
    class Formatter;

    void startBatch();
    void appendPending();

    RegisterGrid &m_grid;
    std::unique_ptr<Batch> m_batch;
    // Used by one batch's thread at a time: the next batch starts only after the
    // previous one's texts were taken.
    std::unique_ptr<Formatter> m_formatter;
    std::future<QList<QString>> m_pending;
};
