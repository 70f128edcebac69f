#pragma once

class Notifier;
class QWidget;
class TPubStrGrid;

// The ExportMenu commands of a grid: ask for a file name in the save dialog, write
// the grid's texts as they are shown (header row first) and tell the user how it
// went. A cancelled dialog writes and shows nothing. A grid beyond the spreadsheet
// format's limits is refused with a warning before the dialog opens.
void ExportGridToExcel(const TPubStrGrid &grid, Notifier &notifier, QWidget *parent);
void ExportGridToCsv(const TPubStrGrid &grid, Notifier &notifier, QWidget *parent);
