#pragma once

#include <QList>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

// The setup lists share one shape: the list fills the dialog above a row of buttons,
// the commands at the left and "Close" at the right.

// A button of such a row: named for tests, hinted, and never pressed by Enter on its
// own (Enter in the list edits the chosen row).
QPushButton *MakeListDialogButton(QWidget *dialog, const char *name, const QString &caption, const QString &hint);
// Lays out the dialog: the list above, the commands and close below.
void LayOutListDialog(QDialog *dialog, QWidget *list, const QList<QPushButton *> &commands, QPushButton *close);
