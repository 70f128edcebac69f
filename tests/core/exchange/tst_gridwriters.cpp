#include "core/exchange/compoundfile.h"
#include "core/exchange/gridcells.h"
#include "core/exchange/gridtext.h"
#include "core/exchange/gridwriters.h"
#include "support/xlsreader.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A grid given as rows of texts (row 0 the header); short rows read as empty cells.
class ListGrid : public GridText
{
public:
    ListGrid(QList<QStringList> rows, int cols) : m_rows(std::move(rows)), m_cols(cols) {}
    int RowCount() const override { return int(m_rows.size()); }
    int ColCount() const override { return m_cols; }
    QString Cell(int col, int row) const override { return m_rows.at(row).value(col); }

private:
    QList<QStringList> m_rows;
    int m_cols;
};

// The 2-by-2 grid: A B / (empty) C.
ListGrid twoByTwo()
{
    return ListGrid({{"A", "B"}, {"", "C"}}, 2);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Files larger than limit bytes cannot be written while this lives (root included).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit next = m_old;
        next.rlim_cur = limit;
        m_ok = setrlimit(RLIMIT_FSIZE, &next) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

using Writer = bool (*)(const GridText &, const QString &);

// The register's columns as a grid shows them, read back from the written file.
const QString Unicode = QStringLiteral("Za\u017c\u00f3\u0142\u0107 \u0142\u00f3d\u017a \u65e5\u672c");

ListGrid registerGrid()
{
    return ListGrid({{"Date", "Payee", "Pay", "Receive", "Balance", "Note", "Number"},
                     {"31/03/2024", Unicode, "1,234.50", "", "-1,234.50", "first\r\nsecond", "101"},
                     {"01/04/2024", "Caf\u00e9 \u20ac", "", "12.00", "-1,222.50", "", "102"},
                     {"29/02/2024", "=1+1", "0.05", "", "-1,222.55", "one line", ""}},
                    7);
}

} // namespace

class TestGridWriters : public QObject
{
    Q_OBJECT
private slots:
    void gridAmountValue_data();
    void gridAmountValue();
    void gridColumnKind_data();
    void gridColumnKind();
    void xlsCells();
    void xlsLongTextRunsOnInContinueRecords();
    void compoundFileOfLargeStream();
    void xlsReadByLibreOffice();
    void csvLines_data();
    void csvLines();
    void csvField_data();
    void csvField();
    void xlsLimits_data();
    void xlsLimits();
    void failedWriteLeavesNoFile_data();
    void failedWriteLeavesNoFile();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void successReplacesOldFile();

private:
    QTemporaryDir m_dir;
};

// Amounts as the grids show them, and texts that only look like one.
void TestGridWriters::gridAmountValue_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("isAmount");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "12.00" << true << 12.0;
    QTest::newRow("negative") << "-12.00" << true << -12.0;
    QTest::newRow("grouped") << "1,234.50" << true << 1234.5;
    QTest::newRow("grouped twice, negative") << "-1,234,567.89" << true << -1234567.89;
    QTest::newRow("zero") << "0.00" << true << 0.0;
    QTest::newRow("negative zero") << "-0.00" << true << 0.0;
    QTest::newRow("four decimals") << "0.1234" << true << 0.1234;
    QTest::newRow("ungrouped large") << "1234567.00" << true << 1234567.0;
    QTest::newRow("whole number") << "12" << false << 0.0;
    QTest::newRow("misplaced comma") << "12,34.00" << false << 0.0;
    QTest::newRow("leading blank") << " 12.00" << false << 0.0;
    QTest::newRow("plus sign") << "+12.00" << false << 0.0;
    QTest::newRow("trailing line break") << "12.00\n" << false << 0.0;
    QTest::newRow("exponent") << "1.0e5" << false << 0.0;
    QTest::newRow("date") << "31/03/2024" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestGridWriters::gridAmountValue()
{
    QFETCH(QString, cell);
    QFETCH(bool, isAmount);
    QFETCH(double, value);
    const std::optional<double> read = GridAmountValue(cell);
    QCOMPARE(read.has_value(), isAmount);
    if (isAmount) {
        QCOMPARE(*read, value);
        QCOMPARE(std::signbit(*read), std::signbit(value));
    }
}

// A column is decided by every non-empty cell below its header.
void TestGridWriters::gridColumnKind_data()
{
    QTest::addColumn<QStringList>("column"); // the header first
    QTest::addColumn<int>("kind");
    QTest::newRow("amounts") << QStringList{"Pay", "1,234.50", "-12.00", "0.00"} << int(GridColumnKind::Amount);
    QTest::newRow("amounts with blanks") << QStringList{"Receive", "", "12.00", ""} << int(GridColumnKind::Amount);
    QTest::newRow("header is never data") << QStringList{"12.00", "text"} << int(GridColumnKind::Text);
    QTest::newRow("header that reads as a date")
        << QStringList{"01/01/2024", "5.00"} << int(GridColumnKind::Amount);
    QTest::newRow("one text among amounts") << QStringList{"Balance", "1.00", "n/a", "2.00"} << int(GridColumnKind::Text);
    QTest::newRow("dates") << QStringList{"Date", "31/03/2024", "01/04/2024"} << int(GridColumnKind::Date);
    QTest::newRow("impossible date") << QStringList{"Date", "31/03/2024", "31/04/2024"} << int(GridColumnKind::Text);
    QTest::newRow("dates and amounts mixed") << QStringList{"x", "31/03/2024", "1.00"} << int(GridColumnKind::Text);
    QTest::newRow("numbers without decimals stay text")
        << QStringList{"Number", "101", "102"} << int(GridColumnKind::Text);
    QTest::newRow("only blanks") << QStringList{"Memo", "", ""} << int(GridColumnKind::Text);
    QTest::newRow("header only") << QStringList{"Pay"} << int(GridColumnKind::Text);
}

void TestGridWriters::gridColumnKind()
{
    QFETCH(QStringList, column);
    QFETCH(int, kind);
    QList<QStringList> rows;
    for (const QString &cell : column)
        rows.append({QStringLiteral("text"), cell});
    QCOMPARE(int(GridColumnKindOf(ListGrid(rows, 2), 1)), kind);
    QVERIFY(GridColumnKindOf(ListGrid(rows, 2), 0) == GridColumnKind::Text);
}

void TestGridWriters::xlsCells()
{
    const QString path = m_dir.filePath("cells.xls");
    QVERIFY(WriteGridXls(registerGrid(), path));
    const XlsSheet sheet = ReadXlsSheet(readFile(path));
    QVERIFY2(sheet.problem.isEmpty(), qPrintable(sheet.problem));
    QCOMPARE(sheet.codepage, 1200);
    QCOMPARE(sheet.dimensionRows, 4);
    QCOMPARE(sheet.dimensionCols, 7);

    const auto cell = [&](int row, int col) { return sheet.cells.value({row, col}); };
    const auto text = [&](int row, int col, const QString &expected) {
        const XlsCell c = cell(row, col);
        return c.record == 0x00FD && c.text == expected && c.format.isEmpty() && c.wrap == expected.contains(u'\n');
    };
    const auto number = [&](int row, int col, double value, const QString &format) {
        const XlsCell c = cell(row, col);
        return c.record == 0x0203 && qFuzzyCompare(c.number + 1, value + 1) && c.format == format;
    };
    // The header row stays text.
    QVERIFY(text(0, 0, "Date"));
    QVERIFY(text(0, 2, "Pay"));
    // Dates as days since 30/12/1899.
    QVERIFY(number(1, 0, 45382, "dd/mm/yyyy"));
    QVERIFY(number(2, 0, 45383, "dd/mm/yyyy"));
    QVERIFY(number(3, 0, 45351, "dd/mm/yyyy"));
    // Every character of the text.
    QVERIFY(text(1, 1, Unicode));
    QVERIFY(text(2, 1, QStringLiteral("Caf\u00e9 \u20ac")));
    QVERIFY(text(3, 1, "=1+1"));
    // Amounts as numbers.
    QVERIFY(number(1, 2, 1234.5, "#,##0.00"));
    QVERIFY(number(3, 2, 0.05, "#,##0.00"));
    QVERIFY(number(2, 3, 12, "#,##0.00"));
    QVERIFY(number(1, 4, -1234.5, "#,##0.00"));
    QVERIFY(number(3, 4, -1222.55, "#,##0.00"));
    // A line break kept, in a cell that wraps.
    QVERIFY(text(1, 5, "first\nsecond"));
    QVERIFY(text(3, 5, "one line"));
    // Its row tall enough for both lines; the others as they are.
    QCOMPARE(sheet.rowHeights, (QHash<int, int>{{1, 2 * 255}}));
    // Whole numbers stay text as shown.
    QVERIFY(text(1, 6, "101"));
    // Empty cells are not written.
    QVERIFY(!sheet.cells.contains({1, 3}));
    QVERIFY(!sheet.cells.contains({3, 6}));
    QCOMPARE(sheet.cells.size(), 4 * 7 - 5);
}

// Texts longer than a record: the shared strings go on in CONTINUE records, the
// characters of one text split between them.
void TestGridWriters::xlsLongTextRunsOnInContinueRecords()
{
    QString wide;
    for (int i = 0; i < XlsMaxTextLength; ++i)
        wide.append(QChar(0x4E00 + i % 500));
    const QString narrow = QString(XlsMaxTextLength - 1, u'a') + u'z';
    QList<QStringList> rows;
    for (int i = 0; i < 300; ++i)
        rows.append({QStringLiteral("row %1 \u0142").arg(i), QString::number(i)});
    rows[5] = {wide, narrow};
    rows[6] = {narrow + QString(), QStringLiteral("after")};
    const QString path = m_dir.filePath("long.xls");
    QVERIFY(WriteGridXls(ListGrid(rows, 2), path));
    const XlsSheet sheet = ReadXlsSheet(readFile(path));
    QVERIFY2(sheet.problem.isEmpty(), qPrintable(sheet.problem));
    QCOMPARE(sheet.cells.value({5, 0}).text, wide);
    QCOMPARE(sheet.cells.value({5, 1}).text, narrow);
    QCOMPARE(sheet.cells.value({6, 0}).text, narrow);
    QCOMPARE(sheet.cells.value({6, 1}).text, QStringLiteral("after"));
    for (int i = 0; i < 300; ++i) {
        if (i != 5 && i != 6)
            QCOMPARE(sheet.cells.value({i, 0}).text, QStringLiteral("row %1 \u0142").arg(i));
    }
}

// A stream needing more FAT sectors than the header lists (over 109, about 7 MB)
// is mapped through DIFAT sectors; a short one is padded out of the mini-stream.
void TestGridWriters::compoundFileOfLargeStream()
{
    for (const qsizetype size : {qsizetype(10), qsizetype(4096), qsizetype(5000), qsizetype(9'000'000)}) {
        QByteArray stream(size, '\0');
        for (qsizetype i = 0; i < size; ++i)
            stream[i] = char((i * 7 + i / 511) & 0xFF);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(WriteCompoundFile(buffer, QStringLiteral("Workbook"), stream));
        QCOMPARE(buffer.data().size() % 512, 0);
        QString problem;
        const QByteArray read = CompoundStream(buffer.data(), QStringLiteral("Workbook"), &problem);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(read.size(), qMax(size, qsizetype(4096)));
        QVERIFY(read.left(size) == stream);
        QCOMPARE(read.mid(size), QByteArray(read.size() - size, '\0'));
    }
}

// LibreOffice reads the workbook as meant: numbers, dates, every character and the
// line break (checked in its flat OpenDocument form).
void TestGridWriters::xlsReadByLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir home;
    const QString path = home.filePath("register.xls");
    QVERIFY(WriteGridXls(registerGrid(), path));
    QProcess convert;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath("config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath("cache"));
    convert.setProcessEnvironment(env);
    convert.start(soffice, {QStringLiteral("--headless"), QStringLiteral("--norestore"),
                            QStringLiteral("-env:UserInstallation=file://") + home.filePath("profile"),
                            QStringLiteral("--convert-to"), QStringLiteral("fods"),
                            QStringLiteral("--outdir"), home.path(), path});
    QVERIFY(convert.waitForFinished(180000));
    const QByteArray fodsBytes = readFile(home.filePath("register.fods"));
    QVERIFY2(!fodsBytes.startsWith("<missing>"), convert.readAllStandardError().constData());
    // Without the indentation between elements; the texts keep their own blanks.
    const QString fods = QString::fromUtf8(fodsBytes).replace(QRegularExpression(QStringLiteral(">\\s+<")),
                                                             QStringLiteral("><"));

    // Each data row's cells in order, as "type|value|text" (repeated empty cells once).
    static const QRegularExpression rowPattern(QStringLiteral("<table:table-row\\b[^>]*>(.*?)</table:table-row>"),
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellPattern(
        QStringLiteral("<table:table-cell\\b([^>]*?)(/>|>(.*?)</table:table-cell>)"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression attr(QStringLiteral("office:(value-type|value|date-value)=\"([^\"]*)\""));
    QList<QStringList> table;
    for (auto row = rowPattern.globalMatch(fods); row.hasNext();) {
        QStringList cells;
        for (auto cell = cellPattern.globalMatch(row.next().captured(1)); cell.hasNext();) {
            const auto c = cell.next();
            QString type, value;
            for (auto a = attr.globalMatch(c.captured(1)); a.hasNext();) {
                const auto m = a.next();
                (m.captured(1) == QLatin1String("value-type") ? type : value) = m.captured(2);
            }
            QString inner = c.captured(3);
            inner.replace(QStringLiteral("<text:line-break/>"), QStringLiteral("\n"));
            inner.replace(QStringLiteral("</text:p><text:p>"), QStringLiteral("\n"));
            inner.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            inner.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            cells.append(type + u'|' + value + u'|' + inner);
        }
        table.append(cells);
    }
    QVERIFY2(table.size() >= 4, qPrintable(fods.left(2000)));
    QCOMPARE(table.at(0).mid(0, 3), (QStringList{"string||Date", "string||Payee", "string||Pay"}));
    const QStringList first = table.at(1);
    QCOMPARE(first.value(0), QStringLiteral("date|2024-03-31|31/03/2024"));
    QCOMPARE(first.value(1), QStringLiteral("string||") + Unicode);
    QCOMPARE(first.value(2), QStringLiteral("float|1234.5|1,234.50"));
    QCOMPARE(first.value(3), QStringLiteral("||"));
    QCOMPARE(first.value(4), QStringLiteral("float|-1234.5|-1,234.50"));
    QCOMPARE(first.value(5), QStringLiteral("string||first\nsecond"));
    QCOMPARE(first.value(6), QStringLiteral("string||101"));
    QCOMPARE(table.at(2).value(1), QStringLiteral("string||Caf\u00e9 \u20ac"));
    QCOMPARE(table.at(2).value(3), QStringLiteral("float|12|12.00"));
    QCOMPARE(table.at(3).value(0), QStringLiteral("date|2024-02-29|29/02/2024"));
    QCOMPARE(table.at(3).value(1), QStringLiteral("string||=1+1"));
    QCOMPARE(table.at(3).value(2), QStringLiteral("float|0.05|0.05"));
}

void TestGridWriters::csvLines_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray bom("\xEF\xBB\xBF");
    QTest::newRow("two by two") << QList<QStringList>{{"A", "B"}, {"", "C"}} << 2
                                << bom + "A,B,\r\n,C,\r\n";
    QTest::newRow("commas kept inside quotes")
        << QList<QStringList>{{"Pay - ", "Note"}, {"1,234.50", "rent, March"}} << 2
        << bom + "Pay - ,Note,\r\n\"1,234.50\",\"rent, March\",\r\n";
    QTest::newRow("a line break stays in its cell")
        << QList<QStringList>{{"a\r\nb", "x"}} << 2 << bom + "\"a\r\nb\",x,\r\n";
    QTest::newRow("empty cells keep their place")
        << QList<QStringList>{{"", "", ""}} << 3 << bom + ",,,\r\n";
    QTest::newRow("header only") << QList<QStringList>{{"Number"}} << 1 << bom + "Number,\r\n";
    QTest::newRow("no rows") << QList<QStringList>{} << 3 << bom;
    QTest::newRow("every character, in UTF-8")
        << QList<QStringList>{{QStringLiteral("Za\u017c\u00f3\u0142\u0107 \u0142\u00f3d\u017a \u65e5\u672c \U0001F600")}} << 1
        << bom + QStringLiteral("Za\u017c\u00f3\u0142\u0107 \u0142\u00f3d\u017a \u65e5\u672c \U0001F600,\r\n").toUtf8();
}

// One cell as a field: RFC 4180 quoting, and no formula a spreadsheet would run.
void TestGridWriters::csvField_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "Grocer" << "Grocer";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("comma") << "a,b" << "\"a,b\"";
    QTest::newRow("leading quote") << "\"quoted\" rest" << "\"\"\"quoted\"\" rest\"";
    QTest::newRow("line feed") << "a\nb" << "\"a\nb\"";
    QTest::newRow("carriage return inside") << "a\rb" << "\"a\rb\"";
    QTest::newRow("formula") << "=1+1" << "'=1+1";
    QTest::newRow("plus formula") << "+SUM(A1)" << "'+SUM(A1)";
    QTest::newRow("minus text") << "-x" << "'-x";
    QTest::newRow("at") << "@cmd" << "'@cmd";
    QTest::newRow("tab") << "\tx" << "'\tx";
    QTest::newRow("leading CR is quoted too") << "\rx" << "\"'\rx\"";
    QTest::newRow("formula with a comma") << "=HYPERLINK(\"a\",1)" << "\"'=HYPERLINK(\"\"a\"\",1)\"";
    QTest::newRow("negative amount is a number") << "-12.00" << "-12.00";
    QTest::newRow("grouped negative amount") << "-1,234.50" << "\"-1,234.50\"";
    QTest::newRow("plus number") << "+5" << "+5";
}

void TestGridWriters::csvField()
{
    QFETCH(QString, cell);
    QFETCH(QString, field);
    QCOMPARE(CsvField(cell), field);
}

void TestGridWriters::csvLines()
{
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, cols);
    QFETCH(QByteArray, expected);
    const QString path = m_dir.filePath("lines.csv");
    QVERIFY(WriteGridCsv(ListGrid(rows, cols), path));
    QCOMPARE(readFile(path), expected);
}

void TestGridWriters::xlsLimits_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("cellLength");
    QTest::addColumn<QString>("limitNamed"); // empty: the grid fits
    QTest::newRow("65,536 rows fit") << 65536 << 1 << 1 << QString();
    QTest::newRow("65,537 rows refused") << 65537 << 1 << 1 << QStringLiteral("65,536 rows");
    QTest::newRow("256 columns fit") << 2 << 256 << 1 << QString();
    QTest::newRow("257 columns refused") << 2 << 257 << 1 << QStringLiteral("256 columns");
    QTest::newRow("32,767 characters fit") << 2 << 1 << 32767 << QString();
    QTest::newRow("32,768 characters refused") << 2 << 1 << 32768 << QStringLiteral("32,767");
}

void TestGridWriters::xlsLimits()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, cellLength);
    QFETCH(QString, limitNamed);
    QList<QStringList> cells(rows, QStringList(cols, QStringLiteral("x")));
    cells.last().last() = QString(cellLength, u'y');
    const ListGrid grid(cells, cols);
    const QString path = m_dir.filePath("limits.xls");
    QFile::remove(path);

    const QString problem = XlsLimitProblem(grid);
    const bool written = WriteGridXls(grid, path);
    if (limitNamed.isEmpty()) {
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(written);
        // The last cell, in its place and whole.
        const XlsSheet sheet = ReadXlsSheet(readFile(path));
        QVERIFY2(sheet.problem.isEmpty(), qPrintable(sheet.problem));
        QCOMPARE(sheet.dimensionRows, rows);
        QCOMPARE(sheet.dimensionCols, cols);
        QCOMPARE(sheet.cells.value({rows - 1, cols - 1}).text, QString(cellLength, u'y'));
        QCOMPARE(sheet.cells.size(), qsizetype(rows) * cols);
    } else {
        QVERIFY2(problem.contains(limitNamed), qPrintable(problem));
        QVERIFY(problem.contains(QStringLiteral("CSV")));
        QVERIFY(!written);
        QVERIFY(!QFile::exists(path));
    }
}

void TestGridWriters::failedWriteLeavesNoFile_data()
{
    QTest::addColumn<bool>("xls");
    QTest::addColumn<QString>("folderKind");
    QTest::newRow("xls, missing folder") << true << "missing";
    QTest::newRow("csv, missing folder") << false << "missing";
    QTest::newRow("xls, read-only folder") << true << "read-only";
    QTest::newRow("csv, read-only folder") << false << "read-only";
}

void TestGridWriters::failedWriteLeavesNoFile()
{
    QFETCH(bool, xls);
    QFETCH(QString, folderKind);
    const Writer write = xls ? WriteGridXls : WriteGridCsv;
    QString folder = m_dir.filePath(folderKind);
    if (folderKind == QLatin1String("read-only")) {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }
    const QString path = folder + QStringLiteral("/out.file");
    QVERIFY(!write(twoByTwo(), path));
    QVERIFY(!QFile::exists(path));
    if (QDir(folder).exists()) {
        QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void TestGridWriters::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("xls");
    QTest::newRow("xls") << true;
    QTest::newRow("csv") << false;
}

void TestGridWriters::failedWriteKeepsOldFile()
{
    QFETCH(bool, xls);
    const Writer write = xls ? WriteGridXls : WriteGridCsv;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.file"));
    const QByteArray old("the good old file\r\n");
    writeFile(path, old);

    // A grid far larger than the files the limit allows: the write fails part way.
    QList<QStringList> rows(5000, QStringList{QStringLiteral("some text"), QStringLiteral("1,234.50")});
    bool written = true;
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.ok());
        written = write(ListGrid(rows, 2), path);
    }
    QVERIFY(!written);
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.file")});
}

void TestGridWriters::successReplacesOldFile()
{
    const QString path = m_dir.filePath("replace.csv");
    writeFile(path, QByteArray(10000, 'z'));
    QVERIFY(WriteGridCsv(twoByTwo(), path));
    QCOMPARE(readFile(path), QByteArray("\xEF\xBB\xBF" "A,B,\r\n,C,\r\n"));
}

QTEST_GUILESS_MAIN(TestGridWriters)
#include "tst_gridwriters.moc"
