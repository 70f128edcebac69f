#pragma once

#include "core/reports/axisscale.h"
#include "core/reports/chartseries.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QPainter;
class QRectF;

// A bar chart read like a list: one horizontal bar a line, its item's label beside it
// and its value at its end, never cut and never on top of another's. The lines are
// in groups under headings ("Expense", "Income"), so each bar stands with its own
// label: no bar of one series is paired with an unrelated bar of another. The value
// axis has round steps and a zero line. As many lines as there are items: on screen
// the view scrolls, on paper the lines continue on the next page.
struct BarGroup
{
    QString heading; // none when empty
    QColor color;
    QList<ChartPoint> points;
};

struct BarListChart
{
    QString title;
    QList<BarGroup> groups;
    int digits = 2;
};

// The printed income and expense chart: the expense items (largest first) under
// "Expense" in light red, then the income items under "Income" in green, titled
// "Income vs  Expenditure".
BarListChart IncomeExpenseBars(const QList<ChartPoint> &expense, const QList<ChartPoint> &income, int digits = 2);
// The graphical reports window: the net of each item, in blue, under title.
BarListChart NetTotalsBars(const QString &title, const QList<ChartPoint> &points, int digits = 2);

// Lays a BarListChart out in a font and draws it, whole or a band of lines at a time.
// Sizes are in the font's pixels: draw on paper through a scaled painter.
class BarListPainter
{
public:
    BarListPainter(const BarListChart &chart, const QFont &font);

    // Lines: a heading or a bar.
    int lineCount() const { return int(m_lines.size()); }
    // The height the title and the axis take above the lines.
    double headHeight() const;
    // One line's height in a chart of this width: a label too long for its column
    // wraps, and its line grows to hold it.
    double lineHeight(int line, double width) const;
    // The height of the whole chart at this width.
    double fullHeight(double width) const;
    const AxisScale &scale() const { return m_scale; }

    // Draws the title, the axis and the lines from `from` on that fit into area;
    // returns the first line not drawn (lineCount() when all are). At least one line
    // is drawn, so a caller going page by page always gets on.
    int paint(QPainter &painter, const QRectF &area, int from) const;
    // Where paint would stop, without drawing.
    int linesThatFit(const QRectF &area, int from) const;

    // The text shown at the end of a bar.
    QString valueText(const ChartPoint &point) const;

private:
    struct Line
    {
        const BarGroup *group = nullptr;
        const ChartPoint *point = nullptr; // null: the group's heading
    };

    const BarListChart &m_chart;
    QFont m_font;
    QFont m_bold;
    QList<Line> m_lines;
    AxisScale m_scale;
    double labelColumnWidth(double width) const;

    double m_lineHeight = 0;
    double m_labelWidth = 0;
    double m_valueWidth = 0;
};
