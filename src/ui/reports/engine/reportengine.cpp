#include "ui/reports/engine/reportengine.h"

#include "core/base/tillbrookerror.h"
#include "ui/feedback/dialogrunner.h"
#include "ui/reports/engine/reportsource.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Thrown through the layout when the progress callback says stop.
struct Stopped
{
};

// Lays out one run of a report on a printer: bands top-down, a new page when the
// next detail line does not fit above the footer. Without a painter it only
// measures, to count the pages.
class PageWriter
{
public:
    PageWriter(const ReportLayout &layout, QPrinter &printer, QPainter *painter,
               const ReportEngine::PageProgress &progress)
        : m_layout(layout), m_printer(printer), m_painter(painter), m_progress(progress),
          m_dotsPerMm(printer.resolution() / 25.4),
          m_width(printer.pageLayout().paintRectPixels(printer.resolution()).width()),
          m_height(printer.pageLayout().paintRectPixels(printer.resolution()).height())
    {
        m_footerTop = m_height - std::max(lineHeight(font(m_layout.footerPointSize)),
                                          lineHeight(font(m_layout.pageNumberPointSize)));
    }

    void startFirstPage()
    {
        m_page = 1;
        startPage(true);
    }

    void writeLine(const QStringList &cells)
    {
        const QFont detail = font(m_layout.detailPointSize);
        const double textHeight = detailHeight(cells, detail);
        const double height = textHeight + (hasRule() ? mm(0.8) : mm(0.3));
        if (m_y + height > m_footerTop && m_linesOnPage > 0)
            nextPage();
        if (m_painter)
            drawLine(cells, detail, textHeight);
        m_y += height;
        ++m_linesOnPage;
    }

    void drawLine(const QStringList &cells, const QFont &detail, double textHeight)
    {
        m_painter->setFont(detail);
        m_painter->setPen(Qt::black);
        const double room = std::max(0.0, m_footerTop - m_y);
        for (int c = 0; c < m_layout.columns.size(); ++c) {
            const QString text = cells.value(c);
            if (text.isEmpty())
                continue;
            const ReportColumn &column = m_layout.columns.at(c);
            const QRectF box = cellBox(column, m_y, std::min(textHeight, room));
            m_painter->save();
            m_painter->setClipRect(QRectF(box.left(), m_y, m_width - box.left(), room));
            m_painter->drawText(box, textFlags(column), text);
            m_painter->restore();
        }
        if (hasRule() && textHeight < room) {
            const double y = m_y + textHeight + mm(0.4);
            m_painter->setPen(QPen(Qt::black, mm(0.2)));
            m_painter->drawLine(QPointF(mm(m_layout.ruleLeftMm), y),
                                QPointF(mm(m_layout.ruleLeftMm + m_layout.ruleWidthMm), y));
        }
    }

    void writeSummaryLines()
    {
        if (!m_layout.drawSummaryLines)
            return;
        // Under the detail lines when a fair share of the page is left, else on a page
        // of its own; then page after page until every line is drawn.
        if (m_linesOnPage > 0 && m_footerTop - m_y < m_height / 3)
            nextPage();
        int next = 0;
        for (;;) {
            const QRectF band(0, m_y, m_width, std::max(0.0, m_footerTop - m_y));
            if (m_painter) {
                m_painter->save();
                m_painter->setClipRect(band);
            }
            next = m_layout.drawSummaryLines(m_painter, band, m_dotsPerMm, next);
            if (m_painter)
                m_painter->restore();
            m_y = m_footerTop;
            if (next >= m_layout.summaryLineCount)
                break;
            nextPage();
        }
    }

    void nextPage()
    {
        finishPage();
        if (m_progress && !m_progress(m_page))
            throw Stopped{};
        if (m_painter)
            m_printer.newPage();
        ++m_page;
        startPage(false);
    }

    void writeSummary()
    {
        writeSummaryLines();
        if (!m_layout.drawSummary)
            return;
        const double height = mm(m_layout.summaryHeightMm);
        if (m_y + height > m_footerTop && m_linesOnPage > 0)
            nextPage();
        const double room = std::max(0.0, std::min(height, m_footerTop - m_y));
        if (m_painter) {
            m_painter->save();
            m_painter->setClipRect(QRectF(0, m_y, m_width, room));
            m_layout.drawSummary(*m_painter, QRectF(0, m_y, m_width, room), m_dotsPerMm);
            m_painter->restore();
        }
        m_y += height;
    }

    void finishPage()
    {
        if (!m_painter)
            return;
        const QFont footer = font(m_layout.footerPointSize);
        m_painter->setFont(footer);
        m_painter->setPen(m_layout.footerColor);
        const double footerHeight = m_height - m_footerTop;
        m_painter->drawText(QRectF(mm(m_layout.footerLeftMm), m_footerTop,
                                  m_width - mm(m_layout.footerLeftMm), footerHeight),
                           Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
                           m_layout.footerText);
        m_painter->setFont(font(m_layout.pageNumberPointSize));
        m_painter->setPen(Qt::black);
        const double right = m_layout.pageNumberRightMm > 0 ? mm(m_layout.pageNumberRightMm) : m_width;
        m_painter->drawText(QRectF(0, m_footerTop, right, footerHeight),
                           Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine,
                           QString::number(m_page));
    }

    int page() const { return m_page; }

private:
    double mm(double millimetres) const { return millimetres * m_dotsPerMm; }
    bool hasRule() const { return m_layout.ruleWidthMm > 0; }

    QFont font(int pointSize, bool bold = false) const
    {
        QFont f(m_layout.fontFamily);
        f.setPointSize(pointSize);
        f.setBold(bold);
        return f;
    }

    double lineHeight(const QFont &f) const { return QFontMetricsF(f, &m_printer).height(); }

    static int textFlags(const ReportColumn &column)
    {
        const int wrap = column.widthMm > 0 ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine);
        return int(column.alignment) | Qt::AlignTop | wrap;
    }

    QRectF cellBox(const ReportColumn &column, double top, double height) const
    {
        const double left = mm(column.leftMm);
        const double width = column.widthMm > 0 ? mm(column.widthMm) : m_width - left;
        return QRectF(left, top, width, height);
    }

    double detailHeight(const QStringList &cells, const QFont &detail) const
    {
        const QFontMetricsF metrics(detail, &m_printer);
        double height = metrics.height();
        for (int c = 0; c < m_layout.columns.size(); ++c) {
            const ReportColumn &column = m_layout.columns.at(c);
            const QString text = cells.value(c);
            if (text.isEmpty() || column.widthMm <= 0)
                continue;
            const QRectF box = cellBox(column, 0, 1e9);
            height = std::max(height, metrics.boundingRect(box, textFlags(column), text).height());
        }
        return height;
    }

    void writeText(const QString &text, double leftMm, const QFont &f, double gapMm)
    {
        const double height = lineHeight(f);
        if (m_painter) {
            m_painter->setFont(f);
            m_painter->setPen(Qt::black);
            m_painter->drawText(QRectF(mm(leftMm), m_y, m_width - mm(leftMm), height),
                                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
        m_y += height + mm(gapMm);
    }

    void startPage(bool first)
    {
        m_y = 0;
        m_linesOnPage = 0;
        writeText(m_layout.pageTitle, m_layout.pageTitleLeftMm, font(m_layout.pageTitlePointSize), 1.5);
        if (first && !m_layout.title.isEmpty())
            writeText(m_layout.title, m_layout.titleLeftMm, font(m_layout.titlePointSize, true), 3);
        if (m_layout.columns.isEmpty())
            return;
        const QFont header = font(m_layout.headerPointSize, true);
        const double height = lineHeight(header);
        if (m_painter) {
            m_painter->setFont(header);
            m_painter->setPen(Qt::black);
            for (const ReportColumn &column : m_layout.columns) {
                const double left = mm(column.headerLeftMm);
                m_painter->drawText(QRectF(left, m_y, m_width - left, height),
                                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, column.header);
            }
        }
        m_y += height + mm(1.5);
    }

    const ReportLayout &m_layout;
    QPrinter &m_printer;
    QPainter *m_painter;
    const ReportEngine::PageProgress &m_progress;
    const double m_dotsPerMm;
    const double m_width;
    const double m_height;
    double m_footerTop = 0;
    double m_y = 0;
    int m_page = 0;
    int m_linesOnPage = 0;
};

} // namespace

ReportEngine::ReportEngine(ReportLayout layout, ReportSource &source)
    : m_layout(std::move(layout)), m_source(source)
{
}

void ReportEngine::PreparePrinter(QPrinter &printer) const
{
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), m_layout.orientation,
                                      QMarginsF(m_layout.marginMm, m_layout.marginMm,
                                                m_layout.marginMm, m_layout.marginMm),
                                      QPageLayout::Millimeter));
}

int ReportEngine::Print(QPrinter &printer, const PageProgress &progress)
{
    return run(printer, true, progress);
}

int ReportEngine::CountPages(const PageProgress &progress)
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    return run(printer, false, progress);
}

int ReportEngine::run(QPrinter &printer, bool draw, const PageProgress &progress)
{
    QPainter painter;
    if (draw && !painter.begin(&printer))
        throw TillbrookError(QStringLiteral("The report could not be drawn on the printer."));
    m_source.Rewind();
    PageWriter writer(m_layout, printer, draw ? &painter : nullptr, progress);
    try {
        writer.startFirstPage();
        QStringList cells;
        while (m_source.NextLine(cells)) {
            writer.writeLine(cells);
            cells.clear();
        }
        writer.writeSummary();
        writer.finishPage();
    } catch (const Stopped &) {
        if (draw)
            painter.end();
        return -1;
    }
    if (draw)
        painter.end();
    if (progress)
        progress(writer.page());
    return writer.page();
}

int ReportEngine::PrintToPdf(const QString &fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    PreparePrinter(printer);
    return Print(printer);
}

namespace {

// Progress of a page layout: a window with the pages done and a Cancel, shown only
// when the work lasts; the window repaints and takes the Cancel between pages.
class LayoutProgress
{
public:
    LayoutProgress(QWidget *parent, const QString &title, const QString &text, int pages)
        : m_dialog(text, QStringLiteral("Cancel"), 0, pages, parent), m_text(text)
    {
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        // Shown by us, after a moment: a short report shows nothing at all.
        m_dialog.setMinimumDuration(std::numeric_limits<int>::max());
        m_dialog.hide();
        m_started.start();
    }

    bool operator()(int pages)
    {
        if (!m_dialog.isVisible() && m_started.elapsed() >= ShowAfterMs)
            m_dialog.show();
        if (m_dialog.isVisible()) {
            m_dialog.setLabelText(QStringLiteral("%1 %L2").arg(m_text).arg(pages));
            if (m_dialog.maximum() > 0)
                m_dialog.setValue(std::min(pages, m_dialog.maximum()));
            QCoreApplication::processEvents();
        }
        return !m_dialog.wasCanceled();
    }

private:
    static constexpr qint64 ShowAfterMs = 400;
    QProgressDialog m_dialog;
    QString m_text;
    QElapsedTimer m_started;
};

} // namespace

int ReportEngine::ShowPreview(QWidget *parent)
{
    int pages = 0;
    {
        LayoutProgress progress(parent, m_layout.pageTitle, QStringLiteral("Counting the pages ..."), 0);
        pages = CountPages(std::ref(progress));
    }
    if (pages < 0)
        return QDialog::Rejected;
    if (pages > m_askAbovePages) {
        QMessageBox ask(QMessageBox::Question, m_layout.pageTitle,
                        QStringLiteral("The report will be %L1 pages long. Laying them all out for the preview "
                                       "takes a while. Do you want to go on?").arg(pages),
                        QMessageBox::Yes | QMessageBox::No, parent);
        ask.setDefaultButton(QMessageBox::No);
        if (ExecDialog(ask) != QMessageBox::Yes)
            return QDialog::Rejected;
    }

    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(m_layout.pageTitle);
    std::optional<QString> failure;
    // Qt does not carry exceptions through its signals: keep the first one and raise
    // it once the dialog is closed.
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *target) {
        try {
            LayoutProgress progress(&preview, m_layout.pageTitle, QStringLiteral("Laying out page"), pages);
            if (Print(*target, std::ref(progress)) < 0)
                QTimer::singleShot(0, &preview, &QDialog::reject);
        } catch (const TillbrookError &error) {
            if (!failure)
                failure = error.message();
        }
    });
    const int result = ExecDialog(preview);
    if (failure)
        throw TillbrookError(*failure);
    return result;
}
