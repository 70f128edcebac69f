#include "core/exchange/gridtext.h"
#include "core/exchange/gridwriters.h"
#include "core/exchange/windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

QByteArray hex(const char *spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
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

} // namespace

class TestGridWriters : public QObject
{
    Q_OBJECT
private slots:
    void xlsBytesOfTwoByTwoGrid();
    void csvLines_data();
    void csvLines();
    void csvField_data();
    void csvField();
    void xlsLabelKeepsTextAsShown();
    void windows1252_data();
    void windows1252();
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

void TestGridWriters::xlsBytesOfTwoByTwoGrid()
{
    const QString path = m_dir.filePath("two.xls");
    QVERIFY(WriteGridXls(twoByTwo(), path));
    const QByteArray expected = hex("09 08 08 00 00 00 10 00 00 00 00 00")
        + hex("04 02 09 00 00 00 00 00 00 00 01 00 41")
        + hex("04 02 08 00 01 00 00 00 00 00 00 00")
        + hex("04 02 09 00 00 00 01 00 00 00 01 00 42")
        + hex("04 02 09 00 01 00 01 00 00 00 01 00 43")
        + hex("0A 00 00 00");
    QCOMPARE(readFile(path).toHex(' '), expected.toHex(' '));
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

void TestGridWriters::xlsLabelKeepsTextAsShown()
{
    const QString path = m_dir.filePath("amount.xls");
    QVERIFY(WriteGridXls(ListGrid({{"1,234.50"}}, 1), path));
    const QByteArray bytes = readFile(path);
    QCOMPARE(bytes.mid(12, 12).toHex(' '), hex("04 02 10 00 00 00 00 00 00 00 08 00").toHex(' '));
    QCOMPARE(bytes.mid(24, 8), QByteArray("1,234.50"));
    QCOMPARE(bytes.size(), 12 + 12 + 8 + 4);
}

void TestGridWriters::windows1252_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Rent 12") << QByteArray("Rent 12");
    QTest::newRow("latin-1 letters") << QStringLiteral("Caf\u00e9 \u00fc\u00df") << QByteArray("Caf\xe9 \xfc\xdf");
    QTest::newRow("euro and quotes") << QStringLiteral("\u20ac5 \u201cx\u201d \u2013")
                                     << QByteArray("\x80" "5 \x93x\x94 \x96");
    QTest::newRow("outside the set") << QStringLiteral("\u0142\u00f3d\u017a") << QByteArray("?\xf3" "d?");
    QTest::newRow("C1 control is not a 1252 letter") << QStringLiteral("a\u0080b") << QByteArray("a?b");
    QTest::newRow("one ? per character beyond 16 bits") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TestGridWriters::windows1252()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToWindows1252(text), bytes);
    QCOMPARE(Windows1252Length(text), bytes.size());

    // The spreadsheet's label text uses it.
    const QString xls = m_dir.filePath("chars.xls");
    QVERIFY(WriteGridXls(ListGrid({{text}}, 1), xls));
    const QByteArray file = readFile(xls);
    QCOMPARE(quint8(file.at(22)) | (quint8(file.at(23)) << 8), bytes.size());
    QCOMPARE(file.mid(24, bytes.size()), bytes);
}

void TestGridWriters::xlsLimits_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cellLength");
    QTest::addColumn<QString>("limitNamed"); // empty: the grid fits
    QTest::newRow("65,536 rows fit") << 65536 << 1 << QString();
    QTest::newRow("65,537 rows refused") << 65537 << 1 << QStringLiteral("65,536");
    QTest::newRow("65,527 characters fit") << 2 << 65527 << QString();
    QTest::newRow("65,528 characters refused") << 2 << 65528 << QStringLiteral("65,527");
}

void TestGridWriters::xlsLimits()
{
    QFETCH(int, rows);
    QFETCH(int, cellLength);
    QFETCH(QString, limitNamed);
    QList<QStringList> cells(rows, QStringList{QStringLiteral("x")});
    cells.last() = QStringList{QString(cellLength, u'y')};
    const ListGrid grid(cells, 1);
    const QString path = m_dir.filePath("limits.xls");
    QFile::remove(path);

    const QString problem = XlsLimitProblem(grid);
    const bool written = WriteGridXls(grid, path);
    if (limitNamed.isEmpty()) {
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(written);
        // The last label: its row number and its text length, not wrapped.
        const QByteArray bytes = readFile(path);
        const QByteArray last = bytes.right(4 + 12 + cellLength).left(12);
        QCOMPARE(quint16(quint8(last.at(4)) | (quint8(last.at(5)) << 8)), quint16(rows - 1));
        QCOMPARE(int(quint8(last.at(10)) | (quint8(last.at(11)) << 8)), cellLength);
    } else {
        QVERIFY(problem.contains(limitNamed));
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
