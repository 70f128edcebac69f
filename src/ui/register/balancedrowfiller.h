#pragma once

#include "ui/register/registergrid.h"

#include <future>

// Fills a register grid with a long list of transactions streamed one at a time,
// each with the balance after it. The rows' texts are made on a second thread, a
// batch at a time, while the caller reads the next batch; the grid itself is only
// touched on the caller's thread. Use inside the model's BeginUpdate/EndUpdate.
class BalancedRowFiller
{
public:
    BalancedRowFiller(RegisterGrid &grid, int digits);
    // Waits for a batch still being made (its rows are dropped after an error).
    ~BalancedRowFiller();
    BalancedRowFiller(const BalancedRowFiller &) = delete;
    BalancedRowFiller &operator=(const BalancedRowFiller &) = delete;

    void add(TTransaction &&transaction, Money balance);
    // Appends every row added so far.
    void finish();

private:
    void startBatch();
    void appendPending();

    RegisterGrid &m_grid;
    int m_digits;
    QList<RegisterGrid::BalancedTransaction> m_batch;
    std::future<QList<QString>> m_pending;
};
