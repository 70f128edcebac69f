#include "ui/reports/reportcharts.h"

#include "core/base/tillbrookerror.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QLinearGradient>
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

// Flat bars shaded from the colour to a lighter tone.
QBrush gradientOf(const QColor &color)
{
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, color.lighter(150));
    gradient.setColorAt(1, color);
    return QBrush(gradient);
}

QBarSet *barSet(const QString &title, const QColor &color, const QList<ChartPoint> &points, int count)
{
    auto *set = new QBarSet(title);
    set->setColor(color);
    set->setBrush(gradientOf(color));
    set->setLabelColor(Qt::black);
    for (int i = 0; i < count; ++i)
        set->append(i < points.size() ? points[i].value.toDouble() : 0.0);
    return set;
}

void attachAxes(QChart *chart, QAbstractSeries *series, const QStringList &categories)
{
    auto *x = new QBarCategoryAxis(chart);
    x->append(categories);
    auto *y = new QValueAxis(chart);
    y->setLabelFormat(QStringLiteral("%.2f"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

void styleFlat(QChart *chart)
{
    chart->setBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setAnimationOptions(QChart::NoAnimation);
}

} // namespace

void FillIncomeExpenseChart(QChart *chart, const QList<ChartPoint> &expense, const QList<ChartPoint> &income)
{
    clearChart(chart);
    styleFlat(chart);
    chart->setTitle(QStringLiteral("Income vs  Expenditure"));
    QFont titleFont(QStringLiteral("Arial"), 10);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitleBrush(Qt::black);
    chart->legend()->setVisible(true);

    const int count = int(qMax(expense.size(), income.size()));
    auto *series = new QBarSeries;
    series->append(barSet(QStringLiteral("Expense"), QColor(255, 128, 128), expense, count));
    series->append(barSet(QStringLiteral("Income"), QColor(0, 128, 0), income, count));
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);
    QStringList categories;
    for (int i = 0; i < count; ++i) {
        const QString spent = i < expense.size() ? expense[i].label : QString();
        const QString earned = i < income.size() ? income[i].label : QString();
        categories << (spent.isEmpty() || earned.isEmpty() || spent == earned ? spent + earned
                                                                               : spent + u'\n' + earned);
    }
    attachAxes(chart, series, categories);
}

void FillNetTotalsChart(QChart *chart, const QString &title, const QList<ChartPoint> &points)
{
    clearChart(chart);
    styleFlat(chart);
    chart->setTitle(title);
    chart->legend()->setVisible(false);
    auto *series = new QBarSeries;
    series->append(barSet(QStringLiteral("Expenses"), QColor(0, 114, 206), points, int(points.size())));
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);
    QStringList categories;
    for (const ChartPoint &p : points)
        categories << p.label;
    attachAxes(chart, series, categories);
}

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
