#include "ui/reports/barlistview.h"

#include "core/base/tillbrookerror.h"

#include <QFontInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollArea>

namespace {

// The painter works in pixels of 1/96 inch on paper too, so one font size serves.
constexpr double PaperPixelsPerMm = 96 / 25.4;

} // namespace

BarListView::BarListView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("barList"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

BarListView::~BarListView() = default;

QFont BarListView::chartFont() const
{
    QFont f = font();
    f.setPixelSize(QFontInfo(f).pixelSize());
    return f;
}

void BarListView::setChart(BarListChart chart)
{
    m_chart = std::move(chart);
    fitHeight();
    update();
}

void BarListView::fitHeight()
{
    const BarListPainter layout(m_chart, chartFont());
    const int height = int(std::ceil(layout.fullHeight(width()))) + 8;
    if (minimumHeight() != height)
        setMinimumHeight(height);
}

void BarListView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Labels wrap by width, so the height follows it.
    fitHeight();
}

void BarListView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const BarListPainter layout(m_chart, chartFont());
    layout.paint(painter, QRectF(rect()).adjusted(8, 4, -8, -4), 0);
}

QScrollArea *MakeBarListScrollArea(BarListView *view, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("barListArea"));
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidget(view);
    return area;
}

QFont BarListPaperFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12); // 9 points at 96 to the inch
    return f;
}

int PaintBarListBand(const BarListPainter &layout, QPainter *device, const QRectF &band, double dotsPerMm, int from)
{
    const double scale = dotsPerMm / PaperPixelsPerMm;
    const QRectF area(0, 0, band.width() / scale, band.height() / scale);
    if (!device)
        return layout.linesThatFit(area, from);
    device->save();
    device->translate(band.topLeft());
    device->scale(scale, scale);
    device->setRenderHint(QPainter::Antialiasing);
    const int next = layout.paint(*device, area, from);
    device->restore();
    return next;
}

void PrintBarList(const BarListChart &chart, QPrinter &printer)
{
    printer.setFullPage(false);
    QPainter painter;
    if (!painter.begin(&printer))
        throw TillbrookError(QStringLiteral("The chart could not be printed: the printer cannot be used."));
    const BarListPainter layout(chart, BarListPaperFont());
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const double dotsPerMm = printer.resolution() / 25.4;
    int next = 0;
    for (;;) {
        next = PaintBarListBand(layout, &painter, page, dotsPerMm, next);
        if (next >= layout.lineCount())
            break;
        printer.newPage();
    }
    painter.end();
}

void PrintBarListOnDefaultPrinter(const BarListChart &chart)
{
    if (QPrinterInfo::defaultPrinter().isNull())
        throw TillbrookError(QStringLiteral("The chart could not be printed: no printer is set up."));
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    PrintBarList(chart, printer);
}
