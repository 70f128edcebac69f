#pragma once

#include "core/reports/budgetanalysis.h"
#include "core/reports/chartseries.h"

#include <QList>
#include <QString>

class QChart;
class QPainter;
class QPrinter;
class QRectF;

// The budget analysis chart, built on Qt Charts. Each point's horizontal position is
// its index; its label is the category of the horizontal axis there. (The bar charts
// are bar lists: barlist.h.)

// The budget analysis: the lines "Actual" (red) and "Budget" (lime), 3 pixels wide,
// each point marked with its value.
void FillBudgetChart(QChart *chart, const QList<BudgetPoint> &points);

// Draws the chart into the rectangle of an open painter (a printed page).
void RenderChart(QChart *chart, QPainter &painter, const QRectF &target);
// Prints the chart alone on one page of the printer, filling its printable area.
// Throws TillbrookError when the printer cannot be painted on.
void PrintChart(QChart *chart, QPrinter &printer);
// The system's default printer, or a TillbrookError when there is none.
void PrintChartOnDefaultPrinter(QChart *chart);
