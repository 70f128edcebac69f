#pragma once

#include <QString>

// The texts of a grid as the writers read them: RowCount rows (row 0 the header)
// of ColCount cells each, exactly as shown.
class GridText
{
public:
    virtual ~GridText() = default;
    virtual int RowCount() const = 0;
    virtual int ColCount() const = 0;
    virtual QString Cell(int col, int row) const = 0;
};
