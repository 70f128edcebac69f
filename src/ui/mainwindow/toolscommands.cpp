// TfrmMain: the Tools menu: compaction, backup and restore.
#include "ui/mainwindow/mainwindow.h"

void TfrmMain::connectToolsMenu()
{
}
