#pragma once

#include <QString>

// The shared benchmark data file of 1,000,000 transactions: the file named by
// TILLBROOK_BENCH_FILE, or bench-1m.tillbrook in the system temp folder; generated
// on first use (that takes a while and is not part of any measurement).
QString BenchDataFile();
// A fresh copy of the template with the generated lists, in a temporary folder that
// lives until the process ends.
QString FreshListsFile();
