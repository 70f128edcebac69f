#pragma once

#include "core/reports/chartseries.h"
#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"
#include "ui/reports/engine/reportengine.h"
#include "ui/reports/engine/reportsource.h"
#include "ui/reports/barlist.h"

#include <QList>
#include <memory>

class QAction;
class QWidget;
struct Session;

// The printed income and expense chart: A4 landscape, the bars of the expense and the
// income items under the titles, continued on further pages when there are many.
class Trptincomeexpense : public ReportSource
{
public:
    Trptincomeexpense(ReportItemKind kind, const ReportDateRange &range, const QList<ChartPoint> &expense,
                      const QList<ChartPoint> &income);
    ~Trptincomeexpense() override;

    ReportEngine &engine() { return *m_engine; }
    const BarListChart &chart() const { return m_chart; }

    // The chart has no detail lines.
    void Rewind() override {}
    bool NextLine(QStringList &) override { return false; }

private:
    BarListChart m_chart;
    BarListPainter m_bars;
    std::unique_ptr<ReportEngine> m_engine;
};

// PayeeIncomeandExpenseChart1Click / CategoriesIncomeVsExpenseChart1Click: asks the
// dates, then previews the chart. The given menu items are disabled until the preview
// has closed, so the chart cannot be started twice; nothing happens after Close.
void PreviewIncomeExpenseChart(Session &session, QWidget *parent, ReportItemKind kind,
                               const QList<QAction *> &itemsToDisable);
