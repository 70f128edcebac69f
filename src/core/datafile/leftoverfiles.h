#pragma once

#include <QString>
#include <QStringList>

// Work files a killed program leaves beside a data file: the extracted file of a restore
// (".NAME.restoring-XXXXXX"), a half-written archive of an automatic or manual backup
// beside it ("NAME.zip.XXXXXX", "NAME.before_startup.zip.XXXXXX",
// "NAME.before_close.zip.XXXXXX") and the copy of a compaction ("NAMEx" and its
// "-journal"). Only names of exactly these forms are ever taken.
QStringList LeftoverWorkFiles(const QString &dataFile);

// Removes the data file's own leftovers, unless another program holds the file (its
// work may still be going on). Returns how many were removed.
int RemoveLeftoverWorkFiles(const QString &dataFile);
