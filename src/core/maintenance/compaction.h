#pragma once

#include <QString>

#include <functional>

struct Session;

// Puts the file Source in the place of Target in one step, so that Target is at every
// moment either the old file or the new one. False when that failed; Target is then
// untouched and Source is left where it was.
using FileReplacer = std::function<bool(const QString &source, const QString &target)>;
bool ReplaceFileAtomically(const QString &source, const QString &target);

// Compacts and checks the data file at Path, which no connection of this program may
// hold. The compacted copy is written to Path + "x" in the same folder, checked
// (SQLite's integrity check and the schema) and then put in the place of the file in
// one rename. True when a checked, compact file is at Path: a file with no free pages
// to give back is checked and left as it is. False when the file is missing, held by
// another program, not a sound data file, or the copy could not be made or put in
// place; the file at Path is then byte for byte as it was and no copy is left behind.
bool CompactDataFile(const QString &path, const FileReplacer &replace = ReplaceFileAtomically);

// "Validate and Optimise database": closes the connection, compacts the file in use and
// connects it again. The result of the compaction is not reported; the notice
// "Validation and optimisation of the database is ready." is shown in any case.
void CompactRepair(Session &session);

// The check of a file chosen with "Open": compacts it. The file in use is let go for
// the compaction and connected again afterwards.
bool CheckChosenDataFile(Session &session, const QString &path);
