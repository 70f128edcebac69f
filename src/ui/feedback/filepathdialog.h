#pragma once

#include <QFileDialog>
#include <QString>

// Asks for one file path through the dialog seam; empty when the user cancels.
// The object name lets tests tell the dialogs apart.
QString AskFilePath(QWidget *parent, const char *objectName, const QString &caption,
                    const QString &startFolder, const QString &nameFilter, const QString &defaultSuffix,
                    QFileDialog::AcceptMode mode);
