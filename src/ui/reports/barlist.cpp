#include "ui/reports/barlist.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double Gap = 6;           // between label, bar and value, in device units of the font
constexpr double MaxLabelShare = 0.4; // of the width; longer labels wrap

QString axisText(double value)
{
    // Round steps need no decimals unless the step itself has them.
    const double whole = std::round(value);
    if (std::fabs(value - whole) < 1e-9)
        return QLocale(QLocale::English).toString(qint64(whole));
    return QLocale(QLocale::English).toString(value, 'f', 2);
}

} // namespace

BarListChart IncomeExpenseBars(const QList<ChartPoint> &expense, const QList<ChartPoint> &income, int digits)
{
    BarListChart chart;
    chart.title = QStringLiteral("Income vs  Expenditure");
    chart.digits = digits;
    chart.groups = {{QStringLiteral("Expense"), QColor(255, 128, 128), expense},
                    {QStringLiteral("Income"), QColor(0, 128, 0), income}};
    return chart;
}

BarListChart NetTotalsBars(const QString &title, const QList<ChartPoint> &points, int digits)
{
    BarListChart chart;
    chart.title = title;
    chart.digits = digits;
    chart.groups = {{QString(), QColor(0, 114, 206), points}};
    return chart;
}

BarListPainter::BarListPainter(const BarListChart &chart, const QFont &font)
    : m_chart(chart), m_font(font), m_bold(font)
{
    m_bold.setBold(true);
    const QFontMetricsF metrics(m_font);
    m_lineHeight = std::ceil(metrics.height() * 1.5);
    double low = 0;
    double high = 0;
    for (const BarGroup &group : m_chart.groups) {
        if (!group.heading.isEmpty())
            m_lines.append({&group, nullptr});
        for (const ChartPoint &point : group.points) {
            m_lines.append({&group, &point});
            low = std::min(low, point.value.toDouble());
            high = std::max(high, point.value.toDouble());
            m_labelWidth = std::max(m_labelWidth, metrics.horizontalAdvance(point.label));
            m_valueWidth = std::max(m_valueWidth, metrics.horizontalAdvance(valueText(point)));
        }
    }
    m_scale = NiceAxisScale(low, high);
}

QString BarListPainter::valueText(const ChartPoint &point) const
{
    return point.value.toGroupedText(m_chart.digits);
}

double BarListPainter::labelColumnWidth(double width) const
{
    return std::min(m_labelWidth, width * MaxLabelShare);
}

double BarListPainter::lineHeight(int line, double width) const
{
    const Line &l = m_lines.at(line);
    if (!l.point)
        return m_lineHeight;
    const QFontMetricsF metrics(m_font);
    const double labelWidth = labelColumnWidth(width);
    const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, std::max(1.0, labelWidth), 1e6),
                                                Qt::AlignRight | Qt::TextWordWrap | Qt::TextWrapAnywhere,
                                                l.point->label);
    return std::max(m_lineHeight, std::ceil(wrapped.height() + metrics.height() * 0.5));
}

double BarListPainter::fullHeight(double width) const
{
    double height = headHeight();
    for (int i = 0; i < lineCount(); ++i)
        height += lineHeight(i, width);
    return height;
}

double BarListPainter::headHeight() const
{
    const QFontMetricsF bold(m_bold);
    const QFontMetricsF plain(m_font);
    return (m_chart.title.isEmpty() ? 0 : bold.height() * 1.8) + plain.height() * 1.6;
}

int BarListPainter::linesThatFit(const QRectF &area, int from) const
{
    double bottom = area.top() + headHeight();
    int to = from;
    while (to < lineCount()) {
        const double h = lineHeight(to, area.width());
        if (bottom + h > area.bottom() && to > from)
            break;
        bottom += h;
        ++to;
    }
    return to;
}

int BarListPainter::paint(QPainter &painter, const QRectF &area, int from) const
{
    painter.save();
    const QFontMetricsF metrics(m_font);
    double y = area.top();
    if (!m_chart.title.isEmpty()) {
        painter.setFont(m_bold);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y, area.width(), QFontMetricsF(m_bold).height()),
                         Qt::AlignHCenter | Qt::AlignTop, m_chart.title);
        y += QFontMetricsF(m_bold).height() * 1.8;
    }

    // Columns: the labels, then the plot with room for a value text on either side of
    // the bars, so a value never runs into the label or off the edge.
    const double labelWidth = labelColumnWidth(area.width());
    const double plotLeft = area.left() + labelWidth + Gap;
    const double plotRight = area.right();
    const bool negatives = m_scale.low < 0;
    const bool positives = m_scale.high > 0;
    const double innerLeft = plotLeft + (negatives ? m_valueWidth + Gap : 0);
    const double innerRight = plotRight - (positives ? m_valueWidth + Gap : 0);
    const double span = m_scale.high - m_scale.low;
    const auto xOf = [&](double value) {
        return innerLeft + (value - m_scale.low) / span * std::max(1.0, innerRight - innerLeft);
    };

    // The axis: round values over light grid lines, the zero line darker.
    painter.setFont(m_font);
    const double axisTextHeight = metrics.height();
    const QList<double> ticks = m_scale.ticks();
    for (const double tick : ticks) {
        const double x = xOf(tick);
        const QString text = axisText(tick);
        const double w = metrics.horizontalAdvance(text);
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRectF(x - w / 2, y, w, axisTextHeight), Qt::AlignCenter, text);
    }
    y += metrics.height() * 1.6;
    const double linesTop = y;
    int to = from;
    double linesBottom = linesTop;
    while (to < lineCount()) {
        const double h = lineHeight(to, area.width());
        if (linesBottom + h > area.bottom() && to > from)
            break;
        linesBottom += h;
        ++to;
    }
    for (const double tick : ticks) {
        const double x = xOf(tick);
        painter.setPen(QPen(tick == 0 ? QColor(60, 60, 60) : QColor(225, 225, 225), tick == 0 ? 1.5 : 1));
        painter.drawLine(QPointF(x, linesTop - metrics.height() * 0.3), QPointF(x, linesBottom));
    }

    const double zero = xOf(0);
    for (int i = from; i < to; ++i) {
        const Line &line = m_lines.at(i);
        const double h = lineHeight(i, area.width());
        const QRectF row(area.left(), y, area.width(), h);
        if (!line.point) {
            painter.setFont(m_bold);
            painter.setPen(Qt::black);
            painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, line.group->heading);
            painter.setFont(m_font);
        } else {
            const ChartPoint &point = *line.point;
            painter.setPen(Qt::black);
            painter.drawText(QRectF(area.left(), y, labelWidth, h),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextWrapAnywhere,
                             point.label);
            const double x = xOf(point.value.toDouble());
            const double mid = y + h / 2;
            const QRectF bar(QPointF(std::min(x, zero), mid - m_lineHeight * 0.3),
                             QPointF(std::max(x, zero), mid + m_lineHeight * 0.3));
            painter.fillRect(bar, line.group->color);
            const QString value = valueText(point);
            const bool negative = point.value.toDouble() < 0;
            const QRectF valueBox = negative ? QRectF(x - Gap - m_valueWidth, y, m_valueWidth, h)
                                             : QRectF(x + Gap, y, m_valueWidth, h);
            painter.drawText(valueBox, (negative ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, value);
        }
        y += h;
    }
    painter.restore();
    return to;
}
