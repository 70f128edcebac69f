#pragma once

#include "ui/reports/engine/reportengine.h"
#include "ui/reports/engine/reportsource.h"

class QWidget;
class TPubStrGrid;

// The printed transaction report (TrptDefaultReport): the rows a report centre grid
// shows, from row 1 to the last, cell for cell as text, on A4 landscape pages with
// the page title on every page and the title on the first.
class TrptDefaultReport : public ReportSource
{
public:
    TrptDefaultReport(const TPubStrGrid &grid, const QString &pageTitle, const QString &title);

    // A4BeforePrint: the next line is grid row 1 again.
    void Rewind() override;
    // A4NeedData: the ten cells of the next grid row.
    bool NextLine(QStringList &cells) override;

    ReportEngine &engine() { return m_engine; }
    static ReportLayout Layout(const QString &pageTitle, const QString &title);

private:
    const TPubStrGrid &m_grid;
    ReportEngine m_engine;
    int m_reportRow = 1;
};
