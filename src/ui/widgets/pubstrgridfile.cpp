#include "ui/widgets/pubstrgrid.h"

#include "core/base/tillbrookerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

// The grid file: the whole grid kept in a text file, one cell per line, with a backup
// copy of the previous file.

namespace {

// The file holds one cell per line.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

[[noreturn]] void damaged(const QString &name, const QString &what)
{
    throw TillbrookError(QStringLiteral("The grid file %1 cannot be read: %2").arg(name, what));
}

int number(const QString &name, QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        damaged(name, QStringLiteral("\"%1\" is not a number.").arg(text));
    return value;
}

} // namespace

void TPubStrGrid::SetFileName(const QString &name)
{
    m_fileName = name;
    if (!name.isEmpty())
        LoadFromFile(name);
}

QString TPubStrGrid::BackupFileName(const QString &name)
{
    const QFileInfo info(name);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return name + QStringLiteral(".bak");
    return name.left(name.size() - suffix.size()) + QStringLiteral("bak");
}

void TPubStrGrid::SaveToFile(const QString &name)
{
    const QString backup = BackupFileName(name);
    if (AutoBackup && QFileInfo::exists(name) && QFileInfo(backup) != QFileInfo(name)) {
        QFile::remove(backup);
        if (!QFile::rename(name, backup))
            throw TillbrookError(QStringLiteral("Could not keep a backup copy of %1 as %2.").arg(name, backup));
    }

    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw TillbrookError(QStringLiteral("Could not write %1: %2").arg(name, file.errorString()));
    QTextStream out(&file);
    const QString d(CellDelimiter);
    const QLatin1String eol("\r\n");
    out << d << eol;
    out << RowCount() << d << ColCount() << eol;
    out << DefaultRowHeight() << eol;
    out << oneLine(Caption1) << eol;
    out << oneLine(Caption2) << eol;
    out << (Caption2Placement == cpTop ? "Top" : "Bottom") << eol;
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (RowHeights(r) != DefaultRowHeight())
            out << "Row " << r << " Height: " << RowHeights(r) << eol;
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) != DefaultColWidth())
            out << "Column " << c << " Width: " << ColWidths(c) << eol;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (const QString &text = m_model->Cell(c, r); !text.isEmpty())
                out << c << d << r << d << oneLine(text) << eol;
    out << eol;
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit())
        throw TillbrookError(QStringLiteral("Could not write %1: %2").arg(name, file.errorString()));
}

void TPubStrGrid::LoadFromFile(const QString &name)
{
    QFile file(name);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw TillbrookError(QStringLiteral("Could not read %1: %2").arg(name, file.errorString()));
    QTextStream in(&file);

    // Read everything first, so a damaged file leaves the grid as it was.
    struct Cell
    {
        int col, row;
        QString text;
    };
    const QString first = in.readLine();
    const QChar d = first.isEmpty() ? QChar(u'|') : first.front();
    const QString counts = in.readLine();
    const qsizetype split = counts.indexOf(d);
    if (split < 0)
        damaged(name, QStringLiteral("no row and column count."));
    const int rows = number(name, QStringView(counts).left(split));
    const int cols = number(name, QStringView(counts).mid(split + 1));
    if (rows < 0 || cols < 0 || qint64(rows) * cols > 100'000'000)
        damaged(name, QStringLiteral("impossible size %1 x %2.").arg(rows).arg(cols));
    const int defaultHeight = number(name, in.readLine());
    const QString caption1 = in.readLine();
    const QString caption2 = in.readLine();
    const TCaption2Placement placement = in.readLine() == QLatin1String("Top") ? cpTop : cpBottom;
    QList<std::pair<int, int>> heights;
    QList<std::pair<int, int>> widths;
    QList<Cell> cells;
    auto checkIndex = [&](int index, int limit, const char *what) {
        if (index < 0 || index >= limit)
            damaged(name, QStringLiteral("%1 %2 is outside the grid.").arg(QLatin1String(what)).arg(index));
        return index;
    };
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1String("Row"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Height: "));
            if (at < 0)
                damaged(name, line);
            heights.append({checkIndex(number(name, QStringView(line).mid(4, at - 4)), rows, "row"),
                            number(name, QStringView(line).mid(at + 9))});
        } else if (line.startsWith(QLatin1String("Column"))) {
            const qsizetype at = line.indexOf(QLatin1String(" Width: "));
            if (at < 0)
                damaged(name, line);
            widths.append({checkIndex(number(name, QStringView(line).mid(7, at - 7)), cols, "column"),
                           number(name, QStringView(line).mid(at + 8))});
        } else if (const qsizetype d1 = line.indexOf(d); d1 >= 0) {
            const qsizetype d2 = line.indexOf(d, d1 + 1);
            if (d2 < 0)
                damaged(name, line);
            const int col = checkIndex(number(name, QStringView(line).left(d1)), cols, "column");
            const int row = checkIndex(number(name, QStringView(line).mid(d1 + 1, d2 - d1 - 1)), rows, "row");
            cells.append({col, row, line.mid(d2 + 1)});
        }
    }
    if (in.status() != QTextStream::Ok)
        throw TillbrookError(QStringLiteral("Could not read %1.").arg(name));

    CellDelimiter = d;
    Caption1 = caption1;
    Caption2 = caption2;
    Caption2Placement = placement;
    BeginUpdate();
    // A cell that is empty in the file must not keep what the grid held before.
    ClearCells();
    SetColCount(cols);
    SetRowCount(rows);
    for (const Cell &cell : std::as_const(cells))
        SetCell(cell.col, cell.row, cell.text);
    SetDefaultRowHeight(defaultHeight);
    EndUpdate(); // every row back at the default height
    for (int c = 0; c < cols; ++c)
        SetColWidths(c, DefaultColWidth());
    for (const auto &[row, height] : std::as_const(heights))
        SetRowHeights(row, height);
    for (const auto &[col, width] : std::as_const(widths))
        SetColWidths(col, width);
}
