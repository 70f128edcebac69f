#include "ui/register/balancedrowfiller.h"

namespace {

// Large enough that handing a batch over costs nothing next to making it, small
// enough that the rows stay in cache and the first ones reach the grid early.
constexpr qsizetype BatchSize = 4096;

} // namespace

BalancedRowFiller::BalancedRowFiller(RegisterGrid &grid, int digits) : m_grid(grid), m_digits(digits)
{
    m_batch.reserve(BatchSize);
}

BalancedRowFiller::~BalancedRowFiller()
{
    if (m_pending.valid())
        m_pending.wait();
}

void BalancedRowFiller::add(TTransaction &&transaction, Money balance)
{
    m_batch.append({std::move(transaction), balance});
    if (m_batch.size() >= BatchSize)
        startBatch();
}

void BalancedRowFiller::finish()
{
    startBatch();
    appendPending();
}

void BalancedRowFiller::startBatch()
{
    if (m_batch.isEmpty())
        return;
    appendPending();
    m_pending = std::async(std::launch::async, [rows = std::move(m_batch), digits = m_digits] {
        return RegisterGrid::BalancedRowTexts(rows, digits);
    });
    m_batch = {};
    m_batch.reserve(BatchSize);
}

void BalancedRowFiller::appendPending()
{
    if (m_pending.valid())
        m_grid.AppendRowTexts(m_pending.get());
}
