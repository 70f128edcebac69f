#include "core/exchange/compoundfile.h"

#include <QIODevice>

namespace {

constexpr qsizetype SectorBytes = 512;
constexpr qsizetype IdsPerSector = SectorBytes / 4;
constexpr qsizetype HeaderFatIds = 109;
constexpr qsizetype MiniStreamCutoff = 4096;
constexpr quint32 DifatSector = 0xFFFFFFFC;
constexpr quint32 FatSector = 0xFFFFFFFD;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 NoStream = 0xFFFFFFFF;

void put16(QByteArray &out, qsizetype at, quint16 value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char(value >> 8);
}

void put32(QByteArray &out, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = char((value >> (8 * i)) & 0xFF);
}

// One 128-byte directory entry.
QByteArray directoryEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray entry(128, '\0');
    for (qsizetype i = 0; i < name.size() && i < 31; ++i)
        put16(entry, 2 * i, name.at(i).unicode());
    put16(entry, 64, name.isEmpty() ? 0 : quint16(2 * (qMin<qsizetype>(name.size(), 31) + 1)));
    entry[66] = char(type);
    entry[67] = char(type == 0 ? 0 : 1); // black
    put32(entry, 68, NoStream);
    put32(entry, 72, NoStream);
    put32(entry, 76, child);
    put32(entry, 116, start);
    put32(entry, 120, size);
    return entry;
}

} // namespace

bool WriteCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream)
{
    const qsizetype streamBytes = qMax(stream.size(), MiniStreamCutoff);
    const qsizetype streamSectors = (streamBytes + SectorBytes - 1) / SectorBytes;
    // The FAT maps every sector, its own and the DIFAT's included: grow both until
    // they cover the lot.
    qsizetype fatSectors = 1;
    qsizetype difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > HeaderFatIds ? (fatSectors - HeaderFatIds + IdsPerSector - 2) / (IdsPerSector - 1) : 0;
        const qsizetype total = fatSectors + difatSectors + 1 + streamSectors;
        if (fatSectors * IdsPerSector >= total)
            break;
        ++fatSectors;
    }
    // Layout: FAT sectors, DIFAT sectors, the directory sector, the stream.
    const quint32 firstDifat = quint32(fatSectors);
    const quint32 directory = quint32(fatSectors + difatSectors);
    const quint32 firstStream = directory + 1;

    QByteArray head(SectorBytes, '\0');
    head.replace(0, 8, QByteArray::fromHex("D0CF11E0A1B11AE1"));
    put16(head, 24, 0x003E); // minor version
    put16(head, 26, 0x0003); // major version 3: 512-byte sectors
    put16(head, 28, 0xFFFE); // little-endian
    put16(head, 30, 9);      // sector size 2^9
    put16(head, 32, 6);      // mini sector size 2^6
    put32(head, 44, quint32(fatSectors));
    put32(head, 48, directory);
    put32(head, 56, quint32(MiniStreamCutoff));
    put32(head, 60, EndOfChain); // no mini FAT
    put32(head, 64, 0);
    put32(head, 68, difatSectors > 0 ? firstDifat : EndOfChain);
    put32(head, 72, quint32(difatSectors));
    for (qsizetype i = 0; i < HeaderFatIds; ++i)
        put32(head, 76 + 4 * i, i < fatSectors ? quint32(i) : FreeSector);

    QByteArray fat(fatSectors * SectorBytes, '\xFF');
    qsizetype next = 0;
    for (qsizetype i = 0; i < fatSectors; ++i)
        put32(fat, 4 * next++, FatSector);
    for (qsizetype i = 0; i < difatSectors; ++i)
        put32(fat, 4 * next++, DifatSector);
    put32(fat, 4 * next++, EndOfChain);
    for (qsizetype i = 0; i < streamSectors; ++i, ++next)
        put32(fat, 4 * next, i + 1 < streamSectors ? quint32(next + 1) : EndOfChain);

    // Each DIFAT sector: 127 further FAT sector numbers, then the next DIFAT sector.
    QByteArray difat(difatSectors * SectorBytes, '\xFF');
    for (qsizetype i = HeaderFatIds; i < fatSectors; ++i) {
        const qsizetype k = i - HeaderFatIds;
        put32(difat, (k / (IdsPerSector - 1)) * SectorBytes + 4 * (k % (IdsPerSector - 1)), quint32(i));
    }
    for (qsizetype d = 0; d < difatSectors; ++d) {
        put32(difat, d * SectorBytes + SectorBytes - 4,
              d + 1 < difatSectors ? quint32(firstDifat + d + 1) : EndOfChain);
    }

    QByteArray dir = directoryEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0)
                     + directoryEntry(streamName, 2, NoStream, firstStream, quint32(streamBytes))
                     + directoryEntry(QString(), 0, NoStream, 0, 0)
                     + directoryEntry(QString(), 0, NoStream, 0, 0);

    const QByteArray padding(streamSectors * SectorBytes - stream.size(), '\0');
    for (const QByteArray *part : {&head, &fat, &difat, &dir}) {
        if (device.write(*part) != part->size())
            return false;
    }
    // The stream in pieces, so that a failing disk is noticed early.
    constexpr qsizetype Piece = 1 << 20;
    for (qsizetype at = 0; at < stream.size(); at += Piece) {
        const QByteArray piece = QByteArray::fromRawData(stream.constData() + at, qMin(Piece, stream.size() - at));
        if (device.write(piece) != piece.size())
            return false;
    }
    return device.write(padding) == padding.size();
}
