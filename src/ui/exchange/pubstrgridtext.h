#pragma once

#include "core/exchange/gridtext.h"

class TPubStrGrid;

// A grid's cells as the writers read them.
class PubStrGridText : public GridText
{
public:
    explicit PubStrGridText(const TPubStrGrid &grid) : m_grid(grid) {}
    int RowCount() const override;
    int ColCount() const override;
    QString Cell(int col, int row) const override;

private:
    const TPubStrGrid &m_grid;
};
