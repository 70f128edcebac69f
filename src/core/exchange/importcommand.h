#pragma once

#include <QStringList>

class QTextStream;

// The command-line importer:
//   tillbrook-import DATAFILE QIFFILE [--link "REFERENCE=ACCOUNT"]... [--dry-run] [--password PASSWORD]
// Opens the data file as the program does (refusing a file another Tillbrook holds, and
// a file with a password unless the right one is given), reads and stages the QIF file
// and stores it in one database transaction.
//
// Exit statuses: 0 done; 1 any error (one line on err naming the file, and the line of
// the QIF file for its content), nothing stored; 2 a reference of the file has no link:
// every reference is printed on out, one a line and nothing else, nothing stored.
// --dry-run reads, stages and stores inside a transaction that is rolled back.
enum ImportExitStatus { ImportDone = 0, ImportFailed = 1, ImportNeedsLinks = 2 };

int RunImportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

inline constexpr auto ImportUsage =
    "usage: tillbrook-import DATAFILE QIFFILE [--link \"REFERENCE=ACCOUNT\"]... [--dry-run] [--password PASSWORD]";
