#pragma once

#include <QString>

class QWidget;

// The data-file dialogs of the File menu, shown through ExecDialog. Each returns the
// chosen path, or empty when cancelled.
// "Open a Tillbrook file ..." (object name OpenOrvaneDB).
QString AskOpenDataFilePath(QWidget *parent, const QString &startFolder);
// "Create a new Tillbrook file ..." (object name CreateOrvaneDB); asks before overwriting.
QString AskCreateDataFilePath(QWidget *parent, const QString &startFolder);
