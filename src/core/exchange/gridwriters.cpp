#include "core/exchange/gridwriters.h"

#include "core/base/texthelpers.h"
#include "core/exchange/gridtext.h"
#include "core/exchange/biff8.h"
#include "core/exchange/compoundfile.h"

#include <QLocale>
#include <QSaveFile>

namespace {

// Bytes collected before each write to the file.
constexpr qsizetype ChunkBytes = 1 << 20;

// Writes what the chunk holds when it has grown past ChunkBytes (or always when
// final); false when a write failed.
bool flushChunk(QSaveFile &file, QByteArray &chunk, bool final = false)
{
    if (chunk.isEmpty() || (!final && chunk.size() < ChunkBytes))
        return true;
    const bool ok = file.write(chunk) == chunk.size();
    chunk.clear();
    return ok;
}

bool finish(QSaveFile &file, QByteArray &chunk)
{
    if (!flushChunk(file, chunk, true)) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

bool fail(QSaveFile &file)
{
    file.cancelWriting();
    file.commit(); // removes the temporary file; the target stays as it was
    return false;
}

} // namespace

QString XlsLimitProblem(const GridText &grid)
{
    // Grouped with commas like every number the program shows.
    const QLocale c(QLocale::English, QLocale::UnitedStates);
    if (grid.RowCount() > XlsMaxRows) {
        return QStringLiteral("The list has %1 rows; an Excel file holds at most %2 rows. "
                              "Export it to a CSV file instead.")
            .arg(c.toString(grid.RowCount()), c.toString(XlsMaxRows));
    }
    if (grid.ColCount() > XlsMaxCols) {
        return QStringLiteral("The list has %1 columns; an Excel file holds at most %2 columns. "
                              "Export it to a CSV file instead.")
            .arg(c.toString(grid.ColCount()), c.toString(XlsMaxCols));
    }
    for (int col = 0; col < grid.ColCount(); ++col) {
        for (int row = 0; row < grid.RowCount(); ++row) {
            const qsizetype length = grid.Cell(col, row).size();
            if (length > XlsMaxTextLength) {
                return QStringLiteral("The cell in row %1, column %2 holds %3 characters; a cell of an "
                                      "Excel file holds at most %4. Export it to a CSV file instead.")
                    .arg(c.toString(row), c.toString(col), c.toString(length), c.toString(XlsMaxTextLength));
            }
        }
    }
    return {};
}

bool WriteGridXls(const GridText &grid, const QString &fileName)
{
    if (!XlsLimitProblem(grid).isEmpty())
        return false;
    const QByteArray workbook = Biff8Workbook(grid);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!WriteCompoundFile(file, QStringLiteral("Workbook"), workbook))
        return fail(file);
    return file.commit();
}

QString CsvField(const QString &cell)
{
    QString field = cell;
    // A text a spreadsheet would run as a formula gets a leading apostrophe; amounts
    // ("-12.00", "-1,234.50") are numbers and stay as they are.
    if (!field.isEmpty()) {
        const QChar first = field.front();
        const bool formulaStart = first == u'=' || first == u'+' || first == u'-' || first == u'@'
                                  || first == u'\t' || first == u'\r';
        if (formulaStart && !IsNumber(QString(field).remove(u',')))
            field.prepend(u'\'');
    }
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\r') || field.contains(u'\n')) {
        field.replace(u'"', QStringLiteral("\"\""));
        field.prepend(u'"');
        field.append(u'"');
    }
    return field;
}

bool WriteGridCsv(const GridText &grid, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    chunk.reserve(ChunkBytes + 4096);
    // UTF-8 with a byte-order mark: every character survives, and spreadsheet programs
    // take the mark as the sign of UTF-8.
    chunk.append("\xEF\xBB\xBF", 3);
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            chunk.append(CsvField(grid.Cell(col, row)).toUtf8());
            chunk.append(',');
        }
        chunk.append("\r\n", 2);
        if (!flushChunk(file, chunk))
            return fail(file);
    }
    return finish(file, chunk);
}
