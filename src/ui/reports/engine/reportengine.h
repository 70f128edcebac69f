#pragma once

#include "ui/reports/engine/reportlayout.h"

#include <functional>

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
//
// A long report (all accounts over twenty years is some 25,000 pages) is laid out
// with progress and a Cancel; above AskAbovePages the user is first told how many
// pages it will be and asked whether to go on.
class ReportEngine
{
public:
    // Told the number of pages done after each one; false stops the work.
    using PageProgress = std::function<bool(int pages)>;
    static constexpr int AskAbovePages = 2000;

    ReportEngine(ReportLayout layout, ReportSource &source);

    const ReportLayout &layout() const { return m_layout; }

    // Sets A4, the layout's orientation and margins on the printer.
    void PreparePrinter(QPrinter &printer) const;
    // Rewinds the source and draws every page on the printer, which must already be
    // prepared. Returns the number of pages, or -1 when progress stopped it; throws
    // TillbrookError when the printer cannot be painted on.
    int Print(QPrinter &printer, const PageProgress &progress = {});
    // The number of pages the report takes on A4, laid out without drawing; -1 when
    // progress stopped it.
    int CountPages(const PageProgress &progress = {});
    // Writes the report to a PDF file; returns the number of pages.
    int PrintToPdf(const QString &fileName);
    // The modal print preview; returns the dialog's result (Rejected also when the
    // user declined a long report or cancelled its layout). The pages are counted
    // first, with progress, then drawn, with progress. An error while drawing is
    // raised as TillbrookError after the dialog has closed.
    int ShowPreview(QWidget *parent);
    // Changes the page count above which ShowPreview asks first (tests).
    void setAskAbovePages(int pages) { m_askAbovePages = pages; }

private:
    int run(QPrinter &printer, bool draw, const PageProgress &progress);

    ReportLayout m_layout;
    ReportSource &m_source;
    int m_askAbovePages = AskAbovePages;
};
