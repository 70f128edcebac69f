#pragma once

#include <QColor>
#include <QList>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPainter;
class QRectF;

// One column of a report: its caption in the column header band and the place of
// its text on each detail line. Positions are millimetres from the left edge of the
// printable area.
struct ReportColumn
{
    QString header;
    double headerLeftMm = 0;
    double leftMm = 0;
    // 0: the text is as wide as it is, on one line; otherwise the text wraps within
    // this width and the line grows to fit it.
    double widthMm = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// The fixed parts of a report page: A4 in the chosen orientation; a page header (the
// page title) and a page footer (a text and the page number) on every page; the
// title on the first page only; the column header band on every page above the
// detail lines.
struct ReportLayout
{
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginMm = 12.7;
    QString fontFamily = QStringLiteral("Arial");

    QString pageTitle;
    double pageTitleLeftMm = 4.8;
    int pageTitlePointSize = 9;

    QString title;
    double titleLeftMm = 4.8;
    int titlePointSize = 16;

    QList<ReportColumn> columns;
    int headerPointSize = 8;
    int detailPointSize = 8;
    // A horizontal line under each detail line; none when the width is 0.
    double ruleLeftMm = 0;
    double ruleWidthMm = 0;

    // A band drawn once after the last detail line (a chart, say): its height, and
    // what draws it into the band's rectangle, given the printer's dots per millimetre.
    // It starts a new page when it does not fit under the lines already printed.
    double summaryHeightMm = 0;
    std::function<void(QPainter &painter, const QRectF &band, double dotsPerMm)> drawSummary;
    // Or a summary of many lines (a long chart), continued over as many pages as it
    // needs: drawSummaryLines draws the lines from `from` on that fit into the band and
    // returns the first one not drawn; summaryLineCount lines in all. Without a
    // painter (the page count) it only says where the band would end.
    int summaryLineCount = 0;
    std::function<int(QPainter *painter, const QRectF &band, double dotsPerMm, int from)> drawSummaryLines;

    QString footerText;
    double footerLeftMm = 0;
    int footerPointSize = 10;
    QColor footerColor = QColor(128, 128, 128);
    // The page number ends here (right-aligned); 0 puts it at the right edge.
    double pageNumberRightMm = 0;
    int pageNumberPointSize = 9;
};
