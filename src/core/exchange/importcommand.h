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
// --help prints the usage and exits 0.
enum ImportExitStatus { ImportDone = 0, ImportFailed = 1, ImportNeedsLinks = 2 };

int RunImportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

inline constexpr auto ImportUsage =
    "usage: tillbrook-import DATAFILE QIFFILE [--link \"REFERENCE=ACCOUNT\"]... [--dry-run] [--password PASSWORD]";
// Printed after the usage line by --help.
inline constexpr auto ImportHelp =
    "Stores the transactions of a QIF file in a Tillbrook data file, in one database transaction.\n"
    "\n"
    "  --link \"REFERENCE=ACCOUNT\"  link an account reference of the file to an account of the data file\n"
    "  --dry-run                   check everything and store nothing\n"
    "  --password PASSWORD         the data file's password\n"
    "  -h, --help                  show this help and exit\n"
    "\n"
    "Without links the file's references are listed, one a line (exit status 2).\n"
    "Exit status: 0 stored; 1 an error, nothing stored; 2 links missing, nothing stored.\n";
