#pragma once

#include "ui/reports/barlist.h"

#include <QWidget>

#include <memory>

class QPrinter;
class QScrollArea;

// A BarListChart on screen: as tall as its lines need at the view's width; put it in
// a scroll area (MakeBarListScrollArea) so any number of items can be read.
class BarListView : public QWidget
{
    Q_OBJECT
public:
    explicit BarListView(QWidget *parent = nullptr);
    ~BarListView() override;

    void setChart(BarListChart chart);
    const BarListChart &chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void fitHeight();
    QFont chartFont() const;

    BarListChart m_chart;
};

// A scroll area holding view, resizing it to its width.
QScrollArea *MakeBarListScrollArea(BarListView *view, QWidget *parent);

// Draws the lines from `from` on that fit into band (in the painter's device units,
// dotsPerMm of them to a millimetre), in the chart's paper font; returns the first
// line not drawn. Without a painter it only measures.
int PaintBarListBand(const BarListPainter &painter, QPainter *device, const QRectF &band, double dotsPerMm,
                     int from);
// The font the chart is laid out in on paper (9 points), in pixels of 1/96 inch.
QFont BarListPaperFont();
// The chart alone on as many pages of the printer as its lines need.
void PrintBarList(const BarListChart &chart, QPrinter &printer);
// The system's default printer, landscape, or a TillbrookError when there is none.
void PrintBarListOnDefaultPrinter(const BarListChart &chart);
