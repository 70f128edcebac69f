#pragma once

#include <QString>

// Where the program keeps its own files: the executable's folder, or the folder
// named by TILLBROOK_HOME (tests, portable use). Always ends with "/".
QString ProgramFolder();
// The user's documents folder without a trailing separator; throws when unknown.
QString GetDocumentsFolder();
// GetDocumentsFolder() + "/Tillbrook/".
QString DocumentsDataFolder();
// The program's version formatted with a printf pattern of four %d, or empty when
// the file does not exist.
QString GetFileVersionText(const QString &filePath, const char *pattern);
