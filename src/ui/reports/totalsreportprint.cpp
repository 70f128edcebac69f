#include "ui/reports/totalsreportprint.h"

#include "core/session/session.h"
#include "ui/reports/dateselect.h"
#include "ui/reports/landscapelayout.h"

TrptIncomeExpenseText::TrptIncomeExpenseText(QList<TotalsLine> lines, ReportItemKind kind,
                                             const ReportDateRange &range)
    : m_lines(std::move(lines))
    , m_range(range)
    , m_engine(Layout(kind, range), *this)
{
}

ReportLayout TrptIncomeExpenseText::Layout(ReportItemKind kind, const ReportDateRange &range)
{
    // Header caption, its left, the detail text's left and width, alignment (mm).
    return LandscapeListLayout(TotalsPageTitle(kind, range), TotalsTitle(kind),
                               {
                                   {QStringLiteral("Name"), 19.1, 19.1, 82.8, Qt::AlignLeft},
                                   {QStringLiteral("Pay -"), 121.2, 105.8, 22.8, Qt::AlignRight},
                                   {QStringLiteral("Receive +"), 141.8, 131.2, 24.9, Qt::AlignRight},
                               });
}

void TrptIncomeExpenseText::Rewind()
{
    m_next = 0;
}

bool TrptIncomeExpenseText::NextLine(QStringList &cells)
{
    if (m_lines.isEmpty()) {
        // Instead of an empty line under an item name that no transaction has.
        if (m_next > 0)
            return false;
        cells = {NoTotalsText(m_range), QString(), QString()};
        ++m_next;
        return true;
    }
    if (m_next >= m_lines.size())
        return false;
    const TotalsLine &line = m_lines[m_next++];
    cells = {line.name, line.pay, line.receive};
    return true;
}

void PreviewTotalsReport(Session &session, QWidget *parent, ReportItemKind kind)
{
    const std::optional<ReportDateRange> range = AskReportDates(parent);
    if (!range)
        return;
    TrptIncomeExpenseText report(BuildTotalsList(session.MyDataModule, kind, *range, session.options.DecimalDigits),
                                 kind, *range);
    report.engine().ShowPreview(parent);
}
