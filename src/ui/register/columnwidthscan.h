#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

// How wide each column's widest text is, found without shaping every text of a long
// list (shaping is the dearest part of filling a grid): each text is estimated from
// its characters' advances, Latin-1 ones from a table, the first few texts whose
// estimate may be the widest are kept, and only those are measured exactly.
// Rows may be added on a thread other than the GUI thread, by one thread at a time.
class ColumnWidthScan
{
public:
    ColumnWidthScan(const QFont &font, int columns);

    // One row's cells, cells[0..columns).
    void add(const QStringView *cells);
    // Each column's width in pixels: at least its widest estimate, and the exact width
    // of every text kept.
    QList<int> widths() const;

private:
    struct Candidate
    {
        QString text;
        qreal estimate;
    };
    struct Column
    {
        qreal widest = 0;
        std::vector<Candidate> kept;
    };

    qreal estimate(QStringView text);

    QFont m_font;
    std::array<qreal, 256> m_advance;
    // For texts beyond Latin-1; made on the thread that first needs it.
    std::optional<QFontMetricsF> m_otherTexts;
    std::vector<Column> m_columns;
};
