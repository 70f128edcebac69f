#include "support/xlsreader.h"

#include <QList>
#include <QtEndian>

#include <cstring>

namespace {

quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// Reads strings that may run on from one record's data into the next (SST and its
// CONTINUE records): a run of characters that goes on starts with its flags again.
class RecordChain
{
public:
    explicit RecordChain(QList<QByteArray> parts) : m_parts(std::move(parts)) {}
    bool failed() const { return m_failed; }
    quint8 byte()
    {
        if (m_pos >= m_parts.value(m_part).size()) {
            ++m_part;
            m_pos = 0;
        }
        if (m_part >= m_parts.size() || m_pos >= m_parts.at(m_part).size()) {
            m_failed = true;
            return 0;
        }
        return quint8(m_parts.at(m_part).at(m_pos++));
    }
    quint16 word()
    {
        const quint16 low = byte();
        return quint16(low | (byte() << 8));
    }
    quint32 dword()
    {
        const quint32 low = word();
        return low | (quint32(word()) << 16);
    }
    QString string()
    {
        const int length = word();
        quint8 flags = byte();
        if (flags & ~0x01)
            m_failed = true; // rich text or phonetic runs: never written
        QString text;
        while (text.size() < length && !m_failed) {
            if (m_pos >= m_parts.value(m_part).size()) {
                ++m_part;
                m_pos = 0;
                flags = byte();
            }
            text.append(QChar((flags & 1) ? word() : byte()));
        }
        return text;
    }

private:
    QList<QByteArray> m_parts;
    qsizetype m_part = 0;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

} // namespace

QByteArray CompoundStream(const QByteArray &file, const QString &name, QString *problem)
{
    const auto fail = [&](const QString &why) {
        *problem = why;
        return QByteArray();
    };
    if (file.size() < 512 || !file.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")))
        return fail(QStringLiteral("no compound file signature"));
    if (u16(file, 26) != 3 || u16(file, 30) != 9)
        return fail(QStringLiteral("not version 3 with 512-byte sectors"));
    const auto sector = [&](quint32 id) { return file.mid(512 + qsizetype(id) * 512, 512); };
    QList<quint32> fatSectors;
    const quint32 fatCount = u32(file, 44);
    for (int i = 0; i < 109 && quint32(fatSectors.size()) < fatCount; ++i)
        fatSectors.append(u32(file, 76 + 4 * i));
    quint32 difat = u32(file, 68);
    for (quint32 d = 0; d < u32(file, 72); ++d) {
        const QByteArray s = sector(difat);
        for (int i = 0; i < 127 && quint32(fatSectors.size()) < fatCount; ++i)
            fatSectors.append(u32(s, 4 * i));
        difat = u32(s, 508);
    }
    QList<quint32> fat;
    for (const quint32 id : fatSectors) {
        const QByteArray s = sector(id);
        if (s.size() != 512)
            return fail(QStringLiteral("FAT sector beyond the file"));
        for (int i = 0; i < 128; ++i)
            fat.append(u32(s, 4 * i));
    }
    const auto chain = [&](quint32 start, QByteArray *out) {
        qsizetype steps = 0;
        for (quint32 id = start; id != 0xFFFFFFFE; id = fat.value(id, 0xFFFFFFFF)) {
            if (id >= quint32(fat.size()) || ++steps > fat.size())
                return false;
            const QByteArray s = sector(id);
            if (s.size() != 512)
                return false;
            out->append(s);
        }
        return true;
    };
    QByteArray directory;
    if (!chain(u32(file, 48), &directory))
        return fail(QStringLiteral("broken directory chain"));
    for (qsizetype at = 0; at + 128 <= directory.size(); at += 128) {
        const int nameBytes = u16(directory, at + 64);
        QString entryName;
        for (int i = 0; i + 2 < nameBytes; i += 2)
            entryName.append(QChar(u16(directory, at + i)));
        if (directory.at(at + 66) != 2 || entryName != name)
            continue;
        const quint32 size = u32(directory, at + 120);
        if (size < 4096)
            return fail(QStringLiteral("stream in the mini-stream"));
        QByteArray stream;
        if (!chain(u32(directory, at + 116), &stream) || stream.size() < qsizetype(size))
            return fail(QStringLiteral("broken stream chain"));
        stream.truncate(size);
        return stream;
    }
    return fail(QStringLiteral("no stream named ") + name);
}

XlsSheet ReadXlsSheet(const QByteArray &file)
{
    XlsSheet sheet;
    const QByteArray stream = CompoundStream(file, QStringLiteral("Workbook"), &sheet.problem);
    if (stream.isEmpty())
        return sheet;
    QHash<int, QString> formats;
    QList<quint16> xfFormats;
    QList<bool> xfWraps;
    QStringList strings;
    QList<QByteArray> sstParts;
    qsizetype sheetStart = -1;
    qsizetype at = 0;
    int bofs = 0;
    quint16 previous = 0;
    while (at + 4 <= stream.size()) {
        const quint16 type = u16(stream, at);
        const quint16 length = u16(stream, at + 4 - 2);
        const QByteArray data = stream.mid(at + 4, length);
        if (length > 8224 || data.size() != length) {
            sheet.problem = QStringLiteral("record %1 at %2 too long").arg(type, 0, 16).arg(at);
            return sheet;
        }
        const qsizetype recordAt = at;
        at += 4 + length;
        if (type == 0x003C && (previous == 0x00FC || previous == 0x003C)) {
            sstParts.append(data);
            continue;
        }
        if (!sstParts.isEmpty()) {
            RecordChain chain(sstParts);
            chain.dword();
            const quint32 unique = chain.dword();
            for (quint32 i = 0; i < unique && !chain.failed(); ++i)
                strings.append(chain.string());
            if (chain.failed()) {
                sheet.problem = QStringLiteral("broken shared strings");
                return sheet;
            }
            sstParts.clear();
        }
        previous = type;
        switch (type) {
        case 0x0809:
            if (u16(data, 0) != 0x0600)
                sheet.problem = QStringLiteral("not BIFF8");
            if (++bofs == 2 && recordAt != sheetStart)
                sheet.problem = QStringLiteral("sheet not where BOUNDSHEET says");
            break;
        case 0x0042: sheet.codepage = u16(data, 0); break;
        case 0x0085: sheetStart = u32(data, 0); break;
        case 0x041E: {
            RecordChain chain({data.mid(2)});
            formats.insert(u16(data, 0), chain.string());
            break;
        }
        case 0x00E0:
            xfFormats.append(u16(data, 2));
            xfWraps.append(data.at(6) & 0x08);
            break;
        case 0x00FC: sstParts.append(data); break;
        case 0x0200:
            sheet.dimensionRows = int(u32(data, 4));
            sheet.dimensionCols = u16(data, 10);
            break;
        case 0x0208: sheet.rowHeights.insert(u16(data, 0), u16(data, 6)); break;
        case 0x00FD:
        case 0x0203: {
            XlsCell cell;
            cell.record = type;
            const quint16 xf = u16(data, 4);
            if (xf >= xfFormats.size()) {
                sheet.problem = QStringLiteral("cell with an unknown XF");
                return sheet;
            }
            cell.format = formats.value(xfFormats.at(xf));
            cell.wrap = xfWraps.at(xf);
            if (type == 0x00FD) {
                const quint32 index = u32(data, 6);
                if (index >= quint32(strings.size())) {
                    sheet.problem = QStringLiteral("label with an unknown string");
                    return sheet;
                }
                cell.text = strings.at(index);
            } else {
                std::memcpy(&cell.number, data.constData() + 6, 8);
            }
            sheet.cells.insert({u16(data, 0), u16(data, 2)}, cell);
            break;
        }
        case 0x000A:
            if (bofs == 2)
                return sheet;
            break;
        default: break;
        }
    }
    sheet.problem = QStringLiteral("no end of the sheet");
    return sheet;
}
