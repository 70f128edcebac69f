#include "ui/reports/reportcharts.h"

#include "core/base/tillbrookerror.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QValueAxis>

#include <memory>

namespace {

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

} // namespace

void FillBudgetChart(QChart *chart, const QList<BudgetPoint> &points)
{
    clearChart(chart);
    chart->setBackgroundVisible(false);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(QStringLiteral("Income vs Expenses"));
    chart->legend()->setVisible(true);
    auto line = [](const QString &title, const QColor &color) {
        auto *series = new QLineSeries;
        series->setName(title);
        QPen pen(color);
        pen.setWidth(3);
        series->setPen(pen);
        series->setPointsVisible(true);
        series->setPointLabelsVisible(true);
        series->setPointLabelsFormat(QStringLiteral("@yPoint"));
        series->setPointLabelsClipping(false);
        return series;
    };
    QLineSeries *actual = line(QStringLiteral("Actual"), QColor(255, 0, 0));
    QLineSeries *budget = line(QStringLiteral("Budget"), QColor(0, 255, 0));
    QStringList categories;
    for (int i = 0; i < points.size(); ++i) {
        actual->append(i, points[i].actual.toDouble());
        budget->append(i, points[i].budget.toDouble());
        categories << points[i].label;
    }
    chart->addSeries(actual);
    chart->addSeries(budget);
    auto *x = new QBarCategoryAxis(chart);
    x->append(categories);
    auto *y = new QValueAxis(chart);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries *series : {actual, budget}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    // Room for the marks above the highest and below the lowest point.
    double low = 0;
    double high = 0;
    for (const BudgetPoint &p : points) {
        low = qMin(low, qMin(p.actual.toDouble(), p.budget.toDouble()));
        high = qMax(high, qMax(p.actual.toDouble(), p.budget.toDouble()));
    }
    const double margin = qMax(1.0, (high - low) * 0.1);
    y->setRange(low - (low < 0 ? margin : 0), high + margin);
}

void RenderChart(QChart *chart, QPainter &painter, const QRectF &target)
{
    // A chart draws through its scene; a chart without a view gets one for the drawing.
    QGraphicsScene *scene = chart->scene();
    std::unique_ptr<QGraphicsScene> ownScene;
    if (!scene) {
        ownScene = std::make_unique<QGraphicsScene>();
        ownScene->addItem(chart);
        scene = ownScene.get();
    }
    const QRectF oldGeometry = chart->geometry();
    // Laid out at the page's size in points, so fonts keep their size on paper.
    const qreal scale = painter.device()->logicalDpiX() / 72.0;
    const QSizeF size(target.width() / scale, target.height() / scale);
    chart->resize(size);
    // Lay the chart out now: the layout would otherwise wait for the event loop.
    if (QGraphicsLayout *layout = chart->layout())
        layout->activate();
    scene->setSceneRect(QRectF(chart->pos(), size));
    scene->render(&painter, target, QRectF(chart->pos(), size));
    if (ownScene)
        ownScene->removeItem(chart);
    else
        chart->resize(oldGeometry.size());
}

void PrintChart(QChart *chart, QPrinter &printer)
{
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        throw TillbrookError(QStringLiteral("The chart could not be printed: the printer cannot be used."));
    RenderChart(chart, painter, QRectF(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()));
    painter.end();
}

void PrintChartOnDefaultPrinter(QChart *chart)
{
    if (QPrinterInfo::defaultPrinter().isNull())
        throw TillbrookError(QStringLiteral("The chart could not be printed: no printer is set up."));
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    PrintChart(chart, printer);
}
