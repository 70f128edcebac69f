#include "ui/reports/incomeexpensechartprint.h"

#include "core/session/session.h"
#include "ui/app/delay.h"
#include "ui/reports/dateselect.h"
#include "ui/reports/landscapelayout.h"
#include "ui/reports/reportcharts.h"

#include <QAction>
#include <QChart>
#include <QPainter>

namespace {

constexpr double ChartWidthMm = 262;
constexpr double ChartHeightMm = 143;

} // namespace

Trptincomeexpense::Trptincomeexpense(ReportItemKind kind, const ReportDateRange &range,
                                     const QList<ChartPoint> &expense, const QList<ChartPoint> &income)
    : m_chart(std::make_unique<QChart>())
{
    FillIncomeExpenseChart(m_chart.get(), expense, income);
    ReportLayout layout = LandscapeReportLayout(IncomeExpensePageTitle(kind, range), QStringLiteral("All accounts"));
    layout.summaryHeightMm = ChartHeightMm;
    layout.drawSummary = [chart = m_chart.get()](QPainter &painter, const QRectF &band, double dotsPerMm) {
        RenderChart(chart, painter, QRectF(band.topLeft(), QSizeF(qMin(band.width(), ChartWidthMm * dotsPerMm),
                                                                  qMin(band.height(), ChartHeightMm * dotsPerMm))));
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
