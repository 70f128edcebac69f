// TfrmMain: the Reports menu: the report windows; the register's Reports button and its drop-down repeat them.
#include "ui/mainwindow/mainwindow.h"

void TfrmMain::connectReportsMenu()
{
}
