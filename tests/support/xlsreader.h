#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Reads back what the spreadsheet writer wrote, independently of it: the named stream
// of a compound file, and the cells of a BIFF8 workbook's first sheet.

// The stream's bytes (its directory size), or an empty array with the problem.
QByteArray CompoundStream(const QByteArray &file, const QString &name, QString *problem);

struct XlsCell
{
    quint16 record = 0; // 0x00FD shared-string label, 0x0203 number
    QString text;       // a label's text
    double number = 0;
    QString format;     // the number format of the cell's XF ("" for general)
    bool wrap = false;
};

struct XlsSheet
{
    QString problem; // empty when the workbook read cleanly
    int codepage = 0;
    int dimensionRows = 0;
    int dimensionCols = 0;
    QHash<QPair<int, int>, XlsCell> cells; // by (row, col)
    QHash<int, int> rowHeights;            // rows given a height, in twips
};

XlsSheet ReadXlsSheet(const QByteArray &file);
