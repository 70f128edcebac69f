#pragma once

#include "core/reports/chartseries.h"
#include "core/reports/reportdaterange.h"
#include "core/reports/reportitemkind.h"
#include "ui/reports/engine/reportengine.h"
#include "ui/reports/engine/reportsource.h"

#include <QList>
#include <memory>

class QAction;
class QChart;
class QWidget;
struct Session;

// The printed income and expense chart: one A4 landscape page with the bar chart of
// the expense and income series under the titles.
class Trptincomeexpense : public ReportSource
{
public:
    Trptincomeexpense(ReportItemKind kind, const ReportDateRange &range, const QList<ChartPoint> &expense,
                      const QList<ChartPoint> &income);
    ~Trptincomeexpense() override;

    ReportEngine &engine() { return *m_engine; }
    QChart *chart() const { return m_chart.get(); }

    // The chart has no detail lines.
    void Rewind() override {}
    bool NextLine(QStringList &) override { return false; }

private:
    std::unique_ptr<QChart> m_chart;
    std::unique_ptr<ReportEngine> m_engine;
};

// PayeeIncomeandExpenseChart1Click / CategoriesIncomeVsExpenseChart1Click: asks the
// dates, then previews the chart. The given menu items are disabled until the preview
// has closed, so the chart cannot be started twice; nothing happens after Close.
void PreviewIncomeExpenseChart(Session &session, QWidget *parent, ReportItemKind kind,
                               const QList<QAction *> &itemsToDisable);
