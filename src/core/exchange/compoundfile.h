#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a compound file (the container of Excel 97-2003 workbooks: 512-byte sectors,
// a FAT, a directory of a root entry and one stream) holding the stream under the
// name. A stream under 4,096 bytes is padded to that size so that it lives in
// ordinary sectors, not in the mini-stream. False when a write failed.
bool WriteCompoundFile(QIODevice &device, const QString &streamName, const QByteArray &stream);
