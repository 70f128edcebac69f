// TfrmMain: the Options menu: the file password and the program options.
#include "ui/mainwindow/mainwindow.h"

void TfrmMain::connectOptionsMenu()
{
}
