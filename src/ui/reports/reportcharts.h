#pragma once

#include "core/reports/budgetanalysis.h"
#include "core/reports/chartseries.h"

#include <QList>
#include <QString>

class QChart;
class QPainter;
class QPrinter;
class QRectF;

// The charts of the reports, built on Qt Charts. Each point's horizontal position is
// its index; its label is the category of the horizontal axis there.

// The printed income and expense chart: one bar series holding the sets "Expense"
// (light red) and "Income" (green), point i of each side by side; the label under
// index i names both items when they differ. Titled "Income vs  Expenditure", legend
// shown.
void FillIncomeExpenseChart(QChart *chart, const QList<ChartPoint> &expense, const QList<ChartPoint> &income);

// The graphical reports window: one bar set "Expenses" of net sums, titled title,
// legend hidden.
void FillNetTotalsChart(QChart *chart, const QString &title, const QList<ChartPoint> &points);

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
