#pragma once

#include <QByteArray>
#include <QStringView>

// Text in the Windows-1252 character set, one byte per character, which is what
// spreadsheet programs assume for text written without a code page. A character
// outside the set becomes "?" (one per character, also for one beyond the 16-bit
// range).
void AppendWindows1252(QByteArray &out, QStringView text);
QByteArray ToWindows1252(QStringView text);
// The number of bytes the text takes in Windows-1252.
qsizetype Windows1252Length(QStringView text);
