#include "ui/reports/incomeexpensechartprint.h"

#include "core/session/session.h"
#include "ui/app/delay.h"
#include "ui/reports/dateselect.h"
#include "ui/reports/landscapelayout.h"
#include "ui/reports/barlistview.h"

#include <QAction>
#include <QPainter>

Trptincomeexpense::Trptincomeexpense(ReportItemKind kind, const ReportDateRange &range,
                                     const QList<ChartPoint> &expense, const QList<ChartPoint> &income)
    : m_chart(IncomeExpenseBars(expense, income)), m_bars(m_chart, BarListPaperFont())
{
    ReportLayout layout = LandscapeReportLayout(IncomeExpensePageTitle(kind, range), QStringLiteral("All accounts"));
    layout.summaryLineCount = m_bars.lineCount();
    layout.drawSummaryLines = [this](QPainter *painter, const QRectF &band, double dotsPerMm, int from) {
        return PaintBarListBand(m_bars, painter, band, dotsPerMm, from);
    };
    m_engine = std::make_unique<ReportEngine>(layout, *this);
}

Trptincomeexpense::~Trptincomeexpense() = default;

void PreviewIncomeExpenseChart(Session &session, QWidget *parent, ReportItemKind kind,
                               const QList<QAction *> &itemsToDisable)
{
    const std::optional<ReportDateRange> range = AskReportDates(parent);
    if (!range)
        return;
    for (QAction *item : itemsToDisable)
        item->setEnabled(false);
    // Enabled again however the preview ends, an error included.
    struct Reenable
    {
        const QList<QAction *> &items;
        ~Reenable()
        {
            Delay(100);
            for (QAction *item : items)
                item->setEnabled(true);
        }
    } reenable{itemsToDisable};
    TMyDataModule &db = session.MyDataModule;
    Trptincomeexpense report(kind, *range, ExpenseSeries(db, kind, *range), IncomeSeries(db, kind, *range));
    report.engine().ShowPreview(parent);
}
