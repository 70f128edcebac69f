#include "core/base/tillbrookerror.h"
#include "ui/reports/engine/reportengine.h"
#include "ui/reports/engine/reportsource.h"
#include "support/scripteddialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Lines held in a list; counts how often the engine rewinds.
class ListSource : public ReportSource
{
public:
    explicit ListSource(QList<QStringList> lines) : m_lines(std::move(lines)) {}
    void Rewind() override { m_next = 0; ++rewinds; }
    bool NextLine(QStringList &cells) override
    {
        if (m_next >= m_lines.size())
            return false;
        cells = m_lines.at(m_next++);
        return true;
    }
    int rewinds = 0;

private:
    QList<QStringList> m_lines;
    int m_next = 0;
};

ReportLayout twoColumnLayout()
{
    ReportLayout layout;
    layout.orientation = QPageLayout::Landscape;
    layout.pageTitle = QStringLiteral("Page title text");
    layout.title = QStringLiteral("Big title text");
    layout.columns = {
        {QStringLiteral("Name"), 6.4, 6.4, 40, Qt::AlignLeft},
        {QStringLiteral("Amount"), 60, 50, 25, Qt::AlignRight},
    };
    layout.ruleLeftMm = 6.4;
    layout.ruleWidthMm = 70;
    layout.footerText = QStringLiteral("Footer words");
    layout.pageNumberRightMm = 263.8;
    return layout;
}

QList<QStringList> numberedLines(int count, const QString &name = QStringLiteral("Line"))
{
    QList<QStringList> lines;
    for (int i = 1; i <= count; ++i)
        lines.append({name + u' ' + QString::number(i), QString::number(i) + QStringLiteral(".00")});
    return lines;
}

// The text of each page of a PDF, as pdftotext reads it.
QStringList pdfPages(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {QStringLiteral("<pdftotext failed>")};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class TestReportEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesHoldEveryLineOnce_data();
    void pagesHoldEveryLineOnce();
    void wrappedTextGrowsTheLine();
    void eachRunStartsFromTheFirstLine();
    void previewGoesThroughTheDialogSeam();
    void oversizedLineDoesNotLoop();
    void summaryBandFollowsTheLines_data();
    void summaryBandFollowsTheLines();
    void countedPagesMatchThePrintedOnes_data();
    void countedPagesMatchThePrintedOnes();
    void progressCanStopTheLayout();
    void longReportAsksFirst_data();
    void longReportAsksFirst();

private:
    QTemporaryDir m_dir;
};

void TestReportEngine::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QFAIL("pdftotext (poppler-utils) is needed to read the printed pages");
}

void TestReportEngine::pagesHoldEveryLineOnce_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<bool>("severalPages");
    QTest::newRow("no lines") << 0 << QPageLayout::Landscape << false;
    QTest::newRow("one line") << 1 << QPageLayout::Landscape << false;
    QTest::newRow("landscape, several pages") << 150 << QPageLayout::Landscape << true;
    QTest::newRow("portrait, several pages") << 150 << QPageLayout::Portrait << true;
}

void TestReportEngine::pagesHoldEveryLineOnce()
{
    QFETCH(int, lines);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(bool, severalPages);
    ReportLayout layout = twoColumnLayout();
    layout.orientation = orientation;
    if (orientation == QPageLayout::Portrait)
        layout.pageNumberRightMm = 0; // the right edge of the narrower page
    ListSource source(numberedLines(lines));
    ReportEngine engine(layout, source);
    const QString pdf = m_dir.filePath(QStringLiteral("lines.pdf"));
    const int printed = engine.PrintToPdf(pdf);

    const QStringList pages = pdfPages(pdf);
    QCOMPARE(pages.size(), printed);
    QCOMPARE(printed > 1, severalPages);
    int expected = 1;
    for (int p = 0; p < pages.size(); ++p) {
        const QString &page = pages.at(p);
        QVERIFY2(page.contains(u"Page title text"), qPrintable(QString::number(p)));
        QCOMPARE(page.contains(u"Big title text"), p == 0);
        QVERIFY(page.contains(u"Name"));
        QVERIFY(page.contains(u"Amount"));
        QVERIFY(page.contains(u"Footer words"));
        // The page number is the last word on the page.
        QCOMPARE(page.trimmed().split(QRegularExpression(QStringLiteral("\\s+"))).last(), QString::number(p + 1));
        // Lines follow in order, none lost or repeated across the page break.
        static const QRegularExpression linePattern(QStringLiteral("Line (\\d+)\\s+(\\d+)\\.00"));
        auto it = linePattern.globalMatch(page);
        while (it.hasNext()) {
            const auto match = it.next();
            QCOMPARE(match.captured(1).toInt(), expected);
            QCOMPARE(match.captured(2).toInt(), expected);
            ++expected;
        }
    }
    QCOMPARE(expected - 1, lines);
}

void TestReportEngine::wrappedTextGrowsTheLine()
{
    // A text far wider than its column wraps onto several printed lines; the lines
    // after it move down, so the same number of lines needs more pages.
    const QString longText = QStringLiteral("lorem ").repeated(60).trimmed();
    QList<QStringList> wrapped;
    for (int i = 1; i <= 20; ++i)
        wrapped.append({QStringLiteral("Row%1 ").arg(i) + longText, QStringLiteral("1.00")});
    ListSource shortSource(numberedLines(20));
    ListSource longSource(wrapped);
    const ReportLayout layout = twoColumnLayout();
    ReportEngine shortEngine(layout, shortSource);
    ReportEngine longEngine(layout, longSource);
    const int shortPages = shortEngine.PrintToPdf(m_dir.filePath(QStringLiteral("short.pdf")));
    const QString longPdf = m_dir.filePath(QStringLiteral("long.pdf"));
    const int longPages = longEngine.PrintToPdf(longPdf);
    QCOMPARE(shortPages, 1);
    QVERIFY2(longPages > 2, qPrintable(QString::number(longPages)));

    const QString text = pdfPages(longPdf).join(u'\n');
    QCOMPARE(text.count(QStringLiteral("lorem")), 20 * 60);
    for (int i = 1; i <= 20; ++i)
        QVERIFY2(text.contains(QStringLiteral("Row%1 ").arg(i)), qPrintable(QString::number(i)));
}

void TestReportEngine::eachRunStartsFromTheFirstLine()
{
    ListSource source(numberedLines(5));
    ReportEngine engine(twoColumnLayout(), source);
    engine.PrintToPdf(m_dir.filePath(QStringLiteral("first.pdf")));
    const QString second = m_dir.filePath(QStringLiteral("second.pdf"));
    engine.PrintToPdf(second);
    QCOMPARE(source.rewinds, 2);
    const QString text = pdfPages(second).join(u'\n');
    for (int i = 1; i <= 5; ++i)
        QVERIFY(text.contains(QStringLiteral("Line %1").arg(i)));
}

void TestReportEngine::previewGoesThroughTheDialogSeam()
{
    ListSource source(numberedLines(150));
    ReportEngine engine(twoColumnLayout(), source);
    QString title;
    int pages = -1;
    ScriptedDialogs dialogs;
    dialogs.then([&](QDialog &dialog) {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(&dialog);
        if (!preview)
            return int(QDialog::Rejected);
        title = preview->windowTitle();
        auto *widget = preview->findChild<QPrintPreviewWidget *>();
        if (widget) {
            widget->updatePreview();
            pages = widget->pageCount();
        }
        return int(QDialog::Accepted);
    });
    const int result = engine.ShowPreview(nullptr);
    QVERIFY(dialogs.done());
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(title, QStringLiteral("Page title text"));
    QVERIFY2(pages > 1, qPrintable(QString::number(pages)));
    QVERIFY(source.rewinds >= 1);
}

void TestReportEngine::oversizedLineDoesNotLoop()
{
    // One cell whose wrapped text is taller than a page: it is cut at the page's
    // foot, and the next line still prints.
    const QString huge = QStringLiteral("tall ").repeated(4000);
    ListSource source({{huge, QStringLiteral("1.00")}, {QStringLiteral("After"), QStringLiteral("2.00")}});
    ReportEngine engine(twoColumnLayout(), source);
    const QString pdf = m_dir.filePath(QStringLiteral("tall.pdf"));
    const int pages = engine.PrintToPdf(pdf);
    QCOMPARE(pages, 2);
    const QStringList text = pdfPages(pdf);
    QVERIFY(text.value(1).contains(u"After"));
    QVERIFY(text.value(1).contains(u"Footer words"));
}

void TestReportEngine::summaryBandFollowsTheLines_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("summaryPage");
    QTest::newRow("no lines: under the titles") << 0 << 1 << 1;
    QTest::newRow("a few lines: on the same page") << 3 << 1 << 1;
    QTest::newRow("no room left: on a page of its own") << 30 << 2 << 2;
}

void TestReportEngine::summaryBandFollowsTheLines()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, summaryPage);
    ListSource source(numberedLines(lines));
    ReportLayout layout = twoColumnLayout();
    layout.summaryHeightMm = 100;
    QList<QRectF> bands;
    layout.drawSummary = [&](QPainter &painter, const QRectF &band, double dotsPerMm) {
        bands << QRectF(band.topLeft() / dotsPerMm, band.size() / dotsPerMm);
        painter.drawText(band, Qt::AlignCenter, QStringLiteral("Summary band text"));
    };
    ReportEngine engine(layout, source);
    const QString pdf = m_dir.filePath(QStringLiteral("summary-%1.pdf").arg(lines));
    QCOMPARE(engine.PrintToPdf(pdf), pages);
    QCOMPARE(bands.size(), 1);
    QVERIFY2(qAbs(bands[0].height() - 100) < 0.5, qPrintable(QString::number(bands[0].height())));
    const QStringList texts = pdfPages(pdf);
    QCOMPARE(texts.size(), pages);
    for (int page = 1; page <= pages; ++page)
        QCOMPARE(texts[page - 1].contains(QStringLiteral("Summary band text")), page == summaryPage);
}

// The page count asked for before a long preview is the count the pages will have.
void TestReportEngine::countedPagesMatchThePrintedOnes_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("one page") << 5;
    QTest::newRow("several pages") << 400;
}

void TestReportEngine::countedPagesMatchThePrintedOnes()
{
    QFETCH(int, lines);
    ListSource source(numberedLines(lines));
    ReportEngine engine(twoColumnLayout(), source);
    QList<int> told;
    const int counted = engine.CountPages([&told](int pages) {
        told << pages;
        return true;
    });
    const QString pdf = m_dir.filePath(QStringLiteral("count-%1.pdf").arg(lines));
    QCOMPARE(counted, engine.PrintToPdf(pdf));
    QCOMPARE(counted, int(pdfPages(pdf).size()));
    QVERIFY(!told.isEmpty());
    QCOMPARE(told.last(), counted);
}

// Cancel between two pages stops the layout; nothing more is drawn.
void TestReportEngine::progressCanStopTheLayout()
{
    ListSource source(numberedLines(400));
    ReportEngine engine(twoColumnLayout(), source);
    int calls = 0;
    QCOMPARE(engine.CountPages([&calls](int) { return ++calls < 2; }), -1);
    QCOMPARE(calls, 2);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("stopped.pdf")));
    engine.PreparePrinter(printer);
    calls = 0;
    QCOMPARE(engine.Print(printer, [&calls](int) { return ++calls < 3; }), -1);
    QCOMPARE(calls, 3);
}

// Above the limit the user is told how many pages it will be and asked first; "No"
// opens no preview.
void TestReportEngine::longReportAsksFirst_data()
{
    QTest::addColumn<bool>("goOn");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestReportEngine::longReportAsksFirst()
{
    QFETCH(bool, goOn);
    ListSource source(numberedLines(400));
    ReportEngine engine(twoColumnLayout(), source);
    const int pages = engine.CountPages();
    QVERIFY(pages > 2);
    engine.setAskAbovePages(2);
    QString question;
    bool previewShown = false;
    ScriptedDialogs dialogs;
    dialogs.then([&](QDialog &dialog) {
        auto *box = qobject_cast<QMessageBox *>(&dialog);
        if (!box)
            return int(QDialog::Rejected);
        question = box->text();
        return int(goOn ? QMessageBox::Yes : QMessageBox::No);
    });
    if (goOn)
        dialogs.then([&](QDialog &dialog) {
            previewShown = qobject_cast<QPrintPreviewDialog *>(&dialog) != nullptr;
            return int(QDialog::Accepted);
        });
    const int result = engine.ShowPreview(nullptr);
    QVERIFY(dialogs.done());
    QVERIFY2(question.contains(QStringLiteral("%1 pages").arg(pages)), qPrintable(question));
    QCOMPARE(previewShown, goOn);
    QCOMPARE(result, goOn ? int(QDialog::Accepted) : int(QDialog::Rejected));
}

QTEST_MAIN(TestReportEngine)
#include "tst_reportengine.moc"
