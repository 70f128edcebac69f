#include "ui/reports/transactionreport.h"

#include "ui/reports/landscapelayout.h"
#include "ui/widgets/pubstrgrid.h"

TrptDefaultReport::TrptDefaultReport(const TPubStrGrid &grid, const QString &pageTitle,
                                     const QString &title)
    : m_grid(grid), m_engine(Layout(pageTitle, title), *this)
{
}

ReportLayout TrptDefaultReport::Layout(const QString &pageTitle, const QString &title)
{
    // Header caption, its left, the detail text's left and width (0: as wide as the
    // text), alignment; positions in mm from the printable area's left edge.
    return LandscapeListLayout(pageTitle, title, {
        {QStringLiteral("Number"), 6.4, 6.4, 21.4, Qt::AlignLeft},
        {QStringLiteral("Date"), 29.6, 29.6, 21.4, Qt::AlignLeft},
        {QStringLiteral("Payee"), 52.9, 52.9, 42.6, Qt::AlignLeft},
        {QStringLiteral("Category"), 97.4, 97.4, 46.8, Qt::AlignLeft},
        {QStringLiteral("Note"), 146.1, 146.1, 53.2, Qt::AlignLeft},
        {QStringLiteral("C"), 201.1, 201.1, 0, Qt::AlignLeft},
        {QStringLiteral("T"), 205.3, 205.3, 0, Qt::AlignLeft},
        {QStringLiteral("Pay -"), 220.7, 209.6, 18.5, Qt::AlignRight},
        {QStringLiteral("Receive +"), 235.0, 230.7, 18.5, Qt::AlignRight},
        {QStringLiteral("Balance"), 258.5, 249.8, 20.6, Qt::AlignRight},
    });
}

void TrptDefaultReport::Rewind()
{
    m_reportRow = 1;
}

bool TrptDefaultReport::NextLine(QStringList &cells)
{
    if (m_reportRow >= m_grid.RowCount())
        return false;
    cells.clear();
    for (int col = 0; col < 10; ++col)
        cells.append(m_grid.Cells(col, m_reportRow));
    ++m_reportRow;
    return true;
}
