#pragma once

#include "ui/reports/engine/reportlayout.h"

class QPrinter;
class QWidget;
class ReportSource;

// The report engine: lays a ReportLayout out on A4 pages with QPainter and pulls
// the detail lines one at a time from a ReportSource.
//
// How a report plugs in:
//   1. Describe the page in a ReportLayout: orientation, page title, title, the
//      columns (header caption, position, width, alignment), the footer text.
//   2. Implement ReportSource: Rewind goes back to the first line, NextLine hands
//      out one line's cell texts until there are none left.
//   3. ReportEngine engine(layout, source); engine.ShowPreview(parent) opens the
//      modal print preview (through the dialog seam), from which the user prints,
//      also to a PDF file. Tests call PrintToPdf instead and read the file.
// A line taller than the room left on a page moves to the next page; a line taller
// than a whole page is cut at the page's foot rather than looping forever.
class ReportEngine
{
public:
    ReportEngine(ReportLayout layout, ReportSource &source);

    const ReportLayout &layout() const { return m_layout; }

    // Sets A4, the layout's orientation and margins on the printer.
    void PreparePrinter(QPrinter &printer) const;
    // Rewinds the source and draws every page on the printer, which must already be
    // prepared. Returns the number of pages; throws TillbrookError when the printer
    // cannot be painted on.
    int Print(QPrinter &printer);
    // Writes the report to a PDF file; returns the number of pages.
    int PrintToPdf(const QString &fileName);
    // The modal print preview; returns the dialog's result. An error while drawing
    // is raised as TillbrookError after the dialog has closed.
    int ShowPreview(QWidget *parent);

private:
    ReportLayout m_layout;
    ReportSource &m_source;
};
