#pragma once

#include <QList>

// Spreads a grid's width over its columns. Each column starts at its natural width
// (what its texts need). Spare width is shared equally by the stretch columns; when
// the width is short, the stretch columns give it up, each down to minimum, so the
// other columns (amounts, balance) stay whole. Only when even that is not enough is
// the sum wider than available.
QList<int> FitColumnWidths(const QList<int> &natural, int available, const QList<int> &stretch,
                           int minimum);
