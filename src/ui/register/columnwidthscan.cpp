#include "ui/register/columnwidthscan.h"

#include <QFontMetrics>
#include <QtMath>

namespace {

// Kerning moves a short text by a pixel or two at most.
constexpr qreal EstimateMargin = 4;
// Texts of nearly one width (numbers, dates) differ by less than that margin.
constexpr size_t MaxMeasured = 8;

} // namespace

ColumnWidthScan::ColumnWidthScan(const QFont &font, int columns)
    : m_font(font), m_columns(size_t(qMax(columns, 0)))
{
    const QFontMetricsF metrics(m_font);
    for (int c = 0; c < 256; ++c)
        m_advance[size_t(c)] = metrics.horizontalAdvance(QChar(c));
}

qreal ColumnWidthScan::estimate(QStringView text)
{
    qreal width = 0;
    for (const QChar ch : text) {
        if (ch.unicode() > 255) {
            if (!m_otherTexts)
                m_otherTexts.emplace(m_font);
            return m_otherTexts->horizontalAdvance(text.toString());
        }
        width += m_advance[ch.unicode()];
    }
    return width;
}

void ColumnWidthScan::add(const QStringView *cells)
{
    for (size_t col = 0; col < m_columns.size(); ++col) {
        const QStringView cell = cells[col];
        if (cell.isEmpty())
            continue;
        Column &column = m_columns[col];
        const qreal estimated = estimate(cell);
        if (estimated <= 0 || estimated < column.widest - EstimateMargin)
            continue;
        if (estimated > column.widest) {
            column.widest = estimated;
            std::erase_if(column.kept, [&](const Candidate &c) { return c.estimate < estimated - EstimateMargin; });
        }
        if (column.kept.size() < MaxMeasured)
            column.kept.push_back({cell.toString(), estimated});
    }
}

QList<int> ColumnWidthScan::widths() const
{
    const QFontMetrics metrics(m_font);
    QList<int> widths;
    widths.reserve(qsizetype(m_columns.size()));
    for (const Column &column : m_columns) {
        int width = qCeil(column.widest);
        for (const Candidate &c : column.kept)
            width = qMax(width, metrics.horizontalAdvance(c.text));
        widths.append(width);
    }
    return widths;
}
