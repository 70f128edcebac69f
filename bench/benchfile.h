#pragma once

#include <QString>

class TMyDataModule;

// The shared benchmark data file of 1,000,000 transactions: the file named by
// TILLBROOK_BENCH_FILE, or bench-1m.tillbrook in the system temp folder; generated
// on first use (that takes a while and is not part of any measurement).
QString BenchDataFile();
// A fresh copy of the template with the generated lists, in a temporary folder that
// lives until the process ends.
QString FreshListsFile();
// One connection to the bench data file, opened on first use. CloseBenchFile() must
// run in main() while the application object still exists: a static connection would
// be torn down after it and crash at exit.
TMyDataModule &BenchFileConnection();
void CloseBenchFile();
