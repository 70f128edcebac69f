#include "core/exchange/biff8.h"

#include "core/exchange/gridcells.h"
#include "core/exchange/gridtext.h"

#include <QHash>
#include <QList>

#include <cstring>

namespace {

// A record's data is at most 8,224 bytes; longer data goes on in CONTINUE records.
constexpr qsizetype MaxRecordData = 8224;

namespace Rec {
constexpr quint16 Bof = 0x0809, Eof = 0x000A, Codepage = 0x0042, Window1 = 0x003D, Font = 0x0031,
                  Format = 0x041E, Xf = 0x00E0, Style = 0x0293, BoundSheet = 0x0085, Sst = 0x00FC,
                  Continue = 0x003C, ExtSst = 0x00FF, Dimensions = 0x0200, Window2 = 0x023E,
                  Number = 0x0203, LabelSst = 0x00FD, Row = 0x0208, ColInfo = 0x007D;
}

// Cell formats: index 15 onwards follow the 15 style formats.
constexpr quint16 XfGeneral = 15, XfAmount = 16, XfDate = 17, XfWrap = 18;
constexpr quint16 FormatAmount = 164, FormatDate = 165;

void add8(QByteArray &out, quint8 value)
{
    out.append(char(value));
}

void add16(QByteArray &out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void add32(QByteArray &out, quint32 value)
{
    add16(out, quint16(value & 0xFFFF));
    add16(out, quint16(value >> 16));
}

void addDouble(QByteArray &out, double value)
{
    quint64 bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    add32(out, quint32(bits & 0xFFFFFFFF));
    add32(out, quint32(bits >> 32));
}

void addRecord(QByteArray &out, quint16 type, const QByteArray &data)
{
    add16(out, type);
    add16(out, quint16(data.size()));
    out.append(data);
}

bool fitsInOneByte(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// Characters one byte each when all fit, otherwise UTF-16LE; flags 0 or 1.
void addChars(QByteArray &out, const QString &text, bool wide)
{
    for (const QChar c : text) {
        if (wide)
            add16(out, c.unicode());
        else
            add8(out, quint8(c.unicode()));
    }
}

// A string with a 1-byte length (font and sheet names).
void addShortString(QByteArray &out, const QString &text)
{
    const bool wide = !fitsInOneByte(text);
    add8(out, quint8(text.size()));
    add8(out, wide ? 1 : 0);
    addChars(out, text, wide);
}

// A string with a 2-byte length.
void addString(QByteArray &out, const QString &text)
{
    const bool wide = !fitsInOneByte(text);
    add16(out, quint16(text.size()));
    add8(out, wide ? 1 : 0);
    addChars(out, text, wide);
}

QByteArray bof(quint16 kind)
{
    QByteArray data;
    add16(data, 0x0600); // BIFF8
    add16(data, kind);
    add16(data, 0x0DBB); // build
    add16(data, 0x07CC); // year
    add32(data, 0);
    add32(data, 0x00000006); // lowest version that can read it
    return data;
}

QByteArray font()
{
    QByteArray data;
    add16(data, 200);    // 10 points in twips
    add16(data, 0);      // not italic, not struck out
    add16(data, 0x7FFF); // automatic colour
    add16(data, 400);    // normal weight
    add16(data, 0);      // no super- or subscript
    add8(data, 0);       // no underline
    add8(data, 0);       // family
    add8(data, 0);       // character set
    add8(data, 0);
    addShortString(data, QStringLiteral("Arial"));
    return data;
}

QByteArray format(quint16 index, const QString &code)
{
    QByteArray data;
    add16(data, index);
    addString(data, code);
    return data;
}

// A style format (style) or a cell format based on the Normal style; "used" marks
// what a cell format sets itself (number format 0x04, alignment 0x10).
QByteArray xf(bool style, quint16 numberFormat, bool wrap, quint8 used)
{
    QByteArray data;
    add16(data, 0); // font
    add16(data, numberFormat);
    add16(data, style ? 0xFFF5 : 0x0001); // locked; a style has no parent
    add8(data, wrap ? 0x28 : 0x20);       // bottom aligned, wrapped or not
    add8(data, 0);                        // no rotation
    add8(data, 0);                        // no indent
    add8(data, used);
    add32(data, 0); // no borders
    add32(data, 0);
    add16(data, 0x20C0); // pattern colours: automatic
    return data;
}

// The shared-string table: strings in SST and CONTINUE records, and the EXTSST
// index that points to every eighth of them.
class SharedStrings
{
public:
    quint32 indexOf(const QString &text)
    {
        ++m_uses;
        const auto found = m_index.constFind(text);
        if (found != m_index.cend())
            return *found;
        const quint32 index = quint32(m_strings.size());
        m_index.insert(text, index);
        m_strings.append(text);
        return index;
    }
    bool isEmpty() const { return m_strings.isEmpty(); }

    // Appends SST, its CONTINUE records and EXTSST; streamOffset is where `out` starts
    // in the stream.
    void write(QByteArray &out, qsizetype streamOffset) const
    {
        const int perBucket = qMax(8, int((m_strings.size() + 127) / 128));
        QByteArray ext;
        add16(ext, quint16(perBucket));
        qsizetype record = out.size();
        add16(out, Rec::Sst);
        add16(out, 0);
        add32(out, m_uses);
        add32(out, quint32(m_strings.size()));
        const auto room = [&] { return MaxRecordData - (out.size() - record - 4); };
        const auto closeRecord = [&] {
            const quint16 length = quint16(out.size() - record - 4);
            out[record + 2] = char(length & 0xFF);
            out[record + 3] = char(length >> 8);
        };
        const auto newContinue = [&] {
            closeRecord();
            record = out.size();
            add16(out, Rec::Continue);
            add16(out, 0);
        };
        for (qsizetype i = 0; i < m_strings.size(); ++i) {
            const QString &text = m_strings.at(i);
            const bool wide = !fitsInOneByte(text);
            const int charBytes = wide ? 2 : 1;
            // The length and flags never split from the first character.
            if (room() < 3 + charBytes)
                newContinue();
            if (i % perBucket == 0) {
                add32(ext, quint32(streamOffset + out.size()));
                add16(ext, quint16(out.size() - record));
                add16(ext, 0);
            }
            add16(out, quint16(text.size()));
            add8(out, wide ? 1 : 0);
            qsizetype done = 0;
            while (done < text.size()) {
                if (room() < charBytes) {
                    // The rest of the characters go on with their flags repeated.
                    newContinue();
                    add8(out, wide ? 1 : 0);
                }
                const qsizetype count = qMin(text.size() - done, room() / charBytes);
                addChars(out, text.mid(done, count), wide);
                done += count;
            }
        }
        closeRecord();
        addRecord(out, Rec::ExtSst, ext);
    }

private:
    QHash<QString, quint32> m_index;
    QStringList m_strings;
    quint32 m_uses = 0;
};

// A grid cell's text with line breaks as a spreadsheet keeps them: a line feed.
QString cellText(const QString &cell)
{
    QString text = cell;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QByteArray cellHead(int row, int col, quint16 xfIndex)
{
    QByteArray data;
    add16(data, quint16(row));
    add16(data, quint16(col));
    add16(data, xfIndex);
    return data;
}

// A row as tall as its most broken text, so that every line shows.
QByteArray tallRow(int row, int cols, int lines)
{
    constexpr int LineTwips = 255; // one line of 10-point Arial
    QByteArray data;
    add16(data, quint16(row));
    add16(data, 0);
    add16(data, quint16(cols));
    add16(data, quint16(qMin(lines * LineTwips, 8192)));
    add16(data, 0);
    add16(data, 0);
    add16(data, 0x0140); // height set for the row; the required bit 8
    add16(data, XfGeneral);
    return data;
}

// Columns wide enough for their longest line, within reason.
QByteArray columnWidth(int col, int characters)
{
    QByteArray data;
    add16(data, quint16(col));
    add16(data, quint16(col));
    add16(data, quint16(qBound(8, characters + 2, 60) * 256));
    add16(data, XfGeneral);
    add16(data, 0);
    add16(data, 0);
    return data;
}

// The longest line of the text in character widths: East Asian wide ones count twice.
int lineWidth(const QString &text)
{
    int longest = 0;
    int width = 0;
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r') {
            width = 0;
            continue;
        }
        width += c.unicode() >= 0x1100 && !c.isSurrogate() && c.unicode() < 0xFF00 ? 2 : 1;
        longest = qMax(longest, width);
    }
    return longest;
}

} // namespace

QByteArray Biff8Workbook(const GridText &grid)
{
    const int rows = grid.RowCount();
    const int cols = grid.ColCount();
    QList<GridColumnKind> kinds(cols, GridColumnKind::Text);
    for (int col = 0; col < cols; ++col)
        kinds[col] = GridColumnKindOf(grid, col);

    // The sheet's cells row by row; texts collected into the shared strings.
    static const QDate excelDayZero(1899, 12, 30);
    SharedStrings strings;
    QByteArray cells;
    QByteArray tallRows;
    QList<int> widths(cols, 0);
    for (int row = 0; row < rows; ++row) {
        int lines = 1;
        for (int col = 0; col < cols; ++col) {
            const QString cell = grid.Cell(col, row);
            if (cell.isEmpty())
                continue;
            widths[col] = qMax(widths.at(col), lineWidth(cell));
            if (row > 0 && kinds.at(col) == GridColumnKind::Amount) {
                QByteArray data = cellHead(row, col, XfAmount);
                addDouble(data, *GridAmountValue(cell));
                addRecord(cells, Rec::Number, data);
            } else if (row > 0 && kinds.at(col) == GridColumnKind::Date) {
                QByteArray data = cellHead(row, col, XfDate);
                addDouble(data, double(excelDayZero.daysTo(*GridDateValue(cell))));
                addRecord(cells, Rec::Number, data);
            } else {
                const QString text = cellText(cell);
                const int breaks = int(text.count(u'\n'));
                lines = qMax(lines, breaks + 1);
                QByteArray data = cellHead(row, col, breaks > 0 ? XfWrap : XfGeneral);
                add32(data, strings.indexOf(text));
                addRecord(cells, Rec::LabelSst, data);
            }
        }
        if (lines > 1)
            addRecord(tallRows, Rec::Row, tallRow(row, cols, lines));
    }

    QByteArray globals;
    addRecord(globals, Rec::Bof, bof(0x0005));
    {
        QByteArray data;
        add16(data, 1200); // UTF-16
        addRecord(globals, Rec::Codepage, data);
    }
    {
        QByteArray data;
        for (const quint16 word : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258})
            add16(data, word);
        addRecord(globals, Rec::Window1, data);
    }
    // Five fonts: the format never uses font number 4, so the fifth is number 5.
    for (int i = 0; i < 5; ++i)
        addRecord(globals, Rec::Font, font());
    addRecord(globals, Rec::Format, format(FormatAmount, QStringLiteral("#,##0.00")));
    addRecord(globals, Rec::Format, format(FormatDate, QStringLiteral("dd/mm/yyyy")));
    addRecord(globals, Rec::Xf, xf(true, 0, false, 0));
    for (int i = 1; i < 15; ++i)
        addRecord(globals, Rec::Xf, xf(true, 0, false, 0xF4));
    addRecord(globals, Rec::Xf, xf(false, 0, false, 0));
    addRecord(globals, Rec::Xf, xf(false, FormatAmount, false, 0x04));
    addRecord(globals, Rec::Xf, xf(false, FormatDate, false, 0x04));
    addRecord(globals, Rec::Xf, xf(false, 0, true, 0x10));
    {
        QByteArray data;
        add16(data, 0x8000); // built-in style on format 0
        add8(data, 0);       // Normal
        add8(data, 0xFF);
        addRecord(globals, Rec::Style, data);
    }
    // The sheet's position is patched in once the globals are complete.
    const qsizetype sheetPosition = globals.size() + 4;
    {
        QByteArray data;
        add32(data, 0);
        add8(data, 0); // visible
        add8(data, 0); // worksheet
        addShortString(data, QStringLiteral("Sheet1"));
        addRecord(globals, Rec::BoundSheet, data);
    }
    if (!strings.isEmpty())
        strings.write(globals, 0);
    addRecord(globals, Rec::Eof, {});
    const quint32 sheetStart = quint32(globals.size());
    for (int i = 0; i < 4; ++i)
        globals[sheetPosition + i] = char((sheetStart >> (8 * i)) & 0xFF);

    QByteArray stream = std::move(globals);
    stream.reserve(stream.size() + cells.size() + 64);
    addRecord(stream, Rec::Bof, bof(0x0010));
    for (int col = 0; col < cols; ++col)
        addRecord(stream, Rec::ColInfo, columnWidth(col, widths.at(col)));
    {
        QByteArray data;
        add32(data, 0);
        add32(data, quint32(rows));
        add16(data, 0);
        add16(data, quint16(cols));
        add16(data, 0);
        addRecord(stream, Rec::Dimensions, data);
    }
    stream.append(tallRows);
    stream.append(cells);
    {
        QByteArray data;
        add16(data, 0x06B6); // grid lines, headers, zeros shown; the selected sheet
        add16(data, 0);      // top row
        add16(data, 0);      // left column
        add32(data, 0x40);   // automatic grid line colour
        add16(data, 0);
        add16(data, 0);
        add32(data, 0);
        addRecord(stream, Rec::Window2, data);
    }
    addRecord(stream, Rec::Eof, {});
    return stream;
}
