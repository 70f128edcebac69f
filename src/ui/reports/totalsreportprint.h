#pragma once

#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"
#include "core/reports/totalsreport.h"
#include "ui/reports/engine/reportengine.h"
#include "ui/reports/engine/reportsource.h"

#include <QList>

class QWidget;
struct Session;

// The printed payee or category totals: one line per item with "Pay -" and
// "Receive +", A4 landscape. A range without transactions prints one line saying so.
class TrptIncomeExpenseText : public ReportSource
{
public:
    TrptIncomeExpenseText(QList<TotalsLine> lines, ReportItemKind kind, const ReportDateRange &range);

    ReportEngine &engine() { return m_engine; }
    static ReportLayout Layout(ReportItemKind kind, const ReportDateRange &range);

    // A4BeforePrint and A4NeedData.
    void Rewind() override;
    bool NextLine(QStringList &cells) override;

private:
    QList<TotalsLine> m_lines;
    ReportDateRange m_range;
    ReportEngine m_engine;
    qsizetype m_next = 0;
};

// PayeeList1Click / CategoryList1Click: asks the dates, builds the lines and shows the
// preview. Nothing happens when the date dialog is closed.
void PreviewTotalsReport(Session &session, QWidget *parent, ReportItemKind kind);
